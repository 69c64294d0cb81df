// The ledger of machine changes and their undoing.
#include "platform/win32/ChangeLedger.h"

namespace zindra::platform::win32 {

bool ChangeLedger::SameMode(const DevModeA& a, const DevModeA& b) {
    return a.dmPelsWidth == b.dmPelsWidth && a.dmPelsHeight == b.dmPelsHeight && a.dmBitsPerPel == b.dmBitsPerPel &&
           a.dmDisplayFrequency == b.dmDisplayFrequency;
}

void ChangeLedger::DisplayModeChanged(const DevModeA& before, const DevModeA& now) {
    if (!modeSaved_.load(std::memory_order_acquire)) {
        if (SameMode(before, now)) return;  // nothing changed
        modeBefore_ = before;
        modeSaved_.store(true, std::memory_order_release);
        return;
    }
    if (SameMode(now, modeBefore_)) modeSaved_.store(false, std::memory_order_release);
}

void ChangeLedger::TaskBarHidden(WindowHandle taskBar) {
    hiddenTaskBar_.store(taskBar, std::memory_order_release);
}

void ChangeLedger::TaskBarShown() {
    hiddenTaskBar_.store(0, std::memory_order_release);
}

void ChangeLedger::MouseButtonsSwapped(bool swapped) {
    buttonsSwapped_.store(swapped, std::memory_order_release);
}

bool ChangeLedger::UndoAll(MachineRestorer& restorer) {
    if (undone_.exchange(true)) return false;
    if (buttonsSwapped_.exchange(false)) restorer.ResetMouseButtons();
    if (const WindowHandle taskBar = hiddenTaskBar_.exchange(0)) restorer.ShowTaskBar(taskBar);
    if (modeSaved_.exchange(false)) restorer.RestoreDisplayMode(modeBefore_);
    return true;
}

}  // namespace zindra::platform::win32
