// Walking the chunks of a WAV memory image and making the copy the player gets.
#include "platform/win32/WaveImage.h"

#include <algorithm>
#include <cstring>

#include "platform/ByteOrder.h"

namespace zindra::platform::win32 {

namespace {

constexpr std::uint64_t kHeader = 12;
constexpr std::uint64_t kChunkHeader = 8;
constexpr std::size_t kFormatBytes = 16;  // PCMWAVEFORMAT, the least a player reads

struct Span {
    std::uint64_t At = 0;
    std::uint64_t Length = 0;
    bool Found = false;
};

bool IsTag(const std::uint8_t* at, const char* tag) {
    return std::memcmp(at, tag, 4) == 0;
}

void PutChunk(std::vector<std::uint8_t>& out, const char* tag, const std::uint8_t* body, std::uint64_t length) {
    out.insert(out.end(), tag, tag + 4);
    PutLe32(out, static_cast<std::uint32_t>(length));
    out.insert(out.end(), body, body + length);
    if (length & 1) out.push_back(0);  // chunks start on even offsets
}

}  // namespace

std::optional<std::vector<std::uint8_t>> PlayableWaveImage(const std::uint8_t* data, std::size_t size) {
    if (!data || size < kHeader || !IsTag(data, "RIFF") || !IsTag(data + 8, "WAVE")) return std::nullopt;
    // NOTE: the RIFF size is not believed; the bytes present are what there is.
    Span format;
    Span samples;
    std::uint64_t at = kHeader;
    while (at + kChunkHeader <= size && !(format.Found && samples.Found)) {
        const std::uint8_t* chunk = data + at;
        const std::uint64_t declared = GetLe32(chunk + 4);  // at most 2^32 - 1: no sum below wraps
        const std::uint64_t body = at + kChunkHeader;
        const Span present{body, std::min<std::uint64_t>(declared, size - body), true};
        if (IsTag(chunk, "fmt ") && !format.Found) format = present;
        if (IsTag(chunk, "data") && !samples.Found) samples = present;
        at = body + declared + (declared & 1);
    }
    if (!format.Found || format.Length < kFormatBytes) return std::nullopt;
    std::vector<std::uint8_t> copy;
    copy.reserve(kHeader + 2 * kChunkHeader + format.Length + samples.Length + 2);
    copy.insert(copy.end(), data, data + kHeader);
    PutChunk(copy, "fmt ", data + format.At, format.Length);
    PutChunk(copy, "data", data + samples.At, samples.Length);
    const auto riffSize = static_cast<std::uint32_t>(copy.size() - 8);
    for (int i = 0; i < 4; ++i)
        copy[4 + i] = static_cast<std::uint8_t>(riffSize >> (8 * i));
    return copy;
}

}  // namespace zindra::platform::win32
