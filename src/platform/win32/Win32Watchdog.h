// The watchdog: this program started a second time to wait on the first and undo what the first
// left changed on the machine when it dies, however it dies (TerminateProcess, a crash that skips
// every handler, a hung window ended from outside). The two share the ledger through a named file
// mapping.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32/ChangeLedger.h"
#include "platform/win32/Win32Api.h"

namespace zindra::platform::win32 {

// The ledger record of process pid in a named file mapping: made by that process, opened by its
// watchdog. Record() is nullptr when the mapping could not be had.
class LedgerMapping {
public:
    static LedgerMapping Create(std::uint32_t pid);
    static LedgerMapping Open(std::uint32_t pid);
    LedgerMapping(LedgerMapping&& other) noexcept;
    LedgerMapping& operator=(LedgerMapping&&) = delete;
    ~LedgerMapping();

    LedgerRecord* Record() const { return record_; }

private:
    LedgerMapping() = default;
    HANDLE mapping_ = nullptr;
    LedgerRecord* record_ = nullptr;
};

// The option that makes a program its own watchdog; a program that starts one (see
// Win32PlatformOptions) must answer it by calling RunWatchdog before anything else.
inline constexpr const char* kWatchdogOption = "--watchdog";

// The watching process: opens the ledger and the process of pid, says it is ready, waits for that
// process to end, undoes what the ledger still holds and tells so on standard error. Returns the
// exit status: 0, or 1 when it could not watch.
int RunWatchdog(std::uint32_t pid);

// Starts this program as the watchdog of the calling process and waits until it watches (at most
// a few seconds). Returns its process handle, or nullptr with the reason in error.
HANDLE StartWatchdog(std::string& error);

}  // namespace zindra::platform::win32
