// Wave, MIDI and mixer devices of the simulated machine.
#include "platform/sim/SimAudio.h"

#include <algorithm>
#include <limits>

#include "platform/sim/MidiFile.h"
#include "platform/sim/SimProcess.h"
#include "platform/sim/SimSystem.h"

namespace zindra::platform::sim {

SimAudio::SimAudio(SimProcess& process) : process_(process) {}

std::uint32_t SimAudio::WaveOutDeviceCount() {
    return process_.Machine().Config().WaveDevices;
}

bool SimAudio::PlaySoundMemory(const std::uint8_t* data, std::size_t size, std::uint32_t flags) {
    if (WaveOutDeviceCount() == 0 || !data) return false;
    process_.Machine().GetJournal().Write("wave", {{"op", "play"}, {"bytes", size}, {"flags", flags}});
    return true;
}

bool SimAudio::StopSound() {
    process_.Machine().GetJournal().Write("wave", {{"op", "stop"}});
    return true;
}

void SimAudio::NoteMidi(const char* op, const std::string& file) {
    process_.Machine().GetJournal().Write("midi", {{"op", op}, {"file", file}});
}

std::uint32_t SimAudio::MidiOpen(const std::string& path, std::uint32_t& device) {
    std::lock_guard lock(mutex_);
    if (!process_.Machine().Config().MidiInstalled) {
        NoteMidi("open-failed", path);
        return MCIERR_DEVICE_NOT_INSTALLED;
    }
    auto& system = static_cast<SimSystem&>(process_.GetSystem());
    const auto bytes = system.ReadFileQuietly(path);
    if (!bytes) {
        NoteMidi("open-failed", path);
        return MCIERR_FILE_NOT_FOUND;
    }
    const auto length = MidiLengthMs(*bytes);
    if (!length) {
        NoteMidi("open-failed", path);
        return MCIERR_INVALID_FILE;
    }
    device = nextDevice_++;
    tracks_[device] = Track{path, *length};
    NoteMidi("open", path);
    return 0;
}

std::uint32_t SimAudio::PositionOf(const Track& track, std::int64_t now) const {
    if (!track.Playing) return track.PositionMs;
    const std::int64_t at = track.StartedFrom + (now - track.StartedAt);
    return static_cast<std::uint32_t>(std::min<std::int64_t>(at, track.LengthMs));
}

void SimAudio::Notify(WindowHandle window, std::uint32_t code, std::uint32_t device) {
    if (!window) return;
    Event e;
    e.Kind = EventKind::Message;
    e.Window = window;
    e.Msg = MM_MCINOTIFY;
    e.WParam = code;
    e.LParam = static_cast<std::intptr_t>(device);
    process_.Machine().Windows().Post(e);
}

void SimAudio::Halt(std::uint32_t device, Track& track, std::uint32_t notifyCode) {
    if (!track.Playing) return;
    track.PositionMs = PositionOf(track, process_.GetClock().NowMs());
    track.Playing = false;
    const WindowHandle notify = track.Notify;
    track.Notify = 0;
    Notify(notify, notifyCode, device);
}

std::uint32_t SimAudio::MidiPlay(std::uint32_t device, WindowHandle notifyWindow) {
    std::lock_guard lock(mutex_);
    const auto it = tracks_.find(device);
    if (it == tracks_.end()) return MCIERR_INVALID_DEVICE_ID;
    Track& track = it->second;
    const std::int64_t now = process_.GetClock().NowMs();
    if (track.Playing) {
        // A new play with notification supersedes the old one's notification.
        track.PositionMs = PositionOf(track, now);
        Notify(track.Notify, MCI_NOTIFY_SUPERSEDED, device);
    }
    if (track.PositionMs >= track.LengthMs) track.PositionMs = track.LengthMs;
    track.Playing = true;
    track.StartedAt = now;
    track.StartedFrom = track.PositionMs;
    track.Notify = notifyWindow;
    NoteMidi("play", track.Path);
    return 0;
}

std::uint32_t SimAudio::MidiStop(std::uint32_t device) {
    std::lock_guard lock(mutex_);
    const auto it = tracks_.find(device);
    if (it == tracks_.end()) return MCIERR_INVALID_DEVICE_ID;
    NoteMidi("stop", it->second.Path);
    Halt(device, it->second, MCI_NOTIFY_ABORTED);
    return 0;
}

bool SimAudio::InterruptMidi() {
    std::lock_guard lock(mutex_);
    bool any = false;
    for (auto& [device, track] : tracks_) {
        if (!track.Playing) continue;
        any = true;
        NoteMidi("interrupted", track.Path);
        Halt(device, track, MCI_NOTIFY_ABORTED);
    }
    return any;
}

std::uint32_t SimAudio::MidiSeekToStart(std::uint32_t device) {
    std::lock_guard lock(mutex_);
    const auto it = tracks_.find(device);
    if (it == tracks_.end()) return MCIERR_INVALID_DEVICE_ID;
    Halt(device, it->second, MCI_NOTIFY_ABORTED);
    it->second.PositionMs = 0;
    NoteMidi("seek", it->second.Path);
    return 0;
}

std::uint32_t SimAudio::MidiStatus(std::uint32_t device, MciStatusItem item, std::uint32_t& value) {
    std::lock_guard lock(mutex_);
    const auto it = tracks_.find(device);
    if (it == tracks_.end()) return MCIERR_INVALID_DEVICE_ID;
    const Track& track = it->second;
    const std::uint32_t position = PositionOf(track, process_.GetClock().NowMs());
    switch (item) {
        case MciStatusItem::Mode:
            value = track.Playing && position < track.LengthMs ? MCI_MODE_PLAY : MCI_MODE_STOP;
            break;
        case MciStatusItem::Position:
            value = position;
            break;
        case MciStatusItem::Length:
            value = track.LengthMs;
            break;
    }
    return 0;
}

std::uint32_t SimAudio::MidiClose(std::uint32_t device) {
    std::lock_guard lock(mutex_);
    const auto it = tracks_.find(device);
    if (it == tracks_.end()) return MCIERR_INVALID_DEVICE_ID;
    Halt(device, it->second, MCI_NOTIFY_ABORTED);
    NoteMidi("close", it->second.Path);
    tracks_.erase(it);
    return 0;
}

std::int64_t SimAudio::NextDeadline() {
    std::lock_guard lock(mutex_);
    std::int64_t next = std::numeric_limits<std::int64_t>::max();
    for (const auto& [device, track] : tracks_) {
        if (track.Playing) next = std::min(next, track.StartedAt + (track.LengthMs - track.StartedFrom));
    }
    return next;
}

void SimAudio::FireDue() {
    std::lock_guard lock(mutex_);
    const std::int64_t now = process_.GetClock().NowMs();
    for (auto& [device, track] : tracks_) {
        if (!track.Playing || track.StartedAt + (track.LengthMs - track.StartedFrom) > now) continue;
        track.Playing = false;
        track.PositionMs = track.LengthMs;
        const WindowHandle notify = track.Notify;
        track.Notify = 0;
        NoteMidi("end", track.Path);
        Notify(notify, MCI_NOTIFY_SUCCESSFUL, device);
    }
}

std::uint32_t SimAudio::MixerDeviceCount() {
    return process_.Machine().Config().MixerDevices;
}

std::uint32_t SimAudio::MixerOpen(std::uint32_t id, WindowHandle callback, std::uintptr_t& mixer) {
    if (id >= MixerDeviceCount()) return 2;  // MMSYSERR_BADDEVICEID
    mixer = nextMixer_++;
    process_.Machine().GetJournal().Write("mixer", {{"op", "open"}, {"id", id}, {"notify", callback != 0}});
    return 0;
}

std::uint32_t SimAudio::MixerClose(std::uintptr_t mixer) {
    process_.Machine().GetJournal().Write("mixer", {{"op", "close"}, {"handle", static_cast<std::int64_t>(mixer)}});
    return 0;
}

}  // namespace zindra::platform::sim
