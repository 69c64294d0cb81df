// Starts programs for ShellExecuteEx with posix_spawn and keeps the table of process handles.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/Win32Types.h"
#include "platform/posix/PathMapper.h"

namespace zindra::platform::posix {

// Thread-safe. Every child we start is reaped by pid (never waitpid(-1), so other children of
// the process are left alone): a handle's child when asked about, a forgotten one with WNOHANG on
// every later call and in the destructor. Children still running when the destructor runs are
// handed to a process-wide list that later instances go on reaping.
class PosixProcesses {
public:
    // searchPath: the folders, ':' separated, where wine and xdg-open are looked for; nothing
    // means $PATH at the time of each call. The mapper must outlive this object.
    explicit PosixProcesses(const PathMapper& mapper, std::optional<std::string> searchPath = std::nullopt);
    ~PosixProcesses();
    PosixProcesses(const PosixProcesses&) = delete;
    PosixProcesses& operator=(const PosixProcesses&) = delete;

    // Fills request.InstApp (kShellSuccess or an SE_ERR_ code) and, with SEE_MASK_NOCLOSEPROCESS
    // and success, request.Process. Returns whether the program was started.
    bool ShellExecuteEx(ShellExecuteRequest& request);
    // kStillActive while running; the exit status; 128 + n after signal n. False for an unknown handle.
    bool GetExitCodeProcess(ProcessHandle process, std::uint32_t& exitCode);
    // True when the process has ended within timeoutMs (kInfinite: no time-out); false on
    // time-out or for an unknown handle. Blocks in the kernel, not in a spin.
    bool WaitForProcess(ProcessHandle process, std::uint32_t timeoutMs);
    void CloseProcess(ProcessHandle process);

    // The host process id behind a handle, or -1. For diagnostics and tests.
    pid_t ProcessId(ProcessHandle process) const;

private:
    struct Child {
        pid_t Pid = -1;
        bool Ended = false;
        std::uint32_t ExitCode = 0;
    };
    struct Launch {
        std::vector<std::string> Argv;
        std::optional<std::string> Folder;  // the child's working folder
    };

    struct Target {
        std::string Host;
        std::string Extension;  // lower case with its dot, "" if none
        struct stat Info {};
    };

    std::uintptr_t Plan(const ShellExecuteRequest& request, Launch& launch) const;
    std::uintptr_t Locate(const std::string& file, bool addExtension, Target& target) const;
    std::uintptr_t PlanFile(const std::string& host, const std::string& extension, Launch& launch) const;
    std::uintptr_t PlanFolder(const std::string& host, Launch& launch) const;
    std::optional<std::string> FindProgram(const std::string& name) const;
    void UpdateLocked(Child& child);  // reaps with WNOHANG; mutex_ held
    void ReapOrphansLocked();

    const PathMapper& mapper_;
    std::optional<std::string> searchPath_;
    mutable std::mutex mutex_;
    std::map<ProcessHandle, Child> children_;
    std::vector<pid_t> orphans_;  // started by us, no handle, not yet reaped
    ProcessHandle nextHandle_ = 0x1000;
};

}  // namespace zindra::platform::posix
