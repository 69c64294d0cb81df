// The Win32 system calls on a real (Wine) machine: the file search's attribute mask, whole-file
// writes, mutexes, the shell's results and exit codes, and machine facts.
#include "platform/win32/Win32System.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <thread>

#include "platform/win32/Win32Platform.h"

namespace zindra::platform::win32 {
namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<std::string> Names(const std::vector<FoundFile>& found) {
    std::vector<std::string> names;
    for (const FoundFile& f : found)
        names.push_back(f.Name);
    std::sort(names.begin(), names.end());
    return names;
}

class Win32SystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        system.CreateDirectory(system.TempPath());  // a fresh Wine prefix may not have it yet
        folder = system.TempPath() + "zindra-system-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(GetTickCount64()) + "\\";
        ASSERT_TRUE(system.CreateDirectory(folder));
    }
    void TearDown() override {
        for (const FoundFile& f : system.FindFiles(folder + "*", faAnyFile)) {
            if (f.Name == "." || f.Name == "..") continue;
            SetFileAttributesA((folder + f.Name).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (f.Attributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveDirectoryA((folder + f.Name).c_str());
            } else {
                system.DeleteFile(folder + f.Name);
            }
        }
        RemoveDirectoryA(folder.c_str());
    }

    Win32CrashGuard guard;
    Win32System system{guard};
    std::string folder;
};

TEST_F(Win32SystemTest, TheSearchSkipsHiddenSystemAndFoldersUnlessTheMaskHasThem) {
    ASSERT_TRUE(system.WriteFile(folder + "plain.mid", Bytes("a")));
    ASSERT_TRUE(system.WriteFile(folder + "hidden.mid", Bytes("bb")));
    ASSERT_TRUE(system.WriteFile(folder + "locked.mid", Bytes("ccc")));
    ASSERT_TRUE(system.CreateDirectory(folder + "sub.mid"));
    SetFileAttributesA((folder + "hidden.mid").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((folder + "locked.mid").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Names(system.FindFiles(folder + "*.mid", FILE_ATTRIBUTE_ARCHIVE)),
              (std::vector<std::string>{"locked.mid", "plain.mid"}));
    EXPECT_EQ(Names(system.FindFiles(folder + "*.mid", FILE_ATTRIBUTE_HIDDEN)),
              (std::vector<std::string>{"hidden.mid", "locked.mid", "plain.mid"}));
    EXPECT_EQ(Names(system.FindFiles(folder + "*.mid", faAnyFile)),
              (std::vector<std::string>{"hidden.mid", "locked.mid", "plain.mid", "sub.mid"}));
    const auto plain = system.FindFiles(folder + "plain.mid", 0);
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0].Size, 1u);
    EXPECT_TRUE(system.FindFiles(folder + "*.wav", faAnyFile).empty());
    EXPECT_TRUE(system.FindFiles(folder + "missing\\*.mid", faAnyFile).empty());
}

TEST_F(Win32SystemTest, TheMaskRuleItself) {
    EXPECT_TRUE(Win32System::PassesMask(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY, 0));
    EXPECT_FALSE(Win32System::PassesMask(FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(Win32System::PassesMask(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(Win32System::PassesMask(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, faAnyFile));
    EXPECT_FALSE(Win32System::PassesMask(0x08, FILE_ATTRIBUTE_DIRECTORY));  // a volume label
}

TEST_F(Win32SystemTest, AWriteReplacesTheWholeFileAndLeavesNothingBehind) {
    const std::string file = folder + "record.txt";
    ASSERT_TRUE(system.WriteFile(file, Bytes("a longer first text")));
    ASSERT_TRUE(system.WriteFile(file, Bytes("short")));
    EXPECT_EQ(system.ReadFile(file), Bytes("short"));
    EXPECT_EQ(Names(system.FindFiles(folder + "*", 0)), (std::vector<std::string>{"record.txt"}));
}

TEST_F(Win32SystemTest, AReadOnlyFileIsNeitherOverwrittenNorDeleted) {
    const std::string file = folder + "kept.txt";
    ASSERT_TRUE(system.WriteFile(file, Bytes("kept")));
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(system.WriteFile(file, Bytes("lost")));
    EXPECT_FALSE(system.DeleteFile(file));
    EXPECT_EQ(system.ReadFile(file), Bytes("kept"));
    EXPECT_EQ(system.FindFiles(folder + "*", 0).size(), 1u);
}

TEST_F(Win32SystemTest, FoldersAndMissingFilesAreNotRead) {
    EXPECT_FALSE(system.ReadFile(folder + "missing.txt"));
    EXPECT_FALSE(system.ReadFile(folder));
    EXPECT_TRUE(system.DirectoryExists(folder));
    EXPECT_FALSE(system.FileExists(folder));
    EXPECT_FALSE(system.CreateDirectory(folder));  // it exists
    EXPECT_FALSE(system.CreateDirectory(folder + "no\\such\\parent"));
}

TEST_F(Win32SystemTest, TheSecondMutexOfANameFindsTheFirst) {
    const std::string name = "zindra-test-mutex-" + std::to_string(GetCurrentProcessId());
    const MutexResult first = system.CreateMutex(name);
    ASSERT_NE(first.Handle, 0u);
    EXPECT_FALSE(first.AlreadyExisted);
    const MutexResult second = system.CreateMutex(name);
    EXPECT_TRUE(second.AlreadyExisted);
    system.CloseMutex(second.Handle);
    system.CloseMutex(first.Handle);
    const MutexResult again = system.CreateMutex(name);
    EXPECT_FALSE(again.AlreadyExisted);  // every handle was given back
    system.CloseMutex(again.Handle);
}

BOOL CALLBACK AnswerShellBox(HWND window, LPARAM found) {
    char name[16] = {};
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && GetClassNameA(window, name, sizeof name) > 0 &&
        lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window)) {
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        *reinterpret_cast<bool*>(found) = true;
    }
    return TRUE;
}

// The shell tells the user itself of a start it cannot make (the mask asks for no silence); its
// box is answered here, and the start still reads as file not found.
TEST_F(Win32SystemTest, AMissingProgramIsFileNotFoundAndTheShellSaysSo) {
    ShellExecuteRequest request;
    request.Mask = SEE_MASK_NOCLOSEPROCESS;
    const std::string file = folder + "nothing.exe";
    request.File = file.c_str();
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    bool shellBox = false;
    std::thread answer([&] {
        for (int i = 0; i < 200 && !shellBox && WaitForSingleObject(done, 50) == WAIT_TIMEOUT; ++i)
            EnumWindows(&AnswerShellBox, reinterpret_cast<LPARAM>(&shellBox));
    });
    EXPECT_FALSE(system.ShellExecuteEx(request));
    SetEvent(done);
    answer.join();
    CloseHandle(done);
    EXPECT_TRUE(shellBox) << "the shell showed no message of its own";
    EXPECT_EQ(request.InstApp, SE_ERR_FNF);
    EXPECT_EQ(request.Process, 0u);
}

// The shell's calls are made on a thread whose COM apartment is single-threaded.
TEST(Win32Platform, ReadiesItsThreadForTheShell) {
    HRESULT secondInit = S_OK;
    std::thread ui([&] {
        const Win32Platform platform;
        secondInit = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(secondInit)) CoUninitialize();
    });
    ui.join();
    EXPECT_EQ(secondInit, RPC_E_CHANGED_MODE);
}

TEST_F(Win32SystemTest, AStartedProgramIsWaitedForAndGivesItsExitCode) {
    ShellExecuteRequest request;
    request.Mask = SEE_MASK_NOCLOSEPROCESS;
    request.File = "cmd.exe";
    request.Parameters = "/c exit 7";
    request.Show = SW_HIDE;
    ASSERT_TRUE(system.ShellExecuteEx(request));
    EXPECT_GT(request.InstApp, 32u);
    ASSERT_NE(request.Process, 0u);
    ASSERT_TRUE(system.WaitForProcess(request.Process, kInfinite));
    std::uint32_t code = 0;
    ASSERT_TRUE(system.GetExitCodeProcess(request.Process, code));
    EXPECT_EQ(code, 7u);
    system.CloseProcess(request.Process);
}

TEST_F(Win32SystemTest, TheEnvironmentAndFoldersLookLikeWindows) {
    const auto environment = system.EnvironmentStrings();
    EXPECT_TRUE(std::any_of(environment.begin(), environment.end(), [](std::string entry) {
        std::transform(entry.begin(), entry.end(), entry.begin(), [](unsigned char c) { return std::toupper(c); });
        return entry.rfind("PATH=", 0) == 0;
    }));
    EXPECT_FALSE(system.WindowsDirectory().empty());
    EXPECT_NE(system.WindowsDirectory().back(), '\\');
    EXPECT_EQ(system.TempPath().back(), '\\');
    EXPECT_NE(system.ModuleFileName().find(".exe"), std::string::npos);
    const std::string start = system.CurrentDirectory();
    ASSERT_TRUE(system.SetCurrentDirectory(folder));
    EXPECT_EQ(system.CurrentDirectory() + "\\", folder);
    ASSERT_TRUE(system.SetCurrentDirectory(start));
}

TEST_F(Win32SystemTest, MachineFactsComeFromWindows) {
    EXPECT_EQ(system.Version().PlatformId, 2u);  // the NT family
    EXPECT_GE(system.ProcessorCount(), 1u);
    EXPECT_GT(system.GlobalMemoryStatus().TotalPhys, 0u);
    EXPECT_FALSE(system.FreeSystemResources16(0));
    EXPECT_FALSE(system.LanguageName(0x0409).empty());
    EXPECT_TRUE(system.GetLocaleInfo(0x0409, 0x1001));  // LOCALE_SENGLANGUAGE
    EXPECT_FALSE(system.ReadMachineRegistryString("SOFTWARE\\Zindra\\No such key", "Value"));
    EXPECT_EQ(system.ReadMachineRegistryString("\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "NoSuchValue"),
              std::string());
}

TEST_F(Win32SystemTest, GlobalAtomsAreCountedByName) {
    const std::uint16_t atom = system.GlobalAddAtom("zindra-test-atom");
    ASSERT_NE(atom, 0u);
    EXPECT_EQ(system.GlobalAddAtom("zindra-test-atom"), atom);
    system.GlobalDeleteAtom(atom);
    EXPECT_EQ(GlobalFindAtomA("zindra-test-atom"), atom);  // one reference is left
    system.GlobalDeleteAtom(atom);
    EXPECT_EQ(GlobalFindAtomA("zindra-test-atom"), 0);
}

}  // namespace
}  // namespace zindra::platform::win32
