// The one table of back ends: Win32 when built for Windows, the simulated desktop where it exists.
#include "app/BackEnds.h"

#ifdef _WIN32
#include "app/win32/DesktopRun.h"
#else
#include "app/sim/HeadlessRun.h"
#endif

namespace zindra::app {

namespace {

constexpr BackEnd kBackEnds[] = {
#ifdef _WIN32
    {"win32", false, &RunOnDesktop},
#else
    {"sim", true, &RunHeadless},
#endif
};

const BackEnd* First(bool simulated) {
    for (const BackEnd& backEnd : kBackEnds) {
        if (backEnd.Simulated == simulated) return &backEnd;
    }
    return nullptr;
}

}  // namespace

std::span<const BackEnd> BackEnds() {
    return kBackEnds;
}

const BackEnd* ChooseBackEnd(const Options& options, std::string& note, std::string& error) {
    if (options.WatchdogFor != 0 && !First(false)) {
        error = "--watchdog watches a program on a desktop back end, and this build has none";
        return nullptr;
    }
    if (options.Headless) {
        const BackEnd* simulated = First(true);
        if (!simulated)
            error = "--headless is not available in this build: the simulated desktop is built on Linux only";
        return simulated;
    }
    if (const BackEnd* desktop = First(false)) return desktop;
    note = "this build has no desktop back end for this system yet; running headless";
    return First(true);
}

}  // namespace zindra::app
