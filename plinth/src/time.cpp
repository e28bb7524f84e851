// Tick counts, wall-clock records, their texts and the floored sleep.
#include "plinth/time.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <ctime>

namespace {

constexpr unsigned int kMinimumSleepMs = 10;

uint64_t monotonicMs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
}

} // namespace

PLINTH_API unsigned int TimeTickCount(void)
{
    return static_cast<unsigned int>(monotonicMs());
}

PLINTH_API unsigned int TimeTicksPerSec(void)
{
    return 1000;
}

PLINTH_API unsigned int TimeTickDelta(unsigned int later, unsigned int earlier)
{
    return later - earlier;
}

PLINTH_API TimeRecord* TimeGetCurrent(TimeRecord* time)
{
    if (!time)
        return time;
    timespec ts {};
    clock_gettime(CLOCK_REALTIME, &ts);
    time->sec = static_cast<int>(ts.tv_sec);
    time->msec = static_cast<int>(ts.tv_nsec / 1000000);
    return time;
}

PLINTH_API unsigned int TimeGetDelta(const TimeRecord* a, const TimeRecord* b)
{
    if (!a || !b)
        return 0;
    int64_t delta = (static_cast<int64_t>(a->sec) - b->sec) * 1000 + (static_cast<int64_t>(a->msec) - b->msec);
    if (delta < 0)
        delta = -delta;
    return delta > UINT32_MAX ? UINT32_MAX : static_cast<unsigned int>(delta);
}

PLINTH_API char* TimeFormat(char* buffer, const TimeRecord* time)
{
    if (!buffer)
        return buffer;
    buffer[0] = '\0';
    if (!time)
        return buffer;
    const time_t seconds = time->sec;
    tm local {};
    char minutesSeconds[8] = "00:00";
    if (localtime_r(&seconds, &local))
        std::strftime(minutesSeconds, sizeof minutesSeconds, "%M:%S", &local);
    // A stray millisecond field must not widen the text past PLINTH_TIME_TEXT_SIZE,
    // the buffer size the header asks callers for.
    const unsigned int ms = (time->msec >= 0 && time->msec < 1000) ? static_cast<unsigned int>(time->msec) : 999u;
    std::snprintf(buffer, PLINTH_TIME_TEXT_SIZE, "%s.%03u", minutesSeconds, ms);
    return buffer;
}

PLINTH_API char* TimeFormatDelta(char* buffer, unsigned int milliseconds)
{
    if (!buffer)
        return buffer;
    const unsigned int ms = milliseconds % 1000;
    const unsigned int totalSeconds = milliseconds / 1000;
    std::snprintf(buffer, PLINTH_TIME_TEXT_SIZE, "%02u:%02u:%02u.%03u\n", totalSeconds / 3600,
                  (totalSeconds / 60) % 60, totalSeconds % 60, ms);
    return buffer;
}

PLINTH_API void SysSleep(unsigned int milliseconds)
{
    if (milliseconds < kMinimumSleepMs)
        milliseconds = kMinimumSleepMs;
    timespec left {static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    const int saved = errno;
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
    errno = saved;
}
