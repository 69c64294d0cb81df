// Encoding and decoding of the kit's date-time value, in the proleptic Gregorian calendar.
#include "services/ZkDateTime.h"

#include <string>

#include "framework/Exception.h"
#include "framework/layout/Properties.h"

namespace zindra {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1 March of year 0 style civil arithmetic; returns days since 1970-01-01.
std::int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

const std::int64_t kDayZero = DaysFromCivil(1899, 12, 30);

// Floor division, as the value may lie before day zero.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

}  // namespace

const ClassInfo& TZkObject::StaticClass() {
    static const ClassInfo info{"TZkObject", &TPersistent::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TZkObject::ClassType() const {
    return StaticClass();
}

const ClassInfo& TZkDateTime::StaticClass() {
    using C = TZkDateTime;
    static const ClassInfo info{"TZkDateTime",
                                &TZkObject::StaticClass(),
                                {},
                                {props::Int<C>("Day", &C::SetDay), props::Int<C>("Month", &C::SetMonth),
                                 props::Int<C>("Year", &C::SetYear), props::Int<C>("Hour", &C::SetHour),
                                 props::Int<C>("Minute", &C::SetMinute), props::Int<C>("Second", &C::SetSecond)}};
    return info;
}
const ClassInfo& TZkDateTime::ClassType() const {
    return StaticClass();
}

TZkDateTime::TZkDateTime(int year, int month, int day, int hour, int minute, int second)
    : seconds_(Encode({year, month, day, hour, minute, second})) {}

std::int64_t TZkDateTime::Encode(const Parts& p) {
    if (p.Year < 1 || p.Year > 9999 || p.Month < 1 || p.Month > 12 || p.Day < 1 ||
        p.Day > DaysInMonth(p.Year, p.Month)) {
        throw EConvertError("Invalid argument to date encode (year " + std::to_string(p.Year) + ", month " +
                            std::to_string(p.Month) + ", day " + std::to_string(p.Day) + ")");
    }
    if (p.Hour < 0 || p.Hour > 23 || p.Minute < 0 || p.Minute > 59 || p.Second < 0 || p.Second > 59) {
        throw EConvertError("Invalid argument to time encode (hour " + std::to_string(p.Hour) + ", minute " +
                            std::to_string(p.Minute) + ", second " + std::to_string(p.Second) + ")");
    }
    const std::int64_t days = DaysFromCivil(p.Year, p.Month, p.Day) - kDayZero;
    return days * kSecondsPerDay + p.Hour * 3600 + p.Minute * 60 + p.Second;
}

TZkDateTime::Parts TZkDateTime::Decode() const {
    Parts p{};
    const std::int64_t days = FloorDiv(seconds_, kSecondsPerDay);
    const std::int64_t inDay = seconds_ - days * kSecondsPerDay;
    CivilFromDays(days + kDayZero, p.Year, p.Month, p.Day);
    p.Hour = static_cast<int>(inDay / 3600);
    p.Minute = static_cast<int>(inDay / 60 % 60);
    p.Second = static_cast<int>(inDay % 60);
    return p;
}

int TZkDateTime::Day() const {
    return Decode().Day;
}
int TZkDateTime::Month() const {
    return Decode().Month;
}
int TZkDateTime::Year() const {
    return Decode().Year;
}
int TZkDateTime::Hour() const {
    return Decode().Hour;
}
int TZkDateTime::Minute() const {
    return Decode().Minute;
}
int TZkDateTime::Second() const {
    return Decode().Second;
}

void TZkDateTime::SetPart(int Parts::*part, int value) {
    Parts p = Decode();
    if (p.*part == value) return;
    p.*part = value;
    seconds_ = Encode(p);
}

void TZkDateTime::SetDay(int day) {
    SetPart(&Parts::Day, day);
}
void TZkDateTime::SetMonth(int month) {
    SetPart(&Parts::Month, month);
}
void TZkDateTime::SetYear(int year) {
    SetPart(&Parts::Year, year);
}
void TZkDateTime::SetHour(int hour) {
    SetPart(&Parts::Hour, hour);
}
void TZkDateTime::SetMinute(int minute) {
    SetPart(&Parts::Minute, minute);
}
void TZkDateTime::SetSecond(int second) {
    SetPart(&Parts::Second, second);
}

void TZkDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
    seconds_ = Encode({year, month, day, hour, minute, second});
}

}  // namespace zindra
