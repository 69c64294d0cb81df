// Parsing of display modes given on the command line.
#include "app/ModeArgument.h"

#include <charconv>
#include <utility>

namespace zindra::app {

namespace {

// least is 1 for sizes and depths; a refresh rate may be 0, the hardware's default.
bool ReadNumber(const std::string& text, std::size_t& at, int& value, int least = 1) {
    const char* begin = text.data() + at;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr == begin || value < least || value > 100000) return false;
    at += static_cast<std::size_t>(ptr - begin);
    return true;
}

}  // namespace

std::optional<ModeArgument> ParseModeArgument(const std::string& text) {
    ModeArgument mode;
    std::size_t at = 0;
    if (!ReadNumber(text, at, mode.Width) || at >= text.size() || text[at++] != 'x') return std::nullopt;
    if (!ReadNumber(text, at, mode.Height)) return std::nullopt;
    if (at < text.size() && text[at] == 'x') {
        ++at;
        if (!ReadNumber(text, at, mode.BitsPerPixel)) return std::nullopt;
    }
    if (at < text.size() && text[at] == '@') {
        ++at;
        if (!ReadNumber(text, at, mode.Frequency, 0)) return std::nullopt;
    }
    if (at != text.size()) return std::nullopt;
    return mode;
}

std::optional<std::vector<ModeArgument>> ParseModeArguments(const std::string& text) {
    std::vector<ModeArgument> modes;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const auto mode = ParseModeArgument(text.substr(start, comma == std::string::npos ? comma : comma - start));
        if (!mode) return std::nullopt;
        modes.push_back(*mode);
        if (comma == std::string::npos) return modes;
        start = comma + 1;
    }
}

std::vector<ModeArgument> DefaultModeArguments() {
    std::vector<ModeArgument> modes;
    for (const int bits : {16, 32}) {
        for (const auto& [w, h] : {std::pair{640, 480}, std::pair{800, 600}, std::pair{1024, 768}})
            modes.push_back({w, h, bits, 60});
    }
    return modes;
}

}  // namespace zindra::app
