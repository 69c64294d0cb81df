// JPEG pictures through the decoder.
#include "framework/graphics/JpegImage.h"

#include "framework/graphics/Canvas.h"
#include "framework/graphics/JpegDecoder.h"
#include "framework/layout/ClassInfo.h"

namespace zindra {

const ClassInfo& TJPEGImage::StaticClass() {
    static const ClassInfo info{"TJPEGImage", &TGraphic::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TJPEGImage::ClassType() const {
    return StaticClass();
}

void TJPEGImage::Draw(TCanvas& canvas, const Rect& dest) const {
    if (!pixels_) return;
    canvas.DrawPixels(dest, *pixels_, {0, 0, pixels_->Width(), pixels_->Height()}, false);
}

void TJPEGImage::LoadFromBytes(std::span<const std::uint8_t> bytes) {
    pixels_ = std::make_shared<const Bitmap32>(DecodeJpeg(bytes));
    Changed();
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
    auto copy = std::make_unique<TJPEGImage>(*this);
    copy->OnChange = nullptr;  // the copy belongs to whoever asked for it
    return copy;
}

}  // namespace zindra
