// The last-chance handlers of the Win32 back end and the Windows calls that undo changes.
#include "platform/win32/Win32CrashGuard.h"

#include <atomic>
#include <csignal>
#include <exception>

namespace zindra::platform::win32 {

namespace {

std::atomic<Win32CrashGuard*> activeGuard{nullptr};

}  // namespace

void Win32Restorer::RestoreDisplayMode(const DevModeA& mode) {
    DEVMODEA wanted{};
    wanted.dmSize = sizeof wanted;
    wanted.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    wanted.dmPelsWidth = mode.dmPelsWidth;
    wanted.dmPelsHeight = mode.dmPelsHeight;
    wanted.dmBitsPerPel = mode.dmBitsPerPel;
    if (mode.dmDisplayFrequency != 0) {
        wanted.dmFields |= DM_DISPLAYFREQUENCY;
        wanted.dmDisplayFrequency = mode.dmDisplayFrequency;
    }
    // NOTE: stored too: the program stored its own mode in the registry when it switched, and a
    // mode left there would come back at the next log-on.
    ChangeDisplaySettingsA(&wanted, CDS_UPDATEREGISTRY);
}

void Win32Restorer::ShowTaskBar(WindowHandle taskBar) {
    // NOTE: asynchronous, so a dying program never waits on the shell's thread.
    ShowWindowAsync(ToHwnd(taskBar), SW_SHOW);
}

void Win32Restorer::ResetMouseButtons() {
    SystemParametersInfoA(SPI_SETMOUSEBUTTONSWAP, FALSE, nullptr, 0);
}

Win32CrashGuard::Win32CrashGuard() {
    Win32CrashGuard* none = nullptr;
    if (!activeGuard.compare_exchange_strong(none, this))
        return;  // another guard of this process already holds the handlers
    installed_ = true;
    previousFilter_ = SetUnhandledExceptionFilter(&Win32CrashGuard::OnUnhandledException);
    SetConsoleCtrlHandler(&Win32CrashGuard::OnConsoleEvent, TRUE);
    previousTerminate_ = std::set_terminate(&Win32CrashGuard::OnTerminate);
    previousAbort_ = std::signal(SIGABRT, &Win32CrashGuard::OnAbortSignal);
}

Win32CrashGuard::~Win32CrashGuard() {
    UndoNow();
    if (!installed_) return;
    std::signal(SIGABRT, previousAbort_ == SIG_ERR ? SIG_DFL : previousAbort_);
    std::set_terminate(previousTerminate_);
    SetConsoleCtrlHandler(&Win32CrashGuard::OnConsoleEvent, FALSE);
    SetUnhandledExceptionFilter(previousFilter_);
    activeGuard.store(nullptr);
}

void Win32CrashGuard::UndoNow() {
    ledger_.UndoAll(restorer_);
}

void Win32CrashGuard::UndoActive() {
    if (Win32CrashGuard* guard = activeGuard.load()) guard->UndoNow();
}

// NOTE: an earlier filter (the C runtime's, which turns faults into signals for handlers set with
// signal()) still has its say; when none takes the exception, the process ends here with the
// exception's code, as a crash would, but without the system's crash dialog or just-in-time
// debugger: those would stand on the pupil's screen (and under Wine, its debugger holds the
// process). A debugger attached beforehand still sees the exception first.
LONG WINAPI Win32CrashGuard::OnUnhandledException(EXCEPTION_POINTERS* exception) {
    UndoActive();
    Win32CrashGuard* guard = activeGuard.load();
    if (guard && guard->previousFilter_) {
        const LONG verdict = guard->previousFilter_(exception);
        if (verdict != EXCEPTION_CONTINUE_SEARCH) return verdict;
    }
    return EXCEPTION_EXECUTE_HANDLER;
}

// Close, break, Ctrl+C, log-off and shut-down all end the process once the handlers below us
// (finally the system's) have run, so each is a death to clean up after.
BOOL WINAPI Win32CrashGuard::OnConsoleEvent(DWORD) {
    UndoActive();
    return FALSE;
}

void Win32CrashGuard::OnTerminate() {
    UndoActive();
    Win32CrashGuard* guard = activeGuard.load();
    if (guard && guard->previousTerminate_) guard->previousTerminate_();
    std::abort();
}

void Win32CrashGuard::OnAbortSignal(int signal) {
    UndoActive();
    Win32CrashGuard* guard = activeGuard.load();
    auto previous = guard ? guard->previousAbort_ : SIG_DFL;
    if (previous != SIG_DFL && previous != SIG_IGN && previous != SIG_ERR) previous(signal);
}

}  // namespace zindra::platform::win32
