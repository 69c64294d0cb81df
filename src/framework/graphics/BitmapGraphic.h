// A Windows bitmap picture: a raster with a pixel depth, a canvas to draw on it, and optional
// transparency by one key colour.
#pragma once

#include <memory>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Graphic.h"

namespace zindra {

class TBitmap : public TGraphic {
public:
    TBitmap() = default;
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);

    int Width() const override { return image_.Width(); }
    int Height() const override { return image_.Height(); }
    void SetSize(int width, int height);
    // 1, 4, 8, 16, 24 or 32: the depth the picture was stored with, kept for saving.
    int BitsPerPixel() const { return bitsPerPixel_; }
    void SetBitsPerPixel(int bits) { bitsPerPixel_ = bits; }

    void Draw(TCanvas& canvas, const Rect& dest) const override;
    // Throws EInvalidGraphic for data that is not a Windows bitmap.
    void LoadFromBytes(std::span<const std::uint8_t> bytes) override;
    std::vector<std::uint8_t> SaveToBytes() const;
    std::unique_ptr<TGraphic> Clone() const override;
    Bitmap32 ToPixels() const override { return image_; }
    // Takes any picture's pixels.
    void Assign(const TGraphic& source);
    // A bitmap goes on the clipboard as it is, at its own depth.
    std::unique_ptr<TBitmap> ClipboardBitmap() const override;
    void LoadFromClipboardBitmap(const TBitmap& bitmap) override { *this = bitmap; }

    // The colour drawn as see-through when Transparent is on; by default the bottom-left pixel.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color) { transparentColor_ = color; }

    // Lets go of the memory copy of the picture; the picture itself stays (there is no device
    // copy here to keep apart from it).
    void FreeImage() {}

    TCanvas& Canvas();
    Bitmap32& Pixels() { return image_; }
    const Bitmap32& Pixels() const { return image_; }

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    Bitmap32 image_;
    int bitsPerPixel_ = 24;
    TColor transparentColor_ = clNone;
    std::unique_ptr<TCanvas> canvas_;
};

}  // namespace zindra
