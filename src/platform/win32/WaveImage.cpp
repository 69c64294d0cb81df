// Walking the chunks of a WAV memory image.
#include "platform/win32/WaveImage.h"

#include <cstring>

#include "platform/ByteOrder.h"

namespace zindra::platform::win32 {

namespace {

bool IsTag(const std::uint8_t* at, const char* tag) {
    return std::memcmp(at, tag, 4) == 0;
}

}  // namespace

bool WaveImageIsWhole(const std::uint8_t* data, std::size_t size) {
    constexpr std::uint64_t kHeader = 12;
    constexpr std::uint64_t kChunkHeader = 8;
    if (!data || size < kHeader || !IsTag(data, "RIFF") || !IsTag(data + 8, "WAVE")) return false;
    const std::uint64_t riffEnd = 8ull + GetLe32(data + 4);  // at most 2^32 + 7: no overflow
    if (riffEnd > size) return false;
    bool format = false;
    std::uint64_t at = kHeader;
    while (at + kChunkHeader <= riffEnd) {
        const std::uint8_t* chunk = data + at;
        const std::uint64_t length = GetLe32(chunk + 4);
        const std::uint64_t end = at + kChunkHeader + length;
        if (end > riffEnd) return false;
        if (IsTag(chunk, "fmt ")) {
            if (length < 16) return false;
            format = true;
        } else if (IsTag(chunk, "data")) {
            return format;  // the player reads no further than the samples
        }
        at = end + (length & 1);  // chunks start on even offsets
    }
    return false;
}

}  // namespace zindra::platform::win32
