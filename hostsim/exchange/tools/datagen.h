#pragma once
// The fixture generator: writes the generated tables of a data set (firms,
// traders, accounts, securities, orders, trades, deals, positions) from fixed
// name lists and a deterministic sequence, so the seed set and the large
// variant come from one recipe. Texts are Windows-1250 bytes.
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace datagen {

struct Sizes {
    int securities = 200; // all kinds together
    int orders = 1000;
};

// One fixture file: the encoding line, a header, rows of '|'-joined fields.
class FixtureWriter {
public:
    FixtureWriter(const std::string& folder, const std::string& name, const std::string& header);
    void row(const std::vector<std::string>& fields);
    bool ok() const { return static_cast<bool>(out_); }

private:
    std::ofstream out_;
};

// A small deterministic generator (the same data on every machine).
class Sequence {
public:
    explicit Sequence(uint64_t seed)
        : state_(seed)
    {
    }
    uint32_t next();
    int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }

private:
    uint64_t state_;
};

std::string pad(int64_t value, int width); // zero-padded digits

struct BrokerUsers {
    std::string firm;
    std::vector<std::string> users; // T1, T2, MM, MGR
    std::vector<std::string> accounts;
};

// A security that gets orders: MAIN shares and bonds.
struct Tradable {
    std::string key; // the 17-character key
    std::string id;
    int64_t price; // previous price in price units
    int64_t tick;
    int priceDecimals;
    int64_t lot;
};

// Firms, traders (with their logon digests), rights-set names, accounts,
// depositories, groups and cash positions; the brokers and their users for the market tables.
std::vector<BrokerUsers> WriteParties(const std::string& folder);
// Securities, orders, trades, deals and security positions.
void WriteMarket(const std::string& folder, const Sizes& sizes, const std::vector<BrokerUsers>& brokers);
// Orders (open books that do not cross, matched pairs with their trades,
// withdrawn, expired, unapproved and amended chains), deals and holdings.
void WriteOrders(const std::string& folder, const Sizes& sizes, const std::vector<BrokerUsers>& brokers,
    const std::vector<Tradable>& tradable);

} // namespace datagen
