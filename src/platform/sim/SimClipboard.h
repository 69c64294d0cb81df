// The simulated machine's clipboard: one picture for every program on the machine, and a way for
// a test to play another program that holds the clipboard open.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "platform/Desktop.h"
#include "platform/sim/Journal.h"

namespace zindra::platform::sim {

class SimClipboard {
public:
    explicit SimClipboard(Journal& journal) : journal_(journal) {}

    Desktop::ClipboardResult Put(std::span<const std::uint8_t> packedDib);
    Desktop::ClipboardResult Get(std::vector<std::uint8_t>& packedDib) const;
    // While held, every Put and Get finds the clipboard busy.
    void SetHeldByAnotherProgram(bool held);

private:
    Journal& journal_;
    mutable std::mutex mutex_;
    std::optional<std::vector<std::uint8_t>> picture_;
    bool held_ = false;
};

}  // namespace zindra::platform::sim
