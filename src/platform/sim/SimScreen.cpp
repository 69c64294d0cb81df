// Display-mode enumeration and switching on the simulated screen.
#include "platform/sim/SimScreen.h"

#include <cstring>

namespace zindra::platform::sim {

SimScreen::SimScreen(const SimConfig& config, Journal& journal)
    : journal_(journal), modes_(config.Modes), current_(config.Screen), stored_(config.Screen) {}

DisplayMode SimScreen::Current() const {
    std::lock_guard lock(mutex_);
    return current_;
}

DisplayMode SimScreen::Stored() const {
    std::lock_guard lock(mutex_);
    return stored_;
}

int SimScreen::GetDeviceCaps(int index) const {
    std::lock_guard lock(mutex_);
    switch (index) {
        case HORZRES:
            return current_.Width;
        case VERTRES:
            return current_.Height;
        case BITSPIXEL:
            return current_.BitsPerPixel;
        case PLANES:
            return 1;
        case VREFRESH:
            return current_.Frequency;
        case LOGPIXELSX:
        case LOGPIXELSY:
            return 96;
        default:
            return 0;
    }
}

void SimScreen::Fill(const DisplayMode& source, DevModeA& mode) {
    mode = DevModeA{};
    std::strncpy(mode.dmDeviceName, "\\\\.\\DISPLAY1", sizeof mode.dmDeviceName - 1);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
    mode.dmBitsPerPel = static_cast<std::uint32_t>(source.BitsPerPixel);
    mode.dmPelsWidth = static_cast<std::uint32_t>(source.Width);
    mode.dmPelsHeight = static_cast<std::uint32_t>(source.Height);
    mode.dmDisplayFrequency = static_cast<std::uint32_t>(source.Frequency);
}

bool SimScreen::EnumDisplaySettings(std::uint32_t modeNumber, DevModeA& mode) const {
    std::lock_guard lock(mutex_);
    if (modeNumber == ENUM_CURRENT_SETTINGS) {
        Fill(current_, mode);
        return true;
    }
    if (modeNumber >= modes_.size()) return false;
    Fill(modes_[modeNumber], mode);
    return true;
}

std::int32_t SimScreen::ChangeDisplaySettings(const DevModeA* mode, std::uint32_t flags) {
    std::unique_lock lock(mutex_);
    DisplayMode wanted = stored_;
    if (mode) {
        // Fields the record does not mark keep their current values, as the driver does.
        wanted = current_;
        if (mode->dmFields & DM_PELSWIDTH) wanted.Width = static_cast<int>(mode->dmPelsWidth);
        if (mode->dmFields & DM_PELSHEIGHT) wanted.Height = static_cast<int>(mode->dmPelsHeight);
        if (mode->dmFields & DM_BITSPERPEL) wanted.BitsPerPixel = static_cast<int>(mode->dmBitsPerPel);
        if (mode->dmFields & DM_DISPLAYFREQUENCY) wanted.Frequency = static_cast<int>(mode->dmDisplayFrequency);
        bool offered = false;
        for (const DisplayMode& m : modes_)
            offered = offered || m == wanted;
        if (!offered && !(wanted == stored_)) return DISP_CHANGE_BADMODE;
    }
    const bool store = mode != nullptr && (flags & CDS_UPDATEREGISTRY) != 0;
    current_ = wanted;
    if (store) stored_ = wanted;
    lock.unlock();
    journal_.Write("display-mode", {{"w", wanted.Width},
                                    {"h", wanted.Height},
                                    {"bpp", wanted.BitsPerPixel},
                                    {"hz", wanted.Frequency},
                                    {"stored", store}});
    return DISP_CHANGE_SUCCESSFUL;
}

}  // namespace zindra::platform::sim
