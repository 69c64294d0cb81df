// The media player on the simulated sequencer: opening, lengths from the tempo map, playing in
// virtual time, notifications at the end and on interruption, and failed opens.
#include "framework/controls/MediaPlayer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/layout/ClassInfo.h"
#include "framework/layout/LayoutReader.h"
#include "support/SimWorld.h"
#include "unit/platform/posix/TempFolder.h"

namespace zindra {
namespace {

using platform::posix::testing::TempFolder;

// Format 0, 480 ticks a quarter, one tempo event, a note held for `ticks`, end of track:
// it plays ticks * tempoUs / 480 microseconds.
std::string MakeMidi(std::uint32_t tempoUs, std::uint32_t ticks) {
    std::string track = {0,
                         '\xFF',
                         0x51,
                         3,
                         static_cast<char>(tempoUs >> 16),
                         static_cast<char>(tempoUs >> 8),
                         static_cast<char>(tempoUs)};
    track += {0, '\x90', 0x3C, 0x64};
    std::string delta;  // variable-length quantity
    for (std::uint32_t v = ticks, more = 0;; v >>= 7, more = 0x80) {
        delta.insert(delta.begin(), static_cast<char>((v & 0x7F) | more));
        if (v < 0x80) break;
    }
    track += delta + std::string{'\x80', 0x3C, 0x40};
    track += {0, '\xFF', 0x2F, 0};
    const auto n = static_cast<std::uint32_t>(track.size());
    std::string file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, '\xE0'};
    file += {'M',
             'T',
             'r',
             'k',
             static_cast<char>(n >> 24),
             static_cast<char>(n >> 16),
             static_cast<char>(n >> 8),
             static_cast<char>(n)};
    return file + track;
}

// The simulated machine's name for a host file: Z:\ is the host root.
std::string OnZ(std::string hostPath) {
    for (char& c : hostPath) {
        if (c == '/') c = '\\';
    }
    return "Z:" + hostPath;
}

struct Heard {
    TMPNotifyValues Value;
    std::uint32_t Position;
    std::uint32_t Length;
    std::int64_t At;
};

struct PlayerWorld : testing::SimWorld {
    explicit PlayerWorld(platform::sim::SimConfig config = {}) : SimWorld(std::move(config)) {
        player = new TMediaPlayer(app.get());
        player->OnNotify = [this](TObject*) {
            heard.push_back({player->NotifyValue(), player->Position(), player->Length(), Now()});
        };
    }
    std::string Midi(const std::string& name, std::uint32_t tempoUs, std::uint32_t ticks) {
        return OnZ(folder.Write(name, MakeMidi(tempoUs, ticks)));
    }
    void OpenFile(const std::string& path) {
        player->SetFileName(path);
        player->Open();
    }
    std::vector<std::string> MidiOps() {
        std::vector<std::string> ops;
        for (const std::string& line : machine.GetJournal().Lines()) {
            if (line.find("\"ev\":\"midi\"") == std::string::npos) continue;
            const auto at = line.find("\"op\":\"") + 6;
            ops.push_back(line.substr(at, line.find('"', at) - at));
        }
        return ops;
    }

    TempFolder folder;
    TMediaPlayer* player = nullptr;  // owned by the application
    std::vector<Heard> heard;
};

template <typename F>
std::string MciMessageOf(F&& call) {
    try {
        call();
    } catch (const EMCIDeviceError& e) {
        return e.Message();
    }
    return "<no exception>";
}

TEST(TMediaPlayer, TakesTheLengthFromTheTempoMap) {
    PlayerWorld world;
    world.OpenFile(world.Midi("slow.mid", 600000, 960));
    EXPECT_EQ(world.player->Length(), 1200u);
    EXPECT_EQ(world.player->Position(), 0u);
    EXPECT_EQ(world.player->Mode(), TMPModes::mpStopped);
    world.OpenFile(world.Midi("fast.MID", 250000, 1921));  // 1000.52 ms, rounded down
    EXPECT_EQ(world.player->Length(), 1000u);
}

TEST(TMediaPlayer, PlaysInVirtualTimeAndNotifiesTheEndAtTheLength) {
    PlayerWorld world;
    world.OpenFile(world.Midi("a.mid", 500000, 960));  // 1000 ms
    const std::int64_t start = world.Now();
    world.player->Play();
    EXPECT_EQ(world.player->Mode(), TMPModes::mpPlaying);
    world.RunFor(400);
    EXPECT_EQ(world.player->Position(), 400u);
    EXPECT_TRUE(world.heard.empty());
    world.RunFor(599);
    EXPECT_TRUE(world.heard.empty()) << "one millisecond short of the end";
    world.RunFor(500);
    ASSERT_EQ(world.heard.size(), 1u);
    EXPECT_EQ(world.heard[0].Value, TMPNotifyValues::nvSuccessful);
    EXPECT_EQ(world.heard[0].Position, 1000u);
    EXPECT_EQ(world.heard[0].Length, 1000u);
    EXPECT_EQ(world.heard[0].At, start + 1000);
    EXPECT_EQ(world.player->Mode(), TMPModes::mpStopped);
}

TEST(TMediaPlayer, StopNotifiesShortOfTheLengthAndRewindStartsOver) {
    PlayerWorld world;
    world.OpenFile(world.Midi("a.mid", 500000, 960));
    world.player->Play();
    world.RunFor(300);
    world.player->Stop();
    world.Settle();
    ASSERT_EQ(world.heard.size(), 1u);
    EXPECT_EQ(world.heard[0].Value, TMPNotifyValues::nvAborted);
    EXPECT_EQ(world.heard[0].Position, 300u);
    world.RunFor(2000);
    EXPECT_EQ(world.heard.size(), 1u) << "a stopped track never reaches its end";
    EXPECT_EQ(world.player->Position(), 300u);

    world.player->Rewind();
    EXPECT_EQ(world.player->Position(), 0u);
    const std::int64_t restart = world.Now();
    world.player->Play();
    world.RunFor(1000);
    ASSERT_EQ(world.heard.size(), 2u);
    EXPECT_EQ(world.heard[1].Value, TMPNotifyValues::nvSuccessful);
    EXPECT_EQ(world.heard[1].At, restart + 1000);
    EXPECT_EQ(world.MidiOps(), (std::vector<std::string>{"open", "play", "stop", "seek", "play", "end"}));
}

TEST(TMediaPlayer, NextTrackPatternHearsTheInterruptionThenTheEnd) {
    PlayerWorld world;
    world.OpenFile(world.Midi("a.mid", 500000, 960));
    world.player->Play();
    world.RunFor(100);
    // What the menu does on a change of track: stop, open another, rewind, play.
    world.player->Stop();
    world.OpenFile(world.Midi("b.mid", 500000, 480));
    world.player->Rewind();
    world.player->Play();
    world.RunFor(500);
    ASSERT_EQ(world.heard.size(), 2u);
    EXPECT_EQ(world.heard[0].Value, TMPNotifyValues::nvAborted);
    EXPECT_LT(world.heard[0].Position, world.heard[0].Length);
    EXPECT_EQ(world.heard[1].Value, TMPNotifyValues::nvSuccessful);
    EXPECT_EQ(world.heard[1].Position, 500u);
    EXPECT_EQ(world.heard[1].Length, 500u);
}

TEST(TMediaPlayer, WithoutNotifyPlaysToTheEndSilently) {
    PlayerWorld world;
    world.OpenFile(world.Midi("a.mid", 500000, 480));
    world.player->SetNotify(false);
    world.player->Play();
    world.RunFor(600);
    EXPECT_TRUE(world.heard.empty());
    EXPECT_EQ(world.player->Position(), world.player->Length());
}

TEST(TMediaPlayer, FailedOpensRaiseTheMciTextAndLeaveNoDevice) {
    PlayerWorld world;
    const std::string good = world.Midi("good.mid", 500000, 480);
    world.OpenFile(good);
    const std::string missing = OnZ(world.folder / "missing.mid");
    EXPECT_EQ(MciMessageOf([&] { world.OpenFile(missing); }), MciErrorText(275));
    EXPECT_EQ(world.player->Error(), 275u);
    EXPECT_EQ(world.player->DeviceID(), 0u) << "the device open before is closed first";
    EXPECT_EQ(world.player->Mode(), TMPModes::mpNotReady);
    EXPECT_EQ(world.player->Length(), 0u);

    const std::string corrupt = OnZ(world.folder.Write("bad.mid", std::string("MThd\0\0\0\6garbage", 15)));
    EXPECT_EQ(MciMessageOf([&] { world.OpenFile(corrupt); }), MciErrorText(296));
    EXPECT_EQ(MciMessageOf([&] { world.OpenFile(OnZ(world.folder.Write("a.xyz", "x"))); }), MciErrorText(281));
    EXPECT_EQ(MciMessageOf([&] { world.OpenFile(OnZ(world.folder.Write("a.wav", "x"))); }), MciErrorText(306));
    EXPECT_EQ(MciMessageOf([&] { world.player->Play(); }), "No MCI device is open.");
    EXPECT_EQ(MciMessageOf([&] { world.player->Rewind(); }), "No MCI device is open.");

    // A device type chosen by hand overrides the extension.
    world.player->SetDeviceType(TMPDeviceTypes::dtSequencer);
    world.OpenFile(OnZ(world.folder.Write("tune.dat", MakeMidi(500000, 480))));
    EXPECT_EQ(world.player->Length(), 500u);
    EXPECT_EQ(world.player->Error(), 0u);
}

TEST(TMediaPlayer, AMachineWithoutTheMidiDriverFailsEveryOpen) {
    platform::sim::SimConfig config;
    config.MidiInstalled = false;
    PlayerWorld world(config);
    EXPECT_EQ(MciMessageOf([&] { world.OpenFile(world.Midi("a.mid", 500000, 480)); }), MciErrorText(306));
}

TEST(TMediaPlayer, NotifyHandlerErrorsGoToTheApplication) {
    PlayerWorld world;
    std::vector<std::string> reported;
    world.app->OnException = [&](const std::exception& e) { reported.push_back(e.what()); };
    world.player->OnNotify = [](TObject*) { throw EInvalidOperation("handler failed"); };
    world.OpenFile(world.Midi("a.mid", 500000, 480));
    world.player->Play();
    world.RunFor(500);
    EXPECT_EQ(reported, (std::vector<std::string>{"handler failed"}));
}

TEST(TMediaPlayer, DestroyingWhilePlayingClosesAndDropsTheNotification) {
    PlayerWorld world;
    world.OpenFile(world.Midi("a.mid", 500000, 480));
    world.player->Play();
    world.RunFor(100);
    world.app->DestroyComponent(world.player);
    world.RunFor(1000);
    EXPECT_TRUE(world.heard.empty());
    EXPECT_EQ(world.MidiOps(), (std::vector<std::string>{"open", "play", "close"}));
}

TEST(TMediaPlayer, LayoutSetsThePublishedPropertiesAndAutoOpenOpensAfterLoading) {
    PlayerWorld world;
    RegisterMediaPlayerClass();
    EXPECT_EQ(ClassRegistry::Find("TMediaPlayer"), &TMediaPlayer::StaticClass());
    auto* music = new TMediaPlayer(world.app.get());
    EXPECT_EQ(music->DeviceType(), TMPDeviceTypes::dtAutoSelect);
    EXPECT_FALSE(music->AutoOpen());
    EXPECT_TRUE(music->Notify());
    EXPECT_EQ(music->VisibleButtons(), kAllMPButtons);
    const std::string path = world.Midi("m.mid", 500000, 960);
    ReadLayoutText(*music, nullptr,
                   "object music: TMediaPlayer\n  Visible = False\n  FileName = '" + path +
                       "'\n  DeviceType = dtSequencer\n  AutoOpen = True\n  Notify = False\n"
                       "  VisibleButtons = [btPlay, btStop, btEject]\nend\n");
    EXPECT_EQ(music->FileName(), path);
    EXPECT_FALSE(music->Notify());
    EXPECT_EQ(music->VisibleButtons(), btPlay | btStop | btEject);
    EXPECT_NE(music->DeviceID(), 0u);
    EXPECT_EQ(music->Length(), 1000u);
}

TEST(DeviceTypeForFile, ChoosesByTheLastExtensionOfTheName) {
    EXPECT_EQ(DeviceTypeForFile("C:\\Music\\MM8-SELECT.MID"), TMPDeviceTypes::dtSequencer);
    EXPECT_EQ(DeviceTypeForFile("a.midi"), TMPDeviceTypes::dtSequencer);
    EXPECT_EQ(DeviceTypeForFile("a.rmi"), TMPDeviceTypes::dtSequencer);
    EXPECT_EQ(DeviceTypeForFile("a.mid.wav"), TMPDeviceTypes::dtWaveAudio);
    EXPECT_EQ(DeviceTypeForFile("clip.avi"), TMPDeviceTypes::dtAVIVideo);
    EXPECT_EQ(DeviceTypeForFile("C:\\tunes.mid\\readme"), TMPDeviceTypes::dtOther);
    EXPECT_EQ(DeviceTypeForFile(""), TMPDeviceTypes::dtOther);
}

}  // namespace
}  // namespace zindra
