// What the program has changed on the machine that must not outlive it: the display mode, the
// hidden task bar and swapped mouse buttons; and undoing it, once, however the program ends.
#pragma once

#include <atomic>

#include "platform/Win32Types.h"

namespace zindra::platform::win32 {

// How each change is undone: Windows calls in the back end, a record in tests.
class MachineRestorer {
public:
    virtual ~MachineRestorer() = default;
    // Applies mode (width, height, depth, rate) and stores it as the registry's mode.
    virtual void RestoreDisplayMode(const DevModeA& mode) = 0;
    virtual void ShowTaskBar(WindowHandle taskBar) = 0;
    virtual void ResetMouseButtons() = 0;
};

// The recording calls come from the thread that changes the machine. UndoAll may run on any
// thread, including one that faulted or a handler thread while the recorder is stopped anywhere,
// so the ledger holds no lock: each fact is published through an atomic.
class ChangeLedger {
public:
    // After a successful mode change: before is the mode that was in use, now the one in use.
    // The first change keeps its "before"; a change back to it clears the record.
    void DisplayModeChanged(const DevModeA& before, const DevModeA& now);
    void TaskBarHidden(WindowHandle taskBar);
    void TaskBarShown();
    // The program set the swap; swapped false means it reset the buttons itself.
    void MouseButtonsSwapped(bool swapped);

    // Undoes whatever is still changed, in the reverse order of a normal end (mouse, task bar,
    // display). Only the first call acts; it returns whether it was the first.
    bool UndoAll(MachineRestorer& restorer);

    bool HasDisplayMode() const { return modeSaved_.load(std::memory_order_acquire); }
    DevModeA DisplayModeBefore() const { return modeBefore_; }
    WindowHandle HiddenTaskBar() const { return hiddenTaskBar_.load(std::memory_order_acquire); }
    bool ButtonsSwapped() const { return buttonsSwapped_.load(std::memory_order_acquire); }

    // Width, height, depth and rate are what make two modes the same.
    static bool SameMode(const DevModeA& a, const DevModeA& b);

private:
    std::atomic<bool> modeSaved_{false};
    DevModeA modeBefore_{};  // written only while modeSaved_ is false
    std::atomic<WindowHandle> hiddenTaskBar_{0};
    std::atomic<bool> buttonsSwapped_{false};
    std::atomic<bool> undone_{false};
};

}  // namespace zindra::platform::win32
