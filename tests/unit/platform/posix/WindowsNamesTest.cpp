// Windows name comparison: case folding and wildcards.
#include "platform/posix/WindowsNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace zindra::platform::posix {
namespace {

TEST(WindowsNames, FoldsAsciiAndLatinOneLettersOnly) {
    EXPECT_TRUE(SameNameNoCase("Boeke.EXE", "boeke.exe"));
    EXPECT_TRUE(SameNameNoCase("ÊËÏÔÛ", "êëïôû"));
    EXPECT_FALSE(SameNameNoCase("×", "÷"));  // multiplication and division signs are not a case pair
    EXPECT_FALSE(SameNameNoCase("boeke", "boeke "));
    EXPECT_EQ(FoldCase("NAÏEF Ô"), "naïef ô");
}

TEST(WindowsNames, KeepsInvalidUtf8Distinct) {
    EXPECT_FALSE(SameNameNoCase("\xC3", "\xC4"));
    EXPECT_FALSE(SameNameNoCase("\xC0\xAF", "/"));  // an overlong '/' is not '/'
    EXPECT_TRUE(SameNameNoCase("A\xFF", "a\xFF"));
    EXPECT_EQ(FoldCase("X\xFF\xC3"), "x\xFF\xC3");
}

TEST(WindowsNames, MatchesWildcardsLikeTheFileSearch) {
    struct Case {
        const char* Pattern;
        const char* Name;
        bool Matches;
    };
    const Case cases[] = {
        {"*", "", true},
        {"*", "anything", true},
        {"*.mid", "a.MID", true},
        {"*.mid", "a.midi", false},
        {"*.mid", ".mid", true},
        {"?.mid", "ab.mid", false},
        {"?.mid", "ê.mid", true},
        {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYc d", false},
        {"*aab", "aaab", true},
        {"*.*", "noext", true},
        {"*.*", "a.b", true},
        {"x", "X", true},
        {"", "", true},
        {"", "a", false},
        {"**", "a", true},
        {"a?", "a", false},
        {"*a", "bbb", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchesWildcard(c.Pattern, c.Name), c.Matches) << c.Pattern << " vs " << c.Name;
    }
}

TEST(WindowsNames, OrdersWithoutCaseThenByBytes) {
    std::vector<std::string> names = {"b", "B", "a", "Ä", "ä", "C"};
    std::sort(names.begin(), names.end(),
              [](const std::string& x, const std::string& y) { return NameLessNoCase(x, y); });
    EXPECT_EQ(names, (std::vector<std::string>{"a", "B", "b", "C", "Ä", "ä"}));
}

}  // namespace
}  // namespace zindra::platform::posix
