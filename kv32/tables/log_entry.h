// One entry of the alert log: who raised it (its kind), when, for which user,
// firm, security and board, the text shown on the status bar and in the Logs
// window, and the value that raised it. Each producer builds its entry with
// the initialiser of its kind.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "fw/core/archive.h"
#include "kv32/tables/alert_log_port.h"
#include "kvcore/values/cdatetime.h"
#include "kvcore/values/cdouble.h"

enum KvAlertLogKind : uint16_t {
    LOG_KIND_USER_ALERT = 0x1000,
    LOG_KIND_FIRM_ALERT = 0x2000,
    LOG_KIND_SECURITY_ALERT = 0x3000,
    LOG_KIND_ORDER_COUNT = 0x7000,
};

struct CLogEntry {
    static constexpr size_t kTextChars = 63;
    static constexpr size_t kRemarksBytes = 128;
    // The entry as the log file stores it.
    static constexpr size_t kFileBytes = 2 + 2 + 12 + 13 + 13 + 18 + 31 + 21 + 64 + 16 + 128 + 4;

    int32_t nIndex; // position in the log; -1 until added
    int32_t nKind;
    int32_t nFigure; // the figure of an alert (user, firm and security kinds)
    CDateTime time;
    char szUser[13];
    char szFirm[13];
    char szSecurity[18];
    char szBoardName[31];
    char szShortName[21];
    char szText[kTextChars + 1];
    CDouble value;
    char szRemarks[kRemarksBytes];
    int32_t nTag; // the Logs window's colour category; -1 none

    // An empty entry stamped now (the trading system's time).
    CLogEntry() { Reset(); }
    void Reset();

    // User alert: the code's trailing blanks stripped.
    void InitKind1000(int figure, std::string_view userCode, std::string_view text, const CDouble& value);
    // Firm alert.
    void InitKind2000(int figure, std::string_view firmCode, std::string_view text, const CDouble& value);
    // Security alert: the 17-character code kept as it is; the value with 2 decimals.
    void InitKind3000(int figure, std::string_view securityCode, std::string_view boardName,
        std::string_view shortName, std::string_view text, double value);
    // News heading: stamped with its date and time.
    void InitKind4000(const CDateTime& headTime, std::string_view title);
    // Exchange message: today with the message's time of day.
    void InitKind5000(const CDateTime& messageTime, std::string_view toUser, std::string_view text);
    // Trading event: today with the event's time of day.
    void InitKind6000(const CDateTime& eventTime, std::string_view text12, std::string_view text);
    // Order-counting alert: the value without decimals; a non-empty six-digit
    // time (HHMMSS) sets the stamp's time of day.
    void InitKind7000(std::string_view board, std::string_view firm, std::string_view text, double value,
        std::string_view hhmmss);

    // The 324 bytes of the log file (the index is not stored). Reading throws
    // fw::ArchiveError on damaged bytes.
    void Store(fw::Archive& ar) const;
    void Load(fw::Archive& ar);

};

// Two entries that stand for the same news heading, exchange message or
// trading event (so an item sent again is logged once).
bool SameLoggedEntry(const CLogEntry& a, const CLogEntry& b);
// The entry a broadcast table's note becomes.
CLogEntry LogEntryOf(const KvLogNote& note);
