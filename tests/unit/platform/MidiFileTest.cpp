// Timing standard MIDI files: tempo maps, running status, SMPTE time, and every kind of broken file.
#include "platform/MidiFile.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace zindra::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

Bytes Chunk(const std::string& tag, const Bytes& body) {
    const auto n = static_cast<std::uint32_t>(body.size());
    Bytes out(tag.begin(), tag.end());
    out.insert(out.end(), {std::uint8_t(n >> 24), std::uint8_t(n >> 16), std::uint8_t(n >> 8), std::uint8_t(n)});
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes Header(std::uint16_t format, std::uint16_t tracks, std::uint16_t division) {
    return Chunk("MThd", {0, std::uint8_t(format), std::uint8_t(tracks >> 8), std::uint8_t(tracks),
                          std::uint8_t(division >> 8), std::uint8_t(division)});
}

// A track chunk from raw events, closed by End of Track after `endDelta`.
Bytes Track(const Bytes& events, std::uint8_t endDelta = 0) {
    return Chunk("MTrk", Cat({events, {endDelta, 0xFF, 0x2F, 0x00}}));
}

Bytes Tempo(std::uint8_t delta, std::uint32_t us) {
    return {delta, 0xFF, 0x51, 0x03, std::uint8_t(us >> 16), std::uint8_t(us >> 8), std::uint8_t(us)};
}

// delta 0x60 (96) as one byte; 480 as two (0x83 0x60).
const Bytes kBeat96 = {0x60, 0x90, 60, 100};
const Bytes kBeat480 = {0x83, 0x60, 0x90, 60, 100};

TEST(MidiLengthMs, DefaultTempoIsHalfASecondABeat) {
    EXPECT_EQ(MidiLengthMs(Cat({Header(0, 1, 96), Track(Cat({kBeat96, kBeat96, kBeat96}))})), 1500u);
    EXPECT_EQ(MidiLengthMs(Cat({Header(0, 1, 96), Track({})})), 0u) << "an empty track lasts nothing";
}

TEST(MidiLengthMs, FollowsTempoChangesInsideATrack) {
    // Two beats at 120 bpm, then four at 240 bpm: 1000 + 1000 ms.
    const Bytes events = Cat({kBeat480, kBeat480, Tempo(0, 250000), kBeat480, kBeat480, kBeat480, kBeat480});
    EXPECT_EQ(MidiLengthMs(Cat({Header(0, 1, 480), Track(events)})), 2000u);
}

TEST(MidiLengthMs, LastOfSimultaneousTempoEventsWins) {
    const Bytes events = Cat({Tempo(0, 2000000), Tempo(0, 1000000), kBeat96, kBeat96});
    EXPECT_EQ(MidiLengthMs(Cat({Header(0, 1, 96), Track(events)})), 2000u);
}

TEST(MidiLengthMs, FormatOneTempoFromAnyTrackAppliesToAll) {
    // Notes run to beat 4 in track 1; track 2 slows to 60 bpm at beat 1: 500 + 3 * 1000 ms.
    const Bytes notes = Track(Cat({kBeat96, kBeat96, kBeat96, kBeat96}));
    const Bytes tempo = Track(Tempo(0x60, 1000000));
    EXPECT_EQ(MidiLengthMs(Cat({Header(1, 2, 96), notes, tempo})), 3500u);
    EXPECT_EQ(MidiLengthMs(Cat({Header(1, 2, 96), tempo, notes})), 3500u);
}

TEST(MidiLengthMs, FormatTwoTracksKeepTheirOwnTempo) {
    // Track 1: one beat at 60 bpm (1000 ms). Track 2: three beats at the default (1500 ms), not slowed by track 1.
    const Bytes slow = Track(Cat({Tempo(0, 1000000), kBeat96}));
    const Bytes plain = Track(Cat({kBeat96, kBeat96, kBeat96}));
    EXPECT_EQ(MidiLengthMs(Cat({Header(2, 2, 96), slow, plain})), 1500u);
}

TEST(MidiLengthMs, RunningStatusCarriesAcrossDataAndMeta) {
    // Status once, then data pairs alone; a program change (one data byte) and a text meta between.
    const Bytes events = {0x00, 0x90, 60,  100, 0x60, 62, 100,  0x00, 0xC0, 5,  0x60, 7, 0x00, 0xFF,
                          0x01, 0x02, 'h', 'i', 0x60, 9,  0x00, 0xE0, 0,    64, 0x60, 1, 2};
    EXPECT_EQ(MidiLengthMs(Cat({Header(0, 1, 96), Track(events)})), 2000u);
    EXPECT_FALSE(MidiLengthMs(Cat({Header(0, 1, 96), Track({0x00, 60, 100})}))) << "data with no status yet";
    EXPECT_FALSE(MidiLengthMs(Cat({Header(0, 1, 96), Track({0x00, 0x90, 60, 0x90})}))) << "status as data byte";
}

TEST(MidiLengthMs, SkipsSysexAndEscapes) {
    const Bytes events = {0x00, 0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7, 0x60,
                          0xF7, 0x02, 0xF3, 0x01, 0x60, 0x90, 60,   0};
    EXPECT_EQ(MidiLengthMs(Cat({Header(0, 1, 96), Track(events)})), 1000u);
}

TEST(MidiLengthMs, SmpteDivisionIgnoresTempo) {
    // 25 frames of 40 ticks: 1000 ticks a second, whatever the tempo says.
    const Bytes second = {0x87, 0x68, 0x90, 60, 100};  // delta 1000
    const std::uint16_t fps25 = 0xE728;
    EXPECT_EQ(MidiLengthMs(Cat({Header(0, 1, fps25), Track(Cat({Tempo(0, 100000), second, second}))})), 2000u);
    // 29.97 drop frame, one tick a frame: 30000 frames are 1001 seconds.
    const Bytes frames = {0x81, 0xEA, 0x30, 0x90, 60, 100};  // delta 30000
    EXPECT_EQ(MidiLengthMs(Cat({Header(0, 1, 0xE301), Track(frames)})), 1001000u);
    EXPECT_FALSE(MidiLengthMs(Cat({Header(0, 1, 0xE901), Track({})}))) << "23 frames a second";
    EXPECT_FALSE(MidiLengthMs(Cat({Header(0, 1, 0xE700), Track({})}))) << "no ticks a frame";
}

TEST(MidiLengthMs, TrackEndsAtEndOfTrackOrItsLastEvent) {
    const Bytes padded = Chunk("MTrk", Cat({kBeat96, {0x00, 0xFF, 0x2F, 0x00, 0x60, 0x90, 60, 100, 0xAB}}));
    EXPECT_EQ(MidiLengthMs(Cat({Header(0, 1, 96), padded})), 500u) << "bytes after End of Track are padding";
    const Bytes unterminated = Chunk("MTrk", Cat({kBeat96, kBeat96}));
    EXPECT_EQ(MidiLengthMs(Cat({Header(0, 1, 96), unterminated})), 1000u);
}

TEST(MidiLengthMs, SkipsUnknownChunksBetweenTracks) {
    const Bytes file = Cat({Header(1, 2, 96), Chunk("XFIH", {1, 2, 3}), Track(kBeat96), Chunk("ZZZZ", {}),
                            Track(Cat({kBeat96, kBeat96}))});
    EXPECT_EQ(MidiLengthMs(file), 1000u);
}

TEST(MidiLengthMs, EveryTruncationFails) {
    const Bytes file = Cat({Header(1, 2, 480), Track(Cat({Tempo(0, 400000), kBeat480})), Track(kBeat480)});
    ASSERT_EQ(MidiLengthMs(file), 400u);
    for (std::size_t size = 0; size < file.size(); ++size) {
        EXPECT_FALSE(MidiLengthMs({file.data(), size})) << "cut to " << size << " bytes";
    }
}

TEST(MidiLengthMs, RejectsBadHeaders) {
    const Bytes track = Track(kBeat96);
    EXPECT_FALSE(MidiLengthMs(Cat({Chunk("MThx", {0, 0, 0, 1, 0, 96}), track})));
    EXPECT_FALSE(MidiLengthMs(Cat({Chunk("MThd", {0, 0, 0, 1, 0}), track}))) << "header under 6 bytes";
    EXPECT_FALSE(MidiLengthMs(Cat({Header(3, 1, 96), track}))) << "format 3";
    EXPECT_FALSE(MidiLengthMs(Cat({Header(0, 2, 96), track, track}))) << "format 0 with two tracks";
    EXPECT_FALSE(MidiLengthMs(Header(1, 0, 96))) << "no tracks";
    EXPECT_FALSE(MidiLengthMs(Cat({Header(0, 1, 0), track}))) << "zero ticks a quarter";
    EXPECT_EQ(MidiLengthMs(Cat({Chunk("MThd", {0, 0, 0, 1, 0, 96, 0xAA, 0xBB}), track})), 500u)
        << "a longer header keeps its extra bytes to itself";
}

TEST(MidiLengthMs, RejectsBadChunksAndEvents) {
    const Bytes head = Header(0, 1, 96);
    EXPECT_FALSE(MidiLengthMs(Cat({head, Chunk("MT\x01k", {}), Track({})}))) << "unprintable chunk tag";
    EXPECT_FALSE(MidiLengthMs(Cat({head, Header(0, 1, 96), Track({})}))) << "a second header";
    EXPECT_FALSE(MidiLengthMs(Cat({head, Track({0x00, 0xF1, 0x00})}))) << "system common in a file";
    EXPECT_FALSE(MidiLengthMs(Cat({head, Track({0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1})}))) << "tempo of two bytes";
    EXPECT_FALSE(MidiLengthMs(Cat({head, Track(Tempo(0, 0))}))) << "tempo zero";
    EXPECT_FALSE(MidiLengthMs(Cat({head, Track({0x00, 0xFF, 0x01, 0x10, 'a'})}))) << "meta runs past its track";
    EXPECT_FALSE(MidiLengthMs(Cat({head, Track({0x00, 0xF0, 0x8F, 0xFF, 0xFF, 0x7F})}))) << "huge sysex length";
    const Bytes huge = {'M', 'T', 'r', 'k', 0xFF, 0xFF, 0xFF, 0xF0, 0x00, 0xFF, 0x2F, 0x00};
    EXPECT_FALSE(MidiLengthMs(Cat({head, huge}))) << "chunk length far past the data";
}

TEST(MidiLengthMs, VariableLengthQuantitiesStopAtFourBytes) {
    const Bytes four = {0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 100};  // 0x0FFFFFFF ticks
    EXPECT_EQ(MidiLengthMs(Cat({Header(0, 1, 1000), Track(four)})), 134217727u);
    const Bytes five = {0x80, 0x80, 0x80, 0x80, 0x00, 0x90, 60, 100};
    EXPECT_FALSE(MidiLengthMs(Cat({Header(0, 1, 1000), Track(five)})));
}

TEST(MidiLengthMs, PlayingTimePast32BitsOfMillisecondsIsRefused) {
    // Each event: 0x0FFFFFFF ticks at one tick a quarter and the slowest tempo, about 52 days apiece.
    Bytes events = Tempo(0, 0xFFFFFF);
    for (int i = 0; i < 3; ++i) {
        events.insert(events.end(), {0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 100});
    }
    EXPECT_FALSE(MidiLengthMs(Cat({Header(0, 1, 1), Track(events)})));
    // The same tempo for 256 quarters stays in range: 4294967.04 ms, rounded down.
    EXPECT_EQ(MidiLengthMs(Cat({Header(0, 1, 1), Track(Cat({Tempo(0, 0xFFFFFF), {0x82, 0x00, 0x90, 60, 100}}))})),
              4294967u);
}

}  // namespace
}  // namespace zindra::platform
