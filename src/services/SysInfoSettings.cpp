// The system-information component's settings: the Boolean family with the lock keys, the
// keyboard rates and the locale items of the thread's locale.
#include <optional>
#include <string>

#include "platform/Platform.h"
#include "services/SysInfo.h"

namespace zindra {

namespace {

// fWinIni of every write: update the user's profile and broadcast the change.
constexpr std::uint32_t kWinIni = platform::SPIF_UPDATEINIFILE | platform::SPIF_SENDCHANGE;

constexpr std::uint8_t kLockScanCode = 69;
constexpr std::uint32_t kExtendedKey = 1;  // KEYEVENTF_EXTENDEDKEY
constexpr std::uint32_t kKeyUp = 2;        // KEYEVENTF_KEYUP

constexpr std::uint8_t kLockKeys[3] = {platform::VK_NUMLOCK, platform::VK_CAPITAL, platform::VK_SCROLL};

// LOCALE_ items in property order.
constexpr std::uint32_t kLocaleItems[28] = {
    0x1009, 0x19, 0x1B, 0x11, 0x100C, 0x100D, 0x12, 0x0D, 0x1C, 0x1010, 0x23, 0x28, 0x29, 0x14,
    0x1D,   0x0E, 0x10, 0x0C, 0x20,   0x16,   0x18, 0x17, 0x51, 0x50,   0x1F, 0x0F, 0x1E, 0x1003,
};

constexpr const char* kNoLocaleItem = "Hallo";

// ANIMATIONINFO: cbSize, iMinAnimate.
struct AnimationInfo {
    std::uint32_t Size = 8;
    std::int32_t MinAnimate = 0;
};
static_assert(sizeof(AnimationInfo) == 8);

bool QueryFlag(platform::Desktop& desktop, std::uint32_t action) {
    std::int32_t value = 0;  // a BOOL; stays 0 when the call fails
    desktop.SystemParametersInfo(action, 0, &value, 0);
    return value != 0;
}

bool LockState(platform::Desktop& desktop, std::uint8_t key) {
    return (desktop.GetKeyState(key) & 1) != 0;
}

void SetLockKey(platform::Desktop& desktop, bool nt, std::uint8_t key, bool on) {
    if (LockState(desktop, key) == on) return;
    if (nt) {
        desktop.KeybdEvent(key, kLockScanCode, kExtendedKey);
        desktop.KeybdEvent(key, kLockScanCode, kExtendedKey | kKeyUp);
        return;
    }
    std::uint8_t state[256] = {};
    // NOTE: a state that could not be read is not written back, or every other key would be cleared.
    if (!desktop.GetKeyboardState(state)) return;
    state[key] = on ? 1 : 0;
    desktop.SetKeyboardState(state);
}

}  // namespace

bool TZkSysInfo::GetBoolProp(int index) const {
    platform::Platform* p = PlatformOrNull();
    if (!p) return false;
    const PlatformFlags flags = FlagsOf(*p);
    platform::Desktop& desktop = p->GetDesktop();
    switch (index) {
        case 0:
        case 1:
        case 2:
            return LockState(desktop, kLockKeys[index]);
        case 3: {
            AnimationInfo info;
            desktop.SystemParametersInfo(platform::SPI_GETANIMATION, sizeof info, &info, 0);
            return info.MinAnimate != 0;
        }
        case 4:
            return QueryFlag(desktop, platform::SPI_GETBEEP);
        case 5:
            return QueryFlag(desktop, platform::SPI_GETSCREENSAVEACTIVE);
        case 6:
            return flags.Plus && QueryFlag(desktop, platform::SPI_GETFONTSMOOTHING);
        case 7:
            return flags.Plus && QueryFlag(desktop, platform::SPI_GETDRAGFULLWINDOWS);
        case 8:
            return flags.Nt && QueryFlag(desktop, platform::SPI_GETSNAPTODEFBUTTON);
        case 9:
            return flags.Plus;
        default:
            return false;
    }
}

void TZkSysInfo::SetBoolProp(int index, bool value) {
    platform::Platform* p = PlatformOrNull();
    if (!p) return;
    const PlatformFlags flags = FlagsOf(*p);
    platform::Desktop& desktop = p->GetDesktop();
    const std::uint32_t param = value ? 1 : 0;
    switch (index) {
        case 0:
        case 1:
        case 2:
            SetLockKey(desktop, flags.Nt, kLockKeys[index], value);
            break;
        case 3: {
            AnimationInfo info;
            info.MinAnimate = value ? 1 : 0;
            desktop.SystemParametersInfo(platform::SPI_SETANIMATION, sizeof info, &info, kWinIni);
            break;
        }
        case 4:
            desktop.SystemParametersInfo(platform::SPI_SETBEEP, param, nullptr, kWinIni);
            break;
        case 5:
            desktop.SystemParametersInfo(platform::SPI_SETSCREENSAVEACTIVE, param, nullptr, kWinIni);
            break;
        case 6:
            if (flags.Plus) desktop.SystemParametersInfo(platform::SPI_SETFONTSMOOTHING, param, nullptr, kWinIni);
            break;
        case 7:
            if (flags.Plus) desktop.SystemParametersInfo(platform::SPI_SETDRAGFULLWINDOWS, param, nullptr, kWinIni);
            break;
        case 8:
            if (flags.Nt) desktop.SystemParametersInfo(platform::SPI_SETSNAPTODEFBUTTON, param, nullptr, kWinIni);
            break;
        default:
            break;  // PlusAvailable is read-only
    }
}

std::int32_t TZkSysInfo::GetSystemParameter(std::uint32_t action) const {
    platform::Platform* p = PlatformOrNull();
    std::int32_t value = 0;
    if (p) p->GetDesktop().SystemParametersInfo(action, 0, &value, 0);
    return value;
}

void TZkSysInfo::SetSystemParameter(std::uint32_t action, std::uint32_t value) {
    if (platform::Platform* p = PlatformOrNull()) p->GetDesktop().SystemParametersInfo(action, value, nullptr, kWinIni);
}

std::int32_t TZkSysInfo::KeyboardDelay() const {
    return GetSystemParameter(platform::SPI_GETKEYBOARDDELAY);
}

void TZkSysInfo::SetKeyboardDelay(std::int32_t value) {
    SetSystemParameter(platform::SPI_SETKEYBOARDDELAY, static_cast<std::uint32_t>(value));
}

std::int32_t TZkSysInfo::KeyboardSpeed() const {
    return GetSystemParameter(platform::SPI_GETKEYBOARDSPEED);
}

void TZkSysInfo::SetKeyboardSpeed(std::int32_t value) {
    SetSystemParameter(platform::SPI_SETKEYBOARDSPEED, static_cast<std::uint32_t>(value));
}

std::string TZkSysInfo::GetLocaleProp(int index) const {
    platform::Platform* p = PlatformOrNull();
    if (!p || index < 0 || index >= 28) return kNoLocaleItem;
    platform::System& system = p->GetSystem();
    const std::optional<std::string> text = system.GetLocaleInfo(system.ThreadLocale(), kLocaleItems[index]);
    return text ? *text : kNoLocaleItem;
}

// NOTE: a text longer than the buffer is refused rather than cut: a cut locale item (a date
// format, say) would be a wrong setting for the whole desktop, where refusing leaves it as it was.
void TZkSysInfo::SetLocaleProp(int index, const std::string& value) {
    platform::Platform* p = PlatformOrNull();
    if (!p || index < 0 || index >= 28) return;
    // The buffer carries the text up to its first NUL, as the call would read it.
    const std::string text = value.substr(0, value.find('\0'));
    if (text.size() > kLocaleBufferLength) return;
    platform::System& system = p->GetSystem();
    system.SetLocaleInfo(system.ThreadLocale(), kLocaleItems[index], text);
}

}  // namespace zindra
