#pragma once
// Everything the exchange starts the day with, as loaded from the fixture
// folder (hostsim/exchange/data or a generated variant).
#include <string>
#include <vector>

#include "model/bulletins.h"
#include "model/parties.h"
#include "model/positions.h"
#include "model/reference.h"
#include "model/security.h"
#include "model/trading.h"

namespace exchange {

struct DataSet {
    std::string tradingDate; // YYYYMMDD: entry date of the day's orders, host date of 32
    std::string listStamp; // 10 characters of reply 25
    std::string dayEnd = "170000"; // HHMMSS: day, session and good-till-date orders expire

    std::vector<CodeState> markets;
    std::vector<CodeState> instruments;
    std::vector<Board> boards;
    std::vector<CodeName> sectors;
    std::vector<SecurityStatus> statuses;
    std::vector<CodeName> languages;
    std::vector<CodeName> newsTypes;
    std::vector<MessageDraft> drafts;
    std::vector<TradeSource> tradeSources;
    std::vector<CodeName> auditGroups;
    std::vector<AuditType> auditTypes;
    std::vector<std::string> transitions;

    std::vector<Firm> firms;
    std::vector<Trader> traders;
    std::vector<RightsSet> rights;
    std::vector<TradingAccount> accounts;
    std::vector<DepositoryAccount> depositories;
    std::vector<AccountGroup> groups;

    std::vector<Security> securities;
    std::vector<Order> orders;
    std::vector<Trade> trades;
    std::vector<Deal> deals;

    std::vector<ExchangeMessage> messages;
    std::vector<NewsItem> news;
    std::vector<TradingEvent> events;
    std::vector<ScheduleEntry> schedule;
    std::vector<AuditEvent> auditEvents;
    std::vector<CashPosition> cash;
    std::vector<SecurityPosition> holdings;
};

// Loads a fixture folder. On failure returns false and says which file and
// line and why in `error`; nothing half-loaded is kept.
bool LoadDataSet(const std::string& folder, DataSet& out, std::string& error);

// Cross-table consistency (codes that records name must exist): the problems
// found, one line each; empty when consistent.
std::vector<std::string> CheckConsistency(const DataSet& data);

} // namespace exchange
