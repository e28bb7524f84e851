// The market maker form offscreen over the scripted router: the 140 records
// of its three send buttons, what each security allows, the last quote
// offered again, the close-after-send setting, its questions and tool tips.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "deal_dialogs/deal_fixture.h"
#include "fw/test/fwtest.h"
#include "kv32/dialogs/mm_order_dlg.h"
#include "kv32/res/market_dialogs_ids.h"
#include "kv32/trading/mm_order_form.h"
#include "kv32/trading/mm_order_record.h"
#include "kv32/windows/quote_wnd.h"
#include "support/kv32_fixture.h"

namespace {

using namespace dealtest;
using kv32test::End;
using kv32test::Msg;

const std::string kUser = "TRADER01    ";

std::string Pad(std::string text, size_t width)
{
    text.resize(width, ' ');
    return text;
}

std::string Flags(std::initializer_list<int> on)
{
    std::string f(32, '0');
    for (int p : on)
        f[static_cast<size_t>(p)] = '1';
    return f;
}

std::string Digits(long long value, size_t width)
{
    std::string s = std::to_string(value);
    return std::string(width - s.size(), '0') + s;
}

class MarketMakerForm : public kv32test::Kv32Fixture {
protected:
    MarketMakerForm()
    {
        FillMarket();
        struct Extra {
            int row;
            char topUp, session, day;
            double lot;
        };
        for (const Extra& e : { Extra { kAlfa, '1', '1', '1', 100 }, Extra { kBeta, '0', '0', '1', 1 },
                 Extra { kGovt, '0', '1', '0', 0 }, Extra { kSellOnly, '1', '1', '1', 1 } }) {
            SecurityRec* s = SecurityTable().GetRec(e.row);
            s->cTopUpFlag = e.topUp;
            s->cSessionOrderFlag = e.session;
            s->cDayOrderFlag = e.day;
            s->dLot = CDouble(e.lot, 0);
        }
        // The host converts prices and yields and accepts every quote.
        router.AnswerWith([](const std::vector<Msg>& request) -> std::vector<Msg> {
            const Msg& m = request.front();
            if (m.type == 95)
                return { { 95, "000004125" }, End() };
            if (m.type == 94)
                return { { 94, "000001250" }, End() };
            return { { 193, std::string("Quote accepted.") + '\0' } };
        });
    }
    ~MarketMakerForm() override { ClearMarket(); }

    std::vector<std::string> Quotes() const
    {
        std::vector<std::string> sent;
        for (const Msg& m : router.Requests())
            if (m.type == kMMOrderTransaction)
                sent.push_back(m.bytes);
        return sent;
    }
    static void ChooseAlfa(fw::Dialog& d)
    {
        d.userSelect(IDC_MM_BOARD, d.findStringExact(IDC_MM_BOARD, -1, "Main Board"));
        d.userSelect(IDC_MM_SECURITY, d.findStringExact(IDC_MM_SECURITY, -1, "ALFA"));
    }
    // A two-sided quote on ALFA: buy 1000 at 12.50 topped up by 500, sell
    // 2000 at 12.60 topped up by the host.
    static void FillQuote(fw::Dialog& d)
    {
        auto& f = static_cast<CMMkrOrder&>(d);
        ChooseAlfa(d);
        f.SetPriceText(true, "12.50");
        f.SetQuantity(true, 1000);
        f.SetTopUp(true, 500);
        d.userType(IDC_MM_BUY_REFERENCE, "MMB");
        f.SetPriceText(false, "12.60");
        f.SetQuantity(false, 2000);
        d.userClick(IDC_MM_SELL_USE_TOPUP);
        d.userType(IDC_MM_SELL_REFERENCE, "MMS");
    }

    DealSession deal;
};

TEST_F(MarketMakerForm, EachButtonSendsItsBlocks)
{
    const std::string head = kUser + "0MAINALFA00000001";
    const std::string buyBlock = Pad("ACC1", 12) + Flags({ 1, 5, 11, 24 }) + "000001250" + std::string(9, ' ')
        + Digits(1000, 16) + Digits(500, 16) + Pad("MMB", 40);
    const std::string sellBlock = Pad("ACC1", 12) + Flags({ 1, 5, 24 }) + "000001260" + std::string(9, ' ')
        + Digits(2000, 16) + std::string(16, 'T') + Pad("MMS", 40);
    const std::string emptyBuy = std::string(12, ' ') + std::string(32, '0') + std::string(18, ' ')
        + std::string(32, '0') + std::string(40, ' ');
    const std::string emptySell = std::string(12, ' ') + std::string(32, '0') + std::string(18, ' ')
        + std::string(16, '0') + std::string(16, 'T') + std::string(40, ' ');
    struct Case {
        const char* name;
        uint32_t button;
        std::string golden;
    };
    const Case cases[] = {
        { "Buy", IDC_MM_SEND_BUY, head + "B0" + buyBlock + emptySell },
        { "Sell", IDC_MM_SEND_SELL, head + "S0" + emptyBuy + sellBlock },
        { "Both", fw::kIdOk, head + "00" + buyBlock + sellBlock },
    };
    for (const Case& c : cases) {
        KvKeepQuote(kAlfa, {}, {}); // each case starts without a remembered quote
        fw::test::Script boxes;
        boxes.answerMessageBox(fw::IDOK);
        const size_t before = Quotes().size();
        CMMkrOrder dlg;
        const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
            FillQuote(d);
            EXPECT_FALSE(d.isItemEnabled(IDC_MM_SELL_TOPUP)) << "Use Top up empties and disables the field";
            d.userClick(c.button);
        });
        EXPECT_EQ(result, fw::IDOK) << c.name;
        ASSERT_EQ(Quotes().size(), before + 1) << c.name;
        EXPECT_EQ(Quotes().back(), c.golden) << c.name;
        EXPECT_EQ(Quotes().back().size(), kMMOrderLength) << c.name;
    }
}

TEST_F(MarketMakerForm, EachSidesYieldBoxDecidesItsFieldAndConversion)
{
    fw::test::Script boxes;
    boxes.answerMessageBox(fw::IDOK);
    CMMkrOrder dlg;
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        auto& f = static_cast<CMMkrOrder&>(d);
        d.userSelect(IDC_MM_BOARD, d.findStringExact(IDC_MM_BOARD, -1, "Bond Board"));
        d.userSelect(IDC_MM_SECURITY, d.findStringExact(IDC_MM_SECURITY, -1, "GOVT"));
        f.SetPriceText(true, "4.125");
        d.userClick(IDC_MM_SELL_YIELD); // the sell side quotes a price
        EXPECT_EQ(d.itemText(IDC_MM_SELL_PRICE_LABEL), "Price:");
        EXPECT_EQ(d.itemText(IDC_MM_SELL_CONVERTED_LABEL), "Yield:");
        EXPECT_EQ(f.PriceDecimals(false), 2);
        EXPECT_EQ(d.itemText(IDC_MM_BUY_PRICE_LABEL), "Yield:");
        EXPECT_EQ(f.PriceDecimals(true), 3);
        f.SetPriceText(false, "12.60");
        d.userLeave(IDC_MM_SELL_PRICE);
        EXPECT_EQ(d.itemText(IDC_MM_SELL_CONVERTED), "4.125") << "the host's conversion";
        f.SetQuantity(true, 10);
        f.SetQuantity(false, 10);
        d.userClick(fw::kIdOk);
    });
    const std::string golden = kUser + "0BONDGOVT00000001" + "00" + Pad("ACC1", 12) + Flags({ 1, 5, 10, 24 })
        + std::string(9, ' ') + "000004125" + Digits(10, 16) + std::string(16, '0') + std::string(40, ' ')
        + Pad("ACC1", 12) + Flags({ 1, 5, 24 }) + "000001260" + std::string(9, ' ') + Digits(10, 16)
        + std::string(16, '0') + std::string(40, ' ');
    ASSERT_EQ(Quotes().size(), 1u);
    EXPECT_EQ(Quotes().back(), golden);
    // Both sides asked the one conversion of the host, without a settlement date.
    for (const Msg& m : router.Requests()) {
        if (m.type == 94 || m.type == 95) {
            EXPECT_EQ(m.bytes.find("0BONDGOVT00000001"), 12u) << m.bytes;
        }
    }
}

TEST_F(MarketMakerForm, TheSecurityDecidesWhatMayBeEntered)
{
    struct Case {
        const char* board;
        const char* security;
        bool yield, accounts, topUp, session, day;
        uint32_t validity;
        const char* lot;
        const char* priceLabel;
        int decimals;
    };
    const Case cases[] = {
        { "Main Board", "ALFA", false, true, true, true, true, IDC_MM_SESSION, "X 100", "Price:", 2 },
        { "Main Board", "BETA", false, true, false, false, true, IDC_MM_DAY, "X 1", "Price:", 2 },
        { "Bond Board", "GOVT", true, true, false, true, false, IDC_MM_SESSION, "X 1", "Yield:", 3 },
        { "Main Board", "SELLONLY", false, false, true, true, true, IDC_MM_SESSION, "X 1", "Price:", 2 },
    };
    CMMkrOrder dlg;
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        auto& f = static_cast<CMMkrOrder&>(d);
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk)) << "no security yet";
        for (const Case& c : cases) {
            d.userSelect(IDC_MM_BOARD, d.findStringExact(IDC_MM_BOARD, -1, c.board));
            d.userSelect(IDC_MM_SECURITY, d.findStringExact(IDC_MM_SECURITY, -1, c.security));
            for (bool buy : { true, false }) {
                const uint32_t yield = buy ? IDC_MM_BUY_YIELD : IDC_MM_SELL_YIELD;
                const uint32_t account = buy ? IDC_MM_BUY_ACCOUNT : IDC_MM_SELL_ACCOUNT;
                EXPECT_EQ(d.isItemEnabled(yield), c.yield) << c.security;
                EXPECT_EQ(d.isButtonChecked(yield) != 0, c.yield) << c.security;
                EXPECT_EQ(d.itemText(buy ? IDC_MM_BUY_PRICE_LABEL : IDC_MM_SELL_PRICE_LABEL), c.priceLabel);
                EXPECT_EQ(f.PriceDecimals(buy), c.decimals) << c.security;
                EXPECT_EQ(d.isItemEnabled(account), c.accounts) << c.security;
                EXPECT_EQ(d.itemText(account), c.accounts ? "ACC1" : "") << c.security;
                EXPECT_EQ(d.isItemEnabled(buy ? IDC_MM_BUY_TOPUP : IDC_MM_SELL_TOPUP), c.topUp) << c.security;
                EXPECT_EQ(d.isItemEnabled(buy ? IDC_MM_BUY_USE_TOPUP : IDC_MM_SELL_USE_TOPUP), c.topUp);
                EXPECT_EQ(d.itemText(buy ? IDC_MM_BUY_LOT : IDC_MM_SELL_LOT), c.lot) << c.security;
            }
            EXPECT_EQ(d.isItemEnabled(IDC_MM_SESSION), c.session) << c.security;
            EXPECT_EQ(d.isItemEnabled(IDC_MM_DAY), c.day) << c.security;
            EXPECT_TRUE(d.isButtonChecked(c.validity)) << c.security;
            EXPECT_TRUE(d.isItemEnabled(fw::kIdOk)) << c.security;
        }
        d.userClick(fw::kIdCancel);
    });
    EXPECT_TRUE(Quotes().empty());
}

TEST_F(MarketMakerForm, TheLastQuoteComesBackWhenTheSecurityIsChosenAgain)
{
    fw::test::Script boxes;
    boxes.answerMessageBox(fw::IDOK);
    CMMkrOrder first;
    fw::test::runModal(first, [](fw::Dialog& d) {
        FillQuote(d);
        d.userClick(fw::kIdOk);
    });
    CMMkrOrder second;
    fw::test::runModal(second, [](fw::Dialog& d) {
        auto& f = static_cast<CMMkrOrder&>(d);
        ChooseAlfa(d);
        EXPECT_EQ(f.PriceText(true), "12.50");
        EXPECT_EQ(f.QuantityText(true), "1,000");
        EXPECT_EQ(f.TopUpText(true), "500");
        EXPECT_FALSE(d.isButtonChecked(IDC_MM_BUY_USE_TOPUP));
        EXPECT_EQ(f.PriceText(false), "12.60");
        EXPECT_EQ(f.QuantityText(false), "2,000");
        EXPECT_TRUE(d.isButtonChecked(IDC_MM_SELL_USE_TOPUP));
        EXPECT_FALSE(d.isItemEnabled(IDC_MM_SELL_TOPUP));
        d.userSelect(IDC_MM_SECURITY, d.findStringExact(IDC_MM_SECURITY, -1, "BETA"));
        EXPECT_EQ(f.QuantityText(true), "") << "BETA has no quote of its own";
        d.userClick(fw::kIdCancel);
    });
}

TEST_F(MarketMakerForm, StaysOpenWhenOrderExitIsOffAndAsksOneQuestionPerSide)
{
    deal.session.m_bOrderExit = 0;
    deal.session.m_bConfirm = 1;
    const std::string buyQuestion = "Do you really want to enter following Buy order?\nSecurity:\tMain Board/ALFA\n"
                                    "Price/Qty:\t12.50/1,000\nAccount:\tACC1";
    const std::string sellQuestion = "Do you really want to enter following Sell order?\nSecurity:\tMain Board/ALFA\n"
                                     "Price/Qty:\t12.60/2,000\nAccount:\tACC1";
    fw::test::Script boxes;
    boxes.answerMessageBox(fw::IDYES);
    boxes.answerMessageBox(fw::IDNO);
    boxes.answerMessageBox(fw::IDYES);
    boxes.answerMessageBox(fw::IDYES);
    boxes.answerMessageBox(fw::IDOK);
    CMMkrOrder dlg;
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(fw::kIdCancel), "Close");
        FillQuote(d);
        d.userClick(fw::kIdOk); // No to the sell question: nothing goes
        EXPECT_TRUE(Quotes().empty());
        d.userClick(fw::kIdOk);
        EXPECT_EQ(Quotes().size(), 1u);
        EXPECT_TRUE(d.isVisible()) << "ready for the next quote";
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(boxes.messageBoxes(),
        (std::vector<std::string> { buyQuestion, sellQuestion, buyQuestion, sellQuestion, "Quote accepted." }));
}

TEST_F(MarketMakerForm, NothingGoesWithoutASecurityAndARefusalKeepsTheValues)
{
    router.AnswerWith([](const std::vector<Msg>&) -> std::vector<Msg> {
        return { { 192, std::string("Market maker not registered.") + '\0' } };
    });
    fw::test::Script boxes;
    boxes.answerMessageBox(fw::IDOK);
    CMMkrOrder dlg;
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        auto& f = static_cast<CMMkrOrder&>(d);
        for (uint32_t id : { uint32_t(IDC_MM_SEND_BUY), uint32_t(IDC_MM_SEND_SELL), uint32_t(fw::kIdOk) })
            EXPECT_FALSE(d.isItemEnabled(id)) << id;
        FillQuote(d);
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(f.PriceText(true), "12.50");
        EXPECT_EQ(f.QuantityText(false), "2,000");
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(boxes.messageBoxes(), (std::vector<std::string> { "Market maker not registered." }));
    EXPECT_EQ(Quotes().size(), 1u);
}

TEST_F(MarketMakerForm, ToolTipsAndTheQuoteWindowOfEachSide)
{
    CMMkrOrder dlg;
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        auto& f = static_cast<CMMkrOrder&>(d);
        EXPECT_EQ(d.item(IDC_MM_SEND_SELL)->toolTip().toStdString(), "Send the sell order only");
        EXPECT_EQ(d.item(fw::kIdCancel)->toolTip().toStdString(), "");
        ChooseAlfa(d);
        d.onNotify(IDC_MM_SELL_QUANTITY, fw::Notify::SetFocus);
        ASSERT_NE(f.QuoteWindow(), nullptr);
        EXPECT_EQ(f.QuoteWindow()->Security(), kAlfa);
        d.onNotify(IDC_MM_SELL_QUANTITY, fw::Notify::KillFocus);
        EXPECT_EQ(f.QuoteWindow(), nullptr);
        d.userClick(fw::kIdCancel);
    });
}

} // namespace
