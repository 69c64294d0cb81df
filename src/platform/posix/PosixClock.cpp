// Real time for the platform: events over one condition variable, threads over std::thread.
#include "platform/posix/PosixClock.h"

#include <atomic>
#include <condition_variable>
#include <ctime>
#include <mutex>
#include <thread>
#include <vector>

namespace zindra::platform::posix {
namespace {

// One lock for every event's state: a wait on several events needs them under one lock.
struct EventHub {
    std::mutex Mutex;
    std::condition_variable Changed;
};

EventHub& Hub() {
    static auto* hub = new EventHub;  // never destroyed: threads may still wait during exit
    return *hub;
}

class PosixEvent : public WaitableEvent {
public:
    PosixEvent(bool manualReset, bool initiallySet) : manualReset_(manualReset), set_(initiallySet) {}

    void Set() override {
        std::lock_guard lock(Hub().Mutex);
        set_ = true;
        Hub().Changed.notify_all();
    }
    void Reset() override {
        std::lock_guard lock(Hub().Mutex);
        set_ = false;
    }
    // Hub().Mutex held: true when set, clearing it for an auto-reset event.
    bool TryConsumeLocked() {
        if (!set_) {
            return false;
        }
        set_ = manualReset_;
        return true;
    }

private:
    const bool manualReset_;
    bool set_;
};

class PosixWorker : public WorkerThread {
public:
    explicit PosixWorker(std::function<void()> body) : thread_(std::move(body)) {}
    ~PosixWorker() override { Join(); }

    void Join() override {
        std::lock_guard lock(joinMutex_);
        if (thread_.joinable() && thread_.get_id() == std::this_thread::get_id()) {
            thread_.detach();  // the body dropped its own thread object; it cannot wait for itself
        } else if (thread_.joinable()) {
            thread_.join();
        }
    }
    void SetPriority(int priority) override { priority_ = priority; }
    int Priority() const override { return priority_; }

private:
    std::mutex joinMutex_;
    std::thread thread_;
    std::atomic<int> priority_{0};  // THREAD_PRIORITY_NORMAL
};

}  // namespace

PosixClock::PosixClock() : start_(std::chrono::steady_clock::now()) {}

std::int64_t PosixClock::NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
}

LocalTime PosixClock::Now() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto sinceEpoch = now.time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count() % 1000;
    return LocalTime{local.tm_year + 1900,
                     local.tm_mon + 1,
                     local.tm_mday,
                     local.tm_hour,
                     local.tm_min,
                     local.tm_sec,
                     static_cast<int>(ms < 0 ? ms + 1000 : ms)};
}

std::unique_ptr<WaitableEvent> PosixClock::CreateEvent(bool manualReset, bool initiallySet) {
    return std::make_unique<PosixEvent>(manualReset, initiallySet);
}

int PosixClock::WaitAny(std::initializer_list<WaitableEvent*> events, std::uint32_t timeoutMs) {
    std::vector<PosixEvent*> ours;
    for (WaitableEvent* event : events) {
        ours.push_back(dynamic_cast<PosixEvent*>(event));
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::unique_lock lock(Hub().Mutex);
    while (true) {
        for (std::size_t i = 0; i < ours.size(); ++i) {
            if (ours[i] != nullptr && ours[i]->TryConsumeLocked()) {
                return static_cast<int>(i);
            }
        }
        if (timeoutMs == kInfinite) {
            Hub().Changed.wait(lock);
        } else if (Hub().Changed.wait_until(lock, deadline) == std::cv_status::timeout) {
            // One last look: a Set may have come with the time-out.
            for (std::size_t i = 0; i < ours.size(); ++i) {
                if (ours[i] != nullptr && ours[i]->TryConsumeLocked()) {
                    return static_cast<int>(i);
                }
            }
            return -1;
        }
    }
}

void PosixClock::Sleep(std::uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::unique_ptr<WorkerThread> PosixClock::StartThread(std::function<void()> body) {
    return std::make_unique<PosixWorker>(std::move(body));
}

}  // namespace zindra::platform::posix
