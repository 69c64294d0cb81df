// Named mutexes as flock locks: exclusive-if-first, then shared while the handle is open.
#include "platform/posix/PosixMutexes.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "platform/posix/PathMapper.h"

namespace zindra::platform::posix {
namespace {

constexpr std::size_t kMaxPlainLength = 180;  // escaped length kept before the hash takes over
constexpr const char* kGateName = ".gate";    // escaped names never start with '.'

std::string DefaultFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat info {};
    if (runtime != nullptr && runtime[0] == '/' && stat(runtime, &info) == 0 && S_ISDIR(info.st_mode)) {
        return JoinHost(runtime, "zindra-mutexes");
    }
    return "/tmp/zindra-mutexes-" + std::to_string(geteuid());
}

int FlockRetrying(int fd, int operation) {
    int result;
    do {
        result = flock(fd, operation);
    } while (result == -1 && errno == EINTR);
    return result;
}

std::uint64_t Fnv1a(const std::string& text) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char c : text) {
        hash = (hash ^ c) * 0x100000001b3ull;
    }
    return hash;
}

}  // namespace

PosixMutexes::PosixMutexes(std::optional<std::string> folder) : folder_(folder ? *folder : DefaultFolder()) {}

PosixMutexes::~PosixMutexes() {
    for (const auto& [handle, fd] : handles_) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

std::string PosixMutexes::LockFileName(const std::string& name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : name) {
        const bool plain =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    if (out.size() > kMaxPlainLength) {
        const std::uint64_t hash = Fnv1a(name);
        out.resize(kMaxPlainLength);
        out += '~';
        for (int shift = 60; shift >= 0; shift -= 4) {
            out += kHex[(hash >> shift) & 0xF];
        }
    }
    return out;
}

bool PosixMutexes::FolderUsable() {
    if (mkdir(folder_.c_str(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    // NOTE: a shared /tmp lets anyone pre-create this folder or plant a link here; only a real
    // folder owned by us and closed to others is trusted with lock files.
    struct stat info {};
    return lstat(folder_.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
           (info.st_mode & 077) == 0;
}

MutexResult PosixMutexes::CreateMutex(const std::string& name) {
    std::string key = name;
    if (key.starts_with("Local\\")) {
        key.erase(0, 6);
    }
    std::lock_guard lock(mutex_);
    if (key.empty()) {
        handles_[nextHandle_] = -1;
        return MutexResult{std::exchange(nextHandle_, nextHandle_ + 4), false};
    }
    if (!FolderUsable()) {
        return {};
    }
    const int flags = O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW;
    const int gate = open(JoinHost(folder_, kGateName).c_str(), flags, 0600);
    const int fd = open(JoinHost(folder_, LockFileName(key)).c_str(), flags, 0600);
    // NOTE: flock turns exclusive into shared by unlocking first; the gate keeps another creator
    // from slipping into that gap and also believing it was first.
    bool ok = gate >= 0 && fd >= 0 && FlockRetrying(gate, LOCK_EX) == 0;
    bool existed = false;
    if (ok && FlockRetrying(fd, LOCK_EX | LOCK_NB) != 0) {
        existed = errno == EWOULDBLOCK;
        ok = existed;
    }
    ok = ok && FlockRetrying(fd, LOCK_SH) == 0;
    if (gate >= 0) {
        close(gate);  // releases the gate lock
    }
    if (!ok) {
        if (fd >= 0) {
            close(fd);
        }
        return {};
    }
    handles_[nextHandle_] = fd;
    return MutexResult{std::exchange(nextHandle_, nextHandle_ + 4), existed};
}

void PosixMutexes::CloseMutex(MutexHandle mutex) {
    std::lock_guard lock(mutex_);
    const auto it = handles_.find(mutex);
    if (it == handles_.end()) {
        return;
    }
    if (it->second >= 0) {
        close(it->second);
    }
    handles_.erase(it);
}

}  // namespace zindra::platform::posix
