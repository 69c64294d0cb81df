// The check a WAV memory image passes before the system's player may read it: the player trusts
// the sizes inside, so every chunk it will read must lie within the bytes we really have.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zindra::platform::win32 {

// True for a RIFF "WAVE" image whose RIFF size, format chunk (at least 16 bytes) and data chunk
// all lie within size bytes. Chunks are walked in order with their pad bytes; sizes are checked
// before they are added, so no size in the image can make the walk overflow.
bool WaveImageIsWhole(const std::uint8_t* data, std::size_t size);

}  // namespace zindra::platform::win32
