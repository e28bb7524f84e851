// The main frame's own work without the window: the post-logon check of the
// password state, the work of every poll (trading-end warning and its beeps,
// the security change indications, the periodic store of the local order
// book), the reset of the subscription tables at logon, and the print-log
// lines of logon and logoff.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "kvcore/values/cdatetime.h"

class CSession;

inline constexpr int kTrSecurityQuery = 152;

// Transaction 152 with the user: "PW" runs the forced password change and asks
// again (a change not made refuses the session), "YES" asks for the security
// code (transaction 153; cancel refuses), anything else lets the session
// start. A failed transaction shows 20529 and refuses. 1 = the session starts.
int KvDoCheck();

// Tells when a poll has crossed the trading-end warning moment: the previous
// poll was before it and this one is at or after it. It fires at most once a
// trading day, so a poll that comes late still warns, and a clock moved back
// does not warn twice.
class CKvTradingEndWatch {
public:
    bool Crossed(const CDateTime& now, const CDateTime& warnAt);
    void Reset();

private:
    std::optional<CDateTime> m_previous;
    std::string m_sWarnedDay; // yyyymmdd of the last warning
};

class CKvPollWork {
public:
    // Runs after every poll while a session exists.
    void Run(CSession& session);

private:
    CKvTradingEndWatch m_watch;
};

// At logon, before the checks: the print-log line of the logon, and the order,
// trade, negotiated-deal and last-trade tables subscribe again from the start.
int KvResetTables();
// After the session ended: the print-log line of the logoff (for `user`).
void KvPrintLogoff(const std::string& user);

// The toolbar groups the customisation offers, in order; the two flags go to
// the core frame unchanged.
struct CKvButtonGroup {
    const char* name;
    std::span<const std::uint32_t> commands;
    bool showLoggedOff;
    bool showLoggedOn;
};
std::span<const CKvButtonGroup> KvDefaultButtonGroups();
