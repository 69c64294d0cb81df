// What the mixer devices of a simulated machine look like: destinations, their sources, the
// controls of every line, and the lines or controls the devices refuse to describe.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/MixerRecords.h"

namespace zindra::platform::sim {

struct SimMixerControl {
    std::uint32_t Type = MIXERCONTROL_CONTROLTYPE_VOLUME;
    std::string ShortName = "Volume";  // longer names are cut to the record's field
    std::string Name = "Volume";
    std::uint32_t Flags = 0;  // MIXERCONTROL_CONTROLF_
    std::uint32_t MultipleItems = 0;
    std::uint32_t Minimum = 0;
    std::uint32_t Maximum = 0xFFFF;
    std::uint32_t Steps = 0;
};

struct SimMixerLine {
    std::uint32_t ComponentType = MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT;
    std::string ShortName;
    std::string Name;
    std::uint32_t Channels = 2;
    std::uint32_t TargetType = MIXERLINE_TARGETTYPE_UNDEFINED;
    std::vector<SimMixerControl> Controls;
    bool Refused = false;          // describing the line fails (MIXERR_INVALLINE)
    bool ControlsRefused = false;  // describing its controls fails (MMSYSERR_ERROR)
};

struct SimMixerDestination : SimMixerLine {
    std::vector<SimMixerLine> Sources;
};

// Line ids are the destination index, and for a source ((source + 1) << 16) | destination;
// control ids count from 1 through the device, each destination's own before its sources'.
struct SimMixerDevice {
    std::string Name = "Simulated Audio Mixer";
    std::uint16_t Manufacturer = 1;
    std::uint16_t Product = 104;
    std::uint32_t DriverVersion = 0x0501;
    std::vector<SimMixerDestination> Destinations;
    bool OpenRefused = false;  // opening it fails (MMSYSERR_NODRIVER)
};

// One device: speakers with volume and mute, fed by wave, synthesizer, CD and line input;
// recording with a source selector, fed by microphone and line input.
std::vector<SimMixerDevice> DefaultMixers();

std::uint32_t SimMixerLineId(std::uint32_t destination);
std::uint32_t SimMixerLineId(std::uint32_t destination, std::uint32_t source);

}  // namespace zindra::platform::sim
