// Serving the event sink from a modal loop of Windows' own (a message box, a window menu, a
// move): on Windows such a loop dispatches the program's timers, hot keys and sent messages, so
// the framework's must go on too. A hidden window's messages, which any loop dispatches, carry
// the wake-ups and the timer of the sink's next due work.
#include <algorithm>

#include "platform/win32/Win32Desktop.h"

namespace zindra::platform::win32 {

namespace {

constexpr UINT kServeMessage = WM_APP + 0x5A;
constexpr UINT_PTR kServeTimer = 1;

BOOL CALLBACK EndThreadDialog(HWND window, LPARAM) {
    char name[16] = {};
    if (GetClassNameA(window, name, sizeof name) > 0 && lstrcmpA(name, "#32770") == 0) EndDialog(window, IDCANCEL);
    return TRUE;
}

}  // namespace

void Win32Desktop::Wake() {
    SetEvent(wake_);
    if (nativeLoops_.load() > 0) PostMessageA(serveWindow_, kServeMessage, 0, 0);
}

void Win32Desktop::EnterNativeLoop() {
    if (nativeLoops_.fetch_add(1) == 0) PostMessageA(serveWindow_, kServeMessage, 0, 0);
}

void Win32Desktop::LeaveNativeLoop() {
    if (nativeLoops_.fetch_sub(1) == 1) KillTimer(serveWindow_, kServeTimer);
    // What came during the loop and was not served waits for the next WaitForEvents.
    SetEvent(wake_);
}

LRESULT CALLBACK Win32Desktop::ServeProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* desktop = reinterpret_cast<Win32Desktop*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (desktop && (msg == kServeMessage || (msg == WM_TIMER && wParam == kServeTimer))) {
        desktop->ServeNativeLoop();
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

// Outside a native loop (our own pump dispatched a late message) there is nothing to do. Within
// one, the sink handles what it has; a nested box it opens serves from its own loop in turn.
void Win32Desktop::ServeNativeLoop() {
    EventSink* sink = sink_.load();
    if (nativeLoops_.load() == 0 || !sink) return;
    NestedLoopTurn turn;
    try {
        turn = sink->ServeNestedLoop();
    } catch (...) {
        turn = {};  // a window procedure lets nothing through; the sink reports its own errors
    }
    if (turn.EndLoop) {
        EndNativeLoops();
        return;
    }
    if (turn.NextDueMs == INT64_MAX) {
        KillTimer(serveWindow_, kServeTimer);
        return;
    }
    const std::int64_t wait = std::clamp<std::int64_t>(turn.NextDueMs - clock_.NowMs(), USER_TIMER_MINIMUM, 0x7FFFFFFF);
    SetTimer(serveWindow_, kServeTimer, static_cast<UINT>(wait), nullptr);
}

// The program is ending: its message boxes answer IDCANCEL, and a window menu or move ends.
void Win32Desktop::EndNativeLoops() {
    KillTimer(serveWindow_, kServeTimer);
    EnumThreadWindows(GetCurrentThreadId(), &EndThreadDialog, 0);
    EndMenu();
    if (HWND captured = GetCapture()) SendMessageA(captured, WM_CANCELMODE, 0, 0);
}

}  // namespace zindra::platform::win32
