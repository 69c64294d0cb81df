// The Win32 desktop: the message pump and wait, window classes, creating, showing and finding
// windows.
#include "platform/win32/Win32Desktop.h"

#include <algorithm>
#include <stdexcept>

namespace zindra::platform::win32 {

namespace {

constexpr const char* kMessageClass = "ZindraMessageWindow";
constexpr const char* kServeClass = "ZindraServeWindow";

// A message-only window class of this module, registered once.
void RegisterMessageClass(HINSTANCE instance, const char* name, WNDPROC procedure) {
    WNDCLASSEXA info{};
    info.cbSize = sizeof info;
    if (GetClassInfoExA(instance, name, &info)) return;
    info.lpfnWndProc = procedure;
    info.hInstance = instance;
    info.lpszClassName = name;
    RegisterClassExA(&info);
}

// A window that must not take the activation shows without it.
int WithoutActivation(int command) {
    switch (command) {
        case SW_SHOWNORMAL:
        case SW_RESTORE:
            return SW_SHOWNOACTIVATE;
        case SW_SHOW:
            return SW_SHOWNA;
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
            return SW_SHOWMINNOACTIVE;
        default:
            return command;
    }
}

}  // namespace

Win32Desktop::Win32Desktop(Clock& clock, Win32CrashGuard& guard)
    : clock_(clock),
      guard_(guard),
      instance_(GetModuleHandleA(nullptr)),
      wake_(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      arrow_(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512))),  // IDC_ARROW
      cursor_(arrow_) {
    if (!wake_) throw std::runtime_error("cannot make the wake-up event");
    RegisterMessageClass(instance_, kMessageClass, &Win32Desktop::MessageOnlyProc);
    RegisterMessageClass(instance_, kServeClass, &Win32Desktop::ServeProc);
    serveWindow_ = CreateWindowExA(0, kServeClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, this);
    if (!serveWindow_) throw std::runtime_error("cannot make the message window that serves modal loops");
}

Win32Desktop::~Win32Desktop() {
    sink_.store(nullptr);
    std::vector<HWND> left;
    for (const auto& [window, record] : windows_)
        left.push_back(window);
    for (HWND window : left)
        DestroyWindow(FromHwnd(window));
    for (HCURSOR cursor : cursors_)
        DestroyCursor(cursor);
    ::DestroyWindow(serveWindow_);
    CloseHandle(wake_);
}

void Win32Desktop::WaitForEvents(std::int64_t deadlineMs) {
    Pump();
    DWORD timeout = INFINITE;
    if (deadlineMs != kNoDeadline) {
        const std::int64_t left = deadlineMs - clock_.NowMs();
        timeout = static_cast<DWORD>(std::clamp<std::int64_t>(left, 0, INFINITE - 1));
    }
    // Events the pump just posted have set the wake-up event, so this returns at once for them.
    MsgWaitForMultipleObjectsEx(1, &wake_, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    Pump();
}

// Messages posted to a hidden window become events here, whatever they are; everything else goes
// to its window procedure.
void Win32Desktop::Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        const WindowRecord* record = msg.hwnd ? Find(msg.hwnd) : nullptr;
        if (record && record->MessageOnly) {
            SendMessageEvent(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void Win32Desktop::Send(Event event) {
    EventSink* sink = sink_.load();
    if (!sink) return;
    event.Time = clock_.NowMs();
    sink->Post(event);
}

void Win32Desktop::SendKind(HWND window, EventKind kind) {
    Event e;
    e.Kind = kind;
    e.Window = FromHwnd(window);
    Send(e);
}

void Win32Desktop::SendMessageEvent(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    Event e;
    e.Kind = EventKind::Message;
    e.Window = FromHwnd(window);
    e.Msg = msg;
    e.WParam = wParam;
    e.LParam = lParam;
    Send(e);
}

Win32Desktop::WindowRecord* Win32Desktop::Find(HWND window) {
    const auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

const Win32FrameBuffer* Win32Desktop::FrameOf(WindowHandle window) const {
    const auto it = windows_.find(ToHwnd(window));
    return it == windows_.end() ? nullptr : it->second.Frame.get();
}

// Each form class gets a window class of its name, so other programs find "TApplication" and
// the forms by class, as they would find the originals.
const char* Win32Desktop::ClassFor(const std::string& name) {
    const std::string className = name.empty() ? "ZindraWindow" : name;
    if (std::find(classes_.begin(), classes_.end(), className) == classes_.end()) {
        WNDCLASSEXA info{};
        info.cbSize = sizeof info;
        if (!GetClassInfoExA(instance_, className.c_str(), &info)) {
            info.lpfnWndProc = &Win32Desktop::TopLevelProc;
            info.hInstance = instance_;
            info.lpszClassName = className.c_str();
            // No background brush and no class cursor: the window paints all of itself and the
            // pointer shape is set on WM_SETCURSOR.
            if (!RegisterClassExA(&info)) throw std::runtime_error("cannot register the window class " + className);
        }
        classes_.push_back(className);
    }
    return std::find(classes_.begin(), classes_.end(), className)->c_str();
}

WindowHandle Win32Desktop::CreateWindow(const WindowParams& params) {
    const char* className = ClassFor(params.ClassName);
    DWORD style = WS_POPUP | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    if (params.ShowInTaskBar) {
        style |= WS_SYSMENU | WS_MINIMIZEBOX;  // the task bar's menu can minimise and restore it
        exStyle |= WS_EX_APPWINDOW;
    } else {
        exStyle |= WS_EX_TOOLWINDOW;
    }
    if (params.TopMost) exStyle |= WS_EX_TOPMOST;
    if (params.NoActivate) exStyle |= WS_EX_NOACTIVATE;
    const Rect& b = params.Bounds;
    HWND window = CreateWindowExA(exStyle, className, params.Title.c_str(), style, b.Left, b.Top, b.Width(), b.Height(),
                                  nullptr, nullptr, instance_, this);
    if (!window) throw std::runtime_error("cannot make a window of class " + params.ClassName);
    WindowRecord& record = windows_[window];
    record.NoActivate = params.NoActivate;
    return FromHwnd(window);
}

WindowHandle Win32Desktop::CreateMessageWindow() {
    HWND window = CreateWindowExA(0, kMessageClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, this);
    if (!window) throw std::runtime_error("cannot make a message window");
    windows_[window].MessageOnly = true;
    return FromHwnd(window);
}

void Win32Desktop::DestroyWindow(WindowHandle window) {
    HWND handle = ToHwnd(window);
    if (!Find(handle)) return;
    if (lastActive_ == handle) lastActive_ = nullptr;
    if (themes_) themes_->Watch(handle, false);
    ::DestroyWindow(handle);
    windows_.erase(handle);
}

void Win32Desktop::SetWindowBounds(WindowHandle window, Rect bounds) {
    SetWindowPos(ToHwnd(window), nullptr, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

Rect Win32Desktop::WindowBounds(WindowHandle window) {
    RECT r{};
    if (!GetWindowRect(ToHwnd(window), &r)) return {};
    return {r.left, r.top, r.right, r.bottom};
}

bool Win32Desktop::ShowWindow(WindowHandle window, int command) {
    HWND handle = ToHwnd(window);
    WindowRecord* record = Find(handle);
    // Another program's window: the task bar, or the first copy of this program.
    if (!record) return ShowTaskBar(handle, command);
    if (record->MessageOnly) return false;
    if (record->NoActivate) command = WithoutActivation(command);
    ++selfShowing_;
    const bool wasVisible = ::ShowWindow(handle, command) != FALSE;
    --selfShowing_;
    record->Iconic = ::IsIconic(handle) != FALSE;
    return wasVisible;
}

bool Win32Desktop::IsWindowVisible(WindowHandle window) {
    return ::IsWindowVisible(ToHwnd(window)) != FALSE;
}

bool Win32Desktop::IsIconic(WindowHandle window) {
    return ::IsIconic(ToHwnd(window)) != FALSE;
}

void Win32Desktop::SetWindowText(WindowHandle window, const std::string& text) {
    SetWindowTextA(ToHwnd(window), text.c_str());
}

void Win32Desktop::BringWindowToTop(WindowHandle window) {
    ::BringWindowToTop(ToHwnd(window));
}

void Win32Desktop::SetForegroundWindow(WindowHandle window) {
    ::SetForegroundWindow(ToHwnd(window));
}

void Win32Desktop::AllowSetForegroundWindow(WindowHandle window) {
    DWORD process = 0;
    if (GetWindowThreadProcessId(ToHwnd(window), &process) && process) ::AllowSetForegroundWindow(process);
}

void Win32Desktop::EnableWindow(WindowHandle window, bool enabled) {
    ::EnableWindow(ToHwnd(window), enabled ? TRUE : FALSE);
}

WindowHandle Win32Desktop::FindWindow(const char* className, const char* title) {
    return FromHwnd(FindWindowA(className, title));
}

bool Win32Desktop::PostMessage(WindowHandle window, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    return PostMessageA(ToHwnd(window), msg, wParam, lParam) != FALSE;
}

}  // namespace zindra::platform::win32
