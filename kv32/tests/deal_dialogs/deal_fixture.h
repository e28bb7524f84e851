// A small market for the deal and order-method dialogs: two boards, a few
// securities with the flags the deal input reads, two broker firms with their
// traders, trade sources and the logged-on trader's accounts.
#pragma once

#include <cstring>
#include <memory>
#include <string>

#include "kv32/shell/neg_deal_form.h"
#include "kv32/shell/price_yield.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kv32/trading/active_row.h"
#include "kvcore/app/session_core.h"
#include "support/security_records.h"

namespace dealtest {

enum Row : int { kAlfa = 0, kBeta, kGovt, kOwns, kPrim, kSellOnly, kBondAlfa };

struct SecurityFlags {
    const char* board;
    const char* instrument;
    const char* shortName;
    char negDeal = '1';
    char yield = '0';
    char settle = '1';
    char account = '0';
    char side = 'E';
    char ownFirm = '0';
    const char* distribution = "";
    double bid = 12.5, offer = 12.6, last = 12.55, previous = 12.4;
};

inline void AddSecurity(const SecurityFlags& f)
{
    CSecurityTable& table = SecurityTable();
    kv32test::SecuritySpec spec;
    spec.key = table.GetCount() + 1;
    spec.board = f.board;
    spec.instrument = f.instrument;
    spec.shortName = f.shortName;
    spec.name = std::string("Long name of ") + f.shortName;
    table.DecodeSnapshot(kv32test::SecuritySnapshot(spec));
    SecurityRec* rec = table.GetRec(table.GetCount() - 1);
    std::strcpy(rec->szDistribution, f.distribution);
    std::strcpy(rec->szMethods, "11011100011101010110000111110100");
    rec->nPriceDec = 2;
    rec->nYieldDec = 3;
    rec->cNegDealFlag = f.negDeal;
    rec->cYieldFlag = f.yield;
    rec->cSettleDateFlag = f.settle;
    rec->cTrdAccFlag = f.account;
    rec->cSideFlag = f.side;
    rec->cOwnFirmFlag = f.ownFirm;
    rec->dBid = CDouble(f.bid, 2);
    rec->dOffer = CDouble(f.offer, 2);
    rec->dLast = CDouble(f.last, 2);
    rec->dPrevPrice = CDouble(f.previous, 2);
}

inline void FillMarket()
{
    for (const auto& [code, name] : { std::pair { "MAIN", "Main Board" }, std::pair { "BOND", "Bond Board" } }) {
        BoardRec b;
        std::strcpy(b.szCode, code);
        std::strcpy(b.szName, name);
        BoardTable().AddRec(b);
    }
    AddSecurity({ "MAIN", "ALFA00000001", "ALFA" });
    AddSecurity({ "MAIN", "BETA00000001", "BETA", '0' });
    AddSecurity({ "BOND", "GOVT00000001", "GOVT", '1', '1' });
    AddSecurity({ "MAIN", "OWNS00000001", "OWNS", '1', '0', '1', '0', 'E', '1' });
    AddSecurity({ "MAIN", "PRIM00000001", "PRIM", '1', '0', '1', '0', 'E', '0', "Yes" });
    AddSecurity({ "MAIN", "SELL00000001", "SELLONLY", '1', '0', '0', '1', 'S', '0', "", 0, 0, 0, 0 });
    AddSecurity({ "BOND", "ALFA00000001", "ALFA" });
    for (const auto& [code, name, type] : { std::tuple { "BRK1", "Broker One", "BROK" },
             std::tuple { "BRK2", "Broker Two", "BROK" }, std::tuple { "EXCH", "The Exchange", "EXCH" } }) {
        ParticipantRec p;
        std::strcpy(p.szCode, code);
        std::strcpy(p.szName, name);
        std::strcpy(p.szType, type);
        ParticipantTable().AddRec(p);
    }
    for (const auto& [code, name, firm] : { std::tuple { "TRADER01", "Trader One", "BRK1" },
             std::tuple { "BRK2T1", "Second Trader", "BRK2" }, std::tuple { "BRK2T2", "Third Trader", "BRK2" },
             std::tuple { "EXCHT1", "Exchange Trader", "EXCH" } }) {
        TraderRec t;
        std::strcpy(t.szCode, code);
        std::strcpy(t.szName, name);
        std::strcpy(t.szFirm, firm);
        TraderTable().AddRec(t);
    }
    for (const auto& [letter, enabled, name] : { std::tuple { 'N', 'Y', "Normal" }, std::tuple { 'X', 'N', "Hidden" },
             std::tuple { 'O', 'Y', "Over the counter" } }) {
        FlagRec f;
        f.cLetter = letter;
        f.cEnabled = enabled;
        std::strcpy(f.szName, name);
        FlagTable().AddRec(f);
    }
}

inline void ClearMarket()
{
    for (CVorlPermTarget* t : std::initializer_list<CVorlPermTarget*> { &BoardTable(), &SecurityTable(),
             &ParticipantTable(), &TraderTable(), &FlagTable() })
        t->Free();
    KvSetActiveRow(nullptr);
    KvLastTradingAccount().clear();
    ResetPriceYieldConversion();
}

// A list window made active for the dialog to read; installed for its lifetime.
struct FakeActiveRow : KvActiveRow {
    FakeActiveRow(uint32_t table, int record)
        : table(table)
        , record(record)
    {
        KvSetActiveRow(this);
    }
    ~FakeActiveRow() override { KvSetActiveRow(nullptr); }
    uint32_t TableId() const override { return table; }
    int RecordIndex() const override { return record; }
    int CurrentColumn() const override { return 0; }
    std::string BookSecurityKey() const override { return bookKey; }
    KvBookRow BookRow() const override { return book; }
    uint32_t table;
    int record;
    std::string bookKey;
    KvBookRow book;
};

// The trader TRADER01 logged on, with two trading accounts of his own.
struct DealSession {
    DealSession()
        : session("TRADER01")
    {
        session.m_sUser = "TRADER01";
        session.GetTrAccLocal()->m_entries = { { "ACC1", "First account" }, { "ACC2", "Second account" } };
        ps = &session;
    }
    ~DealSession() { ps = nullptr; }
    CSession session;
};

} // namespace dealtest
