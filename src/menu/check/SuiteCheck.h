// The suite check: walks every file the menu may load from a suite folder, through System as the
// menu reads it, and gives each a verdict. Reads only; writes nothing.
#pragma once

#include <string>
#include <vector>

#include "menu/check/SuiteManifest.h"

namespace zindra::platform {
class System;
}

namespace zindra::suitecheck {

enum class Verdict {
    Sound,      // present and sound
    Missing,    // not there: Detail says what the menu then does
    Broken,     // there but unusable: Detail is the loader's own message
    OtherCase,  // sound, but spelled otherwise on disk: fine on Windows, missing where case counts
};

// "sound", "missing", "broken", "case": the words of the journal and the text report.
const char* VerdictName(Verdict verdict);

struct CheckResult {
    SuiteItem Item;
    Verdict Result = Verdict::Sound;
    std::string Detail;
};

struct SuiteCheckReport {
    std::string Folder;    // the suite folder as the menu forms it, with its trailing backslash
    bool IsSuite = false;  // the folder exists and holds at least one of the files
    std::vector<CheckResult> Results;

    int Count(Verdict verdict) const;
    int OptionalMissing() const;
    // 0: nothing the menu needs is missing or broken; 1: something is; 2: not a suite.
    int ExitStatus() const;
};

// folder: a Windows path as System takes it (a trailing backslash is added when missing).
SuiteCheckReport CheckSuite(platform::System& system, const std::string& folder, const ContentOptions& options = {});

}  // namespace zindra::suitecheck
