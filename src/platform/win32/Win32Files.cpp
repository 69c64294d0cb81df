// Files and file searches of a Windows program.
#include <algorithm>
#include <atomic>
#include <string>

#include "platform/win32/Win32System.h"

namespace zindra::platform::win32 {

namespace {

constexpr std::uint32_t kVolume = 0x08;
constexpr std::uint32_t kSkippedUnlessAsked =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | kVolume | FILE_ATTRIBUTE_DIRECTORY;

DWORD AttributesOf(const std::string& path) {
    return GetFileAttributesA(path.c_str());
}

// Closes a handle when it goes out of scope.
class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
    ~ScopedHandle() {
        if (Valid()) CloseHandle(handle_);
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE Get() const { return handle_; }
    HANDLE Release() {
        HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle;
    }

private:
    HANDLE handle_;
};

bool WriteAll(HANDLE file, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD wrote = 0;
        if (!::WriteFile(file, bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) return false;
        done += wrote;
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    if (slash != std::string::npos) return path.substr(0, slash + 1);
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);  // "C:name": that drive's current folder
    return {};
}

}  // namespace

bool Win32System::PassesMask(std::uint32_t attributes, std::uint32_t attributeMask) {
    return (attributes & kSkippedUnlessAsked & ~attributeMask) == 0;
}

bool Win32System::FileExists(const std::string& path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32System::DirectoryExists(const std::string& path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<std::vector<std::uint8_t>> Win32System::ReadFile(const std::string& path) {
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.Valid() || GetFileType(file.Get()) != FILE_TYPE_DISK || !GetFileSizeEx(file.Get(), &size) ||
        size.QuadPart < 0 || static_cast<std::uint64_t>(size.QuadPart) > kMaxReadBytes) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    std::uint8_t chunk[65536];
    // The size may change while we read: read to the end, capped.
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), chunk, sizeof chunk, &got, nullptr)) return std::nullopt;
        if (got == 0) return bytes;
        if (bytes.size() + got > kMaxReadBytes) return std::nullopt;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
}

bool Win32System::WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const DWORD existing = AttributesOf(path);
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        return false;
    }
    static std::atomic<unsigned> counter{0};
    const std::string temporary =
        FolderOf(path) + ".zindra-write-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
    ScopedHandle file(
        CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    bool ok = WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get());
    ok = CloseHandle(file.Release()) && ok;
    ok = ok && MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) ::DeleteFileA(temporary.c_str());
    return ok;
}

bool Win32System::CreateDirectory(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool Win32System::DeleteFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != FALSE;
}

std::vector<FoundFile> Win32System::FindFiles(const std::string& pattern, std::uint32_t attributeMask) {
    std::vector<FoundFile> found;
    WIN32_FIND_DATAA entry{};
    HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
        if (!PassesMask(entry.dwFileAttributes, attributeMask)) continue;
        const std::uint64_t size = (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
        found.push_back(FoundFile{entry.cFileName, entry.dwFileAttributes, size});
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return found;
}

}  // namespace zindra::platform::win32
