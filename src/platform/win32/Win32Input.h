// Mouse and keyboard messages of a window as the platform's events: client coordinates, the
// button, and the shift state in the kit's bits.
#pragma once

#include <optional>

#include "platform/Event.h"
#include "platform/win32/Win32Api.h"

namespace zindra::platform::win32 {

// The modifier keys and logical mouse buttons held, as GetKeyState reports them.
struct HeldKeys {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
    bool Left = false;
    bool Right = false;
    bool Middle = false;

    static HeldKeys Read();  // the calling thread's view at the message being handled
};

// The shift state of a mouse message: its MK_ flags, with Alt (which they lack) from held.
std::uint32_t MouseShift(WPARAM flags, const HeldKeys& held);
// The shift state of a key message: modifiers and buttons from held.
std::uint32_t KeyShift(const HeldKeys& held);

// The event for a mouse or key message, without window and time; nothing for any other message.
// A wheel event keeps the message's screen coordinates.
// WM_SYSKEYDOWN and WM_SYSKEYUP count as key messages, WM_SYSCHAR does not (Alt makes no
// character, as on the simulated desktop).
std::optional<Event> TranslateInput(UINT msg, WPARAM wParam, LPARAM lParam, const HeldKeys& held);

}  // namespace zindra::platform::win32
