// Building the mixer's tree from what the system describes.
#include "services/MixerTree.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "platform/Audio.h"
#include "services/AudioMixer.h"

namespace zindra {

namespace {

template <typename T>
void Free(void* item) {
    delete static_cast<T*>(item);
}

// Adds a node the list then owns.
template <typename T>
void Append(TPointerList& list, std::unique_ptr<T> node) {
    list.Add(node.get());
    node.release();
}

// The device the mixer has open, as the object of the line and control queries.
std::uintptr_t DeviceOf(const TAudioMixer& mixer) {
    return static_cast<std::uintptr_t>(mixer.MixerId());
}

// A line by destination, or by destination and source; nothing when the system refuses it.
std::optional<platform::MixerLineA> DescribeLine(const TAudioMixer& mixer, std::uint32_t destination,
                                                 std::uint32_t source, std::uint32_t query) {
    platform::MixerLineA line;
    line.cbStruct = platform::kMixerLineSize;
    line.dwDestination = destination;
    line.dwSource = source;
    if (mixer.Audio().MixerGetLineInfo(DeviceOf(mixer), line, query) != platform::MMSYSERR_NOERROR) return {};
    return line;
}

}  // namespace

TMixerControls::TMixerControls(TAudioMixer& mixer, const platform::MixerLineA& line) : mixer_(mixer), list_(this) {
    // NOTE: a line without controls is not asked about them: the system refuses a query for
    // none, and the list is empty either way.
    if (line.cControls == 0 || line.cControls > kMaxMixerControls) return;
    block_.resize(line.cControls);
    platform::MixerLineControlsA query;
    query.cbStruct = platform::kMixerLineControlsSize;
    query.dwLineID = line.dwLineID;
    query.cControls = line.cControls;
    query.cbmxctrl = platform::kMixerControlSize;
    query.pamxctrl = block_.data();
    if (mixer.Audio().MixerGetLineControls(DeviceOf(mixer), query, platform::MIXER_GETLINECONTROLSF_ALL) !=
        platform::MMSYSERR_NOERROR) {
        block_.clear();
        return;
    }
    for (platform::MixerControlA& control : block_)
        list_.Add(&control);
}

const platform::MixerControlA& TMixerControls::Items(int index) const {
    return *static_cast<const platform::MixerControlA*>(list_.Items(index));
}

TMixerConnection::TMixerConnection(TAudioMixer& mixer, const platform::MixerLineA& line)
    : line_(line), mixer_(mixer), controls_(mixer, line_) {}

TMixerConnections::TMixerConnections(TAudioMixer& mixer, const platform::MixerLineA& destination)
    : mixer_(mixer), list_(this, &Free<TMixerConnection>) {
    const std::uint32_t count = std::min(destination.cConnections, kMaxMixerLines);
    for (std::uint32_t source = 0; source < count; ++source) {
        if (const auto line =
                DescribeLine(mixer, destination.dwDestination, source, platform::MIXER_GETLINEINFOF_SOURCE))
            Append(list_, std::make_unique<TMixerConnection>(mixer, *line));
    }
}

const TMixerConnection& TMixerConnections::Items(int index) const {
    return *static_cast<const TMixerConnection*>(list_.Items(index));
}

TMixerDestination::TMixerDestination(TAudioMixer& mixer, const platform::MixerLineA& line)
    : line_(line), mixer_(mixer), connections_(mixer, line_), controls_(mixer, line_) {}

TMixerDestinations::TMixerDestinations(TAudioMixer& mixer) : list_(this, &Free<TMixerDestination>) {
    const std::uint32_t count = std::min(static_cast<std::uint32_t>(mixer.NumberOfLine()), kMaxMixerLines);
    for (std::uint32_t destination = 0; destination < count; ++destination) {
        if (const auto line = DescribeLine(mixer, destination, 0, platform::MIXER_GETLINEINFOF_DESTINATION))
            Append(list_, std::make_unique<TMixerDestination>(mixer, *line));
    }
}

const TMixerDestination& TMixerDestinations::Items(int index) const {
    return *static_cast<const TMixerDestination*>(list_.Items(index));
}

}  // namespace zindra
