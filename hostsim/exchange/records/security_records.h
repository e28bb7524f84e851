#pragma once
// Security records: the snapshot (17), the market status / replay statistics
// record (25) and the change report (33).
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/security.h"

namespace exchange {

std::string SecuritySnapshotRecord(const std::string& key, const Security& s, bool last); // 17, 1102

struct ReplayStatistics {
    int64_t orders = 0, trades = 0, transactions = 0, rejected = 0;
    std::string lastTime; // HHMMSS or empty
};
std::string MarketStatusRecord(const std::string& listStamp, const ReplayStatistics& stats); // 25, 252

// One item of a change report: the tag and its value, already in the tag's width.
using ChangeItem = std::pair<char, std::string>;
// 33: seq 10, row index 6, security code 17, item count 2, items "tag value #".
// Empty when an item holds '#' (the reader skips to the next '#').
std::string SecurityChangeReport(
    int64_t seq, std::size_t row, const std::string& key, const std::vector<ChangeItem>& items);
// Every figure the security has: permissions, status and the set market figures.
std::vector<ChangeItem> FullFigures(const Security& s);

// Value texts of the tags: 9 characters in price units, 16, 7 and 3 digits.
std::string Price9(int64_t v);
std::string Digits(int64_t v, int width);

} // namespace exchange
