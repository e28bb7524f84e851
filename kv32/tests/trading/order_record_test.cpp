#include <gtest/gtest.h>

#include <string>

#include "kv32/trading/order_record.h"

namespace {

std::string Blanks(size_t n)
{
    return std::string(n, ' ');
}

// A day buy of 100 at 12.5, fill any, on a security with 2 price decimals.
KvOrderDescription DayBuy()
{
    KvOrderDescription o;
    o.user = "TRADER01";
    o.account = "ACC1";
    o.side = 'B';
    o.flags = KvOrderFlags({ kFlagLimit, kFlagFillAny, kFlagDay });
    o.securityKey = "0BRD1INSTR0000001";
    o.priceDecimals = 2;
    o.yieldDecimals = 3;
    o.price = "12.5";
    o.quantity = "100";
    return o;
}

TEST(OrderRecord, GoldenDayBuy)
{
    const KvOrderRecordResult r = BuildOrderRecord(DayBuy());
    ASSERT_TRUE(r.Ok());
    const std::string flags = "01000000000000000100000001000000";
    const std::string golden = "TRADER01    "
                               "ACC1        "
                               "B"
        + flags + "0BRD1INSTR0000001" + "000001250" + Blanks(9) + "0000000000000100" + std::string(16, '0')
        + Blanks(40) + Blanks(8) + Blanks(6) + "000000000" + Blanks(8) + std::string(16, '0');
    EXPECT_EQ(r.text, golden);
    EXPECT_EQ(r.text.size(), KvOrderRecord::kLength);
}

TEST(OrderRecord, FieldsAtTheirOffsets)
{
    struct Case {
        const char* name;
        void (*change)(KvOrderDescription&);
        size_t offset;
        std::string expected;
    };
    const Case cases[] = {
        { "negative price", [](KvOrderDescription& o) { o.price = "-1.5"; }, 74, "-00000150" },
        { "yield instead of the price",
            [](KvOrderDescription& o) {
                o.price.reset();
                o.yield = "7.125";
            },
            74, Blanks(9) + "000007125" },
        { "negative yield", [](KvOrderDescription& o) { o.yield = "-0.5"; }, 83, "-00000500" },
        { "hidden quantity", [](KvOrderDescription& o) { o.hidden = "40"; }, 108, "0000000000000040" },
        { "reference", [](KvOrderDescription& o) { o.reference = "REF 7"; }, 124, "REF 7" + Blanks(35) },
        { "expiry date and time",
            [](KvOrderDescription& o) {
                o.expiryDate = "20261231";
                o.expiryTime = "153000";
            },
            164, "20261231153000" },
        { "trigger price", [](KvOrderDescription& o) { o.trigger = "11.25"; }, 178, "000001125" },
        { "settlement date", [](KvOrderDescription& o) { o.settleDate = "20270104"; }, 187, "20270104" },
        { "minimum fill", [](KvOrderDescription& o) { o.minFill = "500"; }, 195, "0000000000000500" },
        { "sell", [](KvOrderDescription& o) { o.side = 'S'; }, 24, "S" },
        { "user cut to its field", [](KvOrderDescription& o) { o.user = "USER-OF-13-CH"; }, 0,
            "USER-OF-13-C" },
    };
    for (const Case& c : cases) {
        KvOrderDescription o = DayBuy();
        c.change(o);
        const KvOrderRecordResult r = BuildOrderRecord(o);
        ASSERT_TRUE(r.Ok()) << c.name;
        EXPECT_EQ(r.text.size(), KvOrderRecord::kLength) << c.name;
        EXPECT_EQ(r.text.substr(c.offset, c.expected.size()), c.expected) << c.name;
    }
}

TEST(OrderRecord, AmountTakesTwelveDigitsAndNoDecimals)
{
    KvOrderDescription o = DayBuy();
    o.amount = true;
    o.price = "1234567890";
    o.trigger = "5";
    const KvOrderRecordResult r = BuildOrderRecord(o);
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r.text.size(), KvOrderRecord::kAmountLength);
    EXPECT_EQ(r.text.substr(74, 12), "001234567890");
    EXPECT_EQ(r.text.substr(181, 12), "000000000005");
}

TEST(OrderRecord, RefusedFieldsBuildNothing)
{
    struct Case {
        const char* name;
        void (*change)(KvOrderDescription&);
        KvOrderField field;
    };
    const Case cases[] = {
        { "price of ten digits", [](KvOrderDescription& o) { o.price = "12345678.9"; }, KvOrderField::Price },
        { "yield too large", [](KvOrderDescription& o) { o.yield = "1000000"; }, KvOrderField::Yield },
        { "account too long", [](KvOrderDescription& o) { o.account = "ACCOUNT-OF-13"; },
            KvOrderField::Account },
        { "security key short", [](KvOrderDescription& o) { o.securityKey = "0BRD1"; },
            KvOrderField::Security },
        { "side", [](KvOrderDescription& o) { o.side = 'X'; }, KvOrderField::Side },
        { "flags short", [](KvOrderDescription& o) { o.flags = "0101"; }, KvOrderField::Flags },
        { "flags not binary", [](KvOrderDescription& o) { o.flags[3] = 'x'; }, KvOrderField::Flags },
        { "quantity of 17 digits", [](KvOrderDescription& o) { o.quantity = "12345678901234567"; },
            KvOrderField::Quantity },
        { "negative quantity", [](KvOrderDescription& o) { o.quantity = "-5"; }, KvOrderField::Quantity },
        { "negative hidden", [](KvOrderDescription& o) { o.hidden = "-1"; }, KvOrderField::Hidden },
        { "reference of 41", [](KvOrderDescription& o) { o.reference = std::string(41, 'R'); },
            KvOrderField::Reference },
        { "expiry date not digits", [](KvOrderDescription& o) { o.expiryDate = "2026-1-1"; },
            KvOrderField::ExpiryDate },
        { "expiry time short", [](KvOrderDescription& o) { o.expiryTime = "1530"; },
            KvOrderField::ExpiryTime },
        { "trigger too large", [](KvOrderDescription& o) { o.trigger = "99999999"; }, KvOrderField::Trigger },
        { "settlement date", [](KvOrderDescription& o) { o.settleDate = "2027010"; },
            KvOrderField::SettleDate },
        { "minimum fill", [](KvOrderDescription& o) { o.minFill = "-3"; }, KvOrderField::MinFill },
        { "first failure named",
            [](KvOrderDescription& o) {
                o.price = "123456789";
                o.quantity = "-1";
            },
            KvOrderField::Price },
    };
    for (const Case& c : cases) {
        KvOrderDescription o = DayBuy();
        c.change(o);
        const KvOrderRecordResult r = BuildOrderRecord(o);
        EXPECT_EQ(r.failed, c.field) << c.name;
        EXPECT_TRUE(r.text.empty()) << c.name;
    }
}

TEST(OrderRecord, PrivateOrderEntry)
{
    KvOrderDescription o = DayBuy();
    o.yield = "6.5";
    const KvOrderRecordResult e = BuildPrivateOrderEntry("DESK 1", false, o);
    ASSERT_TRUE(e.Ok());
    ASSERT_EQ(e.text.size(), KvOrderRecord::kEntryLength);
    EXPECT_EQ(e.text.substr(0, 127), "DESK 1" + Blanks(121));
    EXPECT_EQ(e.text[127], 'P');
    const std::string record = BuildOrderRecord(o).text;
    EXPECT_EQ(e.text.substr(128, 199), record.substr(12)) << "the record from the trading account on";
    EXPECT_EQ(e.text.substr(128 + 199), Blanks(2036 - 199));
    EXPECT_EQ(e.text.substr(128 + 74 - 12, 18), "000001250000006500") << "price and yield both";
    EXPECT_EQ(BuildPrivateOrderEntry("Y", true, o).text[127], 'Y');

    EXPECT_EQ(BuildPrivateOrderEntry("", false, o).failed, KvOrderField::WorkArea);
    EXPECT_EQ(BuildPrivateOrderEntry(std::string(128, 'W'), false, o).failed, KvOrderField::WorkArea);
    o.quantity = "-1";
    EXPECT_EQ(BuildPrivateOrderEntry("DESK", false, o).failed, KvOrderField::Quantity);
}

TEST(OrderRecord, FlagHelpers)
{
    const std::string flags = KvOrderFlags({ 0, 31, 40, -1 });
    EXPECT_EQ(flags, "1" + std::string(30, '0') + "1");
    EXPECT_TRUE(KvFlagSet(flags, 0));
    EXPECT_FALSE(KvFlagSet(flags, 1));
    EXPECT_FALSE(KvFlagSet("1", 5)) << "a position past the end counts '0'";
    EXPECT_FALSE(KvFlagSet(flags, -1));
}

} // namespace
