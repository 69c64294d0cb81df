// The bilinear stretcher and the separable kernel resampler.
#include "imaging/Resample.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace zindra::resample {

namespace {

// Source position of destination offset i in 16.16 fixed point, centres mapped to centres and
// clamped to the source's first and last pixel.
std::int64_t SourcePosition(std::int64_t i, int srcExtent, int dstExtent) {
    // Quotient and remainder apart, so no product leaves 64 bits for any extent up to 2^30.
    const std::int64_t numerator = (2 * i + 1) * srcExtent, denominator = 2 * std::int64_t{dstExtent};
    const std::int64_t whole = numerator / denominator, part = numerator % denominator;
    const std::int64_t scaled = (whole << 16) + (part << 16) / denominator - 32768;
    return std::clamp<std::int64_t>(scaled, 0, std::int64_t{srcExtent - 1} << 16);
}

struct LinearTap {
    int First;            // source offset of the left (upper) sample
    int Second;           // and of the right (lower) one: First + 1 inside the source, else First
    std::uint32_t Right;  // weight of the second sample, 0..65536
};

std::vector<LinearTap> LinearTaps(int from, int to, int fittedStart, int srcExtent, int dstExtent) {
    std::vector<LinearTap> taps;
    taps.reserve(static_cast<std::size_t>(to - from));
    for (int d = from; d < to; ++d) {
        const std::int64_t p = SourcePosition(d - std::int64_t{fittedStart}, srcExtent, dstExtent);
        const int first = static_cast<int>(p >> 16);
        taps.push_back({first, std::min(first + 1, srcExtent - 1), static_cast<std::uint32_t>(p & 0xFFFF)});
    }
    return taps;
}

// One source row interpolated across: each channel times 256 (8 fraction bits kept, so the
// vertical step's products stay inside 32 bits), four words a pixel in the pixel's byte order.
void HorizontalRow(const Pixel* row, const std::vector<LinearTap>& taps, std::vector<std::uint32_t>& out) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(row);
    for (std::size_t i = 0; i < taps.size(); ++i) {
        const std::uint8_t* a = bytes + 4 * taps[i].First;
        const std::uint8_t* b = bytes + 4 * taps[i].Second;
        const std::uint32_t wb = taps[i].Right, wa = 65536 - wb;
        for (int c = 0; c < 4; ++c)
            out[4 * i + c] = (a[c] * wa + b[c] * wb) >> 8;
    }
}

// Two interpolated rows mixed down into pixels (bytes in memory order), one flat loop the
// compiler can vectorise: at most 65280 * 65536 + 2^23, inside 32 bits.
void VerticalRow(const std::vector<std::uint32_t>& upper, const std::vector<std::uint32_t>& lower, std::uint32_t wl,
                 Pixel* out) {
    auto* bytes = reinterpret_cast<std::uint8_t*>(out);
    const std::uint32_t wu = 65536 - wl;
    for (std::size_t k = 0; k < upper.size(); ++k)
        bytes[k] = static_cast<std::uint8_t>((upper[k] * wu + lower[k] * wl + (1u << 23)) >> 24);
}

}  // namespace

void Bilinear(const Bitmap32& src, const Rect& srcRect, const Target& target, const RowWriter& write) {
    const Rect& f = target.Fitted;
    const Rect& a = target.Area;
    const std::vector<LinearTap> columns = LinearTaps(a.Left, a.Right, f.Left, srcRect.Width(), f.Width());
    const std::vector<LinearTap> rows = LinearTaps(a.Top, a.Bottom, f.Top, srcRect.Height(), f.Height());
    const std::size_t n = columns.size();
    // The two source rows in use, interpolated across; enlarging reuses them for several rows.
    std::vector<std::uint32_t> upper(4 * n), lower(4 * n);
    int upperRow = -1, lowerRow = -1;
    std::vector<Pixel> out(n);
    for (int y = a.Top; y < a.Bottom; ++y) {
        const LinearTap& tap = rows[static_cast<std::size_t>(y - a.Top)];
        if (tap.First == lowerRow) {
            std::swap(upper, lower);
            std::swap(upperRow, lowerRow);
        }
        if (tap.First != upperRow) {
            HorizontalRow(src.Row(srcRect.Top + tap.First) + srcRect.Left, columns, upper);
            upperRow = tap.First;
        }
        if (tap.Second != lowerRow) {
            HorizontalRow(src.Row(srcRect.Top + tap.Second) + srcRect.Left, columns, lower);
            lowerRow = tap.Second;
        }
        VerticalRow(upper, lower, tap.Right, out.data());
        write(y, out.data());
    }
}

double KernelRadius(TStretchFilter filter) {
    switch (filter) {
        case TStretchFilter::sfNearest:
            return 0.5;
        case TStretchFilter::sfLinear:
            return 1;
        case TStretchFilter::sfSpline:
        case TStretchFilter::sfMitchell:
            return 2;
        case TStretchFilter::sfLanczos:
            return 3;
    }
    return 1;
}

double Kernel(TStretchFilter filter, double x) {
    x = std::abs(x);
    if (x >= KernelRadius(filter)) return 0;
    switch (filter) {
        case TStretchFilter::sfNearest:
            return 1;
        case TStretchFilter::sfLinear:
            return 1 - x;
        case TStretchFilter::sfSpline:  // cubic B-spline
            return x < 1 ? (4 - 6 * x * x + 3 * x * x * x) / 6 : (2 - x) * (2 - x) * (2 - x) / 6;
        case TStretchFilter::sfMitchell: {  // B = C = 1/3
            const double x2 = x * x, x3 = x2 * x;
            return x < 1 ? (7 * x3 - 12 * x2 + 16.0 / 3) / 6 : (-7.0 / 3 * x3 + 12 * x2 - 20 * x + 32.0 / 3) / 6;
        }
        case TStretchFilter::sfLanczos: {  // sinc(x) sinc(x / 3)
            if (x < 1e-9) return 1;
            const double px = std::numbers::pi * x;
            return 3 * std::sin(px) * std::sin(px / 3) / (px * px);
        }
    }
    return 0;
}

namespace {

// The source samples and normalised weights of each destination offset along one axis.
struct Contributions {
    std::vector<int> Start;  // first weight of offset i in Weights
    std::vector<int> Count;  // number of weights
    std::vector<int> Index;  // source offset of each weight
    std::vector<float> Weights;
};

Contributions Contribute(int from, int to, int fittedStart, int srcExtent, int dstExtent, TStretchFilter filter) {
    Contributions c;
    const double scale = static_cast<double>(srcExtent) / dstExtent;
    const double widen = std::max(scale, 1.0);
    const double support = KernelRadius(filter) * widen;
    for (int d = from; d < to; ++d) {
        const double centre = (d - fittedStart + 0.5) * scale;
        const int first = static_cast<int>(std::floor(centre - support));
        const int last = static_cast<int>(std::ceil(centre + support));
        const std::size_t start = c.Weights.size();
        double total = 0;
        for (int s = first; s <= last; ++s) {
            const double w = Kernel(filter, (s + 0.5 - centre) / widen);
            if (w == 0) continue;
            c.Index.push_back(std::clamp(s, 0, srcExtent - 1));
            c.Weights.push_back(static_cast<float>(w));
            total += w;
        }
        for (std::size_t k = start; k < c.Weights.size(); ++k)
            c.Weights[k] = static_cast<float>(c.Weights[k] / total);
        c.Start.push_back(static_cast<int>(start));
        c.Count.push_back(static_cast<int>(c.Weights.size() - start));
    }
    return c;
}

Pixel ToPixel(const float* channels) {
    Pixel p = 0;
    for (int c = 0; c < 4; ++c) {
        const long v = std::lround(std::clamp(channels[c], 0.0f, 255.0f));
        p |= static_cast<Pixel>(v) << (8 * c);
    }
    return p;
}

}  // namespace

void Resample(const Bitmap32& src, const Rect& srcRect, const Target& target, TStretchFilter filter,
              const RowWriter& write) {
    const Rect& f = target.Fitted;
    const Rect& a = target.Area;
    const Contributions cx = Contribute(a.Left, a.Right, f.Left, srcRect.Width(), f.Width(), filter);
    const Contributions cy = Contribute(a.Top, a.Bottom, f.Top, srcRect.Height(), f.Height(), filter);
    const std::size_t n = static_cast<std::size_t>(a.Width());
    // Every source row the area needs, filtered across once.
    const int rowFirst = *std::min_element(cy.Index.begin(), cy.Index.end());
    const int rowLast = *std::max_element(cy.Index.begin(), cy.Index.end());
    std::vector<float> across(static_cast<std::size_t>(rowLast - rowFirst + 1) * n * 4);
    for (int r = rowFirst; r <= rowLast; ++r) {
        const Pixel* row = src.Row(srcRect.Top + r) + srcRect.Left;
        float* out = &across[static_cast<std::size_t>(r - rowFirst) * n * 4];
        for (std::size_t i = 0; i < n; ++i) {
            float sum[4] = {0, 0, 0, 0};
            for (int k = cx.Start[i]; k < cx.Start[i] + cx.Count[i]; ++k) {
                const Pixel p = row[cx.Index[static_cast<std::size_t>(k)]];
                const float w = cx.Weights[static_cast<std::size_t>(k)];
                for (int c = 0; c < 4; ++c)
                    sum[c] += w * static_cast<float>((p >> (8 * c)) & 0xFFu);
            }
            std::copy(sum, sum + 4, out + 4 * i);
        }
    }
    std::vector<Pixel> line(n);
    std::vector<float> sum(n * 4);
    for (int y = a.Top; y < a.Bottom; ++y) {
        const std::size_t j = static_cast<std::size_t>(y - a.Top);
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (int k = cy.Start[j]; k < cy.Start[j] + cy.Count[j]; ++k) {
            const float w = cy.Weights[static_cast<std::size_t>(k)];
            const float* row =
                &across[static_cast<std::size_t>(cy.Index[static_cast<std::size_t>(k)] - rowFirst) * n * 4];
            for (std::size_t i = 0; i < n * 4; ++i)
                sum[i] += w * row[i];
        }
        for (std::size_t i = 0; i < n; ++i)
            line[i] = ToPixel(&sum[4 * i]);
        write(y, line.data());
    }
}

}  // namespace zindra::resample
