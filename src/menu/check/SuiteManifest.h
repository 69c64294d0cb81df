// Every file the menu may load from a suite folder, where a pupil meets it and what the menu does
// when it is not there, built from the names the menu itself uses.
#pragma once

#include <string>
#include <vector>

#include "menu/check/FileChecks.h"

namespace zindra::suitecheck {

struct SuiteItem {
    std::string Group;     // where it is used, as a heading: "Intro frames"
    std::string Relative;  // appended to the suite folder exactly as the menu appends it
    FileKind Kind = FileKind::Picture;
    std::string Use;        // where the pupil meets it: "intro, frame 3"
    std::string IfMissing;  // what the menu then does
    bool Needed = true;     // false: the menu has a meaning for its absence
};

// The fixed list, in the order a pupil meets the files. The music folder's random tracks are
// found by a search when a suite is checked, and are not in it.
std::vector<SuiteItem> SuiteManifest();

// A random track found in the music folder, at its 1-based place in the menu's catalogue.
SuiteItem RandomTrack(const std::string& fileName, int place);

// The relative path as people write it: without the leading backslash of the program paths.
std::string DisplayPath(const std::string& relative);

}  // namespace zindra::suitecheck
