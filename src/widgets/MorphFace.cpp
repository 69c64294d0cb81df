// Packing and unpacking the morph button's 24-bit faces.
#include "widgets/MorphFace.h"

#include <algorithm>

namespace zindra {

void TMorphFace::SetSize(int width, int height) {
    width_ = std::clamp(width, 0, Bitmap32::kMaxSide);
    height_ = std::clamp(height, 0, Bitmap32::kMaxSide);
    stride_ = (width_ * 3 + 3) / 4 * 4;
    bytes_.assign(static_cast<std::size_t>(stride_) * height_, 0);
}

void TMorphFace::Assign(const Bitmap32& pixels) {
    SetSize(pixels.Width(), pixels.Height());
    for (int y = 0; y < height_; ++y) {
        const Pixel* in = pixels.Row(y);
        std::uint8_t* out = bytes_.data() + static_cast<std::size_t>(y) * stride_;
        for (int x = 0; x < width_; ++x) {
            out[3 * x] = PixelB(in[x]);
            out[3 * x + 1] = PixelG(in[x]);
            out[3 * x + 2] = PixelR(in[x]);
        }
    }
}

Bitmap32 TMorphFace::ToPixels() const {
    Bitmap32 pixels(width_, height_);
    for (int y = 0; y < height_; ++y) {
        const std::uint8_t* in = bytes_.data() + static_cast<std::size_t>(y) * stride_;
        Pixel* out = pixels.Row(y);
        for (int x = 0; x < width_; ++x)
            out[x] = MakePixel(in[3 * x + 2], in[3 * x + 1], in[3 * x]);
    }
    return pixels;
}

void TMorphFace::TakePixels(const TMorphFace& other) {
    width_ = other.width_;
    height_ = other.height_;
    stride_ = other.stride_;
    bytes_ = other.bytes_;
}

}  // namespace zindra
