// One probe of the processor for all pixel code (blending sets, PNG kernels, morph blends).
#include "framework/graphics/PixelProcessor.h"

#include <cstdlib>
#include <cstring>

#if defined(_MSC_VER) && defined(_M_X64)
#include <immintrin.h>
#include <intrin.h>
#endif

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define ZINDRA_HAS_ZEROUPPER 1
#define ZINDRA_AVX __attribute__((target("avx")))
#elif defined(_MSC_VER) && defined(_M_X64)
#define ZINDRA_HAS_ZEROUPPER 1
#define ZINDRA_AVX
#endif

namespace zindra {

namespace {

#ifdef ZINDRA_HAS_ZEROUPPER
ZINDRA_AVX void ZeroUpper() {
    _mm256_zeroupper();
}
#endif

ProcessorFeatures Probe() {
    ProcessorFeatures f;
#if defined(_MSC_VER) && defined(_M_X64)
    int regs[4];
    __cpuid(regs, 0);
    const int highest = regs[0];
    __cpuid(regs, 1);
    f.Sse2 = (regs[3] & (1 << 26)) != 0;
    f.Sse41 = (regs[2] & (1 << 19)) != 0;
    f.Pclmul = (regs[2] & (1 << 1)) != 0;
    const bool osSaves = (regs[2] & (1 << 27)) != 0 && (regs[2] & (1 << 28)) != 0;
    if (highest >= 7) {
        __cpuidex(regs, 7, 0);
        f.Avx2 = osSaves && (_xgetbv(0) & 6) == 6 && (regs[1] & (1 << 5)) != 0;
        f.Bmi2 = (regs[1] & (1 << 8)) != 0;
    }
#elif (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
    // The compiler's run-time check also asks the system (XGETBV) before it reports AVX2.
    __builtin_cpu_init();
    f.Sse2 = __builtin_cpu_supports("sse2");
    f.Sse41 = __builtin_cpu_supports("sse4.1");
    f.Pclmul = __builtin_cpu_supports("pclmul");
    f.Avx2 = __builtin_cpu_supports("avx2");
    f.Bmi2 = __builtin_cpu_supports("bmi2");
#endif
    return f;
}

}  // namespace

const ProcessorFeatures& ProbedFeatures() {
    static const ProcessorFeatures probed = Probe();
    return probed;
}

bool ScalarForced() {
    static const bool forced = [] {
        const char* value = std::getenv("ZINDRA_SCALAR");
        return value != nullptr && std::strcmp(value, "1") == 0;
    }();
    return forced;
}

void ClearUpperVectorState() {
#ifdef ZINDRA_HAS_ZEROUPPER
    if (ProbedFeatures().Avx2) ZeroUpper();
#endif
}

const ProcessorFeatures& PixelFeatures() {
    static const ProcessorFeatures none;
    return ScalarForced() ? none : ProbedFeatures();
}

}  // namespace zindra
