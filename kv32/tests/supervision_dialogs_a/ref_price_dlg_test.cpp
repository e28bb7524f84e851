// The reference price dialog offscreen over the scripted router: a typed
// value stays open for the next one and asks before a remarkable change; the
// limit modes close after sending the action and both messages; a refused
// action sends no message.
#include <gtest/gtest.h>

#include "kv32/dialogs/supervision/ref_price_dlg.h"
#include "kv32/res/supervision_a_ids.h"
#include "supervision_dialogs_a/supervision_fixture.h"

namespace {

using namespace supervisiontest;

const std::string kAlfaCode = "0MAINALFA00000001";

std::string Action(const std::string& wire)
{
    return kUser + '7' + kAlfaCode + "01v" + wire + "##" + std::string(2048 - 44, ' ');
}

std::string Announcement(const std::string& text)
{
    return kUser + std::string(12, ' ') + "EXCHANGE    NN080000" + text + std::string(640 - text.size(), ' ');
}

class RefPriceDialog : public SupervisionFixture {
protected:
    // The host accepts the action and each message; only the action's acceptance shows.
    void AcceptAction(int messages)
    {
        router.Reply({ { 193, Accepted() } });
        script.answerMessageBox(fw::IDOK);
        for (int i = 0; i < messages; ++i)
            router.Reply({ { 193, Accepted() } });
    }
    std::vector<std::string> SentAll() const
    {
        std::vector<std::string> sent;
        for (const Msg& m : router.Requests())
            if (m.type == 142 || m.type == 144)
                sent.push_back(m.bytes);
        return sent;
    }
};

TEST_F(RefPriceDialog, ATypedValueIsSentAndTheNextOneAsksWhenRemarkable)
{
    FakeActiveRow securities(kListSecurities, kAlfa);
    AcceptAction(1);
    AcceptAction(1);
    script.answerMessageBox(fw::IDNO); // the remarkable change
    CRefPriceLimitDlg dlg(kRefPriceTyped);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_SUP_BOARD), "Main Board");
        EXPECT_EQ(d.itemText(IDC_SUP_SECURITY), "ALFA");
        EXPECT_TRUE(d.isItemEnabled(IDC_RP_PRICE));
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        d.userType(IDC_RP_PRICE, "12.5");
        EXPECT_TRUE(d.isItemEnabled(fw::kIdOk));
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible()) << "a typed value keeps the dialog open";
        EXPECT_EQ(d.itemText(IDC_RP_PRICE), "12.50");
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk)) << "the value just sent";
        d.userType(IDC_RP_PRICE, "14.38"); // 15.04% up
        d.userClick(fw::kIdOk);
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_RP_PRICE));
        d.userType(IDC_RP_PRICE, "14.37"); // within 15%
        d.userClick(fw::kIdOk);
        d.onCancel();
    });
    EXPECT_EQ(SentAll(),
        (std::vector<std::string> { Action("000001250"), Announcement("NREFPRICECHG|" + kAlfaCode + "|"),
            Action("000001437"), Announcement("NREFPRICECHG|" + kAlfaCode + "|") }));
    ASSERT_GE(script.messageBoxes().size(), 3u);
    EXPECT_EQ(script.messageBoxes()[1],
        "The new value is remarkably different (15.04 %) from the previous stored value. Are you sure you want to "
        "continue ?\nOld value: 12.50\nNew value: 14.38");
    EXPECT_TRUE(script.allAnswersUsed());
}

TEST_F(RefPriceDialog, TheLimitModesSendTheLimitWithBothMessagesAndClose)
{
    struct Case {
        int mode;
        const char* wire;
    };
    for (const Case& c : { Case { kRefPriceUpper, "000001400" }, Case { kRefPriceLower, "000001100" } }) {
        router.ClearRecord();
        FakeActiveRow securities(kListSecurities, kAlfa);
        AcceptAction(2);
        CRefPriceLimitDlg dlg(c.mode);
        const int result = fw::test::runModal(dlg, [](fw::Dialog& d) {
            EXPECT_FALSE(d.isItemEnabled(IDC_SUP_BOARD));
            EXPECT_FALSE(d.isItemEnabled(IDC_SUP_SECURITY));
            EXPECT_TRUE(d.isItemEnabled(fw::kIdOk));
            d.userClick(fw::kIdOk);
        });
        EXPECT_EQ(result, fw::IDOK) << c.mode;
        EXPECT_EQ(SentAll(),
            (std::vector<std::string> { Action(c.wire), Announcement("NREFPRICECHGNEWS|" + kAlfaCode + "|"),
                Announcement("NREFPRICECHG|" + kAlfaCode + "|") }))
            << c.mode;
    }
}

TEST_F(RefPriceDialog, AZeroLimitKeepsOkOffAndARefusalSendsNoMessage)
{
    FakeActiveRow gamma(kListSecurities, kGamma);
    CRefPriceLimitDlg zero(kRefPriceLower);
    fw::test::runModal(zero, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_RP_PRICE), "0.00");
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        d.onCancel();
    });

    FakeActiveRow alfa(kListSecurities, kAlfa);
    router.Reply({ { 192, Refused() } });
    script.answerMessageBox(fw::IDOK);
    CRefPriceLimitDlg refused(kRefPriceUpper);
    fw::test::runModal(refused, [](fw::Dialog& d) {
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible()) << "refused: the dialog stays";
        d.onCancel();
    });
    EXPECT_EQ(SentAll(), std::vector<std::string> { Action("000001400") });
}

TEST_F(RefPriceDialog, WithoutTheSecuritiesWindowTheUserChoosesAndAnUnsentChangeIsOffered)
{
    script.answerMessageBox(fw::IDNO); // do not save the change
    script.answerMessageBox(fw::IDOK); // "Invalid value."
    CRefPriceLimitDlg dlg(kRefPriceUpper);
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        auto& dlg = static_cast<CRefPriceLimitDlg&>(d);
        EXPECT_EQ(dlg.Mode(), kRefPriceTyped) << "no security to take a limit from";
        EXPECT_FALSE(d.isItemEnabled(IDC_SUP_SECURITY));
        EXPECT_FALSE(d.isItemEnabled(IDC_RP_PRICE));
        d.userSelect(IDC_SUP_BOARD, 1);
        EXPECT_EQ(d.itemCount(IDC_SUP_SECURITY), 1);
        d.userSelect(IDC_SUP_SECURITY, 0);
        EXPECT_EQ(dlg.SecurityRow(), kGovt);
        d.userType(IDC_RP_PRICE, "100.25");
        d.userSelect(IDC_SUP_BOARD, 0);
        EXPECT_EQ(d.itemText(IDC_RP_PRICE), "");
        EXPECT_FALSE(d.isItemEnabled(IDC_RP_PRICE));
        d.userSelect(IDC_SUP_SECURITY, 0);
        d.userType(IDC_RP_PRICE, "99999999"); // ten digits with the decimals
        d.userClick(fw::kIdOk);
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_RP_PRICE));
        d.onCancel();
    });
    EXPECT_TRUE(SentAll().empty());
    EXPECT_EQ(script.messageBoxes(), (std::vector<std::string> { "Do you wish to save changes ?", "Invalid value." }));
}

} // namespace
