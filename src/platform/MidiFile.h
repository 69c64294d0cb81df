// Playing time of a standard MIDI file, for the simulated sequencer and the suite check.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace zindra::platform {

// The time of the last event (End of Track included) of the longest track, in whole milliseconds
// (rounded down). Formats 0, 1 and 2; division in ticks per quarter note or SMPTE frames. Tempo starts
// at 500000 us a quarter; in formats 0 and 1 a tempo event of any track applies to all, in format 2
// each track keeps its own. Nothing for any defect: a bad or truncated chunk, a track that does not
// parse to its chunk's end, no tracks, or a playing time past what 32 bits of milliseconds hold.
std::optional<std::uint32_t> MidiLengthMs(std::span<const std::uint8_t> data);

}  // namespace zindra::platform
