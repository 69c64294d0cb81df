// Fuzzes the run-script parser: any text gives commands or an invalid_argument naming a line.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "platform/sim/Script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const auto commands =
            zindra::platform::sim::ParseScript(std::string_view(reinterpret_cast<const char*>(data), size));
        for (const auto& c : commands) {
            if (c.Line <= 0) __builtin_trap();
        }
    } catch (const std::invalid_argument&) {
    }
    return 0;
}
