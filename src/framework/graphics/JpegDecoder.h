// JPEG pictures decoded into the kit's 32-bit raster, with limits that hold against hostile files.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "framework/graphics/Bitmap32.h"

namespace zindra {

struct JpegInfo {
    int Width;
    int Height;
    // Colour components in the file: 1 grey, 3 YCbCr or RGB, 4 CMYK or YCCK.
    int Components;
};

// What one decode may cost. The defaults admit any picture the kit has a use for; the fuzz
// target and tests lower them.
struct JpegLimits {
    // Sides are also held to Bitmap32::kMaxSide, whatever this says.
    std::int64_t MaxPixels = 64 * 1024 * 1024;
    // Working memory of the decoder itself in bytes, mostly the coefficient buffers of
    // progressive files; the output raster is counted by MaxPixels.
    long MaxDecoderMemory = 512L * 1024 * 1024;
    // Scans (SOS markers); a real progressive file has about ten, and every scan costs a pass
    // over the whole picture.
    int MaxScans = 500;
};

// What a decode got past without failing.
struct JpegWarnings {
    int Count = 0;
    // The first warning that means pixels are missing or wrong (the data cut short, a corrupt
    // entropy-coded segment), in libjpeg's words; empty when there was none.
    std::string Damage;
};

// Reads the frame header only. Throws EJPEG with the decoder's message if the data holds no
// readable header. Sizes are reported as declared, without applying any limit.
JpegInfo ReadJpegInfo(std::span<const std::uint8_t> data);

// Decodes a whole baseline, progressive or arithmetic-coded 8-bit JPEG into opaque pixels
// (alpha 255). Grey, YCbCr, RGB, CMYK and YCCK files are accepted; 4-component files with an
// Adobe marker are taken as inverted CMYK, as they are commonly written.
// Throws EJPEG with a readable message for undecodable data or a broken limit.
// NOTE: warnings never stop the decode, so damaged data decodes as well as libjpeg can. A file
// cut short inside its compressed data still gives a picture of the declared size: the decoder
// fills what is missing (mid-grey for sequential files, the coarser detail already read for
// progressive ones). A file cut inside a marker segment (the headers, or the tables between
// progressive scans) fails like any other broken header.
// warnings, when given, receives what the decode got past.
// Thread-safe: each call owns all of its decoder state.
Bitmap32 DecodeJpeg(std::span<const std::uint8_t> data, const JpegLimits& limits = {},
                    JpegWarnings* warnings = nullptr);

}  // namespace zindra
