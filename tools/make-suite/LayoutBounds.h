// Reads the bounds (Left, Top, Width, Height) of every object of a window layout file.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "platform/Geometry.h"

namespace zindra::suitemaker {

// Object name -> its rectangle in its parent's coordinates. Objects without all four bounds are left out;
// the outermost object (the window itself) is included like any other.
using LayoutBounds = std::map<std::string, platform::Rect>;

// Throws SuiteError, naming the line, on unbalanced object/end blocks or a bound that is not an integer.
LayoutBounds ParseLayoutBounds(std::string_view text);
LayoutBounds ReadLayoutBounds(const std::filesystem::path& file);

// The rectangle of one object; throws SuiteError naming the object when the layout lacks it.
platform::Rect BoundsOf(const LayoutBounds& bounds, const std::string& name);

}  // namespace zindra::suitemaker
