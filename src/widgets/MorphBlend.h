// The morph's cross-fade of two 24-bit pixel buffers in 33 weight levels, byte by byte, with the
// vector versions the processor offers chosen once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace zindra::morph {

// The weight of the target at the end of a fade.
inline constexpr int kFullWeight = 32;

// Writes out[i] = (work[i] * (32 - weight) + target[i] * weight) div 32 for every i below bytes.
// Colour channels are not told apart, so any byte layout fades alike. weight is 0..32; out may
// be the same buffer as work or target, but may not overlap either in any other way.
using BlendFunction = void (*)(std::uint8_t* out, const std::uint8_t* work, const std::uint8_t* target,
                               std::size_t bytes, int weight);

// The formula as it reads, one byte at a time.
void BlendBytes(std::uint8_t* out, const std::uint8_t* work, const std::uint8_t* target, std::size_t bytes, int weight);
// Four bytes as one 32-bit word, two bytes a multiply: bytes 0 and 2 under 0x00FF00FF, bytes 1
// and 3 under 0xFF00FF00 shifted down first. Exact: no lane can spill into the next.
void BlendWords(std::uint8_t* out, const std::uint8_t* work, const std::uint8_t* target, std::size_t bytes, int weight);

struct BlendVersion {
    const char* Name;
    BlendFunction Blend;
};

// Every version this processor can run, the scalar ones first.
std::span<const BlendVersion> AvailableBlends();
// The fastest of them, chosen at the first call; ZINDRA_SCALAR=1 in the environment (as for all
// pixel code) chooses the word form instead, for diagnosis.
const BlendVersion& ActiveBlend();

// The blend with the active version; a weight outside 0..32 is taken as the nearer end.
void Blend(std::span<std::uint8_t> out, std::span<const std::uint8_t> work, std::span<const std::uint8_t> target,
           int weight);

}  // namespace zindra::morph
