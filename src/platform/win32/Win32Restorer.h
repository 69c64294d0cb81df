// Undoing the program's changes to the machine through Windows itself, from a dying process, a
// handler or the watchdog; and telling on standard error that it had to.
#pragma once

#include "platform/win32/ChangeLedger.h"
#include "platform/win32/Win32Api.h"

namespace zindra::platform::win32 {

// Safe to call from a handler: no allocation, no lock, nothing that waits on another thread.
class Win32Restorer final : public MachineRestorer {
public:
    bool CurrentMode(DevModeA& mode) override;
    bool StoredMode(DevModeA& mode) override;
    void RestoreDisplayMode(const DevModeA& mode, bool apply, bool store) override;
    bool TaskBarStillHidden(WindowHandle taskBar) override;
    void ShowTaskBar(WindowHandle taskBar) override;
    bool ButtonsStillSwapped() override;
    void ResetMouseButtons() override;
};

// Writes "<who>: <what>: <the undone changes>" as one line on standard error when undone is not
// 0, so a normal end that leaves something changed shows. No allocation.
void ReportUndone(const char* who, const char* what, unsigned undone);

}  // namespace zindra::platform::win32
