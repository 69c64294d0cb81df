// The range track on a simulated window in virtual time: the position's invariant and what is
// reported, centring on new ranges and sizes, the repeat timer's modes and intervals, paging that
// stops at the pointer, dragging, the wheel, hover tracking, layouts and the shared settings.
#include "imaging/RangeTrack.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/controls/Form.h"
#include "framework/layout/ClassInfo.h"
#include "framework/layout/LayoutReader.h"
#include "imaging/TrackAccess.h"
#include "imaging/TrackRegistration.h"
#include "support/SimWorld.h"

namespace zindra {
namespace {

using platform::MouseButton;

// A 232 by 16 bar at (50, 100) of its form at the screen's corner: 16-pixel buttons round a
// 200-pixel track showing 100 of 1000.
struct RangeTrackTest : ::testing::Test {
    testing::SimWorld world;
    TForm* form = world.app->CreateForm<TForm>();
    TRangeTrack* bar = new TRangeTrack(form);
    std::vector<std::string> log;

    void SetUp() override {
        form->SetBounds(0, 0, 400, 300);
        bar->SetParent(form);
        bar->SetBorderStyle(TBorderStyle::bsNone);
        bar->SetBounds(50, 100, 232, 16);
        bar->SetParams(1000, 100);
        bar->OnChange = [this](TObject*) { log.push_back("change " + std::to_string(int(bar->Position()))); };
        bar->OnUserChange = [this](TObject*) { log.push_back("user"); };
        form->Show();
        world.Settle();
    }
    // Points are the bar's own.
    void Move(int x, int y) {
        world.machine.Input().MoveTo(50 + x, 100 + y);
        world.Settle();
    }
    void Press(int x, int y) {
        Move(x, y);
        world.machine.Input().Press(50 + x, 100 + y, MouseButton::Left);
        world.Settle();
    }
    void Release(int x, int y) {
        world.machine.Input().Release(50 + x, 100 + y, MouseButton::Left);
        world.Settle();
    }
    std::vector<std::string> TakeLog() { return std::exchange(log, {}); }
};

TEST_F(RangeTrackTest, PositionStaysInsideTheRangeAndOnlyRealChangesAreReported) {
    bar->SetPosition(-5);
    EXPECT_TRUE(TakeLog().empty());  // clamped back to where it was
    bar->SetPosition(2000);
    EXPECT_EQ(bar->Position(), 900);
    EXPECT_EQ(TakeLog(), std::vector<std::string>{"change 900"});  // code's change: no user change
    bar->SetPosition(950);
    EXPECT_TRUE(TakeLog().empty());
    bar->SetPosition(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(bar->Position(), 0);
    bar->SetParams(-10, -3);
    EXPECT_EQ(bar->Range(), 0);
    EXPECT_EQ(bar->Window(), 0);
    EXPECT_EQ(bar->EffectiveWindow(), 232);  // the bar's own length
    bar->SetPosition(10);
    EXPECT_EQ(bar->Position(), 0);
}

TEST_F(RangeTrackTest, NewRangesAndWindowsKeepTheCentreWhenCentered) {
    struct Case {
        bool Centered;
        int Range, Window;
        float Position;
        int NewRange, NewWindow;
        float Expected;
    };
    const Case cases[] = {
        {true, 1000, 100, 450, 2000, 100, 950},   // centre 500 of 1000 is 1000 of 2000
        {true, 1000, 100, 200, 500, 50, 100},     // centre 250 of 1000: 125 of 500, less 25
        {true, 1000, 100, 450, 1000, 200, 400},   // a wider window round the same centre
        {true, 100, 200, 0, 1000, 100, 450},      // everything showed: the middle
        {true, 0, 100, 0, 1000, 100, 450},        // no range before: the middle
        {false, 1000, 100, 450, 2000, 100, 450},  // not centred: kept
        {false, 1000, 100, 900, 500, 100, 400},   // and clamped
        {true, 1000, 100, 450, 80, 100, 0},       // the window shows everything
    };
    for (const Case& c : cases) {
        bar->SetCentered(c.Centered);
        bar->SetParams(c.Range, c.Window);
        bar->SetPosition(c.Position);
        TakeLog();
        bar->SetParams(c.NewRange, c.NewWindow);
        EXPECT_FLOAT_EQ(bar->Position(), c.Expected)
            << c.Range << "/" << c.Window << " -> " << c.NewRange << "/" << c.NewWindow;
        EXPECT_TRUE(TakeLog().empty()) << "a new range reports no change";
    }
}

TEST_F(RangeTrackTest, ResizingACenteredBarKeepsTheCentreOfItsOwnWindow) {
    bar->SetBounds(50, 100, 216, 16);
    bar->SetCentered(true);
    bar->SetParams(1000, 0);  // the window is the bar's length, 216
    bar->SetPosition(392);    // centre 500
    bar->SetBounds(50, 100, 316, 16);
    EXPECT_EQ(bar->EffectiveWindow(), 316);
    EXPECT_FLOAT_EQ(bar->Position(), 342);
    bar->SetBounds(50, 100, 1200, 16);  // now it shows everything
    EXPECT_EQ(bar->Position(), 0);
    bar->SetCentered(false);
    bar->SetBounds(50, 100, 216, 16);
    bar->SetPosition(784);
    bar->SetBounds(50, 100, 316, 16);
    EXPECT_EQ(bar->Position(), 684);  // not centred: only clamped
}

TEST_F(RangeTrackTest, HoldingAnArrowStepsAtOnceThenAfter600ThenEvery100) {
    Press(225, 8);
    EXPECT_EQ(bar->Position(), 8);
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"change 8", "user"}));
    EXPECT_EQ(bar->DragZone(), TTrackZone::NextButton);
    EXPECT_EQ(bar->TimerMode(), TTrackTimerMode::FirstDelay);
    EXPECT_EQ(bar->TimerInterval(), 600u);
    world.RunFor(599);
    EXPECT_EQ(bar->Position(), 8);
    world.RunFor(1);
    EXPECT_EQ(bar->Position(), 16);
    EXPECT_EQ(bar->TimerMode(), TTrackTimerMode::Repeating);
    EXPECT_EQ(bar->TimerInterval(), 100u);
    world.RunFor(300);
    EXPECT_EQ(bar->Position(), 40);
    Release(225, 8);
    EXPECT_EQ(bar->DragZone(), TTrackZone::None);
    EXPECT_EQ(bar->TimerMode(), TTrackTimerMode::HoverTracking);
    EXPECT_EQ(bar->TimerInterval(), 150u);
    world.RunFor(1000);
    EXPECT_EQ(bar->Position(), 40);
    Move(5, 8);
    world.RunFor(100);
    Move(100, 150);  // off the bar: the leave stops the timer
    EXPECT_EQ(bar->TimerMode(), TTrackTimerMode::Off);
    EXPECT_EQ(bar->HotZone(), TTrackZone::None);
}

TEST_F(RangeTrackTest, AnArrowHeldAtTheEndFallsBackToHoverTracking) {
    bar->SetPosition(900);
    TakeLog();
    Press(225, 8);
    world.RunFor(2000);
    EXPECT_EQ(bar->Position(), 900);
    EXPECT_TRUE(TakeLog().empty());
    EXPECT_EQ(bar->TimerMode(), TTrackTimerMode::HoverTracking);
    EXPECT_EQ(bar->TimerInterval(), 150u);
    Release(225, 8);
    Press(5, 8);  // the other arrow still works from there
    EXPECT_EQ(bar->Position(), 892);
}

TEST_F(RangeTrackTest, PagingStopsOnceTheHandleHasReachedThePointer) {
    Press(150, 8);  // the handle (16..36) starts left of the pointer
    EXPECT_EQ(bar->Position(), 100);
    world.RunFor(2000);
    // Pages at 0, 600, 700, 800, 900 and 1000 ms; at 600 the handle (136..156) covers the pointer.
    EXPECT_EQ(bar->Position(), 600);
    EXPECT_EQ(std::count(log.begin(), log.end(), "user"), 6);
    Move(20, 8);  // back over the previous track: the next track pages only forward
    world.RunFor(500);
    EXPECT_EQ(bar->Position(), 600);
    Release(20, 8);
    Press(20, 8);  // the previous track pages back until the handle reaches the pointer
    world.RunFor(2000);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(bar->DragZone(), TTrackZone::PrevTrack);
}

TEST_F(RangeTrackTest, DraggingTheHandleFollowsThePointerOverTheUsableLength) {
    Press(20, 8);
    EXPECT_EQ(bar->DragZone(), TTrackZone::Handle);
    EXPECT_EQ(bar->TimerMode(), TTrackTimerMode::HoverTracking);  // a drag has no repeat
    EXPECT_TRUE(TakeLog().empty());
    Move(70, 30);  // off the bar across the axis: only the distance along it counts
    EXPECT_EQ(bar->Position(), 250);
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"change 250", "user"}));
    Move(-500, 8);
    EXPECT_EQ(bar->Position(), 0);
    Release(-500, 8);
    // A handle held at its least length moves over the room left beside it: 183 pixels here.
    bar->SetParams(10000, 100);
    Press(20, 8);
    Move(70, 8);
    EXPECT_EQ(bar->Position(), 2705);  // round(50 * 9900 / 183)
}

TEST_F(RangeTrackTest, TheWheelMovesByTheIncrementAndReportsOnlyAPlainChange) {
    bool formHeard = false;
    form->OnMouseWheel = [&](TObject*, TShiftState, int, Point, bool&) { formHeard = true; };
    bar->SetPosition(400);
    TakeLog();
    world.machine.Input().Wheel(150, 108, -120);  // towards the user: on through the range
    world.Settle();
    EXPECT_EQ(bar->Position(), 408);
    EXPECT_EQ(TakeLog(), std::vector<std::string>{"change 408"});
    world.machine.Input().Wheel(150, 108, 240);
    world.Settle();
    EXPECT_EQ(bar->Position(), 392);
    EXPECT_FALSE(formHeard) << "the bar keeps every turn";
    bar->OnMouseWheel = [](TObject*, TShiftState, int, Point, bool& handled) { handled = true; };
    world.machine.Input().Wheel(150, 108, -120);
    world.Settle();
    EXPECT_EQ(bar->Position(), 392);
    world.machine.Input().Wheel(300, 250, -120);  // elsewhere the form hears it
    world.Settle();
    EXPECT_TRUE(formHeard);
}

TEST_F(RangeTrackTest, ABarShowingItsWholeRangeIgnoresPressesAndHover) {
    bar->SetParams(100, 0);
    EXPECT_FALSE(bar->DrawEnabled());
    Move(225, 8);
    EXPECT_EQ(bar->HotZone(), TTrackZone::None);
    Press(225, 8);
    EXPECT_EQ(bar->DragZone(), TTrackZone::None);
    EXPECT_EQ(bar->TimerMode(), TTrackTimerMode::Off);
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(RangeTrackTest, HoverFollowsTheZonesUntilThePointerLeaves) {
    Move(225, 8);
    EXPECT_EQ(bar->HotZone(), TTrackZone::NextButton);
    EXPECT_EQ(bar->TimerMode(), TTrackTimerMode::HoverTracking);
    Move(20, 8);
    EXPECT_EQ(bar->HotZone(), TTrackZone::Handle);
    Move(100, 8);
    EXPECT_EQ(bar->HotZone(), TTrackZone::NextTrack);
    bar->SetBorderStyle(TBorderStyle::bsSingle);  // its edge is the bar's but outside the client area
    Move(231, 8);
    world.RunFor(150);
    EXPECT_EQ(bar->TimerMode(), TTrackTimerMode::Off);
    EXPECT_EQ(bar->HotZone(), TTrackZone::None);
}

TEST_F(RangeTrackTest, ALayoutCreatesABarWithItsSettings) {
    RegisterTrackClasses();
    auto* holder = world.app->CreateForm<TForm>();
    ReadLayoutText(*holder, nullptr, R"(object Holder: TForm
  object track: TRangeTrack
    Left = 10
    Top = 20
    Width = 16
    Height = 300
    Color = clGreen
    Backgnd = bgSolid
    BorderStyle = bsNone
    HandleColor = clYellow
    Kind = sbVertical
    ShowHandleGrip = False
    Style = tsMac
    Centered = True
    Increment = 20
    Range = 1200
    Window = 0
    Position = 450
  end
end
)");
    auto* track = dynamic_cast<TRangeTrack*>(holder->FindComponent("track"));
    ASSERT_NE(track, nullptr);
    EXPECT_EQ(track->Kind(), TScrollBarKind::sbVertical);
    EXPECT_EQ(track->Style(), TTrackStyle::tsMac);
    EXPECT_EQ(track->Color(), clGreen);
    EXPECT_EQ(track->HandleColor(), clYellow);
    EXPECT_EQ(track->Backgnd(), TTrackBackground::bgSolid);
    EXPECT_FALSE(track->ShowHandleGrip());
    EXPECT_EQ(track->Increment(), 20);
    EXPECT_EQ(track->EffectiveWindow(), 300);
    EXPECT_EQ(track->Position(), 450);
    EXPECT_EQ(track->Parent(), holder);
}

TEST_F(RangeTrackTest, SharedSettingsReadTheMasterAndWriteBoth) {
    auto* other = new TRangeTrack(form);
    other->SetParent(form);
    TArrowTrackAccess both(*bar, other);
    both.SetStyle(TTrackStyle::tsMac);
    both.SetColor(clGreen);
    both.SetHandleColor(clYellow);
    both.SetButtonSize(12);
    both.SetShowArrows(false);
    both.SetShowHandleGrip(false);
    both.SetBackgnd(TTrackBackground::bgSolid);
    for (const TArrowTrack* t : {static_cast<TArrowTrack*>(bar), static_cast<TArrowTrack*>(other)}) {
        EXPECT_EQ(t->Style(), TTrackStyle::tsMac);
        EXPECT_EQ(t->Color(), clGreen);
        EXPECT_EQ(t->HandleColor(), clYellow);
        EXPECT_EQ(t->ButtonSize(), 12);
        EXPECT_FALSE(t->ShowArrows());
        EXPECT_FALSE(t->ShowHandleGrip());
        EXPECT_EQ(t->Backgnd(), TTrackBackground::bgSolid);
    }
    other->SetColor(clRed);
    EXPECT_EQ(both.Color(), clGreen);  // the master's
    TArrowTrackAccess alone(*bar);
    alone.SetHandleColor(clBlue);
    EXPECT_EQ(other->HandleColor(), clYellow);
    const ClassInfo& info = TArrowTrackAccess::StaticClass();
    EXPECT_LT(info.IndexOf("Color"), info.IndexOf("Backgnd"));
    EXPECT_EQ(info.IndexOf("Style"), info.PropertyCount() - 1);
}

}  // namespace
}  // namespace zindra
