// Real-time events, waits and threads with Win32 semantics.
#include "platform/posix/PosixClock.h"

#include <gtest/gtest.h>

#include <atomic>

namespace zindra::platform::posix {
namespace {

constexpr std::uint32_t kGenerousMs = 20000;

TEST(PosixClock, CountsMillisecondsFromConstruction) {
    PosixClock clock;
    const std::int64_t first = clock.NowMs();
    EXPECT_GE(first, 0);
    EXPECT_LT(first, 60000);
    EXPECT_GE(clock.NowMs(), first);
    const LocalTime now = clock.Now();
    EXPECT_GE(now.Year, 2000);
    EXPECT_TRUE(now.Month >= 1 && now.Month <= 12 && now.Day >= 1 && now.Day <= 31);
    EXPECT_TRUE(now.Hour >= 0 && now.Hour < 24 && now.Minute >= 0 && now.Minute < 60);
    EXPECT_TRUE(now.Second >= 0 && now.Second <= 60 && now.Millisecond >= 0 && now.Millisecond < 1000);
}

TEST(PosixClock, ManualResetStaysSetUntilReset) {
    PosixClock clock;
    const auto event = clock.CreateEvent(true, false);
    EXPECT_FALSE(clock.Wait(*event, 0));
    event->Set();
    EXPECT_TRUE(clock.Wait(*event, 0));
    EXPECT_TRUE(clock.Wait(*event, 0));
    event->Reset();
    EXPECT_FALSE(clock.Wait(*event, 0));
    EXPECT_TRUE(clock.Wait(*clock.CreateEvent(true, true), 0));
}

TEST(PosixClock, AutoResetIsConsumedByTheWaitThatSeesIt) {
    PosixClock clock;
    const auto event = clock.CreateEvent(false, true);
    EXPECT_EQ(clock.WaitAny({event.get()}, 0), 0);
    EXPECT_EQ(clock.WaitAny({event.get()}, 0), -1);
    event->Set();
    event->Set();  // setting twice is still one release
    EXPECT_EQ(clock.WaitAny({event.get()}, 0), 0);
    EXPECT_EQ(clock.WaitAny({event.get()}, 0), -1);
}

TEST(PosixClock, WaitAnyGivesTheLowestSetIndexAndConsumesOnlyIt) {
    PosixClock clock;
    const auto manual = clock.CreateEvent(true, false);
    const auto autoA = clock.CreateEvent(false, false);
    const auto autoB = clock.CreateEvent(false, false);
    autoA->Set();
    autoB->Set();
    EXPECT_EQ(clock.WaitAny({manual.get(), autoA.get(), autoB.get()}, 0), 1);
    EXPECT_EQ(clock.WaitAny({manual.get(), autoA.get(), autoB.get()}, 0), 2);
    EXPECT_EQ(clock.WaitAny({manual.get(), autoA.get(), autoB.get()}, 0), -1);
    manual->Set();
    autoA->Set();
    EXPECT_EQ(clock.WaitAny({manual.get(), autoA.get()}, 0), 0);
    EXPECT_EQ(clock.WaitAny({autoA.get()}, 0), 0);  // untouched by the wait that manual ended
}

TEST(PosixClock, TimesOutAfterTheTimeOut) {
    PosixClock clock;
    const auto event = clock.CreateEvent(false, false);
    const std::int64_t before = clock.NowMs();
    EXPECT_EQ(clock.WaitAny({event.get()}, 20), -1);
    EXPECT_GE(clock.NowMs() - before, 19);  // NowMs truncates to whole milliseconds
}

class ForeignEvent : public WaitableEvent {
public:
    void Set() override {}
    void Reset() override {}
};

TEST(PosixClock, EventsOfOtherKindsAreNeverSetAndEventsOutliveTheirClock) {
    std::unique_ptr<WaitableEvent> survivor;
    {
        PosixClock early;
        survivor = early.CreateEvent(false, true);
    }
    PosixClock clock;
    ForeignEvent foreign;
    EXPECT_EQ(clock.WaitAny({&foreign, survivor.get()}, 0), 1);
    EXPECT_EQ(clock.WaitAny({&foreign}, 0), -1);
}

TEST(PosixClock, AnAutoResetSetReleasesExactlyOneWaiter) {
    PosixClock clock;
    const auto gate = clock.CreateEvent(false, false);
    const auto done = clock.CreateEvent(false, false);
    std::atomic<int> passed{0};
    auto waiter = [&] {
        clock.Wait(*gate, kInfinite);
        ++passed;
        done->Set();
    };
    auto first = clock.StartThread(waiter);
    auto second = clock.StartThread(waiter);
    gate->Set();
    ASSERT_TRUE(clock.Wait(*done, kGenerousMs));
    EXPECT_FALSE(clock.Wait(*done, 50));  // a second release would have shown by now
    EXPECT_EQ(passed.load(), 1);
    gate->Set();
    ASSERT_TRUE(clock.Wait(*done, kGenerousMs));
    first->Join();
    second->Join();
    EXPECT_EQ(passed.load(), 2);
}

TEST(PosixClock, ThreadsRememberPriorityAndAreJoinedWhenDropped) {
    PosixClock clock;
    const auto go = clock.CreateEvent(true, false);
    std::atomic<bool> finished{false};
    auto worker = clock.StartThread([&] {
        clock.Wait(*go, kInfinite);
        finished = true;
    });
    EXPECT_EQ(worker->Priority(), 0);
    worker->SetPriority(-15);
    EXPECT_EQ(worker->Priority(), -15);
    go->Set();
    worker.reset();  // joins
    EXPECT_TRUE(finished.load());
}

}  // namespace
}  // namespace zindra::platform::posix
