// The timer pool: its slot table, its items and the tick that fires them.
#include "services/TimerPool.h"

#include <algorithm>
#include <limits>

#include "framework/app/Application.h"

namespace zindra {

namespace {

// Restores a flag on leaving a scope, also when a callback throws.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = saved_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool saved_;
};

}  // namespace

std::uint16_t TZkTimerSlots::Take() {
    for (int i = 0; i < kSlotCount; ++i) {
        if (!used_[static_cast<std::size_t>(i)]) {
            used_[static_cast<std::size_t>(i)] = true;
            return static_cast<std::uint16_t>(kIdBase + i + 1);
        }
    }
    return 0;
}

void TZkTimerSlots::Free(std::uint16_t id) {
    if (id > kIdBase && id <= kIdBase + kSlotCount) used_[static_cast<std::size_t>(id - kIdBase - 1)] = false;
}

bool TZkTimerSlots::InUse(std::uint16_t id) const {
    return id > kIdBase && id <= kIdBase + kSlotCount && used_[static_cast<std::size_t>(id - kIdBase - 1)];
}

TZkTimerItem::TZkTimerItem(TZkTimerPool& pool, std::uint16_t id, std::uint32_t intervalMs)
    : pool_(pool), id_(id), interval_(intervalMs), ticks_(intervalMs / pool.MinInterval()) {}

void TZkTimerItem::SetEnabled(bool enabled) {
    if (enabled && callLimit_ == 0) return;
    if (enabled == enabled_) return;
    enabled_ = enabled;
    counter_ = 0;
}

void TZkTimerItem::SetInterval(std::uint32_t intervalMs) {
    const std::uint32_t min = pool_.MinInterval();
    if (intervalMs == 0) intervalMs = min;
    if (intervalMs == interval_ || intervalMs % min != 0) return;
    interval_ = intervalMs;
    ticks_ = intervalMs / min;
    counter_ = 0;
}

TZkTimerPool::TZkTimerPool(TApplication& application, TZkTimerSlots& slots, std::uint32_t minIntervalMs)
    : application_(application), slots_(slots), minInterval_(minIntervalMs) {
    if (minIntervalMs == 0) throw EZkTimerPoolError("MinInterval must be at least 1 ms");
}

TZkTimerPool::~TZkTimerPool() {
    KillSystemTimer();
    for (const auto& item : items_) {
        if (!item->removed_) slots_.Free(item->id_);
    }
    items_.clear();
    if (window_) application_.DeallocateHWnd(window_);
}

std::uint16_t TZkTimerPool::AddTimer(std::uint32_t intervalMs, TZkTimerProc callback) {
    if (intervalMs < minInterval_ || intervalMs % minInterval_ != 0) throw EZkTimerPoolError(kSIntervalNotCompatible);
    const std::uint16_t id = slots_.Take();
    if (id == 0) return 0;
    if (!window_) {
        window_ = application_.AllocateHWnd([this](TMessage& m) { WindowProc(m.Msg, m.WParam); });
    }
    items_.push_back(std::unique_ptr<TZkTimerItem>(new TZkTimerItem(*this, id, intervalMs)));
    items_.back()->callback_ = std::move(callback);
    try {
        RestartSystemTimer();
    } catch (...) {
        // NOTE: the caller never learns the id, so the item would only hold a slot for nothing.
        items_.back()->removed_ = true;
        slots_.Free(id);
        if (!busy_) Sweep();
        throw;
    }
    return id;
}

void TZkTimerPool::RemoveTimer(std::uint16_t id) {
    if (id <= TZkTimerSlots::kIdBase) return;
    TZkTimerItem* item = Find(id);
    if (!item) return;
    const bool inTick = busy_;
    {
        FlagScope removing(busy_);
        item->SetEnabled(false);
        item->callback_ = nullptr;
        item->removed_ = true;
        slots_.Free(id);
    }
    // Inside a tick the list is being walked: the item is erased once the tick is over.
    if (!inTick) Sweep();
    if (Count() == 0) KillSystemTimer();
}

TZkTimerItem* TZkTimerPool::Find(std::uint16_t id) {
    for (const auto& item : items_) {
        if (item->id_ == id && !item->removed_) return item.get();
    }
    return nullptr;
}

int TZkTimerPool::Count() const {
    return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const auto& i) { return !i->removed_; }));
}

void TZkTimerPool::Sweep() {
    std::erase_if(items_, [](const auto& item) { return item->removed_; });
}

void TZkTimerPool::RestartSystemTimer() {
    KillSystemTimer();
    const bool anyEnabled =
        std::any_of(items_.begin(), items_.end(), [](const auto& i) { return !i->removed_ && i->enabled_; });
    if (!anyEnabled) return;
    if (!application_.SetTimer(window_, kSystemTimerId, minInterval_)) throw EOutOfResources(kSNotEnoughTimers);
    timerRunning_ = true;
    tickCounter_ = 1;
    restartedInTick_ = busy_;
}

void TZkTimerPool::KillSystemTimer() {
    if (!timerRunning_) return;
    application_.KillTimer(window_, kSystemTimerId);
    timerRunning_ = false;
}

void TZkTimerPool::WindowProc(std::uint32_t msg, std::uintptr_t wParam) {
    // Every other message would go to the default window procedure, which does nothing here.
    if (msg == platform::WM_TIMER && wParam == kSystemTimerId) Tick();
}

void TZkTimerPool::Tick() {
    if (busy_) return;
    {
        FlagScope busy(busy_);
        restartedInTick_ = false;
        const std::uint32_t counter = tickCounter_;
        // Items added by a callback come after `due` and wait for their first full interval.
        const std::size_t due = items_.size();
        for (std::size_t i = 0; i < due; ++i) {
            TZkTimerItem& item = *items_[i];
            if (item.removed_ || !item.enabled_ || counter % item.ticks_ != 0) continue;
            try {
                Fire(item);
            } catch (const std::exception& e) {
                // NOTE: reported, and the pool goes on: the other items of this tick still fire
                // and later ticks come as usual, so one failing handler cannot stop every timer.
                application_.HandleException(e);
            }
        }
        // A callback that added an item restarted the count at 1 for the next tick already.
        if (!restartedInTick_) tickCounter_ = counter + 1;  // wraps to 0 after 2^32 - 1
    }
    Sweep();
}

void TZkTimerPool::Fire(TZkTimerItem& item) {
    item.counter_ = item.counter_ == std::numeric_limits<int>::max() ? 0 : item.counter_ + 1;
    const int count = item.counter_;
    // Disabling resets the count; the event still reports this firing's number.
    if (count == item.callLimit_) item.SetEnabled(false);
    if (item.callback_) {
        // A copy: the callback may remove its own item, which clears the stored one.
        const TZkTimerProc callback = item.callback_;
        callback();
    } else if (OnTimer) {
        OnTimer(this, item.id_, count);
    }
}

}  // namespace zindra
