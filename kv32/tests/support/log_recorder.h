// Test helpers for tables that log: an alert log that keeps what it is given,
// a message handed to a table as the dispatch hands it, and blank padding.
#pragma once

#include <string>
#include <vector>

#include "kv32/tables/alert_log_port.h"
#include "kvcore/router/vorl_target.h"

namespace kv32test {

class RecordingLog : public CKvAlertLog {
public:
    bool Holds(const KvLogNote& note) const override
    {
        for (const KvLogNote& n : notes) {
            if (SameLoggedItem(n, note))
                return true;
        }
        return false;
    }
    void Append(const KvLogNote& note) override { notes.push_back(note); }
    std::vector<KvLogNote> notes;
};

inline void FeedRecord(CVorlTarget& table, int type, std::string bytes)
{
    tagTMSG m;
    m.nType = type;
    m.nLength = static_cast<int32_t>(bytes.size());
    m.pText = reinterpret_cast<unsigned char*>(bytes.data());
    table.StoreDataItem(&m);
}

inline std::string Pad(std::string text, size_t width)
{
    text.resize(width, ' ');
    return text;
}

} // namespace kv32test
