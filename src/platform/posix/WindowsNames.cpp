// Case folding and wildcard matching of file names with the Windows rules.
#include "platform/posix/WindowsNames.h"

#include <cstdint>
#include <vector>

#include "platform/CodePage1252.h"

namespace zindra::platform::posix {
namespace {

// NOTE: invalid bytes become code points in the surrogate range (0xDC80-0xDCFF), which valid
// UTF-8 cannot produce, so they match only themselves.
constexpr char32_t kInvalidByteBase = 0xDC00;

std::vector<char32_t> Decode(std::string_view text) {
    std::vector<char32_t> out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const Utf8Char c = DecodeUtf8(text, i);
        if (c.Length == 0) {
            out.push_back(kInvalidByteBase + static_cast<std::uint8_t>(text[i]));
            ++i;
            continue;
        }
        out.push_back(c.CodePoint);
        i += c.Length;
    }
    return out;
}

char32_t FoldCodePoint(char32_t cp) {
    if (cp >= U'A' && cp <= U'Z') {
        return cp + 0x20;
    }
    // Latin-1 capitals (À to Þ) except the multiplication sign.
    if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) {
        return cp + 0x20;
    }
    return cp;
}

void Encode(char32_t cp, std::string& out) {
    if (cp >= kInvalidByteBase + 0x80 && cp <= kInvalidByteBase + 0xFF) {
        out.push_back(static_cast<char>(cp - kInvalidByteBase));
    } else if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::vector<char32_t> DecodeFolded(std::string_view text) {
    std::vector<char32_t> points = Decode(text);
    for (char32_t& cp : points) {
        cp = FoldCodePoint(cp);
    }
    return points;
}

}  // namespace

std::string FoldCase(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (char32_t cp : DecodeFolded(name)) {
        Encode(cp, out);
    }
    return out;
}

bool SameNameNoCase(std::string_view a, std::string_view b) {
    return DecodeFolded(a) == DecodeFolded(b);
}

bool NameLessNoCase(std::string_view a, std::string_view b) {
    const std::vector<char32_t> foldedA = DecodeFolded(a);
    const std::vector<char32_t> foldedB = DecodeFolded(b);
    if (foldedA != foldedB) {
        return foldedA < foldedB;
    }
    return a < b;
}

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
    if (pattern == "*.*") {
        pattern = "*";
    }
    const std::vector<char32_t> p = DecodeFolded(pattern);
    const std::vector<char32_t> n = DecodeFolded(name);
    // Greedy match with one backtrack point: the most recent '*' and where it resumed.
    std::size_t pi = 0, ni = 0;
    std::size_t starAt = p.size(), resumeAt = 0;
    while (ni < n.size()) {
        if (pi < p.size() && p[pi] == U'*') {
            starAt = pi++;
            resumeAt = ni;
        } else if (pi < p.size() && (p[pi] == U'?' || p[pi] == n[ni])) {
            ++pi;
            ++ni;
        } else if (starAt != p.size()) {
            pi = starAt + 1;
            ni = ++resumeAt;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == U'*') {
        ++pi;
    }
    return pi == p.size();
}

}  // namespace zindra::platform::posix
