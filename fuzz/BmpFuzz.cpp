// libFuzzer target for the BMP decoder; whatever decodes must survive a save and a reload.
#include <cstddef>
#include <cstdint>
#include <span>

#include "framework/Exception.h"
#include "framework/graphics/BmpCodec.h"

namespace {

// Saving at 32 bits keeps everything, alpha included; at 24 bits everything but alpha.
void CheckRoundTrip(const zindra::Bitmap32& picture) {
    if (zindra::DecodeBmp(zindra::EncodeBmp(picture, 32)).Pixels != picture) __builtin_trap();
    const zindra::Bitmap32 opaque = zindra::DecodeBmp(zindra::EncodeBmp(picture, 24)).Pixels;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            if (opaque.At(x, y) != (picture.At(x, y) | 0xFF000000u)) __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const zindra::DecodedBmp bmp = zindra::DecodeBmp(std::span<const std::uint8_t>(data, size));
        if (bmp.Pixels.Empty() || (bmp.BitsPerPixel <= 8) == bmp.Palette.empty()) __builtin_trap();
        // Large pictures cost time without reaching new code.
        if (static_cast<long>(bmp.Pixels.Width()) * bmp.Pixels.Height() <= 256 * 256) CheckRoundTrip(bmp.Pixels);
    } catch (const zindra::EInvalidGraphic&) {
    }
    return 0;
}
