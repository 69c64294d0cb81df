// Execution of script commands on the simulated machine.
#include "platform/sim/ScriptRunner.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/sim/PngWriter.h"

namespace zindra::platform::sim {

namespace fs = std::filesystem;

ScriptRunner::ScriptRunner(SimMachine& machine, std::vector<ScriptCommand> commands, std::string shotsFolder,
                           std::function<void()> quit)
    : machine_(machine),
      commands_(std::move(commands)),
      shotsFolder_(std::move(shotsFolder)),
      quit_(std::move(quit)),
      ended_(machine.Clock().CreateEvent(true, false)) {}

ScriptRunner::~ScriptRunner() {
    if (thread_) Join();
}

void ScriptRunner::Start() {
    thread_ = machine_.Clock().StartBackgroundThread([this] { Run(); });
}

void ScriptRunner::ProgramEnded() {
    ended_->Set();
}

void ScriptRunner::Join() {
    if (!thread_) return;
    thread_->Join();
    thread_.reset();
}

// Waits until the program has dealt with everything so far, at the same virtual time.
void ScriptRunner::Settle() {
    machine_.Clock().Sleep(0);
}

void ScriptRunner::Run() {
    SimClock& clock = machine_.Clock();
    for (const ScriptCommand& command : commands_) {
        if (clock.Wait(*ended_, 0)) return;
        Settle();
        Execute(command);
    }
    if (clock.Wait(*ended_, kGraceMs)) return;
    machine_.GetJournal().Write("script", {{"note", "grace time over; asking the program to quit"}});
    quit_();
    if (clock.Wait(*ended_, 10000)) return;
    machine_.GetJournal().Write("exit", {{"code", 124}, {"reason", "the program did not close"}});
    std::fflush(nullptr);
    std::_Exit(124);
}

void ScriptRunner::Execute(const ScriptCommand& c) {
    SimInput& input = machine_.Input();
    const int x = static_cast<int>(c.A);
    const int y = static_cast<int>(c.B);
    switch (c.Kind) {
        case CommandKind::Wait:
            machine_.Clock().Sleep(static_cast<std::uint32_t>(c.A));
            break;
        case CommandKind::Move:
            input.MoveTo(x, y);
            break;
        case CommandKind::Down:
        case CommandKind::Up:
        case CommandKind::Click:
            // The pointer arrives first and the program notices it, as a hand on a mouse does.
            input.MoveTo(x, y);
            Settle();
            if (c.Kind != CommandKind::Up) input.Press(x, y, c.Button);
            if (c.Kind != CommandKind::Down) input.Release(x, y, c.Button);
            break;
        case CommandKind::Wheel:
            input.MoveTo(x, y);
            Settle();
            input.Wheel(x, y, static_cast<int>(c.C) * WHEEL_DELTA);
            break;
        case CommandKind::Key:
            input.Key(static_cast<std::uint32_t>(c.A), static_cast<std::uint32_t>(c.B));
            break;
        case CommandKind::Type:
            input.Type(c.Text);
            break;
        case CommandKind::Answer:
            machine_.MessageBoxes().QueueAnswer(static_cast<int>(c.A));
            break;
        case CommandKind::WaitExit:
            machine_.Programs().WaitForLast(c.HasA ? static_cast<std::uint32_t>(c.A) : 60000);
            break;
        case CommandKind::ProgramExit:
            if (!machine_.Programs().EndFake(static_cast<std::uint32_t>(c.A))) {
                std::fprintf(stderr, "script line %d: no program is running to end\n", c.Line);
            }
            break;
        case CommandKind::Shot:
            WriteShot(c.Text);
            break;
        case CommandKind::Quit:
            quit_();
            break;
    }
}

void ScriptRunner::WriteShot(const std::string& name) {
    if (shotsFolder_.empty()) return;
    std::error_code ec;
    fs::create_directories(shotsFolder_, ec);
    const PixelFrame screen = machine_.ScreenAsSeen();
    const std::vector<std::uint8_t> png = EncodePng(screen.View(), false);
    const fs::path path = fs::path(shotsFolder_) / (name + ".png");
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return;
    }
    shots_.push_back(path.string());
    machine_.GetJournal().Write("shot", {{"name", name}, {"file", Utf8Text{path.string()}}});
}

}  // namespace zindra::platform::sim
