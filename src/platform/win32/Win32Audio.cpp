// Wave output and the MCI sequencer through the Windows multimedia calls (mixers: Win32Mixer.cpp).
#include "platform/win32/Win32Audio.h"

#include "platform/win32/WaveImage.h"

namespace zindra::platform::win32 {

namespace {

MCIERROR Command(std::uint32_t device, UINT message, DWORD_PTR flags, void* parameters) {
    return mciSendCommandA(device, message, flags, reinterpret_cast<DWORD_PTR>(parameters));
}

}  // namespace

std::uint32_t Win32Audio::WaveOutDeviceCount() {
    return waveOutGetNumDevs();
}

bool Win32Audio::PlaySoundMemory(const std::uint8_t* data, std::size_t size, std::uint32_t flags) {
    if (!WaveImageIsWhole(data, size)) return false;
    return sndPlaySoundA(reinterpret_cast<LPCSTR>(data), flags | SND_MEMORY) != FALSE;
}

bool Win32Audio::StopSound() {
    return sndPlaySoundA(nullptr, 0) != FALSE;
}

std::uint32_t Win32Audio::MidiOpen(const std::string& path, std::uint32_t& device) {
    MCI_OPEN_PARMSA open{};
    open.lpstrDeviceType = "sequencer";
    open.lpstrElementName = path.c_str();
    const MCIERROR error = Command(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_WAIT, &open);
    if (error != 0) return error;
    MCI_SET_PARMS set{};
    set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    if (const MCIERROR failed = Command(open.wDeviceID, MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, &set)) {
        Command(open.wDeviceID, MCI_CLOSE, MCI_WAIT, nullptr);
        return failed;
    }
    device = open.wDeviceID;
    return 0;
}

std::uint32_t Win32Audio::MidiPlay(std::uint32_t device, WindowHandle notifyWindow) {
    MCI_PLAY_PARMS play{};
    play.dwCallback = static_cast<DWORD_PTR>(notifyWindow);
    return Command(device, MCI_PLAY, notifyWindow ? MCI_NOTIFY : 0, &play);
}

std::uint32_t Win32Audio::MidiStop(std::uint32_t device) {
    MCI_GENERIC_PARMS stop{};
    return Command(device, MCI_STOP, MCI_WAIT, &stop);
}

std::uint32_t Win32Audio::MidiSeekToStart(std::uint32_t device) {
    MCI_SEEK_PARMS seek{};
    return Command(device, MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, &seek);
}

std::uint32_t Win32Audio::MidiStatus(std::uint32_t device, MciStatusItem item, std::uint32_t& value) {
    MCI_STATUS_PARMS status{};
    switch (item) {
        case MciStatusItem::Mode:
            status.dwItem = MCI_STATUS_MODE;
            break;
        case MciStatusItem::Position:
            status.dwItem = MCI_STATUS_POSITION;
            break;
        case MciStatusItem::Length:
            status.dwItem = MCI_STATUS_LENGTH;
            break;
    }
    const MCIERROR error = Command(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &status);
    if (error == 0) value = static_cast<std::uint32_t>(status.dwReturn);
    return error;
}

std::uint32_t Win32Audio::MidiClose(std::uint32_t device) {
    MCI_GENERIC_PARMS close{};
    return Command(device, MCI_CLOSE, MCI_WAIT, &close);
}

std::uint32_t Win32Audio::SequencerCount() {
    MCI_SYSINFO_PARMSA info{};
    DWORD count = 0;
    info.lpstrReturn = reinterpret_cast<LPSTR>(&count);
    info.dwRetSize = sizeof count;
    info.wDeviceType = MCI_DEVTYPE_SEQUENCER;
    if (Command(0, MCI_SYSINFO, MCI_SYSINFO_QUANTITY, &info) != 0) return 0;
    return count;
}

}  // namespace zindra::platform::win32
