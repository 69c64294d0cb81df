// Generates the demo suite folder the menu runs on, and the pictures stored with the main window.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace zindra::suitemaker {

// The layout and font baked in at build time.
std::filesystem::path DefaultLayoutPath();
std::filesystem::path DefaultFontPath();

struct SuiteOptions {
    std::filesystem::path OutDir;
    std::filesystem::path Program;   // copied to each of the seven program places
    std::filesystem::path Recorder;  // copied to recorder/recorder.exe
    std::filesystem::path Layout = DefaultLayoutPath();
    std::filesystem::path Font = DefaultFontPath();
    bool Speech = true;  // false: tone patterns even when espeak-ng is on PATH
};

struct SuiteSummary {
    std::size_t Files = 0;
    std::uintmax_t Bytes = 0;
    bool Spoken = false;  // whether espeak-ng spoke the instructions
};

// Where the seven learning programs live in a suite, relative to it, in the case the menu starts them.
std::span<const char* const> ProgramPlaces();

// Writes the whole suite into OutDir (created if missing; files of the same name are replaced, others left).
// Throws SuiteError naming the file or input at fault.
SuiteSummary MakeSuite(const SuiteOptions& options);

// Writes form1-bground.jpg and the button faces into dir.
void MakeLayoutAssets(const std::filesystem::path& dir, const std::filesystem::path& font = DefaultFontPath());

// Counts the regular files under dir and their bytes.
SuiteSummary Measure(const std::filesystem::path& dir);

}  // namespace zindra::suitemaker
