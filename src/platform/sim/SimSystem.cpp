// Files, programs, mutexes and machine facts of one program on the simulated machine.
#include "platform/sim/SimSystem.h"

#include <algorithm>
#include <filesystem>

#include "platform/posix/CommandLine.h"
#include "platform/posix/WindowsNames.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimProcess.h"

namespace zindra::platform::sim {

namespace fs = std::filesystem;

SimSystem::SimSystem(SimProcess& process)
    : process_(process),
      machine_(process.Machine()),
      mapper_(process.Machine().CDrive()),
      files_(std::make_unique<posix::PosixFiles>(mapper_)),
      real_(std::make_unique<posix::PosixProcesses>(mapper_)) {}

SimSystem::~SimSystem() = default;

std::optional<std::string> SimSystem::ResolveProgram(const std::string& file) {
    const auto host = mapper_.ToHost(file);
    if (!host) return std::nullopt;
    std::error_code ec;
    if (fs::is_regular_file(*host, ec)) return host;
    if (fs::path(*host).has_extension()) return std::nullopt;
    // As the shell does for a program named without its extension.
    for (const char* extension : {".exe", ".com", ".bat", ".cmd"}) {
        if (const auto withExtension = mapper_.ToHost(file + extension); withExtension) {
            if (fs::is_regular_file(*withExtension, ec)) return withExtension;
        }
    }
    return std::nullopt;
}

// The machine's registration tool: succeeds (0) when every file it is given exists, as the
// real one registers each; 3 otherwise (the code the tool gives for a file it cannot load).
std::uint32_t SimSystem::RunRegistrationTool(const std::string& parameters) {
    std::uint32_t code = 0;
    int files = 0;
    for (const std::string& argument : posix::SplitCommandLine(parameters)) {
        if (!argument.empty() && (argument[0] == '/' || argument[0] == '-')) continue;
        ++files;
        if (!files_->FileExists(argument)) code = 3;
    }
    return files == 0 ? 3 : code;
}

std::uintptr_t SimSystem::StartFile(const ShellExecuteRequest& request, const std::string& host,
                                    ProcessHandle& process) {
    const std::string file = request.File ? request.File : "";
    const std::string parameters = request.Parameters ? request.Parameters : "";
    const std::string name = posix::FoldCase(fs::path(host).filename().string());
    const auto systemFolder = mapper_.ToHost(SystemDirectory());
    const auto windowsFolder = mapper_.ToHost(WindowsDirectory());
    const std::string folder = fs::path(host).parent_path().string();
    if (name == "regsvr32.exe" && systemFolder && folder == *systemFolder) {
        process = machine_.Programs().StartTool(file, parameters, RunRegistrationTool(parameters));
        return kShellSuccess;
    }
    const bool volumeControl = name == "sndvol32.exe" && ((windowsFolder && folder == *windowsFolder) ||
                                                          (systemFolder && folder == *systemFolder));
    if (machine_.Config().Programs == ProgramMode::Fake || volumeControl) {
        process = machine_.Programs().StartFake(file, parameters);
        return kShellSuccess;
    }
    ShellExecuteRequest copy = request;
    const std::string folderOfRun = request.Directory && *request.Directory ? request.Directory : CurrentDirectory();
    copy.Directory = folderOfRun.c_str();
    copy.Mask |= SEE_MASK_NOCLOSEPROCESS;
    real_->ShellExecuteEx(copy);
    if (copy.InstApp > 32 && copy.Process) {
        process = machine_.Programs().AdoptReal(file, parameters, *real_, copy.Process);
    }
    return copy.InstApp;
}

std::uintptr_t SimSystem::Start(const ShellExecuteRequest& request, ProcessHandle& process) {
    const std::string verb = request.Verb ? request.Verb : "";
    const std::string file = request.File ? request.File : "";
    if (verb == "print") return SE_ERR_NOASSOC;
    if (verb == "explore" || files_->DirectoryExists(file)) {
        // The shell opens a folder window; no process of its own comes back.
        return files_->DirectoryExists(file) ? kShellSuccess : SE_ERR_FNF;
    }
    if (!verb.empty() && verb != "open") return SE_ERR_NOASSOC;
    const auto host = ResolveProgram(file);
    if (!host) {
        const auto wanted = mapper_.ToHost(file);
        std::error_code ec;
        const bool folderThere = wanted && fs::is_directory(fs::path(*wanted).parent_path(), ec);
        return folderThere ? SE_ERR_FNF : SE_ERR_PNF;
    }
    return StartFile(request, *host, process);
}

bool SimSystem::ShellExecuteEx(ShellExecuteRequest& request) {
    ProcessHandle process = 0;
    const std::uintptr_t result = Start(request, process);
    request.InstApp = result;
    request.Process = 0;
    if (process) {
        if (request.Mask & SEE_MASK_NOCLOSEPROCESS) {
            request.Process = process;
        } else {
            machine_.Programs().Close(process);
        }
    }
    machine_.GetJournal().Write("shell-execute", {{"verb", request.Verb ? request.Verb : ""},
                                                  {"file", request.File ? request.File : ""},
                                                  {"params", request.Parameters ? request.Parameters : ""},
                                                  {"dir", request.Directory ? request.Directory : ""},
                                                  {"show", request.Show},
                                                  {"result", static_cast<std::int64_t>(result)}});
    return result > 32;
}

bool SimSystem::GetExitCodeProcess(ProcessHandle process, std::uint32_t& exitCode) {
    return machine_.Programs().GetExitCode(process, exitCode);
}

bool SimSystem::WaitForProcess(ProcessHandle process, std::uint32_t timeoutMs) {
    return machine_.Programs().Wait(process, timeoutMs);
}

void SimSystem::CloseProcess(ProcessHandle process) {
    machine_.Programs().Close(process);
}

void SimSystem::ExitProcess(std::uint32_t code) {
    process_.Exit(code);
}

MutexResult SimSystem::CreateMutex(const std::string& name) {
    return machine_.CreateMutex(name);
}
void SimSystem::CloseMutex(MutexHandle mutex) {
    machine_.CloseMutex(mutex);
}

std::vector<std::string> SimSystem::EnvironmentStrings() {
    if (!machine_.Config().Environment.empty()) return machine_.Config().Environment;
    const SimConfig& c = machine_.Config();
    return {"ALLUSERSPROFILE=C:\\Documents and Settings\\All Users",
            "COMPUTERNAME=" + c.ComputerName,
            "OS=Windows_NT",
            "PATH=C:\\WINDOWS\\system32;C:\\WINDOWS",
            "SystemRoot=C:\\WINDOWS",
            "TEMP=C:\\WINDOWS\\TEMP",
            "TMP=C:\\WINDOWS\\TEMP",
            "USERNAME=" + c.UserName,
            "windir=C:\\WINDOWS"};
}

std::string SimSystem::CurrentDirectory() {
    return mapper_.CurrentDirectory();
}

// Each program on the machine keeps its own current folder, so tests never move the host's.
bool SimSystem::SetCurrentDirectory(const std::string& path) {
    const auto host = mapper_.ToHost(path);
    std::error_code ec;
    if (!host || !fs::is_directory(*host, ec)) return false;
    return mapper_.SetCurrentDirectory(mapper_.ToWindows(*host));
}

std::string SimSystem::ModuleFileName() {
    if (!machine_.Config().ProgramFile.empty()) return machine_.Config().ProgramFile;
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return mapper_.ToWindows(ec ? std::string("/zindra") : self.string());
}

std::optional<std::vector<std::uint8_t>> SimSystem::ReadFile(const std::string& path) {
    auto bytes = files_->ReadFile(path);
    machine_.GetJournal().Write("file-read", {{"path", path}, {"ok", bytes.has_value()}});
    return bytes;
}

bool SimSystem::WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const bool ok = files_->WriteFile(path, bytes);
    machine_.GetJournal().Write("file-write", {{"path", path}, {"bytes", bytes.size()}, {"ok", ok}});
    return ok;
}

bool SimSystem::CreateDirectory(const std::string& path) {
    const bool ok = files_->CreateDirectory(path);
    machine_.GetJournal().Write("dir-create", {{"path", path}, {"ok", ok}});
    return ok;
}

bool SimSystem::DeleteFile(const std::string& path) {
    const bool ok = files_->DeleteFile(path);
    machine_.GetJournal().Write("file-delete", {{"path", path}, {"ok", ok}});
    return ok;
}

std::vector<FoundFile> SimSystem::FindFiles(const std::string& pattern, std::uint32_t attributeMask) {
    return files_->FindFiles(pattern, attributeMask);
}

std::optional<std::string> SimSystem::UserName() {
    return machine_.Config().UserName;
}
std::optional<std::string> SimSystem::ComputerName() {
    return machine_.Config().ComputerName;
}

VersionInfo SimSystem::Version() {
    return machine_.Config().Version;
}
std::uint32_t SimSystem::ProcessorCount() {
    return machine_.Config().ProcessorCount;
}
std::uint32_t SimSystem::ProcessorType() {
    return machine_.Config().ProcessorType;
}

MemoryStatus SimSystem::GlobalMemoryStatus() {
    return machine_.Config().Memory;
}

std::optional<std::string> SimSystem::GetLocaleInfo(std::uint32_t locale, std::uint32_t item) {
    const auto& missing = machine_.Config().MissingLocaleItems;
    if (std::find(missing.begin(), missing.end(), item & 0x7FFFFFFFu) != missing.end()) return std::nullopt;
    return locale_.Get(locale, item);
}

bool SimSystem::SetLocaleInfo(std::uint32_t locale, std::uint32_t item, const std::string& value) {
    const bool ok = locale_.Set(locale, item, value);
    machine_.GetJournal().Write("locale-write", {{"item", item}, {"value", value}, {"ok", ok}});
    return ok;
}

// The registration values live under the NT key on NT and under the plain one elsewhere; the
// plain key exists everywhere, the NT key only on NT.
std::optional<std::string> SimSystem::ReadMachineRegistryString(const std::string& key, const std::string& value) {
    const SimConfig& c = machine_.Config();
    if (!c.MachineKeysWritable) return std::nullopt;
    std::string folded = posix::FoldCase(key);
    if (!folded.empty() && folded.front() == '\\') folded.erase(0, 1);
    const bool nt = c.Version.PlatformId == 2;
    const std::string plain = "software\\microsoft\\windows\\currentversion";
    const std::string ntKey = "software\\microsoft\\windows nt\\currentversion";
    if (folded != plain && !(nt && folded == ntKey)) return std::nullopt;
    if (folded != (nt ? ntKey : plain)) return std::string();
    if (value == "RegisteredOwner") return c.UserName;
    if (value == "RegisteredOrganization") return std::string("Zindra School");
    return std::string();
}

std::uint16_t SimSystem::GlobalAddAtom(const std::string& name) {
    return machine_.AddAtom(name);
}
void SimSystem::GlobalDeleteAtom(std::uint16_t atom) {
    machine_.DeleteAtom(atom);
}

std::vector<std::string> SimSystem::PrinterNames() {
    return machine_.Config().Printers;
}

std::optional<std::uint16_t> SimSystem::FreeSystemResources16(std::uint16_t kind) {
    const SimConfig& c = machine_.Config();
    if (c.Version.PlatformId != 1 || kind >= c.FreeResources.size()) return std::nullopt;
    return c.FreeResources[kind];
}

}  // namespace zindra::platform::sim
