// The wave check, the load step, playing from memory and the stored form of the wave.
#include "services/Wave.h"

#include <limits>

#include "framework/app/Application.h"
#include "framework/app/OwnerApplication.h"
#include "framework/layout/Properties.h"
#include "platform/Platform.h"

namespace zindra {

namespace {

// The runtime's texts that the runtime header does not carry.
constexpr const char* kSFCreateError = "Cannot create file %s";

constexpr std::size_t kLengthPrefix = 4;

// Little-endian reads from the start of the buffer, as a memory stream gives them: a skip may
// pass the end, and the read after it then fails.
class HeaderReader {
public:
    HeaderReader(std::span<const std::uint8_t> data, const std::string& name) : data_(data), name_(name) {}

    std::uint32_t Number(std::size_t bytes) {
        const auto raw = Take(bytes);
        std::uint32_t value = 0;
        for (std::size_t i = raw.size(); i-- > 0;)
            value = value << 8 | raw[i];
        return value;
    }
    bool Tag(const char (&tag)[5]) {
        const auto raw = Take(4);
        for (std::size_t i = 0; i < 4; ++i) {
            if (raw[i] != static_cast<std::uint8_t>(tag[i])) return false;
        }
        return true;
    }
    void Skip(std::size_t bytes) { at_ += bytes; }

private:
    std::span<const std::uint8_t> Take(std::size_t bytes) {
        if (at_ > data_.size() || bytes > data_.size() - at_) {
            throw EErrorCheckingWave("GetWaveData: " + FormatMessage(kSFOpenError, name_));
        }
        const auto raw = data_.subspan(at_, bytes);
        at_ += bytes;
        return raw;
    }

    std::span<const std::uint8_t> data_;
    const std::string& name_;
    std::size_t at_ = 0;
};

platform::Platform& PlatformOf(const TComponent& component) {
    return OwnerApplication(component, "TZkWaveComp").Platform();
}

PropertyInfo DataProperty() {
    PropertyInfo info;
    info.Name = "Data";
    info.Set = [](TPersistent& target, const LayoutValue& value, LoadContext&) {
        if (value.Type != LayoutValue::Kind::Binary) LoadContext::Fail(value, "Data needs binary data");
        static_cast<TZkWave&>(target).ReadData(value.Bytes);
    };
    return info;
}

}  // namespace

std::optional<WaveHeaderFacts> CheckWave(std::span<const std::uint8_t> data, const std::string& name) {
    if (data.empty()) return std::nullopt;
    HeaderReader reader(data, name);
    WaveHeaderFacts facts;
    if (!reader.Tag("RIFF")) return std::nullopt;
    facts.RiffSize = reader.Number(4);
    if (!reader.Tag("WAVE") || !reader.Tag("fmt ")) return std::nullopt;
    reader.Skip(4);  // the format chunk's size
    facts.Pcm = reader.Number(2) == 1;
    const std::uint32_t channels = reader.Number(2);
    facts.Channels = channels == 1 || channels == 2 ? static_cast<int>(channels) : 0;
    facts.SampleRate = reader.Number(4);
    reader.Number(4);  // average bytes a second
    facts.BlockAlign = static_cast<std::uint16_t>(reader.Number(2));
    return facts;
}

const ClassInfo& TZkWave::StaticClass() {
    static const ClassInfo info{"TZkWave", &TZkNotifyObject::StaticClass(), {}, {DataProperty()}};
    return info;
}
const ClassInfo& TZkWave::ClassType() const {
    return StaticClass();
}

TZkWave::TZkWave(platform::Platform& platform) : platform_(platform) {}

TZkWave::~TZkWave() {
    if (buffer_) Stop();
}

void TZkWave::Replace(std::optional<std::vector<std::uint8_t>> buffer) {
    // The asynchronous player may still be reading the old bytes.
    if (buffer_) Stop();
    buffer_ = std::move(buffer);
    Changed();
}

void TZkWave::Accept(std::vector<std::uint8_t>&& candidate, const std::string& name) {
    if (!CheckWave(candidate, name)) {
        throw EInvalidWave(std::string(ClassName()) + ": " + FormatMessage(kSFOpenError, name));
    }
    Replace(std::move(candidate));
}

// totalSize is the whole source's size, which may exceed what is left of it: only an empty
// source empties the wave; an empty remainder of a non-empty source is data that fails the check.
void TZkWave::Load(std::span<const std::uint8_t> source, std::size_t totalSize, std::size_t count,
                   const std::string& name) {
    if (totalSize == 0) {
        Replace(std::nullopt);
        return;
    }
    if (count > source.size()) throw EReadError(kSReadError);
    const auto bytes = source.first(count);
    Accept(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), name);
}

void TZkWave::LoadFromFile(const std::string& fileName) {
    auto bytes = platform_.GetSystem().ReadFile(fileName);
    if (!bytes) throw EFOpenError(FormatMessage(kSFOpenError, fileName));
    if (bytes->empty()) {
        Replace(std::nullopt);
        return;
    }
    Accept(std::move(*bytes), fileName);
}

void TZkWave::SaveToFile(const std::string& fileName) const {
    if (!platform_.GetSystem().WriteFile(fileName, SaveToBytes())) {
        throw EStreamError(FormatMessage(kSFCreateError, fileName));
    }
}

void TZkWave::LoadFromBytes(std::span<const std::uint8_t> bytes) {
    Load(bytes, bytes.size(), bytes.size(), kWaveFromMemory);
}

std::vector<std::uint8_t> TZkWave::SaveToBytes() const {
    return buffer_ ? *buffer_ : std::vector<std::uint8_t>{};
}

std::span<const std::uint8_t> TZkWave::Bytes() const {
    return buffer_ ? std::span<const std::uint8_t>(*buffer_) : std::span<const std::uint8_t>{};
}

bool TZkWave::Play() {
    if (Empty()) return false;
    platform::Audio& audio = platform_.GetAudio();
    // Asked first so the system is never handed a sound it has no device for.
    if (audio.WaveOutDeviceCount() == 0) return false;
    constexpr std::uint32_t kFlags = platform::SND_ASYNC | platform::SND_NODEFAULT | platform::SND_MEMORY;
    return audio.PlaySoundMemory(buffer_->data(), buffer_->size(), kFlags);
}

void TZkWave::Stop() {
    platform_.GetAudio().StopSound();
}

void TZkWave::Clear() {
    Replace(std::nullopt);
}

void TZkWave::Assign(const TPersistent* source) {
    if (!source) {
        Clear();
        return;
    }
    if (const auto* wave = dynamic_cast<const TZkWave*>(source)) {
        // Copied before the replacement, so assigning a wave to itself keeps its bytes.
        Replace(wave->buffer_);
        return;
    }
    ThrowAssignError(source->ClassName(), ClassName());
}

void TZkWave::ReadData(std::span<const std::uint8_t> stored) {
    if (stored.size() < kLengthPrefix) throw EReadError(kSReadError);
    const std::uint32_t length = static_cast<std::uint32_t>(stored[0]) | static_cast<std::uint32_t>(stored[1]) << 8 |
                                 static_cast<std::uint32_t>(stored[2]) << 16 |
                                 static_cast<std::uint32_t>(stored[3]) << 24;
    const auto rest = stored.subspan(kLengthPrefix);
    if (length < rest.size()) {
        throw EReadError(std::string(ClassName()) + ": stored length " + std::to_string(length) + " is short of the " +
                         std::to_string(rest.size()) + " bytes that follow it");
    }
    Load(rest, stored.size(), length, kWaveFromMemory);
}

std::vector<std::uint8_t> TZkWave::WriteData() const {
    const std::size_t size = Size();
    if (size > std::numeric_limits<std::uint32_t>::max()) {
        throw EStreamError(std::string(ClassName()) + ": too large for a 4-byte length");
    }
    std::vector<std::uint8_t> out;
    out.reserve(kLengthPrefix + size);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(size >> shift));
    const auto bytes = Bytes();
    out.insert(out.end(), bytes.begin(), bytes.end());
    return out;
}

const ClassInfo& TZkWaveComp::StaticClass() {
    using C = TZkWaveComp;
    static const ClassInfo info{"TZkWaveComp",
                                &TZkComponent::StaticClass(),
                                [](TComponent* owner) { return new TZkWaveComp(owner); },
                                {props::Object<C>("Wave", &C::Wave, TZkWave::StaticClass())}};
    return info;
}
const ClassInfo& TZkWaveComp::ClassType() const {
    return StaticClass();
}

TZkWaveComp::TZkWaveComp(TComponent* owner)
    : TZkComponent(owner), wave_(std::make_unique<TZkWave>(PlatformOf(*this))) {}

TZkWaveComp::~TZkWaveComp() = default;

}  // namespace zindra
