// ShellExecuteEx on Linux: resolving the file, choosing how to run it, spawning and reaping.
#include "platform/posix/PosixProcesses.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/posix/CommandLine.h"
#include "platform/posix/WindowsNames.h"

namespace zindra::platform::posix {
namespace {

// Children left running by destroyed instances; any later instance reaps them.
struct Leftovers {
    std::mutex Mutex;
    std::vector<pid_t> Pids;
};

Leftovers& ProcessLeftovers() {
    static auto* leftovers = new Leftovers;  // never destroyed: children may outlive static teardown
    return *leftovers;
}

// Reaps pid if it has ended. True when it is gone (then *exitCode holds its code when given).
bool TryReap(pid_t pid, std::uint32_t* exitCode) {
    int status = 0;
    pid_t result;
    do {
        result = waitpid(pid, &status, WNOHANG);
    } while (result == -1 && errno == EINTR);
    if (result == 0) {
        return false;
    }
    std::uint32_t code = 0;
    // NOTE: ECHILD means someone else reaped it (SIGCHLD ignored, or a waitpid(-1) elsewhere);
    // its status is lost, and 0 is the least surprising answer for a process that is gone.
    if (result == pid && WIFEXITED(status)) {
        code = static_cast<std::uint32_t>(WEXITSTATUS(status));
    } else if (result == pid && WIFSIGNALED(status)) {
        code = 128u + static_cast<std::uint32_t>(WTERMSIG(status));
    }
    if (exitCode != nullptr) {
        *exitCode = code;
    }
    return true;
}

void ReapAll(std::vector<pid_t>& pids) {
    std::erase_if(pids, [](pid_t pid) { return TryReap(pid, nullptr); });
}

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return out;
}

// The extension of the last component of a Windows path, lower case, with its dot; "" if none.
std::string Extension(std::string_view windowsPath) {
    const std::size_t slash = windowsPath.find_last_of("\\/");
    const std::string_view name = slash == std::string_view::npos ? windowsPath : windowsPath.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : LowerAscii(name.substr(dot));
}

bool IsFolder(const std::string& host) {
    struct stat info {};
    return stat(host.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::uintptr_t MissingCode(const std::string& host) {
    const std::size_t slash = host.rfind('/');
    const std::string parent = slash == 0 || slash == std::string::npos ? "/" : host.substr(0, slash);
    return IsFolder(parent) ? SE_ERR_FNF : SE_ERR_PNF;
}

std::uintptr_t SpawnErrorCode(int error) {
    switch (error) {
        case ENOENT:
            return SE_ERR_FNF;
        case ENOTDIR:
            return SE_ERR_PNF;
        case EACCES:
        case EPERM:
            return SE_ERR_ACCESSDENIED;
        case ENOMEM:
        case EAGAIN:
            return SE_ERR_OOM;
        default:
            return SE_ERR_NOASSOC;
    }
}

// Starts argv[0] with our environment and no descriptors but the standard three; 0 or an errno.
int Spawn(const std::vector<std::string>& args, const std::optional<std::string>& folder, pid_t& pid) {
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    // NOTE: a Windows child inherits no handles from the shell; ours must not keep our lock
    // files (named mutexes) or pipes alive either.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    if (folder) {
        posix_spawn_file_actions_addchdir_np(&actions, folder->c_str());
    }
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    sigdelset(&all, SIGKILL);
    sigdelset(&all, SIGSTOP);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    const int result = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return result;
}

using SteadyClock = std::chrono::steady_clock;

constexpr std::string_view kElfMagic(
    "\x7f"
    "ELF",
    4);

// Polls fd until it is readable or the deadline passes: 1 readable, 0 time-out, -1 failure.
int WaitReadable(int fd, SteadyClock::time_point deadline) {
    pollfd entry{fd, POLLIN, 0};
    while (true) {
        int timeoutMs = -1;
        if (deadline != SteadyClock::time_point::max()) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - SteadyClock::now()).count();
            timeoutMs = static_cast<int>(std::clamp<long long>(left, 0, 1 << 30));
        }
        const int result = poll(&entry, 1, timeoutMs);
        if (result > 0) {
            return 1;
        }
        if (result == 0 && SteadyClock::now() >= deadline) {
            return 0;
        }
        if (result < 0 && errno != EINTR) {
            return -1;
        }
    }
}

}  // namespace

PosixProcesses::PosixProcesses(const PathMapper& mapper, std::optional<std::string> searchPath)
    : mapper_(mapper), searchPath_(std::move(searchPath)) {}

PosixProcesses::~PosixProcesses() {
    std::lock_guard lock(mutex_);
    for (auto& [handle, child] : children_) {
        UpdateLocked(child);
        if (!child.Ended) {
            orphans_.push_back(child.Pid);
        }
    }
    ReapOrphansLocked();
    Leftovers& leftovers = ProcessLeftovers();
    std::lock_guard leftoverLock(leftovers.Mutex);
    leftovers.Pids.insert(leftovers.Pids.end(), orphans_.begin(), orphans_.end());
}

std::optional<std::string> PosixProcesses::FindProgram(const std::string& name) const {
    std::string path;
    if (searchPath_) {
        path = *searchPath_;
    } else if (const char* env = std::getenv("PATH")) {
        path = env;
    }
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find(':', start), path.size());
        const std::string folder = path.substr(start, end - start);
        start = end + 1;
        if (folder.empty() || folder[0] != '/') {
            continue;  // a relative entry would depend on our working folder
        }
        const std::string candidate = JoinHost(folder, name);
        struct stat info {};
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::uintptr_t PosixProcesses::PlanFolder(const std::string& host, Launch& launch) const {
    const std::optional<std::string> opener = FindProgram("xdg-open");
    if (!opener) {
        return SE_ERR_NOASSOC;
    }
    launch.Argv = {*opener, host};
    return kShellSuccess;
}

std::uintptr_t PosixProcesses::PlanFile(const std::string& host, const std::string& extension, Launch& launch) const {
    const int fd = open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno == EACCES ? SE_ERR_ACCESSDENIED : SE_ERR_FNF;
    }
    char magic[4] = {};
    const ssize_t got = read(fd, magic, sizeof magic);
    close(fd);
    const std::string_view head(magic, got > 0 ? static_cast<std::size_t>(got) : 0);
    const bool script = head.starts_with("#!");
    const bool batch = !script && (extension == ".bat" || extension == ".cmd");
    if (head.starts_with("MZ") || batch) {
        // NOTE: Windows programs need no execute bit: files copied from Windows rarely have one.
        const std::optional<std::string> wine = FindProgram("wine");
        if (!wine) {
            return SE_ERR_NOASSOC;
        }
        launch.Argv = {*wine, host};
        return kShellSuccess;
    }
    if (!script && head != kElfMagic) {
        return SE_ERR_NOASSOC;
    }
    if (access(host.c_str(), X_OK) != 0) {
        return SE_ERR_ACCESSDENIED;
    }
    launch.Argv = {host};
    return kShellSuccess;
}

std::uintptr_t PosixProcesses::Locate(const std::string& file, bool addExtension, Target& target) const {
    std::optional<std::string> host = mapper_.ToHost(file);
    if (!host) {
        return SE_ERR_PNF;
    }
    target.Host = *host;
    target.Extension = Extension(file);
    if (stat(target.Host.c_str(), &target.Info) == 0) {
        return kShellSuccess;
    }
    if (addExtension && target.Extension.empty()) {
        // As the Windows shell does for a program named without its extension.
        for (const char* candidate : {".exe", ".com", ".bat", ".cmd"}) {
            host = mapper_.ToHost(file + candidate);
            if (host && stat(host->c_str(), &target.Info) == 0) {
                target.Host = *host;
                target.Extension = candidate;
                return kShellSuccess;
            }
        }
    }
    return MissingCode(target.Host);
}

std::uintptr_t PosixProcesses::Plan(const ShellExecuteRequest& request, Launch& launch) const {
    const std::string verb = request.Verb == nullptr ? "open" : LowerAscii(request.Verb);
    const bool explore = verb == "explore";
    if (!explore && verb != "open" && !verb.empty()) {
        return SE_ERR_NOASSOC;  // print, edit and the rest have no handler here
    }
    if (request.File == nullptr || request.File[0] == '\0') {
        return SE_ERR_FNF;
    }
    Target target;
    if (const std::uintptr_t code = Locate(request.File, !explore, target); code != kShellSuccess) {
        return code;
    }
    if (request.Directory != nullptr && request.Directory[0] != '\0') {
        launch.Folder = mapper_.ToHost(request.Directory);
        if (!launch.Folder || !IsFolder(*launch.Folder)) {
            return SE_ERR_PNF;
        }
    }
    if (S_ISDIR(target.Info.st_mode)) {
        return PlanFolder(target.Host, launch);
    }
    if (explore || !S_ISREG(target.Info.st_mode)) {
        return SE_ERR_NOASSOC;
    }
    const std::uintptr_t code = PlanFile(target.Host, target.Extension, launch);
    if (code == kShellSuccess && request.Parameters != nullptr) {
        for (std::string& argument : SplitCommandLine(request.Parameters)) {
            launch.Argv.push_back(std::move(argument));
        }
    }
    return code;
}

bool PosixProcesses::ShellExecuteEx(ShellExecuteRequest& request) {
    request.Process = 0;
    Launch launch;
    request.InstApp = Plan(request, launch);
    if (request.InstApp != kShellSuccess) {
        return false;
    }
    pid_t pid = -1;
    if (const int error = Spawn(launch.Argv, launch.Folder, pid); error != 0) {
        request.InstApp = SpawnErrorCode(error);
        return false;
    }
    std::lock_guard lock(mutex_);
    ReapOrphansLocked();
    if ((request.Mask & SEE_MASK_NOCLOSEPROCESS) != 0) {
        request.Process = nextHandle_;
        nextHandle_ += 4;
        children_[request.Process] = Child{pid};
    } else {
        orphans_.push_back(pid);
    }
    return true;
}

void PosixProcesses::UpdateLocked(Child& child) {
    if (!child.Ended) {
        child.Ended = TryReap(child.Pid, &child.ExitCode);
    }
}

void PosixProcesses::ReapOrphansLocked() {
    ReapAll(orphans_);
    Leftovers& leftovers = ProcessLeftovers();
    std::lock_guard leftoverLock(leftovers.Mutex);
    ReapAll(leftovers.Pids);
}

bool PosixProcesses::GetExitCodeProcess(ProcessHandle process, std::uint32_t& exitCode) {
    std::lock_guard lock(mutex_);
    ReapOrphansLocked();
    const auto it = children_.find(process);
    if (it == children_.end()) {
        return false;
    }
    UpdateLocked(it->second);
    exitCode = it->second.Ended ? it->second.ExitCode : kStillActive;
    return true;
}

bool PosixProcesses::WaitForProcess(ProcessHandle process, std::uint32_t timeoutMs) {
    const auto deadline = timeoutMs == kInfinite ? SteadyClock::time_point::max()
                                                 : SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
    int pidfd = -1;
    {
        std::lock_guard lock(mutex_);
        const auto it = children_.find(process);
        if (it == children_.end()) {
            return false;
        }
        UpdateLocked(it->second);
        if (it->second.Ended || timeoutMs == 0) {
            return it->second.Ended;
        }
        // Not reaped while we hold the lock, so the pid still names our child.
        // NOTE: the raw call, because glibc 2.36's <sys/pidfd.h> lacks C++ linkage.
        pidfd = static_cast<int>(syscall(SYS_pidfd_open, it->second.Pid, 0));
    }
    int polled = -1;
    if (pidfd >= 0) {
        polled = WaitReadable(pidfd, deadline);
        close(pidfd);
    }
    // Without a pidfd (old kernel, sandbox) look again in short sleeps.
    for (auto step = std::chrono::milliseconds(1);; step = std::min(step * 2, std::chrono::milliseconds(16))) {
        {
            std::lock_guard lock(mutex_);
            const auto it = children_.find(process);
            if (it == children_.end()) {
                return false;  // closed by another thread meanwhile
            }
            UpdateLocked(it->second);
            if (it->second.Ended) {
                return true;
            }
        }
        const auto now = SteadyClock::now();
        if (polled >= 0 || now >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::min<SteadyClock::duration>(step, deadline - now));
    }
}

void PosixProcesses::CloseProcess(ProcessHandle process) {
    std::lock_guard lock(mutex_);
    const auto it = children_.find(process);
    if (it != children_.end()) {
        UpdateLocked(it->second);
        if (!it->second.Ended) {
            orphans_.push_back(it->second.Pid);
        }
        children_.erase(it);
    }
    ReapOrphansLocked();
}

pid_t PosixProcesses::ProcessId(ProcessHandle process) const {
    std::lock_guard lock(mutex_);
    const auto it = children_.find(process);
    return it == children_.end() ? -1 : it->second.Pid;
}

}  // namespace zindra::platform::posix
