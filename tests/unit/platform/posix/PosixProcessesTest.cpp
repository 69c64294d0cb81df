// Starting real programs through ShellExecuteEx: resolution, error codes, exit codes, reaping.
#include "platform/posix/PosixProcesses.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "TempFolder.h"

namespace zindra::platform::posix {
namespace {

using testing::ReadText;
using testing::TempFolder;

constexpr std::uint32_t kGenerousMs = 20000;

// Blocks until the child, now ended, can be reaped, without reaping it.
void AwaitEnd(pid_t pid) {
    siginfo_t info{};
    ASSERT_EQ(waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT), 0);
}

// Whether the child is gone for good; looks without reaping it.
bool Reaped(pid_t pid) {
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == -1 && errno == ECHILD;
}

class PosixProcessesTest : public ::testing::Test {
protected:
    PosixProcessesTest() : c_(temp_.MakeFolder("c")), bin_(temp_.MakeFolder("bin")), mapper_(c_) {
        temp_.MakeFolder("c/SUITE/Boeke");
        temp_.MakeFolder("c/data");
        fifo_ = temp_ / "gate";
        mkfifo(fifo_.c_str(), 0600);
        // Waits for Release(), having first written its pid.
        Script("c/SUITE/wait.sh", "echo $$ > " + (temp_ / "pid") + "\nread line < " + fifo_ + "\nexit 4\n");
        Script("c/SUITE/exit3.sh", "exit 3\n");
    }

    std::string Script(const std::string& relative, const std::string& body, mode_t mode = 0755) {
        return temp_.Write(relative, "#!/bin/sh\n" + body, mode);
    }
    ShellExecuteRequest Run(const char* file, const char* parameters = nullptr, const char* directory = nullptr,
                            const char* verb = nullptr) {
        ShellExecuteRequest request;
        request.Mask = SEE_MASK_NOCLOSEPROCESS;
        request.File = file;
        request.Parameters = parameters;
        request.Directory = directory;
        request.Verb = verb;
        started_ = processes_.ShellExecuteEx(request);
        return request;
    }
    std::uint32_t ExitCodeAfterWait(ProcessHandle process) {
        EXPECT_TRUE(processes_.WaitForProcess(process, kGenerousMs));
        std::uint32_t code = 0;
        EXPECT_TRUE(processes_.GetExitCodeProcess(process, code));
        return code;
    }
    void Release() {
        const int fd = open(fifo_.c_str(), O_WRONLY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(write(fd, "go\n", 3), 3);
        close(fd);
    }
    std::uintptr_t Failure(const char* file, const char* verb = nullptr, const char* directory = nullptr) {
        const ShellExecuteRequest request = Run(file, nullptr, directory, verb);
        EXPECT_FALSE(started_) << file;
        EXPECT_EQ(request.Process, 0u) << file;
        return request.InstApp;
    }

    TempFolder temp_;
    std::string c_, bin_, fifo_;
    PathMapper mapper_;
    PosixProcesses processes_{mapper_, bin_};
    bool started_ = false;
};

TEST_F(PosixProcessesTest, ReportsTheExitCode) {
    const ShellExecuteRequest request = Run("C:\\SUITE\\exit3.sh");
    ASSERT_TRUE(started_);
    EXPECT_EQ(request.InstApp, kShellSuccess);
    ASSERT_NE(request.Process, 0u);
    EXPECT_EQ(ExitCodeAfterWait(request.Process), 3u);
}

TEST_F(PosixProcessesTest, IsStillActiveUntilTheChildEnds) {
    const ShellExecuteRequest request = Run("C:\\SUITE\\wait.sh");
    ASSERT_TRUE(started_);
    std::uint32_t code = 0;
    ASSERT_TRUE(processes_.GetExitCodeProcess(request.Process, code));
    EXPECT_EQ(code, kStillActive);
    EXPECT_FALSE(processes_.WaitForProcess(request.Process, 0));
    EXPECT_FALSE(processes_.WaitForProcess(request.Process, 30));
    Release();
    EXPECT_EQ(ExitCodeAfterWait(request.Process), 4u);
    EXPECT_TRUE(processes_.WaitForProcess(request.Process, 0));  // ended stays ended
}

TEST_F(PosixProcessesTest, ASignalGives128PlusItsNumber) {
    Script("c/SUITE/term.sh", "kill -TERM $$\nexit 0\n");
    const ShellExecuteRequest request = Run("C:\\SUITE\\term.sh");
    ASSERT_TRUE(started_);
    EXPECT_EQ(ExitCodeAfterWait(request.Process), 128u + SIGTERM);
}

TEST_F(PosixProcessesTest, PassesTheMenusArgumentsSplitAsWindowsWould) {
    const std::string out = temp_ / "args.txt";
    Script("c/SUITE/Boeke/Args.sh", "printf '%s\\n' \"$0\" \"$@\" > " + out + "\n");
    const char* line = R"("*C:\SUITE\#" "*ANNA#" "*#" "*#" "*TRUE#" "*AFR#" "*c:\data\documents\#")";
    const ShellExecuteRequest request = Run("c:\\suite\\\\BOEKE\\args.SH", line);
    ASSERT_TRUE(started_);
    EXPECT_EQ(ExitCodeAfterWait(request.Process), 0u);
    EXPECT_EQ(ReadText(out), c_ + "/SUITE/Boeke/Args.sh\n*C:\\SUITE\\#\n*ANNA#\n*#\n*#\n*TRUE#\n*AFR#\n" +
                                 "*c:\\data\\documents\\#\n");
}

TEST_F(PosixProcessesTest, FindsAProgramWithoutExtensionAsExe) {
    Script("c/SUITE/Boeke/Boeke.EXE", "exit 5\n");
    const ShellExecuteRequest request = Run("C:\\SUITE\\boeke\\boeke");
    ASSERT_TRUE(started_);
    EXPECT_EQ(ExitCodeAfterWait(request.Process), 5u);
    EXPECT_EQ(Failure("C:\\SUITE\\boeke\\boeke.txt"), SE_ERR_FNF);  // an extension is never added to
}

TEST_F(PosixProcessesTest, RunsWindowsProgramsUnderWine) {
    const std::string out = temp_ / "wine.txt";
    Script("bin/wine", "printf '%s\\n' \"$@\" > " + out + "\nexit 7\n");
    temp_.Write("c/SUITE/Boeke/boeke.exe", std::string("MZ\x90\0", 4), 0644);  // no execute bit needed
    const ShellExecuteRequest request = Run("C:\\SUITE\\BOEKE\\BOEKE", "\"two words\" x");
    ASSERT_TRUE(started_);
    EXPECT_EQ(ExitCodeAfterWait(request.Process), 7u);
    EXPECT_EQ(ReadText(out), c_ + "/SUITE/Boeke/boeke.exe\ntwo words\nx\n");
}

TEST_F(PosixProcessesTest, AWindowsProgramWithoutWineHasNoAssociation) {
    temp_.Write("c/SUITE/Boeke/boeke.exe", "MZ", 0755);
    EXPECT_EQ(Failure("C:\\SUITE\\Boeke\\boeke.exe"), SE_ERR_NOASSOC);
}

TEST_F(PosixProcessesTest, ReportsTheWindowsShellsErrorCodes) {
    Script("c/SUITE/noexec.sh", "exit 0\n", 0644);
    temp_.Write("c/SUITE/notes.txt", "hello");
    temp_.Write("c/SUITE/empty", "");
    EXPECT_EQ(Failure("C:\\SUITE\\missing.exe"), SE_ERR_FNF);
    EXPECT_EQ(Failure("C:\\SUITE\\missing"), SE_ERR_FNF);
    EXPECT_EQ(Failure("C:\\NoSuchFolder\\boeke.exe"), SE_ERR_PNF);
    EXPECT_EQ(Failure("D:\\SUITE\\boeke.exe"), SE_ERR_PNF);
    EXPECT_EQ(Failure("C:\\SUITE\\noexec.sh"), SE_ERR_ACCESSDENIED);
    EXPECT_EQ(Failure("C:\\SUITE\\notes.txt"), SE_ERR_NOASSOC);
    EXPECT_EQ(Failure("C:\\SUITE\\empty"), SE_ERR_NOASSOC);
    EXPECT_EQ(Failure("C:\\SUITE\\exit3.sh", "print"), SE_ERR_NOASSOC);
    EXPECT_EQ(Failure("C:\\SUITE\\exit3.sh", "explore"), SE_ERR_NOASSOC);
    EXPECT_EQ(Failure("C:\\SUITE\\exit3.sh", nullptr, "C:\\NoSuchFolder"), SE_ERR_PNF);
    EXPECT_EQ(Failure(""), SE_ERR_FNF);
    EXPECT_EQ(Failure("C:\\SUITE"), SE_ERR_NOASSOC);  // a folder, and no xdg-open on the path
}

TEST_F(PosixProcessesTest, OpensFoldersWithXdgOpen) {
    const std::string out = temp_ / "opened.txt";
    Script("bin/xdg-open", "printf '%s\\n' \"$@\" >> " + out + "\n");
    for (const char* verb : {"open", "explore"}) {
        const ShellExecuteRequest request = Run("C:\\suite\\boeke", "ignored", nullptr, verb);
        ASSERT_TRUE(started_) << verb;
        EXPECT_EQ(ExitCodeAfterWait(request.Process), 0u);
    }
    EXPECT_EQ(ReadText(out), c_ + "/SUITE/Boeke\n" + c_ + "/SUITE/Boeke\n");
}

TEST_F(PosixProcessesTest, StartsTheChildInTheGivenFolder) {
    const std::string out = temp_ / "pwd.txt";
    Script("c/SUITE/pwd.sh", "pwd -P > " + out + "\n");
    const ShellExecuteRequest request = Run("C:\\SUITE\\pwd.sh", nullptr, "c:\\DATA");
    ASSERT_TRUE(started_);
    EXPECT_EQ(ExitCodeAfterWait(request.Process), 0u);
    char real[PATH_MAX];
    ASSERT_NE(realpath((c_ + "/data").c_str(), real), nullptr);
    EXPECT_EQ(ReadText(out), std::string(real) + "\n");
}

TEST_F(PosixProcessesTest, TheChildGetsOurEnvironmentButNoOtherDescriptors) {
    const std::string out = temp_ / "env.txt";
    const int open = ::open(c_.c_str(), O_RDONLY);  // deliberately without O_CLOEXEC
    ASSERT_GE(open, 3);
    setenv("ZINDRA_POSIX_MARK", "marker 1", 1);
    Script("c/SUITE/env.sh", "printf '%s|' \"$ZINDRA_POSIX_MARK\" > " + out + "\n[ -e /proc/$$/fd/" +
                                 std::to_string(open) + " ] && echo leaked >> " + out + "\nexit 0\n");
    const ShellExecuteRequest request = Run("C:\\SUITE\\env.sh");
    unsetenv("ZINDRA_POSIX_MARK");
    close(open);
    ASSERT_TRUE(started_);
    EXPECT_EQ(ExitCodeAfterWait(request.Process), 0u);
    EXPECT_EQ(ReadText(out), "marker 1|");
}

TEST_F(PosixProcessesTest, ReapsAClosedChildOnceItEnds) {
    const ShellExecuteRequest request = Run("C:\\SUITE\\wait.sh");
    ASSERT_TRUE(started_);
    const pid_t pid = processes_.ProcessId(request.Process);
    ASSERT_GT(pid, 0);
    processes_.CloseProcess(request.Process);
    std::uint32_t code = 0;
    EXPECT_FALSE(processes_.GetExitCodeProcess(request.Process, code));
    EXPECT_FALSE(processes_.WaitForProcess(request.Process, 0));
    EXPECT_EQ(processes_.ProcessId(request.Process), -1);
    Release();
    AwaitEnd(pid);
    EXPECT_FALSE(Reaped(pid));   // a zombie until we look again
    processes_.CloseProcess(0);  // any later call reaps
    EXPECT_TRUE(Reaped(pid));
}

TEST_F(PosixProcessesTest, ReapsAChildStartedWithoutAHandle) {
    ShellExecuteRequest request;
    request.File = "C:\\SUITE\\wait.sh";
    ASSERT_TRUE(processes_.ShellExecuteEx(request));
    EXPECT_EQ(request.Process, 0u);
    Release();
    const pid_t pid = std::atoi(ReadText(temp_ / "pid").c_str());  // written before it waited
    ASSERT_GT(pid, 0);
    AwaitEnd(pid);
    processes_.CloseProcess(0);
    EXPECT_TRUE(Reaped(pid));
}

TEST_F(PosixProcessesTest, LeavesNoZombieWhenDestroyedBeforeTheChildEnds) {
    pid_t pid = -1;
    {
        PosixProcesses early(mapper_, bin_);
        ShellExecuteRequest request;
        request.Mask = SEE_MASK_NOCLOSEPROCESS;
        request.File = "C:\\SUITE\\wait.sh";
        ASSERT_TRUE(early.ShellExecuteEx(request));
        pid = early.ProcessId(request.Process);
    }
    Release();
    AwaitEnd(pid);
    PosixProcesses later(mapper_, bin_);
    later.CloseProcess(0);
    EXPECT_TRUE(Reaped(pid));
}

TEST_F(PosixProcessesTest, UnknownHandlesFail) {
    std::uint32_t code = 99;
    EXPECT_FALSE(processes_.GetExitCodeProcess(0x1234, code));
    EXPECT_EQ(code, 99u);
    EXPECT_FALSE(processes_.WaitForProcess(0x1234, 10));
    processes_.CloseProcess(0x1234);
    EXPECT_EQ(processes_.ProcessId(0x1234), -1);
}

}  // namespace
}  // namespace zindra::platform::posix
