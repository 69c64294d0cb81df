// The tsMac look of the range tracks, drawn entirely by the bar: its drawing primitives (edge
// lines, 3D frames, lightened and blended colours, the checkerboard fill, arrows) and the arrow
// buttons, tracks and handle made from them. Colours may be system colours; they are resolved
// when drawn.
#pragma once

#include <cstdint>

#include "framework/graphics/Canvas.h"
#include "imaging/TrackTypes.h"

namespace zindra {

// Subsets of a rectangle's edges.
enum EdgeBit : unsigned { kEdgeTop = 1, kEdgeBottom = 2, kEdgeLeft = 4, kEdgeRight = 8, kEdgeAll = 15 };

// One-pixel lines along the chosen edges, drawn top, bottom, left, right, each shrinking r past it.
void EdgeLines(TCanvas& canvas, Rect& r, unsigned edges, TColor color);

// The left column (full height) and the top row (all but its last pixel) in light, the right
// column (full height) and the bottom row (from its second pixel) in dark; optionally shrinks r
// by 1 on every side.
void Frame3D(TCanvas& canvas, Rect& r, TColor light, TColor dark, bool shrink);

// n added to each of red, green and blue, clamped to 0..255.
TColor Lighten(TColor color, int n);

// A blend weight, which must be a constant below 256: a weight of 256 or more does not compile.
struct BlendWeight {
    consteval BlendWeight(int weight) : Value(weight) {
        if (weight < 0 || weight >= 256) throw "a blend weight is below 256";
    }
    int Value;
};
// Per channel (a * w + b * (255 - w)) shr 8.
TColor Blend(TColor a, TColor b, BlendWeight w);

// A solid fill when the colours are equal, else the 8 by 8 checkerboard: color1 where x + y is
// even, counted from the canvas origin as a window's brush is.
void Dither(TCanvas& canvas, const Rect& r, TColor color1, TColor color2);

// A filled triangle pointing in the direction, sized from the rectangle.
void MacArrow(TCanvas& canvas, const Rect& r, TArrowDirection direction, TColor color);

// The parts of the bar. drawEnabled: the bar is enabled and its window smaller than its range.
void DrawMacButton(TCanvas& canvas, Rect r, TArrowDirection direction, bool pressed, bool drawEnabled);
// endDirection: the direction of the button at the track's far end (left or up: the previous track).
void DrawMacTrack(TCanvas& canvas, Rect r, TArrowDirection endDirection, bool pressed, bool drawEnabled,
                  TColor trackColor, TTrackBackground background);
void DrawMacHandle(TCanvas& canvas, Rect r, bool horizontal, bool pressed, TColor handleColor, bool grip);

}  // namespace zindra
