// The generator's parts on their own: drawing and clipping, the layout reader, WAV reading, the MIDI writer.
#include <gtest/gtest.h>

#include <string>

#include "make-suite/Draw.h"
#include "make-suite/LayoutBounds.h"
#include "make-suite/Music.h"
#include "make-suite/Sounds.h"
#include "make-suite/SuiteError.h"
#include "platform/MidiFile.h"

namespace zindra::suitemaker {
namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};

TEST(TRgbImage, BlendAtAlphaEdges) {
    TRgbImage image(2, 1, kBlue);
    image.Blend(0, 0, kRed, 0);
    image.Blend(1, 0, kRed, 255);
    EXPECT_EQ(image.At(0, 0), kBlue);
    EXPECT_EQ(image.At(1, 0), kRed);
    image.Blend(0, 0, {255, 255, 255}, 128);
    EXPECT_EQ(image.At(0, 0), (Rgb{128, 128, 255}));
}

TEST(TRgbImage, FillClipsAtEveryEdgeAndExcludesRightAndBottom) {
    TRgbImage image(4, 3, kBlue);
    image.Fill({-5, -5, 2, 1}, kRed);
    image.Fill({3, 2, 99, 99}, kRed);
    image.Fill({-10, 10, 10, 20}, kRed);  // wholly outside
    const char* expected[] = {"RRBB", "BBBB", "BBBR"};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(image.At(x, y), expected[y][x] == 'R' ? kRed : kBlue) << x << "," << y;
        }
    }
}

TEST(TRgbImage, FrameStaysInsideItsRectangle) {
    TRgbImage image(10, 10, kBlue);
    image.Frame({2, 2, 8, 8}, kRed, 2);
    EXPECT_EQ(image.At(1, 1), kBlue);
    EXPECT_EQ(image.At(2, 2), kRed);
    EXPECT_EQ(image.At(7, 7), kRed);
    EXPECT_EQ(image.At(8, 8), kBlue);
    EXPECT_EQ(image.At(3, 5), kRed);
    EXPECT_EQ(image.At(4, 4), kBlue);
    EXPECT_EQ(image.At(5, 5), kBlue);
}

TEST(TRgbImage, RoundedBoxLeavesItsCornersOpen) {
    TRgbImage image(40, 40, kBlue);
    image.RoundedBox({0, 0, 40, 40}, 12, kRed, kRed, 0);
    EXPECT_EQ(image.At(0, 0), kBlue);
    EXPECT_EQ(image.At(39, 39), kBlue);
    EXPECT_EQ(image.At(20, 0), kRed);
    EXPECT_EQ(image.At(0, 20), kRed);
    EXPECT_EQ(image.At(20, 20), kRed);
}

TEST(LayoutBounds, ReadsNestedObjectsAndSkipsOtherProperties) {
    const auto bounds = ParseLayoutBounds(
        "object Form1: TForm1\r\n  Left = 192\r\n  Top = 107\r\n  Font.Height = -11\r\n"
        "  object option1: TImage\r\n    Left = 88\r\n    Top = 236\r\n    Width = 406\r\n    Height = 55\r\n"
        "  end\r\n  object timer: TTimer\r\n    Interval = 200\r\n  end\r\n"
        "  object edge: TImage\n    Left = -3\n    Top = 0\n    Width = 0\n    Height = 1\n  end\nend\n");
    ASSERT_EQ(bounds.size(), 2u) << "the form and the timer lack bounds";
    EXPECT_EQ(BoundsOf(bounds, "option1"), platform::Rect::FromBounds(88, 236, 406, 55));
    EXPECT_EQ(BoundsOf(bounds, "edge"), (platform::Rect{-3, 0, -3, 1}));
    EXPECT_THROW(BoundsOf(bounds, "timer"), SuiteError);
}

TEST(LayoutBounds, DefectsNameTheLine) {
    auto message = [](const char* text) {
        try {
            ParseLayoutBounds(text);
        } catch (const SuiteError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message("object a: T\n  Left = 1x\nend\n"), "layout line 2: bound is not an integer: 1x");
    EXPECT_EQ(message("object a: T\nend\nend\n"), "layout line 3: 'end' without an object");
    EXPECT_EQ(message("object a: T\n  object b: T\n  end\n"), "layout line 3: object 'a' has no 'end'");
}

TEST(LayoutBounds, TheShippedLayoutHasEveryZone) {
    const auto bounds = ReadLayoutBounds(ZINDRA_SOURCE_DIR "/assets/layouts/TForm1.layout");
    EXPECT_EQ(BoundsOf(bounds, "option6"), platform::Rect::FromBounds(187, 536, 310, 45));
    EXPECT_EQ(BoundsOf(bounds, "langoverlayafr"), platform::Rect::FromBounds(136, 325, 513, 116));
    EXPECT_EQ(BoundsOf(bounds, "musicknop"), platform::Rect::FromBounds(24, 544, 48, 45));
}

std::vector<std::uint8_t> Wav(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                              std::vector<std::uint8_t> data, std::uint32_t claimedDataSize) {
    std::vector<std::uint8_t> out = {'R', 'I', 'F', 'F', 0, 0, 0, 0,   'W', 'A', 'V', 'E', 'L', 'I', 'S', 'T', 3,
                                     0,   0,   0,   1,   2, 3, 0, 'f', 'm', 't', ' ', 16,  0,   0,   0,   1,   0};
    auto put = [&](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        }
    };
    put(channels, 2);
    put(rate, 4);
    put(rate * channels * bits / 8, 4);
    put(channels * bits / 8, 2);
    put(bits, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put(claimedDataSize, 4);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

TEST(DecodeWav, StereoEightBitAt44100BecomesMono22050) {
    // Four stereo frames: the channels average, then every other frame survives the halved rate.
    const auto wav = Wav(2, 44100, 8, {128, 128, 192, 64, 255, 255, 0, 0}, 8);
    const auto mono = DecodeWavToMono22050(wav);
    ASSERT_TRUE(mono.has_value());
    EXPECT_EQ(*mono, (std::vector<std::int16_t>{0, 127 * 256}));
}

TEST(DecodeWav, DataChunkClaimingTooMuchIsCutToTheFile) {
    const auto wav = Wav(1, 22050, 16, {1, 0, 2, 0, 3, 0}, 0xFFFFFFFF);
    EXPECT_EQ(DecodeWavToMono22050(wav), (std::vector<std::int16_t>{1, 2, 3}));
}

TEST(DecodeWav, RejectsWhatItCannotPlay) {
    auto compressed = Wav(1, 22050, 16, {1, 0}, 2);
    compressed[32] = 3;  // IEEE float, not PCM
    EXPECT_FALSE(DecodeWavToMono22050(compressed));
    EXPECT_FALSE(DecodeWavToMono22050(Wav(1, 22050, 24, {1, 0, 0}, 3)));
    auto noFormat = Wav(1, 22050, 16, {1, 0}, 2);
    noFormat[24] = 'x';  // the format chunk becomes an unknown one before "data"
    EXPECT_FALSE(DecodeWavToMono22050(noFormat));
    EXPECT_FALSE(DecodeWavToMono22050(std::vector<std::uint8_t>{'R', 'I', 'F', 'F'}));
}

TEST(EncodeWav, RoundTripsThroughTheReader) {
    const std::vector<std::int16_t> samples = {0, -32768, 32767, -1, 12345};
    EXPECT_EQ(DecodeWavToMono22050(EncodeWav(samples)), samples);
}

TEST(TrackChunk, UsesRunningStatusAndRestartsItAfterMeta) {
    const auto chunk = TrackChunk(
        {{0, {0x90, 60, 100}}, {10, {0x90, 60, 0}}, TempoEvent(10, 400000), {10, {0x90, 62, 90}}, {200, {0x80, 62, 0}}},
        300);
    const std::vector<std::uint8_t> body(chunk.begin() + 8, chunk.end());
    EXPECT_EQ(body,
              (std::vector<std::uint8_t>{0x00, 0x90, 60, 100, 10,   60,   0,    0,  0xFF, 0x51, 3,    0x06, 0x1A, 0x80,
                                         0,    0x90, 62, 90,  0x81, 0x3E, 0x80, 62, 0,    100,  0xFF, 0x2F, 0}));
    EXPECT_EQ(chunk[7], body.size());
}

TEST(TrackChunk, RefusesAnEndBeforeTheLastEvent) {
    EXPECT_THROW(TrackChunk({{50, {0x90, 60, 100}}}, 49), SuiteError);
}

TEST(TrackChunk, TimesOutThroughTheReader) {
    // 0x0FFFFFFF ticks is the longest delta four bytes hold; at 1000 ticks a quarter and the default tempo it
    // lasts 134217727.5 ms.
    const auto file = SmfFile(0, 1000, {TrackChunk({}, 0x0FFFFFFF)});
    EXPECT_EQ(platform::MidiLengthMs(file), 134217727u);
}

}  // namespace
}  // namespace zindra::suitemaker
