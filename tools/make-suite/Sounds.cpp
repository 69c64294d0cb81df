// WAV encoding and decoding, espeak-ng runs and tone stand-ins for the suite's sounds.
#include "Sounds.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <numbers>

#include "JpegOut.h"
#include "platform/ByteOrder.h"

#ifndef _WIN32
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace zindra::suitemaker {

namespace {

using platform::PutLe16;
using platform::PutLe32;
void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(tag[i]));
}

std::uint32_t Get16(std::span<const std::uint8_t> b, std::size_t at) {
    return platform::GetLe16(b.data() + at);
}
std::uint32_t Get32(std::span<const std::uint8_t> b, std::size_t at) {
    return platform::GetLe32(b.data() + at);
}
bool TagIs(std::span<const std::uint8_t> b, std::size_t at, const char* tag) {
    return std::equal(tag, tag + 4, b.begin() + static_cast<std::ptrdiff_t>(at));
}

struct Format {
    std::uint32_t Channels = 0;
    std::uint32_t Rate = 0;
    std::uint32_t Bits = 0;
};

std::optional<Format> ReadFormat(std::span<const std::uint8_t> chunk) {
    if (chunk.size() < 16 || Get16(chunk, 0) != 1) {
        return std::nullopt;
    }
    Format f{Get16(chunk, 2), Get32(chunk, 4), Get16(chunk, 14)};
    if (f.Channels == 0 || f.Channels > 8 || f.Rate < 1000 || f.Rate > 192000 || (f.Bits != 8 && f.Bits != 16)) {
        return std::nullopt;
    }
    return f;
}

std::vector<std::int16_t> ToMono22050(std::span<const std::uint8_t> data, const Format& f) {
    const std::size_t frameBytes = f.Channels * f.Bits / 8;
    const std::size_t frames = data.size() / frameBytes;
    std::vector<double> mono(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        double sum = 0;
        for (std::uint32_t c = 0; c < f.Channels; ++c) {
            const std::size_t at = i * frameBytes + c * f.Bits / 8;
            sum += f.Bits == 8 ? (data[at] - 128) * 256.0 : static_cast<std::int16_t>(Get16(data, at));
        }
        mono[i] = sum / f.Channels;
    }
    const std::size_t outFrames = frames * kSampleRate / f.Rate;
    std::vector<std::int16_t> out(outFrames);
    for (std::size_t i = 0; i < outFrames; ++i) {
        const double pos = static_cast<double>(i) * f.Rate / kSampleRate;
        const std::size_t k = static_cast<std::size_t>(pos);
        const double t = pos - static_cast<double>(k);
        const double next = k + 1 < frames ? mono[k + 1] : mono[k];
        out[i] = static_cast<std::int16_t>(std::clamp(std::lround(mono[k] + (next - mono[k]) * t), -32768L, 32767L));
    }
    return out;
}

std::vector<std::int16_t> Tone(double hz, double seconds, double volume) {
    const auto count = static_cast<std::size_t>(seconds * kSampleRate);
    const std::size_t ramp = std::min<std::size_t>(count / 2, kSampleRate / 100);
    std::vector<std::int16_t> out(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double edge = std::min({1.0, double(i) / double(ramp), double(count - i) / double(ramp)});
        const double v = std::sin(2 * std::numbers::pi * hz * double(i) / kSampleRate) * volume * edge;
        out[i] = static_cast<std::int16_t>(std::lround(v * 32767));
    }
    return out;
}

std::vector<std::uint8_t> ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

std::vector<std::uint8_t> EncodeWav(std::span<const std::int16_t> samples) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    PutLe32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutLe32(out, 16);
    PutLe16(out, 1);  // PCM
    PutLe16(out, 1);  // mono
    PutLe32(out, kSampleRate);
    PutLe32(out, kSampleRate * 2);
    PutLe16(out, 2);
    PutLe16(out, 16);
    PutTag(out, "data");
    PutLe32(out, dataBytes);
    for (std::int16_t s : samples) {
        PutLe16(out, static_cast<std::uint16_t>(s));
    }
    return out;
}

std::optional<std::vector<std::int16_t>> DecodeWavToMono22050(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 12 || !TagIs(bytes, 0, "RIFF") || !TagIs(bytes, 8, "WAVE")) {
        return std::nullopt;
    }
    std::optional<Format> format;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::size_t size = Get32(bytes, at + 4);
        const std::size_t available = std::min(size, bytes.size() - at - 8);
        const auto body = bytes.subspan(at + 8, available);
        if (TagIs(bytes, at, "fmt ")) {
            format = ReadFormat(body);
            if (!format) {
                return std::nullopt;
            }
        } else if (TagIs(bytes, at, "data")) {
            return format ? std::optional(ToMono22050(body, *format)) : std::nullopt;
        }
        at += 8 + available + (available & 1);
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> FindOnPath(const std::string& program) {
#ifdef _WIN32
    (void)program;
    return std::nullopt;
#else
    const char* path = std::getenv("PATH");
    std::string_view rest = path != nullptr ? path : "";
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string dir(rest.substr(0, colon));
        rest.remove_prefix(colon == std::string_view::npos ? rest.size() : colon + 1);
        const std::filesystem::path candidate = std::filesystem::path(dir.empty() ? "." : dir) / program;
        if (access(candidate.c_str(), X_OK) == 0 && !std::filesystem::is_directory(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
#endif
}

std::optional<std::vector<std::int16_t>> Speak(const std::filesystem::path& espeak, const std::string& voice,
                                               const std::string& text, const std::filesystem::path& scratch) {
#ifdef _WIN32
    (void)espeak, (void)voice, (void)text, (void)scratch;
    return std::nullopt;
#else
    std::string program = espeak.string(), v = "-v", w = "-w", out = scratch.string();
    std::string voiceArg = voice, textArg = text;
    char* argv[] = {program.data(), v.data(), voiceArg.data(), w.data(), out.data(), textArg.data(), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
        return std::nullopt;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    const std::vector<std::uint8_t> bytes = ReadAll(scratch);
    std::error_code ignored;
    std::filesystem::remove(scratch, ignored);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    auto samples = DecodeWavToMono22050(bytes);
    if (!samples || samples->empty()) {
        return std::nullopt;
    }
    return samples;
#endif
}

std::vector<std::int16_t> TonePattern(int lineNumber, bool afrikaans) {
    static constexpr double kSteps[] = {1.0, 1.125, 1.25, 1.5, 1.6875};
    const double base = afrikaans ? 330.0 : 440.0;
    std::vector<std::int16_t> out;
    for (int k = 0; k < lineNumber + 2; ++k) {
        const auto note = Tone(base * kSteps[(k * lineNumber + (afrikaans ? 2 : 0)) % 5], 0.16, 0.3);
        out.insert(out.end(), note.begin(), note.end());
        out.insert(out.end(), kSampleRate / 20, 0);
    }
    return out;
}

std::vector<std::int16_t> BackEffect() {
    const std::size_t count = kSampleRate / 4;
    std::vector<std::int16_t> out(count);
    double phase = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = double(i) / double(count);
        phase += 2 * std::numbers::pi * (900.0 - 600.0 * t) / kSampleRate;
        out[i] = static_cast<std::int16_t>(std::lround(std::sin(phase) * (1.0 - t) * 0.4 * 32767));
    }
    return out;
}

std::span<const SpokenLine> SpokenLines() {
    static constexpr SpokenLine kLines[] = {
        {1, "instruk_1.wav", "Type your name and choose your hand.", "Tik jou naam en kies jou hand."},
        {3, "instruk_3.wav", "Goodbye!", "Totsiens!"},
        {4, "instruk_4.wav", "Choose an option.", "Kies 'n opsie."},
        {5, "instruk_5.wav", "Press Enter when you are done.", "Druk Enter as jy klaar is."},
    };
    return kLines;
}

bool WriteSounds(const std::filesystem::path& outDir, bool useSpeech) {
    const std::optional<std::filesystem::path> espeak = useSpeech ? FindOnPath("espeak-ng") : std::nullopt;
    bool spoke = false;
    for (const SpokenLine& line : SpokenLines()) {
        for (const bool afrikaans : {false, true}) {
            const std::filesystem::path file = outDir / (afrikaans ? "Sounds-afr" : "Sounds-eng") / line.File;
            std::optional<std::vector<std::int16_t>> samples;
            if (espeak) {
                std::filesystem::create_directories(file.parent_path());
                samples = Speak(*espeak, afrikaans ? "af" : "en", afrikaans ? line.Afrikaans : line.English,
                                file.string() + ".espeak.tmp");
            }
            spoke = spoke || samples.has_value();
            WriteBytes(file, EncodeWav(samples ? *samples : TonePattern(line.Number, afrikaans)));
        }
    }
    WriteBytes(outDir / "fxsounds" / "back.wav", EncodeWav(BackEffect()));
    return spoke;
}

}  // namespace zindra::suitemaker
