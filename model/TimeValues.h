#pragma once

#include <cstdint>

// A date and time with the validity status the consoles store with it.
struct DateTimeValue
{
    enum class Status { Valid, Invalid, Null };

    std::int32_t year = 1990;
    std::int32_t month = 1;
    std::int32_t day = 1;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;
    Status status = Status::Valid;

    // That time of day on 1 January 1990; invalid when it is no time of day.
    static DateTimeValue TimeOn1990(std::int32_t hour, std::int32_t minute, std::int32_t second);
    friend bool operator==(const DateTimeValue &, const DateTimeValue &) = default;
};

// A span of time in days with a validity status; the test-move times hold
// h hours and 30 minutes.
struct TimeSpanValue
{
    double days = 0;
    bool valid = true;

    static TimeSpanValue HoursAndHalf(std::int32_t hours);
    // Whole hours and remaining minutes, as the span shows them.
    std::int64_t TotalHours() const;
    std::int32_t MinutesPart() const;
};
