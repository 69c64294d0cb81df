// Parsing of run scripts.
#include "platform/sim/Script.h"

#include <charconv>
#include <sstream>
#include <stdexcept>

#include "platform/CodePage1252.h"
#include "platform/sim/SimInput.h"

namespace zindra::platform::sim {

namespace {

[[noreturn]] void Fail(int line, const std::string& message) {
    throw std::invalid_argument("script line " + std::to_string(line) + ": " + message);
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

std::int64_t Number(const std::string& word, int line, std::int64_t low, std::int64_t high) {
    std::int64_t value = 0;
    const auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc() || ptr != word.data() + word.size()) Fail(line, "not a number: " + word);
    if (value < low || value > high) Fail(line, "number out of range: " + word);
    return value;
}

MouseButton ButtonOf(const std::string& word, int line) {
    if (word == "left") return MouseButton::Left;
    if (word == "right") return MouseButton::Right;
    if (word == "middle") return MouseButton::Middle;
    Fail(line, "unknown mouse button: " + word);
}

void ParsePointer(ScriptCommand& c, const std::vector<std::string>& w) {
    if (w.size() < 3 || w.size() > 4) Fail(c.Line, w[0] + " needs X Y and an optional button");
    c.A = Number(w[1], c.Line, -100000, 100000);
    c.B = Number(w[2], c.Line, -100000, 100000);
    if (w.size() == 4) {
        if (c.Kind == CommandKind::Move) Fail(c.Line, "move takes no button");
        c.Button = ButtonOf(w[3], c.Line);
    }
}

void ParseKey(ScriptCommand& c, const std::vector<std::string>& w) {
    if (w.size() < 2) Fail(c.Line, "key needs a key name");
    const auto code = KeyCodeOf(w[1]);
    if (!code) Fail(c.Line, "unknown key: " + w[1]);
    c.A = *code;
    for (std::size_t i = 2; i < w.size(); ++i) {
        if (w[i] == "ctrl") {
            c.B |= MOD_CONTROL;
        } else if (w[i] == "alt") {
            c.B |= MOD_ALT;
        } else if (w[i] == "shift") {
            c.B |= MOD_SHIFT;
        } else {
            Fail(c.Line, "unknown modifier: " + w[i]);
        }
    }
}

int AnswerOf(const std::string& word, int line) {
    if (word == "ok") return IDOK;
    if (word == "yes") return IDYES;
    if (word == "no") return IDNO;
    if (word == "cancel") return IDCANCEL;
    Fail(line, "unknown answer: " + word);
}

ScriptCommand ParseLine(const std::string& raw, int line) {
    const std::vector<std::string> w = Words(raw);
    ScriptCommand c;
    c.Line = line;
    const std::string& verb = w[0];
    const auto needs = [&](std::size_t count) {
        if (w.size() != count) Fail(line, verb + " takes " + std::to_string(count - 1) + " argument(s)");
    };
    if (verb == "wait") {
        needs(2);
        c.A = Number(w[1], line, 0, 24LL * 3600 * 1000);
    } else if (verb == "move" || verb == "down" || verb == "up" || verb == "click") {
        c.Kind = verb == "move"   ? CommandKind::Move
                 : verb == "down" ? CommandKind::Down
                 : verb == "up"   ? CommandKind::Up
                                  : CommandKind::Click;
        ParsePointer(c, w);
    } else if (verb == "wheel") {
        needs(4);
        c.Kind = CommandKind::Wheel;
        c.A = Number(w[1], line, -100000, 100000);
        c.B = Number(w[2], line, -100000, 100000);
        c.C = Number(w[3], line, -100, 100);
    } else if (verb == "key") {
        c.Kind = CommandKind::Key;
        ParseKey(c, w);
    } else if (verb == "type") {
        c.Kind = CommandKind::Type;
        const auto at = raw.find("type") + 4;
        c.Text = raw.substr(at < raw.size() && raw[at] == ' ' ? at + 1 : at);
        if (c.Text.empty()) Fail(line, "type needs text");
        for (std::size_t i = 0; i < c.Text.size(); i += DecodeUtf8(c.Text, i).Length) {
            if (DecodeUtf8(c.Text, i).Length == 0)
                Fail(line, "type text is not UTF-8 (byte " + std::to_string(i + 1) + ")");
        }
    } else if (verb == "answer") {
        needs(2);
        c.Kind = CommandKind::Answer;
        c.A = AnswerOf(w[1], line);
    } else if (verb == "wait-exit") {
        if (w.size() > 2) Fail(line, "wait-exit takes at most one argument");
        c.Kind = CommandKind::WaitExit;
        c.HasA = w.size() == 2;
        if (c.HasA) c.A = Number(w[1], line, 0, 24LL * 3600 * 1000);
    } else if (verb == "program-exit") {
        needs(2);
        c.Kind = CommandKind::ProgramExit;
        c.A = Number(w[1], line, 0, 0xFFFFFFFFLL);
    } else if (verb == "shot") {
        needs(2);
        c.Kind = CommandKind::Shot;
        c.Text = w[1];
        if (c.Text.find_first_of("/\\") != std::string::npos || c.Text == "." || c.Text == "..") {
            Fail(line, "a shot name is a plain file name");
        }
    } else if (verb == "quit") {
        needs(1);
        c.Kind = CommandKind::Quit;
    } else {
        Fail(line, "unknown command: " + verb);
    }
    return c;
}

}  // namespace

std::vector<ScriptCommand> ParseScript(std::string_view text) {
    std::vector<ScriptCommand> commands;
    std::istringstream in{std::string(text)};
    int line = 0;
    for (std::string raw; std::getline(in, raw);) {
        ++line;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        raw.erase(0, raw.find_first_not_of(" \t") == std::string::npos ? raw.size() : raw.find_first_not_of(" \t"));
        if (const auto hash = raw.find('#'); hash != std::string::npos && raw.rfind("type ", 0) != 0) {
            raw.erase(hash);
        }
        if (Words(raw).empty()) continue;
        commands.push_back(ParseLine(raw, line));
    }
    return commands;
}

}  // namespace zindra::platform::sim
