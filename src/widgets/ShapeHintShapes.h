// The geometry of the shaped hint: the window's size by style, its place next to the pointer,
// and the outlines of its shadow and body, each drawn with the pen and brush the canvas holds.
// Rectangles exclude their right and bottom edges, as everywhere in the canvas.
#pragma once

#include "framework/graphics/Canvas.h"
#include "widgets/ShapeHint.h"

namespace zindra::shapehint {

// The window's width and height around a text rectangle at (0, 0) for the style and a shadow
// depth; the nose rectangles first widen the text rectangle to at least 46 pixels.
Size WindowSize(TZkHintStyle style, Rect& text, int depth);

// The window's top-left corner for a position next to the pointer.
Point Corner(TZkHintPosition position, Point pointer, Size window);

struct Placement {
    TZkHintPosition Position;
    Point TopLeft;
    bool Fits = true;
};
// Tries the four positions in turn from the preferred one; the first whose top-left and
// bottom-right corners both lie on the screen is taken. When none fits, the last one tried is
// kept (its nose still points its way) and moved onto the screen as far as the window allows.
Placement Place(TZkHintPosition preferred, Point pointer, Size window, Size screen);

struct Shape {
    TZkHintStyle Style = TZkHintStyle::hsRect;
    TZkHintPosition Position = TZkHintPosition::hpAboveRight;
    int Width = 0;
    int Height = 0;
    int Depth = 0;  // of the shadow
};

// The shadow's outline: the body moved right and down by the depth, with a nose of its own
// except for below-right. Fills with the canvas's brush; the pen should be clear.
void DrawShadowOutline(TCanvas& canvas, const Shape& shape);
// The body outlined with the canvas's pen and filled with its brush (whose colour joins the
// nose to the body), and the text rectangle moved to its place inside it.
void DrawBody(TCanvas& canvas, const Shape& shape, Rect& text);

}  // namespace zindra::shapehint
