// The date-time value: defaults, re-encoding, calendar edges and impossible combinations.
#include "services/ZkDateTime.h"

#include <gtest/gtest.h>

#include "framework/Exception.h"

namespace zindra {
namespace {

std::string Text(const TZkDateTime& t) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", t.Year(), t.Month(), t.Day(), t.Hour(),
                  t.Minute(), t.Second());
    return buffer;
}

TEST(TZkDateTime, DefaultsToTheFirstOfJanuary1990AtMidnight) {
    const TZkDateTime t;
    EXPECT_EQ(Text(t), "1990-01-01 00:00:00");
    // 1990-01-01 is day 32874 of the runtime's calendar.
    EXPECT_EQ(t.SecondsSinceDayZero(), 32874LL * 86400);
}

TEST(TZkDateTime, EachPartReencodesTheWholeValue) {
    TZkDateTime t;
    t.SetYear(2026);
    t.SetMonth(3);
    t.SetDay(2);
    t.SetHour(23);
    t.SetMinute(59);
    t.SetSecond(59);
    EXPECT_EQ(Text(t), "2026-03-02 23:59:59");
    t.SetSecond(0);
    EXPECT_EQ(Text(t), "2026-03-02 23:59:00");
    t.SetDay(31);
    EXPECT_EQ(Text(t), "2026-03-31 23:59:00");
}

TEST(TZkDateTime, ImpossibleCombinationsFailAndKeepTheValue) {
    TZkDateTime t(1990, 1, 31);
    try {
        t.SetMonth(2);
        FAIL() << "31 February was accepted";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Invalid argument to date encode (year 1990, month 2, day 31)");
    }
    EXPECT_EQ(Text(t), "1990-01-31 00:00:00");
    try {
        t.SetHour(24);
        FAIL() << "hour 24 was accepted";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Invalid argument to time encode (hour 24, minute 0, second 0)");
    }
    EXPECT_THROW(t.SetMinute(60), EConvertError);
    EXPECT_THROW(t.SetSecond(-1), EConvertError);
    EXPECT_THROW(t.SetDay(0), EConvertError);
    EXPECT_THROW(t.SetMonth(13), EConvertError);
    EXPECT_THROW(t.SetYear(0), EConvertError);
    EXPECT_THROW(t.SetYear(10000), EConvertError);
    EXPECT_EQ(Text(t), "1990-01-31 00:00:00");
    // A move no single part can make.
    t.SetDateTime(1990, 2, 28, 12, 0, 0);
    EXPECT_EQ(Text(t), "1990-02-28 12:00:00");
}

TEST(TZkDateTime, LeapYearsFollowTheGregorianRules) {
    TZkDateTime t(2000, 2, 29);
    EXPECT_EQ(Text(t), "2000-02-29 00:00:00");
    EXPECT_THROW(t.SetYear(1900), EConvertError);  // a century not divisible by 400
    EXPECT_THROW(t.SetYear(2026), EConvertError);
    t.SetYear(2024);
    EXPECT_EQ(Text(t), "2024-02-29 00:00:00");
}

TEST(TZkDateTime, DecodesAcrossDayZeroAndTheWholeRange) {
    const TZkDateTime dayZero(1899, 12, 30);
    EXPECT_EQ(dayZero.SecondsSinceDayZero(), 0);
    const TZkDateTime before(1899, 12, 29, 23, 59, 59);
    EXPECT_EQ(before.SecondsSinceDayZero(), -1);
    EXPECT_EQ(Text(before), "1899-12-29 23:59:59");
    EXPECT_EQ(Text(TZkDateTime(1, 1, 1)), "0001-01-01 00:00:00");
    EXPECT_EQ(Text(TZkDateTime(9999, 12, 31, 23, 59, 59)), "9999-12-31 23:59:59");
}

TEST(TZkDateTime, AssignCopiesTheValueOnly) {
    TZkDateTime a(2026, 3, 2, 8, 0, 3);
    TZkDateTime b;
    b.Assign(a);
    EXPECT_EQ(a, b);
    a.SetSecond(4);
    EXPECT_EQ(b.Second(), 3);
}

}  // namespace
}  // namespace zindra
