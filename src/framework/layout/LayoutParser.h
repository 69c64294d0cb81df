// Reads the text of a stored layout into a tree of objects and property values:
//   object NAME: CLASS
//     Property = value        (Name.Sub = value for a property of a nested object)
//     object CHILD: CLASS ... end
//   end
// Values: numbers (123, -5, $00FF00), strings ('it''s', #13, 'a'#10'b'), identifiers (True,
// clBtnFace, FormCreate), sets ([fsBold, fsItalic]) and binary data ({ 0A1B ... }).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/layout/LayoutValue.h"

namespace zindra {

struct LayoutProperty {
    std::string Name;  // may be dotted: Font.Height
    LayoutValue Value;
};

struct LayoutObject {
    std::string Name;
    std::string ClassName;
    int Line = 0;
    std::vector<LayoutProperty> Properties;
    std::vector<LayoutObject> Children;
};

struct LayoutLimits {
    int MaxDepth = 32;
    int MaxObjects = 10000;
    std::size_t MaxTextBytes = 1 << 20;
    std::size_t MaxValueBytes = 1 << 20;
};

// Throws ELayoutError with "line N: ..." for anything that is not a well-formed layout.
LayoutObject ParseLayout(std::string_view text, const LayoutLimits& limits = {});

}  // namespace zindra
