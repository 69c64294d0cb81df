// The advanced image button on a simulated window: the pressed picture while held and the hover
// picture after, the click in between, dragging off and back, the switches, its place beside
// the image button, and the order a layout loads it in.
#include "widgets/ImageButAdvanced.h"

#include <gtest/gtest.h>

#include "framework/controls/Form.h"
#include "framework/layout/ClassInfo.h"
#include "framework/layout/LayoutReader.h"
#include "support/SimWorld.h"
#include "widgets/ImageBut.h"

namespace zindra {
namespace {

using platform::MouseButton;

constexpr Pixel kRest = 0xFFFF0000u;
constexpr Pixel kHover = 0xFF0000FFu;
constexpr Pixel kDown = 0xFF00FF00u;
constexpr Pixel kOff = 0xFF808080u;

std::unique_ptr<TPicture> Solid(TColor color) {
    auto picture = std::make_unique<TPicture>();
    TBitmap* bitmap = picture->Bitmap();
    bitmap->SetSize(40, 30);
    bitmap->Canvas().Brush().Color = color;
    bitmap->Canvas().FillRect({0, 0, 40, 30});
    return picture;
}

struct ImageButAdvancedTest : ::testing::Test {
    testing::SimWorld world;
    TForm* form = world.app->CreateForm<TForm>();
    TImageButAdvanced* button = new TImageButAdvanced(form);
    std::vector<std::string> log;

    void SetUp() override {
        form->SetBounds(0, 0, 200, 200);
        button->SetParent(form);
        button->SetBounds(50, 50, 40, 30);
        button->SetPicFrom(Solid(clRed).get());
        button->SetPicTo(Solid(clBlue).get());
        button->SetPicDown(Solid(clLime).get());
        button->SetPicDisabled(Solid(clGray).get());
        button->SetEnableButMove(true);
        button->OnClick = [this](TObject*) { log.push_back(Name(Shown())); };
        form->Show();
        world.Settle();
    }
    // What the button shows, by its first pixel (0 when empty).
    Pixel Shown() const {
        const TGraphic* g = button->Picture()->Graphic();
        return g && !g->Empty() ? g->ToPixels().At(0, 0) : 0;
    }
    static std::string Name(Pixel p) {
        return p == kRest ? "rest" : p == kHover ? "hover" : p == kDown ? "down" : p == kOff ? "off" : "none";
    }
    std::string Now() const { return Name(Shown()); }
    void MoveTo(int x, int y) {
        world.machine.Input().MoveTo(x, y);
        world.Settle();
    }
    void Press(MouseButton b = MouseButton::Left) {
        const Point p = world.machine.Input().Cursor();
        world.machine.Input().Press(p.X, p.Y, b);
        world.Settle();
    }
    void Release(MouseButton b = MouseButton::Left) {
        const Point p = world.machine.Input().Cursor();
        world.machine.Input().Release(p.X, p.Y, b);
        world.Settle();
    }
};

TEST_F(ImageButAdvancedTest, HeldShowsPicDownThenTheHoverPictureAndTheClickComesBetween) {
    EXPECT_EQ(Now(), "rest");
    MoveTo(60, 60);
    EXPECT_EQ(Now(), "hover");
    Press();
    EXPECT_EQ(Now(), "down");
    EXPECT_EQ(button->Left(), 50);  // no movement in this button
    Release();
    EXPECT_EQ(log, std::vector<std::string>{"down"}) << "the click runs before the release's picture";
    EXPECT_EQ(Now(), "hover");
    MoveTo(150, 150);
    EXPECT_EQ(Now(), "rest");
}

TEST_F(ImageButAdvancedTest, AnyMouseButtonGivesTheFeedback) {
    MoveTo(60, 60);
    Press(MouseButton::Right);
    EXPECT_EQ(Now(), "down");
    Release(MouseButton::Right);
    EXPECT_EQ(Now(), "hover");
    EXPECT_TRUE(log.empty());
}

TEST_F(ImageButAdvancedTest, DraggingOffAndReleasingLeavesTheHoverPictureUntilTheNextVisit) {
    MoveTo(60, 60);
    Press();
    MoveTo(150, 150);
    EXPECT_EQ(Now(), "rest");  // leave, while the button holds the mouse
    MoveTo(60, 60);
    EXPECT_EQ(Now(), "hover");
    MoveTo(150, 150);
    Release();
    EXPECT_EQ(Now(), "hover");
    EXPECT_TRUE(log.empty()) << "released elsewhere: no click";
    MoveTo(151, 150);
    EXPECT_EQ(Now(), "hover");
    MoveTo(60, 60);
    MoveTo(150, 150);
    EXPECT_EQ(Now(), "rest");
}

TEST_F(ImageButAdvancedTest, WithoutFeedbackItIsAPlainHoverButton) {
    button->SetEnableButMove(false);
    MoveTo(60, 60);
    Press();
    EXPECT_EQ(Now(), "hover");
    Release();
    EXPECT_EQ(Now(), "hover");
    EXPECT_EQ(log, std::vector<std::string>{"hover"});
}

TEST_F(ImageButAdvancedTest, AnEmptyPressedPictureShowsNothingWhileHeld) {
    button->PicDown()->Clear();
    MoveTo(60, 60);
    Press();
    EXPECT_EQ(Now(), "none");
    Release();
    EXPECT_EQ(Now(), "hover");
}

TEST_F(ImageButAdvancedTest, DisabledWhileHeldKeepsTheDisabledPicture) {
    MoveTo(60, 60);
    Press();
    button->SetEnableBut(false);
    EXPECT_EQ(Now(), "off");
    Release();
    EXPECT_EQ(Now(), "off");
    MoveTo(150, 150);
    MoveTo(60, 60);
    EXPECT_EQ(Now(), "off");
    button->SetEnableBut(true);
    EXPECT_EQ(Now(), "rest");
}

TEST_F(ImageButAdvancedTest, ASisterOfTheImageButtonNotAKindOfIt) {
    const ClassInfo& info = TImageButAdvanced::StaticClass();
    EXPECT_EQ(info.Parent, &TImage::StaticClass());
    EXPECT_EQ(TImageBut::StaticClass().Parent, &TImage::StaticClass());
    EXPECT_FALSE(info.InheritsFrom(TImageBut::StaticClass()));
    TObject* object = button;
    EXPECT_EQ(dynamic_cast<TImageBut*>(object), nullptr);
    EXPECT_NE(dynamic_cast<TImage*>(object), nullptr);
    EXPECT_EQ(info.IndexOf("PicDown"), info.IndexOf("PicDisabled") + 1);
    EXPECT_EQ(info.IndexOf("EnableBut"), info.PropertyCount() - 1);
}

TEST(ImageButAdvancedLayout, LoadedButtonsShowTheirRestPictureWhateverTheLayoutShows) {
    testing::SimWorld world;
    ClassRegistry::Register(TImageButAdvanced::StaticClass());
    TForm* form = world.app->CreateForm<TForm>();
    ReadLayoutText(*form, nullptr, R"(object Holder: TForm
  object exitbut: TImageButAdvanced
    Left = 738
    Top = 546
    Width = 49
    Height = 49
    AutoSize = True
    Picture = 'backbut-from.jpg'
    PicFrom = 'exitbut-from.jpg'
    PicTo = 'lefthandbut_a-to.jpg'
    PicDown = 'backbut-to.jpg'
    EnableButMove = True
    EnableBut = True
  end
end
)");
    auto* loaded = dynamic_cast<TImageButAdvanced*>(form->FindComponent("exitbut"));
    ASSERT_NE(loaded, nullptr);
    const auto shown = loaded->Picture()->Graphic()->ToPixels();
    EXPECT_EQ(shown, loaded->PicFrom()->Graphic()->ToPixels());
    EXPECT_NE(shown, loaded->PicDown()->Graphic()->ToPixels());
    EXPECT_FALSE(loaded->PicDown()->Empty());
}

}  // namespace
}  // namespace zindra
