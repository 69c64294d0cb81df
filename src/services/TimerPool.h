// The application-wide timer pool: many timer items driven by one window timer of MinInterval ms.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/Component.h"
#include "framework/Exception.h"
#include "platform/Win32Types.h"

namespace zindra {

ZINDRA_EXCEPTION(EZkTimerPoolError, Exception);

inline constexpr const char* kSIntervalNotCompatible = "Interval not compatible with MinInterval property!";
inline constexpr const char* kSNotEnoughTimers = "Not enough timers available";

// Ids of pool timers: slot n (1 to 250) gives 0xFD00 + n; 0 stands for no timer.
class TZkTimerSlots {
public:
    static constexpr int kSlotCount = 250;
    static constexpr std::uint16_t kIdBase = 0xFD00;

    // The id of the lowest free slot, now taken; 0 when all are taken.
    std::uint16_t Take();
    // Gives back the slot of an id; ids outside the table are ignored.
    void Free(std::uint16_t id);
    bool InUse(std::uint16_t id) const;

private:
    std::array<bool, kSlotCount> used_{};
};

// The callback of an item; it is bound to its object by capture.
using TZkTimerProc = std::function<void()>;
// Raised for items without a callback of their own.
using TZkTimerPoolEvent = std::function<void(TObject* sender, std::uint16_t ident, int counter)>;

class TZkTimerPool;

class TZkTimerItem {
public:
    std::uint16_t Id() const { return id_; }
    bool Enabled() const { return enabled_; }
    // Enabling has effect only while the call limit is not 0; a change resets the firing count.
    void SetEnabled(bool enabled);
    std::uint32_t Interval() const { return interval_; }  // ms
    std::uint32_t Ticks() const { return ticks_; }        // pool ticks
    // Ignored when equal to the current interval or not a multiple of MinInterval; 0 stands for
    // MinInterval. A change resets the firing count.
    void SetInterval(std::uint32_t intervalMs);
    int Counter() const { return counter_; }
    int CallLimit() const { return callLimit_; }  // -1: unlimited
    void SetCallLimit(int limit) { callLimit_ = limit; }
    void SetCallback(TZkTimerProc callback) { callback_ = std::move(callback); }
    bool HasCallback() const { return static_cast<bool>(callback_); }

private:
    friend class TZkTimerPool;
    TZkTimerItem(TZkTimerPool& pool, std::uint16_t id, std::uint32_t intervalMs);

    TZkTimerPool& pool_;
    std::uint16_t id_;
    bool enabled_ = true;
    bool removed_ = false;  // freed during a tick; erased once the tick is over
    std::uint32_t interval_;
    std::uint32_t ticks_;
    int counter_ = 0;
    int callLimit_ = -1;
    TZkTimerProc callback_;
};

// Owned by the application's TZkApplication; it needs the TApplication (hidden window, window
// timer, exception report) for its whole life and the slot table it takes ids from.
// NOTE: an exception from a callback goes to the application's standard exception handler and
// the pool goes on: the tick's other items still fire and later ticks come as usual.
class TZkTimerPool : public TObject {
public:
    static constexpr std::uint32_t kDefaultMinInterval = 1000;
    static constexpr std::uintptr_t kSystemTimerId = 1;

    TZkTimerPool(TApplication& application, TZkTimerSlots& slots, std::uint32_t minIntervalMs = kDefaultMinInterval);
    ~TZkTimerPool() override;
    TZkTimerPool(const TZkTimerPool&) = delete;
    TZkTimerPool& operator=(const TZkTimerPool&) = delete;

    std::uint32_t MinInterval() const { return minInterval_; }

    // A new enabled item of intervalMs (a multiple of MinInterval, at least MinInterval, else
    // EZkTimerPoolError); restarts the pool's phase. Returns its id, or 0 when no slot is free.
    // EOutOfResources when the window timer cannot be set (the item is not kept then).
    std::uint16_t AddTimer(std::uint32_t intervalMs, TZkTimerProc callback);
    // Only pool ids (above 0xFD00) are removed; the slot is freed at once. Safe inside a tick.
    void RemoveTimer(std::uint16_t id);
    TZkTimerItem* Find(std::uint16_t id);
    int Count() const;

    TZkTimerPoolEvent OnTimer;

    // The tick the next WM_TIMER counts as; 1 right after the window timer was set.
    std::uint32_t TickCounter() const { return tickCounter_; }
    // NOTE: public so that the wrap-around at 2^32 ticks (about 6.8 years at 50 ms) can be
    // exercised without running that long.
    void SetTickCounter(std::uint32_t counter) { tickCounter_ = counter; }
    bool SystemTimerRunning() const { return timerRunning_; }
    platform::WindowHandle WindowHandle() const { return window_; }

private:
    friend class TZkTimerItem;
    void WindowProc(std::uint32_t msg, std::uintptr_t wParam);
    void Tick();
    void Fire(TZkTimerItem& item);
    void RestartSystemTimer();
    void KillSystemTimer();
    void Sweep();

    TApplication& application_;
    TZkTimerSlots& slots_;
    std::uint32_t minInterval_;
    std::vector<std::unique_ptr<TZkTimerItem>> items_;
    platform::WindowHandle window_ = 0;
    bool timerRunning_ = false;
    std::uint32_t tickCounter_ = 1;
    bool busy_ = false;
    bool restartedInTick_ = false;
};

}  // namespace zindra
