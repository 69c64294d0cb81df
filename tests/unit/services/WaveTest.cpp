// The wave sound player on the simulated machine: the header check, loading, playing from
// memory, replacement, assignment and the stored form.
#include "services/Wave.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/layout/ClassInfo.h"
#include "framework/layout/LayoutReader.h"
#include "platform/Platform.h"
#include "services/ZkDateTime.h"
#include "support/SimWorld.h"

namespace zindra {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}
void PutTag(Bytes& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

// A whole WAV file: RIFF header, format chunk, data chunk of `samples` bytes with `fill`.
Bytes MakeWave(std::size_t samples = 16, std::uint8_t fill = 0x80, std::uint16_t formatTag = 1,
               std::uint16_t channels = 1) {
    Bytes out;
    PutTag(out, "RIFF");
    Put(out, static_cast<std::uint32_t>(36 + samples), 4);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put(out, 16, 4);
    Put(out, formatTag, 2);
    Put(out, channels, 2);
    Put(out, 11025, 4);
    Put(out, 11025u * channels, 4);
    Put(out, channels, 2);
    Put(out, 8, 2);
    PutTag(out, "data");
    Put(out, static_cast<std::uint32_t>(samples), 4);
    out.insert(out.end(), samples, fill);
    return out;
}

// Forwards to the simulated audio and counts what reaches the system's sound calls.
class SpyAudio final : public platform::Audio {
public:
    explicit SpyAudio(platform::Audio& inner) : inner_(inner) {}
    std::uint32_t WaveOutDeviceCount() override { return inner_.WaveOutDeviceCount(); }
    bool PlaySoundMemory(const std::uint8_t* data, std::size_t size, std::uint32_t flags) override {
        ++plays;
        lastFlags = flags;
        lastData = Bytes(data, data + size);
        return inner_.PlaySoundMemory(data, size, flags);
    }
    bool StopSound() override { return inner_.StopSound(); }
    std::uint32_t MidiOpen(const std::string& path, std::uint32_t& device) override {
        return inner_.MidiOpen(path, device);
    }
    std::uint32_t MidiPlay(std::uint32_t device, platform::WindowHandle window) override {
        return inner_.MidiPlay(device, window);
    }
    std::uint32_t MidiStop(std::uint32_t device) override { return inner_.MidiStop(device); }
    std::uint32_t MidiSeekToStart(std::uint32_t device) override { return inner_.MidiSeekToStart(device); }
    std::uint32_t MidiStatus(std::uint32_t device, platform::MciStatusItem item, std::uint32_t& value) override {
        return inner_.MidiStatus(device, item, value);
    }
    std::uint32_t MidiClose(std::uint32_t device) override { return inner_.MidiClose(device); }
    std::uint32_t MixerDeviceCount() override { return inner_.MixerDeviceCount(); }
    std::uint32_t MixerOpen(std::uint32_t id, platform::WindowHandle callback, std::uintptr_t& mixer) override {
        return inner_.MixerOpen(id, callback, mixer);
    }
    std::uint32_t MixerClose(std::uintptr_t mixer) override { return inner_.MixerClose(mixer); }
    std::uint32_t MixerGetDevCaps(std::uintptr_t id, platform::MixerCapsA& caps, std::uint32_t size) override {
        return inner_.MixerGetDevCaps(id, caps, size);
    }
    std::uint32_t MixerGetLineInfo(std::uintptr_t object, platform::MixerLineA& line, std::uint32_t flags) override {
        return inner_.MixerGetLineInfo(object, line, flags);
    }
    std::uint32_t MixerGetLineControls(std::uintptr_t object, platform::MixerLineControlsA& controls,
                                       std::uint32_t flags) override {
        return inner_.MixerGetLineControls(object, controls, flags);
    }

    int plays = 0;
    std::uint32_t lastFlags = 0;
    Bytes lastData;

private:
    platform::Audio& inner_;
};

struct SpyPlatform final : platform::Platform {
    explicit SpyPlatform(platform::Platform& platform) : inner(platform), audio(platform.GetAudio()) {}
    platform::Desktop& GetDesktop() override { return inner.GetDesktop(); }
    platform::System& GetSystem() override { return inner.GetSystem(); }
    platform::Audio& GetAudio() override { return audio; }
    platform::Clock& GetClock() override { return inner.GetClock(); }
    bool Has(platform::Capability capability) const override { return inner.Has(capability); }

    platform::Platform& inner;
    SpyAudio audio;
};

platform::sim::SimConfig WithWaveDevices(std::uint32_t count) {
    platform::sim::SimConfig config;
    config.WaveDevices = count;
    return config;
}

struct WaveWorld : testing::SimWorld {
    explicit WaveWorld(platform::sim::SimConfig config = {}) : SimWorld(std::move(config)), spy(process) {}

    // The "op" of every wave line of the journal, in order.
    std::vector<std::string> WaveOps() {
        std::vector<std::string> ops;
        for (const std::string& line : machine.GetJournal().Lines()) {
            if (line.find("\"ev\":\"wave\"") == std::string::npos) continue;
            const auto at = line.find("\"op\":\"") + 6;
            ops.push_back(line.substr(at, line.find('"', at) - at));
        }
        return ops;
    }
    void WriteFile(const std::string& path, const Bytes& bytes) {
        ASSERT_TRUE(process.GetSystem().WriteFile(path, bytes));
    }

    SpyPlatform spy;
};

using Ops = std::vector<std::string>;

template <typename E, typename F>
std::string MessageOf(F&& call) {
    try {
        call();
    } catch (const E& e) {
        return e.Message();
    }
    return "<no exception>";
}

TEST(WaveCheck, ReadsTheFormatFieldsOfAnAcceptedHeader) {
    const auto facts = CheckWave(MakeWave(16, 0, 1, 2), "x");
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->RiffSize, 52u);
    EXPECT_TRUE(facts->Pcm);
    EXPECT_EQ(facts->Channels, 2);
    EXPECT_EQ(facts->SampleRate, 11025u);
    EXPECT_EQ(facts->BlockAlign, 2u);
    // Compressed and multi-channel layouts are accepted; only the facts change.
    const auto other = CheckWave(MakeWave(16, 0, 2, 6), "x");
    ASSERT_TRUE(other);
    EXPECT_FALSE(other->Pcm);
    EXPECT_EQ(other->Channels, 0);
}

TEST(WaveCheck, NeedsThirtyFourBytesOnceTheTagsMatch) {
    const Bytes wave = MakeWave(0);
    EXPECT_TRUE(CheckWave(Bytes(wave.begin(), wave.begin() + 34), "x"));
    for (std::size_t size : {1u, 2u, 3u, 4u, 7u, 8u, 11u, 12u, 15u, 16u, 20u, 21u, 31u, 33u}) {
        const Bytes cut(wave.begin(), wave.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_EQ(MessageOf<EErrorCheckingWave>([&] { CheckWave(cut, "a.wav"); }),
                  "GetWaveData: Cannot open file a.wav")
            << size << " bytes";
    }
    EXPECT_FALSE(CheckWave(Bytes{}, "x"));
}

TEST(WaveCheck, StopsAtTheFirstWrongTagBeforeRunningShort) {
    // A wrong tag rejects even when a later read would run past the end.
    EXPECT_FALSE(CheckWave(Bytes{'R', 'I', 'F', 'X', 0}, "x"));
    Bytes wave = MakeWave(0);
    wave[8] = 'w';
    EXPECT_FALSE(CheckWave(Bytes(wave.begin(), wave.begin() + 12), "x"));
    wave = MakeWave(0);
    wave[15] = '_';  // "fmt_" is not "fmt "
    EXPECT_FALSE(CheckWave(Bytes(wave.begin(), wave.begin() + 16), "x"));
}

TEST(TZkWave, LoadsAFileAndPlaysItFromMemoryWithFlagsSeven) {
    WaveWorld world;
    const Bytes bytes = MakeWave(100, 0x11);
    world.WriteFile("C:\\one.wav", bytes);
    TZkWave wave(world.spy);
    EXPECT_TRUE(wave.Empty());
    EXPECT_FALSE(wave.Play());
    wave.LoadFromFile("C:\\one.wav");
    EXPECT_EQ(wave.Size(), bytes.size());
    EXPECT_TRUE(wave.Play());
    EXPECT_EQ(world.spy.audio.lastFlags, 7u);
    EXPECT_EQ(world.spy.audio.lastData, bytes);
    EXPECT_EQ(world.WaveOps(), (Ops{"play"}));
}

TEST(TZkWave, ASecondLoadStopsTheFirstSoundBeforeItPlays) {
    WaveWorld world;
    world.WriteFile("C:\\one.wav", MakeWave(10));
    world.WriteFile("C:\\two.wav", MakeWave(20));
    TZkWave wave(world.spy);
    wave.LoadFromFile("C:\\one.wav");
    wave.Play();
    wave.LoadFromFile("C:\\two.wav");
    EXPECT_EQ(world.WaveOps(), (Ops{"play", "stop"}));
    wave.Play();
    EXPECT_EQ(world.WaveOps(), (Ops{"play", "stop", "play"}));
    EXPECT_EQ(world.spy.audio.lastData.size(), 64u);
}

TEST(TZkWave, ForeignDataIsRejectedAndThePreviousSoundStays) {
    WaveWorld world;
    const Bytes good = MakeWave(10, 0x22);
    world.WriteFile("C:\\good.wav", good);
    Bytes list = MakeWave(10);
    std::copy_n("LIST", 4, list.begin() + 12);  // another chunk before the format chunk
    world.WriteFile("C:\\list.wav", list);
    TZkWave wave(world.spy);
    wave.LoadFromFile("C:\\good.wav");
    int changes = 0;
    wave.OnChange = [&](TObject*) { ++changes; };
    EXPECT_EQ(MessageOf<EInvalidWave>([&] { wave.LoadFromFile("C:\\list.wav"); }),
              "TZkWave: Cannot open file C:\\list.wav");
    EXPECT_EQ(wave.SaveToBytes(), good);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(world.WaveOps().empty()) << "a rejected load must not cut off the sound playing";
}

TEST(TZkWave, TruncatedAndTinyFilesFailTheCheckAndKeepTheWave) {
    WaveWorld world;
    const Bytes good = MakeWave(4);
    world.WriteFile("C:\\good.wav", good);
    world.WriteFile("C:\\short.wav", Bytes(good.begin(), good.begin() + 20));
    world.WriteFile("C:\\tiny.wav", Bytes{'R', 'I'});
    TZkWave wave(world.spy);
    wave.LoadFromFile("C:\\good.wav");
    EXPECT_EQ(MessageOf<EErrorCheckingWave>([&] { wave.LoadFromFile("C:\\short.wav"); }),
              "GetWaveData: Cannot open file C:\\short.wav");
    EXPECT_EQ(MessageOf<EErrorCheckingWave>([&] { wave.LoadFromFile("C:\\tiny.wav"); }),
              "GetWaveData: Cannot open file C:\\tiny.wav");
    EXPECT_EQ(MessageOf<EFOpenError>([&] { wave.LoadFromFile("C:\\missing.wav"); }),
              "Cannot open file C:\\missing.wav");
    EXPECT_EQ(wave.SaveToBytes(), good);
    // From memory there is no file to name.
    EXPECT_EQ(MessageOf<EErrorCheckingWave>([&] { wave.LoadFromBytes(Bytes{'R'}); }),
              "GetWaveData: Cannot open file (Unknown)");
}

TEST(TZkWave, AnEmptyFileEmptiesTheWaveAndStopsItsSound) {
    WaveWorld world;
    world.WriteFile("C:\\one.wav", MakeWave(10));
    world.WriteFile("C:\\empty.wav", Bytes{});
    TZkWave wave(world.spy);
    wave.LoadFromFile("C:\\one.wav");
    wave.Play();
    wave.LoadFromFile("C:\\empty.wav");
    EXPECT_TRUE(wave.Empty());
    EXPECT_EQ(wave.Size(), 0u);
    EXPECT_FALSE(wave.HasStoredData());
    EXPECT_FALSE(wave.Play());
    EXPECT_EQ(world.WaveOps(), (Ops{"play", "stop"}));
}

TEST(TZkWave, WithoutAnOutputDeviceThePlayerIsNeverAsked) {
    WaveWorld world(WithWaveDevices(0));
    TZkWave wave(world.spy);
    wave.LoadFromBytes(MakeWave(10));
    EXPECT_FALSE(wave.Play());
    EXPECT_EQ(world.spy.audio.plays, 0);
    EXPECT_TRUE(world.WaveOps().empty());
}

TEST(TZkWave, DestroyingStopsOnlyWhenThereIsABuffer) {
    WaveWorld world;
    { TZkWave empty(world.spy); }
    EXPECT_TRUE(world.WaveOps().empty());
    {
        TZkWave wave(world.spy);
        wave.LoadFromBytes(MakeWave(10));
        wave.Play();
    }
    EXPECT_EQ(world.WaveOps(), (Ops{"play", "stop"}));
}

TEST(TZkWave, AssignCopiesClearsOrRefuses) {
    WaveWorld world;
    TZkWave source(world.spy);
    TZkWave target(world.spy);
    source.LoadFromBytes(MakeWave(10, 1));
    target.LoadFromBytes(MakeWave(30, 2));
    int changes = 0;
    target.OnChange = [&](TObject*) { ++changes; };
    target.Assign(&source);
    EXPECT_EQ(target.SaveToBytes(), source.SaveToBytes());
    EXPECT_NE(target.Bytes().data(), source.Bytes().data()) << "a copy, not a shared buffer";
    EXPECT_EQ(world.WaveOps(), (Ops{"stop"}));
    target.Assign(&target);
    EXPECT_EQ(target.SaveToBytes(), source.SaveToBytes());
    EXPECT_EQ(changes, 2);

    TZkDateTime date;
    EXPECT_EQ(MessageOf<EConvertError>([&] { target.Assign(&date); }), "Cannot assign a TZkDateTime to a TZkWave");
    EXPECT_EQ(target.Size(), source.Size());
    target.Assign(nullptr);
    EXPECT_TRUE(target.Empty());
    EXPECT_EQ(changes, 3);
}

TEST(TZkWave, AnUpdateHoldsTheNotificationUntilItsEnd) {
    WaveWorld world;
    TZkWave wave(world.spy);
    int changes = 0;
    wave.OnChange = [&](TObject*) { ++changes; };
    wave.BeginUpdate();
    wave.BeginUpdate();
    wave.LoadFromBytes(MakeWave(1));
    wave.Clear();
    wave.EndUpdate();
    EXPECT_EQ(changes, 0);
    wave.EndUpdate();
    EXPECT_EQ(changes, 1);
    wave.EndUpdate();  // unmatched: ignored
    wave.BeginUpdate();
    wave.EndUpdate();
    EXPECT_EQ(changes, 1) << "an update without a change raises nothing";
}

TEST(TZkWave, StoredFormIsALengthAndTheBytes) {
    WaveWorld world;
    TZkWave wave(world.spy);
    const Bytes bytes = MakeWave(300);
    wave.LoadFromBytes(bytes);
    const Bytes stored = wave.WriteData();
    ASSERT_EQ(stored.size(), bytes.size() + 4);
    EXPECT_EQ(stored[0], 0x58);  // 344 = 0x158, little-endian
    EXPECT_EQ(stored[1], 0x01);
    EXPECT_EQ(stored[2], 0);
    EXPECT_EQ(stored[3], 0);
    TZkWave copy(world.spy);
    copy.ReadData(stored);
    EXPECT_EQ(copy.SaveToBytes(), bytes);
}

TEST(TZkWave, StoredLengthsThatDisagreeWithTheDataFail) {
    WaveWorld world;
    TZkWave wave(world.spy);
    const Bytes good = MakeWave(8);
    wave.LoadFromBytes(good);
    Bytes stored = wave.WriteData();
    stored[0] = static_cast<std::uint8_t>(stored[0] + 1);
    EXPECT_EQ(MessageOf<EReadError>([&] { wave.ReadData(stored); }), "Stream read error");
    stored[0] = static_cast<std::uint8_t>(stored[0] - 2);
    EXPECT_THROW(wave.ReadData(stored), EReadError);
    stored[3] = 0xFF;  // nearly 4 GiB claimed: refused before anything is allocated
    EXPECT_THROW(wave.ReadData(stored), EReadError);
    EXPECT_THROW(wave.ReadData(Bytes{1, 0, 0}), EReadError);
    // A zero length with nothing after it is an empty buffer, which is not a wave.
    EXPECT_EQ(MessageOf<EInvalidWave>([&] {
                  wave.ReadData(Bytes{0, 0, 0, 0});
              }),
              "TZkWave: Cannot open file (Unknown)");
    EXPECT_EQ(wave.SaveToBytes(), good);
}

std::string Hex(const Bytes& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (std::uint8_t b : bytes) {
        out += kDigits[b >> 4];
        out += kDigits[b & 15];
    }
    return out;
}

TEST(TZkWaveComp, ReadsItsWaveFromALayoutAndSavesRawBytes) {
    WaveWorld world;
    RegisterWaveClasses();
    auto* sound = new TZkWaveComp(world.app.get());
    TZkWave stored(world.spy);
    const Bytes bytes = MakeWave(12, 0x33);
    stored.LoadFromBytes(bytes);
    ReadLayoutText(*sound, nullptr,
                   "object sound: TZkWaveComp\n  Wave.Data = {" + Hex(stored.WriteData()) + "}\nend\n");
    EXPECT_EQ(sound->Wave()->SaveToBytes(), bytes);
    sound->SaveToFile("C:\\out.wav");
    EXPECT_EQ(world.process.GetSystem().ReadFile("C:\\out.wav"), bytes);
    EXPECT_EQ(MessageOf<EStreamError>([&] { sound->SaveToFile("C:\\no\\such\\folder\\out.wav"); }),
              "Cannot create file C:\\no\\such\\folder\\out.wav");

    auto* other = new TZkWaveComp(world.app.get());
    EXPECT_THROW(ReadLayoutText(*other, nullptr, "object s: TZkWaveComp\n  Wave.Data = {0100000052}\nend\n"),
                 ELayoutError);
    EXPECT_TRUE(other->Wave()->Empty());
    other->SetWave(sound->Wave());
    EXPECT_EQ(other->Wave()->SaveToBytes(), bytes);
    EXPECT_EQ(ClassRegistry::Find("TZkWaveComp"), &TZkWaveComp::StaticClass());
}

TEST(TZkWaveComp, NeedsAnApplicationAndStopsItsSoundWhenDestroyed) {
    EXPECT_THROW(TZkWaveComp(nullptr), EInvalidOperation);
    WaveWorld world;
    auto* sound = new TZkWaveComp(world.app.get());
    sound->Wave()->LoadFromBytes(MakeWave(5));
    EXPECT_TRUE(sound->Wave()->Play());
    world.app->DestroyComponent(sound);
    EXPECT_EQ(world.WaveOps(), (Ops{"play", "stop"}));
}

}  // namespace
}  // namespace zindra
