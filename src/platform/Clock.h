// Time and every wait a thread does. The simulation owns time through this interface, so a
// thread that waits any other way stops virtual time from advancing.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>

#include "platform/Win32Types.h"

namespace zindra::platform {

// An event object as on Windows: manual or automatic reset. Set and Reset are thread-safe.
class WaitableEvent {
public:
    virtual ~WaitableEvent() = default;
    virtual void Set() = 0;
    virtual void Reset() = 0;
};

// A thread started through the clock. Priorities are Win32 thread priorities (-15 to 15).
class WorkerThread {
public:
    virtual ~WorkerThread() = default;
    virtual void Join() = 0;  // blocks until the thread's body has returned
    virtual void SetPriority(int priority) = 0;
    virtual int Priority() const = 0;
};

struct LocalTime {
    int Year = 1990;
    int Month = 1;
    int Day = 1;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

class Clock {
public:
    virtual ~Clock() = default;

    // Milliseconds since the platform started; never goes back.
    virtual std::int64_t NowMs() = 0;
    // The wall-clock date and time (in the simulation: a fixed start plus virtual time).
    virtual LocalTime Now() = 0;

    virtual std::unique_ptr<WaitableEvent> CreateEvent(bool manualReset, bool initiallySet) = 0;

    // Waits until one of the events is set or timeoutMs has passed (kInfinite: no time-out).
    // Returns the index of the event that ended the wait (consuming it when it resets
    // automatically), or -1 on time-out. A time-out of 0 only tests the events.
    virtual int WaitAny(std::initializer_list<WaitableEvent*> events, std::uint32_t timeoutMs) = 0;
    bool Wait(WaitableEvent& event, std::uint32_t timeoutMs) { return WaitAny({&event}, timeoutMs) == 0; }
    virtual void Sleep(std::uint32_t ms) = 0;

    // Starts body on a new thread that the clock knows about.
    virtual std::unique_ptr<WorkerThread> StartThread(std::function<void()> body) = 0;
};

}  // namespace zindra::platform
