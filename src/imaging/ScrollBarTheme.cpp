// The program's scroll-bar visual style: flat tracks, rounded buttons and thumbs that lighten
// under the pointer and deepen when pressed.
#include "imaging/ScrollBarTheme.h"

#include <algorithm>

#include "imaging/ClassicFrames.h"

namespace zindra::scrollbar_theme {

namespace {

struct Look {
    TColor Face;
    TColor Border;
    TColor Glyph;
};

// Normal, hot, pressed, disabled.
constexpr Look kLooks[4] = {{RGB(0xDD, 0xE2, 0xE8), RGB(0xA3, 0xAD, 0xBA), RGB(0x4B, 0x55, 0x63)},
                            {RGB(0xCC, 0xDD, 0xF3), RGB(0x6E, 0x93, 0xC6), RGB(0x1F, 0x4E, 0x8C)},
                            {RGB(0x9F, 0xBC, 0xE3), RGB(0x46, 0x69, 0x9A), RGB(0x16, 0x3A, 0x66)},
                            {RGB(0xEE, 0xF0, 0xF2), RGB(0xCD, 0xD2, 0xD8), RGB(0xB3, 0xB9, 0xC1)}};
constexpr TColor kTrack = RGB(0xEC, 0xEE, 0xF1);
constexpr TColor kTrackPressed = RGB(0xC9, 0xD1, 0xDC);
constexpr TColor kTrackDisabled = RGB(0xF4, 0xF4, 0xF4);
constexpr TColor kRidge = RGB(0x7D, 0x8A, 0x9C);
constexpr TColor kShine = RGB(0xFF, 0xFF, 0xFF);

void Fill(TCanvas& canvas, const Rect& r, TColor color) {
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().Color = color;
    canvas.FillRect(r);
}

const Look& LookOf(int state) {
    return kLooks[state >= 1 && state <= 4 ? state - 1 : 0];
}

// A rounded body one pixel inside the part, the track showing round its corners.
void Body(TCanvas& canvas, const Rect& r, const Look& look) {
    Fill(canvas, r, kTrack);
    const Rect body{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    if (body.IsEmpty()) return;
    canvas.Brush().Color = look.Face;
    canvas.Pen().Color = look.Border;
    canvas.Pen().Style = TPenStyle::psSolid;
    canvas.Pen().Width = 1;
    canvas.RoundRect(body, 4, 4);
}

void ArrowButton(TCanvas& canvas, int state, const Rect& r) {
    const int group = (state - 1) / 4;  // up, down, left, right
    const int look = (state - 1) % 4 + 1;
    Body(canvas, r, LookOf(look));
    static constexpr TArrowDirection kDirections[4] = {TArrowDirection::Up, TArrowDirection::Down,
                                                       TArrowDirection::Left, TArrowDirection::Right};
    ArrowGlyph(canvas, r, kDirections[group >= 0 && group < 4 ? group : 0], LookOf(look).Glyph);
}

// Three short ridges across the thumb's middle, each with a shine beside it.
void Gripper(TCanvas& canvas, const Rect& r, bool horizontal) {
    const int length = horizontal ? r.Width() : r.Height();
    const int thickness = horizontal ? r.Height() : r.Width();
    if (length < 14 || thickness < 10) return;
    const int half = std::min(4, (thickness - 6) / 2);
    const Point c{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    for (const int at : {-3, 0, 3}) {
        if (horizontal) {
            Fill(canvas, {c.X + at - 1, c.Y - half, c.X + at, c.Y + half}, kRidge);
            Fill(canvas, {c.X + at, c.Y - half, c.X + at + 1, c.Y + half}, kShine);
        } else {
            Fill(canvas, {c.X - half, c.Y + at - 1, c.X + half, c.Y + at}, kRidge);
            Fill(canvas, {c.X - half, c.Y + at, c.X + half, c.Y + at + 1}, kShine);
        }
    }
}

// Six dots in a triangle towards the corner.
void SizeBox(TCanvas& canvas, const Rect& r) {
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column + row < 3; ++column) {
            const int x = r.Right - 4 - 4 * column;
            const int y = r.Bottom - 4 - 4 * row;
            Fill(canvas, {x + 1, y + 1, x + 3, y + 3}, kShine);
            Fill(canvas, {x, y, x + 2, y + 2}, kRidge);
        }
    }
}

}  // namespace

void DrawPart(TCanvas& canvas, int part, int state, const Rect& r) {
    if (r.IsEmpty()) return;
    switch (part) {
        case kArrowBtn:
            ArrowButton(canvas, state, r);
            break;
        case kThumbBtnHorz:
        case kThumbBtnVert:
            Body(canvas, r, LookOf(state));
            break;
        case kLowerTrackHorz:
        case kUpperTrackHorz:
        case kLowerTrackVert:
        case kUpperTrackVert:
            Fill(canvas, r, state == kPressed ? kTrackPressed : state == kDisabled ? kTrackDisabled : kTrack);
            break;
        case kGripperHorz:
        case kGripperVert:
            Gripper(canvas, r, part == kGripperHorz);
            break;
        case kSizeBox:
            SizeBox(canvas, r);
            break;
        default:
            break;
    }
}

}  // namespace zindra::scrollbar_theme
