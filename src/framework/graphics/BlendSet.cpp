// The choice of blending set: once, on first use, from the processor's features and ZINDRA_BLEND.
#include "framework/graphics/BlendSet.h"

#include <atomic>
#include <cstdlib>
#include <string_view>

#include "framework/graphics/BlendRoutines.h"

#if defined(_MSC_VER) && defined(_M_X64)
#include <immintrin.h>
#include <intrin.h>
#endif

namespace zindra::blend {

namespace {

#if defined(__x86_64__) || defined(_M_X64)
constexpr bool kX64 = true;
#else
constexpr bool kX64 = false;
#endif

// AVX2 instructions and the system saving the 256-bit registers across task switches.
bool ProcessorHasAvx2() {
#if defined(_MSC_VER) && defined(_M_X64)
    int regs[4];
    __cpuid(regs, 0);
    if (regs[0] < 7) return false;
    __cpuid(regs, 1);
    const bool osSaves = (regs[2] & (1 << 27)) != 0 && (regs[2] & (1 << 28)) != 0;
    if (!osSaves || (_xgetbv(0) & 6) != 6) return false;
    __cpuidex(regs, 7, 0);
    return (regs[1] & (1 << 5)) != 0;
#elif defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    // The compiler's run-time check also asks the system (XGETBV) before it reports AVX2.
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

std::atomic<const BlendSet*>& Active() {
    static std::atomic<const BlendSet*> active{&ChooseBlendSet(std::getenv("ZINDRA_BLEND"))};
    return active;
}

}  // namespace

const BlendSet& ChooseBlendSet(const char* request) {
    const std::string_view wanted = request ? request : "";
    if (wanted == "plain" || !kX64) return PlainSet();
    if (wanted != "sse2") {
        if (const BlendSet* set = Avx2Set()) return *set;
    }
    if (const BlendSet* set = Sse2Set()) return *set;
    return PlainSet();
}

const BlendSet& Blender() {
    return *Active().load(std::memory_order_relaxed);
}

const BlendSet* Sse2Set() {
    return kX64 ? BuildSse2Set() : nullptr;
}

const BlendSet* Avx2Set() {
    static const BlendSet* const set = kX64 && ProcessorHasAvx2() ? BuildAvx2Set() : nullptr;
    return set;
}

const BlendSet& UseBlendSet(const BlendSet& set) {
    return *Active().exchange(&set);
}

}  // namespace zindra::blend
