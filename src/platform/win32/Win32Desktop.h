// The Desktop of a Windows program: one borderless top-level window per form, hidden
// message-only windows, the message pump behind WaitForEvents, the screen and its display modes,
// the task bar, system parameters, hot keys, cursors and message boxes.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32CrashGuard.h"
#include "platform/win32/Win32FrameBuffer.h"
#include "platform/win32/Win32Themes.h"

namespace zindra::platform::win32 {

// Windows belong to the thread that makes them, so every method but Wake and PostMessage must be
// called on the thread that made this desktop, the user-interface thread. Window messages are
// handled (and turned into events) only while that thread is inside WaitForEvents, or in a modal
// loop of Windows' own, such as MessageBox's; from inside such a loop the event sink is served
// (EventSink::ServeNestedLoop) whenever an event comes or its next timer is due.
//
// A window made with NoActivate never keeps the activation: given it by someone else (another
// program restoring or raising it), it hands it on to the window of ours that had it last.
class Win32Desktop final : public Desktop {
public:
    // The clock stamps events; the guard records what is changed on the machine and is told
    // when the Windows session ends. Both must outlive the desktop.
    Win32Desktop(Clock& clock, Win32CrashGuard& guard);
    ~Win32Desktop() override;
    Win32Desktop(const Win32Desktop&) = delete;
    Win32Desktop& operator=(const Win32Desktop&) = delete;

    void SetEventSink(EventSink* sink) override { sink_.store(sink); }
    // Handles the waiting window messages, then waits for more, for Wake or for the deadline
    // (MsgWaitForMultipleObjects), then handles what came.
    void WaitForEvents(std::int64_t deadlineMs) override;
    void Wake() override;

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
    void AllowSetForegroundWindow(WindowHandle window) override;
    void EnableWindow(WindowHandle window, bool enabled) override;
    WindowHandle FindWindow(const char* className, const char* title) override;
    WindowHandle WindowFromPoint(Point screen) override;
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
    bool VisualStylesEnabled() override;  // Win32Themes.cpp
    void WatchThemeChanges(WindowHandle window, bool watch) override;
    std::vector<std::string> ScreenFontNames() override;

    bool SystemParametersInfo(std::uint32_t action, std::uint32_t param, void* data, std::uint32_t winIni) override;
    bool RegisterHotKey(WindowHandle window, int id, std::uint32_t modifiers, std::uint32_t key) override;
    bool UnregisterHotKey(WindowHandle window, int id) override;

    std::int16_t GetKeyState(int key) override;
    bool GetKeyboardState(std::uint8_t (&state)[256]) override;
    bool SetKeyboardState(const std::uint8_t (&state)[256]) override;
    void KeybdEvent(std::uint8_t key, std::uint8_t scan, std::uint32_t flags) override;

    int MessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                   std::uint32_t type) override;

    ClipboardResult PutClipboardPicture(std::span<const std::uint8_t> packedDib) override;
    ClipboardResult GetClipboardPicture(std::vector<std::uint8_t>& packedDib) override;

    // The picture kept for a window of ours, or nullptr; for tests.
    const Win32FrameBuffer* FrameOf(WindowHandle window) const;
    // Made at the first question about visual styles.
    Win32Themes& Themes();

private:
    struct WindowRecord {
        bool MessageOnly = false;
        bool NoActivate = false;
        bool Iconic = false;
        bool TrackingLeave = false;
        std::unique_ptr<Win32FrameBuffer> Frame = std::make_unique<Win32FrameBuffer>();
    };

    // Win32WindowProc.cpp: the window procedures.
    static LRESULT CALLBACK TopLevelProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MessageOnlyProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleTopLevel(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessageOnly(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    bool HandleWindowState(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void NoteIconic(HWND window, WindowRecord& record, bool iconic);
    void Paint(HWND window);
    static bool IsForwardedMessage(UINT msg);

    void Pump();
    void Send(Event event);
    void SendKind(HWND window, EventKind kind);
    void SendMessageEvent(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    WindowRecord* Find(HWND window);
    const char* ClassFor(const std::string& name);
    // Win32TaskBars.cpp: the main task bar and the second monitors' ones, hidden and shown as one.
    bool ShowTaskBar(HWND window, int command);
    void HideSecondaryTaskBars();
    void ShowSecondaryTaskBars();
    void KeepTaskBarHidden();

    // Win32NativeLoops.cpp: serving the event sink from a modal loop of Windows' own.
    void EnterNativeLoop();
    void LeaveNativeLoop();
    void ServeNativeLoop();
    void EndNativeLoops();
    static LRESULT CALLBACK ServeProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    // Win32WindowProc.cpp: activation.
    void NoteActivation(HWND window, const WindowRecord& record, WPARAM wParam);
    void HandOnActivation();

    Clock& clock_;
    Win32CrashGuard& guard_;
    HINSTANCE instance_;
    HANDLE wake_;
    std::atomic<EventSink*> sink_{nullptr};
    std::map<HWND, WindowRecord> windows_;
    std::vector<std::string> classes_;  // registered top-level classes
    HCURSOR arrow_;
    HCURSOR cursor_;
    std::vector<HCURSOR> cursors_;  // made by CreateCursor, destroyed with the desktop
    int selfShowing_ = 0;           // depth of our own ShowWindow calls
    bool releasingCapture_ = false;
    HWND lastActive_ = nullptr;   // the last window of ours that took the activation and may keep it
    HWND serveWindow_ = nullptr;  // its messages, dispatched by any loop, serve the sink
    std::atomic<int> nativeLoops_{0};
    std::unique_ptr<Win32Themes> themes_;
};

}  // namespace zindra::platform::win32
