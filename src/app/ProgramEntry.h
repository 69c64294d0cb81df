// The program entry proper, the same on every back end: the application object, its title, the
// main window, the message loop.
#pragma once

#include <functional>

#include "platform/Platform.h"

namespace zindra::app {

struct ProgramHooks {
    // The application window exists and the main window is about to run (scripts start here).
    std::function<void(platform::WindowHandle applicationWindow)> Started;
    // The message loop has ended; the main window is about to be destroyed.
    std::function<void()> Ended;
};

// Returns the exit status.
int RunProgram(platform::Platform& platform, const ProgramHooks& hooks);

}  // namespace zindra::app
