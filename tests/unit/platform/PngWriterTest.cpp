// PNG writing, checked by a small independent reader: signature, chunk CRCs, IHDR, filters, pixels.
#include "platform/sim/PngWriter.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace zindra::platform::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Png {
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    Bytes Header;   // bit depth, colour type, compression, filter, interlace
    Bytes Filters;  // filter type of each row
    Bytes Samples;  // unfiltered rows, packed
    int IdatCount = 0;
};

[[noreturn]] void Bad(const std::string& why) {
    throw std::runtime_error(why);
}

std::uint32_t U32(const Bytes& b, std::size_t at) {
    if (at + 4 > b.size()) Bad("read past the end");
    return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 | std::uint32_t{b[at + 2]} << 8 | b[at + 3];
}

Bytes Inflate(const Bytes& compressed, std::size_t expected) {
    Bytes out(expected + 1);
    z_stream z{};
    if (inflateInit(&z) != Z_OK) Bad("inflateInit");
    z.next_in = const_cast<Bytef*>(compressed.data());
    z.avail_in = static_cast<uInt>(compressed.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const int status = inflate(&z, Z_FINISH);
    const std::size_t produced = out.size() - z.avail_out;
    const uInt left = z.avail_in;
    inflateEnd(&z);
    if (status != Z_STREAM_END) Bad("zlib stream incomplete or corrupt: " + std::to_string(status));
    if (left != 0) Bad("bytes after the zlib stream");
    if (produced != expected)
        Bad("inflated " + std::to_string(produced) + " bytes, expected " + std::to_string(expected));
    out.resize(produced);
    return out;
}

int PaethOf(int a, int b, int c) {
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

void Unfilter(Png& png, const Bytes& raw, std::size_t pixelBytes) {
    const std::size_t rowBytes = png.Width * pixelBytes;
    Bytes prior(rowBytes, 0);
    for (std::size_t y = 0; y < png.Height; ++y) {
        const std::uint8_t* in = raw.data() + y * (rowBytes + 1);
        png.Filters.push_back(in[0]);
        Bytes row(rowBytes);
        for (std::size_t i = 0; i < rowBytes; ++i) {
            const int a = i >= pixelBytes ? row[i - pixelBytes] : 0, b = prior[i];
            const int c = i >= pixelBytes ? prior[i - pixelBytes] : 0;
            const int predictions[5] = {0, a, b, (a + b) / 2, PaethOf(a, b, c)};
            if (in[0] > 4) Bad("filter type " + std::to_string(in[0]));
            row[i] = static_cast<std::uint8_t>(in[i + 1] + predictions[in[0]]);
        }
        png.Samples.insert(png.Samples.end(), row.begin(), row.end());
        prior = row;
    }
}

// Accepts only what a strict decoder accepts: signature, IHDR first, CRCs, one run of IDAT, IEND last.
Png ReadPng(const Bytes& file) {
    const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || !std::equal(signature.begin(), signature.end(), file.begin())) Bad("signature");
    Png png;
    Bytes idat;
    std::string previous;
    std::size_t at = 8;
    for (;;) {
        const std::uint32_t length = U32(file, at);
        if (at + 12 + length > file.size()) Bad("chunk past the end");
        const std::string type(file.begin() + static_cast<long>(at) + 4, file.begin() + static_cast<long>(at) + 8);
        const std::uint8_t* data = file.data() + at + 8;
        const uLong crc = crc32(crc32(0, Z_NULL, 0), file.data() + at + 4, length + 4);
        if (crc != U32(file, at + 8 + length)) Bad("CRC of " + type);
        if (previous.empty() && (type != "IHDR" || length != 13)) Bad("IHDR must come first with 13 bytes");
        if (type == "IHDR") {
            png.Width = U32(file, at + 8);
            png.Height = U32(file, at + 12);
            png.Header.assign(data + 8, data + 13);
        } else if (type == "IDAT") {
            if (png.IdatCount > 0 && previous != "IDAT") Bad("IDAT chunks not consecutive");
            idat.insert(idat.end(), data, data + length);
            ++png.IdatCount;
        } else if (type == "IEND") {
            if (length != 0 || at + 12 != file.size()) Bad("IEND not empty or not last");
            break;
        } else {
            Bad("unexpected chunk " + type);
        }
        previous = type;
        at += 12 + length;
    }
    const std::size_t pixelBytes = png.Header.at(1) == 6 ? 4 : 3;
    Unfilter(png, Inflate(idat, png.Height * (1 + png.Width * pixelBytes)), pixelBytes);
    return png;
}

// The samples the view should have become: R, G, B and, with alpha, A.
Bytes SamplesOf(const PixelView& view, bool withAlpha) {
    Bytes out;
    for (int y = 0; y < view.Height; ++y) {
        for (int x = 0; x < view.Width; ++x) {
            const Pixel p = view.Row(y)[x];
            out.insert(out.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p)});
            if (withAlpha) out.push_back(std::uint8_t(p >> 24));
        }
    }
    return out;
}

Png RoundTrip(const PixelView& view, bool withAlpha) {
    const Png png = ReadPng(EncodePng(view, withAlpha));
    EXPECT_EQ(png.Width, static_cast<std::uint32_t>(view.Width));
    EXPECT_EQ(png.Height, static_cast<std::uint32_t>(view.Height));
    EXPECT_EQ(png.Header, (Bytes{8, std::uint8_t(withAlpha ? 6 : 2), 0, 0, 0}));
    EXPECT_TRUE(png.Samples == SamplesOf(view, withAlpha)) << view.Width << "x" << view.Height;
    return png;
}

// Something like a desktop: a gradient wallpaper, flat windows, and a noisy picture in one of them.
PixelFrame Desktop(std::uint32_t seed) {
    PixelFrame frame(1024, 768);
    std::mt19937 random(seed);
    for (int y = 0; y < 768; ++y) {
        for (int x = 0; x < 1024; ++x) {
            Pixel p = 0xFF000000u | static_cast<Pixel>(y / 3) << 8 | static_cast<Pixel>(x / 4);
            if (x > 100 && x < 600 && y > 80 && y < 500) p = 0xFFC0C0C0u;
            if (x > 150 && x < 400 && y > 120 && y < 300) p = 0xFF000000u | (random() & 0xFFFFFF);
            frame.At(x, y) = p;
        }
    }
    return frame;
}

TEST(PngWriter, DesktopFrameRoundTripsExactly) {
    const PixelFrame frame = Desktop(1);
    const Bytes file = EncodePng(frame.View(), false);
    EXPECT_LT(file.size(), 1024u * 768 * 3 / 4);
    const Png png = RoundTrip(frame.View(), false);
    EXPECT_GT(png.IdatCount, 0);
}

TEST(PngWriter, NoiseSpansSeveralIdatChunks) {
    PixelFrame frame(400, 300);
    std::mt19937 random(2);
    for (Pixel& p : frame.Pixels)
        p = static_cast<Pixel>(random());
    EXPECT_GE(RoundTrip(frame.View(), true).IdatCount, 2);
    EXPECT_GE(RoundTrip(frame.View(), false).IdatCount, 2);
}

TEST(PngWriter, AlphaIsStraightAndDroppedOnlyOnRequest) {
    PixelFrame frame(3, 1);
    frame.At(0, 0) = 0x00123456u;  // colour under alpha 0 is kept
    frame.At(1, 0) = 0x80FF0000u;
    frame.At(2, 0) = 0xFF00FF00u;
    EXPECT_EQ(RoundTrip(frame.View(), true).Samples, (Bytes{0x12, 0x34, 0x56, 0, 255, 0, 0, 0x80, 0, 255, 0, 255}));
    EXPECT_EQ(RoundTrip(frame.View(), false).Samples, (Bytes{0x12, 0x34, 0x56, 255, 0, 0, 0, 255, 0}));
}

TEST(PngWriter, ViewWithStrideReadsOnlyItsRectangle) {
    PixelFrame frame(10, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 10; ++x)
            frame.At(x, y) = 0xFF000000u | static_cast<Pixel>(y * 16 + x);
    }
    const PixelView view{&frame.At(2, 1), 3, 2, 10};
    EXPECT_EQ(RoundTrip(view, false).Samples, (Bytes{0, 0, 18, 0, 0, 19, 0, 0, 20, 0, 0, 34, 0, 0, 35, 0, 0, 36}));
}

TEST(PngWriter, SmallestPictures) {
    for (auto [w, h] : {std::pair{1, 1}, std::pair{1, 7}, std::pair{7, 1}}) {
        PixelFrame frame(w, h);
        for (std::size_t i = 0; i < frame.Pixels.size(); ++i)
            frame.Pixels[i] = 0x7F000000u | (0x405060u * (i + 1));
        RoundTrip(frame.View(), true);
        RoundTrip(frame.View(), false);
    }
}

// Builds rows byte by byte (RGB), each made so that exactly one filter turns it into zeros.
TEST(PngWriter, EachRowGetsTheFilterWithTheLeastSum) {
    constexpr int kWidth = 16, kBytes = kWidth * 3;
    std::mt19937 random(3);
    std::vector<Bytes> rows;
    auto noise = [&] {
        Bytes row(kBytes);
        for (auto& b : row)
            b = static_cast<std::uint8_t>(random());
        return row;
    };
    // The row the filter predicts from the previous one. Paeth would copy the row above from a
    // first pixel equal to it, so that pixel is set apart and costs Paeth a little.
    auto predicted = [&](int type) {
        const Bytes& prior = rows.back();
        Bytes row(kBytes);
        for (int i = 0; i < kBytes; ++i) {
            if (type == 4 && i < 3) {
                row[i] = static_cast<std::uint8_t>(prior[i] + 100);
                continue;
            }
            const int a = i >= 3 ? row[i - 3] : 0, b = prior[i], c = i >= 3 ? prior[i - 3] : 0;
            row[i] = static_cast<std::uint8_t>(type == 3 ? (a + b) / 2 : PaethOf(a, b, c));
        }
        return row;
    };
    rows.push_back(noise());
    rows.push_back(Bytes(kBytes, 0));  // None: already zero
    rows.push_back(noise());
    rows.push_back(Bytes(kBytes, 1));  // Sub: all zero after the first pixel
    rows.push_back(noise());
    rows.push_back(rows.back());   // Up
    rows.push_back(predicted(3));  // Average
    rows.push_back(noise());
    rows.push_back(predicted(4));  // Paeth
    PixelFrame frame(kWidth, static_cast<int>(rows.size()));
    for (int y = 0; y < frame.Height; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint8_t* s = rows[y].data() + 3 * x;
            frame.At(x, y) = 0xFF000000u | Pixel{s[0]} << 16 | Pixel{s[1]} << 8 | s[2];
        }
    }
    const Png png = RoundTrip(frame.View(), false);
    for (auto [row, type] : {std::pair{1, 0}, std::pair{3, 1}, std::pair{5, 2}, std::pair{6, 3}, std::pair{8, 4}}) {
        EXPECT_EQ(png.Filters.at(row), type) << "row " << row;
    }
}

TEST(PngWriter, TiesGoToTheLowerFilterType) {
    // A flat picture: Sub wins the first row (no row above); below it Up and Paeth both give
    // zeros, and Up is the lower type.
    const PixelFrame frame(5, 3, 0xFF203040u);
    EXPECT_EQ(RoundTrip(frame.View(), false).Filters, (Bytes{1, 2, 2}));
}

TEST(PngWriter, RejectsEmptyOrInconsistentViews) {
    const PixelFrame frame(4, 4);
    EXPECT_THROW(EncodePng(PixelView{}, false), std::invalid_argument);
    EXPECT_THROW(EncodePng(PixelView{frame.Pixels.data(), 0, 4, 4}, false), std::invalid_argument);
    EXPECT_THROW(EncodePng(PixelView{frame.Pixels.data(), 4, 0, 4}, false), std::invalid_argument);
    EXPECT_THROW(EncodePng(PixelView{frame.Pixels.data(), 4, 4, 3}, false), std::invalid_argument);
}

}  // namespace
}  // namespace zindra::platform::sim
