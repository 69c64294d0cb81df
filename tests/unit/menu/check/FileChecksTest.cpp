// One suite file's content: pictures through the decoders (damage included), sounds through the
// wave check, tracks through the MIDI reader, programs through their headers, with what a
// misnamed file really holds.
#include "menu/check/FileChecks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "make-suite/Draw.h"
#include "make-suite/JpegOut.h"
#include "make-suite/Music.h"
#include "make-suite/PngOut.h"
#include "make-suite/Sounds.h"
#include "menu/check/WindowsExecutable.h"

namespace zindra::suitecheck {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Detailed enough that most of the file is compressed data, which a cut then reaches.
Bytes Jpeg() {
    suitemaker::TRgbImage image(64, 48);
    for (int y = 0; y < 48; y += 4)
        for (int x = 0; x < 64; x += 4)
            image.Disc({x, y}, 2, {static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 5), 90});
    return suitemaker::EncodeJpeg(image);
}
Bytes Png() {
    return suitemaker::EncodePng(suitemaker::TRgbImage(5, 3), {}, "test");
}
Bytes Wav() {
    const std::vector<std::int16_t> samples(2205, 1000);
    return suitemaker::EncodeWav(samples);
}
Bytes Midi() {
    return suitemaker::SmfFile(0, 96, {suitemaker::TrackChunk({}, 96 * 3)});  // three beats at 120 a minute
}
Bytes Cut(Bytes bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}
Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

void Put(Bytes& bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A minimal PE32+ console program: MZ stub pointing at the PE header at 64, one section of 16
// bytes at 512.
Bytes Program(std::uint16_t characteristics = 0x0022) {
    Bytes bytes(528, 0);
    bytes[0] = 'M', bytes[1] = 'Z';
    Put(bytes, 0x3C, 64, 4);
    Put(bytes, 64, 0x00004550, 4);
    Put(bytes, 68, 0x8664, 2);  // machine
    Put(bytes, 70, 1, 2);       // sections
    Put(bytes, 84, 240, 2);     // optional header size
    Put(bytes, 86, characteristics, 2);
    Put(bytes, 88, 0x20B, 2);   // PE32+
    Put(bytes, 88 + 68, 3, 2);  // console
    const std::size_t section = 88 + 240;
    Put(bytes, section + 16, 16, 4);   // raw size
    Put(bytes, section + 20, 512, 4);  // raw data
    return bytes;
}

struct Case {
    const char* Name;
    FileKind Kind;
    std::string Path;
    Bytes Content;
    bool Sound;
    std::string DetailHas;  // a part of the detail the case expects
    bool HostPrograms = false;
};

TEST(SuiteFileChecks, EachKindAsItsLoaderSeesIt) {
    const Bytes jpeg = Jpeg();
    const std::vector<Case> cases = {
        {"a JPEG", FileKind::Picture, "C:\\s\\menu\\m_1.jpg", jpeg, true, "JPEG 64 x 48"},
        {"a JPEG cut in its data", FileKind::Picture, "C:\\s\\m.jpg", Cut(jpeg, jpeg.size() / 2), false,
         "JPEG 64 x 48 decodes damaged: Premature end of JPEG file"},
        {"a JPEG cut in its headers", FileKind::Picture, "C:\\s\\m.jpg", Cut(jpeg, 30), false, "EJPEG: "},
        {"an empty picture", FileKind::Picture, "C:\\s\\m.jpg", {}, false, "EJPEG: "},
        {"a PNG named .jpg", FileKind::Picture, "C:\\s\\m.jpg", Png(), false, "(the file holds a PNG picture)"},
        {"a PNG", FileKind::Picture, "C:\\s\\m.PNG", Png(), true, "PNG 5 x 3"},
        {"a broken PNG", FileKind::Picture, "C:\\s\\m.png", Cut(Png(), 40), false, "EPngUnexpectedEnd: "},
        {"an unknown picture kind", FileKind::Picture, "C:\\s\\m.gif", jpeg, false,
         "EInvalidGraphic: Unknown picture file extension (.gif)"},
        {"a WAV", FileKind::Wave, "C:\\s\\a.wav", Wav(), true, "PCM, mono, 22050 Hz, 4454 bytes"},
        {"a MIDI file named .wav", FileKind::Wave, "C:\\s\\Sounds-eng\\instruk_1.wav", Midi(), false,
         "EInvalidWave: TZkWave: Cannot open file C:\\s\\Sounds-eng\\instruk_1.wav (the file holds a MIDI track)"},
        {"a WAV header cut short", FileKind::Wave, "C:\\s\\a.wav", Cut(Wav(), 20), false,
         "EErrorCheckingWave: GetWaveData: Cannot open file C:\\s\\a.wav"},
        {"an empty WAV", FileKind::Wave, "C:\\s\\a.wav", {}, false, "plays nothing"},
        {"a MIDI track", FileKind::Midi, "C:\\s\\Music\\x.mid", Midi(), true, "MIDI, plays 0:01.5"},
        {"a WAV named .mid", FileKind::Midi, "C:\\s\\Music\\x.mid", Wav(), false, "(the file holds a WAV sound)"},
        {"a MIDI track cut short", FileKind::Midi, "C:\\s\\x.mid", Cut(Midi(), 20), false, "sequencer"},
        {"a Windows program", FileKind::Program, "C:\\s\\a.exe", Program(), true, "Windows program, x86-64, console"},
        {"a library", FileKind::Program, "C:\\s\\a.exe", Program(0x2022), false, "a library (DLL)"},
        {"an object file", FileKind::Program, "C:\\s\\a.exe", Program(0x0020), false, "not marked as an executable"},
        {"a program cut short", FileKind::Program, "C:\\s\\a.exe", Cut(Program(), 520), false, "cut short"},
        {"a program cut in its headers", FileKind::Program, "C:\\s\\a.exe", Cut(Program(), 200), false,
         "optional header is cut short"},
        {"an MS-DOS stub alone", FileKind::Program, "C:\\s\\a.exe", Cut(Program(), 64), false,
         "PE header lies past the end"},
        {"a picture named .exe", FileKind::Program, "C:\\s\\a.exe", jpeg, false,
         "no MZ header (the file holds a JPEG picture)"},
        {"an ELF program where such run", FileKind::Program, "C:\\s\\a.exe",
         Text("\x7F"
              "ELF\x02\x01"),
         true, "a program for this system (ELF)", true},
        {"an ELF program where they do not", FileKind::Program, "C:\\s\\a.exe",
         Text("\x7F"
              "ELF\x02\x01"),
         false, "no MZ header (the file holds a program for Linux (ELF))"},
        {"a switch on", FileKind::SwitchFile, "C:\\s\\displaysettings.txt", Text("XSET=YESX\r\nSET=NO"), true,
         "holds SET=YES"},
        {"a switch off", FileKind::SwitchFile, "C:\\s\\displaysettings.txt", Text("SET=NO\nSET=YES"), true,
         "never switched"},
        {"a control file", FileKind::ControlFile, "C:\\s\\mp3p.ocx", Text("abc"), true, "3 bytes"},
    };
    RegisterPictureKinds();
    for (const Case& c : cases) {
        ContentOptions options;
        options.HostProgramsRun = c.HostPrograms;
        const ContentFinding finding = CheckContent(c.Kind, c.Path, c.Content, options);
        EXPECT_EQ(finding.Sound, c.Sound) << c.Name << ": " << finding.Detail;
        EXPECT_NE(finding.Detail.find(c.DetailHas), std::string::npos)
            << c.Name << ": expected \"" << c.DetailHas << "\" in \"" << finding.Detail << "\"";
    }
}

// Every header offset comes from the file: no prefix of a program may be read past its end.
TEST(SuiteFileChecks, EveryPrefixOfAProgramIsRefusedSafely) {
    const Bytes program = Program();
    for (std::size_t size = 0; size < program.size(); ++size) {
        EXPECT_FALSE(CheckWindowsExecutable({program.data(), size}).Program) << "cut to " << size << " bytes";
    }
    EXPECT_TRUE(CheckWindowsExecutable(program).Program);
    Bytes farOff = program;
    Put(farOff, 0x3C, 0xFFFFFFF0u, 4);
    EXPECT_EQ(CheckWindowsExecutable(farOff).Detail,
              "not a Windows program: its PE header lies past the end of the file");
}

}  // namespace
}  // namespace zindra::suitecheck
