// Drawing of the tsMac look.
#include "imaging/MacTrackDrawing.h"

#include <algorithm>

#include "framework/graphics/Colors.h"
#include "framework/graphics/Raster.h"

namespace zindra {

namespace {

int Red(TColor c) {
    return c & 0xFF;
}
int Green(TColor c) {
    return (c >> 8) & 0xFF;
}
int Blue(TColor c) {
    return (c >> 16) & 0xFF;
}

void Fill(TCanvas& canvas, const Rect& r, TColor color) {
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().Color = color;
    canvas.FillRect(r);
}

// The edge of a button that faces the track is left to the track.
unsigned ButtonEdges(TArrowDirection direction) {
    switch (direction) {
        case TArrowDirection::Left:
            return kEdgeAll & ~kEdgeRight;
        case TArrowDirection::Up:
            return kEdgeAll & ~kEdgeBottom;
        case TArrowDirection::Right:
            return kEdgeAll & ~kEdgeLeft;
        default:
            return kEdgeAll & ~kEdgeTop;
    }
}

bool IsPrevious(TArrowDirection direction) {
    return direction == TArrowDirection::Left || direction == TArrowDirection::Up;
}

}  // namespace

void EdgeLines(TCanvas& canvas, Rect& r, unsigned edges, TColor color) {
    if (edges & kEdgeTop) {
        Fill(canvas, {r.Left, r.Top, r.Right, r.Top + 1}, color);
        ++r.Top;
    }
    if (edges & kEdgeBottom) {
        Fill(canvas, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, color);
        --r.Bottom;
    }
    if (edges & kEdgeLeft) {
        Fill(canvas, {r.Left, r.Top, r.Left + 1, r.Bottom}, color);
        ++r.Left;
    }
    if (edges & kEdgeRight) {
        Fill(canvas, {r.Right - 1, r.Top, r.Right, r.Bottom}, color);
        --r.Right;
    }
}

void Frame3D(TCanvas& canvas, Rect& r, TColor light, TColor dark, bool shrink) {
    Fill(canvas, {r.Left, r.Top, r.Left + 1, r.Bottom}, light);
    Fill(canvas, {r.Left, r.Top, r.Right - 1, r.Top + 1}, light);
    Fill(canvas, {r.Right - 1, r.Top, r.Right, r.Bottom}, dark);
    Fill(canvas, {r.Left + 1, r.Bottom - 1, r.Right, r.Bottom}, dark);
    if (shrink) r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
}

TColor Lighten(TColor color, int n) {
    const TColor c = ColorToRGB(color);
    const auto up = [n](int channel) { return std::clamp(channel + n, 0, 255); };
    return RGB(up(Red(c)), up(Green(c)), up(Blue(c)));
}

TColor Blend(TColor a, TColor b, BlendWeight w) {
    const TColor ca = ColorToRGB(a);
    const TColor cb = ColorToRGB(b);
    const auto mix = [w](int x, int y) { return (x * w.Value + y * (255 - w.Value)) >> 8; };
    return RGB(mix(Red(ca), Red(cb)), mix(Green(ca), Green(cb)), mix(Blue(ca), Blue(cb)));
}

void Dither(TCanvas& canvas, const Rect& r, TColor color1, TColor color2) {
    if (ColorToRGB(color1) == ColorToRGB(color2)) {
        Fill(canvas, r, color1);
        return;
    }
    static constexpr std::uint8_t kChecker[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    const Point origin = canvas.Origin();
    FillPattern(canvas.Target(), canvas.ToTarget(r), kChecker, ColorToPixel(color1), ColorToPixel(color2), false,
                origin.X, origin.Y, canvas.ToTarget(canvas.ClipRect()));
}

// The triangle through the three points as the system's polygon with a one-pixel pen draws it:
// its sides run at 45 degrees, so every column (or row) from the point to the base is one span.
void MacArrow(TCanvas& canvas, const Rect& r, TArrowDirection direction, TColor color) {
    const int cx = (r.Left + r.Right - 1) / 2;
    const int cy = (r.Top + r.Bottom - 1) / 2;
    // NOTE: a rectangle of a pixel or two would give a size of 0 or less; the arrow then keeps
    // its smallest size rather than turning inside out.
    const int s = std::max(std::min(cx - r.Left, cy - r.Top) * 3 / 4 - 1, 1);
    const int o = IsPrevious(direction) ? (s + 1) / 3 : s / 3;
    for (int i = 0; i <= s; ++i) {  // i: distance from the point
        switch (direction) {
            case TArrowDirection::Left:  // base column cx + o, point at cx + o - s
                Fill(canvas, {cx + o - s + i, cy - i, cx + o - s + i + 1, cy + i + 1}, color);
                break;
            case TArrowDirection::Right:  // base column cx - o, point at cx - o + s
                Fill(canvas, {cx - o + s - i, cy - i, cx - o + s - i + 1, cy + i + 1}, color);
                break;
            case TArrowDirection::Up:  // base row cy + o, point at cy + o - s
                Fill(canvas, {cx - i, cy + o - s + i, cx + i + 1, cy + o - s + i + 1}, color);
                break;
            case TArrowDirection::Down:  // base row cy - o, point at cy - o + s
                Fill(canvas, {cx - i, cy - o + s - i, cx + i + 1, cy - o + s - i + 1}, color);
                break;
        }
    }
}

void DrawMacButton(TCanvas& canvas, Rect r, TArrowDirection direction, bool pressed, bool drawEnabled) {
    if (r.IsEmpty()) return;
    const unsigned edges = ButtonEdges(direction);
    if (!drawEnabled) {
        // An embossed arrow: a light one a pixel down and right, the shadow over it.
        EdgeLines(canvas, r, edges, clBtnShadow);
        Fill(canvas, r, clBtnFace);
        r = {r.Left + 2, r.Top + 2, r.Right, r.Bottom};
        MacArrow(canvas, r, direction, clBtnHighlight);
        r = r.Offset(-1, -1);
        MacArrow(canvas, r, direction, clBtnShadow);
        return;
    }
    EdgeLines(canvas, r, edges, clWindowFrame);
    if (pressed) {
        Fill(canvas, r, clBtnFace);
        r = {r.Left + 2, r.Top + 2, r.Right, r.Bottom};
    } else {
        Frame3D(canvas, r, clBtnHighlight, clBtnShadow, true);
        Fill(canvas, r, clBtnFace);
    }
    MacArrow(canvas, r, direction, clBtnText);
}

void DrawMacTrack(TCanvas& canvas, Rect r, TArrowDirection endDirection, bool pressed, bool drawEnabled,
                  TColor trackColor, TTrackBackground background) {
    if (r.IsEmpty()) return;
    const bool previous = IsPrevious(endDirection);
    const bool horizontal = endDirection == TArrowDirection::Left || endDirection == TArrowDirection::Right;
    const unsigned facingHandle =
        previous ? (horizontal ? kEdgeRight : kEdgeBottom) : (horizontal ? kEdgeLeft : kEdgeTop);
    EdgeLines(canvas, r, kEdgeAll & ~facingHandle, drawEnabled ? clWindowFrame : clBtnShadow);
    if (pressed) {
        Fill(canvas, r, clWindowFrame);
        return;
    }
    if (r.IsEmpty()) return;
    if (!drawEnabled) {
        Fill(canvas, r, clBtnFace);
        return;
    }
    const unsigned inner = previous ? kEdgeLeft | kEdgeTop : (horizontal ? kEdgeTop : kEdgeLeft);
    EdgeLines(canvas, r, inner, Blend(clWindowFrame, Blend(clBtnHighlight, trackColor, 127), 32));
    if (background == TTrackBackground::bgPattern) {
        Dither(canvas, r, clBtnHighlight, trackColor);
    } else {
        Dither(canvas, r, trackColor, trackColor);
    }
}

void DrawMacHandle(TCanvas& canvas, Rect r, bool horizontal, bool pressed, TColor handleColor, bool grip) {
    const TColor light = Lighten(handleColor, 24);
    const TColor dark = Lighten(handleColor, -24);
    canvas.Brush().Color = clWindowFrame;
    canvas.FrameRect(r);
    r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    if (pressed) {
        Frame3D(canvas, r, dark, handleColor, true);
    } else {
        Frame3D(canvas, r, light, Blend(clWindowFrame, handleColor, 96), true);
    }
    Fill(canvas, r, handleColor);
    if (!grip) return;
    if (pressed) r = r.Offset(1, 1);
    const int length = horizontal ? r.Width() : r.Height();
    const int centre = horizontal ? (r.Left + r.Right) / 2 : (r.Top + r.Bottom) / 2;
    for (const int at : {-5, -2, 1, 4}) {
        if ((at == -5 || at == 4) && length <= 10) continue;
        Rect line = horizontal ? Rect{centre + at, r.Top + 1, centre + at + 2, r.Bottom - 1}
                               : Rect{r.Left + 1, centre + at, r.Right - 1, centre + at + 2};
        Frame3D(canvas, line, light, dark, false);
    }
}

}  // namespace zindra
