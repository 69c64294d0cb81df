// The task bars on the Win32 desktop: the main one ("Shell_TrayWnd") and, on further monitors,
// one "Shell_SecondaryTrayWnd" each with its own Start button, hidden and shown as one, and put
// back however the program ends.
#include <cstring>

#include "platform/win32/Win32Desktop.h"

namespace zindra::platform::win32 {

namespace {

constexpr const char* kTaskBarClass = "Shell_TrayWnd";
constexpr const char* kSecondaryTaskBarClass = "Shell_SecondaryTrayWnd";

bool IsTaskBar(HWND window) {
    char name[64] = {};
    return GetClassNameA(window, name, sizeof name) > 0 && std::strcmp(name, kTaskBarClass) == 0;
}

}  // namespace

// A window of another program. The task bar is recorded before it is hidden, so a death in the
// middle still leaves it to be put back (the undo looks whether it is still hidden).
bool Win32Desktop::ShowTaskBar(HWND window, int command) {
    if (!IsTaskBar(window)) return ::ShowWindow(window, command) != FALSE;
    if (command == SW_HIDE) {
        guard_.BeforeChange();
        if (::IsWindowVisible(window)) guard_.Ledger().TaskBarHidden(FromHwnd(window));
        HideSecondaryTaskBars();
        return ::ShowWindow(window, command) != FALSE;
    }
    const bool wasVisible = ::ShowWindow(window, command) != FALSE;
    ShowSecondaryTaskBars();
    guard_.Ledger().TaskBarShown();
    return wasVisible;
}

void Win32Desktop::HideSecondaryTaskBars() {
    for (HWND bar = FindWindowExA(nullptr, nullptr, kSecondaryTaskBarClass, nullptr); bar;
         bar = FindWindowExA(nullptr, bar, kSecondaryTaskBarClass, nullptr)) {
        // A bar the ledger has no room for stays, rather than stay hidden after a crash.
        if (::IsWindowVisible(bar) && guard_.Ledger().SecondaryTaskBarHidden(FromHwnd(bar))) ::ShowWindow(bar, SW_HIDE);
    }
}

void Win32Desktop::ShowSecondaryTaskBars() {
    for (std::size_t i = 0; i < kMaxSecondaryTaskBars; ++i) {
        if (const WindowHandle bar = guard_.Ledger().HiddenSecondaryTaskBar(i)) ::ShowWindow(ToHwnd(bar), SW_SHOW);
    }
}

// NOTE: a shell may place its task bars anew, and show them, when it hears of a display change
// (Wine's does; Windows' keeps them hidden). The program hid them, so they stay hidden.
void Win32Desktop::KeepTaskBarHidden() {
    HWND taskBar = ToHwnd(guard_.Ledger().HiddenTaskBar());
    if (taskBar && ::IsWindowVisible(taskBar)) ::ShowWindow(taskBar, SW_HIDE);
    for (std::size_t i = 0; i < kMaxSecondaryTaskBars; ++i) {
        HWND bar = ToHwnd(guard_.Ledger().HiddenSecondaryTaskBar(i));
        if (bar && ::IsWindowVisible(bar)) ::ShowWindow(bar, SW_HIDE);
    }
}

}  // namespace zindra::platform::win32
