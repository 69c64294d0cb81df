// Machine facts, the en-US locale table and global atoms.
#include "platform/posix/PosixMachine.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>

#include "platform/posix/PosixAtoms.h"
#include "platform/posix/PosixLocale.h"

namespace zindra::platform::posix {
namespace {

TEST(PosixMachine, NamesTheUserAndTheComputerAsWindowsWould) {
    const passwd* entry = getpwuid(geteuid());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(PosixMachine().UserName(), std::string(entry->pw_name));

    char host[256] = {};
    ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
    std::string expected(host);
    expected = expected.substr(0, std::min<std::size_t>(expected.find('.'), 15));
    for (char& c : expected) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    EXPECT_EQ(PosixMachine().ComputerName(), expected);
}

TEST(PosixMachine, ReportsWindows10AndSaneMemory) {
    const PosixMachine machine;
    const VersionInfo version = machine.Version();
    EXPECT_EQ(version.Major, 10u);
    EXPECT_EQ(version.Minor, 0u);
    EXPECT_EQ(version.Build, 19045u);
    EXPECT_EQ(version.PlatformId, 2u);

    const MemoryStatus memory = machine.GlobalMemoryStatus();
    EXPECT_GT(memory.TotalPhys, 0u);
    EXPECT_LE(memory.AvailPhys, memory.TotalPhys);
    EXPECT_LE(memory.MemoryLoad, 100u);
    EXPECT_GE(memory.TotalPageFile, memory.TotalPhys);
    EXPECT_GE(memory.AvailPageFile, memory.AvailPhys);
    EXPECT_EQ(memory.TotalVirtual, PosixMachine::kTotalVirtual);
    EXPECT_LT(memory.AvailVirtual, memory.TotalVirtual);  // we use some of it ourselves

    EXPECT_EQ(machine.ProcessorCount(), static_cast<std::uint32_t>(sysconf(_SC_NPROCESSORS_ONLN)));
#if defined(__x86_64__)
    EXPECT_EQ(machine.ProcessorType(), 8664u);
#endif
}

// Runs with TZ set to zone, restoring the old setting afterwards.
TimeZoneInfo ZoneUnder(const char* zone) {
    const char* saved = std::getenv("TZ");
    const std::string savedValue = saved != nullptr ? saved : "";
    setenv("TZ", zone, 1);
    tzset();
    const TimeZoneInfo info = PosixMachine().TimeZone();
    saved != nullptr ? setenv("TZ", savedValue.c_str(), 1) : unsetenv("TZ");
    tzset();
    return info;
}

TEST(PosixMachine, GivesTheStandardTimeBiasAndName) {
    EXPECT_EQ(ZoneUnder("UTC0").Bias, 0);
    EXPECT_EQ(ZoneUnder("UTC0").StandardName, "UTC");
    EXPECT_EQ(ZoneUnder("SAST-2").Bias, -120);
    EXPECT_EQ(ZoneUnder("SAST-2").StandardName, "SAST");
    // Summer time all year round: the bias must still be the standard one.
    const TimeZoneInfo summer = ZoneUnder("EST5EDT,J1/0,J365/25");
    EXPECT_EQ(summer.Bias, 300);
    EXPECT_EQ(summer.StandardName, "EST");
}

TEST(PosixLocale, AnswersEveryItemOfTheTableForEnglishUs) {
    const PosixLocale locale;
    for (std::uint32_t item :
         {0x0Cu, 0x0Du, 0x0Eu, 0x0Fu, 0x10u, 0x11u, 0x12u, 0x14u, 0x16u, 0x17u,   0x18u,   0x19u,   0x1Bu,   0x1Cu,
          0x1Du, 0x1Eu, 0x1Fu, 0x20u, 0x23u, 0x28u, 0x29u, 0x50u, 0x51u, 0x1003u, 0x1009u, 0x100Cu, 0x100Du, 0x1010u}) {
        EXPECT_TRUE(locale.Get(0x0409, item).has_value()) << std::hex << item;
    }
    EXPECT_EQ(locale.Get(0x0409, 0x0E), ".");
    EXPECT_EQ(locale.Get(0x0409, 0x0F), ",");
    EXPECT_EQ(locale.Get(PosixLocale::kUserDefault, 0x1F), "M/d/yyyy");
    EXPECT_EQ(locale.Get(PosixLocale::kSystemDefault, 0x1003), "h:mm:ss tt");
    EXPECT_EQ(locale.Get(0x0409, 0x100C), "6");
    EXPECT_EQ(locale.Get(0x0409, 0x50), "");  // known and empty, not missing
    EXPECT_FALSE(locale.Get(0x0409, 0x02));
    EXPECT_FALSE(locale.Get(0x0436, 0x0E));
}

TEST(PosixLocale, KeepsBoundedOverridesForThisProcess) {
    PosixLocale locale;
    EXPECT_TRUE(locale.Set(0x0409, 0x0E, ","));
    EXPECT_EQ(locale.Get(0x0409, 0x0E), ",");
    EXPECT_EQ(locale.Get(PosixLocale::kUserDefault, 0x0E), ",");
    EXPECT_EQ(locale.Get(0x0409, 0x0E | PosixLocale::kNoUserOverride), ".");
    EXPECT_TRUE(locale.Set(0x0409, 0x20, std::string(PosixLocale::kMaxValueLength, 'd')));
    EXPECT_FALSE(locale.Set(0x0409, 0x20, std::string(PosixLocale::kMaxValueLength + 1, 'd')));
    EXPECT_EQ(locale.Get(0x0409, 0x20)->size(), PosixLocale::kMaxValueLength);
    EXPECT_FALSE(locale.Set(0x0409, 0x02, "x"));
    EXPECT_FALSE(locale.Set(0x0436, 0x0E, ","));
    EXPECT_EQ(PosixLocale().Get(0x0409, 0x0E), ".");  // another table has no override
}

TEST(PosixLocale, NamesLanguages) {
    EXPECT_EQ(PosixLocale::LanguageName(0x0409), "English (United States)");
    EXPECT_EQ(PosixLocale::LanguageName(0x0436), "Afrikaans (South Africa)");
    EXPECT_EQ(PosixLocale::LanguageName(0x7777), "Language Neutral");
}

TEST(PosixAtoms, CountsReferencesAndReusesFreedIds) {
    PosixAtoms atoms;
    const std::uint16_t hotKey = atoms.Add("ZindraHotKey");
    EXPECT_EQ(hotKey, 0xC000);
    EXPECT_EQ(atoms.Add("zindrahotkey"), hotKey);  // names compare without case
    atoms.Delete(hotKey);
    EXPECT_EQ(atoms.Add("Other"), 0xC001);  // hotKey still has one reference
    atoms.Delete(hotKey);
    EXPECT_EQ(atoms.Add("Third"), 0xC000);  // now free again
    EXPECT_EQ(atoms.Add("ZindraHotKey"), 0xC002);
}

TEST(PosixAtoms, TakesIntegerAtomsAndRefusesBadNames) {
    PosixAtoms atoms;
    EXPECT_EQ(atoms.Add("#123"), 123);
    EXPECT_EQ(atoms.Add("#49151"), 0xBFFF);
    EXPECT_EQ(atoms.Add("#49152"), 0);
    EXPECT_EQ(atoms.Add("#0"), 0);
    EXPECT_EQ(atoms.Add("#99999999999999999999"), 0);
    EXPECT_EQ(atoms.Add("#12a"), 0xC000);  // not a number: a string atom
    EXPECT_EQ(atoms.Add(""), 0);
    EXPECT_EQ(atoms.Add(std::string(PosixAtoms::kMaxNameLength + 1, 'n')), 0);
    EXPECT_NE(atoms.Add(std::string(PosixAtoms::kMaxNameLength, 'n')), 0);
    atoms.Delete(123);  // integer atoms have no entry to drop
    atoms.Delete(0xFFFF);
}

}  // namespace
}  // namespace zindra::platform::posix
