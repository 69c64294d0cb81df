// Maps Windows paths onto the host file system: Z:\ is the root, C:\ a folder of our own.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace zindra::platform::posix {

// Thread-safe: the current directory is guarded; everything else is fixed at construction.
class PathMapper {
public:
    // cFolder: the host folder that is C:\ (made absolute; it need not exist yet).
    explicit PathMapper(std::string cFolder);

    // The host path for a Windows path: drive letters C: and Z: (any case), '\' and '/' as
    // separators, runs of separators as one, "." and ".." resolved (never above the drive root),
    // relative and root-relative paths against the current directory. Each existing component
    // takes the host's spelling (an exact match first, else the first case-insensitive match in
    // byte order); missing components stay as written. Trailing dots and spaces of the last
    // component are dropped. Nothing for other drives, UNC paths, a ":" after the drive, or an
    // embedded NUL.
    std::optional<std::string> ToHost(std::string_view windowsPath) const;

    // The Windows form of a host path: inside the C folder C:\..., anything else Z:\...
    // A relative host path is taken against the process's real working folder.
    std::string ToWindows(std::string_view hostPath) const;

    // The folder relative Windows paths start from; must be an absolute Windows path on C: or Z:.
    // Returns false (and keeps the old one) otherwise.
    bool SetCurrentDirectory(std::string_view windowsPath);
    std::string CurrentDirectory() const;

    const std::string& CFolder() const { return cFolder_; }

private:
    struct Parsed {
        char Drive = 0;    // 'C' or 'Z'
        std::string Rest;  // components after the drive root, '\' separated, unresolved
    };
    std::optional<Parsed> Parse(std::string_view windowsPath) const;
    std::string DriveRoot(char drive) const;

    std::string cFolder_;      // absolute, lexically normal, no trailing '/'
    std::string cFolderReal_;  // the same with symbolic links resolved, when it exists
    mutable std::mutex mutex_;
    std::string currentDirectory_ = "C:\\";
};

// Joins a host folder and a name with exactly one '/'.
std::string JoinHost(std::string_view folder, std::string_view name);

}  // namespace zindra::platform::posix
