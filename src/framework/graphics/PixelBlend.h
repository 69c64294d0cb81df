// Straight-alpha compositing of single pixels, shared by the pixel copies and the text renderer.
#pragma once

#include <cstdint>

#include "framework/graphics/Bitmap32.h"

namespace zindra::blend {

// Full weight on the 0..65025 scale (255 * 255) that a source alpha times a constant alpha, or a
// glyph coverage times a colour alpha, lives on.
inline constexpr std::uint32_t kFull = 255u * 255u;

// round(x / 255) for 0 <= x <= 255 * 255 (never a tie, since 255 is odd).
inline constexpr std::uint32_t Div255(std::uint32_t x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

// The colour channels of src composited with weight a (0..255) over an opaque dst; each channel is
// round((s * a + d * (255 - a)) / 255), two channels per multiply. The result is opaque.
inline Pixel OverOpaque(Pixel dst, Pixel src, std::uint32_t a) {
    const std::uint32_t na = 255 - a;
    std::uint32_t rb = (src & 0x00FF00FFu) * a + (dst & 0x00FF00FFu) * na + 0x00800080u;
    rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    std::uint32_t g = ((src >> 8) & 0xFFu) * a + ((dst >> 8) & 0xFFu) * na + 0x80u;
    g = ((g + (g >> 8)) >> 8) & 0xFFu;
    return 0xFF000000u | rb | (g << 8);
}

// The colour channels of src composited with weight w (0..kFull) over dst with any alpha, each
// channel and the resulting alpha correctly rounded. Exact at both ends: w == 0 returns dst,
// w == kFull returns the colour with alpha 255.
inline Pixel Over(Pixel dst, Pixel src, std::uint32_t w) {
    if (w == 0) return dst;
    if (w >= kFull) return src | 0xFF000000u;
    const std::uint64_t da = dst >> 24;
    const std::uint64_t rest = da * (kFull - w);  // the destination's weight, times 255
    const std::uint64_t den = 255u * std::uint64_t{w} + rest;
    Pixel out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint64_t s = (src >> shift) & 0xFFu;
        const std::uint64_t d = (dst >> shift) & 0xFFu;
        const std::uint64_t c = (s * w * 255u + d * rest + den / 2) / den;
        out |= static_cast<Pixel>(c) << shift;
    }
    const std::uint64_t a = (den + kFull / 2) / kFull;
    return out | static_cast<Pixel>(a << 24);
}

// The colour channels of src composited with weight w (0..kFull) over an opaque dst; exact like
// Over, with a constant divisor. The result is opaque.
inline Pixel OverOpaqueWeighted(Pixel dst, Pixel src, std::uint32_t w) {
    const std::uint32_t nw = kFull - w;
    Pixel out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t c = (((src >> shift) & 0xFFu) * w + ((dst >> shift) & 0xFFu) * nw + kFull / 2) / kFull;
        out |= c << shift;
    }
    return out;
}

// A straight-alpha source pixel over dst at full constant alpha: the common case of icons and
// anti-aliased masks, with the two exact ends and an opaque destination taken fast.
inline Pixel OverStraight(Pixel dst, Pixel src) {
    const std::uint32_t a = src >> 24;
    if (a == 255) return src;
    if (a == 0) return dst;
    if ((dst >> 24) == 255) return OverOpaque(dst, src, a);
    return Over(dst, src, a * 255u);
}

}  // namespace zindra::blend
