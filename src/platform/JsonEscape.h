// JSON string escaping for the journals the program writes: the simulated desktop's and the suite check's.
#pragma once

#include <string>
#include <string_view>

namespace zindra::platform {

// The inside of a JSON string, as UTF-8, for a text in code page 1252 (the program's own texts
// and paths). JSON's escapes, and \u for the controls (C0, DEL and C1).
std::string JsonEscape(std::string_view text);
// The same for a text that is UTF-8 already; a byte that is not valid UTF-8 becomes U+FFFD.
std::string JsonEscapeUtf8(std::string_view text);

}  // namespace zindra::platform
