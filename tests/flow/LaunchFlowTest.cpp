// Starting the learning programs: the argument line, minimising while a program runs and coming
// back, refused clicks, a missing file, a start the shell refuses, the volume control.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "flow/MenuWorld.h"
#include "framework/app/Application.h"
#include "menu/MainForm.h"

namespace zindra::testing {
namespace {

std::string ExpectedLine(const std::string& suite, const std::string& name, const char* language,
                         const std::string& data) {
    return "\"*" + suite + "#\" \"*" + name + "#\" \"*#\" \"*#\" \"*TRUE#\" \"*" + language + "#\" \"*" + data + "#\"";
}

struct LaunchFlow : ::testing::Test {
    MenuWorld world;
    void ClickOption(int n) {
        const platform::Point p = OptionCentre(n);
        world.Click(p.X, p.Y);
    }
    std::vector<JournalEntry> Starts() {
        std::vector<JournalEntry> out;
        for (const JournalEntry& e : world.Journal("shell-execute")) {
            if (e.Text("file").find("regsvr32") == std::string::npos) out.push_back(e);
        }
        return out;
    }
};

TEST_F(LaunchFlow, OptionThreeStartsTheReadingProgramWithTheSevenFields) {
    world.Start();
    world.WalkToOptions(1, "ANNA");
    ClickOption(3);
    const auto starts = Starts();
    ASSERT_EQ(starts.size(), 1u);
    const std::string suite = world.SuiteWindows();
    EXPECT_EQ(starts[0].Text("file"), suite + "\\boeke\\boeke.exe");  // doubled backslash at the seam
    EXPECT_EQ(starts[0].Text("params"), ExpectedLine(suite, "ANNA", "AFR", world.form->DataFolder));
    EXPECT_EQ(starts[0].Text("verb"), "open");
    EXPECT_EQ(starts[0].Number("show"), 5);
    EXPECT_EQ(starts[0].Text("dir"), "");
    EXPECT_EQ(world.Journal("window").back().Text("state"), "minimized");
    EXPECT_TRUE(world.form->ProgramRunning);
    EXPECT_TRUE(world.form->LaunchLock);
    world.machine.Programs().EndFake(0);
    world.RunFor(600);
    EXPECT_FALSE(world.form->ProgramRunning);
    EXPECT_FALSE(world.form->LaunchLock);
    EXPECT_EQ(world.form->WindowState(), TWindowState::wsNormal);
    const auto windows = world.Journal("window");
    EXPECT_EQ(windows[windows.size() - 2].Text("state"), "normal");
}

// Whatever code a program ends with, 259 (which also means still running) included, the menu
// comes back at the next poll.
TEST(LaunchEnd, TheMenuComesBackWhateverCodeTheProgramEndsWith) {
    for (const std::uint32_t code : {0u, 1u, platform::kStillActive, 0xC0000409u}) {
        SCOPED_TRACE(code);
        MenuWorld world;
        world.Start();
        world.WalkToOptions(2);
        world.Click(OptionCentre(2).X, OptionCentre(2).Y);
        ASSERT_TRUE(world.form->ProgramRunning);
        world.RunFor(2000);
        EXPECT_EQ(world.form->WindowState(), TWindowState::wsMinimized) << "still running";
        world.machine.Programs().EndFake(code);
        world.RunFor(500);
        EXPECT_EQ(world.Journal("process-exit").back().Number("code"), code);
        EXPECT_FALSE(world.form->ProgramRunning);
        EXPECT_FALSE(world.form->LaunchLock);
        EXPECT_EQ(world.form->WindowState(), TWindowState::wsNormal);
    }
}

TEST_F(LaunchFlow, EnglishGivesEngAndTheReportButtonItsProgram) {
    world.Start();
    world.WalkToOptions(2, "PIET");
    world.Click(kExitX - 104, kExitY);  // the report button
    const auto starts = Starts();
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].Text("file"), world.SuiteWindows() + "\\uitslae\\uitslae.exe");
    EXPECT_NE(starts[0].Text("params").find("\"*ENG#\""), std::string::npos);
}

TEST_F(LaunchFlow, EveryOptionStartsItsOwnProgram) {
    const char* programs[] = {"\\SOMME\\Somme.exe",       "\\onthou\\onthou.exe", "\\boeke\\boeke.exe",
                              "\\leerwyse\\leerwyse.exe", "\\woorde\\woorde.exe", "\\Raaisel\\raaisel.exe"};
    world.Start();
    world.WalkToOptions(2);
    for (int n = 1; n <= 6; ++n) {
        ClickOption(n);
        world.machine.Programs().EndFake(0);
        world.RunFor(600);
        EXPECT_EQ(Starts().back().Text("file"), world.SuiteWindows() + programs[n - 1]);
    }
}

TEST_F(LaunchFlow, AClickWhileAProgramRunsStartsNothingAndShowsNothing) {
    world.Start();
    world.WalkToOptions(2);
    ClickOption(1);
    world.form->SetWindowState(TWindowState::wsNormal);  // brought back by other means
    world.Settle();
    ClickOption(2);
    EXPECT_EQ(Starts().size(), 1u);
    EXPECT_TRUE(world.Journal("message-box").empty());
}

TEST_F(LaunchFlow, AMissingProgramShowsTheMessageAndHoverComesBack) {
    std::filesystem::remove(world.Suite() / "woorde" / "woorde.exe");
    world.Start();
    world.WalkToOptions(2);
    ClickOption(5);
    const auto boxes = world.Journal("message-box");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text("text"), "The file you selected does not exists! Please re-install software!");
    EXPECT_TRUE(Starts().empty());
    EXPECT_FALSE(world.form->LaunchLock);
    const platform::Point two = OptionCentre(2);
    world.Move(two.X, two.Y);
    EXPECT_EQ(world.FilesRead().back(), world.SuiteWindows() + "menu\\m_3e_2.jpg");
}

TEST(LaunchFailure, AStartTheShellRefusesLeavesTheMenuReadyForTheNext) {
    platform::sim::SimConfig config = MenuWorld::DefaultConfig();
    config.Programs = platform::sim::ProgramMode::Real;
    MenuWorld world(config);
    // Not a program at all: the shell has no way to start it.
    std::ofstream(world.Suite() / "boeke" / "boeke.exe", std::ios::trunc) << "not a program\n";
    std::filesystem::permissions(world.Suite() / "boeke" / "boeke.exe", std::filesystem::perms::owner_read);
    world.Start();
    world.WalkToOptions(2);
    const platform::Point three = OptionCentre(3);
    world.Click(three.X, three.Y);
    EXPECT_LE(world.Journal("shell-execute").back().Number("result"), 32);
    EXPECT_FALSE(world.form->ProgramRunning);
    EXPECT_FALSE(world.form->LaunchLock);
    EXPECT_EQ(world.form->WindowState(), TWindowState::wsNormal);
    world.Move(OptionCentre(4).X, OptionCentre(4).Y);
    EXPECT_EQ(world.FilesRead().back(), world.SuiteWindows() + "menu\\m_3e_4.jpg");
}

TEST_F(LaunchFlow, TheNameBoxRefusesADoubleQuote) {
    world.Start();
    world.RunFor(3000);
    world.Click(kEnglishX, kEnglishY);
    world.Type("AN\"NA");
    EXPECT_EQ(world.form->nameedit->Text(), "ANNA");
}

// Typed as UTF-8, delivered as code page 1252, upper-cased by it, and journalled as UTF-8.
TEST_F(LaunchFlow, TheNameIsUpperCasedByTheAnsiCodePage) {
    const std::pair<const char*, const char*> cases[] = {
        {"anél", "ANÉL"}, {"àáâãäåæçèéêëìíîïðñòóôõöøùúûüýþ", "ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞ"},
        {"šœžÿ", "ŠŒŽŸ"}, {"ßµ÷ ÀÉ €", "ßµ÷ ÀÉ €"},  // no capital in the code page, not a letter, or upper already
        {"jā", "J?"},                                // a character the code page lacks arrives as '?'
    };
    world.Start();
    world.RunFor(3000);
    world.Click(kEnglishX, kEnglishY);
    for (const auto& [typed, shown] : cases) {
        world.form->nameedit->SelectAll();
        world.Type(typed);
        world.Click(kRightHandX, kRightHandY);
        ClickOption(1);
        ASSERT_FALSE(Starts().empty());
        EXPECT_EQ(Starts().back().Text("params"),
                  ExpectedLine(world.SuiteWindows(), shown, "ENG", world.form->DataFolder))
            << typed;
        world.machine.Programs().EndFake(0);
        world.RunFor(600);
        world.Click(kBackX, kBackY);
        world.Click(kEnglishX, kEnglishY);
    }
}

TEST_F(LaunchFlow, VolumeControlMissingEverywhereSaysSo) {
    world.Start();
    world.WalkToOptions(2);
    world.Click(48, 566);
    const auto boxes = world.Journal("message-box");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text("text"), "Volume control utility not found!");
}

TEST(VolumeFlow, VolumeControlStartsMinimisedOnceAndComesBack) {
    platform::sim::SimConfig config = MenuWorld::DefaultConfig();
    config.VolumeControlInstalled = true;
    MenuWorld world(config);
    world.Start();
    world.WalkToOptions(2);
    world.Click(48, 566);
    EXPECT_EQ(world.Journal("shell-execute").back().Text("file"), "C:\\WINDOWS\\sndvol32.exe");
    EXPECT_TRUE(world.form->VolumeRunning);
    EXPECT_EQ(world.form->WindowState(), TWindowState::wsMinimized);
    world.form->MusicKnopClick(nullptr);
    EXPECT_EQ(world.Journal("message-box").back().Text("text"), "Volume control allready loaded!");
    world.machine.Programs().EndFake(0);
    world.RunFor(600);
    EXPECT_FALSE(world.form->VolumeRunning);
    EXPECT_EQ(world.form->WindowState(), TWindowState::wsNormal);
}

platform::sim::SimConfig WithRealPrograms() {
    platform::sim::SimConfig config = MenuWorld::DefaultConfig();
    config.Programs = platform::sim::ProgramMode::Real;
    return config;
}

// Walks to the option screen with the name given and clicks option n, whose program (relative to
// the suite) is the recording program; returns the JSON it wrote of its arguments.
std::string RecordedArguments(MenuWorld& world, const char* program, int language, const std::string& name,
                              int option) {
    const auto file = world.Suite() / program;
    std::filesystem::copy_file(world.Suite() / "recorder" / "recorder.exe", file,
                               std::filesystem::copy_options::overwrite_existing);
    const auto record = file.parent_path() / "args.json";
    setenv("ZINDRA_RECORD_FILE", record.c_str(), 1);
    world.Start();
    world.WalkToOptions(language, name);
    world.Click(OptionCentre(option).X, OptionCentre(option).Y);
    EXPECT_TRUE(world.machine.Programs().WaitForLast(20000)) << "the recording program did not end";
    world.RunFor(600);
    unsetenv("ZINDRA_RECORD_FILE");
    std::ifstream in(record);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(RecordingProgram, ARealProgramReceivesTheSevenFieldsAsItsArguments) {
    MenuWorld world(WithRealPrograms());
    const std::string recorded = RecordedArguments(world, "boeke/boeke.exe", 1, "SARIE", 3);
    EXPECT_EQ(world.Journal("process-exit").back().Number("code"), 0);
    EXPECT_EQ(world.form->WindowState(), TWindowState::wsNormal);
    const std::string suite = world.SuiteWindows();
    std::string escapedSuite;
    for (char c : suite)
        escapedSuite += c == '\\' ? std::string("\\\\") : std::string(1, c);
    std::string data;
    for (char c : world.form->DataFolder)
        data += c == '\\' ? std::string("\\\\") : std::string(1, c);
    EXPECT_NE(recorded.find(", \"*" + escapedSuite + "#\", \"*SARIE#\", \"*#\", \"*#\", \"*TRUE#\", \"*AFR#\", \"*" +
                            data + "#\"]"),
              std::string::npos)
        << recorded;
}

// The recording program's JSON form of a 1252 text: bytes past ASCII as \u00xx.
std::string RecordedText(const std::string& ansi) {
    std::string out;
    for (const char c : ansi) {
        const auto u = static_cast<unsigned char>(c);
        if (u == '\\' || u == '"') {
            out += '\\';
            out += c;
        } else if (u >= 0x80) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
            out += buffer;
        } else {
            out += c;
        }
    }
    return out;
}

TEST(RecordingProgram, AnAfrikaansNameArrivesInCapitalsOfTheAnsiCodePage) {
    MenuWorld world(WithRealPrograms());
    const std::string recorded = RecordedArguments(world, "SOMME/Somme.exe", 1, "anél-êëè ôöîïûü", 1);
    // In the journal as UTF-8.
    EXPECT_NE(world.Journal("shell-execute").back().Text("params").find("\"*ANÉL-ÊËÈ ÔÖÎÏÛÜ#\""), std::string::npos);
    // Received by the program as code page 1252.
    EXPECT_NE(recorded.find(", \"*" + RecordedText("AN\xC9L-\xCA\xCB\xC8 \xD4\xD6\xCE\xCF\xDB\xDC") + "#\", "),
              std::string::npos)
        << recorded;
}

}  // namespace
}  // namespace zindra::testing
