// PosixSystem: the posix parts put together, and the C drive's Windows folders made on start.
#include "platform/posix/PosixSystem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <iostream>

namespace zindra::platform::posix {
namespace {

// Made before the mapper sees it, so the mapper can resolve its real path.
const std::string& MadeFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder;
}

// The Windows folders, unless some spelling of them exists already.
void PrepareDrive(const PathMapper& mapper) {
    for (const char* folder : {"C:\\windows", "C:\\windows\\system32", "C:\\windows\\temp"}) {
        if (const std::optional<std::string> host = mapper.ToHost(folder)) {
            mkdir(host->c_str(), 0777);  // EEXIST is fine
        }
    }
}

}  // namespace

PosixSystem::PosixSystem(const std::string& cFolder) : PosixSystem(PosixSystemOptions{cFolder, {}, {}}) {}

PosixSystem::PosixSystem(const PosixSystemOptions& options)
    : mapper_(options.PrepareDrive ? MadeFolder(options.CFolder) : options.CFolder),
      files_(mapper_),
      processes_(mapper_, options.SearchPath),
      mutexes_(options.MutexFolder) {
    if (options.PrepareDrive) PrepareDrive(mapper_);
}

void PosixSystem::ExitProcess(std::uint32_t code) {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    _exit(static_cast<int>(code & 0xFF));
}

std::vector<std::string> PosixSystem::EnvironmentStrings() {
    std::vector<std::string> strings;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        strings.emplace_back(*entry);
    }
    return strings;
}

std::string PosixSystem::ModuleFileName() {
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) {
        return {};
    }
    return mapper_.ToWindows(std::string_view(buffer, static_cast<std::size_t>(length)));
}

}  // namespace zindra::platform::posix
