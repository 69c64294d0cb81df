// Splits and joins argument lines with the rules of the Microsoft C runtime.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zindra::platform::posix {

// The arguments a Windows program's C runtime would see for this line (the line holds the
// arguments only, not the program name). Whitespace is space and tab. 2n backslashes before a
// quote give n backslashes and the quote toggles quoting; 2n+1 give n and a literal quote;
// backslashes elsewhere are literal; "" inside a quoted part is a literal quote.
std::vector<std::string> SplitCommandLine(std::string_view line);

// One argument written so that SplitCommandLine gives it back unchanged.
std::string QuoteArgument(std::string_view argument);

// The arguments quoted as needed and separated by single spaces.
std::string JoinCommandLine(const std::vector<std::string>& arguments);

}  // namespace zindra::platform::posix
