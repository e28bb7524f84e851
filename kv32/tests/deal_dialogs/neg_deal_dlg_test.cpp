// The negotiated deal input offscreen over the scripted router: what it sends,
// when it sends nothing, the Yield box, the counterparty of one's own firm and
// the prices taken from the active window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "deal_dialogs/deal_fixture.h"
#include "fw/core/clock.h"
#include "fw/test/fwtest.h"
#include "kv32/dialogs/neg_deal_dlg.h"
#include "kv32/res/deal_dialogs_ids.h"
#include "kvcore/app/profile_settings.h"
#include "support/clock_support.h"
#include "support/kv32_fixture.h"

namespace {

using namespace dealtest;
using kv32test::End;
using kv32test::Msg;

std::string Accepted()
{
    return std::string("Deal 7 sent to the counterparty.") + '\0';
}

class NegDealDialog : public kv32test::Kv32Fixture {
protected:
    NegDealDialog() { FillMarket(); }
    ~NegDealDialog() override { ClearMarket(); }

    // The deals sent so far.
    std::vector<std::string> Deals() const
    {
        std::vector<std::string> sent;
        for (const Msg& m : router.Requests())
            if (m.type == kNegDealTransaction)
                sent.push_back(m.bytes);
        return sent;
    }

    // ALFA on the main board, 1500 at 12.50 with Broker Two's first trader.
    static void FillIn(fw::Dialog& d)
    {
        auto& dlg = static_cast<CNegDealDlg&>(d);
        d.userSelect(IDC_ND_BOARD, 0);
        d.userSelect(IDC_ND_SECURITY, 0);
        d.userSelect(IDC_ND_COUNTER_FIRM, 1);
        d.userSelect(IDC_ND_COUNTERPARTY, 0);
        dlg.SetPriceText("12.50");
        dlg.SetQuantity(1500);
        d.userType(IDC_ND_REFERENCE, "REF-7");
        d.userType(IDC_ND_CONFIRM_PERIOD, "30");
        d.userType(IDC_ND_REMINDER, "5");
    }

    fw::ManualClock clock { 0, kvtest::LocalMoment(2026, 12, 10, 10, 15, 0) };
    fw::ClockScope clockScope { clock };
    DealSession deal;
    fw::test::Script script;
};

TEST_F(NegDealDialog, SendsTheGoldenRecordAndClosesOnAcceptance)
{
    router.Reply({ { 193, Accepted() } });
    script.answerMessageBox(fw::IDOK);
    CNegDealDlg dlg(kDealSell);
    const int result = fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_TRUE(d.isButtonChecked(IDC_ND_SELL));
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk)) << "nothing chosen yet";
        FillIn(d);
        EXPECT_EQ(d.itemText(IDC_ND_ACCOUNT), "ACC1");
        EXPECT_EQ(d.itemText(IDC_ND_TRADE_SOURCE), "Over the counter") << "the last source listed";
        EXPECT_TRUE(d.isItemEnabled(fw::kIdOk));
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(result, fw::IDOK);
    const std::string user = "TRADER01    ";
    const std::string golden = user + "ACC1        " + "S" + "0MAINALFA00000001" + "BRK2T1      " + "000001250"
        + std::string(9, ' ') + "0000000000001500" + "REF-7" + std::string(35, ' ') + "0030" + "0005" + user
        + "20261210" + std::string(6, ' ') + "O" + std::string(1, '\0');
    ASSERT_EQ(Deals().size(), 1u);
    EXPECT_EQ(Deals()[0], golden);
    EXPECT_EQ(Deals()[0].size(), 164u);
    EXPECT_EQ(script.messageBoxes(), std::vector<std::string> { "Deal 7 sent to the counterparty." });
}

TEST_F(NegDealDialog, OkStaysOffWithoutDealsOrQuantity)
{
    CNegDealDlg dlg(kDealBuy);
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        auto& dlg = static_cast<CNegDealDlg&>(d);
        FillIn(d);
        EXPECT_TRUE(d.isItemEnabled(fw::kIdOk));
        dlg.SetQuantity(0);
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk)) << "a quantity of 0";
        dlg.SetQuantity(10);
        d.userSelect(IDC_ND_SECURITY, 1); // BETA allows no deals
        EXPECT_EQ(dlg.SecurityRow(), kBeta);
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk)) << "deals not allowed";
        d.userSelect(IDC_ND_SECURITY, 0);
        EXPECT_TRUE(d.isItemEnabled(fw::kIdOk));
        d.userClick(fw::kIdCancel);
    });
    EXPECT_TRUE(Deals().empty());
}

TEST_F(NegDealDialog, RefusedChecksAndAnswersSendNothing)
{
    struct Case {
        const char* name;
        const char* confirmPeriod;
        int confirmSetting;
        unsigned focus;
        std::string box;
    };
    const std::string question = "Do you really want to enter following Sell negotiated deal?\nSecurity:\tMain Board/ALFA\n"
                                 "Price/Qty:\t12.50/1,500\nAccount:\tACC1";
    const Case cases[] = {
        { "letter in the period", "3x", 0, IDC_ND_CONFIRM_PERIOD, "Invalid number format." },
        { "No to the question", "30", 1, 0, question },
    };
    for (const Case& c : cases) {
        fw::test::Script boxes;
        boxes.answerMessageBox(c.confirmSetting ? fw::IDNO : fw::IDOK);
        deal.session.m_bConfirm = c.confirmSetting;
        CNegDealDlg dlg(kDealSell);
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            EXPECT_EQ(d.isButtonChecked(IDC_ND_CONFIRM), c.confirmSetting) << c.name;
            FillIn(d);
            d.userType(IDC_ND_CONFIRM_PERIOD, c.confirmPeriod);
            d.userClick(fw::kIdOk);
            EXPECT_TRUE(d.isVisible()) << c.name;
            if (c.focus != 0) {
                EXPECT_EQ(d.focusId(), c.focus) << c.name;
            }
            d.userClick(fw::kIdCancel);
        });
        EXPECT_EQ(boxes.messageBoxes(), std::vector<std::string> { c.box }) << c.name;
        EXPECT_TRUE(Deals().empty()) << c.name;
    }
}

TEST_F(NegDealDialog, HostRefusalKeepsTheDialogOpenAtTheNamedField)
{
    fErrorCheckEx = 1;
    router.Reply({ { 192, std::string("Invalid quantity.") + '\0' + "7" } });
    script.answerMessageBox(fw::IDOK);
    CNegDealDlg dlg(kDealSell);
    const int result = fw::test::runModal(dlg, [](fw::Dialog& d) {
        FillIn(d);
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusId(), IDC_ND_QUANTITY);
        EXPECT_EQ(static_cast<CNegDealDlg&>(d).QuantityText(), "1,500") << "the values stay";
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(result, fw::IDCANCEL);
    EXPECT_EQ(Deals().size(), 1u);
    EXPECT_EQ(script.messageBoxes(), std::vector<std::string> { "Invalid quantity." });
}

TEST_F(NegDealDialog, YieldSwapsPriceAndYieldAndTheRecordFollows)
{
    // The host converts 12.50 to the yield 4.125 and back.
    router.AnswerWith([](const std::vector<Msg>& request) -> std::vector<Msg> {
        const Msg& m = request.front();
        if (m.type == 95)
            return { { 95, "000004125" }, End() };
        if (m.type == 94)
            return { { 94, "000001250" }, End() };
        return { { 193, Accepted() } };
    });
    script.answerMessageBox(fw::IDOK);
    CNegDealDlg dlg(kDealBuy);
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        auto& dlg = static_cast<CNegDealDlg&>(d);
        d.userSelect(IDC_ND_BOARD, 1);
        d.userSelect(IDC_ND_SECURITY, 0); // GOVT: quoted by yield, so Yield comes on
        EXPECT_EQ(dlg.SecurityRow(), kGovt);
        EXPECT_TRUE(d.isItemEnabled(IDC_ND_YIELD));
        EXPECT_TRUE(d.isButtonChecked(IDC_ND_YIELD));
        EXPECT_EQ(d.itemText(IDC_ND_PRICE_LABEL), "Yield:");
        EXPECT_EQ(d.itemText(IDC_ND_CONVERTED_LABEL), "Price:");
        EXPECT_EQ(dlg.PriceDecimals(), 3);

        d.userClick(IDC_ND_YIELD); // back to a price
        EXPECT_EQ(d.itemText(IDC_ND_PRICE_LABEL), "Price:");
        dlg.SetPriceText("12.50");
        d.userLeave(IDC_ND_PRICE);
        EXPECT_EQ(d.itemText(IDC_ND_CONVERTED), "4.125");
        d.userClick(IDC_ND_YIELD); // the converted yield takes the field
        EXPECT_EQ(dlg.PriceText(), "4.125");
        EXPECT_EQ(d.itemText(IDC_ND_CONVERTED), "12.50");

        d.userSelect(IDC_ND_COUNTER_FIRM, 1);
        d.userSelect(IDC_ND_COUNTERPARTY, 0);
        dlg.SetQuantity(100);
        d.userType(IDC_ND_CONFIRM_PERIOD, "10");
        d.userClick(fw::kIdOk);
    });
    ASSERT_EQ(Deals().size(), 1u);
    EXPECT_EQ(Deals()[0].substr(54, 18), std::string(9, ' ') + "000004125") << "price blank, yield given";
    EXPECT_EQ(Deals()[0].substr(24, 18), "B0BONDGOVT00000001");
}

TEST_F(NegDealDialog, OwnFirmSecurityFixesTheCounterpartyToTheUser)
{
    CNegDealDlg dlg(kDealSell);
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        d.userSelect(IDC_ND_BOARD, 0);
        d.userSelect(IDC_ND_SECURITY, 2); // OWNS
        EXPECT_EQ(d.itemText(IDC_ND_COUNTER_FIRM), "Broker One");
        EXPECT_EQ(d.itemText(IDC_ND_COUNTERPARTY), "Trader One");
        EXPECT_FALSE(d.isItemEnabled(IDC_ND_COUNTER_FIRM));
        EXPECT_FALSE(d.isItemEnabled(IDC_ND_COUNTERPARTY));
        d.userSelect(IDC_ND_SECURITY, 0); // ALFA: open again
        EXPECT_TRUE(d.isItemEnabled(IDC_ND_COUNTERPARTY));

        d.userSelect(IDC_ND_SECURITY, 3); // SELLONLY: sell only, no account, no settlement date
        EXPECT_FALSE(d.isItemEnabled(IDC_ND_BUY));
        EXPECT_TRUE(d.isButtonChecked(IDC_ND_SELL));
        EXPECT_FALSE(d.isItemEnabled(IDC_ND_ACCOUNT));
        EXPECT_FALSE(d.isItemEnabled(IDC_ND_SETTLE_DATE));
        EXPECT_TRUE(d.item(IDC_ND_DISSEMINATION)->isHidden());
        d.userClick(fw::kIdCancel);
    });
}

TEST_F(NegDealDialog, PricesComeFromTheActiveWindow)
{
    // Opened from the securities window on ALFA: the offer for a sell, and a
    // later choice of security takes that security's own price.
    SecurityTable().GetRec(kOwns)->dOffer = CDouble(33.3, 2);
    {
        FakeActiveRow securities(kListSecurities, kAlfa);
        CNegDealDlg dlg(kDealSell);
        fw::test::runModal(dlg, [](fw::Dialog& d) {
            auto& dlg = static_cast<CNegDealDlg&>(d);
            EXPECT_EQ(d.itemText(IDC_ND_BOARD), "Main Board");
            EXPECT_EQ(d.itemText(IDC_ND_SECURITY), "ALFA");
            EXPECT_EQ(dlg.PriceText(), "12.60");
            d.userSelect(IDC_ND_SECURITY, 2);
            EXPECT_EQ(dlg.PriceText(), "33.30");
            d.userClick(fw::kIdCancel);
        });
    }
    // The order book's current row gives the buy price from its first column.
    FakeActiveRow book(kListOrderBook, 0);
    book.bookKey = "0BONDALFA00000001";
    book.book.bid = CDouble(12.35, 2);
    book.book.offer = CDouble(12.45, 2);
    CNegDealDlg dlg(kDealBuy);
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        auto& dlg = static_cast<CNegDealDlg&>(d);
        EXPECT_EQ(d.itemText(IDC_ND_BOARD), "Bond Board");
        EXPECT_EQ(dlg.SecurityRow(), kBondAlfa);
        EXPECT_EQ(dlg.PriceText(), "12.35");
        d.userClick(fw::kIdCancel);
    });
}

TEST_F(NegDealDialog, FunctionKeysStepThePriceAndMoveTheFocus)
{
    CNegDealDlg dlg(kDealSell);
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        auto& dlg = static_cast<CNegDealDlg&>(d);
        FillIn(d);
        dlg.OnFunctionKey(Qt::Key_F3, false);
        EXPECT_EQ(dlg.PriceText(), "12.60");
        dlg.OnFunctionKey(Qt::Key_F3, true);
        dlg.OnFunctionKey(Qt::Key_F3, true);
        EXPECT_EQ(dlg.PriceText(), "12.40");
        const std::pair<int, unsigned> moves[] = { { Qt::Key_F5, IDC_ND_SECURITY }, { Qt::Key_F6, IDC_ND_ACCOUNT },
            { Qt::Key_F7, IDC_ND_PRICE }, { Qt::Key_F8, IDC_ND_QUANTITY } };
        for (const auto& [key, id] : moves) {
            dlg.OnFunctionKey(key, false);
            EXPECT_EQ(d.focusId(), id) << key;
        }
        d.userClick(fw::kIdCancel);
    });
}

} // namespace
