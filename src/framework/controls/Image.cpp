// Picture display and auto-sizing of the image control.
#include "framework/controls/Image.h"

#include "framework/graphics/Canvas.h"
#include "framework/graphics/PictureProperty.h"
#include "framework/layout/Properties.h"

namespace zindra {

const ClassInfo& TImage::StaticClass() {
    using C = TImage;
    static const ClassInfo info{
        "TImage",
        &TGraphicControl::StaticClass(),
        [](TComponent* owner) { return new TImage(owner); },
        {props::Bool<C>("AutoSize", &C::SetAutoSize), props::Bool<C>("Center", &C::SetCenter),
         props::Picture<C>("Picture", &C::SetPicture), props::Bool<C>("Stretch", &C::SetStretch),
         props::Bool<C>("Transparent", &C::SetTransparent)}};
    return info;
}
const ClassInfo& TImage::ClassType() const {
    return StaticClass();
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(this) {
    SetBounds(0, 0, 105, 105);
    picture_.OnChange = [this](TObject*) { PictureChanged(); };
}

void TImage::PictureChanged() {
    if (TGraphic* graphic = picture_.Graphic()) {
        if (graphic->Transparent() != transparent_) {
            // Keeps the control's setting on a new graphic without re-entering this handler.
            const TNotifyEvent keep = graphic->OnChange;
            graphic->OnChange = nullptr;
            graphic->SetTransparent(transparent_);
            graphic->OnChange = keep;
        }
    }
    if (autoSize_ && picture_.Width() > 0 && picture_.Height() > 0) {
        SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
    }
    Invalidate();
}

void TImage::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    if (value) PictureChanged();
}

void TImage::SetStretch(bool value) {
    if (value == stretch_) return;
    stretch_ = value;
    Invalidate();
}

void TImage::SetCenter(bool value) {
    if (value == center_) return;
    center_ = value;
    Invalidate();
}

void TImage::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    PictureChanged();
}

Rect TImage::DestRect() const {
    if (stretch_) return ClientRect();
    const int w = picture_.Width();
    const int h = picture_.Height();
    if (center_) return Rect::FromBounds((Width() - w) / 2, (Height() - h) / 2, w, h);
    return {0, 0, w, h};
}

void TImage::Paint(TCanvas& canvas) {
    if (const TGraphic* graphic = picture_.Graphic(); graphic && !graphic->Empty()) {
        canvas.StretchDraw(DestRect(), *graphic);
    }
}

}  // namespace zindra
