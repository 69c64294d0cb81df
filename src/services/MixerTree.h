// The read-only description of an open mixer device: its destination lines, the source lines
// connected to each, and every line's controls. Each node belongs to its parent.
#pragma once

#include <vector>

#include "framework/Component.h"
#include "platform/MixerRecords.h"
#include "services/PointerList.h"

namespace zindra {

class TAudioMixer;

// Far more than any device has; a count past it is a broken description, and what lies beyond
// is left out like a line the system refuses.
inline constexpr std::uint32_t kMaxMixerLines = 256;      // destinations of a device, sources of a line
inline constexpr std::uint32_t kMaxMixerControls = 1024;  // of one line

// The line's controls: one block of records and a list that points into it. Empty when the line
// has none or the system will not describe them.
class TMixerControls : public TObject {
public:
    TMixerControls(TAudioMixer& mixer, const platform::MixerLineA& line);
    int Count() const { return list_.Count(); }
    // EListError outside 0 .. Count() - 1.
    const platform::MixerControlA& Items(int index) const;
    TAudioMixer& Mixer() const { return mixer_; }

private:
    TAudioMixer& mixer_;
    std::vector<platform::MixerControlA> block_;
    TPointerList list_;  // no release: the records live in block_
};

// A source line as the system described it, with its controls.
class TMixerConnection : public TObject {
public:
    TMixerConnection(TAudioMixer& mixer, const platform::MixerLineA& line);
    const platform::MixerLineA& Data() const { return line_; }
    const TMixerControls& Controls() const { return controls_; }
    TAudioMixer& Mixer() const { return mixer_; }

private:
    platform::MixerLineA line_;
    TAudioMixer& mixer_;
    TMixerControls controls_;
};

// The sources of one destination that the system describes, in source order.
class TMixerConnections : public TObject {
public:
    TMixerConnections(TAudioMixer& mixer, const platform::MixerLineA& destination);
    int Count() const { return list_.Count(); }
    const TMixerConnection& Items(int index) const;
    TAudioMixer& Mixer() const { return mixer_; }

private:
    TAudioMixer& mixer_;
    TPointerList list_;  // frees its connections
};

class TMixerDestination : public TObject {
public:
    TMixerDestination(TAudioMixer& mixer, const platform::MixerLineA& line);
    const platform::MixerLineA& Data() const { return line_; }
    const TMixerConnections& Connections() const { return connections_; }
    const TMixerControls& Controls() const { return controls_; }
    TAudioMixer& Mixer() const { return mixer_; }

private:
    platform::MixerLineA line_;
    TAudioMixer& mixer_;
    TMixerConnections connections_;
    TMixerControls controls_;
};

// The destinations of the mixer's open device that the system describes, in destination order.
class TMixerDestinations : public TObject {
public:
    explicit TMixerDestinations(TAudioMixer& mixer);
    int Count() const { return list_.Count(); }
    const TMixerDestination& Items(int index) const;

private:
    TPointerList list_;  // frees its destinations
};

}  // namespace zindra
