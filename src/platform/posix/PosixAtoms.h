// Global atoms for hot-key ids: an in-process table, reference-counted as on Windows.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>

namespace zindra::platform::posix {

// Thread-safe. String atoms get ids from 0xC000 up; names compare without case.
class PosixAtoms {
public:
    static constexpr std::uint16_t kFirstStringAtom = 0xC000;
    static constexpr std::size_t kMaxNameLength = 255;

    // The atom for name, adding a reference when it exists. "#123" gives the integer atom 123
    // (1 to 0xBFFF) without a table entry. 0 for an empty or too long name, another "#number",
    // or a full table.
    std::uint16_t Add(const std::string& name);
    // Drops one reference; the id is free again when none is left. Integer atoms are ignored.
    void Delete(std::uint16_t atom);

private:
    struct Entry {
        std::string Name;
        std::uint32_t References = 0;
    };

    std::mutex mutex_;
    std::map<std::uint16_t, Entry> atoms_;
};

}  // namespace zindra::platform::posix
