// One property value as a stored layout writes it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zindra {

struct LayoutValue {
    enum class Kind { Integer, String, Identifier, Set, Binary };
    Kind Type = Kind::Integer;
    std::int64_t Integer = 0;
    std::string Text;                 // String and Identifier
    std::vector<std::string> Items;   // Set
    std::vector<std::uint8_t> Bytes;  // Binary
    int Line = 0;

    const char* KindName() const;
};

}  // namespace zindra
