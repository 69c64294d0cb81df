// A whole RIFF/WAVE sound file held in memory and played asynchronously from there, and the
// non-visual component that owns one for a window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "framework/Exception.h"
#include "services/ZkComponent.h"
#include "services/ZkObject.h"

namespace zindra::platform {
class Platform;
}

namespace zindra {

// Data that is not a wave: "TZkWave: Cannot open file <name>".
ZINDRA_EXCEPTION(EInvalidWave, Exception);
// The header ran past the end of the data: "GetWaveData: Cannot open file <name>".
ZINDRA_EXCEPTION(EErrorCheckingWave, Exception);

// NOTE: the name part of both messages is the file the data came from; data that came from
// memory (bytes, a stored layout) has no file, and the messages then name "(Unknown)".
inline constexpr const char* kWaveFromMemory = kSUnknown;

// The header fields the wave check reads; they decide nothing beyond acceptance.
struct WaveHeaderFacts {
    std::uint32_t RiffSize = 0;
    bool Pcm = false;  // format tag 1
    int Channels = 0;  // 1 mono, 2 stereo, 0 anything else
    std::uint32_t SampleRate = 0;
    std::uint16_t BlockAlign = 0;
};

// Reads "RIFF", size, "WAVE", "fmt " (the format chunk must come first), skips the chunk size,
// then the format fields up to byte 33, in that order, stopping at the first wrong tag. Nothing
// for empty data or a wrong tag; EErrorCheckingWave for a read past the end (1-3 bytes always,
// fewer than 34 bytes once the tags match).
std::optional<WaveHeaderFacts> CheckWave(std::span<const std::uint8_t> data, const std::string& name);

// The bytes of a whole WAV file exactly as read, or nothing. Single-threaded: the UI thread.
// The block-compressed stream load and save are not offered: nothing in this system uses that
// format, so nothing here reads or writes it.
class TZkWave : public TZkNotifyObject {
public:
    // The platform plays and reads files; it must outlive the wave.
    explicit TZkWave(platform::Platform& platform);
    // Stops the sound first when there is a buffer: the player may still be reading it.
    ~TZkWave() override;
    TZkWave(const TZkWave&) = delete;
    TZkWave& operator=(const TZkWave&) = delete;

    // A file that cannot be read raises EFOpenError "Cannot open file <name>"; every failure
    // leaves the wave as it was. A zero-byte file empties the wave.
    void LoadFromFile(const std::string& fileName);
    // Creates or truncates the file with the raw WAV bytes (none when empty); EStreamError
    // "Cannot create file <name>" when it cannot be written.
    void SaveToFile(const std::string& fileName) const;
    // The in-memory stream forms: all of the bytes, raw WAV, no length prefix.
    void LoadFromBytes(std::span<const std::uint8_t> bytes);
    std::vector<std::uint8_t> SaveToBytes() const;

    // True when the sound was started: not empty, a wave output device exists and the system
    // took the memory image (asynchronous, no default sound, no looping). Failures are silent.
    bool Play();
    // Stops whatever sound this process plays from memory, whichever wave started it.
    void Stop();
    void Clear();
    bool Empty() const { return !buffer_ || buffer_->empty(); }
    std::size_t Size() const { return buffer_ ? buffer_->size() : 0; }
    // The WAV bytes; valid until the wave next changes.
    std::span<const std::uint8_t> Bytes() const;

    // From a TZkWave: a copy of its bytes; from null: Clear; anything else raises EConvertError
    // "Cannot assign a <class> to a TZkWave".
    void Assign(const TPersistent* source);

    // The stored property "Data": a 4-byte little-endian length, then that many WAV bytes.
    // Written only when the wave has a buffer. Reading fails (and keeps the wave) when the length
    // disagrees with the bytes that follow it.
    bool HasStoredData() const { return buffer_.has_value(); }
    void ReadData(std::span<const std::uint8_t> stored);
    std::vector<std::uint8_t> WriteData() const;

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    void Load(std::span<const std::uint8_t> source, std::size_t totalSize, std::size_t count, const std::string& name);
    void Accept(std::vector<std::uint8_t>&& candidate, const std::string& name);
    void Replace(std::optional<std::vector<std::uint8_t>> buffer);

    platform::Platform& platform_;
    std::optional<std::vector<std::uint8_t>> buffer_;
};

// Owns one wave for its life. Needs an application among its owners (for the platform).
class TZkWaveComp : public TZkComponent {
public:
    explicit TZkWaveComp(TComponent* owner);
    ~TZkWaveComp() override;

    TZkWave* Wave() const { return wave_.get(); }
    // Copies the given wave's bytes (null clears).
    void SetWave(const TZkWave* value) { wave_->Assign(value); }
    void LoadFromFile(const std::string& fileName) { wave_->LoadFromFile(fileName); }
    void SaveToFile(const std::string& fileName) const { wave_->SaveToFile(fileName); }

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    std::unique_ptr<TZkWave> wave_;
};

// Makes TZkWaveComp creatable from layouts.
void RegisterWaveClasses();

}  // namespace zindra
