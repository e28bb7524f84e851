#include <gtest/gtest.h>

#include <string>

#include "kv32/res/ids.h"
#include "kv32/res/strings.h"
#include "kv32/shell/message_send.h"
#include "kv32/shell/price_yield.h"
#include "kv32/shell/request_fields.h"
#include "kvcore/app/message_box.h"
#include "support/kv32_fixture.h"

namespace {

using kv32test::End;
using kv32test::Kv32Fixture;

std::string Accepted(const std::string& text)
{
    return text + std::string(1, '\0');
}

TEST(RequestFields, AppendPaddedFieldKeepsTheWidth)
{
    struct Case {
        int width;
        std::string text;
        bool zero;
        std::string expected; // empty: refused
    };
    const Case cases[] = {
        { 8, "123", true, "00000123" },
        { 8, "123", false, "123     " },
        { 3, "123", true, "123" },
        { 0, "", false, "" },
        { 3, "1234", true, "" },
        { 3, "abcd", false, "" },
    };
    for (const Case& c : cases) {
        KvFieldWriter w;
        w.Raw("<");
        const int result = AppendPaddedField(w, c.width, c.text, c.zero);
        if (c.expected.empty() && c.width != 0) {
            EXPECT_EQ(result, 0);
            EXPECT_FALSE(w.Ok()) << c.text;
            EXPECT_EQ(w.Str(), "") << "a refused field leaves nothing to send";
        } else {
            EXPECT_EQ(result, c.width);
            EXPECT_EQ(w.Str(), "<" + c.expected);
        }
    }
}

TEST(RequestFields, JoinLinesWithBlanks)
{
    EXPECT_EQ(JoinLinesWithBlanks("a\r\nb"), "a b");
    EXPECT_EQ(JoinLinesWithBlanks("a\r\n\r\nb\n\rc\r"), "a  b\n\rc\r");
    EXPECT_EQ(JoinLinesWithBlanks(""), "");
}

class MessageSend : public Kv32Fixture { };

TEST_F(MessageSend, GoldenRecordsOfTheThreeModes)
{
    const std::string text640 = "Hello" + std::string(635, ' ');
    struct Case {
        int mode;
        int code;
        std::string golden;
    };
    const Case cases[] = {
        { 0, 144, "TRADER01    USER02      FIRM01      YP080000" + text640 },
        { 1, 169, "TRADER01    USER02      FIRM01      YP08000000001234" + text640 },
        { 2, 170, "TRADER01    00001234" },
    };
    for (const Case& c : cases) {
        router.ClearRecord();
        router.Reply({ { 193, Accepted("Stored") } });
        EXPECT_EQ(
            SendMsgType144Request("FIRM01", "USER02", "Hello", 'P', 'x', 1, "080000", "00001234", c.mode), 1);
        ASSERT_EQ(router.Requests().size(), 1u);
        EXPECT_EQ(router.Requests()[0].type, c.code);
        EXPECT_EQ(router.Requests()[0].bytes, c.golden) << c.mode;
    }
    EXPECT_EQ(router.Requests()[0].bytes.size(), 20u);
    // With a reply letter other than 'N' the host's own text is what the user sees.
    ASSERT_EQ(ui.boxes.size(), 3u);
    EXPECT_EQ(ui.boxes[0].text, "Stored");
}

TEST_F(MessageSend, NoReplyLetterConfirmsItself)
{
    router.Reply({ { 193, Accepted("Stored") } });
    EXPECT_EQ(SendMsgType144Request("", "", "a", '\0', 0, 0, "", "", 0), 1);
    ASSERT_EQ(router.Requests().size(), 1u);
    EXPECT_EQ(router.Requests()[0].bytes.substr(36, 2), "NN");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, Kv32LoadString(IDS_CMD_SENT));

    // A refusal shows the host's error, never "Command sent.".
    router.Reply({ { 192, Accepted("Unknown user") } });
    EXPECT_EQ(SendMsgType144Request("NOBODY", "", "a", 'N', 0, 0, "", "", 0), 0);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[1].text, "Unknown user");
}

TEST_F(MessageSend, NothingIsSentForAFieldTooLongOrAnUnknownMode)
{
    EXPECT_EQ(SendMsgType144Request("FIRM01", "", std::string(641, 'x'), 'N', 0, 0, "", "", 0), 0);
    EXPECT_EQ(SendMsgType144Request("RECIPIENT0123", "", "a", 'N', 0, 0, "", "", 0), 0);
    EXPECT_EQ(SendMsgType144Request("", "", "a", 'N', 0, 0, "", "123456789", 2), 0);
    EXPECT_EQ(SendMsgType144Request("", "", "a", 'N', 0, 0, "", "", 3), 0);
    EXPECT_TRUE(router.Requests().empty());
    EXPECT_TRUE(ui.boxes.empty());
}

class PriceYield : public Kv32Fixture {
protected:
    PriceYield() { ResetPriceYieldConversion(); }
    PriceYieldInput Input(double value, unsigned decimals, bool yield = false)
    {
        PriceYieldInput in;
        in.yieldEntered = yield;
        in.securityKey = "0BUDAHU0000001234";
        in.board = "BUDA";
        in.date = "20261210";
        in.value = CDouble(value, decimals);
        in.priceDecimals = 2;
        in.yieldDecimals = 4;
        return in;
    }
};

TEST_F(PriceYield, PriceAsksForTheYieldOnce)
{
    CDouble out;
    router.Reply({ { 95, "000004250" }, End() });
    EXPECT_EQ(PriceYieldConversion(Input(12.5, 2), out), PriceYieldResult::Converted);
    ASSERT_EQ(router.Requests().size(), 1u);
    EXPECT_EQ(router.Requests()[0].type, 95);
    EXPECT_EQ(router.Requests()[0].bytes, "TRADER01    0BUDAHU000000123420261210000001250");
    EXPECT_EQ(router.Requests()[0].bytes.size(), 46u);
    EXPECT_DOUBLE_EQ(out, 0.425);
    EXPECT_EQ(out.GetDecimal(), 4u);

    EXPECT_EQ(PriceYieldConversion(Input(12.5, 2), out), PriceYieldResult::Unchanged);
    EXPECT_EQ(router.Requests().size(), 1u) << "the same price twice sends one request";

    router.Reply({ { 94, "000001300" }, End() });
    EXPECT_EQ(PriceYieldConversion(Input(0.425, 4, true), out), PriceYieldResult::Converted);
    EXPECT_EQ(router.Requests().back().type, 94);
    EXPECT_DOUBLE_EQ(out, 13.0);
}

TEST_F(PriceYield, WhatIsNotSent)
{
    CDouble out(7, 0);
    EXPECT_EQ(PriceYieldConversion(Input(-999999.99, 2), out), PriceYieldResult::NoOperation);
    EXPECT_EQ(PriceYieldConversion(Input(12345678.90, 2), out), PriceYieldResult::NotSent);
    PriceYieldInput longKey = Input(1, 2);
    longKey.securityKey += "X";
    EXPECT_EQ(PriceYieldConversion(longKey, out), PriceYieldResult::NotSent);
    EXPECT_TRUE(router.Requests().empty());

    router.Reply({ { 95, "12345" }, End() }); // shorter than the number
    EXPECT_EQ(PriceYieldConversion(Input(1, 2), out), PriceYieldResult::Failed);
    EXPECT_DOUBLE_EQ(out, 7.0);
    router.Reply({ { 95, "000000010" }, End() });
    EXPECT_EQ(PriceYieldConversion(Input(1, 2), out), PriceYieldResult::Converted)
        << "a failed conversion is not remembered";
}

} // namespace
