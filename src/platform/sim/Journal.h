// The journal of a simulated run: one JSON object per line for every externally visible action,
// stamped with the virtual time. Thread-safe.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zindra::platform::sim {

// A value already written as JSON (an array, say).
struct JsonText {
    std::string Text;
};

// A text that is UTF-8 already (a path of the host), not one of the program's 1252 texts.
struct Utf8Text {
    std::string Text;
};

// One field of a journal line: a name and a text, number, flag or ready JSON.
struct JournalField {
    using Value = std::variant<std::string, std::int64_t, bool, JsonText, Utf8Text>;
    std::string_view Name;
    Value Data;
    JournalField(std::string_view name, std::string_view text) : Name(name), Data(std::string(text)) {}
    JournalField(std::string_view name, const char* text) : Name(name), Data(std::string(text ? text : "")) {}
    JournalField(std::string_view name, const std::string& text) : Name(name), Data(text) {}
    JournalField(std::string_view name, bool flag) : Name(name), Data(flag) {}
    JournalField(std::string_view name, JsonText json) : Name(name), Data(std::move(json)) {}
    JournalField(std::string_view name, Utf8Text text) : Name(name), Data(std::move(text)) {}
    template <typename N>
    requires std::is_integral_v<N> &&(!std::is_same_v<N, bool>)JournalField(std::string_view name, N number)
        : Name(name), Data(static_cast<std::int64_t>(number)) {}
};

class Journal {
public:
    explicit Journal(std::function<std::int64_t()> now) : now_(std::move(now)) {}

    // Lines go to the stream (may be null) and are kept in memory for tests.
    void SetOutput(std::ostream* out) { out_ = out; }
    void Write(std::string_view event, std::initializer_list<JournalField> fields);
    // Fields already formatted as JSON members ("\"a\":1,\"b\":true"), for callers above the platform.
    void WriteRaw(std::string_view event, std::string_view jsonFields);
    std::vector<std::string> Lines() const;

    // The body of a JSON string in UTF-8: from a 1252 text, or from UTF-8 (a malformed byte
    // becomes U+FFFD).
    static std::string Escape(std::string_view text);
    static std::string EscapeUtf8(std::string_view text);

private:
    void Emit(const std::string& line);

    std::function<std::int64_t()> now_;
    mutable std::mutex mutex_;
    std::ostream* out_ = nullptr;
    std::vector<std::string> lines_;
};

}  // namespace zindra::platform::sim
