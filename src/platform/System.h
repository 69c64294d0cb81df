// The operating system beneath a program: processes, named mutexes, the environment, folders,
// files and machine facts. Paths are Windows paths on every back end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Win32Types.h"

namespace zindra::platform {

struct FoundFile {
    std::string Name;  // without folder
    std::uint32_t Attributes = 0;
    std::uint64_t Size = 0;
};

struct MutexResult {
    MutexHandle Handle = 0;
    bool AlreadyExisted = false;  // GetLastError() == ERROR_ALREADY_EXISTS
};

struct VersionInfo {
    std::uint32_t Major = 5;
    std::uint32_t Minor = 1;
    std::uint32_t Build = 2600;
    std::uint32_t PlatformId = 2;  // VER_PLATFORM_WIN32_NT
};

struct MemoryStatus {
    std::uint32_t MemoryLoad = 0;
    std::uint64_t TotalPhys = 0, AvailPhys = 0;
    std::uint64_t TotalPageFile = 0, AvailPageFile = 0;
    std::uint64_t TotalVirtual = 0, AvailVirtual = 0;
};

struct TimeZoneInfo {
    std::int32_t Bias = 0;  // minutes; UTC = local time + bias
    std::string StandardName;
};

class System {
public:
    virtual ~System() = default;

    // Processes. ShellExecuteEx fills request.InstApp and, with SEE_MASK_NOCLOSEPROCESS, request.Process.
    virtual bool ShellExecuteEx(ShellExecuteRequest& request) = 0;
    virtual bool GetExitCodeProcess(ProcessHandle process, std::uint32_t& exitCode) = 0;
    // Returns true when the process ended within timeoutMs (kInfinite: no time-out).
    virtual bool WaitForProcess(ProcessHandle process, std::uint32_t timeoutMs) = 0;
    virtual void CloseProcess(ProcessHandle process) = 0;
    // Ends this process at once: no window is closed and no destructor runs.
    [[noreturn]] virtual void ExitProcess(std::uint32_t code) = 0;

    // Named mutexes, created unowned.
    virtual MutexResult CreateMutex(const std::string& name) = 0;
    virtual void CloseMutex(MutexHandle mutex) = 0;

    // The environment block as name=value strings, in block order.
    virtual std::vector<std::string> EnvironmentStrings() = 0;

    // Folders, without a trailing backslash except at a drive root (temp: with one).
    virtual std::string CurrentDirectory() = 0;
    virtual bool SetCurrentDirectory(const std::string& path) = 0;
    virtual std::string ModuleFileName() = 0;  // the running program file
    virtual std::string WindowsDirectory() = 0;
    virtual std::string SystemDirectory() = 0;
    virtual std::string TempPath() = 0;

    // Files.
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool DirectoryExists(const std::string& path) = 0;
    // Reads a whole file; nothing when it cannot be opened.
    virtual std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path) = 0;
    virtual bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) = 0;
    virtual bool CreateDirectory(const std::string& path) = 0;  // one level
    virtual bool DeleteFile(const std::string& path) = 0;
    // Files matching a pattern such as "C:\Music\*.mid", as FindFirstFile/FindNextFile with the
    // kit's attribute mask: plain files always match, others only when their attributes are in the mask.
    virtual std::vector<FoundFile> FindFiles(const std::string& pattern, std::uint32_t attributeMask) = 0;

    // Machine facts.
    virtual std::optional<std::string> UserName() = 0;
    virtual std::optional<std::string> ComputerName() = 0;
    virtual VersionInfo Version() = 0;
    virtual MemoryStatus GlobalMemoryStatus() = 0;
    virtual std::uint32_t ProcessorCount() = 0;
    virtual std::uint32_t ProcessorType() = 0;
    virtual std::uint32_t ThreadLocale() = 0;
    virtual std::optional<std::string> GetLocaleInfo(std::uint32_t locale, std::uint32_t item) = 0;
    virtual bool SetLocaleInfo(std::uint32_t locale, std::uint32_t item, const std::string& value) = 0;
    virtual std::uint16_t SystemDefaultLangId() = 0;
    virtual std::string LanguageName(std::uint32_t langId) = 0;
    virtual TimeZoneInfo TimeZone() = 0;
    // A string value under HKEY_LOCAL_MACHINE; nothing when the key cannot be opened with full
    // access; an empty text when the value is missing.
    virtual std::optional<std::string> ReadMachineRegistryString(const std::string& key, const std::string& value) = 0;
    // Global atoms, for hot-key ids.
    virtual std::uint16_t GlobalAddAtom(const std::string& name) = 0;
    virtual void GlobalDeleteAtom(std::uint16_t atom) = 0;
    // The printing layer's printer names, in the order the spooler lists them.
    virtual std::vector<std::string> PrinterNames() = 0;
    // GetFreeSystemResources(kind) of the 16-bit user module (kind 0 system, 1 GDI, 2 user),
    // reached through the 95 family's 16-bit thunk; nothing where that route does not exist.
    virtual std::optional<std::uint16_t> FreeSystemResources16(std::uint16_t kind) = 0;
};

// True while the process runs. Its exit code reads STILL_ACTIVE (259) then, but so does that of a
// program that ended with code 259: only a signalled handle tells the two apart. False when the
// code cannot be read.
inline bool ProcessRunning(System& system, ProcessHandle process) {
    std::uint32_t code = 0;
    return system.GetExitCodeProcess(process, code) && code == kStillActive && !system.WaitForProcess(process, 0);
}

}  // namespace zindra::platform
