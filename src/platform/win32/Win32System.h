// The System of a Windows program: processes through the shell, named mutexes, the environment,
// folders, files and machine facts, each through the Windows call of the same name.
#pragma once

#include "platform/System.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32CrashGuard.h"

namespace zindra::platform::win32 {

// Thread-safe as far as Windows is; the current folder is the process's, shared by all threads.
class Win32System final : public System {
public:
    static constexpr std::uint64_t kMaxReadBytes = 256ull << 20;

    // The guard undoes the program's changes before ExitProcess; it must outlive this object.
    explicit Win32System(Win32CrashGuard& guard) : guard_(guard) {}

    // Win32System.cpp: processes, mutexes, the environment, folders.
    bool ShellExecuteEx(ShellExecuteRequest& request) override;
    bool GetExitCodeProcess(ProcessHandle process, std::uint32_t& exitCode) override;
    bool WaitForProcess(ProcessHandle process, std::uint32_t timeoutMs) override;
    void CloseProcess(ProcessHandle process) override;
    // Undoes what the program changed on the machine, flushes the C streams, then ends at once.
    [[noreturn]] void ExitProcess(std::uint32_t code) override;
    MutexResult CreateMutex(const std::string& name) override;
    void CloseMutex(MutexHandle mutex) override;
    std::vector<std::string> EnvironmentStrings() override;
    std::string CurrentDirectory() override;
    bool SetCurrentDirectory(const std::string& path) override;
    std::string ModuleFileName() override;
    std::string WindowsDirectory() override;
    std::string SystemDirectory() override;
    std::string TempPath() override;

    // Win32Files.cpp.
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    // Nothing for a missing file, one that is not a disk file, or one above kMaxReadBytes.
    std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path) override;
    // Written beside the file and moved over it, so the old content stays whole if writing fails.
    bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) override;
    bool CreateDirectory(const std::string& path) override;
    bool DeleteFile(const std::string& path) override;
    // In the order FindNextFile gives them. An entry is skipped when it has any of hidden,
    // system, volume or directory that the mask lacks.
    std::vector<FoundFile> FindFiles(const std::string& pattern, std::uint32_t attributeMask) override;

    // Win32Machine.cpp.
    std::optional<std::string> UserName() override;
    std::optional<std::string> ComputerName() override;
    VersionInfo Version() override;
    MemoryStatus GlobalMemoryStatus() override;
    std::uint32_t ProcessorCount() override;
    std::uint32_t ProcessorType() override;
    std::uint32_t ThreadLocale() override;
    std::optional<std::string> GetLocaleInfo(std::uint32_t locale, std::uint32_t item) override;
    bool SetLocaleInfo(std::uint32_t locale, std::uint32_t item, const std::string& value) override;
    std::uint16_t SystemDefaultLangId() override;
    std::string LanguageName(std::uint32_t langId) override;
    TimeZoneInfo TimeZone() override;
    std::optional<std::string> ReadMachineRegistryString(const std::string& key, const std::string& value) override;
    std::uint16_t GlobalAddAtom(const std::string& name) override;
    void GlobalDeleteAtom(std::uint16_t atom) override;
    std::vector<std::string> PrinterNames() override;
    // A 64-bit program never runs on the 95 family, the only one with the 16-bit route.
    std::optional<std::uint16_t> FreeSystemResources16(std::uint16_t) override { return std::nullopt; }

    // The entries of a search that the attribute mask lets through (the rule FindFiles applies).
    static bool PassesMask(std::uint32_t attributes, std::uint32_t attributeMask);

private:
    Win32CrashGuard& guard_;
};

}  // namespace zindra::platform::win32
