// Composes the demo suite's MIDI tracks: fixed, seeded tunes over hand-set tempo maps.
#include "Music.h"

#include <algorithm>

#include "JpegOut.h"
#include "SuiteError.h"

namespace zindra::suitemaker {

namespace {

void PutVlq(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) {
        out.push_back(groups[--count] | 0x80);
    }
    out.push_back(groups[0]);
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(v >> shift));
    }
}

void PutChunk(std::vector<std::uint8_t>& out, const char* tag, const std::vector<std::uint8_t>& body) {
    out.insert(out.end(), tag, tag + 4);
    Put32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
}

MidiEvent Channel(std::uint32_t tick, std::uint8_t status, std::uint8_t a, std::uint8_t b) {
    return {tick, {status, a, b}};
}

struct Tune {
    std::uint8_t Channel = 0;
    std::uint8_t Program = 0;
    std::uint8_t Root = 60;
    std::uint32_t Seed = 1;
};

// Notes of 1, 1/2, 1/2, 1 and 2 beats in turn, pentatonic pitches from a seeded generator; the last
// note is cut so the tune ends exactly at `beats`.
std::vector<MidiEvent> Melody(const Tune& tune, std::uint32_t beats, std::uint16_t tpq) {
    static constexpr std::uint8_t kScale[] = {0, 2, 4, 7, 9, 12, 14, 16};
    static constexpr std::uint32_t kHalfBeats[] = {2, 1, 1, 2, 4};
    std::vector<MidiEvent> events{{0, {static_cast<std::uint8_t>(0xC0 | tune.Channel), tune.Program}}};
    const std::uint32_t end = beats * tpq;
    std::uint32_t seed = tune.Seed;
    for (std::uint32_t tick = 0, k = 0; tick < end; ++k) {
        seed = seed * 1103515245u + 12345u;
        const auto pitch = static_cast<std::uint8_t>(tune.Root + kScale[(seed >> 16) % 8]);
        const std::uint32_t stop = std::min(end, tick + kHalfBeats[k % 5] * tpq / 2);
        events.push_back(Channel(tick, 0x90 | tune.Channel, pitch, 96));
        events.push_back(Channel(stop, 0x90 | tune.Channel, pitch, 0));
        tick = stop;
    }
    return events;
}

std::vector<MidiEvent> Join(std::vector<MidiEvent> a, const std::vector<MidiEvent>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

MusicPiece SelectTune() {
    // 16 beats at 120 bpm, then 30 at 150 bpm: 8 s + 12 s.
    constexpr std::uint16_t tpq = 480;
    const std::vector<MidiEvent> tempo = {TextMeta(0, 0x03, "Zindra select"), TempoEvent(0, 500000),
                                          TempoEvent(16 * tpq, 400000)};
    const auto melody = Melody({0, 0, 60, 7}, 46, tpq);
    return {"mm8-select.mid", 20000, SmfFile(1, tpq, {TrackChunk(tempo, 16 * tpq), TrackChunk(melody, 46 * tpq)})};
}

MusicPiece TrackA() {
    // 12 beats at 100 bpm, 30 at 150, 8 at 75: 7.2 s + 12 s + 6.4 s; starts with a GM reset.
    constexpr std::uint16_t tpq = 480;
    const std::vector<MidiEvent> tempo = {TempoEvent(0, 600000), TempoEvent(12 * tpq, 400000),
                                          TempoEvent(42 * tpq, 800000)};
    auto melody = Melody({1, 11, 67, 21}, 50, tpq);
    melody.insert(melody.begin(), MidiEvent{0, {0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7}});
    return {"track-a.mid", 25600, SmfFile(1, tpq, {TrackChunk(tempo, 42 * tpq), TrackChunk(melody, 50 * tpq)})};
}

MusicPiece TrackB() {
    // Format 0 at 96 ticks a beat: 20 beats at 120 bpm, 40 at 200, 8 at 60: 10 s + 12 s + 8 s.
    constexpr std::uint16_t tpq = 96;
    std::vector<MidiEvent> events = {TempoEvent(0, 500000), TempoEvent(20 * tpq, 300000),
                                     TempoEvent(60 * tpq, 1000000)};
    events = Join(events, Melody({0, 24, 62, 99}, 68, tpq));
    events = Join(events, Melody({1, 32, 38, 5}, 60, tpq));
    return {"track-b.mid", 30000, SmfFile(0, tpq, {TrackChunk(events, 68 * tpq)})};
}

MusicPiece TrackC() {
    // The tempo change lives in the melody track: 12 beats at 120 bpm, then 24 at 80 bpm: 6 s + 18 s.
    // The bass track (30 beats) is shorter but must follow the same map.
    constexpr std::uint16_t tpq = 240;
    const std::vector<MidiEvent> first = {TextMeta(0, 0x01, "Zindra demo"), TempoEvent(0, 500000)};
    const auto melody = Join(Melody({0, 73, 72, 3}, 36, tpq), {TempoEvent(12 * tpq, 750000)});
    const auto bass = Melody({2, 33, 36, 11}, 30, tpq);
    return {"track-c.mid", 24000,
            SmfFile(1, tpq, {TrackChunk(first, 0), TrackChunk(melody, 36 * tpq), TrackChunk(bass, 30 * tpq)})};
}

}  // namespace

MidiEvent TempoEvent(std::uint32_t tick, std::uint32_t microsPerQuarter) {
    return {tick,
            {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(microsPerQuarter >> 16),
             static_cast<std::uint8_t>(microsPerQuarter >> 8), static_cast<std::uint8_t>(microsPerQuarter)}};
}

MidiEvent TextMeta(std::uint32_t tick, std::uint8_t type, const std::string& text) {
    MidiEvent e{tick, {0xFF, type}};
    PutVlq(e.Bytes, static_cast<std::uint32_t>(text.size()));
    e.Bytes.insert(e.Bytes.end(), text.begin(), text.end());
    return e;
}

std::vector<std::uint8_t> TrackChunk(std::vector<MidiEvent> events, std::uint32_t endTick) {
    std::stable_sort(events.begin(), events.end(), [](const auto& a, const auto& b) { return a.Tick < b.Tick; });
    if (!events.empty() && events.back().Tick > endTick) {
        throw SuiteError("a MIDI track ends before its last event");
    }
    std::vector<std::uint8_t> body;
    std::uint32_t tick = 0;
    std::uint8_t running = 0;
    for (const MidiEvent& e : events) {
        PutVlq(body, e.Tick - tick);
        tick = e.Tick;
        const std::uint8_t status = e.Bytes.front();
        const bool channel = status < 0xF0;
        const bool skipStatus = channel && status == running;
        running = channel ? status : 0;
        body.insert(body.end(), e.Bytes.begin() + (skipStatus ? 1 : 0), e.Bytes.end());
    }
    PutVlq(body, endTick - tick);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    std::vector<std::uint8_t> chunk;
    PutChunk(chunk, "MTrk", body);
    return chunk;
}

std::vector<std::uint8_t> SmfFile(std::uint16_t format, std::uint16_t ticksPerQuarter,
                                  const std::vector<std::vector<std::uint8_t>>& tracks) {
    const auto count = static_cast<std::uint16_t>(tracks.size());
    std::vector<std::uint8_t> out;
    PutChunk(
        out, "MThd",
        {0, static_cast<std::uint8_t>(format), static_cast<std::uint8_t>(count >> 8), static_cast<std::uint8_t>(count),
         static_cast<std::uint8_t>(ticksPerQuarter >> 8), static_cast<std::uint8_t>(ticksPerQuarter)});
    for (const auto& track : tracks) {
        out.insert(out.end(), track.begin(), track.end());
    }
    return out;
}

std::vector<MusicPiece> ComposeMusic() {
    return {SelectTune(), TrackA(), TrackB(), TrackC()};
}

void WriteMusic(const std::filesystem::path& outDir) {
    for (const MusicPiece& piece : ComposeMusic()) {
        WriteBytes(outDir / "Music" / piece.File, piece.Bytes);
    }
}

}  // namespace zindra::suitemaker
