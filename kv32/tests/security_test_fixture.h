// The reference tables that the security table reads (statuses, sectors,
// boards, markets) filled from wire records, emptied again afterwards.
#pragma once

#include <string>
#include <vector>

#include "kv32/tables/all_tables.h"
#include "kv32/tables/table_settings.h"
#include "support/kv32_fixture.h"
#include "support/security_records.h"
#include "support/table_feed.h"

namespace kv32test {

// The keys of the requests of one code sent so far.
inline std::vector<std::string> RequestKeys(const ScriptedRouter& router, int code)
{
    std::vector<std::string> keys;
    for (const Msg& m : router.Requests()) {
        if (m.type == code)
            keys.push_back(m.bytes);
    }
    return keys;
}

class SecurityFixture : public Kv32Fixture {
protected:
    SecurityFixture()
    {
        FreeAll();
        Feed(StatusTable(), 115, StatusRecord(1, "001", 'A', "Active", "0110"));
        Feed(StatusTable(), 115, StatusRecord(2, "002", 'S', "Suspended", ""));
        Feed(StatusTable(), 115, StatusRecord(3, "003", 'A', "Also active", "", true));
        Feed(SectorTable(), 23, SectorRecord(1, "SEC1", "Banks"));
        Feed(SectorTable(), 23, SectorRecord(2, "SEC2", "Energy", true));
        Feed(BoardTable(), 22, BoardRecord(1, "BRD1", "Main board", 'A'));
        Feed(BoardTable(), 22, BoardRecord(2, "BRD2", "Second board", 'S', true));
        Feed(MarketTable(), 20, MarketRecord(1, "MKT1", "Equities", 'A'));
        Feed(MarketTable(), 20, MarketRecord(2, "MKT2", "Bonds", 'A', true));
    }
    ~SecurityFixture() override
    {
        FreeAll();
        KvTableSettings() = CKvTableSettings();
    }
    static void FreeAll()
    {
        for (CVorlPermTarget* t : { static_cast<CVorlPermTarget*>(&StatusTable()), static_cast<CVorlPermTarget*>(&SectorTable()),
                 static_cast<CVorlPermTarget*>(&BoardTable()), static_cast<CVorlPermTarget*>(&MarketTable()),
                 static_cast<CVorlPermTarget*>(&InstrumentTable()), static_cast<CVorlPermTarget*>(&SecurityTable()) })
            t->Free();
        BoardTable().m_nCurrent = MarketTable().m_nCurrent = -1;
        BoardTable().ForgetEnglishNames();
        SecurityTable().m_alertTest = nullptr;
    }
    // Adds a security through its snapshot record; its row.
    static int AddSecurity(const SecuritySpec& spec)
    {
        SecurityTable().DecodeSnapshot(SecuritySnapshot(spec));
        return SecurityTable().FindByCode(SecurityCode(spec));
    }
};

} // namespace kv32test
