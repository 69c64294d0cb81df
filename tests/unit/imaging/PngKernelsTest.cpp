// The vector kernels against the plain ones: every Paeth and Average case of left, above and
// above-left, every filter on rows of every length to 300 at every alignment, the converters
// and Adler-32 on runs of every length.
#include "imaging/PngKernels.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <vector>

namespace zindra {
namespace {

using Bytes = std::vector<std::uint8_t>;

const PngKernels* Vector() {
    return VectorKernels();
}

// Eight independent byte lanes per pixel (offset 8): pixel 1 sees left a, above b, above-left c.
TEST(PngKernels, PaethAndAverageAgreeForEveryNeighbourhood) {
    const PngKernels* vector = Vector();
    if (!vector) GTEST_SKIP() << "no vector kernels on this processor";
    for (const std::uint8_t type : {std::uint8_t{3}, std::uint8_t{4}}) {
        for (int a = 0; a < 256; ++a) {
            for (int b = 0; b < 256; ++b) {
                for (int c0 = 0; c0 < 256; c0 += 8) {
                    std::uint8_t prev[16], raw[16];
                    for (int lane = 0; lane < 8; ++lane) {
                        const int c = type == 3 ? 0 : c0 + lane;
                        prev[lane] = static_cast<std::uint8_t>(c);
                        prev[8 + lane] = static_cast<std::uint8_t>(b);
                        // Pixel 0 unfilters to a under both filters (left and above-left are 0).
                        raw[lane] = static_cast<std::uint8_t>(a - (type == 3 ? c / 2 : c));
                        raw[8 + lane] = static_cast<std::uint8_t>(a * 7 + b);
                    }
                    std::uint8_t plain[16], fast[16];
                    std::copy(raw, raw + 16, plain);
                    std::copy(raw, raw + 16, fast);
                    UnfilterRowScalar(type, plain, prev, 16, 8);
                    vector->Unfilter(type, fast, prev, 16, 8);
                    ASSERT_TRUE(std::equal(plain, plain + 16, fast))
                        << "type " << int{type} << " a " << a << " b " << b << " c " << c0;
                    if (type == 3) break;  // Average does not look at above-left
                }
            }
        }
    }
}

TEST(PngKernels, EveryFilterOffsetLengthAndAlignment) {
    const PngKernels* vector = Vector();
    if (!vector) GTEST_SKIP() << "no vector kernels on this processor";
    const unsigned seed = 4242;
    std::mt19937 random(seed);
    Bytes prev(340), raw(340), plain(340), fast(340);
    for (std::uint8_t type = 0; type <= 5; ++type) {
        for (const int offset : {1, 2, 3, 4, 6, 8}) {
            for (std::size_t length = 0; length <= 300; ++length) {
                const std::size_t align = length % 16;
                for (auto& v : prev)
                    v = static_cast<std::uint8_t>(random());
                for (auto& v : raw)
                    v = static_cast<std::uint8_t>(random());
                plain = raw;
                fast = raw;
                UnfilterRowScalar(type, plain.data() + align, prev.data() + align, length, offset);
                vector->Unfilter(type, fast.data() + align, prev.data() + align, length, offset);
                ASSERT_EQ(plain, fast) << "seed " << seed << " type " << int{type} << " offset " << offset << " length "
                                       << length;
            }
        }
    }
}

TEST(PngKernels, APairOfPaethRowsEqualsTheRowsOneAfterTheOther) {
    const PngKernels* vector = Vector();
    if (!vector) GTEST_SKIP() << "no vector kernels on this processor";
    const unsigned seed = 31337;
    std::mt19937 random(seed);
    for (const int offset : {1, 2, 3, 4, 6, 8}) {
        for (std::size_t length = 0; length <= 300; ++length) {
            // Both rows in one buffer with the filter byte between them, as the decoder holds them.
            Bytes prev(length + 8), rows(2 * length + 1);
            for (auto& v : prev)
                v = static_cast<std::uint8_t>(random());
            for (auto& v : rows)
                v = static_cast<std::uint8_t>(random());
            Bytes plain = rows, fast = rows;
            UnfilterRowScalar(4, plain.data(), prev.data(), length, offset);
            UnfilterRowScalar(4, plain.data() + length + 1, plain.data(), length, offset);
            vector->UnfilterPaethPair(fast.data(), fast.data() + length + 1, prev.data(), length, offset);
            ASSERT_EQ(plain, fast) << "seed " << seed << " offset " << offset << " length " << length;
        }
    }
}

TEST(PngKernels, FourPaethRowsEqualTheRowsOneAfterTheOther) {
    const unsigned seed = 4242;
    std::mt19937 random(seed);
    for (const PngKernels* kernels : {&ScalarKernels(), Vector()}) {
        if (!kernels) continue;
        for (const int offset : {1, 2, 3, 4, 6, 8}) {
            for (std::size_t length = 0; length <= 200; ++length) {
                // The last row ends the buffer, so a write past it is caught by the sanitizer.
                const std::size_t stride = length + 1;
                Bytes prev(length + 8), rows(3 * stride + length);
                for (auto& v : prev)
                    v = static_cast<std::uint8_t>(random());
                for (auto& v : rows)
                    v = static_cast<std::uint8_t>(random());
                Bytes plain = rows, fast = rows;
                const std::uint8_t* above = prev.data();
                for (std::size_t k = 0; k < 4; ++k) {
                    UnfilterRowScalar(4, plain.data() + k * stride, above, length, offset);
                    above = plain.data() + k * stride;
                }
                kernels->UnfilterPaethQuad(fast.data(), stride, prev.data(), length, offset);
                ASSERT_EQ(plain, fast) << kernels->Name << " seed " << seed << " offset " << offset << " length "
                                       << length;
            }
        }
    }
}

TEST(PngKernels, ConvertersAndAdlerAgreeOnEveryLength) {
    const PngKernels* vector = Vector();
    if (!vector) GTEST_SKIP() << "no vector kernels on this processor";
    std::mt19937 random(77);
    Bytes file(4 * 300 + 16);
    for (auto& v : file)
        v = static_cast<std::uint8_t>(random());
    for (std::uint32_t n = 0; n <= 300; ++n) {
        // Guard bytes after each output catch writes past the row.
        Bytes plainStored(3 * n + 8, 0xEE), fastStored(3 * n + 8, 0xEE), plainAlpha(n + 8, 0xEE),
            fastAlpha(n + 8, 0xEE);
        ScalarKernels().Rgb8ToBgr(file.data(), n, plainStored.data(), nullptr, nullptr);
        vector->Rgb8ToBgr(file.data(), n, fastStored.data(), nullptr, nullptr);
        ASSERT_EQ(plainStored, fastStored) << "rgb " << n;
        ScalarKernels().Rgba8ToBgrAlpha(file.data(), n, plainStored.data(), plainAlpha.data(), nullptr);
        vector->Rgba8ToBgrAlpha(file.data(), n, fastStored.data(), fastAlpha.data(), nullptr);
        ASSERT_EQ(plainStored, fastStored) << "rgba " << n;
        ASSERT_EQ(plainAlpha, fastAlpha) << "rgba " << n;
    }
    Bytes long_(70000);
    for (auto& v : long_)
        v = static_cast<std::uint8_t>(random() | 0xF0);  // large bytes push the sums hardest
    for (std::size_t n : {0u, 1u, 15u, 16u, 17u, 5551u, 5552u, 5553u, 11104u, 70000u}) {
        const auto zlib = static_cast<std::uint32_t>(adler32(1, long_.data(), static_cast<uInt>(n)));
        EXPECT_EQ(Adler32Scalar(1, long_.data(), n), zlib) << n;
        EXPECT_EQ(vector->Adler32(1, long_.data(), n), zlib) << n;
    }
}

// Every length to 400 at every alignment, and past the folding loop's 64-byte steps, from a
// start of nothing and from a running value.
TEST(PngKernels, CrcAgreesWithZlibOnEveryLengthAndAlignment) {
    const PngKernels* vector = Vector();
    if (!vector) GTEST_SKIP() << "no vector kernels on this processor";
    const unsigned seed = 9001;
    std::mt19937 random(seed);
    Bytes bytes(70000);
    for (auto& v : bytes)
        v = static_cast<std::uint8_t>(random());
    auto check = [&](std::size_t at, std::size_t n, std::uint32_t start) {
        const auto zlib = static_cast<std::uint32_t>(crc32(start, bytes.data() + at, static_cast<uInt>(n)));
        ASSERT_EQ(vector->Crc32(start, bytes.data() + at, n), zlib)
            << "seed " << seed << " at " << at << " length " << n << " start " << start;
    };
    for (std::size_t n = 0; n <= 400; ++n) {
        for (std::size_t at = 0; at < 16; ++at) {
            check(at, n, 0);
            check(at, n, static_cast<std::uint32_t>(random()));
        }
    }
    for (const std::size_t n : {4095u, 4096u, 4097u, 65535u, 69999u})
        check(1, n, 0x12345678u);
}

}  // namespace
}  // namespace zindra
