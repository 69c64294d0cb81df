// Machine facts from the Linux kernel and C library, in Windows terms.
#include "platform/posix/PosixMachine.h"

#include <pwd.h>
#include <sys/sysinfo.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string_view>
#include <vector>

namespace zindra::platform::posix {
namespace {

constexpr std::size_t kMaxComputerName = 15;  // MAX_COMPUTERNAME_LENGTH

// A "Name:  value kB" line of /proc/meminfo, in bytes.
std::optional<std::uint64_t> MemInfoBytes(const char* field) {
    FILE* file = std::fopen("/proc/meminfo", "re");
    if (file == nullptr) {
        return std::nullopt;
    }
    std::optional<std::uint64_t> bytes;
    char line[256];
    const std::string prefix = std::string(field) + ":";
    while (!bytes && std::fgets(line, sizeof line, file) != nullptr) {
        if (std::string_view(line).starts_with(prefix)) {
            bytes = std::strtoull(line + prefix.size(), nullptr, 10) * 1024ull;
        }
    }
    std::fclose(file);
    return bytes;
}

// Our own address space in use, in bytes (first field of /proc/self/statm, in pages).
std::uint64_t VirtualInUse() {
    FILE* file = std::fopen("/proc/self/statm", "re");
    unsigned long long pages = 0;
    if (file != nullptr) {
        if (std::fscanf(file, "%llu", &pages) != 1) {
            pages = 0;
        }
        std::fclose(file);
    }
    const long pageSize = sysconf(_SC_PAGESIZE);
    return pages * static_cast<std::uint64_t>(pageSize > 0 ? pageSize : 4096);
}

}  // namespace

std::optional<std::string> PosixMachine::UserName() const {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* result = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &result) == 0 && result != nullptr &&
        result->pw_name != nullptr && result->pw_name[0] != '\0') {
        return std::string(result->pw_name);
    }
    const char* user = std::getenv("USER");
    return user != nullptr && user[0] != '\0' ? std::optional<std::string>(user) : std::nullopt;
}

std::optional<std::string> PosixMachine::ComputerName() const {
    char buffer[256] = {};
    if (gethostname(buffer, sizeof buffer - 1) != 0) {
        return std::nullopt;
    }
    std::string name(buffer);
    name = name.substr(0, name.find('.'));
    if (name.size() > kMaxComputerName) {
        name.resize(kMaxComputerName);
    }
    for (char& c : name) {
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return name.empty() ? std::nullopt : std::optional<std::string>(name);
}

VersionInfo PosixMachine::Version() const {
    return VersionInfo{10, 0, 19045, 2};
}

MemoryStatus PosixMachine::GlobalMemoryStatus() const {
    MemoryStatus status;
    struct sysinfo info {};
    if (sysinfo(&info) != 0) {
        return status;
    }
    const std::uint64_t unit = info.mem_unit == 0 ? 1 : info.mem_unit;
    status.TotalPhys = info.totalram * unit;
    // MemAvailable counts reclaimable cache, as Windows's available memory does; free alone undercounts.
    status.AvailPhys = MemInfoBytes("MemAvailable").value_or((info.freeram + info.bufferram) * unit);
    status.AvailPhys = std::min(status.AvailPhys, status.TotalPhys);
    status.TotalPageFile = status.TotalPhys + info.totalswap * unit;
    status.AvailPageFile = status.AvailPhys + info.freeswap * unit;
    status.TotalVirtual = kTotalVirtual;
    status.AvailVirtual = kTotalVirtual - std::min(kTotalVirtual, VirtualInUse());
    if (status.TotalPhys > 0) {
        const std::uint64_t used = status.TotalPhys - status.AvailPhys;
        status.MemoryLoad = static_cast<std::uint32_t>((used * 100 + status.TotalPhys / 2) / status.TotalPhys);
    }
    return status;
}

std::uint32_t PosixMachine::ProcessorCount() const {
    const long count = sysconf(_SC_NPROCESSORS_ONLN);
    return count > 0 ? static_cast<std::uint32_t>(count) : 1;
}

std::uint32_t PosixMachine::ProcessorType() const {
#if defined(__x86_64__)
    return kProcessorAmd64;
#elif defined(__i386__)
    return kProcessorIntel586;
#else
    return 0;  // Windows reports no processor type for other machines
#endif
}

TimeZoneInfo PosixMachine::TimeZone() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);  // also loads the zone rules into tzname and timezone
    TimeZoneInfo zone;
    // NOTE: Windows's Bias leaves daylight saving out; during summer time tm_gmtoff includes it,
    // so then the C library's standard offset is the one to give.
    zone.Bias = local.tm_isdst > 0 ? static_cast<std::int32_t>(::timezone / 60)
                                   : static_cast<std::int32_t>(-local.tm_gmtoff / 60);
    zone.StandardName = tzname[0] != nullptr ? tzname[0] : "UTC";
    return zone;
}

}  // namespace zindra::platform::posix
