// libFuzzer target for the JPEG decoder; the first byte picks the entry point and the limits.
#include <cstddef>
#include <cstdint>
#include <span>

#include "framework/Exception.h"
#include "framework/graphics/JpegDecoder.h"

namespace {

// A decoded picture must be opaque and as large as its header says.
void CheckPicture(const zindra::Bitmap32& picture, std::span<const std::uint8_t> jpeg) {
    const zindra::JpegInfo info = zindra::ReadJpegInfo(jpeg);
    if (picture.Width() != info.Width || picture.Height() != info.Height) __builtin_trap();
    const zindra::Pixel* end = picture.Data() + static_cast<std::size_t>(picture.Width()) * picture.Height();
    for (const zindra::Pixel* p = picture.Data(); p != end; ++p) {
        if (zindra::PixelA(*p) != 255) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t options = data[0];
    const std::span<const std::uint8_t> jpeg(data + 1, size - 1);
    // Small limits keep every run fast; the option bits make each limit easy to reach.
    zindra::JpegLimits limits;
    limits.MaxPixels = (options & 2) != 0 ? 4096 : 4 * 1024 * 1024;
    limits.MaxScans = (options & 4) != 0 ? 3 : 100;
    limits.MaxDecoderMemory = (options & 8) != 0 ? 64L * 1024 : 64L * 1024 * 1024;
    try {
        if ((options & 1) != 0) {
            const zindra::JpegInfo info = zindra::ReadJpegInfo(jpeg);
            if (info.Width <= 0 || info.Height <= 0 || info.Components <= 0) __builtin_trap();
        } else {
            CheckPicture(zindra::DecodeJpeg(jpeg, limits), jpeg);
        }
    } catch (const zindra::EJPEG&) {
    }
    return 0;
}
