// Refresh rates as display drivers report them, where 0 and 1 stand for "the hardware's
// default" (virtual machines and remote sessions report them for every mode).
#pragma once

#include <cstdint>

namespace zindra::platform {

inline constexpr bool IsDefaultRefreshRate(std::int64_t hz) {
    return hz == 0 || hz == 1;
}

// The rate of a mode counts as the one in use when both are the same or either is the default:
// a machine that reports no real rate would otherwise have no mode at "its" rate at all.
inline constexpr bool RefreshRatesMatch(std::int64_t a, std::int64_t b) {
    return a == b || IsDefaultRefreshRate(a) || IsDefaultRefreshRate(b);
}

// As RefreshRatesMatch, and one hertz apart too: a mode set at 60 Hz may read back as 59 (the
// driver rounds 59.94 either way), and that is still the mode that was set.
inline constexpr bool ReadBackRefreshRatesMatch(std::int64_t a, std::int64_t b) {
    return RefreshRatesMatch(a, b) || a - b == 1 || b - a == 1;
}

}  // namespace zindra::platform
