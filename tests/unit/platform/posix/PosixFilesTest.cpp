// Files, folders and file searches through Windows paths.
#include "platform/posix/PosixFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>

#include "TempFolder.h"

namespace zindra::platform::posix {
namespace {

using testing::ReadText;
using testing::TempFolder;

using Bytes = std::vector<std::uint8_t>;

class PosixFilesTest : public ::testing::Test {
protected:
    PosixFilesTest() : c_(temp_.MakeFolder("c")), mapper_(c_), files_(mapper_) {
        temp_.MakeFolder("c/music/Sub.mid");
        temp_.Write("c/music/a.MID", "12345");
        temp_.Write("c/music/b.mid", "");
        temp_.Write("c/music/ab.mid", "x");
        temp_.Write("c/music/c.wav", "wave");
        temp_.Write("c/music/.hidden.mid", "");
        temp_.Write("c/music/locked.mid", "", 0444);
        temp_.Write("c/music/noext", "");
        temp_.MakeFolder("c/data");
        char buffer[PATH_MAX];
        savedCwd_ = getcwd(buffer, sizeof buffer) != nullptr ? buffer : "/";
    }
    ~PosixFilesTest() override { (void)!chdir(savedCwd_.c_str()); }

    std::vector<std::string> Found(const std::string& pattern, std::uint32_t mask) {
        std::vector<std::string> names;
        for (const FoundFile& found : files_.FindFiles(pattern, mask)) {
            names.push_back(found.Name);
        }
        return names;
    }
    bool LeftoverTemporaries(const std::string& folder) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().filename().string().starts_with(".zindra-write-")) {
                return true;
            }
        }
        return false;
    }

    TempFolder temp_;
    std::string c_;
    PathMapper mapper_;
    PosixFiles files_;
    std::string savedCwd_;
};

using Names = std::vector<std::string>;

TEST_F(PosixFilesTest, TellsFilesFromFolders) {
    EXPECT_TRUE(files_.FileExists("C:\\MUSIC\\A.mid"));
    EXPECT_FALSE(files_.FileExists("C:\\music"));
    EXPECT_FALSE(files_.FileExists("C:\\music\\missing.mid"));
    EXPECT_TRUE(files_.DirectoryExists("c:\\Music\\sub.MID"));
    EXPECT_FALSE(files_.DirectoryExists("C:\\music\\a.mid"));
    EXPECT_FALSE(files_.DirectoryExists("Q:\\"));
    ASSERT_EQ(symlink((c_ + "/music").c_str(), (c_ + "/linked").c_str()), 0);
    EXPECT_TRUE(files_.DirectoryExists("C:\\Linked"));
}

TEST_F(PosixFilesTest, WritesAndReadsWholeFiles) {
    const Bytes bytes = {0, 1, 2, 0, 255, 'Z'};
    ASSERT_TRUE(files_.WriteFile("C:\\data\\New File.bin", bytes));
    EXPECT_EQ(files_.ReadFile("c:\\DATA\\new file.BIN"), bytes);
    ASSERT_TRUE(files_.WriteFile("C:\\data\\NEW FILE.bin", Bytes{7}));  // replaces, no old tail
    EXPECT_EQ(files_.ReadFile("C:\\data\\New File.bin"), Bytes{7});
    EXPECT_FALSE(std::filesystem::exists(c_ + "/data/NEW FILE.bin"));  // the existing spelling was used
    ASSERT_TRUE(files_.WriteFile("C:\\data\\empty", {}));
    EXPECT_EQ(files_.ReadFile("C:\\data\\empty"), Bytes{});
    EXPECT_FALSE(LeftoverTemporaries(c_ + "/data"));
}

TEST_F(PosixFilesTest, WriteKeepsTheOldFileWhenItCannotWrite) {
    EXPECT_FALSE(files_.WriteFile("C:\\nowhere\\file.txt", {1}));
    EXPECT_FALSE(files_.WriteFile("C:\\music", {1}));
    EXPECT_FALSE(files_.WriteFile("C:\\music\\locked.mid", {1}));  // read-only, as on Windows
    EXPECT_EQ(ReadText(c_ + "/music/locked.mid"), "");
    EXPECT_FALSE(files_.WriteFile("D:\\file.txt", {1}));
    EXPECT_FALSE(LeftoverTemporaries(c_ + "/music"));
}

TEST_F(PosixFilesTest, WriteKeepsPermissionsAndLinks) {
    temp_.Write("c/data/settings.ini", "old", 0640);
    ASSERT_TRUE(files_.WriteFile("C:\\data\\SETTINGS.INI", {'n', 'e', 'w'}));
    struct stat info {};
    ASSERT_EQ(stat((c_ + "/data/settings.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    ASSERT_EQ(symlink((c_ + "/data/settings.ini").c_str(), (c_ + "/data/link.ini").c_str()), 0);
    ASSERT_TRUE(files_.WriteFile("C:\\data\\link.ini", {'v', '2'}));
    ASSERT_EQ(lstat((c_ + "/data/link.ini").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(ReadText(c_ + "/data/settings.ini"), "v2");
}

TEST_F(PosixFilesTest, ReadRefusesWhatIsNotARegularFileOfSaneSize) {
    EXPECT_FALSE(files_.ReadFile("C:\\music\\missing"));
    EXPECT_FALSE(files_.ReadFile("C:\\music"));
    ASSERT_EQ(mkfifo((c_ + "/data/fifo").c_str(), 0600), 0);
    EXPECT_FALSE(files_.ReadFile("C:\\data\\fifo"));  // and does not wait for a writer
    const std::string big = temp_.Write("c/data/big.bin", "");
    ASSERT_EQ(truncate(big.c_str(), static_cast<off_t>(PosixFiles::kMaxReadBytes) + 1), 0);  // sparse
    EXPECT_FALSE(files_.ReadFile("C:\\data\\big.bin"));
}

TEST_F(PosixFilesTest, CreatesOneFolderLevel) {
    EXPECT_TRUE(files_.CreateDirectory("C:\\data\\New Folder"));
    EXPECT_TRUE(files_.DirectoryExists("C:\\DATA\\new folder"));
    EXPECT_FALSE(files_.CreateDirectory("C:\\data\\new folder"));  // exists (in another spelling)
    EXPECT_FALSE(files_.CreateDirectory("C:\\data\\a\\b"));        // parent missing
    EXPECT_FALSE(files_.CreateDirectory("C:\\music\\a.mid"));
}

TEST_F(PosixFilesTest, DeletesFilesButNotFoldersOrReadOnlyFiles) {
    EXPECT_TRUE(files_.DeleteFile("C:\\music\\A.MID"));
    EXPECT_FALSE(files_.FileExists("C:\\music\\a.mid"));
    EXPECT_FALSE(files_.DeleteFile("C:\\music\\a.mid"));
    EXPECT_FALSE(files_.DeleteFile("C:\\music\\Sub.mid"));
    EXPECT_FALSE(files_.DeleteFile("C:\\music\\locked.mid"));
    EXPECT_TRUE(files_.FileExists("C:\\music\\locked.mid"));
    ASSERT_EQ(symlink((c_ + "/music/locked.mid").c_str(), (c_ + "/music/link").c_str()), 0);
    EXPECT_TRUE(files_.DeleteFile("C:\\music\\link"));  // the link goes, its read-only target stays
    EXPECT_TRUE(files_.FileExists("C:\\music\\locked.mid"));
}

TEST_F(PosixFilesTest, FindsPlainFilesOnlyUnlessTheMaskAsks) {
    EXPECT_EQ(Found("C:\\music\\*.mid", FILE_ATTRIBUTE_ARCHIVE), (Names{"a.MID", "ab.mid", "b.mid", "locked.mid"}));
    EXPECT_EQ(Found("C:\\music\\*.mid", 0), (Names{"a.MID", "ab.mid", "b.mid", "locked.mid"}));
    EXPECT_EQ(Found("C:\\music\\*.mid", FILE_ATTRIBUTE_DIRECTORY),
              (Names{"a.MID", "ab.mid", "b.mid", "locked.mid", "Sub.mid"}));
    EXPECT_EQ(Found("C:\\music\\*.mid", FILE_ATTRIBUTE_HIDDEN),
              (Names{".hidden.mid", "a.MID", "ab.mid", "b.mid", "locked.mid"}));
    EXPECT_EQ(Found("C:\\music\\*", faAnyFile),
              (Names{".", "..", ".hidden.mid", "a.MID", "ab.mid", "b.mid", "c.wav", "locked.mid", "noext", "Sub.mid"}));
}

TEST_F(PosixFilesTest, MatchesWildcardsWithoutCase) {
    EXPECT_EQ(Found("c:\\MUSIC\\?.MID", 0), (Names{"a.MID", "b.mid"}));
    EXPECT_EQ(Found("C:\\music\\*.*", 0), (Names{"a.MID", "ab.mid", "b.mid", "c.wav", "locked.mid", "noext"}));
    EXPECT_EQ(Found("C:\\music\\A.mid", 0), Names{"a.MID"});
    EXPECT_EQ(Found("C:\\music\\*.xyz", 0), Names{});
    EXPECT_EQ(Found("C:\\nowhere\\*", 0), Names{});
    EXPECT_EQ(Found("C:\\music\\", faAnyFile), Names{});
}

TEST_F(PosixFilesTest, ReportsWindowsAttributesAndSizes) {
    const std::vector<FoundFile> found = files_.FindFiles("C:\\music\\*", faAnyFile);
    auto find = [&](const std::string& name) {
        for (const FoundFile& file : found) {
            if (file.Name == name) {
                return file;
            }
        }
        return FoundFile{"<missing>", 0xFFFF, 0};
    };
    EXPECT_EQ(find("a.MID").Attributes, FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(find("a.MID").Size, 5u);
    EXPECT_EQ(find("Sub.mid").Attributes, FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(find("Sub.mid").Size, 0u);
    EXPECT_EQ(find(".hidden.mid").Attributes, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(find("locked.mid").Attributes, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(find("..").Attributes & FILE_ATTRIBUTE_HIDDEN, 0u);
}

TEST_F(PosixFilesTest, ADriveRootHasNoDotEntries) {
    const Names root = Found("C:\\*", faAnyFile);
    EXPECT_EQ(root, (Names{"data", "music"}));
}

TEST_F(PosixFilesTest, FollowsTheRealCurrentFolder) {
    ASSERT_TRUE(files_.SetCurrentDirectory("c:\\MUSIC"));
    EXPECT_EQ(files_.CurrentDirectory(), "C:\\music");
    EXPECT_EQ(files_.ReadFile("A.mid"), (Bytes{'1', '2', '3', '4', '5'}));
    EXPECT_EQ(Found("*.wav", 0), Names{"c.wav"});
    EXPECT_EQ(Found("..\\*", FILE_ATTRIBUTE_DIRECTORY), (Names{"data", "music"}));
    EXPECT_FALSE(files_.SetCurrentDirectory("C:\\nowhere"));
    EXPECT_FALSE(files_.SetCurrentDirectory("C:\\music\\a.mid"));
    EXPECT_EQ(files_.CurrentDirectory(), "C:\\music");
    ASSERT_EQ(chdir((c_ + "/data").c_str()), 0);  // changed behind our back
    EXPECT_EQ(files_.CurrentDirectory(), "C:\\data");
}

}  // namespace
}  // namespace zindra::platform::posix
