// Tests of the raster primitives: clipping at every edge, GDI end points, shapes, copies and blending.
#include "framework/graphics/Raster.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "GoldenImage.h"

namespace zindra {
namespace {

using golden::FromArt;
using golden::MatchesGolden;
using golden::ToArt;
using platform::Point;
using platform::Rect;

constexpr Pixel kBg = MakePixel(10, 20, 30);
constexpr Pixel kInk = MakePixel(200, 100, 50);
const Rect kNoClip{-100000, -100000, 100000, 100000};

int Count(const Bitmap32& b, Pixel p) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x)
            n += b.At(x, y) == p ? 1 : 0;
    }
    return n;
}

bool IsMirrorSymmetric(const Bitmap32& b) {
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) {
            if (b.At(x, y) != b.At(b.Width() - 1 - x, y) || b.At(x, y) != b.At(x, b.Height() - 1 - y)) return false;
        }
    }
    return true;
}

using Draw = std::function<void(Bitmap32&, const Rect& clip, int shift)>;

// Drawing with a clip must equal drawing without one, kept to the clip; drawing shifted partly off
// the bitmap must equal the same part of an unshifted drawing. Covers every edge of both limits.
void ExpectClipsExactly(const Draw& draw, const char* what) {
    Bitmap32 full(24, 24, kBg);
    draw(full, kNoClip, 0);
    ASSERT_NE(full, Bitmap32(24, 24, kBg)) << what;
    const Rect clips[] = {{5, 6, 17, 15},  {0, 0, 1, 24}, {23, 0, 24, 24},
                          {0, 23, 24, 24}, {0, 0, 24, 1}, {-5, 3, 9, 30}};
    for (const Rect& clip : clips) {
        Bitmap32 clipped(24, 24, kBg);
        draw(clipped, clip, 0);
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                const Pixel want = clip.Contains({x, y}) ? full.At(x, y) : kBg;
                ASSERT_EQ(clipped.At(x, y), want) << what << " at " << x << "," << y << " clip " << clip.Left << ","
                                                  << clip.Top << "," << clip.Right << "," << clip.Bottom;
            }
        }
    }
    for (const int shift : {-7, 9}) {  // the drawing moves by shift on both axes, off two edges
        Bitmap32 moved(24, 24, kBg);
        draw(moved, kNoClip, shift);
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                const int sx = x - shift, sy = y - shift;
                const Pixel want = (sx >= 0 && sy >= 0 && sx < 24 && sy < 24) ? full.At(sx, sy) : moved.At(x, y);
                ASSERT_EQ(moved.At(x, y), want) << what << " shifted " << shift << " at " << x << "," << y;
            }
        }
    }
}

TEST(RasterClip, EveryPrimitiveClipsExactlyAtEachEdge) {
    const std::uint8_t hatch[8] = {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
    auto r = [](int shift) { return Rect{2 + shift, 3 + shift, 21 + shift, 20 + shift}; };
    ExpectClipsExactly([&](Bitmap32& b, const Rect& c, int s) { FillRect(b, r(s), kInk, c); }, "FillRect");
    ExpectClipsExactly([&](Bitmap32& b, const Rect& c, int s) { FrameRect(b, r(s), kInk, c, 2); }, "FrameRect");
    ExpectClipsExactly([&](Bitmap32& b, const Rect& c, int s) { FillPattern(b, r(s), hatch, kInk, 7, false, s, s, c); },
                       "FillPattern");
    ExpectClipsExactly([&](Bitmap32& b, const Rect& c, int s) { DrawLine(b, 1 + s, 22 + s, 23 + s, s, kInk, 1, c); },
                       "DrawLine");
    ExpectClipsExactly(
        [&](Bitmap32& b, const Rect& c, int s) { DrawLine(b, 1 + s, 5 + s, 22 + s, 19 + s, kInk, 3, c); },
        "wide DrawLine");
    ExpectClipsExactly([&](Bitmap32& b, const Rect& c, int s) { FillEllipse(b, r(s), kInk, c); }, "FillEllipse");
    ExpectClipsExactly([&](Bitmap32& b, const Rect& c, int s) { FrameEllipse(b, r(s), kInk, c, 2); }, "FrameEllipse");
    ExpectClipsExactly([&](Bitmap32& b, const Rect& c, int s) { FillRoundRect(b, r(s), 9, 7, kInk, c); },
                       "FillRoundRect");
    ExpectClipsExactly([&](Bitmap32& b, const Rect& c, int s) { FrameRoundRect(b, r(s), 9, 7, kInk, c); },
                       "FrameRoundRect");
    ExpectClipsExactly(
        [&](Bitmap32& b, const Rect& c, int s) {
            DrawArc(b, r(s), {30 + s, 2 + s}, {s, 22 + s}, kInk, c);
        },
        "DrawArc");
    ExpectClipsExactly(
        [&](Bitmap32& b, const Rect& c, int s) {
            const Point star[] = {{12 + s, 0 + s}, {19 + s, 23 + s}, {0 + s, 8 + s}, {24 + s, 8 + s}, {5 + s, 23 + s}};
            FillPolygon(b, star, kInk, false, c);
        },
        "FillPolygon");
    Bitmap32 pic(24, 24);
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x)
            pic.At(x, y) = MakePixel(x * 10, y * 10, 99, static_cast<std::uint8_t>(x * 11));
    }
    ExpectClipsExactly(
        [&](Bitmap32& b, const Rect& c, int s) {
            CopyPixels(b, s, s, pic, {0, 0, 24, 24}, c);
        },
        "CopyPixels");
    ExpectClipsExactly(
        [&](Bitmap32& b, const Rect& c, int s) {
            BlendPixels(b, s, s, pic, {0, 0, 24, 24}, c, 200);
        },
        "BlendPixels");
    ExpectClipsExactly(
        [&](Bitmap32& b, const Rect& c, int s) {
            StretchPixels(b, r(s), pic, {3, 2, 10, 20}, c, false);
        },
        "StretchPixels");
}

TEST(RasterClip, ExtremeCoordinatesNeitherOverflowNorLeaveTheBitmap) {
    constexpr int kMin = INT32_MIN, kMax = INT32_MAX;
    const Rect huge{kMin, kMin, kMax, kMax};
    const std::uint8_t rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    const Point far[] = {{kMin, kMin}, {kMax, 3}, {5, kMax}};
    const Bitmap32 src = Bitmap32(4, 4, kInk);
    Bitmap32 b(16, 16, kBg);
    FillEllipse(b, huge, kInk, huge);
    EXPECT_EQ(Count(b, kInk), 256);  // the bitmap lies near the middle of this ellipse
    FrameEllipse(b, huge, kBg, huge, kMax);
    FillRoundRect(b, huge, kMax, kMax, kInk, huge);
    FrameRoundRect(b, huge, kMin, kMax, kInk, huge, 7);
    DrawArc(b, huge, {kMin, 0}, {kMax, kMax}, kInk, huge);
    FillPattern(b, huge, rows, kInk, kBg, false, kMin, kMax, huge);
    FrameRect(b, huge, kInk, huge, kMax);
    DrawLine(b, kMin, kMin, kMax, kMax, kInk, 1, huge);
    DrawLine(b, kMax, kMin, kMin, kMax, kInk, kMax, huge);
    FillPolygon(b, far, kInk, false, huge);
    FramePolygon(b, far, kInk, 3, huge);
    CopyPixels(b, kMax, kMin, src, huge, huge);
    BlendPixels(b, kMin, kMax, src, huge, huge);
    StretchPixels(b, huge, src, {0, 0, 4, 4}, huge, true);
    StretchPixels(b, {0, 0, 16, 16}, src, huge, huge, false);
    SUCCEED();  // the sanitizer build checks that nothing above overflowed or wrote out of bounds
}

TEST(RasterFill, RectanglesExcludeRightAndBottomEdges) {
    Bitmap32 b(8, 8, kBg);
    FillRect(b, {2, 3, 5, 6}, kInk, kNoClip);
    EXPECT_EQ(Count(b, kInk), 9);
    EXPECT_EQ(b.At(4, 5), kInk);
    EXPECT_EQ(b.At(5, 5), kBg);
    EXPECT_EQ(b.At(4, 6), kBg);
    FillRect(b, {5, 5, 2, 2}, MakePixel(1, 2, 3), kNoClip);   // inverted: nothing
    FrameRect(b, {6, 6, 6, 8}, MakePixel(1, 2, 3), kNoClip);  // empty: nothing
    EXPECT_EQ(Count(b, kInk), 9);
    EXPECT_EQ(Count(b, kBg), 55);
}

TEST(RasterFill, FrameRectIsInsideTheRectangle) {
    Bitmap32 b(7, 6, kBg);
    FrameRect(b, {1, 1, 6, 5}, kInk, kNoClip);
    EXPECT_EQ(ToArt(b, kInk), ".......\n.#####.\n.#...#.\n.#...#.\n.#####.\n.......\n");
    Bitmap32 thick(7, 6, kBg);
    FrameRect(thick, {0, 0, 7, 6}, kInk, kNoClip, 3);  // wider than half: solid, never outside
    EXPECT_EQ(Count(thick, kInk), 42);
}

TEST(RasterFill, PatternIsAlignedToItsOrigin) {
    const std::uint8_t rows[8] = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};  // a diagonal
    Bitmap32 b(12, 12, kBg);
    FillPattern(b, {0, 0, 12, 12}, rows, kInk, MakePixel(0, 0, 0), true, 3, -2, kNoClip);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool set = ((x - 3) - (y + 2)) % 8 == 0;  // bit 7 of row 0 sits on (3, -2)
            ASSERT_EQ(b.At(x, y), set ? kInk : kBg) << x << "," << y;
        }
    }
    FillPattern(b, {0, 0, 12, 12}, rows, kInk, MakePixel(0, 0, 0), false, 3, -2, kNoClip);
    EXPECT_EQ(Count(b, kBg), 0);
    EXPECT_EQ(Count(b, kInk), 17);
}

TEST(RasterLine, LastPointIsNotDrawn) {
    Bitmap32 b(8, 8, kBg);
    DrawLine(b, 1, 1, 5, 1, kInk, 1, kNoClip);
    EXPECT_EQ(ToArt(b, kInk).substr(9, 8), ".####...");
    b.Fill(kBg);
    DrawLine(b, 5, 1, 1, 1, kInk, 1, kNoClip);  // reversed: 5 down to 2
    EXPECT_EQ(ToArt(b, kInk).substr(9, 8), "..####..");
    b.Fill(kBg);
    DrawLine(b, 0, 0, 4, 4, kInk, 1, kNoClip);
    EXPECT_EQ(Count(b, kInk), 4);
    EXPECT_EQ(b.At(3, 3), kInk);
    EXPECT_EQ(b.At(4, 4), kBg);
    DrawLine(b, 6, 6, 6, 6, kInk, 1, kNoClip);  // no length, nothing
    EXPECT_EQ(b.At(6, 6), kBg);
}

TEST(RasterLine, ClosedPolylineSetsEveryCornerOnce) {
    Bitmap32 b(8, 8, kBg);
    const Point square[] = {{1, 1}, {6, 1}, {6, 6}, {1, 6}};
    FramePolygon(b, square, kInk, 1, kNoClip);
    EXPECT_EQ(Count(b, kInk), 20);
    EXPECT_EQ(b.At(6, 6), kInk);
    EXPECT_EQ(b.At(1, 6), kInk);
}

TEST(RasterLine, ShallowLineHasOnePixelPerColumnAndFarEndsAreCheap) {
    Bitmap32 b(40, 10, kBg);
    DrawLine(b, 0, 1, 37, 8, kInk, 1, kNoClip);
    for (int x = 0; x < 40; ++x) {
        int n = 0;
        for (int y = 0; y < 10; ++y)
            n += b.At(x, y) == kInk ? 1 : 0;
        EXPECT_EQ(n, x < 37 ? 1 : 0) << x;
    }
    Bitmap32 far(40, 10, kBg);
    DrawLine(far, -2000000000, 4, 2000000000, 4, kInk, 1, kNoClip);  // clamped, walked only where visible
    EXPECT_EQ(Count(far, kInk), 40);
}

TEST(RasterLine, WidePenSweepsASquareFromEndToEnd) {
    Bitmap32 b(10, 7, kBg);
    DrawLine(b, 2, 3, 6, 3, kInk, 3, kNoClip);
    EXPECT_EQ(ToArt(b, kInk), "..........\n..........\n.#######..\n.#######..\n.#######..\n..........\n..........\n");
    b.Fill(kBg);
    DrawLine(b, 1, 1, 7, 5, kInk, 2, kNoClip);
    EXPECT_TRUE(MatchesGolden(
        b,
        FromArt({"###.......", "####......", ".#####....", "..#####...", "....####..", ".....###..", ".........."},
                kInk, kBg),
        "wide-line"));          // symmetric under a half turn, as the pen is
    Bitmap32 joint(8, 8, kBg);  // an L of two thick lines has its outer corner filled
    DrawLine(joint, 1, 1, 6, 1, kInk, 3, kNoClip);
    DrawLine(joint, 6, 1, 6, 6, kInk, 3, kNoClip);
    EXPECT_EQ(joint.At(7, 0), kInk);
    EXPECT_EQ(joint.At(0, 0), kInk);
    EXPECT_EQ(joint.At(0, 3), kBg);
}

TEST(RasterShape, EllipsesAreSymmetricAndTouchEverySide) {
    for (int w = 1; w <= 23; w += 3) {
        for (int h = 1; h <= 17; h += 2) {
            Bitmap32 fill(w, h, kBg), frame(w, h, kBg);
            FillEllipse(fill, {0, 0, w, h}, kInk, kNoClip);
            FrameEllipse(frame, {0, 0, w, h}, kInk, kNoClip);
            ASSERT_TRUE(IsMirrorSymmetric(fill)) << w << "x" << h << "\n" << ToArt(fill, kInk);
            ASSERT_TRUE(IsMirrorSymmetric(frame)) << w << "x" << h << "\n" << ToArt(frame, kInk);
            const std::string art = ToArt(fill, kInk);
            EXPECT_NE(art.substr(0, static_cast<std::size_t>(w)).find('#'), std::string::npos) << w << "x" << h;
            bool left = false;
            for (int y = 0; y < h; ++y)
                left = left || fill.At(0, y) == kInk;
            EXPECT_TRUE(left) << w << "x" << h << "\n" << art;
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    const std::int64_t u = 2 * x + 1 - w, v = 2 * y + 1 - h;  // doubled, from the centre
                    const bool inside = u * u * h * h + v * v * w * w <= std::int64_t{w} * w * h * h;
                    ASSERT_EQ(fill.At(x, y) == kInk, inside) << w << "x" << h << " at " << x << "," << y;
                    if (frame.At(x, y) == kInk) {
                        ASSERT_EQ(fill.At(x, y), kInk);  // the outline is on the shape
                    }
                }
            }
        }
    }
}

TEST(RasterShape, EllipseAndRoundRectMatchTheirGoldenPictures) {
    Bitmap32 b(11, 9, kBg);
    FillEllipse(b, {0, 0, 11, 9}, kInk, kNoClip);
    EXPECT_TRUE(MatchesGolden(b,
                              FromArt({"...#####...", ".#########.", ".#########.", "###########", "###########",
                                       "###########", ".#########.", ".#########.", "...#####..."},
                                      kInk, kBg),
                              "ellipse-fill-11x9"));
    b.Fill(kBg);
    FrameEllipse(b, {0, 0, 11, 9}, kInk, kNoClip);
    EXPECT_TRUE(MatchesGolden(b,
                              FromArt({"...#####...", ".##.....##.", ".#.......#.", "#.........#", "#.........#",
                                       "#.........#", ".#.......#.", ".##.....##.", "...#####..."},
                                      kInk, kBg),
                              "ellipse-frame-11x9"));
    b.Fill(kBg);
    FrameRoundRect(b, {0, 0, 11, 9}, 6, 6, kInk, kNoClip);
    EXPECT_TRUE(MatchesGolden(b,
                              FromArt({".#########.", "#.........#", "#.........#", "#.........#", "#.........#",
                                       "#.........#", "#.........#", "#.........#", ".#########."},
                                      kInk, kBg),
                              "roundrect-frame-11x9"));
}

TEST(RasterShape, RoundRectSpansFromRectangleToEllipse) {
    Bitmap32 a(13, 9, kBg), b(13, 9, kBg);
    FillRoundRect(a, {0, 0, 13, 9}, 13, 9, kInk, kNoClip);
    FillEllipse(b, {0, 0, 13, 9}, kInk, kNoClip);
    EXPECT_EQ(a, b);
    FillRoundRect(a, {0, 0, 13, 9}, 40, 40, kInk, kNoClip);  // corners clamp to the rectangle
    EXPECT_EQ(a, b);
    a.Fill(kBg);
    FillRoundRect(a, {0, 0, 13, 9}, 0, 0, kInk, kNoClip);
    EXPECT_EQ(Count(a, kInk), 13 * 9);
    a.Fill(kBg);
    FrameRoundRect(a, {0, 0, 13, 9}, 5, 3, kInk, kNoClip);
    EXPECT_TRUE(IsMirrorSymmetric(a)) << ToArt(a, kInk);
}

TEST(RasterShape, PolygonFillRulesDifferOnlyWhereWindingIsTwo) {
    const Point star[] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
    Bitmap32 alternate(20, 20, kBg), winding(20, 20, kBg);
    FillPolygon(alternate, star, kInk, true, kNoClip);
    FillPolygon(winding, star, kInk, false, kNoClip);
    EXPECT_EQ(alternate.At(10, 10), kBg);  // the pentagon in the middle is wound twice
    EXPECT_EQ(winding.At(10, 10), kInk);
    EXPECT_EQ(alternate.At(10, 3), kInk);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            if (alternate.At(x, y) == kInk) {
                ASSERT_EQ(winding.At(x, y), kInk);
            }
        }
    }
    EXPECT_GT(Count(winding, kInk), Count(alternate, kInk) + 10);
}

// Winding number of the pixel centre (x + 1/2, y + 1/2): edges crossing its row at or left of it.
int WindingAt(const std::vector<Point>& pts, int x, int y) {
    int winding = 0;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const Point a = pts[i], b = pts[(i + 1) % pts.size()];
        const Point lo = a.Y < b.Y ? a : b, hi = a.Y < b.Y ? b : a;
        if (a.Y == b.Y || y < lo.Y || y >= hi.Y) continue;
        const std::int64_t side =
            std::int64_t{2 * lo.X - (2 * x + 1)} * (hi.Y - lo.Y) + std::int64_t{2 * y + 1 - 2 * lo.Y} * (hi.X - lo.X);
        if (side <= 0) winding += a.Y < b.Y ? 1 : -1;
    }
    return winding;
}

TEST(RasterShape, PolygonFillMatchesPointInPolygonAtPixelCentres) {
    std::uint32_t seed = 20240611;  // a fixed sequence; the failing seed is printed
    auto next = [&seed](int n) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(n));
    };
    for (int round = 0; round < 60; ++round) {
        const std::uint32_t roundSeed = seed;
        std::vector<Point> pts(static_cast<std::size_t>(3 + next(6)));
        for (Point& p : pts)
            p = {next(34) - 5, next(30) - 4};
        for (const bool alternate : {true, false}) {
            Bitmap32 b(24, 22, kBg);
            FillPolygon(b, pts, kInk, alternate, kNoClip);
            for (int y = 0; y < 22; ++y) {
                for (int x = 0; x < 24; ++x) {
                    const int w = WindingAt(pts, x, y);
                    const bool inside = alternate ? (w % 2 != 0) : (w != 0);
                    ASSERT_EQ(b.At(x, y) == kInk, inside) << "seed " << roundSeed << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(RasterShape, PolygonsSharingAnEdgeNeitherOverlapNorLeaveAGap) {
    const Point left[] = {{0, 0}, {9, 0}, {4, 12}, {0, 12}};
    const Point right[] = {{9, 0}, {14, 0}, {14, 12}, {4, 12}};
    const Pixel other = MakePixel(1, 1, 1);
    Bitmap32 b(14, 12, kBg), overlap(14, 12, kBg);
    FillPolygon(b, left, kInk, true, kNoClip);
    FillPolygon(b, right, other, true, kNoClip);
    EXPECT_EQ(Count(b, kBg), 0);
    FillPolygon(overlap, left, kInk, true, kNoClip);
    const int leftCount = Count(overlap, kInk);
    EXPECT_EQ(Count(b, kInk), leftCount);  // the right polygon took no pixel of the left one
    const Point square[] = {{1, 1}, {5, 1}, {5, 5}, {1, 5}};
    const Point reversed[] = {{1, 5}, {5, 5}, {5, 1}, {1, 1}};
    Bitmap32 s(7, 7, kBg), r(7, 7, kBg);
    FillPolygon(s, square, kInk, false, kNoClip);
    FillPolygon(r, reversed, kInk, false, kNoClip);
    EXPECT_EQ(Count(s, kInk), 16);  // the same pixels as FillRect {1, 1, 5, 5}
    EXPECT_EQ(s, r);
}

TEST(RasterShape, ArcsRunCounterClockwiseAndCompleteEachOther) {
    const Rect r{0, 0, 15, 11};
    Bitmap32 whole(15, 11, kBg), quarter(15, 11, kBg), rest(15, 11, kBg), same(15, 11, kBg);
    FrameEllipse(whole, r, kInk, kNoClip);
    DrawArc(quarter, r, {20, 5}, {7, -10}, kInk, kNoClip);  // from 3 o'clock up to 12
    DrawArc(rest, r, {7, -10}, {20, 5}, kInk, kNoClip);
    DrawArc(same, r, {1, 1}, {1, 1}, kInk, kNoClip);
    EXPECT_EQ(same, whole);
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 15; ++x) {
            if (quarter.At(x, y) == kInk) {
                ASSERT_TRUE(x >= 7 && y <= 5) << x << "," << y;
            }
            const bool either = quarter.At(x, y) == kInk || rest.At(x, y) == kInk;
            ASSERT_EQ(either, whole.At(x, y) == kInk) << x << "," << y;
        }
    }
    EXPECT_GT(Count(quarter, kInk), 5);
}

Bitmap32 Gradient(int w, int h) {
    Bitmap32 b(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            b.At(x, y) = MakePixel(x * 7, y * 5, (x + y) * 3, static_cast<std::uint8_t>(x * 16));
    }
    return b;
}

TEST(RasterCopy, CopyClipsTheSourceAndScrollsWithinOneBitmap) {
    const Bitmap32 src = Gradient(10, 10);
    Bitmap32 dst(10, 10, kBg);
    CopyPixels(dst, 3, 4, src, {-2, -1, 4, 3}, kNoClip);  // the source rectangle starts off the bitmap
    EXPECT_EQ(dst.At(5, 5), src.At(0, 0));
    EXPECT_EQ(dst.At(8, 7), src.At(3, 2));
    EXPECT_EQ(Count(dst, kBg), 100 - 12);
    for (const Point d : {Point{0, 3}, Point{0, -3}, Point{2, 0}, Point{-2, 1}}) {
        Bitmap32 b = Gradient(10, 10), expected = Gradient(10, 10);
        const Bitmap32 before = b;
        CopyPixels(b, d.X, d.Y, b, {0, 0, 10, 10}, kNoClip);
        CopyPixels(expected, d.X, d.Y, before, {0, 0, 10, 10}, kNoClip);
        EXPECT_EQ(b, expected) << d.X << "," << d.Y;
        Bitmap32 stretched = before;
        StretchPixels(stretched, {d.X, d.Y, d.X + 10, d.Y + 10}, stretched, {0, 0, 10, 10}, kNoClip, false);
        EXPECT_EQ(stretched, expected) << d.X << "," << d.Y;
    }
}

// Straight-alpha "over" with weight = sa * ca / 255², in exact fractions rounded once (ties up):
// out = (s w + d a_d (1 - w)) / (w + a_d (1 - w)), alpha = w + a_d (1 - w).
Pixel ReferenceOver(Pixel d, Pixel s, int sa, int ca) {
    const std::int64_t w = std::int64_t{sa} * ca, full = 255 * 255, da = PixelA(d);
    const std::int64_t den = w * 255 + da * (full - w);  // alpha times 255 * full
    auto rounded = [](std::int64_t num, std::int64_t q) { return static_cast<std::uint8_t>((2 * num + q) / (2 * q)); };
    auto channel = [&](int sc, int dc) { return rounded(sc * w * 255 + dc * da * (full - w), den); };
    if (den == 0) return d;
    return MakePixel(channel(PixelR(s), PixelR(d)), channel(PixelG(s), PixelG(d)), channel(PixelB(s), PixelB(d)),
                     rounded(den, full));
}

Pixel BlendOne(Pixel d, Pixel s, std::uint8_t constantAlpha) {
    Bitmap32 dst(1, 1, d), src(1, 1, s);
    BlendPixels(dst, 0, 0, src, {0, 0, 1, 1}, kNoClip, constantAlpha);
    return dst.At(0, 0);
}

TEST(RasterBlend, ExactAtZeroAndFullAndCorrectlyRoundedBetween) {
    const Pixel translucentDst = MakePixel(9, 99, 199, 77);
    EXPECT_EQ(BlendOne(translucentDst, MakePixel(255, 255, 255, 0), 255), translucentDst);
    EXPECT_EQ(BlendOne(translucentDst, MakePixel(255, 255, 255, 255), 0), translucentDst);
    EXPECT_EQ(BlendOne(translucentDst, MakePixel(1, 2, 3, 255), 255), MakePixel(1, 2, 3, 255));
    EXPECT_EQ(BlendOne(kBg, MakePixel(255, 255, 255, 1), 255), MakePixel(11, 21, 31));
    EXPECT_EQ(BlendOne(kBg, MakePixel(0, 0, 0, 254), 255), MakePixel(0, 0, 0));
    const int alphas[] = {1, 2, 127, 128, 254};
    for (int sa : alphas) {
        for (int ca : {255, 254, 128, 1}) {
            for (int s = 0; s < 256; s += 17) {
                for (int d = 0; d < 256; d += 15) {
                    for (int da : {255, 254, 100, 1, 0}) {
                        const Pixel dp = MakePixel(d, 255 - d, d / 2, static_cast<std::uint8_t>(da));
                        const Pixel sp = MakePixel(s, s / 3, 255 - s, static_cast<std::uint8_t>(sa));
                        const Pixel got = BlendOne(dp, sp, static_cast<std::uint8_t>(ca));
                        ASSERT_EQ(got, ReferenceOver(dp, sp, sa, ca))
                            << "s=" << s << " d=" << d << " sa=" << sa << " ca=" << ca << " da=" << da;
                    }
                }
            }
        }
    }
}

TEST(RasterBlend, OpaqueDestinationStaysOpaque) {
    for (int a = 0; a < 256; ++a) {
        EXPECT_EQ(PixelA(BlendOne(kBg, MakePixel(250, 5, 128, static_cast<std::uint8_t>(a)), 255)), 255) << a;
        EXPECT_EQ(PixelA(BlendOne(kBg, MakePixel(250, 5, 128, 255), static_cast<std::uint8_t>(a))), 255) << a;
    }
}

std::vector<int> StretchedRow(int srcW, const Rect& dstRect, const Rect& srcRect, int dstW) {
    Bitmap32 src(srcW, 1), dst(dstW, 1, 0);
    for (int x = 0; x < srcW; ++x)
        src.At(x, 0) = static_cast<Pixel>(100 + x);
    StretchPixels(dst, dstRect, src, srcRect, kNoClip, false);
    std::vector<int> out;
    for (int x = 0; x < dstW; ++x)
        out.push_back(dst.At(x, 0) == 0 ? -1 : static_cast<int>(dst.At(x, 0)) - 100);
    return out;
}

TEST(RasterStretch, DestinationCentresMapToTheSource) {
    using V = std::vector<int>;
    EXPECT_EQ(StretchedRow(3, {0, 0, 7, 1}, {0, 0, 3, 1}, 7), (V{0, 0, 1, 1, 1, 2, 2}));
    EXPECT_EQ(StretchedRow(1, {0, 0, 5, 1}, {0, 0, 1, 1}, 5), (V{0, 0, 0, 0, 0}));
    EXPECT_EQ(StretchedRow(5, {0, 0, 1, 1}, {0, 0, 5, 1}, 1), (V{2}));
    EXPECT_EQ(StretchedRow(4, {0, 0, 1, 1}, {0, 0, 4, 1}, 1), (V{2}));
    EXPECT_EQ(StretchedRow(6, {1, 0, 4, 1}, {0, 0, 6, 1}, 5), (V{-1, 1, 3, 5, -1}));
    EXPECT_EQ(StretchedRow(4, {4, 0, 0, 1}, {0, 0, 4, 1}, 4), (V{3, 2, 1, 0}));  // mirrored destination
    EXPECT_EQ(StretchedRow(4, {0, 0, 4, 1}, {4, 0, 0, 1}, 4), (V{3, 2, 1, 0}));  // mirrored source
    EXPECT_EQ(StretchedRow(4, {4, 0, 0, 1}, {4, 0, 0, 1}, 4), (V{0, 1, 2, 3}));  // both: no mirror
    EXPECT_EQ(StretchedRow(3, {0, 0, 6, 1}, {3, 0, 0, 1}, 6), (V{2, 2, 1, 1, 0, 0}));
    EXPECT_EQ(StretchedRow(3, {0, 0, 5, 1}, {-2, 0, 3, 1}, 5), (V{-1, -1, 0, 1, 2}));  // off the source: untouched
}

TEST(RasterStretch, IdentityEqualsCopyAndBlendComposites) {
    const Bitmap32 src = Gradient(9, 7);
    Bitmap32 a(12, 12, kBg), b(12, 12, kBg);
    StretchPixels(a, {2, 3, 11, 10}, src, {0, 0, 9, 7}, kNoClip, false);
    CopyPixels(b, 2, 3, src, {0, 0, 9, 7}, kNoClip);
    EXPECT_EQ(a, b);
    a.Fill(kBg), b.Fill(kBg);
    StretchPixels(a, {2, 3, 11, 10}, src, {0, 0, 9, 7}, kNoClip, true);
    BlendPixels(b, 2, 3, src, {0, 0, 9, 7}, kNoClip);
    EXPECT_EQ(a, b);
    Bitmap32 tall(1, 40, kBg);
    StretchPixels(tall, {0, 0, 1, 40}, src, {4, 0, 5, 7}, kNoClip, false);
    for (int y = 0; y < 40; ++y)
        ASSERT_EQ(tall.At(0, y), src.At(4, (2 * y + 1) * 7 / 80)) << y;
}

}  // namespace
}  // namespace zindra
