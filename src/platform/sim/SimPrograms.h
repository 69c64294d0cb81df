// Programs started on the simulated machine: fake ones that a test or script ends with a chosen
// exit code, the system tools the machine provides, and real host processes.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Win32Types.h"
#include "platform/posix/PosixProcesses.h"
#include "platform/sim/Journal.h"

namespace zindra::platform::sim {

enum class ProgramKind { Fake, Tool, Real };

struct StartedProgram {
    ProcessHandle Handle = 0;
    ProgramKind Kind = ProgramKind::Fake;
    std::string File;  // as the shell was given it
    std::string Parameters;
};

class SimPrograms {
public:
    SimPrograms(Clock& clock, Journal& journal);
    ~SimPrograms();

    // A program that runs until EndFake (or until endAfterMs of virtual time, when given).
    ProcessHandle StartFake(const std::string& file, const std::string& parameters,
                            std::optional<std::uint32_t> endAfterMs = std::nullopt, std::uint32_t exitCode = 0);
    // A system tool that has already done its work and ended with the given code.
    ProcessHandle StartTool(const std::string& file, const std::string& parameters, std::uint32_t exitCode);
    // A host process that the given posix process table started.
    ProcessHandle AdoptReal(const std::string& file, const std::string& parameters, posix::PosixProcesses& owner,
                            ProcessHandle real);

    bool GetExitCode(ProcessHandle process, std::uint32_t& code);
    bool Wait(ProcessHandle process, std::uint32_t timeoutMs, bool evenClosed = false);
    void Close(ProcessHandle process);

    // Ends the most recently started fake program that still runs; false when there is none.
    bool EndFake(std::uint32_t exitCode);
    // Blocks until the most recently started program has ended (timeoutMs: kInfinite for none).
    bool WaitForLast(std::uint32_t timeoutMs);
    std::vector<StartedProgram> Started() const;

private:
    struct Entry;
    Entry* Find(ProcessHandle process, bool evenClosed = false);
    void NoteEnd(Entry& entry, std::uint32_t code);
    bool Refresh(Entry& entry);  // true when ended

    Clock& clock_;
    Journal& journal_;
    mutable std::mutex mutex_;
    std::vector<std::unique_ptr<Entry>> entries_;
    std::vector<StartedProgram> started_;
    ProcessHandle nextHandle_ = 0x500;
};

}  // namespace zindra::platform::sim
