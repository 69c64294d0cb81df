// Golden-image helpers for pixel tests: pictures drawn as text, and PNG files of a mismatch.
#pragma once

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap32.h"

namespace zindra::golden {

// A picture as rows of text: '#' is ink, anything else background.
inline Bitmap32 FromArt(const std::vector<std::string>& rows, Pixel ink, Pixel background) {
    Bitmap32 b(static_cast<int>(rows.empty() ? 0 : rows[0].size()), static_cast<int>(rows.size()), background);
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) {
            if (rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#') b.At(x, y) = ink;
        }
    }
    return b;
}

inline std::string ToArt(const Bitmap32& b, Pixel ink) {
    std::string s;
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x)
            s += b.At(x, y) == ink ? '#' : '.';
        s += '\n';
    }
    return s;
}

// Writes an 8-bit RGBA PNG (stored with zlib's default compression).
inline void WritePng(const std::filesystem::path& path, const Bitmap32& b) {
    std::vector<unsigned char> raw;
    for (int y = 0; y < b.Height(); ++y) {
        raw.push_back(0);  // filter type None
        for (int x = 0; x < b.Width(); ++x) {
            const Pixel p = b.At(x, y);
            raw.insert(raw.end(), {PixelR(p), PixelG(p), PixelB(p), PixelA(p)});
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<unsigned char> packed(packedSize);
    compress(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()));
    packed.resize(packedSize);
    std::FILE* f = std::fopen(path.string().c_str(), "wb");
    if (f == nullptr) return;
    auto be32 = [](std::vector<unsigned char>& v, std::uint32_t n) {
        v.insert(v.end(), {static_cast<unsigned char>(n >> 24), static_cast<unsigned char>(n >> 16),
                           static_cast<unsigned char>(n >> 8), static_cast<unsigned char>(n)});
    };
    auto chunk = [&](const char* type, const std::vector<unsigned char>& data) {
        std::vector<unsigned char> c;
        be32(c, static_cast<std::uint32_t>(data.size()));
        c.insert(c.end(), type, type + 4);
        c.insert(c.end(), data.begin(), data.end());
        be32(c, static_cast<std::uint32_t>(crc32(0, c.data() + 4, static_cast<uInt>(c.size() - 4))));
        std::fwrite(c.data(), 1, c.size(), f);
    };
    static const unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::fwrite(kSignature, 1, sizeof kSignature, f);
    std::vector<unsigned char> header;
    be32(header, static_cast<std::uint32_t>(b.Width()));
    be32(header, static_cast<std::uint32_t>(b.Height()));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
    chunk("IHDR", header);
    chunk("IDAT", packed);
    chunk("IEND", {});
    std::fclose(f);
}

// Compares with a golden picture; on a mismatch writes <name>.actual.png, .expected.png and
// .diff.png (red where they differ) into the build folder's golden-failures.
inline ::testing::AssertionResult MatchesGolden(const Bitmap32& actual, const Bitmap32& expected,
                                                const std::string& name) {
    if (actual == expected) return ::testing::AssertionSuccess();
    const std::filesystem::path dir = std::filesystem::path(ZINDRA_BINARY_DIR) / "golden-failures";
    std::filesystem::create_directories(dir);
    Bitmap32 diff(std::max(actual.Width(), expected.Width()), std::max(actual.Height(), expected.Height()),
                  MakePixel(0, 0, 0));
    for (int y = 0; y < diff.Height(); ++y) {
        for (int x = 0; x < diff.Width(); ++x) {
            const bool inA = x < actual.Width() && y < actual.Height();
            const bool inE = x < expected.Width() && y < expected.Height();
            const bool same = inA && inE && actual.At(x, y) == expected.At(x, y);
            diff.At(x, y) = same ? MakePixel(40, 40, 40) : MakePixel(255, 0, 0);
        }
    }
    WritePng(dir / (name + ".actual.png"), actual);
    WritePng(dir / (name + ".expected.png"), expected);
    WritePng(dir / (name + ".diff.png"), diff);
    return ::testing::AssertionFailure() << name << " differs from its golden picture; see " << dir.string();
}

}  // namespace zindra::golden
