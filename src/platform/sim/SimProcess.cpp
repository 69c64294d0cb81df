// A program on the simulated machine: its platform objects and its event delivery.
#include "platform/sim/SimProcess.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/sim/SimAudio.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimSystem.h"

namespace zindra::platform::sim {

SimProcess::SimProcess(SimMachine& machine)
    : machine_(machine),
      wake_(machine.Clock().CreateEvent(false, false)),
      desktop_(std::make_unique<SimDesktop>(*this)),
      system_(std::make_unique<SimSystem>(*this)),
      audio_(std::make_unique<SimAudio>(*this)) {}

SimProcess::~SimProcess() {
    sink_ = nullptr;  // a program that is going hears nothing more
    machine_.Windows().DestroyAllOf(this);
}

Desktop& SimProcess::GetDesktop() {
    return *desktop_;
}
System& SimProcess::GetSystem() {
    return *system_;
}
Audio& SimProcess::GetAudio() {
    return *audio_;
}
Clock& SimProcess::GetClock() {
    return machine_.Clock();
}

bool SimProcess::Has(Capability capability) const {
    switch (capability) {
        case Capability::RealProcesses:
            return machine_.Config().Programs == ProgramMode::Real;
        case Capability::WaveOutput:
            return machine_.Config().WaveDevices > 0;
        case Capability::MidiSequencer:
            return machine_.Config().MidiInstalled;
        case Capability::Mixer:
            return !machine_.Config().Mixers.empty();
        default:
            return true;
    }
}

void SimProcess::Note(std::string_view event, std::string_view jsonFields) {
    machine_.GetJournal().WriteRaw(event, jsonFields);
}

void SimProcess::Deliver(const Event& event) {
    EventSink* sink = sink_.load();
    if (!sink) return;
    Event stamped = event;
    stamped.Time = machine_.Clock().NowMs();
    sink->Post(stamped);
}

void SimProcess::Exit(std::uint32_t code) {
    if (exitHandler_) exitHandler_(code);
    machine_.GetJournal().Write("exit", {{"code", code}});
    std::fflush(nullptr);
    std::_Exit(static_cast<int>(code));
}

}  // namespace zindra::platform::sim
