// The morph button's faces: built from its pictures and colours, stretched to the control or at
// the pictures' own size, and the exchange of pictures and colours a backward fade works with.
#include <algorithm>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "widgets/MorphButton.h"

namespace zindra {

namespace {

// NOTE: the face is filled with its colour before any picture is drawn, not only before the
// kinds that leave parts uncovered: a picture that covers the face hides the fill anyway, and
// one with see-through parts then shows the face's colour behind them rather than stale pixels.
Bitmap32 DrawFace(const TPicture& picture, TColor fill, int width, int height, bool stretch) {
    width = std::clamp(width, 0, Bitmap32::kMaxSide);
    height = std::clamp(height, 0, Bitmap32::kMaxSide);
    Bitmap32 pixels(width, height, ColorToPixel(fill));
    if (!picture.Empty() && width > 0 && height > 0) {
        TCanvas canvas(pixels);
        const Rect dest = stretch ? Rect{0, 0, width, height} : Rect{0, 0, picture.Width(), picture.Height()};
        canvas.StretchDraw(dest, *picture.Graphic());
    }
    return pixels;
}

}  // namespace

void TMorphButton::BuildFaces() {
    if (swapped_) UndoExchange();
    if (stretchToFit_) {
        BuildStretched(display_, *pic1_, Width(), Height());
        BuildStretched(target_, *pic2_, Width(), Height());
    } else {
        BuildAtPictureSize();
    }
    work_.SetSize(display_.Width(), display_.Height());
    Invalidate();
    if (OnFacesBuilt) OnFacesBuilt(this);
}

// Puts back what a backward fade exchanged; the pictures' change notifications stay quiet
// while the flag is still set.
void TMorphButton::UndoExchange() {
    std::swap(color1_, color2_);
    ExchangePictures();
    display_.SetFillColor(color1_);
    target_.SetFillColor(color2_);
    swapped_ = false;
    stretchToFit_ = savedStretch_;
}

void TMorphButton::ExchangePictures() {
    TPicture held;
    held.Assign(pic1_.get());
    pic1_->Assign(pic2_.get());
    pic2_->Assign(&held);
}

void TMorphButton::BuildStretched(TMorphFace& face, const TPicture& picture, int width, int height) {
    face.Assign(DrawFace(picture, face.FillColor(), width, height, true));
}

void TMorphButton::BuildUnstretched(TMorphFace& face, const TPicture& picture) {
    face.Assign(DrawFace(picture, face.FillColor(), picture.Width(), picture.Height(), false));
}

void TMorphButton::BuildPlain(TMorphFace& face, int width, int height) {
    face.Assign(DrawFace(TPicture(), face.FillColor(), width, height, false));
}

// The control takes a picture's size first; that change rebuilds the faces on its own (the
// position-change handling), and the rebuild here then completes the outer one.
void TMorphButton::BuildAtPictureSize() {
    const bool has1 = !pic1_->Empty();
    const bool has2 = !pic2_->Empty();
    if (has2 && !has1) {
        SetBounds(Left(), Top(), pic2_->Width(), pic2_->Height());
        BuildUnstretched(target_, *pic2_);
        BuildPlain(display_, target_.Width(), target_.Height());
    } else if (has1 && !has2) {
        SetBounds(Left(), Top(), pic1_->Width(), pic1_->Height());
        BuildUnstretched(display_, *pic1_);
        BuildPlain(target_, display_.Width(), display_.Height());
    } else if (!has1) {
        BuildPlain(display_, Width(), Height());
        BuildPlain(target_, Width(), Height());
    } else {
        SetBounds(Left(), Top(), pic1_->Width(), pic1_->Height());
        BuildUnstretched(display_, *pic1_);
        BuildStretched(target_, *pic2_, display_.Width(), display_.Height());
    }
}

}  // namespace zindra
