// What the kv32 record targets share: a silent trace, and the few rows they
// start from, so that change reports, book replies and text fetches find a
// security, a board, a firm and a news item to work on.
#pragma once

#include <string>

#include "kv32/tables/all_tables.h"
#include "kvcore/router/kv_trace.h"
#include "kvcore/router/vorl_target.h"
#include "support/security_records.h"

namespace kv32fuzz {

// Dropped records are expected by the million while fuzzing; keep them off the log.
inline void SilenceTrace()
{
    static const bool silenced = [] {
        KvSetTraceSink([](const std::string&) { });
        return true;
    }();
    (void)silenced;
}

inline void Feed(CVorlTarget& target, int type, std::string bytes)
{
    tagTMSG m;
    m.nType = type;
    m.nLength = static_cast<int32_t>(bytes.size());
    m.pText = reinterpret_cast<unsigned char*>(bytes.data());
    target.StoreDataItem(&m);
}

inline void FreeAll()
{
    for (CVorlPermTarget* t : CVorlPermTarget::apPermTargets)
        t->Free();
}

inline std::string NewsHeadRecord()
{
    return "00000000EDITOR      ECONENFIRM1       INSTR000000120261210101500Rates unchanged"
        + std::string(25, ' ') + "news/2026/1210.txt" + std::string(62, ' ') + "XYNp";
}

inline void PreloadSampleRows()
{
    using namespace kv32test;
    Feed(StatusTable(), 115, StatusRecord(1, "001", 'A', "Active", "01"));
    Feed(StatusTable(), 115, StatusRecord(2, "002", 'S', "Suspended", ""));
    Feed(SectorTable(), 23, SectorRecord(1, "SEC1", "Banks"));
    Feed(BoardTable(), 22, BoardRecord(1, "BRD1", "Main board", 'A'));
    Feed(MarketTable(), 20, MarketRecord(1, "MKT1", "Equities", 'A'));
    Feed(InstrumentTable(), 21, MarketRecord(1, "INS1", "Shares", 'A'));
    SecuritySpec spec;
    Feed(SecurityTable(), 17, SecuritySnapshot(spec));
    spec.instrument = "INSTR0000002";
    spec.status = 'S';
    spec.distribution = 'P';
    Feed(SecurityTable(), 17, SecuritySnapshot(spec));
    Feed(ParticipantTable(), 19, std::string("00000001FIRM1       First Broker") + std::string(137, ' '));
    Feed(FlagTable(), 116, "00000001XxYContinuous                    1");
    Feed(AuditGroupTable(), 77, "00000001SESSSession events" + std::string(26, ' ') + "1");
    Feed(AuditEventTypeTable(), 76, "00000001SESSLOGNUser logged on" + std::string(26, ' ') + "P1");
    Feed(TraderTable(), 18,
        std::string("00000001TRADER01    Anna") + std::string(26, ' ') + "FIRM1" + std::string(103, ' '));
    Feed(NewsTable(), 195, NewsHeadRecord());
}

} // namespace kv32fuzz
