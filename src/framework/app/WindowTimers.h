// Window timers (SetTimer on a window): owned by the message loop, due by the platform's clock,
// delivered as WM_TIMER when nothing else is waiting, never piling up.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/Win32Types.h"

namespace zindra {

class WindowTimers {
public:
    struct Due {
        platform::WindowHandle Window;
        std::uintptr_t Id;
    };

    // Starts or restarts the timer (window, id); intervals below 10 ms are 10 ms, as on Windows.
    void Set(platform::WindowHandle window, std::uintptr_t id, std::uint32_t intervalMs, std::int64_t now);
    bool Kill(platform::WindowHandle window, std::uintptr_t id);
    void KillAll(platform::WindowHandle window);
    // The earliest timer due at `now`, which then waits a full interval again.
    std::optional<Due> TakeDue(std::int64_t now);
    // When the next timer falls due; INT64_MAX when none runs.
    std::int64_t NextDue() const;

private:
    struct Timer {
        platform::WindowHandle Window;
        std::uintptr_t Id;
        std::uint32_t Interval;
        std::int64_t DueAt;
    };
    std::vector<Timer> timers_;
};

}  // namespace zindra
