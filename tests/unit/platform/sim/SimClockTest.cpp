// Virtual time: it stands still while a thread runs, jumps to the next deadline when all wait,
// and a background thread acts only once everything else is idle.
#include "platform/sim/SimClock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace zindra::platform::sim {
namespace {

TEST(SimClock, SleepJumpsStraightToTheDeadline) {
    SimClock clock;
    clock.Sleep(1500);
    EXPECT_EQ(clock.NowMs(), 1500);
    clock.Sleep(0);
    EXPECT_EQ(clock.NowMs(), 1500);
}

TEST(SimClock, TimeStandsStillWhileAnotherThreadRuns) {
    SimClock clock;
    auto gate = clock.CreateEvent(true, false);
    std::atomic<std::int64_t> seenByWorker{-1};
    auto worker = clock.StartThread([&] {
        // Busy work that never waits through the clock: time may not move meanwhile.
        volatile long sum = 0;
        for (long i = 0; i < 2000000; ++i)
            sum = sum + i;
        seenByWorker = clock.NowMs();
        gate->Set();
    });
    const int which = clock.WaitAny({gate.get()}, 10);
    EXPECT_EQ(which, 0);
    EXPECT_EQ(seenByWorker.load(), 0);
    EXPECT_EQ(clock.NowMs(), 0);
    worker->Join();
}

TEST(SimClock, AutoResetEventWakesOneWaiterAndManualResetAll) {
    SimClock clock;
    auto autoEvent = clock.CreateEvent(false, false);
    auto manual = clock.CreateEvent(true, false);
    std::atomic<int> woke{0};
    std::vector<std::unique_ptr<WorkerThread>> threads;
    for (int i = 0; i < 3; ++i) {
        threads.push_back(clock.StartThread([&] {
            if (clock.Wait(*autoEvent, 1000)) ++woke;
        }));
    }
    clock.Sleep(10);
    autoEvent->Set();
    for (auto& t : threads)
        t->Join();
    EXPECT_EQ(woke.load(), 1);
    EXPECT_EQ(clock.NowMs(), 1000);  // the two that missed out waited their full time-out
    manual->Set();
    EXPECT_TRUE(clock.Wait(*manual, 0));
    EXPECT_TRUE(clock.Wait(*manual, 0));
}

TEST(SimClock, WaitAnyReportsTheLowestSetIndex) {
    SimClock clock;
    auto a = clock.CreateEvent(true, false);
    auto b = clock.CreateEvent(true, true);
    auto c = clock.CreateEvent(true, true);
    EXPECT_EQ(clock.WaitAny({a.get(), b.get(), c.get()}, 0), 1);
    EXPECT_EQ(clock.WaitAny({a.get()}, 5), -1);
    EXPECT_EQ(clock.NowMs(), 5);
}

TEST(SimClock, BackgroundThreadActsOnlyWhenTheRestIsIdle) {
    SimClock clock;
    std::mutex m;
    std::vector<std::string> order;
    auto note = [&](const std::string& s) {
        std::lock_guard lock(m);
        order.push_back(s + "@" + std::to_string(clock.NowMs()));
    };
    auto script = clock.StartBackgroundThread([&] {
        clock.Sleep(100);
        note("script");
    });
    auto worker = clock.StartThread([&] {
        clock.Sleep(100);
        note("worker");
        clock.Sleep(0);
        note("worker again");
    });
    worker->Join();
    script->Join();
    EXPECT_EQ(order, (std::vector<std::string>{"worker@100", "worker again@100", "script@100"}));
}

TEST(SimClock, LocalTimeIsTheStartPlusVirtualTime) {
    SimClock clock(LocalTime{2026, 12, 31, 23, 59, 59, 500});
    clock.Sleep(700);
    const LocalTime t = clock.Now();
    EXPECT_EQ(t.Year, 2027);
    EXPECT_EQ(t.Month, 1);
    EXPECT_EQ(t.Day, 1);
    EXPECT_EQ(t.Hour, 0);
    EXPECT_EQ(t.Second, 0);
    EXPECT_EQ(t.Millisecond, 200);
}

TEST(SimClock, EveryoneWaitingForeverIsReportedNotHung) {
    SimClock clock;
    std::atomic<bool> reported{false};
    auto never = clock.CreateEvent(true, false);
    clock.SetDeadlockHandler([&] {
        reported = true;
        never->Set();
    });
    clock.Wait(*never, kInfinite);
    EXPECT_TRUE(reported.load());
}

}  // namespace
}  // namespace zindra::platform::sim
