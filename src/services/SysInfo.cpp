// The system-information component: the platform flags and the read-only facts (texts, numbers, lists).
#include "services/SysInfo.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <mutex>
#include <optional>

#include "framework/Exception.h"
#include "framework/app/Application.h"
#include "platform/Platform.h"

namespace zindra {

namespace {

// Buffer sizes of the calls, in characters with the terminator: a text that does not fit is
// not returned by the call at all.
constexpr std::size_t kUserNameBuffer = 63;
constexpr std::size_t kComputerNameBuffer = 16;
constexpr std::size_t kPathBuffer = 260;
constexpr std::size_t kLanguageNameBuffer = 255;

constexpr std::uint32_t kWin32s = 0;
constexpr std::uint32_t kWindows95Family = 1;
constexpr std::uint32_t kWindowsNt = 2;

// Strings whose failing call reads as "(Unknown)"; the others read as an empty text.
constexpr bool kUnknownOnFailure[16] = {true,  true,  true, false, false, false, false, false,
                                        false, false, true, false, true,  false, false, false};

struct SharedFlags {
    std::mutex Mutex;
    std::optional<TZkSysInfo::PlatformFlags> Value;
};

SharedFlags& TheFlags() {
    static SharedFlags flags;
    return flags;
}

std::optional<std::string> Fitting(std::optional<std::string> text, std::size_t buffer) {
    if (text && text->size() >= buffer) return std::nullopt;
    return text;
}

std::string Percent(std::int32_t value) {
    return std::to_string(value) + " %";
}

// GetFreeSystemResources of the 16-bit user module; 0 on NT and wherever that route is missing.
std::int32_t FreeResources(platform::System& system, bool nt, std::uint16_t kind) {
    if (nt) return 0;
    const std::optional<std::uint16_t> value = system.FreeSystemResources16(kind);
    return value ? (*value & 0x7F) : 0;
}

std::string Registered(platform::System& system, bool nt, const char* value) {
    const std::string key =
        std::string("\\SOFTWARE\\Microsoft\\") + (nt ? "Windows NT" : "Windows") + "\\CurrentVersion";
    const std::optional<std::string> text = system.ReadMachineRegistryString(key, value);
    return text ? *text : kSUnknown;
}

std::string PlatformName(std::uint32_t platformId) {
    switch (platformId) {
        case kWin32s:
            return "Win32s";
        case kWindows95Family:
            return "Windows 95";
        case kWindowsNt:
            return "Windows NT";
        default:
            return kSUnknown;
    }
}

std::string ProcessorName(std::uint32_t type) {
    switch (type) {
        case 386:
            return "Intel 386";
        case 486:
            return "Intel 486";
        case 586:
            return "Intel Pentium";
        case 2000:
        case 3000:
        case 4000:
            return "Mips R" + std::to_string(type);
        case 21064:
            return "Alpha 21064";
        default:
            return std::to_string(type);
    }
}

std::string LanguageName(platform::System& system) {
    std::string name = system.LanguageName(system.SystemDefaultLangId());
    if (name.size() >= kLanguageNameBuffer) name.resize(kLanguageNameBuffer - 1);  // the call cuts it
    return name;
}

// NOTE: the quotient is taken on the full 64-bit count and saturates at the largest signed
// 32-bit value. Reading the count itself as a signed 32-bit number would report machines with
// 2 GB or more as negative or wrapped sizes; below 2 GB both give the same truncated KB.
std::int32_t Kilobytes(std::uint64_t bytes) {
    return static_cast<std::int32_t>(std::min<std::uint64_t>(bytes / 1024, INT32_MAX));
}

std::uint8_t SaturatedByte(std::int64_t value) {
    return static_cast<std::uint8_t>(std::clamp<std::int64_t>(value, 0, 255));
}

bool LessWithoutCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

std::vector<std::string> SortedWithoutCase(std::vector<std::string> names) {
    std::stable_sort(names.begin(), names.end(), LessWithoutCase);
    return names;
}

std::string ReadString(platform::Platform& p, const TZkSysInfo::PlatformFlags& flags, int index) {
    platform::System& system = p.GetSystem();
    switch (index) {
        case 0:
            return Fitting(system.UserName(), kUserNameBuffer).value_or(kSUnknown);
        case 1:
            return Registered(system, flags.Nt, "RegisteredOrganization");
        case 2:
            return Registered(system, flags.Nt, "RegisteredOwner");
        case 3: {
            const platform::VersionInfo v = system.Version();
            return std::to_string(static_cast<std::int32_t>(v.Major)) + "." +
                   std::to_string(static_cast<std::int32_t>(v.Minor));
        }
        case 4:
            return Fitting(system.WindowsDirectory(), kPathBuffer).value_or("");
        case 5:
            return Fitting(system.SystemDirectory(), kPathBuffer).value_or("");
        case 6:
            return Percent(FreeResources(system, flags.Nt, 1));
        case 7:
            return Percent(FreeResources(system, flags.Nt, 2));
        case 8:
            return Percent(FreeResources(system, flags.Nt, 0));
        case 9:
            return Percent(static_cast<std::int32_t>(system.GlobalMemoryStatus().MemoryLoad));
        case 10:
            return PlatformName(system.Version().PlatformId);
        case 11:
            return Fitting(system.TempPath(), kPathBuffer).value_or("");
        case 12:
            return Fitting(system.ComputerName(), kComputerNameBuffer).value_or(kSUnknown);
        case 13:
            return ProcessorName(system.ProcessorType());
        case 14:
            return LanguageName(system);
        case 15:
            return system.TimeZone().StandardName;
        default:
            return "";
    }
}

std::int32_t ReadInteger(platform::Platform& p, int index) {
    platform::System& system = p.GetSystem();
    platform::Desktop& desktop = p.GetDesktop();
    switch (index) {
        case 0:
            return static_cast<std::int32_t>(system.Version().Build & 0xFFFF);
        case 1:
            return Kilobytes(system.GlobalMemoryStatus().TotalPhys);
        case 2:
            return Kilobytes(system.GlobalMemoryStatus().AvailPhys);
        case 3:
            return Kilobytes(system.GlobalMemoryStatus().TotalVirtual);
        case 4:
            return Kilobytes(system.GlobalMemoryStatus().AvailVirtual);
        case 5:
            return Kilobytes(system.GlobalMemoryStatus().TotalPageFile);
        case 6:
            return Kilobytes(system.GlobalMemoryStatus().AvailPageFile);
        case 7: {
            std::int32_t seconds = 0;
            desktop.SystemParametersInfo(platform::SPI_GETSCREENSAVETIMEOUT, 0, &seconds, 0);
            return seconds / 60;
        }
        case 8:
            return system.SystemDefaultLangId();
        case 9:
            return system.TimeZone().Bias;
        case 10:
            return desktop.GetSystemMetrics(platform::SM_CXSCREEN);
        case 11:
            return desktop.GetSystemMetrics(platform::SM_CYSCREEN);
        case 12:
            return desktop.GetDeviceCaps(platform::LOGPIXELSY);
        default:
            return 0;
    }
}

}  // namespace

TZkSysInfo::TZkSysInfo(TComponent* owner) : TZkComponent(owner) {
    // NOTE: the flags are decided here rather than at program start: the component is the only
    // user, and its first instance is made while the menu's window is being built, before it shows.
    if (platform::Platform* p = PlatformOrNull()) FlagsOf(*p);
}

platform::Platform* TZkSysInfo::PlatformOrNull() const {
    TApplication* app = Application();
    return app ? &app->Platform() : nullptr;
}

TZkSysInfo::PlatformFlags TZkSysInfo::FlagsOf(platform::Platform& platform) {
    SharedFlags& shared = TheFlags();
    std::lock_guard lock(shared.Mutex);
    if (!shared.Value) {
        PlatformFlags flags;
        const std::uint32_t id = platform.GetSystem().Version().PlatformId;
        if (id == kWindows95Family) {
            flags.Plus = platform.GetDesktop().SystemParametersInfo(platform::SPI_GETWINDOWSEXTENSION, 1, nullptr, 0);
        } else {
            flags.Nt = id == kWindowsNt;
        }
        shared.Value = flags;
    }
    return *shared.Value;
}

void TZkSysInfo::ForgetPlatformFlags() {
    SharedFlags& shared = TheFlags();
    std::lock_guard lock(shared.Mutex);
    shared.Value.reset();
}

std::string TZkSysInfo::GetStringProp(int index) const {
    if (index < 0 || index >= 16) return "";
    platform::Platform* p = PlatformOrNull();
    if (!p) return kUnknownOnFailure[index] ? kSUnknown : "";
    return ReadString(*p, FlagsOf(*p), index);
}

std::int32_t TZkSysInfo::GetIntegerProp(int index) const {
    platform::Platform* p = PlatformOrNull();
    return p ? ReadInteger(*p, index) : 0;
}

std::vector<std::string> TZkSysInfo::AllFonts() const {
    platform::Platform* p = PlatformOrNull();
    return p ? SortedWithoutCase(p->GetDesktop().ScreenFontNames()) : std::vector<std::string>{};
}

std::vector<std::string> TZkSysInfo::AllPrinters() const {
    platform::Platform* p = PlatformOrNull();
    return p ? SortedWithoutCase(p->GetSystem().PrinterNames()) : std::vector<std::string>{};
}

const std::vector<std::string>& TZkSysInfo::Environment() {
    environment_.clear();
    if (platform::Platform* p = PlatformOrNull()) {
        for (std::string& entry : p->GetSystem().EnvironmentStrings()) {
            if (entry.empty()) break;  // an empty string ends the block
            environment_.push_back(std::move(entry));
        }
    }
    return environment_;
}

std::uint8_t TZkSysInfo::ProcessorNumber() const {
    platform::Platform* p = PlatformOrNull();
    return p ? SaturatedByte(p->GetSystem().ProcessorCount()) : 0;
}

std::uint8_t TZkSysInfo::ColorDepth() const {
    platform::Platform* p = PlatformOrNull();
    if (!p) return 0;
    platform::Desktop& desktop = p->GetDesktop();
    return SaturatedByte(std::int64_t{desktop.GetDeviceCaps(platform::PLANES)} *
                         desktop.GetDeviceCaps(platform::BITSPIXEL));
}

}  // namespace zindra
