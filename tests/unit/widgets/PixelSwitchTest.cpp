// The one switch of all pixel code: with ZINDRA_SCALAR=1 (this test runs a second time under it,
// see tests/CMakeLists.txt) the blending sets, the PNG kernels and the morph blend all use their
// plain routines; without it each takes the fastest this processor runs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "framework/graphics/BlendSet.h"
#include "framework/graphics/PixelProcessor.h"
#include "imaging/PngKernels.h"
#include "widgets/MorphBlend.h"

namespace zindra {
namespace {

TEST(PixelSwitch, ScalarSwitchForcesThePlainRoutinesEverywhere) {
    const char* value = std::getenv("ZINDRA_SCALAR");
    const bool forced = value != nullptr && std::strcmp(value, "1") == 0;
    ASSERT_EQ(ScalarForced(), forced) << "ZINDRA_SCALAR=" << (value ? value : "(unset)");
    const ProcessorFeatures& in = PixelFeatures();
    if (forced) {
        EXPECT_FALSE(in.Sse2 || in.Sse41 || in.Pclmul || in.Avx2) << "forced scalar, yet features are on offer";
        EXPECT_EQ(&blend::Blender(), &blend::PlainSet());
        EXPECT_STREQ(ActiveKernels().Name, ScalarKernels().Name);
        EXPECT_STREQ(morph::ActiveBlend().Name, "words");
        return;
    }
    const ProcessorFeatures& probed = ProbedFeatures();
    EXPECT_EQ(in.Sse2, probed.Sse2);
    EXPECT_EQ(in.Avx2, probed.Avx2);
    if (std::getenv("ZINDRA_BLEND") == nullptr) {
        EXPECT_EQ(&blend::Blender(), &blend::ChooseBlendSet(nullptr));
    }
    const PngKernels* vector = VectorKernels();
    EXPECT_STREQ(ActiveKernels().Name, vector ? vector->Name : ScalarKernels().Name);
    EXPECT_STREQ(morph::ActiveBlend().Name, morph::AvailableBlends().back().Name);
#if defined(__x86_64__) || defined(_M_X64)
    EXPECT_TRUE(probed.Sse2) << "every x86-64 processor has SSE2";
#endif
}

}  // namespace
}  // namespace zindra
