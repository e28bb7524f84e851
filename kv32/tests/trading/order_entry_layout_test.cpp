#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "fw/core/command.h"
#include "kv32/tables/right_table.h"
#include "kv32/trading/order_entry_layout.h"
#include "trading/order_entry_fixture.h"

namespace {

class OrderEntryLayout : public kv32test::OrderEntryFixture {
protected:
    static void MakePrimary(int row) { std::strcpy(SecurityTable().GetRec(row)->szDistribution, "Yes"); }
};

TEST_F(OrderEntryLayout, TheSelectedSecurityOrElseEverySecurityDecides)
{
    EXPECT_FALSE(KvOrderEntryPrimaryLayout()) << "no securities at all";
    const int regular = AddSecurity("SEC1", kv32test::PlainMethods());
    const int primary = AddSecurity("PD1", kv32test::PlainMethods());
    MakePrimary(primary);

    kv32test::FakeActiveRow active;
    struct Case {
        uint32_t table;
        int row;
        bool expected;
    };
    const Case cases[] = {
        { kListSecurities, primary, true },
        { kListSecurities, regular, false },
        { kListSecurities, -1, false }, // no row: not every security is one
        { kListOrderBook, primary, false }, // the book's row is no security row
        { kListNone, -1, false },
    };
    for (const Case& c : cases) {
        active.table = c.table;
        active.row = c.row;
        KvSetActiveRow(c.table == kListNone ? nullptr : &active);
        EXPECT_EQ(KvOrderEntryPrimaryLayout(), c.expected) << c.table << " " << c.row;
    }
    MakePrimary(regular);
    KvSetActiveRow(nullptr);
    EXPECT_TRUE(KvOrderEntryPrimaryLayout()) << "every security is a primary distribution";
}

TEST_F(OrderEntryLayout, BuyAndSellRunTheFormWhenTheRightsAllow)
{
    AddSecurity("SEC1", kv32test::PlainMethods());
    fw::CommandMap map;
    std::vector<std::pair<int, bool>> runs;
    KvBindOrderEntryCommands(map, [&runs](int side, bool primary) { runs.emplace_back(side, primary); });
    RightTable().Free();
    const auto run = [&map](unsigned id) { (*map.findCommand(id))(id); };
    // Without a rights record of the order transaction nothing opens.
    run(ID_ORDER_BUY);
    EXPECT_TRUE(runs.empty());
    RightTable().AddRec(RightRec { 0, 132, 0, 1 });
    run(ID_ORDER_BUY);
    run(ID_ORDER_SELL);
    EXPECT_EQ(runs, (std::vector<std::pair<int, bool>> { { 1, false }, { 2, false } }));
    fw::CmdUI ui(ID_ORDER_SELL);
    (*map.findUpdate(ID_ORDER_SELL))(ui);
    EXPECT_TRUE(ui.enabled());
    RightTable().Free();
}

} // namespace
