// The System interface of one program on the simulated machine: files through the posix layer
// (journalled), programs on the machine's process table, and fixed machine facts so runs repeat.
#pragma once

#include <memory>
#include <string>

#include "platform/System.h"
#include "platform/posix/PathMapper.h"
#include "platform/posix/PosixFiles.h"
#include "platform/posix/PosixLocale.h"
#include "platform/posix/PosixProcesses.h"

namespace zindra::platform::sim {

class SimProcess;
class SimMachine;

class SimSystem final : public System {
public:
    explicit SimSystem(SimProcess& process);
    ~SimSystem() override;

    bool ShellExecuteEx(ShellExecuteRequest& request) override;
    bool GetExitCodeProcess(ProcessHandle process, std::uint32_t& exitCode) override;
    bool WaitForProcess(ProcessHandle process, std::uint32_t timeoutMs) override;
    void CloseProcess(ProcessHandle process) override;
    [[noreturn]] void ExitProcess(std::uint32_t code) override;

    MutexResult CreateMutex(const std::string& name) override;
    void CloseMutex(MutexHandle mutex) override;
    std::vector<std::string> EnvironmentStrings() override;

    std::string CurrentDirectory() override;
    bool SetCurrentDirectory(const std::string& path) override;
    std::string ModuleFileName() override;
    std::string WindowsDirectory() override { return "C:\\WINDOWS"; }
    std::string SystemDirectory() override { return "C:\\WINDOWS\\system32"; }
    std::string TempPath() override { return "C:\\WINDOWS\\TEMP\\"; }

    bool FileExists(const std::string& path) override { return files_->FileExists(path); }
    bool DirectoryExists(const std::string& path) override { return files_->DirectoryExists(path); }
    std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path) override;
    std::optional<std::vector<std::uint8_t>> ReadFileQuietly(const std::string& path) { return files_->ReadFile(path); }
    bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) override;
    bool CreateDirectory(const std::string& path) override;
    bool DeleteFile(const std::string& path) override;
    std::vector<FoundFile> FindFiles(const std::string& pattern, std::uint32_t attributeMask) override;

    std::optional<std::string> UserName() override;
    std::optional<std::string> ComputerName() override;
    VersionInfo Version() override;
    MemoryStatus GlobalMemoryStatus() override;
    std::uint32_t ProcessorCount() override;
    std::uint32_t ProcessorType() override;
    std::uint32_t ThreadLocale() override { return posix::PosixLocale::kEnglishUs; }
    std::optional<std::string> GetLocaleInfo(std::uint32_t locale, std::uint32_t item) override;
    bool SetLocaleInfo(std::uint32_t locale, std::uint32_t item, const std::string& value) override;
    std::uint16_t SystemDefaultLangId() override { return 0x0409; }
    std::string LanguageName(std::uint32_t langId) override { return posix::PosixLocale::LanguageName(langId); }
    TimeZoneInfo TimeZone() override { return {-120, "South Africa Standard Time"}; }
    std::optional<std::string> ReadMachineRegistryString(const std::string& key, const std::string& value) override;
    std::uint16_t GlobalAddAtom(const std::string& name) override;
    void GlobalDeleteAtom(std::uint16_t atom) override;
    std::vector<std::string> PrinterNames() override;
    std::optional<std::uint16_t> FreeSystemResources16(std::uint16_t kind) override;

private:
    std::optional<std::string> ResolveProgram(const std::string& file);
    std::uintptr_t Start(const ShellExecuteRequest& request, ProcessHandle& process);
    std::uintptr_t StartFile(const ShellExecuteRequest& request, const std::string& host, ProcessHandle& process);
    std::uint32_t RunRegistrationTool(const std::string& parameters);

    SimProcess& process_;
    SimMachine& machine_;
    posix::PathMapper mapper_;
    std::unique_ptr<posix::PosixFiles> files_;
    std::unique_ptr<posix::PosixProcesses> real_;
    posix::PosixLocale locale_;
};

}  // namespace zindra::platform::sim
