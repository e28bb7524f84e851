// Where the broadcast and event tables write their one log entry per new
// item: the alert log installs itself here; until it does, nothing is logged
// and nothing is found. Each kind decides which fields make two entries the
// same item, so an item sent again (a repeat, a re-logon) is logged once.
#pragma once

#include <cstdint>
#include <string>

#include "kvcore/values/cdatetime.h"

enum KvLogKind : uint16_t {
    LOG_KIND_NEWS = 0x4000,
    LOG_KIND_MESSAGE = 0x5000,
    LOG_KIND_TRADING_EVENT = 0x6000,
};

struct KvLogNote {
    uint16_t nKind = 0;
    CDateTime time;
    // Message: the To User; trading event: its 12-character text; news: the user.
    std::string user;
    // Message: the display text; news: the title; trading event: event text and object name.
    std::string text;
    // News: the news id; trading event: the event id.
    int32_t nId = 0;
};

// Messages match on To User and text; news on id, date and time and title;
// trading events on the 12-character text and the text.
bool SameLoggedItem(const KvLogNote& a, const KvLogNote& b);

class CKvAlertLog {
public:
    virtual ~CKvAlertLog() = default;
    // True when an entry of the same item is already held.
    virtual bool Holds(const KvLogNote& note) const = 0;
    // Appends without making the entry the current one, then updates the log's views.
    virtual void Append(const KvLogNote& note) = 0;
};

// The caller keeps the log alive; null removes it.
void KvSetAlertLog(CKvAlertLog* log);
CKvAlertLog* KvAlertLog();
// Appends the note unless the log already holds the same item; true when appended.
bool KvLogOnce(const KvLogNote& note);
