#include "platform/FileTime.h"

namespace pixfold {

uint64_t TicksFromUnix(int64_t seconds, long nanoseconds) {
    int64_t s = seconds + kEpochDelta1601;
    if (s < 0) {
        return 0;
    }
    return static_cast<uint64_t>(s) * kTicksPerSecond + static_cast<uint64_t>(nanoseconds / 100);
}

uint64_t UtcTicksToLocal(uint64_t utcTicks) {
    int64_t unixSeconds = static_cast<int64_t>(utcTicks / kTicksPerSecond) - kEpochDelta1601;
    time_t t = static_cast<time_t>(unixSeconds);
    struct tm local {};
    if (!localtime_r(&t, &local)) {
        return utcTicks;
    }
    int64_t offsetTicks =
        static_cast<int64_t>(local.tm_gmtoff) * static_cast<int64_t>(kTicksPerSecond);
    if (offsetTicks < 0 && static_cast<uint64_t>(-offsetTicks) > utcTicks) {
        return 0;
    }
    return static_cast<uint64_t>(static_cast<int64_t>(utcTicks) + offsetTicks);
}

CalendarTime TicksToCalendar(uint64_t ticks) {
    int64_t unixSeconds = static_cast<int64_t>(ticks / kTicksPerSecond) - kEpochDelta1601;
    time_t t = static_cast<time_t>(unixSeconds);
    struct tm tmv {};
    CalendarTime ct;
    if (!gmtime_r(&t, &tmv)) {
        return ct;
    }
    ct.year = static_cast<uint16_t>(tmv.tm_year + 1900);
    ct.month = static_cast<uint16_t>(tmv.tm_mon + 1);
    ct.day = static_cast<uint16_t>(tmv.tm_mday);
    ct.hour = static_cast<uint16_t>(tmv.tm_hour);
    ct.minute = static_cast<uint16_t>(tmv.tm_min);
    ct.second = static_cast<uint16_t>(tmv.tm_sec);
    return ct;
}

uint64_t CalendarToTicks(const CalendarTime& time) {
    if (time.year < 1601 || time.month < 1 || time.month > 12 || time.day < 1 || time.day > 31 ||
        time.hour > 23 || time.minute > 59 || time.second > 60) {
        return 0;
    }
    // Days since 1601-01-01 in the proleptic Gregorian calendar, counting
    // years from March so that the leap day ends a year.
    const int64_t y = time.year - (time.month <= 2 ? 1 : 0);
    const int64_t era = y / 400;
    const int64_t yearOfEra = y - era * 400;
    const int64_t m = time.month;
    const int64_t dayOfYear = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + time.day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const int64_t daysFrom0000 = era * 146097 + dayOfEra;  // 0000-03-01 is day 0
    const int64_t daysFrom1601 = daysFrom0000 - 584694;    // 1601-01-01
    const int64_t seconds =
        daysFrom1601 * 86400 + int64_t{time.hour} * 3600 + int64_t{time.minute} * 60 + time.second;
    return static_cast<uint64_t>(seconds) * kTicksPerSecond;
}

}  // namespace pixfold
