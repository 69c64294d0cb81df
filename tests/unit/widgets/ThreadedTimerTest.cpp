// The threaded timer in virtual time: when ticks come, how interval and enable changes act, the
// exception rule and destruction in every state.
#include "widgets/ThreadedTimer.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/SimWorld.h"

namespace zindra {
namespace {

struct ThreadedTimerTest : ::testing::Test {
    testing::SimWorld world;
    TThreadedTimer* timer = new TThreadedTimer(world.app.get());
    std::vector<std::int64_t> ticks;
    std::int64_t start = 0;

    void SetUp() override {
        timer->OnTimer = [this](TObject*) { ticks.push_back(world.Now() - start); };
        start = world.Now();
    }
};

TEST_F(ThreadedTimerTest, NoTicksUntilEnabled) {
    timer->SetInterval(200);
    world.RunFor(1000);
    EXPECT_TRUE(ticks.empty());
}

TEST_F(ThreadedTimerTest, FirstTickComesOneIntervalAfterEnabling) {
    world.RunFor(30);
    start = world.Now();
    timer->SetInterval(100);
    timer->SetEnabled(true);
    world.RunFor(350);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{100, 200, 300}));
}

TEST_F(ThreadedTimerTest, IntervalChangedInsideTheFirstTickTakesAFullNewInterval) {
    timer->OnTimer = [this](TObject*) {
        ticks.push_back(world.Now() - start);
        timer->SetInterval(150);
    };
    timer->SetInterval(100);
    timer->SetEnabled(true);
    world.RunFor(560);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{100, 250, 400, 550}));
}

TEST_F(ThreadedTimerTest, SettingTheSameIntervalDoesNotRestartTheWait) {
    timer->SetInterval(100);
    timer->SetEnabled(true);
    world.RunFor(60);
    timer->SetInterval(100);
    world.RunFor(60);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{100}));
}

TEST_F(ThreadedTimerTest, ZeroIntervalStopsTicksUntilAnIntervalIsGiven) {
    timer->SetInterval(0);
    timer->SetEnabled(true);
    world.RunFor(500);
    EXPECT_TRUE(ticks.empty());
    EXPECT_TRUE(timer->Enabled());
    start = world.Now();
    timer->SetInterval(200);
    world.RunFor(450);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{200, 400}));
}

TEST_F(ThreadedTimerTest, DisableAndEnableInsideAHandlerRestartsAFullInterval) {
    int calls = 0;
    timer->OnTimer = [&](TObject*) {
        ticks.push_back(world.Now() - start);
        if (++calls == 1) {
            timer->SetEnabled(false);
            timer->SetEnabled(true);
        }
    };
    timer->SetInterval(100);
    timer->SetEnabled(true);
    world.RunFor(320);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{100, 200, 300}));
}

TEST_F(ThreadedTimerTest, DisablingInsideAHandlerStopsTicksUntilTheNextEnable) {
    timer->OnTimer = [this](TObject*) {
        ticks.push_back(world.Now() - start);
        timer->SetEnabled(false);
    };
    timer->SetInterval(100);
    timer->SetEnabled(true);
    world.RunFor(500);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{100}));
    start = world.Now();
    timer->SetEnabled(true);
    world.RunFor(150);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{100, 100}));
}

TEST_F(ThreadedTimerTest, EndlessIntervalNeverTicks) {
    timer->SetInterval(0xFFFFFFFFu);
    timer->SetEnabled(true);
    world.RunFor(100000);
    EXPECT_TRUE(ticks.empty());
}

TEST_F(ThreadedTimerTest, AnExceptionFromTheHandlerEndsTheWorkerForGood) {
    timer->OnTimer = [this](TObject*) {
        ticks.push_back(world.Now() - start);
        throw std::runtime_error("handler failed");
    };
    timer->SetInterval(100);
    timer->SetEnabled(true);
    world.RunFor(250);
    timer->SetEnabled(false);
    timer->SetInterval(50);
    timer->SetEnabled(true);
    world.RunFor(500);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{100}));
    // No message box: the error is not shown to the user.
    for (const std::string& line : world.machine.GetJournal().Lines()) {
        EXPECT_EQ(line.find("message-box"), std::string::npos) << line;
    }
    delete timer;  // the destructor completes although the worker is gone
}

TEST_F(ThreadedTimerTest, DestructionReturnsInEveryState) {
    // Enabled and waiting.
    timer->SetInterval(100);
    timer->SetEnabled(true);
    world.RunFor(50);
    delete timer;
    // Disabled.
    auto* disabled = new TThreadedTimer(world.app.get());
    disabled->SetInterval(100);
    world.RunFor(50);
    delete disabled;
    // Enabled with interval 0.
    auto* zero = new TThreadedTimer(world.app.get());
    zero->SetInterval(0);
    zero->SetEnabled(true);
    delete zero;
    // Destroyed from inside its own tick: the hand-over in progress completes.
    auto* self = new TThreadedTimer(world.app.get());
    bool ranHandler = false;
    self->OnTimer = [&](TObject*) {
        ranHandler = true;
        delete self;
    };
    self->SetInterval(100);
    self->SetEnabled(true);
    world.RunFor(200);
    EXPECT_TRUE(ranHandler);
    SUCCEED();
}

TEST_F(ThreadedTimerTest, NoTickReachesTheHandlerOnceTheOwnerIsBeingDestroyed) {
    TComponent owner(world.app.get());
    auto* owned = new TThreadedTimer(&owner);
    int ownedTicks = 0;
    owned->OnTimer = [&](TObject*) { ++ownedTicks; };
    owned->SetInterval(100);
    owned->SetEnabled(true);
    world.RunFor(150);
    ASSERT_EQ(ownedTicks, 1);
    owner.Destroying();  // as a window does before its destruction handler runs
    world.RunFor(500);
    EXPECT_EQ(ownedTicks, 1);
}

TEST_F(ThreadedTimerTest, PriorityMapsThroughTheTable) {
    EXPECT_EQ(timer->ThreadPriority(), TThreadPriority::tpNormal);
    timer->SetThreadPriority(TThreadPriority::tpTimeCritical);
    EXPECT_EQ(timer->ThreadPriority(), TThreadPriority::tpTimeCritical);
    timer->SetThreadPriority(TThreadPriority::tpIdle);
    EXPECT_EQ(timer->ThreadPriority(), TThreadPriority::tpIdle);
}

}  // namespace
}  // namespace zindra
