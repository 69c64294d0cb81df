// The suite check's two outputs: aligned text for people, grouped by where the files are used and
// ending in a summary line, and JSON lines for scripts that install suites.
#pragma once

#include <string>

#include "menu/check/SuiteCheck.h"

namespace zindra::suitecheck {

std::string TextReport(const SuiteCheckReport& report);

// One "check" event a file (path, use, verdict, detail, group, needed), then one "check-summary"
// with the counts and the exit status. Each line carries "t" 0, as every journal line has a time.
std::string JournalLines(const SuiteCheckReport& report);

}  // namespace zindra::suitecheck
