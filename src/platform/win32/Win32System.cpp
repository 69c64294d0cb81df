// Processes, mutexes, the environment and folders of a Windows program.
#include "platform/win32/Win32System.h"

#include <cstdio>

namespace zindra::platform::win32 {

namespace {

// Empty strings mean "not given" to the shell; an empty folder would be taken as a folder name.
const char* OrNull(const char* text) {
    return text && *text ? text : nullptr;
}

// A folder from a call that takes a buffer and returns the length it needs.
template <typename Call>
std::string FolderFrom(Call call) {
    std::string folder(MAX_PATH, '\0');
    DWORD length = call(folder.data(), static_cast<DWORD>(folder.size()));
    if (length >= folder.size()) {
        folder.resize(length + 1);
        length = call(folder.data(), static_cast<DWORD>(folder.size()));
    }
    folder.resize(length < folder.size() ? length : 0);
    return folder;
}

}  // namespace

// The mask goes to the shell as given: without SEE_MASK_FLAG_NO_UI the shell tells the user
// itself about a start it cannot make, as the kit expects of it.
bool Win32System::ShellExecuteEx(ShellExecuteRequest& request) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = request.Mask;
    info.hwnd = ToHwnd(request.Owner);
    info.lpVerb = OrNull(request.Verb);
    info.lpFile = request.File;
    info.lpParameters = OrNull(request.Parameters);
    info.lpDirectory = OrNull(request.Directory);
    info.nShow = request.Show;
    const bool started = ShellExecuteExA(&info) != FALSE;
    request.InstApp = reinterpret_cast<std::uintptr_t>(info.hInstApp);
    request.Process = (request.Mask & SEE_MASK_NOCLOSEPROCESS) ? reinterpret_cast<ProcessHandle>(info.hProcess) : 0;
    return started;
}

bool Win32System::GetExitCodeProcess(ProcessHandle process, std::uint32_t& exitCode) {
    DWORD code = 0;
    if (!process || !::GetExitCodeProcess(reinterpret_cast<HANDLE>(process), &code)) return false;
    exitCode = code;
    return true;
}

bool Win32System::WaitForProcess(ProcessHandle process, std::uint32_t timeoutMs) {
    return process && WaitForSingleObject(reinterpret_cast<HANDLE>(process), timeoutMs) == WAIT_OBJECT_0;
}

void Win32System::CloseProcess(ProcessHandle process) {
    if (process) CloseHandle(reinterpret_cast<HANDLE>(process));
}

void Win32System::ExitProcess(std::uint32_t code) {
    guard_.UndoNow();
    std::fflush(nullptr);
    ::ExitProcess(code);
}

MutexResult Win32System::CreateMutex(const std::string& name) {
    MutexResult result;
    HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
    result.AlreadyExisted = GetLastError() == ERROR_ALREADY_EXISTS;
    result.Handle = reinterpret_cast<MutexHandle>(mutex);
    return result;
}

void Win32System::CloseMutex(MutexHandle mutex) {
    if (mutex) CloseHandle(reinterpret_cast<HANDLE>(mutex));
}

std::vector<std::string> Win32System::EnvironmentStrings() {
    std::vector<std::string> entries;
    char* block = GetEnvironmentStringsA();
    if (!block) return entries;
    for (const char* entry = block; *entry; entry += entries.back().size() + 1)
        entries.emplace_back(entry);
    FreeEnvironmentStringsA(block);
    return entries;
}

std::string Win32System::CurrentDirectory() {
    return FolderFrom([](char* buffer, DWORD size) { return GetCurrentDirectoryA(size, buffer); });
}

bool Win32System::SetCurrentDirectory(const std::string& path) {
    return SetCurrentDirectoryA(path.c_str()) != FALSE;
}

std::string Win32System::ModuleFileName() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);  // cut short: try a larger buffer
    }
}

std::string Win32System::WindowsDirectory() {
    return FolderFrom([](char* buffer, DWORD size) { return GetWindowsDirectoryA(buffer, size); });
}

std::string Win32System::SystemDirectory() {
    return FolderFrom([](char* buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); });
}

std::string Win32System::TempPath() {
    return FolderFrom([](char* buffer, DWORD size) { return GetTempPathA(size, buffer); });
}

}  // namespace zindra::platform::win32
