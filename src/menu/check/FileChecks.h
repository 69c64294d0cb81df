// The check of one suite file's content, as the part of the program that loads it would see it:
// pictures through the program's decoders, sounds through the wave check, tracks through the
// MIDI reader, programs through their headers. Pure functions of the bytes, for any input.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace zindra::suitecheck {

enum class FileKind { Picture, Wave, Midi, Program, SwitchFile, ControlFile };

struct ContentFinding {
    bool Sound = false;
    // What the file is (size, format, length) when sound; the loader's own message when not.
    std::string Detail;
};

struct ContentOptions {
    // Also take a program built for the machine running the check (an ELF file), which the
    // posix back end starts directly; a Windows machine could not.
    bool HostProgramsRun = false;
};

// path: the file's full path as the menu forms it; messages name it as the menu's would, and a
// picture's decoder is chosen by its extension, as the picture loader does. Never throws.
ContentFinding CheckContent(FileKind kind, const std::string& path, std::span<const std::uint8_t> bytes,
                            const ContentOptions& options = {});

// What the bytes hold, judged by their first bytes ("a MIDI track"); empty when unknown.
std::string SniffContent(std::span<const std::uint8_t> bytes);

// Picture kinds by extension, as the program registers them; safe to call more than once.
void RegisterPictureKinds();

}  // namespace zindra::suitecheck
