// The walk through the menu's screens: the intro's timing, the language screen and its hover
// pictures, name entry, the hand choice with the mouse-button swap, the option screen, the back
// and exit buttons, and a missing picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "flow/MenuWorld.h"
#include "framework/app/Application.h"
#include "framework/graphics/JpegDecoder.h"
#include "imaging/PngGraphic.h"
#include "menu/MainForm.h"
#include "widgets/ImageBut.h"

namespace zindra::testing {
namespace {

struct ScreenFlow : ::testing::Test {
    MenuWorld world;
    std::string menu;
    void SetUp() override {
        world.Start();
        menu = world.SuiteWindows() + "menu\\";
    }
    // When each file was read, by name in the menu folder.
    std::int64_t ReadAt(const std::string& name, int occurrence = 1) {
        for (const JournalEntry& e : world.Journal("file-read")) {
            if (e.Text("path") == menu + name && --occurrence == 0) return e.T;
        }
        return -1;
    }
    int Reads(const std::string& name) {
        int n = 0;
        for (const std::string& f : world.FilesRead())
            n += f == menu + name;
        return n;
    }
    // The screen now shows the picture file (compared at a few points away from controls).
    bool Shows(const std::string& name) {
        std::ifstream in(world.Suite() / "menu" / name, std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
        const Bitmap32 picture = DecodeJpeg(bytes);
        const auto screen = world.machine.Screenshot();
        for (const auto& [x, y] : {std::pair{5, 5}, std::pair{400, 40}, std::pair{790, 300}}) {
            if ((screen.At(x, y) & 0xFFFFFF) != (picture.At(x, y) & 0xFFFFFF)) return false;
        }
        return true;
    }
};

TEST_F(ScreenFlow, IntroShowsThirteenFramesThenTheLanguageScreen) {
    const std::int64_t t0 = ReadAt("intro_1.jpg");
    ASSERT_GE(t0, 0);
    EXPECT_TRUE(Shows("intro_1.jpg"));
    world.RunFor(1800);
    EXPECT_TRUE(Shows("intro_13.jpg"));
    EXPECT_EQ(ReadAt("intro_2.jpg") - t0, 100);
    for (int frame = 3; frame <= 13; ++frame) {
        EXPECT_EQ(ReadAt("intro_" + std::to_string(frame) + ".jpg") - t0, 100 + 150 * (frame - 2)) << frame;
    }
    EXPECT_EQ(ReadAt("m_1.jpg"), -1);
    world.RunFor(1200);
    EXPECT_EQ(ReadAt("m_1.jpg") - ReadAt("intro_13.jpg"), 1150);
    EXPECT_TRUE(Shows("m_1.jpg"));
    EXPECT_TRUE(world.form->langoverlayafr->Visible());
}

TEST_F(ScreenFlow, LanguageHoverPicturesLoadOnceEachUntilTheOtherZone) {
    world.RunFor(3000);
    world.Move(kAfrikaansX, kAfrikaansY);
    world.Move(kAfrikaansX + 20, kAfrikaansY);
    EXPECT_TRUE(Shows("m_1_1.jpg"));
    EXPECT_EQ(Reads("m_1_1.jpg"), 1);
    EXPECT_EQ(world.form->LastHover, 1);
    world.Move(kBackgroundX, kBackgroundY);  // moving off restores nothing
    EXPECT_TRUE(Shows("m_1_1.jpg"));
    world.Move(kEnglishX, kEnglishY);
    EXPECT_TRUE(Shows("m_1_2.jpg"));
    world.Move(kAfrikaansX, kAfrikaansY);
    EXPECT_EQ(Reads("m_1_1.jpg"), 2);
}

TEST_F(ScreenFlow, EnglishShowsTheEnglishHandButtonsHintsAndInstruction) {
    world.RunFor(3000);
    world.Click(kEnglishX, kEnglishY);
    EXPECT_EQ(world.form->Language, 2);
    EXPECT_TRUE(Shows("m_2e.jpg"));
    EXPECT_TRUE(world.form->lefthandbut_e->Visible());
    EXPECT_FALSE(world.form->lefthandbut_a->Visible());
    EXPECT_TRUE(world.form->nameedit->Visible());
    EXPECT_FALSE(world.form->langoverlayeng->Visible());
    EXPECT_EQ(world.form->exitbut->Hint(), "Exit Zindra!");
    EXPECT_EQ(world.form->backbut->Hint(), "Back to language option");
    EXPECT_EQ(world.form->reportbut->Hint(), "Report");
    EXPECT_EQ(world.form->musicknop->Hint(), "Mute music");
    EXPECT_EQ(world.FilesRead().back(), world.SuiteWindows() + "Sounds-eng\\instruk_1.wav");
}

TEST_F(ScreenFlow, AfrikaansTakesItsSoundsAndHints) {
    world.RunFor(3000);
    world.Click(kAfrikaansX, kAfrikaansY);
    EXPECT_TRUE(Shows("m_2a.jpg"));
    EXPECT_EQ(world.form->exitbut->Hint(), "Verlaat Zindra!");
    EXPECT_EQ(world.form->backbut->Hint(), "Terug na taalkeuse");
    EXPECT_EQ(world.form->reportbut->Hint(), "Verslag");
    EXPECT_EQ(world.form->musicknop->Hint(), "Musiek aan/af");
    EXPECT_EQ(world.FilesRead().back(), world.SuiteWindows() + "Sounds-afr\\instruk_1.wav");
}

TEST_F(ScreenFlow, EnterWithTheUntouchedNameAcceptsZindra) {
    world.RunFor(3000);
    world.Click(kEnglishX, kEnglishY);
    world.Key(platform::VK_RETURN);
    EXPECT_EQ(world.form->PupilName, "ZINDRA");
    EXPECT_TRUE(Shows("m_3e.jpg"));
    EXPECT_FALSE(world.Journal("mouse-swap")[0].Flag("swapped"));
    EXPECT_EQ(world.FilesRead().back(), world.SuiteWindows() + "Sounds-eng\\instruk_4.wav");
    for (int n = 1; n <= 6; ++n)
        EXPECT_TRUE(world.form->Components()[static_cast<std::size_t>(n)]->Name().find("option") == 0);
    EXPECT_TRUE(world.form->option6->Visible());
    EXPECT_EQ(world.form->option6->Cursor(), 31);
    EXPECT_TRUE(world.form->exitbut->Visible());
}

TEST_F(ScreenFlow, EnterInAnEmptiedBoxKeepsTheScreenAndTheFocus) {
    world.RunFor(3000);
    world.Click(kEnglishX, kEnglishY);
    world.Key(platform::VK_BACK);  // the whole selected text goes
    ASSERT_EQ(world.form->nameedit->Text(), "");
    world.Key(platform::VK_RETURN);
    EXPECT_TRUE(Shows("m_2e.jpg"));
    EXPECT_TRUE(world.form->nameedit->Visible());
    EXPECT_TRUE(world.form->nameedit->Focused());
    EXPECT_TRUE(world.Journal("mouse-swap").empty());
}

TEST_F(ScreenFlow, TheTypingInstructionPlaysOncePerRunOnTheSecondLetter) {
    const std::string instruction = world.SuiteWindows() + "Sounds-eng\\instruk_5.wav";
    const auto count = [&] {
        int n = 0;
        for (const std::string& f : world.FilesRead())
            n += f == instruction;
        return n;
    };
    world.RunFor(3000);
    world.Click(kEnglishX, kEnglishY);
    world.Type("B");
    EXPECT_EQ(count(), 0);
    world.Type("E");
    EXPECT_EQ(count(), 1);
    world.Click(kRightHandX, kRightHandY);
    world.Click(kBackX, kBackY);
    world.Click(kEnglishX, kEnglishY);
    EXPECT_EQ(world.form->nameedit->Text(), "BE");  // the name typed before is still there
    world.Key(platform::VK_BACK);
    world.Type("XY");
    EXPECT_EQ(count(), 1);
    world.RunFor(6500);  // the delay timer switches itself off and nothing else happens
    EXPECT_EQ(count(), 1);
}

TEST_F(ScreenFlow, TheLeftHandSwapsTheButtonsSoTheRightPhysicalButtonClicks) {
    world.RunFor(3000);
    world.Click(kEnglishX, kEnglishY);
    world.Click(kLeftHandX, kLeftHandY);
    ASSERT_TRUE(world.Journal("mouse-swap")[0].Flag("swapped"));
    ASSERT_TRUE(Shows("m_3e.jpg"));
    world.Click(kBackX, kBackY);  // a physical left press is a right press now: no click
    EXPECT_TRUE(Shows("m_3e.jpg"));
    world.Click(kBackX, kBackY, platform::MouseButton::Right);
    EXPECT_TRUE(Shows("m_1.jpg"));
    EXPECT_EQ(world.Journal("mouse-swap").size(), 1u);  // back keeps the setting
    world.Close();
    EXPECT_FALSE(world.Journal("mouse-swap").back().Flag("swapped"));
}

TEST_F(ScreenFlow, OptionHoverSharesLastHoverWithTheLanguageZones) {
    world.RunFor(3000);
    world.Move(kAfrikaansX, kAfrikaansY);  // LastHover 1
    world.Click(kAfrikaansX, kAfrikaansY);
    world.Click(kRightHandX, kRightHandY);
    ASSERT_TRUE(Shows("m_3a.jpg"));
    const platform::Point one = OptionCentre(1);
    world.Move(one.X, one.Y);
    EXPECT_EQ(Reads("m_3a_1.jpg"), 0);  // zone 1 counts as hovered already
    const platform::Point two = OptionCentre(2);
    world.Move(two.X, two.Y);
    EXPECT_TRUE(Shows("m_3a_2.jpg"));
    world.Move(one.X, one.Y);
    EXPECT_TRUE(Shows("m_3a_1.jpg"));
}

TEST_F(ScreenFlow, MovingOverTheBackgroundBlanksTheSmallButtonsUntilEnteredAgain) {
    world.WalkToOptions(2);
    world.Move(kExitX, kExitY);
    EXPECT_FALSE(world.form->exitbut->Picture()->Empty());
    // A real pointer crossing the background sends many moves; the leave comes after the first.
    world.Move(kBackgroundX, kBackgroundY);
    world.Move(kBackgroundX + 5, kBackgroundY);
    EXPECT_TRUE(world.form->exitbut->Picture()->Empty());
    EXPECT_TRUE(world.form->backbut->Picture()->Empty());
    EXPECT_FALSE(world.form->exitbut->PicFrom()->Empty());
    EXPECT_FALSE(world.form->musicknop->Picture()->Empty());
    world.Move(kExitX, kExitY);
    EXPECT_FALSE(world.form->exitbut->Picture()->Empty());
}

// The exit and report buttons' hover pictures are PNG pictures; the report button's see-through
// corners show the screen beneath and its middle is the picture itself.
TEST_F(ScreenFlow, HoverPicturesOfExitAndReportArePngsDrawnOverTheScreen) {
    constexpr int kReportLeft = 610, kReportTop = 544;
    world.WalkToOptions(2);
    world.Move(kBackgroundX, kBackgroundY);
    world.Move(kBackgroundX + 5, kBackgroundY);  // blanks the small buttons: the screen alone
    const Pixel beneath = world.machine.Screenshot().At(kReportLeft, kReportTop);
    world.Move(kReportLeft + 24, kReportTop + 22);
    const auto* png = dynamic_cast<const TPngGraphic*>(world.form->reportbut->Picture()->Graphic());
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(png->TransparencyMode(), TPngTransparencyMode::ptmPartial);
    const platform::PixelFrame shot = world.machine.Screenshot();
    EXPECT_EQ(shot.At(kReportLeft, kReportTop), beneath);
    EXPECT_EQ(shot.At(kReportLeft + 24, kReportTop + 22), png->ToPixels().At(24, 22));
    world.Move(kExitX, kExitY);
    EXPECT_NE(dynamic_cast<const TPngGraphic*>(world.form->exitbut->Picture()->Graphic()), nullptr);
}

TEST_F(ScreenFlow, BackPlaysTheEffectAndShowsTheLanguageScreen) {
    world.WalkToOptions(1);
    world.Click(kBackX, kBackY);
    EXPECT_EQ(world.FilesRead()[world.FilesRead().size() - 2], world.SuiteWindows() + "fxsounds\\back.wav");
    EXPECT_TRUE(Shows("m_1.jpg"));
    EXPECT_FALSE(world.form->option1->Visible());
    EXPECT_FALSE(world.form->exitbut->Visible());
    EXPECT_TRUE(world.form->langoverlayeng->Visible());
    world.Click(kEnglishX, kEnglishY);
    EXPECT_TRUE(world.form->lefthandbut_e->Visible());
    EXPECT_EQ(world.form->nameedit->Text(), "ANNA");
}

TEST_F(ScreenFlow, ExitPlaysTheGoodbyeShowsTheLastFrameAndCloses) {
    world.WalkToOptions(2);
    world.Click(kExitX, kExitY);
    EXPECT_TRUE(world.app->Terminated());
    const auto files = world.FilesRead();
    EXPECT_EQ(files[files.size() - 2], world.SuiteWindows() + "Sounds-eng\\instruk_3.wav");
    EXPECT_EQ(files.back(), menu + "intro_13.jpg");
    EXPECT_FALSE(world.form->option1->Visible());
}

// A frame that is missing, or there but not a picture, ends the program with the same warning.
TEST(ScreenFlowFailure, AMissingOrUndecodablePictureShowsTheMessageAndTerminates) {
    const struct {
        const char* Name;
        const char* Bytes;  // null: no file at all
    } cases[] = {{"missing", nullptr},
                 {"empty", ""},
                 {"not a picture", "GIF89a but not really"},
                 {"a JPEG that stops after its start", "\xFF\xD8\xFF\xE0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        MenuWorld world;
        const auto frame = world.Suite() / "menu" / "intro_5.jpg";
        std::filesystem::remove(frame);
        if (c.Bytes) std::ofstream(frame, std::ios::binary) << c.Bytes;
        world.Start();
        EXPECT_TRUE(world.RunUntilClosed());
        const auto boxes = world.Journal("message-box");
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].Text("text"), "Animation frame does not exists! Uninstall and then re-install software.");
        EXPECT_EQ(boxes[0].Text("kind"), "warning");
        EXPECT_EQ(boxes[0].T, 550);
        world.Close();
        EXPECT_TRUE(world.Journal("taskbar").back().Flag("visible"));
    }
}

TEST(ScreenFlowFailure, AnUndecodableHoverPictureShowsTheMessageAndTerminates) {
    MenuWorld world;
    std::ofstream(world.Suite() / "menu" / "m_1_1.jpg", std::ios::binary | std::ios::trunc) << "no picture";
    world.Start();
    world.RunFor(3000);
    world.Move(kAfrikaansX, kAfrikaansY);
    EXPECT_TRUE(world.RunUntilClosed());
    ASSERT_EQ(world.Journal("message-box").size(), 1u);
    EXPECT_EQ(world.Journal("message-box")[0].Text("text"),
              "Animation frame does not exists! Uninstall and then re-install software.");
}

}  // namespace
}  // namespace zindra::testing
