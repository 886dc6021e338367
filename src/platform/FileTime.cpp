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

}  // namespace pixfold
