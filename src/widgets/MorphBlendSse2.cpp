// The morph blend sixteen bytes at a time with SSE2: bytes widened to 16-bit lanes, both
// products added, shifted down by 5 and packed back.
#include "widgets/MorphBlendVector.h"

#if ZINDRA_MORPH_VECTOR
#include <emmintrin.h>

#include <cstdint>

#include "widgets/MorphBlend.h"

namespace zindra::morph {

namespace {

__attribute__((target("sse2"))) inline __m128i Blend16(const std::uint8_t* work, const std::uint8_t* target,
                                                       __m128i rest, __m128i weight) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(work));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(target));
    const __m128i lo = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(a, zero), rest),
                                     _mm_mullo_epi16(_mm_unpacklo_epi8(b, zero), weight));
    const __m128i hi = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(a, zero), rest),
                                     _mm_mullo_epi16(_mm_unpackhi_epi8(b, zero), weight));
    return _mm_packus_epi16(_mm_srli_epi16(lo, 5), _mm_srli_epi16(hi, 5));
}

}  // namespace

__attribute__((target("sse2"))) void BlendSse2(std::uint8_t* out, const std::uint8_t* work, const std::uint8_t* target,
                                               std::size_t bytes, int weight) {
    const __m128i rest = _mm_set1_epi16(static_cast<short>(kFullWeight - weight));
    const __m128i w = _mm_set1_epi16(static_cast<short>(weight));
    std::size_t i = 0;
    if (bytes >= kStreamingBytes) {
        const std::size_t head = (16 - reinterpret_cast<std::uintptr_t>(out) % 16) % 16;
        BlendBytes(out, work, target, head, weight);
        for (i = head; i + 16 <= bytes; i += 16)
            _mm_stream_si128(reinterpret_cast<__m128i*>(out + i), Blend16(work + i, target + i, rest, w));
        _mm_sfence();
    } else {
        for (; i + 16 <= bytes; i += 16)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), Blend16(work + i, target + i, rest, w));
    }
    BlendBytes(out + i, work + i, target + i, bytes - i, weight);
}

}  // namespace zindra::morph
#endif
