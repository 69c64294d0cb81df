// The files built into the program: window layouts, the pictures stored with them, the cursor
// and the fallback font, looked up by name.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zindra {

// The bytes of a built-in file (case-insensitive name), empty when there is none.
std::span<const std::uint8_t> FindResource(std::string_view name);
// The same as text; throws EInvalidOperation when the file is missing.
std::string ResourceText(std::string_view name);

}  // namespace zindra
