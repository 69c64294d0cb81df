// The hot loops of PNG decoding in a plain version and vector versions, chosen once by the
// processor's features (or forced to the plain set by tests and, as all pixel code, by
// ZINDRA_SCALAR=1).
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/PngRows.h"

namespace zindra {

struct PngKernels {
    const char* Name;
    void (*Unfilter)(std::uint8_t type, std::uint8_t* row, const std::uint8_t* prev, std::size_t length, int offset);
    // Two consecutive Paeth rows (second right after first, both filtered), the row above them
    // unfiltered: the same as unfiltering first and then second.
    void (*UnfilterPaethPair)(std::uint8_t* first, std::uint8_t* second, const std::uint8_t* prev, std::size_t length,
                              int offset);
    // Four consecutive Paeth rows, each stride bytes after the one before (all filtered), the row
    // above the first unfiltered: the same as unfiltering them in order.
    void (*UnfilterPaethQuad)(std::uint8_t* first, std::size_t stride, const std::uint8_t* prev, std::size_t length,
                              int offset);
    // 8-bit truecolour rows with an identity gamma table (the table argument is unused).
    RowDecodeFn Rgb8ToBgr;
    RowDecodeFn Rgba8ToBgrAlpha;
    // zlib's Adler-32 continued over bytes.
    std::uint32_t (*Adler32)(std::uint32_t adler, const std::uint8_t* bytes, std::size_t length);
    // The CRC-32 of PNG chunks (and zlib's crc32) continued over bytes.
    std::uint32_t (*Crc32)(std::uint32_t crc, const std::uint8_t* bytes, std::size_t length);
};

const PngKernels& ScalarKernels();
// The vector set this processor runs, or null when it has none.
const PngKernels* VectorKernels();
const PngKernels& ActiveKernels();
// Tests pick a set; null goes back to the start-up choice.
void UseKernels(const PngKernels* kernels);

std::uint32_t Adler32Scalar(std::uint32_t adler, const std::uint8_t* bytes, std::size_t length);
std::uint32_t Crc32Scalar(std::uint32_t crc, const std::uint8_t* bytes, std::size_t length);

}  // namespace zindra
