// libFuzzer target for the PNG picture: loading (either decoding way), then, by the option bits
// of the first byte, saving and loading again, and drawing and taking the pixels. A load that
// succeeded must survive being saved and read back, with the same pixels when no gamma applies.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "framework/Exception.h"
#include "framework/Stream.h"
#include "framework/graphics/Canvas.h"
#include "imaging/PngGraphic.h"

namespace {

// Small limits keep every run quick; each is still easy to reach.
void Limit(zindra::TPngGraphic& png, bool rowByRow) {
    png.Limits().MaxStorageBytes = 64 << 10;
    png.Limits().MaxTextBytes = 4 << 10;
    if (rowByRow) png.Limits().MaxWholeImageBytes = 0;
}

bool SameStorage(const zindra::TChunkIHDR& a, const zindra::TChunkIHDR& b) {
    if (a.Width != b.Width || a.Height != b.Height || a.StoredBits() != b.StoredBits()) return false;
    if (std::memcmp(a.Bits(), b.Bits(), a.BytesPerRow() * a.Height) != 0) return false;
    if ((a.AlphaPlane() == nullptr) != (b.AlphaPlane() == nullptr)) return false;
    return !a.AlphaPlane() || std::memcmp(a.AlphaPlane(), b.AlphaPlane(), std::size_t{a.Width} * a.Height) == 0;
}

void Resave(zindra::TPngGraphic& png, bool rowByRow, std::uint8_t options) {
    png.SetCompressionLevel(options >> 4 & 1);  // stored or fastest: the writer's paths, cheaply
    png.SetFilters(static_cast<zindra::TFilters>(options >> 3 & 31));
    const std::vector<std::uint8_t> saved = png.SaveToBytes();
    zindra::TPngGraphic again;
    Limit(again, rowByRow);
    zindra::TBytesStream stream(saved);
    again.LoadFromStream(stream);  // any exception here is a finding
    if (!png.Chunks().ItemFromClass<zindra::TChunkgAMA>() && !SameStorage(png.Header(), again.Header())) {
        __builtin_trap();
    }
}

void Show(const zindra::TPngGraphic& png) {
    zindra::Bitmap32 target(40, 30, zindra::MakePixel(10, 20, 30));
    zindra::TCanvas canvas(target);
    try {
        png.Draw(canvas, {-3, -2, 50, 37});
        const zindra::Bitmap32 pixels = png.ToPixels();
        if (pixels.Width() != png.Width() && !pixels.Empty()) __builtin_trap();
    } catch (const zindra::Exception&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t options = data[0];
    const bool rowByRow = (options & 1) != 0;
    zindra::TPngGraphic png;
    Limit(png, rowByRow);
    bool loaded = true;
    try {
        zindra::TBytesStream stream(std::span<const std::uint8_t>(data + 1, size - 1));
        png.LoadFromStream(stream);
    } catch (const zindra::Exception&) {
        loaded = false;
    }
    if (loaded && (options & 2) != 0) Resave(png, rowByRow, options);
    // Drawing costs a pass over every pixel; small pictures reach all of its paths.
    if ((options & 4) != 0 && std::int64_t{png.Width()} * png.Height() <= 64 * 64) Show(png);
    return 0;
}
