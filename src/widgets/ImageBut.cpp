// The pressed-in movement of the image button.
#include "widgets/ImageBut.h"

namespace zindra {

const ClassInfo& TImageBut::StaticClass() {
    static const ClassInfo info{"TImageBut", &TImage::StaticClass(),
                                [](TComponent* owner) { return new TImageBut(owner); }, FaceProperties<TImageBut>()};
    return info;
}
const ClassInfo& TImageBut::ClassType() const {
    return StaticClass();
}

TImageBut::TImageBut(TComponent* owner) : TImage(owner), ImageButFaces(static_cast<TImage&>(*this)) {
    // The movement lives in the ordinary event slots: a handler put there later replaces it.
    OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { Press(s, b, sh, x, y); };
    OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { Release(s, b, sh, x, y); };
    ShowFace(*PicFrom());
    SetVisible(true);
}

TImageBut::~TImageBut() = default;

void TImageBut::MouseEnter() {
    TImage::MouseEnter();
    PointerEntered();
}

void TImageBut::MouseLeave() {
    TImage::MouseLeave();
    PointerLeft();
}

void TImageBut::Press(TObject*, TMouseButton, TShiftState, int, int) {
    if (!EnableButMove() || !EnableBut()) return;
    pressLeft_ = Left();
    pressTop_ = Top();
    pressRecorded_ = true;
    SetLeft(pressLeft_ + 1);
    SetTop(pressTop_ + 1);
}

// EnableBut is not tested here, so a button disabled while held still goes back.
void TImageBut::Release(TObject*, TMouseButton, TShiftState, int, int) {
    if (!EnableButMove() || !pressRecorded_) return;
    SetLeft(pressLeft_);
    SetTop(pressTop_);
}

}  // namespace zindra
