// Rounding of the image control's scaled sizes and offsets: to the nearest integer with ties to
// even, held within 2^30 so that no later sum overflows (the transfer draws nothing that large).
#pragma once

#include <algorithm>
#include <cmath>

namespace zindra {

inline constexpr double kLargestExtent = 1 << 30;

// round(extent x scale), 0 to 2^30.
inline int ScaledExtent(int extent, float scale) {
    const double scaled = std::nearbyint(static_cast<double>(extent) * scale);
    return static_cast<int>(std::clamp(scaled, 0.0, kLargestExtent));
}

// round(offset), -2^30 to 2^30; not a number counts as 0.
inline int RoundedOffset(float offset) {
    const double rounded = std::nearbyint(static_cast<double>(offset));
    if (!(rounded == rounded)) return 0;
    return static_cast<int>(std::clamp(rounded, -kLargestExtent, kLargestExtent));
}

}  // namespace zindra
