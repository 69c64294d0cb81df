// Storage of the 32-bit raster.
#include "framework/graphics/Bitmap32.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>
#include <stdexcept>

#include "framework/Exception.h"

namespace zindra {

Bitmap32::Bitmap32(int width, int height, Pixel fill) {
    Resize(width, height, fill);
}

void Bitmap32::Resize(int width, int height, Pixel fill) {
    const bool inRange = width >= 0 && height >= 0 && width <= kMaxSide && height <= kMaxSide;
    if (width == 0 || height == 0 || !inRange) width = height = 0;
    const std::uint64_t count = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    if (count != pixels_.size()) {
        // The old pixels go first, so a large raster is never held twice.
        std::vector<Pixel>().swap(pixels_);
    }
    width_ = height_ = 0;
    if (!inRange) throw EInvalidGraphic("Bitmap size out of range");
    // Where size_t is 32 bits wide, 65535 by 65535 pixels do not fit in it.
    if (count > std::numeric_limits<std::size_t>::max() / sizeof(Pixel)) throw EOutOfResources(kSNoPixelMemory);
    try {
        pixels_.assign(static_cast<std::size_t>(count), fill);
    } catch (const std::bad_alloc&) {
        throw EOutOfResources(kSNoPixelMemory);
    } catch (const std::length_error&) {
        throw EOutOfResources(kSNoPixelMemory);
    }
    width_ = width;
    height_ = height;
}

void Bitmap32::Fill(Pixel value) {
    std::fill(pixels_.begin(), pixels_.end(), value);
}

}  // namespace zindra
