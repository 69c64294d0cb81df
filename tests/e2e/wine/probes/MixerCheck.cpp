// mixer-check: the audio mixer component on Windows' own mixer calls. The Wine case "mixer" runs
// MixerWithDevices.* with a null audio output and MixerWithoutDevices.* with no audio driver;
// the component's description is compared with what the system answers the same calls directly.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "framework/app/Application.h"
#include "services/AudioMixer.h"
// After the kit's headers: the Windows macros would otherwise rename their constants.
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace zindra {
namespace {

struct Program {
    platform::win32::Win32Platform platform;
    TApplication app{platform};
    TAudioMixer* mixer = new TAudioMixer(&app);
};

void ExpectLineAsTheSystemDescribesIt(const MIXERLINEA& direct, const platform::MixerLineA& line) {
    EXPECT_EQ(line.cbStruct, 168u);
    EXPECT_EQ(line.dwLineID, direct.dwLineID);
    EXPECT_EQ(line.dwComponentType, direct.dwComponentType);
    EXPECT_EQ(line.cConnections, direct.cConnections);
    EXPECT_EQ(line.cControls, direct.cControls);
    EXPECT_STREQ(line.szName, direct.szName);
}

void ExpectControls(const TMixerControls& controls, std::uint32_t count) {
    EXPECT_EQ(static_cast<std::uint32_t>(controls.Count()), count);
    std::set<std::uint32_t> ids;
    for (int i = 0; i < controls.Count(); ++i) {
        EXPECT_EQ(controls.Items(i).cbStruct, 148u);
        ids.insert(controls.Items(i).dwControlID);
    }
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(controls.Count())) << "control ids repeat";
}

TEST(MixerWithDevices, OpensDeviceZeroAndDescribesItAsTheSystemDoes) {
    Program program;
    const TAudioMixer& mixer = *program.mixer;
    ASSERT_GT(mixerGetNumDevs(), 0u) << "no mixer device: the null audio output was not taken up";
    ASSERT_EQ(mixer.MixerId(), 0);
    MIXERCAPSA caps{};
    ASSERT_EQ(mixerGetDevCapsA(0, &caps, sizeof caps), MMSYSERR_NOERROR);
    std::printf("device 0: %s, maker %u, product %u, driver %#x, %u destinations\n", caps.szPname, caps.wMid, caps.wPid,
                static_cast<unsigned>(caps.vDriverVersion), static_cast<unsigned>(caps.cDestinations));
    EXPECT_EQ(mixer.ProductName(), caps.szPname);
    EXPECT_EQ(mixer.Manufacturer(), caps.wMid == 1 ? "Microsoft" : std::to_string(caps.wMid) + " = Unknown");
    EXPECT_EQ(mixer.ProductId(), caps.wPid);
    EXPECT_EQ(mixer.DriverVersion(), caps.vDriverVersion);
    ASSERT_EQ(static_cast<std::uint32_t>(mixer.NumberOfLine()), caps.cDestinations);
    ASSERT_NE(mixer.Destinations(), nullptr);
    ASSERT_EQ(static_cast<std::uint32_t>(mixer.Destinations()->Count()), caps.cDestinations);
    for (int d = 0; d < mixer.Destinations()->Count(); ++d) {
        const TMixerDestination& destination = mixer.Destinations()->Items(d);
        MIXERLINEA direct{};
        direct.cbStruct = sizeof direct;
        direct.dwDestination = static_cast<DWORD>(d);
        ASSERT_EQ(mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(0), &direct, MIXER_GETLINEINFOF_DESTINATION),
                  MMSYSERR_NOERROR);
        std::printf("destination %d: %s, %u sources, %u controls\n", d, destination.Data().szName,
                    static_cast<unsigned>(direct.cConnections), static_cast<unsigned>(direct.cControls));
        ExpectLineAsTheSystemDescribesIt(direct, destination.Data());
        ExpectControls(destination.Controls(), direct.cControls);
        EXPECT_EQ(static_cast<DWORD>(destination.Connections().Count()), direct.cConnections);
        for (int s = 0; s < destination.Connections().Count(); ++s) {
            const TMixerConnection& source = destination.Connections().Items(s);
            EXPECT_EQ(source.Data().dwDestination, static_cast<DWORD>(d));
            ExpectControls(source.Controls(), source.Data().cControls);
        }
    }
}

// The system posts notices only for changes it does not make itself, so they are posted here as
// a driver would: they must come through the back end to the component's events.
TEST(MixerWithDevices, NoticesAtItsWindowRaiseItsEvents) {
    Program program;
    TAudioMixer& mixer = *program.mixer;
    std::vector<std::string> heard;
    const auto listen = [&heard, &mixer](const char* event) {
        return [&heard, &mixer, event](TObject* sender, std::intptr_t handle, int id) {
            EXPECT_EQ(sender, &mixer);
            EXPECT_EQ(handle, static_cast<std::intptr_t>(mixer.MixerHandle()));
            heard.push_back(std::string(event) + ":" + std::to_string(id));
        };
    };
    mixer.OnLineChange = listen("line");
    mixer.OnControlChange = listen("control");
    const HWND window = reinterpret_cast<HWND>(mixer.WindowHandle());
    ASSERT_TRUE(PostMessageA(window, MM_MIXM_LINE_CHANGE, mixer.MixerHandle(), static_cast<LPARAM>(0xFFFF0000u)));
    ASSERT_TRUE(PostMessageA(window, MM_MIXM_CONTROL_CHANGE, mixer.MixerHandle(), 1));
    program.app.ProcessMessages();
    EXPECT_EQ(heard, (std::vector<std::string>{"line:-65536", "control:1"}));
}

TEST(MixerWithoutDevices, CreationAndEveryChangeDoNothing) {
    Program program;
    TAudioMixer& mixer = *program.mixer;
    ASSERT_EQ(mixerGetNumDevs(), 0u) << "a mixer device exists although the audio drivers are off";
    EXPECT_EQ(mixer.MixerId(), -1) << "after creation";
    for (const int id : {0, 1, 7, -1}) {
        mixer.SetMixerId(id);
        EXPECT_EQ(mixer.MixerId(), -1) << "after " << id;
        EXPECT_EQ(mixer.Destinations(), nullptr);
        EXPECT_EQ(mixer.NumberOfLine(), 0);
        EXPECT_EQ(mixer.Manufacturer(), "");
    }
}

}  // namespace
}  // namespace zindra
