// The blending formulas on one pixel in plain integer code, two channels per 32-bit multiply;
// the plain set is made of them, and the vector sets use them for single pixels and run tails.
// Internal to the graphics folder.
#pragma once

#include <cstdint>

#include "framework/graphics/Bitmap32.h"

namespace zindra::blend::scalar {

inline constexpr std::uint32_t kPairMask = 0x00FF00FFu;

// Channels 0 and 2 of x (blue and red), or 1 and 3 (green and alpha) moved down.
inline constexpr std::uint32_t LowPair(Pixel x) {
    return x & kPairMask;
}
inline constexpr std::uint32_t HighPair(Pixel x) {
    return (x >> 8) & kPairMask;
}

// ---- Plain: C = ((F * w + 128) >> 8) + ((B * (255 - w) + 128) >> 8) -------------------------
// Each product is at most 255 * 255 + 128, so it stays inside its 16-bit half, and the two
// rounded terms never add up past 255, so no channel carries into the next.

inline constexpr std::uint32_t PlainTerm(std::uint32_t pair, std::uint32_t w) {
    return ((pair * w + 0x00800080u) >> 8) & kPairMask;
}

inline constexpr Pixel PlainMix(Pixel f, Pixel b, std::uint32_t w) {
    const std::uint32_t low = PlainTerm(LowPair(f), w) + PlainTerm(LowPair(b), 255 - w);
    const std::uint32_t high = PlainTerm(HighPair(f), w) + PlainTerm(HighPair(b), 255 - w);
    return low | (high << 8);
}

// Red, green and blue only; alpha byte 0.
inline constexpr Pixel PlainMixColour(Pixel f, Pixel b, std::uint32_t w) {
    return PlainMix(f, b, w) & 0x00FFFFFFu;
}

// ---- Multimedia: C = ((F - B) * w + B * 256 + 128) >> 8 = (F * w + B * (256 - w) + 128) >> 8 ---
// NOTE: full weight is taken as 256, so that 255 gives F itself rather than F * 255 / 256 plus a
// trace of B; an opaque pixel then covers what lies under it. Every other weight is as given.

inline constexpr std::uint32_t MediaWeight(std::uint32_t w) {
    return w + (w == 255 ? 1u : 0u);
}

inline constexpr std::uint32_t MediaTerm(std::uint32_t f, std::uint32_t b, std::uint32_t w) {
    return ((f * w + b * (256 - w) + 0x00800080u) >> 8) & kPairMask;
}

inline constexpr Pixel MediaMix(Pixel f, Pixel b, std::uint32_t w) {
    w = MediaWeight(w);
    return MediaTerm(LowPair(f), LowPair(b), w) | (MediaTerm(HighPair(f), HighPair(b), w) << 8);
}

// The weight of the master forms: alpha scaled by the master alpha m (0..255).
inline constexpr std::uint32_t MasterWeight(Pixel f, std::uint32_t m) {
    return (((m & 0xFFu) + 1) * (f >> 24)) >> 8;
}

}  // namespace zindra::blend::scalar
