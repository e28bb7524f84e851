// A deal entered in the dialog, against the simulated exchange in process: the
// scripted router hands each request packet to the exchange and its reply back.
#if KV32_HAVE_EXCHANGE

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/exchange.h"
#include "deal_dialogs/deal_fixture.h"
#include "fw/core/clock.h"
#include "fw/test/fwtest.h"
#include "kv32/dialogs/neg_deal_dlg.h"
#include "kv32/res/deal_dialogs_ids.h"
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

class DealAgainstExchange : public ::testing::Test {
protected:
    DealAgainstExchange()
        : router("BRK1T1")
        , link(router, "BRK1T1")
    {
    }
    ~DealAgainstExchange() override
    {
        KvSetActiveRow(nullptr);
        for (CVorlPermTarget* table : CVorlPermTarget::apPermTargets)
            table->Free();
        ps = nullptr;
    }


    kv32test::ScratchSettingsDir settings;
    fw::ManualClock clock { 0, kvtest::LocalMoment(2026, 12, 10, 12, 0, 0) };
    fw::ClockScope clockScope { clock };
    kv32test::ScriptedRouter router;
    kv32test::UiRecorder ui;
    CKvAppLogic app;
    kv32test::ExchangeLink link;
    CSession session { "BRK1T1" };
};

TEST_F(DealAgainstExchange, DealEnteredInTheDialogIsAccepted)
{
    CKvTables& t = KvTables();
    CVorlPermTarget* const order[] = { &t.boards, &t.statuses, &t.sectors, &t.markets, &t.instruments, &t.letterCodes,
        &t.securities, &t.participants, &t.traders };
    for (CVorlPermTarget* table : order)
        ASSERT_EQ(table->Load(), 1);
    // One poll brings the permission strings with the first change reports.
    app.CollectAllRequests();
    ASSERT_TRUE(VORLInfoReqEnd());
    ASSERT_EQ(app.VORLInfoReqRecv(), 1);

    // A security of the block board, where deals are allowed.
    int row = -1;
    for (int i = 0; i < t.securities.GetCount() && row < 0; ++i) {
        const SecurityRec& s = *t.securities.GetRec(i);
        if (std::string_view(s.szCode + 1, 4) == "BLCK" && s.cNegDealFlag == '1')
            row = i;
    }
    ASSERT_GE(row, 0) << "the seed data has a security that allows deals";
    const int firm = t.participants.FindByCode("BRK2");
    ASSERT_GE(firm, 0);
    const std::string firmName = t.participants.GetRec(firm)->szName;

    session.m_sUser = "BRK1T1";
    session.GetTrAccLocal()->m_entries = { { "BRK1A1", "" } };
    ps = &session;
    dealtest::FakeActiveRow securities(kListSecurities, row);
    const size_t dealsBefore = link.host->data().deals.size();

    fw::test::Script script;
    script.answerMessageBox(fw::IDOK);
    CNegDealDlg dlg(kDealSell);
    const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
        auto& deal = static_cast<CNegDealDlg&>(d);
        EXPECT_EQ(deal.SecurityRow(), row) << "opened from the securities window";
        d.userSelect(IDC_ND_COUNTER_FIRM, d.findStringExact(IDC_ND_COUNTER_FIRM, -1, firmName));
        d.userSelect(IDC_ND_COUNTERPARTY, 0);
        deal.SetPriceText("2774.50");
        deal.SetQuantity(100);
        d.userType(IDC_ND_CONFIRM_PERIOD, "30");
        d.userType(IDC_ND_REFERENCE, "DESK-1");
        ASSERT_TRUE(d.isItemEnabled(fw::kIdOk));
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(result, fw::IDOK);
    ASSERT_EQ(script.messageBoxes().size(), 1u);
    EXPECT_EQ(script.messageBoxes()[0].rfind("Deal ", 0), 0u) << script.messageBoxes()[0];
    ASSERT_EQ(link.host->data().deals.size(), dealsBefore + 1);
    const exchange::Deal& entered = link.host->data().deals.back();
    EXPECT_EQ(entered.user, "BRK1T1");
    EXPECT_EQ(entered.account, "BRK1A1");
    EXPECT_EQ(entered.side, 'S');
    EXPECT_EQ(entered.counterFirm, "BRK2");
    EXPECT_EQ(entered.price, 277450);
    EXPECT_EQ(entered.quantity, 100);
    EXPECT_EQ(entered.reference, "DESK-1");
    EXPECT_EQ(entered.confirmMinutes, 30);
    EXPECT_EQ(entered.source, 'N') << "the last trade source listed";
}

} // namespace

#endif
