// The morph blend thirty-two bytes at a time with AVX2: work and target bytes interleaved, so one
// multiply-add of unsigned bytes by the signed pair (32 - weight, weight) gives each sum.
#include "widgets/MorphBlendVector.h"

#if ZINDRA_MORPH_VECTOR
#include <immintrin.h>

#include "widgets/MorphBlend.h"

namespace zindra::morph {

// The unpacks and the pack work within each 128-bit half alike, so the bytes come back in order.
__attribute__((target("avx2"))) void BlendAvx2(std::uint8_t* out, const std::uint8_t* work, const std::uint8_t* target,
                                               std::size_t bytes, int weight) {
    const __m256i pair = _mm256_set1_epi16(static_cast<short>((weight << 8) | (kFullWeight - weight)));
    std::size_t i = 0;
    for (; i + 32 <= bytes; i += 32) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(work + i));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(target + i));
        const __m256i lo = _mm256_maddubs_epi16(_mm256_unpacklo_epi8(a, b), pair);
        const __m256i hi = _mm256_maddubs_epi16(_mm256_unpackhi_epi8(a, b), pair);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i),
                            _mm256_packus_epi16(_mm256_srli_epi16(lo, 5), _mm256_srli_epi16(hi, 5)));
    }
    BlendBytes(out + i, work + i, target + i, bytes - i, weight);
}

}  // namespace zindra::morph
#endif
