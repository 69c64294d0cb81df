// JPEG decoding: files made here with libjpeg's compressor, damaged files and the decoder's limits.
#include "framework/graphics/JpegDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

// clang-format off
#include <jpeglib.h>
// clang-format on

#include "framework/Exception.h"

namespace zindra {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Samples to compress: Components per pixel in InSpace, rows top to bottom.
struct Source {
    int Width = 0;
    int Height = 0;
    int Components = 3;
    J_COLOR_SPACE InSpace = JCS_RGB;
    Bytes Samples;
};

struct Settings {
    int Quality = 100;
    bool Progressive = false;
    bool FullChroma = true;  // 1x1 sampling for every component
    int RestartRows = 0;
    J_COLOR_SPACE Stored = JCS_UNKNOWN;  // JCS_UNKNOWN: the compressor's default for InSpace
    bool AdobeMarker = true;
    const jpeg_scan_info* Scans = nullptr;
    int ScanCount = 0;
};

struct CompressErrors {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void Configure(jpeg_compress_struct* info, const Source& src, const Settings& s) {
    info->image_width = static_cast<JDIMENSION>(src.Width);
    info->image_height = static_cast<JDIMENSION>(src.Height);
    info->input_components = src.Components;
    info->in_color_space = src.InSpace;
    jpeg_set_defaults(info);
    if (s.Stored != JCS_UNKNOWN) jpeg_set_colorspace(info, s.Stored);
    jpeg_set_quality(info, s.Quality, TRUE);
    if (s.FullChroma) {
        for (int c = 0; c < info->num_components; ++c)
            info->comp_info[c].h_samp_factor = 1;
        for (int c = 0; c < info->num_components; ++c)
            info->comp_info[c].v_samp_factor = 1;
    }
    if (s.Progressive) jpeg_simple_progression(info);
    if (s.Scans != nullptr) {
        info->scan_info = s.Scans;
        info->num_scans = s.ScanCount;
    }
    info->restart_in_rows = s.RestartRows;
    if (!s.AdobeMarker) info->write_Adobe_marker = FALSE;
}

// The compressor's C frame: nothing with a destructor lives here.
bool CompressFrame(jpeg_compress_struct* info, CompressErrors* errors, const Source* src, const Settings* s,
                   unsigned char** buffer, unsigned long* size) {
    if (setjmp(errors->jump) != 0) return false;
    jpeg_CreateCompress(info, JPEG_LIB_VERSION, sizeof *info);
    jpeg_mem_dest(info, buffer, size);
    Configure(info, *src, *s);
    jpeg_start_compress(info, TRUE);
    const std::size_t stride = static_cast<std::size_t>(src->Width) * src->Components;
    while (info->next_scanline < info->image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(src->Samples.data() + info->next_scanline * stride);
        jpeg_write_scanlines(info, &row, 1);
    }
    jpeg_finish_compress(info);
    return true;
}

Bytes Compress(const Source& src, const Settings& settings = {}) {
    jpeg_compress_struct info{};
    CompressErrors errors{};
    info.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = [](j_common_ptr c) { std::longjmp(reinterpret_cast<CompressErrors*>(c->err)->jump, 1); };
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = CompressFrame(&info, &errors, &src, &settings, &buffer, &size);
    Bytes out;
    if (ok) out.assign(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    EXPECT_TRUE(ok) << "the test's compressor failed";
    return out;
}

// Smooth ramps in 15..250, a little apart per channel, which JPEG keeps within a few levels.
Source Ramp(int width, int height, int components = 3, J_COLOR_SPACE space = JCS_RGB) {
    Source src{width, height, components, space, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < components; ++c) {
                const int value = 60 + (x * 150) / std::max(1, width - 1) + (y * 40) / std::max(1, height - 1) - c * 15;
                src.Samples.push_back(static_cast<std::uint8_t>(value));
            }
        }
    }
    return src;
}

Pixel Expected(const Source& src, int x, int y, bool invertedCmyk) {
    const std::uint8_t* s = src.Samples.data() + (static_cast<std::size_t>(y) * src.Width + x) * src.Components;
    if (src.Components == 1) return MakePixel(s[0], s[0], s[0]);
    if (src.Components == 3) return MakePixel(s[0], s[1], s[2]);
    auto ink = [&](int c) { return invertedCmyk ? s[c] : 255 - s[c]; };
    auto mul = [](int a, int b) { return static_cast<std::uint8_t>((a * b + 127) / 255); };
    return MakePixel(mul(ink(0), ink(3)), mul(ink(1), ink(3)), mul(ink(2), ink(3)));
}

// Largest channel difference from the source; also checks that every alpha is 255.
int MaxError(const Bitmap32& picture, const Source& src, bool invertedCmyk = true) {
    EXPECT_EQ(picture.Width(), src.Width);
    EXPECT_EQ(picture.Height(), src.Height);
    if (picture.Width() != src.Width || picture.Height() != src.Height) return 255;
    int worst = 0;
    for (int y = 0; y < src.Height; ++y) {
        for (int x = 0; x < src.Width; ++x) {
            const Pixel got = picture.At(x, y), want = Expected(src, x, y, invertedCmyk);
            EXPECT_EQ(PixelA(got), 255) << "at " << x << "," << y;
            worst = std::max({worst, std::abs(PixelR(got) - PixelR(want)), std::abs(PixelG(got) - PixelG(want)),
                              std::abs(PixelB(got) - PixelB(want))});
        }
    }
    return worst;
}

std::string ErrorOf(const Bytes& data, const JpegLimits& limits = {}) {
    try {
        DecodeJpeg(data, limits);
    } catch (const EJPEG& e) {
        return e.what();
    }
    return "(decoded)";
}

// Offset of the first marker 0xFF, code at or after from, or npos.
std::size_t FindMarker(const Bytes& data, std::uint8_t code, std::size_t from = 0) {
    for (std::size_t i = from; i + 1 < data.size(); ++i) {
        if (data[i] == 0xFF && data[i + 1] == code) return i;
    }
    return std::string::npos;
}

// Rewrites the frame size in the SOF0 or SOF2 segment.
Bytes WithDeclaredSize(Bytes data, int width, int height) {
    std::size_t at = FindMarker(data, 0xC0);
    if (at == std::string::npos) at = FindMarker(data, 0xC2);
    EXPECT_NE(at, std::string::npos);
    data[at + 5] = static_cast<std::uint8_t>(height >> 8), data[at + 6] = static_cast<std::uint8_t>(height);
    data[at + 7] = static_cast<std::uint8_t>(width >> 8), data[at + 8] = static_cast<std::uint8_t>(width);
    return data;
}

constexpr int kTolerance = 2;  // quality 100 on smooth ramps

TEST(JpegDecoder, BaselineColourMatchesSource) {
    const Source src = Ramp(64, 48);
    EXPECT_LE(MaxError(DecodeJpeg(Compress(src)), src), kTolerance);
}

TEST(JpegDecoder, OddSizesWithSubsampledChroma) {
    Settings subsampled;
    subsampled.FullChroma = false;
    for (auto [w, h] : {std::pair{1, 1}, std::pair{17, 9}, std::pair{9, 17}, std::pair{1, 33}}) {
        const Source src = Ramp(w, h);
        EXPECT_LE(MaxError(DecodeJpeg(Compress(src, subsampled)), src), kTolerance + 1) << w << "x" << h;
        EXPECT_LE(MaxError(DecodeJpeg(Compress(src)), src), kTolerance) << w << "x" << h;
    }
}

TEST(JpegDecoder, ProgressiveDecodesExactlyLikeBaseline) {
    const Source src = Ramp(33, 20);
    Settings progressive;
    progressive.Progressive = true;
    const Bytes file = Compress(src, progressive);
    ASSERT_NE(FindMarker(file, 0xC2), std::string::npos);
    // Same quantised coefficients, so the same pixels to the last bit.
    EXPECT_EQ(DecodeJpeg(file), DecodeJpeg(Compress(src)));
}

TEST(JpegDecoder, GreyBecomesEqualChannels) {
    const Source src = Ramp(19, 7, 1, JCS_GRAYSCALE);
    EXPECT_LE(MaxError(DecodeJpeg(Compress(src)), src), kTolerance);
    EXPECT_EQ(ReadJpegInfo(Compress(src)).Components, 1);
}

TEST(JpegDecoder, AdobeCmykIsReadInverted) {
    const Source src = Ramp(24, 16, 4, JCS_CMYK);
    const Bytes file = Compress(src);
    EXPECT_EQ(ReadJpegInfo(file).Components, 4);
    EXPECT_LE(MaxError(DecodeJpeg(file), src, true), kTolerance);
}

TEST(JpegDecoder, CmykWithoutAdobeMarkerIsReadPlain) {
    const Source src = Ramp(24, 16, 4, JCS_CMYK);
    Settings plain;
    plain.AdobeMarker = false;
    EXPECT_LE(MaxError(DecodeJpeg(Compress(src, plain)), src, false), kTolerance);
}

TEST(JpegDecoder, YcckIsConvertedLikeCmyk) {
    const Source src = Ramp(24, 16, 4, JCS_CMYK);
    Settings ycck;
    ycck.Stored = JCS_YCCK;
    EXPECT_LE(MaxError(DecodeJpeg(Compress(src, ycck)), src, true), kTolerance);
}

TEST(JpegDecoder, RestartMarkersChangeNothing) {
    const Source src = Ramp(40, 40);
    Settings restarts;
    restarts.RestartRows = 1;
    const Bytes file = Compress(src, restarts);
    ASSERT_NE(FindMarker(file, 0xD1), std::string::npos);
    EXPECT_EQ(DecodeJpeg(file), DecodeJpeg(Compress(src)));
}

// A damaged restart interval only spoils its own rows: the decoder warns and resynchronises.
TEST(JpegDecoder, DamageInOneRestartIntervalStaysThere) {
    const Source src = Ramp(40, 40);
    Settings restarts;
    restarts.RestartRows = 1;  // one interval per 8-row band
    Bytes file = Compress(src, restarts);
    const Bitmap32 clean = DecodeJpeg(file);
    const std::size_t first = FindMarker(file, 0xD0), second = FindMarker(file, 0xD1);
    ASSERT_LT(first + 6, second);
    for (std::size_t i = first + 2; i < second; ++i)
        file[i] = static_cast<std::uint8_t>(0x5A ^ i);
    const Bitmap32 damaged = DecodeJpeg(file);
    ASSERT_EQ(damaged.Height(), 40);
    for (int y = 0; y < 40; ++y) {
        if (y >= 8 && y < 16) continue;
        EXPECT_TRUE(std::equal(clean.Row(y), clean.Row(y) + 40, damaged.Row(y))) << "row " << y;
    }
}

// Keeps everything up to halfway through the entropy-coded data of scan number `scan`.
Bytes CutInsideScan(const Bytes& file, int scan) {
    std::size_t sos = 0;
    for (int i = 0; i < scan; ++i) {
        sos = FindMarker(file, 0xDA, sos + 1);
    }
    const std::size_t dataAt = sos + 2 + (file[sos + 2] << 8 | file[sos + 3]);
    std::size_t end = dataAt;
    while (end + 1 < file.size() && !(file[end] == 0xFF && file[end + 1] != 0 && (file[end + 1] & 0xF8) != 0xD0)) {
        ++end;
    }
    EXPECT_LT(dataAt + 4, end) << "scan " << scan << " is too short to cut";
    return Bytes(file.begin(), file.begin() + static_cast<long>(dataAt + (end - dataAt) / 2));
}

TEST(JpegDecoder, TruncatedDataStillGivesThePicture) {
    const Source src = Ramp(32, 64);
    const Bytes file = Compress(src);
    const Bitmap32 full = DecodeJpeg(file);
    const Bitmap32 cut = DecodeJpeg(CutInsideScan(file, 1));
    ASSERT_EQ(cut.Width(), 32);
    ASSERT_EQ(cut.Height(), 64);
    EXPECT_TRUE(std::equal(full.Row(0), full.Row(0) + 32, cut.Row(0)));
    // Blocks with no data left have every coefficient zero: mid-grey.
    EXPECT_TRUE(std::all_of(cut.Row(63), cut.Row(63) + 32, [](Pixel p) { return p == MakePixel(128, 128, 128); }));

    Settings progressive;
    progressive.Progressive = true;
    const Bytes progressiveFile = Compress(src, progressive);
    const Bitmap32 coarse = DecodeJpeg(CutInsideScan(progressiveFile, 2));
    EXPECT_EQ(coarse.Width(), 32);
    EXPECT_EQ(coarse.Height(), 64);
    EXPECT_LE(MaxError(coarse, src), 64);
    // Cut inside the tables before a scan instead: that is a broken header, not short data.
    const std::size_t tables = FindMarker(progressiveFile, 0xC4, FindMarker(progressiveFile, 0xDA));
    ASSERT_NE(tables, std::string::npos);
    EXPECT_NE(ErrorOf(Bytes(progressiveFile.begin(), progressiveFile.begin() + static_cast<long>(tables) + 3)),
              "(decoded)");
}

// Damage the decoder gets past is reported when asked for, and what was reported before is cleared.
TEST(JpegDecoder, ReportsTheDamageItDecodesPast) {
    const Source src = Ramp(40, 40);
    Settings restarts;
    restarts.RestartRows = 1;
    const Bytes file = Compress(src, restarts);
    struct Case {
        const char* Name;
        Bytes Data;
        std::string Damage;
    };
    // The second restart interval loses all but its first byte: the next marker comes too soon.
    Bytes shortened = file;
    shortened.erase(shortened.begin() + static_cast<long>(FindMarker(file, 0xD0) + 3),
                    shortened.begin() + static_cast<long>(FindMarker(file, 0xD1)));
    const Case cases[] = {
        {"a whole file", file, ""},
        {"data cut short", CutInsideScan(file, 1), "Premature end of JPEG file"},
        {"a restart interval cut short", shortened, "Corrupt JPEG data: premature end of data segment"},
    };
    for (const Case& c : cases) {
        JpegWarnings warnings;
        warnings.Damage = "left from before";
        DecodeJpeg(c.Data, {}, &warnings);
        EXPECT_EQ(warnings.Damage.substr(0, c.Damage.size()), c.Damage) << c.Name << ": " << warnings.Damage;
        EXPECT_EQ(warnings.Damage.empty(), c.Damage.empty()) << c.Name << ": " << warnings.Damage;
        EXPECT_EQ(warnings.Count > 0, std::string(c.Name) != "a whole file") << c.Name;
    }
}

TEST(JpegDecoder, ReadInfoReadsHeaderAsDeclared) {
    const Bytes file = Compress(Ramp(17, 9));
    const JpegInfo info = ReadJpegInfo(file);
    EXPECT_EQ(info.Width, 17);
    EXPECT_EQ(info.Height, 9);
    EXPECT_EQ(info.Components, 3);
    // No limit applies to the header alone; DecodeJpeg refuses the same file.
    const Bytes huge = WithDeclaredSize(file, 40000, 30000);
    EXPECT_EQ(ReadJpegInfo(huge).Width, 40000);
    EXPECT_EQ(ErrorOf(huge), "JPEG image is too large (40000 x 30000)");
}

TEST(JpegDecoder, UnreadableDataFailsWithLibraryMessage) {
    const Bytes file = Compress(Ramp(16, 16));
    EXPECT_EQ(ErrorOf({}), "Empty input file");
    EXPECT_EQ(ErrorOf({0x12, 0x34, 0x56}), "Not a JPEG file: starts with 0x12 0x34");
    EXPECT_THROW(ReadJpegInfo(Bytes{0xFF, 0xD8}), EJPEG);
    EXPECT_THROW(ReadJpegInfo(Bytes(file.begin(), file.begin() + 30)), EJPEG);
    EXPECT_NE(ErrorOf(Bytes(file.begin(), file.begin() + 30)), "(decoded)");

    Bytes lossless = file;
    lossless[FindMarker(lossless, 0xC0) + 1] = 0xC3;
    EXPECT_EQ(ErrorOf(lossless), "Unsupported JPEG process: SOF type 0xc3");
    Bytes twelveBit = file;
    twelveBit[FindMarker(twelveBit, 0xC0) + 4] = 12;
    EXPECT_EQ(ErrorOf(twelveBit), "Unsupported JPEG data precision 12");
}

TEST(JpegDecoder, SizeLimitsApplyBeforeAllocation) {
    const Bytes file = Compress(Ramp(16, 16));
    // The widest side the decoder takes, with a pixel count past the limit either way round.
    EXPECT_EQ(ErrorOf(WithDeclaredSize(file, 65500, 1100)), "JPEG image is too large (65500 x 1100)");
    EXPECT_EQ(ErrorOf(WithDeclaredSize(file, 1100, 65500)), "JPEG image is too large (1100 x 65500)");
    // Each side allowed, the product not.
    EXPECT_EQ(ErrorOf(WithDeclaredSize(file, 10000, 10000)), "JPEG image is too large (10000 x 10000)");
    JpegLimits small;
    small.MaxPixels = 255;
    EXPECT_EQ(ErrorOf(file, small), "JPEG image is too large (16 x 16)");
    small.MaxPixels = 256;
    EXPECT_EQ(ErrorOf(file, small), "(decoded)");
}

TEST(JpegDecoder, ScanLimitStopsEndlessProgressions) {
    Settings progressive;
    progressive.Progressive = true;  // ten scans for a colour picture
    const Bytes file = Compress(Ramp(16, 16), progressive);
    JpegLimits limits;
    limits.MaxScans = 10;
    EXPECT_EQ(ErrorOf(file, limits), "(decoded)");
    limits.MaxScans = 9;
    EXPECT_EQ(ErrorOf(file, limits), "JPEG image has more than 9 scans");

    // A valid grey file with 631 scans: the DC, then every AC coefficient alone, refined bit by bit.
    std::vector<jpeg_scan_info> scans{{1, {0, 0, 0, 0}, 0, 0, 0, 0}};
    for (int k = 1; k < 64; ++k) {
        scans.push_back({1, {0, 0, 0, 0}, k, k, 0, 9});
        for (int bit = 9; bit > 0; --bit)
            scans.push_back({1, {0, 0, 0, 0}, k, k, bit, bit - 1});
    }
    Settings many;
    many.Scans = scans.data();
    many.ScanCount = static_cast<int>(scans.size());
    const Source grey = Ramp(8, 8, 1, JCS_GRAYSCALE);
    const Bytes manyScans = Compress(grey, many);
    EXPECT_EQ(ErrorOf(manyScans), "JPEG image has more than 500 scans");
    limits.MaxScans = 1000;
    EXPECT_EQ(DecodeJpeg(manyScans, limits), DecodeJpeg(Compress(grey)));
}

TEST(JpegDecoder, MemoryLimitGivesClearMessage) {
    Settings progressive;
    progressive.Progressive = true;  // keeps every coefficient of the picture in memory
    const Bytes file = Compress(Ramp(256, 256), progressive);
    JpegLimits limits;
    limits.MaxDecoderMemory = 100000;
    EXPECT_EQ(ErrorOf(file, limits), "JPEG image needs more than 100000 bytes to decode");
    limits.MaxDecoderMemory = 4L * 1024 * 1024;
    EXPECT_EQ(ErrorOf(file, limits), "(decoded)");
}

// Seeded corruption of real files: every outcome must be a picture or EJPEG, never a crash
// (the sanitizer build checks for bad reads and leaks on these paths).
TEST(JpegDecoder, CorruptedFilesDecodeOrThrow) {
    Settings progressive;
    progressive.Progressive = true;
    const std::vector<Bytes> seeds = {Compress(Ramp(24, 24)), Compress(Ramp(24, 24), progressive),
                                      Compress(Ramp(16, 8, 4, JCS_CMYK))};
    std::mt19937 random(20240611);
    JpegLimits limits;
    limits.MaxPixels = 1 << 20;
    for (int round = 0; round < 300; ++round) {
        Bytes data = seeds[round % seeds.size()];
        const int flips = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < flips; ++i)
            data[2 + random() % (data.size() - 2)] = static_cast<std::uint8_t>(random());
        if (round % 5 == 0) data.resize(2 + random() % (data.size() - 2));
        try {
            const Bitmap32 picture = DecodeJpeg(data, limits);
            EXPECT_FALSE(picture.Empty()) << "round " << round;
        } catch (const EJPEG& e) {
            EXPECT_STRNE(e.what(), "") << "round " << round;
        }
    }
}

}  // namespace
}  // namespace zindra
