#pragma once
// Operator actions that change settings rather than states: access levels
// (142/7), trading permissions (142/27, 28) and the market replay's steps
// through the day's transaction log (142/57), with what they affect: the
// rights a user loads, whether a user may trade a security, and the replay
// statistics of reply 25.
#include <vector>

#include "core/exchange.h"
#include "records/security_records.h"

namespace exchange {

Verdict SetAccessLevel(Exchange& ex, Call& call);
Verdict SetPermission(Exchange& ex, Call& call, bool set);
Verdict ReplayStep(Exchange& ex, Call& call);

// The user's rights with the access level of their group and role as the
// value of the user (18) and participant (19) records.
std::vector<Right> RightsOf(Exchange& ex, const Trader& t);
// Whether no "not" permission forbids the user of the firm to trade the security.
bool TradingPermitted(
    const Exchange& ex, const std::string& user, const std::string& firm, const Security& s);
// Notes a counted transaction in the day's log.
void LogTransaction(Exchange& ex, bool accepted);
// The market's figures for reply 25: those of the replayed part of the log
// once a replay step was made, else the day's.
ReplayStatistics MarketStatistics(Exchange& ex);

} // namespace exchange
