// The pressed picture of the advanced image button.
#include "widgets/ImageButAdvanced.h"

namespace zindra {

const ClassInfo& TImageButAdvanced::StaticClass() {
    using C = TImageButAdvanced;
    static const ClassInfo info{"TImageButAdvanced", &TImage::StaticClass(),
                                [](TComponent* owner) { return new TImageButAdvanced(owner); },
                                FaceProperties<C>({props::Picture<C>("PicDown", &C::SetPicDown)})};
    return info;
}
const ClassInfo& TImageButAdvanced::ClassType() const {
    return StaticClass();
}

TImageButAdvanced::TImageButAdvanced(TComponent* owner)
    : TImage(owner), ImageButFaces(static_cast<TImage&>(*this)), picDown_(std::make_unique<TPicture>(this)) {
    // The feedback lives in the ordinary event slots: a handler put there later replaces it.
    OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { Press(s, b, sh, x, y); };
    OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { Release(s, b, sh, x, y); };
    ShowFace(*PicFrom());
    SetVisible(true);
}

TImageButAdvanced::~TImageButAdvanced() = default;

void TImageButAdvanced::SetPicDown(const TPicture* source) {
    if (source) picDown_->Assign(source);
}

void TImageButAdvanced::MouseEnter() {
    TImage::MouseEnter();
    PointerEntered();
}

void TImageButAdvanced::MouseLeave() {
    TImage::MouseLeave();
    PointerLeft();
}

void TImageButAdvanced::Press(TObject*, TMouseButton, TShiftState, int, int) {
    if (EnableButMove() && EnableBut()) ShowFace(*picDown_);
}

// The hover picture, wherever the pointer is now: a release after dragging off keeps it until
// the pointer next comes and goes.
void TImageButAdvanced::Release(TObject*, TMouseButton, TShiftState, int, int) {
    if (EnableButMove() && EnableBut()) ShowFace(*PicTo());
}

}  // namespace zindra
