// The PNG picture's behaviour: the chunk list, gamma, transparency kinds, drawing in each kind,
// copying to and from bitmaps, writing, and how pictures and layouts create it.
#include "imaging/PngGraphic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Exception.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Picture.h"
#include "imaging/PngErrors.h"
#include "imaging/PngImageData.h"
#include "unit/imaging/PngFiles.h"

namespace zindra {
namespace {

using namespace pngtest;

// Rows of a width x height picture with bytesPerPixel sample bytes each, from a formula.
template <typename F>
Bytes Rows(int width, int height, int bytesPerPixel, F sample) {
    Bytes rows;
    for (int y = 0; y < height; ++y) {
        rows.push_back(0);
        for (int i = 0; i < width * bytesPerPixel; ++i)
            rows.push_back(static_cast<std::uint8_t>(sample(i % bytesPerPixel, i / bytesPerPixel, y)));
    }
    return rows;
}

TPngGraphic Loaded(const Bytes& file) {
    TPngGraphic png;
    Load(png, file);
    return png;
}

std::vector<std::string> Names(const TPngGraphic& png) {
    std::vector<std::string> names;
    for (int i = 0; i < png.Chunks().Count(); ++i)
        names.push_back(png.Chunks().Item(i)->NameText());
    return names;
}

Bytes Grey(int w, int h) {
    return Rows(w, h, 1, [](int, int x, int y) { return x * 10 + y; });
}

TEST(TPngGraphic, KeepsChunksInFileOrderAndSkipsCHRMAndLateImageData) {
    const Bytes idat = Chunk("IDAT", Deflate(Grey(3, 2)));
    const Bytes file =
        Join({Signature(), Ihdr(3, 2, 8, 0), Chunk("cHRM", Bytes(32, 1), 9), Chunk("tEXt", {'k', 0, 'v', 'w'}), idat,
              Chunk("IDAT", {1, 2, 3}, 7), Chunk("prVt", {9, 8, 7}), Chunk("IEND", {})});
    TPngGraphic png = Loaded(file);
    EXPECT_EQ(Names(png), (std::vector<std::string>{"IHDR", "tEXt", "IDAT", "prVt", "IEND"}));
    EXPECT_STREQ(png.Chunks().Item(3)->ClassName(), "TChunk");
    const auto* text = png.Chunks().ItemFromClass<TChunktEXt>();
    EXPECT_EQ(text->Keyword, "k");
    EXPECT_EQ(text->Text, "vw");
    // The private chunk goes back out exactly as it came in.
    const Bytes saved = png.SaveToBytes();
    const Bytes privateChunk = Chunk("prVt", {9, 8, 7});
    EXPECT_NE(std::search(saved.begin(), saved.end(), privateChunk.begin(), privateChunk.end()), saved.end());
}

TEST(TPngGraphic, SidesUpTo65535AreAccepted) {
    TPngGraphic png = Loaded(File(Ihdr(65535, 1, 1, 0), Bytes(1 + 8192, 0)));
    EXPECT_EQ(png.Width(), 65535);
    EXPECT_EQ(png.Header().BytesPerRow(), 8192u);
    // The widest picture still converts to the framework's 32-bit pixels.
    const Bitmap32 pixels = png.ToPixels();
    EXPECT_EQ(pixels.Width(), 65535);
    EXPECT_EQ(pixels.Height(), 1);
}

TEST(TPngGraphic, GammaTablesFollowTheGamaChunk) {
    struct Row {
        Bytes Gama;
        std::vector<std::pair<int, int>> Points;  // sample, stored
    };
    const std::vector<Row> rows = {
        {{}, {{0, 0}, {1, 1}, {128, 128}, {255, 255}}},
        {{0, 0, 0xB1, 0x8F}, {{1, 1}, {64, 64}, {128, 128}, {254, 254}}},            // 45455: identity
        {{0, 1, 0x86, 0xA0}, {{0, 0}, {1, 21}, {64, 136}, {128, 186}, {255, 255}}},  // 100000
        {{0, 1, 0x86}, {{0, 0}, {128, 0}, {254, 0}, {255, 255}}},                    // 3 bytes read as the value 1
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Gama.size());
        const Bytes extra = row.Gama.empty() ? Bytes{} : Chunk("gAMA", row.Gama);
        TPngGraphic png = Loaded(File(Ihdr(2, 1, 8, 2), Bytes{0, 128, 128, 128, 1, 64, 255}, extra));
        for (const auto& [sample, stored] : row.Points)
            EXPECT_EQ(png.GammaTable()[static_cast<std::size_t>(sample)], stored) << sample;
        const std::uint8_t* pixel = png.Header().StoredRow(0);
        EXPECT_EQ(pixel[0], png.GammaTable()[128]);  // the RGB sample of 128 as stored
    }
}

TEST(TPngGraphic, TransparencyKindFollowsColourTypeAndTRNS) {
    struct Row {
        int Colour, Depth;
        Bytes Trns;
        TPngTransparencyMode Kind;
    };
    const Bytes plte = Chunk("PLTE", {10, 20, 30, 40, 50, 60, 70, 80, 90});
    const std::vector<Row> rows = {
        {0, 8, {}, TPngTransparencyMode::ptmNone},
        {0, 8, {0, 7}, TPngTransparencyMode::ptmBit},
        {2, 8, {0, 1, 0, 2, 0, 3}, TPngTransparencyMode::ptmBit},
        {3, 8, {}, TPngTransparencyMode::ptmNone},
        {3, 8, {255, 0, 255}, TPngTransparencyMode::ptmBit},
        {3, 8, {255, 128}, TPngTransparencyMode::ptmBit},
        {3, 8, {0, 128, 255}, TPngTransparencyMode::ptmPartial},
        {4, 8, {}, TPngTransparencyMode::ptmPartial},
        {6, 8, {}, TPngTransparencyMode::ptmPartial},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.Colour) + "/" + std::to_string(row.Trns.size()));
        Bytes extra = row.Colour == 3 ? plte : Bytes{};
        if (!row.Trns.empty()) extra = Join({extra, Chunk("tRNS", row.Trns)});
        const int bpp = row.Colour == 2 ? 3 : row.Colour == 6 ? 4 : row.Colour == 4 ? 2 : 1;
        TPngGraphic png = Loaded(File(Ihdr(2, 2, row.Depth, row.Colour), Bytes(2 * (1 + 2 * bpp), 0), extra));
        EXPECT_EQ(png.TransparencyMode(), row.Kind);
        EXPECT_EQ(png.Transparent(), row.Kind != TPngTransparencyMode::ptmNone);
    }
    // The key of an indexed single-colour chunk is its one see-through entry.
    TPngGraphic png = Loaded(File(Ihdr(2, 2, 8, 3), Bytes(6, 0), Join({plte, Chunk("tRNS", {255, 128})})));
    EXPECT_EQ(png.TransparentColor(), RGB(40, 50, 60));
}

TEST(TPngGraphic, TextAndTimeChunks) {
    const Bytes packed = Deflate({'h', 'e', 'l', 'l', 'o'});
    Bytes ztxt = {'k', 'e', 'y', 0, 0};
    ztxt.insert(ztxt.end(), packed.begin(), packed.end());
    Bytes otherMethod = ztxt;
    otherMethod[4] = 1;
    const Bytes extra =
        Join({Chunk("zTXt", ztxt), Chunk("zTXt", otherMethod), Chunk("tIME", {0x07, 0xE8, 6, 11, 9, 30, 5})});
    TPngGraphic png = Loaded(File(Ihdr(1, 1, 8, 0), Bytes{0, 1}, extra));
    const auto* first = dynamic_cast<const TChunkzTXt*>(png.Chunks().Item(1));
    const auto* second = dynamic_cast<const TChunkzTXt*>(png.Chunks().Item(2));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->Keyword, "key");
    EXPECT_EQ(first->Text, "hello");
    EXPECT_EQ(second->Text, "") << "compression method 1 reads as an empty text";
    const auto* time = png.Chunks().ItemFromClass<TChunktIME>();
    EXPECT_EQ(time->Year, 2024);
    EXPECT_EQ(time->Second, 5);
    // Written and read again, the texts and the time stay.
    TPngGraphic again = Loaded(png.SaveToBytes());
    EXPECT_EQ(dynamic_cast<const TChunkzTXt*>(again.Chunks().Item(1))->Text, "hello");
    EXPECT_EQ(dynamic_cast<const TChunkzTXt*>(again.Chunks().Item(2))->Text, " ");
    EXPECT_EQ(again.Chunks().ItemFromClass<TChunktIME>()->Day, 11);
}

// ---- drawing ----

Bitmap32 Backdrop(int w, int h) {
    Bitmap32 b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.At(x, y) = MakePixel(static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(y * 5), 200);
    return b;
}

TEST(TPngGraphic, PerPixelBlendIsTheIntegerFormulaForEveryAlphaColourAndBackground) {
    // Image: sample x in all three channels, alpha a; background: y in all three channels.
    for (const int a : {0, 1, 64, 127, 128, 200, 254, 255}) {
        SCOPED_TRACE(a);
        TPngGraphic png =
            Loaded(File(Ihdr(256, 1, 8, 6), Rows(256, 1, 4, [a](int c, int x, int) { return c == 3 ? a : x; })));
        Bitmap32 target(256, 256);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x)
                target.At(x, y) =
                    MakePixel(static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(y));
        TCanvas canvas(target);
        for (int y = 0; y < 256; ++y)
            png.Draw(canvas, Rect::FromBounds(0, y, 1000, 1000));
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                const int expected = (x * a + (255 - a) * y + 255) >> 8;
                ASSERT_EQ(PixelR(target.At(x, y)), expected) << x << "," << y;
                ASSERT_EQ(PixelB(target.At(x, y)), expected);
            }
    }
}

TEST(TPngGraphic, DrawingInEachKind) {
    // 2 x 2 RGBA: opaque red, clear, half green, opaque blue.
    const Bytes rgba = {0, 255, 0, 0, 255, 9, 9, 9, 0, 0, 0, 255, 0, 128, 0, 0, 255, 255};
    TPngGraphic blended = Loaded(File(Ihdr(2, 2, 8, 6), rgba));
    Bitmap32 target = Backdrop(6, 6);
    const Bitmap32 before = target;
    TCanvas canvas(target);
    blended.Draw(canvas, {1, 1, 6, 6});  // larger than the picture: drawn at its own size
    EXPECT_EQ(target.At(1, 1), MakePixel(255, 0, 0));
    EXPECT_EQ(target.At(2, 1), before.At(2, 1)) << "alpha 0 leaves the background";
    EXPECT_EQ(target.At(2, 2), MakePixel(0, 0, 255));
    EXPECT_EQ(target.At(3, 3), before.At(3, 3)) << "outside the picture's own size";
    EXPECT_EQ(PixelG(target.At(1, 2)), (255 * 128 + 127 * PixelG(before.At(1, 2)) + 255) >> 8);

    // Opaque: stretched over the whole rectangle.
    TPngGraphic opaque = Loaded(File(Ihdr(2, 1, 8, 2), Bytes{0, 255, 0, 0, 0, 0, 255}));
    Bitmap32 stretched(4, 2);
    TCanvas c2(stretched);
    opaque.Draw(c2, {0, 0, 4, 2});
    EXPECT_EQ(stretched.At(1, 1), MakePixel(255, 0, 0));
    EXPECT_EQ(stretched.At(2, 0), MakePixel(0, 0, 255));

    // Single colour: grey 1-bit with tRNS 1, so the white pixels show the background.
    TPngGraphic keyed = Loaded(File(Ihdr(8, 1, 1, 0), Bytes{0, 0xF0}, Chunk("tRNS", {0, 1})));
    Bitmap32 under = Backdrop(8, 1);
    const Bitmap32 underBefore = under;
    TCanvas c3(under);
    keyed.Draw(c3, {0, 0, 8, 1});
    EXPECT_EQ(under.At(0, 0), underBefore.At(0, 0));
    EXPECT_EQ(under.At(7, 0), MakePixel(0, 0, 0));
}

TEST(TPngGraphic, AnIndexOutsideThePaletteStopsBlendedDrawingBeforeAnyPixelChanges) {
    TPngGraphic png =
        Loaded(File(Ihdr(2, 1, 8, 3), Bytes{0, 0, 5}, Join({Chunk("PLTE", {1, 2, 3}), Chunk("tRNS", {0, 128})})));
    Bitmap32 target = Backdrop(2, 1);
    const Bitmap32 before = target;
    TCanvas canvas(target);
    EXPECT_THROW(png.Draw(canvas, {0, 0, 2, 1}), EPngError);
    EXPECT_EQ(target, before);
}

// ---- copying ----

TEST(TPngGraphic, CopiesBetweenPicturesAndBitmaps) {
    TPngGraphic source =
        Loaded(File(Ihdr(3, 2, 8, 2), Rows(3, 2, 3, [](int c, int x, int y) { return c * 80 + x * 9 + y; })));
    source.SetFilters(pfPaeth);
    TPngGraphic copy;
    copy.Assign(source);
    EXPECT_EQ(Names(copy), Names(source));
    EXPECT_EQ(copy.Filters(), pfPaeth);
    EXPECT_EQ(copy.ToPixels(), source.ToPixels());

    TBitmap bitmap;
    bitmap.Assign(source);  // through the picture's own AssignTo
    EXPECT_EQ(bitmap.BitsPerPixel(), 24);
    EXPECT_EQ(bitmap.Pixels(), source.ToPixels());

    // A 4-bit bitmap with a key colour becomes indexed with a single-colour tRNS.
    TBitmap small;
    small.SetSize(3, 1);
    small.SetBitsPerPixel(4);
    small.Pixels().At(0, 0) = MakePixel(1, 2, 3);
    small.SetTransparentColor(RGB(255, 255, 255));
    small.SetTransparent(true);
    TPngGraphic fromBitmap;
    fromBitmap.Assign(static_cast<const TGraphic&>(small));
    EXPECT_EQ(fromBitmap.Header().ColourType, 3);
    EXPECT_EQ(fromBitmap.Header().BitDepth, 4);
    EXPECT_EQ(Names(fromBitmap), (std::vector<std::string>{"IHDR", "PLTE", "tRNS", "IDAT", "IEND"}));
    EXPECT_EQ(fromBitmap.TransparencyMode(), TPngTransparencyMode::ptmBit);
    EXPECT_EQ(fromBitmap.TransparentColor(), RGB(255, 255, 255));
    TPngGraphic reread = Loaded(fromBitmap.SaveToBytes());
    EXPECT_EQ(reread.OpaquePixels(), small.Pixels());
    TBitmap back;
    reread.AssignToBitmap(back);
    EXPECT_TRUE(back.Transparent());
    EXPECT_EQ(back.TransparentColor(), RGB(255, 255, 255));
}

// ---- writing ----

// The filter byte of every row of a written non-interlaced picture.
std::vector<int> WrittenFilters(TPngGraphic& png) {
    const Bytes file = png.SaveToBytes();
    Bytes packed;
    for (std::size_t at = 8; at + 8 <= file.size();) {
        const std::uint32_t length = platform::GetBe32(file.data() + at);
        if (std::string(file.begin() + static_cast<std::ptrdiff_t>(at) + 4,
                        file.begin() + static_cast<std::ptrdiff_t>(at) + 8) == "IDAT") {
            packed.insert(packed.end(), file.begin() + static_cast<std::ptrdiff_t>(at) + 8,
                          file.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        }
        at += 12 + length;
    }
    const std::size_t stride = png.Header().Width * 3 + 1;
    Bytes raw(stride * png.Header().Height);
    uLongf size = static_cast<uLongf>(raw.size());
    EXPECT_EQ(uncompress(raw.data(), &size, packed.data(), static_cast<uLong>(packed.size())), Z_OK);
    std::vector<int> filters;
    for (std::size_t at = 0; at < raw.size(); at += stride)
        filters.push_back(raw[at]);
    return filters;
}

TEST(TPngGraphic, WritingChoosesEachRowsFilterByTheRule) {
    // Row 0: a flat colour (None and Up keep it flat, Sub leaves one byte unmatched: the earliest
    // of the best wins); row 1: a ramp (Sub turns it into repeats); row 2: the row above again
    // (Up gives zeros).
    const Bytes rows =
        Rows(8, 3, 3, [](int c, int x, int y) { return y == 0 ? 50 : (y == 1 ? x * 5 + c : x * 5 + c); });
    struct Row {
        TFilters Set;
        std::vector<int> Expected;
    };
    const std::vector<Row> table = {
        {0, {0, 0, 0}},
        {pfNone, {0, 0, 0}},
        {pfPaeth, {4, 4, 4}},
        {pfSub | pfUp, {2, 1, 2}},
        {pfNone | pfSub | pfUp | pfAverage | pfPaeth, {0, 1, 2}},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(static_cast<int>(row.Set));
        TPngGraphic png = Loaded(File(Ihdr(8, 3, 8, 2), rows));
        png.SetFilters(row.Set);
        EXPECT_EQ(WrittenFilters(png), row.Expected);
    }
}

TEST(TPngGraphic, ImageDataIsWrittenInChunksOfTheMaximumSize) {
    std::uint32_t noise = 12345;
    TPngGraphic png = Loaded(File(Ihdr(200, 200, 8, 2), Rows(200, 200, 3, [&](int, int, int) {
                                      noise = noise * 1103515245u + 12345u;
                                      return static_cast<int>(noise >> 24);
                                  })));
    png.SetMaxIdatSize(100);
    EXPECT_EQ(png.MaxIdatSize(), 65535u);
    png.SetCompressionLevel(0);
    const Bytes file = png.SaveToBytes();
    std::vector<std::uint32_t> sizes;
    for (std::size_t at = 8; at < file.size();) {
        const std::uint32_t length = platform::GetBe32(file.data() + at);
        if (file[at + 4] == 'I' && file[at + 5] == 'D') sizes.push_back(length);
        at += 12 + length;
    }
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_EQ(sizes[0], 65535u);
    EXPECT_LT(sizes[1], 65535u);
    EXPECT_EQ(Loaded(file).ToPixels(), png.ToPixels());
}

TEST(TPngGraphic, AdamSevenIsWrittenWhenAsked) {
    TPngGraphic png =
        Loaded(File(Ihdr(9, 9, 2, 0), Rows(9, 9, 1, [](int, int x, int y) { return (x * 37 + y * 11) & 0xFF; })));
    png.SetInterlaceMethod(1);
    TPngGraphic again = Loaded(png.SaveToBytes());
    EXPECT_EQ(again.Header().InterlaceMethod, 1);
    EXPECT_EQ(again.Header().BitDepth, 4) << "2-bit pictures are written as they are stored";
    EXPECT_EQ(again.ToPixels(), png.ToPixels());
}

// ---- creation by extension and by stored class name ----

TEST(TPngGraphic, PicturesCreateItForPngFilesAndStoredClassNames) {
    RegisterPngGraphic();
    const Bytes file = File(Ihdr(2, 2, 8, 0), Grey(2, 2));
    TPicture byExtension;
    byExtension.LoadFromBytes("PNG", file);
    EXPECT_NE(dynamic_cast<TPngGraphic*>(byExtension.Graphic()), nullptr);
    EXPECT_EQ(GraphicDescription("png"), "Portable Network Graphics");
    Bytes stored = {11, 'T', 'P', 'n', 'g', 'G', 'r', 'a', 'p', 'h', 'i', 'c'};
    stored.insert(stored.end(), file.begin(), file.end());
    TPicture byName;
    byName.LoadFromStoredData(stored);
    EXPECT_EQ(byName.Width(), 2);
    stored[1] = 'X';
    EXPECT_THROW(byName.LoadFromStoredData(stored), EInvalidGraphic);
    EXPECT_EQ(byName.Width(), 2) << "a failed load keeps the picture";
}

}  // namespace
}  // namespace zindra
