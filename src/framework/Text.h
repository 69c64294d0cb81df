// Text helpers for names the kit compares as Windows does: without regard to ASCII case.
#pragma once

#include <string>
#include <string_view>

namespace zindra {

bool SameTextNoCase(std::string_view a, std::string_view b);
std::string LowerCase(std::string_view text);
// The lower-case extension of a file name ("jpg" for "A.JPG"), empty when it has none.
std::string ExtensionOf(std::string_view fileName);

}  // namespace zindra
