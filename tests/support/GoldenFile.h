// Golden pictures kept as PNG files under tests/golden: compared pixel for pixel, with the actual,
// expected and difference pictures written into the build folder on a mismatch. Setting
// ZINDRA_UPDATE_GOLDEN=1 writes the actual picture as the new golden one (and fails, so a run
// that rewrote pictures is never taken for a pass); look at it before committing it.
#pragma once

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "unit/framework/GoldenImage.h"

namespace zindra::golden {

// An 8-bit RGBA or RGB PNG without interlacing, as WritePng and most tools write it; an empty
// bitmap when the file is missing or not of that kind.
inline Bitmap32 ReadPng(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> f((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto be32 = [&f](std::size_t at) {
        return std::uint32_t{f[at]} << 24 | std::uint32_t{f[at + 1]} << 16 | std::uint32_t{f[at + 2]} << 8 | f[at + 3];
    };
    std::uint32_t width = 0, height = 0, channels = 0;
    std::vector<unsigned char> packed;
    for (std::size_t at = 8; at + 12 <= f.size();) {
        const std::uint32_t length = be32(at);
        if (at + 12 + length > f.size()) return {};
        const std::string type(f.begin() + static_cast<long>(at) + 4, f.begin() + static_cast<long>(at) + 8);
        if (type == "IHDR") {
            width = be32(at + 8);
            height = be32(at + 12);
            if (f[at + 16] != 8 || f[at + 20] != 0 || (f[at + 17] != 6 && f[at + 17] != 2)) return {};
            channels = f[at + 17] == 6 ? 4 : 3;
        }
        if (type == "IDAT")
            packed.insert(packed.end(), f.begin() + static_cast<long>(at) + 8,
                          f.begin() + static_cast<long>(at) + 8 + length);
        at += 12 + length;
    }
    if (channels == 0 || width == 0 || height == 0 || width > 4096 || height > 4096) return {};
    const std::size_t stride = width * channels;
    std::vector<unsigned char> raw(height * (stride + 1));
    uLongf size = static_cast<uLongf>(raw.size());
    if (uncompress(raw.data(), &size, packed.data(), static_cast<uLong>(packed.size())) != Z_OK || size != raw.size())
        return {};
    Bitmap32 b(static_cast<int>(width), static_cast<int>(height));
    std::vector<unsigned char> prior(stride, 0), row(stride);
    for (std::uint32_t y = 0; y < height; ++y) {
        const unsigned char* line = raw.data() + y * (stride + 1);
        for (std::size_t i = 0; i < stride; ++i) {
            const int a = i >= channels ? row[i - channels] : 0, up = prior[i],
                      c = i >= channels ? prior[i - channels] : 0;
            const int p = a + up - c, pa = std::abs(p - a), pb = std::abs(p - up), pc = std::abs(p - c);
            const int paeth = pa <= pb && pa <= pc ? a : pb <= pc ? up : c;
            const int predictions[5] = {0, a, up, (a + up) / 2, paeth};
            row[i] = static_cast<unsigned char>(line[1 + i] + predictions[line[0] % 5]);
        }
        for (std::uint32_t x = 0; x < width; ++x) {
            const unsigned char* s = row.data() + x * channels;
            b.At(static_cast<int>(x), static_cast<int>(y)) = MakePixel(s[0], s[1], s[2], channels == 4 ? s[3] : 255);
        }
        prior = row;
    }
    return b;
}

inline ::testing::AssertionResult MatchesGoldenFile(const Bitmap32& actual, const std::string& name) {
    const std::string path = std::string(ZINDRA_SOURCE_DIR) + "/tests/golden/" + name + ".png";
    const char* update = std::getenv("ZINDRA_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        WritePng(path, actual);
        return ::testing::AssertionFailure() << "wrote " << path << "; look at it, then run again without "
                                             << "ZINDRA_UPDATE_GOLDEN";
    }
    const Bitmap32 expected = ReadPng(path);
    if (expected.Empty()) {
        const std::filesystem::path dir = std::filesystem::path(ZINDRA_BINARY_DIR) / "golden-failures";
        std::filesystem::create_directories(dir);
        WritePng(dir / (name + ".actual.png"), actual);
        return ::testing::AssertionFailure() << "no golden picture " << path;
    }
    return MatchesGolden(actual, expected, name);
}

}  // namespace zindra::golden
