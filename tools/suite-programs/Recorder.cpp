// A test double for started programs: records its argument vector as JSON (and on Windows its
// command line as the system holds it, byte for byte, beside it in FILE.cmdline) and exits as told.
#include <cstdio>
#include <string>

#include "SelfPath.h"

namespace {

// Exit code when the record cannot be written, so a caller never mistakes a lost record for a run.
constexpr int kCannotRecord = 125;

std::size_t Utf8Length(const std::string& s, std::size_t at) {
    const auto b = static_cast<unsigned char>(s[at]);
    const std::size_t n = b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
    if (n == 0 || at + n > s.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < n; ++k) {
        if ((static_cast<unsigned char>(s[at + k]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return n;
}

// JSON string body. Valid UTF-8 passes through; any other byte >= 0x80 is read as Latin-1 (the usual
// Windows code page for these names) and written as \u00XX, so the output is always valid JSON.
std::string JsonString(const std::string& s) {
    static const char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7F || (c >= 0x80 && Utf8Length(s, i) == 0)) {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else if (c >= 0x80) {
            const std::size_t n = Utf8Length(s, i);
            out.append(s, i, n);
            i += n;
            continue;
        } else {
            out += static_cast<char>(c);
        }
        ++i;
    }
    return out + "\"";
}

bool WriteRecord(const std::string& file, const std::string& json) {
    // Written beside the target and renamed into place, so a reader never sees half a record.
    const std::string temporary = file + ".tmp";
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (out == nullptr) {
        return false;
    }
    const bool written = std::fwrite(json.data(), 1, json.size(), out) == json.size();
    if (std::fclose(out) != 0 || !written) {
        std::remove(temporary.c_str());
        return false;
    }
#ifdef _WIN32
    std::remove(file.c_str());
#endif
    return std::rename(temporary.c_str(), file.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string json = "[";
    for (int i = 0; i < argc; ++i) {
        json += (i == 0 ? "" : ", ") + JsonString(argv[i]);
    }
    json += "]\n";
    const char* target = std::getenv("ZINDRA_RECORD_FILE");
    const std::string file = target != nullptr && *target != '\0'
                                 ? target
                                 : zindra::suiteprograms::SelfPath(argc > 0 ? argv[0] : nullptr) + ".args.json";
    if (!WriteRecord(file, json)) {
        std::fprintf(stderr, "recorder: cannot write %s\n", file.c_str());
        return kCannotRecord;
    }
#ifdef _WIN32
    // The raw line: what the parsing into argv would hide (quoting, spaces, the code page).
    if (!WriteRecord(file + ".cmdline", GetCommandLineA())) {
        std::fprintf(stderr, "recorder: cannot write %s.cmdline\n", file.c_str());
        return kCannotRecord;
    }
#endif
    zindra::suiteprograms::HoldFor(zindra::suiteprograms::EnvNumber("ZINDRA_RECORD_HOLD_MS", 0));
    return static_cast<int>(zindra::suiteprograms::EnvNumber("ZINDRA_RECORD_EXIT", 0));
}
