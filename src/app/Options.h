// The command line of zindra (a contract other tools rely on: extend it, never change it).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/ModeArgument.h"

namespace zindra::app {

struct Options {
    std::string Suite;
    bool Headless = false;
    // The simulated desktop's settings; a desktop back end has no use for them.
    std::string Script;
    std::string Shots;
    std::string Journal;
    ModeArgument Screen;
    std::vector<ModeArgument> Modes = DefaultModeArguments();
    bool FakePrograms = false;  // --programs fake
    // --watchdog PID: this run only watches the Windows program of that process id and puts back
    // what it leaves changed on the machine (the Win32 back end starts it so; see the README).
    std::uint32_t WatchdogFor = 0;
    // --check-suite [DIR]: check the suite folder (DIR, or --suite, or the current folder) instead of running.
    bool CheckSuite = false;
};

// Nothing, with the reason in error, for a command line that is not understood.
std::optional<Options> ParseOptions(const std::vector<std::string>& arguments, std::string& error);
const char* Usage();

}  // namespace zindra::app
