// Ellipses, rounded rectangles, arcs and polygons of the raster engine.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "framework/graphics/Raster.h"
#include "framework/graphics/RasterClip.h"

namespace zindra {

using platform::Point;
using platform::Rect;
using raster::CeilDiv;
using raster::DrawableArea;

namespace {

// Pixels [A, B) of one row; empty when A >= B.
struct Span {
    std::int64_t A = std::numeric_limits<std::int32_t>::max();
    std::int64_t B = std::numeric_limits<std::int32_t>::min();
    bool Empty() const { return A >= B; }
};

constexpr std::int64_t kExactSide = 1 << 15;  // up to here the ellipse test is exact in 64 bits
constexpr int kMaxOutlineWidth = 1024;        // each outline row looks this many rows up and down
constexpr int kMaxPolygonCoordinate = 1 << 28;

std::int64_t FloorSqrt(std::uint64_t v) {
    auto r = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(v)));
    while (r > 0 && r * r > v)
        --r;
    while ((r + 1) * (r + 1) <= v)
        ++r;
    return static_cast<std::int64_t>(r);
}

// The rows of the ellipse inscribed in a rectangle. In doubled coordinates relative to the centre,
// u = 2x + 1 - (L + R) and v = 2y + 1 - (T + B), a pixel is inside when u²H² + v²W² <= W²H².
class EllipseShape {
public:
    explicit EllipseShape(const Rect& r)
        : w_(std::int64_t{r.Right} - r.Left),
          h_(std::int64_t{r.Bottom} - r.Top),
          sumX_(std::int64_t{r.Left} + r.Right),
          sumY_(std::int64_t{r.Top} + r.Bottom) {}

    Span operator()(std::int64_t y) const {
        const std::int64_t v = 2 * y + 1 - sumY_;
        if (w_ <= 0 || h_ <= 0 || v <= -h_ || v >= h_) return {};
        std::int64_t uMax = 0;
        if (w_ <= kExactSide && h_ <= kExactSide) {
            uMax = FloorSqrt(static_cast<std::uint64_t>(w_ * w_ * ((h_ - v) * (h_ + v)))) / h_;
        } else {
            // Beyond any bitmap's size: IEEE arithmetic is still the same everywhere.
            const double across = std::sqrt(static_cast<double>(h_ - v) * static_cast<double>(h_ + v));
            uMax = static_cast<std::int64_t>(std::floor(static_cast<double>(w_) * across / static_cast<double>(h_)));
        }
        if ((uMax - (w_ - 1)) % 2 != 0) --uMax;  // u has the parity of W - 1
        if (uMax < 0) return {};
        return {(sumX_ - 1 - uMax) / 2, (sumX_ - 1 + uMax) / 2 + 1};
    }

private:
    std::int64_t w_, h_, sumX_, sumY_;
};

// A corner ellipse's side: no more than the rectangle's, and small enough for a Rect.
std::int64_t CornerSide(int side, std::int64_t rectSide) {
    return std::clamp<std::int64_t>(side, 0, std::clamp<std::int64_t>(rectSide, 0, INT32_MAX));
}

// A rectangle whose corners are the quarters of an ellipse.
class RoundRectShape {
public:
    RoundRectShape(const Rect& r, int ellipseW, int ellipseH)
        : rect_(r),
          ew_(CornerSide(ellipseW, std::int64_t{r.Right} - r.Left)),
          eh_(CornerSide(ellipseH, std::int64_t{r.Bottom} - r.Top)),
          corner_(Rect{0, 0, static_cast<int>(ew_), static_cast<int>(eh_)}) {}

    Span operator()(std::int64_t y) const {
        if (rect_.IsEmpty() || y < rect_.Top || y >= rect_.Bottom) return {};
        const std::int64_t k = std::min(y - rect_.Top, std::int64_t{rect_.Bottom} - 1 - y);
        std::int64_t inset = 0;
        if (ew_ >= 2 && eh_ >= 2 && k < eh_ / 2) {
            const Span c = corner_(k);
            inset = c.Empty() ? (ew_ + 1) / 2 : c.A;
        }
        return {rect_.Left + inset, rect_.Right - inset};
    }

private:
    Rect rect_;
    std::int64_t ew_, eh_;
    EllipseShape corner_;
};

// Calls emit(y, a, b) for the filled spans of shape on the rows [top, bottom) that can be seen.
template <class Shape, class Emit>
void ForEachFillSpan(const Rect& area, std::int64_t top, std::int64_t bottom, const Shape& shape, Emit emit) {
    const std::int64_t y0 = std::max<std::int64_t>(top, area.Top), y1 = std::min<std::int64_t>(bottom, area.Bottom);
    for (std::int64_t y = y0; y < y1; ++y) {
        const Span s = shape(y);
        if (!s.Empty()) emit(static_cast<int>(y), s.A, s.B);
    }
}

// Calls emit(y, a, b) for the outline spans: pixels of the shape that have an outside pixel within
// `width` steps left, right, up or down.
template <class Shape, class Emit>
void ForEachOutlineSpan(const Rect& area, std::int64_t top, std::int64_t bottom, const Shape& shape, int width,
                        Emit emit) {
    width = std::clamp(width, 1, kMaxOutlineWidth);
    ForEachFillSpan(area, top, bottom, shape, [&](int y, std::int64_t a, std::int64_t b) {
        std::int64_t lo = a + width, hi = b - width;
        for (int k = 1; k <= width && lo < hi; ++k) {
            const Span up = shape(std::int64_t{y} - k), down = shape(std::int64_t{y} + k);
            lo = std::max({lo, up.A, down.A});
            hi = std::min({hi, up.B, down.B});
        }
        if (lo >= hi) {
            emit(y, a, b);
        } else {
            emit(y, a, lo);
            emit(y, hi, b);
        }
    });
}

// Writes [a, b) of row y, clipped to area (y already inside it).
auto SpanWriter(Bitmap32& dst, const Rect& area, Pixel pixel) {
    return [&dst, area, pixel](int y, std::int64_t a, std::int64_t b) {
        const auto x0 = static_cast<int>(std::max<std::int64_t>(a, area.Left));
        const auto x1 = static_cast<int>(std::min<std::int64_t>(b, area.Right));
        if (x0 < x1) std::fill(dst.Row(y) + x0, dst.Row(y) + x1, pixel);
    };
}

}  // namespace

void FillEllipse(Bitmap32& dst, const Rect& rect, Pixel pixel, const Rect& clip) {
    const Rect area = DrawableArea(dst, clip);
    ForEachFillSpan(area, rect.Top, rect.Bottom, EllipseShape(rect), SpanWriter(dst, area, pixel));
}

void FrameEllipse(Bitmap32& dst, const Rect& rect, Pixel pixel, const Rect& clip, int width) {
    const Rect area = DrawableArea(dst, clip);
    ForEachOutlineSpan(area, rect.Top, rect.Bottom, EllipseShape(rect), width, SpanWriter(dst, area, pixel));
}

void FillRoundRect(Bitmap32& dst, const Rect& rect, int ellipseW, int ellipseH, Pixel pixel, const Rect& clip) {
    const Rect area = DrawableArea(dst, clip);
    ForEachFillSpan(area, rect.Top, rect.Bottom, RoundRectShape(rect, ellipseW, ellipseH),
                    SpanWriter(dst, area, pixel));
}

void FrameRoundRect(Bitmap32& dst, const Rect& rect, int ellipseW, int ellipseH, Pixel pixel, const Rect& clip,
                    int width) {
    const Rect area = DrawableArea(dst, clip);
    ForEachOutlineSpan(area, rect.Top, rect.Bottom, RoundRectShape(rect, ellipseW, ellipseH), width,
                       SpanWriter(dst, area, pixel));
}

namespace {

// Directions from the ellipse's centre in doubled coordinates with y pointing up, so that a
// positive cross product turns counter-clockwise on the screen. Doubles hold every product of
// on-screen coordinates exactly.
struct Direction {
    double X = 0, Y = 0;
};

double Cross(Direction a, Direction b) {
    return a.X * b.Y - a.Y * b.X;
}

// Whether p lies on the counter-clockwise sweep from s to e (both ends included).
bool InSweep(Direction s, Direction e, Direction p) {
    const double turn = Cross(s, e);
    if (turn > 0) return Cross(s, p) >= 0 && Cross(p, e) >= 0;
    if (turn < 0) return Cross(s, p) >= 0 || Cross(p, e) >= 0;
    if (s.X * e.X + s.Y * e.Y > 0) return true;  // the same direction: the whole outline
    return Cross(s, p) >= 0;                     // opposite: the half to the left of s
}

}  // namespace

void DrawArc(Bitmap32& dst, const Rect& rect, Point start, Point end, Pixel pixel, const Rect& clip, int width) {
    const Rect area = DrawableArea(dst, clip);
    const double sumX = static_cast<double>(rect.Left) + rect.Right, sumY = static_cast<double>(rect.Top) + rect.Bottom;
    auto toDirection = [&](Point p) {
        Direction d{2.0 * p.X - sumX, sumY - 2.0 * p.Y};
        return (d.X == 0 && d.Y == 0) ? Direction{1, 0} : d;  // a point at the centre points right
    };
    const Direction s = toDirection(start), e = toDirection(end);
    ForEachOutlineSpan(area, rect.Top, rect.Bottom, EllipseShape(rect), width,
                       [&](int y, std::int64_t a, std::int64_t b) {
                           const auto x0 = static_cast<int>(std::max<std::int64_t>(a, area.Left));
                           const auto x1 = static_cast<int>(std::min<std::int64_t>(b, area.Right));
                           for (int x = x0; x < x1; ++x) {
                               const Direction p{2.0 * x + 1 - sumX, sumY - (2.0 * y + 1)};
                               if (InSweep(s, e, p)) dst.At(x, y) = pixel;
                           }
                       });
}

namespace {

struct Crossing {
    std::int64_t X;  // first pixel whose centre is at or right of the edge on this row
    int Dir;         // +1 for an edge running down, -1 up
    bool operator<(const Crossing& o) const { return X < o.X; }
};

// Where the edge a-b crosses the centre line of row y, as the first pixel right of it; the caller
// made sure a.Y <= y < b.Y. With dy = b.Y - a.Y the crossing is at x = a.X + (y + 1/2 - a.Y) dx / dy
// and the first pixel centre at or past it is ceil(x - 1/2).
std::int64_t CrossingX(Point a, Point b, std::int64_t y) {
    const std::int64_t dx = std::int64_t{b.X} - a.X, dy = std::int64_t{b.Y} - a.Y;
    return CeilDiv(2 * dy * a.X + (2 * y + 1 - 2 * std::int64_t{a.Y}) * dx - dy, 2 * dy);
}

void CollectCrossings(const std::vector<Point>& pts, std::int64_t y, std::vector<Crossing>& out) {
    out.clear();
    for (std::size_t i = 0; i < pts.size(); ++i) {
        Point a = pts[i], b = pts[(i + 1) % pts.size()];
        if (a.Y == b.Y) continue;
        int dir = 1;
        if (a.Y > b.Y) {
            std::swap(a, b);
            dir = -1;
        }
        if (y >= a.Y && y < b.Y) out.push_back({CrossingX(a, b, y), dir});
    }
    std::sort(out.begin(), out.end());
}

}  // namespace

void FillPolygon(Bitmap32& dst, std::span<const Point> points, Pixel pixel, bool alternateFill, const Rect& clip) {
    const Rect area = DrawableArea(dst, clip);
    if (points.size() < 3 || area.IsEmpty()) return;
    std::vector<Point> pts(points.begin(), points.end());
    int minY = kMaxPolygonCoordinate, maxY = -kMaxPolygonCoordinate;
    for (Point& p : pts) {
        p.X = std::clamp(p.X, -kMaxPolygonCoordinate, kMaxPolygonCoordinate);
        p.Y = std::clamp(p.Y, -kMaxPolygonCoordinate, kMaxPolygonCoordinate);
        minY = std::min(minY, p.Y), maxY = std::max(maxY, p.Y);
    }
    const auto write = SpanWriter(dst, area, pixel);
    std::vector<Crossing> crossings;
    for (int y = std::max(minY, area.Top); y < std::min(maxY, area.Bottom); ++y) {
        CollectCrossings(pts, y, crossings);
        int winding = 0;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += crossings[i].Dir;
            const bool inside = alternateFill ? (i % 2 == 0) : (winding != 0);
            if (inside) write(y, crossings[i].X, crossings[i + 1].X);
        }
    }
}

void FramePolygon(Bitmap32& dst, std::span<const Point> points, Pixel pixel, int width, const Rect& clip) {
    if (points.size() < 2) return;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point a = points[i], b = points[(i + 1) % points.size()];
        DrawLine(dst, a.X, a.Y, b.X, b.Y, pixel, width, clip);
    }
}

}  // namespace zindra
