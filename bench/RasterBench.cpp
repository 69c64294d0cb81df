// Copy, blend and stretch of an 800 by 600 frame beside a plain memcpy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>

#include "framework/graphics/Raster.h"

namespace {

using zindra::Bitmap32;
using zindra::MakePixel;
using zindra::platform::Rect;

constexpr int kW = 800;
constexpr int kH = 600;
const Rect kFrame{0, 0, kW, kH};

// A frame with every alpha from 0 to 255 (an icon-like mix), or fully opaque.
Bitmap32 Frame(int w, int h, bool opaque) {
    Bitmap32 b(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const auto a = static_cast<std::uint8_t>(opaque ? 255 : (x * 7 + y * 3) & 0xFF);
            b.At(x, y) = MakePixel(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                                   static_cast<std::uint8_t>(x ^ y), a);
        }
    }
    return b;
}

void Account(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kW * kH * 4);
}

void BM_Memcpy(benchmark::State& state) {
    const Bitmap32 src = Frame(kW, kH, true);
    Bitmap32 dst(kW, kH);
    for (auto _ : state) {
        std::memcpy(dst.Data(), src.Data(), sizeof(zindra::Pixel) * kW * kH);
        benchmark::ClobberMemory();
    }
    Account(state);
}

void BM_CopyPixels(benchmark::State& state) {
    const Bitmap32 src = Frame(kW, kH, true);
    Bitmap32 dst(kW, kH);
    for (auto _ : state) {
        zindra::CopyPixels(dst, 0, 0, src, kFrame, kFrame);
        benchmark::ClobberMemory();
    }
    Account(state);
}

void BM_BlendPixels(benchmark::State& state) {
    const Bitmap32 src = Frame(kW, kH, state.range(0) == 1);
    Bitmap32 dst(kW, kH, MakePixel(40, 80, 120));
    const auto constantAlpha = static_cast<std::uint8_t>(state.range(1));
    for (auto _ : state) {
        zindra::BlendPixels(dst, 0, 0, src, kFrame, kFrame, constantAlpha);
        benchmark::ClobberMemory();
    }
    Account(state);
}

// range(0): source side as a percentage of the frame's; range(1): 1 to blend.
void BM_StretchPixels(benchmark::State& state) {
    const int sw = static_cast<int>(kW * state.range(0) / 100), sh = static_cast<int>(kH * state.range(0) / 100);
    const Bitmap32 src = Frame(sw, sh, false);
    Bitmap32 dst(kW, kH, MakePixel(40, 80, 120));
    for (auto _ : state) {
        zindra::StretchPixels(dst, kFrame, src, {0, 0, sw, sh}, kFrame, state.range(1) == 1);
        benchmark::ClobberMemory();
    }
    Account(state);
}

void BM_FillRect(benchmark::State& state) {
    Bitmap32 dst(kW, kH);
    for (auto _ : state) {
        zindra::FillRect(dst, kFrame, MakePixel(1, 2, 3), kFrame);
        benchmark::ClobberMemory();
    }
    Account(state);
}

}  // namespace

BENCHMARK(BM_Memcpy);
BENCHMARK(BM_CopyPixels);
BENCHMARK(BM_FillRect);
BENCHMARK(BM_BlendPixels)->ArgNames({"opaque", "alpha"})->Args({0, 255})->Args({1, 255})->Args({0, 128});
BENCHMARK(BM_StretchPixels)->ArgNames({"pct", "blend"})->Args({100, 0})->Args({50, 0})->Args({200, 0})->Args({50, 1});
BENCHMARK_MAIN();
