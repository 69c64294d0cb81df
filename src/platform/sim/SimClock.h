// Virtual time for the simulated desktop. Time stands still while any known thread runs; when
// every known thread is blocked in one of the clock's waits, the clock jumps to the earliest
// deadline and wakes the threads due then. Runs are therefore exact and independent of the
// machine's speed or load.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/Clock.h"

namespace zindra::platform::sim {

class SimClock final : public Clock {
public:
    // The creating thread becomes a known thread of normal priority.
    explicit SimClock(LocalTime start = {});
    ~SimClock() override;
    SimClock(const SimClock&) = delete;
    SimClock& operator=(const SimClock&) = delete;

    std::int64_t NowMs() override;
    LocalTime Now() override;
    std::unique_ptr<WaitableEvent> CreateEvent(bool manualReset, bool initiallySet) override;
    int WaitAny(std::initializer_list<WaitableEvent*> events, std::uint32_t timeoutMs) override;
    void Sleep(std::uint32_t ms) override;
    std::unique_ptr<WorkerThread> StartThread(std::function<void()> body) override;

    // A background thread: its timed waits end only once every other known thread is blocked, so
    // a script acts after the program has finished reacting to the previous step, and virtual
    // time never runs ahead of the program.
    std::unique_ptr<WorkerThread> StartBackgroundThread(std::function<void()> body);

    // Called when every known thread is blocked with no deadline; the default prints and aborts.
    void SetDeadlockHandler(std::function<void()> handler);

private:
    struct ThreadRecord;
    class SimEvent;
    class SimThread;
    friend class SimEvent;
    friend class SimThread;

    ThreadRecord& Self();
    ThreadRecord* Register(bool background);
    void Unregister(ThreadRecord* record);
    // With mutex_ held: advances time when every known thread is blocked; false when all wait
    // with no deadline at all.
    bool Schedule();
    static void ReportDeadlock(const std::function<void()>& handler);
    bool OthersBlocked(const ThreadRecord& self) const;
    void Wake(ThreadRecord& record);

    std::mutex mutex_;
    std::condition_variable wakeUp_;
    std::int64_t now_ = 0;
    LocalTime start_;
    std::vector<std::unique_ptr<ThreadRecord>> threads_;
    std::function<void()> deadlockHandler_;
    std::uint64_t serial_;
};

}  // namespace zindra::platform::sim
