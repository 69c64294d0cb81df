// The timer pool: ids, interval rules, tick counting and phase, re-entrancy, removal and errors.
#include "services/TimerPool.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/app/Application.h"
#include "unit/services/ServiceWorld.h"

namespace zindra {
namespace {

using testing::ServiceWorld;

struct TimerPoolTest : ::testing::Test {
    ServiceWorld world;
    TZkTimerPool& pool = world.Pool();
    std::int64_t start = world.Now();
    std::int64_t Since() { return world.Now() - start; }
};

TEST(TZkTimerSlots, LowestFreeSlotFirstAndZeroWhenFull) {
    TZkTimerSlots slots;
    EXPECT_EQ(slots.Take(), 0xFD01);
    EXPECT_EQ(slots.Take(), 0xFD02);
    for (int i = 3; i <= 250; ++i)
        EXPECT_EQ(slots.Take(), 0xFD00 + i);
    EXPECT_EQ(slots.Take(), 0);
    slots.Free(0xFD80);
    slots.Free(0xFD00);  // not a slot: ignored
    slots.Free(0xFDFB);  // past the table: ignored
    EXPECT_FALSE(slots.InUse(0xFD80));
    EXPECT_EQ(slots.Take(), 0xFD80);
    EXPECT_EQ(slots.Take(), 0);
}

TEST_F(TimerPoolTest, TwoHundredFiftyItemsThenZeroAndRemovedSlotIsReused) {
    for (int i = 1; i <= 250; ++i)
        ASSERT_EQ(pool.AddTimer(50, nullptr), 0xFD00 + i);
    EXPECT_EQ(pool.AddTimer(50, nullptr), 0);
    EXPECT_EQ(pool.Count(), 250);
    pool.RemoveTimer(0xFD00);  // only ids above the base are pool ids
    EXPECT_EQ(pool.Count(), 250);
    pool.RemoveTimer(0xFD07);
    EXPECT_EQ(pool.Find(0xFD07), nullptr);
    EXPECT_EQ(pool.AddTimer(100, nullptr), 0xFD07);
    EXPECT_EQ(pool.Find(0xFD07)->Ticks(), 2u);
}

TEST_F(TimerPoolTest, IntervalsMustBeWholeMultiplesOfMinInterval) {
    EXPECT_EQ(pool.MinInterval(), 50u);
    for (std::uint32_t bad : {0u, 30u, 49u, 75u, 1001u}) {
        try {
            pool.AddTimer(bad, nullptr);
            ADD_FAILURE() << bad << " was accepted";
        } catch (const EZkTimerPoolError& e) {
            EXPECT_STREQ(e.what(), "Interval not compatible with MinInterval property!");
        }
    }
    EXPECT_EQ(pool.Count(), 0);
    EXPECT_FALSE(pool.SystemTimerRunning());

    TZkTimerItem* item = pool.Find(pool.AddTimer(500, nullptr));
    EXPECT_TRUE(item->Enabled());
    EXPECT_EQ(item->Ticks(), 10u);
    EXPECT_EQ(item->CallLimit(), -1);
    item->SetInterval(120);  // not a multiple: ignored
    EXPECT_EQ(item->Interval(), 500u);
    item->SetInterval(0);  // stands for MinInterval
    EXPECT_EQ(item->Interval(), 50u);
    EXPECT_EQ(item->Ticks(), 1u);
    item->SetInterval(1000);
    EXPECT_EQ(item->Ticks(), 20u);
}

TEST_F(TimerPoolTest, ChangesOfStateOrIntervalResetTheFiringCount) {
    TZkTimerItem* item = pool.Find(pool.AddTimer(50, nullptr));
    world.RunFor(160);
    EXPECT_EQ(item->Counter(), 3);
    item->SetInterval(50);  // the same: nothing changes
    item->SetEnabled(true);
    EXPECT_EQ(item->Counter(), 3);
    item->SetInterval(100);
    EXPECT_EQ(item->Counter(), 0);
    world.RunFor(200);
    EXPECT_EQ(item->Counter(), 2);
    item->SetEnabled(false);
    EXPECT_EQ(item->Counter(), 0);
    item->SetCallLimit(0);
    item->SetEnabled(true);  // a call limit of 0 keeps it off
    EXPECT_FALSE(item->Enabled());
}

TEST_F(TimerPoolTest, ItemsFireEveryWholeNumberOfTicks) {
    std::vector<std::int64_t> fast, slow;
    pool.AddTimer(100, [&] { fast.push_back(Since()); });
    pool.AddTimer(150, [&] { slow.push_back(Since()); });
    world.RunFor(460);
    // The tick counter starts at 1 when the system timer is set: ticks at 50 (1), 100 (2), ...
    EXPECT_EQ(fast, (std::vector<std::int64_t>{100, 200, 300, 400}));
    EXPECT_EQ(slow, (std::vector<std::int64_t>{150, 300, 450}));
    EXPECT_EQ(pool.TickCounter(), 10u);
}

TEST_F(TimerPoolTest, AnAddRestartsThePhaseOfEveryItem) {
    std::vector<std::int64_t> a, b;
    pool.AddTimer(100, [&] { a.push_back(Since()); });
    world.RunFor(260);
    EXPECT_EQ(pool.TickCounter(), 6u);
    pool.AddTimer(200, [&] { b.push_back(Since()); });
    EXPECT_EQ(pool.TickCounter(), 1u);
    world.RunFor(500);
    // The old item's tick due at 300 never comes; both count again from the add at 260.
    EXPECT_EQ(a, (std::vector<std::int64_t>{100, 200, 360, 460, 560, 660, 760}));
    EXPECT_EQ(b, (std::vector<std::int64_t>{460, 660}));
}

TEST_F(TimerPoolTest, TickCounterWrapsToZeroWhereEveryItemIsDue) {
    std::vector<std::uint32_t> fired;
    pool.AddTimer(100, [&] { fired.push_back(2); });
    pool.AddTimer(150, [&] { fired.push_back(3); });
    pool.SetTickCounter(0xFFFFFFFFu);  // 3 * 5 * 17 * 257 * 65537: odd, a multiple of 3
    world.RunFor(50);
    EXPECT_EQ(fired, (std::vector<std::uint32_t>{3}));
    EXPECT_EQ(pool.TickCounter(), 0u);
    world.RunFor(50);
    EXPECT_EQ(fired, (std::vector<std::uint32_t>{3, 2, 3}));
    world.RunFor(50);  // tick 1: nothing
    EXPECT_EQ(fired.size(), 3u);
    EXPECT_EQ(pool.TickCounter(), 2u);
}

TEST_F(TimerPoolTest, ItemsWithoutCallbackRaiseOnTimerAndCallLimitStopsThem) {
    std::vector<std::pair<std::uint16_t, int>> raised;
    pool.OnTimer = [&](TObject* sender, std::uint16_t id, int counter) {
        EXPECT_EQ(sender, &pool);
        raised.emplace_back(id, counter);
    };
    const std::uint16_t id = pool.AddTimer(50, nullptr);
    pool.Find(id)->SetCallLimit(3);
    world.RunFor(300);
    // The last firing reports its own number although disabling reset the count.
    using Raised = std::vector<std::pair<std::uint16_t, int>>;
    EXPECT_EQ(raised, (Raised{{id, 1}, {id, 2}, {id, 3}}));
    EXPECT_FALSE(pool.Find(id)->Enabled());
    EXPECT_TRUE(pool.SystemTimerRunning());  // disabling leaves it running
}

TEST_F(TimerPoolTest, ATickIsIgnoredWhileThePreviousOneStillRuns) {
    int outer = 0, other = 0;
    pool.AddTimer(50, [&] {
        if (++outer == 1) world.RunFor(300);  // a nested message loop, as a modal box runs
    });
    pool.AddTimer(50, [&] { ++other; });
    world.RunFor(50);
    // The nested loop saw six WM_TIMERs and ignored them; the tick that ran it then finished.
    EXPECT_EQ(outer, 1);
    EXPECT_EQ(other, 1);
    EXPECT_EQ(pool.TickCounter(), 2u);
    world.RunFor(100);
    EXPECT_EQ(outer, 3);
    EXPECT_EQ(other, 3);
}

TEST_F(TimerPoolTest, ACallbackMayRemoveItselfAndAddOthersInsideATick) {
    std::vector<std::string> log;
    std::uint16_t self = 0, added = 0;
    self = pool.AddTimer(50, [&] {
        log.push_back("self");
        pool.RemoveTimer(self);
        added = pool.AddTimer(100, [&] { log.push_back("added"); });
    });
    pool.AddTimer(50, [&] { log.push_back("next"); });
    world.RunFor(50);
    EXPECT_EQ(log, (std::vector<std::string>{"self", "next"}));
    EXPECT_EQ(added, self);  // the freed slot is the lowest
    EXPECT_EQ(pool.Find(self)->Interval(), 100u);
    EXPECT_EQ(pool.Count(), 2);
    // The add inside the tick restarted the count: the new item waits its full 100 ms, and
    // comes after the older item in the list.
    world.RunFor(100);
    EXPECT_EQ(log, (std::vector<std::string>{"self", "next", "next", "next", "added"}));
}

TEST_F(TimerPoolTest, ExceptionsGoToTheApplicationAndTicksGoOn) {
    std::vector<std::string> reported;
    world.app->OnException = [&](const std::exception& e) { reported.push_back(e.what()); };
    int after = 0;
    pool.AddTimer(50, [] { throw std::runtime_error("handler failed"); });
    pool.AddTimer(50, [&] { ++after; });
    world.RunFor(150);
    EXPECT_EQ(reported, (std::vector<std::string>(3, "handler failed")));
    EXPECT_EQ(after, 3);
}

TEST_F(TimerPoolTest, AnExceptionWithoutHandlerShowsTheStandardErrorBox) {
    world.app->SetTitle("Menu");
    pool.AddTimer(50, [] { throw EOutOfResources("Not enough timers available"); });
    world.RunFor(50);
    const auto boxes = world.Journal("message-box");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(testing::JsonField(boxes[0], "kind"), "error");
    EXPECT_EQ(testing::JsonField(boxes[0], "text"), "Not enough timers available.");
}

TEST_F(TimerPoolTest, TheSystemTimerStopsWithTheLastItemAndTheWindowWithThePool) {
    const std::uint16_t a = pool.AddTimer(50, nullptr);
    const std::uint16_t b = pool.AddTimer(50, nullptr);
    EXPECT_TRUE(pool.SystemTimerRunning());
    pool.RemoveTimer(a);
    EXPECT_TRUE(pool.SystemTimerRunning());
    pool.RemoveTimer(b);
    EXPECT_FALSE(pool.SystemTimerRunning());
    pool.AddTimer(50, nullptr);
    const platform::WindowHandle window = pool.WindowHandle();
    ASSERT_TRUE(world.machine.Windows().Get(window).has_value());
    world.app->DestroyComponent(world.zk);
    EXPECT_FALSE(world.machine.Windows().Get(window).has_value());
}

}  // namespace
}  // namespace zindra
