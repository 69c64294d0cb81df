// The picture swapping both image buttons share.
#include "widgets/ImageButFaces.h"

namespace zindra {

ImageButFaces::ImageButFaces(TImage& image) : image_(image) {
    image_.SetVisible(true);
    image_.SetAutoSize(false);
    image_.SetStretch(false);
    image_.SetEnabled(true);
    enableBut_ = image_.Enabled();
    picFrom_ = std::make_unique<TPicture>(&image_);
    picTo_ = std::make_unique<TPicture>(&image_);
    picDisabled_ = std::make_unique<TPicture>(&image_);
    enableButMove_ = true;
}

ImageButFaces::~ImageButFaces() = default;

void ImageButFaces::ShowFace(const TPicture& picture) {
    image_.Picture()->Assign(&picture);
}

void ImageButFaces::SetPicFrom(const TPicture* source) {
    if (source) picFrom_->Assign(source);
    ShowFace(*picFrom_);
}

void ImageButFaces::SetPicTo(const TPicture* source) {
    if (source) picTo_->Assign(source);
}

void ImageButFaces::SetPicDisabled(const TPicture* source) {
    if (source) picDisabled_->Assign(source);
}

void ImageButFaces::SetEnableBut(bool value) {
    ShowFace(value ? *picFrom_ : *picDisabled_);
    enableBut_ = value;
    image_.SetEnabled(value);
}

void ImageButFaces::PointerEntered() {
    if (OnMouseEnter) OnMouseEnter(&image_);
    if (enableBut_) ShowFace(*picTo_);
}

void ImageButFaces::PointerLeft() {
    if (OnMouseLeave) OnMouseLeave(&image_);
    if (enableBut_) ShowFace(*picFrom_);
}

}  // namespace zindra
