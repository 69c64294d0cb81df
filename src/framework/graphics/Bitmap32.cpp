// Storage of the 32-bit raster.
#include "framework/graphics/Bitmap32.h"

#include <algorithm>

#include "framework/Exception.h"

namespace zindra {

Bitmap32::Bitmap32(int width, int height, Pixel fill) {
    Resize(width, height, fill);
}

void Bitmap32::Resize(int width, int height, Pixel fill) {
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide) {
        throw EInvalidGraphic("Bitmap size out of range");
    }
    if (width == 0 || height == 0) width = height = 0;
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

void Bitmap32::Fill(Pixel value) {
    std::fill(pixels_.begin(), pixels_.end(), value);
}

}  // namespace zindra
