// The way out: the exit button's instruction and last intro frame, the exit screen over the menu
// in either language with its advert at the top, the button held and released, Ctrl+X from the
// exit screen, missing pictures that close it after 200 ms, and each time the program's end with
// the machine put back; golden pictures of the exit screen in both languages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "flow/MenuWorld.h"
#include "framework/app/Application.h"
#include "framework/graphics/JpegDecoder.h"
#include "imaging/RasterView.h"
#include "make-suite/Draw.h"
#include "make-suite/JpegOut.h"
#include "menu/AdvertForm.h"
#include "menu/MainForm.h"
#include "support/GoldenFile.h"
#include "widgets/ImageButAdvanced.h"

namespace zindra::testing {
namespace {

namespace fs = std::filesystem;
using platform::MouseButton;

constexpr int kScreenExitX = 762, kScreenExitY = 570;  // the middle of the exit screen's button

// What the exit screen showed, read while it was up.
struct Seen {
    bool Shown = false;
    std::string Hint;
    bool TimerOn = false;
    bool BackgroundLoaded = false;
    bool AdvertLoaded = false;
    float Horz = -1, Vert = -1;
    bool BarsEnabled = false;
    std::string Hover, Held, Released;  // which face the button showed
    Bitmap32 Screen;
    std::int64_t ShownAt = -1;
};

std::string FaceName(Tadvertform& s) {
    const TGraphic* g = s.exitbut->Picture()->Graphic();
    if (!g || g->Empty()) return "none";
    const Bitmap32 now = g->ToPixels();
    if (now == s.exitbut->PicTo()->Graphic()->ToPixels()) return "hover";
    if (now == s.exitbut->PicDown()->Graphic()->ToPixels()) return "down";
    if (now == s.exitbut->PicFrom()->Graphic()->ToPixels()) return "rest";
    return "other";
}

Bitmap32 ToBitmap(const platform::PixelFrame& frame) {
    Bitmap32 b(frame.Width, frame.Height);
    for (int y = 0; y < frame.Height; ++y)
        for (int x = 0; x < frame.Width; ++x)
            b.At(x, y) = frame.At(x, y) | 0xFF000000u;
    return b;
}

// Drives the exit screen with a hand on the machine's clock: the hand works the mouse while the
// test's thread is inside the exit screen's modal loop, each step once the program has dealt
// with the one before.
struct ExitDriver {
    MenuWorld& world;
    Seen seen;

    void Settle() { world.machine.Clock().Sleep(0); }
    void MoveTo(int x, int y) {
        world.machine.Input().MoveTo(x, y);
        Settle();
    }
    void Press(int x, int y) {
        MoveTo(x, y);
        world.machine.Input().Press(x, y, MouseButton::Left);
        Settle();
    }
    void Release(int x, int y) {
        world.machine.Input().Release(x, y, MouseButton::Left);
        Settle();
    }
    Tadvertform* ExitScreen() { return dynamic_cast<Tadvertform*>(world.app->ActiveForm()); }
    void Look() {
        Tadvertform* s = ExitScreen();
        seen.Shown = s != nullptr && s->Visible();
        if (!seen.Shown) return;
        seen.ShownAt = world.Now();
        seen.Hint = s->exitbut->Hint();
        seen.TimerOn = s->closetimer->Enabled();
        seen.BackgroundLoaded = !s->bground->Picture()->Empty();
        seen.AdvertLoaded = !s->adviewer->Bitmap()->IsEmpty();
        seen.Horz = s->adviewer->HorzBar().Position();
        seen.Vert = s->adviewer->VertBar().Position();
        seen.BarsEnabled = s->adviewer->HorzBar().DrawEnabled() && s->adviewer->VertBar().DrawEnabled();
        seen.Screen = ToBitmap(world.machine.Screenshot());
    }
    // Clicks the menu's exit button, looks at the exit screen, then does the rest; returns when
    // the program has ended (or a minute has passed).
    void Leave(const std::function<void()>& rest) {
        auto hand = world.machine.Clock().StartBackgroundThread([&] {
            Press(kExitX, kExitY);
            Release(kExitX, kExitY);
            Look();
            if (rest) rest();
        });
        EXPECT_TRUE(world.RunUntilClosed());
        hand->Join();
    }
    // The button's faces as the pointer comes, presses and lets go; the release closes the screen.
    void PressTheExitScreensButton() {
        Tadvertform* s = ExitScreen();
        if (!s) return;
        // The face once the release has been dealt with, as the screen closes.
        s->OnClose = [this, s](TObject*, TCloseAction&) { seen.Released = FaceName(*s); };
        MoveTo(kScreenExitX, kScreenExitY);
        seen.Hover = FaceName(*s);
        Press(kScreenExitX, kScreenExitY);
        seen.Held = FaceName(*s);
        Release(kScreenExitX, kScreenExitY);
    }
    // When the exit screen's window was hidden again.
    std::int64_t ExitScreenHiddenAt() {
        for (const JournalEntry& e : world.Journal("window"))
            if (e.Text("title") == "advertform" && e.Text("state") == "hidden") return e.T;
        return -1;
    }
};

struct ExitFlow : ::testing::Test {
    MenuWorld world;
    ExitDriver driver{world, {}};
    Seen& seen = driver.seen;
    void SetUp() override { world.Start(); }
};

TEST_F(ExitFlow, EnglishShowsTheAdvertAtItsTopThenTheButtonEndsTheProgram) {
    world.WalkToOptions(2);
    driver.Leave([this] { driver.PressTheExitScreensButton(); });
    ASSERT_TRUE(seen.Shown);
    EXPECT_EQ(seen.Hint, "Exit");
    EXPECT_FALSE(seen.TimerOn);
    EXPECT_TRUE(seen.BackgroundLoaded);
    EXPECT_EQ(seen.Vert, 0) << "scrolled to the advert's top";
    EXPECT_FLOAT_EQ(seen.Horz, 900 / 2 - 626 / 2.0f) << "left on the middle";
    EXPECT_TRUE(seen.BarsEnabled);
    EXPECT_EQ(seen.Hover, "hover");
    EXPECT_EQ(seen.Held, "down");
    EXPECT_EQ(seen.Released, "hover");
    // The advert's top edge fills the viewer: compare the screen with the file.
    std::ifstream in(world.Suite() / "add_E.jpg", std::ios::binary);
    const Bitmap32 advert = DecodeJpeg(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {}));
    ASSERT_FALSE(seen.Screen.Empty());
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{300, 40}, std::pair{625, 458}})
        EXPECT_EQ(seen.Screen.At(77 + x, 64 + y), advert.At(137 + x, y) | 0xFF000000u) << x << "," << y;
    const auto files = world.FilesRead();
    ASSERT_GE(files.size(), 4u);
    const std::string suite = world.SuiteWindows();
    EXPECT_EQ(std::vector<std::string>(files.end() - 4, files.end()),
              (std::vector<std::string>{suite + "Sounds-eng\\instruk_3.wav", suite + "menu\\intro_13.jpg",
                                        suite + "addback_E.jpg", suite + "add_E.jpg"}));
    EXPECT_GE(driver.ExitScreenHiddenAt(), seen.ShownAt);
    ExpectMachinePutBack(world);
}

TEST_F(ExitFlow, AfrikaansTakesItsPicturesAndHint) {
    world.WalkToOptions(1);
    driver.Leave([this] { driver.PressTheExitScreensButton(); });
    ASSERT_TRUE(seen.Shown);
    EXPECT_EQ(seen.Hint, "Gaan uit");
    const auto files = world.FilesRead();
    EXPECT_EQ(files[files.size() - 2], world.SuiteWindows() + "addback_A.jpg");
    EXPECT_EQ(files.back(), world.SuiteWindows() + "add_A.jpg");
    ExpectMachinePutBack(world);
}

TEST_F(ExitFlow, CtrlXEndsTheProgramFromTheExitScreen) {
    world.WalkToOptions(2);
    driver.Leave([this] { world.machine.Input().Key('X', platform::MOD_CONTROL); });
    ASSERT_TRUE(seen.Shown);
    ExpectMachinePutBack(world);
}

// Missing pictures: the screen closes itself 200 ms after it is shown, whatever it could load.
struct MissingRow {
    const char* Name;
    std::vector<const char*> Removed;
    bool AdvertShown;
    const char* Hint;
};

TEST(ExitFlowMissing, MissingPicturesCloseTheScreen200MsAfterItIsShown) {
    const MissingRow rows[] = {
        {"no adverts", {"add_A.jpg", "add_E.jpg"}, false, "Gaan Terug"},
        {"no backgrounds", {"addback_A.jpg", "addback_E.jpg"}, true, "Gaan Terug"},
        {"nothing at all", {"add_A.jpg", "add_E.jpg", "addback_A.jpg", "addback_E.jpg"}, false, "Gaan Terug"},
    };
    for (const MissingRow& row : rows) {
        SCOPED_TRACE(row.Name);
        MenuWorld world;
        for (const char* name : row.Removed)
            fs::remove(world.Suite() / name);
        world.Start();
        world.WalkToOptions(2);
        ExitDriver driver{world, {}};
        driver.Leave(nullptr);
        ASSERT_TRUE(driver.seen.Shown);
        EXPECT_TRUE(driver.seen.TimerOn);
        EXPECT_EQ(driver.seen.AdvertLoaded, row.AdvertShown);
        EXPECT_FALSE(driver.seen.BackgroundLoaded);
        EXPECT_EQ(driver.seen.Hint, row.Hint);
        EXPECT_EQ(driver.ExitScreenHiddenAt() - driver.seen.ShownAt, 200);
        ExpectMachinePutBack(world);
    }
}

// Flat pictures whose edges lie on 16-pixel lines, so every decoder gives the same pixels: a
// background with a band, and an advert larger than the viewer whose top edge is marked.
void WriteFlatExitPictures(const fs::path& suite) {
    using suitemaker::Rgb;
    using suitemaker::TRgbImage;
    for (const bool afrikaans : {true, false}) {
        TRgbImage back(800, 600, afrikaans ? Rgb{40, 96, 64} : Rgb{64, 48, 112});
        back.Fill({32, 16, 768, 48}, {224, 208, 80});
        suitemaker::WriteJpeg(suite / (afrikaans ? "addback_A.jpg" : "addback_E.jpg"), back);
        TRgbImage advert(960, 1200, {240, 240, 240});
        for (int y = 48; y < 1200; y += 96)
            advert.Fill({0, y, 960, y + 48}, afrikaans ? Rgb{208, 128, 48} : Rgb{48, 128, 208});
        advert.Fill({0, 0, 960, 32}, {208, 32, 32});
        advert.Fill({464, 0, 496, 1200}, {32, 32, 32});  // the middle, where the view opens
        suitemaker::WriteJpeg(suite / (afrikaans ? "add_A.jpg" : "add_E.jpg"), advert);
    }
}

TEST(ExitFlowPicture, TheExitScreenInEitherLanguage) {
    for (const int language : {1, 2}) {
        const std::string name = language == 1 ? "exit-screen-afrikaans" : "exit-screen-english";
        SCOPED_TRACE(name);
        MenuWorld world;
        WriteFlatExitPictures(world.Suite());
        world.Start();
        world.WalkToOptions(language);
        ExitDriver driver{world, {}};
        driver.Leave([&driver] { driver.PressTheExitScreensButton(); });
        ASSERT_TRUE(driver.seen.Shown);
        EXPECT_TRUE(golden::MatchesGoldenFile(driver.seen.Screen, name));
    }
}

}  // namespace
}  // namespace zindra::testing
