// The 32-bit raster's pixel colour, and the settings that say how one raster is drawn into
// another.
#pragma once

#include <cstdint>
#include <functional>

#include "framework/Types.h"

namespace zindra {

// 0xAARRGGBB: blue in bits 0-7, green 8-15, red 16-23, alpha 24-31 (in memory B, G, R, A).
// Alpha 255 is opaque. Not a TColor, whose red is in the low byte.
using TPixel32 = std::uint32_t;

// A framework colour as an opaque pixel: a system colour (negative value) is first looked up by
// its low byte; red and blue change places; alpha becomes 255.
TPixel32 Color32(TColor color);

enum class TDrawMode : std::uint8_t { dmOpaque, dmBlend, dmCustom };
enum class TStretchFilter : std::uint8_t { sfNearest, sfLinear, sfSpline, sfLanczos, sfMitchell };

// Combines a source colour f into a destination colour b with master alpha m.
using TPixelCombineEvent = std::function<void(TPixel32 f, TPixel32& b, TPixel32 m)>;

}  // namespace zindra
