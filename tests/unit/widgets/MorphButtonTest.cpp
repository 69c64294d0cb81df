// The morph button on a simulated window: its settings, the fade's steps and weights, the
// backward fade that leaves every property as it was, faces at the pictures' own size, stopping,
// fades asked for during a fade, the button going during one, the hand pointer it installs, and
// a few steps of a fade as a golden picture.
#include "widgets/MorphButton.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/app/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/Image.h"
#include "framework/graphics/Canvas.h"
#include "support/GoldenFile.h"
#include "support/SimWorld.h"

namespace zindra {
namespace {

// Records the display face at every paint; one paint is one step of a fade.
class RecordingButton : public TMorphButton {
public:
    using TMorphButton::TMorphButton;
    std::vector<Bitmap32> faces;
    std::function<void(int paint)> atPaint;
    void Paint(TCanvas& canvas) override {
        faces.push_back(DisplayFace().ToPixels());
        if (atPaint) atPaint(static_cast<int>(faces.size()));
        TMorphButton::Paint(canvas);
    }
    // The blue channel of the first pixel of each recorded face.
    std::vector<int> Levels() const {
        std::vector<int> levels;
        for (const Bitmap32& f : faces)
            levels.push_back(f.Empty() ? -1 : PixelB(f.At(0, 0)));
        return levels;
    }
};

std::unique_ptr<TPicture> Solid(int width, int height, TColor left, TColor right) {
    auto picture = std::make_unique<TPicture>();
    TBitmap* bitmap = picture->Bitmap();
    bitmap->SetSize(width, height);
    bitmap->Canvas().Brush().Color = left;
    bitmap->Canvas().FillRect({0, 0, width / 2, height});
    bitmap->Canvas().Brush().Color = right;
    bitmap->Canvas().FillRect({width / 2, 0, width, height});
    return picture;
}

struct MorphButtonTest : ::testing::Test {
    testing::SimWorld world;
    TForm* form = world.app->CreateForm<TForm>();
    RecordingButton* button = nullptr;
    std::vector<std::string> hooks;

    void SetUp() override {
        form->SetBounds(0, 0, 300, 200);
        button = new RecordingButton(form);
        button->SetParent(form);
        button->SetBounds(10, 10, 40, 20);
        button->OnMorphStart = [this](TObject*) { hooks.push_back("start"); };
        button->OnMorphEnd = [this](TObject*) { hooks.push_back("end"); };
        form->Show();
        world.Settle();
        button->faces.clear();
    }
    void EmptyPictures() {
        button->SetMorphPic1(nullptr);
        button->SetMorphPic2(nullptr);
        world.Settle();
        button->faces.clear();
    }
    Pixel DisplayAt(int x, int y) const { return button->DisplayFace().ToPixels().At(x, y); }
    Pixel TargetAt(int x, int y) const { return button->TargetFace().ToPixels().At(x, y); }
};

TEST_F(MorphButtonTest, StartsWithItsDefaultsTheHandAndTheTwoBuiltInFaces) {
    const TMorphButton& fresh = *new TMorphButton(form);
    EXPECT_EQ(fresh.MorphColor1(), 0);
    EXPECT_EQ(fresh.MorphColor2(), 16777215);
    EXPECT_EQ(fresh.MorphRate(), 250);
    EXPECT_TRUE(fresh.StretchToFit());
    EXPECT_TRUE(fresh.ProcessMsgs());
    EXPECT_EQ(fresh.BoundsRect(), Rect::FromBounds(0, 0, 120, 50));
    EXPECT_EQ(fresh.Cursor(), 31);
    EXPECT_EQ(fresh.ControlStyle() & (csOpaque | csNoStdEvents), csOpaque | csNoStdEvents);
    for (TPicture* face : {fresh.MorphPic1(), fresh.MorphPic2()}) {
        auto* bitmap = dynamic_cast<TBitmap*>(face->Graphic());
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmap->Width(), 120);
        EXPECT_EQ(bitmap->Height(), 50);
        EXPECT_EQ(bitmap->BitsPerPixel(), 4);
    }
    EXPECT_NE(fresh.MorphPic1()->Graphic()->ToPixels(), fresh.MorphPic2()->Graphic()->ToPixels());
    EXPECT_EQ(fresh.DisplayFace().Width(), 120);
    EXPECT_EQ(fresh.DisplayFace().Stride(), 360);
}

TEST_F(MorphButtonTest, RateIsKeptBetweenOneAnd255) {
    for (const auto& [written, read] :
         {std::pair{0, 1}, {-7, 1}, {1, 1}, {32, 32}, {255, 255}, {256, 255}, {100000, 255}}) {
        button->SetMorphRate(written);
        EXPECT_EQ(button->MorphRate(), read) << written;
    }
}

// With plain faces of black and white, the level painted at step i is 255 * w div 32 with
// w = (i * 32) div rate: every step painted at once, the last exactly the second face.
TEST_F(MorphButtonTest, ForwardFadePaintsEveryStepAtItsWeight) {
    EmptyPictures();
    for (const int rate : {250, 31, 1}) {
        button->SetMorphRate(rate);
        button->faces.clear();
        button->MouseEnter();
        std::vector<int> expected;
        for (int i = 0; i <= rate; ++i)
            expected.push_back(255 * (i * 32 / rate) / 32);
        EXPECT_EQ(button->Levels(), expected) << "rate " << rate;
        EXPECT_EQ(DisplayAt(39, 19), 0xFFFFFFFFu);
        button->MouseLeave();
        EXPECT_EQ(DisplayAt(0, 0), 0xFF000000u) << "rate " << rate;
    }
}

TEST_F(MorphButtonTest, OnlyTheForwardFadeCallsItsHooks) {
    EmptyPictures();
    button->SetMorphRate(3);
    button->MouseEnter();
    button->MouseLeave();
    EXPECT_EQ(hooks, (std::vector<std::string>{"start", "end"}));
}

TEST_F(MorphButtonTest, AfterABackwardFadeEveryPropertyReadsAsBefore) {
    const auto first = Solid(40, 10, clBlue, clRed);
    const auto second = Solid(20, 20, clLime, clYellow);
    button->SetMorphPic1(first.get());
    button->SetMorphPic2(second.get());
    button->SetMorphColor1(clNavy);
    button->SetMorphColor2(clMaroon);
    button->SetStretchToFit(false);
    button->SetMorphRate(5);
    const Bitmap32 rest = button->DisplayFace().ToPixels();
    button->MouseEnter();
    EXPECT_EQ(button->DisplayFace().ToPixels(), button->TargetFace().ToPixels());
    button->MouseLeave();
    EXPECT_EQ(button->MorphPic1()->Graphic()->ToPixels(), first->Graphic()->ToPixels());
    EXPECT_EQ(button->MorphPic2()->Graphic()->ToPixels(), second->Graphic()->ToPixels());
    EXPECT_EQ(button->MorphColor1(), clNavy);
    EXPECT_EQ(button->MorphColor2(), clMaroon);
    EXPECT_FALSE(button->StretchToFit());
    EXPECT_EQ(button->BoundsRect(), Rect::FromBounds(10, 10, 40, 10));
    EXPECT_EQ(button->DisplayFace().ToPixels(), rest);
}

// The four cases, tested in order: only the second picture, only the first, neither, both.
TEST_F(MorphButtonTest, UnstretchedFacesTakeThePicturesSize) {
    struct Case {
        const char* Name;
        bool First, Second;
        Rect Bounds;
        Pixel DisplayTopLeft, DisplayBottomRight, TargetTopLeft, TargetBottomRight;
    };
    const Pixel blue = 0xFF0000FFu, red = 0xFFFF0000u, lime = 0xFF00FF00u, yellow = 0xFFFFFF00u;
    const Pixel navy = 0xFF000080u, maroon = 0xFF800000u;
    for (const Case& c : {Case{"second only", false, true, Rect::FromBounds(10, 10, 20, 20), navy, navy, lime, yellow},
                          Case{"first only", true, false, Rect::FromBounds(10, 10, 40, 10), blue, red, maroon, maroon},
                          Case{"neither", false, false, Rect::FromBounds(10, 10, 40, 20), navy, navy, maroon, maroon},
                          Case{"both", true, true, Rect::FromBounds(10, 10, 40, 10), blue, red, lime, yellow}}) {
        button->SetStretchToFit(true);
        button->SetBounds(10, 10, 40, 20);
        button->SetMorphColor1(clNavy);
        button->SetMorphColor2(clMaroon);
        const auto first = Solid(40, 10, clBlue, clRed);
        const auto second = Solid(20, 20, clLime, clYellow);
        button->SetMorphPic1(c.First ? first.get() : nullptr);
        button->SetMorphPic2(c.Second ? second.get() : nullptr);
        button->SetStretchToFit(false);
        EXPECT_EQ(button->BoundsRect(), c.Bounds) << c.Name;
        const int w = c.Bounds.Width() - 1, h = c.Bounds.Height() - 1;
        EXPECT_EQ(DisplayAt(0, 0), c.DisplayTopLeft) << c.Name;
        EXPECT_EQ(DisplayAt(w, h), c.DisplayBottomRight) << c.Name;
        EXPECT_EQ(TargetAt(0, 0), c.TargetTopLeft) << c.Name;
        EXPECT_EQ(TargetAt(w, h), c.TargetBottomRight) << c.Name;
        EXPECT_EQ(button->TargetFace().Width(), c.Bounds.Width()) << c.Name;
    }
}

TEST_F(MorphButtonTest, AColourChangeRebuildsAndRepaintsAtOnce) {
    EmptyPictures();
    button->SetMorphColor1(clRed);
    EXPECT_EQ(DisplayAt(5, 5), 0xFFFF0000u);
    ASSERT_FALSE(button->faces.empty());
    EXPECT_EQ(button->faces.back().At(5, 5), 0xFFFF0000u);
    EXPECT_EQ(world.machine.Screenshot().At(15, 15), 0xFFFF0000u);
}

TEST_F(MorphButtonTest, StopMorphEndsAfterTheCurrentStepOnTheSecondFace) {
    EmptyPictures();
    button->atPaint = [this](int paint) {
        if (paint == 10) button->StopMorph = true;
    };
    button->MouseEnter();
    EXPECT_EQ(button->faces.size(), 11u);  // ten steps, then the second face
    EXPECT_EQ(PixelB(button->faces.back().At(0, 0)), 255);
    EXPECT_EQ(hooks, (std::vector<std::string>{"start", "end"}));
    EXPECT_FALSE(button->StopMorph);
}

TEST_F(MorphButtonTest, AStoppedBackwardFadeKeepsTheExchangeUntilTheNextRebuild) {
    EmptyPictures();
    button->SetMorphColor1(clNavy);
    button->SetMorphRate(8);
    button->MouseEnter();
    button->atPaint = [this](int paint) {
        if (paint == 3) button->StopMorph = true;
    };
    button->faces.clear();
    button->MouseLeave();
    EXPECT_EQ(button->MorphColor1(), clWhite);
    EXPECT_EQ(DisplayAt(0, 0), 0xFF000080u);
    button->atPaint = nullptr;
    button->SetBounds(10, 10, 41, 20);
    EXPECT_EQ(button->MorphColor1(), clNavy);
    EXPECT_EQ(button->MorphColor2(), clWhite);
    EXPECT_EQ(DisplayAt(0, 0), 0xFF000080u);
}

// A leave noticed during a forward fade (from a loop one of its steps runs) waits for the fade.
TEST_F(MorphButtonTest, ALeaveDuringAForwardFadeRunsAfterIt) {
    EmptyPictures();
    button->SetMorphRate(4);
    button->atPaint = [this](int paint) {
        if (paint == 2) button->MouseLeave();
    };
    button->MouseEnter();
    // The forward steps; the two repaints of the pictures' exchange; the backward steps.
    EXPECT_EQ(button->Levels(), (std::vector<int>{0, 63, 127, 191, 255, 255, 255, 255, 191, 127, 63, 0}));
    EXPECT_EQ(DisplayAt(0, 0), 0xFF000000u);
}

TEST_F(MorphButtonTest, TheButtonGoingWhileMessagesAreHandledEndsTheFade) {
    EmptyPictures();
    button->OnMorphStart = [this](TObject*) { world.app->Defer([this] { form->DestroyComponent(button); }); };
    button->MouseEnter();
    EXPECT_TRUE(form->Controls().empty());
}

TEST_F(MorphButtonTest, WithoutProcessMsgsNothingElseRunsDuringTheFade) {
    EmptyPictures();
    button->SetProcessMsgs(false);
    button->SetMorphRate(3);
    bool ran = false;
    world.app->Defer([&] { ran = true; });
    button->MouseEnter();
    EXPECT_FALSE(ran);
    EXPECT_EQ(button->faces.size(), 4u);
    world.Settle();
    EXPECT_TRUE(ran);
}

TEST_F(MorphButtonTest, NoHoverMorphLeavesTheFaceAlone) {
    EmptyPictures();
    button->NoHoverMorph = true;
    int entered = 0;
    button->OnMouseEnter = [&](TObject*) { ++entered; };
    button->MouseEnter();
    EXPECT_EQ(entered, 1);
    EXPECT_TRUE(button->faces.empty());
    EXPECT_EQ(DisplayAt(0, 0), 0xFF000000u);
}

TEST_F(MorphButtonTest, ThePointerComingAndGoingFadesTheScreen) {
    EmptyPictures();
    button->SetMorphRate(2);
    world.machine.Input().MoveTo(20, 20);
    world.Settle();
    EXPECT_EQ(world.machine.Screenshot().At(20, 20), 0xFFFFFFFFu);
    world.machine.Input().MoveTo(200, 150);
    world.Settle();
    EXPECT_EQ(world.machine.Screenshot().At(20, 20), 0xFF000000u);
}

// Cursor 31 is looked up when the pointer comes onto a control, so a control made before the
// button shows the hand too; a second button shares the first one's cursor.
TEST_F(MorphButtonTest, CursorThirtyOneIsTheHandForControlsMadeBeforeTheButton) {
    testing::SimWorld fresh;
    TForm* window = fresh.app->CreateForm<TForm>();
    window->SetBounds(0, 0, 200, 200);
    auto* zone = new TImage(window);
    zone->SetParent(window);
    zone->SetBounds(0, 0, 100, 100);
    zone->SetCursor(31);
    EXPECT_EQ(fresh.app->Screen().Cursor(31), 0u);
    auto* morph = new TMorphButton(window);
    morph->SetParent(window);
    morph->SetBounds(150, 150, 20, 20);
    morph->SetVisible(false);
    const platform::CursorHandle hand = fresh.app->Screen().Cursor(31);
    ASSERT_NE(hand, 0u);
    new TMorphButton(window);
    EXPECT_EQ(fresh.app->Screen().Cursor(31), hand);
    window->Show();
    fresh.machine.Input().MoveTo(50, 50);
    fresh.Settle();
    const platform::CursorImage shown = fresh.machine.Pointer().CurrentImage();
    EXPECT_EQ(fresh.machine.Pointer().Current(), hand);
    EXPECT_EQ(shown.Image.Width, 32);
    EXPECT_EQ(shown.HotSpot, (Point{5, 2}));
    fresh.machine.Input().MoveTo(150, 50);
    fresh.Settle();
    EXPECT_EQ(fresh.machine.Pointer().Current(), 0u);
}

// The built-in faces stretched onto a 60 by 25 button, in the five steps of rate 4.
TEST_F(MorphButtonTest, GoldenStepsOfAFadeBetweenTheBuiltInFaces) {
    const TMorphButton* defaults = new TMorphButton(form);
    button->SetMorphPic1(defaults->MorphPic1());
    button->SetMorphPic2(defaults->MorphPic2());
    button->SetBounds(10, 10, 60, 25);
    button->SetMorphRate(4);
    world.Settle();
    button->faces.clear();
    button->MouseEnter();
    ASSERT_EQ(button->faces.size(), 5u);
    Bitmap32 strip(5 * 60, 25);
    for (int step = 0; step < 5; ++step) {
        for (int y = 0; y < 25; ++y)
            for (int x = 0; x < 60; ++x)
                strip.At(step * 60 + x, y) = button->faces[static_cast<std::size_t>(step)].At(x, y);
    }
    EXPECT_TRUE(golden::MatchesGoldenFile(strip, "morph-steps"));
}

}  // namespace
}  // namespace zindra
