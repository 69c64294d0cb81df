// The PNG picture: reads every PNG colour type and depth into a device-independent bitmap with
// an optional alpha plane, keeps the file's chunks in order, draws with its transparency, and
// writes itself back with a choice of filters, compression level and interlacing.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "framework/graphics/BitmapGraphic.h"
#include "framework/graphics/Graphic.h"
#include "imaging/PngChunkList.h"
#include "imaging/PngHeader.h"

namespace zindra {

class TStream;

// The PNG filter types as a set for writing (PNG 9.2).
enum TFilter : std::uint8_t {
    pfNone = 1,
    pfSub = 2,
    pfUp = 4,
    pfAverage = 8,
    pfPaeth = 16,
};
using TFilters = std::uint8_t;

enum class TPngTransparencyMode : std::uint8_t { ptmNone, ptmBit, ptmPartial };

// What a file may make the picture spend; the defaults admit any picture the kit has a use
// for, and the fuzz targets lower them.
struct PngLimits {
    // Pixel storage and alpha planes of all header chunks of one picture, in bytes.
    std::uint64_t MaxStorageBytes = std::uint64_t{1} << 30;
    // Inflated text of one zTXt chunk; a longer text counts as a failed inflation.
    std::size_t MaxTextBytes = std::size_t{8} << 20;
    // Image data up to this many inflated bytes is decoded in one piece (the fast way); more is
    // decoded row by row.
    std::uint64_t MaxWholeImageBytes = std::uint64_t{256} << 20;
};

// A logical palette as GDI takes it: version 0x300 and 256 entries.
struct TPngLogicalPalette {
    struct Entry {
        std::uint8_t Red = 0, Green = 0, Blue = 0, Flags = 0;
    };
    std::uint16_t Version = 0x300;
    std::uint16_t NumEntries = 256;
    std::array<Entry, 256> Entries{};
};

class TPngGraphic : public TGraphic {
public:
    TPngGraphic();
    TPngGraphic(const TPngGraphic& source);
    TPngGraphic& operator=(const TPngGraphic& source);
    ~TPngGraphic() override;

    // ---- the framework's graphic ----
    int Width() const override;
    int Height() const override;
    // Throws EPngError: the size follows the image.
    void SetWidth(int width);
    void SetHeight(int height);
    bool Empty() const override { return chunks_.Count() == 0; }
    bool Transparent() const override { return TransparencyMode() != TPngTransparencyMode::ptmNone; }
    void Draw(TCanvas& canvas, const Rect& dest) const override;
    // LoadFromStream over bytes; on failure the picture keeps what it held before.
    void LoadFromBytes(std::span<const std::uint8_t> bytes) override;
    std::unique_ptr<TGraphic> Clone() const override;
    // Opaque pixels, or straight alpha from the alpha plane or the tRNS chunk. Throws
    // EInvalidGraphic for a picture larger than a 32-bit raster takes.
    Bitmap32 ToPixels() const override;
    bool AssignTo(TGraphic& destination) const override;
    // The stored colours, opaque (what a device-dependent copy of the storage shows).
    Bitmap32 OpaquePixels() const;

    // ---- reading and writing ----
    // Clears, then reads a whole PNG stream. On an exception the chunks read so far stay.
    void LoadFromStream(TStream& stream);
    // The signature, then every chunk in list order.
    void SaveToStream(TStream& stream);
    std::vector<std::uint8_t> SaveToBytes();

    // ---- copying ----
    void Assign(const TPngGraphic& source);
    // From another PNG picture or a bitmap; any other kind throws EConvertError.
    void Assign(const TGraphic& source);
    // Builds the picture from a bitmap: indexed below 16 bits per pixel, else 8-bit truecolour;
    // a transparent bitmap's key colour becomes a tRNS chunk.
    void AssignBitmap(const TBitmap& bitmap);
    // The bitmap gets the stored colours (no per-pixel alpha) and, for a single transparent
    // colour, that colour as its key. Throws EPngHeaderNotPresent without a header.
    void AssignToBitmap(TBitmap& bitmap) const;
    // A new picture of the given format, zeroed, with IHDR, IDAT and IEND (PLTE too for indexed).
    void CreateBlank(int colourType, int bitDepth, std::uint32_t width, std::uint32_t height);

    // ---- the clipboard's picture ----
    // What goes there is the picture drawn on a bitmap of its size (TGraphic's way); what comes
    // back builds the picture as AssignBitmap does, without transparency.
    void LoadFromClipboardBitmap(const TBitmap& bitmap) override;

    // ---- contents ----
    TPngChunkList& Chunks() { return chunks_; }
    const TPngChunkList& Chunks() const { return chunks_; }
    // Item 0 as the header; throws EPngHeaderNotPresent.
    TChunkIHDR& Header();
    const TChunkIHDR& Header() const;
    const TChunkIHDR* HeaderOrNull() const;
    TPngTransparencyMode TransparencyMode() const;
    TColor TransparentColor() const;
    // Built once for greyscale and indexed pictures; null for others.
    const TPngLogicalPalette* GetPalette() const;
    void DropPalette() { palette_.reset(); }

    std::array<std::uint8_t, 256>& GammaTable() { return gamma_; }
    const std::array<std::uint8_t, 256>& GammaTable() const { return gamma_; }
    std::array<std::uint8_t, 256>& InverseGamma() { return inverseGamma_; }
    const std::array<std::uint8_t, 256>& InverseGamma() const { return inverseGamma_; }
    void ResetGamma();

    TFilters Filters() const { return filters_; }
    void SetFilters(TFilters filters) { filters_ = filters; }
    std::uint8_t CompressionLevel() const { return compressionLevel_; }
    void SetCompressionLevel(std::uint8_t level) { compressionLevel_ = level > 9 ? 9 : level; }
    std::uint32_t MaxIdatSize() const { return maxIdatSize_; }
    void SetMaxIdatSize(std::uint32_t size) { maxIdatSize_ = size < 65535 ? 65535 : size; }
    std::uint8_t InterlaceMethod() const { return interlaceMethod_; }
    void SetInterlaceMethod(std::uint8_t method) { interlaceMethod_ = method; }

    PngLimits& Limits() { return limits_; }
    const PngLimits& Limits() const { return limits_; }
    static PngLimits& DefaultLimits();
    // Storage accounting of the header chunks; throws EPngOutOfMemory past the limit.
    void ReserveStorage(std::uint64_t bytes);
    void ReleaseStorage(std::uint64_t bytes) { storageInUse_ -= bytes; }

    void Clear();

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    void ReadChunks(TStream& stream);
    void DrawOpaque(TCanvas& canvas, const Rect& dest) const;
    void DrawKeyed(TCanvas& canvas, const Rect& dest) const;
    void DrawBlended(TCanvas& canvas, const Rect& dest) const;

    TPngChunkList chunks_;
    std::array<std::uint8_t, 256> gamma_{};
    std::array<std::uint8_t, 256> inverseGamma_{};
    mutable std::unique_ptr<TPngLogicalPalette> palette_;
    TFilters filters_ = pfSub;
    std::uint8_t compressionLevel_ = 7;
    std::uint32_t maxIdatSize_ = 65535;
    std::uint8_t interlaceMethod_ = 0;
    PngLimits limits_;
    std::uint64_t storageInUse_ = 0;
};

// Makes "PNG" files and layout pictures stored as TPngGraphic load as this class.
void RegisterPngGraphic();

}  // namespace zindra
