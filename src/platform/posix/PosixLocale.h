// The en-US locale a Linux machine reports to the kit, with this process's own overrides.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace zindra::platform::posix {

// Thread-safe. One locale: en-US (0x0409), also reached as the user and system defaults.
class PosixLocale {
public:
    static constexpr std::uint32_t kEnglishUs = 0x0409;
    static constexpr std::uint32_t kUserDefault = 0x0400;    // LOCALE_USER_DEFAULT
    static constexpr std::uint32_t kSystemDefault = 0x0800;  // LOCALE_SYSTEM_DEFAULT
    static constexpr std::uint32_t kNoUserOverride = 0x80000000u;
    static constexpr std::size_t kMaxValueLength = 80;  // the longest any item may be (long date)

    // The item's text; nothing for another locale or an item not in the table. With
    // kNoUserOverride in item the table's value, else this process's override if any.
    std::optional<std::string> Get(std::uint32_t locale, std::uint32_t item) const;
    // Overrides a known item for this process; false for another locale, an unknown item or a
    // value longer than kMaxValueLength.
    bool Set(std::uint32_t locale, std::uint32_t item, const std::string& value);

    // The display name of a language id ("English (United States)"); "Language Neutral" when unknown.
    static std::string LanguageName(std::uint32_t langId);

private:
    mutable std::mutex mutex_;
    std::map<std::uint32_t, std::string> overrides_;
};

}  // namespace zindra::platform::posix
