// zindra --check-suite: checks the suite folder (the current directory) without running the menu.
#pragma once

#include "app/Options.h"

namespace zindra::app {

// Prints the report, writes the journal when asked; returns 0 sound, 1 something missing or
// broken, 2 not a suite (or a journal that cannot be written).
int RunSuiteCheck(const Options& options);

}  // namespace zindra::app
