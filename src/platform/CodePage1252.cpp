// Code page 1252: the table of its upper half, its case pairs, and UTF-8 in both directions.
#include "platform/CodePage1252.h"

namespace zindra::platform {

namespace {

// 0x80-0x9F, the only stretch where the code page differs from Latin-1.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Capitals and small letters outside ASCII and outside the Latin-1 run À-Þ / à-þ.
constexpr struct { std::uint8_t Upper, Lower; } kOddPairs[] = {{0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}};

}  // namespace

char32_t AnsiToUnicode(std::uint8_t c) {
    return (c >= 0x80 && c < 0xA0) ? char32_t{kHigh[c - 0x80]} : char32_t{c};
}

std::optional<std::uint8_t> UnicodeToAnsi(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<std::uint8_t>(c);
    for (std::uint8_t i = 0; i < 32; ++i) {
        if (kHigh[i] == c) return static_cast<std::uint8_t>(0x80 + i);
    }
    return std::nullopt;
}

char AnsiUpperCase(char c) {
    const auto u = static_cast<std::uint8_t>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) return static_cast<char>(u - 0x20);
    for (const auto& pair : kOddPairs) {
        if (u == pair.Lower) return static_cast<char>(pair.Upper);
    }
    return c;
}

char AnsiLowerCase(char c) {
    const auto u = static_cast<std::uint8_t>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) return static_cast<char>(u + 0x20);
    for (const auto& pair : kOddPairs) {
        if (u == pair.Upper) return static_cast<char>(pair.Lower);
    }
    return c;
}

void AppendUtf8(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string AnsiToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (const char c : ansi)
        AppendUtf8(AnsiToUnicode(static_cast<std::uint8_t>(c)), out);
    return out;
}

Utf8Char DecodeUtf8(std::string_view text, std::size_t at) {
    const auto lead = static_cast<std::uint8_t>(text[at]);
    const std::size_t length = lead < 0x80           ? 1
                               : (lead >> 5) == 0x6  ? 2
                               : (lead >> 4) == 0xE  ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 0;
    if (length == 0 || at + length > text.size()) return {};
    char32_t cp = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<std::uint8_t>(text[at + k]);
        if ((next & 0xC0) != 0x80) return {};
        cp = (cp << 6) | (next & 0x3F);
    }
    // Overlong forms would give one character two spellings.
    static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {};
    return {cp, length};
}

}  // namespace zindra::platform
