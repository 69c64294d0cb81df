// The desktop a program runs on: its top-level and hidden windows, input, the pointer, the screen
// and its display modes, the task bar, system parameters, hot keys and message boxes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/Event.h"
#include "platform/Geometry.h"
#include "platform/PixelFrame.h"
#include "platform/Win32Types.h"

namespace zindra::platform {

struct WindowParams {
    std::string ClassName;  // "TApplication" for the application window, so other programs can find it
    std::string Title;
    Rect Bounds;           // screen coordinates; borderless, so also the client area
    bool TopMost = false;  // hint windows
    bool NoActivate = false;
    bool ShowInTaskBar = true;
};

// A cursor image: 32 by 32 or smaller, with its hot spot. Pixels with alpha 0 are transparent.
struct CursorImage {
    PixelFrame Image;
    Point HotSpot;
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // Where events for this program's windows go. Set once before any window exists.
    virtual void SetEventSink(EventSink* sink) = 0;
    // Blocks the user-interface thread until an event may be waiting, Wake is called, or the
    // clock reaches deadlineMs (kNoDeadline: no limit).
    static constexpr std::int64_t kNoDeadline = INT64_MAX;
    virtual void WaitForEvents(std::int64_t deadlineMs) = 0;
    // Thread-safe: ends a WaitForEvents that is under way or the next one.
    virtual void Wake() = 0;

    // Top-level windows. New windows start hidden.
    virtual WindowHandle CreateWindow(const WindowParams& params) = 0;
    // A window that is never shown and only receives Message events.
    virtual WindowHandle CreateMessageWindow() = 0;
    virtual void DestroyWindow(WindowHandle window) = 0;
    virtual void SetWindowBounds(WindowHandle window, Rect bounds) = 0;
    virtual Rect WindowBounds(WindowHandle window) = 0;
    virtual bool ShowWindow(WindowHandle window, int command) = 0;  // SW_ command; true if it was visible
    virtual bool IsWindowVisible(WindowHandle window) = 0;
    virtual bool IsIconic(WindowHandle window) = 0;
    virtual void SetWindowText(WindowHandle window, const std::string& text) = 0;
    virtual void BringWindowToTop(WindowHandle window) = 0;
    virtual void SetForegroundWindow(WindowHandle window) = 0;
    // Lets the program that owns window (another one) bring itself to the front, as a program in
    // front may; a desktop without foreground rules has nothing to allow.
    virtual void AllowSetForegroundWindow(WindowHandle) {}
    virtual void EnableWindow(WindowHandle window, bool enabled) = 0;
    virtual WindowHandle FindWindow(const char* className, const char* title) = 0;
    // The visible, not minimised top-level window under a screen point, or 0.
    virtual WindowHandle WindowFromPoint(Point screen) = 0;
    // Shows a finished frame of the whole window; dirty is the part that changed.
    virtual void Present(WindowHandle window, const PixelView& frame, Rect dirty) = 0;
    virtual bool PostMessage(WindowHandle window, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) = 0;

    // Pointer and capture.
    virtual void SetCapture(WindowHandle window) = 0;
    virtual void ReleaseCapture() = 0;
    virtual Point CursorPos() = 0;
    virtual CursorHandle CreateCursor(const CursorImage& image) = 0;
    virtual void SetCursor(CursorHandle cursor) = 0;  // 0: the standard arrow

    // Screen and display modes.
    virtual int GetDeviceCaps(int index) = 0;
    virtual int GetSystemMetrics(int index) = 0;
    virtual bool EnumDisplaySettings(std::uint32_t modeNumber, DevModeA& mode) = 0;
    virtual std::int32_t ChangeDisplaySettings(const DevModeA* mode, std::uint32_t flags) = 0;
    // SendMessage(HWND_BROADCAST, WM_DISPLAYCHANGE, wParam, lParam).
    virtual void BroadcastDisplayChange(std::uintptr_t wParam, std::intptr_t lParam) = 0;
    virtual PixelFrame CaptureScreen(Rect area) = 0;
    virtual std::uint32_t GetSysColor(int index) = 0;
    // Whether visual styles are on (the system's themes are active and apply to this program).
    virtual bool VisualStylesEnabled() = 0;
    // While watched, a hidden message window gets WM_THEMECHANGED whenever the user switches
    // visual styles or the theme, after which VisualStylesEnabled gives the new answer.
    virtual void WatchThemeChanges(WindowHandle window, bool watch) = 0;
    // The names of the screen fonts the windowing layer offers, in the order it lists them.
    virtual std::vector<std::string> ScreenFontNames() = 0;

    // SystemParametersInfoA; param and data as the action defines them.
    virtual bool SystemParametersInfo(std::uint32_t action, std::uint32_t param, void* data, std::uint32_t winIni) = 0;

    // Hot keys: a registered combination arrives as a WM_HOTKEY Message on the window.
    virtual bool RegisterHotKey(WindowHandle window, int id, std::uint32_t modifiers, std::uint32_t key) = 0;
    virtual bool UnregisterHotKey(WindowHandle window, int id) = 0;

    // Keyboard state for the lock keys.
    virtual std::int16_t GetKeyState(int key) = 0;
    virtual bool GetKeyboardState(std::uint8_t (&state)[256]) = 0;
    virtual bool SetKeyboardState(const std::uint8_t (&state)[256]) = 0;
    virtual void KeybdEvent(std::uint8_t key, std::uint8_t scan, std::uint32_t flags) = 0;

    // A modal message box; returns IDOK, IDYES, IDNO or IDCANCEL. A back end whose system runs
    // the box's loop serves the event sink from it (EventSink::ServeNestedLoop), and ends the box
    // with IDCANCEL when the sink says the program is ending.
    virtual int MessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                           std::uint32_t type) = 0;

    // The clipboard's picture as a packed device-independent bitmap (CF_DIB: the header, any
    // masks and colour table, then the rows). Putting one replaces everything the clipboard held.
    // Unavailable: the clipboard could not be opened (another program held it longer than the
    // back end waits) or could not take the data.
    enum class ClipboardResult { Done, Unavailable, NoPicture };
    virtual ClipboardResult PutClipboardPicture(std::span<const std::uint8_t> packedDib) = 0;
    virtual ClipboardResult GetClipboardPicture(std::vector<std::uint8_t>& packedDib) = 0;
};

}  // namespace zindra::platform
