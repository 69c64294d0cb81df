// Hand-made PNG files for the PNG picture's tests: chunks with right (or chosen wrong) CRCs,
// image data from raw scan lines, and a stream to read them through.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Stream.h"
#include "imaging/PngGraphic.h"
#include "platform/ByteOrder.h"

namespace zindra::pngtest {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Signature() {
    return {137, 80, 78, 71, 13, 10, 26, 10};
}

// One chunk; crcDelta != 0 spoils its CRC.
inline Bytes Chunk(const std::string& name, const Bytes& data, std::uint32_t crcDelta = 0) {
    Bytes out;
    platform::PutBe32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), name.begin(), name.end());
    out.insert(out.end(), data.begin(), data.end());
    const auto crc = static_cast<std::uint32_t>(crc32(0, out.data() + 4, static_cast<uInt>(out.size() - 4)));
    platform::PutBe32(out, crc + crcDelta);
    return out;
}

inline Bytes Ihdr(std::uint32_t width, std::uint32_t height, int depth, int colourType, int interlace = 0,
                  int compression = 0) {
    Bytes d;
    platform::PutBe32(d, width);
    platform::PutBe32(d, height);
    d.insert(d.end(), {static_cast<std::uint8_t>(depth), static_cast<std::uint8_t>(colourType),
                       static_cast<std::uint8_t>(compression), 0, static_cast<std::uint8_t>(interlace)});
    return Chunk("IHDR", d);
}

inline Bytes Deflate(const Bytes& raw, int level = 6) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), level);
    out.resize(size);
    return out;
}

inline Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// A whole file: signature, IHDR, the extra chunks, one IDAT of the raw rows (filter bytes
// included), IEND.
inline Bytes File(const Bytes& ihdr, const Bytes& rawRows, const Bytes& extra = {}) {
    return Join({Signature(), ihdr, extra, Chunk("IDAT", Deflate(rawRows)), Chunk("IEND", {})});
}

// Reads bytes into png; the limits may force the row-by-row decoder.
inline void Load(TPngGraphic& png, const Bytes& file, bool rowByRow = false) {
    if (rowByRow) png.Limits().MaxWholeImageBytes = 0;
    TBytesStream stream(file);
    png.LoadFromStream(stream);
}

}  // namespace zindra::pngtest
