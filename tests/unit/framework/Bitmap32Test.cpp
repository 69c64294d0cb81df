// Tests of the raster's size limits: what is admitted, and what a refused size leaves behind.
#include "framework/graphics/Bitmap32.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "framework/Exception.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace zindra {
namespace {

TEST(Bitmap32, SidesUpTo65535AreAdmitted) {
    for (const auto& [w, h] : {std::pair{65535, 1}, std::pair{1, 65535}, std::pair{65535, 3}}) {
        const Bitmap32 b(w, h, 7);
        EXPECT_EQ(b.Width(), w);
        EXPECT_EQ(b.Height(), h);
        EXPECT_EQ(b.At(w - 1, h - 1), 7u);
    }
}

TEST(Bitmap32, ARefusedSizeThrowsAndLeavesItEmpty) {
    for (const auto& [w, h] : {std::pair{65536, 1}, std::pair{1, 65536}, std::pair{-1, 5}, std::pair{5, -1}}) {
        Bitmap32 b(4, 4);
        EXPECT_THROW(b.Resize(w, h), EInvalidGraphic) << w << " x " << h;
        EXPECT_TRUE(b.Empty());
        EXPECT_EQ(b.Width(), 0);
        EXPECT_EQ(b.Height(), 0);
    }
}

#if defined(__linux__)
bool UnderASanitizer() {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
    return true;
#endif
#endif
    return false;
}

// In a child process: holds the address space to 2 GiB, asks for 60000 x 60000 pixels (13.4 GiB)
// and exits 0 when the raster refused them as it should; otherwise says why.
[[noreturn]] void AskForTooMuchThenExit() {
    const rlimit limit{2ull << 30, 2ull << 30};
    if (setrlimit(RLIMIT_AS, &limit) != 0) {
        std::fputs("setrlimit failed\n", stderr);
        _exit(2);
    }
    Bitmap32 b(3, 3);
    try {
        b.Resize(60000, 60000);
        std::fputs("the pixels were had\n", stderr);
        _exit(3);
    } catch (const EOutOfResources& e) {
        if (std::string(e.what()) != kSNoPixelMemory) {
            std::fprintf(stderr, "message %s\n", e.what());
            _exit(4);
        }
    }
    if (!b.Empty() || b.Width() != 0 || b.Height() != 0) {
        std::fputs("not left empty\n", stderr);
        _exit(5);
    }
    _exit(0);
}
#endif

// A size within the limit whose memory the system refuses.
TEST(Bitmap32, MemoryThatCannotBeHadThrowsTheRasterMessageAndLeavesItEmpty) {
#if defined(__linux__)
    if (UnderASanitizer()) GTEST_SKIP() << "sanitizers reserve address space of their own";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(AskForTooMuchThenExit(), ::testing::ExitedWithCode(0), "");
#else
    GTEST_SKIP() << "address-space limits are a Linux test";
#endif
}

}  // namespace
}  // namespace zindra
