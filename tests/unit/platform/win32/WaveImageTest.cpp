// The check of WAV memory images: whole ones pass, any size reaching past the bytes fails.
#include "platform/win32/WaveImage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace zindra::platform::win32 {
namespace {

void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* tag, std::uint32_t declared, std::size_t real) {
    out.insert(out.end(), tag, tag + 4);
    PutLe32(out, declared);
    out.insert(out.end(), real, 0x11);
}

// RIFF header with a size that matches whatever follows (fixed up by Seal).
std::vector<std::uint8_t> Header() {
    std::vector<std::uint8_t> out;
    const char riff[] = "RIFF\0\0\0\0WAVE";
    out.insert(out.end(), riff, riff + 12);
    return out;
}

std::vector<std::uint8_t> Seal(std::vector<std::uint8_t> image) {
    const auto size = static_cast<std::uint32_t>(image.size() - 8);
    std::memcpy(image.data() + 4, &size, 4);
    return image;
}

std::vector<std::uint8_t> Whole() {
    auto image = Header();
    PutChunk(image, "fmt ", 16, 16);
    PutChunk(image, "data", 4, 4);
    return Seal(image);
}

bool Check(const std::vector<std::uint8_t>& image) {
    return WaveImageIsWhole(image.data(), image.size());
}

TEST(WaveImage, AWholeImagePasses) {
    EXPECT_TRUE(Check(Whole()));
}

TEST(WaveImage, ADataChunkCutShortFails) {
    auto image = Header();
    PutChunk(image, "fmt ", 16, 16);
    PutChunk(image, "data", 400, 4);  // claims more samples than there are
    EXPECT_FALSE(Check(Seal(image)));
}

TEST(WaveImage, ARiffSizeBeyondTheBytesFails) {
    auto image = Whole();
    image.pop_back();  // the RIFF size still counts the last byte
    EXPECT_FALSE(Check(image));
}

TEST(WaveImage, SizesNearTheLimitDoNotWrapAround) {
    auto image = Header();
    PutChunk(image, "LIST", 0xFFFFFFFFu, 0);
    PutChunk(image, "fmt ", 16, 16);
    PutChunk(image, "data", 4, 4);
    EXPECT_FALSE(Check(Seal(image)));
    auto riff = Whole();
    const std::uint32_t huge = 0xFFFFFFFFu;
    std::memcpy(riff.data() + 4, &huge, 4);
    EXPECT_FALSE(Check(riff));
}

TEST(WaveImage, TheFormatMustComeFirstAndBeLongEnough) {
    auto dataFirst = Header();
    PutChunk(dataFirst, "data", 4, 4);
    PutChunk(dataFirst, "fmt ", 16, 16);
    EXPECT_FALSE(Check(Seal(dataFirst)));
    auto shortFormat = Header();
    PutChunk(shortFormat, "fmt ", 14, 14);
    PutChunk(shortFormat, "data", 4, 4);
    EXPECT_FALSE(Check(Seal(shortFormat)));
    auto noData = Header();
    PutChunk(noData, "fmt ", 16, 16);
    EXPECT_FALSE(Check(Seal(noData)));
}

TEST(WaveImage, OddChunksAreFollowedByTheirPadByte) {
    auto padded = Header();
    PutChunk(padded, "fmt ", 16, 16);
    PutChunk(padded, "note", 3, 4);  // three bytes and the pad
    PutChunk(padded, "data", 4, 4);
    EXPECT_TRUE(Check(Seal(padded)));
    auto unpadded = Header();
    PutChunk(unpadded, "fmt ", 16, 16);
    PutChunk(unpadded, "note", 3, 3);  // the next chunk's tag is read one byte late
    PutChunk(unpadded, "data", 4, 4);
    EXPECT_FALSE(Check(Seal(unpadded)));
}

TEST(WaveImage, AnythingElseFails) {
    EXPECT_FALSE(WaveImageIsWhole(nullptr, 100));
    auto image = Whole();
    EXPECT_FALSE(WaveImageIsWhole(image.data(), 11));
    image[8] = 'X';  // not WAVE
    EXPECT_FALSE(Check(image));
    const std::string text = "not a sound at all, just some text";
    EXPECT_FALSE(WaveImageIsWhole(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace
}  // namespace zindra::platform::win32
