// The order entry dialog against the simulated exchange in process: the
// scripted router hands every packet to the exchange, so the record the
// dialog builds meets the host's reading of it.
#if KV32_HAVE_EXCHANGE

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/exchange.h"
#include "fw/test/fwtest.h"
#include "kv32/dialogs/order_entry_dlg.h"
#include "kv32/res/order_entry_ids.h"
#include "kv32/shell/kv_app_logic.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/right_table.h"
#include "kv32/trading/active_row.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/router/info_req.h"
#include "support/exchange_link.h"
#include "support/scripted_router.h"
#include "support/ui_recorder.h"

namespace {

using kv32test::Msg;

class OrderEntryAgainstExchange : public ::testing::Test {
protected:
    OrderEntryAgainstExchange()
        : router("BRK1T1")
        , link(router, "BRK1T1")
        , session("BRK1T1")
    {
        CKvTables& t = KvTables();
        for (CVorlPermTarget* table : Tables())
            EXPECT_EQ(table->Load(), 1);
        // The method permission strings come with the first change reports.
        app.CollectAllRequests();
        EXPECT_TRUE(VORLInfoReqEnd());
        EXPECT_EQ(app.VORLInfoReqRecv(), 1);
        t.securities.m_bLoaded = false;
        session.m_sUser = "BRK1T1";
        session.GetTrAccLocal()->m_entries
            = { { "BRK1A1", "Main account" }, { "NOSUCH", "Not at the host" } };
        ps = &session;
        fErrorCheckEx = 1;
        KvLastTradingAccount().clear();
    }
    ~OrderEntryAgainstExchange() override
    {
        ps = nullptr;
        for (CVorlPermTarget* table : Tables())
            table->Free();
        RightTable().Free();
    }
    std::vector<CVorlPermTarget*> Tables()
    {
        CKvTables& t = KvTables();
        return { &t.boards, &t.statuses, &t.sectors, &t.markets, &t.instruments, &t.securities };
    }
    // The first security that takes day limit orders and a trading account.
    const SecurityRec* Tradable() const
    {
        CSecurityTable& table = SecurityTable();
        for (int i = 0; i < table.GetCount(); ++i) {
            const SecurityRec& s = *table.GetRec(i);
            if (KvFlagSet(s.szMethods, kFlagLimit) && KvFlagSet(s.szMethods, kFlagDay)
                && !KvFlagSet(s.szMethods, kFlagNoAccount) && s.szDistribution[0] == '\0'
                && s.cStatusKind == 'A')
                return &s;
        }
        return nullptr;
    }
    // Enters an order of 100 at the price in the dialog on the side given; the dialog's result.
    int Enter(int side, const SecurityRec& s, const std::string& price, int account,
        std::vector<std::string>* state)
    {
        COrderEntryDlg dlg(side, 0);
        return fw::test::runModal(dlg, [&](fw::Dialog& d) {
            d.userSelect(IDC_OE_BOARD, d.findStringExact(IDC_OE_BOARD, -1, s.szBoardName));
            d.userSelect(IDC_OE_SECURITY, d.findStringExact(IDC_OE_SECURITY, -1, s.szShortName));
            d.userSelect(IDC_OE_ACCOUNT, account);
            d.userClick(IDC_OE_LIMIT);
            d.userClick(IDC_OE_DAY);
            d.userType(IDC_OE_PRICE, price);
            d.userType(IDC_OE_QUANTITY, "100");
            d.userClick(fw::kIdOk);
            if (d.isVisible()) {
                if (state != nullptr)
                    *state = { std::to_string(d.focusId()) };
                d.onCancel();
            }
        });
    }

    kv32test::ScriptedRouter router;
    kv32test::UiRecorder ui;
    CKvAppLogic app;
    kv32test::ExchangeLink link;
    CSession session;
};

TEST_F(OrderEntryAgainstExchange, BuyAndSellAreAcceptedAndARefusalShowsTheHostsText)
{
    const SecurityRec* s = Tradable();
    ASSERT_NE(s, nullptr) << "the seed data has a security for day limit orders";
    const std::string price
        = CDouble(static_cast<double>(s->dLast) > 0 ? static_cast<double>(s->dLast) : 10.0,
            static_cast<unsigned>(s->nPriceDec))
              .Format(0, 1);
    const size_t before = link.host->data().orders.size();
    for (int side : { 1, 2 }) {
        ui.boxes.clear();
        EXPECT_EQ(Enter(side, *s, price, 0, nullptr), fw::IDOK) << side;
        ASSERT_EQ(ui.boxes.size(), 1u) << side;
        EXPECT_EQ(ui.boxes[0].text.rfind("Order ", 0), 0u) << ui.boxes[0].text;
        EXPECT_EQ(ui.boxes[0].flags & fw::MB_ICONSTOP, 0u) << ui.boxes[0].text;
    }
    ASSERT_GE(link.host->data().orders.size(), before + 2);
    const exchange::Order& sell = link.host->data().orders.back();
    EXPECT_EQ(sell.user, "BRK1T1");
    EXPECT_EQ(sell.quantity, 100);

    // An account the host does not know: its text shows and the focus goes to the account.
    ui.boxes.clear();
    std::vector<std::string> state;
    EXPECT_NE(Enter(1, *s, price, 1, &state), fw::IDOK);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Invalid trading account.");
    EXPECT_NE(ui.boxes[0].flags & fw::MB_ICONSTOP, 0u);
    ASSERT_EQ(state.size(), 1u);
    EXPECT_EQ(state[0], std::to_string(IDC_OE_ACCOUNT));
}

} // namespace

#endif
