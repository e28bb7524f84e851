// A date and time with a valid/invalid status, read from and written to the
// host's wire forms, formatted with the user's pictures, and the trading
// system's clock (the PC clock plus the offset learnt from the host).
#pragma once

#include <compare>
#include <cstdint>
#include <string>

#include "kvcore/kvcore_api.h"

// The platform's system-time record.
struct KvSystemTime {
    uint16_t wYear = 0;
    uint16_t wMonth = 0;
    uint16_t wDayOfWeek = 0; // 0 = Sunday
    uint16_t wDay = 0;
    uint16_t wHour = 0;
    uint16_t wMinute = 0;
    uint16_t wSecond = 0;
    uint16_t wMilliseconds = 0;
};

class KVCORE_API CDateTime {
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };
    // ParseDateTime flags (the platform's values).
    static constexpr unsigned kTimeValueOnly = 0x04;
    static constexpr unsigned kDateValueOnly = 0x08;

    CDateTime() = default;
    CDateTime(const CDateTime&) = default;
    CDateTime(int year, int month, int day, int hour, int minute, int second);
    CDateTime& operator=(const CDateTime&) = default;

    // 0 when the parts make a valid moment (the object becomes it), else 1 and
    // the object is invalid.
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    bool IsValid() const { return m_status == valid; }

    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const; // 1 = Sunday .. 7 = Saturday

    // Eight digits yyyymmdd, keeping the time of day; 1 when valid, else 0 and
    // the object is invalid (blanks or other non-digits included).
    int SetDateVORL(const char* text);
    // Six digits hhmmss, keeping the date; 1 when valid, else 0.
    int SetTimeVORL(const char* text);
    // Fourteen digits; 0 when valid, nonzero when not (the framework's sense).
    int SetDateTimeASN(const char* text);
    // A text in the user's date and/or time format; nonzero on success.
    int ParseDateTime(const char* text, unsigned flags = 0, unsigned localeId = 0);

    std::string FormatDateVORL() const;
    std::string FormatTimeVORL() const;
    std::string FormatDateTimeASN() const;
    std::string FormatDate() const; // user's short date picture
    std::string FormatTime() const; // user's time picture
    void GetSysTime(KvSystemTime& st) const;

    // Seconds between two valid moments (this - other).
    int64_t operator-(const CDateTime& other) const { return m_seconds - other.m_seconds; }
    CDateTime operator+(int64_t seconds) const;
    bool operator==(const CDateTime& other) const = default;
    std::strong_ordering operator<=>(const CDateTime& other) const;

    // Trading-system time: the PC's local time plus the offset from the host.
    static CDateTime GetTickCount();
    static void AdjustKvTime(const CDateTime& hostNow);
    static void ResetKvTime();
    // The whole offset in seconds (host minus PC).
    static int64_t GetDiffTime();
    static CDateTime GetMinTime();
    static CDateTime GetMaxTime();
    // The PC's local time, from the process clock (fw::clock(), which tests replace).
    static CDateTime GetPcTime();

private:
    int64_t m_seconds = 0; // since 1899-12-30 00:00:00
    DateTimeStatus m_status = invalid;
};
