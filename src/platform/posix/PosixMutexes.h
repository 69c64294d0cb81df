// Named mutexes shared between processes, kept as flock locks on one lock file per name.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "platform/System.h"

namespace zindra::platform::posix {

// A name exists while any handle to it is open in any process: every handle holds a shared
// flock on the name's lock file, and a creator that can take the lock exclusively is the first.
// Locks die with their process, so a crashed program leaves no name behind. Thread-safe.
class PosixMutexes {
public:
    // folder: where the lock files live; nothing means $XDG_RUNTIME_DIR/zindra-mutexes or else
    // /tmp/zindra-mutexes-<uid>. The folder is created with mode 0700 and refused (every create
    // then fails) unless it is a real folder of ours that no one else may enter.
    explicit PosixMutexes(std::optional<std::string> folder = std::nullopt);
    ~PosixMutexes();  // closes every handle still open
    PosixMutexes(const PosixMutexes&) = delete;
    PosixMutexes& operator=(const PosixMutexes&) = delete;

    // Handle 0 when the lock file cannot be used. An empty name makes an unnamed mutex, which
    // never existed before. "Local\" is the same namespace as no prefix, as in one session.
    MutexResult CreateMutex(const std::string& name);
    void CloseMutex(MutexHandle mutex);

    const std::string& Folder() const { return folder_; }

    // The lock file name for a mutex name: case kept (names are case-sensitive), every byte but
    // letters, digits, '-' and '_' written as %XX, long names shortened with a hash.
    static std::string LockFileName(const std::string& name);

private:
    bool FolderUsable();

    std::string folder_;
    std::mutex mutex_;
    std::map<MutexHandle, int> handles_;  // -1 for an unnamed mutex
    MutexHandle nextHandle_ = 0x2000;
};

}  // namespace zindra::platform::posix
