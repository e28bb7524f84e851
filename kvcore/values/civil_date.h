// Calendar arithmetic on seconds since 1899-12-30 00:00:00 (the platform's
// date-time epoch), proleptic Gregorian, years 100 to 9999.
#pragma once

#include <cstdint>

namespace kvdate {

struct Parts {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    int dayOfWeek = 0; // 0 = Sunday
};

bool ToSerialSeconds(int year, int month, int day, int hour, int minute, int second, int64_t& out);
Parts Split(int64_t serialSeconds);

} // namespace kvdate
