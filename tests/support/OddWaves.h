// WAV files whose sizes are wrong in the ways real files are, yet which players play: the one
// table both back ends' tests run through. Every one passes the wave check of the kit (RIFF,
// WAVE and "fmt " at their places, 34 bytes or more).
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

namespace zindra::testing {

struct OddWave {
    std::string Name;
    std::vector<std::uint8_t> Bytes;
    std::vector<std::uint8_t> Samples;  // the sample bytes really present, which are what plays
};

namespace oddwaves {

inline void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline void PutChunk(std::vector<std::uint8_t>& out, const char* tag, std::uint32_t declared,
                     const std::vector<std::uint8_t>& body) {
    out.insert(out.end(), tag, tag + 4);
    Put32(out, declared);
    out.insert(out.end(), body.begin(), body.end());
}

// PCM, mono, 8 bits, 11025 Hz; extra bytes make a longer (WAVEFORMATEX) chunk.
inline std::vector<std::uint8_t> Format(std::size_t extra = 0) {
    static constexpr std::uint8_t kPcm[16] = {1, 0, 1, 0, 0x11, 0x2B, 0, 0, 0x11, 0x2B, 0, 0, 1, 0, 8, 0};
    std::vector<std::uint8_t> body(sizeof kPcm + extra, 0);
    std::copy(std::begin(kPcm), std::end(kPcm), body.begin());
    return body;
}

inline std::vector<std::uint8_t> Ramp(std::size_t count) {
    std::vector<std::uint8_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<std::uint8_t>(0x40 + i);
    return samples;
}

// "RIFF", riffSize (kRight: the bytes that follow it), "WAVE", then the chunks.
inline constexpr std::uint64_t kRight = 1ull << 40;
inline std::vector<std::uint8_t> Riff(std::uint64_t riffSize, const std::vector<std::uint8_t>& chunks) {
    std::vector<std::uint8_t> out = {'R', 'I', 'F', 'F'};
    Put32(out, static_cast<std::uint32_t>(riffSize == kRight ? chunks.size() + 4 : riffSize));
    out.insert(out.end(), {'W', 'A', 'V', 'E'});
    out.insert(out.end(), chunks.begin(), chunks.end());
    return out;
}

inline std::vector<std::uint8_t> FormatAndData(std::uint32_t declaredData, const std::vector<std::uint8_t>& samples) {
    std::vector<std::uint8_t> chunks;
    PutChunk(chunks, "fmt ", 16, Format());
    PutChunk(chunks, "data", declaredData, samples);
    return chunks;
}

}  // namespace oddwaves

inline std::vector<OddWave> OddWaves() {
    using namespace oddwaves;
    const std::vector<std::uint8_t> ramp = Ramp(100);
    const std::vector<std::uint8_t> whole = FormatAndData(100, ramp);
    std::vector<OddWave> waves = {
        {"whole", Riff(kRight, whole), ramp},
        {"riff-size-is-the-file-length", Riff(whole.size() + 12, whole), ramp},
        {"riff-size-all-ones", Riff(0xFFFFFFFFu, whole), ramp},
        {"riff-size-zero", Riff(0, whole), ramp},
        {"data-past-the-end", Riff(kRight, FormatAndData(1000, ramp)), ramp},
        {"data-size-all-ones", Riff(0xFFFFFFFFu, FormatAndData(0xFFFFFFFFu, ramp)), ramp},
        {"odd-data-without-its-pad-byte", Riff(kRight, FormatAndData(99, Ramp(99))), Ramp(99)},
    };
    std::vector<std::uint8_t> chunks;
    PutChunk(chunks, "fmt ", 16, Format());
    waves.push_back({"no-data-chunk", Riff(kRight, chunks), {}});
    chunks.insert(chunks.end(), {'d', 'a', 't'});
    waves.push_back({"data-chunk-header-cut", Riff(kRight, chunks), {}});

    chunks.clear();
    PutChunk(chunks, "fmt ", 18, Format(2));
    PutChunk(chunks, "LIST", 5, {'I', 'N', 'F', 'O', 'x', 0});  // odd, with its pad byte
    PutChunk(chunks, "data", 100, ramp);
    PutChunk(chunks, "junk", 0x7FFFFFFFu, {1, 2, 3});  // after the samples: never read
    waves.push_back({"long-format-list-and-junk-after-the-data", Riff(0xFFFFFFFFu, chunks), ramp});
    return waves;
}

}  // namespace zindra::testing
