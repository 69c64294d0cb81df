// The system-information component on the simulated desktop: the facts it reads, the settings it
// writes (and the journal lines they leave), the lock keys and the platform flags.
#include "services/SysInfo.h"

#include <gtest/gtest.h>

#include <climits>
#include <string_view>

#include "framework/layout/ClassInfo.h"
#include "framework/layout/LayoutReader.h"
#include "platform/Platform.h"
#include "support/SimWorld.h"

namespace zindra {
namespace {

using platform::sim::SimConfig;

SimConfig Windows95(bool plus) {
    SimConfig config;
    config.Version = {4, 0, 0x040003B6, 1};  // the 95 family keeps major and minor in the build's high word
    config.WindowsExtension = plus;
    return config;
}

// One machine, one program, one component; the shared platform flags are decided afresh for it.
struct Machine {
    explicit Machine(SimConfig config = {}) : world(std::move(config)) {
        TZkSysInfo::ForgetPlatformFlags();
        info = new TZkSysInfo(world.app.get());
    }
    ~Machine() { TZkSysInfo::ForgetPlatformFlags(); }

    std::vector<std::string> Journal(std::string_view event) {
        const std::string tag = "\"ev\":\"" + std::string(event) + "\"";
        std::vector<std::string> found;
        for (const std::string& line : world.machine.GetJournal().Lines()) {
            if (line.find(tag) != std::string::npos) found.push_back(line);
        }
        return found;
    }
    bool Contains(const std::string& line, std::string_view part) const { return line.find(part) != std::string::npos; }
    std::int32_t SystemParameter(std::uint32_t action) {
        std::int32_t value = -1;
        world.process.GetDesktop().SystemParametersInfo(action, 0, &value, 0);
        return value;
    }

    testing::SimWorld world;
    TZkSysInfo* info;  // owned by the application
};

TEST(TZkSysInfo, FoldersTheMenuUsesCarryNoTrailingBackslash) {
    Machine m;
    EXPECT_EQ(m.info->WinPath(), "C:\\WINDOWS");
    EXPECT_EQ(m.info->WinSysPath(), "C:\\WINDOWS\\system32");
    EXPECT_EQ(m.info->GetStringProp(4), m.info->WinPath());
    EXPECT_EQ(m.info->GetStringProp(5), m.info->WinSysPath());
    EXPECT_TRUE(m.world.process.GetSystem().DirectoryExists(m.info->WinSysPath()));
    EXPECT_EQ(m.info->TempPath(), "C:\\WINDOWS\\TEMP\\");  // the one folder that keeps its backslash
}

TEST(TZkSysInfo, ReadingEveryPropertyWritesNothing) {
    Machine m;
    const std::size_t before = m.world.machine.GetJournal().Lines().size();
    for (int i = -1; i <= 16; ++i)
        m.info->GetStringProp(i);
    for (int i = -1; i <= 13; ++i)
        m.info->GetIntegerProp(i);
    for (int i = -1; i <= 10; ++i)
        m.info->GetBoolProp(i);
    for (int i = -1; i <= 28; ++i)
        m.info->GetLocaleProp(i);
    m.info->AllFonts();
    m.info->AllPrinters();
    m.info->Environment();
    m.info->KeyboardDelay();
    m.info->KeyboardSpeed();
    m.info->ProcessorNumber();
    m.info->ColorDepth();
    EXPECT_EQ(m.world.machine.GetJournal().Lines().size(), before);
}

TEST(TZkSysInfo, FontSmoothingOnNtIsWrittenWithProfileUpdateAndBroadcast) {
    Machine m;
    EXPECT_FALSE(m.info->FontSmoothing());
    m.info->SetFontSmoothing(true);
    ASSERT_EQ(m.Journal("font-smoothing").size(), 1u);
    EXPECT_TRUE(m.Contains(m.Journal("font-smoothing")[0], R"("on":true,"winini":3)"));
    EXPECT_TRUE(m.info->FontSmoothing());
    m.info->SetBoolProp(6, false);
    EXPECT_FALSE(m.info->GetBoolProp(6));
    EXPECT_EQ(m.SystemParameter(platform::SPI_GETFONTSMOOTHING), 0);
}

TEST(TZkSysInfo, FontSmoothingOn95WithoutPlusChangesNothingAndReadsFalse) {
    SimConfig config = Windows95(false);
    config.FontSmoothing = true;  // the system has it on; without the extension it is not asked
    Machine m(config);
    EXPECT_FALSE(m.info->PlusAvailable());
    EXPECT_FALSE(m.info->FontSmoothing());
    EXPECT_FALSE(m.info->DragFullWindows());
    m.info->SetFontSmoothing(false);
    m.info->SetDragFullWindows(false);
    EXPECT_TRUE(m.Journal("font-smoothing").empty());
    EXPECT_TRUE(m.Journal("setting").empty());
    EXPECT_EQ(m.SystemParameter(platform::SPI_GETFONTSMOOTHING), 1);
}

TEST(TZkSysInfo, The95FamilyWithPlusWritesSmoothingButNeverSnapToDefault) {
    Machine m(Windows95(true));
    EXPECT_TRUE(m.info->PlusAvailable());
    m.info->SetFontSmoothing(true);
    EXPECT_TRUE(m.info->FontSmoothing());
    m.info->SetSnapToDefaultButton(true);
    EXPECT_FALSE(m.info->SnapToDefaultButton());
    EXPECT_TRUE(m.Journal("setting").empty());
    EXPECT_EQ(m.info->Platform(), "Windows 95");
    EXPECT_EQ(m.info->VersionWIN(), "4.0");
    EXPECT_EQ(m.info->BuildNumber(), 950);
}

TEST(TZkSysInfo, FreeResourcesAreZeroOnNtAndMaskedOn95) {
    SimConfig nt;
    nt.FreeResources = {11, 22, 33};
    Machine onNt(nt);
    EXPECT_EQ(onNt.info->FreeGdiRes(), "0 %");
    EXPECT_EQ(onNt.info->FreeUsrRes(), "0 %");
    EXPECT_EQ(onNt.info->FreeSysRes(), "0 %");
    EXPECT_EQ(onNt.info->MemoryLoaded(), "37 %");

    SimConfig old = Windows95(true);
    old.FreeResources = {11, 0x80 | 22, 33};  // system, GDI, user
    Machine on95(old);
    EXPECT_EQ(on95.info->FreeSysRes(), "11 %");
    EXPECT_EQ(on95.info->FreeGdiRes(), "22 %");
    EXPECT_EQ(on95.info->FreeUsrRes(), "33 %");
}

TEST(TZkSysInfo, NamesFailAsUnknownWhenTheyDoNotFitTheirBuffers) {
    SimConfig config;
    config.UserName = std::string(62, 'u');
    config.ComputerName = std::string(15, 'C');
    Machine fits(config);
    EXPECT_EQ(fits.info->CurrentUser(), config.UserName);
    EXPECT_EQ(fits.info->Computername(), config.ComputerName);

    config.UserName += 'u';
    config.ComputerName += 'C';
    Machine tooLong(config);
    EXPECT_EQ(tooLong.info->CurrentUser(), "(Unknown)");
    EXPECT_EQ(tooLong.info->Computername(), "(Unknown)");
}

TEST(TZkSysInfo, RegistrationComesFromTheKeyOfThePlatform) {
    Machine nt;
    EXPECT_EQ(nt.info->RegisteredOwner(), "PUPIL");
    EXPECT_EQ(nt.info->RegisteredCompany(), "Zindra School");
    Machine old(Windows95(true));
    EXPECT_EQ(old.info->RegisteredOwner(), "PUPIL");

    SimConfig locked;
    locked.MachineKeysWritable = false;  // the key opens with full access only
    Machine readOnly(locked);
    EXPECT_EQ(readOnly.info->RegisteredOwner(), "(Unknown)");
    EXPECT_EQ(readOnly.info->RegisteredCompany(), "(Unknown)");
}

TEST(TZkSysInfo, PlatformAndProcessorNames) {
    const std::pair<std::uint32_t, const char*> platforms[] = {
        {0, "Win32s"}, {1, "Windows 95"}, {2, "Windows NT"}, {3, "(Unknown)"}};
    for (const auto& [id, name] : platforms) {
        SimConfig config;
        config.Version.PlatformId = id;
        EXPECT_EQ(Machine(config).info->Platform(), name) << id;
    }
    const std::pair<std::uint32_t, const char*> processors[] = {
        {386, "Intel 386"},   {486, "Intel 486"},     {586, "Intel Pentium"}, {2000, "Mips R2000"},
        {4000, "Mips R4000"}, {21064, "Alpha 21064"}, {8664, "8664"}};
    for (const auto& [type, name] : processors) {
        SimConfig config;
        config.ProcessorType = type;
        EXPECT_EQ(Machine(config).info->ProcessorType(), name) << type;
    }
}

TEST(TZkSysInfo, MachineFactsAndTheirUnits) {
    SimConfig config;
    config.ScreenSaveTimeout = 659;
    config.ProcessorCount = 300;
    Machine m(config);
    EXPECT_EQ(m.info->VersionWIN(), "5.1");
    EXPECT_EQ(m.info->BuildNumber(), 2600);
    EXPECT_EQ(m.info->ScreenSaverDelay(), 10);  // whole minutes
    EXPECT_EQ(m.info->DefaultLanguageID(), 0x0409);
    EXPECT_EQ(m.info->DefaultLanguageString(), "English (United States)");
    EXPECT_EQ(m.info->TimeZone(), "South Africa Standard Time");
    EXPECT_EQ(m.info->TimeZoneDiff(), -120);
    EXPECT_EQ(m.info->ScreenWidth(), 1024);
    EXPECT_EQ(m.info->ScreenHeight(), 768);
    EXPECT_EQ(m.info->ScreenPPi(), 96);
    EXPECT_EQ(m.info->ColorDepth(), 32);
    EXPECT_EQ(m.info->ProcessorNumber(), 255);  // saturates rather than wrapping to 44
}

TEST(TZkSysInfo, MemoryIsTruncatedToKilobytesAndNeverNegative) {
    SimConfig config;
    config.Memory.TotalPhys = (512ull << 20) + 1023;
    config.Memory.AvailPhys = 1023;
    config.Memory.TotalVirtual = 3ull << 30;
    config.Memory.AvailVirtual = 1ull << 42;
    Machine m(config);
    EXPECT_EQ(m.info->MemPhysTotal(), 524288);
    EXPECT_EQ(m.info->MemPhysFree(), 0);
    EXPECT_EQ(m.info->MemVirtTotal(), 3 * 1024 * 1024);
    EXPECT_EQ(m.info->MemVirtFree(), INT32_MAX);
    EXPECT_EQ(m.info->MemPageTotal(), 1248 * 1024);
    EXPECT_EQ(m.info->MemPageFree(), 1001 * 1024);
}

TEST(TZkSysInfo, SettingsAreReadAfreshAndWrittenWithFlagsThree) {
    Machine m;
    EXPECT_TRUE(m.info->WarningBeep());
    m.world.process.GetDesktop().SystemParametersInfo(platform::SPI_SETBEEP, 0, nullptr, 0);
    EXPECT_FALSE(m.info->WarningBeep());  // nothing cached

    m.info->SetWindowAnimation(false);
    m.info->SetWarningBeep(true);
    m.info->SetScreenSaveActive(false);
    m.info->SetDragFullWindows(false);
    m.info->SetSnapToDefaultButton(true);
    m.info->SetKeyboardDelay(3);
    m.info->SetKeyboardSpeed(7);
    m.info->SetBoolProp(9, false);  // PlusAvailable: read-only
    const std::vector<std::string> lines = m.Journal("setting");
    const char* expected[] = {R"("name":"beep","value":0,"winini":0)",  // the direct write above
                              R"("name":"window-animation","value":0,"winini":3)",
                              R"("name":"beep","value":1,"winini":3)",
                              R"("name":"screen-saver","value":0,"winini":3)",
                              R"("name":"drag-full-windows","value":0,"winini":3)",
                              R"("name":"snap-to-default","value":1,"winini":3)",
                              R"("name":"keyboard-delay","value":3,"winini":3)",
                              R"("name":"keyboard-speed","value":7,"winini":3)"};
    ASSERT_EQ(lines.size(), std::size(expected));
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_TRUE(m.Contains(lines[i], expected[i])) << lines[i];
    EXPECT_FALSE(m.info->WindowAnimation());
    EXPECT_FALSE(m.info->ScreenSaveActive());
    EXPECT_TRUE(m.info->SnapToDefaultButton());
    EXPECT_EQ(m.info->KeyboardDelay(), 3);
    EXPECT_EQ(m.info->KeyboardSpeed(), 7);
    EXPECT_TRUE(m.info->PlusAvailable());
}

TEST(TZkSysInfo, LockKeysOnNtArePressedAndReleasedOnlyWhenTheStateChanges) {
    Machine m;
    m.info->SetNumLockState(false);  // already off
    EXPECT_TRUE(m.Journal("key-event").empty());
    m.info->SetNumLockState(true);
    const std::vector<std::string> events = m.Journal("key-event");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_TRUE(m.Contains(events[0], R"("vk":144,"scan":69,"flags":1)"));
    EXPECT_TRUE(m.Contains(events[1], R"("vk":144,"scan":69,"flags":3)"));
    EXPECT_TRUE(m.info->NumLockState());
    m.info->SetNumLockState(true);
    m.info->SetCapsLockState(true);
    m.info->SetScrollLockState(true);
    const std::vector<std::string> all = m.Journal("key-event");
    ASSERT_EQ(all.size(), 6u);
    EXPECT_TRUE(m.Contains(all[2], R"("vk":20,)"));
    EXPECT_TRUE(m.Contains(all[4], R"("vk":145,)"));
    EXPECT_TRUE(m.info->CapsLockState() && m.info->ScrollLockState());
    EXPECT_TRUE(m.Journal("keyboard-state").empty());
}

TEST(TZkSysInfo, LockKeysOn95RewriteTheKeyboardStateKeepingOtherKeys) {
    Machine m(Windows95(true));
    m.info->SetScrollLockState(true);
    m.info->SetCapsLockState(true);
    m.info->SetCapsLockState(true);  // unchanged: not written again
    EXPECT_EQ(m.Journal("keyboard-state").size(), 2u);
    EXPECT_TRUE(m.Journal("key-event").empty());
    EXPECT_TRUE(m.info->ScrollLockState());
    EXPECT_TRUE(m.info->CapsLockState());
    m.info->SetCapsLockState(false);
    EXPECT_FALSE(m.info->CapsLockState());
    EXPECT_TRUE(m.info->ScrollLockState());
}

TEST(TZkSysInfo, LocaleItemsMapToTheirConstantsAndRoundTrip) {
    Machine m;
    const std::uint32_t items[28] = {0x1009, 0x19, 0x1B, 0x11, 0x100C, 0x100D, 0x12, 0x0D,  0x1C, 0x1010,
                                     0x23,   0x28, 0x29, 0x14, 0x1D,   0x0E,   0x10, 0x0C,  0x20, 0x16,
                                     0x18,   0x17, 0x51, 0x50, 0x1F,   0x0F,   0x1E, 0x1003};
    for (int i = 0; i < 28; ++i)
        m.info->SetLocaleProp(i, "v" + std::to_string(i));
    const std::vector<std::string> writes = m.Journal("locale-write");
    ASSERT_EQ(writes.size(), 28u);
    for (int i = 0; i < 28; ++i) {
        EXPECT_TRUE(m.Contains(writes[i], "\"item\":" + std::to_string(items[i]) + ",")) << i;
        EXPECT_EQ(m.info->GetLocaleProp(i), "v" + std::to_string(i)) << i;
    }
}

TEST(TZkSysInfo, LocaleReadsHalloOnlyForAMissingItem) {
    SimConfig config;
    config.MissingLocaleItems = {0x14};
    Machine m(config);
    EXPECT_EQ(m.info->LocaleCurrencySymbol(), "Hallo");
    EXPECT_EQ(m.info->LocalePositiveSign(), "");  // supplied, but empty
    EXPECT_EQ(m.info->LocaleThousandSeparator(), ",");
    EXPECT_EQ(m.info->LocaleShortDateFormat(), "M/d/yyyy");
    EXPECT_EQ(m.info->GetLocaleProp(28), "Hallo");
}

TEST(TZkSysInfo, LocaleWritesLongerThanTheBufferAreRefused) {
    Machine m;
    m.info->SetLocaleDateSeparator(std::string(TZkSysInfo::kLocaleBufferLength, '-'));
    m.info->SetLocaleDateSeparator(std::string(TZkSysInfo::kLocaleBufferLength + 1, '-'));
    m.info->SetLocaleDateSeparator(std::string("-\0garbage", 9));
    const std::vector<std::string> writes = m.Journal("locale-write");
    ASSERT_EQ(writes.size(), 2u);  // the overlong one never reached the system
    EXPECT_TRUE(m.Contains(writes[0], std::string(TZkSysInfo::kLocaleBufferLength, '-') + "\""));
    EXPECT_TRUE(m.Contains(writes[1], R"("value":"-","ok":true)"));
    EXPECT_EQ(m.info->LocaleDateSeparator(), "-");
}

TEST(TZkSysInfo, EnvironmentIsRefilledNotAppendedAndEndsAtAnEmptyString) {
    SimConfig config;
    config.Environment = {"A=1", "PATH=C:\\WINDOWS", "", "AFTER=end"};
    Machine m(config);
    const std::vector<std::string>& first = m.info->Environment();
    const std::vector<std::string> copy = first;
    const std::vector<std::string>& second = m.info->Environment();
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(second, (std::vector<std::string>{"A=1", "PATH=C:\\WINDOWS"}));
    EXPECT_EQ(copy, second);
}

TEST(TZkSysInfo, FontAndPrinterListsAreSortedWithoutCase) {
    SimConfig config;
    config.ScreenFonts = {"bart", "MS Sans Serif", "Arial", "arial black"};
    config.Printers = {"Staff", "library", "Art"};
    Machine m(config);
    EXPECT_EQ(m.info->AllFonts(), (std::vector<std::string>{"Arial", "arial black", "bart", "MS Sans Serif"}));
    EXPECT_EQ(m.info->AllPrinters(), (std::vector<std::string>{"Art", "library", "Staff"}));
}

TEST(TZkSysInfo, PlatformFlagsAreDecidedOnceAndShared) {
    Machine old(Windows95(false));
    testing::SimWorld nt;  // an NT machine, but the flags were decided already
    auto* second = new TZkSysInfo(nt.app.get());
    EXPECT_FALSE(second->PlusAvailable());
    second->SetSnapToDefaultButton(true);
    EXPECT_FALSE(second->SnapToDefaultButton());
    TZkSysInfo::ForgetPlatformFlags();
    EXPECT_TRUE(second->PlusAvailable());
    second->SetSnapToDefaultButton(true);
    EXPECT_TRUE(second->SnapToDefaultButton());
}

TEST(TZkSysInfo, WithoutAnApplicationReadsAsFailedCallsAndWritesNothing) {
    TZkSysInfo::ForgetPlatformFlags();
    TZkSysInfo orphan(nullptr);
    EXPECT_EQ(orphan.CurrentUser(), "(Unknown)");
    EXPECT_EQ(orphan.WinPath(), "");
    EXPECT_EQ(orphan.MemPhysTotal(), 0);
    EXPECT_FALSE(orphan.PlusAvailable());
    EXPECT_EQ(orphan.LocaleDecimalSeparator(), "Hallo");
    EXPECT_TRUE(orphan.Environment().empty());
    orphan.SetFontSmoothing(true);
    orphan.SetLocaleTime("1");
}

TEST(TZkSysInfo, ALayoutCreatesItAndSetsOnlyWritableProperties) {
    Machine m;
    RegisterSysInfoClasses();
    const ClassInfo* info = ClassRegistry::Find("TZkSysInfo");
    ASSERT_NE(info, nullptr);
    EXPECT_LT(info->IndexOf("About"), info->IndexOf("CurrentUser"));
    EXPECT_LT(info->IndexOf("TimeZone"), info->IndexOf("BuildNumber"));
    EXPECT_LT(info->IndexOf("PlusAvailable"), info->IndexOf("LocaleCalendarType"));
    auto* holder = new TComponent(m.world.app.get());
    ReadLayoutText(*holder, nullptr, R"(object Holder: TComponent
  object sysinfo: TZkSysInfo
    About = 'info'
    WinPath = 'D:\elsewhere'
    FontSmoothing = True
    PlusAvailable = False
  end
end
)");
    auto* sysinfo = dynamic_cast<TZkSysInfo*>(holder->FindComponent("sysinfo"));
    ASSERT_NE(sysinfo, nullptr);
    EXPECT_EQ(sysinfo->About(), "info");
    EXPECT_EQ(sysinfo->WinPath(), "C:\\WINDOWS");
    EXPECT_TRUE(sysinfo->PlusAvailable());
    EXPECT_EQ(m.Journal("font-smoothing").size(), 1u);
}

}  // namespace
}  // namespace zindra
