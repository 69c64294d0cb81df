// Byte streams the picture classes read from and write to: an abstract stream with a position,
// a growable memory stream, and a read-only view over bytes someone else owns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zindra {

class TStream {
public:
    virtual ~TStream() = default;
    // Reads up to count bytes; returns how many were read (0 at the end).
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    // Writes all count bytes or throws EStreamError.
    virtual void Write(const void* buffer, std::size_t count) = 0;
    virtual std::uint64_t Position() const = 0;
    // Moves to position, clamped to the size.
    virtual void Seek(std::uint64_t position) = 0;
    virtual std::uint64_t Size() const = 0;
    std::uint64_t Remaining() const { return Size() - Position(); }
    // The unread bytes when the stream holds them in memory (readers may then skip a copy; the
    // view lasts until the stream changes); empty otherwise.
    virtual std::span<const std::uint8_t> Unread() const { return {}; }
};

// Owns its bytes; writing at the end grows it.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::size_t Read(void* buffer, std::size_t count) override;
    void Write(const void* buffer, std::size_t count) override;
    std::uint64_t Position() const override { return position_; }
    void Seek(std::uint64_t position) override;
    std::uint64_t Size() const override { return bytes_.size(); }
    std::span<const std::uint8_t> Unread() const override;

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::vector<std::uint8_t> TakeBytes();

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// Reads bytes the caller keeps alive; writing throws EStreamError.
class TBytesStream : public TStream {
public:
    explicit TBytesStream(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Read(void* buffer, std::size_t count) override;
    void Write(const void* buffer, std::size_t count) override;
    std::uint64_t Position() const override { return position_; }
    void Seek(std::uint64_t position) override;
    std::uint64_t Size() const override { return bytes_.size(); }
    std::span<const std::uint8_t> Unread() const override { return bytes_.subspan(position_); }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

}  // namespace zindra
