// The visual-style setting of the simulated machine, and the theme-changed notice its watchers get
// when a test or script switches it, as every window hears of a theme switch on Windows.
#pragma once

#include <mutex>
#include <vector>

#include "platform/sim/Journal.h"
#include "platform/sim/SimWindows.h"

namespace zindra::platform::sim {

class SimThemes {
public:
    SimThemes(bool enabled, Journal& journal, SimWindows& windows)
        : enabled_(enabled), journal_(journal), windows_(windows) {}

    bool Enabled() const;
    // Journals the switch ("visual-styles", on) and posts WM_THEMECHANGED to every watcher, also
    // when the value stays (the user may pick another theme with styles still on).
    void SetEnabled(bool enabled);
    void Watch(WindowHandle window, bool watch);

private:
    mutable std::mutex mutex_;
    bool enabled_;
    Journal& journal_;
    SimWindows& windows_;
    std::vector<WindowHandle> watchers_;
};

}  // namespace zindra::platform::sim
