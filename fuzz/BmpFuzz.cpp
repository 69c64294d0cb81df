// libFuzzer target for the BMP decoder, as files and in the clipboard's packed form (the input
// without its first 14 bytes); whatever decodes must survive a save and a reload.
#include <cstddef>
#include <cstdint>
#include <span>

#include "framework/Exception.h"
#include "framework/graphics/BmpCodec.h"

namespace {

zindra::Bitmap32 Opaque(zindra::Bitmap32 picture) {
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x)
            picture.At(x, y) |= 0xFF000000u;
    }
    return picture;
}

// Saving at 32 bits keeps everything, alpha included; at 24 bits everything but alpha, and so does
// the clipboard's form, which leaves alpha to the reader.
void CheckRoundTrip(const zindra::Bitmap32& picture) {
    if (zindra::DecodeBmp(zindra::EncodeBmp(picture, 32)).Pixels != picture) __builtin_trap();
    const zindra::Bitmap32 opaque = Opaque(picture);
    if (zindra::DecodeBmp(zindra::EncodeBmp(picture, 24)).Pixels != opaque) __builtin_trap();
    if (zindra::DecodePackedDib(zindra::EncodePackedDib(picture, 32)).Pixels != opaque) __builtin_trap();
}

void Check(const zindra::DecodedBmp& bmp) {
    if (bmp.Pixels.Empty() || (bmp.BitsPerPixel <= 8) == bmp.Palette.empty()) __builtin_trap();
    // Large pictures cost time without reaching new code.
    if (static_cast<long>(bmp.Pixels.Width()) * bmp.Pixels.Height() <= 256 * 256) CheckRoundTrip(bmp.Pixels);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    try {
        Check(zindra::DecodeBmp(input));
    } catch (const zindra::EInvalidGraphic&) {
    }
    if (size < 14) return 0;
    try {
        Check(zindra::DecodePackedDib(input.subspan(14)));
    } catch (const zindra::EInvalidGraphic&) {
    }
    return 0;
}
