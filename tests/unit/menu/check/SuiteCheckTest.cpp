// The suite check over a generated demo suite: whole, broken several ways at once, without its
// optional file, and folders that are not suites; and the shape of both reports.
#include "menu/check/SuiteCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

#include "menu/check/CheckReport.h"
#include "platform/posix/PosixSystem.h"
#include "support/DemoSuite.h"

namespace zindra::suitecheck {
namespace {

namespace fs = std::filesystem;

using testing::MakeTempFolder;
using testing::MasterSuite;

class SuiteCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = MakeTempFolder("zindra-check");
        suite_ = root_ / "suite";
        fs::copy(MasterSuite(), suite_, fs::copy_options::recursive);
    }
    void TearDown() override { fs::remove_all(root_); }

    SuiteCheckReport Check(const fs::path& folder) {
        platform::posix::PosixSystemOptions options;
        options.CFolder = (root_ / "c").string();
        options.PrepareDrive = false;
        platform::posix::PosixSystem system(options);
        ContentOptions content;
        content.HostProgramsRun = true;  // the demo suite's programs are built for this system
        return CheckSuite(system, system.Mapper().ToWindows(folder.string()), content);
    }
    // Verdicts by the path the report shows.
    static std::map<std::string, const CheckResult*> ByPath(const SuiteCheckReport& report) {
        std::map<std::string, const CheckResult*> byPath;
        for (const CheckResult& r : report.Results)
            byPath[DisplayPath(r.Item.Relative)] = &r;
        return byPath;
    }

    fs::path root_, suite_;
};

TEST_F(SuiteCheckTest, TheDemoSuitePasses) {
    const SuiteCheckReport report = Check(suite_);
    for (const CheckResult& r : report.Results)
        EXPECT_EQ(r.Result, Verdict::Sound) << DisplayPath(r.Item.Relative) << ": " << r.Detail;
    EXPECT_TRUE(report.IsSuite);
    EXPECT_EQ(report.ExitStatus(), 0);
    // 13 frames, 3 language pictures, 2 x 8 screens, 2 x 4 instructions, the effect, 4 tracks,
    // 4 exit pictures, 7 programs, 2 small files.
    EXPECT_EQ(report.Results.size(), 13u + 3 + 16 + 8 + 1 + 4 + 4 + 7 + 2);
    EXPECT_NE(ByPath(report).at("Music\\mm8-select.mid")->Detail.find("MIDI, plays 0:20.0"), std::string::npos);
}

TEST_F(SuiteCheckTest, ACopyBrokenSeveralWaysGetsEachVerdict) {
    fs::remove(suite_ / "menu" / "intro_5.jpg");
    fs::resize_file(suite_ / "menu" / "m_1.jpg", fs::file_size(suite_ / "menu" / "m_1.jpg") / 2);
    fs::copy_file(suite_ / "Music" / "track-a.mid", suite_ / "Sounds-eng" / "instruk_1.wav",
                  fs::copy_options::overwrite_existing);
    fs::remove(suite_ / "woorde" / "woorde.exe");
    fs::rename(suite_ / "menu" / "m_3e_2.jpg", suite_ / "menu" / "M_3E_2.JPG");
    fs::rename(suite_ / "fxsounds", suite_ / "FxSounds");

    const SuiteCheckReport report = Check(suite_);
    const auto byPath = ByPath(report);
    struct Expected {
        const char* Path;
        Verdict Result;
        const char* DetailHas;
    };
    const Expected expected[] = {
        {"menu\\intro_5.jpg", Verdict::Missing, "\"Animation frame does not exists!"},
        {"menu\\m_1.jpg", Verdict::Broken, "JPEG 800 x 600 decodes damaged: Premature end of JPEG file"},
        {"Sounds-eng\\instruk_1.wav", Verdict::Broken, "EInvalidWave: TZkWave: Cannot open file"},
        {"Sounds-eng\\instruk_1.wav", Verdict::Broken, "(the file holds a MIDI track)"},
        {"woorde\\woorde.exe", Verdict::Missing, "\"The file you selected does not exists!"},
        {"menu\\m_3e_2.jpg", Verdict::OtherCase, "on disk as menu\\M_3E_2.JPG; JPEG 800 x 600"},
        {"fxsounds\\back.wav", Verdict::OtherCase, "on disk as FxSounds\\back.wav"},
    };
    for (const Expected& e : expected) {
        const CheckResult& r = *byPath.at(e.Path);
        EXPECT_EQ(r.Result, e.Result) << e.Path << ": " << r.Detail;
        EXPECT_NE(r.Detail.find(e.DetailHas), std::string::npos) << e.Path << ": " << r.Detail;
    }
    EXPECT_EQ(report.Count(Verdict::Missing), 2);
    EXPECT_EQ(report.Count(Verdict::Broken), 2);
    EXPECT_EQ(report.Count(Verdict::OtherCase), 2);
    EXPECT_EQ(report.ExitStatus(), 1);
}

TEST_F(SuiteCheckTest, MissingMusicSaysWhetherRandomTracksStillPlay) {
    fs::remove(suite_ / "Music" / "mm8-select.mid");
    EXPECT_NE(ByPath(Check(suite_)).at("Music\\mm8-select.mid")->Detail.find("until a learning program ends"),
              std::string::npos);
    fs::remove(suite_ / "Music" / "track-a.mid");
    fs::remove(suite_ / "Music" / "track-b.mid");
    const SuiteCheckReport report = Check(suite_);
    EXPECT_EQ(ByPath(report).at("Music\\mm8-select.mid")->Detail, "no music at all");
    EXPECT_EQ(report.ExitStatus(), 1);
}

TEST_F(SuiteCheckTest, OnlyTheSwitchFileMayBeMissing) {
    fs::remove(suite_ / "displaysettings.txt");
    SuiteCheckReport report = Check(suite_);
    EXPECT_EQ(report.Count(Verdict::Missing), 1);
    EXPECT_EQ(report.OptionalMissing(), 1);
    EXPECT_EQ(report.ExitStatus(), 0);
    fs::remove(suite_ / "mp3p.ocx");
    EXPECT_EQ(Check(suite_).ExitStatus(), 1);
}

TEST_F(SuiteCheckTest, AFolderWithoutSuiteFilesIsNotASuite) {
    fs::create_directories(root_ / "empty" / "menu");
    EXPECT_EQ(Check(root_ / "empty").ExitStatus(), 2);
    EXPECT_EQ(Check(root_ / "nowhere").ExitStatus(), 2);
    EXPECT_EQ(Check(root_).ExitStatus(), 2) << "the folder above a suite";
}

TEST_F(SuiteCheckTest, ReportsAreAlignedAndOneJsonObjectALine) {
    fs::remove(suite_ / "menu" / "intro_5.jpg");
    const SuiteCheckReport report = Check(suite_);
    const std::string text = TextReport(report);
    // Every file line has its verdict in the same column.
    std::size_t column = std::string::npos;
    std::istringstream lines(text);
    int fileLines = 0;
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with("  ")) continue;
        const std::size_t at = line.find_first_of(' ', 2);
        const std::size_t verdict = line.find_first_not_of(' ', at);
        if (column == std::string::npos) column = verdict;
        EXPECT_EQ(verdict, column) << line;
        ++fileLines;
    }
    EXPECT_EQ(fileLines, static_cast<int>(report.Results.size()));
    EXPECT_TRUE(text.ends_with(
        "58 files: 57 sound, 1 missing, 0 broken, 0 under another letter case: the menu will miss something\n"))
        << text;

    const std::string journal = JournalLines(report);
    EXPECT_NE(journal.find("{\"t\":0,\"ev\":\"check\",\"path\":\"menu\\\\intro_5.jpg\",\"use\":\"intro, frame 5\","
                           "\"verdict\":\"missing\",\"detail\":\"warning \\\"Animation frame does not exists!"),
              std::string::npos)
        << journal;
    EXPECT_EQ(std::count(journal.begin(), journal.end(), '\n'), static_cast<long>(report.Results.size()) + 1);
    EXPECT_NE(journal.find("\"ev\":\"check-summary\""), std::string::npos);
    EXPECT_NE(journal.find("\"missing\":1,\"broken\":0,\"case\":0,\"status\":1}"), std::string::npos) << journal;
}

}  // namespace
}  // namespace zindra::suitecheck
