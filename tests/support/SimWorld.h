// A simulated machine with one program on it and its application object, for tests that drive
// windows headless in virtual time.
#pragma once

#include <memory>
#include <string>

#include "framework/Registration.h"
#include "framework/app/Application.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimProcess.h"

namespace zindra::testing {

class SimWorld {
public:
    explicit SimWorld(platform::sim::SimConfig config = {})
        : machine(std::move(config)), process(machine), app(std::make_unique<TApplication>(process)) {
        RegisterFrameworkClasses();
    }

    // Handles messages until the virtual clock has advanced by ms (all due work done).
    void RunFor(std::int64_t ms) {
        const std::int64_t until = machine.Clock().NowMs() + ms;
        RunUntil(until);
    }
    void RunUntil(std::int64_t until) {
        // A background waiter due at `until` lets the loop's wait end there exactly, once the
        // program has gone idle (background waits end only when every other thread waits).
        auto stop = machine.Clock().CreateEvent(true, false);
        auto waker = machine.Clock().StartBackgroundThread([&] {
            const std::int64_t left = until - machine.Clock().NowMs();
            machine.Clock().Sleep(static_cast<std::uint32_t>(left > 0 ? left : 0));
            stop->Set();
            process.GetDesktop().Wake();
        });
        while (!machine.Clock().Wait(*stop, 0) && !app->Terminated())
            app->HandleMessage();
        app->ProcessMessages();
        waker->Join();
    }
    // Everything that can happen now, without time passing.
    void Settle() { RunFor(0); }
    std::int64_t Now() { return machine.Clock().NowMs(); }

    platform::sim::SimMachine machine;
    platform::sim::SimProcess process;
    std::unique_ptr<TApplication> app;
};

}  // namespace zindra::testing
