// Memory streams.
#include "framework/Stream.h"

#include <algorithm>
#include <cstring>

#include "framework/Exception.h"

namespace zindra {

namespace {

std::size_t CopyOut(std::span<const std::uint8_t> from, std::size_t& position, void* buffer, std::size_t count) {
    const std::size_t n = std::min(count, from.size() - position);
    if (n > 0) std::memcpy(buffer, from.data() + position, n);
    position += n;
    return n;
}

}  // namespace

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
    return CopyOut(bytes_, position_, buffer, count);
}

void TMemoryStream::Write(const void* buffer, std::size_t count) {
    if (count == 0) return;
    if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
    std::memcpy(bytes_.data() + position_, buffer, count);
    position_ += count;
}

void TMemoryStream::Seek(std::uint64_t position) {
    position_ = static_cast<std::size_t>(std::min<std::uint64_t>(position, bytes_.size()));
}

std::span<const std::uint8_t> TMemoryStream::Unread() const {
    return std::span<const std::uint8_t>(bytes_).subspan(position_);
}

std::vector<std::uint8_t> TMemoryStream::TakeBytes() {
    position_ = 0;
    std::vector<std::uint8_t> out = std::move(bytes_);
    bytes_.clear();
    return out;
}

std::size_t TBytesStream::Read(void* buffer, std::size_t count) {
    return CopyOut(bytes_, position_, buffer, count);
}

void TBytesStream::Write(const void*, std::size_t) {
    throw EStreamError("Stream write error");
}

void TBytesStream::Seek(std::uint64_t position) {
    position_ = static_cast<std::size_t>(std::min<std::uint64_t>(position, bytes_.size()));
}

}  // namespace zindra
