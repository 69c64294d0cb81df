// The header chunk: its fields, and the pixel storage it builds for them.
#include "imaging/PngHeader.h"

#include <cstring>

#include "framework/Stream.h"
#include "imaging/PngErrors.h"
#include "imaging/PngGraphic.h"
#include "imaging/PngRows.h"
#include "platform/ByteOrder.h"

namespace zindra {

using platform::GetBe32;
using platform::PutBe32;

int StoredBitsFor(int colourType, int bitDepth) {
    PngRowLayout layout;
    return MakeRowLayout(colourType, bitDepth, layout) ? layout.StoredBits : 0;
}

int StoredIndex(const TChunkIHDR& header, const std::uint8_t* row, std::uint32_t x) {
    switch (header.StoredBits()) {
        case 8:
            return row[x];
        case 4:
            return (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 15;
        default:
            return (row[x / 8] >> (7 - x % 8)) & 1;
    }
}

TChunkIHDR::~TChunkIHDR() {
    FreeStorage();
}

void TChunkIHDR::FreeStorage() {
    bits_.reset();
    alpha_.reset();
    if (storageBytes_ != 0) Owner().ReleaseStorage(storageBytes_);
    storageBytes_ = 0;
    bytesPerRow_ = 0;
    info_ = {};
}

void TChunkIHDR::BuildStorage() {
    FreeStorage();
    PngRowLayout layout;
    if (!MakeRowLayout(ColourType, BitDepth, layout)) throw EPngInvalidIhdr(pngtext::kInvalidIhdr);
    info_.Width = static_cast<std::int32_t>(Width);
    info_.Height = static_cast<std::int32_t>(Height);
    info_.BitCount = static_cast<std::uint16_t>(layout.StoredBits);
    hasColourTable_ = ColourType == kGreyscale || ColourType == kIndexed || ColourType == kGreyscaleAlpha;
    colours_.fill({});
    // Width and height are at most 65535, so none of this can overflow 64 bits.
    bytesPerRow_ = (static_cast<std::size_t>(layout.StoredBits) * Width + 31) / 32 * 4;
    const std::uint64_t bitsBytes = std::uint64_t{bytesPerRow_} * Height;
    const std::uint64_t alphaBytes = layout.HasAlpha() ? std::uint64_t{Width} * Height : 0;
    Owner().ReserveStorage(bitsBytes + alphaBytes);
    storageBytes_ = bitsBytes + alphaBytes;
    // calloc: large blocks come as fresh zero pages, so an image the file never fills costs nothing.
    bits_.reset(static_cast<std::uint8_t*>(std::calloc(bitsBytes == 0 ? 1 : bitsBytes, 1)));
    if (alphaBytes != 0) alpha_.reset(static_cast<std::uint8_t*>(std::calloc(alphaBytes, 1)));
    if (!bits_ || (alphaBytes != 0 && !alpha_)) {
        FreeStorage();
        throw EPngOutOfMemory(pngtext::kOutOfMemory);
    }
    Owner().DropPalette();
}

void TChunkIHDR::Assign(const TChunk& source) {
    const auto* other = dynamic_cast<const TChunkIHDR*>(&source);
    if (!other) throw EPngError(pngtext::kIncompatibleChunks);
    Width = other->Width;
    Height = other->Height;
    BitDepth = other->BitDepth;
    ColourType = other->ColourType;
    CompressionMethod = other->CompressionMethod;
    FilterMethod = other->FilterMethod;
    InterlaceMethod = other->InterlaceMethod;
    if (!other->bits_) {
        FreeStorage();
        return;
    }
    BuildStorage();
    std::memcpy(bits_.get(), other->bits_.get(), bytesPerRow_ * Height);
    if (alpha_ && other->alpha_) std::memcpy(alpha_.get(), other->alpha_.get(), std::size_t{Width} * Height);
    colours_ = other->colours_;
}

bool TChunkIHDR::LoadFromStream(TStream& stream, const ChunkName& name, std::uint32_t size) {
    LoadData(stream, name, size);
    if (size < 13) throw EPngInvalidIhdr(pngtext::kInvalidIhdr);
    const std::uint8_t* d = Data().data();
    Width = GetBe32(d);
    Height = GetBe32(d + 4);
    if (Width > 65535 || Height > 65535) throw EPngSizeExceeds(pngtext::kSizeExceeds);
    BitDepth = d[8];
    ColourType = d[9];
    CompressionMethod = d[10];
    FilterMethod = d[11];
    InterlaceMethod = d[12];
    if (CompressionMethod != 0) throw EPngUnknownCompression(pngtext::kUnknownCompression);
    if (InterlaceMethod > 1) throw EPngUnknownInterlace(pngtext::kUnknownInterlace);
    Owner().SetInterlaceMethod(InterlaceMethod);
    BuildStorage();
    return true;
}

bool TChunkIHDR::SaveToStream(TStream& stream) {
    if (BitDepth == 2) BitDepth = 4;  // the storage holds such pictures at 4 bits
    InterlaceMethod = Owner().InterlaceMethod();
    std::vector<std::uint8_t> data;
    PutBe32(data, Width);
    PutBe32(data, Height);
    data.insert(data.end(), {BitDepth, ColourType, CompressionMethod, FilterMethod, InterlaceMethod});
    SetData(std::move(data));
    WriteFramed(stream);
    return true;
}

}  // namespace zindra
