// The multimedia blending set with SSE2, which every x86-64 processor has: four pixels a step,
// each channel in a 16-bit lane.
#include "framework/graphics/BlendRoutines.h"
#include "framework/graphics/BlendSet.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>

namespace zindra::blend {
namespace sse2 {
namespace {

// (F - B) * w + B * 256 + 128, shifted down by 8. The 16-bit lanes wrap, but the true value is
// F * w + B * (256 - w) + 128 <= 65408, so the wrapped sum is exact and needs no saturation.
// base is B * 256 + 128, made by unpacking B above a byte of 128.
__m128i MediaMix(__m128i f, __m128i b, __m128i base, __m128i w) {
    return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_sub_epi16(f, b), w), base), 8);
}

// Each pixel's alpha in all four of its lanes (two pixels in 16-bit lanes).
__m128i SpreadAlpha(__m128i pixels) {
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(pixels, _MM_SHUFFLE(3, 3, 3, 3)), _MM_SHUFFLE(3, 3, 3, 3));
}

// Full weight 255 taken as 256, as in the one-pixel form.
__m128i FullAsWhole(__m128i w) {
    return _mm_sub_epi16(w, _mm_cmpeq_epi16(w, _mm_set1_epi16(255)));
}

// Four pixels through a weight maker that sees the source's two pixels in 16-bit lanes.
template <typename Weights>
__m128i MixFour(__m128i s, __m128i d, Weights weights) {
    const __m128i zero = _mm_setzero_si128(), half = _mm_set1_epi8(static_cast<char>(0x80));
    const __m128i sLo = _mm_unpacklo_epi8(s, zero), sHi = _mm_unpackhi_epi8(s, zero);
    const __m128i lo = MediaMix(sLo, _mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(half, d), weights(sLo));
    const __m128i hi = MediaMix(sHi, _mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(half, d), weights(sHi));
    return _mm_packus_epi16(lo, hi);
}

template <typename Weights>
int MixRun(const Pixel* src, Pixel* dst, int count, Weights weights) {
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), MixFour(s, d, weights));
    }
    return i;
}

}  // namespace

void BlendRun(const Pixel* src, Pixel* dst, int count) {
    const int done = MixRun(src, dst, count, [](__m128i s) { return FullAsWhole(SpreadAlpha(s)); });
    media::BlendRun(src + done, dst + done, count - done);
}

void BlendRunMaster(const Pixel* src, Pixel* dst, int count, std::uint32_t m) {
    const __m128i master = _mm_set1_epi16(static_cast<short>((m & 0xFFu) + 1));
    // ((m + 1) * a) >> 8 <= 65280 >> 8: the product fits an unsigned 16-bit lane.
    const int done = MixRun(src, dst, count, [master](__m128i s) {
        return FullAsWhole(_mm_srli_epi16(_mm_mullo_epi16(SpreadAlpha(s), master), 8));
    });
    media::BlendRunMaster(src + done, dst + done, count - done, m);
}

void CombineRun(const Pixel* src, Pixel* dst, int count, std::uint32_t w) {
    const __m128i weight = FullAsWhole(_mm_set1_epi16(static_cast<short>(w & 0xFFu)));
    const int done = MixRun(src, dst, count, [weight](__m128i) { return weight; });
    media::CombineRun(src + done, dst + done, count - done, w);
}

// round(x / 255) as (x + 128 + ((x + 128) >> 8)) >> 8, exact for x <= 255 * 255, each sum inside
// 16 bits: the canvas's formula, bit for bit.
void CompositeRun(const Pixel* src, Pixel* dst, int count) {
    const __m128i zero = _mm_setzero_si128(), full = _mm_set1_epi16(255), half = _mm_set1_epi16(128);
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    auto half2 = [&](__m128i s, __m128i d) {
        const __m128i a = SpreadAlpha(s);
        __m128i t = _mm_add_epi16(_mm_mullo_epi16(s, a), _mm_mullo_epi16(d, _mm_sub_epi16(full, a)));
        t = _mm_add_epi16(t, half);
        return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
    };
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        const __m128i lo = half2(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero));
        const __m128i hi = half2(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_or_si128(_mm_packus_epi16(lo, hi), opaque));
    }
    exact::CompositeRun(src + i, dst + i, count - i);
}

}  // namespace sse2

const BlendSet* BuildSse2Set() {
    static const BlendSet set{"sse2",
                              media::Combine,
                              media::CombineInPlace,
                              media::Blend,
                              media::BlendInPlace,
                              media::BlendMaster,
                              media::BlendMasterInPlace,
                              sse2::BlendRun,
                              sse2::BlendRunMaster,
                              sse2::CombineRun,
                              sse2::CompositeRun,
                              exact::CompositeRunWeighted};
    return &set;
}

}  // namespace zindra::blend

#else

namespace zindra::blend {
const BlendSet* BuildSse2Set() {
    return nullptr;
}
}  // namespace zindra::blend

#endif
