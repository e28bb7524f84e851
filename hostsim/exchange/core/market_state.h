#pragma once
// What the exchange keeps beside the data set: the change stream of every
// table with standing requests, lookups by key, the order books and the
// statistics that change reports carry.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/change_log.h"
#include "model/dataset.h"

namespace exchange {

constexpr std::size_t kNoRow = static_cast<std::size_t>(-1);

// One side of a security's book: order indices, best price first, then time.
struct BookSide {
    std::vector<std::size_t> orders;
};

struct Book {
    BookSide bids, offers;
    // Stop orders waiting for their trigger ('I'), in the order they came.
    std::vector<std::size_t> stops;
    // Amount orders of a primary distribution with amount left, in time order;
    // they buy before the priced bids, at the sellers' prices.
    std::vector<std::size_t> amounts;
    int64_t version = 1; // bumped at every change; the book windows' sequence number
};

struct Streams {
    ChangeLog securities, boards, firms, traders, markets, instruments;
    ChangeLog events, schedule, orders, trades, deals, lastTrades;
    ChangeLog auditPrimary, auditOther; // stream 'Y' and the rest, keyed by their own numbers
    ChangeLog cash, holdings;
};

// A suspension or resumption planned for a later time, carried out when the
// host's clock reaches it (unless its trading event was deleted first).
struct PlannedStatus {
    std::string time;
    std::size_t event = 0; // index into the trading events
    std::vector<std::size_t> securities;
    char status = 'S';
    std::string issuer; // an issuer's suspension changes the issuer's own status too
};

// A trading permission set by a supervisor (142/27) for a user or a firm and
// one scope; "not" permissions forbid trading in that scope.
struct TradingPermission {
    std::string firm, user; // blank: any
    std::string board, market, instrument, industry, sector, instrumentId; // the chosen scope
    bool denied = false;
    std::string priority;
    int role = 0;

    bool sameTarget(const TradingPermission& o) const
    {
        return firm == o.firm && user == o.user && board == o.board && market == o.market
            && instrument == o.instrument && industry == o.industry && sector == o.sector
            && instrumentId == o.instrumentId;
    }
};

// One counted transaction in the day's transaction log, compact: its host
// time in seconds and the figures after it, for the market replay's steps.
struct LoggedTransaction {
    int32_t seconds = 0;
    uint32_t rejected = 0, orders = 0, trades = 0;
};

struct MarketState {
    Streams streams;
    std::unordered_map<std::string, std::size_t> securityByKey;
    std::vector<std::size_t> rowOf; // per security: its row among the kind-'0' records, or kNoRow
    std::unordered_map<int64_t, std::size_t> orderByNumber;
    std::unordered_map<int64_t, std::size_t> tradeByNumber;
    std::unordered_map<int64_t, std::size_t> dealByNumber;
    std::vector<Book> books; // per security
    std::unordered_map<std::string, std::array<int64_t, 16>> firmStatistics, traderStatistics;
    // Allowed network address ranges (from, to) of each user.
    std::unordered_map<std::string, std::vector<std::pair<std::string, std::string>>> addresses;
    int64_t nextArrival = 1; // time priority of the next order to enter a book
    int64_t nextOrder = 1, nextTrade = 1, nextDeal = 1, nextMessage = 1, nextNews = 1, nextEvent = 1;
    int64_t transactions = 0, rejected = 0;
    std::string lastTransactionTime;
    std::string lastDueCheck;
    std::vector<PlannedStatus> planned;
    std::vector<TradingPermission> permissions;
    // Access levels (0, 1, 2, 4, 8) by rights group and role (blank: every role).
    std::map<std::pair<std::string, std::string>, int> accessLevels;
    std::vector<LoggedTransaction> transactionLog;
    std::size_t replayed = 0; // transactions of the log the market replay has executed
    bool replaying = false;
    uint32_t loadedOrders = 0, loadedTrades = 0;
    std::vector<std::size_t> timedOrders; // orders good till a time of today, until they expire
};

// Builds the lookups and books from the data set and records every loaded
// record as a change, so a session starting from sequence 0 receives the day.
void BuildMarketState(const DataSet& data, MarketState& state);

// The firms that see an order, trade or deal.
std::vector<std::string> OrderFirms(const Order& o);
std::vector<std::string> TradeFirms(const Trade& t);
std::vector<std::string> DealFirms(const Deal& d);

} // namespace exchange
