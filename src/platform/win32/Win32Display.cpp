// The screen of the Win32 desktop: device capabilities, metrics, display modes and their changes,
// system colours and screen fonts.
#include "platform/win32/Win32Desktop.h"

#include <algorithm>
#include <cstring>

namespace zindra::platform::win32 {

namespace {

// How long a broadcast waits for each window before it counts as hung.
constexpr UINT kBroadcastTimeoutMs = 1000;

int CALLBACK CollectFontName(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM names) {
    auto& list = *reinterpret_cast<std::vector<std::string>*>(names);
    const std::string name = font->lfFaceName;
    if (std::find(list.begin(), list.end(), name) == list.end()) list.push_back(name);
    return 1;
}

}  // namespace

int Win32Desktop::GetDeviceCaps(int index) {
    HDC screen = GetDC(nullptr);
    if (!screen) return 0;
    const int value = ::GetDeviceCaps(screen, index);
    ReleaseDC(nullptr, screen);
    return value;
}

int Win32Desktop::GetSystemMetrics(int index) {
    return ::GetSystemMetrics(index);
}

bool Win32Desktop::EnumDisplaySettings(std::uint32_t modeNumber, DevModeA& mode) {
    DEVMODEA found{};
    found.dmSize = sizeof found;
    if (!EnumDisplaySettingsA(nullptr, modeNumber, &found)) return false;
    std::memcpy(static_cast<void*>(&mode), &found, sizeof mode);
    return true;
}

// Every successful change goes into the ledger, which keeps the mode from before the first one
// until a change brings it back.
std::int32_t Win32Desktop::ChangeDisplaySettings(const DevModeA* mode, std::uint32_t flags) {
    if ((flags & CDS_TEST) == 0) guard_.BeforeChange();
    DevModeA before;
    const bool haveBefore = EnumDisplaySettings(ENUM_CURRENT_SETTINGS, before);
    LONG result;
    if (mode) {
        DEVMODEA wanted;
        std::memcpy(&wanted, mode, sizeof wanted);
        wanted.dmSize = sizeof wanted;
        wanted.dmDriverExtra = 0;  // nothing follows the record
        result = ChangeDisplaySettingsA(&wanted, flags);
    } else {
        result = ChangeDisplaySettingsA(nullptr, flags);
    }
    DevModeA now;
    if (result == DISP_CHANGE_SUCCESSFUL && (flags & CDS_TEST) == 0 && haveBefore &&
        EnumDisplaySettings(ENUM_CURRENT_SETTINGS, now)) {
        guard_.Ledger().DisplayModeChanged(before, now);
        KeepTaskBarHidden();
    }
    return result;
}

void Win32Desktop::BroadcastDisplayChange(std::uintptr_t wParam, std::intptr_t lParam) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_DISPLAYCHANGE, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                        kBroadcastTimeoutMs, &ignored);
    KeepTaskBarHidden();
}

std::uint32_t Win32Desktop::GetSysColor(int index) {
    return ::GetSysColor(index);
}

std::vector<std::string> Win32Desktop::ScreenFontNames() {
    std::vector<std::string> names;
    HDC screen = GetDC(nullptr);
    if (!screen) return names;
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;  // every face once, whatever its character sets
    EnumFontFamiliesExA(screen, &wanted, &CollectFontName, reinterpret_cast<LPARAM>(&names), 0);
    ReleaseDC(nullptr, screen);
    return names;
}

}  // namespace zindra::platform::win32
