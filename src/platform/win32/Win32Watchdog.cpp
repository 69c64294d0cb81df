// The watchdog's shared ledger, its start from the watched program, and its own run.
#include "platform/win32/Win32Watchdog.h"

#include <cstdio>
#include <new>
#include <string>
#include <utility>

#include "platform/win32/Win32Restorer.h"

namespace zindra::platform::win32 {

namespace {

// How long the watched program waits for its watchdog to say it watches.
constexpr DWORD kReadyTimeoutMs = 10000;

std::string NameFor(const char* kind, std::uint32_t pid) {
    return std::string("Local\\Zindra") + kind + "." + std::to_string(pid);
}

// A handle the child may inherit, for its standard error; nullptr when there is none.
HANDLE InheritableStandardError() {
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    HANDLE copy = nullptr;
    if (!error || error == INVALID_HANDLE_VALUE ||
        !DuplicateHandle(GetCurrentProcess(), error, GetCurrentProcess(), &copy, 0, TRUE, DUPLICATE_SAME_ACCESS)) {
        return nullptr;
    }
    return copy;
}

std::string LastError(const char* what) {
    return std::string(what) + " failed (error " + std::to_string(GetLastError()) + ")";
}

}  // namespace

LedgerMapping LedgerMapping::Create(std::uint32_t pid) {
    LedgerMapping made;
    made.mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LedgerRecord),
                                       NameFor("Ledger", pid).c_str());
    // A mapping left from an earlier process of the same id would hold stale facts: start anew.
    if (made.mapping_ && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(made.mapping_);
        made.mapping_ = nullptr;
    }
    if (!made.mapping_) return made;
    void* view = MapViewOfFile(made.mapping_, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(LedgerRecord));
    if (view) made.record_ = new (view) LedgerRecord();
    return made;
}

LedgerMapping LedgerMapping::Open(std::uint32_t pid) {
    LedgerMapping opened;
    opened.mapping_ = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, NameFor("Ledger", pid).c_str());
    if (!opened.mapping_) return opened;
    void* view = MapViewOfFile(opened.mapping_, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(LedgerRecord));
    auto* record = static_cast<LedgerRecord*>(view);
    // The watched program made it; anything else under that name is not ours to act on.
    if (record && record->Magic == LedgerRecord::kMagic && record->Size == sizeof(LedgerRecord)) {
        opened.record_ = record;
    } else if (view) {
        UnmapViewOfFile(view);
    }
    return opened;
}

LedgerMapping::LedgerMapping(LedgerMapping&& other) noexcept
    : mapping_(std::exchange(other.mapping_, nullptr)), record_(std::exchange(other.record_, nullptr)) {}

LedgerMapping::~LedgerMapping() {
    if (record_) UnmapViewOfFile(record_);
    if (mapping_) CloseHandle(mapping_);
}

HANDLE StartWatchdog(std::string& error) {
    const DWORD pid = GetCurrentProcessId();
    char program[MAX_PATH * 4] = {};
    const DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
    if (length == 0 || length >= sizeof program) {
        error = LastError("GetModuleFileName");
        return nullptr;
    }
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, NameFor("WatchdogReady", pid).c_str());
    if (!ready) {
        error = LastError("CreateEvent");
        return nullptr;
    }
    std::string commandLine = std::string("\"") + program + "\" " + kWatchdogOption + " " + std::to_string(pid);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    HANDLE standardError = InheritableStandardError();
    if (standardError) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdError = standardError;
    }
    PROCESS_INFORMATION child{};
    // NOTE: no console of its own and a process group of its own, so a Ctrl+C or a console's
    // close that ends the program leaves its watchdog standing.
    const BOOL started =
        CreateProcessA(program, commandLine.data(), nullptr, nullptr, standardError ? TRUE : FALSE,
                       DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP, nullptr, nullptr, &startup, &child);
    if (!started) error = LastError("CreateProcess");
    if (standardError) CloseHandle(standardError);
    if (!started) {
        CloseHandle(ready);
        return nullptr;
    }
    CloseHandle(child.hThread);
    HANDLE waits[] = {ready, child.hProcess};
    const DWORD waited = WaitForMultipleObjects(2, waits, FALSE, kReadyTimeoutMs);
    CloseHandle(ready);
    if (waited == WAIT_OBJECT_0) return child.hProcess;
    error = waited == WAIT_OBJECT_0 + 1 ? "the watchdog ended at once" : "the watchdog did not get ready";
    TerminateProcess(child.hProcess, 1);
    CloseHandle(child.hProcess);
    return nullptr;
}

int RunWatchdog(std::uint32_t pid) {
    // Deaf to the console events of the program it watches, and to the system's error boxes.
    SetConsoleCtrlHandler(nullptr, TRUE);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    HANDLE watched = OpenProcess(SYNCHRONIZE, FALSE, pid);
    const LedgerMapping mapping = LedgerMapping::Open(pid);
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, NameFor("WatchdogReady", pid).c_str());
    if (!watched || !mapping.Record() || !ready) {
        std::fprintf(stderr, "zindra watchdog: cannot watch process %u\n", static_cast<unsigned>(pid));
        return 1;
    }
    SetEvent(ready);
    CloseHandle(ready);
    WaitForSingleObject(watched, INFINITE);
    CloseHandle(watched);
    ChangeLedger ledger(*mapping.Record());
    Win32Restorer restorer;
    ReportUndone("zindra watchdog", "the program ended without putting back", ledger.UndoAll(restorer).Undone);
    return 0;
}

}  // namespace zindra::platform::win32
