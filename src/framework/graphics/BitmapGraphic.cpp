// Windows bitmap pictures.
#include "framework/graphics/BitmapGraphic.h"

#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/Colors.h"
#include "framework/layout/ClassInfo.h"

namespace zindra {

const ClassInfo& TBitmap::StaticClass() {
    static const ClassInfo info{"TBitmap", &TGraphic::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TBitmap::ClassType() const {
    return StaticClass();
}

TBitmap::TBitmap(const TBitmap& other)
    : TGraphic(other),
      image_(other.image_),
      bitsPerPixel_(other.bitsPerPixel_),
      transparentColor_(other.transparentColor_) {}

TBitmap& TBitmap::operator=(const TBitmap& other) {
    if (this == &other) return *this;
    image_ = other.image_;
    bitsPerPixel_ = other.bitsPerPixel_;
    transparentColor_ = other.transparentColor_;
    transparent_ = other.transparent_;
    canvas_.reset();
    Changed();
    return *this;
}

void TBitmap::SetSize(int width, int height) {
    if (width == image_.Width() && height == image_.Height()) return;
    image_.Resize(width, height, MakePixel(255, 255, 255));
    canvas_.reset();
    Changed();
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TCanvas>(image_);
    return *canvas_;
}

TColor TBitmap::TransparentColor() const {
    if (transparentColor_ != clNone || image_.Empty()) return transparentColor_;
    return PixelToColor(image_.At(0, image_.Height() - 1));
}

void TBitmap::Draw(TCanvas& canvas, const Rect& dest) const {
    if (image_.Empty()) return;
    const Rect all{0, 0, image_.Width(), image_.Height()};
    if (!transparent_) {
        canvas.DrawPixels(dest, image_, all, false);
        return;
    }
    // Key colour: give it alpha 0 and everything else alpha 255, then blend.
    Bitmap32 keyed = image_;
    const Pixel key = ColorToPixel(TransparentColor()) & 0x00FFFFFFu;
    for (int y = 0; y < keyed.Height(); ++y) {
        Pixel* row = keyed.Row(y);
        for (int x = 0; x < keyed.Width(); ++x) {
            row[x] = (row[x] & 0x00FFFFFFu) == key ? 0 : (row[x] | 0xFF000000u);
        }
    }
    canvas.DrawPixels(dest, keyed, all, true);
}

void TBitmap::LoadFromBytes(std::span<const std::uint8_t> bytes) {
    DecodedBmp decoded = DecodeBmp(bytes);
    image_ = std::move(decoded.Pixels);
    bitsPerPixel_ = decoded.BitsPerPixel;
    canvas_.reset();
    Changed();
}

std::vector<std::uint8_t> TBitmap::SaveToBytes() const {
    return EncodeBmp(image_, bitsPerPixel_ == 32 ? 32 : 24);
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
    auto copy = std::make_unique<TBitmap>(*this);
    copy->OnChange = nullptr;  // the copy belongs to whoever asked for it
    return copy;
}

std::unique_ptr<TBitmap> TBitmap::ClipboardBitmap() const {
    auto copy = std::make_unique<TBitmap>(*this);
    copy->OnChange = nullptr;
    return copy;
}

void TBitmap::Assign(const TGraphic& source) {
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
        *this = *bitmap;
        return;
    }
    if (source.AssignTo(*this)) return;
    image_ = source.ToPixels();
    bitsPerPixel_ = 24;
    canvas_.reset();
    Changed();
}

}  // namespace zindra
