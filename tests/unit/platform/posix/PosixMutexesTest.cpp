// Named mutexes across handles, objects and processes.
#include "platform/posix/PosixMutexes.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "TempFolder.h"

namespace zindra::platform::posix {
namespace {

using testing::TempFolder;

class PosixMutexesTest : public ::testing::Test {
protected:
    TempFolder temp_;
    std::string folder_ = temp_ / "mutexes";
    PosixMutexes mutexes_{folder_};
};

TEST_F(PosixMutexesTest, ExistsWhileAnyHandleIsOpen) {
    const MutexResult first = mutexes_.CreateMutex("ZindraMenu");
    ASSERT_NE(first.Handle, 0u);
    EXPECT_FALSE(first.AlreadyExisted);
    const MutexResult second = mutexes_.CreateMutex("ZindraMenu");
    ASSERT_NE(second.Handle, 0u);
    EXPECT_NE(second.Handle, first.Handle);
    EXPECT_TRUE(second.AlreadyExisted);

    mutexes_.CloseMutex(first.Handle);
    const MutexResult third = mutexes_.CreateMutex("ZindraMenu");
    EXPECT_TRUE(third.AlreadyExisted);  // the second handle still holds it
    mutexes_.CloseMutex(second.Handle);
    mutexes_.CloseMutex(third.Handle);
    mutexes_.CloseMutex(third.Handle);  // twice is harmless
    EXPECT_FALSE(mutexes_.CreateMutex("ZindraMenu").AlreadyExisted);
}

TEST_F(PosixMutexesTest, MakesItsFolderPrivate) {
    ASSERT_NE(mutexes_.CreateMutex("M").Handle, 0u);
    struct stat info {};
    ASSERT_EQ(stat(folder_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(PosixMutexesTest, KeepsNamesThatDifferOnlyInCaseOrEscapingApart) {
    const char* names[] = {"Menu", "MENU", "a/b", "a%2Fb", "a%252Fb", ".", "..", "x y", "x_y", "ë"};
    for (const char* name : names) {
        EXPECT_FALSE(mutexes_.CreateMutex(name).AlreadyExisted) << name;
    }
    const std::string longA(1000, 'a');
    EXPECT_FALSE(mutexes_.CreateMutex(longA + "1").AlreadyExisted);
    EXPECT_FALSE(mutexes_.CreateMutex(longA + "2").AlreadyExisted);
    EXPECT_TRUE(mutexes_.CreateMutex(longA + "2").AlreadyExisted);
}

TEST_F(PosixMutexesTest, WritesSafeLockFileNames) {
    EXPECT_EQ(PosixMutexes::LockFileName("Zindra Menu"), "Zindra%20Menu");
    EXPECT_EQ(PosixMutexes::LockFileName(".."), "%2E%2E");
    EXPECT_EQ(PosixMutexes::LockFileName("a/b\\c"), "a%2Fb%5Cc");
    const std::string a = PosixMutexes::LockFileName(std::string(300, '/') + "a");
    const std::string b = PosixMutexes::LockFileName(std::string(300, '/') + "b");
    EXPECT_LE(a.size(), 200u);
    EXPECT_NE(a, b);
}

TEST_F(PosixMutexesTest, TreatsLocalAsTheDefaultNamespaceButNotGlobal) {
    const MutexResult plain = mutexes_.CreateMutex("Suite");
    EXPECT_TRUE(mutexes_.CreateMutex("Local\\Suite").AlreadyExisted);
    EXPECT_FALSE(mutexes_.CreateMutex("Global\\Suite").AlreadyExisted);
    mutexes_.CloseMutex(plain.Handle);
}

TEST_F(PosixMutexesTest, UnnamedMutexesNeverExisted) {
    const MutexResult a = mutexes_.CreateMutex("");
    const MutexResult b = mutexes_.CreateMutex("");
    EXPECT_NE(a.Handle, 0u);
    EXPECT_NE(b.Handle, a.Handle);
    EXPECT_FALSE(b.AlreadyExisted);
}

TEST_F(PosixMutexesTest, DestroyingReleasesEveryHandle) {
    {
        PosixMutexes other(folder_);
        ASSERT_FALSE(other.CreateMutex("Held").AlreadyExisted);
        EXPECT_TRUE(mutexes_.CreateMutex("Held").AlreadyExisted);
    }
    PosixMutexes fresh(folder_);
    // mutexes_ still holds its own handle from above.
    EXPECT_TRUE(fresh.CreateMutex("Held").AlreadyExisted);
    EXPECT_FALSE(fresh.CreateMutex("Other").AlreadyExisted);
}

TEST_F(PosixMutexesTest, IsSeenAcrossProcessesAndDiesWithItsHolder) {
    const MutexResult mine = mutexes_.CreateMutex("Parent");
    int toChild[2], toParent[2];
    ASSERT_EQ(pipe(toChild), 0);
    ASSERT_EQ(pipe(toParent), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(toChild[1]);  // else the read below never sees the parent's end close
        PosixMutexes theirs(folder_);
        const bool sawParent = theirs.CreateMutex("Parent").AlreadyExisted;
        const bool childFirst = !theirs.CreateMutex("Child").AlreadyExisted;
        char go = 0;
        (void)!write(toParent[1], "r", 1);
        (void)!read(toChild[0], &go, 1);  // hold "Child" until the parent has looked
        _exit(sawParent && childFirst ? 0 : 1);
    }
    char ready = 0;
    ASSERT_EQ(read(toParent[0], &ready, 1), 1);
    const MutexResult whileHeld = mutexes_.CreateMutex("Child");
    EXPECT_TRUE(whileHeld.AlreadyExisted);
    mutexes_.CloseMutex(whileHeld.Handle);
    close(toChild[1]);
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child saw the parent's mutex wrongly";
    EXPECT_FALSE(mutexes_.CreateMutex("Child").AlreadyExisted);
    for (int fd : {toChild[0], toParent[0], toParent[1]}) {
        close(fd);
    }
    mutexes_.CloseMutex(mine.Handle);
}

TEST_F(PosixMutexesTest, RefusesAFolderOthersMayEnter) {
    ASSERT_EQ(mkdir(folder_.c_str(), 0755), 0);
    chmod(folder_.c_str(), 0755);
    EXPECT_EQ(mutexes_.CreateMutex("M").Handle, 0u);

    const std::string link = temp_ / "link";
    ASSERT_EQ(symlink(temp_.MakeFolder("private").c_str(), link.c_str()), 0);
    chmod((temp_ / "private").c_str(), 0700);
    PosixMutexes linked(link);
    EXPECT_EQ(linked.CreateMutex("M").Handle, 0u);
}

TEST(PosixMutexesFolder, DefaultsToTheRuntimeFolderElseTmp) {
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    const std::string savedValue = saved != nullptr ? saved : "";
    TempFolder runtime;
    setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    EXPECT_EQ(PosixMutexes().Folder(), runtime.Path() + "/zindra-mutexes");
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(PosixMutexes().Folder(), "/tmp/zindra-mutexes-" + std::to_string(geteuid()));
    if (saved != nullptr) {
        setenv("XDG_RUNTIME_DIR", savedValue.c_str(), 1);
    }
}

}  // namespace
}  // namespace zindra::platform::posix
