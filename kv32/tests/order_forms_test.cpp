// The rules of the order amend, order withdraw and order information dialogs
// without their windows, over the host data tables: the withdrawal and
// amendment texts at their byte offsets, what the "All" boxes enable, how the
// chosen names resolve, and what the order information shows of each side.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kv32/shell/order_amend_form.h"
#include "kv32/shell/order_info_form.h"
#include "kv32/shell/order_withdraw_form.h"
#include "kv32/shell/order_withdraw_record.h"
#include "order_dialogs/order_fixture.h"

namespace kv32test {
namespace {

std::string Blanks(size_t n)
{
    return std::string(n, ' ');
}

std::string Flags(std::initializer_list<int> positions)
{
    std::string f(32, '0');
    for (int p : positions)
        f[static_cast<size_t>(p)] = '1';
    return f;
}

// ---- the withdrawal text ----

TEST(OrderWithdrawRecord, CriteriaLandAtTheirOffsets)
{
    struct Case {
        const char* name;
        COrderWithdrawCriteria criteria;
        std::string expected;
    };
    COrderWithdrawCriteria one;
    one.side = kWithdrawSell;
    one.orderNo = 4711;
    one.account = "ACC1";
    one.boardCode = "BRD1";
    one.securityCode = "INSTR0000001";
    one.userCode = "TRADER01";
    one.firmCode = "BRK1";
    COrderWithdrawCriteria today;
    today.todayOnly = true;
    COrderWithdrawCriteria none;
    none.side = kWithdrawNoSide;
    const Case cases[] = {
        { "every criterion All, both sides", {}, "TRADER01    A " + Blanks(12) + "=" + Blanks(78) },
        { "one order of one account", one,
            "TRADER01    AS000000004711=" + Blanks(18) + "ACC1        BRD1INSTR0000001" + Blanks(8)
                + "TRADER01    BRK1        " },
        { "today's orders", today, "TRADER01    A " + Blanks(12) + "=" + Blanks(46) + "TODAY   " + Blanks(24) },
        { "no side chosen", none, "TRADER01    A?" + Blanks(12) + "=" + Blanks(78) },
    };
    for (const Case& c : cases) {
        const std::string text = KvOrderWithdrawRecord("TRADER01", c.criteria);
        EXPECT_EQ(text.size(), static_cast<size_t>(kOrderWithdrawLength)) << c.name;
        EXPECT_EQ(text, c.expected) << c.name;
    }
}

TEST(OrderWithdrawRecord, AnythingThatDoesNotFitSendsNothing)
{
    COrderWithdrawCriteria c;
    c.orderNo = 1000000000000ULL; // 13 digits
    EXPECT_EQ(KvOrderWithdrawRecord("TRADER01", c), "");
    c = {};
    c.account = "ACCOUNT-12345";
    EXPECT_EQ(KvOrderWithdrawRecord("TRADER01", c), "");
    c = {};
    c.side = 'X';
    EXPECT_EQ(KvOrderWithdrawRecord("TRADER01", c), "");
    c = {};
    c.orderNo = 999999999999ULL;
    EXPECT_EQ(KvOrderWithdrawRecord("TRADER01", c).substr(14, 12), "999999999999");
}

TEST(OrderWithdrawRecord, AllOrdersIsTheLongText)
{
    const std::string text = KvWithdrawAllOrdersRecord("TRADER01");
    ASSERT_EQ(text.size(), static_cast<size_t>(kWithdrawAllOrdersLength));
    EXPECT_EQ(text, "TRADER01    A" + Blanks(2036));
}

// ---- the withdraw dialog's rules ----

TEST(OrderWithdrawRules, AnyAllDisablesTheOrderNumber)
{
    bool all[kWithdrawAllCount] = {};
    EXPECT_TRUE(WithdrawOrderNumberEnabled(all));
    for (int i = 0; i < kWithdrawAllCount; ++i) {
        bool one[kWithdrawAllCount] = {};
        one[i] = true;
        EXPECT_FALSE(WithdrawOrderNumberEnabled(one)) << "All box " << i;
    }
}

TEST(OrderWithdrawRules, SidesAndTheFirmAllBox)
{
    struct {
        bool buy, sell;
        char side;
    } const sides[] = { { true, true, ' ' }, { true, false, 'B' }, { false, true, 'S' }, { false, false, '?' } };
    for (const auto& s : sides)
        EXPECT_EQ(WithdrawSide(s.buy, s.sell), s.side) << s.buy << s.sell;
    EXPECT_FALSE(WithdrawAllFirmsEnabled(false, "ACC1")) << "a specific account implies its firm";
    EXPECT_TRUE(WithdrawAllFirmsEnabled(true, "ACC1"));
    EXPECT_TRUE(WithdrawAllFirmsEnabled(false, ""));
}

class OrderWithdrawResolve : public OrderDialogFixture {
protected:
    static CWithdrawScreen Specific()
    {
        CWithdrawScreen s;
        s.boardName = "Main board";
        s.security = "SEC1";
        s.account = "ACC1";
        s.firmName = "Broker One";
        s.userName = "Trader Two";
        s.orderNo = "4711";
        s.buy = true;
        return s;
    }
};

TEST_F(OrderWithdrawResolve, NamesTurnIntoCodes)
{
    const CWithdrawResolution r = ResolveWithdraw(Specific());
    ASSERT_EQ(r.error, KvWithdrawError::None);
    EXPECT_EQ(KvOrderWithdrawRecord("TRADER01", r.criteria),
        "TRADER01    AB000000004711=" + Blanks(18) + "ACC1        BRD1INSTR0000001" + Blanks(8)
            + "TRADER02    BRK1        ");

    // By instrument id instead of short name, with every board.
    CWithdrawScreen s = Specific();
    s.all[kAllBoard] = true;
    s.security = "INSTR0000002";
    s.sell = true;
    const CWithdrawResolution byCode = ResolveWithdraw(s);
    ASSERT_EQ(byCode.error, KvWithdrawError::None);
    EXPECT_EQ(byCode.criteria.boardCode, "");
    EXPECT_EQ(byCode.criteria.securityCode, "INSTR0000002");
    EXPECT_FALSE(byCode.criteria.orderNo) << "an All box leaves the order number out";
    EXPECT_EQ(byCode.criteria.side, ' ');
}

TEST_F(OrderWithdrawResolve, EveryAllGoesOutBlank)
{
    CWithdrawScreen s = Specific();
    for (bool& a : s.all)
        a = true;
    s.sell = true;
    const CWithdrawResolution r = ResolveWithdraw(s);
    ASSERT_EQ(r.error, KvWithdrawError::None);
    EXPECT_EQ(KvOrderWithdrawRecord("TRADER01", r.criteria), "TRADER01    A " + Blanks(12) + "=" + Blanks(78));
}

TEST_F(OrderWithdrawResolve, AChoiceThatDoesNotResolveIsRefused)
{
    struct Case {
        const char* name;
        void (*change)(CWithdrawScreen&);
        KvWithdrawError error;
        KvWithdrawField focus;
    };
    const Case cases[] = {
        { "unknown security", [](CWithdrawScreen& s) { s.security = "NOSUCH"; }, KvWithdrawError::InvalidSecurity,
            KvWithdrawField::Security },
        { "security of another board", [](CWithdrawScreen& s) { s.security = "SEC2"; },
            KvWithdrawError::InvalidSecurity, KvWithdrawField::Security },
        { "no board chosen", [](CWithdrawScreen& s) { s.boardName.clear(); }, KvWithdrawError::InvalidSecurity,
            KvWithdrawField::Board },
        { "unknown firm", [](CWithdrawScreen& s) { s.firmName = "Broker Nine"; }, KvWithdrawError::UnknownFirm,
            KvWithdrawField::Firm },
        { "user of another firm", [](CWithdrawScreen& s) { s.userName = "Trader Three"; },
            KvWithdrawError::UnknownUser, KvWithdrawField::User },
        { "unknown user, every firm",
            [](CWithdrawScreen& s) {
                s.all[kAllFirm] = true;
                s.userName = "Nobody";
            },
            KvWithdrawError::UnknownUser, KvWithdrawField::User },
        { "no side", [](CWithdrawScreen& s) { s.buy = s.sell = false; }, KvWithdrawError::NoSide,
            KvWithdrawField::Buy },
        { "account too long", [](CWithdrawScreen& s) { s.account = "ACCOUNT-12345"; },
            KvWithdrawError::InvalidValue, KvWithdrawField::Account },
        { "order number of 13 digits", [](CWithdrawScreen& s) { s.orderNo = "1000000000000"; },
            KvWithdrawError::InvalidValue, KvWithdrawField::OrderNo },
    };
    for (const Case& c : cases) {
        CWithdrawScreen s = Specific();
        c.change(s);
        const CWithdrawResolution r = ResolveWithdraw(s);
        EXPECT_EQ(r.error, c.error) << c.name;
        EXPECT_EQ(r.focus, c.focus) << c.name;
    }
}

// ---- the amendment ----

class OrderAmendFormTest : public OrderDialogFixture { };

TEST_F(OrderAmendFormTest, OpensWithTheOrdersValuesAndPermissions)
{
    OrderSpec spec = DayOrder(4711);
    spec.reference = "REF1";
    spec.minimumFill = 0;
    const COrderRec& order = AddOrder(spec);
    const COrderAmendForm form(order, SecurityOf(order));
    EXPECT_EQ(form.OrderNo(), 4711u);
    EXPECT_TRUE(form.IsBuy());
    EXPECT_EQ(form.SecurityName(), "SEC1");
    EXPECT_EQ(form.BoardName(), "Main board");
    const COrderAmendValues& v = form.Opening();
    EXPECT_EQ(v.validity, KvValidity::Day);
    EXPECT_EQ(v.price, "12.50");
    EXPECT_EQ(v.quantity, "100");
    EXPECT_EQ(v.account, "ACC1");
    EXPECT_EQ(v.reference, "REF1");
    EXPECT_EQ(v.expiryDate, "");
    EXPECT_FALSE(form.IsAmountMode());
    EXPECT_FALSE(form.HiddenEnabled());
    EXPECT_FALSE(form.TriggerEnabled());
    EXPECT_FALSE(form.MinFillEnabled());
    for (KvValidity k : { KvValidity::Session, KvValidity::Day, KvValidity::UntilCancelled, KvValidity::UntilDate })
        EXPECT_TRUE(form.ValidityEnabled(k)) << static_cast<int>(k);
    EXPECT_EQ(form.PriceDecimals(), 2);
}

TEST_F(OrderAmendFormTest, ValidityFollowsTheOrderFlagsAndPermissions)
{
    struct Case {
        std::string flags;
        KvValidity validity;
    } const cases[] = {
        { Flags({ 24, 25, 27 }), KvValidity::UntilCancelled },
        { Flags({ 24, 25 }), KvValidity::Day },
        { Flags({ 24 }), KvValidity::Session },
        { Flags({ 26 }), KvValidity::UntilDate },
    };
    long long number = 100;
    for (const Case& c : cases) {
        OrderSpec spec = DayOrder(++number);
        spec.flags = c.flags;
        const COrderRec& order = AddOrder(spec);
        EXPECT_EQ(COrderAmendForm(order, SecurityOf(order)).Opening().validity, c.validity) << c.flags;
    }
    // A security that allows only day orders offers only Day.
    SetMethods(SecurityTable().FindByName("SEC1"), "11000000000000000000000001000000");
    const COrderRec& order = AddOrder(DayOrder(++number));
    const COrderAmendForm form(order, SecurityOf(order));
    EXPECT_TRUE(form.ValidityEnabled(KvValidity::Day));
    EXPECT_FALSE(form.ValidityEnabled(KvValidity::Session));
    EXPECT_FALSE(form.ValidityEnabled(KvValidity::UntilCancelled));
    EXPECT_FALSE(form.ValidityEnabled(KvValidity::UntilDate));
}

TEST_F(OrderAmendFormTest, OnlyWhatChangedIsSent)
{
    const COrderRec& order = AddOrder(DayOrder(4711));
    const COrderAmendForm form(order, SecurityOf(order));
    const std::string head = "TRADER01    000000004711" + Flags({ 25 });
    struct Case {
        const char* name;
        void (*change)(COrderAmendValues&);
        std::string tail; // from offset 56
    };
    const Case cases[] = {
        { "quantity", [](COrderAmendValues& v) { v.quantity = "250"; },
            Blanks(30) + "0000000000000250" + Blanks(103) },
        { "price", [](COrderAmendValues& v) { v.price = "12.75"; }, Blanks(12) + "000001275" + Blanks(128) },
        { "cleared reference", [](COrderAmendValues& v) { v.reference.clear(); },
            Blanks(62) + "*" + Blanks(39) + Blanks(47) },
        { "new reference", [](COrderAmendValues& v) { v.reference = "NEWREF"; },
            Blanks(62) + "NEWREF" + Blanks(34) + Blanks(47) },
        { "account", [](COrderAmendValues& v) { v.account = "ACC2"; }, "ACC2" + Blanks(145) },
        { "validity only", [](COrderAmendValues& v) { v.validity = KvValidity::UntilCancelled; }, Blanks(149) },
    };
    for (const Case& c : cases) {
        COrderAmendValues v = form.Opening();
        c.change(v);
        const COrderAmendResult r = form.Build(v, "TRADER01");
        ASSERT_EQ(r.error, KvAmendError::None) << c.name;
        ASSERT_EQ(r.record.size(), static_cast<size_t>(kOrderAmendLength)) << c.name;
        if (v.validity == KvValidity::UntilCancelled)
            EXPECT_EQ(r.record.substr(0, 56), "TRADER01    000000004711" + Flags({ 27 })) << c.name;
        else
            EXPECT_EQ(r.record.substr(0, 56), head) << c.name;
        EXPECT_EQ(r.record.substr(56), c.tail) << c.name;
    }
}

TEST_F(OrderAmendFormTest, ValuesAreComparedNotTexts)
{
    const COrderRec& order = AddOrder(DayOrder(4711));
    const COrderAmendForm form(order, SecurityOf(order));
    COrderAmendValues v = form.Opening();
    v.price = "12.5";
    v.quantity = "0100";
    v.account = "acc1"; // accounts compare without regard to case
    EXPECT_EQ(form.Build(v, "TRADER01").error, KvAmendError::NothingChanged);
    EXPECT_EQ(form.Build(form.Opening(), "TRADER01").error, KvAmendError::NothingChanged);
}

TEST_F(OrderAmendFormTest, RefusalsNameTheirField)
{
    OrderSpec spec = DayOrder(4711);
    spec.flags[16] = '1';
    spec.flags[12] = '1';
    spec.minimumFill = 50;
    spec.trigger = 1200;
    const COrderRec& order = AddOrder(spec);
    const COrderAmendForm form(order, SecurityOf(order));
    EXPECT_TRUE(form.MinFillEnabled());
    EXPECT_TRUE(form.TriggerEnabled());
    struct Case {
        const char* name;
        void (*change)(COrderAmendValues&);
        KvAmendField focus;
    };
    const Case cases[] = {
        { "quantity below the minimum fill", [](COrderAmendValues& v) { v.quantity = "40"; }, KvAmendField::MinFill },
        { "price of ten digits", [](COrderAmendValues& v) { v.price = "12345678.00"; }, KvAmendField::Price },
        { "trigger of ten digits", [](COrderAmendValues& v) { v.trigger = "12345678.00"; }, KvAmendField::Trigger },
        { "reference of 41 characters", [](COrderAmendValues& v) { v.reference = std::string(41, 'R'); },
            KvAmendField::Reference },
        { "account of 13 characters", [](COrderAmendValues& v) { v.account = "ACCOUNT-12345"; },
            KvAmendField::Account },
    };
    for (const Case& c : cases) {
        COrderAmendValues v = form.Opening();
        c.change(v);
        const COrderAmendResult r = form.Build(v, "TRADER01");
        EXPECT_EQ(r.error, KvAmendError::InvalidValue) << c.name;
        EXPECT_EQ(r.focus, c.focus) << c.name;
        EXPECT_EQ(r.record, "") << c.name;
    }
    // The minimum fill goes out as plain digits.
    COrderAmendValues v = form.Opening();
    v.minFill = "75";
    const COrderAmendResult r = form.Build(v, "TRADER01");
    ASSERT_EQ(r.error, KvAmendError::None);
    EXPECT_EQ(r.record.substr(189), "0000000000000075");
}

TEST_F(OrderAmendFormTest, YieldAndAmountOrders)
{
    OrderSpec yield = DayOrder(4711);
    yield.flags[10] = '1';
    yield.yield = 5250; // 5.250
    const COrderRec& y = AddOrder(yield);
    const COrderAmendForm yieldForm(y, SecurityOf(y));
    EXPECT_TRUE(yieldForm.IsYield());
    EXPECT_EQ(yieldForm.Opening().price, "5.250");
    COrderAmendValues v = yieldForm.Opening();
    v.price = "5.5";
    COrderAmendResult r = yieldForm.Build(v, "TRADER01");
    ASSERT_EQ(r.error, KvAmendError::None);
    EXPECT_EQ(r.record.substr(68, 9), Blanks(9)) << "no price";
    EXPECT_EQ(r.record.substr(77, 9), "000005500");

    // A primary distribution order without quantity shows its amount and never sends a price.
    OrderSpec amount = DayOrder(4712);
    amount.code = "0BRD1INSTR0000003";
    amount.quantity = 0;
    amount.value = 500000;
    const COrderRec& a = AddOrder(amount);
    const COrderAmendForm amountForm(a, SecurityOf(a));
    EXPECT_TRUE(amountForm.IsPrimary());
    EXPECT_TRUE(amountForm.IsAmountMode());
    EXPECT_EQ(amountForm.Opening().price, "5000.00");
    EXPECT_EQ(amountForm.PriceDigits("0"), 12);
    EXPECT_EQ(amountForm.PriceDigits("10"), 9);
    v = amountForm.Opening();
    v.price = "9999999999.00";
    EXPECT_EQ(amountForm.Build(v, "TRADER01").error, KvAmendError::NothingChanged);
    v.quantity = "10";
    r = amountForm.Build(v, "TRADER01");
    ASSERT_EQ(r.error, KvAmendError::None);
    EXPECT_EQ(r.record.size(), static_cast<size_t>(kOrderAmendLength));
    EXPECT_EQ(r.record.substr(68, 18), Blanks(18));
}

TEST_F(OrderAmendFormTest, GoodTillDateCarriesItsDateAndTime)
{
    OrderSpec spec = DayOrder(4711);
    spec.flags = Flags({ 1, 17, 26, 23 });
    spec.expiryDate = "20261231";
    spec.expiryTime = "153000";
    const COrderRec& order = AddOrder(spec);
    const COrderAmendForm form(order, SecurityOf(order));
    EXPECT_EQ(form.Opening().validity, KvValidity::UntilDate);
    EXPECT_EQ(form.Opening().expiryDate, "20261231");
    EXPECT_EQ(form.Opening().expiryTime, "153000");
    COrderAmendValues v = form.Opening();
    v.expiryDate = "20270115";
    const COrderAmendResult r = form.Build(v, "TRADER01");
    ASSERT_EQ(r.error, KvAmendError::None);
    EXPECT_EQ(r.record.substr(24, 32), Flags({ 23, 26 }));
    EXPECT_EQ(r.record.substr(158, 8), "20270115");
    EXPECT_EQ(r.record.substr(166, 6), Blanks(6)) << "the time did not change";
}

TEST(OrderAmendForm, HostErrorNumbersNameFields)
{
    const std::pair<int, KvAmendField> cases[] = { { 1, KvAmendField::Account }, { 5, KvAmendField::Price },
        { 7, KvAmendField::Quantity }, { 8, KvAmendField::Hidden }, { 9, KvAmendField::ExpiryDate },
        { 10, KvAmendField::ExpiryTime }, { 0, KvAmendField::None }, { 6, KvAmendField::None } };
    for (const auto& [number, field] : cases)
        EXPECT_EQ(COrderAmendForm::FieldOfHostError(number), field) << number;
}

// ---- the order information ----

class OrderInfoFormTest : public OrderDialogFixture {
protected:
    static const CTradeRec& AddTrade(long long buyOrder, long long sellOrder, char source = 'E')
    {
        TradeSpec t;
        t.buyOrder = buyOrder;
        t.sellOrder = sellOrder;
        t.source = source;
        Feed(KvTables().trades, CTradeTable::kRequest, TradeRecord(t));
        return *KvTables().trades.GetRec(KvTables().trades.GetCount() - 1);
    }
};

TEST_F(OrderInfoFormTest, ShowsEachSidesOrder)
{
    OrderSpec buy = DayOrder(11, 'B');
    buy.user = "TRADER01";
    buy.reference = "BUYREF";
    OrderSpec sell = DayOrder(12, 'S');
    sell.user = "TRADER03";
    sell.firm = "BRK2";
    sell.account = "ACC9";
    sell.price = 1300;
    sell.quantity = 2500;
    sell.balance = 0;
    sell.reference = "SELLREF";
    AddOrder(buy);
    AddOrder(sell);
    COrderInfoForm form(AddTrade(11, 12));
    EXPECT_FALSE(form.IsDeal());
    EXPECT_TRUE(form.OtherSideEnabled());
    struct Expected {
        const char *number, *user, *firm, *account, *price, *quantity, *balance, *reference;
        bool buy, sell;
    } const sides[] = {
        { "11", "TRADER01", "FIRM1", "ACC1", "12.50", "100", "60", "BUYREF", true, false },
        { "12", "TRADER03", "BRK2", "ACC9", "13.00", "2,500", "0", "SELLREF", false, true },
        { "11", "TRADER01", "FIRM1", "ACC1", "12.50", "100", "60", "BUYREF", true, false },
    };
    for (const Expected& e : sides) {
        const COrderInfoView v = form.Shown();
        EXPECT_EQ(v.number, e.number);
        EXPECT_NE(v.time.find("9:30:00"), std::string::npos) << v.time;
        EXPECT_EQ(v.user, e.user) << e.number;
        EXPECT_EQ(v.firm, e.firm) << e.number;
        EXPECT_EQ(v.board, "Main board") << e.number;
        EXPECT_EQ(v.security, "SEC1") << e.number;
        EXPECT_EQ(v.account, e.account) << e.number;
        EXPECT_EQ(v.price, e.price) << e.number;
        EXPECT_EQ(v.quantity, e.quantity) << e.number;
        EXPECT_EQ(v.balance, e.balance) << e.number;
        EXPECT_EQ(v.reference, e.reference) << e.number;
        EXPECT_EQ(v.buy, e.buy) << e.number;
        EXPECT_EQ(v.sell, e.sell) << e.number;
        ASSERT_NE(form.ShownOrder(), nullptr);
        form.OtherSide();
    }
}

TEST_F(OrderInfoFormTest, SideLettersHoldInHungarianToo)
{
    const fw::Language before = fw::language();
    fw::setLanguage(fw::Language::Hungarian);
    AddOrder(DayOrder(11, 'B'));
    AddOrder(DayOrder(12, 'S'));
    COrderInfoForm form(AddTrade(11, 12));
    const bool buy = form.Shown().buy;
    form.OtherSide();
    const bool sell = form.Shown().sell;
    fw::setLanguage(before);
    EXPECT_TRUE(buy);
    EXPECT_TRUE(sell);
}

TEST_F(OrderInfoFormTest, AMissingSideKeepsOtherSideDisabled)
{
    AddOrder(DayOrder(12, 'S'));
    COrderInfoForm form(AddTrade(11, 12));
    EXPECT_TRUE(form.HasOrder());
    EXPECT_FALSE(form.OtherSideEnabled());
    EXPECT_EQ(form.Shown().number, "12");
    form.OtherSide();
    EXPECT_EQ(form.Shown().number, "12");
    COrderInfoForm none(AddTrade(21, 22));
    EXPECT_FALSE(none.HasOrder());
    EXPECT_EQ(none.Shown().number, "");
}

} // namespace
} // namespace kv32test
