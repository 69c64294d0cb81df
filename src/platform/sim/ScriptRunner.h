// Plays a script against a simulated machine on a background thread of its clock, so each step
// happens once the program has finished reacting to the one before; writes the screenshots the
// script asks for. When the script ends the program goes on until it closes, or 60 virtual
// seconds pass, when it is asked to quit.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/Script.h"
#include "platform/sim/SimMachine.h"

namespace zindra::platform::sim {

class ScriptRunner {
public:
    static constexpr std::uint32_t kGraceMs = 60000;

    // quit asks the program to close (from the runner's thread).
    ScriptRunner(SimMachine& machine, std::vector<ScriptCommand> commands, std::string shotsFolder,
                 std::function<void()> quit);
    ~ScriptRunner();

    void Start();
    // The program has ended; the runner stops waiting for it.
    void ProgramEnded();
    void Join();
    std::vector<std::string> ShotsWritten() const { return shots_; }

private:
    void Run();
    void Execute(const ScriptCommand& command);
    void Settle();
    void WriteShot(const std::string& name);

    SimMachine& machine_;
    std::vector<ScriptCommand> commands_;
    std::string shotsFolder_;
    std::function<void()> quit_;
    std::unique_ptr<WaitableEvent> ended_;
    std::unique_ptr<WorkerThread> thread_;
    std::vector<std::string> shots_;
};

}  // namespace zindra::platform::sim
