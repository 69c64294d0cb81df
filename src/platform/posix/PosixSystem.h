// The System of a Linux desktop: Windows paths over the host file system, real processes.
#pragma once

#include <optional>
#include <string>

#include "platform/System.h"
#include "platform/posix/PathMapper.h"
#include "platform/posix/PosixAtoms.h"
#include "platform/posix/PosixFiles.h"
#include "platform/posix/PosixLocale.h"
#include "platform/posix/PosixMachine.h"
#include "platform/posix/PosixMutexes.h"
#include "platform/posix/PosixProcesses.h"

namespace zindra::platform::posix {

struct PosixSystemOptions {
    std::string CFolder;                     // the host folder that is C:\ (made when missing)
    std::optional<std::string> MutexFolder;  // nothing: the per-user default of PosixMutexes
    std::optional<std::string> SearchPath;   // where wine and xdg-open are found; nothing: $PATH
    // false: make neither the C folder nor its Windows folders, for a reader that must change nothing.
    bool PrepareDrive = true;
};

// Thread-safe where its parts are; the current folder is the process's, shared by all threads.
class PosixSystem : public System {
public:
    explicit PosixSystem(const std::string& cFolder);
    explicit PosixSystem(const PosixSystemOptions& options);

    bool ShellExecuteEx(ShellExecuteRequest& request) override { return processes_.ShellExecuteEx(request); }
    bool GetExitCodeProcess(ProcessHandle process, std::uint32_t& exitCode) override {
        return processes_.GetExitCodeProcess(process, exitCode);
    }
    bool WaitForProcess(ProcessHandle process, std::uint32_t timeoutMs) override {
        return processes_.WaitForProcess(process, timeoutMs);
    }
    void CloseProcess(ProcessHandle process) override { processes_.CloseProcess(process); }
    // Flushes the C and C++ streams, then ends the process without running any destructor.
    [[noreturn]] void ExitProcess(std::uint32_t code) override;

    MutexResult CreateMutex(const std::string& name) override { return mutexes_.CreateMutex(name); }
    void CloseMutex(MutexHandle mutex) override { mutexes_.CloseMutex(mutex); }

    std::vector<std::string> EnvironmentStrings() override;

    std::string CurrentDirectory() override { return files_.CurrentDirectory(); }
    bool SetCurrentDirectory(const std::string& path) override { return files_.SetCurrentDirectory(path); }
    std::string ModuleFileName() override;
    std::string WindowsDirectory() override { return "C:\\windows"; }
    std::string SystemDirectory() override { return "C:\\windows\\system32"; }
    std::string TempPath() override { return "C:\\windows\\temp\\"; }

    bool FileExists(const std::string& path) override { return files_.FileExists(path); }
    bool DirectoryExists(const std::string& path) override { return files_.DirectoryExists(path); }
    std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path) override {
        return files_.ReadFile(path);
    }
    bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) override {
        return files_.WriteFile(path, bytes);
    }
    bool CreateDirectory(const std::string& path) override { return files_.CreateDirectory(path); }
    bool DeleteFile(const std::string& path) override { return files_.DeleteFile(path); }
    std::vector<FoundFile> FindFiles(const std::string& pattern, std::uint32_t attributeMask) override {
        return files_.FindFiles(pattern, attributeMask);
    }

    std::optional<std::string> UserName() override { return machine_.UserName(); }
    std::optional<std::string> ComputerName() override { return machine_.ComputerName(); }
    VersionInfo Version() override { return machine_.Version(); }
    MemoryStatus GlobalMemoryStatus() override { return machine_.GlobalMemoryStatus(); }
    std::uint32_t ProcessorCount() override { return machine_.ProcessorCount(); }
    std::uint32_t ProcessorType() override { return machine_.ProcessorType(); }
    std::uint32_t ThreadLocale() override { return PosixLocale::kEnglishUs; }
    std::optional<std::string> GetLocaleInfo(std::uint32_t locale, std::uint32_t item) override {
        return locale_.Get(locale, item);
    }
    bool SetLocaleInfo(std::uint32_t locale, std::uint32_t item, const std::string& value) override {
        return locale_.Set(locale, item, value);
    }
    std::uint16_t SystemDefaultLangId() override { return PosixLocale::kEnglishUs; }
    std::string LanguageName(std::uint32_t langId) override { return PosixLocale::LanguageName(langId); }
    TimeZoneInfo TimeZone() override { return machine_.TimeZone(); }
    // There is no registry on Linux: every key fails to open.
    std::optional<std::string> ReadMachineRegistryString(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::uint16_t GlobalAddAtom(const std::string& name) override { return atoms_.Add(name); }
    void GlobalDeleteAtom(std::uint16_t atom) override { atoms_.Delete(atom); }
    // No printing layer is asked on Linux: the list is empty.
    std::vector<std::string> PrinterNames() override { return {}; }
    // The 16-bit route exists only on the 95 family.
    std::optional<std::uint16_t> FreeSystemResources16(std::uint16_t) override { return std::nullopt; }

    PathMapper& Mapper() { return mapper_; }

private:
    PathMapper mapper_;
    PosixFiles files_;
    PosixProcesses processes_;
    PosixMutexes mutexes_;
    PosixMachine machine_;
    PosixLocale locale_;
    PosixAtoms atoms_;
};

}  // namespace zindra::platform::posix
