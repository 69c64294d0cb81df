// Virtual time: thread bookkeeping, events and the scheduler that advances the clock.
#include "platform/sim/SimClock.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace zindra::platform::sim {

namespace {

constexpr std::int64_t kNever = INT64_MAX;
std::atomic<std::uint64_t> nextClockSerial{1};

// Days since 1970-01-01 for a civil date, and back (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

}  // namespace

struct SimClock::ThreadRecord {
    bool background = false;
    bool blocked = false;
    std::int64_t deadline = kNever;
};

// Which record the calling thread has in which clock; a thread may know several clocks over
// its life (one per test), told apart by serial number.
struct TlsEntry {
    std::uint64_t serial;
    void* record;
};
// NOTE: a fixed table, so it has no destructor: a clock that lives in a static object is
// destroyed after the main thread's thread-local objects, and must still find the table.
struct TlsTable {
    static constexpr std::size_t kCapacity = 32;
    TlsEntry entries[kCapacity];
    std::size_t count;

    void push_back(const TlsEntry& entry) {
        if (count == kCapacity) {
            std::fputs("virtual clock: a thread knows too many clocks at once\n", stderr);
            std::abort();
        }
        entries[count++] = entry;
    }
    void Remove(std::uint64_t serial) {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < count; ++i) {
            if (entries[i].serial != serial) entries[kept++] = entries[i];
        }
        count = kept;
    }
    const TlsEntry* begin() const { return entries; }
    const TlsEntry* end() const { return entries + count; }
};
thread_local TlsTable tlsRecords;

class SimClock::SimEvent final : public WaitableEvent {
public:
    SimEvent(SimClock& clock, bool manualReset, bool set) : clock_(clock), manualReset_(manualReset), set_(set) {}
    void Set() override {
        std::lock_guard lock(clock_.mutex_);
        set_ = true;
        for (ThreadRecord* waiter : waiters_)
            clock_.Wake(*waiter);
        clock_.wakeUp_.notify_all();
    }
    void Reset() override {
        std::lock_guard lock(clock_.mutex_);
        set_ = false;
    }
    // With the clock's mutex held.
    bool TryConsume() {
        if (!set_) return false;
        if (!manualReset_) set_ = false;
        return true;
    }
    std::vector<ThreadRecord*> waiters_;

private:
    SimClock& clock_;
    bool manualReset_;
    bool set_;
};

class SimClock::SimThread final : public WorkerThread {
public:
    SimThread(SimClock& clock, bool background, std::function<void()> body) : clock_(clock) {
        ended_ = clock.CreateEvent(true, false);
        ThreadRecord* record = clock.Register(background);
        thread_ = std::thread([this, record, body = std::move(body)] {
            tlsRecords.push_back({clock_.serial_, record});
            body();
            tlsRecords.Remove(clock_.serial_);
            ended_->Set();
            clock_.Unregister(record);
        });
    }
    ~SimThread() override {
        if (thread_.joinable()) Join();
    }
    // Waits through the clock, so virtual time goes on while the caller waits for the end.
    void Join() override {
        clock_.Wait(*ended_, kInfinite);
        if (thread_.joinable()) thread_.join();
    }
    void SetPriority(int priority) override { priority_ = priority; }
    int Priority() const override { return priority_; }

private:
    SimClock& clock_;
    std::unique_ptr<WaitableEvent> ended_;
    std::thread thread_;
    std::atomic<int> priority_{0};
};

SimClock::SimClock(LocalTime start) : start_(start), serial_(nextClockSerial++) {
    tlsRecords.push_back({serial_, Register(false)});
}

SimClock::~SimClock() {
    tlsRecords.Remove(serial_);
}

std::int64_t SimClock::NowMs() {
    std::lock_guard lock(mutex_);
    return now_;
}

LocalTime SimClock::Now() {
    const std::int64_t ms = NowMs();
    const std::int64_t startSeconds =
        DaysFromCivil(start_.Year, static_cast<unsigned>(start_.Month), static_cast<unsigned>(start_.Day)) * 86400 +
        start_.Hour * 3600 + start_.Minute * 60 + start_.Second;
    const std::int64_t totalMs = startSeconds * 1000 + start_.Millisecond + ms;
    const std::int64_t seconds = totalMs / 1000;
    LocalTime t;
    CivilFromDays(seconds / 86400, t.Year, t.Month, t.Day);
    const std::int64_t inDay = seconds % 86400;
    t.Hour = static_cast<int>(inDay / 3600);
    t.Minute = static_cast<int>(inDay / 60 % 60);
    t.Second = static_cast<int>(inDay % 60);
    t.Millisecond = static_cast<int>(totalMs % 1000);
    return t;
}

std::unique_ptr<WaitableEvent> SimClock::CreateEvent(bool manualReset, bool initiallySet) {
    return std::make_unique<SimEvent>(*this, manualReset, initiallySet);
}

int SimClock::WaitAny(std::initializer_list<WaitableEvent*> events, std::uint32_t timeoutMs) {
    std::unique_lock lock(mutex_);
    ThreadRecord& self = Self();
    const std::int64_t deadline = timeoutMs == kInfinite ? kNever : now_ + timeoutMs;
    std::vector<SimEvent*> simEvents;
    for (WaitableEvent* e : events)
        simEvents.push_back(static_cast<SimEvent*>(e));
    for (;;) {
        for (std::size_t i = 0; i < simEvents.size(); ++i) {
            if (simEvents[i]->TryConsume()) return static_cast<int>(i);
        }
        if (now_ >= deadline && (!self.background || OthersBlocked(self))) return -1;
        self.blocked = true;
        self.deadline = deadline;
        for (SimEvent* e : simEvents)
            e->waiters_.push_back(&self);
        if (!Schedule()) {
            // Nobody can ever wake: tell whoever asked to hear of it, without the clock held.
            const auto handler = deadlockHandler_;
            lock.unlock();
            ReportDeadlock(handler);
            lock.lock();
        }
        wakeUp_.wait(lock, [&] { return !self.blocked; });
        for (SimEvent* e : simEvents)
            std::erase(e->waiters_, &self);
    }
}

void SimClock::Sleep(std::uint32_t ms) {
    WaitAny({}, ms);
}

std::unique_ptr<WorkerThread> SimClock::StartThread(std::function<void()> body) {
    return std::make_unique<SimThread>(*this, false, std::move(body));
}

std::unique_ptr<WorkerThread> SimClock::StartBackgroundThread(std::function<void()> body) {
    return std::make_unique<SimThread>(*this, true, std::move(body));
}

void SimClock::SetDeadlockHandler(std::function<void()> handler) {
    std::lock_guard lock(mutex_);
    deadlockHandler_ = std::move(handler);
}

SimClock::ThreadRecord& SimClock::Self() {
    for (const TlsEntry& e : tlsRecords) {
        if (e.serial == serial_) return *static_cast<ThreadRecord*>(e.record);
    }
    // A thread the clock did not start: it becomes known on its first wait.
    threads_.push_back(std::make_unique<ThreadRecord>());
    tlsRecords.push_back({serial_, threads_.back().get()});
    return *threads_.back();
}

SimClock::ThreadRecord* SimClock::Register(bool background) {
    std::lock_guard lock(mutex_);
    threads_.push_back(std::make_unique<ThreadRecord>());
    threads_.back()->background = background;
    return threads_.back().get();
}

void SimClock::Unregister(ThreadRecord* record) {
    std::unique_lock lock(mutex_);
    std::erase_if(threads_, [&](const auto& t) { return t.get() == record; });
    const bool fine = Schedule();
    wakeUp_.notify_all();
    const auto handler = deadlockHandler_;
    lock.unlock();
    if (!fine) ReportDeadlock(handler);
}

void SimClock::ReportDeadlock(const std::function<void()>& handler) {
    if (handler) {
        handler();
        return;
    }
    std::fputs("virtual clock: every thread waits and none has a deadline\n", stderr);
    std::abort();
}

bool SimClock::OthersBlocked(const ThreadRecord& self) const {
    return std::all_of(threads_.begin(), threads_.end(), [&](const auto& t) { return t.get() == &self || t->blocked; });
}

void SimClock::Wake(ThreadRecord& record) {
    record.blocked = false;
}

bool SimClock::Schedule() {
    for (;;) {
        if (threads_.empty()) return true;
        for (const auto& t : threads_) {
            if (!t->blocked) return true;  // someone still runs; it schedules when it blocks
        }
        // Everyone waits. A background thread due now goes first: the program is idle.
        for (const auto& t : threads_) {
            if (t->background && t->deadline <= now_) {
                Wake(*t);
                wakeUp_.notify_all();
                return true;
            }
        }
        std::int64_t next = kNever;
        for (const auto& t : threads_)
            next = std::min(next, t->deadline);
        if (next == kNever) return false;
        now_ = std::max(now_, next);
        bool woke = false;
        for (const auto& t : threads_) {
            if (!t->background && t->deadline <= now_) {
                Wake(*t);
                woke = true;
            }
        }
        if (woke) {
            wakeUp_.notify_all();
            return true;
        }
    }
}

}  // namespace zindra::platform::sim
