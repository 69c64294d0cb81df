// Display modes as the command line gives them ("1024x768x32@60"), for the simulated desktop.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zindra::app {

struct ModeArgument {
    int Width = 1024;
    int Height = 768;
    int BitsPerPixel = 32;
    int Frequency = 60;
    friend bool operator==(const ModeArgument&, const ModeArgument&) = default;
};

// "WxH[xBPP][@HZ]": bits and rate default to 32 and 60; every number is 1 to 100000.
std::optional<ModeArgument> ParseModeArgument(const std::string& text);
// Comma-separated modes, at least one.
std::optional<std::vector<ModeArgument>> ParseModeArguments(const std::string& text);
// 640x480, 800x600 and 1024x768 at 16 and 32 bits, 60 Hz.
std::vector<ModeArgument> DefaultModeArguments();

}  // namespace zindra::app
