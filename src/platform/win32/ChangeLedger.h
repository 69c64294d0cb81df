// What the program has changed on the machine that must not outlive it: the display mode, the
// hidden task bars and swapped mouse buttons; and undoing it however the program ends, from inside
// the process or from the watchdog outside it.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "platform/Win32Types.h"

namespace zindra::platform::win32 {

inline constexpr std::size_t kMaxSecondaryTaskBars = 8;

// The ledger's facts in a form that may live in memory shared with another process (a named file
// mapping the watchdog reads): plain data and lock-free atomics, no pointers. Each fact is
// published through its atomic; the modes are written only while ModeSaved says they are not read.
struct LedgerRecord {
    static constexpr std::uint32_t kMagic = 0x5A4C4732;  // "ZLG2"
    std::uint32_t Magic = kMagic;
    std::uint32_t Size = sizeof(LedgerRecord);
    std::atomic<std::uint32_t> ModeSaved{0};
    DevModeA ModeBefore{};  // in use before the first change
    DevModeA ModeSet{};     // the last one the program set
    std::atomic<std::uint64_t> TaskBar{0};
    std::atomic<std::uint64_t> SecondaryTaskBars[kMaxSecondaryTaskBars] = {};
    std::atomic<std::uint32_t> ButtonsSwapped{0};
};
static_assert(std::atomic<std::uint64_t>::is_always_lock_free && std::atomic<std::uint32_t>::is_always_lock_free,
              "the record is shared between processes: its atomics must not hide a lock");

// How the machine is asked and each change undone: Windows calls in the back end, a record in
// tests. Must be safe to call from a handler (no allocation, no lock).
class MachineRestorer {
public:
    virtual ~MachineRestorer() = default;
    virtual bool CurrentMode(DevModeA& mode) = 0;
    virtual bool StoredMode(DevModeA& mode) = 0;  // the registry's, used at the next log-on
    // Puts mode (size, depth, and its rate unless that is the default) back in use (apply), as
    // the registry's (store), or both.
    virtual void RestoreDisplayMode(const DevModeA& mode, bool apply, bool store) = 0;
    virtual bool TaskBarStillHidden(WindowHandle taskBar) = 0;  // it exists and is hidden
    virtual void ShowTaskBar(WindowHandle taskBar) = 0;
    virtual bool ButtonsStillSwapped() = 0;
    virtual void ResetMouseButtons() = 0;
};

// What one undo did, as bits.
enum UndoneBits : unsigned {
    kUndoneMouse = 1u << 0,
    kUndoneTaskBar = 1u << 1,
    kUndoneSecondaryTaskBars = 1u << 2,
    kUndoneDisplayMode = 1u << 3,
    kUndoneStoredMode = 1u << 4,
};
// "mouse buttons, task bar, ..." for the bits, into text (always terminated); no allocation.
void DescribeUndone(unsigned undone, char* text, std::size_t size);

// The recording calls come from the thread that changes the machine. UndoAll may run on any
// thread, including one that faulted or a handler thread while the recorder is stopped anywhere,
// so the ledger holds no lock.
class ChangeLedger {
public:
    ChangeLedger() : record_(&own_) {}
    // Keeps its facts in record, which must outlive the ledger (shared memory, for the watchdog).
    explicit ChangeLedger(LedgerRecord& record) : record_(&record) {}
    ChangeLedger(const ChangeLedger&) = delete;
    ChangeLedger& operator=(const ChangeLedger&) = delete;

    // After a successful mode change: before is the mode that was in use, now the one in use.
    // The first change keeps its "before"; a change back to it clears the record.
    void DisplayModeChanged(const DevModeA& before, const DevModeA& now);
    void TaskBarHidden(WindowHandle taskBar);
    // A second monitor's task bar hidden with the main one; beyond kMaxSecondaryTaskBars, refused.
    bool SecondaryTaskBarHidden(WindowHandle bar);
    // The program showed the task bars again itself.
    void TaskBarShown();
    // The program set the swap; swapped false means it reset the buttons itself.
    void MouseButtonsSwapped(bool swapped);

    struct UndoResult {
        bool First = false;  // only the first call acts
        unsigned Undone = 0;
    };
    // Undoes what is still recorded and still shown by the machine (a change someone else has made
    // since is left alone), in the reverse order of a normal end: mouse, task bars, display. A fact
    // is cleared only once it is undone, so a death in between leaves it for the watchdog.
    UndoResult UndoAll(MachineRestorer& restorer);

    bool HasDisplayMode() const { return record_->ModeSaved.load(std::memory_order_acquire) != 0; }
    DevModeA DisplayModeBefore() const { return record_->ModeBefore; }
    DevModeA DisplayModeSet() const { return record_->ModeSet; }
    WindowHandle HiddenTaskBar() const { return record_->TaskBar.load(std::memory_order_acquire); }
    WindowHandle HiddenSecondaryTaskBar(std::size_t i) const;
    bool ButtonsSwapped() const { return record_->ButtonsSwapped.load(std::memory_order_acquire) != 0; }
    bool Shared() const { return record_ != &own_; }

    // Width, height, depth and rate are what make two modes the same.
    static bool SameMode(const DevModeA& a, const DevModeA& b);
    // As read back from a driver: a default rate matches any, and 59 matches 60.
    static bool SameModeReadBack(const DevModeA& a, const DevModeA& b);

private:
    unsigned UndoTaskBars(MachineRestorer& restorer);
    unsigned UndoDisplayMode(MachineRestorer& restorer);

    LedgerRecord own_;
    LedgerRecord* record_;
    std::atomic<bool> undone_{false};
};

}  // namespace zindra::platform::win32
