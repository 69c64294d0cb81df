// Windows cursor files (.cur): the first image of the file, with its hot spot, as the desktop's
// cursor image.
#pragma once

#include <cstdint>
#include <span>

#include "platform/Desktop.h"

namespace zindra {

// Accepts an uncompressed image of 1, 4, 8, 24 or 32 bits, at most 256 pixels a side. Pixels
// the AND mask sets over black come out transparent (alpha 0), the rest opaque in their colour;
// a pixel that would invert the screen is shown in its colour, and a 32-bit image with any alpha
// keeps its own. Throws EInvalidGraphic("Cursor image is not valid") for any defect.
platform::CursorImage DecodeCursor(std::span<const std::uint8_t> data);

}  // namespace zindra
