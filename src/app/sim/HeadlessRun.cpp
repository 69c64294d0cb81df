// Sets up a simulated machine for the menu and plays the script against it.
#include "app/sim/HeadlessRun.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/ProgramEntry.h"
#include "platform/sim/ScriptRunner.h"
#include "platform/sim/SimProcess.h"

namespace zindra::app {

namespace {

platform::sim::DisplayMode SimMode(const ModeArgument& mode) {
    return {mode.Width, mode.Height, mode.BitsPerPixel, mode.Frequency};
}

std::optional<std::string> ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

int RunHeadless(const Options& options) {
    using namespace platform::sim;
    std::vector<ScriptCommand> commands;
    if (!options.Script.empty()) {
        const auto text = ReadText(options.Script);
        if (!text) {
            std::fprintf(stderr, "zindra: cannot read the script %s\n", options.Script.c_str());
            return 2;
        }
        try {
            commands = ParseScript(*text);
        } catch (const std::invalid_argument& e) {
            std::fprintf(stderr, "zindra: %s\n", e.what());
            return 2;
        }
    }
    std::ofstream journal;
    if (!options.Journal.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(options.Journal).parent_path(), ignored);
        journal.open(options.Journal, std::ios::trunc);
        if (!journal) {
            std::fprintf(stderr, "zindra: cannot write the journal %s\n", options.Journal.c_str());
            return 2;
        }
    }
    SimConfig config;
    config.Screen = SimMode(options.Screen);
    config.Modes.clear();
    for (const ModeArgument& mode : options.Modes)
        config.Modes.push_back(SimMode(mode));
    config.Programs = options.FakePrograms ? ProgramMode::Fake : ProgramMode::Real;
    SimMachine machine(config);
    if (journal.is_open()) machine.GetJournal().SetOutput(&journal);
    SimProcess process(machine);

    std::unique_ptr<ScriptRunner> runner;
    ProgramHooks hooks;
    hooks.Started = [&](platform::WindowHandle applicationWindow) {
        runner = std::make_unique<ScriptRunner>(machine, commands, options.Shots, [&machine, applicationWindow] {
            platform::Event close;
            close.Kind = platform::EventKind::Close;
            close.Window = applicationWindow;
            machine.Windows().Post(close);
        });
        runner->Start();
    };
    hooks.Ended = [&] {
        if (runner) runner->ProgramEnded();
    };
    const int status = RunProgram(process, hooks);
    if (runner) runner->Join();
    machine.GetJournal().Write("exit", {{"code", status}});
    if (!options.Shots.empty()) std::printf("zindra: screenshots are in %s\n", options.Shots.c_str());
    if (!options.Journal.empty()) std::printf("zindra: the journal is %s\n", options.Journal.c_str());
    return status;
}

}  // namespace zindra::app
