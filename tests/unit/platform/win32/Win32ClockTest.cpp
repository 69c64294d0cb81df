// Win32 events and waits (which event wins, which is consumed), and threads with priorities.
#include "platform/win32/Win32Clock.h"

#include <gtest/gtest.h>

#include <atomic>

namespace zindra::platform::win32 {
namespace {

// An event no Win32Clock made: never set as far as a wait is concerned.
class ForeignEvent final : public WaitableEvent {
public:
    void Set() override {}
    void Reset() override {}
};

TEST(Win32Clock, AnAutomaticEventIsConsumedByTheWaitItEnds) {
    Win32Clock clock;
    const auto event = clock.CreateEvent(false, true);
    EXPECT_EQ(clock.WaitAny({event.get()}, 0), 0);
    EXPECT_EQ(clock.WaitAny({event.get()}, 0), -1);
}

TEST(Win32Clock, AManualEventStaysSetUntilReset) {
    Win32Clock clock;
    const auto event = clock.CreateEvent(true, false);
    EXPECT_FALSE(clock.Wait(*event, 0));
    event->Set();
    EXPECT_TRUE(clock.Wait(*event, 0));
    EXPECT_TRUE(clock.Wait(*event, 0));
    event->Reset();
    EXPECT_FALSE(clock.Wait(*event, 0));
}

TEST(Win32Clock, OfSeveralSetEventsTheFirstWinsAndOnlyItIsConsumed) {
    Win32Clock clock;
    const auto first = clock.CreateEvent(false, true);
    const auto second = clock.CreateEvent(false, true);
    EXPECT_EQ(clock.WaitAny({first.get(), second.get()}, 0), 0);
    EXPECT_EQ(clock.WaitAny({first.get(), second.get()}, 0), 1);
    EXPECT_EQ(clock.WaitAny({first.get(), second.get()}, 0), -1);
}

TEST(Win32Clock, IndicesCountEventsThatCannotBeWaitedOn) {
    Win32Clock clock;
    ForeignEvent foreign;
    const auto ours = clock.CreateEvent(true, true);
    EXPECT_EQ(clock.WaitAny({&foreign, ours.get()}, 0), 1);
    EXPECT_EQ(clock.WaitAny({&foreign}, 0), -1);
    EXPECT_EQ(clock.WaitAny({}, 0), -1);
}

TEST(Win32Clock, EventsMayOutliveTheirClock) {
    std::unique_ptr<WaitableEvent> event;
    {
        Win32Clock maker;
        event = maker.CreateEvent(false, false);
    }
    Win32Clock clock;
    event->Set();
    EXPECT_TRUE(clock.Wait(*event, 0));
}

TEST(Win32Clock, AThreadRunsItsBodyAndIsJoined) {
    Win32Clock clock;
    std::atomic<int> runs{0};
    const auto finished = clock.CreateEvent(true, false);
    auto thread = clock.StartThread([&] {
        ++runs;
        finished->Set();
    });
    thread->Join();
    EXPECT_EQ(runs.load(), 1);
    EXPECT_TRUE(clock.Wait(*finished, 0));
    thread->Join();  // a second join returns at once
}

TEST(Win32Clock, ThreadPrioritiesAreRealAndInvalidOnesAreRefused) {
    Win32Clock clock;
    const auto release = clock.CreateEvent(true, false);
    auto thread = clock.StartThread([&] { clock.Wait(*release, kInfinite); });
    EXPECT_EQ(thread->Priority(), THREAD_PRIORITY_NORMAL);
    thread->SetPriority(THREAD_PRIORITY_BELOW_NORMAL);
    EXPECT_EQ(thread->Priority(), THREAD_PRIORITY_BELOW_NORMAL);
    thread->SetPriority(THREAD_PRIORITY_IDLE);
    EXPECT_EQ(thread->Priority(), THREAD_PRIORITY_IDLE);
    thread->SetPriority(7);  // not a priority of the normal class
    EXPECT_EQ(thread->Priority(), THREAD_PRIORITY_IDLE);
    release->Set();
    thread->Join();
}

TEST(Win32Clock, ABodyThatDropsItsOwnThreadIsNotWaitedFor) {
    Win32Clock clock;
    const auto start = clock.CreateEvent(true, false);
    const auto done = clock.CreateEvent(true, false);
    std::unique_ptr<WorkerThread> thread;
    thread = clock.StartThread([&] {
        clock.Wait(*start, kInfinite);
        thread.reset();  // joins itself: must not wait forever
        done->Set();
    });
    start->Set();
    EXPECT_TRUE(clock.Wait(*done, kInfinite));
}

TEST(Win32Clock, TimeGoesForwardFromZero) {
    Win32Clock clock;
    const std::int64_t first = clock.NowMs();
    EXPECT_GE(first, 0);
    EXPECT_GE(clock.NowMs(), first);
    const LocalTime now = clock.Now();
    EXPECT_GE(now.Year, 2020);
    EXPECT_GE(now.Month, 1);
    EXPECT_LE(now.Month, 12);
}

}  // namespace
}  // namespace zindra::platform::win32
