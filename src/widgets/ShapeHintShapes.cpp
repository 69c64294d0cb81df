// Sizes, placement and outlines of the shaped hint's six styles.
#include "widgets/ShapeHintShapes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "framework/graphics/Colors.h"
#include "framework/graphics/Raster.h"

namespace zindra::shapehint {

namespace {

constexpr int kCorner = 16;     // the rounded corners' ellipse
constexpr int kNose = 15;       // the body leaves this much free towards the pointer
constexpr int kNoseBase = 30;   // the nose's base along the body's edge
constexpr int kNoseAngle = 25;  // the nose ellipse's base, in degrees of the ellipse

bool IsNose(TZkHintStyle style) {
    return style == TZkHintStyle::hsNoseRect || style == TZkHintStyle::hsNoseRoundRect ||
           style == TZkHintStyle::hsNoseEllipse;
}

bool Above(TZkHintPosition p) {
    return p == TZkHintPosition::hpAboveLeft || p == TZkHintPosition::hpAboveRight;
}
bool Left(TZkHintPosition p) {
    return p == TZkHintPosition::hpAboveLeft || p == TZkHintPosition::hpBelowLeft;
}

// The body of a shape with a nose: 15 pixels kept free on the two sides facing the pointer.
Rect NoseBody(const Shape& s) {
    const TZkHintPosition p = s.Position;
    return {Left(p) ? 0 : kNose, Above(p) ? 0 : kNose, s.Width - s.Depth - (Left(p) ? kNose : 0),
            s.Height - s.Depth - (Above(p) ? kNose : 0)};
}

// The nose's tip: the window corner next to the pointer; the shadow's where it has a nose.
Point NoseTip(const Shape& s, bool shadow) {
    const int w = s.Width, h = s.Height, d = s.Depth;
    switch (s.Position) {
        case TZkHintPosition::hpAboveLeft:
            return shadow ? Point{w, h} : Point{w - d, h - d};
        case TZkHintPosition::hpAboveRight:
            return shadow ? Point{0, h} : Point{0, h - d};
        case TZkHintPosition::hpBelowLeft:
            return shadow ? Point{w, d} : Point{w, 0};
        case TZkHintPosition::hpBelowRight:
            break;
    }
    return {0, 0};
}

bool ShadowHasNose(const Shape& s) {
    return s.Position != TZkHintPosition::hpBelowRight;
}

// Where the nose's base starts on the body's edge; it runs 30 pixels to the right.
Point NoseBase(const Shape& s) {
    const int x = Left(s.Position) ? s.Width - s.Depth - 55 : 25;
    const int y = Above(s.Position) ? s.Height - s.Depth - 16 : 16;
    return {x, y};
}

void BodyOutline(TCanvas& canvas, TZkHintStyle style, const Rect& r) {
    switch (style) {
        case TZkHintStyle::hsRoundRect:
        case TZkHintStyle::hsNoseRoundRect:
            canvas.RoundRect(r, kCorner, kCorner);
            break;
        case TZkHintStyle::hsEllipse:
        case TZkHintStyle::hsNoseEllipse:
            canvas.Ellipse(r);
            break;
        default:
            canvas.Rectangle(r);
    }
}

int EllipseAngle(TZkHintPosition p) {
    static constexpr std::array<int, 4> kAngles = {125, 205, 25, 295};
    return kAngles[static_cast<std::size_t>(p)];
}

// The point at `degrees` on the ellipse in r, clockwise from the top.
Point OnEllipse(const Rect& r, int degrees) {
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    const double t = degrees * std::numbers::pi / 180.0;
    return {cx + static_cast<int>(std::sin(t) * (cx - r.Left)), cy - static_cast<int>(std::cos(t) * (cy - r.Top))};
}

void Triangle(TCanvas& canvas, Point a, Point b, Point c) {
    const std::array<Point, 3> points{a, b, c};
    canvas.Polygon(points);
}

// The body's text offset (or, for the nose ellipse above right, its place).
Rect PlaceText(const Shape& s, Rect text) {
    const int tw = text.Width(), th = text.Height(), d = s.Depth;
    const TZkHintPosition p = s.Position;
    switch (s.Style) {
        case TZkHintStyle::hsRect:
            return text.Offset(3, 3);
        case TZkHintStyle::hsRoundRect:
            return text.Offset(5, 5);
        case TZkHintStyle::hsEllipse:
            return text.Offset((tw - d) / 5 + 3, (th - d) / 5 + 3);
        case TZkHintStyle::hsNoseEllipse:
            if (p == TZkHintPosition::hpAboveRight) {
                return Rect::FromBounds((s.Width - tw + 15) / 2, (s.Height - th - 15) / 2, tw, th);
            }
            return text.Offset((tw - d) / 3 + 3, (th - d) / 3 + (Above(p) ? 3 : Left(p) ? 18 : 15));
        case TZkHintStyle::hsNoseRect:
        case TZkHintStyle::hsNoseRoundRect:
            break;
    }
    return text.Offset(Left(p) ? 4 : 19, Above(p) ? 4 : 19);
}

}  // namespace

Size WindowSize(TZkHintStyle style, Rect& text, int depth) {
    if (style == TZkHintStyle::hsNoseRect || style == TZkHintStyle::hsNoseRoundRect) {
        text.Right = std::max(text.Right, text.Left + 46);
    }
    const int tw = text.Width(), th = text.Height(), d = depth;
    switch (style) {
        case TZkHintStyle::hsRect:
            return {tw + d, th + d};
        case TZkHintStyle::hsRoundRect:
            return {tw + d + 8, th + d + 4};
        case TZkHintStyle::hsEllipse:
            return {tw + tw / 3 + d, th + th / 3 + d};
        case TZkHintStyle::hsNoseEllipse:
            return {tw + tw / 2 + d + 15, th + th / 2 + d + 15};
        default:
            return {tw + d + 23, th + d + 18};
    }
}

Point Corner(TZkHintPosition position, Point pointer, Size window) {
    switch (position) {
        case TZkHintPosition::hpAboveLeft:
            return {pointer.X - window.Width - 1, pointer.Y - window.Height - 1};
        case TZkHintPosition::hpAboveRight:
            return {pointer.X + 1, pointer.Y - window.Height - 1};
        case TZkHintPosition::hpBelowLeft:
            return {pointer.X - window.Width - 3, pointer.Y + 1};
        case TZkHintPosition::hpBelowRight:
            break;
    }
    return {pointer.X + 6, pointer.Y + 1};
}

Placement Place(TZkHintPosition preferred, Point pointer, Size window, Size screen) {
    const Rect onScreen{0, 0, screen.Width, screen.Height};
    Placement tried{preferred, {}, false};
    for (int i = 0; i < 4; ++i) {
        tried.Position = static_cast<TZkHintPosition>((static_cast<int>(preferred) + i) % 4);
        tried.TopLeft = Corner(tried.Position, pointer, window);
        const Point bottomRight{tried.TopLeft.X + window.Width, tried.TopLeft.Y + window.Height};
        if (onScreen.Contains(tried.TopLeft) && onScreen.Contains(bottomRight)) return {tried.Position, tried.TopLeft};
    }
    tried.TopLeft.X = std::max(0, std::min(tried.TopLeft.X, screen.Width - window.Width - 1));
    tried.TopLeft.Y = std::max(0, std::min(tried.TopLeft.Y, screen.Height - window.Height - 1));
    return tried;
}

void DrawShadowOutline(TCanvas& canvas, const Shape& s) {
    const int d = s.Depth;
    if (!IsNose(s.Style)) {
        BodyOutline(canvas, s.Style, {d, d, s.Width, s.Height});
        return;
    }
    const Rect body = NoseBody(s).Offset(d, d);
    BodyOutline(canvas, s.Style, body);
    if (!ShadowHasNose(s)) return;
    const Point tip = NoseTip(s, true);
    if (s.Style == TZkHintStyle::hsNoseEllipse) {
        const int a = EllipseAngle(s.Position);
        Triangle(canvas, OnEllipse(body, a), tip, OnEllipse(body, a + kNoseAngle));
    } else {
        const Point base = NoseBase(s);
        Triangle(canvas, {base.X + d, base.Y + d}, tip, {base.X + d + kNoseBase, base.Y + d});
    }
}

namespace {

// The ellipse and its nose filled without an outline, then the outline drawn around both: the
// ellipse's arc the long way round from the nose's one side to its other, and the nose's sides.
void DrawNoseEllipse(TCanvas& canvas, const Shape& s) {
    const Rect body = NoseBody(s);
    const Point tip = NoseTip(s, false);
    const int a = EllipseAngle(s.Position);
    const Point from = OnEllipse(body, a), to = OnEllipse(body, a + kNoseAngle);
    const TPen border = canvas.Pen();
    canvas.Pen().Style = TPenStyle::psClear;
    canvas.Ellipse(body);
    Triangle(canvas, from, tip, to);
    canvas.Pen() = border;
    if (border.Style == TPenStyle::psClear) return;
    const Point o = canvas.Origin();
    DrawArc(canvas.Target(), canvas.ToTarget(body), {from.X + o.X, from.Y + o.Y}, {to.X + o.X, to.Y + o.Y},
            ColorToPixel(border.Color), canvas.ToTarget(canvas.ClipRect()), border.Width);
    canvas.MoveTo(from.X, from.Y);
    canvas.LineTo(tip.X, tip.Y);
    canvas.LineTo(to.X, to.Y);
}

// The body and the nose, each outlined; then a line in the body's colour over the nose's base
// opens the body's edge into the nose.
void DrawNoseRect(TCanvas& canvas, const Shape& s) {
    BodyOutline(canvas, s.Style, NoseBody(s));
    const Point base = NoseBase(s);
    Triangle(canvas, base, NoseTip(s, false), {base.X + kNoseBase, base.Y});
    const TPen border = canvas.Pen();
    canvas.Pen().Style = TPenStyle::psSolid;
    canvas.Pen().Color = canvas.Brush().Color;
    canvas.MoveTo(base.X, base.Y);
    canvas.LineTo(base.X + kNoseBase, base.Y);
    canvas.Pen() = border;
}

}  // namespace

void DrawBody(TCanvas& canvas, const Shape& s, Rect& text) {
    if (s.Style == TZkHintStyle::hsNoseEllipse) {
        DrawNoseEllipse(canvas, s);
    } else if (IsNose(s.Style)) {
        DrawNoseRect(canvas, s);
    } else {
        BodyOutline(canvas, s.Style, {0, 0, s.Width - s.Depth, s.Height - s.Depth});
    }
    text = PlaceText(s, text);
}

}  // namespace zindra::shapehint
