// zindra: the start-up menu of the grade 6 and 7 suite.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "app/BackEnds.h"
#include "app/Options.h"
#include "app/SuiteCheckRun.h"

int main(int argc, char** argv) {
    using namespace zindra::app;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string error;
    const auto options = ParseOptions(arguments, error);
    if (!options) {
        std::fprintf(stderr, "zindra: %s\n%s", error.c_str(), Usage());
        return 2;
    }
    // Paths given on the command line mean what they meant where the command was typed.
    Options run = *options;
    for (std::string* path : {&run.Script, &run.Shots, &run.Journal}) {
        if (!path->empty()) *path = std::filesystem::absolute(*path).string();
    }
    // The suite folder is the current directory at start.
    if (!run.Suite.empty()) {
        std::error_code failed;
        std::filesystem::current_path(run.Suite, failed);
        if (failed) {
            std::fprintf(stderr, "zindra: cannot change to the suite folder %s%s\n", run.Suite.c_str(),
                         run.CheckSuite ? ": not a suite" : "");
            return 2;
        }
    }
    if (run.CheckSuite) return RunSuiteCheck(run);
    std::string note;
    const BackEnd* backEnd = ChooseBackEnd(run, note, error);
    if (!backEnd) {
        std::fprintf(stderr, "zindra: %s\n", error.c_str());
        return 2;
    }
    if (!note.empty()) std::fprintf(stderr, "zindra: %s\n", note.c_str());
    return backEnd->Run(run);
}
