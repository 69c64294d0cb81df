// Window bookkeeping, z-order, activation and frame composition of the simulated desktop.
#include "platform/sim/SimWindows.h"

#include <algorithm>
#include <cstring>

namespace zindra::platform::sim {

namespace {

const char* StateName(const SimWindow& w) {
    if (!w.Visible) return "hidden";
    return w.Iconic ? "minimized" : "normal";
}

bool Eligible(const SimWindow& w) {
    return w.Visible && !w.Iconic && !w.MessageOnly;
}

}  // namespace

SimWindow* SimWindows::Find(WindowHandle window) {
    for (SimWindow& w : windows_) {
        if (w.Handle == window) return &w;
    }
    return nullptr;
}

const SimWindow* SimWindows::Find(WindowHandle window) const {
    for (const SimWindow& w : windows_) {
        if (w.Handle == window) return &w;
    }
    return nullptr;
}

WindowHandle SimWindows::Create(SimEventTarget* owner, const WindowParams& params, bool messageOnly) {
    std::lock_guard lock(mutex_);
    SimWindow w;
    w.Handle = nextHandle_;
    nextHandle_ += 0x10;
    w.Owner = owner;
    w.ClassName = params.ClassName;
    w.Title = params.Title;
    w.Bounds = params.Bounds;
    w.TopMost = params.TopMost;
    w.NoActivate = params.NoActivate;
    w.MessageOnly = messageOnly;
    windows_.push_back(std::move(w));
    if (!messageOnly) zOrder_.push_back(windows_.back().Handle);
    return windows_.back().Handle;
}

void SimWindows::Destroy(WindowHandle window) {
    std::lock_guard lock(mutex_);
    if (!Find(window)) return;
    if (capture_ == window) capture_ = 0;
    if (foreground_ == window) ActivateNextAfterLeaving(window);
    std::erase(zOrder_, window);
    std::erase_if(windows_, [&](const SimWindow& w) { return w.Handle == window; });
}

void SimWindows::DestroyAllOf(const SimEventTarget* owner) {
    std::lock_guard lock(mutex_);
    std::vector<WindowHandle> doomed;
    for (const SimWindow& w : windows_) {
        if (w.Owner == owner) doomed.push_back(w.Handle);
    }
    for (WindowHandle h : doomed)
        Destroy(h);
}

std::optional<SimWindow> SimWindows::Get(WindowHandle window) const {
    std::lock_guard lock(mutex_);
    const SimWindow* w = Find(window);
    if (!w) return std::nullopt;
    SimWindow copy = *w;
    copy.Frame = {};
    return copy;
}

void SimWindows::SetBounds(WindowHandle window, Rect bounds) {
    std::lock_guard lock(mutex_);
    SimWindow* w = Find(window);
    if (!w || w->Bounds == bounds) return;
    w->Bounds = bounds;
    if (w->Visible && !w->MessageOnly && w->Owner) NoteState(*w);
}

bool SimWindows::Show(const SimEventTarget* caller, WindowHandle window, int command) {
    std::lock_guard lock(mutex_);
    SimWindow* w = Find(window);
    if (!w || w->MessageOnly) return false;
    const bool wasVisible = w->Visible;
    const bool wasIconic = w->Iconic;
    switch (command) {
        case SW_HIDE:
            w->Visible = false;
            if (foreground_ == window) ActivateNextAfterLeaving(window);
            break;
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
        case SW_SHOWMINNOACTIVE:
            w->Visible = true;
            w->Iconic = true;
            if (foreground_ == window) ActivateNextAfterLeaving(window);
            break;
        default:
            w->Visible = true;
            w->Iconic = false;
            Raise(window);
            if (!w->NoActivate && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE) Activate(window);
            break;
    }
    if ((wasVisible != w->Visible || wasIconic != w->Iconic) && caller) {
        if (w->ClassName == "Shell_TrayWnd") {
            journal_.Write("taskbar", {{"visible", w->Visible}});
        } else {
            NoteState(*w);
        }
        if (w->Owner && caller != w->Owner && wasIconic != w->Iconic) {
            Event e;
            e.Kind = EventKind::ShowState;
            e.Window = window;
            e.Key = static_cast<std::uint32_t>(w->Iconic ? SW_MINIMIZE : SW_RESTORE);
            w->Owner->Deliver(e);
        }
    }
    return wasVisible;
}

void SimWindows::NoteState(const SimWindow& w) {
    const Rect& b = w.Bounds;
    journal_.Write("window",
                   {{"title", w.Title},
                    {"class", w.ClassName},
                    {"state", StateName(w)},
                    {"bounds", JsonText{"[" + std::to_string(b.Left) + "," + std::to_string(b.Top) + "," +
                                        std::to_string(b.Width()) + "," + std::to_string(b.Height()) + "]"}}});
}

void SimWindows::SetText(WindowHandle window, const std::string& text) {
    std::lock_guard lock(mutex_);
    if (SimWindow* w = Find(window)) w->Title = text;
}

void SimWindows::BringToTop(WindowHandle window) {
    std::lock_guard lock(mutex_);
    if (Find(window)) Raise(window);
}

void SimWindows::SetForeground(WindowHandle window) {
    std::lock_guard lock(mutex_);
    SimWindow* w = Find(window);
    if (!w || w->MessageOnly) return;
    Raise(window);
    Activate(window);
}

void SimWindows::Enable(WindowHandle window, bool enabled) {
    std::lock_guard lock(mutex_);
    if (SimWindow* w = Find(window)) w->Enabled = enabled;
}

WindowHandle SimWindows::Find(const char* className, const char* title) const {
    std::lock_guard lock(mutex_);
    for (const SimWindow& w : windows_) {
        if (w.MessageOnly) continue;
        if (className && w.ClassName != className) continue;
        if (title && w.Title != title) continue;
        return w.Handle;
    }
    return 0;
}

void SimWindows::Present(WindowHandle window, const PixelView& frame) {
    std::lock_guard lock(mutex_);
    SimWindow* w = Find(window);
    if (!w) return;
    w->Frame.Width = frame.Width;
    w->Frame.Height = frame.Height;
    w->Frame.Pixels.resize(static_cast<std::size_t>(frame.Width) * frame.Height);
    for (int y = 0; y < frame.Height; ++y) {
        std::memcpy(&w->Frame.At(0, y), frame.Row(y), sizeof(Pixel) * static_cast<std::size_t>(frame.Width));
    }
}

bool SimWindows::Post(const Event& event) {
    std::lock_guard lock(mutex_);
    const SimWindow* w = Find(event.Window);
    if (!w || !w->Owner) return false;
    w->Owner->Deliver(event);
    return true;
}

void SimWindows::SetCapture(WindowHandle window) {
    std::lock_guard lock(mutex_);
    if (capture_ == window || !Find(window)) return;
    if (const SimWindow* old = Find(capture_)) Send(*old, EventKind::CaptureLost);
    capture_ = window;
}

void SimWindows::ReleaseCapture(const SimEventTarget* caller) {
    std::lock_guard lock(mutex_);
    const SimWindow* w = Find(capture_);
    if (w && w->Owner == caller) capture_ = 0;
}

WindowHandle SimWindows::Capture() const {
    std::lock_guard lock(mutex_);
    return capture_;
}

WindowHandle SimWindows::Foreground() const {
    std::lock_guard lock(mutex_);
    return foreground_;
}

WindowHandle SimWindows::At(Point screen, bool enabledOnly) const {
    std::lock_guard lock(mutex_);
    for (auto it = zOrder_.rbegin(); it != zOrder_.rend(); ++it) {
        const SimWindow* w = Find(*it);
        if (w && Eligible(*w) && (w->Enabled || !enabledOnly) && w->Bounds.Contains(screen)) return w->Handle;
    }
    return 0;
}

void SimWindows::Raise(WindowHandle window) {
    std::erase(zOrder_, window);
    // Top-most windows stay above the rest; a raised ordinary window goes just below them.
    const SimWindow* w = Find(window);
    auto at = zOrder_.end();
    if (w && !w->TopMost) {
        at = std::find_if(zOrder_.begin(), zOrder_.end(), [&](WindowHandle h) {
            const SimWindow* o = Find(h);
            return o && o->TopMost;
        });
    }
    zOrder_.insert(at, window);
}

void SimWindows::Activate(WindowHandle window) {
    if (foreground_ == window) return;
    if (const SimWindow* old = Find(foreground_)) Send(*old, EventKind::Deactivate);
    foreground_ = window;
    if (const SimWindow* now = Find(window)) Send(*now, EventKind::Activate);
}

// When the active window hides or minimises, the topmost remaining ordinary window of any
// program becomes active, as the window manager does.
void SimWindows::ActivateNextAfterLeaving(WindowHandle leaving) {
    WindowHandle next = 0;
    for (auto it = zOrder_.rbegin(); it != zOrder_.rend(); ++it) {
        const SimWindow* w = Find(*it);
        if (*it != leaving && w && Eligible(*w) && !w->NoActivate && w->Owner) {
            next = *it;
            break;
        }
    }
    if (const SimWindow* old = Find(foreground_)) Send(*old, EventKind::Deactivate);
    foreground_ = 0;
    if (next) Activate(next);
}

void SimWindows::Send(const SimWindow& window, EventKind kind) {
    if (!window.Owner) return;
    Event e;
    e.Kind = kind;
    e.Window = window.Handle;
    window.Owner->Deliver(e);
}

void SimWindows::Compose(PixelFrame& screen) const {
    std::lock_guard lock(mutex_);
    for (WindowHandle h : zOrder_) {
        const SimWindow* w = Find(h);
        if (!w || !Eligible(*w) || w->Frame.Pixels.empty()) continue;
        for (int y = 0; y < w->Frame.Height; ++y) {
            const int sy = w->Bounds.Top + y;
            if (sy < 0 || sy >= screen.Height) continue;
            const int x0 = std::max(0, -w->Bounds.Left);
            const int x1 = std::min(w->Frame.Width, screen.Width - w->Bounds.Left);
            if (x1 <= x0) continue;
            const Pixel* source = w->Frame.Pixels.data() + static_cast<std::size_t>(y) * w->Frame.Width + x0;
            std::memcpy(&screen.At(w->Bounds.Left + x0, sy), source, sizeof(Pixel) * static_cast<std::size_t>(x1 - x0));
        }
    }
}

}  // namespace zindra::platform::sim
