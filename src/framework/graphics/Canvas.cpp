// Canvas drawing through the raster primitives and the font engine.
#include "framework/graphics/Canvas.h"

#include "framework/Exception.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Graphic.h"
#include "framework/graphics/Raster.h"

namespace zindra {

TCanvas::TCanvas(Bitmap32& target, Point origin, Rect clip) : target_(target), origin_(origin) {
    state_.Clip = clip.Intersect({0, 0, target.Width(), target.Height()});
}

TCanvas::TCanvas(Bitmap32& target) : TCanvas(target, {0, 0}, {0, 0, target.Width(), target.Height()}) {}

void TCanvas::TargetResized() {
    origin_ = {0, 0};
    state_.Clip = {0, 0, target_.Width(), target_.Height()};
}

Rect TCanvas::ClipRect() const {
    return state_.Clip.Offset(-origin_.X, -origin_.Y);
}

void TCanvas::IntersectClip(const Rect& rect) {
    state_.Clip = state_.Clip.Intersect(ToTarget(rect));
}

void TCanvas::Save() {
    saved_.push_back(state_);
    savedFonts_.push_back(font_);
}

void TCanvas::Restore() {
    if (saved_.empty()) throw EInvalidOperation("Canvas state stack is empty");
    state_ = saved_.back();
    saved_.pop_back();
    const TNotifyEvent keep = font_.OnChange;
    font_ = savedFonts_.back();
    font_.OnChange = keep;
    savedFonts_.pop_back();
}

void TCanvas::FillRect(const Rect& rect) {
    if (state_.Brush.Style == TBrushStyle::bsClear) return;
    zindra::FillRect(target_, ToTarget(rect), ColorToPixel(state_.Brush.Color), state_.Clip);
}

void TCanvas::FrameRect(const Rect& rect) {
    zindra::FrameRect(target_, ToTarget(rect), ColorToPixel(state_.Brush.Color), state_.Clip);
}

void TCanvas::Rectangle(const Rect& rect) {
    const bool pen = state_.Pen.Style != TPenStyle::psClear;
    const Rect r = ToTarget(rect);
    if (state_.Brush.Style != TBrushStyle::bsClear) {
        // GDI fills inside the outline when there is a pen, the whole rectangle when not.
        const Rect inner = pen ? Rect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1} : r;
        zindra::FillRect(target_, inner, ColorToPixel(state_.Brush.Color), state_.Clip);
    }
    if (pen) zindra::FrameRect(target_, r, ColorToPixel(state_.Pen.Color), state_.Clip, state_.Pen.Width);
}

void TCanvas::Ellipse(const Rect& rect) {
    const Rect r = ToTarget(rect);
    if (state_.Brush.Style != TBrushStyle::bsClear) {
        FillEllipse(target_, r, ColorToPixel(state_.Brush.Color), state_.Clip);
    }
    if (state_.Pen.Style != TPenStyle::psClear) {
        FrameEllipse(target_, r, ColorToPixel(state_.Pen.Color), state_.Clip, state_.Pen.Width);
    }
}

void TCanvas::RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight) {
    const Rect r = ToTarget(rect);
    if (state_.Brush.Style != TBrushStyle::bsClear) {
        FillRoundRect(target_, r, ellipseWidth, ellipseHeight, ColorToPixel(state_.Brush.Color), state_.Clip);
    }
    if (state_.Pen.Style != TPenStyle::psClear) {
        FrameRoundRect(target_, r, ellipseWidth, ellipseHeight, ColorToPixel(state_.Pen.Color), state_.Clip,
                       state_.Pen.Width);
    }
}

void TCanvas::Polygon(std::span<const Point> points) {
    std::vector<Point> moved(points.begin(), points.end());
    for (Point& p : moved)
        p = {p.X + origin_.X, p.Y + origin_.Y};
    if (state_.Brush.Style != TBrushStyle::bsClear) {
        FillPolygon(target_, moved, ColorToPixel(state_.Brush.Color), true, state_.Clip);
    }
    if (state_.Pen.Style != TPenStyle::psClear) {
        FramePolygon(target_, moved, ColorToPixel(state_.Pen.Color), state_.Pen.Width, state_.Clip);
    }
}

void TCanvas::LineTo(int x, int y) {
    if (state_.Pen.Style != TPenStyle::psClear) {
        DrawLine(target_, state_.PenPos.X + origin_.X, state_.PenPos.Y + origin_.Y, x + origin_.X, y + origin_.Y,
                 ColorToPixel(state_.Pen.Color), state_.Pen.Width, state_.Clip);
    }
    state_.PenPos = {x, y};
}

Size TCanvas::TextExtent(std::string_view text) {
    return FontEngine::Instance().TextExtent(font_.Description(), text, state_.Extra);
}

platform::Rect TCanvas::TextRectOf(int x, int y, std::string_view text) {
    const Size extent = TextExtent(text);
    return Rect::FromBounds(x, y, extent.Width, extent.Height);
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    if (state_.Brush.Style != TBrushStyle::bsClear) FillRect(TextRectOf(x, y, text));
    FontEngine::Instance().DrawText(target_, x + origin_.X, y + origin_.Y, font_.Description(), text,
                                    ColorToPixel(font_.Color()), state_.Extra, state_.Clip);
}

int TCanvas::DrawText(std::string_view text, Rect& rect, std::uint32_t format) {
    Rect r = ToTarget(rect);
    const int height = FontEngine::Instance().DrawTextFormatted(target_, r, font_.Description(), text, format,
                                                                ColorToPixel(font_.Color()), state_.Extra, state_.Clip);
    if (format & DT_CALCRECT) rect = r.Offset(-origin_.X, -origin_.Y);
    return height;
}

void TCanvas::Draw(int x, int y, const TGraphic& graphic) {
    if (graphic.Empty()) return;
    graphic.Draw(*this, Rect::FromBounds(x, y, graphic.Width(), graphic.Height()));
}

void TCanvas::StretchDraw(const Rect& dest, const TGraphic& graphic) {
    if (!graphic.Empty()) graphic.Draw(*this, dest);
}

void TCanvas::DrawPixels(const Rect& dest, const Bitmap32& source, const Rect& sourceRect, bool blend) {
    const Rect d = ToTarget(dest);
    if (d.Width() == sourceRect.Width() && d.Height() == sourceRect.Height()) {
        if (blend) {
            BlendPixels(target_, d.Left, d.Top, source, sourceRect, state_.Clip);
        } else {
            CopyPixels(target_, d.Left, d.Top, source, sourceRect, state_.Clip);
        }
        return;
    }
    StretchPixels(target_, d, source, sourceRect, state_.Clip, blend);
}

void TCanvas::CopyRect(const Rect& dest, const TCanvas& source, const Rect& sourceRect) {
    DrawPixels(dest, source.target_, source.ToTarget(sourceRect), false);
}

Pixel TCanvas::PixelAt(int x, int y) const {
    const Point p{x + origin_.X, y + origin_.Y};
    if (!Rect{0, 0, target_.Width(), target_.Height()}.Contains(p)) return 0;
    return target_.At(p.X, p.Y);
}

void TCanvas::SetPixel(int x, int y, Pixel pixel) {
    const Point p{x + origin_.X, y + origin_.Y};
    if (state_.Clip.Contains(p)) target_.At(p.X, p.Y) = pixel;
}

}  // namespace zindra
