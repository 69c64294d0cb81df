// The mixer records, codes and flags of the Win32 multimedia API, as the Audio interface speaks them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zindra::platform {

// Results (MMRESULT).
inline constexpr std::uint32_t MMSYSERR_NOERROR = 0;
inline constexpr std::uint32_t MMSYSERR_ERROR = 1;
inline constexpr std::uint32_t MMSYSERR_BADDEVICEID = 2;
inline constexpr std::uint32_t MMSYSERR_INVALHANDLE = 5;
inline constexpr std::uint32_t MMSYSERR_NODRIVER = 6;
inline constexpr std::uint32_t MMSYSERR_INVALFLAG = 10;
inline constexpr std::uint32_t MMSYSERR_INVALPARAM = 11;
inline constexpr std::uint32_t MIXERR_INVALLINE = 1024;
inline constexpr std::uint32_t MIXERR_INVALCONTROL = 1025;

// What the object argument of the line and control queries is: a device id (the system also
// takes an open handle there) or an open handle.
inline constexpr std::uint32_t MIXER_OBJECTF_MIXER = 0x00000000;
inline constexpr std::uint32_t MIXER_OBJECTF_HMIXER = 0x80000000;
inline constexpr std::uint32_t MIXER_OBJECTF_TYPEMASK = 0xF0000000;
inline constexpr std::uint32_t MIXER_GETLINEINFOF_DESTINATION = 0x00000000;
inline constexpr std::uint32_t MIXER_GETLINEINFOF_SOURCE = 0x00000001;
inline constexpr std::uint32_t MIXER_GETLINEINFOF_QUERYMASK = 0x0000000F;
inline constexpr std::uint32_t MIXER_GETLINECONTROLSF_ALL = 0x00000000;
inline constexpr std::uint32_t MIXER_GETLINECONTROLSF_QUERYMASK = 0x0000000F;
inline constexpr std::uint32_t CALLBACK_WINDOW = 0x00010000;

inline constexpr std::size_t MAXPNAMELEN = 32;
inline constexpr std::size_t MIXER_SHORT_NAME_CHARS = 16;
inline constexpr std::size_t MIXER_LONG_NAME_CHARS = 64;

// Line flags, component and target types, control types and flags the kit and the simulated
// devices use.
inline constexpr std::uint32_t MIXERLINE_LINEF_ACTIVE = 0x00000001;
inline constexpr std::uint32_t MIXERLINE_LINEF_SOURCE = 0x80000000;
inline constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_DST_SPEAKERS = 4;
inline constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_DST_WAVEIN = 7;
inline constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_SRC_LINE = 0x1002;
inline constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE = 0x1003;
inline constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER = 0x1004;
inline constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC = 0x1005;
inline constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT = 0x1008;
inline constexpr std::uint32_t MIXERLINE_TARGETTYPE_UNDEFINED = 0;
inline constexpr std::uint32_t MIXERLINE_TARGETTYPE_WAVEOUT = 1;
inline constexpr std::uint32_t MIXERLINE_TARGETTYPE_WAVEIN = 2;
inline constexpr std::uint32_t MIXERLINE_TARGETTYPE_MIDIOUT = 3;
inline constexpr std::uint32_t MIXERCONTROL_CONTROLTYPE_MUTE = 0x20010002;
inline constexpr std::uint32_t MIXERCONTROL_CONTROLTYPE_VOLUME = 0x50030001;
inline constexpr std::uint32_t MIXERCONTROL_CONTROLTYPE_MUX = 0x70010001;
inline constexpr std::uint32_t MIXERCONTROL_CONTROLF_UNIFORM = 0x00000001;
inline constexpr std::uint32_t MIXERCONTROL_CONTROLF_MULTIPLE = 0x00000002;

// MIXERCAPSA: 48 bytes.
struct MixerCapsA {
    std::uint16_t wMid = 0;  // manufacturer id; 1 is the system's maker
    std::uint16_t wPid = 0;
    std::uint32_t vDriverVersion = 0;
    char szPname[MAXPNAMELEN] = {};  // may fill all 32 bytes without a terminating zero
    std::uint32_t fdwSupport = 0;
    std::uint32_t cDestinations = 0;
};
static_assert(sizeof(MixerCapsA) == 48);

// MIXERLINEA as a 32-bit program lays it out: 168 bytes, dwUser 32 bits wide. A back end on a
// wider system copies it to and from its own layout.
struct MixerLineA {
    std::uint32_t cbStruct = 0;
    std::uint32_t dwDestination = 0;
    std::uint32_t dwSource = 0;
    std::uint32_t dwLineID = 0;
    std::uint32_t fdwLine = 0;
    std::uint32_t dwUser = 0;
    std::uint32_t dwComponentType = 0;
    std::uint32_t cChannels = 0;
    std::uint32_t cConnections = 0;
    std::uint32_t cControls = 0;
    char szShortName[MIXER_SHORT_NAME_CHARS] = {};
    char szName[MIXER_LONG_NAME_CHARS] = {};
    struct {
        std::uint32_t dwType = 0;
        std::uint32_t dwDeviceID = 0;
        std::uint16_t wMid = 0;
        std::uint16_t wPid = 0;
        std::uint32_t vDriverVersion = 0;
        char szPname[MAXPNAMELEN] = {};
    } Target;
};
inline constexpr std::uint32_t kMixerLineSize = 168;
static_assert(sizeof(MixerLineA) == kMixerLineSize);
static_assert(offsetof(MixerLineA, szShortName) == 40 && offsetof(MixerLineA, Target) == 120);

// MIXERCONTROLA: 148 bytes. Bounds holds the minimum and maximum first (signed or unsigned by
// the control's type), Metrics the step count first; the rest is reserved.
struct MixerControlA {
    std::uint32_t cbStruct = 0;
    std::uint32_t dwControlID = 0;
    std::uint32_t dwControlType = 0;
    std::uint32_t fdwControl = 0;
    std::uint32_t cMultipleItems = 0;
    char szShortName[MIXER_SHORT_NAME_CHARS] = {};
    char szName[MIXER_LONG_NAME_CHARS] = {};
    std::uint32_t Bounds[6] = {};
    std::uint32_t Metrics[6] = {};
};
inline constexpr std::uint32_t kMixerControlSize = 148;
static_assert(sizeof(MixerControlA) == kMixerControlSize);

// What MIXERLINECONTROLSA carries. cbStruct holds the 32-bit record's size, 24; the pointer
// makes the record itself wider on a 64-bit system, where the back end forms its own.
struct MixerLineControlsA {
    std::uint32_t cbStruct = 0;
    std::uint32_t dwLineID = 0;
    std::uint32_t dwControlID = 0;  // also dwControlType: unused by the all-controls query
    std::uint32_t cControls = 0;
    std::uint32_t cbmxctrl = 0;
    MixerControlA* pamxctrl = nullptr;  // cControls records of cbmxctrl bytes each
};
inline constexpr std::uint32_t kMixerLineControlsSize = 24;

}  // namespace zindra::platform
