// Facts about the machine and the user, answered the way a Windows 10 machine would.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/System.h"

namespace zindra::platform::posix {

// Stateless and thread-safe.
class PosixMachine {
public:
    static constexpr std::uint32_t kProcessorAmd64 = 8664;  // PROCESSOR_AMD_X8664
    static constexpr std::uint32_t kProcessorIntel586 = 586;

    std::optional<std::string> UserName() const;      // the effective user's login name
    std::optional<std::string> ComputerName() const;  // host name up to the first '.', upper case, <= 15 bytes
    VersionInfo Version() const;                      // Windows 10 (10.0 build 19045), NT platform
    MemoryStatus GlobalMemoryStatus() const;          // bytes; MemoryLoad in percent
    std::uint32_t ProcessorCount() const;             // online logical processors, at least 1
    std::uint32_t ProcessorType() const;              // 8664 on x86_64, 586 on x86, else 0
    // The standard-time bias in minutes (UTC = local + bias) and the standard zone's name.
    TimeZoneInfo TimeZone() const;

    // The largest address space a 64-bit Windows program gets (128 TiB less 128 KiB).
    static constexpr std::uint64_t kTotalVirtual = 0x7FFFFFFE0000ull;
};

}  // namespace zindra::platform::posix
