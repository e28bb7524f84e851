// A market maker's two-sided quote and a tick down, entered in the dialogs
// against the simulated exchange in process: the scripted router hands each
// request packet to the exchange and its reply back.
#if KV32_HAVE_EXCHANGE

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/exchange.h"
#include "deal_dialogs/deal_fixture.h"
#include "fw/core/clock.h"
#include "fw/test/fwtest.h"
#include "kv32/dialogs/mm_order_dlg.h"
#include "kv32/dialogs/nd_amend_dlg.h"
#include "kv32/dialogs/nd_conf_dlg.h"
#include "kv32/dialogs/mm_tick_dlg.h"
#include "kv32/res/market_dialogs_ids.h"
#include "kv32/shell/kv_app_logic.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/router/info_req.h"
#include "support/clock_support.h"
#include "support/exchange_link.h"
#include "support/scratch_settings.h"
#include "support/scripted_router.h"
#include "support/ui_recorder.h"

namespace {

const char* const kMaker = "BRK12MM";
// Five minutes after the seed's first deal was entered, within its confirmation period.
const char* const kWhileDealOneOpen = "100500";

// One seed user logged on to the exchange in process, with one trading account.
class ExchangeSession : public ::testing::Test {
protected:
    // time: the exchange's time of day, hhmmss.
    ExchangeSession(const char* user, const char* account, std::string time = "120000")
        : router(user)
        , link(router, user, time)
        , session(user)
    {
        session.m_sUser = user;
        session.GetTrAccLocal()->m_entries = { { account, "" } };
    }
    ~ExchangeSession() override
    {
        KvSetActiveRow(nullptr);
        for (CVorlPermTarget* table : CVorlPermTarget::apPermTargets)
            table->Free();
        ps = nullptr;
    }

    // The reference tables, and the deals when asked, as the program loads them.
    void LoadTables(bool deals)
    {
        CKvTables& t = KvTables();
        std::vector<CVorlPermTarget*> order = { &t.boards, &t.statuses, &t.sectors, &t.markets, &t.instruments,
            &t.letterCodes, &t.securities, &t.participants, &t.traders };
        if (deals)
            order.push_back(&t.deals);
        for (CVorlPermTarget* table : order)
            ASSERT_EQ(table->Load(), 1);
        app.CollectAllRequests();
        ASSERT_TRUE(VORLInfoReqEnd());
        ASSERT_EQ(app.VORLInfoReqRecv(), 1);
        ps = &session;
    }
    // The firm's standing market-maker orders on the security, buy then sell prices.
    std::vector<std::pair<char, int64_t>> Quotes(const std::string& key) const
    {
        std::vector<std::pair<char, int64_t>> out;
        for (const exchange::Order& o : link.host->data().orders)
            if (o.status == 'O' && o.flags[5] == '1' && o.firm == "BRK12" && o.securityKey == key)
                out.emplace_back(o.side, o.price);
        return out;
    }

    kv32test::ScratchSettingsDir settings;
    fw::ManualClock clock { 0, kvtest::LocalMoment(2026, 12, 10, 12, 0, 0) };
    fw::ClockScope clockScope { clock };
    kv32test::ScriptedRouter router;
    kv32test::UiRecorder ui;
    CKvAppLogic app;
    kv32test::ExchangeLink link;
    CSession session;
};

class MarketMakerAgainstExchange : public ExchangeSession {
protected:
    MarketMakerAgainstExchange()
        : ExchangeSession(kMaker, "BRK12A1")
    {
    }
};

class CounterpartyAgainstExchange : public ExchangeSession {
protected:
    CounterpartyAgainstExchange()
        : ExchangeSession("BRK2T1", "BRK2A1", kWhileDealOneOpen)
    {
    }
};

class DealOwnerAgainstExchange : public ExchangeSession {
protected:
    DealOwnerAgainstExchange()
        : ExchangeSession("BRK1T1", "BRK1A1", kWhileDealOneOpen)
    {
    }
};

TEST_F(MarketMakerAgainstExchange, BothSidesQuotedThenTickedDownOneStep)
{
    LoadTables(false);
    CKvTables& t = KvTables();

    int row = -1;
    for (int i = 0; i < t.securities.GetCount() && row < 0; ++i)
        if (std::string_view(t.securities.GetRec(i)->szCode).substr(0, 14) == "0MAINSHR000001")
            row = i;
    ASSERT_GE(row, 0) << "the seed data's first share on the main board";
    const std::string key = t.securities.GetRec(row)->szCode;
    dealtest::FakeActiveRow securities(kListSecurities, row);

    fw::test::Script script;
    script.answerMessageBox(fw::IDOK);
    script.answerMessageBox(fw::IDOK);
    CMMkrOrder form;
    EXPECT_EQ(fw::test::runModal(form, [&](fw::Dialog& d) {
        auto& f = static_cast<CMMkrOrder&>(d);
        EXPECT_EQ(f.SecurityRow(), row) << "opened from the securities window";
        f.SetPriceText(true, "2700.00");
        f.SetQuantity(true, 10);
        f.SetPriceText(false, "2800.00");
        f.SetQuantity(false, 10);
        d.userClick(fw::kIdOk);
    }),
        fw::IDOK);
    EXPECT_EQ(Quotes(key), (std::vector<std::pair<char, int64_t>> { { 'B', 270000 }, { 'S', 280000 } }));

    CMMkrTickDlg tick;
    EXPECT_EQ(fw::test::runModal(tick, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_TK_SECURITY), t.securities.GetRec(row)->szShortName);
        d.userSelect(IDC_TK_FIRM, d.findStringExact(IDC_TK_FIRM, -1, "BRK12"));
        d.userClick(IDC_TK_ALL_USERS);
        d.userClick(IDC_TK_DOWN);
        d.userType(IDC_TK_TICKS, "1");
        d.userClick(fw::kIdOk);
    }),
        fw::IDOK);
    const int64_t step = link.host->security(key)->tick;
    EXPECT_EQ(Quotes(key), (std::vector<std::pair<char, int64_t>> { { 'B', 270000 - step }, { 'S', 280000 - step } }));
    EXPECT_EQ(script.messageBoxes(), (std::vector<std::string> { "Quotes entered.", "2 orders moved." }));
}

TEST_F(CounterpartyAgainstExchange, ConfirmingAnOpenDealMatchesIt)
{
    LoadTables(true);
    const int row = NegDealTable().FindRowByNumber(1);
    ASSERT_GE(row, 0) << "the seed's first deal waits for BRK2";
    ASSERT_EQ(link.host->data().deals.front().status, 'O');
    const size_t tradesBefore = link.host->data().trades.size();
    fw::test::Script script;
    script.answerMessageBox(fw::IDOK);
    CNDConfDlg dlg(row);
    EXPECT_EQ(fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_NA_ACCOUNT), "BRK2A1");
        d.userClick(fw::kIdOk);
    }),
        fw::IDOK);
    EXPECT_EQ(script.messageBoxes(), std::vector<std::string> { "Deal 1 matched." });
    EXPECT_EQ(link.host->data().deals.front().status, 'M');
    EXPECT_EQ(link.host->data().trades.size(), tradesBefore + 1) << "the matched deal made its trade";
}

TEST_F(DealOwnerAgainstExchange, AmendingAnOpenDealChangesItsQuantity)
{
    LoadTables(true);
    const int row = NegDealTable().FindRowByNumber(1);
    ASSERT_GE(row, 0);
    fw::test::Script script;
    script.answerMessageBox(fw::IDOK);
    CNDAmendDlg dlg(false, row);
    EXPECT_EQ(fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_FALSE(d.itemText(IDC_NA_COUNTERPARTY).empty()) << "the deal's counterparty is shown";
        static_cast<CNDAmendDlg&>(d).SetQuantity(250);
        d.userClick(fw::kIdOk);
    }),
        fw::IDOK);
    ASSERT_EQ(script.messageBoxes().size(), 1u);
    const exchange::Deal& deal = link.host->data().deals.front();
    EXPECT_EQ(deal.status, 'O');
    EXPECT_EQ(deal.quantity, 250);
    EXPECT_EQ(deal.price, 277450) << "the price goes back as it was";
    EXPECT_EQ(deal.counterUser, "BRK2T1");
}

} // namespace

#endif
