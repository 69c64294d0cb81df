// The drawing surface controls and pictures paint on: a 32-bit raster seen through an origin and
// a clip rectangle, with a pen, a brush and a font, following the Windows drawing conventions
// (rectangles exclude their right and bottom edges). A save/restore stack keeps nested painters
// from disturbing each other.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "framework/Types.h"
#include "framework/graphics/Bitmap32.h"
#include "framework/graphics/Font.h"

namespace zindra {

class TGraphic;

enum class TPenStyle : std::uint8_t { psSolid, psClear };
enum class TBrushStyle : std::uint8_t { bsSolid, bsClear };

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = TPenStyle::psSolid;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
};

class TCanvas {
public:
    // Draws on target; canvas point (0, 0) is target point origin; nothing is drawn outside clip
    // (in target coordinates) or outside the target.
    TCanvas(Bitmap32& target, Point origin, Rect clip);
    explicit TCanvas(Bitmap32& target);

    TPen& Pen() { return state_.Pen; }
    TBrush& Brush() { return state_.Brush; }
    TFont& Font() { return font_; }
    int TextCharacterExtra() const { return state_.Extra; }
    void SetTextCharacterExtra(int extra) { state_.Extra = extra; }

    // Shapes: filled with the brush (unless clear), outlined with the pen (unless clear).
    void FillRect(const Rect& rect);   // brush only
    void FrameRect(const Rect& rect);  // one pixel in the brush colour, as GDI's FrameRect
    void Rectangle(const Rect& rect);
    void Ellipse(const Rect& rect);
    void RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight);
    void Polygon(std::span<const Point> points);
    void MoveTo(int x, int y) { state_.PenPos = {x, y}; }
    void LineTo(int x, int y);

    // Text in the font's colour; the brush fills the text cell unless it is clear.
    void TextOut(int x, int y, std::string_view text);
    platform::Rect TextRectOf(int x, int y, std::string_view text);
    Size TextExtent(std::string_view text);
    int TextWidth(std::string_view text) { return TextExtent(text).Width; }
    int TextHeight(std::string_view text) { return TextExtent(text).Height; }
    int DrawText(std::string_view text, Rect& rect, std::uint32_t format);

    // Pictures: at their size, stretched into a rectangle, or raw pixels (blend: by their alpha).
    void Draw(int x, int y, const TGraphic& graphic);
    void StretchDraw(const Rect& dest, const TGraphic& graphic);
    void DrawPixels(const Rect& dest, const Bitmap32& source, const Rect& sourceRect, bool blend);
    void CopyRect(const Rect& dest, const TCanvas& source, const Rect& sourceRect);
    Pixel PixelAt(int x, int y) const;
    void SetPixel(int x, int y, Pixel pixel);

    // The canvas's own clip, in canvas coordinates; Intersect narrows it until Restore.
    Rect ClipRect() const;
    void IntersectClip(const Rect& rect);
    void Save();
    void Restore();

    // The target was given a new size: the clip is the whole target again (origin (0, 0)),
    // as a fresh canvas's would be; pen, brush and font stay.
    void TargetResized();

    Bitmap32& Target() { return target_; }
    const Bitmap32& Target() const { return target_; }
    Point Origin() const { return origin_; }
    Rect ToTarget(const Rect& r) const { return r.Offset(origin_.X, origin_.Y); }

private:
    struct State {
        TPen Pen;
        TBrush Brush;
        Point PenPos;
        Rect Clip;  // in target coordinates
        int Extra = 0;
    };

    Bitmap32& target_;
    Point origin_;
    State state_;
    TFont font_;
    std::vector<State> saved_;
    std::vector<TFont> savedFonts_;
};

// Saves the canvas state and restores it when it goes out of scope.
class CanvasStateGuard {
public:
    explicit CanvasStateGuard(TCanvas& canvas) : canvas_(canvas) { canvas_.Save(); }
    ~CanvasStateGuard() { canvas_.Restore(); }
    CanvasStateGuard(const CanvasStateGuard&) = delete;
    CanvasStateGuard& operator=(const CanvasStateGuard&) = delete;

private:
    TCanvas& canvas_;
};

}  // namespace zindra
