// Runs the menu on the Win32 back end.
#include "app/win32/DesktopRun.h"

#include "app/ProgramEntry.h"
#include "platform/win32/Win32Platform.h"

namespace zindra::app {

int RunOnDesktop(const Options&) {
    platform::win32::Win32Platform platform;
    return RunProgram(platform, {});
}

}  // namespace zindra::app
