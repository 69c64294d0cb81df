// The simulated machine's mixer devices answering the Win32 mixer calls.
#include "platform/sim/SimMixers.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/Event.h"
#include "platform/sim/Journal.h"
#include "platform/sim/SimWindows.h"

namespace zindra::platform::sim {

namespace {

// Cut to the field, always ending in a zero, as drivers fill the records.
template <std::size_t N>
void CopyName(char (&field)[N], const std::string& text) {
    const std::size_t count = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), count);
    std::memset(field + count, 0, N - count);
}

void DescribeControl(const SimMixerControl& control, std::uint32_t id, MixerControlA& record) {
    record = MixerControlA{};
    record.cbStruct = kMixerControlSize;
    record.dwControlID = id;
    record.dwControlType = control.Type;
    record.fdwControl = control.Flags;
    record.cMultipleItems = control.MultipleItems;
    CopyName(record.szShortName, control.ShortName);
    CopyName(record.szName, control.Name);
    record.Bounds[0] = control.Minimum;
    record.Bounds[1] = control.Maximum;
    record.Metrics[0] = control.Steps;
}

}  // namespace

SimMixers::SimMixers(std::vector<SimMixerDevice> devices, Journal& journal, SimWindows& windows)
    : devices_(std::move(devices)), journal_(journal), windows_(windows) {
    for (const SimMixerDevice& device : devices_) {
        std::vector<LineEntry>& lines = lines_.emplace_back();
        std::uint32_t nextControl = 1;
        const auto add = [&](const SimMixerLine& line, std::uint32_t destination, std::uint32_t source, bool isSource) {
            lines.push_back({&line, destination, source, isSource, nextControl});
            nextControl += static_cast<std::uint32_t>(line.Controls.size());
        };
        for (std::uint32_t d = 0; d < device.Destinations.size(); ++d) {
            add(device.Destinations[d], d, 0, false);
            for (std::uint32_t s = 0; s < device.Destinations[d].Sources.size(); ++s)
                add(device.Destinations[d].Sources[s], d, s, true);
        }
    }
}

void SimMixers::Note(std::string_view op, std::uint32_t device, std::uintptr_t handle) {
    journal_.Write("mixer", {{"op", op}, {"device", device}, {"handle", static_cast<std::int64_t>(handle)}});
}

std::uint32_t SimMixers::Open(std::uint32_t id, WindowHandle callback, std::uintptr_t& mixer) {
    const std::uint32_t refused = id >= Count()              ? MMSYSERR_BADDEVICEID
                                  : devices_[id].OpenRefused ? MMSYSERR_NODRIVER
                                                             : MMSYSERR_NOERROR;
    if (refused) {
        journal_.Write("mixer", {{"op", "open-failed"}, {"device", id}, {"result", refused}});
        return refused;
    }
    {
        std::lock_guard lock(mutex_);
        mixer = nextHandle_++;
        open_[mixer] = Handle{id, callback};
    }
    journal_.Write(
        "mixer",
        {{"op", "open"}, {"device", id}, {"handle", static_cast<std::int64_t>(mixer)}, {"notify", callback != 0}});
    return MMSYSERR_NOERROR;
}

std::uint32_t SimMixers::Close(std::uintptr_t mixer) {
    std::uint32_t device = 0;
    {
        std::lock_guard lock(mutex_);
        const auto it = open_.find(mixer);
        if (it == open_.end()) return MMSYSERR_INVALHANDLE;
        device = it->second.Device;
        open_.erase(it);
    }
    Note("close", device, mixer);
    return MMSYSERR_NOERROR;
}

std::uint32_t SimMixers::DeviceOf(std::uintptr_t object, std::uint32_t objectFlags, std::uint32_t& device) {
    std::lock_guard lock(mutex_);
    if (const auto it = open_.find(object); it != open_.end()) {
        device = it->second.Device;
        return MMSYSERR_NOERROR;
    }
    if (objectFlags == MIXER_OBJECTF_HMIXER) return MMSYSERR_INVALHANDLE;
    if (objectFlags != MIXER_OBJECTF_MIXER) return MMSYSERR_INVALFLAG;
    if (object >= Count()) return MMSYSERR_BADDEVICEID;
    device = static_cast<std::uint32_t>(object);
    return MMSYSERR_NOERROR;
}

std::uint32_t SimMixers::GetDevCaps(std::uintptr_t idOrHandle, MixerCapsA& caps, std::uint32_t size) {
    std::uint32_t device = 0;
    if (const std::uint32_t error = DeviceOf(idOrHandle, MIXER_OBJECTF_MIXER, device)) return error;
    const SimMixerDevice& model = devices_[device];
    MixerCapsA full;
    full.wMid = model.Manufacturer;
    full.wPid = model.Product;
    full.vDriverVersion = model.DriverVersion;
    CopyName(full.szPname, model.Name);
    full.cDestinations = static_cast<std::uint32_t>(model.Destinations.size());
    // As the system does: as much of the record as the caller has room for.
    std::memcpy(&caps, &full, std::min<std::size_t>(size, sizeof full));
    return MMSYSERR_NOERROR;
}

const SimMixers::LineEntry* SimMixers::FindLine(std::uint32_t device, std::uint32_t lineId) const {
    for (const LineEntry& entry : lines_[device]) {
        const std::uint32_t id =
            entry.IsSource ? SimMixerLineId(entry.Destination, entry.Source) : SimMixerLineId(entry.Destination);
        if (id == lineId) return &entry;
    }
    return nullptr;
}

const SimMixers::LineEntry* SimMixers::FindLine(std::uint32_t device, std::uint32_t destination, std::uint32_t source,
                                                bool isSource) const {
    for (const LineEntry& entry : lines_[device]) {
        if (entry.Destination == destination && entry.IsSource == isSource && (!isSource || entry.Source == source))
            return &entry;
    }
    return nullptr;
}

void SimMixers::Describe(std::uint32_t device, const LineEntry& entry, MixerLineA& line) const {
    const SimMixerDevice& model = devices_[device];
    const SimMixerLine& source = *entry.Line;
    line = MixerLineA{};
    line.cbStruct = kMixerLineSize;
    line.dwDestination = entry.Destination;
    line.dwSource = entry.IsSource ? entry.Source : 0;
    line.dwLineID =
        entry.IsSource ? SimMixerLineId(entry.Destination, entry.Source) : SimMixerLineId(entry.Destination);
    line.fdwLine = MIXERLINE_LINEF_ACTIVE | (entry.IsSource ? MIXERLINE_LINEF_SOURCE : 0);
    line.dwComponentType = source.ComponentType;
    line.cChannels = source.Channels;
    line.cConnections =
        entry.IsSource ? 0 : static_cast<std::uint32_t>(model.Destinations[entry.Destination].Sources.size());
    line.cControls = static_cast<std::uint32_t>(source.Controls.size());
    CopyName(line.szShortName, source.ShortName);
    CopyName(line.szName, source.Name);
    line.Target.dwType = source.TargetType;
    line.Target.wMid = model.Manufacturer;
    line.Target.wPid = model.Product;
    line.Target.vDriverVersion = model.DriverVersion;
    CopyName(line.Target.szPname, model.Name);
}

std::uint32_t SimMixers::GetLineInfo(std::uintptr_t object, MixerLineA& line, std::uint32_t flags) {
    if (line.cbStruct != kMixerLineSize) return MMSYSERR_INVALPARAM;
    std::uint32_t device = 0;
    if (const std::uint32_t error = DeviceOf(object, flags & MIXER_OBJECTF_TYPEMASK, device)) return error;
    const std::uint32_t query = flags & MIXER_GETLINEINFOF_QUERYMASK;
    if (query != MIXER_GETLINEINFOF_DESTINATION && query != MIXER_GETLINEINFOF_SOURCE) return MMSYSERR_INVALFLAG;
    const LineEntry* entry = FindLine(device, line.dwDestination, line.dwSource, query == MIXER_GETLINEINFOF_SOURCE);
    if (!entry || entry->Line->Refused) return MIXERR_INVALLINE;
    Describe(device, *entry, line);
    return MMSYSERR_NOERROR;
}

std::uint32_t SimMixers::GetLineControls(std::uintptr_t object, MixerLineControlsA& controls, std::uint32_t flags) {
    if (controls.cbStruct != kMixerLineControlsSize || controls.cbmxctrl != kMixerControlSize) {
        return MMSYSERR_INVALPARAM;
    }
    std::uint32_t device = 0;
    if (const std::uint32_t error = DeviceOf(object, flags & MIXER_OBJECTF_TYPEMASK, device)) return error;
    if ((flags & MIXER_GETLINECONTROLSF_QUERYMASK) != MIXER_GETLINECONTROLSF_ALL) return MMSYSERR_INVALFLAG;
    const LineEntry* entry = FindLine(device, controls.dwLineID);
    if (!entry) return MIXERR_INVALLINE;
    const std::vector<SimMixerControl>& model = entry->Line->Controls;
    // The system wants room for exactly the line's controls, and at least one.
    if (controls.cControls == 0 || controls.cControls != model.size() || !controls.pamxctrl) {
        return MMSYSERR_INVALPARAM;
    }
    if (entry->Line->ControlsRefused) return MMSYSERR_ERROR;
    for (std::uint32_t i = 0; i < controls.cControls; ++i)
        DescribeControl(model[i], entry->FirstControlId + i, controls.pamxctrl[i]);
    return MMSYSERR_NOERROR;
}

int SimMixers::Raise(std::uint32_t device, SimMixerNotice notice, std::uint32_t id) {
    std::vector<std::pair<std::uintptr_t, WindowHandle>> targets;
    {
        std::lock_guard lock(mutex_);
        for (const auto& [handle, open] : open_) {
            if (open.Device == device) targets.emplace_back(handle, open.Callback);
        }
    }
    const bool line = notice == SimMixerNotice::Line;
    const auto note = [&](std::uintptr_t handle) {
        journal_.Write("mixer", {{"op", "notice"},
                                 {"device", device},
                                 {"handle", static_cast<std::int64_t>(handle)},
                                 {"kind", line ? "line" : "control"},
                                 {"id", id}});
    };
    int reached = 0;
    for (const auto& [handle, window] : targets) {
        Event e;
        e.Kind = EventKind::Message;
        e.Window = window;
        e.Msg = line ? MM_MIXM_LINE_CHANGE : MM_MIXM_CONTROL_CHANGE;
        e.WParam = handle;
        e.LParam = static_cast<std::intptr_t>(id);
        if (!window || !windows_.Post(e)) continue;
        note(handle);
        ++reached;
    }
    if (reached == 0) note(0);
    return reached;
}

std::vector<std::uintptr_t> SimMixers::OpenHandles(std::uint32_t device) {
    std::lock_guard lock(mutex_);
    std::vector<std::uintptr_t> handles;
    for (const auto& [handle, open] : open_) {
        if (open.Device == device) handles.push_back(handle);
    }
    return handles;
}

}  // namespace zindra::platform::sim
