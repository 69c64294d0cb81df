// Sound: wave output from memory, a MIDI sequencer with the MCI semantics the menu needs, and
// mixer devices.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/MixerRecords.h"
#include "platform/Win32Types.h"

namespace zindra::platform {

enum class MciStatusItem : std::uint8_t { Mode, Position, Length };

class Audio {
public:
    virtual ~Audio() = default;

    // Wave output (waveOutGetNumDevs, sndPlaySoundA with SND_MEMORY).
    virtual std::uint32_t WaveOutDeviceCount() = 0;
    // Starts playing a WAV memory image; the bytes must stay valid until the sound ends or is
    // stopped. A new sound cuts off the old one.
    virtual bool PlaySoundMemory(const std::uint8_t* data, std::size_t size, std::uint32_t flags) = 0;
    virtual bool StopSound() = 0;

    // MIDI sequencer. Every call returns an MCI error code, 0 for success.
    virtual std::uint32_t MidiOpen(const std::string& path, std::uint32_t& device) = 0;
    // Plays from the current position; when it ends or is interrupted MM_MCINOTIFY is posted to
    // notifyWindow (0: no notification) with the notify code and the device as LParam.
    virtual std::uint32_t MidiPlay(std::uint32_t device, WindowHandle notifyWindow) = 0;
    virtual std::uint32_t MidiStop(std::uint32_t device) = 0;
    virtual std::uint32_t MidiSeekToStart(std::uint32_t device) = 0;
    virtual std::uint32_t MidiStatus(std::uint32_t device, MciStatusItem item, std::uint32_t& value) = 0;
    virtual std::uint32_t MidiClose(std::uint32_t device) = 0;

    // Mixer devices (mixerGetNumDevs, mixerOpen, mixerClose, mixerGetDevCapsA,
    // mixerGetLineInfoA, mixerGetLineControlsA). Every call but the count returns an MMRESULT.
    virtual std::uint32_t MixerDeviceCount() = 0;
    // With a callback window (CALLBACK_WINDOW) the device posts MM_MIXM_LINE_CHANGE and
    // MM_MIXM_CONTROL_CHANGE to it: wParam the handle, lParam the line or control id.
    virtual std::uint32_t MixerOpen(std::uint32_t id, WindowHandle callback, std::uintptr_t& mixer) = 0;
    virtual std::uint32_t MixerClose(std::uintptr_t mixer) = 0;
    // idOrHandle: a device id or an open handle; size: the record's size, 48.
    virtual std::uint32_t MixerGetDevCaps(std::uintptr_t idOrHandle, MixerCapsA& caps, std::uint32_t size) = 0;
    // object as flags' MIXER_OBJECTF_ bits say; line.cbStruct must be 168. By destination
    // (line.dwDestination) or by source (line.dwDestination and line.dwSource).
    virtual std::uint32_t MixerGetLineInfo(std::uintptr_t object, MixerLineA& line, std::uint32_t flags) = 0;
    // All controls of controls.dwLineID into controls.pamxctrl; cbStruct 24, cbmxctrl 148.
    virtual std::uint32_t MixerGetLineControls(std::uintptr_t object, MixerLineControlsA& controls,
                                               std::uint32_t flags) = 0;
};

}  // namespace zindra::platform
