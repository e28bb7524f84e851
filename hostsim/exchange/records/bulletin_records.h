#pragma once
// Records of exchange messages (194), news heads (195) and texts (69),
// trading events (64), the schedule (85), audit events (72) and the change
// reports of boards (44), participants (41), traders (40), markets and
// instruments (42, 43).
#include <array>
#include <cstdint>
#include <string>

#include "model/dataset.h"

namespace exchange {

std::string ExchangeMessageRecord(const ExchangeMessage& m, const std::string& senderFirm); // 709
std::string NewsHeadRecord(const NewsItem& n, const std::string& date); // 188
std::string NewsTextRecord(const NewsItem& n); // 4 + n
std::string TradingEventRecord(int64_t seq, const TradingEvent& e); // 80
std::string ScheduleRecord(int64_t seq, const ScheduleEntry& s); // 64
std::string AuditEventRecord(int64_t key, const AuditEvent& a); // 103 + n
std::string BoardChangeRecord(int64_t seq, const Board& b); // 47
std::string CodeStateChangeRecord(int64_t seq, const CodeState& c); // 15

// The sixteen order and trade statistics of a firm or a trader, in report order.
using Statistics = std::array<int64_t, 16>;
std::string ParticipantChangeRecord(int64_t seq, const Firm& f, const Statistics& stats); // 284
std::string TraderChangeRecord(int64_t seq, const Trader& t, bool active, const Statistics& stats); // 334

} // namespace exchange
