// The display modes a simulated machine offers unless told otherwise.
#include "platform/sim/SimConfig.h"

#include <utility>

namespace zindra::platform::sim {

std::vector<DisplayMode> DefaultDisplayModes() {
    std::vector<DisplayMode> modes;
    for (const int bits : {16, 32}) {
        for (const auto& [w, h] : {std::pair{640, 480}, std::pair{800, 600}, std::pair{1024, 768}}) {
            modes.push_back({w, h, bits, 60});
        }
    }
    return modes;
}

}  // namespace zindra::platform::sim
