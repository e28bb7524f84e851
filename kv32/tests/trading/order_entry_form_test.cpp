#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include <string>
#include <vector>

#include "fw/core/msgbox.h"
#include "kv32/res/order_entry_ids.h"
#include "kv32/trading/order_entry_form.h"
#include "kvcore/values/intl_info.h"
#include "support/trading_records.h"
#include "trading/order_entry_fixture.h"

namespace {

using kv32test::ConvertLocally;
using kv32test::End;
using kv32test::Methods;

class OrderEntryForm : public kv32test::OrderEntryFixture {
protected:
    // A form on SEC1 with the user's entries typed; nothing sent yet.
    COrderEntryForm& Entered(int side = 1)
    {
        m_form = std::make_unique<COrderEntryForm>(side, false);
        ConvertLocally(*m_form);
        m_form->Init();
        Choose(*m_form, "SEC1");
        m_form->SelectAccount(0);
        m_form->Type(IDC_OE_PRICE, "12.5");
        m_form->Type(IDC_OE_QUANTITY, "100");
        return *m_form;
    }
    std::unique_ptr<COrderEntryForm> m_form;
};

TEST_F(OrderEntryForm, DayBuySendsTheGoldenRecord)
{
    AddSecurity("SEC1", kv32test::PlainMethods());
    COrderEntryForm& form = Entered();
    EXPECT_TRUE(form.Control(IDC_OE_DAY).checked);
    EXPECT_TRUE(form.Control(IDC_OE_FILL_ANY).checked);
    router.Reply({ { 193, std::string("Order 1 entered") + '\0' } });
    EXPECT_EQ(form.Ok(), KvOrderOkResult::Sent);
    const auto orders = Orders();
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders[0].bytes, GoldenDayBuy());
    EXPECT_EQ(orders[0].bytes.size(), 211u);
    EXPECT_TRUE(form.Closes());
    EXPECT_EQ(KvLastTradingAccount(), "ACC1");
}

TEST_F(OrderEntryForm, PermissionStringsDecideEnablingAndDefaults)
{
    struct Case {
        const char* name;
        std::string methods;
        std::vector<uint32_t> enabled;
        std::vector<uint32_t> disabled;
        uint32_t validity; // 0: none checked
        uint32_t fill;
    };
    const Case cases[] = {
        { "nothing allowed", Methods({}), { IDC_OE_PRICE, IDC_OE_QUANTITY, IDC_OE_ACCOUNT },
            { IDC_OE_MARKET, IDC_OE_LIMIT, IDC_OE_SESSION, IDC_OE_DAY, IDC_OE_GTC, IDC_OE_GTD,
                IDC_OE_FILL_ANY, IDC_OE_FILL_MIN, IDC_OE_ALL_OR_NONE, IDC_OE_FILL_OR_KILL,
                IDC_OE_FILL_AND_KILL, IDC_OE_YIELD, IDC_OE_HIDDEN, IDC_OE_STOP, IDC_OE_SETTLE, IDC_OE_BUYIN,
                IDC_OE_EXPIRY_DATE, IDC_OE_EXPIRY_TIME, IDC_OE_MIN_FILL, IDC_OE_TRIGGER },
            0, 0 },
        { "no trading account", Methods({ kFlagLimit, kFlagNoAccount }), {}, { IDC_OE_ACCOUNT }, 0, 0 },
        { "session and day: day first", Methods({ kFlagLimit, kFlagSession, kFlagDay }),
            { IDC_OE_SESSION, IDC_OE_DAY }, { IDC_OE_GTC, IDC_OE_GTD }, IDC_OE_DAY, 0 },
        { "session before cancelled", Methods({ kFlagLimit, kFlagSession, kFlagGoodTillCancelled }), {}, {},
            IDC_OE_SESSION, 0 },
        { "good till time only", Methods({ kFlagLimit, kFlagGoodTillTime }),
            { IDC_OE_GTD, IDC_OE_EXPIRY_TIME }, { IDC_OE_EXPIRY_DATE }, IDC_OE_GTD, 0 },
        { "good till date", Methods({ kFlagLimit, kFlagGoodTillDate }), { IDC_OE_GTD, IDC_OE_EXPIRY_DATE },
            { IDC_OE_EXPIRY_TIME }, IDC_OE_GTD, 0 },
        { "all or none without kill", Methods({ kFlagLimit, kFlagAllOrNone }), { IDC_OE_ALL_OR_NONE },
            { IDC_OE_FILL_OR_KILL, IDC_OE_FILL_AND_KILL }, 0, IDC_OE_ALL_OR_NONE },
        { "fill or kill", Methods({ kFlagLimit, kFlagAllOrNone, kFlagImmediate }),
            { IDC_OE_ALL_OR_NONE, IDC_OE_FILL_OR_KILL }, { IDC_OE_FILL_AND_KILL }, 0, IDC_OE_ALL_OR_NONE },
        { "fill and kill", Methods({ kFlagLimit, kFlagFillAny, kFlagImmediate }),
            { IDC_OE_FILL_ANY, IDC_OE_FILL_AND_KILL }, { IDC_OE_FILL_OR_KILL }, 0, IDC_OE_FILL_ANY },
        { "fill minimum", Methods({ kFlagLimit, kFlagFillMinimum }), { IDC_OE_FILL_MIN, IDC_OE_MIN_FILL }, {},
            0, IDC_OE_FILL_MIN },
        { "market only", Methods({ kFlagMarket, kFlagFillAny, kFlagFillMinimum, kFlagAllOrNone, kFlagDay }),
            { IDC_OE_MARKET, IDC_OE_FILL_ANY }, { IDC_OE_LIMIT, IDC_OE_FILL_MIN, IDC_OE_ALL_OR_NONE },
            IDC_OE_DAY, IDC_OE_FILL_ANY },
        { "optional fields", Methods({ kFlagLimit, kFlagHidden, kFlagStop, kFlagSettle, kFlagYield }),
            { IDC_OE_HIDDEN, IDC_OE_STOP, IDC_OE_SETTLE, IDC_OE_YIELD }, { IDC_OE_BUYIN, IDC_OE_TRIGGER }, 0,
            0 },
    };
    for (const Case& c : cases) {
        SecurityTable().Free();
        AddSecurity("SEC1", c.methods);
        COrderEntryForm form(1, false);
        form.convert = nullptr;
        form.Init();
        form.SelectAccount(0);
        Choose(form, "SEC1");
        for (uint32_t id : c.enabled)
            EXPECT_TRUE(form.Control(id).enabled) << c.name << " " << id;
        for (uint32_t id : c.disabled)
            EXPECT_FALSE(form.Control(id).enabled) << c.name << " " << id;
        for (uint32_t id : { IDC_OE_SESSION, IDC_OE_DAY, IDC_OE_GTC, IDC_OE_GTD })
            EXPECT_EQ(form.Control(id).checked, id == c.validity) << c.name << " " << id;
        for (uint32_t id : { IDC_OE_FILL_ANY, IDC_OE_FILL_MIN, IDC_OE_ALL_OR_NONE, IDC_OE_FILL_OR_KILL,
                 IDC_OE_FILL_AND_KILL })
            EXPECT_EQ(form.Control(id).checked, id == c.fill) << c.name << " " << id;
        if (KvFlagSet(c.methods, kFlagNoAccount)) {
            EXPECT_EQ(form.Control(IDC_OE_ACCOUNT).sel, -1) << c.name;
        }
        EXPECT_EQ(form.Control(IDC_OE_YIELD).checked, KvFlagSet(c.methods, kFlagYield)) << c.name;
    }
}

TEST_F(OrderEntryForm, PrefillFollowsTheActiveWindowSideAndColumn)
{
    const int row = AddSecurity("SEC1", kv32test::PlainMethods());
    SecurityRec& s = *SecurityTable().GetRec(row);
    s.dBid = CDouble(12.3, 2);
    s.dBidDepth = CDouble(500, 0);
    s.dOffer = CDouble(12.5, 2);
    s.dOfferDepth = CDouble(700, 0);
    const int bare = AddSecurity("SEC2", kv32test::PlainMethods());
    SecurityTable().GetRec(bare)->dPrevPrice = CDouble(11, 2);

    kv32test::FakeActiveRow active;
    KvSetActiveRow(&active);
    KvBookRow book { CDouble(9.1, 2), CDouble(40, 0), CDouble(9.2, 2), CDouble(60, 0) };
    struct Case {
        uint32_t table;
        int side;
        int column;
        int row;
        const char* security;
        const char* price;
        const char* quantity;
    };
    const Case cases[] = {
        { kListSecurities, 2, 4, row, "SEC1", "12.30", "500" },
        { kListSecurities, 2, 19, row, "SEC1", "12.30", "500" },
        { kListSecurities, 2, 5, row, "SEC1", "12.50", "" },
        { kListSecurities, 1, 5, row, "SEC1", "12.50", "700" },
        { kListSecurities, 1, 22, row, "SEC1", "12.50", "700" },
        { kListSecurities, 1, 4, row, "SEC1", "12.30", "" },
        { kListSecurities, 1, 4, bare, "SEC2", "11.00", "" },
        { kListOrderBook, 2, 2, 0, "SEC1", "9.10", "40" },
        { kListOrderBook, 2, 4, 0, "SEC1", "9.10", "40" },
        { kListOrderBook, 2, 5, 0, "SEC1", "9.20", "" },
        { kListOrderBook, 1, 7, 0, "SEC1", "9.20", "60" },
        { kListOrderBook, 1, 5, 0, "SEC1", "9.20", "60" },
        { kListOrderBook, 1, 4, 0, "SEC1", "9.10", "" },
        { kListMarketOrders, 2, 3, 0, "SEC1", "9.10", "40" },
        { kListMarketOrders, 2, 4, 0, "SEC1", "9.20", "" },
        { kListMarketOrders, 1, 4, 0, "SEC1", "9.20", "60" },
        { kListMarketOrders, 1, 3, 0, "SEC1", "9.10", "" },
        { kListNone, 1, 4, row, "", "", "" },
    };
    for (const Case& c : cases) {
        active.table = c.table;
        active.row = c.row;
        active.column = c.column;
        active.bookKey = Key("SEC1");
        active.book = book;
        COrderEntryForm form(c.side, false);
        form.convert = nullptr;
        form.Init();
        const KvFormControl& secs = form.Control(IDC_OE_SECURITY);
        const std::string shown = secs.sel >= 0 ? secs.items[static_cast<size_t>(secs.sel)] : "";
        const std::string what = std::to_string(c.table) + " side " + std::to_string(c.side) + " column "
            + std::to_string(c.column);
        EXPECT_EQ(shown, c.security) << what;
        EXPECT_EQ(form.Control(IDC_OE_PRICE).text, c.price) << what;
        EXPECT_EQ(form.Control(IDC_OE_QUANTITY).text, c.quantity) << what;
    }

    // The other side in an open form prefills again, and the price goes.
    active.table = kListSecurities;
    active.row = row;
    active.column = 4;
    COrderEntryForm form(1, false);
    form.convert = nullptr;
    form.Init();
    EXPECT_EQ(form.Control(IDC_OE_QUANTITY).text, "");
    form.Click(IDC_OE_SELL);
    EXPECT_EQ(form.Side(), 2);
    EXPECT_EQ(form.Control(IDC_OE_QUANTITY).text, "500");
    EXPECT_EQ(form.Control(IDC_OE_PRICE).text, "");
    EXPECT_NE(form.Caption().find("Sell"), std::string::npos);
}

TEST_F(OrderEntryForm, ChecksRunInOrderBeforeTheQuestionAndSendNothing)
{
    AddSecurity(
        "SEC1", Methods({ kFlagLimit, kFlagFillAny, kFlagFillMinimum, kFlagAllOrNone, kFlagDay, kFlagStop }));
    struct Case {
        const char* name;
        void (*change)(COrderEntryForm&);
        const char* message;
        uint32_t focus;
    };
    const Case cases[] = {
        { "no security", [](COrderEntryForm& f) { f.SelectSecurity(-1); }, "Invalid security.",
            IDC_OE_SECURITY },
        { "no quantity", [](COrderEntryForm& f) { f.Type(IDC_OE_QUANTITY, ""); }, "Quantity not specified",
            IDC_OE_QUANTITY },
        { "fill minimum of 0",
            [](COrderEntryForm& f) {
                f.Click(IDC_OE_FILL_MIN);
                f.Type(IDC_OE_MIN_FILL, "0");
            },
            "Invalid number format.", IDC_OE_MIN_FILL },
        { "minimum above the quantity",
            [](COrderEntryForm& f) {
                f.Click(IDC_OE_FILL_MIN);
                f.Type(IDC_OE_MIN_FILL, "101");
            },
            "Invalid value.", IDC_OE_MIN_FILL },
        { "price of ten digits", [](COrderEntryForm& f) { f.Type(IDC_OE_PRICE, "12345678.9"); },
            "Invalid value.", IDC_OE_PRICE },
        { "trigger too large",
            [](COrderEntryForm& f) {
                f.Click(IDC_OE_STOP);
                f.Type(IDC_OE_TRIGGER, "99999999");
            },
            "Invalid value.", IDC_OE_TRIGGER },
        { "limit without a price", [](COrderEntryForm& f) { f.Type(IDC_OE_PRICE, ""); }, "Invalid value.",
            IDC_OE_PRICE },
        { "reference too long", [](COrderEntryForm& f) { f.Type(IDC_OE_REFERENCE, std::string(41, 'R')); },
            "Invalid value.", IDC_OE_REFERENCE },
        { "book without work area", [](COrderEntryForm& f) { f.Click(IDC_OE_SEND_POB); },
            "The work area identifier can not be blank.", IDC_OE_WAI },
        { "price with a comma out of place", [](COrderEntryForm& f) { f.Type(IDC_OE_PRICE, "2774,50"); },
            "The number was not taken: \",\" is not the decimal separator here. The decimal separator is \".\"; "
            "\",\" may only separate groups of three digits before it.",
            IDC_OE_PRICE },
    };
    for (const Case& c : cases) {
        COrderEntryForm& form = Entered();
        form.Click(IDC_OE_CONFIRM);
        ASSERT_TRUE(form.Control(IDC_OE_CONFIRM).checked);
        c.change(form);
        ui.boxes.clear();
        EXPECT_EQ(form.Ok(), KvOrderOkResult::Refused) << c.name;
        ASSERT_EQ(ui.boxes.size(), 1u) << c.name << ": one message, no question";
        EXPECT_EQ(ui.boxes[0].text, c.message) << c.name;
        EXPECT_EQ(form.TakeFocus(), c.focus) << c.name;
        EXPECT_FALSE(form.Closes()) << c.name;
    }
    EXPECT_TRUE(Orders().empty());

    // All or none sends the quantity as the minimum, whatever the field held.
    COrderEntryForm& form = Entered();
    form.Click(IDC_OE_ALL_OR_NONE);
    form.Type(IDC_OE_QUANTITY, "500");
    router.Reply({ { 193, std::string("ok") + '\0' } });
    ASSERT_EQ(form.Ok(), KvOrderOkResult::Sent);
    ASSERT_EQ(Orders().size(), 1u);
    EXPECT_EQ(Orders()[0].bytes.substr(195, 16), "0000000000000500");
    EXPECT_EQ(Orders()[0].bytes.substr(25, 32), Methods({ kFlagLimit, kFlagAllOrNone, kFlagDay }));
}

// Under a decimal comma with '.' groups, "2774.50" is refused (it would read as 277450);
// the same price written the Hungarian way goes out as 2774.50.
TEST_F(OrderEntryForm, AHungarianPriceWithAPointIsRefusedNotMultiplied)
{
    AddSecurity("SEC1", kv32test::PlainMethods());
    fw::LocaleInfo hungarian = fw::hungarianLocale();
    hungarian.thousandSep = ".";
    KvSetIntl(hungarian);
    COrderEntryForm& form = Entered();
    form.Type(IDC_OE_PRICE, "2774.50");
    ui.boxes.clear();
    EXPECT_EQ(form.Ok(), KvOrderOkResult::Refused);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text.rfind("The number was not taken: \".\" is not the decimal separator here.", 0), 0u)
        << ui.boxes[0].text;
    EXPECT_EQ(form.TakeFocus(), IDC_OE_PRICE);
    EXPECT_TRUE(Orders().empty());
    form.Type(IDC_OE_PRICE, "2.774,50");
    router.Reply({ { 193, std::string("Order 1 entered") + '\0' } });
    EXPECT_EQ(form.Ok(), KvOrderOkResult::Sent);
    ASSERT_EQ(Orders().size(), 1u);
    EXPECT_EQ(Orders()[0].bytes, GoldenDayBuy().replace(GoldenDayBuy().find("000001250"), 9, "000277450"));
    KvSetIntl(fw::englishLocale());
}

TEST_F(OrderEntryForm, ConfirmationNoSendsNothing)
{
    AddSecurity("SEC1", kv32test::PlainMethods());
    COrderEntryForm& form = Entered();
    form.Click(IDC_OE_CONFIRM);
    ui.boxAnswer = fw::IDNO;
    EXPECT_EQ(form.Ok(), KvOrderOkResult::Declined);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text,
        "Do you really want to enter following Buy order?\nSecurity:\tMain "
        "board/SEC1\nPrice/Qty:\t12.5/100\nAccount:\tACC1");
    EXPECT_TRUE(Orders().empty());
}

TEST_F(OrderEntryForm, RefusalMovesTheFocusToTheHostsField)
{
    AddSecurity("SEC1", Methods({ kFlagLimit, kFlagFillAny, kFlagDay, kFlagHidden, kFlagStop }));
    struct Case {
        const char* number;
        uint32_t focus;
    };
    const Case cases[] = { { "1", IDC_OE_ACCOUNT }, { "3", IDC_OE_SECURITY }, { "5", IDC_OE_PRICE },
        { "6", IDC_OE_PRICE }, { "7", IDC_OE_QUANTITY }, { "8", IDC_OE_HIDDEN }, { "9", IDC_OE_EXPIRY_DATE },
        { "10", IDC_OE_EXPIRY_TIME }, { "11", IDC_OE_STOP }, { "42", 0 } };
    for (const Case& c : cases) {
        COrderEntryForm& form = Entered();
        ui.boxes.clear();
        router.Reply({ { 192, std::string("Refused by the host") + '\0' + c.number } });
        EXPECT_EQ(form.Ok(), KvOrderOkResult::Failed) << c.number;
        EXPECT_EQ(form.TakeFocus(), c.focus) << c.number;
        EXPECT_FALSE(form.Closes());
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, "Refused by the host");
    }
    // With the extended check off the focus stays.
    fErrorCheckEx = 0;
    COrderEntryForm& form = Entered();
    router.Reply({ { 192, std::string("Refused") + '\0' + "5" } });
    EXPECT_EQ(form.Ok(), KvOrderOkResult::Failed);
    EXPECT_EQ(form.TakeFocus(), 0u);
}

TEST_F(OrderEntryForm, OrderExitZeroKeepsTheFormAndItsValues)
{
    AddSecurity("SEC1", kv32test::PlainMethods());
    session.m_bOrderExit = 0;
    DefSelTable().m_anChoice[2] = 1; // keep the references used
    COrderEntryForm& form = Entered();
    EXPECT_EQ(form.Control(fw::kIdCancel).text, "Close");
    form.Type(IDC_OE_REFERENCE, "  REF-9 ");
    router.Reply({ { 193, std::string("Order 2 entered") + '\0' } });
    EXPECT_EQ(form.Ok(), KvOrderOkResult::Sent);
    EXPECT_FALSE(form.Closes());
    EXPECT_EQ(form.Control(IDC_OE_PRICE).text, "12.5");
    EXPECT_EQ(form.Control(IDC_OE_QUANTITY).text, "100");
    EXPECT_EQ(Orders()[0].bytes.substr(124, 40), "REF-9" + std::string(35, ' '));
    const auto& references = form.Control(IDC_OE_REFERENCE).items;
    EXPECT_NE(std::find(references.begin(), references.end(), "REF-9"), references.end());
}

TEST_F(OrderEntryForm, PrivateOrderBookKeepsPriceAndYield)
{
    AddSecurity("SEC1", Methods({ kFlagLimit, kFlagFillAny, kFlagDay, kFlagYield }));
    COrderEntryForm form(2, false);
    ConvertLocally(form);
    form.Init();
    Choose(form, "SEC1");
    form.SelectAccount(1);
    ASSERT_TRUE(form.Control(IDC_OE_YIELD).checked) << "a yield security starts with the yield";
    form.Click(IDC_OE_YIELD);
    form.Type(IDC_OE_PRICE, "12.5");
    form.Leave(IDC_OE_PRICE);
    EXPECT_EQ(form.Control(IDC_OE_COUNTER).text, "6.250") << "the host's yield of the price";
    form.Type(IDC_OE_QUANTITY, "300");
    form.Click(IDC_OE_SEND_POB);
    form.Type(IDC_OE_WAI, "DESK 1");
    EXPECT_EQ(form.Ok(), KvOrderOkResult::Stored);
    EXPECT_TRUE(Orders().empty()) << "nothing goes to the host";

    CLocalOrderTable& book = LocalOrderTable();
    ASSERT_EQ(book.GetSize(), 1);
    const CLocalOrderRec& rec = *book.GetAt(0);
    EXPECT_STREQ(rec.szWorkArea, "DESK 1");
    EXPECT_DOUBLE_EQ(static_cast<double>(rec.dPrice), 12.5);
    EXPECT_DOUBLE_EQ(static_cast<double>(rec.dYield), 6.25);
    EXPECT_DOUBLE_EQ(static_cast<double>(rec.dQty), 300);
    EXPECT_STREQ(rec.szTrdAcc, "ACC2");
    EXPECT_EQ(rec.nEntryMark, 0u) << "entered as a price";
    EXPECT_EQ(book.FillWorkAreas(), std::vector<std::string> { "DESK 1" });

    // Edited again in private-order mode: the entry is replaced in place.
    kv32test::FakeActiveRow active;
    active.table = kListPrivateOrders;
    active.row = 0;
    KvSetActiveRow(&active);
    COrderEntryForm edit(1, false);
    ConvertLocally(edit);
    edit.SetPrivateOrder(0);
    edit.Init();
    EXPECT_EQ(edit.Side(), 2) << "the private order's side";
    EXPECT_FALSE(edit.Control(IDC_OE_SEND_POB).enabled);
    EXPECT_TRUE(edit.Control(IDC_OE_WAI).enabled);
    EXPECT_EQ(edit.Control(IDC_OE_WAI).text, "DESK 1");
    EXPECT_EQ(edit.Control(IDC_OE_QUANTITY).text, "300");
    EXPECT_TRUE(edit.Control(IDC_OE_DAY).checked);
    edit.Type(IDC_OE_QUANTITY, "400");
    EXPECT_EQ(edit.Ok(), KvOrderOkResult::Stored);
    ASSERT_EQ(book.GetSize(), 1);
    EXPECT_DOUBLE_EQ(static_cast<double>(book.GetAt(0)->dQty), 400);
}

TEST_F(OrderEntryForm, KeysStepThePriceAndMoveTheFocus)
{
    AddSecurity("SEC1", kv32test::PlainMethods());
    COrderEntryForm& form = Entered();
    form.Type(IDC_OE_PRICE, "0.05");
    form.Key(114, true);
    EXPECT_EQ(form.Control(IDC_OE_PRICE).text, "0.05") << "a step below 0 leaves the price";
    form.Key(114, false);
    EXPECT_EQ(form.Control(IDC_OE_PRICE).text, "0.15");
    const std::pair<int, uint32_t> moves[] = { { 116, IDC_OE_SECURITY }, { 117, IDC_OE_ACCOUNT },
        { 118, IDC_OE_PRICE }, { 119, IDC_OE_QUANTITY } };
    for (const auto& [code, id] : moves) {
        form.Key(code, false);
        EXPECT_EQ(form.TakeFocus(), id) << code;
    }
}

TEST_F(OrderEntryForm, MarketClickClearsThePriceAndTheLimitOnlyFills)
{
    AddSecurity("SEC1",
        Methods({ kFlagMarket, kFlagLimit, kFlagFillAny, kFlagFillMinimum, kFlagAllOrNone, kFlagImmediate,
            kFlagDay }));
    COrderEntryForm& form = Entered();
    form.Click(IDC_OE_FILL_MIN);
    form.Click(IDC_OE_MARKET);
    EXPECT_EQ(form.Control(IDC_OE_PRICE).text, "");
    EXPECT_TRUE(form.Control(IDC_OE_FILL_ANY).checked);
    for (uint32_t id : { IDC_OE_ALL_OR_NONE, IDC_OE_FILL_MIN, IDC_OE_FILL_AND_KILL })
        EXPECT_FALSE(form.Control(id).enabled) << id;
    EXPECT_TRUE(form.Control(IDC_OE_FILL_OR_KILL).enabled);
    form.Click(IDC_OE_LIMIT);
    for (uint32_t id : { IDC_OE_ALL_OR_NONE, IDC_OE_FILL_MIN, IDC_OE_FILL_AND_KILL })
        EXPECT_TRUE(form.Control(id).enabled) << id;
}

TEST_F(OrderEntryForm, OrdersWindowPrefillsAndCopiesTheOrdersMethods)
{
    AddSecurity("SEC1",
        Methods({ kFlagLimit, kFlagMarket, kFlagFillAny, kFlagFillMinimum, kFlagDay, kFlagGoodTillDate,
            kFlagStop, kFlagSettle }));
    kv32test::OrderSpec o;
    o.code = Key("SEC1");
    o.flags = Methods({ kFlagLimit, kFlagFillMinimum, kFlagGoodTillDate, kFlagStop, kFlagSettle });
    o.minimumFill = 50;
    o.trigger = 1200;
    o.account = "ACC2";
    kv32test::Feed(OrderTable(), COrderTable::kRequest, kv32test::OrderRecord(o));
    ASSERT_EQ(OrderTable().GetCount(), 1);

    kv32test::FakeActiveRow active;
    active.table = kListOrders;
    active.row = 0;
    KvSetActiveRow(&active);
    COrderEntryForm form(1, false, false, true);
    form.convert = nullptr;
    form.Init();
    const KvFormControl& accounts = form.Control(IDC_OE_ACCOUNT);
    ASSERT_GE(accounts.sel, 0);
    EXPECT_EQ(accounts.items[static_cast<size_t>(accounts.sel)], "ACC2") << "the order's account";
    EXPECT_EQ(form.Control(IDC_OE_PRICE).text, "123.45");
    EXPECT_EQ(form.Control(IDC_OE_QUANTITY).text, "100");
    EXPECT_EQ(form.Control(IDC_OE_REFERENCE).text, "REF1");
    struct Copied {
        uint32_t id;
        bool checked;
        const char* text; // null: not compared
    };
    const Copied copied[] = {
        { IDC_OE_LIMIT, true, nullptr },
        { IDC_OE_MARKET, false, nullptr },
        { IDC_OE_GTD, true, nullptr },
        { IDC_OE_EXPIRY_DATE, false, "20261231" },
        { IDC_OE_FILL_MIN, true, nullptr },
        { IDC_OE_MIN_FILL, false, "50" },
        { IDC_OE_STOP, true, nullptr },
        { IDC_OE_TRIGGER, false, "12.00" },
        { IDC_OE_SETTLE, true, nullptr },
        { IDC_OE_SETTLE_DATE, false, "20261214" },
    };
    for (const Copied& c : copied) {
        EXPECT_EQ(form.Control(c.id).checked, c.checked) << c.id;
        if (c.text != nullptr) {
            EXPECT_EQ(form.Control(c.id).text, c.text) << c.id;
        }
    }
}

TEST_F(OrderEntryForm, PresetTextsAndAYieldPreset)
{
    AddSecurity("SEC1", Methods({ kFlagLimit, kFlagFillAny, kFlagDay, kFlagYield }));
    COrderEntryForm form(1, false, true);
    form.convert = nullptr;
    form.SetPreset("Main board", "SEC1", "6.5", "200", true);
    form.Init();
    EXPECT_EQ(form.Control(IDC_OE_SECURITY).sel, 0);
    EXPECT_FALSE(form.Control(IDC_OE_YIELD).enabled) << "a preset price keeps its kind";
    EXPECT_EQ(form.Control(IDC_OE_QUANTITY).text, "200");
    EXPECT_EQ(form.Control(IDC_OE_COUNTER).text, "6.5") << "the preset yield beside the price";
}

} // namespace
