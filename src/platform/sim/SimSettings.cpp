// SystemParametersInfo and keyboard state on the simulated desktop.
#include "platform/sim/SimSettings.h"

#include <cstring>

#include "platform/Win32Types.h"

namespace zindra::platform::sim {

namespace {

struct SetterPair {
    std::uint32_t Get;
    std::uint32_t Set;
    const char* JournalName;  // journalled under this event name, or null
    const char* FieldName;
};

// Settings that are plain numbers or flags, by the action pair that reads and writes them.
constexpr SetterPair kPairs[] = {
    {SPI_GETBEEP, SPI_SETBEEP, "setting", "beep"},
    {SPI_GETKEYBOARDSPEED, SPI_SETKEYBOARDSPEED, "setting", "keyboard-speed"},
    {SPI_GETSCREENSAVEACTIVE, SPI_SETSCREENSAVEACTIVE, "setting", "screen-saver"},
    {SPI_GETKEYBOARDDELAY, SPI_SETKEYBOARDDELAY, "setting", "keyboard-delay"},
    {SPI_GETDRAGFULLWINDOWS, SPI_SETDRAGFULLWINDOWS, "setting", "drag-full-windows"},
    {SPI_GETFONTSMOOTHING, SPI_SETFONTSMOOTHING, "font-smoothing", "on"},
    {SPI_GETSNAPTODEFBUTTON, SPI_SETSNAPTODEFBUTTON, "setting", "snap-to-default"},
};

}  // namespace

SimSettings::SimSettings(const SimConfig& config, Journal& journal)
    : journal_(journal), swapped_(config.MouseButtonsSwapped) {
    values_[SPI_GETBEEP] = 1;
    values_[SPI_GETKEYBOARDSPEED] = 31;
    values_[SPI_GETSCREENSAVETIMEOUT] = config.ScreenSaveTimeout;
    values_[SPI_GETSCREENSAVEACTIVE] = 1;
    values_[SPI_GETKEYBOARDDELAY] = 1;
    values_[SPI_GETDRAGFULLWINDOWS] = 1;
    values_[SPI_GETFONTSMOOTHING] = config.FontSmoothing ? 1 : 0;
    values_[SPI_GETSNAPTODEFBUTTON] = 0;
    values_[SPI_GETANIMATION] = 1;
    values_[SPI_GETWINDOWSEXTENSION] = config.WindowsExtension ? 1 : 0;
}

std::uint32_t SimSettings::Value(std::uint32_t getAction, std::uint32_t fallback) const {
    const auto it = values_.find(getAction);
    return it == values_.end() ? fallback : it->second;
}

bool SimSettings::SystemParametersInfo(std::uint32_t action, std::uint32_t param, void* data, std::uint32_t winIni) {
    std::unique_lock lock(mutex_);
    if (action == SPI_SETMOUSEBUTTONSWAP) {
        swapped_ = param != 0;
        lock.unlock();
        journal_.Write("mouse-swap", {{"swapped", param != 0}, {"stored", (winIni & SPIF_UPDATEINIFILE) != 0}});
        return true;
    }
    if (action == SPI_GETANIMATION) {
        // ANIMATIONINFO: cbSize, iMinAnimate.
        if (!data) return false;
        const std::int32_t minAnimate = static_cast<std::int32_t>(Value(SPI_GETANIMATION, 0));
        std::memcpy(static_cast<char*>(data) + 4, &minAnimate, 4);
        return true;
    }
    if (action == SPI_SETANIMATION) {
        if (!data) return false;
        std::int32_t minAnimate = 0;
        std::memcpy(&minAnimate, static_cast<const char*>(data) + 4, 4);
        values_[SPI_GETANIMATION] = minAnimate != 0;
        lock.unlock();
        journal_.Write("setting",
                       {{"name", "window-animation"}, {"value", minAnimate != 0 ? 1 : 0}, {"winini", winIni}});
        return true;
    }
    if (action == SPI_GETSCREENSAVETIMEOUT || action == SPI_GETWINDOWSEXTENSION) {
        if (action == SPI_GETWINDOWSEXTENSION) return Value(action, 1) != 0;
        if (!data) return false;
        const std::uint32_t v = Value(action, 0);
        std::memcpy(data, &v, 4);
        return true;
    }
    for (const SetterPair& pair : kPairs) {
        if (action == pair.Get) {
            if (!data) return false;
            const std::uint32_t v = Value(pair.Get, 0);
            std::memcpy(data, &v, 4);
            return true;
        }
        if (action == pair.Set) {
            values_[pair.Get] = param;
            lock.unlock();
            if (std::strcmp(pair.JournalName, "setting") == 0) {
                journal_.Write("setting", {{"name", pair.FieldName}, {"value", param}, {"winini", winIni}});
            } else {
                journal_.Write(pair.JournalName, {{pair.FieldName, param != 0}, {"winini", winIni}});
            }
            return true;
        }
    }
    return false;
}

bool SimSettings::MouseButtonsSwapped() const {
    std::lock_guard lock(mutex_);
    return swapped_;
}

std::int16_t SimSettings::GetKeyState(int key) const {
    std::lock_guard lock(mutex_);
    const std::uint8_t s = keys_[key & 0xFF];
    return static_cast<std::int16_t>(((s & 0x80) ? 0x8000 : 0) | (s & 1));
}

void SimSettings::GetKeyboardState(std::uint8_t (&state)[256]) const {
    std::lock_guard lock(mutex_);
    std::memcpy(state, keys_, sizeof keys_);
}

void SimSettings::SetKeyboardState(const std::uint8_t (&state)[256]) {
    std::lock_guard lock(mutex_);
    std::memcpy(keys_, state, sizeof keys_);
}

void SimSettings::KeyEvent(std::uint8_t key, bool up) {
    std::lock_guard lock(mutex_);
    if (up) {
        keys_[key] &= static_cast<std::uint8_t>(~0x80);
    } else {
        if (!(keys_[key] & 0x80)) keys_[key] ^= 1;  // toggle state flips on a fresh press
        keys_[key] |= 0x80;
    }
}

}  // namespace zindra::platform::sim
