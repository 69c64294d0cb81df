// A date-time value with published parts; writing a part re-encodes the whole value.
#pragma once

#include <cstdint>

#include "framework/Component.h"

namespace zindra {

// The kit's persistent value objects.
class TZkObject : public TPersistent {
public:
    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();
};

// Whole seconds from 1 January 1 to 31 December 9999; defaults 1 January 1990, 00:00:00.
class TZkDateTime : public TZkObject {
public:
    TZkDateTime() = default;
    TZkDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

    int Day() const;
    int Month() const;
    int Year() const;
    int Hour() const;
    int Minute() const;
    int Second() const;
    // Each re-encodes the value from the new part and the other current parts; an impossible
    // combination throws EConvertError and leaves the value as it was.
    void SetDay(int day);
    void SetMonth(int month);
    void SetYear(int year);
    void SetHour(int hour);
    void SetMinute(int minute);
    void SetSecond(int second);
    // All parts at once, for moves that no single part could make (31 January to 28 February).
    void SetDateTime(int year, int month, int day, int hour, int minute, int second);
    void Assign(const TZkDateTime& other) { seconds_ = other.seconds_; }

    // Seconds since 30 December 1899, the runtime's day zero (negative before it).
    std::int64_t SecondsSinceDayZero() const { return seconds_; }
    friend bool operator==(const TZkDateTime& a, const TZkDateTime& b) { return a.seconds_ == b.seconds_; }

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    struct Parts {
        int Year, Month, Day, Hour, Minute, Second;
    };
    Parts Decode() const;
    static std::int64_t Encode(const Parts& parts);
    void SetPart(int Parts::*part, int value);

    std::int64_t seconds_ = Encode({1990, 1, 1, 0, 0, 0});
};

}  // namespace zindra
