// The process-wide handlers that undo the program's changes to the machine when it dies: an
// unhandled exception or access violation, std::terminate, abort, a console close or break, and
// the end of the Windows session (told by the desktop's windows).
#pragma once

#include "platform/win32/ChangeLedger.h"
#include "platform/win32/Win32Api.h"

namespace zindra::platform::win32 {

// Undoes through Windows itself; safe to call from a handler (no allocation, no lock).
class Win32Restorer final : public MachineRestorer {
public:
    void RestoreDisplayMode(const DevModeA& mode) override;
    void ShowTaskBar(WindowHandle taskBar) override;
    void ResetMouseButtons() override;
};

// The first guard of a process holds the handlers until it goes; a guard made while another holds
// them keeps its own ledger, undone only by UndoNow and its destructor. Construct and destroy on
// one thread.
class Win32CrashGuard {
public:
    Win32CrashGuard();
    // Undoes what is still changed (a normal end that forgot something) and removes the handlers.
    ~Win32CrashGuard();
    Win32CrashGuard(const Win32CrashGuard&) = delete;
    Win32CrashGuard& operator=(const Win32CrashGuard&) = delete;

    ChangeLedger& Ledger() { return ledger_; }
    // Undoes now: the process is about to end without the program's own clean-up.
    void UndoNow();

private:
    static LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception);
    static BOOL WINAPI OnConsoleEvent(DWORD event);
    static void OnTerminate();
    static void OnAbortSignal(int signal);
    static void UndoActive();

    ChangeLedger ledger_;
    Win32Restorer restorer_;
    bool installed_ = false;
    LPTOP_LEVEL_EXCEPTION_FILTER previousFilter_ = nullptr;
    void (*previousTerminate_)() = nullptr;
    void (*previousAbort_)(int) = nullptr;
};

}  // namespace zindra::platform::win32
