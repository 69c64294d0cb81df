// The header chunk: the image's size and format, and the pixel storage decoded pictures live
// in (a bottom-up device-independent bitmap with a 256-entry colour table, and an alpha plane).
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "imaging/PngChunks.h"

namespace zindra {

// The 40-byte Windows bitmap information header, as the storage describes itself.
struct BitmapInfoHeader {
    std::uint32_t Size = 40;
    std::int32_t Width = 0;
    std::int32_t Height = 0;  // positive: rows stored bottom-up
    std::uint16_t Planes = 1;
    std::uint16_t BitCount = 0;
    std::uint32_t Compression = 0;
    std::uint32_t SizeImage = 0;
    std::int32_t XPelsPerMeter = 0;
    std::int32_t YPelsPerMeter = 0;
    std::uint32_t ClrUsed = 0;
    std::uint32_t ClrImportant = 0;
};

struct RgbQuad {
    std::uint8_t Blue = 0, Green = 0, Red = 0, Reserved = 0;
    friend bool operator==(const RgbQuad&, const RgbQuad&) = default;
};

class TChunkIHDR;

enum PngColourType : std::uint8_t {
    kGreyscale = 0,
    kTruecolour = 2,
    kIndexed = 3,
    kGreyscaleAlpha = 4,
    kTruecolourAlpha = 6,
};

// The colour-table index of pixel x of a stored row of 1, 4 or 8 bits per pixel.
int StoredIndex(const TChunkIHDR& header, const std::uint8_t* row, std::uint32_t x);

// Bits per stored pixel for a colour type and bit depth of the storage table; 0 for others.
int StoredBitsFor(int colourType, int bitDepth);

class TChunkIHDR : public TChunk {
    using BaseChunk = TChunk;
    ZINDRA_CHUNK_CLASS(TChunkIHDR)
    ~TChunkIHDR() override;
    void Assign(const TChunk& source) override;
    bool LoadFromStream(TStream& stream, const ChunkName& name, std::uint32_t size) override;
    bool SaveToStream(TStream& stream) override;

    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    std::uint8_t BitDepth = 0;
    std::uint8_t ColourType = 0;
    std::uint8_t CompressionMethod = 0;
    std::uint8_t FilterMethod = 0;
    std::uint8_t InterlaceMethod = 0;

    // Frees any previous storage and makes a zeroed one for the fields above. Throws
    // EPngInvalidIhdr for a colour type and depth outside the storage table, EPngOutOfMemory
    // when the owner's storage limit or the memory runs out.
    void BuildStorage();
    bool HasStorage() const { return bits_ != nullptr; }

    const BitmapInfoHeader& Info() const { return info_; }
    int StoredBits() const { return info_.BitCount; }
    std::size_t BytesPerRow() const { return bytesPerRow_; }
    // Row y of the image, counted from the top (the storage holds it bottom-up).
    std::uint8_t* StoredRow(std::uint32_t y) { return bits_.get() + (Height - 1 - y) * bytesPerRow_; }
    const std::uint8_t* StoredRow(std::uint32_t y) const { return bits_.get() + (Height - 1 - y) * bytesPerRow_; }
    std::uint8_t* Bits() { return bits_.get(); }
    const std::uint8_t* Bits() const { return bits_.get(); }
    // Width x height bytes, top row first; null without an alpha plane.
    std::uint8_t* AlphaPlane() { return alpha_.get(); }
    const std::uint8_t* AlphaPlane() const { return alpha_.get(); }
    std::uint8_t* AlphaRow(std::uint32_t y) { return alpha_.get() + std::size_t{y} * Width; }
    bool HasColourTable() const { return hasColourTable_; }
    std::array<RgbQuad, 256>& ColourTable() { return colours_; }
    const std::array<RgbQuad, 256>& ColourTable() const { return colours_; }

private:
    struct FreeDeleter {
        void operator()(std::uint8_t* p) const { std::free(p); }
    };
    using Block = std::unique_ptr<std::uint8_t, FreeDeleter>;

    void FreeStorage();

    BitmapInfoHeader info_;
    std::array<RgbQuad, 256> colours_{};
    Block bits_;
    Block alpha_;
    std::size_t bytesPerRow_ = 0;
    std::uint64_t storageBytes_ = 0;  // counted against the owner's limit
    bool hasColourTable_ = false;
};

}  // namespace zindra
