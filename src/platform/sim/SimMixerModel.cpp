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

// The short name is the name cut to what the record holds.
SimMixerLine Line(std::uint32_t type, const std::string& name, std::uint32_t target,
                  std::vector<SimMixerControl> controls) {
    SimMixerLine line;
    line.ComponentType = type;
    line.ShortName = name.substr(0, MIXER_SHORT_NAME_CHARS - 1);
    line.Name = name;
    line.TargetType = target;
    line.Controls = std::move(controls);
    return line;
}

SimMixerDestination Speakers() {
    const std::uint32_t none = MIXERLINE_TARGETTYPE_UNDEFINED;
    return {
        Line(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, "Volume Control", MIXERLINE_TARGETTYPE_WAVEOUT, {Volume(), Mute()}),
        {Line(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, "Wave", MIXERLINE_TARGETTYPE_WAVEOUT, {Volume(), Mute()}),
         Line(MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, "SW Synth", MIXERLINE_TARGETTYPE_MIDIOUT, {Volume(), Mute()}),
         Line(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, "CD Player", none, {Volume(), Mute()}),
         Line(MIXERLINE_COMPONENTTYPE_SRC_LINE, "Line In", none, {Volume(), Mute()})}};
}

SimMixerDestination Recording() {
    SimMixerControl selector;
    selector.Type = MIXERCONTROL_CONTROLTYPE_MUX;
    selector.ShortName = selector.Name = "Source";
    selector.Flags = MIXERCONTROL_CONTROLF_UNIFORM | MIXERCONTROL_CONTROLF_MULTIPLE;
    selector.MultipleItems = 2;
    selector.Maximum = 1;
    const std::uint32_t none = MIXERLINE_TARGETTYPE_UNDEFINED;
    SimMixerDestination recording{
        Line(MIXERLINE_COMPONENTTYPE_DST_WAVEIN, "Recording Control", MIXERLINE_TARGETTYPE_WAVEIN, {selector}),
        {Line(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, "Microphone", none, {Volume()}),
         Line(MIXERLINE_COMPONENTTYPE_SRC_LINE, "Line In", none, {Volume()})}};
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
