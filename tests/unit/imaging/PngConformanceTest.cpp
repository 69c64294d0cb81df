// Every PngSuite and libpng test image decodes to the storage the picture class promises:
// libpng reads the raw samples, and the storage, gamma and colour-table rules are applied to
// them here, pixel by pixel; both decoding ways (in one piece and row by row) must agree.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <csetjmp>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/Exception.h"
#include "imaging/PngGraphic.h"
#include "unit/imaging/PngFiles.h"

namespace zindra {
namespace {

namespace fs = std::filesystem;
using pngtest::Bytes;

struct Raw {
    png_uint_32 Width = 0, Height = 0;
    int Depth = 0, Colour = 0, Interlace = 0;
    std::vector<Bytes> Rows;
    png_fixed_point Gamma = 0;  // 0: no gAMA chunk
    std::vector<png_color> Palette;
};

struct Reader {
    const Bytes* bytes;
    std::size_t at = 8;
};

// libpng with no transformation but the de-interlacing: samples as the file holds them.
bool ReadWithLibpng(const Bytes& file, Raw& raw) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    Reader reader{&file};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &reader, [](png_structp p, png_bytep out, png_size_t n) {
        auto* r = static_cast<Reader*>(png_get_io_ptr(p));
        if (r->at + n > r->bytes->size()) png_error(p, "short");
        std::copy_n(r->bytes->data() + r->at, n, out);
        r->at += n;
    });
    png_set_sig_bytes(png, 8);
    png_read_info(png, info);
    png_get_IHDR(png, info, &raw.Width, &raw.Height, &raw.Depth, &raw.Colour, &raw.Interlace, nullptr, nullptr);
    if (png_get_valid(png, info, PNG_INFO_gAMA)) png_get_gAMA_fixed(png, info, &raw.Gamma);
    png_colorp palette = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &palette, &count)) raw.Palette.assign(palette, palette + count);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    raw.Rows.assign(raw.Height, Bytes(png_get_rowbytes(png, info)));
    std::vector<png_bytep> rows;
    for (Bytes& r : raw.Rows)
        rows.push_back(r.data());
    png_read_image(png, rows.data());
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

int Sample(const Raw& raw, std::uint32_t y, std::uint32_t x, int channel, int channels) {
    const Bytes& row = raw.Rows[y];
    const std::size_t index = std::size_t{x} * static_cast<std::size_t>(channels) + static_cast<std::size_t>(channel);
    if (raw.Depth == 16) return row[2 * index];  // the high byte is all the storage keeps
    if (raw.Depth == 8) return row[index];
    const std::size_t bit = index * static_cast<std::size_t>(raw.Depth);
    return (row[bit / 8] >> (8 - raw.Depth - bit % 8)) & ((1 << raw.Depth) - 1);
}

std::array<std::uint8_t, 256> ExpectedGamma(png_fixed_point value) {
    std::array<std::uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i) {
        const double g = value == 0 ? i : std::nearbyint(255.0 * std::pow(i / 255.0, 1.0 / (value / 100000.0 * 2.2)));
        table[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(g);
    }
    return table;
}

Bytes ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<fs::path> CorpusFiles() {
    std::vector<fs::path> files;
    for (const char* dir : {"pngsuite", "pngsuite/interlaced", "testpngs"}) {
        for (const auto& entry : fs::directory_iterator(fs::path(ZINDRA_SOURCE_DIR) / "tests/data/png" / dir)) {
            if (entry.path().extension() == ".png") files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The storage of png against the raw samples; the first difference as a readable failure.
::testing::AssertionResult MatchesRaw(const TPngGraphic& png, const Raw& raw) {
    const TChunkIHDR& h = png.Header();
    const auto gamma = ExpectedGamma(raw.Gamma);
    if (png.GammaTable() != gamma) return ::testing::AssertionFailure() << "gamma table differs";
    const int channels = raw.Colour == 2 ? 3 : raw.Colour == 6 ? 4 : raw.Colour == 4 ? 2 : 1;
    const int n = 1 << h.StoredBits();
    for (int k = 0; k < n && (raw.Colour == 0 || raw.Colour == 4); ++k) {
        const std::uint8_t g = gamma[static_cast<std::size_t>((k * 255 + (n - 1) / 2) / (n - 1))];
        if (!(h.ColourTable()[static_cast<std::size_t>(k)] == RgbQuad{g, g, g, 0})) {
            return ::testing::AssertionFailure() << "grey ramp entry " << k;
        }
    }
    for (std::size_t k = 0; k < raw.Palette.size(); ++k) {
        const png_color& c = raw.Palette[k];
        if (!(h.ColourTable()[k] == RgbQuad{gamma[c.blue], gamma[c.green], gamma[c.red], 0})) {
            return ::testing::AssertionFailure() << "palette entry " << k;
        }
    }
    for (std::uint32_t y = 0; y < raw.Height; ++y) {
        const std::uint8_t* row = h.StoredRow(y);
        for (std::uint32_t x = 0; x < raw.Width; ++x) {
            auto s = [&](int c) { return Sample(raw, y, x, c, channels); };
            bool same = true;
            if (raw.Colour == 2 || raw.Colour == 6) {
                same = row[3 * x] == gamma[static_cast<std::size_t>(s(2))] &&
                       row[3 * x + 1] == gamma[static_cast<std::size_t>(s(1))] &&
                       row[3 * x + 2] == gamma[static_cast<std::size_t>(s(0))];
            } else {
                const int stored = raw.Depth == 2 && raw.Colour == 0 ? 5 * s(0) : s(0);
                same = StoredIndex(h, row, x) == stored;
            }
            if (raw.Colour == 4 || raw.Colour == 6) {
                same = same && h.AlphaPlane()[std::size_t{y} * raw.Width + x] == s(channels - 1);
            }
            if (!same) return ::testing::AssertionFailure() << "pixel " << x << "," << y << " differs";
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(PngConformance, EveryCorpusImageDecodesToItsSamplesBothWays) {
    const auto files = CorpusFiles();
    ASSERT_GT(files.size(), 150u);
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        const Bytes bytes = ReadFile(file);
        Raw raw;
        ASSERT_TRUE(ReadWithLibpng(bytes, raw));
        for (const bool rowByRow : {false, true}) {
            TPngGraphic png;
            pngtest::Load(png, bytes, rowByRow);
            EXPECT_EQ(png.Header().Width, raw.Width);
            EXPECT_EQ(png.InterlaceMethod(), raw.Interlace);
            EXPECT_TRUE(MatchesRaw(png, raw)) << (rowByRow ? "row by row" : "in one piece");
        }
    }
}

TEST(PngConformance, EveryCorpusImageSurvivesSavingAndLoadingAgain) {
    for (const fs::path& file : CorpusFiles()) {
        SCOPED_TRACE(file.filename().string());
        TPngGraphic png;
        pngtest::Load(png, ReadFile(file));
        const Bytes saved = png.SaveToBytes();
        TPngGraphic again;
        pngtest::Load(again, saved);
        const TChunkIHDR& a = png.Header();
        const TChunkIHDR& b = again.Header();
        ASSERT_EQ(a.BytesPerRow() * a.Height, b.BytesPerRow() * b.Height);
        EXPECT_EQ(0, std::memcmp(a.Bits(), b.Bits(), a.BytesPerRow() * a.Height));
        if (a.AlphaPlane()) {
            EXPECT_EQ(0, std::memcmp(a.AlphaPlane(), b.AlphaPlane(), std::size_t{a.Width} * a.Height));
        }
        EXPECT_TRUE(a.ColourTable() == b.ColourTable());
        // What libpng reads back must be the same image as well.
        Raw raw;
        EXPECT_TRUE(ReadWithLibpng(saved, raw));
    }
}

// The crashers of libpng's tests: broken and oversized chunks. Each either loads or raises one
// of the PNG exceptions; nothing else may happen.
TEST(PngConformance, BrokenFilesLoadOrRaiseAPngException) {
    const fs::path dir = fs::path(ZINDRA_SOURCE_DIR) / "tests/data/png/testpngs/crashers";
    int files = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        SCOPED_TRACE(entry.path().filename().string());
        ++files;
        TPngGraphic png;
        try {
            pngtest::Load(png, ReadFile(entry.path()));
        } catch (const Exception& e) {
            EXPECT_EQ(std::string(e.ClassName()).rfind("EPng", 0), 0u) << e.ClassName();
        }
    }
    EXPECT_GT(files, 20);
}

}  // namespace
}  // namespace zindra
