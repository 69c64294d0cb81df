// The System the suite check reads a suite through, from this build's back end, made so that it
// changes nothing on the machine.
#pragma once

#include <functional>

#include "platform/System.h"

namespace zindra::app {

// Runs check with the System; hostProgramsRun says whether this system starts programs built for
// itself (not for Windows) as the menu's programs. Returns what check returns.
int WithCheckSystem(const std::function<int(platform::System& system, bool hostProgramsRun)>& check);

}  // namespace zindra::app
