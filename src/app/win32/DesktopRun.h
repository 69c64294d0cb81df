// A run of the menu on the Windows desktop.
#pragma once

#include "app/Options.h"

namespace zindra::app {

// Returns the process exit status. The simulated desktop's options are not used here.
int RunOnDesktop(const Options& options);

}  // namespace zindra::app
