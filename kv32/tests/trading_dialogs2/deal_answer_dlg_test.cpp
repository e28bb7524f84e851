// The amendment and the confirmation of a negotiated deal from the deals
// window, offscreen over the scripted router: the records they send, when
// they send nothing, and where a refusal leaves them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "deal_dialogs/deal_fixture.h"
#include "fw/core/clock.h"
#include "fw/test/fwtest.h"
#include "kv32/dialogs/nd_amend_dlg.h"
#include "kv32/dialogs/nd_conf_dlg.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/res/market_dialogs_ids.h"
#include "kvcore/app/profile_settings.h"
#include "support/clock_support.h"
#include "support/kv32_fixture.h"
#include "support/trading_records.h"

namespace {

using namespace dealtest;
using kv32test::Msg;

const std::string kUser = "TRADER01    ";

std::string Pad(std::string text, size_t width)
{
    text.resize(width, ' ');
    return text;
}

class DealAnswerDialogs : public kv32test::Kv32Fixture {
protected:
    DealAnswerDialogs() { FillMarket(); }
    ~DealAnswerDialogs() override
    {
        NegDealTable().Free();
        ClearMarket();
    }

    // A deal of 1500 ALFA at 12.34 from Broker Two's first trader; row returned.
    int AddDeal(kv32test::DealSpec spec)
    {
        std::string bytes = kv32test::DealRecord(spec);
        tagTMSG m;
        m.nType = CNegDealTable::kRequest;
        m.nLength = static_cast<int32_t>(bytes.size());
        m.pText = reinterpret_cast<unsigned char*>(bytes.data());
        NegDealTable().StoreDataItem(&m);
        return NegDealTable().FindRowByNumber(static_cast<uint32_t>(spec.number));
    }
    static kv32test::DealSpec PriceDeal()
    {
        kv32test::DealSpec s;
        s.number = 77;
        s.status = 'O';
        s.side = 'S';
        s.code = "0MAINALFA00000001";
        s.price = 1234;
        s.quantity = 1500;
        s.counterUser = "BRK2T1";
        s.counterFirm = "BRK2";
        s.account = "ACC2";
        s.reference = "REF-77";
        s.timeout = 30;
        s.warning = 5;
        s.settleDate = "20261214";
        s.text = std::string(32, '0');
        s.text[13] = '1';
        s.source = 'O';
        return s;
    }
    std::vector<std::string> Sent(int type) const
    {
        std::vector<std::string> sent;
        for (const Msg& m : router.Requests())
            if (m.type == type)
                sent.push_back(m.bytes);
        return sent;
    }

    fw::ManualClock clock { 0, kvtest::LocalMoment(2026, 12, 10, 10, 15, 0) };
    fw::ClockScope clockScope { clock };
    DealSession deal;
    fw::test::Script script;
};

TEST_F(DealAnswerDialogs, AmendmentRecordsOfPricedYieldAndMatchedDeals)
{
    kv32test::DealSpec yieldDeal = PriceDeal();
    yieldDeal.number = 78;
    yieldDeal.code = "0BONDGOVT00000001";
    yieldDeal.side = 'B';
    yieldDeal.price = 0;
    yieldDeal.yield = 4125;
    yieldDeal.text = std::string(32, '0');
    yieldDeal.text[10] = '1';
    yieldDeal.reference = "";
    yieldDeal.timeout = 0;
    yieldDeal.warning = 0;
    yieldDeal.dissTime = "101500";
    kv32test::DealSpec matched = PriceDeal();
    matched.number = 79;
    matched.status = 'M';

    struct Case {
        const char* name;
        kv32test::DealSpec spec;
        bool readOnly;
        std::function<void(fw::Dialog&)> edit;
        std::string golden;
    };
    const Case cases[] = {
        { "price deal, quantity and reference changed", PriceDeal(), false,
            [](fw::Dialog& d) {
                static_cast<CNDAmendDlg&>(d).SetQuantity(2000);
                d.userType(IDC_NA_REFERENCE, "NEWREF");
            },
            kUser + "000000000077" + "ACC2        " + "BRK2T1      " + "000001234" + std::string(9, ' ')
                + "0000000000002000" + Pad("NEWREF", 40) + "0030" + "0005" + "20261214" + std::string(6, ' ') + "O" },
        { "yield deal: blanks for the price, '*' and empty periods", yieldDeal, false, nullptr,
            kUser + "000000000078" + "ACC2        " + "BRK2T1      " + std::string(9, ' ') + "000004125"
                + "0000000000001500" + Pad("*", 40) + "    " + "    " + std::string(8, ' ') + "101500" + "O" },
        { "matched deal sends its own values", matched, true,
            [](fw::Dialog& d) { d.userType(IDC_NA_REFERENCE, "IGNORED"); },
            kUser + "000000000079" + "ACC2        " + "BRK2T1      " + "000001234" + std::string(9, ' ')
                + "0000000000001500" + Pad("REF-77", 40) + "0030" + "0005" + "20261214" + std::string(6, ' ')
                + "O" },
    };
    for (const Case& c : cases) {
        router.Reply({ { 193, std::string("Deal amended.") + '\0' } });
        fw::test::Script boxes;
        boxes.answerMessageBox(fw::IDOK);
        const int row = AddDeal(c.spec);
        ASSERT_GE(row, 0) << c.name;
        CNDAmendDlg dlg(c.readOnly, row);
        const size_t before = Sent(kDealAmendTransaction).size();
        const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
            if (c.edit)
                c.edit(d);
            d.userClick(fw::kIdOk);
        });
        EXPECT_EQ(result, fw::IDOK) << c.name;
        const std::vector<std::string> sent = Sent(kDealAmendTransaction);
        ASSERT_EQ(sent.size(), before + 1) << c.name;
        EXPECT_EQ(sent.back(), c.golden) << c.name;
        EXPECT_EQ(sent.back().size(), kDealAmendLength) << c.name;
    }
}

TEST_F(DealAnswerDialogs, AmendmentShowsTheDealAndEnablesByState)
{
    kv32test::DealSpec yieldDeal = PriceDeal();
    yieldDeal.code = "0BONDGOVT00000001";
    yieldDeal.yield = 4125;
    yieldDeal.text[10] = '1';
    const int priced = AddDeal(PriceDeal());
    yieldDeal.number = 90;
    const int yielded = AddDeal(yieldDeal);
    const std::vector<uint32_t> entries = { IDC_NA_ACCOUNT, IDC_NA_COUNTER_FIRM, IDC_NA_COUNTERPARTY, IDC_NA_PRICE,
        IDC_NA_QUANTITY, IDC_NA_REFERENCE, IDC_NA_CONFIRM_PERIOD, IDC_NA_REMINDER, IDC_NA_SETTLE_DATE,
        IDC_NA_CONFIRM };
    struct Case {
        int row;
        bool readOnly;
        bool entriesEnabled;
        const char* priceLabel;
        std::string price;
        int decimals;
    };
    for (const Case& c : { Case { priced, false, true, "Price:", "12.34", 2 },
             Case { priced, true, false, "Price:", "12.34", 2 }, Case { yielded, false, true, "Yield:", "4.125", 3 } }) {
        CNDAmendDlg dlg(c.readOnly, c.row);
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            auto& a = static_cast<CNDAmendDlg&>(d);
            EXPECT_EQ(d.windowTitle().toStdString(),
                "Amend Negotiated Deal " + std::to_string(NegDealTable().GetRec(c.row)->nDealNo));
            EXPECT_FALSE(d.isItemEnabled(IDC_NA_BUY));
            EXPECT_FALSE(d.isItemEnabled(IDC_NA_SELL));
            EXPECT_TRUE(d.isButtonChecked(IDC_NA_SELL));
            EXPECT_FALSE(d.isItemEnabled(IDC_NA_YIELD));
            EXPECT_EQ(d.itemText(IDC_NA_PRICE_LABEL), c.priceLabel);
            EXPECT_EQ(a.PriceText(), c.price);
            EXPECT_EQ(a.PriceDecimals(), c.decimals);
            EXPECT_EQ(d.itemText(IDC_NA_COUNTER_FIRM), "Broker Two");
            EXPECT_EQ(d.itemText(IDC_NA_COUNTERPARTY), "Second Trader");
            EXPECT_EQ(d.itemText(IDC_NA_ACCOUNT), "ACC2");
            for (uint32_t id : entries)
                EXPECT_EQ(d.isItemEnabled(id), c.entriesEnabled) << id;
            EXPECT_TRUE(d.isItemEnabled(fw::kIdOk));
            if (!c.readOnly) {
                a.SetQuantity(0);
                EXPECT_FALSE(d.isItemEnabled(fw::kIdOk)) << "a quantity of 0";
            }
            d.userClick(fw::kIdCancel);
        });
    }
    EXPECT_TRUE(Sent(kDealAmendTransaction).empty());
}

TEST_F(DealAnswerDialogs, AmendmentRefusalsSendNothingOrKeepTheDialogOpen)
{
    fErrorCheckEx = 1;
    const int row = AddDeal(PriceDeal());
    kv32test::DealSpec gone = PriceDeal();
    gone.number = 88;
    gone.counterUser = "GONE01";
    const int goneRow = AddDeal(gone);
    struct Case {
        const char* name;
        int row;
        std::function<void(fw::Dialog&)> edit;
        std::vector<Msg> reply;
        unsigned focus;
        std::string box;
        size_t sent;
    };
    const Case cases[] = {
        { "a letter in the period", row, [](fw::Dialog& d) { d.userType(IDC_NA_CONFIRM_PERIOD, "3x"); }, {},
            IDC_NA_CONFIRM_PERIOD, "Invalid number format.", 0 },
        { "a counterparty that is no user", goneRow, nullptr, {},
            IDC_NA_COUNTERPARTY, "Invalid value.", 0 },
        { "the host names the counterparty", row, nullptr,
            { { 192, std::string("Unknown counterparty.") + '\0' + "4" } }, IDC_NA_COUNTERPARTY,
            "Unknown counterparty.", 1 },
    };
    for (const Case& c : cases) {
        if (!c.reply.empty())
            router.Reply(c.reply);
        fw::test::Script boxes;
        boxes.answerMessageBox(fw::IDOK);
        const size_t before = Sent(kDealAmendTransaction).size();
        CNDAmendDlg dlg(false, c.row);
        const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
            if (c.edit)
                c.edit(d);
            d.userClick(fw::kIdOk);
            EXPECT_TRUE(d.isVisible()) << c.name;
            EXPECT_EQ(d.focusId(), c.focus) << c.name;
            d.userClick(fw::kIdCancel);
        });
        EXPECT_EQ(result, fw::IDCANCEL) << c.name;
        EXPECT_EQ(boxes.messageBoxes(), std::vector<std::string> { c.box }) << c.name;
        EXPECT_EQ(Sent(kDealAmendTransaction).size(), before + c.sent) << c.name;
    }
}

TEST_F(DealAnswerDialogs, ConfirmationSendsAccountAndReferenceAfterItsQuestion)
{
    const int row = AddDeal(PriceDeal());
    const std::string question = "Do you really want to confirm a Sell deal as follows?\nSecurity:\tMain Board/ALFA\n"
                                 "Price/Qty:\t12.34/1,500\nAccount:\tACC1";
    struct Case {
        const char* name;
        int confirmSetting;
        bool noAccounts;
        std::vector<std::string> boxes;
        std::string golden; // empty: nothing sent
    };
    const Case cases[] = {
        { "No to the question", 1, false, { question }, "" },
        { "Yes to the question", 1, false, { question, "Deal confirmed." },
            kUser + "000000000077" + "ACC1        " + Pad("REF-77", 40) },
        { "no accounts and no question", 0, true, { "Deal confirmed." },
            kUser + "000000000077" + std::string(12, ' ') + Pad("REF-77", 40) },
    };
    for (const Case& c : cases) {
        deal.session.m_bConfirm = c.confirmSetting;
        if (c.noAccounts)
            deal.session.GetTrAccLocal()->m_entries.clear();
        fw::test::Script boxes;
        if (c.confirmSetting)
            boxes.answerMessageBox(c.golden.empty() ? fw::IDNO : fw::IDYES);
        boxes.answerMessageBox(fw::IDOK);
        if (!c.golden.empty())
            router.Reply({ { 193, std::string("Deal confirmed.") + '\0' } });
        const size_t before = Sent(kDealConfirmTransaction).size();
        CNDConfDlg dlg(row);
        const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
            EXPECT_EQ(d.windowTitle().toStdString(), "Confirm Negotiated Deal 77");
            EXPECT_EQ(d.itemText(IDC_NA_COUNTERPARTY), "Second Trader");
            EXPECT_EQ(d.itemText(IDC_NA_PRICE), "12.34");
            d.userClick(fw::kIdOk);
            if (d.isVisible())
                d.userClick(fw::kIdCancel);
        });
        EXPECT_EQ(boxes.messageBoxes(), c.boxes) << c.name;
        const std::vector<std::string> sent = Sent(kDealConfirmTransaction);
        if (c.golden.empty()) {
            EXPECT_EQ(result, fw::IDCANCEL) << c.name;
            EXPECT_EQ(sent.size(), before) << c.name;
        } else {
            EXPECT_EQ(result, fw::IDOK) << c.name;
            ASSERT_EQ(sent.size(), before + 1) << c.name;
            EXPECT_EQ(sent.back(), c.golden) << c.name;
            EXPECT_EQ(sent.back().size(), kDealConfirmLength) << c.name;
        }
    }
}

TEST_F(DealAnswerDialogs, TheDealsWindowsCommandsOpenThemOnItsCurrentDeal)
{
    KvInstallDealAnswerDialogs();
    const int row = AddDeal(PriceDeal());
    FakeActiveRow window(kListNegDeals, row);
    for (unsigned command : { unsigned { ID_LIST_AMEND }, unsigned { ID_DEAL_CONFIRM } }) {
        const KvCommandDialog* run = KvFindCommandDialog(command);
        ASSERT_NE(run, nullptr) << command;
        std::string title;
        script.expectDialog(command == ID_LIST_AMEND ? IDD_ND_AMEND : IDD_ND_CONFIRM, [&](fw::Dialog& d) {
            title = d.windowTitle().toStdString();
            d.userClick(fw::kIdCancel);
        });
        EXPECT_EQ((*run)(0), fw::IDCANCEL);
        EXPECT_EQ(title, command == ID_LIST_AMEND ? "Amend Negotiated Deal 77" : "Confirm Negotiated Deal 77");
    }
    window.record = -1;
    EXPECT_EQ((*KvFindCommandDialog(ID_LIST_AMEND))(0), fw::IDCANCEL) << "no current deal: nothing opens";
    KvSetCommandDialog(ID_LIST_AMEND, nullptr);
    KvSetCommandDialog(ID_DEAL_CONFIRM, nullptr);
}

} // namespace
