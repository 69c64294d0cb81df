// Activating the shaped hint window: measuring, placing, the snapshot and the drawing on it.
#include "widgets/ShapeHintWindow.h"

#include <algorithm>
#include <vector>

#include "framework/app/Application.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/FontEngine.h"
#include "framework/layout/ClassInfo.h"
#include "platform/Platform.h"
#include "widgets/ShapeHintShapes.h"

namespace zindra {

const ClassInfo& TZkShapeHintWindow::StaticClass() {
    static const ClassInfo info{"TZkShapeHintWindow", &THintWindow::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TZkShapeHintWindow::ClassType() const {
    return StaticClass();
}

TZkShapeHintWindow::TZkShapeHintWindow(TComponent* owner) : THintWindow(owner) {}

void TZkShapeHintWindow::CreateParams(platform::WindowParams& params) {
    THintWindow::CreateParams(params);
    params.TopMost = true;
    params.NoActivate = true;
    params.ShowInTaskBar = false;
}

void TZkShapeHintWindow::Paint(TCanvas& canvas) {
    if (!TZkShapeHint::Active() || picture_.Empty()) {
        THintWindow::Paint(canvas);
        return;
    }
    const Rect all{0, 0, picture_.Width(), picture_.Height()};
    canvas.DrawPixels(all, picture_, all, false);
}

namespace {

platform::Desktop& DesktopOf(TComponent& component) {
    return component.Application()->Platform().GetDesktop();
}

}  // namespace

void TZkShapeHintWindow::ActivateHint(const Rect& rect, const std::string& hint) {
    TZkShapeHint* active = TZkShapeHint::Active();
    if (!active) {
        picture_ = Bitmap32();
        THintWindow::ActivateHint(rect, hint);
        return;
    }
    platform::Desktop& desktop = DesktopOf(*this);
    const Point pointer = desktop.CursorPos();
    component_ = active;
    hint_ = hint;
    Rect text = MeasureText(hint);
    const Size size = GrowToWindow(text);
    const Size screen{desktop.GetSystemMetrics(platform::SM_CXSCREEN), desktop.GetSystemMetrics(platform::SM_CYSCREEN)};
    const shapehint::Placement place = shapehint::Place(active->Position(), pointer, size, screen);
    const Rect bounds = Rect::FromBounds(place.TopLeft.X, place.TopLeft.Y, size.Width, size.Height);
    // The snapshot must not hold an earlier hint of ours.
    if (Visible()) Hide();
    const platform::PixelFrame beneath = desktop.CaptureScreen(bounds);
    picture_ = Bitmap32(bounds.Width(), bounds.Height());
    for (int y = 0; y < std::min(beneath.Height, picture_.Height()); ++y) {
        for (int x = 0; x < std::min(beneath.Width, picture_.Width()); ++x)
            picture_.At(x, y) = beneath.At(x, y) | 0xFF000000u;
    }
    TCanvas canvas(picture_);
    DrawShape(canvas, place.Position, text);
    DrawHintText(canvas, text);
    component_ = nullptr;
    SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    desktop.EnableWindow(Handle(), false);  // a hint takes no input
    InvalidateRect(ClientRect());
    Show();
}

int TZkShapeHintWindow::WrapWidth() const {
    const int maxWidth = component_->MaxWidth();
    if (maxWidth >= 0) return std::max(maxWidth, 1);
    const int screenWidth = Application()->Platform().GetDesktop().GetSystemMetrics(platform::SM_CXSCREEN);
    return static_cast<int>(std::max<long long>(screenWidth / -static_cast<long long>(maxWidth), 1));
}

// The text's extent, word-wrapped at the wrapping width with tabs expanded, grown by the text
// effect's depth and a margin of 6 pixels; an empty text measures as one space.
Rect TZkShapeHintWindow::MeasureText(const std::string& text) const {
    Bitmap32 scratch(1, 1);
    TCanvas canvas(scratch);
    canvas.Font().Assign(component_->GetFont());
    canvas.SetTextCharacterExtra(component_->GetFont3D().Tracing());
    Rect r{0, 0, WrapWidth(), 0};
    canvas.DrawText(text.empty() ? std::string(" ") : text, r,
                    DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    const int grow = component_->GetFont3D().Depth() + 6;
    return {0, 0, r.Width() + grow, r.Height() + grow};
}

Size TZkShapeHintWindow::GrowToWindow(Rect& text) {
    return shapehint::WindowSize(component_->Style(), text, component_->GetShadow().Depth());
}

void TZkShapeHintWindow::DrawShape(TCanvas& canvas, TZkHintPosition position, Rect& text) {
    const shapehint::Shape shape{component_->Style(), position, picture_.Width(), picture_.Height(),
                                 component_->GetShadow().Depth()};
    DrawShadow(picture_, position);
    canvas.Pen() = TPen{component_->BorderColor(), 1, TPenStyle::psSolid};
    canvas.Brush() = TBrush{component_->Color(), TBrushStyle::bsSolid};
    shapehint::DrawBody(canvas, shape, text);
}

// A solid shadow is painted over the snapshot; a traced one darkens every other pixel of it
// (those where x + y is odd), each pixel's channels masked with the shadow's colour.
void TZkShapeHintWindow::DrawShadow(Bitmap32& picture, TZkHintPosition position) {
    const TZkShadow& shadow = component_->GetShadow();
    if (shadow.Style() == TZkShadowStyle::hssNone) return;
    const shapehint::Shape shape{component_->Style(), position, picture.Width(), picture.Height(), shadow.Depth()};
    const bool traced = shadow.Style() == TZkShadowStyle::hssTracing;
    Bitmap32 mask;
    if (traced) mask = Bitmap32(picture.Width(), picture.Height(), 0);
    TCanvas target(traced ? mask : picture);
    target.Pen().Style = TPenStyle::psClear;
    target.Brush() = TBrush{traced ? clWhite : shadow.Color(), TBrushStyle::bsSolid};
    shapehint::DrawShadowOutline(target, shape);
    if (!traced) return;
    const Pixel dark = ColorToPixel(shadow.Color()) | 0xFF000000u;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = (y + 1) % 2; x < picture.Width(); x += 2) {
            if (mask.At(x, y) != 0) picture.At(x, y) &= dark;
        }
    }
}

namespace {

struct TextPass {
    int Move;
    TColor Color;
};

// The drawings of the text effect in order, each after moving the rectangle (the moves add up),
// so the light and shadow copies show round the last one, drawn in the ink.
std::vector<TextPass> TextPasses(const TZk3DCaption& effect, TColor ink) {
    using enum TZkThreeDStyle;
    const int l = effect.LightDepth(), s = effect.ShadowDepth();
    const TColor light = effect.LightColor(), dark = effect.ShadowColor();
    switch (effect.Style()) {
        case tdSunken:
            return {{l, light}, {-l, ink}};
        case tdRaised:
            return {{0, light}, {l, ink}};
        case tdSunkenShadow:
        case tdPColorSunken:
            return {{0, dark}, {l + s, light}, {-l, ink}};
        case tdRaisedShadow:
        case tdPColorRaised:
            return {{l + s, dark}, {-(l + s), light}, {l, ink}};
        case tdShadow:
            return {{s, dark}, {-s, ink}};
        case tdNone:
            break;
    }
    return {{0, ink}};
}

}  // namespace

// The rectangle first gives up the effect's depth on the right; the "parent colour" effects use
// the hint's fill colour as their ink.
void TZkShapeHintWindow::DrawHintText(TCanvas& canvas, Rect text) const {
    using enum TZkThreeDStyle;
    const TZk3DCaption& effect = component_->GetFont3D();
    const bool parentColour = effect.Style() == tdPColorSunken || effect.Style() == tdPColorRaised;
    const TColor ink = parentColour ? component_->Color() : component_->GetFont().Color();
    text.Right -= effect.Depth();
    if (text.IsEmpty()) return;
    CanvasStateGuard guard(canvas);
    canvas.Brush().Style = TBrushStyle::bsClear;
    canvas.Font().Assign(component_->GetFont());
    canvas.SetTextCharacterExtra(effect.Tracing());
    for (const TextPass& pass : TextPasses(effect, ink)) {
        text = text.Offset(pass.Move, pass.Move);
        canvas.Font().SetColor(pass.Color);
        Rect r = text;
        canvas.DrawText(hint_, r, DT_WORDBREAK | DT_NOPREFIX);
    }
}

}  // namespace zindra
