// The layout text reader: values of every kind, and errors that name their line.
#include "framework/layout/LayoutParser.h"

#include <gtest/gtest.h>

#include "framework/Exception.h"

namespace zindra {
namespace {

TEST(LayoutParser, ReadsNestedObjectsAndEveryKindOfValue) {
    const LayoutObject root = ParseLayout(
        "object Form1: TForm1\n"
        "  Caption = 'It''s'#13#10'two'\n"
        "  Color = $00333333\n"
        "  Left = -12\n"
        "  Font.Style = [fsBold, fsItalic]\n"
        "  Empty = []\n"
        "  OnCreate = FormCreate\n"
        "  // a comment line\n"
        "  object child: TImage\n"
        "    Data = {0A1b\n"
        "            FF}\n"
        "  end\n"
        "end\n");
    EXPECT_EQ(root.Name, "Form1");
    EXPECT_EQ(root.ClassName, "TForm1");
    ASSERT_EQ(root.Properties.size(), 6u);
    EXPECT_EQ(root.Properties[0].Value.Text, "It's\r\ntwo");
    EXPECT_EQ(root.Properties[1].Value.Integer, 0x333333);
    EXPECT_EQ(root.Properties[2].Value.Integer, -12);
    EXPECT_EQ(root.Properties[3].Name, "Font.Style");
    EXPECT_EQ(root.Properties[3].Value.Items, (std::vector<std::string>{"fsBold", "fsItalic"}));
    EXPECT_TRUE(root.Properties[4].Value.Items.empty());
    EXPECT_EQ(root.Properties[5].Value.Type, LayoutValue::Kind::Identifier);
    ASSERT_EQ(root.Children.size(), 1u);
    EXPECT_EQ(root.Children[0].Line, 9);
    EXPECT_EQ(root.Children[0].Properties[0].Value.Bytes, (std::vector<std::uint8_t>{0x0A, 0x1B, 0xFF}));
}

TEST(LayoutParser, ErrorsNameTheirLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"object A: B\n", "line 2: missing 'end' of object A"},
        {"object A B\nend\n", "line 1: expected ':' after the object name"},
        {"object A: B\n  X = 'open\nend\n", "line 2: string not closed on its line"},
        {"object A: B\n  X = 99999999999999999999\nend\n", "line 2: number out of range"},
        {"object A: B\n  X = #300\nend\n", "line 2: character code out of range"},
        {"object A: B\n  X = {ABC}\nend\n", "line 2: binary data has an odd number of digits"},
        {"object A: B\n  X = [a b]\nend\n", "line 2: expected ',' or ']' in a set"},
        {"object A: B\n  X = 1 2\nend\n", "line 2: unexpected text at the end of the line"},
        {"object A: B\nend\nobject C: D\nend\n", "line 3: text after the last 'end'"},
        {"", "line 1: expected 'object'"},
    };
    for (const auto& [text, message] : cases) {
        try {
            ParseLayout(text);
            ADD_FAILURE() << "no error for: " << text;
        } catch (const ELayoutError& e) {
            EXPECT_STREQ(e.what(), message) << text;
        }
    }
}

TEST(LayoutParser, DepthAndObjectLimitsHold) {
    std::string deep;
    for (int i = 0; i < 40; ++i)
        deep += "object A" + std::to_string(i) + ": T\n";
    for (int i = 0; i < 40; ++i)
        deep += "end\n";
    EXPECT_THROW(ParseLayout(deep), ELayoutError);
    LayoutLimits small;
    small.MaxObjects = 2;
    EXPECT_THROW(ParseLayout("object A: T\n object B: T\n end\n object C: T\n end\nend\n", small), ELayoutError);
}

}  // namespace
}  // namespace zindra
