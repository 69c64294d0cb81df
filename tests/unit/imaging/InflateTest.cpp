// The whole-buffer inflater against zlib: every stream zlib writes comes back exactly, and no
// damaged or cut stream is ever taken unless zlib takes it too, with the same bytes.
#include "imaging/Inflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <vector>

namespace zindra {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Pack(const Bytes& raw, int level, int strategy) {
    z_stream z{};
    deflateInit2(&z, level, Z_DEFLATED, 15, 8, strategy);
    Bytes out(deflateBound(&z, static_cast<uLong>(raw.size())) + 16);
    z.next_in = const_cast<Bytef*>(raw.data());
    z.avail_in = static_cast<uInt>(raw.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

// zlib's verdict: the whole stream to its end, with exactly expectedSize bytes.
bool ZlibTakes(const Bytes& packed, std::size_t expectedSize, Bytes& out) {
    out.assign(expectedSize + 1, 0);
    z_stream z{};
    inflateInit(&z);
    z.next_in = const_cast<Bytef*>(packed.data());
    z.avail_in = static_cast<uInt>(packed.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const int status = inflate(&z, Z_FINISH);
    const std::size_t produced = z.total_out;
    inflateEnd(&z);
    out.resize(produced);
    return status == Z_STREAM_END && produced == expectedSize;
}

// Kinds of data: noise, long runs, a small alphabet (short matches), image-like gradients.
Bytes Sample(int kind, std::size_t size, std::mt19937& random) {
    Bytes b(size);
    for (std::size_t i = 0; i < size; ++i) {
        switch (kind) {
            case 0:
                b[i] = static_cast<std::uint8_t>(random());
                break;
            case 1:
                b[i] = static_cast<std::uint8_t>((i / 300) * 7);
                break;
            case 2:
                b[i] = static_cast<std::uint8_t>("abcab "[random() % 6]);
                break;
            default:
                b[i] = static_cast<std::uint8_t>(i % 3 == 0 ? i / 7 : (random() % 4) + (i & 0x3F));
                break;
        }
    }
    return b;
}

TEST(Inflate, EveryLevelAndStrategyComesBackExactly) {
    const unsigned seed = 20240611;
    std::mt19937 random(seed);
    const int strategies[] = {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_HUFFMAN_ONLY, Z_RLE, Z_FIXED};
    for (const std::size_t size : {0u, 1u, 7u, 258u, 4096u, 70000u}) {
        for (int kind = 0; kind < 4; ++kind) {
            const Bytes raw = Sample(kind, size, random);
            for (int level = 0; level <= 9; ++level) {
                for (const int strategy : strategies) {
                    const Bytes packed = Pack(raw, level, strategy);
                    Bytes out(raw.size());
                    ASSERT_EQ(InflateZlib(packed, out), InflateStatus::kOk)
                        << "seed " << seed << " size " << size << " kind " << kind << " level " << level << " strategy "
                        << strategy;
                    ASSERT_EQ(out, raw);
                }
            }
        }
    }
}

// Streams ending in literals (noise) and in long matches (runs), each cut short by a byte, by
// less than one match and by more, and one byte too long: the end is met inside a literal run, a
// match and the careful last steps alike.
TEST(Inflate, AnOutputOfAnotherSizeIsRefused) {
    std::mt19937 random(7);
    for (const int kind : {0, 1, 3}) {
        const Bytes raw = Sample(kind, 5000, random);
        const Bytes packed = Pack(raw, 6, Z_DEFAULT_STRATEGY);
        for (const std::size_t size :
             {std::size_t{0}, raw.size() - 1, raw.size() - 100, raw.size() - 1000, raw.size() + 1, raw.size() + 300}) {
            Bytes out(size);
            EXPECT_EQ(InflateZlib(packed, out), InflateStatus::kWrongSize) << "kind " << kind << " size " << size;
        }
    }
}

// A small alphabet written as literals only has codes short enough for two in one table entry:
// the last pair must end the output exactly, and one byte less room must be refused, wherever
// the end falls (the careful last steps near the output's end included).
TEST(Inflate, PairedLiteralsEndExactlyWithTheOutput) {
    std::mt19937 random(2026);
    for (std::size_t size = 1; size <= 80; ++size) {
        const Bytes raw = Sample(2, size, random);
        const Bytes packed = Pack(raw, 6, Z_HUFFMAN_ONLY);
        Bytes out(size);
        ASSERT_EQ(InflateZlib(packed, out), InflateStatus::kOk) << "size " << size;
        ASSERT_EQ(out, raw) << "size " << size;
        Bytes shorter(size - 1), longer(size + 1);
        EXPECT_EQ(InflateZlib(packed, shorter), InflateStatus::kWrongSize) << "size " << size;
        EXPECT_EQ(InflateZlib(packed, longer), InflateStatus::kWrongSize) << "size " << size;
    }
}

// Flipped bits, changed bytes and every cut: whatever the inflater takes, zlib takes the same.
TEST(Inflate, NeverTakesAStreamZlibRefuses) {
    const unsigned seed = 99;
    std::mt19937 random(seed);
    int refused = 0;
    for (int round = 0; round < 3000; ++round) {
        const int kind = round % 4;
        const Bytes raw = Sample(kind, 1 + random() % 3000, random);
        Bytes packed = Pack(raw, static_cast<int>(random() % 10), round % 3 == 0 ? Z_FIXED : Z_DEFAULT_STRATEGY);
        const int edit = static_cast<int>(random() % 3);
        if (edit == 0) {
            packed[random() % packed.size()] ^= static_cast<std::uint8_t>(1u << (random() % 8));
        } else if (edit == 1) {
            packed[random() % packed.size()] = static_cast<std::uint8_t>(random());
        } else {
            packed.resize(random() % packed.size());
        }
        Bytes ours(raw.size());
        Bytes theirs;
        const bool zlibTakes = ZlibTakes(packed, raw.size(), theirs);
        const InflateStatus status = InflateZlib(packed, ours);
        if (status == InflateStatus::kOk) {
            ASSERT_TRUE(zlibTakes) << "seed " << seed << " round " << round;
            ASSERT_EQ(ours, theirs) << "seed " << seed << " round " << round;
        } else {
            ++refused;
        }
    }
    EXPECT_GT(refused, 1000);
}

}  // namespace
}  // namespace zindra
