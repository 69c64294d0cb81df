// The threaded timer and its worker.
#include "widgets/ThreadedTimer.h"

#include "framework/Exception.h"
#include "framework/app/Application.h"
#include "framework/layout/Properties.h"
#include "platform/Platform.h"

namespace zindra {

namespace {

constexpr int kPriorities[] = {-15, -2, -1, 0, 1, 2, 15};

TApplication& ApplicationOf(TComponent* owner) {
    TApplication* app = owner ? owner->Application() : nullptr;
    if (!app) throw EInvalidOperation("A threaded timer needs an application");
    return *app;
}

}  // namespace

TTimerThread::TTimerThread(TThreadedTimer& owner, platform::Clock& clock)
    : owner_(owner),
      clock_(clock),
      wake_(clock.CreateEvent(false, false)),
      running_(clock.CreateEvent(true, false)),
      endedEvent_(clock.CreateEvent(true, false)) {
    thread_ = clock.StartThread([this] { Body(); });
}

TTimerThread::~TTimerThread() {
    if (thread_) thread_->Join();
}

void TTimerThread::Pause() {
    if (paused_.exchange(true)) return;
    ++pauses_;
    running_->Reset();
}

void TTimerThread::Resume() {
    paused_.store(false);
    running_->Set();
}

void TTimerThread::Body() {
    for (;;) {
        clock_.Wait(*running_, platform::kInfinite);
        if (terminating_.load()) break;
        const std::uint64_t pausesBefore = pauses_.load();
        const bool timedOut = !clock_.Wait(*wake_, interval_.load(std::memory_order_relaxed));
        if (terminating_.load()) break;
        // A pause during the wait stands for a suspended thread: its wait counts for nothing.
        if (timedOut && !paused_.load() && pauses_.load() == pausesBefore) {
            try {
                owner_.Application()->Synchronize([this] { owner_.Tick(); });
            } catch (...) {
                break;  // an escaped handler exception ends the worker for good
            }
        }
        if (terminating_.load()) break;
    }
    ended_.store(true);
    endedEvent_->Set();
}

const ClassInfo& TThreadedTimer::StaticClass() {
    using C = TThreadedTimer;
    static const ClassInfo info{"TThreadedTimer",
                                &TComponent::StaticClass(),
                                [](TComponent* owner) { return new TThreadedTimer(owner); },
                                {props::Bool<C>("Enabled", &C::SetEnabled),
                                 props::Make<C>(
                                     "Interval",
                                     [](const LayoutValue& v, LoadContext&) {
                                         const std::int64_t n = props::ReadInteger(v);
                                         if (n < 0 || n > 0xFFFFFFFFLL) LoadContext::Fail(v, "interval out of range");
                                         return static_cast<std::uint32_t>(n);
                                     },
                                     &C::SetInterval),
                                 props::Event<C, TNotifyEvent>("OnTimer", &C::SetOnTimer),
                                 props::Enum<C, TThreadPriority>("ThreadPriority", &C::SetThreadPriority,
                                                                 {"tpIdle", "tpLowest", "tpLower", "tpNormal",
                                                                  "tpHigher", "tpHighest", "tpTimeCritical"})}};
    return info;
}
const ClassInfo& TThreadedTimer::ClassType() const {
    return StaticClass();
}

TThreadedTimer::TThreadedTimer(TComponent* owner) : TComponent(owner), app_(ApplicationOf(owner)) {
    worker_ = std::make_unique<TTimerThread>(*this, app_.Platform().GetClock());
    worker_->SetInterval(1000);
    SetThreadPriority(TThreadPriority::tpNormal);
}

TThreadedTimer::~TThreadedTimer() {
    Destroying();  // a tick served below is dropped: its handler may belong to a dying owner
    *alive_ = false;
    worker_->Terminate();
    worker_->Wake();
    if (worker_->Paused()) worker_->Resume();
    if (inTick_) {
        // Destroyed by its own tick handler: the worker waits for this very hand-over to return,
        // so it is let go and joined at the next turn of the message loop.
        app_.Defer([worker = std::shared_ptr<TTimerThread>(std::move(worker_))] {});
        return;
    }
    // A tick may be in the hand-over right now: keep serving it so the worker can end.
    app_.WaitServingCalls(worker_->EndedEvent());
    worker_.reset();
}

void TThreadedTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (enabled) {
        if (worker_->Interval() != 0) {
            worker_->Wake();
            worker_->Resume();
        }
    } else {
        worker_->Pause();
    }
}

void TThreadedTimer::SetInterval(std::uint32_t interval) {
    if (interval == worker_->Interval()) return;
    const bool wasEnabled = enabled_;
    SetEnabled(false);
    worker_->SetInterval(interval);
    SetEnabled(wasEnabled);
}

TThreadPriority TThreadedTimer::ThreadPriority() const {
    const int value = worker_->Priority();
    for (std::size_t i = 0; i < std::size(kPriorities); ++i) {
        if (kPriorities[i] == value) return static_cast<TThreadPriority>(i);
    }
    return TThreadPriority::tpNormal;
}

void TThreadedTimer::SetThreadPriority(TThreadPriority priority) {
    worker_->SetPriority(kPriorities[static_cast<std::size_t>(priority)]);
}

void TThreadedTimer::Tick() {
    if (IsDestroying() || !enabled_ || !OnTimer) return;
    // The handler may destroy this timer: it runs from a copy, and afterwards only the shared
    // flag tells whether `this` still exists.
    const std::shared_ptr<bool> alive = alive_;
    const TNotifyEvent handler = OnTimer;
    inTick_ = true;
    try {
        handler(this);
    } catch (...) {
        if (*alive) inTick_ = false;
        throw;
    }
    if (*alive) inTick_ = false;
}

}  // namespace zindra
