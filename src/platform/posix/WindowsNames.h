// How Windows compares file names: case-insensitive (ASCII and Latin-1 letters) and with * and ? wildcards.
#pragma once

#include <string>
#include <string_view>

namespace zindra::platform::posix {

// The name with ASCII and Latin-1 letters folded to lower case, in UTF-8. Bytes that are not
// valid UTF-8 are kept as they are, so two different invalid names never compare equal.
std::string FoldCase(std::string_view name);

bool SameNameNoCase(std::string_view a, std::string_view b);

// Orders names by their folded form, then by their bytes, so the order is total and stable.
bool NameLessNoCase(std::string_view a, std::string_view b);

// True when name matches a file-search pattern: '*' any run of characters, '?' exactly one
// character (a UTF-8 sequence counts as one), letters compared without case. "*.*" matches
// every name, dotted or not, as the Windows file search does.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace zindra::platform::posix
