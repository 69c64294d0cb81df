// Mixer devices through the Windows multimedia calls, with the interface's records copied to and
// from the system's own.
#include <algorithm>
#include <cstring>

#include "platform/win32/Win32Audio.h"

namespace zindra::platform::win32 {

namespace {

// The capability and control records have no pointer in them and are laid out alike everywhere.
static_assert(sizeof(MixerCapsA) == sizeof(MIXERCAPSA));
static_assert(offsetof(MixerCapsA, cDestinations) == offsetof(MIXERCAPSA, cDestinations));
static_assert(sizeof(MixerControlA) == sizeof(MIXERCONTROLA));
static_assert(offsetof(MixerControlA, szName) == offsetof(MIXERCONTROLA, szName));
static_assert(offsetof(MixerControlA, Bounds) == offsetof(MIXERCONTROLA, Bounds));
static_assert(offsetof(MixerControlA, Metrics) == offsetof(MIXERCONTROLA, Metrics));

HMIXEROBJ Object(std::uintptr_t object) {
    return reinterpret_cast<HMIXEROBJ>(object);
}

// Every field but the sizes, which each side fills with its own; dwUser is the driver's and
// only its low 32 bits cross.
template <typename To, typename From>
void CopyLine(To& to, const From& from) {
    to.dwDestination = from.dwDestination;
    to.dwSource = from.dwSource;
    to.dwLineID = from.dwLineID;
    to.fdwLine = from.fdwLine;
    to.dwUser = static_cast<decltype(to.dwUser)>(from.dwUser);
    to.dwComponentType = from.dwComponentType;
    to.cChannels = from.cChannels;
    to.cConnections = from.cConnections;
    to.cControls = from.cControls;
    std::memcpy(to.szShortName, from.szShortName, sizeof to.szShortName);
    std::memcpy(to.szName, from.szName, sizeof to.szName);
    to.Target.dwType = from.Target.dwType;
    to.Target.dwDeviceID = from.Target.dwDeviceID;
    to.Target.wMid = from.Target.wMid;
    to.Target.wPid = from.Target.wPid;
    to.Target.vDriverVersion = from.Target.vDriverVersion;
    std::memcpy(to.Target.szPname, from.Target.szPname, sizeof to.Target.szPname);
}

}  // namespace

std::uint32_t Win32Audio::MixerDeviceCount() {
    return mixerGetNumDevs();
}

std::uint32_t Win32Audio::MixerOpen(std::uint32_t id, WindowHandle callback, std::uintptr_t& mixer) {
    HMIXER opened = nullptr;
    const DWORD flags = MIXER_OBJECTF_MIXER | (callback ? CALLBACK_WINDOW : 0);
    const MMRESULT result = mixerOpen(&opened, id, static_cast<DWORD_PTR>(callback), 0, flags);
    if (result == MMSYSERR_NOERROR) mixer = reinterpret_cast<std::uintptr_t>(opened);
    return result;
}

std::uint32_t Win32Audio::MixerClose(std::uintptr_t mixer) {
    return mixerClose(reinterpret_cast<HMIXER>(mixer));
}

std::uint32_t Win32Audio::MixerGetDevCaps(std::uintptr_t idOrHandle, MixerCapsA& caps, std::uint32_t size) {
    MIXERCAPSA native{};
    const std::uint32_t room = std::min<std::uint32_t>(size, sizeof native);
    const MMRESULT result = mixerGetDevCapsA(idOrHandle, &native, room);
    if (result == MMSYSERR_NOERROR) std::memcpy(static_cast<void*>(&caps), &native, room);
    return result;
}

std::uint32_t Win32Audio::MixerGetLineInfo(std::uintptr_t object, MixerLineA& line, std::uint32_t flags) {
    if (line.cbStruct != kMixerLineSize) return MMSYSERR_INVALPARAM;
    MIXERLINEA native{};
    native.cbStruct = sizeof native;
    CopyLine(native, line);  // the query's inputs: indices, id, component or target type
    const MMRESULT result = mixerGetLineInfoA(Object(object), &native, flags);
    if (result == MMSYSERR_NOERROR) CopyLine(line, native);
    return result;
}

std::uint32_t Win32Audio::MixerGetLineControls(std::uintptr_t object, MixerLineControlsA& controls,
                                               std::uint32_t flags) {
    if (controls.cbStruct != kMixerLineControlsSize || controls.cbmxctrl != kMixerControlSize) {
        return MMSYSERR_INVALPARAM;
    }
    MIXERLINECONTROLSA native{};
    native.cbStruct = sizeof native;
    native.dwLineID = controls.dwLineID;
    native.dwControlID = controls.dwControlID;
    native.cControls = controls.cControls;
    native.cbmxctrl = sizeof(MIXERCONTROLA);
    native.pamxctrl = reinterpret_cast<MIXERCONTROLA*>(controls.pamxctrl);
    return mixerGetLineControlsA(Object(object), &native, flags);
}

}  // namespace zindra::platform::win32
