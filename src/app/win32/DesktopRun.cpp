// Runs the menu on the Win32 back end, or this program as the watchdog of another run.
#include "app/win32/DesktopRun.h"

#include "app/ProgramEntry.h"
#include "app/win32/TestFault.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Watchdog.h"

namespace zindra::app {

int RunOnDesktop(const Options& options) {
    if (options.WatchdogFor != 0) return platform::win32::RunWatchdog(options.WatchdogFor);
    // zindra answers --watchdog above, so it may be its own watchdog.
    platform::win32::Win32Platform platform({.Watchdog = true});
    ArmTestFault();
    return RunProgram(platform, {});
}

}  // namespace zindra::app
