// The names of the files the menu loads from the suite folder, in one place, so the menu and
// anything that checks a suite in advance read the same names.
#pragma once

#include <array>
#include <string>

namespace zindra::suite {

// Languages as the main window numbers them.
inline constexpr int kAfrikaans = 1;
inline constexpr int kEnglish = 2;

// ---- Folders inside the suite folder, each with its trailing backslash.

inline constexpr const char* kMenuFolder = "menu\\";  // every screen, frame and hover picture
inline constexpr const char* kMusicFolder = "Music\\";
inline constexpr const char* kAfrikaansSoundFolder = "Sounds-afr\\";
inline constexpr const char* kEnglishSoundFolder = "Sounds-eng\\";
inline constexpr const char* kEffectsFolder = "fxsounds\\";

// The spoken instructions of a language; English for anything but Afrikaans, as at first activation.
inline const char* SoundFolder(int language) {
    return language == kAfrikaans ? kAfrikaansSoundFolder : kEnglishSoundFolder;
}

// ---- Pictures in the menu folder.

inline constexpr int kLastIntroFrame = 13;
// The frame numbers of the screens after the intro, as the screen flow shows them.
inline constexpr int kLanguageScreen = 14;
inline constexpr int kNameScreen = 15;
inline constexpr int kOptionScreen = 16;
inline constexpr int kOptionZones = 6;

// Kinds of frame: the intro, a screen of one language, the language screen.
inline constexpr int kIntroKind = 0;
inline constexpr int kLanguageKind = 3;

// The picture of frame n of a kind: "intro_n.jpg" for the intro; "m_<n-13>a.jpg" and
// "m_<n-13>e.jpg" for the Afrikaans and English screens; "m_<n-13>.jpg" for the language screen.
inline std::string FrameFile(int frame, int kind) {
    if (kind == kIntroKind) return "intro_" + std::to_string(frame) + ".jpg";
    const std::string screen = "m_" + std::to_string(frame - 13);
    if (kind == kAfrikaans) return screen + "a.jpg";
    if (kind == kEnglish) return screen + "e.jpg";
    return screen + ".jpg";
}

// The language screen with the pointer over the Afrikaans (1) or English (2) zone.
inline std::string LanguageHoverFile(int language) {
    return "m_1_" + std::to_string(language) + ".jpg";
}

// The option screen with the pointer over option zone `zone` (1 to 6).
inline std::string OptionHoverFile(int language, int zone) {
    return std::string("m_3") + (language == kAfrikaans ? "a" : "e") + "_" + std::to_string(zone) + ".jpg";
}

// ---- Sounds: spoken instructions in the language's sound folder, the effect in the effects folder.

inline constexpr const char* kNameScreenInstruction = "instruk_1.wav";
inline constexpr const char* kFirstKeyInstruction = "instruk_5.wav";
inline constexpr const char* kOptionScreenInstruction = "instruk_4.wav";
inline constexpr const char* kExitInstruction = "instruk_3.wav";
inline constexpr const char* kBackEffect = "back.wav";

// ---- Music in the music folder: the fixed first track, then any of the folder's tracks.

inline constexpr const char* kFirstTrack = "mm8-select.mid";
inline constexpr const char* kTrackPattern = "*.mid";
inline constexpr int kMaxTracks = 50;

// ---- The learning programs and the report program, relative to the suite folder; each path
// begins with a backslash and is appended to the folder as it stands.

struct SuiteProgram {
    const char* Path;
    const char* Module;
};

// Options 1 to 6 in order, then the report program.
inline constexpr std::array<SuiteProgram, 7> kPrograms = {{
    {"\\SOMME\\Somme.exe", "mathematics"},
    {"\\onthou\\onthou.exe", "memory"},
    {"\\boeke\\boeke.exe", "reading"},
    {"\\leerwyse\\leerwyse.exe", "study methods"},
    {"\\woorde\\woorde.exe", "words"},
    {"\\Raaisel\\raaisel.exe", "logic"},
    {"\\uitslae\\uitslae.exe", "report of results"},
}};
inline constexpr std::size_t kReportProgram = 6;

// ---- Small files: the display switch in the suite folder, the control registered at start
// from beside the program file.

inline constexpr const char* kSwitchFile = "displaysettings.txt";
inline constexpr const char* kSwitchOn = "SET=YES";  // a substring of the first line, case-sensitive
inline constexpr const char* kControlFile = "mp3p.ocx";

// ---- The exit screen: an advert and a full-window background per language, in the suite folder.

inline constexpr const char* kAdvertPrefix = "add_";
inline constexpr const char* kAdvertBackgroundPrefix = "addback_";
inline constexpr const char* kAdvertExtension = ".jpg";

// "A" for Afrikaans (language 1), "E" for any other language value.
inline std::string AdvertLetter(int language) {
    return language == 1 ? "A" : "E";
}
inline std::string AdvertFile(int language) {
    return kAdvertPrefix + AdvertLetter(language) + kAdvertExtension;
}
inline std::string AdvertBackgroundFile(int language) {
    return kAdvertBackgroundPrefix + AdvertLetter(language) + kAdvertExtension;
}

}  // namespace zindra::suite
