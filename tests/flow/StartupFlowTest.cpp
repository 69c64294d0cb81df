// What the menu does to the machine at start and undoes at the end: registration, font smoothing,
// the data folder, the task bar, the display mode, the hot keys and the instance mutex.
#include <gtest/gtest.h>

#include <fstream>

#include "flow/MenuWorld.h"
#include "framework/app/Application.h"
#include "menu/MainForm.h"

namespace zindra::testing {
namespace {

using platform::sim::DisplayMode;
using platform::sim::SimConfig;

SimConfig WithScreen(DisplayMode screen, std::vector<DisplayMode> modes = platform::sim::DefaultDisplayModes()) {
    SimConfig config = MenuWorld::DefaultConfig();
    config.Screen = screen;
    config.Modes = std::move(modes);
    return config;
}

TEST(Startup, JournalShowsEveryChangeToTheMachineInOrder) {
    MenuWorld world;
    world.Start();
    std::vector<std::string> events;
    for (const JournalEntry& e : world.Journal()) {
        if (e.T == 0 && e.Event != "file-read" && e.Event != "midi") events.push_back(e.Event);
    }
    EXPECT_EQ(events, (std::vector<std::string>{"mutex", "hotkey", "mixer", "mixer", "hotkey", "shell-execute",
                                                "process-exit", "font-smoothing", "dir-create", "taskbar",
                                                "display-mode", "broadcast", "window"}));
    const JournalEntry mutex = world.Journal("mutex")[0];
    EXPECT_EQ(mutex.Text("name"), "zindra.exe");
    const auto hotkeys = world.Journal("hotkey");
    EXPECT_EQ(hotkeys[0].Number("mods"), 2);
    EXPECT_EQ(hotkeys[0].Number("vk"), 0x58);
    EXPECT_EQ(hotkeys[1].Number("mods"), 3);
    EXPECT_EQ(hotkeys[1].Number("vk"), 0x5A);
    const JournalEntry shell = world.Journal("shell-execute")[0];
    EXPECT_EQ(shell.Text("file"), "C:\\WINDOWS\\system32\\regsvr32");
    // Quoted, so the control in a folder with a space in its path is registered.
    EXPECT_EQ(shell.Text("params"), "/s \"C:\\Program Files\\Zindra\\mp3p.ocx\"");
    EXPECT_EQ(world.Journal("process-exit")[0].Number("code"), 0);
    EXPECT_TRUE(world.Journal("font-smoothing")[0].Flag("on"));
    EXPECT_FALSE(world.Journal("taskbar")[0].Flag("visible"));
    const JournalEntry mode = world.Journal("display-mode")[0];
    EXPECT_EQ(mode.Number("w"), 800);
    EXPECT_EQ(mode.Number("bpp"), 32);
    EXPECT_TRUE(mode.Flag("stored"));
    EXPECT_EQ(world.Journal("broadcast")[0].Number("wparam"), 42);
    const JournalEntry window = world.Journal("window")[0];
    EXPECT_EQ(window.Text("title"), "Zindra! Gr 6-7 v4.2");
    EXPECT_NE(window.Line.find("\"bounds\":[0,0,800,600]"), std::string::npos);
}

TEST(Startup, DestructionResetsMouseShowsTaskBarAndRestoresTheMode) {
    SimConfig config = MenuWorld::DefaultConfig();
    config.MouseButtonsSwapped = true;  // swapped before the program started: reset all the same
    MenuWorld world(config);
    world.Start();
    world.Close();
    const auto swap = world.Journal("mouse-swap");
    ASSERT_EQ(swap.size(), 1u);
    EXPECT_FALSE(swap[0].Flag("swapped"));
    EXPECT_TRUE(world.Journal("taskbar").back().Flag("visible"));
    const auto modes = world.Journal("display-mode");
    ASSERT_EQ(modes.size(), 2u);
    EXPECT_EQ(modes[1].Number("w"), 1024);
    EXPECT_EQ(modes[1].Number("h"), 768);
    EXPECT_EQ(world.machine.Screen().Current().Width, 1024);
}

TEST(Startup, FallsBackTo16BitsWhenThereIsNo32BitMode) {
    MenuWorld world(WithScreen({1024, 768, 32, 60}, {{800, 600, 16, 60}, {1024, 768, 32, 60}, {800, 600, 32, 75}}));
    world.Start();
    const auto modes = world.Journal("display-mode");
    ASSERT_EQ(modes.size(), 1u);
    EXPECT_EQ(modes[0].Number("bpp"), 16);
    EXPECT_EQ(modes[0].Number("hz"), 60);  // the 75 Hz mode is never taken: the rate stays
}

TEST(Startup, TheLastMatchingModeWins) {
    MenuWorld world(WithScreen({1024, 768, 32, 60}, {{800, 600, 32, 60}, {1024, 768, 32, 60}, {800, 600, 32, 60}}));
    world.Start();
    EXPECT_EQ(world.form->ModeList.size(), 4u);  // three enumerated and the current one appended
    EXPECT_EQ(world.form->StartModeNo, 4);
}

TEST(Startup, NoSuitableModeShowsTheMessageAndClosesAfter2500Ms) {
    MenuWorld world(WithScreen({1024, 768, 32, 60}, {{640, 480, 32, 60}, {1024, 768, 32, 60}}));
    world.Start();
    const auto boxes = world.Journal("message-box");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text("text"),
              "This program requires a screen resolution of at least 800x600 @ 16bit colour. Please update your "
              "display drivers.");
    EXPECT_EQ(boxes[0].Text("kind"), "information");
    EXPECT_TRUE(world.Journal("display-mode").empty());
    const std::int64_t start = world.Now();
    EXPECT_TRUE(world.RunUntilClosed());
    EXPECT_EQ(world.Now() - start, 2500);
}

TEST(Startup, ScreenAlreadyRightButBelow16BitsWarnsAndChangesNothing) {
    MenuWorld world(WithScreen({800, 600, 8, 60}));
    world.Start();
    const auto boxes = world.Journal("message-box");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text("kind"), "warning");
    EXPECT_EQ(boxes[0].Text("text"),
              "This program requires a colordepth of at least 16-bit to view the graphics in this application. Update "
              "your display driver or graphics adaptor.");
    world.RunFor(500);
    EXPECT_FALSE(world.app->Terminated());
    world.Close();
    EXPECT_TRUE(world.Journal("display-mode").empty());
}

TEST(Startup, TheSwitchFileDecidesWhetherTheDisplayIsTouched) {
    for (const auto& [firstLine, touched] :
         {std::pair{"SET=NO", false}, std::pair{"XSET=YESX", true}, std::pair{"set=yes", false}}) {
        MenuWorld world;
        std::ofstream(world.Suite() / "displaysettings.txt") << firstLine << "\r\nSET=YES\r\n";
        world.Start();
        EXPECT_EQ(!world.Journal("display-mode").empty(), touched) << firstLine;
        // Sized to 800 by 600 either way, and centred on whatever the screen then is.
        const platform::Rect expected =
            touched ? platform::Rect::FromBounds(0, 0, 800, 600) : platform::Rect::FromBounds(112, 84, 800, 600);
        EXPECT_EQ(world.form->BoundsRect(), expected) << firstLine;
    }
}

TEST(Startup, DataFolderComesFromAllUsersProfileInLowerCase) {
    SimConfig config = MenuWorld::DefaultConfig();
    config.Environment = {"PATH=C:\\WINDOWS", "ALLUSERSPROFILE=C:\\Documents and Settings\\All Users"};
    MenuWorld world(config);
    world.Start();
    EXPECT_EQ(world.form->DataFolder, "c:\\documents and settings\\all users\\documents\\");
    config.Environment = {"PATH=C:\\WINDOWS"};
    MenuWorld without(config);
    without.Start();
    EXPECT_EQ(without.form->DataFolder, "C:\\WINDOWS\\system32\\");
}

TEST(Startup, AnUncreatableDataFolderFallsBackToTheCurrentFolder) {
    SimConfig config = MenuWorld::DefaultConfig();
    config.Environment = {"ALLUSERSPROFILE=Q:\\Nowhere"};
    MenuWorld world(config);
    world.Start();
    EXPECT_EQ(world.form->DataFolder, world.SuiteWindows());
}

}  // namespace
}  // namespace zindra::testing
