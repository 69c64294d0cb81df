// MZ and PE header reading (PE format: the MS-DOS stub, COFF file header, optional header, section table).
#include "menu/check/WindowsExecutable.h"

#include <cstdio>

namespace zindra::suitecheck {

namespace {

constexpr std::size_t kPeOffsetField = 0x3C;
constexpr std::size_t kCoffSize = 24;  // "PE\0\0" and the COFF file header
constexpr std::size_t kSubsystemOffset = 68;
constexpr std::size_t kSectionSize = 40;
constexpr std::uint16_t kExecutableImage = 0x0002;
constexpr std::uint16_t kDll = 0x2000;

std::uint32_t Little(std::span<const std::uint8_t> data, std::size_t at, std::size_t bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = bytes; i-- > 0;)
        value = value << 8 | data[at + i];
    return value;
}

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

std::string MachineName(std::uint32_t machine) {
    switch (machine) {
        case 0x014C:
            return "x86";
        case 0x8664:
            return "x86-64";
        case 0xAA64:
            return "ARM64";
        case 0x01C4:
            return "ARM";
        default:
            return "machine " + Hex(machine);
    }
}

std::string SubsystemName(std::uint32_t subsystem) {
    if (subsystem == 2) return "windowed";
    if (subsystem == 3) return "console";
    return "subsystem " + std::to_string(subsystem);
}

ExecutableVerdict Fault(std::string detail) {
    return {false, std::move(detail)};
}

// Every section's stored bytes must lie inside the file.
bool SectionsInside(std::span<const std::uint8_t> data, std::size_t table, std::uint32_t count) {
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = table + i * kSectionSize;
        const std::uint64_t size = Little(data, at + 16, 4);
        const std::uint64_t start = Little(data, at + 20, 4);
        if (size != 0 && start + size > data.size()) return false;
    }
    return true;
}

}  // namespace

ExecutableVerdict CheckWindowsExecutable(std::span<const std::uint8_t> data) {
    if (data.size() < 2 || data[0] != 'M' || data[1] != 'Z') return Fault("not a Windows program: no MZ header");
    if (data.size() < kPeOffsetField + 4) return Fault("not a Windows program: the MZ header is cut short");
    const std::uint64_t pe = Little(data, kPeOffsetField, 4);
    if (pe + kCoffSize > data.size())
        return Fault("not a Windows program: its PE header lies past the end of the file");
    if (Little(data, static_cast<std::size_t>(pe), 4) != 0x00004550) {
        return Fault("not a Windows program: no PE header where the MZ header points (an MS-DOS program?)");
    }
    const auto coff = static_cast<std::size_t>(pe);
    const std::uint32_t machine = Little(data, coff + 4, 2);
    const std::uint32_t sections = Little(data, coff + 6, 2);
    const std::uint32_t optionalSize = Little(data, coff + 20, 2);
    const auto characteristics = static_cast<std::uint16_t>(Little(data, coff + 22, 2));
    if (characteristics & kDll) return Fault("a library (DLL), not a program");
    if (!(characteristics & kExecutableImage)) return Fault("not marked as an executable image");
    const std::size_t optional = coff + kCoffSize;
    if (optionalSize < kSubsystemOffset + 2 || optional + optionalSize > data.size()) {
        return Fault("the PE optional header is cut short");
    }
    const std::uint32_t magic = Little(data, optional, 2);
    if (magic != 0x10B && magic != 0x20B) return Fault("unknown PE optional header " + Hex(magic));
    const std::size_t table = optional + optionalSize;
    if (sections == 0 || table + static_cast<std::uint64_t>(sections) * kSectionSize > data.size()) {
        return Fault("the PE section table is missing or cut short");
    }
    if (!SectionsInside(data, table, sections)) return Fault("the program is cut short: a section ends past the file");
    return {true, MachineName(machine) + ", " + SubsystemName(Little(data, optional + kSubsystemOffset, 2))};
}

}  // namespace zindra::suitecheck
