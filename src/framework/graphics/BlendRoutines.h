// The routines the blending sets are assembled from, by formula and instruction set; internal to
// the graphics folder (everyone else goes through BlendSet.h).
#pragma once

#include <cstdint>

#include "framework/graphics/Bitmap32.h"

namespace zindra::blend {

struct BlendSet;

// The multimedia formula one pixel at a time: the single-pixel forms of the vector sets and the
// tails of their runs.
namespace media {
Pixel Combine(Pixel f, Pixel b, std::uint32_t w);
void CombineInPlace(Pixel f, Pixel& b, std::uint32_t w);
Pixel Blend(Pixel f, Pixel b);
void BlendInPlace(Pixel f, Pixel& b);
Pixel BlendMaster(Pixel f, Pixel b, std::uint32_t m);
void BlendMasterInPlace(Pixel f, Pixel& b, std::uint32_t m);
void BlendRun(const Pixel* src, Pixel* dst, int count);
void BlendRunMaster(const Pixel* src, Pixel* dst, int count, std::uint32_t m);
void CombineRun(const Pixel* src, Pixel* dst, int count, std::uint32_t w);
}  // namespace media

// The canvas's exact compositing, one pixel at a time.
namespace exact {
void CompositeRun(const Pixel* src, Pixel* dst, int count);
void CompositeRunWeighted(const Pixel* src, Pixel* dst, int count, std::uint32_t constantAlpha);
}  // namespace exact

// SSE2 runs (x86-64 only); they finish their tails one pixel at a time.
namespace sse2 {
void BlendRun(const Pixel* src, Pixel* dst, int count);
void BlendRunMaster(const Pixel* src, Pixel* dst, int count, std::uint32_t m);
void CombineRun(const Pixel* src, Pixel* dst, int count, std::uint32_t w);
void CompositeRun(const Pixel* src, Pixel* dst, int count);
}  // namespace sse2

// Each file's set, or null where the build has no such instructions.
const BlendSet* BuildSse2Set();
const BlendSet* BuildAvx2Set();

}  // namespace zindra::blend
