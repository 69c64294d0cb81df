// The walk over a suite folder: presence as the menu tests it, the spelling on disk, the content.
#include "menu/check/SuiteCheck.h"

#include <algorithm>
#include <optional>

#include "framework/Exception.h"
#include "framework/Text.h"
#include "menu/SuiteFiles.h"
#include "platform/System.h"

namespace zindra::suitecheck {

namespace {

constexpr std::uint32_t kAnyEntry = platform::faAnyFile;

// The path as the disk spells it, one component at a time: an exact match first, else the first
// entry that matches without regard to case. Nothing when a component is not there.
std::optional<std::string> SpellingOnDisk(platform::System& system, const std::string& folder,
                                          const std::string& relative) {
    std::string spelled;
    std::string at = folder;
    std::size_t start = 0;
    while (start <= relative.size()) {
        const std::size_t end = std::min(relative.find('\\', start), relative.size());
        const std::string name = relative.substr(start, end - start);
        start = end + 1;
        if (name.empty()) continue;
        const std::vector<platform::FoundFile> found = system.FindFiles(at + name, kAnyEntry);
        const auto exact = std::find_if(found.begin(), found.end(), [&](const auto& f) { return f.Name == name; });
        const auto loose = std::find_if(found.begin(), found.end(),
                                        [&](const auto& f) { return LowerCase(f.Name) == LowerCase(name); });
        const auto match = exact != found.end() ? exact : loose;
        if (match == found.end()) return std::nullopt;
        spelled += (spelled.empty() ? "" : "\\") + match->Name;
        at += match->Name + "\\";
    }
    return spelled;
}

CheckResult CheckItem(platform::System& system, const std::string& folder, const SuiteItem& item,
                      const ContentOptions& options) {
    const std::string path = folder + item.Relative;
    if (!system.FileExists(path)) return {item, Verdict::Missing, item.IfMissing};
    const auto bytes = system.ReadFile(path);
    if (!bytes) return {item, Verdict::Broken, "EFOpenError: " + FormatMessage(kSFOpenError, path)};
    ContentFinding finding = CheckContent(item.Kind, path, *bytes, options);
    const std::optional<std::string> spelled = SpellingOnDisk(system, folder, item.Relative);
    const bool otherCase = spelled && *spelled != DisplayPath(item.Relative);
    if (otherCase) finding.Detail = "on disk as " + *spelled + "; " + finding.Detail;
    if (!finding.Sound) return {item, Verdict::Broken, finding.Detail};
    return {item, otherCase ? Verdict::OtherCase : Verdict::Sound, finding.Detail};
}

// The music folder as the menu catalogues it: every "*.mid" in search order. The first track is
// listed on its own, so it is left out here.
std::vector<SuiteItem> RandomTracks(platform::System& system, const std::string& folder) {
    std::vector<SuiteItem> tracks;
    const auto found =
        system.FindFiles(folder + suite::kMusicFolder + suite::kTrackPattern, platform::FILE_ATTRIBUTE_ARCHIVE);
    int place = 0;
    for (const platform::FoundFile& file : found) {
        ++place;
        if (LowerCase(file.Name) != LowerCase(suite::kFirstTrack)) tracks.push_back(RandomTrack(file.Name, place));
    }
    return tracks;
}

}  // namespace

const char* VerdictName(Verdict verdict) {
    switch (verdict) {
        case Verdict::Sound:
            return "sound";
        case Verdict::Missing:
            return "missing";
        case Verdict::Broken:
            return "broken";
        case Verdict::OtherCase:
            return "case";
    }
    return "";
}

int SuiteCheckReport::Count(Verdict verdict) const {
    return static_cast<int>(
        std::count_if(Results.begin(), Results.end(), [&](const CheckResult& r) { return r.Result == verdict; }));
}

int SuiteCheckReport::OptionalMissing() const {
    return static_cast<int>(std::count_if(Results.begin(), Results.end(), [](const CheckResult& r) {
        return r.Result == Verdict::Missing && !r.Item.Needed;
    }));
}

int SuiteCheckReport::ExitStatus() const {
    if (!IsSuite) return 2;
    return Count(Verdict::Broken) > 0 || Count(Verdict::Missing) > OptionalMissing() ? 1 : 0;
}

SuiteCheckReport CheckSuite(platform::System& system, const std::string& folder, const ContentOptions& options) {
    RegisterPictureKinds();
    SuiteCheckReport report;
    report.Folder = folder.empty() || folder.back() == '\\' ? folder : folder + '\\';
    std::vector<SuiteItem> items = SuiteManifest();
    const std::vector<SuiteItem> tracks = RandomTracks(system, report.Folder);
    const auto firstTrack = std::find_if(items.begin(), items.end(), [](const SuiteItem& item) {
        return item.Relative == std::string(suite::kMusicFolder) + suite::kFirstTrack;
    });
    // Without the first track random tracks start only when a program ends, and only with two or more.
    if (tracks.size() < 2) firstTrack->IfMissing = "no music at all";
    items.insert(firstTrack + 1, tracks.begin(), tracks.end());
    for (const SuiteItem& item : items)
        report.Results.push_back(CheckItem(system, report.Folder, item, options));
    report.IsSuite = system.DirectoryExists(report.Folder) &&
                     report.Count(Verdict::Missing) < static_cast<int>(report.Results.size());
    return report;
}

}  // namespace zindra::suitecheck
