// The simulated user settings that SystemParametersInfo and the keyboard calls read and change:
// mouse-button swap, font smoothing and the other values the kit touches, and the lock keys.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>

#include "platform/sim/Journal.h"
#include "platform/sim/SimConfig.h"

namespace zindra::platform::sim {

class SimSettings {
public:
    SimSettings(const SimConfig& config, Journal& journal);

    bool SystemParametersInfo(std::uint32_t action, std::uint32_t param, void* data, std::uint32_t winIni);
    bool MouseButtonsSwapped() const;

    std::int16_t GetKeyState(int key) const;
    void GetKeyboardState(std::uint8_t (&state)[256]) const;
    void SetKeyboardState(const std::uint8_t (&state)[256]);
    // A key press or release as keybd_event makes it: toggles the lock keys on press.
    void KeyEvent(std::uint8_t key, bool up);

private:
    std::uint32_t Value(std::uint32_t getAction, std::uint32_t fallback) const;

    mutable std::mutex mutex_;
    Journal& journal_;
    bool swapped_;
    std::map<std::uint32_t, std::uint32_t> values_;  // keyed by the GET action
    std::uint8_t keys_[256] = {};
};

}  // namespace zindra::platform::sim
