// Sound devices of one program on the simulated machine. Wave output and the mixer record what
// they are asked to do; the MIDI sequencer plays in virtual time: a track's length comes from its
// file's tempo map, its position advances with the clock, and its end is notified as MCI does.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>

#include "platform/Audio.h"

namespace zindra::platform::sim {

class SimProcess;

class SimAudio final : public Audio {
public:
    explicit SimAudio(SimProcess& process);

    std::uint32_t WaveOutDeviceCount() override;
    bool PlaySoundMemory(const std::uint8_t* data, std::size_t size, std::uint32_t flags) override;
    bool StopSound() override;

    std::uint32_t MidiOpen(const std::string& path, std::uint32_t& device) override;
    std::uint32_t MidiPlay(std::uint32_t device, WindowHandle notifyWindow) override;
    std::uint32_t MidiStop(std::uint32_t device) override;
    std::uint32_t MidiSeekToStart(std::uint32_t device) override;
    std::uint32_t MidiStatus(std::uint32_t device, MciStatusItem item, std::uint32_t& value) override;
    std::uint32_t MidiClose(std::uint32_t device) override;

    std::uint32_t MixerDeviceCount() override;
    std::uint32_t MixerOpen(std::uint32_t id, WindowHandle callback, std::uintptr_t& mixer) override;
    std::uint32_t MixerClose(std::uintptr_t mixer) override;

    // Something outside the program stops every playing track short of its end (another program
    // taking the sequencer, say): the notification says aborted. False when nothing played.
    bool InterruptMidi();

    // For the program's message loop: when the next track ends, and the notifications due now.
    std::int64_t NextDeadline();
    void FireDue();

private:
    struct Track {
        std::string Path;
        std::uint32_t LengthMs = 0;
        std::uint32_t PositionMs = 0;  // while stopped
        bool Playing = false;
        std::int64_t StartedAt = 0;  // clock time the current play began
        std::uint32_t StartedFrom = 0;
        WindowHandle Notify = 0;
    };

    std::uint32_t PositionOf(const Track& track, std::int64_t now) const;
    void Halt(std::uint32_t device, Track& track, std::uint32_t notifyCode);
    void Notify(WindowHandle window, std::uint32_t code, std::uint32_t device);
    void NoteMidi(const char* op, const std::string& file);

    SimProcess& process_;
    std::recursive_mutex mutex_;
    std::map<std::uint32_t, Track> tracks_;
    std::uint32_t nextDevice_ = 1;
    std::uintptr_t nextMixer_ = 0x700;
};

}  // namespace zindra::platform::sim
