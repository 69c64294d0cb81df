// The vector versions of the morph blend, for x86-64 builds with GCC or Clang; each lives in a
// file of its own, compiled for its instruction set only.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/graphics/PixelProcessor.h"

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define ZINDRA_MORPH_VECTOR 1
#else
#define ZINDRA_MORPH_VECTOR 0
#endif

#if ZINDRA_MORPH_VECTOR
namespace zindra::morph {

// NOTE: a buffer this big does not stay in a core's cache, so the vector versions write it past
// the cache: that spares reading the old contents of every line before writing it, which is
// most of a step's cost on a whole screen's face. Smaller faces are written the ordinary way and
// stay at hand for the paint that follows.
inline constexpr std::size_t kStreamingBytes = std::size_t{1} << 20;

// The same contract as BlendBytes.
void BlendSse2(std::uint8_t* out, const std::uint8_t* work, const std::uint8_t* target, std::size_t bytes, int weight);
void BlendAvx2(std::uint8_t* out, const std::uint8_t* work, const std::uint8_t* target, std::size_t bytes, int weight);

inline bool HasSse2() {
    return ProbedFeatures().Sse2;
}
inline bool HasAvx2() {
    return ProbedFeatures().Avx2;
}

}  // namespace zindra::morph
#endif
