#pragma once
// File times as counts of 100-ns ticks since 1601-01-01 (the form the
// catalogue stores and sorts), and their local calendar fields.

#include <cstdint>
#include <ctime>

namespace pixfold {

struct CalendarTime {
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
};

inline constexpr uint64_t kTicksPerSecond = 10'000'000;
inline constexpr int64_t kEpochDelta1601 = 11'644'473'600;  // seconds 1601 -> 1970

// UTC ticks of a Unix time with nanoseconds.
uint64_t TicksFromUnix(int64_t seconds, long nanoseconds);

// Converts UTC ticks to local ticks using the zone offset in force at that instant.
uint64_t UtcTicksToLocal(uint64_t utcTicks);

// Calendar fields of a tick count taken as it stands (no zone conversion).
CalendarTime TicksToCalendar(uint64_t ticks);

// The inverse: ticks of calendar fields taken as they stand; 0 for a date
// before 1601 or fields out of range.
uint64_t CalendarToTicks(const CalendarTime& time);

}  // namespace pixfold
