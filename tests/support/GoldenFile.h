// Golden pictures kept as PNG files in tests/golden: read back, compared, and (re)written when
// ZINDRA_UPDATE_GOLDEN=1 is set, so a changed look is one run away from a new golden that can be
// looked at before it is committed.
#pragma once

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "unit/framework/GoldenImage.h"

namespace zindra::golden {

// Reads what WritePng writes (8-bit RGBA, no interlace, filter type 0 on every row); anything
// else is not a golden of ours and reads as nothing.
inline std::optional<Bitmap32> ReadPng(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)), {});
    if (file.size() < 8 + 25) return std::nullopt;
    auto be32 = [&](std::size_t at) {
        return std::uint32_t{file[at]} << 24 | std::uint32_t{file[at + 1]} << 16 | std::uint32_t{file[at + 2]} << 8 |
               file[at + 3];
    };
    std::uint32_t width = 0, height = 0;
    std::vector<unsigned char> packed;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::uint32_t length = be32(at);
        if (length > file.size() - at - 12) return std::nullopt;
        const std::string type(file.begin() + static_cast<long>(at) + 4, file.begin() + static_cast<long>(at) + 8);
        const auto data = file.begin() + static_cast<long>(at) + 8;
        if (type == "IHDR") {
            width = be32(at + 8);
            height = be32(at + 12);
            if (length != 13 || data[8] != 8 || data[9] != 6 || data[12] != 0 || width > 4096 || height > 4096) {
                return std::nullopt;
            }
        }
        if (type == "IDAT") packed.insert(packed.end(), data, data + length);
        at += 12 + length;
    }
    std::vector<unsigned char> raw(static_cast<std::size_t>(height) * (width * 4 + 1));
    uLongf rawSize = static_cast<uLongf>(raw.size());
    if (width == 0 || uncompress(raw.data(), &rawSize, packed.data(), static_cast<uLong>(packed.size())) != Z_OK ||
        rawSize != raw.size()) {
        return std::nullopt;
    }
    Bitmap32 b(static_cast<int>(width), static_cast<int>(height));
    for (int y = 0; y < b.Height(); ++y) {
        const unsigned char* row = raw.data() + static_cast<std::size_t>(y) * (width * 4 + 1);
        if (row[0] != 0) return std::nullopt;
        for (int x = 0; x < b.Width(); ++x) {
            const unsigned char* p = row + 1 + 4 * x;
            b.At(x, y) = MakePixel(p[0], p[1], p[2], p[3]);
        }
    }
    return b;
}

// Compares with tests/golden/<name>.png.
inline ::testing::AssertionResult MatchesGoldenFile(const Bitmap32& actual, const std::string& name) {
    const std::filesystem::path path = std::filesystem::path(ZINDRA_SOURCE_DIR) / "tests" / "golden" / (name + ".png");
    const char* update = std::getenv("ZINDRA_UPDATE_GOLDEN");
    if (update != nullptr && std::strcmp(update, "1") == 0) {
        WritePng(path, actual);
        return ::testing::AssertionSuccess();
    }
    const std::optional<Bitmap32> expected = ReadPng(path);
    if (!expected) {
        return ::testing::AssertionFailure()
               << "no golden picture " << path.string() << " (ZINDRA_UPDATE_GOLDEN=1 writes it)";
    }
    return MatchesGolden(actual, *expected, name);
}

}  // namespace zindra::golden
