// Rectangles, patterns, lines and the pixel copies of the raster engine.
#include "framework/graphics/Raster.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/graphics/BlendSet.h"
#include "framework/graphics/PixelBlend.h"
#include "framework/graphics/RasterClip.h"

namespace zindra {

using platform::Point;
using platform::Rect;
using raster::DrawableArea;
using raster::FloorDiv;

namespace {

// Keeps line arithmetic (products of two coordinates) inside 64 bits.
constexpr int kMaxCoordinate = 1 << 28;
constexpr std::int64_t kMaxStretchSide = std::int64_t{1} << 30;
constexpr int kMaxPenWidth = 1 << 16;

int ClampCoordinate(int v) {
    return std::clamp(v, -kMaxCoordinate, kMaxCoordinate);
}

// A rectangle from 64-bit corners, clamped to int so a far-off rectangle stays far off.
Rect ClampedRect(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) {
    auto c = [](std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX)); };
    return {c(l), c(t), c(r), c(b)};
}

}  // namespace

void FillRect(Bitmap32& dst, const Rect& rect, Pixel pixel, const Rect& clip) {
    const Rect r = rect.Intersect(DrawableArea(dst, clip));
    for (int y = r.Top; y < r.Bottom; ++y)
        std::fill(dst.Row(y) + r.Left, dst.Row(y) + r.Right, pixel);
}

void FillPattern(Bitmap32& dst, const Rect& rect, const std::uint8_t (&rows)[8], Pixel fg, Pixel bg, bool transparentBg,
                 int originX, int originY, const Rect& clip) {
    const Rect r = rect.Intersect(DrawableArea(dst, clip));
    if (r.IsEmpty()) return;
    // Phase of column r.Left within the pattern; the pattern is then walked column by column.
    const int phaseX = static_cast<int>(((std::int64_t{r.Left} - originX) % 8 + 8) % 8);
    for (int y = r.Top; y < r.Bottom; ++y) {
        const int phaseY = static_cast<int>(((std::int64_t{y} - originY) % 8 + 8) % 8);
        const unsigned bits = rows[phaseY];
        Pixel* row = dst.Row(y);
        for (int x = r.Left, bit = phaseX; x < r.Right; ++x, bit = (bit + 1) & 7) {
            if (bits & (0x80u >> bit)) {
                row[x] = fg;
            } else if (!transparentBg) {
                row[x] = bg;
            }
        }
    }
}

void FrameRect(Bitmap32& dst, const Rect& rect, Pixel pixel, const Rect& clip, int width) {
    if (rect.IsEmpty() || width < 1) return;
    const Rect area = rect.Intersect(DrawableArea(dst, clip));
    const std::int64_t l = rect.Left, t = rect.Top, r = rect.Right, b = rect.Bottom, w = width;
    // The four bands may overlap in a thin rectangle; writing a pixel twice is harmless.
    FillRect(dst, ClampedRect(l, t, r, t + w), pixel, area);
    FillRect(dst, ClampedRect(l, b - w, r, b), pixel, area);
    FillRect(dst, ClampedRect(l, t, l + w, b), pixel, area);
    FillRect(dst, ClampedRect(r - w, t, r, b), pixel, area);
}

namespace {

// The range of steps i in [0, count) whose major coordinate m0 + i * dir stays in [lo, hi).
void VisibleSteps(std::int64_t m0, int dir, std::int64_t lo, std::int64_t hi, std::int64_t count, std::int64_t& first,
                  std::int64_t& last) {
    if (dir > 0) {
        first = std::max<std::int64_t>(0, lo - m0);
        last = std::min(count, hi - m0);
    } else {
        first = std::max<std::int64_t>(0, m0 - hi + 1);
        last = std::min(count, m0 - lo + 1);
    }
}

// The cross product of a - o and b - o: positive where o, a, b turn counter-clockwise with y up.
std::int64_t Turn(Point o, Point a, Point b) {
    return (std::int64_t{a.X} - o.X) * (std::int64_t{b.Y} - o.Y) -
           (std::int64_t{a.Y} - o.Y) * (std::int64_t{b.X} - o.X);
}

// A square pen swept from one end to the other: the convex hull of the two end squares.
void DrawWideLine(Bitmap32& dst, int x0, int y0, int x1, int y1, Pixel pixel, int width, const Rect& clip) {
    const int lo = -(width / 2), hi = width - width / 2;  // pixel edges of the square around a point
    std::vector<Point> corners;
    for (const Point p : {Point{x0, y0}, Point{x1, y1}}) {
        for (const Point c : {Point{lo, lo}, Point{hi, lo}, Point{hi, hi}, Point{lo, hi}}) {
            corners.push_back({p.X + c.X, p.Y + c.Y});
        }
    }
    std::sort(corners.begin(), corners.end(), [](Point a, Point b) { return a.X != b.X ? a.X < b.X : a.Y < b.Y; });
    std::vector<Point> hull;  // Andrew's monotone chain, lower then upper half
    for (int pass = 0; pass < 2; ++pass) {
        const std::size_t base = hull.size();
        for (const Point p : corners) {
            while (hull.size() >= base + 2 && Turn(hull[hull.size() - 2], hull.back(), p) <= 0)
                hull.pop_back();
            hull.push_back(p);
        }
        hull.pop_back();
        std::reverse(corners.begin(), corners.end());
    }
    FillPolygon(dst, hull, pixel, false, clip);
}

}  // namespace

void DrawLine(Bitmap32& dst, int x0, int y0, int x1, int y1, Pixel pixel, int width, const Rect& clip) {
    const Rect area = DrawableArea(dst, clip);
    if (area.IsEmpty()) return;
    x0 = ClampCoordinate(x0), y0 = ClampCoordinate(y0), x1 = ClampCoordinate(x1), y1 = ClampCoordinate(y1);
    if (width > 1) {
        DrawWideLine(dst, x0, y0, x1, y1, pixel, std::min(width, kMaxPenWidth), area);
        return;
    }
    const std::int64_t dx = std::int64_t{x1} - x0, dy = std::int64_t{y1} - y0;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const std::int64_t steps = xMajor ? std::abs(dx) : std::abs(dy);  // the last point is left out
    const std::int64_t major0 = xMajor ? x0 : y0, minor0 = xMajor ? y0 : x0;
    const std::int64_t dMinor = xMajor ? dy : dx;
    const int dir = (xMajor ? dx : dy) < 0 ? -1 : 1;
    std::int64_t first = 0, last = 0;
    VisibleSteps(major0, dir, xMajor ? area.Left : area.Top, xMajor ? area.Right : area.Bottom, steps, first, last);
    for (std::int64_t i = first; i < last; ++i) {
        // The minor coordinate of step i, rounded half up: no error accumulates, and any step can start.
        const std::int64_t minor = minor0 + FloorDiv(2 * i * dMinor + steps, 2 * steps);
        const int major = static_cast<int>(major0 + i * dir);
        const int x = xMajor ? major : static_cast<int>(minor), y = xMajor ? static_cast<int>(minor) : major;
        if (area.Contains({x, y})) dst.At(x, y) = pixel;
    }
}

// ---- Pixel copies ----------------------------------------------------------------------------

namespace {

// Where a copy reads and writes after clipping: w by h pixels from (sx, sy) to (dx, dy).
struct CopyArea {
    int Sx = 0, Sy = 0, Dx = 0, Dy = 0, W = 0, H = 0;
};

bool ResolveCopy(const Bitmap32& dst, int dx, int dy, const Bitmap32& src, const Rect& srcRect, const Rect& clip,
                 CopyArea& out) {
    const Rect s = srcRect.Intersect({0, 0, src.Width(), src.Height()});
    if (s.IsEmpty()) return false;
    const std::int64_t left = std::int64_t{dx} + s.Left - srcRect.Left;
    const std::int64_t top = std::int64_t{dy} + s.Top - srcRect.Top;
    const Rect d = ClampedRect(left, top, left + s.Width(), top + s.Height()).Intersect(DrawableArea(dst, clip));
    if (d.IsEmpty()) return false;
    out = {static_cast<int>(s.Left + (d.Left - left)),
           static_cast<int>(s.Top + (d.Top - top)),
           d.Left,
           d.Top,
           d.Width(),
           d.Height()};
    return true;
}

// The same bitmap as source and destination: the source area is copied out first so blending and
// stretching never read pixels they have already written.
Bitmap32 Detach(const Bitmap32& src, const Rect& area) {
    const Rect s = area.Intersect({0, 0, src.Width(), src.Height()});
    Bitmap32 copy(src.Width(), src.Height(), 0);
    for (int y = s.Top; y < s.Bottom; ++y) {
        std::memcpy(copy.Row(y) + s.Left, src.Row(y) + s.Left, sizeof(Pixel) * static_cast<std::size_t>(s.Width()));
    }
    return copy;
}

}  // namespace

void CopyPixels(Bitmap32& dst, int dx, int dy, const Bitmap32& src, const Rect& srcRect, const Rect& clip) {
    CopyArea a;
    if (!ResolveCopy(dst, dx, dy, src, srcRect, clip, a)) return;
    const std::size_t bytes = sizeof(Pixel) * static_cast<std::size_t>(a.W);
    if (&src == &dst && a.Dy > a.Sy) {
        // Scrolling down within one bitmap: bottom rows first, so no row is overwritten before it is read.
        for (int y = a.H - 1; y >= 0; --y)
            std::memmove(dst.Row(a.Dy + y) + a.Dx, src.Row(a.Sy + y) + a.Sx, bytes);
    } else if (&src == &dst) {
        for (int y = 0; y < a.H; ++y)
            std::memmove(dst.Row(a.Dy + y) + a.Dx, src.Row(a.Sy + y) + a.Sx, bytes);
    } else {
        for (int y = 0; y < a.H; ++y)
            std::memcpy(dst.Row(a.Dy + y) + a.Dx, src.Row(a.Sy + y) + a.Sx, bytes);
    }
}

namespace {

// Composites n straight-alpha source pixels, their alpha scaled by constantAlpha / 255, over a
// row. Rows whose destination is opaque throughout (the usual window frame) take branch-free loops.
void BlendRow(Pixel* dst, const Pixel* src, int n, std::uint32_t constantAlpha) {
    Pixel opaque = 0xFF000000u;
    for (int i = 0; i < n; ++i)
        opaque &= dst[i];
    if (opaque == 0xFF000000u && constantAlpha == 255) {
        blend::Blender().CompositeRun(src, dst, n);
    } else if (opaque == 0xFF000000u) {
        blend::Blender().CompositeRunWeighted(src, dst, n, constantAlpha);
    } else if (constantAlpha == 255) {
        for (int i = 0; i < n; ++i)
            dst[i] = blend::OverStraight(dst[i], src[i]);
    } else {
        for (int i = 0; i < n; ++i)
            dst[i] = blend::Over(dst[i], src[i], (src[i] >> 24) * constantAlpha);
    }
}

}  // namespace

void BlendPixels(Bitmap32& dst, int dx, int dy, const Bitmap32& src, const Rect& srcRect, const Rect& clip,
                 std::uint8_t constantAlpha) {
    if (constantAlpha == 0) return;
    if (&src == &dst) {
        const Bitmap32 copy = Detach(src, srcRect);
        BlendPixels(dst, dx, dy, copy, srcRect, clip, constantAlpha);
        return;
    }
    CopyArea a;
    if (!ResolveCopy(dst, dx, dy, src, srcRect, clip, a)) return;
    for (int y = 0; y < a.H; ++y)
        BlendRow(dst.Row(a.Dy + y) + a.Dx, src.Row(a.Sy + y) + a.Sx, a.W, constantAlpha);
}

namespace {

// One axis of a stretch: destination pixels [d0, d1) read source index origin + floor((2i+1) * size / 2n).
struct StretchAxis {
    std::int64_t D0 = 0, D1 = 0;        // destination range, normalised (D0 < D1)
    std::int64_t Origin = 0, Size = 0;  // source edge and signed extent (negative: mirrored)

    std::int64_t SourceAt(std::int64_t d) const { return Origin + FloorDiv((2 * (d - D0) + 1) * Size, 2 * (D1 - D0)); }

    // Narrows [lo, hi) to the destination pixels that read inside [0, limit) of the source; the
    // mapping is monotonic, so they form one run.
    bool Narrow(int& lo, int& hi, int limit) const {
        lo = static_cast<int>(std::max<std::int64_t>(lo, D0));
        hi = static_cast<int>(std::min<std::int64_t>(hi, D1));
        while (lo < hi && (SourceAt(lo) < 0 || SourceAt(lo) >= limit))
            ++lo;
        while (hi > lo && (SourceAt(hi - 1) < 0 || SourceAt(hi - 1) >= limit))
            --hi;
        return lo < hi;
    }
};

bool MakeAxis(std::int64_t d0, std::int64_t d1, std::int64_t s0, std::int64_t s1, StretchAxis& axis) {
    axis = {d0, d1, s0, s1 - s0};
    if (d1 < d0) {  // a mirrored destination reads the source the other way round
        axis = {d1, d0, s1, s0 - s1};
    }
    const std::int64_t n = axis.D1 - axis.D0;
    return n > 0 && n <= kMaxStretchSide && axis.Size != 0 && std::abs(axis.Size) <= kMaxStretchSide;
}

// Writes destination rows from source rows through the column table.
struct StretchRows {
    const std::vector<int>& Columns;
    bool Unscaled;  // the columns are consecutive: each row is one copy
    bool Blend;
    std::vector<Pixel> Gathered = std::vector<Pixel>(Blend ? Columns.size() : 0);

    void Write(Pixel* d, const Pixel* s) {
        const std::size_t n = Columns.size();
        if (Blend) {
            for (std::size_t i = 0; i < n; ++i)
                Gathered[i] = s[Columns[i]];
            BlendRow(d, Gathered.data(), static_cast<int>(n), 255);
        } else if (Unscaled) {
            std::memcpy(d, s + Columns[0], sizeof(Pixel) * n);
        } else {
            for (std::size_t i = 0; i < n; ++i)
                d[i] = s[Columns[i]];
        }
    }
};

}  // namespace

void StretchPixels(Bitmap32& dst, const Rect& dstRect, const Bitmap32& src, const Rect& srcRect, const Rect& clip,
                   bool blend) {
    if (&src == &dst) {
        const Bitmap32 copy =
            Detach(src, {std::min(srcRect.Left, srcRect.Right), std::min(srcRect.Top, srcRect.Bottom),
                         std::max(srcRect.Left, srcRect.Right), std::max(srcRect.Top, srcRect.Bottom)});
        StretchPixels(dst, dstRect, copy, srcRect, clip, blend);
        return;
    }
    StretchAxis ax, ay;
    if (!MakeAxis(dstRect.Left, dstRect.Right, srcRect.Left, srcRect.Right, ax) ||
        !MakeAxis(dstRect.Top, dstRect.Bottom, srcRect.Top, srcRect.Bottom, ay)) {
        return;
    }
    const Rect area = DrawableArea(dst, clip);
    int x0 = area.Left, x1 = area.Right, y0 = area.Top, y1 = area.Bottom;
    if (!ax.Narrow(x0, x1, src.Width()) || !ay.Narrow(y0, y1, src.Height())) return;
    // NOTE: a per-call column table; at most one destination row wide, so cheap next to the pixels.
    std::vector<int> columns(static_cast<std::size_t>(x1 - x0));
    for (int x = x0; x < x1; ++x)
        columns[static_cast<std::size_t>(x - x0)] = static_cast<int>(ax.SourceAt(x));
    StretchRows rows{columns, ax.Size == ax.D1 - ax.D0, blend};
    std::int64_t previous = -1;
    for (int y = y0; y < y1; ++y) {
        const std::int64_t sy = ay.SourceAt(y);
        if (!blend && sy == previous) {  // enlarging: the row above came from the same source row
            std::memcpy(dst.Row(y) + x0, dst.Row(y - 1) + x0, sizeof(Pixel) * columns.size());
        } else {
            rows.Write(dst.Row(y) + x0, src.Row(static_cast<int>(sy)));
        }
        previous = sy;
    }
}

}  // namespace zindra
