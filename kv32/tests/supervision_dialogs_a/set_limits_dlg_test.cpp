// The set limits dialog offscreen over the scripted router: the row's limits
// shown, the transaction of each kind, the rights that leave a user only the
// order limit, and typed limits refused before anything is sent.
#include <gtest/gtest.h>

#include "kv32/dialogs/supervision/set_limits_dlg.h"
#include "kv32/res/supervision_a_ids.h"
#include "supervision_dialogs_a/supervision_fixture.h"

namespace {

using namespace supervisiontest;

class SetLimitsDialog : public SupervisionFixture {
protected:
    const CCashLimitRow row { "ACC1", "BRK1T1", "BRK1", "CP01", 2000000, std::nullopt, 5000 };
};

TEST_F(SetLimitsDialog, EachKindSendsItsTransactionAndCloses)
{
    const std::string block = "CP01  " + std::string("Y-0000000000001000Y") + "N+" + std::string(16, '0') + "Y"
        + "Y0000000000005000";
    struct Case {
        int kind;
        int code;
        std::string record;
    };
    const Case cases[] = {
        { kLimitFirm, 150, kUser + "BRK1        " + block },
        { kLimitUser, 156, kUser + "BRK1T1      " + block },
        { kLimitAccount, 165, kUser + "ACC1        BRK1        " + block },
    };
    RightRec right {};
    right.nMsgType = 156;
    right.nValue = 1; // bit 2 clear: a user's limits are all open
    RightTable().AddRec(right);
    for (const Case& c : cases) {
        router.ClearRecord();
        router.Reply({ { 193, Accepted() } });
        script.answerMessageBox(fw::IDOK);
        CSetLimitsDlg dlg(row, c.kind);
        const int result = fw::test::runModal(dlg, [](fw::Dialog& d) {
            EXPECT_EQ(d.itemText(IDC_SL_CASH_POOL), "CP01");
            EXPECT_EQ(d.itemText(IDC_SL_WARN), "") << "no warning limit set";
            EXPECT_EQ(d.itemText(IDC_SL_HARD), "2000000");
            EXPECT_EQ(d.itemText(IDC_SL_ORDER), "5000");
            EXPECT_TRUE(d.isButtonChecked(IDC_SL_LOG_WARN));
            EXPECT_FALSE(d.isButtonChecked(IDC_SL_ALLOW_BREACH));
            EXPECT_TRUE(d.isItemEnabled(IDC_SL_HARD));
            d.userType(IDC_SL_WARN, "-1000");
            d.userType(IDC_SL_HARD, "");
            d.userClick(IDC_SL_ALLOW_BREACH);
            d.userClick(fw::kIdOk);
        });
        EXPECT_EQ(result, fw::IDOK) << c.kind;
        EXPECT_EQ(Sent(c.code), std::vector<std::string> { c.record }) << c.kind;
    }
}

TEST_F(SetLimitsDialog, WithoutTheRightsRowAUserKeepsOnlyTheOrderLimit)
{
    for (const auto& [kind, onlyOrder] : { std::pair { kLimitUser, true }, std::pair { kLimitFirm, false } }) {
        CSetLimitsDlg dlg(row, kind);
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            for (uint32_t id : { IDC_SL_WARN, IDC_SL_HARD, IDC_SL_LOG_WARN, IDC_SL_ALLOW_BREACH })
                EXPECT_EQ(d.isItemEnabled(id), !onlyOrder) << kind << " " << id;
            EXPECT_TRUE(d.isItemEnabled(IDC_SL_ORDER));
            d.onCancel();
        });
    }
}

TEST_F(SetLimitsDialog, UnsendableLimitsAreRefusedAndARefusalKeepsTheDialog)
{
    router.Reply({ { 192, Refused() } });
    for (int i = 0; i < 3; ++i)
        script.answerMessageBox(fw::IDOK);
    CSetLimitsDlg dlg(row, kLimitFirm);
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        d.userType(IDC_SL_HARD, "12.5");
        d.userClick(fw::kIdOk);
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_SL_HARD));
        d.userType(IDC_SL_HARD, "12");
        d.userType(IDC_SL_ORDER, "-3");
        d.userClick(fw::kIdOk);
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_SL_ORDER));
        d.userType(IDC_SL_ORDER, "3");
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible()) << "refused by the host";
        EXPECT_EQ(d.itemText(IDC_SL_HARD), "12");
        d.onCancel();
    });
    EXPECT_EQ(Sent(150).size(), 1u);
    EXPECT_EQ(script.messageBoxes(),
        (std::vector<std::string> { "Invalid value.", "Invalid value.", "Refused by the host." }));
}

} // namespace
