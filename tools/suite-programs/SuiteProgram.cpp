// Stands in for each learning program of the demo suite: tells who it is and what it was given.
#include <cstdio>
#include <string>

#include "SelfPath.h"

int main(int argc, char** argv) {
    std::string report = "Zindra demo program: " + zindra::suiteprograms::SelfPath(argc > 0 ? argv[0] : nullptr) + "\n";
    for (int i = 1; i < argc; ++i) {
        report += "  " + std::to_string(i) + ": [" + argv[i] + "]\n";
    }
    std::fputs(report.c_str(), stdout);
    std::fflush(stdout);
    // NOTE: appended in one write so runs of several programs in the same folder do not interleave lines.
    if (std::FILE* log = std::fopen("zindra-demo-runs.txt", "ab")) {
        std::fwrite(report.data(), 1, report.size(), log);
        std::fclose(log);
    } else {
        std::fputs("zindra demo program: cannot append to zindra-demo-runs.txt\n", stderr);
    }
    zindra::suiteprograms::HoldFor(zindra::suiteprograms::EnvNumber("ZINDRA_DEMO_HOLD_MS", 1500));
    return 0;
}
