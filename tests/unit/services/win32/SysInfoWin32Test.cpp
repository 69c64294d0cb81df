// The system-information component on the Win32 back end (under Wine in the test runs): every
// fact it reads is what the Windows call itself gives on this machine, with the call's buffer
// limits, and the settings it writes are the system's.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/Registration.h"
#include "framework/app/Application.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"
#include "services/SysInfo.h"

namespace zindra {
namespace {

constexpr const char* kUnknown = "(Unknown)";

class SysInfoWin32 : public ::testing::Test {
protected:
    SysInfoWin32() : app(platform), info(new TZkSysInfo(&app)) { TZkSysInfo::ForgetPlatformFlags(); }
    ~SysInfoWin32() override { TZkSysInfo::ForgetPlatformFlags(); }

    platform::win32::Win32Platform platform;
    TApplication app;
    TZkSysInfo* info;  // owned by the application
};

// A call that fills a buffer of `size` characters: the text, or "(Unknown)" when it fails.
template <typename Call>
std::string Named(std::size_t size, Call call) {
    std::string buffer(size, '\0');
    DWORD length = static_cast<DWORD>(size);
    if (!call(buffer.data(), &length)) return kUnknown;
    return buffer.c_str();
}

std::string Folder(UINT (*call)(LPSTR, UINT)) {
    char buffer[MAX_PATH] = {};
    return call(buffer, MAX_PATH) < MAX_PATH ? buffer : "";
}

// Wine takes the user's name from WINEUSERNAME when it is set; elsewhere that variable is nothing.
class UserNamed {
public:
    explicit UserNamed(const std::string& name) {
        char kept[256] = {};
        had_ = GetEnvironmentVariableA("WINEUSERNAME", kept, sizeof kept) > 0;
        kept_ = kept;
        SetEnvironmentVariableA("WINEUSERNAME", name.c_str());
    }
    ~UserNamed() { SetEnvironmentVariableA("WINEUSERNAME", had_ ? kept_.c_str() : nullptr); }

private:
    bool had_ = false;
    std::string kept_;
};

// The user name within the call's 63 characters: a name of 62 fits, one of 63 makes the call fail.
TEST_F(SysInfoWin32, TheUserAndComputerNamesAreTheCallsWithTheirBuffers) {
    EXPECT_EQ(info->CurrentUser(), Named(63, [](LPSTR b, LPDWORD n) { return GetUserNameA(b, n); }));
    EXPECT_NE(info->CurrentUser(), kUnknown);
    for (const std::size_t length : {62u, 63u}) {
        const std::string name(length, 'n');
        const UserNamed named(name);
        char check[256] = {};
        DWORD size = sizeof check;
        if (!GetUserNameA(check, &size) || check != name) GTEST_SKIP() << "the user's name cannot be set here";
        EXPECT_EQ(info->CurrentUser(), length < 63 ? name : kUnknown) << length << " characters";
    }
    EXPECT_EQ(info->Computername(), Named(16, [](LPSTR b, LPDWORD n) { return GetComputerNameA(b, n); }));
    EXPECT_LE(info->Computername().size(), 15u);
}

TEST_F(SysInfoWin32, FoldersAreTheSystemsOwn) {
    EXPECT_EQ(info->WinPath(), Folder(&GetWindowsDirectoryA));
    EXPECT_EQ(info->WinSysPath(), Folder(&GetSystemDirectoryA));
    char temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    EXPECT_EQ(info->TempPath(), temp);
    EXPECT_NE(info->WinSysPath().back(), '\\');
    EXPECT_EQ(info->TempPath().back(), '\\');
    EXPECT_EQ(GetFileAttributesA(info->WinSysPath().c_str()) & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY);
}

std::string RegistryText(const char* value) {
    char text[1024] = {};
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", value, RRF_RT_REG_SZ,
                     nullptr, text, &size) != ERROR_SUCCESS) {
        return "";
    }
    return text;
}

TEST_F(SysInfoWin32, VersionAndRegisteredTextsAreTheSystemsOwn) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(GetVersionExA(&version));
    EXPECT_EQ(info->VersionWIN(),
              std::to_string(version.dwMajorVersion) + "." + std::to_string(version.dwMinorVersion));
    EXPECT_EQ(info->BuildNumber(), static_cast<std::int32_t>(version.dwBuildNumber & 0xFFFF));
    EXPECT_EQ(info->Platform(), "Windows NT");
    EXPECT_EQ(info->FreeGdiRes(), "0 %");  // no such thing on NT
    // Read with full access, which this test's user has: the texts themselves.
    EXPECT_EQ(info->RegisteredOwner(), RegistryText("RegisteredOwner"));
    EXPECT_EQ(info->RegisteredCompany(), RegistryText("RegisteredOrganization"));
}

// Without the right to write the key the texts read "(Unknown)": the key is opened for full access.
TEST_F(SysInfoWin32, ARegistryKeyThatCannotBeOpenedForFullAccessReadsUnknown) {
    HKEY key = nullptr;
    const char* path = "SOFTWARE\\ZindraReadOnlyTest";
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "RegisteredOwner", 0, REG_SZ, reinterpret_cast<const BYTE*>("Owner"), 6);
    // Everyone may read it; nobody may write.
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    char aclBuffer[256];
    auto* acl = reinterpret_cast<PACL>(aclBuffer);
    InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION);
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone);
    SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
    const LONG secured = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
    RegCloseKey(key);
    FreeSid(everyone);
    HKEY probe = nullptr;
    const bool enforced = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, &probe) != ERROR_SUCCESS;
    if (probe) RegCloseKey(probe);
    const auto text = platform.GetSystem().ReadMachineRegistryString(std::string("\\") + path, "RegisteredOwner");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, path);
    ASSERT_EQ(secured, ERROR_SUCCESS);
    if (!enforced) GTEST_SKIP() << "this system does not enforce the key's rights";
    EXPECT_FALSE(text.has_value());
}

TEST_F(SysInfoWin32, EveryLocaleTextIsTheThreadLocalesOrHallo) {
    const LCTYPE items[28] = {0x1009, 0x19, 0x1B, 0x11, 0x100C, 0x100D, 0x12, 0x0D,  0x1C, 0x1010,
                              0x23,   0x28, 0x29, 0x14, 0x1D,   0x0E,   0x10, 0x0C,  0x20, 0x16,
                              0x18,   0x17, 0x51, 0x50, 0x1F,   0x0F,   0x1E, 0x1003};
    for (int i = 0; i < 28; ++i) {
        char text[512] = {};
        const int length = GetLocaleInfoA(GetThreadLocale(), items[i], text, sizeof text);
        // An item the system has not is "Hallo"; one it has, even empty, is as it has it.
        EXPECT_EQ(info->GetLocaleProp(i), length > 0 ? std::string(text) : std::string("Hallo")) << "item " << i;
    }
    EXPECT_EQ(info->LocaleDecimalSeparator().size(), 1u);
}

TEST_F(SysInfoWin32, MemoryIsInKilobytesAndFreeNeverAboveTotal) {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    ASSERT_TRUE(GlobalMemoryStatusEx(&status));
    const auto kilobytes = [](DWORDLONG bytes) {
        return static_cast<std::int32_t>(std::min<DWORDLONG>(bytes / 1024, INT32_MAX));
    };
    EXPECT_EQ(info->MemPhysTotal(), kilobytes(status.ullTotalPhys));
    EXPECT_EQ(info->MemPageTotal(), kilobytes(status.ullTotalPageFile));
    EXPECT_EQ(info->MemVirtTotal(), kilobytes(status.ullTotalVirtual));
    for (const auto& [free, total] :
         {std::pair{info->MemPhysFree(), info->MemPhysTotal()}, std::pair{info->MemPageFree(), info->MemPageTotal()},
          std::pair{info->MemVirtFree(), info->MemVirtTotal()}}) {
        EXPECT_GT(free, 0);
        EXPECT_LE(free, total);
    }
    const std::string load = info->MemoryLoaded();
    ASSERT_GE(load.size(), 3u);
    EXPECT_EQ(load.substr(load.size() - 2), " %");
    const int percent = std::stoi(load);
    EXPECT_GE(percent, 0);
    EXPECT_LE(percent, 100);
}

TEST_F(SysInfoWin32, ScreenAndProcessorAreTheSystemsOwn) {
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    ASSERT_NE(display, nullptr);
    const int depth = GetDeviceCaps(display, PLANES) * GetDeviceCaps(display, BITSPIXEL);
    DeleteDC(display);
    EXPECT_EQ(info->ColorDepth(), depth);
    EXPECT_EQ(info->ScreenWidth(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(info->ScreenHeight(), GetSystemMetrics(SM_CYSCREEN));
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(info->ScreenPPi(), GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    EXPECT_EQ(info->ProcessorNumber(), std::min<DWORD>(system.dwNumberOfProcessors, 255));
    EXPECT_EQ(info->ProcessorType(),
              system.dwProcessorType == 586 ? "Intel Pentium" : std::to_string(system.dwProcessorType));
    char language[255] = {};
    VerLanguageNameA(GetSystemDefaultLangID(), language, sizeof language);
    EXPECT_EQ(info->DefaultLanguageString(), language);
    EXPECT_EQ(info->DefaultLanguageID(), GetSystemDefaultLangID());
    TIME_ZONE_INFORMATION zone{};
    GetTimeZoneInformation(&zone);
    EXPECT_EQ(info->TimeZoneDiff(), zone.Bias);
}

// Each Boolean setting reads as the system has it, and a write reaches the system (and is undone).
TEST_F(SysInfoWin32, BooleanSettingsAreTheSystemsAndWritesReachIt) {
    struct Setting {
        const char* name;
        int index;
        UINT get;
    };
    for (const Setting s :
         {Setting{"WarningBeep", 4, SPI_GETBEEP}, Setting{"ScreenSaveActive", 5, SPI_GETSCREENSAVEACTIVE},
          Setting{"FontSmoothing", 6, SPI_GETFONTSMOOTHING}, Setting{"DragFullWindows", 7, SPI_GETDRAGFULLWINDOWS},
          Setting{"SnapToDefaultButton", 8, SPI_GETSNAPTODEFBUTTON}}) {
        BOOL system = FALSE;
        ASSERT_TRUE(SystemParametersInfoA(s.get, 0, &system, 0)) << s.name;
        const bool was = system != FALSE;
        EXPECT_EQ(info->GetBoolProp(s.index), was) << s.name;
        info->SetBoolProp(s.index, !was);
        SystemParametersInfoA(s.get, 0, &system, 0);
        EXPECT_EQ(system != FALSE, !was) << s.name;
        info->SetBoolProp(s.index, was);
        EXPECT_EQ(info->GetBoolProp(s.index), was) << s.name;
    }
    ANIMATIONINFO animation{sizeof animation, 0};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETANIMATION, sizeof animation, &animation, 0));
    EXPECT_EQ(info->WindowAnimation(), animation.iMinAnimate != 0);
    EXPECT_EQ(info->NumLockState(), (GetKeyState(VK_NUMLOCK) & 1) != 0);
    EXPECT_TRUE(info->PlusAvailable());
}

TEST_F(SysInfoWin32, TheEnvironmentIsTheProcesssBlockOnceEachRead) {
    std::vector<std::string> expected;
    char* block = GetEnvironmentStringsA();
    ASSERT_NE(block, nullptr);
    for (const char* entry = block; *entry; entry += expected.back().size() + 1)
        expected.emplace_back(entry);
    FreeEnvironmentStringsA(block);
    EXPECT_EQ(info->Environment(), expected);
    EXPECT_EQ(info->Environment().size(), expected.size());
}

}  // namespace
}  // namespace zindra
