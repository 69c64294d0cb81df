// PNG encoding of pixel frames, for screenshots of the simulated desktop.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/PixelFrame.h"

namespace zindra::platform::sim {

// Encodes the view as an 8-bit, non-interlaced PNG: RGB (alpha dropped) or RGBA with straight
// alpha as stored. Each row gets the filter whose output has the least sum of absolute values,
// and the result is deflated at level 6. A 1024 by 768 desktop takes a few tens of milliseconds.
// Throws std::invalid_argument for an empty view or a stride shorter than a row, and
// std::bad_alloc if the compressor cannot get memory. Reentrant; the view is only read.
std::vector<std::uint8_t> EncodePng(const PixelView& view, bool withAlpha);

}  // namespace zindra::platform::sim
