// A run of the menu on the simulated desktop, driven by a script, leaving screenshots and a
// journal behind.
#pragma once

#include "app/Options.h"

namespace zindra::app {

// Returns the process exit status.
int RunHeadless(const Options& options);

}  // namespace zindra::app
