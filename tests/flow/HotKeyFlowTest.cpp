// Ctrl+X closes the menu from any screen, with the machine put back each time; Ctrl+Alt+Z is taken.
#include <gtest/gtest.h>

#include "flow/MenuWorld.h"
#include "framework/app/Application.h"
#include "menu/MainForm.h"

namespace zindra::testing {
namespace {

TEST(HotKeyFlow, CtrlXClosesTheMenuDuringTheIntro) {
    MenuWorld world;
    world.Start();
    world.RunFor(700);
    world.Key('X', platform::MOD_CONTROL);
    ExpectMachinePutBack(world);
}

TEST(HotKeyFlow, CtrlXClosesTheMenuOnTheLanguageScreen) {
    MenuWorld world;
    world.Start();
    world.RunFor(3000);
    world.Key('X', platform::MOD_CONTROL);
    ExpectMachinePutBack(world);
}

TEST(HotKeyFlow, CtrlXClosesTheMenuOnTheOptionScreenAfterTheLeftHand) {
    MenuWorld world;
    world.Start();
    world.RunFor(3000);
    world.Click(kEnglishX, kEnglishY);
    world.Click(kLeftHandX, kLeftHandY);
    ASSERT_TRUE(world.Journal("mouse-swap").back().Flag("swapped"));
    world.Key('X', platform::MOD_CONTROL);
    ExpectMachinePutBack(world);
}

TEST(HotKeyFlow, CtrlAltZIsTakenAndDoesNothing) {
    MenuWorld world;
    world.Start();
    world.RunFor(3000);
    world.Key('Z', platform::MOD_CONTROL | platform::MOD_ALT);
    world.RunFor(100);
    EXPECT_FALSE(world.app->Terminated());
    // Another program cannot have the combination while the menu runs.
    platform::sim::SimProcess other(world.machine);
    const platform::WindowHandle window = other.GetDesktop().CreateMessageWindow();
    EXPECT_FALSE(other.GetDesktop().RegisterHotKey(window, 1, platform::MOD_CONTROL | platform::MOD_ALT, 'Z'));
}

TEST(HotKeyFlow, HotKeysAreGivenBackAtTheEnd) {
    MenuWorld world;
    world.Start();
    world.Close();
    int released = 0;
    for (const JournalEntry& e : world.Journal("hotkey"))
        released += !e.Flag("registered");
    EXPECT_EQ(released, 2);
}

}  // namespace
}  // namespace zindra::testing
