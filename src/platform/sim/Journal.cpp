// JSON-lines formatting of journal entries.
#include "platform/sim/Journal.h"

#include "platform/JsonEscape.h"

namespace zindra::platform::sim {

std::string Journal::Escape(std::string_view text) {
    return JsonEscape(text);
}

std::string Journal::EscapeUtf8(std::string_view text) {
    return JsonEscapeUtf8(text);
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
