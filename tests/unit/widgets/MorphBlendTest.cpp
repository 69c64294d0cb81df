// The morph blend: every version against the formula over every pair of bytes and weight, on
// runs of every length at every alignment, in place, and through the checked entry point.
#include "widgets/MorphBlend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace zindra::morph {
namespace {

TEST(MorphBlend, FormulaAtTheEndsAndBetween) {
    struct Case {
        std::uint8_t Work, Target;
        int Weight;
        std::uint8_t Expected;
    };
    for (const Case c : {Case{200, 10, 0, 200}, Case{200, 10, 32, 10}, Case{255, 255, 13, 255}, Case{0, 255, 1, 7},
                         Case{255, 0, 31, 7}, Case{0, 255, 16, 127}, Case{1, 2, 16, 1}}) {
        std::uint8_t out = 0;
        BlendBytes(&out, &c.Work, &c.Target, 1, c.Weight);
        EXPECT_EQ(out, c.Expected) << int(c.Work) << " to " << int(c.Target) << " at " << c.Weight;
    }
}

TEST(MorphBlend, EveryVersionGivesTheFormulasBytesForAllPairsAndWeights) {
    std::vector<std::uint8_t> work(65536), target(65536), expected(65536), out(65536);
    for (std::size_t i = 0; i < work.size(); ++i) {
        work[i] = static_cast<std::uint8_t>(i);
        target[i] = static_cast<std::uint8_t>(i >> 8);
    }
    ASSERT_GE(AvailableBlends().size(), 2u);
    for (int weight = 0; weight <= kFullWeight; ++weight) {
        BlendBytes(expected.data(), work.data(), target.data(), work.size(), weight);
        for (const BlendVersion& version : AvailableBlends()) {
            version.Blend(out.data(), work.data(), target.data(), out.size(), weight);
            ASSERT_EQ(out, expected) << version.Name << " at weight " << weight;
        }
    }
}

TEST(MorphBlend, EveryLengthAndAlignmentStaysInsideItsBytes) {
    constexpr std::size_t kGuard = 40;
    std::vector<std::uint8_t> work(400), target(400);
    for (std::size_t i = 0; i < work.size(); ++i) {
        work[i] = static_cast<std::uint8_t>(i * 37 + 11);
        target[i] = static_cast<std::uint8_t>(i * 91 + 200);
    }
    for (const BlendVersion& version : AvailableBlends()) {
        for (std::size_t offset = 0; offset < 33; ++offset) {
            for (std::size_t length = 0; length <= 300; ++length) {
                std::vector<std::uint8_t> out(offset + length + kGuard, 0xA5), expected(out);
                BlendBytes(expected.data() + offset, work.data() + offset, target.data() + offset, length, 21);
                version.Blend(out.data() + offset, work.data() + offset, target.data() + offset, length, 21);
                ASSERT_EQ(out, expected) << version.Name << " offset " << offset << " length " << length;
            }
        }
    }
}

// A whole screen's face takes the streaming path, whose head is written until the output is
// aligned: every offset of the output up to 64 bytes.
TEST(MorphBlend, ScreenSizedFacesGiveTheSameBytesAtEveryAlignment) {
    const std::size_t bytes = 2400 * 600 + 3;
    std::vector<std::uint8_t> work(bytes + 64), target(bytes + 64);
    for (std::size_t i = 0; i < work.size(); ++i) {
        work[i] = static_cast<std::uint8_t>(i * 131 + 7);
        target[i] = static_cast<std::uint8_t>(i * 17 + 90);
    }
    std::vector<std::uint8_t> expected(bytes + 64 + 8, 0x5A);
    BlendBytes(expected.data() + 5, work.data() + 3, target.data() + 1, bytes, 19);
    for (const BlendVersion& version : AvailableBlends()) {
        for (std::size_t offset = 0; offset < 64; offset += 5) {
            std::vector<std::uint8_t> out(bytes + 64 + 8, 0x5A);
            version.Blend(out.data() + offset, work.data() + 3, target.data() + 1, bytes, 19);
            ASSERT_TRUE(std::equal(out.begin() + static_cast<long>(offset),
                                   out.begin() + static_cast<long>(offset + bytes), expected.begin() + 5))
                << version.Name << " at output offset " << offset;
            ASSERT_EQ(out[offset + bytes], 0x5A) << version.Name << " wrote past the end";
            ASSERT_TRUE(offset == 0 || out[offset - 1] == 0x5A) << version.Name << " wrote before the start";
        }
    }
}

TEST(MorphBlend, OutputMayBeTheWorkBuffer) {
    std::vector<std::uint8_t> target(100, 250), expected(100);
    for (const BlendVersion& version : AvailableBlends()) {
        std::vector<std::uint8_t> work(100, 10);
        BlendBytes(expected.data(), work.data(), target.data(), work.size(), 5);
        version.Blend(work.data(), work.data(), target.data(), work.size(), 5);
        EXPECT_EQ(work, expected) << version.Name;
    }
}

TEST(MorphBlend, EntryPointClampsTheWeightAndStopsAtTheShortestBuffer) {
    const std::vector<std::uint8_t> work(10, 0), target(8, 255);
    std::vector<std::uint8_t> out(12, 7);
    Blend(out, work, target, 99);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{255, 255, 255, 255, 255, 255, 255, 255, 7, 7, 7, 7}));
    Blend(out, work, target, -3);
    EXPECT_EQ(out[0], 0);
}

}  // namespace
}  // namespace zindra::morph
