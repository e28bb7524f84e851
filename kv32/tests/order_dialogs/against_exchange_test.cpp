// The amend and withdraw dialogs against the simulated exchange host, in
// process: the scripted router hands every request to the exchange, so the
// texts the dialogs build meet the host's reading of them.
#if KV32_HAVE_EXCHANGE

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/exchange.h"
#include "fw/test/fwtest.h"
#include "kv32/dialogs/amend_dlg.h"
#include "kv32/dialogs/withdraw_dlg.h"
#include "kv32/res/order_dialogs_ids.h"
#include "kv32/shell/app_commands.h"
#include "kv32/shell/kv_app_logic.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/right_table.h"
#include "kvcore/router/info_req.h"
#include "order_dialogs/order_dialogs_support.h"
#include "support/exchange_link.h"
#include "support/scripted_router.h"
#include "support/ui_recorder.h"

namespace kv32test {
namespace {

class OrderDialogsAgainstExchange : public ::testing::Test {
protected:
    OrderDialogsAgainstExchange()
        : router("BRK1T1")
        , link(router, "BRK1T1")
        , session("BRK1T1")
    {
        RightTable().Free();
        session.m_sUser = "BRK1T1";
        ps = &session;
    }
    ~OrderDialogsAgainstExchange() override
    {
        ps = nullptr;
        KvTables().orders.Free();
        KvTables().orders.m_nMaxOrderNo = 0;
        for (CVorlPermTarget* table : CVorlPermTarget::apPermTargets)
            table->Free();
        RightTable().Free();
    }

    void LoadReferenceTables()
    {
        CKvTables& t = KvTables();
        for (CVorlPermTarget* table : { static_cast<CVorlPermTarget*>(&t.boards), static_cast<CVorlPermTarget*>(&t.statuses),
                 static_cast<CVorlPermTarget*>(&t.sectors), static_cast<CVorlPermTarget*>(&t.markets),
                 static_cast<CVorlPermTarget*>(&t.instruments), static_cast<CVorlPermTarget*>(&t.securities),
                 static_cast<CVorlPermTarget*>(&t.participants), static_cast<CVorlPermTarget*>(&t.traders) })
            ASSERT_EQ(table->Load(), 1);
    }

    // Polls (the order stream with every loaded table) until the order is held; its row.
    int PollForOrder(long long number)
    {
        COrderTable& orders = KvTables().orders;
        for (int poll = 0; poll < 20 && orders.FindRow(static_cast<uint32_t>(number)) < 0; ++poll) {
            app.CollectAllRequests();
            EXPECT_TRUE(VORLInfoReqEnd());
            EXPECT_EQ(app.VORLInfoReqRecv(), 1);
        }
        return orders.FindRow(static_cast<uint32_t>(number));
    }

    const exchange::Order* HostOrder(long long number) const
    {
        for (const exchange::Order& o : link.host->data().orders)
            if (o.number == number)
                return &o;
        return nullptr;
    }

    ScriptedRouter router;
    UiRecorder ui;
    CKvAppLogic app;
    ExchangeLink link;
    CSession session;
};

TEST_F(OrderDialogsAgainstExchange, AnAcceptedOrderIsAmendedAndWithdrawn)
{
    LoadReferenceTables();
    CKvTables& t = KvTables();
    const SecurityRec& sec = *t.securities.GetRec(0);
    CKvAutomationOrder o;
    o.account = "BRK1A1";
    o.quantity = 100;
    o.price = 2774.5;
    o.side = "B";
    o.security = sec.szShortName;
    o.board = sec.szBoardName;
    ASSERT_TRUE(KvAutomationSendOrder(o));
    ASSERT_EQ(ui.boxes.size(), 1u);
    ASSERT_EQ(ui.boxes[0].text.rfind("Order ", 0), 0u) << ui.boxes[0].text;
    const long long number = std::stoll(ui.boxes[0].text.substr(6));

    ASSERT_EQ(t.orders.Load(), 1);
    const int row = PollForOrder(number);
    ASSERT_GE(row, 0);

    CAmendDlg amend(row);
    const int amended = fw::test::runModal(amend, [&](fw::Dialog& d) {
        TypeNumber(d, IDC_AMD_QUANTITY, "150");
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(amended, fw::IDOK);
    ASSERT_EQ(ui.boxes.size(), 2u);
    const std::string prefix = "Order " + std::to_string(number) + " amended as order ";
    ASSERT_EQ(ui.boxes[1].text.rfind(prefix, 0), 0u) << ui.boxes[1].text;
    const long long fresh = std::stoll(ui.boxes[1].text.substr(prefix.size()));
    const exchange::Order* next = HostOrder(fresh);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(static_cast<double>(next->quantity), 150.0);
    ASSERT_NE(HostOrder(number), nullptr);
    EXPECT_EQ(HostOrder(number)->status, 'A');

    const int freshRow = PollForOrder(fresh);
    ASSERT_GE(freshRow, 0);
    CWithdrawDlg withdraw(freshRow);
    const int withdrawn = fw::test::runModal(withdraw, [&](fw::Dialog& d) { d.userClick(fw::kIdOk); });
    EXPECT_EQ(withdrawn, fw::IDOK);
    ASSERT_EQ(ui.boxes.size(), 3u);
    EXPECT_EQ(ui.boxes[2].text, "1 order withdrawn.");
    EXPECT_EQ(HostOrder(fresh)->status, 'W');
}

} // namespace
} // namespace kv32test

#endif
