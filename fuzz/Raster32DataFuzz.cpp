// libFuzzer target for the 32-bit raster's stored Data property: the first byte picks the size
// the raster has before reading; whatever is read must be written back byte for byte, and
// whatever is refused must leave the raster as it was.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "framework/Exception.h"
#include "imaging/Raster32.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    zindra::TRaster32 raster;
    raster.SetDimensions(data[0] & 7, data[0] >> 5);
    raster.FillAll(0x12345678u);
    zindra::TRaster32 before;
    before.Assign(&raster);
    const std::span<const std::uint8_t> stored(data + 1, size - 1);
    try {
        raster.ReadData(stored);
    } catch (const zindra::EReadError&) {
        // A length that does not match the size: nothing changed.
        if (!raster.SameContent(&before) || raster.Width() != before.Width()) __builtin_trap();
        return 0;
    } catch (const zindra::Exception&) {
        // Pixels that cannot be had: empty.
        if (!raster.IsEmpty()) __builtin_trap();
        return 0;
    }
    const std::vector<std::uint8_t> written = raster.WriteData();
    if (!raster.IsEmpty() && !std::equal(written.begin(), written.end(), stored.begin(), stored.end())) {
        __builtin_trap();
    }
    return 0;
}
