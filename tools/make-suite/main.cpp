// make-suite: writes the demo suite (or, with --layout-assets, the main window's pictures).
#include <cstdio>
#include <exception>
#include <string>

#include "SuiteError.h"
#include "SuiteMaker.h"

namespace {

constexpr const char* kUsage =
    "usage: make-suite OUTDIR --program FILE --recorder FILE [--layout FILE] [--no-speech]\n"
    "       make-suite --layout-assets DIR\n";

struct Command {
    zindra::suitemaker::SuiteOptions Options;
    std::string LayoutAssets;  // set: write the layout's pictures there instead of a suite
};

Command Parse(int argc, char** argv) {
    using zindra::suitemaker::SuiteError;
    Command command;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                throw SuiteError(arg + " needs a value");
            }
            return argv[++i];
        };
        if (arg == "--program") {
            command.Options.Program = value();
        } else if (arg == "--recorder") {
            command.Options.Recorder = value();
        } else if (arg == "--layout") {
            command.Options.Layout = value();
        } else if (arg == "--layout-assets") {
            command.LayoutAssets = value();
        } else if (arg == "--no-speech") {
            command.Options.Speech = false;
        } else if (arg.starts_with("--") || !command.Options.OutDir.empty()) {
            throw SuiteError("unexpected argument: " + arg);
        } else {
            command.Options.OutDir = arg;
        }
    }
    return command;
}

int Run(int argc, char** argv) {
    const Command command = Parse(argc, argv);
    const auto& options = command.Options;
    if (!command.LayoutAssets.empty()) {
        zindra::suitemaker::MakeLayoutAssets(command.LayoutAssets);
        std::printf("make-suite: layout pictures written to %s\n", command.LayoutAssets.c_str());
        return 0;
    }
    if (options.OutDir.empty() || options.Program.empty() || options.Recorder.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const auto summary = zindra::suitemaker::MakeSuite(options);
    std::printf("make-suite: %zu files, %ju bytes in %s (instructions %s)\n", summary.Files, summary.Bytes,
                options.OutDir.string().c_str(), summary.Spoken ? "spoken by espeak-ng" : "as tone patterns");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-suite: %s\n", e.what());
        return 1;
    }
}
