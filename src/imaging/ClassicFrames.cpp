// Classic edges and scroll frame controls.
#include "imaging/ClassicFrames.h"

#include <algorithm>

namespace zindra {

namespace {

void Fill(TCanvas& canvas, const Rect& r, TColor color) {
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().Color = color;
    canvas.FillRect(r);
}

// One edge ring: light top and left, then dark bottom and right; shrinks r on the sides drawn.
void EdgeRing(TCanvas& canvas, Rect& r, unsigned flags, TColor light, TColor dark) {
    if (flags & kBfTop) Fill(canvas, {r.Left, r.Top, r.Right, r.Top + 1}, light);
    if (flags & kBfLeft) Fill(canvas, {r.Left, r.Top, r.Left + 1, r.Bottom}, light);
    if (flags & kBfBottom) Fill(canvas, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, dark);
    if (flags & kBfRight) Fill(canvas, {r.Right - 1, r.Top, r.Right, r.Bottom}, dark);
    if (flags & kBfTop) ++r.Top;
    if (flags & kBfLeft) ++r.Left;
    if (flags & kBfBottom) --r.Bottom;
    if (flags & kBfRight) --r.Right;
}

TArrowDirection DirectionOf(unsigned state) {
    switch (state & 0xF) {
        case kDfcsScrollDown:
            return TArrowDirection::Down;
        case kDfcsScrollLeft:
            return TArrowDirection::Left;
        case kDfcsScrollRight:
            return TArrowDirection::Right;
        default:
            return TArrowDirection::Up;
    }
}

void SizeGrip(TCanvas& canvas, const Rect& r) {
    Fill(canvas, r, clBtnFace);
    // Three ridges across the corner, 4 pixels apart: two shadow lines with the light beyond them,
    // lit from the top left like every raised edge.
    for (int ridge = 0; ridge < 3; ++ridge) {
        for (int line = 0; line < 3; ++line) {
            const int d = 4 * ridge + line + 1;  // distance from the corner pixel along the diagonal
            const TColor color = line == 2 ? clBtnHighlight : clBtnShadow;
            for (int i = 0; i <= d; ++i) {
                const Point p{r.Right - 1 - i, r.Bottom - 1 - (d - i)};
                if (r.Contains(p)) Fill(canvas, {p.X, p.Y, p.X + 1, p.Y + 1}, color);
            }
        }
    }
}

}  // namespace

void DrawEdge(TCanvas& canvas, Rect& r, unsigned edge, unsigned flags) {
    Rect inner = r;
    if (edge & kBdrRaisedOuter) EdgeRing(canvas, inner, flags, cl3DLight, cl3DDkShadow);
    if (edge & kBdrSunkenOuter) EdgeRing(canvas, inner, flags, clBtnShadow, clBtnHighlight);
    if (edge & kBdrRaisedInner) EdgeRing(canvas, inner, flags, clBtnHighlight, clBtnShadow);
    if (edge & kBdrSunkenInner) EdgeRing(canvas, inner, flags, cl3DDkShadow, cl3DLight);
    if (flags & kBfMiddle) Fill(canvas, inner, clBtnFace);
    if (flags & kBfAdjust) r = inner;
}

void ArrowGlyph(TCanvas& canvas, const Rect& r, TArrowDirection direction, TColor color) {
    const int size = std::min(r.Width(), r.Height());
    const int height = std::max(1, (size - 4 + 1) / 3);
    const int base = 2 * height - 1;
    const bool horizontal = direction == TArrowDirection::Left || direction == TArrowDirection::Right;
    // The head's rows run across the arrow: row 0 is its point.
    const int left = r.Left + (r.Width() - (horizontal ? height : base)) / 2;
    const int top = r.Top + (r.Height() - (horizontal ? base : height)) / 2;
    for (int row = 0; row < height; ++row) {
        const int from = height - 1 - row;
        const int to = base - from;
        switch (direction) {
            case TArrowDirection::Up:
                Fill(canvas, {left + from, top + row, left + to, top + row + 1}, color);
                break;
            case TArrowDirection::Down:
                Fill(canvas, {left + from, top + height - 1 - row, left + to, top + height - row}, color);
                break;
            case TArrowDirection::Left:
                Fill(canvas, {left + row, top + from, left + row + 1, top + to}, color);
                break;
            case TArrowDirection::Right:
                Fill(canvas, {left + height - 1 - row, top + from, left + height - row, top + to}, color);
                break;
        }
    }
}

void DrawScrollFrameControl(TCanvas& canvas, const Rect& r, unsigned state) {
    if (r.IsEmpty()) return;
    if ((state & 0xF) == kDfcsScrollSizeGrip) {
        SizeGrip(canvas, r);
        return;
    }
    Rect face = r;
    const bool pushed = state & kDfcsPushed;
    if (pushed && (state & kDfcsFlat)) {
        canvas.Brush().Color = clBtnShadow;
        canvas.FrameRect(face);
        face = {face.Left + 1, face.Top + 1, face.Right - 1, face.Bottom - 1};
        Fill(canvas, face, clBtnFace);
    } else {
        DrawEdge(canvas, face, pushed ? kEdgeSunken : kEdgeRaised, kBfRect | kBfMiddle | kBfAdjust);
    }
    const Rect glyph = pushed ? r.Offset(1, 1) : r;
    const TArrowDirection direction = DirectionOf(state);
    if (state & kDfcsInactive) {
        ArrowGlyph(canvas, glyph.Offset(1, 1), direction, clBtnHighlight);
        ArrowGlyph(canvas, glyph, direction, clBtnShadow);
    } else {
        ArrowGlyph(canvas, glyph, direction, clBtnText);
    }
}

}  // namespace zindra
