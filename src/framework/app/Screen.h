// The application's cursor table: cursor numbers to the desktop's cursor handles.
#pragma once

#include <map>

#include "framework/Types.h"
#include "platform/Win32Types.h"

namespace zindra {

class TScreen {
public:
    // The handle for a cursor number; 0 (the standard arrow) for numbers not in the table.
    platform::CursorHandle Cursor(TCursor number) const;
    // Replaces whatever was stored under the number.
    void SetCursor(TCursor number, platform::CursorHandle handle) { cursors_[number] = handle; }

private:
    std::map<TCursor, platform::CursorHandle> cursors_;
};

}  // namespace zindra
