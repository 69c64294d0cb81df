// The simulated window manager: every top-level and message window on the machine, their
// z-order, activation and mouse capture, and the frames they last presented.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "platform/sim/Journal.h"

namespace zindra::platform::sim {

// Whoever receives a window's events: a program on the machine.
class SimEventTarget {
public:
    virtual ~SimEventTarget() = default;
    virtual void Deliver(const Event& event) = 0;
};

struct SimWindow {
    WindowHandle Handle = 0;
    SimEventTarget* Owner = nullptr;  // null: the machine's own (the task bar)
    std::string ClassName;
    std::string Title;
    Rect Bounds;
    bool Visible = false;
    bool Iconic = false;
    bool Enabled = true;
    bool TopMost = false;
    bool NoActivate = false;
    bool MessageOnly = false;
    PixelFrame Frame;
};

class SimWindows {
public:
    explicit SimWindows(Journal& journal) : journal_(journal) {}

    WindowHandle Create(SimEventTarget* owner, const WindowParams& params, bool messageOnly);
    void Destroy(WindowHandle window);
    void DestroyAllOf(const SimEventTarget* owner);
    std::optional<SimWindow> Get(WindowHandle window) const;  // a copy without the frame
    void SetBounds(WindowHandle window, Rect bounds);
    // The caller is the program asking; a program changing another's window tells the owner.
    bool Show(const SimEventTarget* caller, WindowHandle window, int command);
    void SetText(WindowHandle window, const std::string& text);
    void BringToTop(WindowHandle window);
    void SetForeground(WindowHandle window);
    void Enable(WindowHandle window, bool enabled);
    WindowHandle Find(const char* className, const char* title) const;
    void Present(WindowHandle window, const PixelView& frame);
    bool Post(const Event& event);  // to the owner of event.Window

    void SetCapture(WindowHandle window);
    void ReleaseCapture(const SimEventTarget* caller);
    WindowHandle Capture() const;
    WindowHandle Foreground() const;
    // The visible, not minimised window under a screen point, top first; enabledOnly passes over
    // disabled windows, as WindowFromPoint does (input still goes to them).
    WindowHandle At(Point screen, bool enabledOnly = false) const;
    // Draws every visible window bottom to top onto the screen picture.
    void Compose(PixelFrame& screen) const;

private:
    SimWindow* Find(WindowHandle window);
    const SimWindow* Find(WindowHandle window) const;
    void Raise(WindowHandle window);
    void Activate(WindowHandle window);
    void ActivateNextAfterLeaving(WindowHandle leaving);
    void Send(const SimWindow& window, EventKind kind);
    void NoteState(const SimWindow& window);

    Journal& journal_;
    mutable std::recursive_mutex mutex_;
    std::vector<SimWindow> windows_;    // in creation order
    std::vector<WindowHandle> zOrder_;  // bottom first
    WindowHandle nextHandle_ = 0x10010;
    WindowHandle foreground_ = 0;
    WindowHandle capture_ = 0;
};

}  // namespace zindra::platform::sim
