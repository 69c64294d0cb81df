// Files and folders on the host, seen with Windows names, attributes and search rules.
#include "platform/posix/PosixFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>

#include "platform/posix/WindowsNames.h"

namespace zindra::platform::posix {
namespace {

constexpr std::uint32_t kVolume = 0x08;
constexpr std::uint32_t kSkippedUnlessAsked =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | kVolume | FILE_ATTRIBUTE_DIRECTORY;

bool Stat(const std::string& host, struct stat& info) {
    return stat(host.c_str(), &info) == 0;
}

bool WriteAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

std::string ParentOf(const std::string& host) {
    const std::size_t slash = host.rfind('/');
    return slash == 0 || slash == std::string::npos ? std::string("/") : host.substr(0, slash);
}

// A fresh file beside the target, created with the default permissions (umask applied).
int CreateTemporary(const std::string& folder, std::string& name) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = JoinHost(folder, ".zindra-write-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

bool IsDotEntry(std::string_view name) {
    return name == "." || name == "..";
}

// The folder part of a search pattern (kept as a Windows path) and the name pattern after it.
std::pair<std::string, std::string> SplitPattern(const std::string& pattern) {
    const std::size_t slash = pattern.find_last_of("\\/");
    if (slash != std::string::npos) {
        return {pattern.substr(0, slash + 1), pattern.substr(slash + 1)};
    }
    if (pattern.size() >= 2 && pattern[1] == ':') {
        return {pattern.substr(0, 2), pattern.substr(2)};  // "C:*.mid": that drive's current folder
    }
    return {".", pattern};
}

}  // namespace

PosixFiles::PosixFiles(PathMapper& mapper) : mapper_(mapper) {
    CurrentDirectory();
}

std::uint32_t PosixFiles::Attributes(const std::string& hostPath, std::string_view name) {
    struct stat info {};
    if (!Stat(hostPath, info) && lstat(hostPath.c_str(), &info) != 0) {
        return 0;
    }
    std::uint32_t attributes = 0;
    if (S_ISDIR(info.st_mode)) {
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    } else if (S_ISREG(info.st_mode)) {
        attributes |= FILE_ATTRIBUTE_ARCHIVE;
    }
    if (name.starts_with('.') && !IsDotEntry(name)) {
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    }
    // NOTE: the write bits count as well as access(): as root access() allows every write,
    // yet a file someone marked read-only should still look read-only.
    if ((info.st_mode & 0222) == 0 || access(hostPath.c_str(), W_OK) != 0) {
        attributes |= FILE_ATTRIBUTE_READONLY;
    }
    return attributes;
}

bool PosixFiles::FileExists(const std::string& path) {
    const std::optional<std::string> host = mapper_.ToHost(path);
    struct stat info {};
    return host && Stat(*host, info) && !S_ISDIR(info.st_mode);
}

bool PosixFiles::DirectoryExists(const std::string& path) {
    const std::optional<std::string> host = mapper_.ToHost(path);
    struct stat info {};
    return host && Stat(*host, info) && S_ISDIR(info.st_mode);
}

std::optional<std::vector<std::uint8_t>> PosixFiles::ReadFile(const std::string& path) {
    const std::optional<std::string> host = mapper_.ToHost(path);
    // O_NONBLOCK: opening a FIFO or a device must not hang us; it changes nothing for a regular file.
    const int fd = host ? open(host->c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK) : -1;
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    std::optional<std::vector<std::uint8_t>> bytes;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && static_cast<std::uint64_t>(info.st_size) <= kMaxReadBytes) {
        bytes.emplace();
        bytes->reserve(static_cast<std::size_t>(info.st_size));
        std::uint8_t chunk[65536];
        // The size may change while we read (or be 0 for kernel files): read to the end, capped.
        while (bytes) {
            const ssize_t got = read(fd, chunk, sizeof chunk);
            if (got == 0) {
                break;
            }
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0 || bytes->size() + static_cast<std::size_t>(got) > kMaxReadBytes) {
                bytes.reset();
                break;
            }
            bytes->insert(bytes->end(), chunk, chunk + got);
        }
    }
    close(fd);
    return bytes;
}

bool PosixFiles::WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::optional<std::string> host = mapper_.ToHost(path);
    struct stat info {};
    const bool exists = host && lstat(host->c_str(), &info) == 0;
    if (!host || (exists && S_ISDIR(info.st_mode)) || (exists && (Attributes(*host, "") & FILE_ATTRIBUTE_READONLY))) {
        return false;
    }
    if (exists && S_ISLNK(info.st_mode)) {
        // Writing through the link keeps it a link; replacing it would cut it.
        const int fd = open(host->c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        const bool ok = fd >= 0 && WriteAll(fd, bytes);
        return (fd < 0 || close(fd) == 0) && ok;
    }
    std::string temporary;
    const int fd = CreateTemporary(ParentOf(*host), temporary);
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, bytes) && (!exists || fchmod(fd, info.st_mode & 07777) == 0) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temporary.c_str(), host->c_str()) == 0;
    if (!ok) {
        unlink(temporary.c_str());
    }
    return ok;
}

bool PosixFiles::CreateDirectory(const std::string& path) {
    const std::optional<std::string> host = mapper_.ToHost(path);
    return host && mkdir(host->c_str(), 0777) == 0;
}

bool PosixFiles::DeleteFile(const std::string& path) {
    const std::optional<std::string> host = mapper_.ToHost(path);
    struct stat info {};
    if (!host || lstat(host->c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        return false;
    }
    // Windows refuses to delete a read-only file; a link itself is never read-only.
    if (!S_ISLNK(info.st_mode) && (Attributes(*host, "") & FILE_ATTRIBUTE_READONLY) != 0) {
        return false;
    }
    return unlink(host->c_str()) == 0;
}

std::vector<FoundFile> PosixFiles::FindFiles(const std::string& pattern, std::uint32_t attributeMask) {
    const auto [folder, namePattern] = SplitPattern(pattern);
    const std::optional<std::string> host = mapper_.ToHost(folder);
    DIR* dir = host && !namePattern.empty() ? opendir(host->c_str()) : nullptr;
    if (dir == nullptr) {
        return {};
    }
    // A drive root has no "." and "..", as on Windows.
    const bool driveRoot = *host == "/" || *host == mapper_.CFolder();
    std::vector<FoundFile> found;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if ((driveRoot && IsDotEntry(name)) || !MatchesWildcard(namePattern, name)) {
            continue;
        }
        const std::string entryHost = JoinHost(*host, name);
        const std::uint32_t attributes = Attributes(entryHost, name);
        if ((attributes & kSkippedUnlessAsked & ~attributeMask) != 0) {
            continue;
        }
        struct stat info {};
        const bool regular = Stat(entryHost, info) && S_ISREG(info.st_mode);
        found.push_back(FoundFile{name, attributes, regular ? static_cast<std::uint64_t>(info.st_size) : 0});
    }
    closedir(dir);
    std::sort(found.begin(), found.end(), [](const FoundFile& a, const FoundFile& b) {
        const bool dotA = IsDotEntry(a.Name), dotB = IsDotEntry(b.Name);
        return dotA != dotB ? dotA : NameLessNoCase(a.Name, b.Name);
    });
    return found;
}

std::string PosixFiles::CurrentDirectory() {
    char buffer[PATH_MAX];
    if (getcwd(buffer, sizeof buffer) != nullptr) {
        mapper_.SetCurrentDirectory(mapper_.ToWindows(buffer));
    }
    return mapper_.CurrentDirectory();
}

bool PosixFiles::SetCurrentDirectory(const std::string& path) {
    const std::optional<std::string> host = mapper_.ToHost(path);
    if (!host || chdir(host->c_str()) != 0) {
        return false;
    }
    CurrentDirectory();
    return true;
}

}  // namespace zindra::platform::posix
