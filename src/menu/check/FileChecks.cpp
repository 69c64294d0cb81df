// Content checks of suite files: decoders, the wave check, the MIDI reader, executable headers.
#include "menu/check/FileChecks.h"

#include <cctype>
#include <cstdio>
#include <new>

#include "framework/Exception.h"
#include "framework/Text.h"
#include "framework/graphics/Graphic.h"
#include "framework/graphics/JpegDecoder.h"
#include "imaging/PngGraphic.h"
#include "menu/SuiteFiles.h"
#include "menu/check/WindowsExecutable.h"
#include "platform/MidiFile.h"
#include "services/Wave.h"

namespace zindra::suitecheck {

namespace {

bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view magic, std::size_t at = 0) {
    if (bytes.size() < at + magic.size()) return false;
    for (std::size_t i = 0; i < magic.size(); ++i) {
        if (bytes[at + i] != static_cast<std::uint8_t>(magic[i])) return false;
    }
    return true;
}

ContentFinding Sound(std::string detail) {
    return {true, std::move(detail)};
}

// A fault, with what the file really holds when that is something else.
ContentFinding Broken(std::string detail, std::span<const std::uint8_t> bytes, std::string_view expected) {
    const std::string holds = SniffContent(bytes);
    if (!holds.empty() && holds != expected) detail += " (the file holds " + holds + ")";
    return {false, std::move(detail)};
}

std::string Size(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

ContentFinding CheckPicture(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::string extension = LowerCase(ExtensionOf(path));
    const bool jpeg = extension == "jpg" || extension == "jpeg";
    std::string kind = jpeg ? "JPEG" : extension;
    for (char& c : kind)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::string expected = jpeg ? "a JPEG picture" : kind == "PNG" ? "a PNG picture" : "";
    try {
        if (jpeg) {
            // The JPEG picture's own decoder, asked also for the damage it decodes past.
            JpegWarnings warnings;
            const Bitmap32 pixels = DecodeJpeg(bytes, {}, &warnings);
            if (!warnings.Damage.empty()) {
                return Broken("JPEG " + Size(pixels.Width(), pixels.Height()) + " decodes damaged: " + warnings.Damage,
                              bytes, expected);
            }
            return Sound("JPEG " + Size(pixels.Width(), pixels.Height()));
        }
        std::unique_ptr<TGraphic> graphic = CreateGraphicForExtension(extension);
        if (!graphic) return Broken("EInvalidGraphic: Unknown picture file extension (." + extension + ")", bytes, "");
        graphic->LoadFromBytes(bytes);
        return Sound(kind + " " + Size(graphic->Width(), graphic->Height()));
    } catch (const Exception& e) {
        return Broken(std::string(e.ClassName()) + ": " + e.Message(), bytes, expected);
    } catch (const std::bad_alloc&) {
        return Broken("not enough memory to decode the picture", bytes, expected);
    } catch (const std::exception& e) {
        return Broken(e.what(), bytes, expected);
    }
}

std::string Channels(int channels) {
    return channels == 1 ? "mono" : channels == 2 ? "stereo" : "more channels";
}

ContentFinding CheckWaveFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    // An empty file loads as no sound at all, which plays nothing.
    if (bytes.empty()) return {false, "an empty file: the menu loads it as no sound and plays nothing"};
    try {
        const auto facts = CheckWave(bytes, path);
        if (!facts) {
            return Broken("EInvalidWave: TZkWave: " + FormatMessage(kSFOpenError, path), bytes, "a WAV sound");
        }
        return Sound(std::string(facts->Pcm ? "PCM" : "compressed") + ", " + Channels(facts->Channels) + ", " +
                     std::to_string(facts->SampleRate) + " Hz, " + std::to_string(bytes.size()) + " bytes");
    } catch (const Exception& e) {
        return Broken(std::string(e.ClassName()) + ": " + e.Message(), bytes, "a WAV sound");
    }
}

std::string PlayingTime(std::uint32_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%u:%02u.%u", ms / 60000, ms / 1000 % 60, ms / 100 % 10);
    return text;
}

ContentFinding CheckMidiFile(std::span<const std::uint8_t> bytes) {
    const auto length = platform::MidiLengthMs(bytes);
    if (!length) return Broken("not a standard MIDI file the sequencer can time and play", bytes, "a MIDI track");
    return Sound("MIDI, plays " + PlayingTime(*length));
}

ContentFinding CheckProgram(std::span<const std::uint8_t> bytes, const ContentOptions& options) {
    if (options.HostProgramsRun && StartsWith(bytes,
                                              "\x7F"
                                              "ELF")) {
        return Sound("a program for this system (ELF), not for Windows: started here directly, never on Windows");
    }
    const ExecutableVerdict verdict = CheckWindowsExecutable(bytes);
    if (!verdict.Program) return Broken(verdict.Detail, bytes, "a Windows program");
    return Sound("Windows program, " + verdict.Detail);
}

// Any first line is a valid switch; say which way it sets it.
ContentFinding CheckSwitchFile(std::span<const std::uint8_t> bytes) {
    const std::string text(bytes.begin(), bytes.end());
    const std::string firstLine = text.substr(0, text.find_first_of("\r\n"));
    if (firstLine.find(suite::kSwitchOn) != std::string::npos) {
        return Sound("the first line holds SET=YES: the screen is switched to 800 x 600 when it has another size");
    }
    return Sound("the first line lacks SET=YES: the display is never switched");
}

}  // namespace

std::string SniffContent(std::span<const std::uint8_t> bytes) {
    if (StartsWith(bytes, "\xFF\xD8\xFF")) return "a JPEG picture";
    if (StartsWith(bytes, "\x89PNG\r\n\x1A\n")) return "a PNG picture";
    if (StartsWith(bytes, "BM")) return "a Windows bitmap";
    if (StartsWith(bytes, "RIFF") && StartsWith(bytes, "WAVE", 8)) return "a WAV sound";
    if (StartsWith(bytes, "MThd")) return "a MIDI track";
    if (StartsWith(bytes, "MZ")) return "a Windows program";
    if (StartsWith(bytes,
                   "\x7F"
                   "ELF"))
        return "a program for Linux (ELF)";
    return {};
}

void RegisterPictureKinds() {
    RegisterStandardGraphics();
    RegisterPngGraphic();
}

ContentFinding CheckContent(FileKind kind, const std::string& path, std::span<const std::uint8_t> bytes,
                            const ContentOptions& options) {
    switch (kind) {
        case FileKind::Picture:
            return CheckPicture(path, bytes);
        case FileKind::Wave:
            return CheckWaveFile(path, bytes);
        case FileKind::Midi:
            return CheckMidiFile(bytes);
        case FileKind::Program:
            return CheckProgram(bytes, options);
        case FileKind::SwitchFile:
            return CheckSwitchFile(bytes);
        case FileKind::ControlFile:
            return Sound(std::to_string(bytes.size()) + " bytes, registered silently at start");
    }
    return {};
}

}  // namespace zindra::suitecheck
