// Picture swapping and the pressed-in movement of the image button.
#include "widgets/ImageBut.h"

#include "framework/graphics/PictureProperty.h"
#include "framework/layout/Properties.h"

namespace zindra {

const ClassInfo& TImageBut::StaticClass() {
    using C = TImageBut;
    static const ClassInfo info{
        "TImageBut",
        &TImage::StaticClass(),
        [](TComponent* owner) { return new TImageBut(owner); },
        {props::Picture<C>("PicFrom", &C::SetPicFrom), props::Picture<C>("PicTo", &C::SetPicTo),
         props::Picture<C>("PicDisabled", &C::SetPicDisabled), props::Bool<C>("EnableButMove", &C::SetEnableButMove),
         props::Bool<C>("EnableBut", &C::SetEnableBut)}};
    return info;
}
const ClassInfo& TImageBut::ClassType() const {
    return StaticClass();
}

TImageBut::TImageBut(TComponent* owner) : TImage(owner) {
    SetVisible(true);
    SetAutoSize(false);
    SetStretch(false);
    SetEnabled(true);
    enableBut_ = Enabled();
    picFrom_ = std::make_unique<TPicture>(this);
    picTo_ = std::make_unique<TPicture>(this);
    picDisabled_ = std::make_unique<TPicture>(this);
    enableButMove_ = true;
    // The movement lives in the ordinary event slots: a handler put there later replaces it.
    OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { Press(s, b, sh, x, y); };
    OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { Release(s, b, sh, x, y); };
    Show(*picFrom_);
    SetVisible(true);
}

TImageBut::~TImageBut() = default;

// The shown picture becomes a copy of the stored one, of the same kind; an empty stored picture
// empties it. The image control then auto-sizes and repaints as for any new picture.
void TImageBut::Show(const TPicture& picture) {
    Picture()->Assign(&picture);
}

void TImageBut::SetPicFrom(const TPicture* source) {
    if (source) picFrom_->Assign(source);
    Show(*picFrom_);
}

void TImageBut::SetPicTo(const TPicture* source) {
    if (source) picTo_->Assign(source);
}

void TImageBut::SetPicDisabled(const TPicture* source) {
    if (source) picDisabled_->Assign(source);
}

void TImageBut::SetEnableBut(bool value) {
    Show(value ? *picFrom_ : *picDisabled_);
    enableBut_ = value;
    SetEnabled(value);
}

void TImageBut::MouseEnter() {
    TImage::MouseEnter();
    if (OnMouseEnter) OnMouseEnter(this);
    if (enableBut_) Show(*picTo_);
}

void TImageBut::MouseLeave() {
    TImage::MouseLeave();
    if (OnMouseLeave) OnMouseLeave(this);
    if (enableBut_) Show(*picFrom_);
}

void TImageBut::Press(TObject*, TMouseButton, TShiftState, int, int) {
    if (!enableButMove_ || !enableBut_) return;
    pressLeft_ = Left();
    pressTop_ = Top();
    pressRecorded_ = true;
    SetLeft(pressLeft_ + 1);
    SetTop(pressTop_ + 1);
}

// EnableBut is not tested here, so a button disabled while held still goes back.
void TImageBut::Release(TObject*, TMouseButton, TShiftState, int, int) {
    if (!enableButMove_ || !pressRecorded_) return;
    SetLeft(pressLeft_);
    SetTop(pressTop_);
}

}  // namespace zindra
