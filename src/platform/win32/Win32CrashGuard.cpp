// The last-chance handlers of the Win32 back end and the start of its watchdog.
#include "platform/win32/Win32CrashGuard.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <exception>

namespace zindra::platform::win32 {

namespace {

std::atomic<Win32CrashGuard*> activeGuard{nullptr};

}  // namespace

Win32CrashGuard::Win32CrashGuard(bool watchdog) {
    Win32CrashGuard* none = nullptr;
    if (!activeGuard.compare_exchange_strong(none, this)) {
        ledger_.emplace();  // another guard of this process already holds the handlers
        return;
    }
    wantWatchdog_ = watchdog;
    if (watchdog) mapping_.emplace(LedgerMapping::Create(GetCurrentProcessId()));
    if (mapping_ && mapping_->Record()) {
        ledger_.emplace(*mapping_->Record());
    } else {
        ledger_.emplace();
    }
    installed_ = true;
    previousFilter_ = SetUnhandledExceptionFilter(&Win32CrashGuard::OnUnhandledException);
    SetConsoleCtrlHandler(&Win32CrashGuard::OnConsoleEvent, TRUE);
    previousTerminate_ = std::set_terminate(&Win32CrashGuard::OnTerminate);
    previousAbort_ = std::signal(SIGABRT, &Win32CrashGuard::OnAbortSignal);
}

Win32CrashGuard::~Win32CrashGuard() {
    UndoNow();
    if (watchdog_) CloseHandle(watchdog_);
    if (!installed_) return;
    std::signal(SIGABRT, previousAbort_ == SIG_ERR ? SIG_DFL : previousAbort_);
    std::set_terminate(previousTerminate_);
    SetConsoleCtrlHandler(&Win32CrashGuard::OnConsoleEvent, FALSE);
    SetUnhandledExceptionFilter(previousFilter_);
    activeGuard.store(nullptr);
}

void Win32CrashGuard::BeforeChange() {
    if (!wantWatchdog_ || watchdogTried_) return;
    watchdogTried_ = true;
    std::string error = "no shared ledger";
    if (ledger_->Shared()) watchdog_ = StartWatchdog(error);
    if (!watchdog_) std::fprintf(stderr, "zindra: no watchdog (%s); a crash is undone from inside\n", error.c_str());
}

bool Win32CrashGuard::Watched() const {
    return watchdog_ && WaitForSingleObject(watchdog_, 0) == WAIT_TIMEOUT;
}

void Win32CrashGuard::UndoNow() {
    ReportUndone("zindra", "put back what the program left changed", ledger_->UndoAll(restorer_).Undone);
}

void Win32CrashGuard::UndoActive() {
    if (Win32CrashGuard* guard = activeGuard.load()) guard->UndoNow();
}

// NOTE: a process that faulted or aborted may hold the heap's or the loader's lock, and a display
// change made from it can wait on one forever: with a watchdog there, the undoing is left to it.
void Win32CrashGuard::UndoActiveUnlessWatched() {
    Win32CrashGuard* guard = activeGuard.load();
    if (guard && !guard->Watched()) guard->UndoNow();
}

// NOTE: an earlier filter (the C runtime's, which turns faults into signals for handlers set with
// signal()) still has its say; when none takes the exception, the process ends here with the
// exception's code, as a crash would, but without the system's crash dialog or just-in-time
// debugger: those would stand on the pupil's screen (and under Wine, its debugger holds the
// process). A debugger attached beforehand still sees the exception first.
LONG WINAPI Win32CrashGuard::OnUnhandledException(EXCEPTION_POINTERS* exception) {
    UndoActiveUnlessWatched();
    Win32CrashGuard* guard = activeGuard.load();
    if (guard && guard->previousFilter_) {
        const LONG verdict = guard->previousFilter_(exception);
        if (verdict != EXCEPTION_CONTINUE_SEARCH) return verdict;
    }
    return EXCEPTION_EXECUTE_HANDLER;
}

// Close, break, Ctrl+C, log-off and shut-down all end the process once the handlers below us
// (finally the system's) have run, so each is a death to clean up after; the process is sound.
BOOL WINAPI Win32CrashGuard::OnConsoleEvent(DWORD) {
    UndoActive();
    return FALSE;
}

void Win32CrashGuard::OnTerminate() {
    UndoActiveUnlessWatched();
    Win32CrashGuard* guard = activeGuard.load();
    if (guard && guard->previousTerminate_) guard->previousTerminate_();
    std::abort();
}

void Win32CrashGuard::OnAbortSignal(int signal) {
    UndoActiveUnlessWatched();
    Win32CrashGuard* guard = activeGuard.load();
    auto previous = guard ? guard->previousAbort_ : SIG_DFL;
    if (previous != SIG_DFL && previous != SIG_IGN && previous != SIG_ERR) previous(signal);
}

}  // namespace zindra::platform::win32
