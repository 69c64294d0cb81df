// The Windows calls that ask the machine and undo the program's changes.
#include "platform/win32/Win32Restorer.h"

#include <cstring>

#include "platform/RefreshRate.h"

namespace zindra::platform::win32 {

namespace {

bool ReadMode(DWORD which, DevModeA& mode) {
    DEVMODEA read{};
    read.dmSize = sizeof read;
    if (!EnumDisplaySettingsA(nullptr, which, &read)) return false;
    std::memcpy(static_cast<void*>(&mode), &read, sizeof mode);
    return true;
}

}  // namespace

bool Win32Restorer::CurrentMode(DevModeA& mode) {
    return ReadMode(ENUM_CURRENT_SETTINGS, mode);
}

bool Win32Restorer::StoredMode(DevModeA& mode) {
    return ReadMode(ENUM_REGISTRY_SETTINGS, mode);
}

void Win32Restorer::RestoreDisplayMode(const DevModeA& mode, bool apply, bool store) {
    DEVMODEA wanted{};
    wanted.dmSize = sizeof wanted;
    wanted.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    wanted.dmPelsWidth = mode.dmPelsWidth;
    wanted.dmPelsHeight = mode.dmPelsHeight;
    wanted.dmBitsPerPel = mode.dmBitsPerPel;
    if (!IsDefaultRefreshRate(mode.dmDisplayFrequency)) {
        wanted.dmFields |= DM_DISPLAYFREQUENCY;
        wanted.dmDisplayFrequency = mode.dmDisplayFrequency;
    }
    // NOTE: stored too: the program stored its own mode in the registry when it switched, and a
    // mode left there would come back at the next log-on.
    DWORD flags = 0;
    if (store) flags |= CDS_UPDATEREGISTRY;
    if (!apply) flags |= CDS_NORESET;
    ChangeDisplaySettingsA(&wanted, flags);
}

bool Win32Restorer::TaskBarStillHidden(WindowHandle taskBar) {
    HWND window = ToHwnd(taskBar);
    return IsWindow(window) && !IsWindowVisible(window);
}

void Win32Restorer::ShowTaskBar(WindowHandle taskBar) {
    // NOTE: asynchronous, so a dying program never waits on the shell's thread.
    ShowWindowAsync(ToHwnd(taskBar), SW_SHOW);
}

bool Win32Restorer::ButtonsStillSwapped() {
    return GetSystemMetrics(SM_SWAPBUTTON) != 0;
}

void Win32Restorer::ResetMouseButtons() {
    SystemParametersInfoA(SPI_SETMOUSEBUTTONSWAP, FALSE, nullptr, 0);
}

void ReportUndone(const char* who, const char* what, unsigned undone) {
    if (undone == 0) return;
    char changes[160];
    DescribeUndone(undone, changes, sizeof changes);
    char line[320];
    std::size_t used = 0;
    for (const char* part : {who, ": ", what, ": ", static_cast<const char*>(changes), "\n"}) {
        const std::size_t length = std::strlen(part);
        if (used + length >= sizeof line) break;
        std::memcpy(line + used, part, length);
        used += length;
    }
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    if (error && error != INVALID_HANDLE_VALUE) WriteFile(error, line, static_cast<DWORD>(used), &written, nullptr);
}

}  // namespace zindra::platform::win32
