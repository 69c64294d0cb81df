// The morph blend thirty-two bytes at a time with AVX2: work and target bytes interleaved, so one
// multiply-add of unsigned bytes by the signed pair (32 - weight, weight) gives each sum.
#include "widgets/MorphBlendVector.h"

#if ZINDRA_MORPH_VECTOR
#include <immintrin.h>

#include <cstdint>

#include "widgets/MorphBlend.h"

namespace zindra::morph {

namespace {

// The unpacks and the pack work within each 128-bit half alike, so the bytes come back in order.
__attribute__((target("avx2"))) inline __m256i Blend32(const std::uint8_t* work, const std::uint8_t* target,
                                                       __m256i pair) {
    const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(work));
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(target));
    const __m256i lo = _mm256_maddubs_epi16(_mm256_unpacklo_epi8(a, b), pair);
    const __m256i hi = _mm256_maddubs_epi16(_mm256_unpackhi_epi8(a, b), pair);
    return _mm256_packus_epi16(_mm256_srli_epi16(lo, 5), _mm256_srli_epi16(hi, 5));
}

}  // namespace

__attribute__((target("avx2"))) void BlendAvx2(std::uint8_t* out, const std::uint8_t* work, const std::uint8_t* target,
                                               std::size_t bytes, int weight) {
    const __m256i pair = _mm256_set1_epi16(static_cast<short>((weight << 8) | (kFullWeight - weight)));
    std::size_t i = 0;
    if (bytes >= kStreamingBytes) {
        // Bytes up to the first 32-byte boundary of the output one at a time, the rest streamed.
        const std::size_t head = (32 - reinterpret_cast<std::uintptr_t>(out) % 32) % 32;
        BlendBytes(out, work, target, head, weight);
        for (i = head; i + 32 <= bytes; i += 32)
            _mm256_stream_si256(reinterpret_cast<__m256i*>(out + i), Blend32(work + i, target + i, pair));
        _mm_sfence();
    } else {
        for (; i + 32 <= bytes; i += 32)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), Blend32(work + i, target + i, pair));
    }
    BlendBytes(out + i, work + i, target + i, bytes - i, weight);
}

}  // namespace zindra::morph
#endif
