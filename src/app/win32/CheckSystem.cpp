// The suite check's System on Windows: the Win32 back end's, with the guard it needs (it has
// nothing to undo, as the check changes nothing).
#include "app/CheckSystem.h"

#include "platform/win32/Win32CrashGuard.h"
#include "platform/win32/Win32System.h"

namespace zindra::app {

int WithCheckSystem(const std::function<int(platform::System&, bool)>& check) {
    platform::win32::Win32CrashGuard guard;
    platform::win32::Win32System system(guard);
    return check(system, false);
}

}  // namespace zindra::app
