// The vector versions of the morph blend, for x86-64 builds with GCC or Clang; each lives in a
// file of its own, compiled for its instruction set only.
#pragma once

#include <cstddef>
#include <cstdint>

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define ZINDRA_MORPH_VECTOR 1
#else
#define ZINDRA_MORPH_VECTOR 0
#endif

#if ZINDRA_MORPH_VECTOR
namespace zindra::morph {

// The same contract as BlendBytes.
void BlendSse2(std::uint8_t* out, const std::uint8_t* work, const std::uint8_t* target, std::size_t bytes, int weight);
void BlendAvx2(std::uint8_t* out, const std::uint8_t* work, const std::uint8_t* target, std::size_t bytes, int weight);

inline bool HasSse2() {
    return __builtin_cpu_supports("sse2");
}
inline bool HasAvx2() {
    return __builtin_cpu_supports("avx2");
}

}  // namespace zindra::morph
#endif
