// JSON string escaping, with every text written out as UTF-8.
#include "platform/JsonEscape.h"

#include <cstdio>

#include "platform/CodePage1252.h"

namespace zindra::platform {

namespace {

// JSON's own escapes, and \u for the controls (C0, DEL and C1); everything else as UTF-8.
void AppendEscaped(char32_t cp, std::string& out) {
    switch (cp) {
        case '"':
            out += "\\\"";
            return;
        case '\\':
            out += "\\\\";
            return;
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\t':
            out += "\\t";
            return;
        default:
            break;
    }
    if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0)) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(cp));
        out += buffer;
        return;
    }
    AppendUtf8(cp, out);
}

}  // namespace

std::string JsonEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    for (const char c : text)
        AppendEscaped(AnsiToUnicode(static_cast<std::uint8_t>(c)), out);
    return out;
}

std::string JsonEscapeUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Char c = DecodeUtf8(text, i);
        AppendEscaped(c.Length ? c.CodePoint : U'\uFFFD', out);
        i += c.Length ? c.Length : 1;
    }
    return out;
}

}  // namespace zindra::platform
