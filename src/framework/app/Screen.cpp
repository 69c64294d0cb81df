// Cursor lookup.
#include "framework/app/Screen.h"

namespace zindra {

platform::CursorHandle TScreen::Cursor(TCursor number) const {
    const auto it = cursors_.find(number);
    return it == cursors_.end() ? 0 : it->second;
}

}  // namespace zindra
