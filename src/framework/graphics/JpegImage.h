// A JPEG picture: decoded once when loaded, drawn opaque.
#pragma once

#include <memory>

#include "framework/graphics/Graphic.h"

namespace zindra {

class TJPEGImage : public TGraphic {
public:
    int Width() const override { return pixels_ ? pixels_->Width() : 0; }
    int Height() const override { return pixels_ ? pixels_->Height() : 0; }
    void Draw(TCanvas& canvas, const Rect& dest) const override;
    // Throws EJPEG for data the decoder cannot read.
    void LoadFromBytes(std::span<const std::uint8_t> bytes) override;
    std::unique_ptr<TGraphic> Clone() const override;
    Bitmap32 ToPixels() const override { return pixels_ ? *pixels_ : Bitmap32(); }

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    // Shared between copies: a decoded picture never changes, so copying a button's picture
    // into the shown one costs nothing.
    std::shared_ptr<const Bitmap32> pixels_;
};

}  // namespace zindra
