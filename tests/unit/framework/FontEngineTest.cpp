// Tests of the font engine: registration, GDI heights, extents, rendering inside the clip, and DrawText layout.
#include "framework/graphics/FontEngine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "framework/Exception.h"

namespace zindra {
namespace {

using platform::Rect;

constexpr Pixel kWhite = MakePixel(255, 255, 255);
constexpr Pixel kInk = MakePixel(0, 0, 160);
const Rect kNoClip{-100000, -100000, 100000, 100000};
constexpr const char* kSansPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kSerifPath = "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";

// Font bytes must outlive every engine, so each file is read once for the whole run.
std::span<const std::uint8_t> FontFile(const char* path) {
    static std::vector<std::vector<std::uint8_t>> files;
    std::ifstream in(path, std::ios::binary);
    files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return files.back();
}

std::span<const std::uint8_t> Sans() {
    static const std::span<const std::uint8_t> data = FontFile(kSansPath);
    return data;
}

// The rectangle around every pixel where a and b differ; empty when there is none.
Rect DiffBox(const Bitmap32& a, const Bitmap32& b) {
    Rect r{a.Width(), a.Height(), 0, 0};
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.At(x, y) != b.At(x, y)) {
                r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
            }
        }
    }
    return r.IsEmpty() ? Rect{} : r;
}

// The rectangle around every pixel that is not white.
Rect Ink(const Bitmap32& b) {
    return DiffBox(b, Bitmap32(b.Width(), b.Height(), kWhite));
}

class FontEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(Sans().empty()) << "the tests need " << kSansPath;
        engine_.SetFallback(Sans());
    }
    Size Extent(const FontDescription& request, std::string_view text, int extra = 0) {
        return engine_.TextExtent(request, text, extra);
    }
    Bitmap32 Draw(const FontDescription& request, std::string_view text, int w = 200, int h = 40) {
        Bitmap32 b(w, h, kWhite);
        engine_.DrawText(b, 3, 2, request, text, kInk, 0, kNoClip);
        return b;
    }
    int Formatted(Rect& rect, std::string_view text, std::uint32_t format,
                  const FontDescription& request = {"Any", -12}) {
        Bitmap32 unused(1, 1);
        return engine_.DrawTextFormatted(unused, rect, request, text, format | DT_CALCRECT, kInk, 0, kNoClip);
    }
    FontEngine engine_;
};

TEST(FontEngineSetup, TextWithoutAnyFontFailsClearly) {
    FontEngine engine;
    EXPECT_FALSE(engine.HasFallback());
    Bitmap32 b(20, 20, kWhite);
    EXPECT_THROW(engine.Metrics({"Tahoma", 13}), EInvalidOperation);
    EXPECT_THROW(engine.DrawText(b, 0, 0, {"Tahoma", 13}, "x", kInk, 0, kNoClip), EInvalidOperation);
    EXPECT_EQ(b, Bitmap32(20, 20, kWhite));
    const std::uint8_t junk[] = {0, 1, 0, 0, 9, 9, 9, 9};
    EXPECT_THROW(engine.AddFont("Junk", junk, false, false), EInvalidGraphic);
    EXPECT_THROW(engine.SetFallback({}), EInvalidGraphic);
    engine.AddFont("Only", Sans(), false, false);  // a registered family draws without a fallback
    EXPECT_GT(engine.Metrics({"ONLY", 13}).Height, 0);
    EXPECT_THROW(engine.Metrics({"Other", 13}), EInvalidOperation);
}

TEST_F(FontEngineTest, HeightsFollowWindows) {
    const TextMetrics em = engine_.Metrics({"Any", -20});
    EXPECT_EQ(em.Height - em.InternalLeading, 20);  // negative: the em height
    EXPECT_EQ(em.Ascent + em.Descent, em.Height);
    const TextMetrics cell = engine_.Metrics({"Any", 20});
    EXPECT_EQ(cell.Height, 20);  // positive: the cell height
    EXPECT_LT(cell.Height - cell.InternalLeading, 20);
    EXPECT_EQ(engine_.Metrics({"Any", 0}), engine_.Metrics({"Any", 13}));
    EXPECT_EQ(engine_.Metrics({"Any", -1000000}).Height, engine_.Metrics({"Any", -1024}).Height);  // capped
    for (int h = 8; h < 40; ++h)
        ASSERT_EQ(engine_.Metrics({"Any", h}).Height, h);
}

TEST_F(FontEngineTest, ExtentsGrowWithSizeBoldAndSpacing) {
    const std::string text = "Grade 6 and 7 suite";
    int previous = 0;
    for (int h = 8; h <= 40; h += 4) {
        const Size s = Extent({"Any", -h}, text);
        EXPECT_GT(s.Width, previous) << h;
        EXPECT_EQ(s.Height, engine_.Metrics({"Any", -h}).Height);
        previous = s.Width;
    }
    const Size regular = Extent({"Any", -13}, text);
    EXPECT_EQ(Extent({"Any", -13, true}, text).Width, regular.Width + static_cast<int>(text.size()));
    EXPECT_EQ(Extent({"Any", -13}, text, 3).Width, regular.Width + 3 * static_cast<int>(text.size()));
    EXPECT_EQ(Extent({"Any", -13, false, true}, text).Width, regular.Width);  // shearing keeps advances
    EXPECT_EQ(Extent({"Any", -13}, "").Width, 0);
}

TEST_F(FontEngineTest, FamiliesMatchWithoutCaseAndPreferRealFaces) {
    engine_.AddFont("Zindra Serif", FontFile(kSerifPath), false, false);
    const std::string text = "Mississippi";
    const Size serif = Extent({"Zindra Serif", -15}, text);
    EXPECT_EQ(Extent({"zINDRA sERIF", -15}, text), serif);
    EXPECT_NE(Extent({"Unknown", -15}, text), serif);  // the fallback
    engine_.AddFont("Zindra Serif", FontFile("/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"), true, false);
    EXPECT_NE(Extent({"Zindra Serif", -15, true}, text).Width, serif.Width + static_cast<int>(text.size()));
    const Bitmap32 real = Draw({"Zindra Serif", -15, true}, text);
    EXPECT_NE(Ink(real), Rect{});
}

TEST_F(FontEngineTest, RenderingIsDeterministicAndInsideTheCell) {
    for (const FontDescription& request : {FontDescription{"Any", -13}, FontDescription{"Any", 16, true},
                                           FontDescription{"Any", -20, false, false, true}}) {
        const Bitmap32 a = Draw(request, "Hamburgefonstiv");
        FontEngine other;
        other.SetFallback(Sans());
        Bitmap32 b(200, 40, kWhite);
        other.DrawText(b, 3, 2, request, "Hamburgefonstiv", kInk, 0, kNoClip);
        EXPECT_EQ(a, b);
        const Size extent = Extent(request, "Hamburgefonstiv");
        const Rect ink = Ink(a);
        EXPECT_GE(ink.Left, 3);
        EXPECT_GE(ink.Top, 2);
        EXPECT_LE(ink.Right, 3 + extent.Width);
        EXPECT_LE(ink.Bottom, 2 + extent.Height);
        int solid = 0;
        for (int y = 0; y < a.Height(); ++y) {
            for (int x = 0; x < a.Width(); ++x)
                solid += a.At(x, y) == kInk ? 1 : 0;
        }
        EXPECT_GT(solid, 10);  // full coverage gives exactly the text colour
    }
}

TEST_F(FontEngineTest, ClippedTextIsTheUnclippedTextCut) {
    const FontDescription request{"Any", -18, false, false, true, true};
    const Bitmap32 full = Draw(request, "Clip at every edge");
    for (const Rect& clip : {Rect{10, 5, 60, 15}, Rect{0, 0, 4, 40}, Rect{50, 18, 200, 40}, Rect{-9, -9, 30, 8}}) {
        Bitmap32 b(200, 40, kWhite);
        engine_.DrawText(b, 3, 2, request, "Clip at every edge", kInk, 0, clip);
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 200; ++x) {
                ASSERT_EQ(b.At(x, y), clip.Contains({x, y}) ? full.At(x, y) : kWhite) << x << "," << y;
            }
        }
    }
    Bitmap32 small(6, 6, kWhite);  // text far outside or across a tiny bitmap
    engine_.DrawText(small, -3, -7, {"Any", -40}, "WM", kInk, 0, kNoClip);
    engine_.DrawText(small, 2000000000, 0, {"Any", -40}, "WM", kInk, 50, kNoClip);
    EXPECT_NE(Ink(small), Rect{});
}

TEST_F(FontEngineTest, DecorationsSitBelowAndAcrossTheBaseline) {
    const TextMetrics m = engine_.Metrics({"Any", -20});
    const Bitmap32 plain = Draw({"Any", -20}, "ab");
    const Bitmap32 under = Draw({"Any", -20, false, false, true}, "ab");
    const Bitmap32 strike = Draw({"Any", -20, false, false, false, true}, "ab");
    const Rect u = DiffBox(under, plain), s = DiffBox(strike, plain);
    EXPECT_FALSE(u.IsEmpty());
    EXPECT_GE(u.Top, 2 + m.Ascent);
    EXPECT_LE(u.Bottom, 2 + m.Height);
    EXPECT_FALSE(s.IsEmpty());
    EXPECT_GT(s.Top, 2 + m.InternalLeading);
    EXPECT_LE(s.Bottom, 2 + m.Ascent);
    EXPECT_EQ(u.Left, 3);  // both run the text's whole advance
    EXPECT_EQ(s.Right, 3 + Extent({"Any", -20}, "ab").Width);
}

TEST_F(FontEngineTest, AnsiTextUsesCodePage1252) {
    EXPECT_EQ(AnsiToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(AnsiToUnicode(0x9F), U'\u0178');
    EXPECT_EQ(AnsiToUnicode(0x92), U'\u2019');
    EXPECT_EQ(AnsiToUnicode(0x81), U'\u0081');
    EXPECT_EQ(AnsiToUnicode(0xE9), U'\u00E9');
    EXPECT_EQ(AnsiToUnicode('A'), U'A');
    // 0x80 measures as FreeType's euro sign at the same size, not as the byte's Latin-1 control.
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    ASSERT_EQ(FT_New_Memory_Face(library, Sans().data(), static_cast<FT_Long>(Sans().size()), 0, &face), 0);
    ASSERT_EQ(FT_Set_Char_Size(face, 0, 40 * 64, 72, 72), 0);
    ASSERT_EQ(FT_Load_Glyph(face, FT_Get_Char_Index(face, 0x20AC), FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT), 0);
    const int euroAdvance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    EXPECT_EQ(Extent({"Any", -40}, "\x80").Width, euroAdvance);
    EXPECT_NE(Draw({"Any", -20}, "\x80"), Draw({"Any", -20}, "\x81"));
}

TEST_F(FontEngineTest, WordWrapBreaksAtSpacesOnly) {
    const FontDescription request{"Any", -12};
    const int line = engine_.Metrics(request).Height;
    const int all = Extent(request, "aaa bbb ccc").Width;
    Rect r{0, 0, all, 0};
    EXPECT_EQ(Formatted(r, "aaa bbb ccc", DT_WORDBREAK), line);
    EXPECT_EQ(r.Right, all);
    r = {0, 0, all - 1, 0};
    EXPECT_EQ(Formatted(r, "aaa bbb ccc", DT_WORDBREAK), 2 * line);
    EXPECT_EQ(r.Right, Extent(request, "aaa bbb").Width);  // the space at the break is not counted
    r = {0, 0, 1, 0};
    EXPECT_EQ(Formatted(r, "aaa  bbb ccc", DT_WORDBREAK), 3 * line);
    r = {0, 0, 5, 0};
    EXPECT_EQ(Formatted(r, "abcdefghij", DT_WORDBREAK), line);  // too long, yet whole
    EXPECT_EQ(r.Right, Extent(request, "abcdefghij").Width);
    r = {0, 0, 500, 0};
    EXPECT_EQ(Formatted(r, "a\r\nb\nc\rd\r\n\r\ne", 0), 6 * line);
    EXPECT_EQ(Formatted(r, "a\r\nb", DT_SINGLELINE), line);
    EXPECT_EQ(Formatted(r, "", DT_WORDBREAK), 0);
    EXPECT_EQ(r, (Rect{0, 0, 0, 0}));
}

TEST_F(FontEngineTest, PrefixesTabsAndAlignment) {
    const FontDescription request{"Any", -12};
    Rect r{0, 0, 500, 0};
    Formatted(r, "&File", 0);
    EXPECT_EQ(r.Right, Extent(request, "File").Width);
    Formatted(r, "&File", DT_NOPREFIX);
    EXPECT_EQ(r.Right, Extent(request, "&File").Width);
    Formatted(r, "a&&b&", 0);
    EXPECT_EQ(r.Right, Extent(request, "a&b").Width);
    const int tab = 8 * engine_.Metrics(request).AveCharWidth;
    Formatted(r, "ab\tc", DT_EXPANDTABS);
    EXPECT_EQ(r.Right, tab + Extent(request, "c").Width);
    Formatted(r, "ab\tc", 0);
    EXPECT_EQ(r.Right, Extent(request, "ab\tc").Width);
    // Drawn lines start where the alignment puts them and match TextOut there.
    const Rect box{10, 5, 190, 35};
    const int width = Extent(request, "Tab").Width, height = engine_.Metrics(request).Height;
    const struct {
        std::uint32_t Format;
        int X, Y;
    } cases[] = {{DT_LEFT, 10, 5},
                 {DT_RIGHT, 190 - width, 5},
                 {DT_CENTER | DT_SINGLELINE | DT_VCENTER, 10 + (180 - width) / 2, 5 + (30 - height) / 2},
                 {DT_SINGLELINE | DT_BOTTOM, 10, 35 - height}};
    for (const auto& c : cases) {
        Bitmap32 formatted(200, 40, kWhite), plain(200, 40, kWhite);
        Rect rect = box;
        const int h = engine_.DrawTextFormatted(formatted, rect, request, "Tab", c.Format, kInk, 0, kNoClip);
        engine_.DrawText(plain, c.X, c.Y, request, "Tab", kInk, 0, box);
        EXPECT_EQ(formatted, plain) << c.Format;
        EXPECT_EQ(h, (c.Format & DT_SINGLELINE) != 0 ? c.Y + height - 5 : height) << c.Format;
    }
}

TEST_F(FontEngineTest, PrefixUnderlinesOnlyItsLetter) {
    const FontDescription request{"Any", -20};
    Rect r{0, 0, 200, 40};
    Bitmap32 marked(200, 40, kWhite), plain(200, 40, kWhite);
    engine_.DrawTextFormatted(marked, r, request, "a&bc", 0, kInk, 0, kNoClip);
    engine_.DrawTextFormatted(plain, r, request, "abc", 0, kInk, 0, kNoClip);
    const int a = Extent(request, "a").Width, ab = Extent(request, "ab").Width;
    const Rect diff = DiffBox(marked, plain);
    EXPECT_EQ(diff.Left, a);
    EXPECT_EQ(diff.Right, ab);
    EXPECT_GE(diff.Top, engine_.Metrics(request).Ascent);
}

TEST_F(FontEngineTest, CalcRectHoldsWhatIsDrawn) {
    const FontDescription request{"Any", -14};
    const std::string text = "Start the suite\r\nwith a longer second line that wraps\tand tabs";
    for (const std::uint32_t format : {DT_WORDBREAK | DT_EXPANDTABS, DT_WORDBREAK | DT_CENTER, std::uint32_t{0}}) {
        Rect measured{4, 3, 150, 3};
        const int h = Formatted(measured, text, format, request);
        EXPECT_EQ(h, measured.Height());
        Bitmap32 b(400, 200, kWhite);
        Rect drawn{4, 3, 150, 3};
        EXPECT_EQ(engine_.DrawTextFormatted(b, drawn, request, text, format | DT_NOCLIP, kInk, 0, kNoClip), h);
        EXPECT_EQ(drawn, (Rect{4, 3, 150, 3}));  // drawing leaves the rectangle alone
        const Rect ink = Ink(b);
        EXPECT_GE(ink.Left, measured.Left) << format;
        EXPECT_GE(ink.Top, measured.Top) << format;
        EXPECT_LE(ink.Right, std::max(measured.Right, 150)) << format;
        EXPECT_LE(ink.Bottom, measured.Bottom) << format;
        EXPECT_GT(ink.Bottom, measured.Bottom - engine_.Metrics(request).Height) << format;
    }
}

}  // namespace
}  // namespace zindra
