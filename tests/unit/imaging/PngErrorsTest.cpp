// Every failure of the PNG picture, each from a file whose only defect is that rule's, with the
// exact class and message, the same whichever way the image data is decoded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Exception.h"
#include "imaging/PngErrors.h"
#include "imaging/PngGraphic.h"
#include "unit/imaging/PngFiles.h"

namespace zindra {
namespace {

using namespace pngtest;

// A 4 x 3 RGB picture: three rows, each a filter byte and 12 sample bytes.
Bytes RgbRows() {
    Bytes rows;
    for (int y = 0; y < 3; ++y) {
        rows.push_back(0);
        for (int i = 0; i < 12; ++i)
            rows.push_back(static_cast<std::uint8_t>(y * 40 + i * 7));
    }
    return rows;
}

Bytes Good() {
    return File(Ihdr(4, 3, 8, 2), RgbRows());
}

Bytes WithoutLast(Bytes b, std::size_t n) {
    b.resize(b.size() - n);
    return b;
}

// The zlib stream of the rows, split after half its bytes.
Bytes HalfStream(bool first) {
    const Bytes packed = Deflate(RgbRows());
    const auto half = packed.begin() + static_cast<std::ptrdiff_t>(packed.size() / 2);
    return first ? Bytes(packed.begin(), half) : Bytes(half, packed.end());
}

constexpr const char* kPng = "\"Portable Network Graphics\"";

struct Case {
    const char* Rule;
    Bytes FileBytes;
    const char* ClassName;
    std::string Message;
    int ChunksKept;
};

std::vector<Case> Cases() {
    const std::string zlib =
        "Could not decompress the image because it contains invalid compressed data.\r\n Description: ";
    Bytes badBlock = {0x78, 0x9C, 0x07};          // a final block of the reserved type 3
    Bytes dictionary = {0x78, 0xBB, 0, 0, 0, 1};  // FDICT set
    const Bytes rowsIdat = Chunk("IDAT", Deflate(RgbRows()));
    const Bytes iend = Chunk("IEND", {});
    const Bytes header = Ihdr(4, 3, 8, 2);
    const Bytes headerData(header.begin() + 8, header.end() - 4);
    return {
        {"signature", Join({{137, 80, 78, 71, 13, 10, 26, 11}, Ihdr(4, 3, 8, 2), rowsIdat, iend}),
         "EPngInvalidFileHeader",
         std::string("The file being readed is not a valid ") + kPng +
             " image because it contains an invalid header. This file may be corruped, try obtaining it again.",
         0},
        {"no IEND", WithoutLast(Good(), 12), "EPngUnexpectedEnd",
         std::string("This ") + kPng + " image is invalid because the decoder found an unexpected end of the file.", 2},
        {"cut in the image data", WithoutLast(Good(), 20), "EPngUnexpectedEnd",
         std::string("This ") + kPng + " image is invalid because the decoder found an unexpected end of the file.", 2},
        {"IHDR not first", Join({Signature(), Chunk("gAMA", {0, 0, 0xB1, 0x8F}), Ihdr(4, 3, 8, 2), rowsIdat, iend}),
         "EPngIhdrNotFirst",
         std::string("This ") + kPng +
             " image is not supported or it might be invalid.\r\n(IHDR chunk is not the first)",
         0},
        {"unknown critical chunk", File(Ihdr(4, 3, 8, 2), RgbRows(), Chunk("ABCD", {1, 2})), "EPngUnknownCriticalChunk",
         std::string("This ") + kPng + " image contains an unknown critical part which could not be decoded.", 2},
        {"no image data", Join({Signature(), Ihdr(4, 3, 8, 2), iend}), "EPngNoImageData",
         std::string("This ") + kPng + " image contains no data.", 2},
        {"header CRC", Join({Signature(), Chunk("IHDR", headerData, 1), rowsIdat, iend}), "EPngInvalidCrc",
         std::string("This ") + kPng + " image is not valid because it contains invalid pieces of data (crc error)", 1},
        {"image data CRC", Join({Signature(), Ihdr(4, 3, 8, 2), Chunk("IDAT", Deflate(RgbRows()), 5), iend}),
         "EPngInvalidCrc",
         std::string("This ") + kPng + " image is not valid because it contains invalid pieces of data (crc error)", 2},
        {"first of two IDAT CRCs",
         Join({Signature(), Ihdr(4, 3, 8, 2), Chunk("IDAT", HalfStream(true), 1), Chunk("IDAT", HalfStream(false)),
               iend}),
         "EPngInvalidCrc",
         std::string("This ") + kPng + " image is not valid because it contains invalid pieces of data (crc error)", 2},
        {"short header", Join({Signature(), Chunk("IHDR", Bytes(12, 1)), rowsIdat, iend}), "EPngInvalidIhdr",
         std::string("The ") + kPng +
             " image could not be loaded because one of its main piece of data (ihdr) might be corrupted",
         1},
        {"colour type 5", File(Ihdr(4, 3, 8, 5), RgbRows()), "EPngInvalidIhdr",
         std::string("The ") + kPng +
             " image could not be loaded because one of its main piece of data (ihdr) might be corrupted",
         1},
        {"truecolour at 4 bits", File(Ihdr(4, 3, 4, 2), RgbRows()), "EPngInvalidIhdr",
         std::string("The ") + kPng +
             " image could not be loaded because one of its main piece of data (ihdr) might be corrupted",
         1},
        {"width 65536", File(Ihdr(65536, 3, 8, 2), RgbRows()), "EPngSizeExceeds",
         std::string("This ") + kPng +
             " image is not supported because either it's width or height exceeds the maximum size, which is 65535 "
             "pixels length.",
         1},
        {"compression 1", File(Ihdr(4, 3, 8, 2, 0, 1), RgbRows()), "EPngUnknownCompression",
         std::string("This ") + kPng +
             " image is encoded with an unknown compression scheme which could not be decoded.",
         1},
        {"interlace 2", File(Ihdr(4, 3, 8, 2, 2), RgbRows()), "EPngUnknownInterlace",
         std::string("This ") + kPng + " image uses an unknown interlace scheme which could not be decoded.", 1},
        {"palette of 4 bytes", File(Ihdr(4, 3, 8, 3), RgbRows(), Chunk("PLTE", {1, 2, 3, 4})), "EPngInvalidPalette",
         std::string("The ") + kPng + " image contains an invalid palette.", 2},
        {"palette of 258 entries", File(Ihdr(4, 3, 8, 3), RgbRows(), Chunk("PLTE", Bytes(774, 9))),
         "EPngInvalidPalette", std::string("The ") + kPng + " image contains an invalid palette.", 2},
        {"tRNS of 257 bytes", File(Ihdr(4, 3, 8, 3), RgbRows(), Chunk("tRNS", Bytes(257, 9))), "EPngInvalidPalette",
         std::string("The ") + kPng + " image contains an invalid palette.", 2},
        {"image data ends at IEND", Join({Signature(), Ihdr(4, 3, 8, 2), Chunk("IDAT", HalfStream(true)), iend}),
         "EPngMissingMultipleIdat",
         std::string("This ") + kPng + " image is invalid because it has missing image parts.", 2},
        {"broken deflate block", Join({Signature(), Ihdr(4, 3, 8, 2), Chunk("IDAT", badBlock), iend}), "EPngZlibError",
         zlib + "data error (-3)", 2},
        {"preset dictionary", Join({Signature(), Ihdr(4, 3, 8, 2), Chunk("IDAT", dictionary), iend}), "EPngZlibError",
         zlib + "need dictionary (2)", 2},
        {"storage past memory", File(Ihdr(65535, 65535, 8, 6), RgbRows()), "EPngOutOfMemory",
         "Some operation could not be performed because the system is out of resources. Close some windows and try "
         "again.",
         1},
    };
}

TEST(PngErrors, EachRuleRaisesItsClassAndMessageAndKeepsTheChunksRead) {
    for (const bool rowByRow : {false, true}) {
        for (const Case& c : Cases()) {
            SCOPED_TRACE(std::string(c.Rule) + (rowByRow ? ", row by row" : ", in one piece"));
            TPngGraphic png;
            try {
                Load(png, c.FileBytes, rowByRow);
                ADD_FAILURE() << "loaded";
            } catch (const Exception& e) {
                EXPECT_STREQ(e.ClassName(), c.ClassName);
                EXPECT_EQ(e.Message(), c.Message);
            }
            EXPECT_EQ(png.Chunks().Count(), c.ChunksKept);
        }
    }
}

TEST(PngErrors, TheGoodFileOfTheTableLoads) {
    TPngGraphic png;
    Load(png, Good());
    EXPECT_EQ(png.Width(), 4);
    EXPECT_EQ(png.Header().StoredRow(1)[2], 40);  // red of the second row's first pixel
}

TEST(PngErrors, OperationsThatNeedAHeaderOrForbidAChange) {
    TPngGraphic empty;
    EXPECT_THROW(empty.Header(), EPngHeaderNotPresent);
    EXPECT_EQ(empty.SaveToBytes(), Signature());
    TPngGraphic png;
    Load(png, File(Ihdr(4, 3, 8, 3), Bytes(15, 0), Chunk("PLTE", {1, 2, 3, 4, 5, 6})));
    try {
        png.SetWidth(5);
        ADD_FAILURE();
    } catch (const EPngError& e) {
        EXPECT_EQ(e.Message(),
                  std::string("The ") + kPng +
                      " image can not be resize by changing width and height properties. Try assigning the "
                      "image from a bitmap.");
    }
    const auto* palette = png.Chunks().ItemFromClass<TChunkPLTE>();
    EXPECT_EQ(palette->Item(1), 0x040506u);
    try {
        palette->Item(2);
        ADD_FAILURE();
    } catch (const EPngError& e) {
        EXPECT_EQ(e.Message(), "There is no such palette entry.");
    }
    TChunkPLTE other(&png);
    TChunkIEND end(&png);
    try {
        other.Assign(end);
        ADD_FAILURE();
    } catch (const EPngError& e) {
        EXPECT_EQ(e.Message(), "The chunks must be compatible to be assigned.");
    }
}

}  // namespace
}  // namespace zindra
