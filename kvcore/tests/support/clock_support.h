// Manual time for tests: the wall-clock time whose local time is a given moment.
#pragma once

#include <ctime>

namespace kvtest {

inline std::time_t LocalMoment(int year, int month, int day, int hour, int minute, int second)
{
    std::tm local {};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

} // namespace kvtest
