// Machine facts of a Windows program: user, computer, version, memory, processors, locale, time
// zone, the registry, global atoms and printers.
#include "platform/win32/Win32System.h"

#include <algorithm>
#include <cstring>

namespace zindra::platform::win32 {

namespace {

// A name from a call that fills a buffer and sets its length.
template <typename Call>
std::optional<std::string> NameFrom(Call call) {
    char buffer[257] = {};
    DWORD size = sizeof buffer;
    if (!call(buffer, &size)) return std::nullopt;
    return std::string(buffer);
}

std::string Narrow(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), size, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(size - 1));
    return out;
}

}  // namespace

std::optional<std::string> Win32System::UserName() {
    return NameFrom([](char* buffer, DWORD* size) { return GetUserNameA(buffer, size); });
}

std::optional<std::string> Win32System::ComputerName() {
    return NameFrom([](char* buffer, DWORD* size) { return GetComputerNameA(buffer, size); });
}

VersionInfo Win32System::Version() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) return {};
    return {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber, info.dwPlatformId};
}

MemoryStatus Win32System::GlobalMemoryStatus() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return {};
    return {status.dwMemoryLoad,     status.ullTotalPhys,    status.ullAvailPhys,   status.ullTotalPageFile,
            status.ullAvailPageFile, status.ullTotalVirtual, status.ullAvailVirtual};
}

std::uint32_t Win32System::ProcessorCount() {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    return info.dwNumberOfProcessors;
}

std::uint32_t Win32System::ProcessorType() {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    return info.dwProcessorType;
}

std::uint32_t Win32System::ThreadLocale() {
    return GetThreadLocale();
}

std::optional<std::string> Win32System::GetLocaleInfo(std::uint32_t locale, std::uint32_t item) {
    const int size = GetLocaleInfoA(locale, item, nullptr, 0);
    if (size <= 0) return std::nullopt;
    std::string value(static_cast<std::size_t>(size), '\0');
    const int got = GetLocaleInfoA(locale, item, value.data(), size);
    if (got <= 0) return std::nullopt;
    value.resize(static_cast<std::size_t>(got - 1));  // without the terminating zero
    return value;
}

bool Win32System::SetLocaleInfo(std::uint32_t locale, std::uint32_t item, const std::string& value) {
    return SetLocaleInfoA(locale, item, value.c_str()) != FALSE;
}

std::uint16_t Win32System::SystemDefaultLangId() {
    return GetSystemDefaultLangID();
}

// NOTE: the text up to its terminator: some systems count the terminator in the length they
// return, which would carry it into the name.
std::string Win32System::LanguageName(std::uint32_t langId) {
    char buffer[256] = {};
    const DWORD length = VerLanguageNameA(langId, buffer, sizeof buffer);
    if (length == 0) return {};
    return std::string(buffer, strnlen(buffer, sizeof buffer));
}

TimeZoneInfo Win32System::TimeZone() {
    TIME_ZONE_INFORMATION zone{};
    if (GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) return {};
    return {zone.Bias, Narrow(zone.StandardName)};
}

std::optional<std::string> Win32System::ReadMachineRegistryString(const std::string& key, const std::string& value) {
    const std::string subKey = !key.empty() && key.front() == '\\' ? key.substr(1) : key;
    HKEY opened = nullptr;
    // NOTE: full access, as the kit asks for it: a pupil's account without it gets nothing.
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    std::string text;
    if (RegQueryValueExA(opened, value.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0 && size < (1u << 20)) {
        text.resize(size);
        if (RegQueryValueExA(opened, value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) ==
            ERROR_SUCCESS) {
            text.resize(std::min<std::size_t>(size, text.size()));
            // A stored string need not end in a zero, and may hold several.
            text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
        } else {
            text.clear();
        }
    }
    RegCloseKey(opened);
    return text;
}

std::uint16_t Win32System::GlobalAddAtom(const std::string& name) {
    return GlobalAddAtomA(name.c_str());
}

void Win32System::GlobalDeleteAtom(std::uint16_t atom) {
    ::GlobalDeleteAtom(atom);
}

std::vector<std::string> Win32System::PrinterNames() {
    std::vector<std::string> names;
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersA(flags, nullptr, 4, nullptr, 0, &needed, &count);
    if (needed == 0) return names;
    std::vector<BYTE> buffer(needed);
    if (!EnumPrintersA(flags, nullptr, 4, buffer.data(), needed, &needed, &count)) return names;
    const auto* printers = reinterpret_cast<const PRINTER_INFO_4A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        if (printers[i].pPrinterName) names.emplace_back(printers[i].pPrinterName);
    }
    return names;
}

}  // namespace zindra::platform::win32
