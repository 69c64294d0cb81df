// One step of the morph button's fade over an 800 by 600 24-bit face, in every version this
// processor runs (the byte loop and the 32-bit word form among them), beside a memcpy of the
// same bytes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "widgets/MorphBlend.h"

namespace {

constexpr std::size_t kStride = (800 * 3 + 3) / 4 * 4;
constexpr std::size_t kBytes = kStride * 600;

std::vector<std::uint8_t> Face(unsigned seed) {
    std::vector<std::uint8_t> face(kBytes);
    for (std::size_t i = 0; i < kBytes; ++i)
        face[i] = static_cast<std::uint8_t>((i * 2654435761u + seed) >> 7);
    return face;
}

void Account(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBytes));
}

void BM_Memcpy(benchmark::State& state) {
    const std::vector<std::uint8_t> work = Face(1);
    std::vector<std::uint8_t> out(kBytes);
    for (auto _ : state) {
        std::memcpy(out.data(), work.data(), kBytes);
        benchmark::ClobberMemory();
    }
    Account(state);
}

// A step in the middle of the fade (weight 13 of 32), so no version can skip the arithmetic.
void Step(benchmark::State& state, zindra::morph::BlendFunction blend) {
    const std::vector<std::uint8_t> work = Face(1);
    const std::vector<std::uint8_t> target = Face(2);
    std::vector<std::uint8_t> out(kBytes);
    for (auto _ : state) {
        blend(out.data(), work.data(), target.data(), kBytes, 13);
        benchmark::ClobberMemory();
    }
    Account(state);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::RegisterBenchmark("BM_Memcpy", &BM_Memcpy);
    for (const zindra::morph::BlendVersion& version : zindra::morph::AvailableBlends()) {
        benchmark::RegisterBenchmark((std::string("BM_MorphBlend_") + version.Name).c_str(), &Step, version.Blend);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
