// Case-insensitive comparison and lower-casing of ANSI text.
#include "framework/Text.h"

#include <cctype>

namespace zindra {

namespace {
char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}
}  // namespace

bool SameTextNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

std::string LowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = Lower(c);
    return out;
}

std::string ExtensionOf(std::string_view fileName) {
    const auto dot = fileName.find_last_of('.');
    const auto slash = fileName.find_last_of("\\/:");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
    return LowerCase(fileName.substr(dot + 1));
}

}  // namespace zindra
