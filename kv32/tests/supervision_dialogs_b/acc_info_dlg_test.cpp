// The account information of a list window's row and the depository
// accounts, offscreen over the scripted router.
#include <gtest/gtest.h>

#include "kv32/dialogs/supervision/acc_info_dlg.h"
#include "kv32/dialogs/supervision/depo_accounts_dlg.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/res/supervision_b_ids.h"
#include "security_test_fixture.h"
#include "supervision_dialogs_b/account_dialogs_fixture.h"
#include "support/trading_records.h"

namespace {

using namespace acctest;

std::string InfoReply()
{
    return std::string(10, ' ') + Pad("TACC", 12) + std::string(12, ' ') + Pad("DEP9", 12) + std::string(12, ' ')
        + "00001500000" + "00001234567" + "0000000300" + "0000000040";
}

class AccountInfoDialog : public AccountDialogs {
protected:
    AccountInfoDialog()
    {
        kv32test::TradeSpec t;
        t.buyAccount = "TACC";
        t.code = "0BRD1INSTR0000001";
        kv32test::Feed(TradeTable(), CTradeTable::kRequest, kv32test::TradeRecord(t));
    }
    ~AccountInfoDialog() override { TradeTable().Free(); }
};

TEST_F(AccountInfoDialog, TheTradesCommandShowsTheHostsPositionWithGrouping)
{
    KvInstallAccountInfoDialog();
    const KvCommandDialog* run = KvFindCommandDialog(ID_SUMMARY_TRADING_ACCOUNT);
    ASSERT_NE(run, nullptr);
    FakeActiveRow trades(kListTrades, 0);
    router.Reply({ { 47, InfoReply() }, End() });
    script.expectDialog(IDD_ACC_INFO, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_INF_ACCOUNT), "TACC");
        EXPECT_EQ(d.itemText(IDC_INF_DEPOSITORY), "DEP9");
        EXPECT_EQ(d.itemText(IDC_INF_OPEN), "1,500,000");
        EXPECT_EQ(d.itemText(IDC_INF_CURRENT), "1,234,567");
        EXPECT_EQ(d.itemText(IDC_INF_PLANNED_BUY), "300");
        EXPECT_EQ(d.itemText(IDC_INF_PLANNED_SELL), "40");
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ((*run)(0), fw::IDOK);
    EXPECT_EQ(Sent(47), std::vector<std::string> { kUser + std::string(10, '0') + Pad("TACC", 12)
                                                    + std::string(12, ' ') + "INSTR0000001" });
    KvSetCommandDialog(ID_SUMMARY_TRADING_ACCOUNT, nullptr);
}

TEST_F(AccountInfoDialog, WithoutAnAnswerEveryValueIsZero)
{
    FakeActiveRow other(kListSecurities, 0);
    router.Reply({ End() });
    CTrAccInfoDlg dlg;
    EXPECT_EQ(dlg.Subject(), KvAccountSubject {});
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_INF_ACCOUNT), "");
        for (uint32_t id : { IDC_INF_OPEN, IDC_INF_CURRENT, IDC_INF_PLANNED_BUY, IDC_INF_PLANNED_SELL })
            EXPECT_EQ(d.itemText(id), "0") << id;
        d.userClick(fw::kIdOk);
    });
}

Msg Depo(const std::vector<std::string>& rows)
{
    std::string text = Digits(static_cast<int>(rows.size()), 6);
    for (const std::string& r : rows)
        text += Pad(r.substr(0, r.size() - 2), 12) + r.back();
    return { 89, text };
}

TEST_F(AccountDialogs, DepositoryAccountsSuspendAndReadAgain)
{
    router.Reply({ Depo({ "DEPO1:A", "DEPO2:S" }), End() });
    router.Reply({ Accepted() });
    router.Reply({ Depo({ "DEPO1:A", "DEPO2:A" }), End() });
    router.Reply({ Accepted() });
    router.Reply({ Depo({ "DEPO1:S", "DEPO2:A" }), End() });
    CDepoAccountsDlg dlg;
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_STA_ACCOUNT), "DEPO1");
        EXPECT_TRUE(d.isButtonChecked(IDC_STA_UNSUSPENDED));
        d.userSelect(IDC_STA_ACCOUNT, 1);
        EXPECT_TRUE(d.isButtonChecked(IDC_STA_SUSPENDED));
        d.userClick(IDC_STA_UNSUSPENDED);
        d.userClick(fw::kIdOk);
        EXPECT_EQ(d.itemText(IDC_STA_ACCOUNT), "DEPO2");
        EXPECT_TRUE(d.isButtonChecked(IDC_STA_UNSUSPENDED)) << "the host's new state";
        d.userSelect(IDC_STA_ACCOUNT, 0);
        d.userClick(IDC_STA_SUSPENDED);
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isButtonChecked(IDC_STA_SUSPENDED));
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(Sent(142), (std::vector<std::string> { kUser + '\x25' + "DEPO2       Y ", kUser + '\x24' + "DEPO1       Y " }));
    EXPECT_EQ(Sent(89), std::vector<std::string>(3, kUser));
}

TEST_F(AccountDialogs, DepositoryWithoutAccountsSendsNothing)
{
    router.Reply({ Depo({}), End() });
    CDepoAccountsDlg dlg;
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        d.userClick(fw::kIdOk);
        d.userClick(fw::kIdCancel);
    });
    EXPECT_TRUE(Sent(142).empty());
}

} // namespace
