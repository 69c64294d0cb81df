// JPEG decoding through libjpeg, with every library error and every broken limit turned into EJPEG.
#include "framework/graphics/JpegDecoder.h"

#include <bit>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "framework/Exception.h"

namespace zindra {
namespace {

// libjpeg writes 4-byte pixels in this order straight into the raster (0xAARRGGBB words).
constexpr J_COLOR_SPACE kRasterSpace = std::endian::native == std::endian::little ? JCS_EXT_BGRA : JCS_EXT_ARGB;

// NOTE: libjpeg reports a fatal error by calling error_exit, which must not return. Ours jumps
// back to the frame that entered the library; the C++ exception is raised only after the
// library state is destroyed, so it never unwinds through libjpeg's C frames.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    JpegWarnings* warnings;
};

struct ScanMonitor {
    jpeg_progress_mgr pub;
    int maxScans;
};

ErrorManager& ErrorsOf(j_common_ptr info) {
    return *reinterpret_cast<ErrorManager*>(info->err);
}

[[noreturn]] void OnError(j_common_ptr info) {
    ErrorManager& errors = ErrorsOf(info);
    if (errors.pub.msg_code == JERR_NO_BACKING_STORE) {
        // libjpeg asks for a temporary file when max_memory_to_use is too small for the
        // picture's coefficient buffers; say what it really means.
        std::snprintf(errors.message, sizeof errors.message, "JPEG image needs more than %ld bytes to decode",
                      info->mem->max_memory_to_use);
    } else {
        (*info->err->format_message)(info, errors.message);
    }
    std::longjmp(errors.jump, 1);
}

// The warnings after which the picture is not what its file meant: data missing or corrupt.
// The others (extraneous bytes, an unknown revision or transform) leave the pixels intact.
bool IsDamage(int code) {
    return code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_HUFF_BAD_CODE ||
           code == JWRN_ARITH_BAD_CODE || code == JWRN_MUST_RESYNC;
}

// Warnings (level -1) are only counted, so slightly damaged files still decode; trace
// messages are dropped. Nothing is ever printed.
void OnMessage(j_common_ptr info, int level) {
    if (level >= 0) return;
    ++info->err->num_warnings;
    JpegWarnings* warnings = ErrorsOf(info).warnings;
    if (!warnings) return;
    ++warnings->Count;
    if (warnings->Damage.empty() && IsDamage(info->err->msg_code)) {
        char text[JMSG_LENGTH_MAX];
        (*info->err->format_message)(info, text);
        warnings->Damage = text;
    }
}

void OnOutput(j_common_ptr) {}

// Runs between chunks of input: a file with endless scans (each a full pass over the
// coefficients) is cut off here instead of spinning.
void OnProgress(j_common_ptr info) {
    const auto* monitor = reinterpret_cast<const ScanMonitor*>(info->progress);
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number <= monitor->maxScans) return;
    ErrorManager& errors = ErrorsOf(info);
    std::snprintf(errors.message, sizeof errors.message, "JPEG image has more than %d scans", monitor->maxScans);
    std::longjmp(errors.jump, 1);
}

std::uint8_t Multiply255(unsigned a, unsigned b) {
    return static_cast<std::uint8_t>((a * b + 127) / 255);
}

// One row of CMYK samples to opaque pixels. Adobe files store the inks inverted (255 = no ink).
void CmykToRaster(const JSAMPLE* cmyk, Pixel* out, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4) {
        unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        }
        out[x] = MakePixel(Multiply255(c, k), Multiply255(m, k), Multiply255(y, k));
    }
}

// Owns one decompressor. The *Frame members are the only places that call into libjpeg: each
// sets the jump point first and holds nothing with a destructor, so a jump out of the library
// skips no C++ cleanup. Every failure ends in Fail(), which destroys and then throws.
class JpegSession {
public:
    JpegSession(const JpegLimits& limits, JpegWarnings* warnings) : limits_(limits) {
        info_.err = jpeg_std_error(&errors_.pub);
        errors_.warnings = warnings;
        errors_.pub.error_exit = OnError;
        errors_.pub.emit_message = OnMessage;
        errors_.pub.output_message = OnOutput;
        monitor_.pub.progress_monitor = OnProgress;
        monitor_.maxScans = limits.MaxScans;
    }
    ~JpegSession() { jpeg_destroy_decompress(&info_); }
    JpegSession(const JpegSession&) = delete;
    JpegSession& operator=(const JpegSession&) = delete;

    jpeg_decompress_struct& Info() { return info_; }

    void Open(std::span<const std::uint8_t> data) {
        if constexpr (sizeof(std::size_t) > sizeof(unsigned long)) {
            if (data.size() > std::numeric_limits<unsigned long>::max()) Fail("JPEG data is too large");
        }
        if (!OpenFrame(data.data(), static_cast<unsigned long>(data.size()))) Fail();
    }

    // Holds the declared size to the limits before anything of that size is allocated.
    void CheckSize() {
        const std::int64_t width = info_.image_width, height = info_.image_height;
        if (width > Bitmap32::kMaxSide || height > Bitmap32::kMaxSide || width * height > limits_.MaxPixels) {
            Fail("JPEG image is too large (" + std::to_string(width) + " x " + std::to_string(height) + ")");
        }
    }

    void Start(J_COLOR_SPACE outSpace) {
        if (!StartFrame(outSpace)) Fail();
    }
    void ReadRaster(JSAMPROW* rows) {
        if (!ReadRasterFrame(rows)) Fail();
    }
    void ReadCmyk(Bitmap32& picture, JSAMPLE* scratch) {
        if (!ReadCmykFrame(picture.Data(), picture.Width(), scratch, info_.saw_Adobe_marker != FALSE)) Fail();
    }

    [[noreturn]] void Fail(const std::string& message) {
        jpeg_destroy_decompress(&info_);
        throw EJPEG(message);
    }
    [[noreturn]] void Fail() { Fail(std::string(errors_.message)); }

private:
    bool OpenFrame(const std::uint8_t* data, unsigned long size) {
        if (setjmp(errors_.jump) != 0) return false;
        jpeg_CreateDecompress(&info_, JPEG_LIB_VERSION, sizeof info_);
        info_.mem->max_memory_to_use = limits_.MaxDecoderMemory;
        info_.progress = &monitor_.pub;
        jpeg_mem_src(&info_, data, size);
        jpeg_read_header(&info_, TRUE);
        return true;
    }

    bool StartFrame(J_COLOR_SPACE outSpace) {
        if (setjmp(errors_.jump) != 0) return false;
        info_.out_color_space = outSpace;
        jpeg_start_decompress(&info_);
        return true;
    }

    // NOTE: rows the data does not reach are still produced (the memory source feeds libjpeg
    // an end marker), so a zero return only guards against a library that would not progress.
    bool ReadRasterFrame(JSAMPROW* rows) {
        if (setjmp(errors_.jump) != 0) return false;
        while (info_.output_scanline < info_.output_height) {
            const JDIMENSION at = info_.output_scanline;
            if (jpeg_read_scanlines(&info_, rows + at, info_.output_height - at) == 0) break;
        }
        return true;
    }

    bool ReadCmykFrame(Pixel* pixels, int width, JSAMPLE* scratch, bool inverted) {
        if (setjmp(errors_.jump) != 0) return false;
        JSAMPROW row[1] = {scratch};
        while (info_.output_scanline < info_.output_height) {
            const JDIMENSION at = info_.output_scanline;
            if (jpeg_read_scanlines(&info_, row, 1) == 0) break;
            CmykToRaster(scratch, pixels + static_cast<std::size_t>(at) * width, info_.output_width, inverted);
        }
        return true;
    }

    JpegLimits limits_;
    jpeg_decompress_struct info_{};
    ErrorManager errors_{};
    ScanMonitor monitor_{};
};

}  // namespace

JpegInfo ReadJpegInfo(std::span<const std::uint8_t> data) {
    JpegSession session(JpegLimits{}, nullptr);
    session.Open(data);
    const jpeg_decompress_struct& info = session.Info();
    return {static_cast<int>(info.image_width), static_cast<int>(info.image_height), info.num_components};
}

Bitmap32 DecodeJpeg(std::span<const std::uint8_t> data, const JpegLimits& limits, JpegWarnings* warnings) {
    if (warnings) *warnings = {};
    JpegSession session(limits, warnings);
    session.Open(data);
    session.CheckSize();
    jpeg_decompress_struct& info = session.Info();
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    // Grey, YCbCr and RGB files convert inside libjpeg; anything else fails in Start with
    // libjpeg's "unsupported conversion" message.
    session.Start(cmyk ? JCS_CMYK : kRasterSpace);

    Bitmap32 picture(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    if (cmyk) {
        std::vector<JSAMPLE> scratch(static_cast<std::size_t>(info.output_width) * 4);
        session.ReadCmyk(picture, scratch.data());
    } else {
        std::vector<JSAMPROW> rows(info.output_height);
        for (JDIMENSION y = 0; y < info.output_height; ++y) {
            rows[y] = reinterpret_cast<JSAMPROW>(picture.Row(static_cast<int>(y)));
        }
        session.ReadRaster(rows.data());
    }
    return picture;
}

}  // namespace zindra
