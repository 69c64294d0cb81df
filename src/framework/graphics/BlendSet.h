// The per-pixel blending routines of the 32-bit raster and the canvas: one table of function
// pointers, chosen once at start-up from the processor's features.
//
// Two formulas, each routine exact to its own:
// - plain (any processor): C = ((F * w + 128) >> 8) + ((B * (255 - w) + 128) >> 8), two channels
//   per 32-bit multiply;
// - multimedia (x86-64, SSE2 or AVX2): C = ((F - B) * w + B * 256 + 128) >> 8 in 16-bit lanes.
// In both a weight of 0 leaves B and a weight of 255 gives F exactly. The canvas's compositing
// (CompositeRun, CompositeRunWeighted) divides by 255 exactly and gives the same pixels in every
// set, so screens never depend on the processor.
// Pixels are 0xAARRGGBB words (blue in the low byte), straight alpha.
// Threading: the routines keep no state; UseBlendSet is for tests and start-up only.
#pragma once

#include <cstdint>

#include "framework/graphics/Bitmap32.h"

namespace zindra::blend {

struct BlendSet {
    const char* Name;  // "plain", "sse2" or "avx2"

    // F and B mixed with weight w (0..255): all four channels.
    Pixel (*Combine)(Pixel f, Pixel b, std::uint32_t w);
    // The same into b; in the plain set the mixed result's alpha byte is 0 (the ends keep theirs).
    void (*CombineInPlace)(Pixel f, Pixel& b, std::uint32_t w);
    // F over B with F's alpha as the weight, all four channels.
    Pixel (*Blend)(Pixel f, Pixel b);
    void (*BlendInPlace)(Pixel f, Pixel& b);
    // F over B with weight ((m + 1) * alpha) >> 8; a weight of 0 leaves B. The plain set mixes the
    // colour channels only and gives alpha byte 0, the multimedia set mixes all four.
    Pixel (*BlendMaster)(Pixel f, Pixel b, std::uint32_t m);
    void (*BlendMasterInPlace)(Pixel f, Pixel& b, std::uint32_t m);

    // Runs of count pixels: dst[i] as the in-place forms leave it. src and dst do not overlap.
    void (*BlendRun)(const Pixel* src, Pixel* dst, int count);
    void (*BlendRunMaster)(const Pixel* src, Pixel* dst, int count, std::uint32_t m);
    void (*CombineRun)(const Pixel* src, Pixel* dst, int count, std::uint32_t w);

    // The canvas: straight-alpha src over an opaque dst, each colour channel
    // round((s * a + d * (255 - a)) / 255) with a = src alpha; the weighted form takes
    // w = src alpha * constantAlpha and round((s * w + d * (65025 - w)) / 65025). Opaque results.
    void (*CompositeRun)(const Pixel* src, Pixel* dst, int count);
    void (*CompositeRunWeighted)(const Pixel* src, Pixel* dst, int count, std::uint32_t constantAlpha);
};

// The set in use: the fastest the processor runs unless ZINDRA_SCALAR=1 forces the plain set
// (as for all pixel code) or ZINDRA_BLEND says otherwise ("plain" forces the plain set, "sse2"
// keeps AVX2 out), decided on first use.
const BlendSet& Blender();

// The set a ZINDRA_BLEND value (null: unset) asks for on this processor.
const BlendSet& ChooseBlendSet(const char* request);

// Every set: the plain one always; the vector ones where this build and processor have them, or
// null.
const BlendSet& PlainSet();
const BlendSet* Sse2Set();
const BlendSet* Avx2Set();

// Makes set the one in use; returns the one it replaces.
const BlendSet& UseBlendSet(const BlendSet& set);

// Uses a set for the lifetime of the guard (tests forcing a set).
class ScopedBlendSet {
public:
    explicit ScopedBlendSet(const BlendSet& set) : previous_(UseBlendSet(set)) {}
    ~ScopedBlendSet() { UseBlendSet(previous_); }
    ScopedBlendSet(const ScopedBlendSet&) = delete;
    ScopedBlendSet& operator=(const ScopedBlendSet&) = delete;

private:
    const BlendSet& previous_;
};

}  // namespace zindra::blend
