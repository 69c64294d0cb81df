// The Audio of a Windows program: sndPlaySoundA from memory, the MCI sequencer through
// mciSendCommandA with times in milliseconds, and mixer devices that notify a window.
#pragma once

#include "platform/Audio.h"
#include "platform/win32/Win32Api.h"

namespace zindra::platform::win32 {

// Thread-safe as far as the multimedia calls are; MCI notifications go to the window given to
// MidiPlay as MM_MCINOTIFY messages (wParam the notify code, lParam the device).
class Win32Audio final : public Audio {
public:
    std::uint32_t WaveOutDeviceCount() override;
    // Always from memory (SND_MEMORY is added): a memory image is never taken for a file name.
    // An image whose sizes reach past size bytes is refused rather than handed to the player.
    bool PlaySoundMemory(const std::uint8_t* data, std::size_t size, std::uint32_t flags) override;
    bool StopSound() override;

    // Opens the file on the "sequencer" device and sets its time format to milliseconds.
    std::uint32_t MidiOpen(const std::string& path, std::uint32_t& device) override;
    std::uint32_t MidiPlay(std::uint32_t device, WindowHandle notifyWindow) override;
    std::uint32_t MidiStop(std::uint32_t device) override;
    std::uint32_t MidiSeekToStart(std::uint32_t device) override;
    std::uint32_t MidiStatus(std::uint32_t device, MciStatusItem item, std::uint32_t& value) override;
    std::uint32_t MidiClose(std::uint32_t device) override;

    std::uint32_t MixerDeviceCount() override;
    std::uint32_t MixerOpen(std::uint32_t id, WindowHandle callback, std::uintptr_t& mixer) override;
    std::uint32_t MixerClose(std::uintptr_t mixer) override;
    std::uint32_t MixerGetDevCaps(std::uintptr_t idOrHandle, MixerCapsA& caps, std::uint32_t size) override;
    // The records are copied to and from the system's own layout (wider on 64-bit Windows); a
    // record whose size field is not the interface's is refused with MMSYSERR_INVALPARAM.
    std::uint32_t MixerGetLineInfo(std::uintptr_t object, MixerLineA& line, std::uint32_t flags) override;
    std::uint32_t MixerGetLineControls(std::uintptr_t object, MixerLineControlsA& controls,
                                       std::uint32_t flags) override;

    // How many sequencer devices MCI knows (MCI_SYSINFO), for Has(MidiSequencer).
    static std::uint32_t SequencerCount();
};

}  // namespace zindra::platform::win32
