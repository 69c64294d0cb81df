// The window procedures: input, closing, activation, outside state changes, painting from the
// kept picture, the end of the session, and the messages of hidden windows.
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Input.h"

namespace zindra::platform::win32 {

namespace {

// Posted to a window that must not keep the activation it was given.
constexpr UINT kHandOnMessage = WM_APP + 0x5B;

Win32Desktop* DesktopOf(HWND window, UINT msg, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    return reinterpret_cast<Win32Desktop*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

}  // namespace

LRESULT CALLBACK Win32Desktop::TopLevelProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    Win32Desktop* desktop = DesktopOf(window, msg, lParam);
    return desktop ? desktop->HandleTopLevel(window, msg, wParam, lParam) : DefWindowProcA(window, msg, wParam, lParam);
}

LRESULT CALLBACK Win32Desktop::MessageOnlyProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    Win32Desktop* desktop = DesktopOf(window, msg, lParam);
    return desktop ? desktop->HandleMessageOnly(window, msg, wParam, lParam)
                   : DefWindowProcA(window, msg, wParam, lParam);
}

LRESULT Win32Desktop::HandleTopLevel(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowRecord* record = Find(window);
    if (!record) return DefWindowProcA(window, msg, wParam, lParam);  // still being made
    if (auto event = TranslateInput(msg, wParam, lParam, HeldKeys::Read())) {
        event->Window = FromHwnd(window);
        if (event->Kind == EventKind::MouseWheel) {
            POINT p{event->X, event->Y};
            ScreenToClient(window, &p);
            event->X = p.x;
            event->Y = p.y;
        }
        if (msg == WM_MOUSEMOVE && !record->TrackingLeave) {
            // Leaving is told as a wake-up, so the framework's idle-time tracking sees the
            // pointer go even when nothing else happens.
            TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window, 0};
            record->TrackingLeave = TrackMouseEvent(&track) != FALSE;
        }
        Send(*event);
        // Alt+F4 and the other system keys still do what they do everywhere.
        if (msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP) return DefWindowProcA(window, msg, wParam, lParam);
        return 0;
    }
    LRESULT result = 0;
    if (HandleWindowState(window, msg, wParam, lParam, result)) return result;
    return DefWindowProcA(window, msg, wParam, lParam);
}

// Everything but input; true when the message is handled and result is its answer.
bool Win32Desktop::HandleWindowState(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    WindowRecord& record = *Find(window);
    switch (msg) {
        case WM_CLOSE:
            SendKind(window, EventKind::Close);  // the framework decides; no DestroyWindow here
            return true;
        case WM_ACTIVATE:
            NoteActivation(window, record, wParam);
            SendKind(window, LOWORD(wParam) == WA_INACTIVE ? EventKind::Deactivate : EventKind::Activate);
            return false;  // the default gives the window the keyboard focus
        case kHandOnMessage:
            HandOnActivation();
            return true;
        case WM_WINDOWPOSCHANGED: {
            // Raised while hidden by another program (the second copy's hand-over): that is a call
            // to come forward, which only the window that had the activation can answer.
            const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (record.NoActivate && selfShowing_ == 0 && !::IsWindowVisible(window) &&
                (position->flags & SWP_NOZORDER) == 0) {
                PostMessageA(window, kHandOnMessage, 0, 0);
            }
            return false;
        }
        case WM_ENTERMENULOOP:
        case WM_ENTERSIZEMOVE:
            EnterNativeLoop();
            return false;
        case WM_EXITMENULOOP:
        case WM_EXITSIZEMOVE:
            LeaveNativeLoop();
            return false;
        case WM_MOUSEACTIVATE:
            result = record.NoActivate ? MA_NOACTIVATE : MA_ACTIVATE;
            return true;
        case WM_SIZE:
            NoteIconic(window, record, wParam == SIZE_MINIMIZED);
            return true;
        case WM_CAPTURECHANGED:
            if (!releasingCapture_ && reinterpret_cast<HWND>(lParam) != window)
                SendKind(window, EventKind::CaptureLost);
            return true;
        case WM_MOUSELEAVE:
            record.TrackingLeave = false;
            SendKind(window, EventKind::Wake);
            return true;
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT) return false;
            ::SetCursor(cursor_);
            result = TRUE;
            return true;
        case WM_ERASEBKGND:
            result = 1;  // the picture covers all of the window
            return true;
        case WM_PAINT:
            Paint(window);
            return true;
        case WM_QUERYENDSESSION:
            result = TRUE;
            return true;
        case WM_ENDSESSION:
            // The process may be ended at any moment after this returns.
            if (wParam) guard_.UndoNow();
            return true;
        default:
            return false;
    }
}

// Our windows that may keep the activation are remembered; one that must not passes it on, once
// the activation has settled (not from inside WM_ACTIVATE).
void Win32Desktop::NoteActivation(HWND window, const WindowRecord& record, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) return;
    if (!record.NoActivate) {
        lastActive_ = window;
    } else {
        PostMessageA(window, kHandOnMessage, 0, 0);
    }
}

void Win32Desktop::HandOnActivation() {
    HWND to = lastActive_;
    if (!to || !Find(to) || !::IsWindowVisible(to) || ::IsIconic(to)) return;
    ::SetForegroundWindow(to);
    ::BringWindowToTop(to);
}

// Minimised or restored by someone else (the task bar, another program): told as a state change.
// Our own ShowWindow calls are not told back.
void Win32Desktop::NoteIconic(HWND window, WindowRecord& record, bool iconic) {
    if (iconic == record.Iconic) return;
    record.Iconic = iconic;
    if (selfShowing_ > 0) return;
    Event e;
    e.Kind = EventKind::ShowState;
    e.Window = FromHwnd(window);
    e.Key = static_cast<std::uint32_t>(iconic ? SW_MINIMIZE : SW_RESTORE);
    Send(e);
}

void Win32Desktop::Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const Win32FrameBuffer& frame = *Find(window)->Frame;
    const Rect area{paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right, paint.rcPaint.bottom};
    if (frame.Empty()) {
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SendKind(window, EventKind::Expose);
    } else {
        frame.BlitTo(dc, area);
    }
    EndPaint(window, &paint);
}

bool Win32Desktop::IsForwardedMessage(UINT msg) {
    switch (msg) {
        case WM_CLOSE:
        case WM_HOTKEY:
        case MM_MCINOTIFY:
        case MM_MIXM_LINE_CHANGE:
        case MM_MIXM_CONTROL_CHANGE:
            return true;
        default:
            return msg >= WM_USER;
    }
}

// Reached when a loop other than ours dispatches (MessageBox's, for one) or for messages sent
// rather than posted; the pump hands every posted message over without coming here.
LRESULT Win32Desktop::HandleMessageOnly(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    const WindowRecord* record = Find(window);
    if (record && IsForwardedMessage(msg)) {
        SendMessageEvent(window, msg, wParam, lParam);
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

}  // namespace zindra::platform::win32
