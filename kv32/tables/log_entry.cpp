#include "kv32/tables/log_entry.h"

#include <cmath>
#include <cstring>

#include "kv32/tables/alert_file_codec.h"
#include "kv32/tables/record_text.h"

namespace {

std::string_view StripTrailingBlanks(std::string_view text)
{
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// The stamp's date with the time of day of `timeOfDay`; the stamp stays as it
// is when that time is not valid.
void TakeTimeOfDay(CDateTime& stamp, const CDateTime& timeOfDay)
{
    if (!timeOfDay.IsValid() || !stamp.IsValid())
        return;
    stamp.SetDateTime(stamp.GetYear(), stamp.GetMonth(), stamp.GetDay(), timeOfDay.GetHour(), timeOfDay.GetMinute(),
        timeOfDay.GetSecond());
}

// Two digits of a time text, digit by digit; anything but a digit counts as 0.
int TwoDigits(std::string_view text, size_t at)
{
    int v = 0;
    for (size_t i = at; i < at + 2; ++i) {
        const char c = i < text.size() ? text[i] : '0';
        v = v * 10 + (c >= '0' && c <= '9' ? c - '0' : 0);
    }
    return v;
}

} // namespace

void CLogEntry::Reset()
{
    std::memset(static_cast<void*>(this), 0, sizeof *this);
    nIndex = -1;
    nKind = 0;
    nFigure = 0;
    time = CDateTime::GetTickCount();
    value = CDouble();
    nTag = -1;
}

void CLogEntry::InitKind1000(int figure, std::string_view userCode, std::string_view text, const CDouble& v)
{
    Reset();
    nKind = LOG_KIND_USER_ALERT;
    nFigure = figure;
    CopyText(szUser, StripTrailingBlanks(userCode));
    CopyText(szText, text);
    value = v;
}

void CLogEntry::InitKind2000(int figure, std::string_view firmCode, std::string_view text, const CDouble& v)
{
    Reset();
    nKind = LOG_KIND_FIRM_ALERT;
    nFigure = figure;
    CopyText(szFirm, firmCode);
    CopyText(szText, text);
    value = v;
}

void CLogEntry::InitKind3000(int figure, std::string_view securityCode, std::string_view boardName,
    std::string_view shortName, std::string_view text, double v)
{
    Reset();
    nKind = LOG_KIND_SECURITY_ALERT;
    nFigure = figure;
    CopyText(szSecurity, securityCode);
    CopyText(szBoardName, boardName);
    CopyText(szShortName, shortName);
    CopyText(szText, text);
    value = CDouble(v, 2);
}

void CLogEntry::InitKind4000(const CDateTime& headTime, std::string_view title)
{
    Reset();
    nKind = LOG_KIND_NEWS;
    time = headTime;
    CopyText(szText, title);
}

void CLogEntry::InitKind5000(const CDateTime& messageTime, std::string_view toUser, std::string_view text)
{
    Reset();
    nKind = LOG_KIND_MESSAGE;
    TakeTimeOfDay(time, messageTime);
    CopyText(szUser, toUser);
    CopyText(szText, text);
}

void CLogEntry::InitKind6000(const CDateTime& eventTime, std::string_view text12, std::string_view text)
{
    Reset();
    nKind = LOG_KIND_TRADING_EVENT;
    TakeTimeOfDay(time, eventTime);
    CopyText(szUser, text12);
    CopyText(szText, text);
}

void CLogEntry::InitKind7000(
    std::string_view board, std::string_view firm, std::string_view text, double v, std::string_view hhmmss)
{
    Reset();
    nKind = LOG_KIND_ORDER_COUNT;
    CopyText(szBoardName, board);
    CopyText(szFirm, firm);
    CopyText(szText, text);
    value = CDouble(std::isfinite(v) ? v : 0.0, 0);
    if (!StripTrailingBlanks(hhmmss).empty() && time.IsValid()) {
        const int h = TwoDigits(hhmmss, 0), m = TwoDigits(hhmmss, 2), s = TwoDigits(hhmmss, 4);
        if (h < 24 && m < 60 && s < 60)
            time.SetDateTime(time.GetYear(), time.GetMonth(), time.GetDay(), h, m, s);
    }
}

void CLogEntry::Store(fw::Archive& ar) const
{
    ar.writeWord(static_cast<uint16_t>(nKind));
    ar.writeWord(static_cast<uint16_t>(nFigure));
    PutDateTimeImage(ar, time);
    PutFixedText(ar, szUser, sizeof szUser);
    PutFixedText(ar, szFirm, sizeof szFirm);
    PutFixedText(ar, szSecurity, sizeof szSecurity);
    PutFixedText(ar, szBoardName, sizeof szBoardName);
    PutFixedText(ar, szShortName, sizeof szShortName);
    PutFixedText(ar, szText, sizeof szText);
    PutDoubleImage(ar, value);
    ar.writeBytes(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(szRemarks), sizeof szRemarks));
    ar.writeLong(nTag);
}

void CLogEntry::Load(fw::Archive& ar)
{
    nKind = ar.readWord();
    nFigure = ar.readWord();
    time = GetDateTimeImage(ar);
    GetFixedText(ar, szUser, sizeof szUser);
    GetFixedText(ar, szFirm, sizeof szFirm);
    GetFixedText(ar, szSecurity, sizeof szSecurity);
    GetFixedText(ar, szBoardName, sizeof szBoardName);
    GetFixedText(ar, szShortName, sizeof szShortName);
    GetFixedText(ar, szText, sizeof szText);
    value = GetDoubleImage(ar);
    // The remarks are shown as a text: they end within their bytes too.
    GetFixedText(ar, szRemarks, sizeof szRemarks);
    nTag = ar.readLong();
}

bool SameLoggedEntry(const CLogEntry& a, const CLogEntry& b)
{
    if (a.nKind != b.nKind)
        return false;
    switch (a.nKind) {
    case LOG_KIND_NEWS:
        return a.time == b.time && std::strcmp(a.szText, b.szText) == 0;
    case LOG_KIND_MESSAGE:
    case LOG_KIND_TRADING_EVENT:
        return std::strcmp(a.szUser, b.szUser) == 0 && std::strcmp(a.szText, b.szText) == 0;
    default:
        return false;
    }
}

CLogEntry LogEntryOf(const KvLogNote& note)
{
    CLogEntry e;
    switch (note.nKind) {
    case LOG_KIND_NEWS:
        e.InitKind4000(note.time, note.text);
        break;
    case LOG_KIND_MESSAGE:
        e.InitKind5000(note.time, note.user, note.text);
        break;
    case LOG_KIND_TRADING_EVENT:
        e.InitKind6000(note.time, note.user, note.text);
        break;
    default:
        e.nKind = note.nKind;
        CopyText(e.szUser, note.user);
        CopyText(e.szText, note.text);
        break;
    }
    return e;
}
