// The real-time clock: steady milliseconds, local time, Win32-style events and threads.
#pragma once

#include <chrono>

#include "platform/Clock.h"

namespace zindra::platform::posix {

// Thread-safe. Events from every PosixClock share one lock and one condition variable, so
// WaitAny may mix events of different clocks; events may outlive the clock that made them.
class PosixClock : public Clock {
public:
    PosixClock();

    std::int64_t NowMs() override;  // since construction
    LocalTime Now() override;       // the local wall-clock time
    std::unique_ptr<WaitableEvent> CreateEvent(bool manualReset, bool initiallySet) override;
    // Events not made by a PosixClock are never set. Of several set events the lowest index wins.
    int WaitAny(std::initializer_list<WaitableEvent*> events, std::uint32_t timeoutMs) override;
    void Sleep(std::uint32_t ms) override;
    // NOTE: destroying the returned thread object joins the thread (a running std::thread
    // cannot be dropped safely); the priority is only remembered, scheduling stays as it is.
    std::unique_ptr<WorkerThread> StartThread(std::function<void()> body) override;

private:
    std::chrono::steady_clock::time_point start_;
};

}  // namespace zindra::platform::posix
