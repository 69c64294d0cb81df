// Puts the suite together: pictures, sounds, music, the program copies and the small marker files.
#include "SuiteMaker.h"

#include <string>

#include "JpegOut.h"
#include "LayoutBounds.h"
#include "Music.h"
#include "Pictures.h"
#include "Sounds.h"
#include "SuiteError.h"

namespace zindra::suitemaker {

namespace fs = std::filesystem;

namespace {

std::span<const std::uint8_t> AsBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

void CopyExecutable(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::create_directories(to.parent_path(), error);
    if (!fs::is_regular_file(from, error)) {
        throw SuiteError("not a file: " + from.string());
    }
    if (!fs::copy_file(from, to, fs::copy_options::overwrite_existing, error)) {
        throw SuiteError("cannot copy " + from.string() + " to " + to.string() + ": " + error.message());
    }
    const auto execute = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    fs::permissions(to, execute | fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, error);
    if (error) {
        throw SuiteError("cannot mark " + to.string() + " executable: " + error.message());
    }
}

}  // namespace

fs::path DefaultLayoutPath() {
    return ZINDRA_DEFAULT_LAYOUT;
}
fs::path DefaultFontPath() {
    return ZINDRA_SUITE_FONT;
}

std::span<const char* const> ProgramPlaces() {
    static constexpr const char* kPlaces[] = {"SOMME/Somme.exe",       "onthou/onthou.exe", "boeke/boeke.exe",
                                              "leerwyse/leerwyse.exe", "woorde/woorde.exe", "Raaisel/raaisel.exe",
                                              "uitslae/uitslae.exe"};
    return kPlaces;
}

SuiteSummary MakeSuite(const SuiteOptions& options) {
    const MenuZones zones = MenuZones::FromLayout(ReadLayoutBounds(options.Layout));
    TFontFace font(options.Font);
    const fs::path& out = options.OutDir;
    std::error_code error;
    fs::create_directories(out, error);
    if (!fs::is_directory(out)) {
        throw SuiteError("cannot make the folder " + out.string());
    }
    WriteMenuPictures(out, font, zones);
    WriteExitPictures(out, font);
    const bool spoken = WriteSounds(out, options.Speech);
    WriteMusic(out);
    for (const char* place : ProgramPlaces()) {
        CopyExecutable(options.Program, out / place);
    }
    CopyExecutable(options.Recorder, out / "recorder" / "recorder.exe");
    WriteBytes(out / "displaysettings.txt", AsBytes("SET=YES\r\n"));
    WriteBytes(out / "mp3p.ocx",
               AsBytes("Zindra demo suite: stand-in for the MP3 player control the menu registers.\r\n"
                       "Not a real control; the menu only checks that it is there.\r\n"));
    SuiteSummary summary = Measure(out);
    summary.Spoken = spoken;
    return summary;
}

void MakeLayoutAssets(const fs::path& dir, const fs::path& font) {
    TFontFace face(font);
    WriteLayoutPictures(dir, face);
}

SuiteSummary Measure(const fs::path& dir) {
    SuiteSummary summary;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        if (entry.is_regular_file()) {
            ++summary.Files;
            summary.Bytes += entry.file_size();
        }
    }
    return summary;
}

}  // namespace zindra::suitemaker
