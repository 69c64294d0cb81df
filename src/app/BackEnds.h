// The back ends this build of zindra can run on, by name, and the choice among them.
#pragma once

#include <span>
#include <string>

#include "app/Options.h"

namespace zindra::app {

struct BackEnd {
    const char* Name;
    // A simulated desktop, driven by a script: what --headless asks for.
    bool Simulated;
    // Runs the menu; returns the process exit status.
    int (*Run)(const Options& options);
};

// In order of preference.
std::span<const BackEnd> BackEnds();

// The back end the options ask for: the simulated desktop for --headless, else the first desktop
// back end, else (with a note saying so) the simulated desktop. Nothing, with the reason in
// error, when the build lacks what is asked for.
const BackEnd* ChooseBackEnd(const Options& options, std::string& note, std::string& error);

}  // namespace zindra::app
