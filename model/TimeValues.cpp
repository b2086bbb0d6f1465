#include "model/TimeValues.h"

#include <cmath>

DateTimeValue DateTimeValue::TimeOn1990(std::int32_t hour, std::int32_t minute, std::int32_t second)
{
    DateTimeValue value;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        value.status = Status::Invalid;
        return value;
    }
    value.hour = hour;
    value.minute = minute;
    value.second = second;
    return value;
}

TimeSpanValue TimeSpanValue::HoursAndHalf(std::int32_t hours)
{
    // The largest span the consoles' date type can hold.
    constexpr double kMaxDays = 3615897.0;
    TimeSpanValue span;
    span.days = hours / 24.0 + 30.0 / 1440.0;
    span.valid = std::fabs(span.days) <= kMaxDays;
    return span;
}

std::int64_t TimeSpanValue::TotalHours() const
{
    return static_cast<std::int64_t>(std::llround(days * 1440.0) / 60);
}

std::int32_t TimeSpanValue::MinutesPart() const
{
    return static_cast<std::int32_t>(std::llround(days * 1440.0) % 60);
}
