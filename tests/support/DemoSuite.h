// A demo suite generated once per test process, for tests that copy it and change their copy,
// and the temporary folders they copy it into.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <string>

#include "make-suite/SuiteMaker.h"

namespace zindra::testing {

inline std::filesystem::path MakeTempFolder(const char* stem) {
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string(stem) + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    return pattern;
}

// Made without speech, with the stand-in programs the test target is built with.
inline const std::filesystem::path& MasterSuite() {
    static std::once_flag once;
    static std::filesystem::path master;
    std::call_once(once, [] {
        master = MakeTempFolder("zindra-test-suite") / "suite";
        suitemaker::SuiteOptions options;
        options.OutDir = master;
        options.Program = ZINDRA_SUITE_PROGRAM;
        options.Recorder = ZINDRA_SUITE_RECORDER;
        options.Speech = false;
        suitemaker::MakeSuite(options);
    });
    return master;
}

}  // namespace zindra::testing
