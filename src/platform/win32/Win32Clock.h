// Real time for the Win32 back end: the tick count, the local time, Win32 event objects and
// threads with real priorities.
#pragma once

#include "platform/Clock.h"
#include "platform/win32/Win32Api.h"

namespace zindra::platform::win32 {

// Thread-safe. Events are kernel event objects, so they may outlive the clock that made them and
// be waited on together with window messages (see HandleOf).
class Win32Clock final : public Clock {
public:
    Win32Clock();

    std::int64_t NowMs() override;  // milliseconds since construction (GetTickCount64)
    LocalTime Now() override;       // GetLocalTime
    std::unique_ptr<WaitableEvent> CreateEvent(bool manualReset, bool initiallySet) override;
    // WaitForMultipleObjects: of several set events the lowest index wins and only it is consumed.
    // Events this clock did not make are never set. At most MAXIMUM_WAIT_OBJECTS events.
    int WaitAny(std::initializer_list<WaitableEvent*> events, std::uint32_t timeoutMs) override;
    void Sleep(std::uint32_t ms) override;
    // NOTE: destroying the returned object joins the thread, as a running thread cannot be
    // dropped safely; a body that destroys its own thread object is not waited for.
    std::unique_ptr<WorkerThread> StartThread(std::function<void()> body) override;

    // The event object behind an event made by a Win32Clock; nullptr for any other event.
    static HANDLE HandleOf(WaitableEvent& event);

private:
    ULONGLONG start_;
};

}  // namespace zindra::platform::win32
