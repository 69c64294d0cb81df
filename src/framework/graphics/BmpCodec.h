// Windows BMP pictures: decoding every common variant into the 32-bit raster, and saving.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "framework/graphics/Bitmap32.h"

namespace zindra {

struct DecodedBmp {
    Bitmap32 Pixels;
    // As stored in the file: 1, 4, 8, 16, 24 or 32.
    int BitsPerPixel = 0;
    // The colour table as read (alpha 255); empty for files without indexed colour.
    std::vector<Pixel> Palette;
};

// Accepts the core (12-byte), info (40), V2 (52), V3 (56), V4 (108) and V5 (124) headers;
// 1, 4 and 8 bits with a colour table (possibly shorter than the depth allows), RLE8 and RLE4;
// 16 bits as 5-5-5 or by bit masks; 24 and 32 bits; bottom-up and top-down rows.
// Alpha is 255 except for 32- or 16-bit files that give an alpha mask. Pixels that an RLE file
// skips take colour-table entry 0, as in a zero-filled DIB.
// Throws EInvalidGraphic("Bitmap image is not valid") for any defect, before allocating
// anything whose size the file claims but does not back with data.
DecodedBmp DecodeBmp(std::span<const std::uint8_t> data);

// Writes bottom-up, uncompressed rows with a 40-byte info header. bitsPerPixel is 24 (alpha
// dropped) or 32; a 32-bit picture with any pixel below alpha 255 is written with a V4 header
// and an alpha mask instead, so the alpha survives being read back.
// Throws EInvalidOperation for an empty picture, another depth, or one too large for the file's
// 32-bit size fields.
std::vector<std::uint8_t> EncodeBmp(const Bitmap32& image, int bitsPerPixel);

// The clipboard's form of a bitmap (a packed DIB): the file without its 14-byte file header, the
// rows following the header, its masks and its colour table. Reading accepts what DecodeBmp
// does, with the same exception.
DecodedBmp DecodePackedDib(std::span<const std::uint8_t> dib);
// A 40-byte header and bottom-up rows; at 32 bits the alpha stays in each pixel's fourth byte,
// where programs that read alpha from the clipboard look for it.
std::vector<std::uint8_t> EncodePackedDib(const Bitmap32& image, int bitsPerPixel);

}  // namespace zindra
