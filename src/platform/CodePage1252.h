// The Windows ANSI code page the kit's texts are in (1252): its characters in Unicode, its case
// mapping as the system's upper- and lower-casing does it, and conversion from and to UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zindra::platform {

// The Unicode character of a byte; the five bytes the code page leaves undefined map to the C1
// controls of the same number, as the system's conversion does.
char32_t AnsiToUnicode(std::uint8_t c);
// The byte of a Unicode character, or none when the code page lacks it.
std::optional<std::uint8_t> UnicodeToAnsi(char32_t c);

// Letters with a partner of the other case in the code page change; every other byte stays
// (ß and µ have no capital in it).
char AnsiUpperCase(char c);
char AnsiLowerCase(char c);

// Appends a code point (up to U+10FFFF) in UTF-8.
void AppendUtf8(char32_t cp, std::string& out);
std::string AnsiToUtf8(std::string_view ansi);

// One character of UTF-8 text: its code point and the bytes it took, or Length 0 at a malformed
// sequence (a stray or missing continuation byte, an overlong form, a surrogate, past U+10FFFF).
struct Utf8Char {
    char32_t CodePoint = 0;
    std::size_t Length = 0;
};
Utf8Char DecodeUtf8(std::string_view text, std::size_t at);

}  // namespace zindra::platform
