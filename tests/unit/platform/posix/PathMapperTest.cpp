// Windows paths onto the host file system and back.
#include "platform/posix/PathMapper.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "TempFolder.h"

namespace zindra::platform::posix {
namespace {

using testing::TempFolder;

class PathMapperTest : public ::testing::Test {
protected:
    PathMapperTest() : c_(temp_.MakeFolder("c")), mapper_(c_) {
        temp_.MakeFolder("c/SUITE/Boeke");
        temp_.Write("c/SUITE/Boeke/boeke.exe", "MZ");
        temp_.MakeFolder("c/Program Files/My App");
        temp_.Write("c/Program Files/My App/Run Me.exe", "MZ");
        temp_.MakeFolder("c/data/Documents");
        temp_.MakeFolder("c/dup/Alpha");
        temp_.MakeFolder("c/dup/ALPHA");
        temp_.MakeFolder("c/dup/alpha two");
    }

    std::string Host(const std::string& windowsPath) { return mapper_.ToHost(windowsPath).value_or("<none>"); }

    TempFolder temp_;
    std::string c_;
    PathMapper mapper_;
};

TEST_F(PathMapperTest, MapsDriveRootsInAnyCase) {
    EXPECT_EQ(Host("C:\\"), c_);
    EXPECT_EQ(Host("c:\\"), c_);
    EXPECT_EQ(Host("C:/"), c_);
    EXPECT_EQ(Host("C:"), c_);  // drive-relative with the current folder at C:\ .
    EXPECT_EQ(Host("Z:\\"), "/");
    EXPECT_EQ(Host("z:/"), "/");
}

TEST_F(PathMapperTest, RefusesWhatHasNoHostCounterpart) {
    EXPECT_FALSE(mapper_.ToHost("D:\\SUITE"));
    EXPECT_FALSE(mapper_.ToHost("1:\\x"));
    EXPECT_FALSE(mapper_.ToHost("C:\\SUITE\\file.txt:stream"));
    EXPECT_FALSE(mapper_.ToHost("\\\\server\\share\\file.txt"));
    EXPECT_FALSE(mapper_.ToHost("//server/share"));
    EXPECT_FALSE(mapper_.ToHost(""));
    EXPECT_FALSE(mapper_.ToHost(std::string("C:\\SUITE\0\\..\\etc", 15)));
}

TEST_F(PathMapperTest, MatchesExistingComponentsWithoutCase) {
    EXPECT_EQ(Host("C:\\suite\\BOEKE\\BOEKE.EXE"), c_ + "/SUITE/Boeke/boeke.exe");
    EXPECT_EQ(Host("c:\\PROGRAM FILES\\my app\\run me.EXE"), c_ + "/Program Files/My App/Run Me.exe");
    EXPECT_EQ(Host("C:\\Data\\documents"), c_ + "/data/Documents");
}

TEST_F(PathMapperTest, PrefersExactThenFirstInByteOrder) {
    EXPECT_EQ(Host("C:\\dup\\Alpha"), c_ + "/dup/Alpha");
    EXPECT_EQ(Host("C:\\dup\\ALPHA"), c_ + "/dup/ALPHA");
    EXPECT_EQ(Host("C:\\dup\\alpha"), c_ + "/dup/ALPHA");  // "ALPHA" < "Alpha" in bytes
    EXPECT_EQ(Host("C:\\DUP\\ALPHA TWO"), c_ + "/dup/alpha two");
}

TEST_F(PathMapperTest, KeepsMissingComponentsAsWritten) {
    EXPECT_EQ(Host("C:\\SUITE\\New File.TXT"), c_ + "/SUITE/New File.TXT");
    EXPECT_EQ(Host("C:\\suite\\Nowhere\\Boeke"), c_ + "/SUITE/Nowhere/Boeke");
}

TEST_F(PathMapperTest, ResolvesDotsNeverAboveTheDriveRoot) {
    EXPECT_EQ(Host("C:\\SUITE\\.\\boeke\\..\\..\\..\\..\\data"), c_ + "/data");
    EXPECT_EQ(Host("C:\\.."), c_);
    EXPECT_EQ(Host("Z:\\..\\..\\usr\\..\\.\\"), "/");
}

TEST_F(PathMapperTest, TakesEitherSeparatorAndRunsOfThem) {
    EXPECT_EQ(Host("C:\\SUITE\\\\boeke\\boeke.exe"), c_ + "/SUITE/Boeke/boeke.exe");
    EXPECT_EQ(Host("C:/SUITE//boeke/\\/boeke.exe"), c_ + "/SUITE/Boeke/boeke.exe");
    EXPECT_EQ(Host("C:\\SUITE\\"), c_ + "/SUITE");
}

TEST_F(PathMapperTest, DropsTrailingDotsAndSpacesOfTheLastComponent) {
    EXPECT_EQ(Host("C:\\SUITE\\boeke\\boeke.exe. ."), c_ + "/SUITE/Boeke/boeke.exe");
    EXPECT_EQ(Host("C:\\SUITE\\..."), c_ + "/SUITE");
}

TEST_F(PathMapperTest, ResolvesRelativePathsAgainstTheCurrentFolder) {
    ASSERT_TRUE(mapper_.SetCurrentDirectory("C:\\SUITE"));
    EXPECT_EQ(Host("boeke\\BOEKE.exe"), c_ + "/SUITE/Boeke/boeke.exe");
    EXPECT_EQ(Host("..\\data"), c_ + "/data");
    EXPECT_EQ(Host("\\data"), c_ + "/data");
    EXPECT_EQ(Host("c:boeke"), c_ + "/SUITE/Boeke");
    EXPECT_EQ(Host("."), c_ + "/SUITE");

    ASSERT_TRUE(mapper_.SetCurrentDirectory("Z:\\usr"));
    EXPECT_EQ(Host("\\tmp"), "/tmp");
    EXPECT_EQ(Host("C:data"), c_ + "/data");  // another drive: from its root
    EXPECT_EQ(Host("Z:bin"), "/usr/bin");
}

TEST_F(PathMapperTest, MatchesWithoutCaseOnTheZDriveToo) {
    const std::string windows = mapper_.ToWindows(temp_.Path()) + "\\C\\suite";
    EXPECT_EQ(Host(windows), c_ + "/SUITE");
}

TEST_F(PathMapperTest, SetCurrentDirectoryTakesOnlyAbsoluteMappedPaths) {
    EXPECT_FALSE(mapper_.SetCurrentDirectory("SUITE"));
    EXPECT_FALSE(mapper_.SetCurrentDirectory("\\SUITE"));
    EXPECT_FALSE(mapper_.SetCurrentDirectory("D:\\"));
    EXPECT_EQ(mapper_.CurrentDirectory(), "C:\\");
    EXPECT_TRUE(mapper_.SetCurrentDirectory("c:/SUITE/./x/.."));
    EXPECT_EQ(mapper_.CurrentDirectory(), "C:\\SUITE");
    EXPECT_TRUE(mapper_.SetCurrentDirectory("z:\\.."));
    EXPECT_EQ(mapper_.CurrentDirectory(), "Z:\\");
}

TEST_F(PathMapperTest, GivesTheWindowsFormOfHostPaths) {
    EXPECT_EQ(mapper_.ToWindows(c_), "C:\\");
    EXPECT_EQ(mapper_.ToWindows(c_ + "/"), "C:\\");
    EXPECT_EQ(mapper_.ToWindows(c_ + "/Program Files/My App/Run Me.exe"), "C:\\Program Files\\My App\\Run Me.exe");
    EXPECT_EQ(mapper_.ToWindows(c_ + "//SUITE/./x/../Boeke"), "C:\\SUITE\\Boeke");
    EXPECT_EQ(mapper_.ToWindows(c_ + "/.."), mapper_.ToWindows(temp_.Path()));
    EXPECT_EQ(mapper_.ToWindows("/"), "Z:\\");
    EXPECT_EQ(mapper_.ToWindows("/usr/bin"), "Z:\\usr\\bin");
    // A sibling whose name starts like the C folder's is not inside it.
    std::string sibling = "Z:" + c_ + "x/file";
    std::replace(sibling.begin(), sibling.end(), '/', '\\');
    EXPECT_EQ(mapper_.ToWindows(c_ + "x/file"), sibling);
}

TEST_F(PathMapperTest, ToWindowsOfARelativePathStartsAtTheRealWorkingFolder) {
    char buffer[4096];
    ASSERT_NE(getcwd(buffer, sizeof buffer), nullptr);
    EXPECT_EQ(mapper_.ToWindows("sub/file"), mapper_.ToWindows(std::string(buffer) + "/sub/file"));
}

TEST_F(PathMapperTest, KnowsTheCFolderThroughALink) {
    const std::string link = temp_ / "link";
    ASSERT_EQ(symlink(c_.c_str(), link.c_str()), 0);
    const PathMapper linked(link);
    EXPECT_EQ(linked.ToWindows(link + "/SUITE"), "C:\\SUITE");
    EXPECT_EQ(linked.ToWindows(c_ + "/SUITE"), "C:\\SUITE");
    EXPECT_EQ(linked.ToHost("C:\\suite"), link + "/SUITE");
}

TEST_F(PathMapperTest, RoundTripsToTheHostSpelling) {
    const std::pair<const char*, const char*> cases[] = {
        {"c:\\suite\\boeke\\BOEKE.EXE", "C:\\SUITE\\Boeke\\boeke.exe"},
        {"C:/program files//MY APP/", "C:\\Program Files\\My App"},
        {"C:\\data\\new.txt", "C:\\data\\new.txt"},
        {"z:\\USR", "Z:\\usr"},
    };
    for (const auto& [written, canonical] : cases) {
        EXPECT_EQ(mapper_.ToWindows(Host(written)), canonical) << written;
    }
}

}  // namespace
}  // namespace zindra::platform::posix
