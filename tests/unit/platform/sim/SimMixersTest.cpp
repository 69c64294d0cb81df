// The simulated mixer devices: the system's answers to requests it refuses, handles shared by the
// programs of one machine, and notices.
#include "platform/sim/SimMixers.h"

#include <gtest/gtest.h>

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

// The component must cope with these: each is what the system answers (64-bit Windows refuses a
// 168-byte line record of its own layout just as this one refuses 176 bytes).
TEST(SimMixers, RefusesTheRecordsAndQueriesTheSystemRefuses) {
    SimMachine machine{SimConfig{}};
    SimMixers& mixers = machine.Mixers();
    MixerLineA line;
    line.cbStruct = 176;
    EXPECT_EQ(mixers.GetLineInfo(0, line, MIXER_GETLINEINFOF_DESTINATION), MMSYSERR_INVALPARAM);
    line.cbStruct = 168;
    line.dwDestination = 2;
    EXPECT_EQ(mixers.GetLineInfo(0, line, MIXER_GETLINEINFOF_DESTINATION), MIXERR_INVALLINE);
    line.dwDestination = 1;
    line.dwSource = 2;
    EXPECT_EQ(mixers.GetLineInfo(0, line, MIXER_GETLINEINFOF_SOURCE), MIXERR_INVALLINE);
    EXPECT_EQ(mixers.GetLineInfo(0, line, MIXER_OBJECTF_HMIXER), MMSYSERR_INVALHANDLE);
    MixerControlA block[2];
    const std::pair<MixerLineControlsA, std::uint32_t> queries[] = {
        {{24, SimMixerLineId(0), 0, 2, 148, block}, MMSYSERR_NOERROR},
        {{24, SimMixerLineId(0), 0, 1, 148, block}, MMSYSERR_INVALPARAM},     // room for fewer controls
        {{24, SimMixerLineId(1, 0), 0, 0, 148, block}, MMSYSERR_INVALPARAM},  // room for none
        {{32, SimMixerLineId(0), 0, 2, 148, block}, MMSYSERR_INVALPARAM},
        {{24, 77, 0, 2, 148, block}, MIXERR_INVALLINE},
    };
    for (auto [query, result] : queries)
        EXPECT_EQ(mixers.GetLineControls(0, query, MIXER_GETLINECONTROLSF_ALL), result) << "line " << query.dwLineID;
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
