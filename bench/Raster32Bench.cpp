// The 32-bit raster's blending sets, transfer and scaling on 800 by 600 pixels, each beside its
// reference in the same run: a compositing library's premultiplied OVER, nearest and bilinear
// scaling (where it is installed), and memcpy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "framework/graphics/BlendSet.h"
#include "imaging/Raster32.h"
#include "imaging/Transfer.h"

#ifdef ZINDRA_HAVE_PIXMAN
#include <pixman.h>
#endif

namespace {

using zindra::Pixel;
using zindra::TRaster32;
using zindra::platform::Rect;
namespace blend = zindra::blend;

constexpr int kW = 800, kH = 600;
constexpr int kBigW = 1024, kBigH = 768;

// Every alpha from 0 to 255 spread over the picture, so no run is all opaque or all clear.
void Picture(TRaster32& r, int w, int h, bool opaque) {
    r.SetDimensions(w, h);
    std::mt19937 random(42);
    for (int i = 0; i < w * h; ++i)
        r.Bits()[i] = opaque ? random() | 0xFF000000u : random();
}

void Account(benchmark::State& state, int w, int h) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * w * h * 4);
}

// range(0): 0 plain, 1 SSE2, 2 AVX2.
const blend::BlendSet* SetOf(benchmark::State& state) {
    const blend::BlendSet* sets[] = {&blend::PlainSet(), blend::Sse2Set(), blend::Avx2Set()};
    const blend::BlendSet* set = sets[state.range(0)];
    if (!set) {
        state.SkipWithError("this processor has no such set");
        return nullptr;
    }
    state.SetLabel(set->Name);
    return set;
}

template <typename Row>
void EveryRow(benchmark::State& state, bool opaqueSource, Row row) {
    TRaster32 src, dst;
    Picture(src, kW, kH, opaqueSource);
    Picture(dst, kW, kH, true);
    for (auto _ : state) {
        for (int y = 0; y < kH; ++y)
            row(src.ScanLine(y), dst.ScanLine(y));
        benchmark::ClobberMemory();
    }
    Account(state, kW, kH);
}

void BM_BlendRun(benchmark::State& state) {
    if (const auto* set = SetOf(state)) EveryRow(state, false, [set](Pixel* s, Pixel* d) { set->BlendRun(s, d, kW); });
}

void BM_BlendRunMaster(benchmark::State& state) {
    if (const auto* set = SetOf(state))
        EveryRow(state, false, [set](Pixel* s, Pixel* d) { set->BlendRunMaster(s, d, kW, 160); });
}

void BM_CombineRun(benchmark::State& state) {
    if (const auto* set = SetOf(state))
        EveryRow(state, true, [set](Pixel* s, Pixel* d) { set->CombineRun(s, d, kW, 160); });
}

void BM_Memcpy(benchmark::State& state) {
    TRaster32 src, dst;
    Picture(src, kW, kH, true);
    Picture(dst, kW, kH, true);
    for (auto _ : state) {
        std::memcpy(dst.Bits(), src.Bits(), sizeof(Pixel) * kW * kH);
        benchmark::ClobberMemory();
    }
    Account(state, kW, kH);
}

void BM_TransferOpaque(benchmark::State& state) {
    TRaster32 src, dst;
    Picture(src, kW, kH, true);
    Picture(dst, kW, kH, true);
    for (auto _ : state) {
        zindra::Transfer(&dst, dst.BoundsRect(), dst.BoundsRect(), &src, src.BoundsRect());
        benchmark::ClobberMemory();
    }
    Account(state, kW, kH);
}

// range(0): 1 enlarges 800x600 to 1024x768, 0 shrinks back; range(1): the stretch filter.
void BM_Scale(benchmark::State& state) {
    const bool up = state.range(0) == 1;
    TRaster32 src, dst;
    Picture(src, up ? kW : kBigW, up ? kH : kBigH, true);
    Picture(dst, up ? kBigW : kW, up ? kBigH : kH, true);
    src.SetStretchFilter(static_cast<zindra::TStretchFilter>(state.range(1)));
    for (auto _ : state) {
        zindra::Transfer(&dst, dst.BoundsRect(), dst.BoundsRect(), &src, src.BoundsRect());
        benchmark::ClobberMemory();
    }
    Account(state, dst.Width(), dst.Height());
}

#ifdef ZINDRA_HAVE_PIXMAN

// The library's images over copies of our pixels; sources premultiplied, as it composites.
struct PixmanPair {
    TRaster32 srcPixels, dstPixels;
    pixman_image_t* src = nullptr;
    pixman_image_t* dst = nullptr;

    PixmanPair(int sw, int sh, int dw, int dh, bool opaqueSource) {
        Picture(srcPixels, sw, sh, opaqueSource);
        Picture(dstPixels, dw, dh, true);
        for (int i = 0; i < sw * sh; ++i) {
            const Pixel p = srcPixels.Bits()[i], a = p >> 24;
            Pixel q = p & 0xFF000000u;
            for (int c = 0; c < 24; c += 8)
                q |= ((((p >> c) & 0xFFu) * a + 127) / 255) << c;
            srcPixels.Bits()[i] = q;
        }
        src = pixman_image_create_bits(opaqueSource ? PIXMAN_x8r8g8b8 : PIXMAN_a8r8g8b8, sw, sh,
                                       reinterpret_cast<uint32_t*>(srcPixels.Bits()), sw * 4);
        dst = pixman_image_create_bits(PIXMAN_x8r8g8b8, dw, dh, reinterpret_cast<uint32_t*>(dstPixels.Bits()), dw * 4);
    }
    ~PixmanPair() {
        pixman_image_unref(src);
        pixman_image_unref(dst);
    }
    PixmanPair(const PixmanPair&) = delete;
    PixmanPair& operator=(const PixmanPair&) = delete;

    void Run(benchmark::State& state, pixman_op_t op, pixman_image_t* mask) {
        for (auto _ : state) {
            pixman_image_composite32(op, src, mask, dst, 0, 0, 0, 0, 0, 0, dstPixels.Width(), dstPixels.Height());
            benchmark::ClobberMemory();
        }
        Account(state, dstPixels.Width(), dstPixels.Height());
    }
};

// range(0): the mask's constant alpha, 255 for none.
void Overs(benchmark::State& state, bool opaqueSource) {
    PixmanPair pair(kW, kH, kW, kH, opaqueSource);
    pixman_image_t* mask = nullptr;
    if (state.range(0) != 255) {
        const auto alpha = static_cast<uint16_t>(state.range(0) * 257);
        const pixman_color_t colour{0, 0, 0, alpha};
        mask = pixman_image_create_solid_fill(&colour);
    }
    pair.Run(state, PIXMAN_OP_OVER, mask);
    if (mask) pixman_image_unref(mask);
}

void BM_Reference_PixmanOver(benchmark::State& state) {
    Overs(state, false);
}

void BM_Reference_PixmanOverOpaque(benchmark::State& state) {
    Overs(state, true);
}

// range(0): 1 enlarges, 0 shrinks; range(1): 1 bilinear, 0 nearest.
void BM_Reference_PixmanScale(benchmark::State& state) {
    const bool up = state.range(0) == 1;
    PixmanPair pair(up ? kW : kBigW, up ? kH : kBigH, up ? kBigW : kW, up ? kBigH : kH, true);
    pixman_transform_t scale;
    pixman_transform_init_scale(&scale, pixman_double_to_fixed(up ? double(kW) / kBigW : double(kBigW) / kW),
                                pixman_double_to_fixed(up ? double(kH) / kBigH : double(kBigH) / kH));
    pixman_image_set_transform(pair.src, &scale);
    pixman_image_set_filter(pair.src, state.range(1) == 1 ? PIXMAN_FILTER_BILINEAR : PIXMAN_FILTER_NEAREST, nullptr, 0);
    pixman_image_set_repeat(pair.src, PIXMAN_REPEAT_PAD);
    pair.Run(state, PIXMAN_OP_SRC, nullptr);
}

BENCHMARK(BM_Reference_PixmanOver)->Arg(255);
#endif
BENCHMARK(BM_BlendRun)->ArgName("set")->DenseRange(0, 2);
#ifdef ZINDRA_HAVE_PIXMAN
BENCHMARK(BM_Reference_PixmanOver)->Arg(160);
#endif
BENCHMARK(BM_BlendRunMaster)->ArgName("set")->DenseRange(0, 2);
#ifdef ZINDRA_HAVE_PIXMAN
BENCHMARK(BM_Reference_PixmanOverOpaque)->Arg(160);
#endif
BENCHMARK(BM_CombineRun)->ArgName("set")->DenseRange(0, 2);
BENCHMARK(BM_Memcpy);
BENCHMARK(BM_TransferOpaque);
#ifdef ZINDRA_HAVE_PIXMAN
BENCHMARK(BM_Reference_PixmanScale)->ArgNames({"up", "bilinear"})->Args({1, 0});
#endif
BENCHMARK(BM_Scale)->ArgNames({"up", "filter"})->Args({1, 0});
#ifdef ZINDRA_HAVE_PIXMAN
BENCHMARK(BM_Reference_PixmanScale)->ArgNames({"up", "bilinear"})->Args({0, 0});
#endif
BENCHMARK(BM_Scale)->ArgNames({"up", "filter"})->Args({0, 0});
#ifdef ZINDRA_HAVE_PIXMAN
BENCHMARK(BM_Reference_PixmanScale)->ArgNames({"up", "bilinear"})->Args({1, 1});
#endif
BENCHMARK(BM_Scale)->ArgNames({"up", "filter"})->Args({1, 1});

}  // namespace

BENCHMARK_MAIN();
