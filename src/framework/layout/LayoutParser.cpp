// A small recursive-descent reader for layout text; the first error ends it with its line.
#include "framework/layout/LayoutParser.h"

#include <cctype>
#include <limits>

#include "framework/Exception.h"

namespace zindra {

namespace {

bool IsIdentStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

class Parser {
public:
    Parser(std::string_view text, const LayoutLimits& limits) : text_(text), limits_(limits) {}

    LayoutObject Document() {
        if (text_.size() > limits_.MaxTextBytes) Fail("layout text too large");
        SkipBlank();
        LayoutObject root = Object(1);
        SkipBlank();
        if (pos_ != text_.size()) Fail("text after the last 'end'");
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& message) const {
        throw ELayoutError("line " + std::to_string(line_) + ": " + message);
    }

    char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
    bool AtEnd() const { return pos_ >= text_.size(); }

    // Spaces, tabs and line ends, and whole-line comments starting with //.
    void SkipBlank() {
        while (!AtEnd()) {
            const char c = Peek();
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++pos_;
            } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
                while (!AtEnd() && Peek() != '\n')
                    ++pos_;
            } else {
                return;
            }
        }
    }

    void SkipSpaces() {
        while (Peek() == ' ' || Peek() == '\t' || Peek() == '\r')
            ++pos_;
    }

    std::string Identifier(const char* what) {
        if (!IsIdentStart(Peek())) Fail(std::string("expected ") + what);
        const std::size_t start = pos_;
        while (IsIdentChar(Peek()))
            ++pos_;
        return std::string(text_.substr(start, pos_ - start));
    }

    void EndOfLine() {
        SkipSpaces();
        if (!AtEnd() && Peek() != '\n') Fail("unexpected text at the end of the line");
    }

    LayoutObject Object(int depth) {
        if (depth > limits_.MaxDepth) Fail("objects nested too deeply");
        if (++objects_ > limits_.MaxObjects) Fail("too many objects");
        LayoutObject object;
        object.Line = line_;
        if (Identifier("'object'") != "object") Fail("expected 'object'");
        SkipSpaces();
        object.Name = Identifier("an object name");
        SkipSpaces();
        if (Peek() != ':') Fail("expected ':' after the object name");
        ++pos_;
        SkipSpaces();
        object.ClassName = Identifier("a class name");
        EndOfLine();
        for (;;) {
            SkipBlank();
            if (AtEnd()) Fail("missing 'end' of object " + object.Name);
            const std::size_t mark = pos_;
            const std::string word = Identifier("a property, 'object' or 'end'");
            if (word == "end") {
                EndOfLine();
                return object;
            }
            if (word == "object") {
                pos_ = mark;
                object.Children.push_back(Object(depth + 1));
                continue;
            }
            object.Properties.push_back(Property(word));
        }
    }

    LayoutProperty Property(std::string name) {
        while (Peek() == '.') {
            ++pos_;
            name += '.' + Identifier("a property name after '.'");
        }
        SkipSpaces();
        if (Peek() != '=') Fail("expected '=' after " + name);
        ++pos_;
        SkipSpaces();
        LayoutProperty property{std::move(name), Value()};
        EndOfLine();
        return property;
    }

    LayoutValue Value() {
        LayoutValue v;
        v.Line = line_;
        const char c = Peek();
        if (c == '\'' || c == '#') {
            v.Type = LayoutValue::Kind::String;
            v.Text = String();
        } else if (c == '-' || c == '$' || std::isdigit(static_cast<unsigned char>(c))) {
            v.Type = LayoutValue::Kind::Integer;
            v.Integer = Number();
        } else if (c == '[') {
            v.Type = LayoutValue::Kind::Set;
            v.Items = Set();
        } else if (c == '{') {
            v.Type = LayoutValue::Kind::Binary;
            v.Bytes = Binary();
        } else if (IsIdentStart(c)) {
            v.Type = LayoutValue::Kind::Identifier;
            v.Text = Identifier("a value");
        } else {
            Fail("expected a value");
        }
        return v;
    }

    std::int64_t Number() {
        bool negative = false;
        if (Peek() == '-') {
            negative = true;
            ++pos_;
        }
        const bool hex = Peek() == '$';
        if (hex) ++pos_;
        const int base = hex ? 16 : 10;
        std::uint64_t value = 0;
        int digits = 0;
        for (;; ++digits, ++pos_) {
            const char d = Peek();
            int digit;
            if (std::isdigit(static_cast<unsigned char>(d))) {
                digit = d - '0';
            } else if (hex && std::isxdigit(static_cast<unsigned char>(d))) {
                digit = std::tolower(static_cast<unsigned char>(d)) - 'a' + 10;
            } else {
                break;
            }
            if (value > (std::numeric_limits<std::uint64_t>::max() - static_cast<unsigned>(digit)) / base) {
                Fail("number out of range");
            }
            value = value * base + static_cast<unsigned>(digit);
        }
        if (digits == 0) Fail("expected digits");
        if (!hex && value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
            Fail("number out of range");
        }
        // $ numbers are bit patterns: $FFFFFFFF is -1 as a 32-bit value does, kept as written.
        const auto signedValue = static_cast<std::int64_t>(value);
        return negative ? -signedValue : signedValue;
    }

    std::string String() {
        std::string out;
        for (;;) {
            if (Peek() == '\'') {
                ++pos_;
                for (;;) {
                    if (AtEnd() || Peek() == '\n') Fail("string not closed on its line");
                    const char c = text_[pos_++];
                    if (c == '\'') {
                        if (Peek() != '\'') break;
                        ++pos_;
                    }
                    out += c;
                }
            } else if (Peek() == '#') {
                ++pos_;
                const std::int64_t code = Number();
                if (code < 0 || code > 255) Fail("character code out of range");
                out += static_cast<char>(code);
            } else {
                break;
            }
            if (out.size() > limits_.MaxValueBytes) Fail("string too long");
        }
        return out;
    }

    std::vector<std::string> Set() {
        ++pos_;
        std::vector<std::string> items;
        SkipSpaces();
        if (Peek() == ']') {
            ++pos_;
            return items;
        }
        for (;;) {
            SkipSpaces();
            items.push_back(Identifier("a set member"));
            SkipSpaces();
            if (Peek() == ']') {
                ++pos_;
                return items;
            }
            if (Peek() != ',') Fail("expected ',' or ']' in a set");
            ++pos_;
        }
    }

    std::vector<std::uint8_t> Binary() {
        ++pos_;
        std::vector<std::uint8_t> bytes;
        int pending = -1;
        for (;;) {
            SkipBlank();
            if (AtEnd()) Fail("binary data not closed");
            const char c = Peek();
            ++pos_;
            if (c == '}') break;
            if (!std::isxdigit(static_cast<unsigned char>(c))) Fail("binary data holds a non-hex character");
            const int nibble = std::isdigit(static_cast<unsigned char>(c))
                                   ? c - '0'
                                   : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
            if (pending < 0) {
                pending = nibble;
            } else {
                bytes.push_back(static_cast<std::uint8_t>(pending << 4 | nibble));
                pending = -1;
                if (bytes.size() > limits_.MaxValueBytes) Fail("binary data too long");
            }
        }
        if (pending >= 0) Fail("binary data has an odd number of digits");
        return bytes;
    }

    std::string_view text_;
    const LayoutLimits& limits_;
    std::size_t pos_ = 0;
    int line_ = 1;
    int objects_ = 0;
};

}  // namespace

LayoutObject ParseLayout(std::string_view text, const LayoutLimits& limits) {
    return Parser(text, limits).Document();
}

}  // namespace zindra
