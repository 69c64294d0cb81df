// Bookkeeping of window timers.
#include "framework/app/WindowTimers.h"

#include <algorithm>
#include <limits>

namespace zindra {

void WindowTimers::Set(platform::WindowHandle window, std::uintptr_t id, std::uint32_t intervalMs, std::int64_t now) {
    const std::uint32_t interval = std::max<std::uint32_t>(intervalMs, 10);
    for (Timer& t : timers_) {
        if (t.Window == window && t.Id == id) {
            t.Interval = interval;
            t.DueAt = now + interval;
            return;
        }
    }
    timers_.push_back({window, id, interval, now + interval});
}

bool WindowTimers::Kill(platform::WindowHandle window, std::uintptr_t id) {
    return std::erase_if(timers_, [&](const Timer& t) { return t.Window == window && t.Id == id; }) > 0;
}

void WindowTimers::KillAll(platform::WindowHandle window) {
    std::erase_if(timers_, [&](const Timer& t) { return t.Window == window; });
}

std::optional<WindowTimers::Due> WindowTimers::TakeDue(std::int64_t now) {
    Timer* earliest = nullptr;
    for (Timer& t : timers_) {
        if (t.DueAt <= now && (!earliest || t.DueAt < earliest->DueAt)) earliest = &t;
    }
    if (!earliest) return std::nullopt;
    earliest->DueAt = now + earliest->Interval;
    return Due{earliest->Window, earliest->Id};
}

std::int64_t WindowTimers::NextDue() const {
    std::int64_t next = std::numeric_limits<std::int64_t>::max();
    for (const Timer& t : timers_)
        next = std::min(next, t.DueAt);
    return next;
}

}  // namespace zindra
