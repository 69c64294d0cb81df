#include "platform/sim/SimClipboard.h"

#include "platform/ByteOrder.h"

namespace zindra::platform::sim {

namespace {

// The header's width and height for the journal; 0 for data too short to have them.
std::int64_t HeaderField(std::span<const std::uint8_t> dib, std::size_t at) {
    return dib.size() >= at + 4 ? static_cast<std::int32_t>(GetLe32(dib.data() + at)) : 0;
}

}  // namespace

Desktop::ClipboardResult SimClipboard::Put(std::span<const std::uint8_t> packedDib) {
    std::lock_guard lock(mutex_);
    if (held_) return Desktop::ClipboardResult::Unavailable;
    picture_.emplace(packedDib.begin(), packedDib.end());
    journal_.Write(
        "clipboard",
        {{"bytes", packedDib.size()}, {"width", HeaderField(packedDib, 4)}, {"height", HeaderField(packedDib, 8)}});
    return Desktop::ClipboardResult::Done;
}

Desktop::ClipboardResult SimClipboard::Get(std::vector<std::uint8_t>& packedDib) const {
    std::lock_guard lock(mutex_);
    if (held_) return Desktop::ClipboardResult::Unavailable;
    if (!picture_) return Desktop::ClipboardResult::NoPicture;
    packedDib = *picture_;
    return Desktop::ClipboardResult::Done;
}

void SimClipboard::SetHeldByAnotherProgram(bool held) {
    std::lock_guard lock(mutex_);
    held_ = held;
}

}  // namespace zindra::platform::sim
