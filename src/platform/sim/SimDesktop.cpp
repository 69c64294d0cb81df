// The simulated desktop as one program sees it: everything goes to the shared machine.
#include "platform/sim/SimDesktop.h"

#include <algorithm>

#include "platform/sim/SimAudio.h"

namespace zindra::platform::sim {

void SimDesktop::WaitForEvents(std::int64_t deadlineMs) {
    SimAudio& audio = process_.SimulatedAudio();
    const std::int64_t next = std::min(deadlineMs, audio.NextDeadline());
    Clock& clock = machine_.Clock();
    std::uint32_t timeout = kInfinite;
    if (next != kNoDeadline) {
        timeout = static_cast<std::uint32_t>(std::clamp<std::int64_t>(next - clock.NowMs(), 0, kInfinite - 1));
    }
    clock.WaitAny({&process_.WakeEvent()}, timeout);
    audio.FireDue();
}

WindowHandle SimDesktop::CreateWindow(const WindowParams& params) {
    return machine_.Windows().Create(&process_, params, false);
}

WindowHandle SimDesktop::CreateMessageWindow() {
    return machine_.Windows().Create(&process_, {}, true);
}

void SimDesktop::DestroyWindow(WindowHandle window) {
    machine_.HotKeys().UnregisterAllOf(window);
    machine_.Themes().Watch(window, false);
    machine_.Windows().Destroy(window);
}

void SimDesktop::SetWindowBounds(WindowHandle window, Rect bounds) {
    machine_.Windows().SetBounds(window, bounds);
}

Rect SimDesktop::WindowBounds(WindowHandle window) {
    const auto w = machine_.Windows().Get(window);
    return w ? w->Bounds : Rect{};
}

bool SimDesktop::ShowWindow(WindowHandle window, int command) {
    return machine_.Windows().Show(&process_, window, command);
}

bool SimDesktop::IsWindowVisible(WindowHandle window) {
    const auto w = machine_.Windows().Get(window);
    return w && w->Visible;
}

bool SimDesktop::IsIconic(WindowHandle window) {
    const auto w = machine_.Windows().Get(window);
    return w && w->Iconic;
}

void SimDesktop::SetWindowText(WindowHandle window, const std::string& text) {
    machine_.Windows().SetText(window, text);
}

void SimDesktop::BringWindowToTop(WindowHandle window) {
    machine_.Windows().BringToTop(window);
}
void SimDesktop::SetForegroundWindow(WindowHandle window) {
    machine_.Windows().SetForeground(window);
}
void SimDesktop::EnableWindow(WindowHandle window, bool enabled) {
    machine_.Windows().Enable(window, enabled);
}

WindowHandle SimDesktop::FindWindow(const char* className, const char* title) {
    return machine_.Windows().Find(className, title);
}

void SimDesktop::Present(WindowHandle window, const PixelView& frame, Rect) {
    machine_.Windows().Present(window, frame);
}

bool SimDesktop::PostMessage(WindowHandle window, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    Event e;
    e.Kind = EventKind::Message;
    e.Window = window;
    e.Msg = msg;
    e.WParam = wParam;
    e.LParam = lParam;
    return machine_.Windows().Post(e);
}

void SimDesktop::SetCapture(WindowHandle window) {
    machine_.Windows().SetCapture(window);
}
void SimDesktop::ReleaseCapture() {
    machine_.Windows().ReleaseCapture(&process_);
}
Point SimDesktop::CursorPos() {
    return machine_.Input().Cursor();
}

CursorHandle SimDesktop::CreateCursor(const CursorImage& image) {
    return machine_.Pointer().Create(image);
}

void SimDesktop::SetCursor(CursorHandle cursor) {
    cursor_ = cursor;
    machine_.Pointer().Set(cursor);
}

int SimDesktop::GetDeviceCaps(int index) {
    return machine_.Screen().GetDeviceCaps(index);
}

int SimDesktop::GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN:
            return machine_.Screen().Current().Width;
        case SM_CYSCREEN:
            return machine_.Screen().Current().Height;
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
            return 16;
        case SM_SWAPBUTTON:
            return machine_.Settings().MouseButtonsSwapped() ? 1 : 0;
        default:
            return 0;
    }
}

bool SimDesktop::EnumDisplaySettings(std::uint32_t modeNumber, DevModeA& mode) {
    return machine_.Screen().EnumDisplaySettings(modeNumber, mode);
}

std::int32_t SimDesktop::ChangeDisplaySettings(const DevModeA* mode, std::uint32_t flags) {
    const std::int32_t result = machine_.Screen().ChangeDisplaySettings(mode, flags);
    if (result != DISP_CHANGE_SUCCESSFUL) return result;
    machine_.PlaceTaskBar();
    // The caller is held as long as the driver takes; other threads go on meanwhile.
    if (const std::uint32_t ms = machine_.Config().DisplayChangeMs) machine_.Clock().Sleep(ms);
    return result;
}

void SimDesktop::BroadcastDisplayChange(std::uintptr_t wParam, std::intptr_t lParam) {
    machine_.GetJournal().Write("broadcast", {{"msg", WM_DISPLAYCHANGE},
                                              {"wparam", static_cast<std::int64_t>(wParam)},
                                              {"lparam", static_cast<std::int64_t>(lParam)}});
}

PixelFrame SimDesktop::CaptureScreen(Rect area) {
    const PixelFrame screen = machine_.Screenshot();
    const Rect clipped = area.Intersect({0, 0, screen.Width, screen.Height});
    PixelFrame out(area.Width(), area.Height(), 0xFF000000u);
    for (int y = clipped.Top; y < clipped.Bottom; ++y) {
        for (int x = clipped.Left; x < clipped.Right; ++x)
            out.At(x - area.Left, y - area.Top) = screen.At(x, y);
    }
    return out;
}

std::uint32_t SimDesktop::GetSysColor(int index) {
    // The classic scheme as COLORREF (0x00BBGGRR), indices 0 (scroll bar) to 30 (menu bar).
    static constexpr std::uint32_t kScheme[31] = {
        0xC0C0C0, 0xA56E3A, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF, 0xC0C0C0,
        0xC0C0C0, 0x808080, 0x6A240A, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080, 0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000,
        0xDFDFDF, 0x000000, 0xE1FFFF, 0xC0C0C0, 0x800000, 0xF0CAA6, 0xC0C0C0, 0x6A240A, 0xC0C0C0};
    return index >= 0 && index < 31 ? kScheme[index] : 0;
}

bool SimDesktop::SystemParametersInfo(std::uint32_t action, std::uint32_t param, void* data, std::uint32_t winIni) {
    return machine_.Settings().SystemParametersInfo(action, param, data, winIni);
}

bool SimDesktop::RegisterHotKey(WindowHandle window, int id, std::uint32_t modifiers, std::uint32_t key) {
    return machine_.HotKeys().Register(window, id, modifiers, key);
}

bool SimDesktop::UnregisterHotKey(WindowHandle window, int id) {
    return machine_.HotKeys().Unregister(window, id);
}

std::int16_t SimDesktop::GetKeyState(int key) {
    return machine_.Settings().GetKeyState(key);
}

bool SimDesktop::GetKeyboardState(std::uint8_t (&state)[256]) {
    machine_.Settings().GetKeyboardState(state);
    return true;
}

bool SimDesktop::SetKeyboardState(const std::uint8_t (&state)[256]) {
    machine_.Settings().SetKeyboardState(state);
    machine_.GetJournal().Write("keyboard-state", {});
    return true;
}

void SimDesktop::KeybdEvent(std::uint8_t key, std::uint8_t scan, std::uint32_t flags) {
    const bool up = (flags & 2) != 0;
    machine_.Settings().KeyEvent(key, up);
    machine_.GetJournal().Write("key-event", {{"vk", key}, {"scan", scan}, {"flags", flags}});
}

int SimDesktop::MessageBox(WindowHandle, const std::string& text, const std::string& caption, std::uint32_t type) {
    return machine_.MessageBoxes().Show(text, caption, type);
}

}  // namespace zindra::platform::sim
