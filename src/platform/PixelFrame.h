// 32-bit pixel buffers as the platform sees them: a finished window frame or a screen capture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zindra::platform {

// One pixel as 0xAARRGGBB in a 32-bit word; on little-endian machines the bytes are B, G, R, A,
// the layout of a 32-bit top-down Windows DIB.
using Pixel = std::uint32_t;

// A read-only view of pixels owned elsewhere. Stride counts pixels, not bytes.
struct PixelView {
    const Pixel* Pixels = nullptr;
    int Width = 0;
    int Height = 0;
    int Stride = 0;
    const Pixel* Row(int y) const { return Pixels + static_cast<std::ptrdiff_t>(y) * Stride; }
};

// An owned, tightly packed frame.
struct PixelFrame {
    int Width = 0;
    int Height = 0;
    std::vector<Pixel> Pixels;

    PixelFrame() = default;
    PixelFrame(int width, int height, Pixel fill = 0xFF000000u)
        : Width(width), Height(height), Pixels(static_cast<std::size_t>(width) * height, fill) {}
    Pixel& At(int x, int y) { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
    Pixel At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
    PixelView View() const { return {Pixels.data(), Width, Height, Width}; }
};

}  // namespace zindra::platform
