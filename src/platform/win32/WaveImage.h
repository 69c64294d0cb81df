// The copy of a WAV memory image the system's player is given. The player trusts the sizes inside
// an image, and those are often wrong in files that play everywhere else (a RIFF size of 0, of
// 0xFFFFFFFF or of the file length, a data chunk that runs past the end, no data chunk at all),
// so it gets a copy whose sizes are the bytes really there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace zindra::platform::win32 {

// "RIFF", its size, "WAVE", the first format chunk and the first data chunk of data, each cut to
// the bytes present (a missing data chunk becomes an empty one, which plays as silence), odd
// chunks padded, and the RIFF size set to match. Chunks are walked in order with their pad bytes
// until one reaches past the end; nothing is read outside data. Nothing for data that is not RIFF
// "WAVE" or whose format chunk is missing or shorter than 16 bytes.
std::optional<std::vector<std::uint8_t>> PlayableWaveImage(const std::uint8_t* data, std::size_t size);

}  // namespace zindra::platform::win32
