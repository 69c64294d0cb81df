// The suite's music: standard MIDI files with tempo maps, written by a small event-list writer.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zindra::suitemaker {

// One event at an absolute tick; Bytes start with the status byte (0x80-0xEF, 0xF0 or 0xFF) and hold
// the event as a file stores it after the delta time, lengths included.
struct MidiEvent {
    std::uint32_t Tick = 0;
    std::vector<std::uint8_t> Bytes;
};

MidiEvent TempoEvent(std::uint32_t tick, std::uint32_t microsPerQuarter);
MidiEvent TextMeta(std::uint32_t tick, std::uint8_t type, const std::string& text);

// An MTrk chunk: events sorted by tick (stable, so equal ticks keep their order), channel messages
// written with running status, an End of Track at endTick (which must not precede the last event).
std::vector<std::uint8_t> TrackChunk(std::vector<MidiEvent> events, std::uint32_t endTick);

// MThd (format, track count, ticks per quarter note) followed by the chunks.
std::vector<std::uint8_t> SmfFile(std::uint16_t format, std::uint16_t ticksPerQuarter,
                                  const std::vector<std::vector<std::uint8_t>>& tracks);

struct MusicPiece {
    std::string File;
    std::uint32_t LengthMs = 0;  // the playing time the piece was composed to have
    std::vector<std::uint8_t> Bytes;
};

// mm8-select.mid (20 s), track-a.mid, track-b.mid and track-c.mid, each with a tempo change inside a
// track; track-c changes tempo in a note track, not in the first one.
std::vector<MusicPiece> ComposeMusic();

// Writes every piece into outDir/Music.
void WriteMusic(const std::filesystem::path& outDir);

}  // namespace zindra::suitemaker
