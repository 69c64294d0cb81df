// Routing of scripted pointer and keyboard input to the windows of the simulated machine.
#include "platform/sim/SimInput.h"

#include "platform/CodePage1252.h"
#include "platform/sim/SimMachine.h"

#include <cctype>
#include <cstring>

namespace zindra::platform::sim {

namespace {

struct NamedKey {
    const char* Name;
    std::uint32_t Code;
};

constexpr NamedKey kNamedKeys[] = {
    {"Enter", VK_RETURN},  {"Escape", VK_ESCAPE}, {"Tab", VK_TAB},   {"Backspace", VK_BACK},
    {"Delete", VK_DELETE}, {"Space", VK_SPACE},   {"Left", VK_LEFT}, {"Right", VK_RIGHT},
    {"Up", VK_UP},         {"Down", VK_DOWN},     {"Home", VK_HOME}, {"End", VK_END},
};

std::uint32_t ButtonBit(MouseButton b) {
    switch (b) {
        case MouseButton::Left:
            return kLeftButton;
        case MouseButton::Right:
            return kRightButton;
        default:
            return kMiddleButton;
    }
}

// The character a key produces on a US keyboard, if any.
std::optional<char> CharacterOf(std::uint32_t vk, std::uint32_t modifiers) {
    const bool shift = modifiers & MOD_SHIFT;
    if (modifiers & MOD_ALT) return std::nullopt;
    if (vk >= 'A' && vk <= 'Z') {
        if (modifiers & MOD_CONTROL) return static_cast<char>(vk - 'A' + 1);
        return static_cast<char>(shift ? vk : vk + 32);
    }
    if (modifiers & MOD_CONTROL) return std::nullopt;
    if (vk >= '0' && vk <= '9') return shift ? ")!@#$%^&*("[vk - '0'] : static_cast<char>(vk);
    switch (vk) {
        case VK_RETURN:
            return '\r';
        case VK_ESCAPE:
            return '\x1b';
        case VK_TAB:
            return '\t';
        case VK_BACK:
            return '\b';
        case VK_SPACE:
            return ' ';
        default:
            return std::nullopt;
    }
}

// The key and shift that type a character on a US keyboard; VK_PACKET for characters without a
// key, as Windows reports text that arrives other than through a key of the layout.
std::pair<std::uint32_t, bool> KeyForCharacter(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') return {u, true};
    if (u >= 'a' && u <= 'z') return {u - 0x20u, false};
    if (u >= '0' && u <= '9') return {u, false};
    if (c == ' ') return {VK_SPACE, false};
    const char* shifted = std::strchr(")!@#$%^&*(", c);
    if (shifted && c) return {static_cast<std::uint32_t>('0' + (shifted - ")!@#$%^&*(")), true};
    static constexpr struct {
        char Plain, Shifted;
        std::uint32_t Code;
    } kPunctuation[] = {{';', ':', 0xBA},  {'=', '+', 0xBB}, {',', '<', 0xBC}, {'-', '_', 0xBD},
                        {'.', '>', 0xBE},  {'/', '?', 0xBF}, {'`', '~', 0xC0}, {'[', '{', 0xDB},
                        {'\\', '|', 0xDC}, {']', '}', 0xDD}, {'\'', '"', 0xDE}};
    for (const auto& p : kPunctuation) {
        if (c == p.Plain) return {p.Code, false};
        if (c == p.Shifted) return {p.Code, true};
    }
    return {VK_PACKET, false};
}

}  // namespace

std::optional<std::uint32_t> KeyCodeOf(std::string_view name) {
    if (name.size() == 1) {
        const auto u = static_cast<unsigned char>(name[0]);
        if (std::isupper(u) || std::isdigit(u)) return u;
        return std::nullopt;
    }
    for (const NamedKey& k : kNamedKeys) {
        if (name == k.Name) return k.Code;
    }
    if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F') {
        const int n = std::atoi(std::string(name.substr(1)).c_str());
        if (n >= 1 && n <= 12) return VK_F1 + static_cast<std::uint32_t>(n - 1);
    }
    return std::nullopt;
}

MouseButton SimInput::Logical(MouseButton physical) const {
    if (!machine_.Settings().MouseButtonsSwapped() || physical == MouseButton::Middle) return physical;
    return physical == MouseButton::Left ? MouseButton::Right : MouseButton::Left;
}

void SimInput::SendMouse(EventKind kind, MouseButton button, int delta) {
    SimWindows& windows = machine_.Windows();
    WindowHandle target = windows.Capture();
    if (!target) target = windows.At(cursor_);
    const auto w = windows.Get(target);
    if (!w || !w->Owner || !w->Enabled) return;  // a disabled window drops input, as under a modal box
    if (kind == EventKind::MouseDown && windows.Foreground() != target && !w->NoActivate) {
        windows.SetForeground(target);
    }
    Event e;
    e.Kind = kind;
    e.Window = target;
    e.X = cursor_.X - w->Bounds.Left;
    e.Y = cursor_.Y - w->Bounds.Top;
    e.Button = button;
    e.Shift = buttons_;
    e.Delta = delta;
    windows.Post(e);
}

void SimInput::MoveTo(int x, int y) {
    if (cursor_ == Point{x, y}) return;
    cursor_ = {x, y};
    SendMouse(EventKind::MouseMove, MouseButton::Left);
}

void SimInput::Press(int x, int y, MouseButton physical) {
    MoveTo(x, y);
    const MouseButton b = Logical(physical);
    buttons_ |= ButtonBit(b);
    SendMouse(EventKind::MouseDown, b);
}

void SimInput::Release(int x, int y, MouseButton physical) {
    MoveTo(x, y);
    const MouseButton b = Logical(physical);
    buttons_ &= ~ButtonBit(b);
    SendMouse(EventKind::MouseUp, b);
}

void SimInput::Click(int x, int y, MouseButton physical) {
    Press(x, y, physical);
    Release(x, y, physical);
}

// Goes where the pointer is (or to the window holding the capture), as on a desktop that scrolls
// the window under the pointer.
void SimInput::Wheel(int x, int y, int delta) {
    MoveTo(x, y);
    SendMouse(EventKind::MouseWheel, MouseButton::Left, delta);
}

std::uint32_t SimInput::ShiftState(std::uint32_t modifiers) const {
    std::uint32_t s = buttons_;
    if (modifiers & MOD_SHIFT) s |= kShiftKey;
    if (modifiers & MOD_CONTROL) s |= kCtrlKey;
    if (modifiers & MOD_ALT) s |= kAltKey;
    return s;
}

void SimInput::SendKey(std::uint32_t virtualKey, std::uint32_t modifiers, std::optional<char> character) {
    SimWindows& windows = machine_.Windows();
    const WindowHandle target = windows.Foreground();
    const auto w = windows.Get(target);
    machine_.Settings().KeyEvent(static_cast<std::uint8_t>(virtualKey), false);
    if (w && w->Owner && w->Enabled) {
        Event e;
        e.Window = target;
        e.Key = virtualKey;
        e.Shift = ShiftState(modifiers);
        e.Kind = EventKind::KeyDown;
        windows.Post(e);
        if (character) {
            e.Kind = EventKind::Char;
            e.Key = static_cast<unsigned char>(*character);
            windows.Post(e);
        }
        e.Kind = EventKind::KeyUp;
        e.Key = virtualKey;
        windows.Post(e);
    }
    machine_.Settings().KeyEvent(static_cast<std::uint8_t>(virtualKey), true);
}

void SimInput::Key(std::uint32_t virtualKey, std::uint32_t modifiers) {
    if (modifiers != 0) {
        if (const auto hot = machine_.HotKeys().Match(modifiers, virtualKey)) {
            Event e;
            e.Kind = EventKind::Message;
            e.Window = hot->Window;
            e.Msg = WM_HOTKEY;
            e.WParam = static_cast<std::uintptr_t>(hot->Id);
            e.LParam = static_cast<std::intptr_t>(modifiers | (virtualKey << 16));
            machine_.Windows().Post(e);
            return;
        }
    }
    SendKey(virtualKey, modifiers, CharacterOf(virtualKey, modifiers));
}

void SimInput::Type(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        // A character the code page lacks arrives as '?', as the system converts it for the
        // program's ANSI windows; so does a malformed byte.
        const Utf8Char u = DecodeUtf8(text, i);
        i += u.Length ? u.Length : 1;
        const auto ansi = u.Length ? UnicodeToAnsi(u.CodePoint) : std::nullopt;
        const char c = ansi ? static_cast<char>(*ansi) : '?';
        const auto [vk, shift] = KeyForCharacter(c);
        SendKey(vk, shift ? MOD_SHIFT : 0, c);
    }
}

}  // namespace zindra::platform::sim
