// The process table of the simulated machine.
#include "platform/sim/SimPrograms.h"

#include <algorithm>

namespace zindra::platform::sim {

struct SimPrograms::Entry {
    ProcessHandle Handle = 0;
    ProgramKind Kind = ProgramKind::Fake;
    posix::PosixProcesses* RealOwner = nullptr;
    ProcessHandle RealHandle = 0;
    bool Ended = false;
    bool Noted = false;
    bool Closed = false;  // the program closed its handle; kept so scripts can still wait for the end
    std::uint32_t ExitCode = kStillActive;
    std::optional<std::int64_t> EndsAt;  // virtual time of a scheduled end
    std::uint32_t ScheduledCode = 0;
    std::unique_ptr<WaitableEvent> EndedEvent;
};

SimPrograms::SimPrograms(Clock& clock, Journal& journal) : clock_(clock), journal_(journal) {}

SimPrograms::~SimPrograms() = default;

SimPrograms::Entry* SimPrograms::Find(ProcessHandle process, bool evenClosed) {
    for (const auto& e : entries_) {
        if (e->Handle == process && (evenClosed || !e->Closed)) return e.get();
    }
    return nullptr;
}

ProcessHandle SimPrograms::StartFake(const std::string& file, const std::string& parameters,
                                     std::optional<std::uint32_t> endAfterMs, std::uint32_t exitCode) {
    std::lock_guard lock(mutex_);
    auto entry = std::make_unique<Entry>();
    entry->Handle = nextHandle_;
    nextHandle_ += 4;
    entry->EndedEvent = clock_.CreateEvent(true, false);
    if (endAfterMs) {
        entry->EndsAt = clock_.NowMs() + *endAfterMs;
        entry->ScheduledCode = exitCode;
    }
    started_.push_back({entry->Handle, ProgramKind::Fake, file, parameters});
    entries_.push_back(std::move(entry));
    return entries_.back()->Handle;
}

ProcessHandle SimPrograms::StartTool(const std::string& file, const std::string& parameters, std::uint32_t exitCode) {
    // Its work is done the moment it starts; the end is noticed when someone first asks.
    const ProcessHandle handle = StartFake(file, parameters, 0, exitCode);
    std::lock_guard lock(mutex_);
    Find(handle)->Kind = ProgramKind::Tool;
    started_.back().Kind = ProgramKind::Tool;
    return handle;
}

ProcessHandle SimPrograms::AdoptReal(const std::string& file, const std::string& parameters,
                                     posix::PosixProcesses& owner, ProcessHandle real) {
    const ProcessHandle handle = StartFake(file, parameters);
    std::lock_guard lock(mutex_);
    Entry* entry = Find(handle);
    entry->Kind = ProgramKind::Real;
    entry->RealOwner = &owner;
    entry->RealHandle = real;
    started_.back().Kind = ProgramKind::Real;
    return handle;
}

void SimPrograms::NoteEnd(Entry& entry, std::uint32_t code) {
    entry.Ended = true;
    entry.ExitCode = code;
    entry.EndedEvent->Set();
    if (!entry.Noted) {
        entry.Noted = true;
        journal_.Write("process-exit", {{"code", code}});
    }
}

bool SimPrograms::Refresh(Entry& entry) {
    if (entry.Ended) return true;
    if (entry.Kind == ProgramKind::Real) {
        std::uint32_t code = 0;
        if (entry.RealOwner->GetExitCodeProcess(entry.RealHandle, code) && code != kStillActive) NoteEnd(entry, code);
    } else if (entry.EndsAt && clock_.NowMs() >= *entry.EndsAt) {
        NoteEnd(entry, entry.ScheduledCode);
    }
    return entry.Ended;
}

bool SimPrograms::GetExitCode(ProcessHandle process, std::uint32_t& code) {
    std::lock_guard lock(mutex_);
    Entry* entry = Find(process);
    if (!entry) return false;
    code = Refresh(*entry) ? entry->ExitCode : kStillActive;
    return true;
}

bool SimPrograms::Wait(ProcessHandle process, std::uint32_t timeoutMs, bool evenClosed) {
    std::unique_lock lock(mutex_);
    Entry* entry = Find(process, evenClosed);
    if (!entry) return false;
    if (Refresh(*entry)) return true;
    if (entry->Kind == ProgramKind::Real) {
        const ProcessHandle real = entry->RealHandle;
        posix::PosixProcesses* owner = entry->RealOwner;
        lock.unlock();
        // Real time passes while virtual time stands still: this thread counts as running.
        const bool ended = owner->WaitForProcess(real, timeoutMs);
        lock.lock();
        entry = Find(process, evenClosed);
        return ended && entry && Refresh(*entry);
    }
    std::uint32_t wait = timeoutMs;
    if (entry->EndsAt) {
        const std::int64_t left = std::max<std::int64_t>(0, *entry->EndsAt - clock_.NowMs());
        wait = static_cast<std::uint32_t>(std::min<std::int64_t>(left, timeoutMs));
    }
    WaitableEvent* ended = entry->EndedEvent.get();
    lock.unlock();
    clock_.Wait(*ended, wait);
    lock.lock();
    entry = Find(process, evenClosed);
    return entry && Refresh(*entry);
}

void SimPrograms::Close(ProcessHandle process) {
    std::lock_guard lock(mutex_);
    // The program running behind the handle goes on; only the handle is gone.
    if (Entry* entry = Find(process)) entry->Closed = true;
}

bool SimPrograms::EndFake(std::uint32_t exitCode) {
    std::lock_guard lock(mutex_);
    for (auto it = started_.rbegin(); it != started_.rend(); ++it) {
        if (it->Kind != ProgramKind::Fake) continue;
        Entry* entry = Find(it->Handle, true);
        if (entry && !Refresh(*entry)) {
            NoteEnd(*entry, exitCode);
            return true;
        }
    }
    return false;
}

bool SimPrograms::WaitForLast(std::uint32_t timeoutMs) {
    ProcessHandle last = 0;
    {
        std::lock_guard lock(mutex_);
        if (started_.empty()) return true;
        last = started_.back().Handle;
    }
    return Wait(last, timeoutMs, true);
}

std::vector<StartedProgram> SimPrograms::Started() const {
    std::lock_guard lock(mutex_);
    return started_;
}

}  // namespace zindra::platform::sim
