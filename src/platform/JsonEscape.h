// JSON string escaping for the journals the program writes: the simulated desktop's and the suite check's.
#pragma once

#include <string>
#include <string_view>

namespace zindra::platform {

// The text as the inside of a JSON string. Bytes outside printable ASCII are written as \u00XX,
// so a line stays plain ASCII whatever code page the text came in.
std::string JsonEscape(std::string_view text);

}  // namespace zindra::platform
