// The program's logic against the simulated exchange host, in process: the
// scripted router hands every request packet to the exchange and its reply
// back, so the wire layouts meet the host's reading of them.
#if KV32_HAVE_EXCHANGE

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/exchange.h"
#include "kv32/shell/app_commands.h"
#include "kv32/shell/kv_app_logic.h"
#include "kv32/shell/session.h"
#include "kv32/shell/permissions.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/right_table.h"
#include "kvcore/router/info_req.h"
#include "kvcore/security/password.h"
#include "model/dataset.h"
#include "support/exchange_link.h"
#include "support/scripted_router.h"
#include "support/ui_recorder.h"

namespace {

using kv32test::Msg;

class AgainstExchange : public ::testing::Test {
protected:
    explicit AgainstExchange(const char* user = "BRK1T1")
        : router(user)
        , link(router, user)
    {
        RightTable().Free();
    }
    ~AgainstExchange() override { RightTable().Free(); }

    kv32test::ScriptedRouter router;
    kv32test::UiRecorder ui;
    CKvAppLogic app;
    kv32test::ExchangeLink link;
    std::unique_ptr<exchange::Exchange>& host = link.host;
};

TEST_F(AgainstExchange, TraderRightsLoadAndDecideTheCommands)
{
    ASSERT_EQ(RightTable().Load(), 1);
    EXPECT_TRUE(ui.boxes.empty());
    const std::vector<Msg> requests = router.Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests[0].type, 93);
    EXPECT_EQ(requests[0].bytes, "BRK1T1      000000");
    const exchange::RightsSet* expected = host->rights("trader");
    ASSERT_NE(expected, nullptr);
    EXPECT_EQ(RightTable().GetCount(), static_cast<int>(expected->rights.size()));
    EXPECT_EQ(RightTable().GetValue(18), 2);
    EXPECT_EQ(RightTable().GetValue(19), 4);
    EXPECT_TRUE(IsCommandAllowed(32994)); // Buy
    EXPECT_TRUE(IsCommandAllowed(32789)); // Withdraw a deal
    EXPECT_FALSE(IsCommandAllowed(32912)); // Suspend a board: a supervisor's
    EXPECT_FALSE(IsCommandAllowed(32877)); // Network address: type 39
    EXPECT_FALSE(IsCommandAllowed(33076));
}

TEST_F(AgainstExchange, ReferenceAndSecurityTablesLoadAndFollowTheirChanges)
{
    CKvTables& t = KvTables();
    CVorlPermTarget* const order[] = { &t.boards, &t.statuses, &t.sectors, &t.markets, &t.instruments, &t.letterCodes,
        &t.languages, &t.messageTexts, &t.securities, &t.participants, &t.traders, &t.schedule, &t.lastTrades };
    for (CVorlPermTarget* table : order)
        EXPECT_EQ(table->Load(), 1);
    EXPECT_TRUE(ui.boxes.empty());
    ASSERT_GT(t.securities.GetCount(), 0);
    EXPECT_GT(t.boards.GetCount(), 0);
    EXPECT_GT(t.statuses.GetCount(), 0);
    EXPECT_GT(t.participants.GetCount(), 0);
    EXPECT_GT(t.traders.GetCount(), 0);
    for (int i = 0; i < t.securities.GetCount(); ++i) {
        const SecurityRec& s = *t.securities.GetRec(i);
        EXPECT_EQ(s.szCode[0], '0');
        EXPECT_NE(s.szBoardName[0], '\0') << s.szCode;
        EXPECT_NE(s.szStatus[0], '\0') << s.szCode;
        EXPECT_EQ(t.securities.FindByCode(s.szCode), i) << s.szCode;
    }
    EXPECT_EQ(OwnFirmCode(), "BRK1");

    // One poll: every subscription goes out and the host's first change reports apply cleanly.
    app.CollectAllRequests();
    ASSERT_TRUE(VORLInfoReqEnd());
    EXPECT_EQ(app.VORLInfoReqRecv(), 1);
    EXPECT_TRUE(ui.boxes.empty());
    int withMethods = 0;
    for (int i = 0; i < t.securities.GetCount(); ++i)
        withMethods += std::string_view(t.securities.GetRec(i)->szMethods).size() == 32 ? 1 : 0;
    EXPECT_GT(withMethods, 0) << "the permission strings arrive with the first change reports";

    for (CVorlPermTarget* table : order)
        table->Free();
}

// The automation interface's records as the host reads them: an order entered
// through SendOrder is accepted and WithdrawOrder takes it off the book.
TEST_F(AgainstExchange, AutomationOrderIsAcceptedAndWithdrawn)
{
    CKvTables& t = KvTables();
    CVorlPermTarget* const order[] = { &t.boards, &t.statuses, &t.sectors, &t.markets, &t.instruments, &t.securities };
    for (CVorlPermTarget* table : order)
        ASSERT_EQ(table->Load(), 1);
    ASSERT_GT(t.securities.GetCount(), 0);
    const SecurityRec& sec = *t.securities.GetRec(0);
    CSession session("BRK1T1");
    ps = &session;

    CKvAutomationOrder o;
    o.account = "BRK1A1";
    o.quantity = 100;
    o.price = 2774.5;
    o.side = "B";
    o.security = sec.szShortName;
    o.board = sec.szBoardName;
    EXPECT_TRUE(KvAutomationSendOrder(o));
    ASSERT_EQ(ui.boxes.size(), 1u);
    const std::string& accepted = ui.boxes[0].text;
    ASSERT_EQ(accepted.rfind("Order ", 0), 0u) << accepted;
    const long long number = std::stoll(accepted.substr(6));
    EXPECT_TRUE(KvAutomationWithdrawOrder(number));
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[1].text, "1 order withdrawn.");
    EXPECT_FALSE(KvAutomationWithdrawOrder(number)) << "nothing left to withdraw";

    ps = nullptr;
    for (CVorlPermTarget* table : order)
        table->Free();
}

// The user's orders arrive through their standing request from the host's
// first change, page by page, until every order of the user's firm is held.
TEST_F(AgainstExchange, OrdersLoadThroughTheirStandingRequest)
{
    CKvTables& t = KvTables();
    CVorlPermTarget* const order[] = { &t.boards, &t.statuses, &t.sectors, &t.markets, &t.instruments, &t.securities };
    for (CVorlPermTarget* table : order)
        ASSERT_EQ(table->Load(), 1);
    for (CVorlPermTarget* table : CVorlPermTarget::apPermTargets)
        if (table != &t.securities)
            table->Free();
    t.securities.m_bLoaded = false; // its changes would share the replies
    ASSERT_EQ(t.orders.Load(), 1);
    int previous = -1;
    for (int poll = 0; poll < 100 && t.orders.GetCount() != previous; ++poll) {
        previous = t.orders.GetCount();
        app.CollectAllRequests();
        ASSERT_TRUE(VORLInfoReqEnd());
        ASSERT_EQ(app.VORLInfoReqRecv(), 1);
    }
    EXPECT_TRUE(ui.boxes.empty());
    size_t expected = 0;
    for (const exchange::Order& o : host->data().orders)
        expected += o.firm == "BRK1" ? 1 : 0;
    ASSERT_GT(expected, 0u);
    EXPECT_EQ(static_cast<size_t>(t.orders.GetCount()), expected);
    for (const exchange::Order& o : host->data().orders) {
        if (o.firm != "BRK1")
            continue;
        const COrderRec* rec = t.orders.FindSlot(static_cast<uint32_t>(o.number));
        ASSERT_NE(rec, nullptr) << o.number;
        EXPECT_EQ(rec->szSecurityCode, o.securityKey);
        EXPECT_NE(rec->szSecurity[0], '\0') << o.number;
        EXPECT_STREQ(rec->szType, o.flags.c_str());
        EXPECT_EQ(static_cast<double>(rec->dQty), static_cast<double>(o.quantity));
    }

    t.orders.Free();
    for (CVorlPermTarget* table : order)
        table->Free();
}

// The audit trail as the host keeps it: groups, then types with their group
// names, then both event streams, each resumed by its own key.
TEST_F(AgainstExchange, AuditTrailLoadsAndFollowsBothEventStreams)
{
    CKvTables& t = KvTables();
    CVorlPermTarget* const order[] = { &t.boards, &t.securities, &t.auditGroups, &t.auditTypes, &t.audits };
    for (CVorlPermTarget* table : order)
        EXPECT_EQ(table->Load(), 1);
    ASSERT_GT(t.auditGroups.GetCount(), 0);
    ASSERT_GT(t.auditTypes.GetCount(), 0);
    for (int i = 0; i < t.auditTypes.GetCount(); ++i)
        EXPECT_NE(t.auditTypes.GetRec(i)->szGroupName[0], '\0') << t.auditTypes.GetRec(i)->szTypeCode;

    auto poll = [&] {
        ASSERT_EQ(t.audits.UpdateReq(), 1);
        t.audits.OnPostUpdateReq();
        ASSERT_TRUE(VORLInfoReqEnd());
        ASSERT_EQ(app.VORLInfoReqRecv(), 1);
    };
    poll();
    const int received = t.audits.GetCount();
    ASSERT_GE(received, 3);
    EXPECT_NE(t.audits.m_szKeyY[0], '\0');
    EXPECT_NE(t.audits.m_szKeyOther[0], '\0');
    int named = 0;
    for (int i = 0; i < received; ++i)
        named += t.audits.GetRec(i)->szTypeText[0] != '\0' ? 1 : 0;
    EXPECT_EQ(named, received) << "every event's type is known";
    EXPECT_FALSE(ui.logTexts.empty()) << "a status-line event";
    EXPECT_EQ(ui.beeps.size(), 1u);

    // Nothing new: the next poll resumes from both keys and brings nothing again.
    poll();
    EXPECT_EQ(t.audits.GetCount(), received);
    EXPECT_TRUE(ui.boxes.empty());
    for (CVorlPermTarget* table : order)
        table->Free();
}

// Trades and negotiated deals of the user's firm arrive through their
// standing requests; a trade from a deal is told apart by its source letter.
TEST_F(AgainstExchange, TradesAndDealsLoadThroughTheirStandingRequests)
{
    CKvTables& t = KvTables();
    CVorlPermTarget* const order[]
        = { &t.boards, &t.statuses, &t.sectors, &t.markets, &t.instruments, &t.letterCodes, &t.securities };
    for (CVorlPermTarget* table : order)
        ASSERT_EQ(table->Load(), 1);
    for (CVorlPermTarget* table : CVorlPermTarget::apPermTargets)
        if (table != &t.securities && table != &t.letterCodes)
            table->Free();
    t.securities.m_bLoaded = false; // its changes would share the replies
    ASSERT_EQ(t.trades.Load(), 1);
    ASSERT_EQ(t.deals.Load(), 1);
    int previous = -1;
    for (int poll = 0; poll < 100 && t.trades.GetCount() + t.deals.GetCount() != previous; ++poll) {
        previous = t.trades.GetCount() + t.deals.GetCount();
        app.CollectAllRequests();
        ASSERT_TRUE(VORLInfoReqEnd());
        ASSERT_EQ(app.VORLInfoReqRecv(), 1);
    }
    EXPECT_TRUE(ui.boxes.empty());
    size_t trades = 0;
    for (const exchange::Trade& trade : host->data().trades) {
        if (trade.buyFirm != "BRK1" && trade.sellFirm != "BRK1")
            continue;
        ++trades;
        char number[13];
        std::snprintf(number, sizeof number, "%012lld", static_cast<long long>(trade.number));
        const int row = t.trades.FindRowByNumber(number);
        ASSERT_GE(row, 0) << trade.number;
        const CTradeRec& rec = *t.trades.GetRec(row);
        EXPECT_EQ(rec.szSecurityCode, trade.securityKey);
        EXPECT_NE(rec.szSecurity[0], '\0') << trade.number;
        EXPECT_EQ(rec.cDealFlag, trade.source == CTradeTable::kDealSourceLetter ? 'Y' : 'N') << trade.number;
        EXPECT_NE(rec.szTradeSource[0], '\0') << trade.number;
    }
    EXPECT_GT(trades, 0u);
    EXPECT_EQ(static_cast<size_t>(t.trades.GetCount()), trades);
    size_t deals = 0;
    for (const exchange::Deal& deal : host->data().deals) {
        if (deal.firm != "BRK1" && deal.counterFirm != "BRK1")
            continue;
        ++deals;
        const int row = t.deals.FindRowByNumber(static_cast<uint32_t>(deal.number));
        ASSERT_GE(row, 0) << deal.number;
        EXPECT_EQ(t.deals.GetRec(row)->szSecurityCode, deal.securityKey);
    }
    EXPECT_EQ(static_cast<size_t>(t.deals.GetCount()), deals);

    t.trades.Free();
    t.deals.Free();
    for (CVorlPermTarget* table : order)
        table->Free();
}

} // namespace

#endif
