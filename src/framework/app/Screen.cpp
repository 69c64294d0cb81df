// Cursor lookup, and cursors made from the program's built-in cursor files.
#include "framework/app/Screen.h"

#include "framework/Exception.h"
#include "framework/Resources.h"
#include "framework/graphics/CursorFile.h"
#include "platform/Desktop.h"

namespace zindra {

platform::CursorHandle TScreen::Cursor(TCursor number) const {
    const auto it = cursors_.find(number);
    return it == cursors_.end() ? 0 : it->second;
}

platform::CursorHandle TScreen::LoadCursor(platform::Desktop& desktop, std::string_view resourceName) {
    const auto known = resourceCursors_.find(resourceName);
    if (known != resourceCursors_.end()) return known->second;
    platform::CursorHandle handle = 0;
    try {
        handle = desktop.CreateCursor(DecodeCursor(FindResource(resourceName)));
    } catch (const EInvalidGraphic&) {
        handle = 0;
    }
    resourceCursors_.emplace(std::string(resourceName), handle);
    return handle;
}

}  // namespace zindra
