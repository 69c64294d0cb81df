// The command line of zindra (a contract other tools rely on: extend it, never change it).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/sim/SimConfig.h"

namespace zindra::app {

struct Options {
    std::string Suite;
    bool Headless = false;
    std::string Script;
    std::string Shots;
    std::string Journal;
    platform::sim::DisplayMode Screen;
    std::vector<platform::sim::DisplayMode> Modes = platform::sim::DefaultDisplayModes();
    platform::sim::ProgramMode Programs = platform::sim::ProgramMode::Real;
};

// Nothing, with the reason in error, for a command line that is not understood.
std::optional<Options> ParseOptions(const std::vector<std::string>& arguments, std::string& error);
const char* Usage();

}  // namespace zindra::app
