// The mixer a simulated machine has unless told otherwise, and the ids of its lines.
#include "platform/sim/SimMixerModel.h"

namespace zindra::platform::sim {

namespace {

SimMixerControl Volume() {
    return {};
}

SimMixerControl Mute() {
    SimMixerControl mute;
    mute.Type = MIXERCONTROL_CONTROLTYPE_MUTE;
    mute.ShortName = mute.Name = "Mute";
    mute.Flags = MIXERCONTROL_CONTROLF_UNIFORM;
    mute.Maximum = 1;
    return mute;
}

SimMixerLine Source(std::uint32_t type, const char* name, std::uint32_t target, std::vector<SimMixerControl> controls) {
    SimMixerLine line;
    line.ComponentType = type;
    line.ShortName = line.Name = name;
    line.TargetType = target;
    line.Controls = std::move(controls);
    return line;
}

SimMixerDestination Speakers() {
    SimMixerDestination speakers;
    speakers.ComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    speakers.ShortName = "Volume Control";
    speakers.Name = "Volume Control";
    speakers.TargetType = MIXERLINE_TARGETTYPE_WAVEOUT;
    speakers.Controls = {Volume(), Mute()};
    speakers.Sources = {
        Source(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, "Wave", MIXERLINE_TARGETTYPE_WAVEOUT, {Volume(), Mute()}),
        Source(MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, "SW Synth", MIXERLINE_TARGETTYPE_MIDIOUT, {Volume(), Mute()}),
        Source(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, "CD Player", MIXERLINE_TARGETTYPE_UNDEFINED,
               {Volume(), Mute()}),
        Source(MIXERLINE_COMPONENTTYPE_SRC_LINE, "Line In", MIXERLINE_TARGETTYPE_UNDEFINED, {Volume(), Mute()}),
    };
    return speakers;
}

SimMixerDestination Recording() {
    SimMixerDestination recording;
    recording.ComponentType = MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
    recording.ShortName = "Recording Contr";
    recording.Name = "Recording Control";
    recording.TargetType = MIXERLINE_TARGETTYPE_WAVEIN;
    SimMixerControl selector;
    selector.Type = MIXERCONTROL_CONTROLTYPE_MUX;
    selector.ShortName = selector.Name = "Source";
    selector.Flags = MIXERCONTROL_CONTROLF_UNIFORM | MIXERCONTROL_CONTROLF_MULTIPLE;
    selector.MultipleItems = 2;
    selector.Maximum = 1;
    recording.Controls = {selector};
    recording.Sources = {
        Source(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, "Microphone", MIXERLINE_TARGETTYPE_UNDEFINED, {Volume()}),
        Source(MIXERLINE_COMPONENTTYPE_SRC_LINE, "Line In", MIXERLINE_TARGETTYPE_UNDEFINED, {Volume()}),
    };
    recording.Sources[0].Channels = 1;
    return recording;
}

}  // namespace

std::vector<SimMixerDevice> DefaultMixers() {
    SimMixerDevice device;
    device.Destinations = {Speakers(), Recording()};
    return {device};
}

std::uint32_t SimMixerLineId(std::uint32_t destination) {
    return destination;
}

std::uint32_t SimMixerLineId(std::uint32_t destination, std::uint32_t source) {
    return ((source + 1) << 16) | destination;
}

}  // namespace zindra::platform::sim
