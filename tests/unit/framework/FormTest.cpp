// Forms on the simulated desktop: layout reading, painting, input dispatch, timers, modal loops.
#include "framework/controls/Form.h"

#include <gtest/gtest.h>

#include "framework/app/Timer.h"
#include "framework/controls/Image.h"
#include "framework/layout/ClassInfo.h"
#include "framework/layout/LayoutReader.h"
#include "support/SimWorld.h"

namespace zindra {
namespace {

class TestForm : public TForm {
public:
    explicit TestForm(TComponent* owner) : TForm(owner) {
        Method("ZoneClick", &TestForm::ZoneClick);
        Method("ZoneDown", &TestForm::ZoneDown);
        Method("ZoneUp", &TestForm::ZoneUp);
        Method("Tick", &TestForm::Tick);
        Field("zone", zone);
        Field("timer", timer);
    }
    void ZoneClick(TObject*) { log += "click;"; }
    void ZoneDown(TObject*, TMouseButton, TShiftState, int x, int y) {
        log += "down " + std::to_string(x) + "," + std::to_string(y) + ";";
    }
    void ZoneUp(TObject*, TMouseButton, TShiftState, int, int) { log += "up;"; }
    void Tick(TObject*) { ticks.push_back(Application()->Platform().GetClock().NowMs()); }
    ~TestForm() override { DestroyForm(); }

    TImage* zone = nullptr;
    TTimer* timer = nullptr;
    std::string log;
    std::vector<std::int64_t> ticks;

    const ClassInfo& ClassType() const override { return StaticClass(); }
    static const ClassInfo& StaticClass() {
        static const ClassInfo info{"TTestForm", &TForm::StaticClass(), {}, {}};
        return info;
    }
};

constexpr const char* kLayout = R"(object Test: TTestForm
  Left = 0
  Top = 0
  Width = 200
  Height = 100
  Color = clRed
  BorderStyle = bsNone
  object zone: TImage
    Left = 10
    Top = 20
    Width = 30
    Height = 40
    OnClick = ZoneClick
    OnMouseDown = ZoneDown
    OnMouseUp = ZoneUp
  end
  object timer: TTimer
    Interval = 250
    OnTimer = Tick
  end
end
)";

struct Fixture : ::testing::Test {
    testing::SimWorld world;
    TestForm* form = nullptr;
    void SetUp() override {
        form = world.app->CreateForm<TestForm>();
        ReadLayoutText(*form, form, kLayout);
        form->Show();
        world.Settle();
    }
};

TEST_F(Fixture, LayoutBindsFieldsAndPaintsTheFormColour) {
    ASSERT_NE(form->zone, nullptr);
    EXPECT_EQ(form->zone->BoundsRect(), Rect::FromBounds(10, 20, 30, 40));
    const auto shot = world.machine.Screenshot();
    EXPECT_EQ(shot.At(5, 5), 0xFFFF0000u);
    EXPECT_EQ(shot.At(199, 99), 0xFFFF0000u);
    EXPECT_NE(shot.At(200, 100), 0xFFFF0000u);
}

TEST_F(Fixture, ClickComesBeforeMouseUpAndOnlyOverTheControl) {
    world.machine.Input().Click(15, 25, platform::MouseButton::Left);
    world.Settle();
    EXPECT_EQ(form->log, "down 5,5;click;up;");
    form->log.clear();
    world.machine.Input().Press(15, 25, platform::MouseButton::Left);
    world.machine.Input().Release(100, 80, platform::MouseButton::Left);  // released off the control
    world.Settle();
    EXPECT_EQ(form->log, "down 5,5;up;");
}

TEST_F(Fixture, RightButtonRaisesNoClick) {
    world.machine.Input().Click(15, 25, platform::MouseButton::Right);
    world.Settle();
    EXPECT_EQ(form->log, "down 5,5;up;");
}

TEST_F(Fixture, WindowTimerTicksEveryIntervalOfVirtualTime) {
    const std::int64_t start = world.Now();
    world.RunFor(1000);
    ASSERT_EQ(form->ticks.size(), 4u);
    EXPECT_EQ(form->ticks[0], start + 250);
    EXPECT_EQ(form->ticks[3], start + 1000);
}

TEST_F(Fixture, WheelTurnsGoToTheWindowedControlUnderThePointerThenUpItsParents) {
    auto* panel = new TWinControl(form);
    panel->SetParent(form);
    panel->SetBounds(100, 40, 80, 50);
    auto* picture = new TImage(form);  // windowless: its windowed parent hears for it
    picture->SetParent(panel);
    picture->SetBounds(10, 10, 20, 20);
    std::vector<std::string> heard;
    bool panelKeeps = false;
    const auto listen = [&](const char* who) {
        return [&heard, &panelKeeps, who](TObject*, TShiftState, int delta, Point p, bool& handled) {
            heard.push_back(std::string(who) + " " + std::to_string(delta) + " " + std::to_string(p.X) + "," +
                            std::to_string(p.Y));
            handled = panelKeeps && std::string(who) == "panel";
        };
    };
    panel->OnMouseWheel = listen("panel");
    form->OnMouseWheel = listen("form");
    world.machine.Input().Wheel(115, 55, -120);
    world.Settle();
    EXPECT_EQ(heard, (std::vector<std::string>{"panel -120 15,15", "form -120 115,55"}));
    heard.clear();
    panelKeeps = true;
    world.machine.Input().Wheel(115, 55, 240);
    world.Settle();
    EXPECT_EQ(heard, std::vector<std::string>{"panel 240 15,15"});
}

TEST_F(Fixture, AFieldIsClearedWhenItsComponentGoesHoweverItGoes) {
    form->DestroyComponent(form->zone);
    EXPECT_EQ(form->zone, nullptr);
    EXPECT_NE(form->timer, nullptr);
    delete form->timer;
    EXPECT_EQ(form->timer, nullptr);
}

TEST_F(Fixture, NoWindowTimerTickReachesAFormBeingDestroyed) {
    int lateTicks = 0;
    form->timer->SetOnTimer([&](TObject*) { ++lateTicks; });
    // A destruction handler that lets messages run while the timer's tick falls due.
    form->OnDestroy = [this](TObject*) {
        world.machine.Clock().Sleep(300);
        world.app->ProcessMessages();
    };
    delete form;
    EXPECT_EQ(lateTicks, 0);
}

TEST(FormFields, ComponentsThatGoLaterFindTheFieldsOfThoseGoneCleared) {
    // Made before the layout's components, so it goes after them.
    struct Watcher : TComponent {
        TestForm* form;
        TTimer** seen;
        Watcher(TestForm* f, TTimer** s) : TComponent(f), form(f), seen(s) {}
        ~Watcher() override { *seen = form->timer; }
    };
    testing::SimWorld world;
    auto* form = world.app->CreateForm<TestForm>();
    TTimer* seen = reinterpret_cast<TTimer*>(1);
    new Watcher(form, &seen);
    ReadLayoutText(*form, form, kLayout);
    ASSERT_NE(form->timer, nullptr);
    delete form;
    EXPECT_EQ(seen, nullptr);
}

TEST(LayoutReader, RefusesPropertiesOutOfDeclarationOrder) {
    testing::SimWorld world;
    auto* form = world.app->CreateForm<TestForm>();
    const char* text = "object T: TTestForm\n  Top = 1\n  Left = 2\nend\n";
    try {
        ReadLayoutText(*form, form, text);
        FAIL() << "expected an error";
    } catch (const ELayoutError& e) {
        EXPECT_STREQ(e.what(), "line 3: property Left is out of declaration order in TTestForm");
    }
}

}  // namespace
}  // namespace zindra
