// One face of the morph button: a 24-bit picture laid out as the rows of a Windows DIB (blue,
// green, red, each row padded to 4 bytes), which the blend works on as raw bytes, and the
// colour it is filled with.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "framework/Types.h"
#include "framework/graphics/Bitmap32.h"

namespace zindra {

class TMorphFace {
public:
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Bytes a row, padding included: width * 3 rounded up to a multiple of 4.
    int Stride() const { return stride_; }
    std::span<std::uint8_t> Bytes() { return bytes_; }
    std::span<const std::uint8_t> Bytes() const { return bytes_; }

    // A new size keeps nothing of the old picture: it comes back black.
    void SetSize(int width, int height);
    TColor FillColor() const { return fillColor_; }
    void SetFillColor(TColor color) { fillColor_ = color; }

    // Takes the picture's colours (alpha is dropped); the face takes its size.
    void Assign(const Bitmap32& pixels);
    // The face as opaque pixels.
    Bitmap32 ToPixels() const;
    // The other face's size and pixels; the fill colour stays.
    void TakePixels(const TMorphFace& other);

private:
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    std::vector<std::uint8_t> bytes_;
    TColor fillColor_ = clWhite;
};

}  // namespace zindra
