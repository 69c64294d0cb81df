// The shaped hint on a simulated 800 by 600 screen: sizes, placement next to the pointer,
// wrapping, the window it shows (top-most, not activated, no input), switching the look on and
// off, and golden pictures of the styles, shadows, text effects and edge cases.
#include "widgets/ShapeHint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>

#include "framework/controls/Form.h"
#include "framework/controls/Image.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/FontEngine.h"
#include "support/GoldenFile.h"
#include "support/SimWorld.h"
#include "widgets/ShapeHintShapes.h"
#include "widgets/ShapeHintWindow.h"

namespace zindra {
namespace {

using enum TZkHintPosition;
using enum TZkHintStyle;

platform::sim::SimConfig Screen800() {
    platform::sim::SimConfig config;
    config.Screen = {800, 600, 32, 60};
    return config;
}

// A window filling the screen with a striped picture (so the snapshot beneath a hint shows),
// a hint on the picture, and a shaped hint component made by code (so nothing is installed
// until it is enabled).
struct Stage {
    testing::SimWorld world{Screen800()};
    TForm* form = world.app->CreateForm<TForm>();
    TImage* picture = new TImage(form);
    TZkShapeHint* hint = new TZkShapeHint(form);

    explicit Stage(const std::string& text = "Exit Zindra!") {
        form->SetBounds(0, 0, 800, 600);
        picture->SetParent(form);
        picture->SetBounds(0, 0, 800, 600);
        TBitmap* stripes = picture->Picture()->Bitmap();
        stripes->SetSize(800, 600);
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                stripes->Pixels().At(x, y) = (x + y) / 4 % 2 ? MakePixel(90, 160, 90) : MakePixel(40, 90, 150);
        picture->SetHint(text);
        picture->SetShowHint(true);
        form->Show();
        world.Settle();
    }
    // The hint window once the pointer has rested at (x, y) for the hint's delay.
    THintWindow* HintAt(int x, int y) {
        world.machine.Input().MoveTo(x, y);
        world.RunFor(600);
        THintWindow* shown = world.app->HintWindow();
        return shown && shown->Visible() ? shown : nullptr;
    }
    Bitmap32 Shown(const THintWindow& window) {
        const platform::PixelFrame screen = world.machine.Screenshot();
        const Rect b = window.BoundsRect();
        Bitmap32 out(b.Width(), b.Height());
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x)
                out.At(x, y) = screen.At(b.Left + x, b.Top + y);
        return out;
    }
    // The menu's settings.
    void MenuLook() {
        hint->SetColor(13434879);
        hint->Font()->SetName("Arial");
        hint->Font()->SetHeight(-16);
        hint->Font()->SetStyle(fsBold);
        hint->Shadow()->SetColor(12189695);
        hint->Shadow()->SetDepth(0);
        hint->SetStyle(hsRect);
        hint->SetEnabled(true);
    }
};

TEST(ShapeHintGeometry, WindowSizeByStyle) {
    struct Case {
        TZkHintStyle Style;
        int TextWidth, Depth;
        Size Expected;
    };
    for (const Case& c :
         {Case{hsRect, 60, 0, {60, 20}}, Case{hsRect, 60, 6, {66, 26}}, Case{hsRoundRect, 60, 6, {74, 30}},
          Case{hsEllipse, 60, 6, {86, 32}}, Case{hsNoseRect, 60, 6, {89, 44}}, Case{hsNoseRoundRect, 30, 0, {69, 38}},
          Case{hsNoseEllipse, 60, 6, {111, 51}}}) {
        Rect text{0, 0, c.TextWidth, 20};
        EXPECT_EQ(shapehint::WindowSize(c.Style, text, c.Depth), c.Expected) << static_cast<int>(c.Style);
    }
}

TEST(ShapeHintGeometry, PlacementTriesTheFourPositionsInTurn) {
    const Size window{100, 40}, screen{800, 600};
    struct Case {
        const char* Name;
        TZkHintPosition Preferred;
        Point Pointer;
        TZkHintPosition Position;
        Point TopLeft;
    };
    for (const Case& c : {Case{"fits", hpAboveRight, {400, 300}, hpAboveRight, {401, 259}},
                          Case{"above left", hpAboveLeft, {400, 300}, hpAboveLeft, {299, 259}},
                          Case{"below left", hpBelowLeft, {400, 300}, hpBelowLeft, {297, 301}},
                          Case{"below right", hpBelowRight, {400, 300}, hpBelowRight, {406, 301}},
                          Case{"top left corner", hpAboveRight, {5, 5}, hpBelowRight, {11, 6}},
                          Case{"right edge", hpAboveRight, {750, 300}, hpBelowLeft, {647, 301}},
                          Case{"bottom right", hpBelowRight, {790, 590}, hpAboveLeft, {689, 549}},
                          Case{"no room right", hpAboveRight, {699, 300}, hpBelowLeft, {596, 301}}}) {
        const shapehint::Placement p = shapehint::Place(c.Preferred, c.Pointer, window, screen);
        EXPECT_TRUE(p.Fits) << c.Name;
        EXPECT_EQ(p.Position, c.Position) << c.Name;
        EXPECT_EQ(p.TopLeft, c.TopLeft) << c.Name;
    }
}

// The fourth try is kept, moved onto the screen as far as the window allows.
TEST(ShapeHintGeometry, WhenNothingFitsTheLastTryIsMovedOntoTheScreen) {
    const shapehint::Placement wide = shapehint::Place(hpAboveRight, {400, 300}, {790, 40}, {800, 600});
    EXPECT_FALSE(wide.Fits);
    EXPECT_EQ(wide.Position, hpAboveLeft);
    EXPECT_EQ(wide.TopLeft, (Point{0, 259}));
    const shapehint::Placement huge = shapehint::Place(hpBelowRight, {10, 10}, {900, 700}, {800, 600});
    EXPECT_EQ(huge.Position, hpBelowLeft);
    EXPECT_EQ(huge.TopLeft, (Point{0, 0}));
}

TEST(ShapeHint, TheMenuLookIsALightYellowRectangleOfTheTextsSizePlusSix) {
    Stage stage;
    stage.MenuLook();
    THintWindow* shown = stage.HintAt(400, 300);
    ASSERT_NE(dynamic_cast<TZkShapeHintWindow*>(shown), nullptr);
    TFont font;
    font.SetName("Arial");
    font.SetHeight(-16);
    font.SetStyle(fsBold);
    const Size text = FontEngine::Instance().TextExtent(font.Description(), "Exit Zindra!");
    EXPECT_EQ(shown->BoundsRect(), Rect::FromBounds(401, 300 - text.Height - 7, text.Width + 6, text.Height + 6));
    const Bitmap32 seen = stage.Shown(*shown);
    const int w = seen.Width() - 1, h = seen.Height() - 1;
    for (const auto& [x, y] : {std::pair{0, 0}, {w, 0}, {0, h}, {w, h}, {w / 2, 0}, {0, h / 2}})
        EXPECT_EQ(seen.At(x, y), 0xFF000000u) << x << "," << y;
    EXPECT_EQ(seen.At(1, 1), 0xFFFFFFCCu);
    EXPECT_EQ(seen.At(w - 1, h - 1), 0xFFFFFFCCu);
    EXPECT_TRUE(golden::MatchesGoldenFile(seen, "hint-menu-rect"));
}

TEST(ShapeHint, TheWindowIsTopMostTakesNoActivationAndNoInput) {
    Stage stage;
    stage.MenuLook();
    THintWindow* shown = stage.HintAt(400, 300);
    ASSERT_NE(shown, nullptr);
    const auto window = stage.world.machine.Windows().Get(shown->Handle());
    ASSERT_TRUE(window.has_value());
    EXPECT_TRUE(window->TopMost);
    EXPECT_TRUE(window->NoActivate);
    EXPECT_FALSE(window->Enabled);
    EXPECT_EQ(window->ClassName, "TZkShapeHintWindow");
    EXPECT_EQ(stage.world.machine.Windows().Foreground(), stage.form->Handle());
    // The pointer going over the hint finds the control beneath it, so the hint stays.
    const Rect b = shown->BoundsRect();
    stage.world.machine.Input().MoveTo(b.Left + 5, b.Top + 5);
    stage.world.RunFor(100);
    EXPECT_TRUE(shown->Visible());
}

TEST(ShapeHint, WrapsAtAQuarterOfTheScreenOrEveryWordWithMaxWidthZero) {
    const std::string words = "Kies een van die ses opsies om te begin leer en oefen";
    Stage stage(words);
    stage.MenuLook();
    const TextMetrics metrics = FontEngine::Instance().Metrics(stage.hint->GetFont().Description());
    const Rect quarter = stage.HintAt(400, 300)->BoundsRect();
    EXPECT_LE(quarter.Width() - 6, 200);
    EXPECT_GT(quarter.Width() - 6, 150);
    EXPECT_EQ((quarter.Height() - 6) % metrics.Height, 0);
    EXPECT_GE((quarter.Height() - 6) / metrics.Height, 3);

    Stage narrow(words);
    narrow.MenuLook();
    narrow.hint->SetMaxWidth(0);
    const Rect column = narrow.HintAt(400, 500)->BoundsRect();
    Stage lowest(words);
    lowest.MenuLook();
    lowest.hint->SetMaxWidth(INT_MIN);
    EXPECT_EQ(lowest.HintAt(400, 500)->BoundsRect().Width(), column.Width()) << "the screen divided by a huge n is 1";
    EXPECT_EQ(column.Height() - 6, 12 * metrics.Height);
    int widest = 0;
    for (const char* word : {"Kies", "een", "van", "die", "ses", "opsies", "om", "te", "begin", "leer", "en", "oefen"})
        widest = std::max(widest, FontEngine::Instance().TextExtent(narrow.hint->GetFont().Description(), word).Width);
    EXPECT_EQ(column.Width() - 6, widest);
}

TEST(ShapeHint, DisablingGivesThePlainHintsBackAtOnceAndEnablingRestoresTheShape) {
    Stage stage;
    EXPECT_EQ(dynamic_cast<TZkShapeHintWindow*>(stage.HintAt(400, 300)), nullptr) << "installed before enabled";
    stage.hint->SetEnabled(true);
    EXPECT_EQ(stage.world.app->HintWindow(), nullptr) << "the plain window was not dropped";
    stage.world.machine.Input().MoveTo(10, 10);
    stage.world.Settle();
    EXPECT_NE(dynamic_cast<TZkShapeHintWindow*>(stage.HintAt(400, 300)), nullptr);
    stage.hint->SetEnabled(false);
    EXPECT_EQ(stage.world.app->HintWindow(), nullptr);
    EXPECT_EQ(TZkShapeHint::Active(), nullptr);
    stage.world.machine.Input().MoveTo(10, 10);
    stage.world.Settle();
    THintWindow* plain = stage.HintAt(400, 300);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(dynamic_cast<TZkShapeHintWindow*>(plain), nullptr);
    EXPECT_TRUE(stage.world.app->ShowHint());
}

// The window class stays installed, but with no active shape hint it paints as the plain one.
TEST(ShapeHint, AfterTheComponentGoesTheShapedWindowLooksPlain) {
    Stage stage;
    stage.hint->SetEnabled(true);
    stage.form->DestroyComponent(stage.hint);
    EXPECT_EQ(TZkShapeHint::Active(), nullptr);
    THintWindow* shown = stage.HintAt(400, 300);
    ASSERT_NE(dynamic_cast<TZkShapeHintWindow*>(shown), nullptr);
    const Bitmap32 seen = stage.Shown(*shown);
    EXPECT_EQ(seen.At(0, 0), 0xFF000000u);
    EXPECT_EQ(seen.At(1, 1), 0xFFFFFFE1u);    // the plain window's info background
    EXPECT_EQ(shown->BoundsRect().Top, 320);  // below the pointer, where the application puts it
}

TEST(ShapeHint, AnEmptyTextStillGivesASmallShape) {
    Stage stage;
    stage.hint->SetEnabled(true);
    auto* window = new TZkShapeHintWindow(stage.world.app.get());
    stage.world.machine.Input().MoveTo(400, 300);
    window->ActivateHint({}, "");
    stage.world.Settle();
    const Size space = FontEngine::Instance().TextExtent(stage.hint->GetFont().Description(), " ");
    EXPECT_EQ(window->Width(), std::max(space.Width + 6, 46) + 6 + 23);
    EXPECT_EQ(window->Height(), space.Height + 6 + 6 + 18);
    EXPECT_TRUE(golden::MatchesGoldenFile(stage.Shown(*window), "hint-empty-text"));
}

// Each style at a place where its preferred position fits, and the ones the edge cases name.
TEST(ShapeHint, GoldenStylesShadowsAndTextEffects) {
    struct Case {
        const char* Name;
        TZkHintStyle Style;
        TZkHintPosition Position;
        TZkShadowStyle Shadow;
        int Depth;
        Point Pointer;
        TZkThreeDStyle Effect = TZkThreeDStyle::tdNone;
    };
    using enum TZkShadowStyle;
    for (const Case& c :
         {Case{"hint-rect-shadow", hsRect, hpAboveRight, hssSolid, 6, {400, 300}},
          Case{"hint-roundrect-traced", hsRoundRect, hpBelowRight, hssTracing, 6, {400, 300}},
          Case{"hint-ellipse", hsEllipse, hpAboveLeft, hssSolid, 4, {400, 300}},
          Case{"hint-noserect-above-left", hsNoseRect, hpAboveLeft, hssSolid, 6, {400, 300}},
          Case{"hint-noseroundrect-above-right", hsNoseRoundRect, hpAboveRight, hssSolid, 6, {400, 300}},
          Case{"hint-noseroundrect-corner", hsNoseRoundRect, hpAboveRight, hssSolid, 6, {5, 5}},
          Case{"hint-noserect-below-left", hsNoseRect, hpBelowLeft, hssTracing, 4, {400, 300}},
          Case{"hint-noseellipse-above-left", hsNoseEllipse, hpAboveLeft, hssSolid, 6, {400, 300}},
          Case{"hint-noseellipse-above-right", hsNoseEllipse, hpAboveRight, hssNone, 6, {400, 300}},
          Case{"hint-noseellipse-below-left", hsNoseEllipse, hpBelowLeft, hssSolid, 6, {400, 300}},
          Case{"hint-noseellipse-below-right", hsNoseEllipse, hpBelowRight, hssSolid, 6, {400, 300}},
          Case{"hint-raised-shadow-text", hsRect, hpAboveRight, hssNone, 0, {400, 300}, TZkThreeDStyle::tdRaisedShadow},
          Case{"hint-sunken-text", hsRect, hpAboveRight, hssNone, 0, {400, 300}, TZkThreeDStyle::tdSunken}}) {
        Stage stage("Terug na taalkeuse");
        stage.hint->SetStyle(c.Style);
        stage.hint->SetPosition(c.Position);
        stage.hint->Shadow()->SetStyle(c.Shadow);
        stage.hint->Shadow()->SetDepth(c.Depth);
        stage.hint->Font3D()->SetStyle(c.Effect);
        stage.hint->Font3D()->SetLightDepth(2);
        stage.hint->SetEnabled(true);
        THintWindow* shown = stage.HintAt(c.Pointer.X, c.Pointer.Y);
        ASSERT_NE(shown, nullptr) << c.Name;
        EXPECT_TRUE(golden::MatchesGoldenFile(stage.Shown(*shown), c.Name));
    }
}

// The snapshot shows in the corners the shadow leaves: top right and bottom left, 6 by 6.
TEST(ShapeHint, ARectangleWithADeepShadowLeavesTheScreenInTwoCorners) {
    Stage stage;
    stage.hint->SetStyle(hsRect);
    stage.hint->SetEnabled(true);
    THintWindow* shown = stage.HintAt(400, 300);
    ASSERT_NE(shown, nullptr);
    const Bitmap32 seen = stage.Shown(*shown);
    const platform::PixelFrame beneath = [&] {
        stage.world.app->CancelHint();
        return stage.world.machine.Screenshot();
    }();
    const Rect b = shown->BoundsRect();
    const Pixel shadow = 0xFF808080u;
    const int w = b.Width(), h = b.Height();
    for (const auto& [x, y] : {std::pair{w - 6, 0}, {w - 1, 5}, {0, h - 6}, {5, h - 1}})
        EXPECT_EQ(seen.At(x, y), beneath.At(b.Left + x, b.Top + y)) << x << "," << y;
    for (const auto& [x, y] : {std::pair{w - 6, 6}, {w - 1, h - 1}, {6, h - 6}, {w - 1, 6}})
        EXPECT_EQ(seen.At(x, y), shadow) << x << "," << y;
}

}  // namespace
}  // namespace zindra
