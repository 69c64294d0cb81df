// Fuzzes the wave's load step: raw bytes, the stored form with its length prefix, and a load that
// replaces a good wave, checking that a failed load keeps the previous bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "platform/Platform.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimProcess.h"
#include "services/Wave.h"

namespace {

using zindra::platform::WindowHandle;

// Sound calls go nowhere, so millions of runs leave no journal behind.
class SilentAudio final : public zindra::platform::Audio {
public:
    std::uint32_t WaveOutDeviceCount() override { return 1; }
    bool PlaySoundMemory(const std::uint8_t*, std::size_t, std::uint32_t) override { return true; }
    bool StopSound() override { return true; }
    std::uint32_t MidiOpen(const std::string&, std::uint32_t&) override { return 306; }
    std::uint32_t MidiPlay(std::uint32_t, WindowHandle) override { return 257; }
    std::uint32_t MidiStop(std::uint32_t) override { return 257; }
    std::uint32_t MidiSeekToStart(std::uint32_t) override { return 257; }
    std::uint32_t MidiStatus(std::uint32_t, zindra::platform::MciStatusItem, std::uint32_t&) override { return 257; }
    std::uint32_t MidiClose(std::uint32_t) override { return 257; }
    std::uint32_t MixerDeviceCount() override { return 0; }
    std::uint32_t MixerOpen(std::uint32_t, WindowHandle, std::uintptr_t&) override { return 2; }
    std::uint32_t MixerClose(std::uintptr_t) override { return 0; }
    // With no mixer device every query is refused as the system refuses a bad device id.
    std::uint32_t MixerGetDevCaps(std::uintptr_t, zindra::platform::MixerCapsA&, std::uint32_t) override { return 2; }
    std::uint32_t MixerGetLineInfo(std::uintptr_t, zindra::platform::MixerLineA&, std::uint32_t) override { return 2; }
    std::uint32_t MixerGetLineControls(std::uintptr_t, zindra::platform::MixerLineControlsA&, std::uint32_t) override {
        return 2;
    }
};

class FuzzPlatform final : public zindra::platform::Platform {
public:
    FuzzPlatform() : process_(machine_) {}
    zindra::platform::Desktop& GetDesktop() override { return process_.GetDesktop(); }
    zindra::platform::System& GetSystem() override { return process_.GetSystem(); }
    zindra::platform::Audio& GetAudio() override { return audio_; }
    zindra::platform::Clock& GetClock() override { return process_.GetClock(); }
    bool Has(zindra::platform::Capability) const override { return true; }

private:
    zindra::platform::sim::SimMachine machine_{zindra::platform::sim::SimConfig{}};
    zindra::platform::sim::SimProcess process_;
    SilentAudio audio_;
};

// NOTE: never destroyed: the simulated clock's thread-local bookkeeping is gone by the time
// static objects are, and tearing the machine down then would touch it.
FuzzPlatform& ThePlatform() {
    static FuzzPlatform* platform = new FuzzPlatform;
    return *platform;
}

// 34 bytes: the smallest header the check accepts.
const std::vector<std::uint8_t> kGood = {'R',  'I',  'F', 'F', 26,   0,    0, 0, 'W', 'A', 'V', 'E',
                                         'f',  'm',  't', ' ', 16,   0,    0, 0, 1,   0,   1,   0,
                                         0x11, 0x2B, 0,   0,   0x11, 0x2B, 0, 0, 1,   0};

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t mode = data[0] % 3;
    const std::span<const std::uint8_t> input(data + 1, size - 1);
    zindra::TZkWave wave(ThePlatform());
    if (mode == 2) wave.LoadFromBytes(kGood);
    const std::vector<std::uint8_t> before = wave.SaveToBytes();
    try {
        if (mode == 1) {
            wave.ReadData(input);
            Require(input.size() == wave.Size() + 4);
        } else {
            wave.LoadFromBytes(input);
            Require(wave.SaveToBytes() == std::vector<std::uint8_t>(input.begin(), input.end()));
        }
    } catch (const zindra::Exception&) {
        Require(wave.SaveToBytes() == before);
        return 0;
    }
    if (!wave.Empty()) {
        Require(zindra::CheckWave(wave.Bytes(), "fuzz").has_value());
        zindra::TZkWave copy(ThePlatform());
        copy.ReadData(wave.WriteData());
        Require(copy.SaveToBytes() == wave.SaveToBytes());
    }
    return 0;
}
