// Code page 1252: case pairs as the system's upper- and lower-casing gives them, the way to and
// from Unicode, and UTF-8 decoding that refuses every malformed form.
#include "platform/CodePage1252.h"

#include <gtest/gtest.h>

namespace zindra::platform {
namespace {

// Every letter of the code page with a partner of the other case, as (small, capital).
constexpr std::pair<std::uint8_t, std::uint8_t> kCasePairs[] = {
    {0x9A, 0x8A} /* š Š */,
    {0x9C, 0x8C} /* œ Œ */,
    {0x9E, 0x8E} /* ž Ž */,
    {0xFF, 0x9F} /* ÿ Ÿ */,
};

TEST(CodePage1252, EveryLetterHasTheSystemsCasePartnerAndNothingElseChanges) {
    std::uint8_t upper[256], lower[256];
    for (int b = 0; b < 256; ++b)
        upper[b] = lower[b] = static_cast<std::uint8_t>(b);
    for (int b = 'a'; b <= 'z'; ++b) {
        upper[b] = static_cast<std::uint8_t>(b - 32);
        lower[b - 32] = static_cast<std::uint8_t>(b);
    }
    // à..þ and À..Þ, except the division and multiplication signs.
    for (int b = 0xE0; b <= 0xFE; ++b) {
        if (b == 0xF7) continue;
        upper[b] = static_cast<std::uint8_t>(b - 32);
        lower[b - 32] = static_cast<std::uint8_t>(b);
    }
    for (const auto& [small, capital] : kCasePairs) {
        upper[small] = capital;
        lower[capital] = small;
    }
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        EXPECT_EQ(static_cast<std::uint8_t>(AnsiUpperCase(c)), upper[b]) << "byte " << b;
        EXPECT_EQ(static_cast<std::uint8_t>(AnsiLowerCase(c)), lower[b]) << "byte " << b;
    }
    // The Afrikaans letters by name: é ê ë è ô ö î ï û ü.
    for (const std::uint8_t b : {0xE9, 0xEA, 0xEB, 0xE8, 0xF4, 0xF6, 0xEE, 0xEF, 0xFB, 0xFC})
        EXPECT_EQ(static_cast<std::uint8_t>(AnsiUpperCase(static_cast<char>(b))), b - 0x20);
    EXPECT_EQ(AnsiUpperCase('\xDF'), '\xDF');  // ß has no capital in the code page
    EXPECT_EQ(AnsiUpperCase('\xB5'), '\xB5');  // nor has µ
}

TEST(CodePage1252, EveryByteGoesToUnicodeAndBack) {
    for (int b = 0; b < 256; ++b) {
        const char32_t cp = AnsiToUnicode(static_cast<std::uint8_t>(b));
        ASSERT_EQ(UnicodeToAnsi(cp), static_cast<std::uint8_t>(b)) << "byte " << b;
    }
    EXPECT_EQ(AnsiToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(AnsiToUnicode(0x8A), U'\u0160');
    EXPECT_EQ(AnsiToUnicode(0x81), U'\u0081');          // undefined: the C1 control of the same number
    EXPECT_EQ(UnicodeToAnsi(U'\u0080'), std::nullopt);  // Latin-1's control, not the euro's place
    EXPECT_EQ(UnicodeToAnsi(U'\u0100'), std::nullopt);
    EXPECT_EQ(UnicodeToAnsi(U'\U0001F600'), std::nullopt);
    EXPECT_EQ(AnsiToUtf8("AN\xC9L \x80\x9F"), "AN\xC3\x89L \xE2\x82\xAC\xC5\xB8");
}

TEST(CodePage1252, Utf8DecodingRefusesEveryMalformedForm) {
    const struct {
        const char* Text;
        char32_t CodePoint;
        std::size_t Length;
    } cases[] = {
        {"a", U'a', 1},
        {"\xC3\xA9", U'\u00E9', 2},
        {"\xE2\x82\xAC", U'\u20AC', 3},
        {"\xF0\x9F\x98\x80", U'\U0001F600', 4},
        {"\xA9", 0, 0},  // a continuation byte alone
        {"\xC3", 0, 0},  // cut short
        {"\xC3"
         "A",
         0, 0},                      // no continuation
        {"\xC0\x80", 0, 0},          // overlong NUL
        {"\xE0\x80\xAF", 0, 0},      // overlong slash
        {"\xED\xA0\x80", 0, 0},      // a surrogate
        {"\xF4\x90\x80\x80", 0, 0},  // past U+10FFFF
        {"\xFF", 0, 0},
    };
    for (const auto& c : cases) {
        const Utf8Char u = DecodeUtf8(c.Text, 0);
        EXPECT_EQ(u.Length, c.Length) << c.Text;
        EXPECT_EQ(u.CodePoint, c.CodePoint) << c.Text;
    }
}

}  // namespace
}  // namespace zindra::platform
