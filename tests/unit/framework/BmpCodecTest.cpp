// BMP decoding from hand-built files of every depth and layout, must-fail files, and round trips.
#include "framework/graphics/BmpCodec.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "framework/Exception.h"
#include "platform/ByteOrder.h"

namespace zindra {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr const char* kInvalid = "Bitmap image is not valid";

using platform::PutLe16;
using platform::PutLe32;
void Set32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A 40-byte info header, or a longer one (52, 56, 108, 124) zero-filled past the first 40 bytes.
Bytes Info(std::int32_t width, std::int32_t height, int bpp, std::uint32_t compression = 0,
           std::uint32_t colorsUsed = 0, std::uint32_t size = 40) {
    Bytes b;
    PutLe32(b, size);
    PutLe32(b, static_cast<std::uint32_t>(width));
    PutLe32(b, static_cast<std::uint32_t>(height));
    PutLe16(b, 1);
    PutLe16(b, static_cast<std::uint32_t>(bpp));
    PutLe32(b, compression);
    for (int i = 0; i < 3; ++i)
        PutLe32(b, 0);  // image size, resolution
    PutLe32(b, colorsUsed);
    PutLe32(b, 0);
    b.resize(size, 0);
    return b;
}

Bytes Core(int width, int height, int bpp) {
    Bytes b;
    PutLe32(b, 12);
    PutLe16(b, static_cast<std::uint32_t>(width));
    PutLe16(b, static_cast<std::uint32_t>(height));
    PutLe16(b, 1);
    PutLe16(b, static_cast<std::uint32_t>(bpp));
    return b;
}

// File header + DIB header + table (colours or masks) + pixels, the pixel offset right after the table.
Bytes File(const Bytes& dib, const Bytes& table, const Bytes& pixels) {
    Bytes b = {'B', 'M'};
    PutLe32(b, static_cast<std::uint32_t>(14 + dib.size() + table.size() + pixels.size()));
    PutLe32(b, 0);
    PutLe32(b, static_cast<std::uint32_t>(14 + dib.size() + table.size()));
    for (const Bytes* part : {&dib, &table, &pixels})
        b.insert(b.end(), part->begin(), part->end());
    return b;
}

std::string ErrorOf(const Bytes& data) {
    try {
        DecodeBmp(data);
    } catch (const EInvalidGraphic& e) {
        return e.what();
    }
    return "(decoded)";
}

// Rows of the picture, top first.
void ExpectRows(const Bitmap32& picture, const std::vector<std::vector<Pixel>>& rows) {
    ASSERT_EQ(picture.Height(), static_cast<int>(rows.size()));
    for (int y = 0; y < picture.Height(); ++y) {
        ASSERT_EQ(picture.Width(), static_cast<int>(rows[y].size()));
        for (int x = 0; x < picture.Width(); ++x)
            EXPECT_EQ(picture.At(x, y), rows[y][x]) << "at " << x << "," << y;
    }
}

const Pixel kBlack = MakePixel(0, 0, 0), kRed = MakePixel(255, 0, 0), kGreen = MakePixel(0, 255, 0),
            kBlue = MakePixel(0, 0, 255), kOrange = MakePixel(255, 128, 0), kWhite = MakePixel(255, 255, 255);
// Colour table entries (B, G, R, reserved) for the colours above; the reserved byte is ignored.
const Bytes kQuads = {0, 0, 0, 9, 0, 0, 255, 9, 0, 255, 0, 0, 255, 0, 0, 0, 0, 128, 255, 0};

TEST(BmpDecode, OneBitBottomUpIgnoresPaddingBits) {
    // Rows of 3 pixels in 4 bytes; bits past the width and the padding are set on purpose.
    const DecodedBmp bmp = DecodeBmp(File(Info(3, 2, 1), Bytes(kQuads.begin(), kQuads.begin() + 8),
                                          {0xBF, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(bmp.BitsPerPixel, 1);
    EXPECT_EQ(bmp.Palette, (std::vector<Pixel>{kBlack, kRed}));
    ExpectRows(bmp.Pixels, {{kBlack, kRed, kRed}, {kRed, kBlack, kRed}});
}

TEST(BmpDecode, FourBitWithShortColourTable) {
    const Bytes table(kQuads.begin(), kQuads.begin() + 12);
    const DecodedBmp bmp = DecodeBmp(File(Info(3, 1, 4, 0, 3), table, {0x12, 0x0F, 0, 0}));
    EXPECT_EQ(bmp.Palette.size(), 3u);
    ExpectRows(bmp.Pixels, {{kRed, kGreen, kBlack}});
    // Index 3 is past the three colours.
    EXPECT_EQ(ErrorOf(File(Info(3, 1, 4, 0, 3), table, {0x13, 0x00, 0, 0})), kInvalid);
}

TEST(BmpDecode, EightBitTopDown) {
    const DecodedBmp bmp = DecodeBmp(File(Info(2, -2, 8, 0, 5), kQuads, {4, 1, 0, 0, 2, 3, 0, 0}));
    ExpectRows(bmp.Pixels, {{kOrange, kRed}, {kGreen, kBlue}});
}

TEST(BmpDecode, CoreHeaderWithTriplesAndTableCutByPixelOffset) {
    // A core header has no colour count: the table ends where the pixels begin, after 2 entries.
    const Bytes triples = {0, 0, 255, 255, 0, 0};
    const DecodedBmp bmp = DecodeBmp(File(Core(3, 2, 8), triples, {0, 1, 1, 0, 1, 0, 0, 0}));
    EXPECT_EQ(bmp.Palette, (std::vector<Pixel>{kRed, kBlue}));
    ExpectRows(bmp.Pixels, {{kBlue, kRed, kRed}, {kRed, kBlue, kBlue}});
}

TEST(BmpDecode, SixteenBitFiveFiveFive) {
    // 0x4210 is 16 of 31 on each channel: 132 after rounding; the top bit is unused.
    Bytes pixels;
    for (std::uint32_t v : {0x7C00u, 0x83E0u, 0x001Fu})
        PutLe16(pixels, v);
    PutLe16(pixels, 0);  // padding
    for (std::uint32_t v : {0x4210u, 0xFFFFu, 0x0000u})
        PutLe16(pixels, v);
    PutLe16(pixels, 0);
    const DecodedBmp bmp = DecodeBmp(File(Info(3, 2, 16), {}, pixels));
    ExpectRows(bmp.Pixels, {{MakePixel(132, 132, 132), kWhite, kBlack}, {kRed, kGreen, kBlue}});
}

TEST(BmpDecode, SixteenBitFiveSixFiveByMasks) {
    Bytes masks;
    for (std::uint32_t m : {0xF800u, 0x07E0u, 0x001Fu})
        PutLe32(masks, m);
    Bytes pixels;
    for (std::uint32_t v : {0xF800u, 0x07E0u, 0x001Fu, 0x0400u})
        PutLe16(pixels, v);
    const DecodedBmp bmp = DecodeBmp(File(Info(4, 1, 16, 3), masks, pixels));
    ExpectRows(bmp.Pixels, {{kRed, kGreen, kBlue, MakePixel(0, 130, 0)}});
}

TEST(BmpDecode, TwentyFourBitBottomUpPadded) {
    const Bytes pixels = {0, 0, 255, 0,   255, 0,   255, 0, 0, 0xEE, 0xEE, 0xEE,  // bottom row, then padding
                          1, 2, 3,   255, 255, 255, 0,   0, 0, 0xEE, 0xEE, 0xEE};
    const DecodedBmp bmp = DecodeBmp(File(Info(3, 2, 24), {}, pixels));
    EXPECT_EQ(bmp.BitsPerPixel, 24);
    EXPECT_TRUE(bmp.Palette.empty());
    ExpectRows(bmp.Pixels, {{MakePixel(3, 2, 1), kWhite, kBlack}, {kRed, kGreen, kBlue}});
}

TEST(BmpDecode, ThirtyTwoBitRgbIgnoresAlphaByte) {
    const DecodedBmp bmp = DecodeBmp(File(Info(2, 1, 32), {}, {0, 0, 255, 0, 10, 20, 30, 0x80}));
    ExpectRows(bmp.Pixels, {{kRed, MakePixel(30, 20, 10)}});
}

TEST(BmpDecode, LongHeadersTakeAlphaFromTheirMask) {
    Bytes v4 = Info(3, 1, 32, 3, 0, 108);
    for (std::uint32_t i = 0; i < 4; ++i)
        Set32(v4, 40 + 4 * i, 0xFF0000u >> (8 * i) | (i == 3 ? 0xFF000000u : 0));
    const Bytes pixels = {0, 0, 255, 0, 10, 20, 30, 0x80, 1, 2, 3, 255};
    ExpectRows(DecodeBmp(File(v4, {}, pixels)).Pixels,
               {{MakePixel(255, 0, 0, 0), MakePixel(30, 20, 10, 0x80), MakePixel(3, 2, 1)}});

    // Byte order R, G, B, A through the masks of a V5 header.
    Bytes v5 = Info(3, 1, 32, 3, 0, 124);
    for (std::uint32_t i = 0; i < 4; ++i)
        Set32(v5, 40 + 4 * i, 0xFFu << (8 * i));
    ExpectRows(DecodeBmp(File(v5, {}, pixels)).Pixels,
               {{MakePixel(0, 0, 255, 0), MakePixel(10, 20, 30, 0x80), MakePixel(1, 2, 3)}});

    // With BI_RGB the masks of a long header mean nothing, even nonsense ones.
    Bytes v3 = Info(1, 1, 24, 0, 0, 56);
    for (std::uint32_t i = 0; i < 4; ++i)
        Set32(v3, 40 + 4 * i, 0xF0F0F0F0u);
    ExpectRows(DecodeBmp(File(v3, {}, {1, 2, 3, 0})).Pixels, {{MakePixel(3, 2, 1)}});
}

TEST(BmpDecode, Rle8RunsLiteralsDeltaAndSkippedPixels) {
    const Bytes rle = {3, 1, 0, 0,               // bottom row: three of colour 1, then end of line
                       0, 3, 2, 1, 2, 0, 1, 2,   // literal 2 1 2 (padded), one of colour 2
                       0, 0,                     // end of line
                       0, 2, 2, 0, 2, 1, 0, 1};  // move right 2, two of colour 1, end of bitmap
    const DecodedBmp bmp = DecodeBmp(File(Info(4, 3, 8, 1, 3), Bytes(kQuads.begin(), kQuads.begin() + 12), rle));
    ExpectRows(bmp.Pixels, {{kBlack, kBlack, kRed, kRed}, {kGreen, kRed, kGreen, kGreen}, {kRed, kRed, kRed, kBlack}});
}

TEST(BmpDecode, Rle4AlternatesNibblesAndPadsOddLiterals) {
    const Bytes rle = {0, 5, 0x12, 0x30, 0x40, 0,   // literal 1 2 3 0 4: three bytes and one of padding
                       0, 0, 4,    0x21, 0,    1};  // 2 1 2 1, end of bitmap
    const DecodedBmp bmp = DecodeBmp(File(Info(5, 2, 4, 2, 5), kQuads, rle));
    ExpectRows(bmp.Pixels, {{kGreen, kRed, kGreen, kRed, kBlack}, {kRed, kGreen, kBlue, kBlack, kOrange}});
    // The end-of-bitmap marker may be missing once every row is closed.
    EXPECT_EQ(ErrorOf(File(Info(1, 1, 4, 2, 2), kQuads, {1, 0x11, 0, 0})), "(decoded)");
}

TEST(BmpDecode, EveryDefectHasTheSameMessage) {
    const Bytes good = File(Info(2, 2, 24), {}, Bytes(16, 0));
    ASSERT_EQ(ErrorOf(good), "(decoded)");
    auto with = [&](std::size_t at, std::uint32_t v) {
        Bytes b = good;
        Set32(b, at, v);
        return b;
    };
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"empty", {}},
        {"shorter than the headers", Bytes(good.begin(), good.begin() + 30)},
        {"bad magic",
         [&] {
             Bytes b = good;
             b[1] = 'A';
             return b;
         }()},
        {"pixels one byte short", Bytes(good.begin(), good.end() - 1)},
        {"pixel offset past the end", with(10, static_cast<std::uint32_t>(good.size() + 1))},
        {"pixel offset inside the header", with(10, 20)},
        {"unknown header size", with(14, 64)},
        {"zero width", with(18, 0)},
        {"negative width", with(18, 0xFFFFFFFF)},
        {"zero height", with(22, 0)},
        {"most negative height", with(22, 0x80000000)},
        {"side too large", with(18, Bitmap32::kMaxSide + 1)},
        {"each side allowed, too many pixels", File(Info(10000, 10000, 24), {}, {})},
        {"two planes", with(26, 0x00180002)},
        {"two bits", with(26, 0x00020001)},
        {"JPEG compression", with(30, 4)},
        {"RLE8 at 24 bits", with(30, 1)},
        {"bit fields at 24 bits", with(30, 3)},
        {"RLE top-down", File(Info(1, -1, 8, 1, 1), Bytes(4, 0), {0, 1})},
        {"colour count above depth", File(Info(1, 1, 1, 0, 3), Bytes(12, 0), Bytes(4, 0))},
        {"overlapping masks", File(Info(1, 1, 16, 3), {0, 0xFC, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0}, Bytes(4, 0))},
        {"split mask", File(Info(1, 1, 16, 3), {0xF0, 0xF0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, Bytes(4, 0))},
        {"mask past 16 bits", File(Info(1, 1, 16, 3), {0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, Bytes(4, 0))},
        {"index past the table", File(Info(2, 1, 8, 0, 2), Bytes(8, 0), {1, 2, 0, 0})},
    };
    for (const auto& [name, data] : cases)
        EXPECT_EQ(ErrorOf(data), kInvalid) << name;
}

TEST(BmpDecode, RleOverrunsAreDefects) {
    const Bytes table(kQuads.begin(), kQuads.begin() + 8);
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"run past the row", {5, 1, 0, 1}},         {"literal past the row", {0, 5, 1, 1, 1, 1, 1, 0, 0, 1}},
        {"literal cut off", {0, 4, 1, 1}},          {"delta past the right", {0, 2, 5, 0, 0, 1}},
        {"delta past the top", {0, 2, 0, 3, 0, 1}}, {"run after the last row", {0, 0, 0, 0, 1, 1, 0, 1}},
        {"data ends mid-picture", {4, 1, 0, 0}},    {"index past the table", {2, 7, 0, 1}},
    };
    for (const auto& [name, rle] : cases)
        EXPECT_EQ(ErrorOf(File(Info(4, 2, 8, 1, 2), table, rle)), kInvalid) << name;
}

Bitmap32 RandomPicture(int width, int height, std::uint32_t seed, bool opaque) {
    std::mt19937 random(seed);
    Bitmap32 picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            picture.At(x, y) = static_cast<Pixel>(random()) | (opaque ? 0xFF000000u : 0);
    }
    return picture;
}

TEST(BmpEncode, RoundTripsEveryRowPadding) {
    for (int width = 1; width <= 5; ++width) {
        const Bitmap32 picture = RandomPicture(width, 3, 7u + width, true);
        for (int bpp : {24, 32}) {
            const Bytes file = EncodeBmp(picture, bpp);
            const std::size_t stride = (width * bpp / 8 + 3) / 4 * 4;
            EXPECT_EQ(file.size(), 54 + 3 * stride) << width << " at " << bpp;
            const DecodedBmp back = DecodeBmp(file);
            EXPECT_EQ(back.BitsPerPixel, bpp);
            EXPECT_EQ(back.Pixels, picture) << width << " at " << bpp;
        }
    }
}

TEST(BmpEncode, WritesBottomUpInfoHeader) {
    Bitmap32 picture(2, 2, kWhite);
    picture.At(0, 1) = MakePixel(1, 2, 3);
    const Bytes file = EncodeBmp(picture, 24);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(file[2] | file[3] << 8, static_cast<int>(file.size()));
    EXPECT_EQ(file[10], 54);
    EXPECT_EQ(file[14], 40);
    EXPECT_EQ(file[22], 2);                                              // positive height: bottom-up
    EXPECT_EQ(file[30], 0);                                              // BI_RGB
    EXPECT_EQ((Bytes{file[54], file[55], file[56]}), (Bytes{3, 2, 1}));  // first stored pixel: bottom left
}

TEST(BmpEncode, TranslucentThirtyTwoBitKeepsAlpha) {
    // Straight alpha: colour under alpha 0 must survive too.
    const Bitmap32 picture = RandomPicture(3, 2, 99, false);
    const Bytes file = EncodeBmp(picture, 32);
    EXPECT_EQ(file[14], 108);
    EXPECT_EQ(file[30], 3);  // bit fields with an alpha mask
    EXPECT_EQ(DecodeBmp(file).Pixels, picture);
    // 24 bits drop alpha by request.
    Bitmap32 opaque = picture;
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x)
            opaque.At(x, y) |= 0xFF000000u;
    }
    EXPECT_EQ(DecodeBmp(EncodeBmp(picture, 24)).Pixels, opaque);
}

// The clipboard's packed form has no file header: the rows are found after the header, its masks
// and the colour table, whose lengths the header alone gives.
Bytes Packed(const Bytes& dib, const Bytes& table, const Bytes& pixels) {
    Bytes b = dib;
    for (const Bytes* part : {&table, &pixels})
        b.insert(b.end(), part->begin(), part->end());
    return b;
}

TEST(BmpPacked, FindsTheRowsAfterMasksAndColourTables) {
    // Eight bits with a colour count of 5, then 1 bit without one (the whole 2-entry table).
    ExpectRows(DecodePackedDib(Packed(Info(2, -2, 8, 0, 5), kQuads, {4, 1, 0, 0, 2, 3, 0, 0})).Pixels,
               {{kOrange, kRed}, {kGreen, kBlue}});
    ExpectRows(
        DecodePackedDib(Packed(Info(2, 1, 1), Bytes(kQuads.begin(), kQuads.begin() + 8), {0x40, 0, 0, 0})).Pixels,
        {{kBlack, kRed}});
    // A 40-byte header with bit fields is followed by its three masks.
    Bytes masks;
    for (std::uint32_t m : {0xF800u, 0x07E0u, 0x001Fu})
        PutLe32(masks, m);
    ExpectRows(DecodePackedDib(Packed(Info(2, 1, 16, 3), masks, {0x00, 0xF8, 0x1F, 0x00})).Pixels, {{kRed, kBlue}});
    // A colour table may come with true-colour rows too; it is skipped.
    ExpectRows(DecodePackedDib(Packed(Info(1, 1, 24, 0, 2), Bytes(8, 0x55), {0, 0, 255, 0})).Pixels, {{kRed}});
    // The core header's table has three bytes an entry.
    ExpectRows(DecodePackedDib(Packed(Core(2, 1, 1), {0, 0, 255, 255, 0, 0}, {0x40, 0, 0, 0})).Pixels, {{kRed, kBlue}});
}

TEST(BmpPacked, DamagedOrShortDataIsAnInvalidBitmap) {
    const Bytes good = Packed(Info(2, 1, 24), {}, {0, 0, 255, 0, 255, 0, 0, 0});
    EXPECT_NO_THROW(DecodePackedDib(good));
    for (std::size_t keep : {std::size_t{0}, std::size_t{3}, std::size_t{39}, good.size() - 1}) {
        EXPECT_THROW(DecodePackedDib(Bytes(good.begin(), good.begin() + keep)), EInvalidGraphic) << keep;
    }
    // A colour count that runs past the data, and one larger than any data could hold.
    EXPECT_THROW(DecodePackedDib(Packed(Info(1, 1, 8, 0, 200), kQuads, {0, 0, 0, 0})), EInvalidGraphic);
    EXPECT_THROW(DecodePackedDib(Packed(Info(1, 1, 24, 0, 0xFFFFFFFFu), {}, {0, 0, 0, 0})), EInvalidGraphic);
}

TEST(BmpPacked, WritesAnInfoHeaderAndKeepsAlphaInTheFourthByte) {
    for (int width = 1; width <= 3; ++width) {
        const Bitmap32 picture = RandomPicture(width, 2, 5u + width, false);
        for (int bpp : {24, 32}) {
            const Bytes dib = EncodePackedDib(picture, bpp);
            EXPECT_EQ(dib[0], 40);
            EXPECT_EQ(dib[16], 0);  // BI_RGB even with alpha, as the clipboard's 32-bit pictures are
            const std::size_t stride = (width * bpp / 8 + 3) / 4 * 4;
            ASSERT_EQ(dib.size(), 40 + 2 * stride);
            // The reader sees opaque pixels; the alpha is still in the bytes for those who look.
            Bitmap32 opaque = picture;
            for (int y = 0; y < 2; ++y) {
                for (int x = 0; x < width; ++x)
                    opaque.At(x, y) |= 0xFF000000u;
            }
            EXPECT_EQ(DecodePackedDib(dib).Pixels, opaque) << width << " at " << bpp;
            if (bpp == 32) {
                EXPECT_EQ(dib[40 + 3], PixelA(picture.At(0, 1)));
            }
        }
    }
}

TEST(BmpEncode, RejectsOtherDepthsAndEmptyPictures) {
    EXPECT_THROW(EncodeBmp(Bitmap32(2, 2), 16), EInvalidOperation);
    EXPECT_THROW(EncodeBmp(Bitmap32(2, 2), 8), EInvalidOperation);
    EXPECT_THROW(EncodeBmp(Bitmap32(), 24), EInvalidOperation);
}

}  // namespace
}  // namespace zindra
