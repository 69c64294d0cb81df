// The menu's pointer and hints: the hand over every zone and button stored with cursor 31, the
// arrow elsewhere, and the exit, back and report buttons' shaped hints in both languages, in the
// menu's light-yellow rectangles; the music button's hint never shows.
#include <gtest/gtest.h>

#include <string>

#include "flow/MenuWorld.h"
#include "framework/app/Application.h"
#include "framework/controls/HintWindow.h"
#include "menu/MainForm.h"
#include "widgets/MorphButton.h"
#include "widgets/ShapeHint.h"
#include "widgets/ShapeHintWindow.h"

namespace zindra::testing {
namespace {

constexpr platform::Point kReport{634, 566};
constexpr platform::Point kMusic{48, 566};

struct HintFlow : ::testing::Test {
    MenuWorld world;
    void SetUp() override { world.Start(); }

    bool HandShown() {
        const platform::CursorImage shown = world.machine.Pointer().CurrentImage();
        return world.machine.Pointer().Current() != 0 && shown.Image.Width == 32 &&
               shown.HotSpot == platform::Point{5, 2};
    }
    // The hint window after the pointer has rested on (x, y) for the hint delay; null if none shows.
    THintWindow* RestOn(platform::Point p) {
        world.Move(p.X, p.Y);
        world.RunFor(600);
        THintWindow* hint = world.app->HintWindow();
        return hint && hint->Visible() ? hint : nullptr;
    }
};

TEST_F(HintFlow, TheLayoutsMorphButtonInstallsTheHandAndItsShapeHintTheHints) {
    const TMorphButton* morph = world.form->MorphButton1;
    ASSERT_NE(morph, nullptr);
    EXPECT_FALSE(morph->Visible());
    EXPECT_EQ(morph->BoundsRect(), platform::Rect::FromBounds(304, 0, 25, 25));
    EXPECT_EQ(morph->MorphRate(), 250);
    EXPECT_EQ(morph->MorphPic1()->Width(), 120);
    EXPECT_NE(world.app->Screen().Cursor(31), 0u);
    ASSERT_NE(world.form->ZkShapeHint1, nullptr);
    EXPECT_EQ(TZkShapeHint::Active(), world.form->ZkShapeHint1);
    EXPECT_EQ(world.form->ZkShapeHint1->Style(), TZkHintStyle::hsRect);
    EXPECT_EQ(world.form->ZkShapeHint1->GetShadow().Color(), 12189695);
}

TEST_F(HintFlow, TheHandShowsOverEveryZoneAndButtonAndTheArrowElsewhere) {
    world.RunFor(3000);
    world.Move(kAfrikaansX, kAfrikaansY);
    EXPECT_TRUE(HandShown()) << "Afrikaans zone";
    world.Move(kEnglishX, kEnglishY);
    EXPECT_TRUE(HandShown()) << "English zone";
    world.Move(kBackgroundX, kBackgroundY);
    EXPECT_EQ(world.machine.Pointer().Current(), 0u);
    world.Click(kEnglishX, kEnglishY);
    world.Type("ANNA");
    world.Move(kRightHandX, kRightHandY);
    EXPECT_TRUE(HandShown()) << "right hand";
    world.Click(kRightHandX, kRightHandY);
    for (int n = 1; n <= 6; ++n) {
        const platform::Point p = OptionCentre(n);
        world.Move(p.X, p.Y);
        EXPECT_TRUE(HandShown()) << "option " << n;
    }
    for (const platform::Point p : {platform::Point{kExitX, kExitY}, {kBackX, kBackY}, kReport}) {
        world.Move(p.X, p.Y);
        EXPECT_TRUE(HandShown()) << p.X << "," << p.Y;
    }
    world.Move(kMusic.X, kMusic.Y);
    EXPECT_EQ(world.machine.Pointer().Current(), 0u) << "the music button keeps the arrow";
}

TEST_F(HintFlow, EachHintedButtonShowsItsShapedHintInBothLanguages) {
    struct Language {
        int Number;
        const char* Exit;
        const char* Back;
        const char* Report;
    };
    for (const Language& language : {Language{1, "Verlaat Zindra!", "Terug na taalkeuse", "Verslag"},
                                     Language{2, "Exit Zindra!", "Back to language option", "Report"}}) {
        if (language.Number == 1) {
            world.WalkToOptions(1);
        } else {
            world.Click(kBackX, kBackY);
            world.RunFor(300);
            world.Click(kEnglishX, kEnglishY);
            world.Click(kRightHandX, kRightHandY);
        }
        for (const auto& [place, text] : {std::pair{platform::Point{kExitX, kExitY}, language.Exit},
                                          {platform::Point{kBackX, kBackY}, language.Back},
                                          {kReport, language.Report}}) {
            world.Move(kBackgroundX, kBackgroundY);
            THintWindow* hint = RestOn(place);
            ASSERT_NE(hint, nullptr) << text;
            EXPECT_NE(dynamic_cast<TZkShapeHintWindow*>(hint), nullptr) << text;
            EXPECT_EQ(hint->HintText(), text);
            const platform::Rect b = hint->BoundsRect();
            EXPECT_TRUE(b.Left >= 0 && b.Top >= 0 && b.Right < 800 && b.Bottom < 600) << text;
            EXPECT_FALSE(b.Contains(place)) << text << ": the hint covers the pointer";
            const platform::PixelFrame screen = world.machine.Screenshot();
            EXPECT_EQ(screen.At(b.Left, b.Top), 0xFF000000u) << text;
            EXPECT_EQ(screen.At(b.Left + 1, b.Top + 1), 0xFFFFFFCCu) << text;
            EXPECT_EQ(screen.At(b.Right - 1, b.Bottom - 1), 0xFF000000u) << text;
            world.RunFor(3000);
            EXPECT_FALSE(hint->Visible()) << text << ": still shown after the hint's time";
        }
    }
    int shown = 0;
    for (const JournalEntry& e : world.Journal("window")) {
        shown += e.Text("class") == "TZkShapeHintWindow" && e.Text("state") != "hidden";
    }
    EXPECT_GE(shown, 6);
}

TEST_F(HintFlow, TheMusicButtonsHintNeverShows) {
    world.WalkToOptions(2);
    EXPECT_EQ(RestOn(kMusic), nullptr);
}

}  // namespace
}  // namespace zindra::testing
