// Clipping and span helpers shared by the raster primitives; internal to the graphics folder.
#pragma once

#include <algorithm>
#include <cstdint>

#include "framework/graphics/Bitmap32.h"
#include "platform/Geometry.h"

namespace zindra::raster {

// The part of clip that lies on the bitmap: no write may leave it.
inline platform::Rect DrawableArea(const Bitmap32& dst, const platform::Rect& clip) {
    return clip.Intersect(platform::Rect{0, 0, dst.Width(), dst.Height()});
}

// Sets pixels [x0, x1) of row y, clipped horizontally to area; y must already be inside area.
inline void FillSpan(Bitmap32& dst, int y, int x0, int x1, Pixel pixel, const platform::Rect& area) {
    x0 = std::max(x0, area.Left);
    x1 = std::min(x1, area.Right);
    if (x0 < x1) std::fill(dst.Row(y) + x0, dst.Row(y) + x1, pixel);
}

// floor(a / b) and ceil(a / b) for b > 0.
inline std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
inline std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
    return -FloorDiv(-a, b);
}

}  // namespace zindra::raster
