// Fuzzes the MIDI file timer, raw and behind a well-formed header so the track reader is reached quickly.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/MidiFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using zindra::platform::MidiLengthMs;
    if (size == 0) {
        return 0;
    }
    // The first byte picks the mode: the input as a whole file, or header fields + one track body from it.
    const std::uint8_t mode = data[0];
    ++data;
    --size;
    if ((mode & 1) == 0 || size < 4) {
        (void)MidiLengthMs({data, size});
        return 0;
    }
    const auto format = static_cast<std::uint8_t>((mode >> 1) % 3);
    const std::uint8_t tracks = (mode >> 3) % 3 + 1;
    std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, format, 0, tracks, data[0], data[1]};
    const std::size_t bodySize = (size - 2) / tracks;
    for (std::uint8_t t = 0; t < tracks; ++t) {
        const std::uint8_t* body = data + 2 + t * bodySize;
        const auto n = static_cast<std::uint32_t>(bodySize);
        file.insert(file.end(), {'M', 'T', 'r', 'k', std::uint8_t(n >> 24), std::uint8_t(n >> 16), std::uint8_t(n >> 8),
                                 std::uint8_t(n)});
        file.insert(file.end(), body, body + bodySize);
    }
    (void)MidiLengthMs(file);
    return 0;
}
