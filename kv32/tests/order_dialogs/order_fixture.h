// Two boards with a security each, a primary distribution security, two
// broker firms with their users, and the user's orders on them: what the
// order amend, withdraw and information dialogs read from the host data
// tables. Everything is emptied again afterwards.
#pragma once

#include <cstring>
#include <string>

#include "kv32/tables/all_tables.h"
#include "security_test_fixture.h"
#include "support/trading_records.h"

namespace kv32test {

class OrderDialogFixture : public SecurityFixture {
protected:
    // Session, Day, good till date and time, and good till cancelled allowed.
    static constexpr const char* kMethods = "11000000000100001100000111110000";

    OrderDialogFixture()
    {
        FreeOrderTables();
        SecuritySpec sec1; // 0BRD1INSTR0000001 "SEC1" on "Main board", decimals 2, 3, 2
        SetMethods(AddSecurity(sec1), kMethods);
        SecuritySpec sec2;
        sec2.key = 2;
        sec2.board = "BRD2";
        sec2.instrument = "INSTR0000002";
        sec2.shortName = "SEC2";
        SetMethods(AddSecurity(sec2), kMethods);
        SecuritySpec primary;
        primary.key = 3;
        primary.instrument = "INSTR0000003";
        primary.shortName = "PDS1";
        primary.distribution = 'P';
        primary.last = true;
        SetMethods(AddSecurity(primary), kMethods);
        AddFirm("BRK1", "Broker One");
        AddFirm("BRK2", "Broker Two");
        AddTrader("TRADER01", "Trader One", "BRK1");
        AddTrader("TRADER02", "Trader Two", "BRK1");
        AddTrader("TRADER03", "Trader Three", "BRK2");
    }
    ~OrderDialogFixture() override { FreeOrderTables(); }

    static void FreeOrderTables()
    {
        KvTables().orders.Free();
        KvTables().orders.m_nMaxOrderNo = 0; // so that every test's orders count as new
        KvTables().trades.Free();
        KvTables().deals.Free();
        KvTables().participants.Free();
        KvTables().traders.Free();
    }
    static void SetMethods(int row, const char* methods)
    {
        ASSERT_GE(row, 0);
        std::strcpy(SecurityTable().GetRec(row)->szMethods, methods);
    }
    static void AddFirm(const char* code, const char* name)
    {
        ParticipantRec rec;
        std::strcpy(rec.szCode, code);
        std::strcpy(rec.szName, name);
        std::strcpy(rec.szType, "BROK");
        ParticipantTable().AddRec(rec);
    }
    static void AddTrader(const char* code, const char* name, const char* firm)
    {
        TraderRec rec;
        std::strcpy(rec.szCode, code);
        std::strcpy(rec.szName, name);
        std::strcpy(rec.szFirm, firm);
        TraderTable().AddRec(rec);
    }
    // A day order of 100 at 12.50 on SEC1, as the host reports it.
    static OrderSpec DayOrder(long long number, char side = 'B')
    {
        OrderSpec o;
        o.number = number;
        o.seq = number;
        o.side = side;
        o.flags = std::string(32, '0');
        o.flags[1] = '1';
        o.flags[17] = '1';
        o.flags[25] = '1';
        o.price = 1250;
        o.quantity = 100;
        o.balance = 60;
        o.expiryDate = "00000000";
        o.settleDate = "00000000";
        return o;
    }
    // Stores the order in the order table; its record.
    static const COrderRec& AddOrder(const OrderSpec& spec)
    {
        Feed(KvTables().orders, COrderTable::kRequest, OrderRecord(spec));
        const COrderRec* rec = KvTables().orders.FindSlot(static_cast<uint32_t>(spec.number));
        EXPECT_NE(rec, nullptr) << spec.number;
        return *rec;
    }
    static const SecurityRec* SecurityOf(const COrderRec& order)
    {
        const int row = SecurityTable().FindByCode(order.szSecurityCode);
        return row < 0 ? nullptr : SecurityTable().GetRec(row);
    }
};

} // namespace kv32test
