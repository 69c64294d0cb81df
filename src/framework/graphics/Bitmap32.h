// A 32-bit BGRA raster, the one pixel format every picture is decoded into and every window
// composes in. Alpha is straight (not premultiplied); opaque pictures carry alpha 255.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/PixelFrame.h"

namespace zindra {

using platform::Pixel;

inline constexpr Pixel MakePixel(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255) {
    return (Pixel{a} << 24) | (Pixel{r} << 16) | (Pixel{g} << 8) | Pixel{b};
}
inline constexpr std::uint8_t PixelR(Pixel p) {
    return static_cast<std::uint8_t>(p >> 16);
}
inline constexpr std::uint8_t PixelG(Pixel p) {
    return static_cast<std::uint8_t>(p >> 8);
}
inline constexpr std::uint8_t PixelB(Pixel p) {
    return static_cast<std::uint8_t>(p);
}
inline constexpr std::uint8_t PixelA(Pixel p) {
    return static_cast<std::uint8_t>(p >> 24);
}

// The message of a raster whose pixel memory cannot be had.
inline constexpr const char* kSNoPixelMemory = "Can't allocate the DIB handle";

class Bitmap32 {
public:
    // Largest side of any raster (a PNG picture may have 65535). Whether a size within it can be
    // had is the memory's say: decoders hold what a file may claim to limits of their own.
    static constexpr int kMaxSide = 65535;

    Bitmap32() = default;
    Bitmap32(int width, int height, Pixel fill = MakePixel(0, 0, 0));

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    Pixel* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const Pixel* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    Pixel& At(int x, int y) { return Row(y)[x]; }
    Pixel At(int x, int y) const { return Row(y)[x]; }
    Pixel* Data() { return pixels_.data(); }
    const Pixel* Data() const { return pixels_.data(); }
    platform::PixelView View() const { return {pixels_.data(), width_, height_, width_}; }

    // Throws EInvalidGraphic for a negative side or one above kMaxSide, and EOutOfResources
    // (kSNoPixelMemory) when the memory cannot be had; either way the raster is left empty.
    void Resize(int width, int height, Pixel fill = MakePixel(0, 0, 0));
    void Fill(Pixel value);

    friend bool operator==(const Bitmap32&, const Bitmap32&) = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
};

}  // namespace zindra
