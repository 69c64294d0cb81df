// One program running on a simulated machine: the platform it sees (desktop, system, audio,
// clock), and the receiver of its windows' events.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimWindows.h"

namespace zindra::platform::sim {

class SimDesktop;
class SimSystem;
class SimAudio;

class SimProcess final : public Platform, public SimEventTarget {
public:
    explicit SimProcess(SimMachine& machine);
    ~SimProcess() override;
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    Desktop& GetDesktop() override;
    System& GetSystem() override;
    Audio& GetAudio() override;
    Clock& GetClock() override;
    bool Has(Capability capability) const override;
    void Note(std::string_view event, std::string_view jsonFields) override;

    void Deliver(const Event& event) override;
    SimMachine& Machine() { return machine_; }
    SimAudio& SimulatedAudio() { return *audio_; }

    // What ExitProcess does; the default writes the journal's exit line and ends the host process.
    // Tests replace it (for example with a throw) to watch a program end itself.
    void SetExitHandler(std::function<void(std::uint32_t)> handler) { exitHandler_ = std::move(handler); }
    [[noreturn]] void Exit(std::uint32_t code);

    WaitableEvent& WakeEvent() { return *wake_; }
    void SetSink(EventSink* sink) { sink_ = sink; }

private:
    SimMachine& machine_;
    std::unique_ptr<WaitableEvent> wake_;
    std::atomic<EventSink*> sink_{nullptr};
    std::unique_ptr<SimDesktop> desktop_;
    std::unique_ptr<SimSystem> system_;
    std::unique_ptr<SimAudio> audio_;
    std::function<void(std::uint32_t)> exitHandler_;
};

}  // namespace zindra::platform::sim
