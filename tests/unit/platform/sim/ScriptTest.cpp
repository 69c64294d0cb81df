// The script language: every command, comments, and errors that name their line.
#include "platform/sim/Script.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zindra::platform::sim {
namespace {

TEST(Script, ParsesEveryCommand) {
    const auto commands = ParseScript(
        "# a walk\n"
        "wait 100\n"
        "  move 10 20   # comment\n"
        "click 5 6 right\n"
        "down 1 2\n"
        "up 1 2 middle\n"
        "key X ctrl alt\n"
        "key F12\n"
        "type Anna # not a comment\n"
        "answer yes\n"
        "wait-exit\n"
        "wait-exit 500\n"
        "program-exit 3\n"
        "shot intro\n"
        "quit\r\n");
    ASSERT_EQ(commands.size(), 14u);
    EXPECT_EQ(commands[0].A, 100);
    EXPECT_EQ(commands[1].Kind, CommandKind::Move);
    EXPECT_EQ(commands[2].Button, MouseButton::Right);
    EXPECT_EQ(commands[4].Button, MouseButton::Middle);
    EXPECT_EQ(commands[5].A, 'X');
    EXPECT_EQ(commands[5].B, static_cast<std::int64_t>(MOD_CONTROL | MOD_ALT));
    EXPECT_EQ(commands[6].A, static_cast<std::int64_t>(VK_F1 + 11));
    EXPECT_EQ(commands[7].Text, "Anna # not a comment");
    EXPECT_EQ(commands[8].A, IDYES);
    EXPECT_FALSE(commands[9].HasA);
    EXPECT_TRUE(commands[10].HasA);
    EXPECT_EQ(commands[11].A, 3);
    EXPECT_EQ(commands[12].Text, "intro");
    EXPECT_EQ(commands[13].Kind, CommandKind::Quit);
    EXPECT_EQ(commands[13].Line, 15);
}

TEST(Script, WheelTurnsTakeAPointAndSignedNotches) {
    const auto commands = ParseScript("wheel 300 200 -3\nwheel 1 2 1\n");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].Kind, CommandKind::Wheel);
    EXPECT_EQ(commands[0].A, 300);
    EXPECT_EQ(commands[0].B, 200);
    EXPECT_EQ(commands[0].C, -3);
    EXPECT_EQ(commands[1].C, 1);
}

TEST(Script, ErrorsNameTheLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"wait\n", "script line 1: wait takes 1 argument(s)"},
        {"\n\nclick 1 two\n", "script line 3: not a number: two"},
        {"key Banana\n", "script line 1: unknown key: Banana"},
        {"move 1 2 left\n", "script line 1: move takes no button"},
        {"shot ../escape\n", "script line 1: a shot name is a plain file name"},
        {"dance\n", "script line 1: unknown command: dance"},
        {"wait -5\n", "script line 1: number out of range: -5"},
        {"wheel 1 2\n", "script line 1: wheel takes 3 argument(s)"},
        {"wheel 1 2 500\n", "script line 1: number out of range: 500"},
        {"type an\xE9l\n", "script line 1: type text is not UTF-8 (byte 3)"},
    };
    for (const auto& [text, message] : cases) {
        try {
            ParseScript(text);
            ADD_FAILURE() << "no error for " << text;
        } catch (const std::invalid_argument& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
}

}  // namespace
}  // namespace zindra::platform::sim
