// The names of the files the menu loads from the suite folder, in one place, so the menu and
// anything that checks a suite in advance read the same names.
#pragma once

#include <string>

namespace zindra::suite {

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
