// A fast inflater for whole zlib streams held in memory (RFC 1950 and 1951): the image data of
// a well-formed PNG in one call. It accepts only what zlib accepts and gives up on anything
// else, so a caller can fall back on zlib for the exact report of a damaged stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace zindra {

enum class InflateStatus : std::uint8_t {
    kOk,         // a complete stream with a matching Adler-32, exactly out.size() bytes long
    kBadStream,  // damaged, cut short, or not a stream zlib would take as it is
    kWrongSize,  // well formed so far, but longer or shorter than out
};

// Inflates the zlib stream at the start of in into out. Bytes after the stream's end are not
// looked at. Reads nothing outside in and writes nothing outside out, whatever in holds.
InflateStatus InflateZlib(std::span<const std::uint8_t> in, std::span<std::uint8_t> out);

}  // namespace zindra
