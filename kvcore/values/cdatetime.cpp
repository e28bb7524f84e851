#include "kvcore/values/cdatetime.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <limits>

#include "fw/core/clock.h"
#include "kvcore/values/civil_date.h"

namespace {

constexpr int64_t kSecondsPerDay = 86400;

int64_t FloorDays(int64_t seconds)
{
    const int64_t q = seconds / kSecondsPerDay;
    return q - ((seconds % kSecondsPerDay != 0) && seconds < 0);
}

int64_t g_offsetSeconds = 0; // host time minus PC time

// n leading bytes of text, all decimal digits, read without passing a terminator.
bool ReadDigits(const char* text, size_t n, int* parts, const size_t* widths, size_t count)
{
    if (text == nullptr || strnlen(text, n) < n)
        return false;
    for (size_t i = 0; i < n; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    size_t pos = 0;
    for (size_t k = 0; k < count; ++k) {
        int v = 0;
        for (size_t i = 0; i < widths[k]; ++i)
            v = v * 10 + (text[pos + i] - '0');
        parts[k] = v;
        pos += widths[k];
    }
    return true;
}

} // namespace

CDateTime::CDateTime(int year, int month, int day, int hour, int minute, int second)
{
    SetDateTime(year, month, day, hour, minute, second);
}

int CDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second)
{
    int64_t seconds = 0;
    if (!kvdate::ToSerialSeconds(year, month, day, hour, minute, second, seconds)) {
        m_seconds = 0;
        m_status = invalid;
        return 1;
    }
    m_seconds = seconds;
    m_status = valid;
    return 0;
}

int CDateTime::GetYear() const
{
    return kvdate::Split(m_seconds).year;
}
int CDateTime::GetMonth() const
{
    return kvdate::Split(m_seconds).month;
}
int CDateTime::GetDay() const
{
    return kvdate::Split(m_seconds).day;
}
int CDateTime::GetHour() const
{
    return kvdate::Split(m_seconds).hour;
}
int CDateTime::GetMinute() const
{
    return kvdate::Split(m_seconds).minute;
}
int CDateTime::GetSecond() const
{
    return kvdate::Split(m_seconds).second;
}
int CDateTime::GetDayOfWeek() const
{
    return kvdate::Split(m_seconds).dayOfWeek + 1;
}

int CDateTime::SetDateVORL(const char* text)
{
    static constexpr size_t kWidths[] = { 4, 2, 2 };
    int p[3] = {};
    if (!ReadDigits(text, 8, p, kWidths, 3)) {
        m_seconds = 0;
        m_status = invalid;
        return 0;
    }
    // The time of day is what lies past the whole days (00:00:00 for an invalid object).
    const int64_t timeOfDay = m_status == valid ? m_seconds - FloorDays(m_seconds) * kSecondsPerDay : 0;
    int64_t midnight = 0;
    if (!kvdate::ToSerialSeconds(p[0], p[1], p[2], 0, 0, 0, midnight)) {
        m_seconds = 0;
        m_status = invalid;
        return 0;
    }
    m_seconds = midnight + timeOfDay;
    m_status = valid;
    return 1;
}

int CDateTime::SetTimeVORL(const char* text)
{
    static constexpr size_t kWidths[] = { 2, 2, 2 };
    int p[3] = {};
    if (!ReadDigits(text, 6, p, kWidths, 3) || p[0] > 23 || p[1] > 59 || p[2] > 59) {
        m_seconds = 0;
        m_status = invalid;
        return 0;
    }
    const int64_t days = m_status == valid ? FloorDays(m_seconds) : 0;
    m_seconds = days * kSecondsPerDay + p[0] * 3600 + p[1] * 60 + p[2];
    m_status = valid;
    return 1;
}

int CDateTime::SetDateTimeASN(const char* text)
{
    static constexpr size_t kWidths[] = { 4, 2, 2, 2, 2, 2 };
    int p[6] = {};
    if (!ReadDigits(text, 14, p, kWidths, 6)) {
        m_seconds = 0;
        m_status = invalid;
        return 1;
    }
    return SetDateTime(p[0], p[1], p[2], p[3], p[4], p[5]);
}

std::string CDateTime::FormatDateVORL() const
{
    if (!IsValid())
        return {};
    const kvdate::Parts t = kvdate::Split(m_seconds);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", t.year, t.month, t.day);
    return buf;
}

std::string CDateTime::FormatTimeVORL() const
{
    if (!IsValid())
        return {};
    const kvdate::Parts t = kvdate::Split(m_seconds);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d%02d%02d", t.hour, t.minute, t.second);
    return buf;
}

std::string CDateTime::FormatDateTimeASN() const
{
    if (!IsValid())
        return {};
    return FormatDateVORL() + FormatTimeVORL();
}

void CDateTime::GetSysTime(KvSystemTime& st) const
{
    const kvdate::Parts t = kvdate::Split(m_seconds);
    st.wYear = static_cast<uint16_t>(t.year);
    st.wMonth = static_cast<uint16_t>(t.month);
    st.wDayOfWeek = static_cast<uint16_t>(t.dayOfWeek);
    st.wDay = static_cast<uint16_t>(t.day);
    st.wHour = static_cast<uint16_t>(t.hour);
    st.wMinute = static_cast<uint16_t>(t.minute);
    st.wSecond = static_cast<uint16_t>(t.second);
    st.wMilliseconds = 0;
}

CDateTime CDateTime::operator+(int64_t seconds) const
{
    CDateTime result;
    if (!IsValid())
        return result;
    const kvdate::Parts t = kvdate::Split(m_seconds + seconds);
    result.SetDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second);
    return result;
}

std::strong_ordering CDateTime::operator<=>(const CDateTime& other) const
{
    if (m_status != other.m_status)
        return m_status <=> other.m_status;
    return m_seconds <=> other.m_seconds;
}

CDateTime CDateTime::GetPcTime()
{
    const std::time_t now = fw::clock().wallTime();
    std::tm local {};
    localtime_r(&now, &local);
    return CDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
        local.tm_sec > 59 ? 59 : local.tm_sec);
}

CDateTime CDateTime::GetTickCount()
{
    return GetPcTime() + g_offsetSeconds;
}

void CDateTime::AdjustKvTime(const CDateTime& hostNow)
{
    // An invalid host time carries no offset; keep the one we have.
    const CDateTime pc = GetPcTime();
    if (!hostNow.IsValid() || !pc.IsValid())
        return;
    g_offsetSeconds = hostNow - pc;
}

void CDateTime::ResetKvTime()
{
    g_offsetSeconds = 0;
}

int64_t CDateTime::GetDiffTime()
{
    return g_offsetSeconds;
}

CDateTime CDateTime::GetMinTime()
{
    return CDateTime(1900, 1, 1, 0, 0, 0);
}

CDateTime CDateTime::GetMaxTime()
{
    return CDateTime(9999, 12, 30, 23, 59, 59);
}
