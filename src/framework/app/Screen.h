// The application's cursor table: cursor numbers to the desktop's cursor handles.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "framework/Types.h"
#include "platform/Win32Types.h"

namespace zindra::platform {
class Desktop;
}

namespace zindra {

class TScreen {
public:
    // The handle for a cursor number; 0 (the standard arrow) for numbers not in the table.
    platform::CursorHandle Cursor(TCursor number) const;
    // Replaces whatever was stored under the number.
    void SetCursor(TCursor number, platform::CursorHandle handle) { cursors_[number] = handle; }
    // The desktop's cursor for a cursor file built into the program, made at the first call for
    // that name and shared after; 0 (the arrow) when there is no such file or it does not decode.
    platform::CursorHandle LoadCursor(platform::Desktop& desktop, std::string_view resourceName);

private:
    std::map<TCursor, platform::CursorHandle> cursors_;
    std::map<std::string, platform::CursorHandle, std::less<>> resourceCursors_;
};

}  // namespace zindra
