// The suite check as a command: report on standard output, verdicts in the journal.
#include "app/SuiteCheckRun.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/CheckSystem.h"
#include "menu/check/CheckReport.h"

namespace zindra::app {

int RunSuiteCheck(const Options& options) {
    return WithCheckSystem([&](platform::System& system, bool hostProgramsRun) {
        suitecheck::ContentOptions content;
        content.HostProgramsRun = hostProgramsRun;
        const suitecheck::SuiteCheckReport report = suitecheck::CheckSuite(system, system.CurrentDirectory(), content);
        if (!options.Journal.empty()) {
            std::error_code ignored;
            std::filesystem::create_directories(std::filesystem::path(options.Journal).parent_path(), ignored);
            std::ofstream journal(options.Journal, std::ios::trunc | std::ios::binary);
            journal << suitecheck::JournalLines(report);
            if (!journal.flush()) {
                std::fprintf(stderr, "zindra: cannot write the journal %s\n", options.Journal.c_str());
                return 2;
            }
        }
        const std::string text = suitecheck::TextReport(report);
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fflush(stdout);
        return report.ExitStatus();
    });
}

}  // namespace zindra::app
