// The composed Linux System: the C drive it prepares and the calls it answers itself.
#include "platform/posix/PosixSystem.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <filesystem>

#include "TempFolder.h"

namespace zindra::platform::posix {
namespace {

using testing::TempFolder;

class PosixSystemTest : public ::testing::Test {
protected:
    PosixSystemTest() {
        char buffer[PATH_MAX];
        savedCwd_ = getcwd(buffer, sizeof buffer) != nullptr ? buffer : "/";
    }
    ~PosixSystemTest() override { (void)!chdir(savedCwd_.c_str()); }

    PosixSystemOptions Options() { return PosixSystemOptions{temp_ / "c", temp_ / "mutexes", temp_ / "bin"}; }

    TempFolder temp_;
    std::string savedCwd_;
};

TEST_F(PosixSystemTest, PreparesTheCDriveWithItsWindowsFolders) {
    PosixSystem system(Options());
    for (const char* folder : {"c/windows", "c/windows/system32", "c/windows/temp"}) {
        EXPECT_TRUE(std::filesystem::is_directory(temp_ / folder)) << folder;
    }
    EXPECT_EQ(system.WindowsDirectory(), "C:\\windows");
    EXPECT_EQ(system.SystemDirectory(), "C:\\windows\\system32");
    EXPECT_EQ(system.TempPath(), "C:\\windows\\temp\\");
    EXPECT_TRUE(system.DirectoryExists(system.SystemDirectory()));
    EXPECT_TRUE(system.WriteFile(system.TempPath() + "scratch.txt", {'x'}));
}

TEST_F(PosixSystemTest, KeepsAWindowsFolderThatExistsInAnotherSpelling) {
    temp_.MakeFolder("c/WINDOWS/System32");
    PosixSystem system(temp_ / "c");
    std::vector<std::string> top;
    for (const auto& entry : std::filesystem::directory_iterator(temp_ / "c")) {
        top.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(top, std::vector<std::string>{"WINDOWS"});
    EXPECT_TRUE(std::filesystem::is_directory(temp_ / "c/WINDOWS/temp"));
    EXPECT_FALSE(std::filesystem::exists(temp_ / "c/WINDOWS/system32"));
}

TEST_F(PosixSystemTest, NamesTheRunningProgramInWindowsForm) {
    PosixSystem system(Options());
    const std::string module = system.ModuleFileName();
    EXPECT_TRUE(module.starts_with("Z:\\")) << module;
    EXPECT_EQ(module.find('/'), std::string::npos);
    EXPECT_TRUE(system.FileExists(module));
    EXPECT_EQ(system.Mapper().ToHost(module), std::filesystem::read_symlink("/proc/self/exe").string());
}

TEST_F(PosixSystemTest, ListsTheRealEnvironment) {
    setenv("ZINDRA_SYSTEM_MARK", "a=b", 1);
    PosixSystem system(Options());
    const std::vector<std::string> strings = system.EnvironmentStrings();
    unsetenv("ZINDRA_SYSTEM_MARK");
    EXPECT_NE(std::find(strings.begin(), strings.end(), "ZINDRA_SYSTEM_MARK=a=b"), strings.end());
}

TEST_F(PosixSystemTest, ExitProcessFlushesOutputAndEndsWithTheCode) {
    int output[2];
    ASSERT_EQ(pipe(output), 0);
    std::fflush(nullptr);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(output[1], STDOUT_FILENO);
        close(output[0]);
        PosixSystem system(Options());
        std::printf("buffered");  // a pipe is fully buffered: only a flush sends it
        system.ExitProcess(3);
    }
    close(output[1]);
    char text[32] = {};
    const ssize_t got = read(output[0], text, sizeof text - 1);
    close(output[0]);
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(std::string(text, got > 0 ? static_cast<std::size_t>(got) : 0), "buffered");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3);
}

TEST_F(PosixSystemTest, AnswersThroughItsParts) {
    PosixSystem system(Options());
    temp_.Write("c/run.sh", "#!/bin/sh\nexit 9\n", 0755);
    ShellExecuteRequest request;
    request.Mask = SEE_MASK_NOCLOSEPROCESS;
    request.File = "RUN.SH";  // relative to the current folder
    ASSERT_TRUE(system.SetCurrentDirectory("C:\\"));
    EXPECT_EQ(system.CurrentDirectory(), "C:\\");
    ASSERT_TRUE(system.ShellExecuteEx(request));
    ASSERT_TRUE(system.WaitForProcess(request.Process, 20000));
    std::uint32_t code = 0;
    ASSERT_TRUE(system.GetExitCodeProcess(request.Process, code));
    EXPECT_EQ(code, 9u);
    system.CloseProcess(request.Process);

    const MutexResult mutex = system.CreateMutex("ZindraSystem");
    EXPECT_TRUE(system.CreateMutex("ZindraSystem").AlreadyExisted);
    system.CloseMutex(mutex.Handle);
    EXPECT_EQ(system.ThreadLocale(), 0x0409u);
    EXPECT_EQ(system.SystemDefaultLangId(), 0x0409);
    EXPECT_EQ(system.LanguageName(system.SystemDefaultLangId()), "English (United States)");
    EXPECT_TRUE(system.SetLocaleInfo(0x0409, 0x0E, ","));
    EXPECT_EQ(system.GetLocaleInfo(0x0409, 0x0E), ",");
    EXPECT_FALSE(system.ReadMachineRegistryString("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir"));
    EXPECT_EQ(system.GlobalAddAtom("ZindraKey"), 0xC000);
    EXPECT_EQ(system.FindFiles("C:\\*.sh", 0).size(), 1u);
}

}  // namespace
}  // namespace zindra::platform::posix
