// System parameters, hot keys, the keyboard state and message boxes on the Win32 desktop.
#include <algorithm>
#include <iterator>

#include "platform/win32/Win32Desktop.h"

namespace zindra::platform::win32 {

// A swap of the mouse buttons is recorded, so a program that dies swapped leaves them reset.
bool Win32Desktop::SystemParametersInfo(std::uint32_t action, std::uint32_t param, void* data, std::uint32_t winIni) {
    if (action == SPI_SETMOUSEBUTTONSWAP && param != 0) guard_.BeforeChange();
    const bool ok = SystemParametersInfoA(action, param, data, winIni) != FALSE;
    if (ok && action == SPI_SETMOUSEBUTTONSWAP) guard_.Ledger().MouseButtonsSwapped(param != 0);
    return ok;
}

bool Win32Desktop::RegisterHotKey(WindowHandle window, int id, std::uint32_t modifiers, std::uint32_t key) {
    return ::RegisterHotKey(ToHwnd(window), id, modifiers, key) != FALSE;
}

bool Win32Desktop::UnregisterHotKey(WindowHandle window, int id) {
    return ::UnregisterHotKey(ToHwnd(window), id) != FALSE;
}

std::int16_t Win32Desktop::GetKeyState(int key) {
    return ::GetKeyState(key);
}

bool Win32Desktop::GetKeyboardState(std::uint8_t (&state)[256]) {
    return ::GetKeyboardState(state) != FALSE;
}

bool Win32Desktop::SetKeyboardState(const std::uint8_t (&state)[256]) {
    BYTE copy[256];
    std::copy(std::begin(state), std::end(state), copy);
    return ::SetKeyboardState(copy) != FALSE;
}

void Win32Desktop::KeybdEvent(std::uint8_t key, std::uint8_t scan, std::uint32_t flags) {
    keybd_event(key, scan, flags, 0);
}

// Windows runs the box's own message loop: our windows still paint from their pictures, and the
// event sink is served from that loop.
int Win32Desktop::MessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                             std::uint32_t type) {
    EnterNativeLoop();
    const int answer = MessageBoxA(ToHwnd(owner), text.c_str(), caption.c_str(), type);
    LeaveNativeLoop();
    return answer;
}

}  // namespace zindra::platform::win32
