// Parsing of the command line.
#include "app/Options.h"

#include <charconv>

namespace zindra::app {

namespace {

std::optional<std::uint32_t> ParseProcessId(const std::string& text) {
    std::uint32_t pid = 0;
    const auto [end, failed] = std::from_chars(text.data(), text.data() + text.size(), pid);
    if (failed != std::errc() || end != text.data() + text.size() || pid == 0) return std::nullopt;
    return pid;
}

}  // namespace

const char* Usage() {
    return "usage: zindra [--suite DIR] [--headless] [--script FILE] [--shots DIR] [--journal FILE]\n"
           "              [--screen WxHxBPP@HZ] [--modes LIST] [--programs real|fake]\n"
           "       zindra --check-suite [DIR] [--journal FILE]\n";
}

std::optional<Options> ParseOptions(const std::vector<std::string>& arguments, std::string& error) {
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--headless") {
            options.Headless = true;
            continue;
        }
        if (a == "--check-suite") {
            options.CheckSuite = true;
            // The folder is optional: a following argument that is not an option names it.
            if (i + 1 < arguments.size() && !arguments[i + 1].starts_with("--")) options.Suite = arguments[++i];
            continue;
        }
        const bool takesValue = a == "--suite" || a == "--script" || a == "--shots" || a == "--journal" ||
                                a == "--screen" || a == "--modes" || a == "--programs" || a == "--watchdog";
        if (!takesValue) {
            error = "unknown option " + a;
            return std::nullopt;
        }
        if (i + 1 >= arguments.size()) {
            error = a + " needs a value";
            return std::nullopt;
        }
        const std::string& value = arguments[++i];
        if (a == "--suite") {
            options.Suite = value;
        } else if (a == "--script") {
            options.Script = value;
        } else if (a == "--shots") {
            options.Shots = value;
        } else if (a == "--journal") {
            options.Journal = value;
        } else if (a == "--screen") {
            const auto mode = ParseModeArgument(value);
            if (!mode) {
                error = "--screen wants WxH[xBPP][@HZ], not " + value;
                return std::nullopt;
            }
            options.Screen = *mode;
        } else if (a == "--modes") {
            const auto modes = ParseModeArguments(value);
            if (!modes) {
                error = "--modes wants a comma-separated list of WxH[xBPP][@HZ], not " + value;
                return std::nullopt;
            }
            options.Modes = *modes;
        } else if (a == "--watchdog") {
            const auto pid = ParseProcessId(value);
            if (!pid) {
                error = "--watchdog wants a process id, not " + value;
                return std::nullopt;
            }
            options.WatchdogFor = *pid;
        } else {
            if (value != "real" && value != "fake") {
                error = "--programs is real or fake, not " + value;
                return std::nullopt;
            }
            options.FakePrograms = value == "fake";
        }
    }
    return options;
}

}  // namespace zindra::app
