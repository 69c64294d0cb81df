// JSON-lines formatting of journal entries.
#include "platform/sim/Journal.h"

#include <cstdio>

#include "platform/CodePage1252.h"

namespace zindra::platform::sim {

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

std::string Journal::Escape(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    for (const char c : text)
        AppendEscaped(AnsiToUnicode(static_cast<std::uint8_t>(c)), out);
    return out;
}

std::string Journal::EscapeUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Char c = DecodeUtf8(text, i);
        AppendEscaped(c.Length ? c.CodePoint : U'\uFFFD', out);
        i += c.Length ? c.Length : 1;
    }
    return out;
}

void Journal::Write(std::string_view event, std::initializer_list<JournalField> fields) {
    std::string members;
    for (const JournalField& f : fields) {
        members += ",\"";
        members += f.Name;
        members += "\":";
        if (const auto* text = std::get_if<std::string>(&f.Data)) {
            members += '"' + Escape(*text) + '"';
        } else if (const auto* host = std::get_if<Utf8Text>(&f.Data)) {
            members += '"' + EscapeUtf8(host->Text) + '"';
        } else if (const auto* number = std::get_if<std::int64_t>(&f.Data)) {
            members += std::to_string(*number);
        } else if (const auto* json = std::get_if<JsonText>(&f.Data)) {
            members += json->Text;
        } else {
            members += std::get<bool>(f.Data) ? "true" : "false";
        }
    }
    WriteRaw(event, members.empty() ? std::string_view{} : std::string_view(members).substr(1));
}

void Journal::WriteRaw(std::string_view event, std::string_view jsonFields) {
    std::string line = "{\"t\":" + std::to_string(now_()) + ",\"ev\":\"" + Escape(event) + "\"";
    if (!jsonFields.empty()) {
        line += ',';
        line += jsonFields;
    }
    line += '}';
    Emit(line);
}

void Journal::Emit(const std::string& line) {
    std::lock_guard lock(mutex_);
    lines_.push_back(line);
    if (out_) {
        *out_ << line << '\n';
        out_->flush();
    }
}

std::vector<std::string> Journal::Lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

}  // namespace zindra::platform::sim
