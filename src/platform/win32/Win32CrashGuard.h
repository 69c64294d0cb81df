// The guard that undoes the program's changes to the machine when it dies. A watchdog process
// (Win32Watchdog.h) covers every death; the process-wide handlers here cover those a healthy
// process still sees (a console's close or break, the end of the Windows session, ExitProcess and
// a normal end), and every other death when there is no watchdog: an unhandled exception or
// access violation, std::terminate, abort.
#pragma once

#include <atomic>
#include <optional>
#include <string>

#include "platform/win32/ChangeLedger.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Restorer.h"
#include "platform/win32/Win32Watchdog.h"

namespace zindra::platform::win32 {

// The first guard of a process holds the handlers and the shared ledger until it goes; a guard
// made while another holds them keeps its own ledger, undone only by UndoNow and its destructor.
// Construct and destroy on one thread.
class Win32CrashGuard {
public:
    // watchdog: start this program again as the watchdog before the first change to the machine;
    // only a program whose entry answers kWatchdogOption may ask for it.
    explicit Win32CrashGuard(bool watchdog = false);
    // Undoes what is still changed (a normal end that forgot something, told on standard error)
    // and removes the handlers.
    ~Win32CrashGuard();
    Win32CrashGuard(const Win32CrashGuard&) = delete;
    Win32CrashGuard& operator=(const Win32CrashGuard&) = delete;

    ChangeLedger& Ledger() { return *ledger_; }
    // To be called before each change to the machine: starts the watchdog the first time. When it
    // cannot start, the handlers stay the only guard (told on standard error).
    void BeforeChange();
    // A watchdog has been started and is still there to undo after a death.
    bool Watched() const;
    // Undoes now: the process is about to end without the program's own clean-up.
    void UndoNow();

private:
    static LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception);
    static BOOL WINAPI OnConsoleEvent(DWORD event);
    static void OnTerminate();
    static void OnAbortSignal(int signal);
    static void UndoActive();
    static void UndoActiveUnlessWatched();

    std::optional<LedgerMapping> mapping_;
    std::optional<ChangeLedger> ledger_;
    Win32Restorer restorer_;
    bool wantWatchdog_ = false;
    bool watchdogTried_ = false;
    HANDLE watchdog_ = nullptr;
    bool installed_ = false;
    LPTOP_LEVEL_EXCEPTION_FILTER previousFilter_ = nullptr;
    void (*previousTerminate_)() = nullptr;
    void (*previousAbort_)(int) = nullptr;
};

}  // namespace zindra::platform::win32
