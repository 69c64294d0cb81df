// Decoding and encoding PNG pictures beside the decoders a user would pick instead (libpng,
// libspng, stb_image) and zlib inflating the same image data alone, on a real photograph (a
// picture of Debian's mate-backgrounds, scaled to 800x600 and written by libpng with its usual
// adaptive filters), a 49x49 RGBA icon, a palette image, a 16-bit image and an Adam7 image.
// libdeflate and ISA-L inflate the same data too, as the measure a faster inflater is chosen by.
#include <benchmark/benchmark.h>
#include <isa-l/igzip_lib.h>
#include <libdeflate.h>
#include <png.h>
#include <spng.h>
#include <zlib.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Stream.h"
#include "framework/graphics/JpegDecoder.h"
#include "framework/graphics/PixelProcessor.h"
#include "imaging/PngGraphic.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
const char* kPhoto = "/usr/share/backgrounds/mate/nature/Garden.jpg";

struct Picture {
    int Width, Height, Channels, Depth;  // Channels 1 means indexed when Palette is set
    Bytes Samples;                       // rows of Width * Channels samples, 16-bit big-endian
    std::vector<png_color> Palette;
};

// The photograph, a 4:3 piece of its middle averaged down to width x height.
Picture Photo(int width, int height) {
    std::ifstream in(kPhoto, std::ios::binary);
    if (!in)
        throw std::runtime_error(std::string("install the bench references (bench/install-references): no ") + kPhoto);
    const Bytes jpeg{std::istreambuf_iterator<char>(in), {}};
    const zindra::Bitmap32 big = zindra::DecodeJpeg(jpeg);
    const int cropW = std::min(big.Width(), big.Height() * 4 / 3), cropH = cropW * 3 / 4;
    const int x0 = (big.Width() - cropW) / 2, y0 = (big.Height() - cropH) / 2;
    Picture p{width, height, 3, 8, Bytes(static_cast<std::size_t>(width) * height * 3), {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int ax = x0 + x * cropW / width, bx = x0 + (x + 1) * cropW / width;
            const int ay = y0 + y * cropH / height, by = y0 + (y + 1) * cropH / height;
            int sum[3] = {}, n = 0;
            for (int sy = ay; sy < by; ++sy)
                for (int sx = ax; sx < bx; ++sx, ++n) {
                    const zindra::Pixel px = big.At(sx, sy);
                    sum[0] += zindra::PixelR(px), sum[1] += zindra::PixelG(px), sum[2] += zindra::PixelB(px);
                }
            for (int c = 0; c < 3; ++c)
                p.Samples[(static_cast<std::size_t>(y) * width + x) * 3 + c] = static_cast<std::uint8_t>(sum[c] / n);
        }
    return p;
}

Picture WithAlpha(const Picture& rgb) {
    Picture p{rgb.Width, rgb.Height, 4, 8, {}, {}};
    const double r = rgb.Width / 2.0;
    for (int y = 0; y < rgb.Height; ++y)
        for (int x = 0; x < rgb.Width; ++x) {
            const std::uint8_t* s = &rgb.Samples[(static_cast<std::size_t>(y) * rgb.Width + x) * 3];
            const double d = std::hypot(x + 0.5 - r, y + 0.5 - r);
            const double a = std::clamp((r - d) * 128.0, 0.0, 255.0);  // a disc with a soft edge
            p.Samples.insert(p.Samples.end(), {s[0], s[1], s[2], static_cast<std::uint8_t>(a)});
        }
    return p;
}

Picture Indexed(const Picture& rgb) {
    Picture p{rgb.Width, rgb.Height, 1, 8, {}, {}};
    for (int i = 0; i < 252; ++i)
        p.Palette.push_back({static_cast<png_byte>(i / 42 * 51), static_cast<png_byte>(i / 6 % 7 * 42),
                             static_cast<png_byte>(i % 6 * 51)});
    for (std::size_t i = 0; i < rgb.Samples.size(); i += 3) {
        const int r = (rgb.Samples[i] + 25) / 51, g = (rgb.Samples[i + 1] + 21) / 42,
                  b = (rgb.Samples[i + 2] + 25) / 51;
        p.Samples.push_back(static_cast<std::uint8_t>(r * 42 + g * 6 + b));
    }
    return p;
}

Picture Deep(const Picture& rgb) {
    Picture p{rgb.Width, rgb.Height, 3, 16, {}, {}};
    for (std::size_t i = 0; i < rgb.Samples.size(); ++i)
        p.Samples.insert(p.Samples.end(), {rgb.Samples[i], static_cast<std::uint8_t>(rgb.Samples[i] * 7 + i % 5)});
    return p;
}

// libpng with its defaults: the adaptive filter choice and compression level.
Bytes EncodeWithLibpng(const Picture& p, bool interlace, int level = -1) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    Bytes out;
    png_set_write_fn(
        png, &out,
        [](png_structp s, png_bytep data, png_size_t n) {
            auto* o = static_cast<Bytes*>(png_get_io_ptr(s));
            o->insert(o->end(), data, data + n);
        },
        nullptr);
    if (level >= 0) png_set_compression_level(png, level);
    const int type = !p.Palette.empty() ? PNG_COLOR_TYPE_PALETTE
                     : p.Channels == 4  ? PNG_COLOR_TYPE_RGB_ALPHA
                                        : PNG_COLOR_TYPE_RGB;
    png_set_IHDR(png, info, static_cast<png_uint_32>(p.Width), static_cast<png_uint_32>(p.Height), p.Depth, type,
                 interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!p.Palette.empty()) png_set_PLTE(png, info, p.Palette.data(), static_cast<int>(p.Palette.size()));
    png_write_info(png, info);
    const std::size_t stride = static_cast<std::size_t>(p.Width) * p.Channels * p.Depth / 8;
    std::vector<png_bytep> rows;
    for (int y = 0; y < p.Height; ++y)
        rows.push_back(const_cast<png_bytep>(p.Samples.data() + y * stride));
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

struct Sample {
    Bytes File;
    Bytes Idat;            // the image data of all IDAT chunks, joined
    std::size_t Inflated;  // its size inflated
};

Bytes JoinIdat(const Bytes& file) {
    Bytes idat;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::uint32_t n = file[at] << 24 | file[at + 1] << 16 | file[at + 2] << 8 | file[at + 3];
        if (std::memcmp(&file[at + 4], "IDAT", 4) == 0) idat.insert(idat.end(), &file[at + 8], &file[at + 8 + n]);
        at += 12 + n;
    }
    return idat;
}

const std::map<std::string, Sample>& Samples() {
    static const std::map<std::string, Sample> samples = [] {
        const Picture photo = Photo(800, 600);
        const std::map<std::string, Bytes> files = {
            {"photo-800x600-rgb", EncodeWithLibpng(photo, false)},
            {"icon-49x49-rgba", EncodeWithLibpng(WithAlpha(Photo(49, 49)), false)},
            {"palette-800x600", EncodeWithLibpng(Indexed(photo), false)},
            {"photo-800x600-rgb16", EncodeWithLibpng(Deep(photo), false)},
            {"photo-800x600-adam7", EncodeWithLibpng(photo, true)},
        };
        std::map<std::string, Sample> out;
        for (const auto& [name, file] : files) {
            Sample s{file, JoinIdat(file), 0};
            Bytes buffer(64 << 20);
            uLongf size = static_cast<uLongf>(buffer.size());
            uncompress(buffer.data(), &size, s.Idat.data(), static_cast<uLong>(s.Idat.size()));
            s.Inflated = size;
            out.emplace(name, std::move(s));
        }
        return out;
    }();
    return samples;
}

const Sample& Get(benchmark::State& state, const char* name) {
    const Sample& s = Samples().at(name);
    state.counters["inflated_bytes"] = static_cast<double>(s.Inflated);
    state.counters["file_bytes"] = static_cast<double>(s.File.size());
    return s;
}

void BM_Reference_ZlibInflate(benchmark::State& state, const char* name) {
    const Sample& s = Get(state, name);
    Bytes out(s.Inflated);
    for (auto _ : state) {
        uLongf size = static_cast<uLongf>(out.size());
        if (uncompress(out.data(), &size, s.Idat.data(), static_cast<uLong>(s.Idat.size())) != Z_OK)
            state.SkipWithError("zlib");
        benchmark::DoNotOptimize(out.data());
    }
}

// ISA-L returns with the upper halves of the wide vector registers in use. Every plain SSE
// routine run after that in this process waits on them (libpng's, spng's and stb_image's as
// well as ours, a third slower), so the inflaters that might leave them so clean up after their
// runs: each decoder is timed from the same clean state.
void BM_LibdeflateInflate(benchmark::State& state, const char* name) {
    const Sample& s = Get(state, name);
    Bytes out(s.Inflated);
    libdeflate_decompressor* d = libdeflate_alloc_decompressor();
    for (auto _ : state) {
        if (libdeflate_zlib_decompress(d, s.Idat.data(), s.Idat.size(), out.data(), out.size(), nullptr) !=
            LIBDEFLATE_SUCCESS) {
            state.SkipWithError("libdeflate");
        }
        benchmark::DoNotOptimize(out.data());
    }
    libdeflate_free_decompressor(d);
    zindra::ClearUpperVectorState();
}

void BM_IsalInflate(benchmark::State& state, const char* name) {
    const Sample& s = Get(state, name);
    Bytes out(s.Inflated);
    inflate_state st;
    for (auto _ : state) {
        isal_inflate_init(&st);
        st.crc_flag = ISAL_ZLIB;
        st.next_in = const_cast<std::uint8_t*>(s.Idat.data());
        st.avail_in = static_cast<std::uint32_t>(s.Idat.size());
        st.next_out = out.data();
        st.avail_out = static_cast<std::uint32_t>(out.size());
        if (isal_inflate(&st) != ISAL_DECOMP_OK) state.SkipWithError("isa-l");
        benchmark::DoNotOptimize(out.data());
    }
    zindra::ClearUpperVectorState();
}

void BM_ZindraInflate(benchmark::State& state, const char* name);

void BM_ZindraDecode(benchmark::State& state, const char* name) {
    const Sample& s = Get(state, name);
    for (auto _ : state) {
        zindra::TPngGraphic png;
        zindra::TBytesStream stream(s.File);
        png.LoadFromStream(stream);
        benchmark::DoNotOptimize(png.Header().Bits());
    }
}

struct Reader {
    const Bytes* bytes;
    std::size_t at;
};

void BM_LibpngDecode(benchmark::State& state, const char* name) {
    const Sample& s = Get(state, name);
    Bytes image;
    for (auto _ : state) {
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        Reader reader{&s.File, 0};
        png_set_read_fn(png, &reader, [](png_structp p, png_bytep out, png_size_t n) {
            auto* r = static_cast<Reader*>(png_get_io_ptr(p));
            std::memcpy(out, r->bytes->data() + r->at, n);
            r->at += n;
        });
        png_read_info(png, info);
        png_set_strip_16(png);
        png_set_interlace_handling(png);
        png_read_update_info(png, info);
        const std::size_t stride = png_get_rowbytes(png, info);
        image.resize(stride * png_get_image_height(png, info));
        std::vector<png_bytep> rows;
        for (std::size_t y = 0; y < png_get_image_height(png, info); ++y)
            rows.push_back(image.data() + y * stride);
        png_read_image(png, rows.data());
        png_destroy_read_struct(&png, &info, nullptr);
        benchmark::DoNotOptimize(image.data());
    }
}

void BM_SpngDecode(benchmark::State& state, const char* name) {
    const Sample& s = Get(state, name);
    Bytes image;
    for (auto _ : state) {
        spng_ctx* ctx = spng_ctx_new(0);
        spng_set_png_buffer(ctx, s.File.data(), s.File.size());
        std::size_t size = 0;
        spng_decoded_image_size(ctx, SPNG_FMT_PNG, &size);
        image.resize(size);
        if (spng_decode_image(ctx, image.data(), size, SPNG_FMT_PNG, 0) != 0) state.SkipWithError("spng");
        spng_ctx_free(ctx);
        benchmark::DoNotOptimize(image.data());
    }
}

void BM_StbDecode(benchmark::State& state, const char* name) {
    const Sample& s = Get(state, name);
    for (auto _ : state) {
        int w, h, n;
        stbi_uc* pixels = stbi_load_from_memory(s.File.data(), static_cast<int>(s.File.size()), &w, &h, &n, 0);
        if (!pixels) state.SkipWithError("stb_image");
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
}

// Writing at level 7, ours with its default filter (Sub) and with the adaptive set, libpng
// with its default adaptive filters; the size of the file as a counter.
void BM_ZindraEncode(benchmark::State& state, const char* name, zindra::TFilters filters) {
    const Sample& s = Get(state, name);
    zindra::TPngGraphic png;
    zindra::TBytesStream in(s.File);
    png.LoadFromStream(in);
    png.SetFilters(filters);
    std::size_t size = 0;
    for (auto _ : state)
        size = png.SaveToBytes().size();
    state.counters["file_bytes"] = static_cast<double>(size);
}

void BM_LibpngEncode(benchmark::State& state, const char* name) {
    Get(state, name);
    const Picture photo = Photo(800, 600);
    std::size_t size = 0;
    for (auto _ : state)
        size = EncodeWithLibpng(photo, false, 7).size();
    state.counters["file_bytes"] = static_cast<double>(size);
}

}  // namespace

#include "imaging/Inflate.h"

namespace {
void BM_ZindraInflate(benchmark::State& state, const char* name) {
    const Sample& s = Get(state, name);
    Bytes out(s.Inflated);
    for (auto _ : state) {
        if (zindra::InflateZlib(s.Idat, out) != zindra::InflateStatus::kOk) state.SkipWithError("ours");
        benchmark::DoNotOptimize(out.data());
    }
}
}  // namespace

int main(int argc, char** argv) {
    using Fn = void (*)(benchmark::State&, const char*);
    const std::pair<const char*, Fn> kinds[] = {
        {"BM_Reference_ZlibInflate", &BM_Reference_ZlibInflate},
        {"BM_LibdeflateInflate", &BM_LibdeflateInflate},
        {"BM_IsalInflate", &BM_IsalInflate},
        {"BM_ZindraInflate", &BM_ZindraInflate},
        {"BM_ZindraDecode", &BM_ZindraDecode},
        {"BM_LibpngDecode", &BM_LibpngDecode},
        {"BM_SpngDecode", &BM_SpngDecode},
        {"BM_StbDecode", &BM_StbDecode},
    };
    static const char* const kFiles[] = {"photo-800x600-rgb", "icon-49x49-rgba", "palette-800x600",
                                         "photo-800x600-rgb16", "photo-800x600-adam7"};
    for (const char* file : kFiles) {
        for (const auto& [kind, fn] : kinds) {
            benchmark::RegisterBenchmark((std::string(kind) + "/" + file).c_str(), fn, file)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    const char* photo = kFiles[0];
    benchmark::RegisterBenchmark("BM_LibpngEncode/level7", &BM_LibpngEncode, photo)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BM_ZindraEncode/level7-sub", &BM_ZindraEncode, photo, zindra::TFilters{zindra::pfSub})
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BM_ZindraEncode/level7-adaptive", &BM_ZindraEncode, photo, zindra::TFilters{31})
        ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
