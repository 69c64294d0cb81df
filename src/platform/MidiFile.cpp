// Standard MIDI file walker: chunks, track events and the tempo map, just far enough to time the file.
#include "platform/MidiFile.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <vector>

namespace zindra::platform {

namespace {

constexpr std::uint32_t kDefaultTempo = 500000;  // us a quarter note: 120 beats a minute
constexpr std::uint64_t kMax64 = std::numeric_limits<std::uint64_t>::max();

// A bounds-checked big-endian cursor; every read fails rather than run past the end.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> data) : data_(data) {}
    bool AtEnd() const { return at_ == data_.size(); }
    std::size_t Left() const { return data_.size() - at_; }

    std::optional<std::span<const std::uint8_t>> Take(std::size_t n) {
        if (n > Left()) {
            return std::nullopt;
        }
        const auto out = data_.subspan(at_, n);
        at_ += n;
        return out;
    }
    std::optional<std::uint32_t> Number(std::size_t bytes) {
        const auto raw = Take(bytes);
        if (!raw) {
            return std::nullopt;
        }
        std::uint32_t v = 0;
        for (std::uint8_t b : *raw) {
            v = (v << 8) | b;
        }
        return v;
    }
    // SMF 1.0: a variable-length quantity is at most four bytes (0x0FFFFFFF).
    std::optional<std::uint32_t> Vlq() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const auto b = Number(1);
            if (!b) {
                return std::nullopt;
            }
            v = (v << 7) | (*b & 0x7F);
            if ((*b & 0x80) == 0) {
                return v;
            }
        }
        return std::nullopt;
    }

private:
    std::span<const std::uint8_t> data_;
    std::size_t at_ = 0;
};

struct TempoChange {
    std::uint64_t Tick = 0;
    std::uint32_t Tempo = 0;
};

struct TrackScan {
    std::uint64_t EndTick = 0;
    std::vector<TempoChange> Tempos;
};

// Reads a meta event after its 0xFF; records tempo, reports End of Track.
bool ReadMeta(Reader& r, std::uint64_t tick, TrackScan& scan, bool& endOfTrack) {
    const auto type = r.Number(1);
    const auto length = type ? r.Vlq() : std::nullopt;
    const auto body = length ? r.Take(*length) : std::nullopt;
    if (!body) {
        return false;
    }
    if (*type == 0x51) {
        if (body->size() != 3) {
            return false;
        }
        const std::uint32_t tempo = ((*body)[0] << 16) | ((*body)[1] << 8) | (*body)[2];
        if (tempo == 0) {
            return false;
        }
        scan.Tempos.push_back({tick, tempo});
    }
    endOfTrack = *type == 0x2F;
    return true;
}

// Reads a channel message whose status is known; `first` is its first data byte when running status
// already consumed it.
bool ReadChannelData(Reader& r, std::uint8_t status, std::optional<std::uint8_t> first) {
    const int count = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
    for (int i = first ? 1 : 0; i < count; ++i) {
        const auto b = r.Number(1);
        if (!b || *b >= 0x80) {
            return false;
        }
    }
    return true;
}

std::optional<TrackScan> ScanTrack(std::span<const std::uint8_t> body) {
    Reader r(body);
    TrackScan scan;
    std::uint8_t running = 0;
    while (!r.AtEnd()) {
        const auto delta = r.Vlq();
        const auto lead = delta ? r.Number(1) : std::nullopt;
        if (!lead) {
            return std::nullopt;
        }
        scan.EndTick += *delta;
        const auto byte = static_cast<std::uint8_t>(*lead);
        bool ok = true;
        bool endOfTrack = false;
        if (byte == 0xFF) {
            // NOTE: meta and sysex events leave running status alone. The format says they cancel it,
            // but no conforming file relies on that, and some writers do keep it across them.
            ok = ReadMeta(r, scan.EndTick, scan, endOfTrack);
        } else if (byte == 0xF0 || byte == 0xF7) {
            const auto length = r.Vlq();
            ok = length && r.Take(*length);
        } else if (byte >= 0xF0) {
            return std::nullopt;  // system common and real-time messages have no place in a file
        } else if (byte >= 0x80) {
            running = byte;
            ok = ReadChannelData(r, byte, std::nullopt);
        } else {
            ok = running != 0 && ReadChannelData(r, running, byte);
        }
        if (!ok) {
            return std::nullopt;
        }
        if (endOfTrack) {
            break;  // bytes after End of Track are padding
        }
    }
    return scan;
}

// The duration of one tick is Numerator / Denominator microseconds (times the tempo, for metrical time).
struct Division {
    bool Smpte = false;
    std::uint64_t Numerator = 1;
    std::uint64_t Denominator = 1;
};

std::optional<Division> ReadDivision(std::uint32_t raw) {
    if ((raw & 0x8000) == 0) {
        return raw == 0 ? std::nullopt : std::optional(Division{false, 1, raw});
    }
    const int fps = -static_cast<int>(static_cast<std::int8_t>(raw >> 8));
    const std::uint32_t ticksPerFrame = raw & 0xFF;
    if (ticksPerFrame == 0 || (fps != 24 && fps != 25 && fps != 29 && fps != 30)) {
        return std::nullopt;
    }
    // 29 stands for 30000/1001 frames a second: a tick is 1001e6 / (30000 * tpf) = 100100 / (3 * tpf) us.
    if (fps == 29) {
        return Division{true, 100100, 3ull * ticksPerFrame};
    }
    return Division{true, 1000000, static_cast<std::uint64_t>(fps) * ticksPerFrame};
}

bool AddProduct(std::uint64_t& total, std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > kMax64 / a) {
        return false;
    }
    const std::uint64_t product = a * b;
    if (product > kMax64 - total) {
        return false;
    }
    total += product;
    return true;
}

// Milliseconds up to endTick; tempos must be sorted by tick (ties: the last one wins).
std::optional<std::uint32_t> TimeAt(std::uint64_t endTick, const std::vector<TempoChange>& tempos, const Division& d) {
    std::uint64_t total = 0;  // in microseconds times d.Denominator
    if (d.Smpte) {
        if (!AddProduct(total, endTick, d.Numerator)) {
            return std::nullopt;
        }
    } else {
        std::uint64_t tick = 0;
        std::uint32_t tempo = kDefaultTempo;
        for (const TempoChange& change : tempos) {
            if (change.Tick > endTick) {
                break;
            }
            if (!AddProduct(total, change.Tick - tick, tempo)) {
                return std::nullopt;
            }
            tick = change.Tick;
            tempo = change.Tempo;
        }
        if (!AddProduct(total, endTick - tick, tempo)) {
            return std::nullopt;
        }
    }
    const std::uint64_t ms = total / (d.Denominator * 1000);
    if (ms > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(ms);
}

bool IsChunkTag(std::span<const std::uint8_t> tag) {
    return std::all_of(tag.begin(), tag.end(), [](std::uint8_t c) { return c >= 0x20 && c <= 0x7E; });
}

bool TagEquals(std::span<const std::uint8_t> tag, std::string_view name) {
    return std::equal(tag.begin(), tag.end(), name.begin(), name.end(),
                      [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); });
}

// Reads the chunks after the header until `count` tracks are found; other printable-tagged chunks are
// skipped as the format allows.
std::optional<std::vector<TrackScan>> ReadTracks(Reader& r, std::uint32_t count) {
    std::vector<TrackScan> tracks;
    while (tracks.size() < count) {
        const auto tag = r.Take(4);
        const auto length = tag ? r.Number(4) : std::nullopt;
        const auto body = length ? r.Take(*length) : std::nullopt;
        if (!body || !IsChunkTag(*tag) || TagEquals(*tag, "MThd")) {
            return std::nullopt;
        }
        if (TagEquals(*tag, "MTrk")) {
            auto scan = ScanTrack(*body);
            if (!scan) {
                return std::nullopt;
            }
            tracks.push_back(std::move(*scan));
        }
    }
    return tracks;
}

}  // namespace

std::optional<std::uint32_t> MidiLengthMs(std::span<const std::uint8_t> data) {
    Reader r(data);
    const auto tag = r.Take(4);
    const auto headerLength = tag && TagEquals(*tag, "MThd") ? r.Number(4) : std::nullopt;
    const auto header = headerLength && *headerLength >= 6 ? r.Take(*headerLength) : std::nullopt;
    if (!header) {
        return std::nullopt;
    }
    Reader h(*header);
    const std::uint32_t format = *h.Number(2);
    const std::uint32_t count = *h.Number(2);
    const auto division = ReadDivision(*h.Number(2));
    if (format > 2 || count == 0 || (format == 0 && count != 1) || !division) {
        return std::nullopt;
    }
    const auto tracks = ReadTracks(r, count);
    if (!tracks) {
        return std::nullopt;
    }
    if (format == 2) {
        std::uint32_t longest = 0;
        for (const TrackScan& t : *tracks) {
            const auto ms = TimeAt(t.EndTick, t.Tempos, *division);
            if (!ms) {
                return std::nullopt;
            }
            longest = std::max(longest, *ms);
        }
        return longest;
    }
    std::vector<TempoChange> tempoMap;
    std::uint64_t endTick = 0;
    for (const TrackScan& t : *tracks) {
        tempoMap.insert(tempoMap.end(), t.Tempos.begin(), t.Tempos.end());
        endTick = std::max(endTick, t.EndTick);
    }
    std::stable_sort(tempoMap.begin(), tempoMap.end(), [](const auto& a, const auto& b) { return a.Tick < b.Tick; });
    return TimeAt(endTick, tempoMap, *division);
}

}  // namespace zindra::platform
