// Scripted input on the simulated machine: the pointer, the mouse buttons (after the system's
// button swap), keys and typed text, routed the way Windows routes them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Event.h"
#include "platform/Geometry.h"

namespace zindra::platform::sim {

class SimMachine;

// Script key names: "A".."Z", "0".."9", "Enter", "Escape", "Tab", "Backspace", "Delete",
// "Space", "Left", "Right", "Up", "Down", "Home", "End", "F1".."F12".
std::optional<std::uint32_t> KeyCodeOf(std::string_view name);

class SimInput {
public:
    explicit SimInput(SimMachine& machine) : machine_(machine) {}

    void MoveTo(int x, int y);
    // Physical buttons: with swapped buttons a physical left press arrives as a right press.
    void Press(int x, int y, MouseButton physical);
    void Release(int x, int y, MouseButton physical);
    void Click(int x, int y, MouseButton physical);
    // A turn of the wheel at a point: delta 120 a notch, positive away from the user.
    void Wheel(int x, int y, int delta);
    // A key with modifiers (MOD_ALT, MOD_CONTROL, MOD_SHIFT) goes first to the hot keys.
    void Key(std::uint32_t virtualKey, std::uint32_t modifiers);
    // UTF-8 text; each character arrives as the code-page 1252 character a keyboard gives.
    void Type(std::string_view text);
    Point Cursor() const { return cursor_; }

private:
    MouseButton Logical(MouseButton physical) const;
    void SendMouse(EventKind kind, MouseButton button, int delta = 0);
    void SendKey(std::uint32_t virtualKey, std::uint32_t modifiers, std::optional<char> character);
    std::uint32_t ShiftState(std::uint32_t modifiers) const;

    SimMachine& machine_;
    Point cursor_{-1, -1};
    std::uint32_t buttons_ = 0;  // kLeftButton etc., logical
};

}  // namespace zindra::platform::sim
