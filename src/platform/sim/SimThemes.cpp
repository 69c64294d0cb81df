// Visual styles on the simulated machine.
#include "platform/sim/SimThemes.h"

#include <algorithm>

namespace zindra::platform::sim {

bool SimThemes::Enabled() const {
    std::lock_guard lock(mutex_);
    return enabled_;
}

void SimThemes::SetEnabled(bool enabled) {
    std::vector<WindowHandle> watchers;
    {
        std::lock_guard lock(mutex_);
        enabled_ = enabled;
        watchers = watchers_;
    }
    journal_.Write("visual-styles", {{"on", enabled}});
    // Posted outside the lock: a watcher's program may ask for the new state at once.
    for (const WindowHandle window : watchers) {
        Event e;
        e.Kind = EventKind::Message;
        e.Window = window;
        e.Msg = WM_THEMECHANGED;
        windows_.Post(e);
    }
}

void SimThemes::Watch(WindowHandle window, bool watch) {
    std::lock_guard lock(mutex_);
    const auto it = std::find(watchers_.begin(), watchers_.end(), window);
    if (watch && it == watchers_.end()) watchers_.push_back(window);
    if (!watch && it != watchers_.end()) watchers_.erase(it);
}

}  // namespace zindra::platform::sim
