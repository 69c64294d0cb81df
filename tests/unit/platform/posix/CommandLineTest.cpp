// Argument splitting and quoting with the Microsoft C runtime's rules.
#include "platform/posix/CommandLine.h"

#include <gtest/gtest.h>

#include <random>

namespace zindra::platform::posix {
namespace {

using Args = std::vector<std::string>;

struct SplitCase {
    const char* Line;
    Args Expected;
};

TEST(CommandLine, SplitsWithRuntimeRules) {
    const SplitCase cases[] = {
        {"", {}},
        {"   \t ", {}},
        {"a b\tc", {"a", "b", "c"}},
        {"  lead  trail  ", {"lead", "trail"}},
        {"\"a b\" c", {"a b", "c"}},
        {"\"\"", {""}},
        {"a \"\" b", {"a", "", "b"}},
        {"ab\"c d\"ef", {"abc def"}},
        {R"(a\\b)", {R"(a\\b)"}},               // backslashes not before a quote are literal
        {R"(C:\dir\ x)", {R"(C:\dir\)", "x"}},  // trailing backslash before a blank
        {R"(a\"b)", {"a\"b"}},                  // 1 backslash + quote: literal quote
        {R"(a\\"b c")", {R"(a\b c)"}},          // 2 + quote: one backslash, quote toggles
        {R"(a\\\"b)", {R"(a\"b)"}},             // 3 + quote: one backslash, literal quote
        {R"(a\\\\"b c")", {R"(a\\b c)"}},       // 4 + quote: two backslashes, toggle
        {R"("a""b")", {"a\"b"}},                // "" inside quotes is a quote, quoting goes on
        {R"("a""b c")", {"a\"b c"}},
        {R"(""a)", {"a"}},  // "" outside quotes: empty quoted part
        {R"("unterminated arg)", {"unterminated arg"}},
        {R"("trailing\\")", {R"(trailing\)"}},
        {"x\ny", {"x\ny"}},  // only space and tab separate
    };
    for (const SplitCase& c : cases) {
        EXPECT_EQ(SplitCommandLine(c.Line), c.Expected) << "line: " << c.Line;
    }
}

TEST(CommandLine, SplitsTheMenusArgumentLine) {
    const char* line = R"("*C:\SUITE\#" "*ANNA#" "*#" "*#" "*TRUE#" "*AFR#" "*c:\data\documents\#")";
    const Args expected = {R"(*C:\SUITE\#)", "*ANNA#", "*#", "*#", "*TRUE#", "*AFR#", R"(*c:\data\documents\#)"};
    EXPECT_EQ(SplitCommandLine(line), expected);
}

TEST(CommandLine, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(QuoteArgument("plain"), "plain");
    EXPECT_EQ(QuoteArgument(R"(C:\dir\)"), R"(C:\dir\)");
    EXPECT_EQ(QuoteArgument(""), "\"\"");
    EXPECT_EQ(QuoteArgument("a b"), "\"a b\"");
    EXPECT_EQ(QuoteArgument(R"(C:\my dir\)"), R"("C:\my dir\\")");
    EXPECT_EQ(QuoteArgument(R"(say "hi")"), R"("say \"hi\"")");
    EXPECT_EQ(QuoteArgument(R"(a\"b)"), R"("a\\\"b")");
}

TEST(CommandLine, JoinRoundTripsTable) {
    const Args samples[] = {
        {},
        {""},
        {"", "", ""},
        {R"(*C:\SUITE\#)", "*ANNA#", "*#", "*c:\\data\\documents\\#"},
        {"with space", "tab\there", R"(end\)", R"(end with space\ )", R"(\\)", "\"", "\"\"", R"(\")"},
        {"Boeke en Blaaie", "naïef", "ê"},
    };
    for (const Args& args : samples) {
        EXPECT_EQ(SplitCommandLine(JoinCommandLine(args)), args) << JoinCommandLine(args);
    }
}

TEST(CommandLine, JoinRoundTripsRandomArguments) {
    const unsigned seed = 20240611;
    std::mt19937 random(seed);
    const std::string alphabet = "ab \t\\\"\\\"x";
    for (int round = 0; round < 2000; ++round) {
        Args args(random() % 4);
        for (std::string& arg : args) {
            const std::size_t length = random() % 7;
            for (std::size_t i = 0; i < length; ++i) {
                arg += alphabet[random() % alphabet.size()];
            }
        }
        ASSERT_EQ(SplitCommandLine(JoinCommandLine(args)), args) << "seed " << seed << " round " << round;
    }
}

}  // namespace
}  // namespace zindra::platform::posix
