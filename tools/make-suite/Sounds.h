// The suite's spoken instructions and effects: WAV PCM 16-bit mono 22050 Hz, spoken by espeak-ng or toned.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zindra::suitemaker {

inline constexpr std::uint32_t kSampleRate = 22050;

// A 44-byte canonical header ("fmt " first, then "data") and the samples, little-endian.
std::vector<std::uint8_t> EncodeWav(std::span<const std::int16_t> samples);

// Reads a RIFF/WAVE PCM file of 8 or 16 bits, any channel count and rate, and returns it as mono at
// kSampleRate (channels averaged, rate changed by linear interpolation). A data chunk that claims more
// than the file holds is cut to what is there, as streaming writers leave it. Nothing on any other defect.
std::optional<std::vector<std::int16_t>> DecodeWavToMono22050(std::span<const std::uint8_t> bytes);

// A program's full path from PATH, or nothing.
std::optional<std::filesystem::path> FindOnPath(const std::string& program);

// Speaks text with espeak-ng's voice ("en", "af") through a scratch file; nothing if the run fails.
std::optional<std::vector<std::int16_t>> Speak(const std::filesystem::path& espeak, const std::string& voice,
                                               const std::string& text, const std::filesystem::path& scratch);

// A stand-in for a spoken line: a tune of short tones whose pitches derive from the line's number and
// language, so every file still sounds different. Deterministic.
std::vector<std::int16_t> TonePattern(int lineNumber, bool afrikaans);

// The short effect played when going back: a falling sweep of about a quarter second.
std::vector<std::int16_t> BackEffect();

struct SpokenLine {
    int Number;  // n of instruk_n.wav
    const char* File;
    const char* English;
    const char* Afrikaans;
};
// instruk_1, _3, _4 and _5 with their texts.
std::span<const SpokenLine> SpokenLines();

// Writes Sounds-eng/, Sounds-afr/ and fxsounds/back.wav under outDir. With useSpeech and espeak-ng on
// PATH the lines are spoken; otherwise (or when a run fails) they are toned. Returns whether any was spoken.
bool WriteSounds(const std::filesystem::path& outDir, bool useSpeech);

}  // namespace zindra::suitemaker
