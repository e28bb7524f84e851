#pragma once
// Snapshot records of the reference tables. `key` is the 8-character resume
// key, `last` marks the final record of the table.
#include <string>

#include "model/dataset.h"

namespace exchange {

std::string BoardRecord(const std::string& key, const Board& b, bool last); // 22, 44
std::string CodeStateRecord(const std::string& key, const CodeState& c, bool last); // 20 / 21, 44
std::string SectorRecord(const std::string& key, const CodeName& s, bool last); // 23, 43
std::string StatusRecord(const std::string& key, const SecurityStatus& s, bool last); // 115, 55 + n
std::string LanguageRecord(const std::string& key, const CodeName& l, bool last); // 65, 41
std::string DraftRecord(const std::string& key, const MessageDraft& m, bool last); // 66, 294
std::string NewsTypeRecord(const std::string& key, const CodeName& n, bool last); // 73, 43
std::string TradeSourceRecord(const std::string& key, const TradeSource& t, bool last); // 116, 42
std::string AuditGroupRecord(const std::string& key, const CodeName& g, bool last); // 77, 53
std::string AuditTypeRecord(const std::string& key, const AuditType& t, bool last); // 76, 58
std::string ParticipantRecord(const std::string& key, const Firm& f, bool last); // 19, 169
std::string TraderRecord(const std::string& key, const Trader& t, bool last); // 18, 158
std::string RightRecord(const Right& r, bool last); // 93, 23

// The last-record flag character.
inline char LastFlag(bool last)
{
    return last ? '1' : '0';
}

} // namespace exchange
