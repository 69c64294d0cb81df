// The system-information component: facts about the system, the machine and the user's settings
// as properties, and a few desktop-wide settings written through the same properties.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "services/ZkComponent.h"

namespace zindra::platform {
class Platform;
}

namespace zindra {

// Every read asks the platform afresh; the component keeps only About and the Environment list.
// No read raises: a failing call gives "(Unknown)" where that is the documented answer, else an
// empty text, 0 or False. Writes report nothing; a setting the system refuses stays as it was.
// Writes change the settings of the user's whole desktop, not only of this program.
// Without an application at the root of its owner chain it reads as if every call failed and
// writes nothing. Threading: user-interface thread only.
class TZkSysInfo : public TZkComponent {
public:
    // Decided once per process from the platform's version, by the first instance constructed
    // under an application (or its first use), and shared by every instance after that.
    struct PlatformFlags {
        bool Nt = false;   // platform id 2
        bool Plus = true;  // the 95 family's desktop extension; always true on other platforms
    };

    // Longest locale text passed on; a longer one is refused, not cut.
    static constexpr std::size_t kLocaleBufferLength = 2048;

    explicit TZkSysInfo(TComponent* owner);

    // The four indexed families: strings 0-15, integers 0-12, Booleans 0-9 (writable 0-8) and
    // locale items 0-27. An index outside its family reads as a failed call and writes nothing.
    std::string GetStringProp(int index) const;
    std::int32_t GetIntegerProp(int index) const;
    bool GetBoolProp(int index) const;
    void SetBoolProp(int index, bool value);
    std::string GetLocaleProp(int index) const;  // "Hallo" when the system has no such item
    void SetLocaleProp(int index, const std::string& value);

    std::string CurrentUser() const { return GetStringProp(0); }
    std::string RegisteredCompany() const { return GetStringProp(1); }
    std::string RegisteredOwner() const { return GetStringProp(2); }
    std::string VersionWIN() const { return GetStringProp(3); }
    std::string WinPath() const { return GetStringProp(4); }     // no trailing backslash but at a root
    std::string WinSysPath() const { return GetStringProp(5); }  // no trailing backslash but at a root
    std::string FreeGdiRes() const { return GetStringProp(6); }
    std::string FreeUsrRes() const { return GetStringProp(7); }
    std::string FreeSysRes() const { return GetStringProp(8); }
    std::string MemoryLoaded() const { return GetStringProp(9); }
    std::string Platform() const { return GetStringProp(10); }
    std::string TempPath() const { return GetStringProp(11); }  // with its trailing backslash
    std::string Computername() const { return GetStringProp(12); }
    std::string ProcessorType() const { return GetStringProp(13); }
    std::string DefaultLanguageString() const { return GetStringProp(14); }
    std::string TimeZone() const { return GetStringProp(15); }

    // Memory in KB; the screen saver delay in whole minutes; the time-zone bias in minutes.
    std::int32_t BuildNumber() const { return GetIntegerProp(0); }
    std::int32_t MemPhysTotal() const { return GetIntegerProp(1); }
    std::int32_t MemPhysFree() const { return GetIntegerProp(2); }
    std::int32_t MemVirtTotal() const { return GetIntegerProp(3); }
    std::int32_t MemVirtFree() const { return GetIntegerProp(4); }
    std::int32_t MemPageTotal() const { return GetIntegerProp(5); }
    std::int32_t MemPageFree() const { return GetIntegerProp(6); }
    std::int32_t ScreenSaverDelay() const { return GetIntegerProp(7); }
    std::int32_t DefaultLanguageID() const { return GetIntegerProp(8); }
    std::int32_t TimeZoneDiff() const { return GetIntegerProp(9); }
    std::int32_t ScreenWidth() const { return GetIntegerProp(10); }
    std::int32_t ScreenHeight() const { return GetIntegerProp(11); }
    std::int32_t ScreenPPi() const { return GetIntegerProp(12); }

    // Typed pairs over the indexed Boolean and locale accessors.
    // clang-format off
#define ZINDRA_SYSINFO_BOOL(NAME, INDEX)                                      \
    bool NAME() const { return GetBoolProp(INDEX); }                          \
    void Set##NAME(bool value) { SetBoolProp(INDEX, value); }
#define ZINDRA_SYSINFO_LOCALE(NAME, INDEX)                                    \
    std::string NAME() const { return GetLocaleProp(INDEX); }                 \
    void Set##NAME(const std::string& value) { SetLocaleProp(INDEX, value); }
    // clang-format on

    ZINDRA_SYSINFO_BOOL(NumLockState, 0)
    ZINDRA_SYSINFO_BOOL(CapsLockState, 1)
    ZINDRA_SYSINFO_BOOL(ScrollLockState, 2)
    ZINDRA_SYSINFO_BOOL(WindowAnimation, 3)
    ZINDRA_SYSINFO_BOOL(WarningBeep, 4)
    ZINDRA_SYSINFO_BOOL(ScreenSaveActive, 5)
    ZINDRA_SYSINFO_BOOL(FontSmoothing, 6)  // False and not written without the Plus flag
    ZINDRA_SYSINFO_BOOL(DragFullWindows, 7)
    ZINDRA_SYSINFO_BOOL(SnapToDefaultButton, 8)  // False and not written without the NT flag
    bool PlusAvailable() const {
        return GetBoolProp(9);
    }

    ZINDRA_SYSINFO_LOCALE(LocaleCalendarType, 0)
    ZINDRA_SYSINFO_LOCALE(LocaleCurrencyDigits, 1)
    ZINDRA_SYSINFO_LOCALE(LocaleICurrency, 2)
    ZINDRA_SYSINFO_LOCALE(LocaleDigits, 3)
    ZINDRA_SYSINFO_LOCALE(LocaleFirstDayOfWeek, 4)
    ZINDRA_SYSINFO_LOCALE(LocaleFirstWeekOfYear, 5)
    ZINDRA_SYSINFO_LOCALE(LocaleZero, 6)
    ZINDRA_SYSINFO_LOCALE(LocaleMeasureSystem, 7)
    ZINDRA_SYSINFO_LOCALE(LocaleNegativeCurrencyFormat, 8)
    ZINDRA_SYSINFO_LOCALE(LocaleNegativeNumberFormat, 9)
    ZINDRA_SYSINFO_LOCALE(LocaleTime, 10)
    ZINDRA_SYSINFO_LOCALE(LocaleMorningSymbol, 11)
    ZINDRA_SYSINFO_LOCALE(LocaleAfternoonSymbol, 12)
    ZINDRA_SYSINFO_LOCALE(LocaleCurrencySymbol, 13)
    ZINDRA_SYSINFO_LOCALE(LocaleDateSeparator, 14)
    ZINDRA_SYSINFO_LOCALE(LocaleDecimalSeparator, 15)
    ZINDRA_SYSINFO_LOCALE(LocaleNumericGrouping, 16)
    ZINDRA_SYSINFO_LOCALE(LocaleListSeparator, 17)
    ZINDRA_SYSINFO_LOCALE(LocaleLongDateFormat, 18)
    ZINDRA_SYSINFO_LOCALE(LocaleMonthDecimalSeparator, 19)
    ZINDRA_SYSINFO_LOCALE(LocaleCurrencyGrouping, 20)
    ZINDRA_SYSINFO_LOCALE(LocaleThousandSeparator, 21)  // the monetary one
    ZINDRA_SYSINFO_LOCALE(LocaleNegativeSign, 22)
    ZINDRA_SYSINFO_LOCALE(LocalePositiveSign, 23)
    ZINDRA_SYSINFO_LOCALE(LocaleShortDateFormat, 24)
    ZINDRA_SYSINFO_LOCALE(LocaleThousand, 25)  // the numeric one
    ZINDRA_SYSINFO_LOCALE(LocaleTimeSeparator, 26)
    ZINDRA_SYSINFO_LOCALE(LocaleShortTimeFormat, 27)

#undef ZINDRA_SYSINFO_LOCALE
#undef ZINDRA_SYSINFO_BOOL

    // The platform's font and printer names, sorted without regard to case (a fresh copy each read).
    std::vector<std::string> AllFonts() const;
    std::vector<std::string> AllPrinters() const;
    // The environment block as name=value entries, refilled on every read; the list is the
    // component's and stays valid until the next read or the component's end.
    const std::vector<std::string>& Environment();
    std::uint8_t ProcessorNumber() const;
    std::uint8_t ColorDepth() const;  // bits per pixel of the display
    std::int32_t KeyboardDelay() const;
    void SetKeyboardDelay(std::int32_t value);
    std::int32_t KeyboardSpeed() const;
    void SetKeyboardSpeed(std::int32_t value);

    // For tests that model machines of other versions in one process: the next instance
    // constructed (or the next read) decides the flags afresh.
    static void ForgetPlatformFlags();

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    platform::Platform* PlatformOrNull() const;
    static PlatformFlags FlagsOf(platform::Platform& platform);
    std::int32_t GetSystemParameter(std::uint32_t action) const;
    void SetSystemParameter(std::uint32_t action, std::uint32_t value);

    std::vector<std::string> environment_;
};

// Makes TZkSysInfo known to stored layouts.
void RegisterSysInfoClasses();

}  // namespace zindra
