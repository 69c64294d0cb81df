// The suite's files, from the menu's own names, with the screens and consequences that go with them.
#include "menu/check/SuiteManifest.h"

#include "menu/SuiteFiles.h"

namespace zindra::suitecheck {

namespace {

constexpr const char* kFrameMissing =
    "warning \"Animation frame does not exists! Uninstall and then re-install software.\", then the menu ends";
constexpr const char* kSoundMissing = "silence: the menu skips a missing sound";
constexpr const char* kProgramMissing =
    "warning \"The file you selected does not exists! Please re-install software!\"; nothing starts";

std::string LanguageName(int language) {
    return language == suite::kAfrikaans ? "Afrikaans" : "English";
}

void AddPicture(std::vector<SuiteItem>& items, const std::string& group, const std::string& name, std::string use) {
    items.push_back({group, suite::kMenuFolder + name, FileKind::Picture, std::move(use), kFrameMissing});
}

void AddIntro(std::vector<SuiteItem>& items) {
    for (int frame = 1; frame <= suite::kLastIntroFrame; ++frame) {
        std::string use = "intro, frame " + std::to_string(frame);
        if (frame == suite::kLastIntroFrame) use += "; again when leaving through the exit button";
        AddPicture(items, "Intro frames", suite::FrameFile(frame, suite::kIntroKind), std::move(use));
    }
}

void AddLanguageScreen(std::vector<SuiteItem>& items) {
    const std::string group = "Language screen";
    AddPicture(items, group, suite::FrameFile(suite::kLanguageScreen, suite::kLanguageKind), "language screen");
    for (const int language : {suite::kAfrikaans, suite::kEnglish}) {
        AddPicture(items, group, suite::LanguageHoverFile(language),
                   "language screen, pointer over " + LanguageName(language));
    }
}

void AddScreens(std::vector<SuiteItem>& items, int language) {
    const std::string group = LanguageName(language) + " screens";
    const std::string in = " (" + LanguageName(language) + ")";
    AddPicture(items, group, suite::FrameFile(suite::kNameScreen, language), "name and hand screen" + in);
    AddPicture(items, group, suite::FrameFile(suite::kOptionScreen, language), "option screen" + in);
    for (int zone = 1; zone <= suite::kOptionZones; ++zone) {
        AddPicture(items, group, suite::OptionHoverFile(language, zone),
                   "option screen" + in + ", pointer over option " + std::to_string(zone) + " (" +
                       suite::kPrograms[static_cast<std::size_t>(zone - 1)].Module + ")");
    }
}

void AddSounds(std::vector<SuiteItem>& items, int language) {
    const std::string group = LanguageName(language) + " instructions";
    const std::string folder = suite::SoundFolder(language);
    const std::pair<const char*, const char*> instructions[] = {
        {suite::kNameScreenInstruction, "name and hand screen shown"},
        {suite::kFirstKeyInstruction, "typing in the name box (once a run)"},
        {suite::kOptionScreenInstruction, "option screen shown"},
        {suite::kExitInstruction, "exit button clicked"},
    };
    for (const auto& [name, use] : instructions)
        items.push_back({group, folder + name, FileKind::Wave, use, kSoundMissing});
}

void AddExitScreen(std::vector<SuiteItem>& items) {
    for (const int language : {suite::kAfrikaans, suite::kEnglish}) {
        const std::string in = " (" + LanguageName(language) + ")";
        items.push_back({"Exit screen", suite::AdvertFile(language), FileKind::Picture, "exit screen" + in + ", advert",
                         "the exit screen closes by itself 200 ms after it shows"});
        items.push_back({"Exit screen", suite::AdvertBackgroundFile(language), FileKind::Picture,
                         "exit screen" + in + ", background",
                         "the advert shows without its background and the screen closes after 200 ms"});
    }
}

void AddPrograms(std::vector<SuiteItem>& items) {
    for (std::size_t i = 0; i < suite::kPrograms.size(); ++i) {
        const std::string button = i == suite::kReportProgram ? "report button" : "option " + std::to_string(i + 1);
        items.push_back({"Programs", suite::kPrograms[i].Path, FileKind::Program,
                         button + " (" + suite::kPrograms[i].Module + ")", kProgramMissing});
    }
}

}  // namespace

std::vector<SuiteItem> SuiteManifest() {
    std::vector<SuiteItem> items;
    AddIntro(items);
    AddLanguageScreen(items);
    AddScreens(items, suite::kAfrikaans);
    AddScreens(items, suite::kEnglish);
    AddSounds(items, suite::kAfrikaans);
    AddSounds(items, suite::kEnglish);
    items.push_back({"Effects", std::string(suite::kEffectsFolder) + suite::kBackEffect, FileKind::Wave,
                     "back button clicked", kSoundMissing});
    items.push_back({"Music", std::string(suite::kMusicFolder) + suite::kFirstTrack, FileKind::Midi,
                     "first track, from the start of the intro",
                     "no music until a learning program ends; then random tracks, if the folder has two or more"});
    AddExitScreen(items);
    AddPrograms(items);
    items.push_back({"Switch and control files", suite::kSwitchFile, FileKind::SwitchFile, "start-up, display check",
                     "optional: the screen is switched to 800 x 600 when it has another size", false});
    items.push_back({"Switch and control files", suite::kControlFile, FileKind::ControlFile,
                     "start-up, registered from beside the program file",
                     "the registration tool fails silently and the control stays unregistered"});
    return items;
}

SuiteItem RandomTrack(const std::string& fileName, int place) {
    std::string use = "random track " + std::to_string(place) + " of the catalogue";
    if (place > suite::kMaxTracks) {
        use = "never played: past the " + std::to_string(suite::kMaxTracks) + " tracks the menu catalogues";
    }
    return {"Music", suite::kMusicFolder + fileName, FileKind::Midi, std::move(use), {}};
}

std::string DisplayPath(const std::string& relative) {
    return !relative.empty() && relative.front() == '\\' ? relative.substr(1) : relative;
}

}  // namespace zindra::suitecheck
