// Files, folders, file searches and the current folder, through the path mapper.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/System.h"
#include "platform/posix/PathMapper.h"

namespace zindra::platform::posix {

// Thread-safe as far as the file system is; the current folder is the process's real one.
class PosixFiles {
public:
    static constexpr std::uint64_t kMaxReadBytes = 256ull << 20;

    // The mapper must outlive this object; its current folder is kept equal to the real one.
    explicit PosixFiles(PathMapper& mapper);

    bool FileExists(const std::string& path);       // anything but a folder
    bool DirectoryExists(const std::string& path);  // a folder, or a link to one
    // Nothing when the file cannot be opened, is not a regular file or is larger than kMaxReadBytes.
    std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path);
    // Replaces the file as a whole: the old content stays intact if writing fails.
    bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
    bool CreateDirectory(const std::string& path);  // false if it exists or its parent is missing
    bool DeleteFile(const std::string& path);       // false for folders and read-only files
    // Sorted without case (then by bytes). An entry is skipped when it has any of hidden,
    // system, volume or directory that the mask lacks.
    std::vector<FoundFile> FindFiles(const std::string& pattern, std::uint32_t attributeMask);

    std::string CurrentDirectory();  // Windows form of the real working folder
    bool SetCurrentDirectory(const std::string& path);

    // The attributes Windows would show for a host file: directory, hidden for dot names,
    // read-only when we may not write it, archive for regular files.
    static std::uint32_t Attributes(const std::string& hostPath, std::string_view name);

private:
    PathMapper& mapper_;
};

}  // namespace zindra::platform::posix
