// Reads a stored layout into a root component: creates the components it lists in file order,
// owned by the root, sets their properties in file order (which must be each class's
// declaration order), binds the root's fields and handlers, then tells every component that
// loading has ended.
#pragma once

#include <string_view>

#include "framework/layout/LayoutParser.h"

namespace zindra {

class TComponent;
class LayoutRoot;

// Throws ELayoutError ("line N: ...") and leaves the components made so far to the root.
void ReadLayout(TComponent& root, LayoutRoot* handlers, const LayoutObject& layout);
void ReadLayoutText(TComponent& root, LayoutRoot* handlers, std::string_view text);

}  // namespace zindra
