// A small market for the alert, order counting and security selection
// dialogs: four boards (one suspended, one without securities), securities on
// two boards (one short name on both), two broker firms and an exchange
// member with their users, emptied again afterwards.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "kv32/tables/all_tables.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/values/intl_info.h"
#include "security_test_fixture.h"
#include "support/security_records.h"

namespace alerttest {

using kv32test::Feed;

inline std::string Pad(const std::string& text, size_t width)
{
    std::string s = text;
    s.resize(width, ' ');
    return s;
}

enum SecurityRow : int { kAlfa = 0, kBeta, kGamma, kAlfaTwo };
enum FirmRow : int { kFirm1 = 0, kFirm2, kExchange };
enum UserRow : int { kTrader1 = 0, kTrader2 };

// Records every table announcement (the windows' refresh hints).
class HintRecorder : public CTableUpdateListener {
public:
    HintRecorder() { KvAddTableListener(this); }
    ~HintRecorder() override { KvRemoveTableListener(this); }
    void OnTableUpdate(uint16_t tableId, const fw::RowHint*) override { ids.push_back(tableId); }
    std::vector<uint16_t> ids;
};

class AlertMarket : public ::testing::Test {
protected:
    AlertMarket() { Fill(); }
    ~AlertMarket() override
    {
        FreeAll();
        KvSetIntl(fw::englishLocale());
        fw::setLanguage(fw::Language::English);
    }
    // Every table emptied and the market filled again.
    static void Fill()
    {
        FreeAll();
        KvSetIntl(fw::englishLocale());
        Feed(BoardTable(), 22, kv32test::BoardRecord(1, "BRD1", "Main board", 'A'));
        Feed(BoardTable(), 22, kv32test::BoardRecord(2, "BRD2", "Second board", 'A'));
        Feed(BoardTable(), 22, kv32test::BoardRecord(3, "BRD3", "Empty board", 'A'));
        Feed(BoardTable(), 22, kv32test::BoardRecord(4, "BRD4", "Closed board", 'S', true));
        AddSecurity(1, "BRD1", "INSTR0000001", "ALFA", 2);
        AddSecurity(2, "BRD1", "INSTR0000002", "BETA", 3);
        AddSecurity(3, "BRD2", "INSTR0000003", "GAMMA", 2);
        AddSecurity(4, "BRD2", "INSTR0000001", "ALFA", 2);
        AddFirm("FIRM1", "First Broker", "BROK");
        AddFirm("FIRM2", "Second Broker", "BROK");
        AddFirm("EXCH1", "The Exchange", "EXCH");
        AddUser("TRADER01", "Anna", "FIRM1");
        AddUser("TRADER02", "Bela", "FIRM2");
    }
    static void FreeAll()
    {
        CKvTables& t = KvTables();
        for (CVorlPermTarget* table : std::initializer_list<CVorlPermTarget*> { &t.firmAlerts, &t.userAlerts,
                 &t.secAlerts, &t.alertLog, &t.ordCountAlerts, &t.ordCount, &t.participants, &t.traders,
                 &t.securities, &t.boards, &t.rights })
            table->Free();
        t.ordCountAlerts.m_bChanged = 0;
        t.ordCountAlerts.m_pendingRows.clear();
        BoardTable().m_nCurrent = -1;
    }
    static void AddSecurity(
        int key, const char* board, const char* instrument, const char* shortName, int priceDec)
    {
        kv32test::SecuritySpec spec;
        spec.key = key;
        spec.board = board;
        spec.instrument = instrument;
        spec.shortName = shortName;
        spec.priceDec = priceDec;
        SecurityTable().DecodeSnapshot(kv32test::SecuritySnapshot(spec));
    }
    static void AddFirm(const char* code, const char* name, const char* type)
    {
        Feed(ParticipantTable(), 19,
            "00000001" + Pad(code, 12) + Pad(name, 30) + "A" + std::string(32, '0') + "N" + Pad(type, 4)
                + std::string(80, ' ') + "0");
    }
    static void AddUser(const char* code, const char* name, const char* firm)
    {
        Feed(TraderTable(), 18,
            "00000001" + Pad(code, 12) + Pad(name, 30) + Pad(firm, 12) + std::string(96, ' '));
    }
    // A counting row of the order counting table; its row.
    static int CountingRow(const char* board, const char* firm)
    {
        COrdCountRec rec {};
        rec.nIndex = static_cast<uint32_t>(OrdCountTable().GetCount());
        rec.nAlert = -1;
        std::snprintf(rec.szBoard, sizeof rec.szBoard, "%s", board);
        std::snprintf(rec.szFirm, sizeof rec.szFirm, "%s", firm);
        return OrdCountTable().AddRec(rec);
    }
};

} // namespace alerttest
