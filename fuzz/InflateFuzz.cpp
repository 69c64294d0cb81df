// libFuzzer target for the whole-buffer inflater, against zlib: whatever stream it takes, zlib
// takes as well and inflates to the same bytes. The first two bytes give the output's size.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "imaging/Inflate.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t outSize = std::size_t{data[0]} << 8 | data[1];
    const std::span<const std::uint8_t> in(data + 2, size - 2);
    std::vector<std::uint8_t> ours(outSize);
    if (zindra::InflateZlib(in, ours) != zindra::InflateStatus::kOk) return 0;
    std::vector<std::uint8_t> theirs(outSize + 1);
    z_stream z{};
    inflateInit(&z);
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = theirs.data();
    z.avail_out = static_cast<uInt>(theirs.size());
    const int status = inflate(&z, Z_FINISH);
    const std::size_t produced = z.total_out;
    inflateEnd(&z);
    // An empty output has no buffer to compare (and memcmp may not be given a null one).
    const bool same = outSize == 0 || std::memcmp(ours.data(), theirs.data(), outSize) == 0;
    if (status != Z_STREAM_END || produced != outSize || !same) {
        __builtin_trap();
    }
    return 0;
}
