// Scan lines between their file form and the pixel storage: the row layout of each format,
// the Adam7 passes, unfiltering (PNG 9.2) and filtering, and the converters of each colour type
// and bit depth in both directions.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zindra {

// One format's scan-line layout (PNG 7.2).
struct PngRowLayout {
    int ColourType = 0;
    int BitDepth = 0;
    int StoredBits = 0;    // bits per pixel in the storage
    int FilterOffset = 1;  // bytes back to the same byte of the previous pixel
    int SamplesPerPixel = 1;
    // Bytes of a scan line of width pixels, without its filter byte.
    std::size_t RowBytes(std::uint32_t width) const;
    // Bytes a packed stored row of width pixels takes (no padding).
    std::size_t StoredBytes(std::uint32_t width) const { return (std::size_t{width} * StoredBits + 7) / 8; }
    bool HasAlpha() const { return ColourType == 4 || ColourType == 6; }
};

// Null when the colour type and bit depth are outside the storage table.
bool MakeRowLayout(int colourType, int bitDepth, PngRowLayout& layout);

// PNG 8.2: the seven passes, each a column and row start and increment.
struct Adam7Pass {
    std::uint32_t X0, Y0, DX, DY;
};
inline constexpr Adam7Pass kAdam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                        {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
inline std::uint32_t PassExtent(std::uint32_t size, std::uint32_t start, std::uint32_t step) {
    return static_cast<std::uint32_t>((std::uint64_t{size} + step - start - 1) / step);
}

enum PngFilter : std::uint8_t { kFilterNone = 0, kFilterSub = 1, kFilterUp = 2, kFilterAverage = 3, kFilterPaeth = 4 };

// PNG 9.2 in place: row holds the filtered bytes, prev the previous unfiltered row (zeros for a
// pass's first). Types above 4 leave the row as it is.
void UnfilterRow(std::uint8_t type, std::uint8_t* row, const std::uint8_t* prev, std::size_t length, int offset);
// The plain version the vector ones are tested against.
void UnfilterRowScalar(std::uint8_t type, std::uint8_t* row, const std::uint8_t* prev, std::size_t length, int offset);
// Writes filter type's output for row into out.
void FilterRow(std::uint8_t type, const std::uint8_t* row, const std::uint8_t* prev, std::size_t length, int offset,
               std::uint8_t* out);

// File row (unfiltered) to stored pixels: count pixels into stored (from pixel 0, sub-byte
// pixels packed from the most significant bits) and alpha (one byte each, or null).
using RowDecodeFn = void (*)(const std::uint8_t* file, std::uint32_t count, std::uint8_t* stored, std::uint8_t* alpha,
                             const std::uint8_t* gamma);
// Stored pixels back to a file row; colour samples through the inverse gamma table.
using RowEncodeFn = void (*)(const std::uint8_t* stored, const std::uint8_t* alpha, std::uint32_t count,
                             std::uint8_t* file, const std::uint8_t* inverseGamma);
RowDecodeFn RowDecoderFor(const PngRowLayout& layout, bool identityGamma);
RowEncodeFn RowEncoderFor(const PngRowLayout& layout);

// Puts count packed stored pixels at columns x0, x0 + dx, ... of a zeroed row (sub-byte
// pixels are OR-ed in), and takes them back out.
void ScatterPixels(int storedBits, const std::uint8_t* packed, std::uint32_t count, std::uint8_t* row, std::uint32_t x0,
                   std::uint32_t dx);
void GatherPixels(int storedBits, const std::uint8_t* row, std::uint32_t count, std::uint32_t x0, std::uint32_t dx,
                  std::uint8_t* packed);

}  // namespace zindra
