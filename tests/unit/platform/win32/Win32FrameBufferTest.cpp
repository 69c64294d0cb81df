// The kept window picture: copies clipped to both pictures, only the area asked for.
#include "platform/win32/Win32FrameBuffer.h"

#include <gtest/gtest.h>

namespace zindra::platform::win32 {
namespace {

PixelFrame Numbered(int width, int height) {
    PixelFrame frame(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            frame.At(x, y) = 0xFF000000u | static_cast<Pixel>(y * 256 + x);
    }
    return frame;
}

TEST(Win32FrameBuffer, CopyIsClippedToBothPictures) {
    Win32FrameBuffer buffer;
    ASSERT_TRUE(buffer.Resize(4, 3));
    const PixelFrame blank(4, 3, 0xFF000000u);
    buffer.CopyFrom(blank.View(), {0, 0, 4, 3});
    const PixelFrame frame = Numbered(3, 5);  // narrower and taller than the buffer
    EXPECT_EQ(buffer.CopyFrom(frame.View(), {-1, -1, 10, 10}), (Rect{0, 0, 3, 3}));
    EXPECT_EQ(buffer.At(0, 0), frame.At(0, 0));
    EXPECT_EQ(buffer.At(2, 2), frame.At(2, 2));
    EXPECT_EQ(buffer.At(3, 0), 0xFF000000u);  // beyond the frame's right edge: untouched
}

TEST(Win32FrameBuffer, OnlyTheDirtyAreaIsCopied) {
    Win32FrameBuffer buffer;
    ASSERT_TRUE(buffer.Resize(3, 3));
    const PixelFrame first(3, 3, 0xFF101010u);
    buffer.CopyFrom(first.View(), {0, 0, 3, 3});
    const PixelFrame second = Numbered(3, 3);
    EXPECT_EQ(buffer.CopyFrom(second.View(), {1, 1, 2, 2}), (Rect{1, 1, 2, 2}));
    EXPECT_EQ(buffer.At(1, 1), second.At(1, 1));
    EXPECT_EQ(buffer.At(2, 1), 0xFF101010u);  // the right edge of the area is outside it
    EXPECT_EQ(buffer.At(1, 2), 0xFF101010u);
    EXPECT_EQ(buffer.At(0, 0), 0xFF101010u);
}

TEST(Win32FrameBuffer, EmptyAreasAndEmptyBuffersCopyNothing) {
    Win32FrameBuffer buffer;
    const PixelFrame frame = Numbered(2, 2);
    EXPECT_TRUE(buffer.CopyFrom(frame.View(), {0, 0, 2, 2}).IsEmpty());
    ASSERT_TRUE(buffer.Resize(2, 2));
    EXPECT_TRUE(buffer.CopyFrom(frame.View(), {1, 1, 1, 5}).IsEmpty());
    EXPECT_TRUE(buffer.CopyFrom(frame.View(), {2, 0, 4, 2}).IsEmpty());
}

TEST(Win32FrameBuffer, ResizingToNothingReleasesThePicture) {
    Win32FrameBuffer buffer;
    ASSERT_TRUE(buffer.Resize(5, 5));
    EXPECT_FALSE(buffer.Empty());
    EXPECT_TRUE(buffer.Resize(0, 5));
    EXPECT_TRUE(buffer.Empty());
    EXPECT_EQ(buffer.Width(), 0);
    EXPECT_EQ(buffer.At(0, 0), 0u);
    EXPECT_FALSE(buffer.Resize(-1, 5));
}

TEST(Win32FrameBuffer, PixelsOutsideReadAsZero) {
    Win32FrameBuffer buffer;
    ASSERT_TRUE(buffer.Resize(2, 2));
    EXPECT_EQ(buffer.At(2, 0), 0u);
    EXPECT_EQ(buffer.At(0, -1), 0u);
}

}  // namespace
}  // namespace zindra::platform::win32
