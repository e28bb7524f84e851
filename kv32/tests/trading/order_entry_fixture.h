// A logged-on trader with two trading accounts, two boards and securities
// whose method permission strings the tests choose, for the order entry form
// and its dialog.
#pragma once

#include <string>
#include <vector>

#include "kv32/res/order_entry_ids.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/local_order_table.h"
#include "kv32/trading/active_row.h"
#include "kv32/trading/order_entry_form.h"
#include "kvcore/app/profile_settings.h"
#include "security_test_fixture.h"
#include "support/kv32_fixture.h"
#include "support/security_records.h"

namespace kv32test {

// Permission positions given as a list: '1' there, '0' elsewhere (32 places).
inline std::string Methods(std::initializer_list<int> positions)
{
    return KvOrderFlags(positions);
}

// Limit, fill any, day: the plain order.
inline std::string PlainMethods()
{
    return Methods({ kFlagLimit, kFlagFillAny, kFlagDay });
}

// The window the dialogs read as the active list window.
struct FakeActiveRow : KvActiveRow {
    uint32_t table = 0;
    int row = -1;
    int column = -1;
    std::string bookKey;
    KvBookRow book;
    uint32_t TableId() const override { return table; }
    int RecordIndex() const override { return row; }
    int CurrentColumn() const override { return column; }
    std::string BookSecurityKey() const override { return bookKey; }
    KvBookRow BookRow() const override { return book; }
};

// A form whose price and yield conversion answers without the host: the
// yield of a price is the price / 2, the price of a yield twice the yield.
inline void ConvertLocally(COrderEntryForm& form)
{
    form.convert = [](const PriceYieldInput& in, CDouble& out) {
        const double v = static_cast<double>(in.value);
        out = in.yieldEntered ? CDouble(v * 2, in.priceDecimals) : CDouble(v / 2, in.yieldDecimals);
        return PriceYieldResult::Converted;
    };
}

class OrderEntryFixture : public Kv32Fixture {
protected:
    OrderEntryFixture()
        : session("TRADER01")
    {
        FreeAll();
        Feed(StatusTable(), 115, StatusRecord(1, "001", 'A', "Active", "0110", true));
        Feed(BoardTable(), 22, BoardRecord(1, "BRD1", "Main board", 'A'));
        Feed(BoardTable(), 22, BoardRecord(2, "BRD2", "Second board", 'A', true));
        Feed(MarketTable(), 20, MarketRecord(1, "MKT1", "Equities", 'A', true));
        session.m_sUser = "TRADER01";
        session.GetTrAccLocal()->m_entries = { { "ACC1", "Main account" }, { "ACC2", "Second account" } };
        ps = &session;
        fErrorCheckEx = 1;
        nErrorEx = 0;
    }
    ~OrderEntryFixture() override
    {
        FreeAll();
        ps = nullptr;
    }
    static void FreeAll()
    {
        for (CVorlPermTarget* t : { static_cast<CVorlPermTarget*>(&StatusTable()),
                 static_cast<CVorlPermTarget*>(&BoardTable()), static_cast<CVorlPermTarget*>(&MarketTable()),
                 static_cast<CVorlPermTarget*>(&SecurityTable()) })
            t->Free();
        BoardTable().m_nCurrent = MarketTable().m_nCurrent = -1;
        OrderTable().Free();
        LocalOrderTable().RemoveAll();
        LocalOrderTable().m_workAreas.clear();
        CDefSelTable& d = DefSelTable();
        d.m_anChoice[0] = d.m_anChoice[1] = d.m_anChoice[2] = 0;
        d.m_entries.clear();
        d.m_sText.clear();
        d.m_sCurrent.clear();
        KvLastTradingAccount().clear();
        KvSetActiveRow(nullptr);
    }
    // A security on the main board with these methods; its row.
    static int AddSecurity(
        const std::string& shortName, const std::string& methods, const std::string& board = "BRD1")
    {
        SecuritySpec spec;
        spec.shortName = shortName;
        spec.board = board;
        spec.name = "Name of " + shortName;
        spec.instrument = (shortName + "000000000000").substr(0, 12);
        SecurityTable().DecodeSnapshot(SecuritySnapshot(spec));
        const int row = SecurityTable().FindByCode(SecurityCode(spec));
        if (row >= 0)
            CSecurityTable::TakeMethods(*SecurityTable().GetRec(row), methods);
        return row;
    }
    static std::string Key(const std::string& shortName, const std::string& board = "BRD1")
    {
        SecuritySpec spec;
        spec.shortName = shortName;
        spec.board = board;
        spec.instrument = (shortName + "000000000000").substr(0, 12);
        return SecurityCode(spec);
    }
    // The form on the main board's security of that name.
    static void Choose(
        COrderEntryForm& form, const std::string& shortName, const std::string& board = "Main board")
    {
        const auto& boards = form.Control(IDC_OE_BOARD).items;
        for (size_t i = 0; i < boards.size(); ++i)
            if (boards[i] == board)
                form.SelectBoard(static_cast<int>(i));
        const auto& secs = form.Control(IDC_OE_SECURITY).items;
        for (size_t i = 0; i < secs.size(); ++i)
            if (secs[i] == shortName)
                form.SelectSecurity(static_cast<int>(i));
    }
    // The orders sent so far.
    std::vector<Msg> Orders() const
    {
        std::vector<Msg> orders;
        for (const Msg& m : router.Requests())
            if (m.type == KvOrderRecord::kTransaction)
                orders.push_back(m);
        return orders;
    }
    // The record of the plain day buy of 100 at 12.5 on SEC1 from ACC1.
    static std::string GoldenDayBuy()
    {
        return "TRADER01    ACC1        B" + Methods({ kFlagLimit, kFlagFillAny, kFlagDay }) + Key("SEC1")
            + "000001250" + std::string(9, ' ') + "0000000000000100" + std::string(16, '0')
            + std::string(40, ' ') + std::string(14, ' ') + "000000000" + std::string(8, ' ')
            + std::string(16, '0');
    }

    CSession session;
};

} // namespace kv32test
