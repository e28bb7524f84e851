// The negotiated deal input's rules, its 134 record, the order-method boxes
// and the work area identifiers, without windows.
#include <gtest/gtest.h>

#include <string>

#include "deal_dialogs/deal_fixture.h"
#include "kv32/res/deal_dialogs_ids.h"
#include "kv32/res/shell_dialog_ids.h"
#include "kv32/shell/neg_deal_form.h"
#include "kv32/shell/order_method_form.h"
#include "kv32/shell/wai_form.h"
#include "kv32/tables/all_tables.h"

namespace {

using namespace dealtest;

class NegDealForm : public ::testing::Test {
protected:
    NegDealForm() { FillMarket(); }
    ~NegDealForm() override { ClearMarket(); }
};

KvNegDealInput SampleDeal()
{
    KvNegDealInput in;
    in.user = "TRADER01";
    in.account = "ACC1";
    in.side = kDealBuy;
    in.securityKey = "0MAINALFA00000001";
    in.counterparty = "BRK2T1";
    in.priceText = "12.50";
    in.priceDecimals = 2;
    in.quantityText = "1,500";
    in.reference = "REF-7";
    in.confirmPeriod = "30";
    in.reminder = "5";
    in.settleDate = "20261214";
    in.tradeSource = 'O';
    return in;
}

TEST_F(NegDealForm, RecordIsTheGoldenTextWithItsNul)
{
    const std::string user = "TRADER01    ";
    const std::string priced = user + "ACC1        " + "B" + "0MAINALFA00000001" + "BRK2T1      " + "000001250"
        + std::string(9, ' ') + "0000000000001500" + "REF-7" + std::string(35, ' ') + "0030" + "0005" + user
        + "20261214" + std::string(6, ' ') + "O" + std::string(1, '\0');
    ASSERT_EQ(priced.size(), kNegDealRecordLength);
    EXPECT_EQ(BuildNegDealRecord(SampleDeal()), priced);

    // With the Yield box the value moves to the yield field; a missing source,
    // date and account go out as blanks, never as NULs inside the text.
    KvNegDealInput in = SampleDeal();
    in.yield = true;
    in.priceText = "4.125";
    in.priceDecimals = 3;
    in.side = kDealSell;
    in.account.clear();
    in.settleDate.clear();
    in.tradeSource = '\0';
    in.priceText = "4.125";
    const std::string record = BuildNegDealRecord(in);
    ASSERT_EQ(record.size(), kNegDealRecordLength);
    EXPECT_EQ(record.substr(12, 13), std::string(12, ' ') + "S");
    EXPECT_EQ(record.substr(54, 18), std::string(9, ' ') + "000004125");
    EXPECT_EQ(record.substr(148, 15), std::string(15, ' '));
    EXPECT_EQ(record.find('\0'), kNegDealTextLength);

    // An empty price field is nine zeros in the field of its meaning.
    in.priceText.clear();
    EXPECT_EQ(BuildNegDealRecord(in).substr(54, 18), std::string(9, ' ') + "000000000");
}

TEST_F(NegDealForm, FieldsThatDoNotFitRefuseTheRecord)
{
    struct Case {
        const char* name;
        void (*change)(KvNegDealInput&);
        unsigned focus; // of the width check; 0: the check passes
    };
    const Case cases[] = {
        { "account of 13", [](KvNegDealInput& in) { in.account = "ACCOUNT-13CH"; in.account += 'X'; }, IDC_ND_ACCOUNT },
        { "reference of 41", [](KvNegDealInput& in) { in.reference = std::string(41, 'R'); }, IDC_ND_REFERENCE },
        { "quantity of 17 digits", [](KvNegDealInput& in) { in.quantityText = std::string(17, '9'); }, IDC_ND_QUANTITY },
        { "price of 10 digits", [](KvNegDealInput& in) { in.priceText = "123456789.00"; }, 0 },
        { "confirmation of 5 digits", [](KvNegDealInput& in) { in.confirmPeriod = "12345"; }, 0 },
        { "key of 18", [](KvNegDealInput& in) { in.securityKey += 'K'; }, 0 },
    };
    for (const Case& c : cases) {
        KvNegDealInput in = SampleDeal();
        c.change(in);
        EXPECT_EQ(BuildNegDealRecord(in), "") << c.name;
        EXPECT_EQ(CheckNegDealWidths(in).focusId, c.focus) << c.name;
    }
    EXPECT_EQ(CheckNegDealWidths(SampleDeal()).messageId, 0u);
}

TEST_F(NegDealForm, OkNeedsListsDealsACounterpartyAndAQuantity)
{
    struct Case {
        KvNegDealOkInput in;
        bool ok;
    };
    const Case cases[] = {
        { { true, true, true, true, "100" }, true },
        { { true, true, true, true, "1,000,000" }, true },
        { { true, true, true, true, "0" }, false },
        { { true, true, true, true, "" }, false },
        { { true, true, false, true, "100" }, false }, // deals not allowed
        { { true, true, true, false, "100" }, false }, // no counterparty
        { { false, true, true, true, "100" }, false },
        { { true, false, true, true, "100" }, false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(NegDealOkEnabled(c.in), c.ok) << c.in.quantityText << c.in.dealsAllowed << c.in.counterpartySelected;
}

TEST_F(NegDealForm, SecurityRulesAndTheSideKept)
{
    const KvNegDealRules alfa = NegDealRules(kAlfa);
    EXPECT_TRUE(alfa.found && alfa.dealsAllowed && alfa.accountEnabled && alfa.settleEnabled);
    EXPECT_TRUE(alfa.buyEnabled && alfa.sellEnabled);
    EXPECT_FALSE(alfa.yieldEnabled || alfa.ownCounterparty);
    EXPECT_FALSE(NegDealRules(kBeta).dealsAllowed);
    EXPECT_TRUE(NegDealRules(kGovt).yieldEnabled);
    EXPECT_TRUE(NegDealRules(kOwns).ownCounterparty);
    const KvNegDealRules sellOnly = NegDealRules(kSellOnly);
    EXPECT_FALSE(sellOnly.accountEnabled || sellOnly.settleEnabled || sellOnly.buyEnabled);
    EXPECT_FALSE(NegDealRules(-1).found);
    EXPECT_FALSE(NegDealRules(99).found);

    struct Case {
        int side;
        bool buy, sell;
        int kept;
    };
    const Case sides[] = {
        { kDealSell, true, false, kDealBuy },
        { kDealBuy, false, true, kDealSell },
        { kDealBuy, false, false, kDealBuy },
        { kDealSell, true, true, kDealSell },
        { kDealBuy, true, true, kDealBuy },
    };
    for (const Case& c : sides)
        EXPECT_EQ(NegDealAdjustSide(c.side, c.buy, c.sell), c.kept) << c.side << c.buy << c.sell;
}

TEST_F(NegDealForm, MarketPriceFallsBackInItsOrder)
{
    SecurityRec& s = *SecurityTable().GetRec(kAlfa);
    struct Case {
        int side;
        double bid, offer, last, previous;
        double price;
        unsigned hint;
    };
    const Case cases[] = {
        { kDealBuy, 12.5, 12.6, 12.55, 12.4, 12.5, IDS_HINT_BID },
        { kDealSell, 12.5, 12.6, 12.55, 12.4, 12.6, IDS_HINT_OFFER },
        { kDealBuy, 0, 12.6, 12.55, 12.4, 12.55, IDS_HINT_LAST_TODAY },
        { kDealSell, 12.5, 0, 0, 12.4, 12.4, IDS_HINT_LAST_EARLIER },
        { kDealSell, 12.5, 0, 0, 0, 0, 0 },
    };
    for (const Case& c : cases) {
        s.dBid = CDouble(c.bid, 2);
        s.dOffer = CDouble(c.offer, 2);
        s.dLast = CDouble(c.last, 2);
        s.dPrevPrice = CDouble(c.previous, 2);
        const KvDealPricePreset p = NegDealPricePreset(kAlfa, c.side);
        EXPECT_DOUBLE_EQ(static_cast<double>(p.price), c.price) << c.side << ' ' << c.bid << ' ' << c.offer;
        EXPECT_EQ(p.hintId, c.hint);
    }
    EXPECT_EQ(NegDealPricePreset(-1, kDealBuy).hintId, 0u);
}

TEST_F(NegDealForm, ChecksRunInTheirOrder)
{
    struct Case {
        int row;
        const char* confirm;
        const char* reminder;
        const char* price;
        unsigned message, focus;
    };
    const Case cases[] = {
        { -1, "1x", "", "1234567890", IDS_INVALID_SECURITY, IDC_ND_SECURITY },
        { kAlfa, "1x", "2", "1234567890", IDS_INVALID_NUMBER, IDC_ND_CONFIRM_PERIOD },
        { kAlfa, "10", "-2", "1234567890", IDS_INVALID_NUMBER, IDC_ND_REMINDER },
        { kAlfa, "10", "2", "12,345,678.00", IDS_INVALID_VALUE, IDC_ND_PRICE },
        { kAlfa, "10", "2", "1,234,567.89", 0, 0 },
        { kAlfa, "", "", "", 0, 0 },
    };
    for (const Case& c : cases) {
        const KvNegDealCheck check = CheckNegDeal(c.row, c.confirm, c.reminder, c.price, 2);
        EXPECT_EQ(check.messageId, c.message) << c.confirm << '/' << c.reminder << '/' << c.price;
        EXPECT_EQ(check.focusId, c.focus) << c.confirm << '/' << c.reminder << '/' << c.price;
    }
}

TEST_F(NegDealForm, HostErrorNumbersPointAtTheirFields)
{
    const std::pair<int, unsigned> cases[] = { { 1, IDC_ND_ACCOUNT }, { 2, 0 }, { 3, IDC_ND_SECURITY },
        { 4, IDC_ND_COUNTERPARTY }, { 5, IDC_ND_PRICE }, { 6, IDC_ND_PRICE }, { 7, IDC_ND_QUANTITY },
        { 8, IDC_ND_QUANTITY }, { 9, IDC_ND_CONFIRM_PERIOD }, { 10, 0 }, { 0, 0 }, { -1, 0 } };
    for (const auto& [error, focus] : cases)
        EXPECT_EQ(NegDealErrorFocus(error), focus) << error;
}

TEST_F(NegDealForm, YieldBoxSwapsPriceAndYield)
{
    KvPriceYieldSwap swap;
    // Price 12.50 shown, the host converted it to 4.125: checking Yield puts the yield in the field.
    EXPECT_EQ(swap.Toggle(true, "12.50", "4.125"), "4.125");
    // Unchecked with nothing converted: the price typed before comes back.
    EXPECT_EQ(swap.Toggle(false, "4.200", ""), "12.50");
    // Checked again with nothing converted: the yield typed before comes back.
    EXPECT_EQ(swap.Toggle(true, "12.75", ""), "4.200");
    EXPECT_EQ(swap.PriceText(), "12.75");
    swap.Clear();
    EXPECT_EQ(swap.Toggle(false, "4.000", ""), "");
}

TEST_F(NegDealForm, SecuritiesOfABoardLeavePrimaryDistributionsOut)
{
    std::vector<std::string> names;
    for (const KvSecurityChoice& c : NegDealSecurities("MAIN"))
        names.push_back(c.name);
    EXPECT_EQ(names, (std::vector<std::string> { "ALFA", "BETA", "OWNS", "SELLONLY" }));
    const std::vector<KvSecurityChoice> bonds = NegDealSecurities("BOND");
    ASSERT_EQ(bonds.size(), 2u);
    EXPECT_EQ(bonds[1].row, kBondAlfa);
    EXPECT_TRUE(NegDealSecurities("NONE").empty());
}

TEST_F(NegDealForm, PresetFromTheActiveWindowAndTheSource)
{
    KvDealWindowRow securities;
    securities.tableId = 6;
    securities.securityRow = kGovt;
    KvDealWindowRow summary;
    summary.tableId = 7;
    summary.boardRow = 1;
    KvDealWindowRow orders;
    orders.tableId = 9;
    orders.securityKey = "0BONDALFA00000001";
    KvDealWindowRow book;
    book.tableId = 11;
    book.securityRow = kAlfa;
    book.hasBookRow = true;
    book.firstPrice = CDouble(12.3, 2);
    book.secondPrice = CDouble(12.8, 2);
    KvDealWindowRow other;
    other.tableId = 32;
    other.securityRow = kAlfa;

    struct Case {
        const char* name;
        KvDealWindowRow window;
        int side;
        std::optional<int> source;
        int security, board;
        bool pricePreset;
        double price; // -1: none
    };
    const Case cases[] = {
        { "securities", securities, kDealSell, std::nullopt, kGovt, 1, true, -1 },
        { "summary", summary, kDealSell, std::nullopt, -1, 1, false, -1 },
        { "trades by key", orders, kDealSell, std::nullopt, kBondAlfa, 1, false, -1 },
        { "book buy", book, kDealBuy, std::nullopt, kAlfa, 0, false, 12.3 },
        { "book sell", book, kDealSell, std::nullopt, kAlfa, 0, false, 12.8 },
        { "other window", other, kDealBuy, std::nullopt, -1, -1, false, -1 },
        { "no window", {}, kDealBuy, std::nullopt, -1, -1, false, -1 },
        { "source replaces", securities, kDealBuy, kBondAlfa, kBondAlfa, 1, true, -1 },
        { "source names none", book, kDealBuy, -1, -1, 0, false, 12.3 },
    };
    for (const Case& c : cases) {
        const KvNegDealPreset p = NegDealPreset(c.window, c.side, c.source);
        EXPECT_EQ(p.securityRow, c.security) << c.name;
        EXPECT_EQ(p.boardRow, c.board) << c.name;
        EXPECT_EQ(p.pricePreset, c.pricePreset) << c.name;
        EXPECT_EQ(p.price.has_value(), c.price >= 0) << c.name;
        if (p.price && c.price >= 0) {
            EXPECT_DOUBLE_EQ(static_cast<double>(*p.price), c.price) << c.name;
        }
    }
}

TEST_F(NegDealForm, ActiveWindowRowIsReadForThePreset)
{
    EXPECT_EQ(KvActiveDealWindowRow().tableId, 0u) << "no active window";
    {
        FakeActiveRow securities(kListSecurities, kGovt);
        const KvDealWindowRow w = KvActiveDealWindowRow();
        EXPECT_EQ(w.tableId, 6u);
        EXPECT_EQ(w.securityRow, kGovt);
    }
    FakeActiveRow book(kListOrderBook, 3);
    book.bookKey = "0BONDALFA00000001";
    book.book.bid = CDouble(12.35, 2);
    book.book.offer = CDouble(12.45, 2);
    KvDealWindowRow w = KvActiveDealWindowRow();
    EXPECT_EQ(w.securityKey, book.bookKey);
    EXPECT_TRUE(w.hasBookRow);
    EXPECT_DOUBLE_EQ(static_cast<double>(NegDealPreset(w, kDealSell, std::nullopt).price.value()), 12.45);
    book.record = -1;
    EXPECT_FALSE(KvActiveDealWindowRow().hasBookRow) << "no row chosen in the book";
    book.table = kListOrders;
    book.record = 0;
    EXPECT_EQ(KvActiveDealWindowRow().securityKey, "") << "an order row that the table does not hold";
}

TEST_F(NegDealForm, QuestionNamesSideSecurityPriceQuantityAndAccount)
{
    EXPECT_EQ(NegDealQuestion(kDealBuy, "Main Board", "ALFA", "12.50", "1,500", "ACC1"),
        "Do you really want to enter following Buy negotiated deal?\nSecurity:\tMain Board/ALFA\n"
        "Price/Qty:\t12.50/1,500\nAccount:\tACC1");
}

TEST(OrderMethods, BoxesFollowTheOrderFlags)
{
    const auto flags = [](std::initializer_list<int> set) {
        std::string s(32, '0');
        for (int p : set)
            s[static_cast<size_t>(p)] = '1';
        return s;
    };
    struct Case {
        const char* name;
        std::string flags;
        std::vector<uint32_t> checked;
    };
    const Case cases[] = {
        { "market day fill any", flags({ 0, 25, 17 }), { 126, 213, 116 } },
        { "limit gtc all or none", flags({ 1, 27, 15 }), { 1002, 214, 118 } },
        { "fill or kill", flags({ 1, 15, 28 }), { 1002, 119 } },
        { "fill and kill", flags({ 1, 17, 28 }), { 1002, 120 } },
        { "minimum, session, settle, stop, buyin", flags({ 16, 24, 13, 12, 9 }), { 212, 117, 187, 208, 401 } },
        { "good till date", flags({ 26 }), { 230 } },
        { "short string", "11", { 126, 1002 } },
        { "none", "", {} },
    };
    for (const Case& c : cases) {
        std::vector<uint32_t> checked;
        for (const KvOrderMethodBox& b : OrderMethodBoxes(c.flags))
            if (b.checked)
                checked.push_back(b.id);
        std::vector<uint32_t> expected = c.checked;
        std::sort(checked.begin(), checked.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(checked, expected) << c.name;
        EXPECT_EQ(OrderMethodBoxes(c.flags).size(), 14u);
    }
}

TEST(OrderMethods, ValuesShowOnlyWithTheirMethod)
{
    COrderRec order {};
    std::strcpy(order.szType, "00000000000011000000000000100000"); // stop, settle, good till date
    order.dtExpiry.SetDateTime(2026, 12, 31, 15, 30, 0);
    std::strcpy(order.szExpiryTime, "153000");
    order.dtSettle.SetDateTime(2027, 1, 4, 0, 0, 0);
    order.dTriggerPrice = CDouble(11.75, 2);
    KvOrderMethodValues v = OrderMethodValues(order);
    EXPECT_EQ(v.expiryDate, order.dtExpiry.FormatDate());
    EXPECT_EQ(v.expiryTime, order.dtExpiry.FormatTime());
    EXPECT_EQ(v.settleDate, order.dtSettle.FormatDate());
    EXPECT_EQ(v.trigger, order.dTriggerPrice.Format(1, 1));
    EXPECT_FALSE(v.expiryDate.empty() || v.trigger.empty());

    std::strcpy(order.szExpiryTime, "000000");
    EXPECT_EQ(OrderMethodValues(order).expiryTime, "") << "a date without a time shows no time";
    std::strcpy(order.szType, "11000000000000000000000001000000");
    v = OrderMethodValues(order);
    EXPECT_EQ(v.expiryDate + v.expiryTime + v.settleDate + v.trigger, "");
}

TEST(WorkAreaIdentifier, NewNamesJoinTheKnownOnesOnce)
{
    CLocalOrderTable& book = KvTables().localOrders;
    book.m_workAreas.clear();
    EXPECT_FALSE(WaiOkEnabled(""));
    EXPECT_TRUE(WaiOkEnabled("Desk A"));
    WaiAccept("Desk A", false);
    WaiAccept("Desk A", false);
    WaiAccept("Desk B", true); // chosen from the list: already known there
    EXPECT_EQ(WaiKnownNames(), (std::vector<std::string> { "Desk A" }));
    book.m_workAreas.clear();
}

} // namespace
