// A simulated program with the kit's per-program object, a second program, and journal reading.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/app/Application.h"
#include "platform/sim/SimProcess.h"
#include "services/Starter.h"
#include "services/ZkApplication.h"
#include "support/SimWorld.h"

namespace zindra::testing {

inline platform::sim::SimConfig ServiceConfig() {
    platform::sim::SimConfig config;
    config.ProgramFile = "C:\\Suite\\Menu.exe";
    return config;
}

// What a program's ExitProcess throws in these tests, so the test sees the program end itself.
struct ExitCalled {
    std::uint32_t Code;
};

struct ServiceWorld : SimWorld {
    explicit ServiceWorld(platform::sim::SimConfig config = ServiceConfig())
        : SimWorld(std::move(config)), zk(new TZkApplication(app.get())) {
        RegisterStarterClasses();
        process.SetExitHandler([](std::uint32_t code) { throw ExitCalled{code}; });
    }
    TZkTimerPool& Pool() { return zk->TimerPool(); }

    // Journal lines of one kind of event, in order.
    std::vector<std::string> Journal(std::string_view event) {
        const std::string tag = "\"ev\":\"" + std::string(event) + "\"";
        std::vector<std::string> found;
        for (const std::string& line : machine.GetJournal().Lines()) {
            if (line.find(tag) != std::string::npos) found.push_back(line);
        }
        return found;
    }

    TZkApplication* zk;  // owned by app
};

// Another program on the same machine, with its own application and TZkApplication.
struct OtherProgram {
    OtherProgram(platform::sim::SimMachine& machine, const std::string& title)
        : process(machine), app(std::make_unique<TApplication>(process)) {
        app->SetTitle(title);
        zk = new TZkApplication(app.get());
        process.SetExitHandler([](std::uint32_t code) { throw ExitCalled{code}; });
    }
    platform::sim::SimProcess process;
    std::unique_ptr<TApplication> app;
    TZkApplication* zk;  // owned by app
};

// One member of a journal line: a string unescaped, anything else as written.
inline std::string JsonField(const std::string& line, std::string_view name) {
    const std::string key = "\"" + std::string(name) + "\":";
    auto at = line.find(key);
    if (at == std::string::npos) return "<missing>";
    at += key.size();
    std::string value;
    if (line[at] != '"') {
        while (at < line.size() && line[at] != ',' && line[at] != '}')
            value += line[at++];
        return value;
    }
    for (++at; at < line.size() && line[at] != '"'; ++at) {
        if (line[at] == '\\' && at + 1 < line.size()) {
            ++at;
            value += line[at] == 'r' ? '\r' : line[at] == 'n' ? '\n' : line[at];
        } else {
            value += line[at];
        }
    }
    return value;
}

}  // namespace zindra::testing
