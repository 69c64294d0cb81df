// The simulated mixer devices: the answers the Win32 calls give for good and bad requests, handles
// shared by programs on one machine, and notices.
#include "platform/sim/SimMixers.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/sim/SimAudio.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimProcess.h"

namespace zindra::platform::sim {
namespace {

int Count(const SimMachine& machine, const std::string& text) {
    int count = 0;
    for (const std::string& line : machine.GetJournal().Lines())
        count += line.find(text) != std::string::npos;
    return count;
}

TEST(SimMixers, RequestsTheSystemWouldRefuseAreRefusedWithItsCodes) {
    SimMachine machine{SimConfig{}};
    SimMixers& mixers = machine.Mixers();
    std::uintptr_t handle = 0;
    ASSERT_EQ(mixers.Open(0, 0, handle), MMSYSERR_NOERROR);
    MixerControlA block[2];
    using Query = std::function<std::uint32_t()>;
    const auto line = [&](std::uint32_t size, std::uintptr_t object, std::uint32_t flags, std::uint32_t destination,
                          std::uint32_t source) {
        return [=, &mixers] {
            MixerLineA record;
            record.cbStruct = size;
            record.dwDestination = destination;
            record.dwSource = source;
            return mixers.GetLineInfo(object, record, flags);
        };
    };
    const auto controls = [&](std::uint32_t size, std::uint32_t lineId, std::uint32_t count, std::uint32_t each) {
        return [=, &mixers, &block] {
            MixerLineControlsA record{size, lineId, 0, count, each, block};
            return mixers.GetLineControls(0, record, MIXER_GETLINECONTROLSF_ALL);
        };
    };
    const struct {
        const char* name;
        Query query;
        std::uint32_t result;
    } cases[] = {
        {"a line by destination", line(168, 0, MIXER_GETLINEINFOF_DESTINATION, 1, 0), MMSYSERR_NOERROR},
        {"a line by the open handle", line(168, handle, MIXER_OBJECTF_HMIXER | 1, 0, 3), MMSYSERR_NOERROR},
        {"a 176-byte line record", line(176, 0, MIXER_GETLINEINFOF_DESTINATION, 0, 0), MMSYSERR_INVALPARAM},
        {"a destination past the last", line(168, 0, MIXER_GETLINEINFOF_DESTINATION, 2, 0), MIXERR_INVALLINE},
        {"a source past the last", line(168, 0, MIXER_GETLINEINFOF_SOURCE, 1, 2), MIXERR_INVALLINE},
        {"a device past the last", line(168, 1, MIXER_GETLINEINFOF_DESTINATION, 0, 0), MMSYSERR_BADDEVICEID},
        {"a device id as a handle", line(168, 0, MIXER_OBJECTF_HMIXER, 0, 0), MMSYSERR_INVALHANDLE},
        {"a query by line id", line(168, 0, 2, 0, 0), MMSYSERR_INVALFLAG},
        {"all controls", controls(24, SimMixerLineId(0), 2, 148), MMSYSERR_NOERROR},
        {"room for fewer controls", controls(24, SimMixerLineId(0), 1, 148), MMSYSERR_INVALPARAM},
        {"room for none", controls(24, SimMixerLineId(1, 0), 0, 148), MMSYSERR_INVALPARAM},
        {"a 32-byte controls record", controls(32, SimMixerLineId(0), 2, 148), MMSYSERR_INVALPARAM},
        {"wider control records", controls(24, SimMixerLineId(0), 2, 152), MMSYSERR_INVALPARAM},
        {"an unknown line", controls(24, 77, 2, 148), MIXERR_INVALLINE},
        {"closing an unknown handle", [&] { return mixers.Close(handle + 1); }, MMSYSERR_INVALHANDLE},
        {"opening a device past the last", [&] { return mixers.Open(1, 0, handle); }, MMSYSERR_BADDEVICEID},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.query(), c.result) << c.name;
}

TEST(SimMixers, CapabilitiesFillOnlyTheRoomGiven) {
    SimMachine machine{SimConfig{}};
    MixerCapsA caps;
    caps.cDestinations = 99;
    ASSERT_EQ(machine.Mixers().GetDevCaps(0, caps, 40), MMSYSERR_NOERROR);
    EXPECT_STREQ(caps.szPname, "Simulated Audio Mixer");
    EXPECT_EQ(caps.cDestinations, 99u);
    ASSERT_EQ(machine.Mixers().GetDevCaps(0, caps, sizeof caps), MMSYSERR_NOERROR);
    EXPECT_EQ(caps.cDestinations, 2u);
    EXPECT_EQ(machine.Mixers().GetDevCaps(5, caps, sizeof caps), MMSYSERR_BADDEVICEID);
}

TEST(SimMixers, NoticesReachEveryProgramWithTheDeviceOpenAndAnEndedProgramLetsGo) {
    SimMachine machine{SimConfig{}};
    SimProcess first(machine);
    auto second = std::make_unique<SimProcess>(machine);
    const WindowHandle window1 = first.GetDesktop().CreateMessageWindow();
    const WindowHandle window2 = second->GetDesktop().CreateMessageWindow();
    std::uintptr_t handle1 = 0, handle2 = 0;
    ASSERT_EQ(first.GetAudio().MixerOpen(0, window1, handle1), MMSYSERR_NOERROR);
    ASSERT_EQ(second->GetAudio().MixerOpen(0, window2, handle2), MMSYSERR_NOERROR);
    EXPECT_NE(handle1, handle2);
    EXPECT_EQ(second->GetAudio().MixerClose(handle1), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(machine.Mixers().Raise(0, SimMixerNotice::Control, 3), 2);
    EXPECT_EQ(Count(machine, "\"op\":\"notice\",\"device\":0,\"handle\":" + std::to_string(handle2)), 1);
    second.reset();
    EXPECT_EQ(Count(machine, "\"op\":\"close\",\"device\":0,\"handle\":" + std::to_string(handle2)), 1);
    EXPECT_EQ(machine.Mixers().OpenHandles(0), std::vector<std::uintptr_t>{handle1});
    EXPECT_EQ(first.GetAudio().MixerClose(handle1), MMSYSERR_NOERROR);
    EXPECT_EQ(machine.Mixers().Raise(0, SimMixerNotice::Line, 1), 0);
    EXPECT_EQ(Count(machine, "\"op\":\"notice\",\"device\":0,\"handle\":0,\"kind\":\"line\",\"id\":1"), 1);
}

}  // namespace
}  // namespace zindra::platform::sim
