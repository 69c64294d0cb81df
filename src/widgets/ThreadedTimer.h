// A timer whose waiting is done by a worker thread of its own, while its tick still runs on the
// user-interface thread: the worker waits for the interval, hands the tick over with a blocking
// call and waits again only once the handler has returned, so ticks never pile up.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "framework/Component.h"
#include "platform/Clock.h"

namespace zindra {

enum class TThreadPriority : std::uint8_t { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TThreadedTimer;

// The worker: created paused with the timer and kept for the timer's whole life.
// Threading: Interval and the pause state are written on the user-interface thread; the worker
// reads them at the start of each wait.
class TTimerThread {
public:
    TTimerThread(TThreadedTimer& owner, platform::Clock& clock);
    ~TTimerThread();

    std::uint32_t Interval() const { return interval_.load(std::memory_order_relaxed); }
    void SetInterval(std::uint32_t interval) { interval_.store(interval, std::memory_order_relaxed); }
    // A paused worker does not run: a wait that was under way when it was paused ends without a
    // tick once it runs again.
    void Pause();
    void Resume();
    bool Paused() const { return paused_.load(); }
    void Wake() { wake_->Set(); }
    void Terminate() { terminating_.store(true); }
    bool Ended() const { return ended_.load(); }
    platform::WaitableEvent& EndedEvent() { return *endedEvent_; }
    void Join() { thread_->Join(); }
    void SetPriority(int priority) { thread_->SetPriority(priority); }
    int Priority() const { return thread_->Priority(); }

private:
    void Body();

    TThreadedTimer& owner_;
    platform::Clock& clock_;
    std::atomic<std::uint32_t> interval_{1000};
    std::atomic<bool> paused_{true};
    std::atomic<std::uint64_t> pauses_{0};
    std::atomic<bool> terminating_{false};
    std::atomic<bool> ended_{false};
    std::unique_ptr<platform::WaitableEvent> wake_;     // automatic reset, not set
    std::unique_ptr<platform::WaitableEvent> running_;  // manual reset: set while not paused
    std::unique_ptr<platform::WaitableEvent> endedEvent_;
    std::unique_ptr<platform::WorkerThread> thread_;
};

class TThreadedTimer : public TComponent {
public:
    explicit TThreadedTimer(TComponent* owner);
    ~TThreadedTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    std::uint32_t Interval() const { return worker_->Interval(); }
    void SetInterval(std::uint32_t interval);
    TNotifyEvent OnTimer;
    void SetOnTimer(TNotifyEvent handler) { OnTimer = std::move(handler); }
    TThreadPriority ThreadPriority() const;
    void SetThreadPriority(TThreadPriority priority);

    // Runs on the user-interface thread for each tick the worker hands over; a tick handed over
    // before the timer was disabled, or once it or its owner began to be destroyed, is dropped.
    void Tick();

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    TApplication& app_;
    std::unique_ptr<TTimerThread> worker_;
    bool enabled_ = false;
    bool inTick_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace zindra
