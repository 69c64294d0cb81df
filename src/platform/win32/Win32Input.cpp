// Translation of mouse and key messages.
#include "platform/win32/Win32Input.h"

namespace zindra::platform::win32 {

namespace {

bool Down(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

std::optional<MouseButton> ButtonOf(UINT msg) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            return MouseButton::Left;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            return MouseButton::Right;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            return MouseButton::Middle;
        default:
            return std::nullopt;
    }
}

std::optional<EventKind> MouseKindOf(UINT msg) {
    switch (msg) {
        case WM_MOUSEMOVE:
            return EventKind::MouseMove;
        // NOTE: windows of ours never ask for double clicks, but a second press is a press
        // wherever it comes from.
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
            return EventKind::MouseDown;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            return EventKind::MouseUp;
        default:
            return std::nullopt;
    }
}

}  // namespace

HeldKeys HeldKeys::Read() {
    return {Down(VK_SHIFT), Down(VK_CONTROL), Down(VK_MENU), Down(VK_LBUTTON), Down(VK_RBUTTON), Down(VK_MBUTTON)};
}

std::uint32_t MouseShift(WPARAM flags, const HeldKeys& held) {
    std::uint32_t shift = 0;
    if (flags & MK_SHIFT) shift |= kShiftKey;
    if (flags & MK_CONTROL) shift |= kCtrlKey;
    if (held.Alt) shift |= kAltKey;
    if (flags & MK_LBUTTON) shift |= kLeftButton;
    if (flags & MK_RBUTTON) shift |= kRightButton;
    if (flags & MK_MBUTTON) shift |= kMiddleButton;
    return shift;
}

std::uint32_t KeyShift(const HeldKeys& held) {
    std::uint32_t shift = 0;
    if (held.Shift) shift |= kShiftKey;
    if (held.Ctrl) shift |= kCtrlKey;
    if (held.Alt) shift |= kAltKey;
    if (held.Left) shift |= kLeftButton;
    if (held.Right) shift |= kRightButton;
    if (held.Middle) shift |= kMiddleButton;
    return shift;
}

std::optional<Event> TranslateInput(UINT msg, WPARAM wParam, LPARAM lParam, const HeldKeys& held) {
    Event e;
    if (const auto kind = MouseKindOf(msg)) {
        e.Kind = *kind;
        // Signed: under capture the pointer may be left of or above the window.
        e.X = static_cast<short>(LOWORD(lParam));
        e.Y = static_cast<short>(HIWORD(lParam));
        e.Button = ButtonOf(msg).value_or(MouseButton::Left);
        e.Shift = MouseShift(wParam, held);
        return e;
    }
    if (msg == WM_MOUSEWHEEL) {
        // The point is on the screen; the window turns it into client coordinates.
        e.Kind = EventKind::MouseWheel;
        e.X = static_cast<short>(LOWORD(lParam));
        e.Y = static_cast<short>(HIWORD(lParam));
        e.Delta = GET_WHEEL_DELTA_WPARAM(wParam);
        e.Shift = MouseShift(GET_KEYSTATE_WPARAM(wParam), held);
        return e;
    }
    switch (msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            e.Kind = EventKind::KeyDown;
            e.Key = static_cast<std::uint32_t>(wParam & 0xFF);
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            e.Kind = EventKind::KeyUp;
            e.Key = static_cast<std::uint32_t>(wParam & 0xFF);
            break;
        case WM_CHAR:
            e.Kind = EventKind::Char;
            e.Key = static_cast<std::uint32_t>(wParam & 0xFF);  // an ANSI window: one byte
            break;
        default:
            return std::nullopt;
    }
    e.Shift = KeyShift(held);
    return e;
}

}  // namespace zindra::platform::win32
