// The simulated screen: its display mode, the modes the driver offers, and the mode stored in
// the registry. Changes are journalled.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/Win32Types.h"
#include "platform/sim/Journal.h"
#include "platform/sim/SimConfig.h"

namespace zindra::platform::sim {

class SimScreen {
public:
    SimScreen(const SimConfig& config, Journal& journal);

    DisplayMode Current() const;
    DisplayMode Stored() const;
    int GetDeviceCaps(int index) const;
    bool EnumDisplaySettings(std::uint32_t modeNumber, DevModeA& mode) const;
    // As ChangeDisplaySettingsA: null restores the stored mode.
    std::int32_t ChangeDisplaySettings(const DevModeA* mode, std::uint32_t flags);

private:
    static void Fill(const DisplayMode& source, DevModeA& mode);

    mutable std::mutex mutex_;
    Journal& journal_;
    std::vector<DisplayMode> modes_;
    DisplayMode current_;
    DisplayMode stored_;
};

}  // namespace zindra::platform::sim
