// A line reader for layout files that keeps only what the generator needs: each object's bounds.
#include "LayoutBounds.h"

#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "SuiteError.h"

namespace zindra::suitemaker {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

struct OpenObject {
    std::string Name;
    std::optional<int> Left, Top, Width, Height;
};

std::optional<int>* BoundSlot(OpenObject& object, std::string_view property) {
    if (property == "Left") return &object.Left;
    if (property == "Top") return &object.Top;
    if (property == "Width") return &object.Width;
    if (property == "Height") return &object.Height;
    return nullptr;
}

[[noreturn]] void Fail(int lineNumber, const std::string& what) {
    throw SuiteError("layout line " + std::to_string(lineNumber) + ": " + what);
}

void ReadBound(OpenObject& object, std::string_view line, int lineNumber) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        return;
    }
    std::optional<int>* slot = BoundSlot(object, Trim(line.substr(0, eq)));
    if (slot == nullptr) {
        return;
    }
    const std::string_view value = Trim(line.substr(eq + 1));
    int parsed = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), parsed);
    if (error != std::errc{} || end != value.data() + value.size()) {
        Fail(lineNumber, "bound is not an integer: " + std::string(value));
    }
    *slot = parsed;
}

void Close(OpenObject& object, LayoutBounds& out) {
    if (object.Left && object.Top && object.Width && object.Height) {
        out[object.Name] = platform::Rect::FromBounds(*object.Left, *object.Top, *object.Width, *object.Height);
    }
}

}  // namespace

LayoutBounds ParseLayoutBounds(std::string_view text) {
    LayoutBounds out;
    std::vector<OpenObject> stack;
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        const std::string_view line = Trim(text.substr(0, newline));
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        ++lineNumber;
        if (line.starts_with("object ") || line.starts_with("inherited ")) {
            const std::string_view rest = Trim(line.substr(line.find(' ') + 1));
            stack.push_back({std::string(Trim(rest.substr(0, rest.find(':')))), {}, {}, {}, {}});
        } else if (line == "end") {
            if (stack.empty()) {
                Fail(lineNumber, "'end' without an object");
            }
            Close(stack.back(), out);
            stack.pop_back();
        } else if (!stack.empty()) {
            ReadBound(stack.back(), line, lineNumber);
        }
    }
    if (!stack.empty()) {
        Fail(lineNumber, "object '" + stack.back().Name + "' has no 'end'");
    }
    return out;
}

LayoutBounds ReadLayoutBounds(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw SuiteError("cannot open the layout " + file.string());
    }
    std::ostringstream text;
    text << in.rdbuf();
    return ParseLayoutBounds(text.str());
}

platform::Rect BoundsOf(const LayoutBounds& bounds, const std::string& name) {
    const auto found = bounds.find(name);
    if (found == bounds.end()) {
        throw SuiteError("the layout has no bounds for '" + name + "'");
    }
    return found->second;
}

}  // namespace zindra::suitemaker
