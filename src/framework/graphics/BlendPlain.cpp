// The plain blending set, the multimedia formula one pixel at a time, and the canvas's exact
// compositing in plain code.
#include "framework/graphics/BlendRoutines.h"
#include "framework/graphics/BlendScalar.h"
#include "framework/graphics/BlendSet.h"
#include "framework/graphics/PixelBlend.h"

namespace zindra::blend {

using namespace scalar;

namespace {

Pixel PlainCombine(Pixel f, Pixel b, std::uint32_t w) {
    w &= 0xFFu;
    if (w == 0) return b;
    if (w == 255) return f;
    return PlainMix(f, b, w);
}

void PlainCombineInPlace(Pixel f, Pixel& b, std::uint32_t w) {
    w &= 0xFFu;
    if (w == 0) return;
    b = w == 255 ? f : PlainMixColour(f, b, w);
}

Pixel PlainBlend(Pixel f, Pixel b) {
    return PlainCombine(f, b, f >> 24);
}

void PlainBlendInPlace(Pixel f, Pixel& b) {
    b = PlainCombine(f, b, f >> 24);
}

Pixel PlainBlendMaster(Pixel f, Pixel b, std::uint32_t m) {
    const std::uint32_t w = MasterWeight(f, m);
    if (w == 0) return b;
    return (w == 255 ? f : PlainMix(f, b, w)) & 0x00FFFFFFu;
}

void PlainBlendMasterInPlace(Pixel f, Pixel& b, std::uint32_t m) {
    b = PlainBlendMaster(f, b, m);
}

void PlainBlendRun(const Pixel* src, Pixel* dst, int count) {
    for (int i = 0; i < count; ++i)
        PlainBlendInPlace(src[i], dst[i]);
}

void PlainBlendRunMaster(const Pixel* src, Pixel* dst, int count, std::uint32_t m) {
    for (int i = 0; i < count; ++i)
        PlainBlendMasterInPlace(src[i], dst[i], m);
}

void PlainCombineRun(const Pixel* src, Pixel* dst, int count, std::uint32_t w) {
    for (int i = 0; i < count; ++i)
        PlainCombineInPlace(src[i], dst[i], w);
}

}  // namespace

namespace media {

Pixel Combine(Pixel f, Pixel b, std::uint32_t w) {
    return MediaMix(f, b, w & 0xFFu);
}
void CombineInPlace(Pixel f, Pixel& b, std::uint32_t w) {
    b = MediaMix(f, b, w & 0xFFu);
}
Pixel Blend(Pixel f, Pixel b) {
    return MediaMix(f, b, f >> 24);
}
void BlendInPlace(Pixel f, Pixel& b) {
    b = MediaMix(f, b, f >> 24);
}
Pixel BlendMaster(Pixel f, Pixel b, std::uint32_t m) {
    return MediaMix(f, b, MasterWeight(f, m));
}
void BlendMasterInPlace(Pixel f, Pixel& b, std::uint32_t m) {
    b = MediaMix(f, b, MasterWeight(f, m));
}
void BlendRun(const Pixel* src, Pixel* dst, int count) {
    for (int i = 0; i < count; ++i)
        dst[i] = MediaMix(src[i], dst[i], src[i] >> 24);
}
void BlendRunMaster(const Pixel* src, Pixel* dst, int count, std::uint32_t m) {
    for (int i = 0; i < count; ++i)
        dst[i] = MediaMix(src[i], dst[i], MasterWeight(src[i], m));
}
void CombineRun(const Pixel* src, Pixel* dst, int count, std::uint32_t w) {
    for (int i = 0; i < count; ++i)
        dst[i] = MediaMix(src[i], dst[i], w & 0xFFu);
}

}  // namespace media

namespace exact {

void CompositeRun(const Pixel* src, Pixel* dst, int count) {
    for (int i = 0; i < count; ++i)
        dst[i] = OverOpaque(dst[i], src[i], src[i] >> 24);
}

void CompositeRunWeighted(const Pixel* src, Pixel* dst, int count, std::uint32_t constantAlpha) {
    for (int i = 0; i < count; ++i)
        dst[i] = OverOpaqueWeighted(dst[i], src[i], (src[i] >> 24) * (constantAlpha & 0xFFu));
}

}  // namespace exact

const BlendSet& PlainSet() {
    static const BlendSet set{"plain",
                              PlainCombine,
                              PlainCombineInPlace,
                              PlainBlend,
                              PlainBlendInPlace,
                              PlainBlendMaster,
                              PlainBlendMasterInPlace,
                              PlainBlendRun,
                              PlainBlendRunMaster,
                              PlainCombineRun,
                              exact::CompositeRun,
                              exact::CompositeRunWeighted};
    return set;
}

}  // namespace zindra::blend
