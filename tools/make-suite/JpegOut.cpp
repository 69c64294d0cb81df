// libjpeg compression into memory, with errors turned into SuiteError instead of exit().
#include "JpegOut.h"

#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "SuiteError.h"

namespace zindra::suitemaker {

namespace {

struct ErrorManager {
    jpeg_error_mgr Base;
    char Message[JMSG_LENGTH_MAX];
};

// NOTE: throwing through libjpeg's C frames relies on unwind tables, which x86-64 and AArch64 builds
// always carry; encoding our own in-memory pictures does not fail short of running out of memory.
[[noreturn]] void ThrowOnError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->Message);
    throw SuiteError(std::string("JPEG encoding failed: ") + manager->Message);
}

// Owns the compressor and the memory libjpeg allocates for the output.
struct Compressor {
    jpeg_compress_struct Info{};
    ErrorManager Errors{};
    unsigned char* Buffer = nullptr;
    unsigned long Size = 0;

    Compressor() {
        Info.err = jpeg_std_error(&Errors.Base);
        Errors.Base.error_exit = ThrowOnError;
        jpeg_create_compress(&Info);
    }
    ~Compressor() {
        jpeg_destroy_compress(&Info);
        std::free(Buffer);
    }
};

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const TRgbImage& image, int quality) {
    Compressor c;
    jpeg_mem_dest(&c.Info, &c.Buffer, &c.Size);
    c.Info.image_width = static_cast<JDIMENSION>(image.Width());
    c.Info.image_height = static_cast<JDIMENSION>(image.Height());
    c.Info.input_components = 3;
    c.Info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c.Info);
    jpeg_set_quality(&c.Info, quality, TRUE);
    c.Info.optimize_coding = TRUE;
    jpeg_start_compress(&c.Info, TRUE);
    const std::size_t stride = static_cast<std::size_t>(image.Width()) * 3;
    while (c.Info.next_scanline < c.Info.image_height) {
        // NOTE: libjpeg's row pointer is non-const but the encoder only reads through it.
        auto* row = const_cast<std::uint8_t*>(image.Bytes().data() + c.Info.next_scanline * stride);
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(&c.Info, rows, 1);
    }
    jpeg_finish_compress(&c.Info);
    return {c.Buffer, c.Buffer + c.Size};
}

void WriteBytes(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) {
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        throw SuiteError("cannot write " + file.string());
    }
}

void WriteJpeg(const std::filesystem::path& file, const TRgbImage& image) {
    WriteBytes(file, EncodeJpeg(image));
}

}  // namespace zindra::suitemaker
