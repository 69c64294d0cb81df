// The ledger of machine changes and their undoing.
#include "platform/win32/ChangeLedger.h"

#include <cstring>

#include "platform/RefreshRate.h"

namespace zindra::platform::win32 {

namespace {

constexpr auto kAcquire = std::memory_order_acquire;
constexpr auto kRelease = std::memory_order_release;

}  // namespace

void DescribeUndone(unsigned undone, char* text, std::size_t size) {
    if (size == 0) return;
    text[0] = '\0';
    static constexpr struct {
        unsigned Bit;
        const char* Name;
    } kNames[] = {{kUndoneMouse, "mouse buttons"},
                  {kUndoneTaskBar, "task bar"},
                  {kUndoneSecondaryTaskBars, "second task bars"},
                  {kUndoneDisplayMode, "display mode"},
                  {kUndoneStoredMode, "stored display mode"}};
    std::size_t used = 0;
    for (const auto& name : kNames) {
        if ((undone & name.Bit) == 0) continue;
        for (const char* part : {used == 0 ? "" : ", ", name.Name}) {
            const std::size_t length = std::strlen(part);
            if (used + length >= size) return;
            std::memcpy(text + used, part, length + 1);
            used += length;
        }
    }
}

bool ChangeLedger::SameMode(const DevModeA& a, const DevModeA& b) {
    return a.dmPelsWidth == b.dmPelsWidth && a.dmPelsHeight == b.dmPelsHeight && a.dmBitsPerPel == b.dmBitsPerPel &&
           a.dmDisplayFrequency == b.dmDisplayFrequency;
}

bool ChangeLedger::SameModeReadBack(const DevModeA& a, const DevModeA& b) {
    return a.dmPelsWidth == b.dmPelsWidth && a.dmPelsHeight == b.dmPelsHeight && a.dmBitsPerPel == b.dmBitsPerPel &&
           ReadBackRefreshRatesMatch(a.dmDisplayFrequency, b.dmDisplayFrequency);
}

void ChangeLedger::DisplayModeChanged(const DevModeA& before, const DevModeA& now) {
    LedgerRecord& r = *record_;
    if (r.ModeSaved.load(kAcquire) == 0) {
        if (SameMode(before, now)) return;  // nothing changed
        r.ModeBefore = before;
        r.ModeSet = now;
        r.ModeSaved.store(1, kRelease);
        return;
    }
    // NOTE: back to the first mode as the driver reads it back: 59 Hz after 60 Hz is that mode,
    // and keeping it recorded would make a second switch at the end.
    if (SameModeReadBack(now, r.ModeBefore)) {
        r.ModeSaved.store(0, kRelease);
        return;
    }
    r.ModeSet = now;  // only the dead or this thread read it
}

void ChangeLedger::TaskBarHidden(WindowHandle taskBar) {
    record_->TaskBar.store(taskBar, kRelease);
}

bool ChangeLedger::SecondaryTaskBarHidden(WindowHandle bar) {
    for (auto& slot : record_->SecondaryTaskBars) {
        std::uint64_t expected = 0;
        if (slot.load(kAcquire) == bar) return true;
        if (slot.compare_exchange_strong(expected, bar, std::memory_order_acq_rel)) return true;
    }
    return false;
}

WindowHandle ChangeLedger::HiddenSecondaryTaskBar(std::size_t i) const {
    return i < kMaxSecondaryTaskBars ? record_->SecondaryTaskBars[i].load(kAcquire) : 0;
}

void ChangeLedger::TaskBarShown() {
    record_->TaskBar.store(0, kRelease);
    for (auto& slot : record_->SecondaryTaskBars)
        slot.store(0, kRelease);
}

void ChangeLedger::MouseButtonsSwapped(bool swapped) {
    record_->ButtonsSwapped.store(swapped ? 1 : 0, kRelease);
}

ChangeLedger::UndoResult ChangeLedger::UndoAll(MachineRestorer& restorer) {
    UndoResult result;
    if (undone_.exchange(true)) return result;
    result.First = true;
    if (record_->ButtonsSwapped.load(kAcquire) != 0) {
        if (restorer.ButtonsStillSwapped()) {
            restorer.ResetMouseButtons();
            result.Undone |= kUndoneMouse;
        }
        record_->ButtonsSwapped.store(0, kRelease);
    }
    result.Undone |= UndoTaskBars(restorer);
    result.Undone |= UndoDisplayMode(restorer);
    return result;
}

unsigned ChangeLedger::UndoTaskBars(MachineRestorer& restorer) {
    unsigned undone = 0;
    if (const WindowHandle taskBar = record_->TaskBar.load(kAcquire)) {
        if (restorer.TaskBarStillHidden(taskBar)) {
            restorer.ShowTaskBar(taskBar);
            undone |= kUndoneTaskBar;
        }
        record_->TaskBar.store(0, kRelease);
    }
    for (auto& slot : record_->SecondaryTaskBars) {
        const WindowHandle bar = slot.load(kAcquire);
        if (bar == 0) continue;
        if (restorer.TaskBarStillHidden(bar)) {
            restorer.ShowTaskBar(bar);
            undone |= kUndoneSecondaryTaskBars;
        }
        slot.store(0, kRelease);
    }
    return undone;
}

// The mode in use is put back only while the screen shows the one the program set, and the
// registry's only while it holds the program's; a mode someone else set since stays.
unsigned ChangeLedger::UndoDisplayMode(MachineRestorer& restorer) {
    LedgerRecord& r = *record_;
    if (r.ModeSaved.load(kAcquire) == 0) return 0;
    const auto ours = [&](const DevModeA& mode) {
        return SameModeReadBack(mode, r.ModeSet) && !SameModeReadBack(mode, r.ModeBefore);
    };
    DevModeA current;
    DevModeA stored;
    const bool apply = restorer.CurrentMode(current) && ours(current);
    // A driver that cannot tell its stored mode stored what it was given: the program's.
    const bool store = restorer.StoredMode(stored) ? ours(stored) : apply;
    if (apply || store) restorer.RestoreDisplayMode(r.ModeBefore, apply, store);
    r.ModeSaved.store(0, kRelease);
    return (apply ? kUndoneDisplayMode : 0u) | (store ? kUndoneStoredMode : 0u);
}

}  // namespace zindra::platform::win32
