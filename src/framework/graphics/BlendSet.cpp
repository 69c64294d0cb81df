// The choice of blending set: once, on first use, from the processor's features, ZINDRA_SCALAR
// and ZINDRA_BLEND.
#include "framework/graphics/BlendSet.h"

#include <atomic>
#include <cstdlib>
#include <string_view>

#include "framework/graphics/BlendRoutines.h"
#include "framework/graphics/PixelProcessor.h"

namespace zindra::blend {

namespace {

#if defined(__x86_64__) || defined(_M_X64)
constexpr bool kX64 = true;
#else
constexpr bool kX64 = false;
#endif

std::atomic<const BlendSet*>& Active() {
    static std::atomic<const BlendSet*> active{ScalarForced() ? &PlainSet()
                                                              : &ChooseBlendSet(std::getenv("ZINDRA_BLEND"))};
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
    static const BlendSet* const set = kX64 && ProbedFeatures().Avx2 ? BuildAvx2Set() : nullptr;
    return set;
}

const BlendSet& UseBlendSet(const BlendSet& set) {
    return *Active().exchange(&set);
}

}  // namespace zindra::blend
