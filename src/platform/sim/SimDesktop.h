// The Desktop interface of one program on the simulated machine.
#pragma once

#include "platform/Desktop.h"
#include "platform/sim/SimProcess.h"

namespace zindra::platform::sim {

class SimDesktop final : public Desktop {
public:
    explicit SimDesktop(SimProcess& process) : process_(process), machine_(process.Machine()) {}

    void SetEventSink(EventSink* sink) override { process_.SetSink(sink); }
    void WaitForEvents(std::int64_t deadlineMs) override;
    void Wake() override { process_.WakeEvent().Set(); }

    WindowHandle CreateWindow(const WindowParams& params) override;
    WindowHandle CreateMessageWindow() override;
    void DestroyWindow(WindowHandle window) override;
    void SetWindowBounds(WindowHandle window, Rect bounds) override;
    Rect WindowBounds(WindowHandle window) override;
    bool ShowWindow(WindowHandle window, int command) override;
    bool IsWindowVisible(WindowHandle window) override;
    bool IsIconic(WindowHandle window) override;
    void SetWindowText(WindowHandle window, const std::string& text) override;
    void BringWindowToTop(WindowHandle window) override;
    void SetForegroundWindow(WindowHandle window) override;
    void EnableWindow(WindowHandle window, bool enabled) override;
    WindowHandle FindWindow(const char* className, const char* title) override;
    WindowHandle WindowFromPoint(Point screen) override { return machine_.Windows().At(screen, true); }
    void Present(WindowHandle window, const PixelView& frame, Rect dirty) override;
    bool PostMessage(WindowHandle window, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) override;

    void SetCapture(WindowHandle window) override;
    void ReleaseCapture() override;
    Point CursorPos() override;
    CursorHandle CreateCursor(const CursorImage& image) override;
    void SetCursor(CursorHandle cursor) override;

    int GetDeviceCaps(int index) override;
    int GetSystemMetrics(int index) override;
    bool EnumDisplaySettings(std::uint32_t modeNumber, DevModeA& mode) override;
    std::int32_t ChangeDisplaySettings(const DevModeA* mode, std::uint32_t flags) override;
    void BroadcastDisplayChange(std::uintptr_t wParam, std::intptr_t lParam) override;
    PixelFrame CaptureScreen(Rect area) override;
    std::uint32_t GetSysColor(int index) override;
    bool VisualStylesEnabled() override { return machine_.Themes().Enabled(); }
    void WatchThemeChanges(WindowHandle window, bool watch) override { machine_.Themes().Watch(window, watch); }
    std::vector<std::string> ScreenFontNames() override { return machine_.Config().ScreenFonts; }

    bool SystemParametersInfo(std::uint32_t action, std::uint32_t param, void* data, std::uint32_t winIni) override;
    bool RegisterHotKey(WindowHandle window, int id, std::uint32_t modifiers, std::uint32_t key) override;
    bool UnregisterHotKey(WindowHandle window, int id) override;

    std::int16_t GetKeyState(int key) override;
    bool GetKeyboardState(std::uint8_t (&state)[256]) override;
    bool SetKeyboardState(const std::uint8_t (&state)[256]) override;
    void KeybdEvent(std::uint8_t key, std::uint8_t scan, std::uint32_t flags) override;

    int MessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                   std::uint32_t type) override;

    ClipboardResult PutClipboardPicture(std::span<const std::uint8_t> packedDib) override {
        return machine_.Clipboard().Put(packedDib);
    }
    ClipboardResult GetClipboardPicture(std::vector<std::uint8_t>& packedDib) override {
        return machine_.Clipboard().Get(packedDib);
    }

    CursorHandle CurrentCursor() const { return cursor_; }

private:
    SimProcess& process_;
    SimMachine& machine_;
    CursorHandle cursor_ = 0;
};

}  // namespace zindra::platform::sim
