// The en-US locale items, as Windows 10 gives them, and the language names the kit shows.
#include "platform/posix/PosixLocale.h"

#include <string_view>

namespace zindra::platform::posix {
namespace {

struct LocaleItem {
    std::uint32_t Item;
    std::string_view Value;
};

// LOCALE_* constants and their en-US values.
constexpr LocaleItem kEnglishUsItems[] = {
    {0x000C, ","},                   // SLIST
    {0x000D, "1"},                   // IMEASURE: U.S.
    {0x000E, "."},                   // SDECIMAL
    {0x000F, ","},                   // STHOUSAND
    {0x0010, "3;0"},                 // SGROUPING
    {0x0011, "2"},                   // IDIGITS
    {0x0012, "1"},                   // ILZERO
    {0x0014, "$"},                   // SCURRENCY
    {0x0016, "."},                   // SMONDECIMALSEP
    {0x0017, ","},                   // SMONTHOUSANDSEP
    {0x0018, "3;0"},                 // SMONGROUPING
    {0x0019, "2"},                   // ICURRDIGITS
    {0x001B, "0"},                   // ICURRENCY: $1.1
    {0x001C, "0"},                   // INEGCURR: ($1.1)
    {0x001D, "/"},                   // SDATE
    {0x001E, ":"},                   // STIME
    {0x001F, "M/d/yyyy"},            // SSHORTDATE
    {0x0020, "dddd, MMMM d, yyyy"},  // SLONGDATE
    {0x0023, "0"},                   // ITIME: 12-hour clock
    {0x0028, "AM"},                  // S1159
    {0x0029, "PM"},                  // S2359
    {0x0050, ""},                    // SPOSITIVESIGN
    {0x0051, "-"},                   // SNEGATIVESIGN
    {0x1003, "h:mm:ss tt"},          // STIMEFORMAT
    {0x1009, "1"},                   // ICALENDARTYPE: Gregorian
    {0x100C, "6"},                   // IFIRSTDAYOFWEEK: Sunday
    {0x100D, "0"},                   // IFIRSTWEEKOFYEAR: the week with 1 January
    {0x1010, "1"},                   // INEGNUMBER: -1.1
};

struct Language {
    std::uint32_t Id;
    std::string_view Name;
};

constexpr Language kLanguages[] = {
    {0x0409, "English (United States)"},
    {0x0809, "English (United Kingdom)"},
    {0x1C09, "English (South Africa)"},
    {0x0436, "Afrikaans (South Africa)"},
};

bool IsOurLocale(std::uint32_t locale) {
    return locale == PosixLocale::kEnglishUs || locale == PosixLocale::kUserDefault ||
           locale == PosixLocale::kSystemDefault;
}

const LocaleItem* Find(std::uint32_t item) {
    for (const LocaleItem& entry : kEnglishUsItems) {
        if (entry.Item == item) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<std::string> PosixLocale::Get(std::uint32_t locale, std::uint32_t item) const {
    const bool noOverride = (item & kNoUserOverride) != 0;
    item &= ~kNoUserOverride;
    const LocaleItem* entry = Find(item);
    if (!IsOurLocale(locale) || entry == nullptr) {
        return std::nullopt;
    }
    if (!noOverride) {
        std::lock_guard lock(mutex_);
        if (const auto it = overrides_.find(item); it != overrides_.end()) {
            return it->second;
        }
    }
    return std::string(entry->Value);
}

bool PosixLocale::Set(std::uint32_t locale, std::uint32_t item, const std::string& value) {
    if (!IsOurLocale(locale) || Find(item) == nullptr || value.size() > kMaxValueLength) {
        return false;
    }
    std::lock_guard lock(mutex_);
    overrides_[item] = value;
    return true;
}

std::string PosixLocale::LanguageName(std::uint32_t langId) {
    for (const Language& language : kLanguages) {
        if (language.Id == langId) {
            return std::string(language.Name);
        }
    }
    return "Language Neutral";
}

}  // namespace zindra::platform::posix
