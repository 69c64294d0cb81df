// From the kit's colour values to pixels: RGB values as they stand, system colours through the
// table of the desktop's current scheme.
#pragma once

#include <cstdint>

#include "framework/Types.h"
#include "framework/graphics/Bitmap32.h"

namespace zindra {

// The system colour scheme as COLORREF values (0x00BBGGRR), indices 0 to 30. Starts as the
// classic scheme; the application loads the desktop's values when it starts.
void SetSystemColor(int index, std::uint32_t colorRef);
std::uint32_t SystemColor(int index);

// A colour as an RGB value (system colours resolved); clNone gives black.
TColor ColorToRGB(TColor color);
Pixel ColorToPixel(TColor color);
TColor PixelToColor(Pixel pixel);

}  // namespace zindra
