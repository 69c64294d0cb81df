// Conversion of framework colours to raster pixels.
#include "imaging/Pixel32.h"

#include "framework/graphics/Colors.h"

namespace zindra {

TPixel32 Color32(TColor color) {
    auto value = static_cast<std::uint32_t>(color);
    if (color < 0) value = SystemColor(static_cast<int>(value & 0xFFu));
    return 0xFF000000u | (value & 0xFFu) << 16 | (value & 0xFF00u) | ((value >> 16) & 0xFFu);
}

}  // namespace zindra
