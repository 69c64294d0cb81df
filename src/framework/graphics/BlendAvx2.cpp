// The multimedia blending set with AVX2: eight pixels a step. This file alone is compiled for
// AVX2; the set is used only where the processor and the system have it.
#include "framework/graphics/BlendRoutines.h"
#include "framework/graphics/BlendSet.h"

#if defined(__AVX2__)
#include <immintrin.h>

namespace zindra::blend {
namespace {

// As the SSE2 version: the wrapped 16-bit sum equals the true one, at most 65408. base is
// B * 256 + 128, made by unpacking B above a byte of 128.
__m256i MediaMix(__m256i f, __m256i b, __m256i base, __m256i w) {
    return _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(_mm256_sub_epi16(f, b), w), base), 8);
}

__m256i SpreadAlpha(__m256i pixels) {
    return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(pixels, _MM_SHUFFLE(3, 3, 3, 3)), _MM_SHUFFLE(3, 3, 3, 3));
}

// Each pixel's alpha byte in the four 16-bit lanes of that pixel, straight from the packed
// pixels: the low (high) two pixels of each 128-bit half.
__m256i AlphaLanes(__m256i packed, bool high) {
    const char z = static_cast<char>(0x80), l = high ? 11 : 3, h = high ? 15 : 7;
    const __m256i pick = _mm256_setr_epi8(l, z, l, z, l, z, l, z, h, z, h, z, h, z, h, z,  //
                                          l, z, l, z, l, z, l, z, h, z, h, z, h, z, h, z);
    return _mm256_shuffle_epi8(packed, pick);
}

__m256i FullAsWhole(__m256i w) {
    return _mm256_sub_epi16(w, _mm256_cmpeq_epi16(w, _mm256_set1_epi16(255)));
}

// Unpacking and packing both work within each 128-bit half, so the pixels come back in order.
// weights(s, high) gives the 16-bit weights of the low or high pixels of each half.
template <typename Weights>
int MixRun(const Pixel* src, Pixel* dst, int count, Weights weights) {
    const __m256i zero = _mm256_setzero_si256(), half = _mm256_set1_epi8(static_cast<char>(0x80));
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i));
        const __m256i lo = MediaMix(_mm256_unpacklo_epi8(s, zero), _mm256_unpacklo_epi8(d, zero),
                                    _mm256_unpacklo_epi8(half, d), weights(s, false));
        const __m256i hi = MediaMix(_mm256_unpackhi_epi8(s, zero), _mm256_unpackhi_epi8(d, zero),
                                    _mm256_unpackhi_epi8(half, d), weights(s, true));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), _mm256_packus_epi16(lo, hi));
    }
    return i;
}

void BlendRun(const Pixel* src, Pixel* dst, int count) {
    const int done = MixRun(src, dst, count, [](__m256i s, bool high) { return FullAsWhole(AlphaLanes(s, high)); });
    sse2::BlendRun(src + done, dst + done, count - done);
}

void BlendRunMaster(const Pixel* src, Pixel* dst, int count, std::uint32_t m) {
    const __m256i master = _mm256_set1_epi16(static_cast<short>((m & 0xFFu) + 1));
    const int done = MixRun(src, dst, count, [master](__m256i s, bool high) {
        return FullAsWhole(_mm256_srli_epi16(_mm256_mullo_epi16(AlphaLanes(s, high), master), 8));
    });
    sse2::BlendRunMaster(src + done, dst + done, count - done, m);
}

void CombineRun(const Pixel* src, Pixel* dst, int count, std::uint32_t w) {
    const __m256i weight = FullAsWhole(_mm256_set1_epi16(static_cast<short>(w & 0xFFu)));
    const int done = MixRun(src, dst, count, [weight](__m256i, bool) { return weight; });
    sse2::CombineRun(src + done, dst + done, count - done, w);
}

// The canvas's exact round(x / 255), as in the SSE2 version.
void CompositeRun(const Pixel* src, Pixel* dst, int count) {
    const __m256i zero = _mm256_setzero_si256(), full = _mm256_set1_epi16(255), half = _mm256_set1_epi16(128);
    const __m256i opaque = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    auto half2 = [&](__m256i s, __m256i d) {
        const __m256i a = SpreadAlpha(s);
        __m256i t = _mm256_add_epi16(_mm256_mullo_epi16(s, a), _mm256_mullo_epi16(d, _mm256_sub_epi16(full, a)));
        t = _mm256_add_epi16(t, half);
        return _mm256_srli_epi16(_mm256_add_epi16(t, _mm256_srli_epi16(t, 8)), 8);
    };
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i));
        const __m256i lo = half2(_mm256_unpacklo_epi8(s, zero), _mm256_unpacklo_epi8(d, zero));
        const __m256i hi = half2(_mm256_unpackhi_epi8(s, zero), _mm256_unpackhi_epi8(d, zero));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), _mm256_or_si256(_mm256_packus_epi16(lo, hi), opaque));
    }
    sse2::CompositeRun(src + i, dst + i, count - i);
}

// floor(x / 65025) for x <= 255 * 65025 + 32512, as (x * 16909061) >> 40: the multiplier's
// error times the largest x stays below 2^40, so the quotient is exact.
__m256i DivideBy65025(__m256i x) {
    const __m256i magic = _mm256_set1_epi64x(16909061);
    const __m256i even = _mm256_srli_epi64(_mm256_mul_epu32(x, magic), 40);
    const __m256i odd = _mm256_srli_epi64(_mm256_mul_epu32(_mm256_srli_epi64(x, 32), magic), 40);
    return _mm256_or_si256(even, _mm256_slli_epi64(odd, 32));
}

// One colour channel of eight pixels in 32-bit lanes: round((s * w + d * (65025 - w)) / 65025).
template <int Shift>
__m256i WeightedChannel(__m256i s, __m256i d, __m256i w) {
    const __m256i byte = _mm256_set1_epi32(0xFF), full = _mm256_set1_epi32(65025);
    const __m256i sc = _mm256_and_si256(_mm256_srli_epi32(s, Shift), byte);
    const __m256i dc = _mm256_and_si256(_mm256_srli_epi32(d, Shift), byte);
    __m256i x = _mm256_add_epi32(_mm256_mullo_epi32(sc, w), _mm256_mullo_epi32(dc, _mm256_sub_epi32(full, w)));
    x = _mm256_add_epi32(x, _mm256_set1_epi32(65025 / 2));
    return _mm256_slli_epi32(DivideBy65025(x), Shift);
}

// The canvas's exact weighted form, channel by channel in 32-bit lanes.
void CompositeRunWeighted(const Pixel* src, Pixel* dst, int count, std::uint32_t constantAlpha) {
    const __m256i constant = _mm256_set1_epi32(static_cast<int>(constantAlpha & 0xFFu));
    const __m256i opaque = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i));
        // alpha * constant <= 65025 fits the low 16 bits of each lane; the high ones stay 0.
        const __m256i w = _mm256_mullo_epi16(_mm256_srli_epi32(s, 24), constant);
        __m256i out = _mm256_or_si256(opaque, WeightedChannel<0>(s, d, w));
        out = _mm256_or_si256(out, WeightedChannel<8>(s, d, w));
        out = _mm256_or_si256(out, WeightedChannel<16>(s, d, w));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), out);
    }
    exact::CompositeRunWeighted(src + i, dst + i, count - i, constantAlpha);
}

}  // namespace

const BlendSet* BuildAvx2Set() {
    static const BlendSet set{"avx2",
                              media::Combine,
                              media::CombineInPlace,
                              media::Blend,
                              media::BlendInPlace,
                              media::BlendMaster,
                              media::BlendMasterInPlace,
                              BlendRun,
                              BlendRunMaster,
                              CombineRun,
                              CompositeRun,
                              CompositeRunWeighted};
    return &set;
}

}  // namespace zindra::blend

#else

namespace zindra::blend {
const BlendSet* BuildAvx2Set() {
    return nullptr;
}
}  // namespace zindra::blend

#endif
