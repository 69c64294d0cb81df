// The morph button's construction, settings, painting and fades.
#include "widgets/MorphButton.h"

#include <algorithm>

#include "framework/Resources.h"
#include "framework/app/Application.h"
#include "framework/controls/Form.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/PictureProperty.h"
#include "framework/layout/Properties.h"
#include "platform/Platform.h"
#include "widgets/MorphBlend.h"

namespace zindra {

const ClassInfo& TMorphButton::StaticClass() {
    using C = TMorphButton;
    static const ClassInfo info{
        "TMorphButton",
        &TGraphicControl::StaticClass(),
        [](TComponent* owner) { return new TMorphButton(owner); },
        {props::Picture<C>("MorphPic1", &C::SetMorphPic1), props::Picture<C>("MorphPic2", &C::SetMorphPic2),
         props::Color<C>("MorphColor1", &C::SetMorphColor1), props::Color<C>("MorphColor2", &C::SetMorphColor2),
         props::Int<C>("MorphRate", &C::SetMorphRate), props::Bool<C>("StretchToFit", &C::SetStretchToFit),
         props::Bool<C>("ProcessMsgs", &C::SetProcessMsgs)}};
    return info;
}
const ClassInfo& TMorphButton::ClassType() const {
    return StaticClass();
}

namespace {

// A built-in Windows bitmap; an empty picture when there is none or it does not decode.
void LoadBitmapResource(const char* name, TBitmap& bitmap) {
    try {
        bitmap.LoadFromBytes(FindResource(name));
    } catch (const std::exception&) {
        bitmap = TBitmap();
    }
}

}  // namespace

TMorphButton::TMorphButton(TComponent* owner) : TGraphicControl(owner) {
    // Every control stored with cursor 31 shows the hand from now on, those made before too:
    // the cursor table is read when the pointer comes onto a control.
    if (TApplication* app = Application()) {
        TScreen& screen = app->Screen();
        screen.SetCursor(kHandCursor, screen.LoadCursor(app->Platform().GetDesktop(), kHandCursorResource));
    }
    SetCursor(kHandCursor);
    SetControlStyle(ControlStyle() | csOpaque | csNoStdEvents);
    TBitmap face;
    LoadBitmapResource("B1", face);
    pic1_ = std::make_unique<TPicture>(this);
    if (!face.Empty()) pic1_->SetGraphic(&face);
    LoadBitmapResource("B2", face);
    pic2_ = std::make_unique<TPicture>(this);
    if (!face.Empty()) pic2_->SetGraphic(&face);
    work_.SetSize(0, 0);
    display_.SetFillColor(clBlack);
    target_.SetFillColor(clWhite);
    pic1_->OnChange = [this](TObject*) { PictureChanged(); };
    pic2_->OnChange = [this](TObject*) { PictureChanged(); };
    SetBounds(Left(), Top(), 120, 50);
    display_.SetSize(Width(), Height());
}

TMorphButton::~TMorphButton() {
    *alive_ = false;
    pic1_->OnChange = nullptr;
    pic2_->OnChange = nullptr;
}

void TMorphButton::PictureChanged() {
    if (swapped_) return;
    BuildFaces();
    Repaint();
}

void TMorphButton::SetMorphColor1(TColor color) {
    SetFaceColor(color1_, display_, color);
}

void TMorphButton::SetMorphColor2(TColor color) {
    SetFaceColor(color2_, target_, color);
}

void TMorphButton::SetFaceColor(TColor& stored, TMorphFace& face, TColor color) {
    if (color == stored) return;
    stored = color;
    face.SetFillColor(color);
    BuildFaces();
    Repaint();
}

void TMorphButton::SetMorphRate(int rate) {
    morphRate_ = std::clamp(rate, 1, 255);
}

void TMorphButton::SetStretchToFit(bool value) {
    if (value == stretchToFit_) return;
    stretchToFit_ = value;
    BuildFaces();
    Repaint();
}

void TMorphButton::Paint(TCanvas& canvas) {
    const Bitmap32 pixels = display_.ToPixels();
    const Rect face{0, 0, pixels.Width(), pixels.Height()};
    canvas.DrawPixels(face, pixels, face, false);
    canvas.Brush().Style = TBrushStyle::bsClear;
}

void TMorphButton::SetBounds(int left, int top, int width, int height) {
    const Rect before = BoundsRect();
    TGraphicControl::SetBounds(left, top, width, height);
    if (BoundsRect() == before) return;
    BuildFaces();
    Repaint();
}

void TMorphButton::MouseEnter() {
    TGraphicControl::MouseEnter();
    if (OnMouseEnter) OnMouseEnter(this);
    if (!NoHoverMorph) Morph(Direction::Forward);
}

void TMorphButton::MouseLeave() {
    TGraphicControl::MouseLeave();
    if (OnMouseLeave) OnMouseLeave(this);
    if (!NoHoverMorph) Morph(Direction::Backward);
}

// A fade never runs inside another: one asked for from a message loop that a fade's step runs
// (a modal window, say) waits until the running one ends, so a backward fade always starts
// from the second face.
void TMorphButton::Morph(Direction direction) {
    if (morphing_) {
        pending_ = true;
        pendingDirection_ = direction;
        return;
    }
    const std::shared_ptr<bool> alive = alive_;
    for (;;) {
        morphing_ = true;
        direction == Direction::Forward ? MorphForward() : MorphBackward();
        if (!*alive) return;
        morphing_ = false;
        if (!pending_) return;
        pending_ = false;
        direction = pendingDirection_;
    }
}

void TMorphButton::MorphForward() {
    const std::shared_ptr<bool> alive = alive_;
    BuildFaces();
    if (OnMorphStart) OnMorphStart(this);
    if (!*alive) return;
    work_.TakePixels(display_);
    if (!RunSteps()) return;
    if (PauseAfterMorph) {
        if (TApplication* app = Application()) {
            app->Platform().GetClock().Sleep(static_cast<std::uint32_t>(std::max(PauseSeconds, 0)) * 1000u);
        }
    }
    if (OnMorphEnd) OnMorphEnd(this);
}

void TMorphButton::MorphBackward() {
    savedStretch_ = stretchToFit_;
    stretchToFit_ = true;
    display_.SetFillColor(color2_);
    target_.SetFillColor(color1_);
    std::swap(color1_, color2_);
    ExchangePictures();
    BuildFaces();
    swapped_ = true;
    work_.TakePixels(display_);
    if (!RunSteps()) return;
    BuildFaces();
}

// Weights (i * 32) div rate for i = 0..rate, each painted at once. False when StopMorph ended
// the fade, or the button went while messages were handled.
bool TMorphButton::RunSteps() {
    const std::shared_ptr<bool> alive = alive_;
    TApplication* app = Application();
    for (int i = 0; i <= morphRate_; ++i) {
        morph::Blend(display_.Bytes(), work_.Bytes(), target_.Bytes(), i * morph::kFullWeight / morphRate_);
        Repaint();
        if (processMsgs_ && app) app->ProcessMessages();
        if (!*alive) return false;
        if (StopMorph) {
            // The fade ends showing the face it was heading for.
            display_.TakePixels(target_);
            Repaint();
            if (OnMorphEnd) OnMorphEnd(this);
            if (!*alive) return false;
            StopMorph = false;
            return false;
        }
    }
    return true;
}

}  // namespace zindra
