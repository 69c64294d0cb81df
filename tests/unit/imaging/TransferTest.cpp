// Tests of the transfer between rasters: its errors, clipping, draw modes, nearest-neighbour
// mapping, and the smooth filters against straightforward reference computations.
#include "imaging/Transfer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "framework/graphics/BlendSet.h"
#include "imaging/Raster32.h"
#include "imaging/Resample.h"

namespace zindra {
namespace {

constexpr Pixel kBack = 0xFF0A141Eu;

// A raster with distinct, seeded pixels (alpha varying) or one colour.
void Fill(TRaster32& r, int w, int h, unsigned seed) {
    r.SetDimensions(w, h);
    std::mt19937 random(seed);
    for (int i = 0; i < w * h; ++i)
        r.Bits()[i] = random();
}

std::string ErrorOf(TRaster32* dst, const Rect& dstRect, const TRaster32* src, const Rect& srcRect) {
    try {
        Transfer(dst, dstRect, {-1000, -1000, 1000, 1000}, src, srcRect);
    } catch (const ETransformError& e) {
        return e.what();
    }
    return "";
}

TEST(Transfer, RefusesMissingRastersAndSourceRectanglesOutsideTheSource) {
    TRaster32 src, dst, empty;
    Fill(src, 4, 4, 1);
    Fill(dst, 4, 4, 2);
    const Rect all{0, 0, 4, 4};
    EXPECT_EQ(ErrorOf(nullptr, all, &src, all), "Destination bitmap is nil or empty");
    EXPECT_EQ(ErrorOf(&empty, all, &src, all), "Destination bitmap is nil or empty");
    EXPECT_EQ(ErrorOf(&dst, all, nullptr, all), "Source bitmap is nil or empty");
    EXPECT_EQ(ErrorOf(nullptr, all, &empty, all), "");  // an empty source does nothing, first
    EXPECT_EQ(ErrorOf(&dst, all, &src, {2, 2, 2, 4}), "");
    for (const Rect& outside : {Rect{-1, 0, 2, 2}, Rect{0, -1, 2, 2}, Rect{0, 0, 5, 2}, Rect{3, 0, 4, 5}})
        EXPECT_EQ(ErrorOf(&dst, all, &src, outside), "Source rectangle is invalid");
    // Destinations too large to measure in an int draw nothing, with every filter.
    TRaster32 before;
    before.Assign(&dst);
    for (int filter = 0; filter <= 4; ++filter) {
        src.SetStretchFilter(static_cast<TStretchFilter>(filter));
        EXPECT_EQ(ErrorOf(&dst, {-2000000000, 0, 2000000000, 4}, &src, all), "");
        EXPECT_EQ(ErrorOf(&dst, {-3, -1000000000, 2, 1000000000}, &src, all), "");
        EXPECT_TRUE(dst.SameContent(&before));
        // Large but measurable: the mapping's arithmetic holds.
        EXPECT_EQ(ErrorOf(&dst, {-(1 << 29), -(1 << 29), 1 << 29, 1 << 29}, &src, all), "");
        dst.Assign(&before);
    }
}

// Every destination rectangle position around the edges, clip included: only visible pixels
// change, each from the source at the matching offset.
TEST(Transfer, AnUnscaledCopyTakesTheVisiblePartFromTheMatchingOffset) {
    TRaster32 src;
    Fill(src, 5, 4, 3);
    for (int dx = -6; dx <= 6; ++dx) {
        for (int dy = -5; dy <= 5; dy += 2) {
            TRaster32 dst;
            dst.SetDimensions(6, 5);
            dst.FillAll(kBack);
            const Rect clip{1, 0, 6, 4};
            Transfer(&dst, Rect::FromBounds(dx, dy, 4, 3), clip, &src, {1, 1, 5, 4});
            for (int y = 0; y < 5; ++y) {
                for (int x = 0; x < 6; ++x) {
                    const bool inside = x >= dx && x < dx + 4 && y >= dy && y < dy + 3 && clip.Contains({x, y});
                    const Pixel want = inside ? *src.PixelPtr(1 + x - dx, 1 + y - dy) : kBack;
                    ASSERT_EQ(*dst.PixelPtr(x, y), want) << "at " << x << "," << y << " placed " << dx << "," << dy;
                }
            }
        }
    }
}

TEST(Transfer, DrawModesCombineEachPixel) {
    TRaster32 src, dst;
    Fill(src, 7, 3, 4);
    for (int m : {255, 100, 0}) {
        for (TDrawMode mode : {TDrawMode::dmBlend, TDrawMode::dmCustom}) {
            Fill(dst, 7, 3, 5);
            TRaster32 before;
            before.Assign(&dst);
            src.SetDrawMode(mode);
            src.SetMasterAlpha(static_cast<std::uint8_t>(m));
            src.OnPixelCombine = [](TPixel32 f, TPixel32& b, TPixel32 master) { b = f ^ b ^ master; };
            Transfer(&dst, src.BoundsRect(), dst.BoundsRect(), &src, src.BoundsRect());
            for (int i = 0; i < 21; ++i) {
                const Pixel f = src.Bits()[i], b = before.Bits()[i];
                Pixel want = f ^ b ^ static_cast<Pixel>(m);
                if (mode == TDrawMode::dmBlend) {
                    want = m == 0 ? b : m == 255 ? blend::Blender().Blend(f, b) : blend::Blender().BlendMaster(f, b, m);
                }
                ASSERT_EQ(dst.Bits()[i], want)
                    << "mode " << static_cast<int>(mode) << " master " << m << " pixel " << i;
            }
        }
    }
    // A custom mode without its handler copies.
    src.OnPixelCombine = nullptr;
    Transfer(&dst, src.BoundsRect(), dst.BoundsRect(), &src, src.BoundsRect());
    EXPECT_TRUE(dst.SameContent(&src));
}

TEST(Transfer, WithinOneRasterTheSourceIsReadAsItWas) {
    for (TDrawMode mode : {TDrawMode::dmOpaque, TDrawMode::dmBlend}) {
        for (const Rect& to : {Rect{1, 1, 5, 4}, Rect{0, 0, 4, 3}, Rect{2, 0, 6, 3}, Rect{0, 2, 4, 5}}) {
            TRaster32 r, copy;
            Fill(r, 6, 5, 6);
            r.SetDrawMode(mode);
            copy.Assign(&r);
            const Rect from{1, 1, 5, 4};
            Transfer(&r, to, r.BoundsRect(), &r, from);
            TRaster32 expected;
            expected.Assign(&copy);
            Transfer(&expected, to, expected.BoundsRect(), &copy, from);
            EXPECT_TRUE(r.SameContent(&expected))
                << "mode " << static_cast<int>(mode) << " to " << to.Left << "," << to.Top;
        }
    }
}

// Destination offset i of extent D reads source offset trunc(i * S / D), or the centre for D = 1,
// counted from the unclipped rectangle even where the clip cuts it.
TEST(Transfer, NearestMapsEachOffsetAsStated) {
    TRaster32 src;
    Fill(src, 9, 7, 7);
    const Rect srcRect{1, 2, 8, 7};  // 7 by 5
    struct Case {
        Rect to;
        Rect clip;
    };
    const Case cases[] = {{{0, 0, 20, 11}, {0, 0, 30, 30}}, {{-3, -2, 4, 3}, {0, 0, 30, 30}},
                          {{2, 1, 3, 2}, {0, 0, 30, 30}},   {{0, 0, 1, 13}, {0, 0, 30, 30}},
                          {{-5, -4, 17, 9}, {2, 1, 9, 6}},  {{0, 0, 3, 2}, {0, 0, 30, 30}}};
    for (const Case& c : cases) {
        TRaster32 dst;
        dst.SetDimensions(12, 10);
        dst.FillAll(kBack);
        Transfer(&dst, c.to, c.clip, &src, srcRect);
        auto map = [](int i, int first, int last, int extent) {
            return extent == 1 ? (first + last - 1) / 2
                               : first + static_cast<int>(std::int64_t{i} * (last - first) / extent);
        };
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 12; ++x) {
                const bool inside = c.to.Contains({x, y}) && c.clip.Contains({x, y});
                const Pixel want = inside ? *src.PixelPtr(map(x - c.to.Left, 1, 8, c.to.Width()),
                                                          map(y - c.to.Top, 2, 7, c.to.Height()))
                                          : kBack;
                ASSERT_EQ(*dst.PixelPtr(x, y), want) << x << "," << y << " to " << c.to.Left << "," << c.to.Top;
            }
        }
    }
}

// ---- Smooth filters ----

// The exact bilinear value of one channel at destination (x, y) of the fitted rectangle.
double BilinearReference(const TRaster32& src, const Rect& s, const Rect& fitted, int x, int y, int c) {
    auto axis = [](int i, int from, int srcExtent, int dstExtent, int& a, int& b, double& t) {
        double u = (i - from + 0.5) * srcExtent / dstExtent - 0.5;
        u = std::clamp(u, 0.0, srcExtent - 1.0);
        a = static_cast<int>(std::floor(u));
        b = std::min(a + 1, srcExtent - 1);
        t = u - a;
    };
    int x0, x1, y0, y1;
    double tx, ty;
    axis(x, fitted.Left, s.Width(), fitted.Width(), x0, x1, tx);
    axis(y, fitted.Top, s.Height(), fitted.Height(), y0, y1, ty);
    auto at = [&](int px, int py) {
        return static_cast<double>((src.Storage().At(s.Left + px, s.Top + py) >> (8 * c)) & 0xFF);
    };
    return (at(x0, y0) * (1 - tx) + at(x1, y0) * tx) * (1 - ty) + (at(x0, y1) * (1 - tx) + at(x1, y1) * tx) * ty;
}

// The resampled value as a direct two-dimensional sum over the widened kernel, edges clamped.
double ResampleReference(const TRaster32& src, const Rect& s, const Rect& fitted, TStretchFilter filter, int x, int y,
                         int c) {
    const double sx = static_cast<double>(s.Width()) / fitted.Width(),
                 sy = static_cast<double>(s.Height()) / fitted.Height();
    const double wx = std::max(sx, 1.0), wy = std::max(sy, 1.0);
    const double cx = (x - fitted.Left + 0.5) * sx, cy = (y - fitted.Top + 0.5) * sy;
    double sum = 0, total = 0;
    for (int v = -40; v < s.Height() + 40; ++v) {
        const double ky = resample::Kernel(filter, (v + 0.5 - cy) / wy);
        if (ky == 0) continue;
        for (int u = -40; u < s.Width() + 40; ++u) {
            const double k = ky * resample::Kernel(filter, (u + 0.5 - cx) / wx);
            if (k == 0) continue;
            const int px = std::clamp(u, 0, s.Width() - 1), py = std::clamp(v, 0, s.Height() - 1);
            sum += k * ((src.Storage().At(s.Left + px, s.Top + py) >> (8 * c)) & 0xFF);
            total += k;
        }
    }
    return std::clamp(sum / total, 0.0, 255.0);
}

struct FilterCase {
    TStretchFilter filter;
    Rect to;  // scaled from srcRect {2, 1, 11, 8}, 9 by 7
};

TEST(Transfer, SmoothFiltersMatchTheirReferenceAndClipExactly) {
    TRaster32 src;
    Fill(src, 13, 9, 8);
    const Rect s{2, 1, 11, 8};
    const FilterCase cases[] = {
        {TStretchFilter::sfLinear, {-3, -2, 20, 15}},  // enlarging both ways: the bilinear stretcher
        {TStretchFilter::sfLinear, {0, 0, 20, 4}},     // shrinking one way: the resampler
        {TStretchFilter::sfSpline, {1, 2, 17, 5}},    {TStretchFilter::sfLanczos, {-1, 0, 23, 16}},
        {TStretchFilter::sfLanczos, {0, 0, 4, 3}},    {TStretchFilter::sfMitchell, {2, -4, 7, 18}},
    };
    for (const FilterCase& fc : cases) {
        src.SetStretchFilter(fc.filter);
        TRaster32 full, clipped;
        full.SetDimensions(24, 18);
        full.FillAll(kBack);
        clipped.Assign(&full);
        Transfer(&full, fc.to, full.BoundsRect(), &src, s);
        const Rect clip{3, 2, 9, 7};
        Transfer(&clipped, fc.to, clip, &src, s);
        const bool bilinear =
            fc.to.Width() > s.Width() && fc.to.Height() > s.Height() && fc.filter == TStretchFilter::sfLinear;
        for (int y = 0; y < 18; ++y) {
            for (int x = 0; x < 24; ++x) {
                const bool inside = fc.to.Contains({x, y});
                const Pixel got = *full.PixelPtr(x, y);
                ASSERT_EQ(*clipped.PixelPtr(x, y), clip.Contains({x, y}) && inside ? got : kBack) << x << "," << y;
                if (!inside) {
                    ASSERT_EQ(got, kBack);
                    continue;
                }
                for (int c = 0; c < 4; ++c) {
                    const double want = bilinear ? BilinearReference(src, s, fc.to, x, y, c)
                                                 : ResampleReference(src, s, fc.to, fc.filter, x, y, c);
                    ASSERT_LE(std::abs(static_cast<double>((got >> (8 * c)) & 0xFF) - want), 1.0)
                        << "filter " << static_cast<int>(fc.filter) << " at " << x << "," << y << " channel " << c;
                }
            }
        }
    }
}

TEST(Transfer, KernelsAreOneAtTheCentreAndVanishAtTheirRadius) {
    for (TStretchFilter f : {TStretchFilter::sfLinear, TStretchFilter::sfLanczos}) {
        EXPECT_DOUBLE_EQ(resample::Kernel(f, 0), 1.0);
        EXPECT_NEAR(resample::Kernel(f, 1), 0.0, 1e-12);
    }
    EXPECT_NEAR(resample::Kernel(TStretchFilter::sfSpline, 0), 2.0 / 3, 1e-12);
    EXPECT_NEAR(resample::Kernel(TStretchFilter::sfMitchell, 0), 8.0 / 9, 1e-12);
    // Samples one apart sum to 1 for the kernels that reproduce a flat picture without normalising.
    for (TStretchFilter f : {TStretchFilter::sfLinear, TStretchFilter::sfSpline, TStretchFilter::sfMitchell}) {
        for (double t : {0.0, 0.25, 0.5}) {
            double sum = 0;
            for (int k = -4; k <= 4; ++k)
                sum += resample::Kernel(f, t + k);
            EXPECT_NEAR(sum, 1.0, 1e-9) << static_cast<int>(f) << " at " << t;
        }
        EXPECT_EQ(resample::Kernel(f, resample::KernelRadius(f)), 0.0);
    }
}

TEST(Transfer, PaintToBitmapUsesTheSourceSettingsAndNotifiesTheDestination) {
    TRaster32 src, dst;
    Fill(src, 2, 2, 9);
    dst.SetDimensions(4, 4);
    dst.FillAll(kBack);
    int changes = 0;
    dst.OnChange = [&](TObject*) { ++changes; };
    src.SetStretchFilter(TStretchFilter::sfNearest);
    src.PaintToBitmap(dst, {0, 0, 4, 4});
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(*dst.PixelPtr(3, 3), *src.PixelPtr(1, 1));
    EXPECT_EQ(*dst.PixelPtr(1, 2), *src.PixelPtr(0, 1));
    TRaster32 empty;
    empty.PaintToBitmap(dst, {0, 0, 4, 4});
    EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace zindra
