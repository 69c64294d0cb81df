// The copy of a WAV image the system's player gets: sizes cut to the bytes present, so the odd
// files every other player plays play here too, and nothing outside the image is ever read.
#include "platform/win32/WaveImage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/ByteOrder.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Audio.h"
#include "support/OddWaves.h"

namespace zindra::platform::win32 {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The image placed so that it ends where a page that may not be read begins: any read past its
// end faults at once.
class GuardedImage {
public:
    explicit GuardedImage(const Bytes& bytes) {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        const std::size_t page = info.dwPageSize;
        pages_ = (bytes.size() + page - 1) / page + 1;
        base_ = static_cast<std::uint8_t*>(VirtualAlloc(nullptr, pages_ * page, MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        if (base_) VirtualProtect(base_ + (pages_ - 1) * page, page, PAGE_NOACCESS, &old);
        data_ = base_ ? base_ + (pages_ - 1) * page - bytes.size() : nullptr;
        if (data_) std::memcpy(data_, bytes.data(), bytes.size());
    }
    ~GuardedImage() {
        if (base_) VirtualFree(base_, 0, MEM_RELEASE);
    }
    GuardedImage(const GuardedImage&) = delete;
    GuardedImage& operator=(const GuardedImage&) = delete;
    const std::uint8_t* Data() const { return data_; }

private:
    std::uint8_t* base_ = nullptr;
    std::uint8_t* data_ = nullptr;
    std::size_t pages_ = 0;
};

// The copy read back independently: RIFF size, the format chunk first, the data chunk next.
void ExpectPlayable(const Bytes& copy, const Bytes& samples, const std::string& name) {
    ASSERT_GE(copy.size(), 44u) << name;
    EXPECT_EQ(std::string(copy.begin(), copy.begin() + 4), "RIFF") << name;
    EXPECT_EQ(GetLe32(copy.data() + 4), copy.size() - 8) << name;
    EXPECT_EQ(std::string(copy.begin() + 8, copy.begin() + 16), "WAVEfmt ") << name;
    const std::uint32_t formatLength = GetLe32(copy.data() + 16);
    ASSERT_GE(formatLength, 16u) << name;
    const std::size_t data = 20 + formatLength + (formatLength & 1);
    ASSERT_LE(data + 8, copy.size()) << name;
    EXPECT_EQ(std::string(copy.begin() + data, copy.begin() + data + 4), "data") << name;
    const std::uint32_t length = GetLe32(copy.data() + data + 4);
    ASSERT_EQ(length, samples.size()) << name;
    EXPECT_EQ(Bytes(copy.begin() + data + 8, copy.begin() + data + 8 + length), samples) << name;
    EXPECT_EQ(copy.size(), data + 8 + length + (length & 1)) << name;
}

TEST(WaveImage, OddFilesGetACopyWithTheSizesOfTheBytesPresent) {
    for (const auto& wave : testing::OddWaves()) {
        const GuardedImage image(wave.Bytes);
        ASSERT_NE(image.Data(), nullptr);
        const auto copy = PlayableWaveImage(image.Data(), wave.Bytes.size());
        ASSERT_TRUE(copy) << wave.Name;
        ExpectPlayable(*copy, wave.Samples, wave.Name);
    }
}

// The system's player plays them all, as the simulated desktop does. Played to the end before
// the call returns, so the answer is the player's verdict (the checks under Wine give it a device
// that plays into nothing); without a device, Play is false everywhere and there is nothing to see.
TEST(WaveImage, TheSystemPlaysEveryOddFile) {
    Win32Audio audio;
    if (audio.WaveOutDeviceCount() == 0) GTEST_SKIP() << "no wave output device";
    for (const auto& wave : testing::OddWaves())
        EXPECT_TRUE(audio.PlaySoundMemory(wave.Bytes.data(), wave.Bytes.size(), SND_NODEFAULT)) << wave.Name;
    const auto whole = testing::OddWaves().front().Bytes;
    EXPECT_TRUE(audio.PlaySoundMemory(whole.data(), whole.size(), SND_ASYNC | SND_NODEFAULT));
    EXPECT_TRUE(audio.StopSound());
}

TEST(WaveImage, WhatIsNoWaveOrHasNoWholeFormatIsRefused) {
    using namespace testing::oddwaves;
    Bytes shortFormat;
    PutChunk(shortFormat, "fmt ", 14, Bytes(14, 1));
    PutChunk(shortFormat, "data", 4, Bytes(4, 2));
    Bytes formatCut;
    PutChunk(formatCut, "fmt ", 16, Bytes(10, 1));  // the file ends inside it
    Bytes dataOnly;
    PutChunk(dataOnly, "data", 4, Bytes(4, 2));
    Bytes notWave = Riff(kRight, FormatAndData(4, Bytes(4, 2)));
    notWave[8] = 'X';
    const std::string text = "not a sound at all, just some text";
    const Bytes cases[] = {Riff(kRight, shortFormat),       Riff(kRight, formatCut), Riff(kRight, dataOnly), notWave,
                           Bytes(text.begin(), text.end()), Bytes(11, 'R')};
    for (const Bytes& bytes : cases) {
        const GuardedImage image(bytes);
        EXPECT_FALSE(PlayableWaveImage(image.Data(), bytes.size())) << std::string(bytes.begin(), bytes.end());
    }
    EXPECT_FALSE(PlayableWaveImage(nullptr, 100));
}

TEST(WaveImage, AChunkSizeNearTheLimitEndsTheWalkWithoutWrapping) {
    using namespace testing::oddwaves;
    Bytes chunks;
    PutChunk(chunks, "fmt ", 16, Format());
    PutChunk(chunks, "LIST", 0xFFFFFFFFu, {});
    PutChunk(chunks, "data", 4, Bytes(4, 2));  // hidden behind the list's claimed size
    const Bytes bytes = Riff(0xFFFFFFFFu, chunks);
    const GuardedImage image(bytes);
    const auto copy = PlayableWaveImage(image.Data(), bytes.size());
    ASSERT_TRUE(copy);
    ExpectPlayable(*copy, {}, "list claiming 4 GB");
}

}  // namespace
}  // namespace zindra::platform::win32
