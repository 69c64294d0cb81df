// The scalar blends and the table that picks a version for this processor.
#include "widgets/MorphBlend.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/graphics/PixelProcessor.h"
#include "widgets/MorphBlendVector.h"

namespace zindra::morph {

void BlendBytes(std::uint8_t* out, const std::uint8_t* work, const std::uint8_t* target, std::size_t bytes,
                int weight) {
    const unsigned w = static_cast<unsigned>(weight);
    for (std::size_t i = 0; i < bytes; ++i)
        out[i] = static_cast<std::uint8_t>((work[i] * (kFullWeight - w) + target[i] * w) / kFullWeight);
}

namespace {

std::uint32_t LoadWord(const std::uint8_t* p) {
    std::uint32_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// Each 16-bit lane holds at most 255 * 32 = 8160 before the shift, so nothing carries across.
std::uint32_t BlendWord(std::uint32_t work, std::uint32_t target, std::uint32_t weight) {
    const std::uint32_t rest = kFullWeight - weight;
    const std::uint32_t even = (((work & 0x00FF00FFu) * rest + (target & 0x00FF00FFu) * weight) >> 5) & 0x00FF00FFu;
    const std::uint32_t odd =
        (((work & 0xFF00FF00u) >> 5) * rest + ((target & 0xFF00FF00u) >> 5) * weight) & 0xFF00FF00u;
    return even | odd;
}

}  // namespace

void BlendWords(std::uint8_t* out, const std::uint8_t* work, const std::uint8_t* target, std::size_t bytes,
                int weight) {
    const auto w = static_cast<std::uint32_t>(weight);
    std::size_t i = 0;
    for (; i + 4 <= bytes; i += 4) {
        const std::uint32_t word = BlendWord(LoadWord(work + i), LoadWord(target + i), w);
        std::memcpy(out + i, &word, sizeof word);
    }
    BlendBytes(out + i, work + i, target + i, bytes - i, weight);
}

namespace {

struct Candidate {
    BlendVersion Version;
    bool (*Supported)();
};

bool Always() {
    return true;
}

// Best last: the active version is the last one this processor supports.
const Candidate kCandidates[] = {
    {{"bytes", &BlendBytes}, &Always},
    {{"words", &BlendWords}, &Always},
#if ZINDRA_MORPH_VECTOR
    {{"sse2", &BlendSse2}, &HasSse2},
    {{"avx2", &BlendAvx2}, &HasAvx2},
#endif
};

const std::vector<BlendVersion>& Available() {
    static const std::vector<BlendVersion> available = [] {
        std::vector<BlendVersion> found;
        for (const Candidate& c : kCandidates) {
            if (c.Supported()) found.push_back(c.Version);
        }
        return found;
    }();
    return available;
}

}  // namespace

std::span<const BlendVersion> AvailableBlends() {
    return Available();
}

const BlendVersion& ActiveBlend() {
    static const BlendVersion& active = ScalarForced() ? Available()[1] : Available().back();
    return active;
}

void Blend(std::span<std::uint8_t> out, std::span<const std::uint8_t> work, std::span<const std::uint8_t> target,
           int weight) {
    const std::size_t bytes = std::min({out.size(), work.size(), target.size()});
    ActiveBlend().Blend(out.data(), work.data(), target.data(), bytes, std::clamp(weight, 0, kFullWeight));
}

}  // namespace zindra::morph
