// The one object a program gets from its back end: the desktop, the system, audio and the clock.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Audio.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/System.h"

namespace zindra::platform {

// Optional abilities a back end may lack; code that needs one asks and degrades the way a
// failing system call would.
enum class Capability { DisplayModes, TaskBar, WaveOutput, MidiSequencer, Mixer, RealProcesses, Journal };

class Platform {
public:
    virtual ~Platform() = default;
    virtual Desktop& GetDesktop() = 0;
    virtual System& GetSystem() = 0;
    virtual Audio& GetAudio() = 0;
    virtual Clock& GetClock() = 0;
    virtual bool Has(Capability capability) const = 0;
    // Where externally visible actions are recorded; a no-op where the back end keeps no journal.
    virtual void Note(std::string_view event, std::string_view jsonFields) { (void)event, (void)jsonFields; }
};

}  // namespace zindra::platform
