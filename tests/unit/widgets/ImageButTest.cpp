// The image button on a simulated window: hover swaps, the disabled picture, the pressed-in
// movement with the click in between, and the order a layout loads it in.
#include "widgets/ImageBut.h"

#include <gtest/gtest.h>

#include "framework/controls/Form.h"
#include "framework/layout/ClassInfo.h"
#include "support/SimWorld.h"

namespace zindra {
namespace {

std::unique_ptr<TPicture> Solid(int width, int height, TColor color) {
    auto picture = std::make_unique<TPicture>();
    TBitmap* bitmap = picture->Bitmap();
    bitmap->SetSize(width, height);
    bitmap->Canvas().Brush().Color = color;
    bitmap->Canvas().FillRect({0, 0, width, height});
    return picture;
}

struct ImageButTest : ::testing::Test {
    testing::SimWorld world;
    TForm* form = world.app->CreateForm<TForm>();
    TImageBut* button = new TImageBut(form);
    std::unique_ptr<TPicture> rest = Solid(40, 30, clRed);
    std::unique_ptr<TPicture> hover = Solid(40, 30, clBlue);
    std::vector<std::string> log;

    void SetUp() override {
        form->SetBounds(0, 0, 200, 200);
        button->SetParent(form);
        button->SetBounds(50, 50, 40, 30);
        button->SetPicFrom(rest.get());
        button->SetPicTo(hover.get());
        button->SetEnableButMove(true);
        button->OnClick = [this](TObject*) {
            log.push_back("click at " + std::to_string(button->Left()) + "," + std::to_string(button->Top()));
        };
        form->Show();
        world.Settle();
    }
    Pixel ShownAt(int x, int y) { return world.machine.Screenshot().At(x, y); }
    void MoveTo(int x, int y) {
        world.machine.Input().MoveTo(x, y);
        world.Settle();
    }
};

TEST_F(ImageButTest, HoverShowsPicToAndLeavingShowsPicFromAgain) {
    EXPECT_EQ(ShownAt(60, 60), 0xFFFF0000u);
    MoveTo(60, 60);
    EXPECT_EQ(ShownAt(60, 60), 0xFF0000FFu);
    MoveTo(150, 150);
    EXPECT_EQ(ShownAt(60, 60), 0xFFFF0000u);
}

TEST_F(ImageButTest, EmptyHoverPictureShowsNothingWhileHovered) {
    button->PicTo()->Clear();
    MoveTo(60, 60);
    EXPECT_TRUE(button->Picture()->Empty());
    MoveTo(150, 150);
    EXPECT_EQ(button->Picture()->Width(), 40);
}

TEST_F(ImageButTest, DisabledThroughEnableButShowsPicDisabledAndIgnoresHover) {
    button->SetEnableBut(false);
    world.Settle();
    EXPECT_TRUE(button->Picture()->Empty());
    EXPECT_FALSE(button->Enabled());
    MoveTo(60, 60);
    EXPECT_TRUE(button->Picture()->Empty());
}

TEST_F(ImageButTest, InheritedEnabledFalseBlocksClicksButKeepsTheHoverSwap) {
    button->SetEnabled(false);
    MoveTo(60, 60);
    EXPECT_EQ(ShownAt(60, 60), 0xFF0000FFu);
    world.machine.Input().Click(60, 60, platform::MouseButton::Left);
    world.Settle();
    EXPECT_TRUE(log.empty());
}

TEST_F(ImageButTest, ClickRunsWhileShiftedAndTheButtonReturnsAfterwards) {
    MoveTo(60, 60);
    world.machine.Input().Click(60, 60, platform::MouseButton::Left);
    world.Settle();
    EXPECT_EQ(log, (std::vector<std::string>{"click at 51,51"}));
    EXPECT_EQ(button->Left(), 50);
    EXPECT_EQ(button->Top(), 50);
}

TEST_F(ImageButTest, SwitchingMovementOffWhileHeldLeavesTheButtonShifted) {
    MoveTo(60, 60);
    world.machine.Input().Press(60, 60, platform::MouseButton::Left);
    world.Settle();
    button->SetEnableButMove(false);
    world.machine.Input().Release(60, 60, platform::MouseButton::Left);
    world.Settle();
    EXPECT_EQ(button->Left(), 51);
    EXPECT_EQ(button->Top(), 51);
}

TEST_F(ImageButTest, ButtonDisabledWhileHeldStillMovesBackOnRelease) {
    MoveTo(60, 60);
    world.machine.Input().Press(60, 60, platform::MouseButton::Left);
    world.Settle();
    ASSERT_EQ(button->Left(), 51);
    button->SetEnableBut(false);
    world.machine.Input().Release(60, 60, platform::MouseButton::Left);
    world.Settle();
    EXPECT_EQ(button->Left(), 50);
    EXPECT_EQ(button->Top(), 50);
}

TEST_F(ImageButTest, AutoSizeFollowsThePictureKeepingTheTopLeftCorner) {
    const auto big = Solid(60, 50, clBlue);
    button->SetAutoSize(true);
    button->SetPicTo(big.get());
    MoveTo(60, 60);
    EXPECT_EQ(button->BoundsRect(), Rect::FromBounds(50, 50, 60, 50));
    MoveTo(190, 190);
    EXPECT_EQ(button->BoundsRect(), Rect::FromBounds(50, 50, 40, 30));
}

TEST_F(ImageButTest, ReleaseWithoutAnyPressStaysPut) {
    world.machine.Input().Release(60, 60, platform::MouseButton::Left);
    world.Settle();
    EXPECT_EQ(button->Left(), 50);
}

TEST_F(ImageButTest, HiddenWhileHoveredGetsItsLeaveAndShowsPicFromWhenShownAgain) {
    MoveTo(60, 60);
    button->SetVisible(false);
    world.Settle();  // the idle check no longer finds it under the pointer
    button->SetVisible(true);
    EXPECT_EQ(button->Picture()->Graphic()->ToPixels().At(0, 0), 0xFFFF0000u);
}

TEST_F(ImageButTest, WhileCapturedOnlyTheButtonHearsTheMouseComeAndGo) {
    TImageBut* other = new TImageBut(form);
    other->SetParent(form);
    other->SetBounds(120, 50, 40, 30);
    other->SetPicFrom(rest.get());
    other->SetPicTo(hover.get());
    MoveTo(60, 60);
    world.machine.Input().Press(60, 60, platform::MouseButton::Left);
    world.Settle();
    MoveTo(130, 60);  // onto the other button while the first holds the mouse
    EXPECT_EQ(other->Picture()->Graphic()->ToPixels().At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(button->Picture()->Graphic()->ToPixels().At(0, 0), 0xFFFF0000u);
    MoveTo(60, 60);
    EXPECT_EQ(button->Picture()->Graphic()->ToPixels().At(0, 0), 0xFF0000FFu);
}

TEST(ImageButLayout, EnableButIsAppliedAfterThePictures) {
    const ClassInfo& info = TImageBut::StaticClass();
    EXPECT_LT(info.IndexOf("Picture"), info.IndexOf("PicFrom"));
    EXPECT_LT(info.IndexOf("PicDisabled"), info.IndexOf("EnableBut"));
    EXPECT_EQ(info.IndexOf("EnableBut"), info.PropertyCount() - 1);
}

}  // namespace
}  // namespace zindra
