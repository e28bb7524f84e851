// Order list files: the tagged and tab-delimited exports against golden
// files, the import of private orders back into equal records, every fault
// of a malformed file reported with its line, and the tagged form accepted
// by an XML parser once wrapped in a root element.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fw/core/codepage.h"
#include "fw/core/msgbox.h"
#include "fw/core/strings.h"
#include "kv32/filters/order_list.h"
#include "kv32/filters/order_list_import.h"
#include "kv32/res/news_strings.h"
#include "kv32/res/shell_strings.h"
#include "kv32/res/strings.h"
#include "kv32/res/table_strings.h"
#include "kv32/res/trading_strings.h"
#include "kv32/tables/neg_deal_table.h"
#include "kv32/tables/order_record.h"
#include "kvcore/values/intl_info.h"
#include "security_test_fixture.h"

namespace kv32test {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Golden(const char* name)
{
    return ReadFile(fs::path(KV32_TEST_DATA_DIR) / "order_list" / name);
}

template <size_t N> void Put(char (&field)[N], const char* text)
{
    std::snprintf(field, N, "%s", text);
}

// The order entry text that the private order book takes, field by field.
struct PrivateOrder {
    std::string workArea, account;
    char side;
    int validityFlag; // the one flag set
    std::string price, yield, qty, hidden, reference, expiryDate, expiryTime, trigger, settleDate, fillMin;

    std::string EntryText() const
    {
        std::string flags(32, '0');
        flags[static_cast<size_t>(validityFlag)] = '1';
        const auto pad = [](std::string s, size_t n) {
            s.resize(n, ' ');
            return s;
        };
        return pad(workArea, 127) + " " + pad(account, 12) + side + flags + "0BRD1INSTR0000001" + price
            + yield + qty + hidden + pad(reference, 40) + pad(expiryDate, 8) + pad(expiryTime, 6) + trigger
            + pad(settleDate, 8) + fillMin;
    }
};

const PrivateOrder kFirst { "DESK1", "ACC001", 'B', 25, "000001234", "000000000", "0000000000000100",
    "0000000000000040", "A<B & C>", "20261231", "143000", "000001250", "20270104", "0000000000000010" };
const PrivateOrder kSecond { "DESK 2", "ACC002", 'S', 27, "000000000", "000004500", "0000000000000005",
    "0000000000000000", "", "", "", "000000000", "", "0000000000000000" };

class OrderList : public SecurityFixture {
protected:
    OrderList()
    {
        book.EndSession();
        Feed(SecurityTable(), 17, SecuritySnapshot(SecuritySpec()));
    }
    ~OrderList() override
    {
        book.EndSession();
        fw::setLanguage(fw::Language::English);
        KvSetIntl(fw::englishLocale());
        fs::remove_all(dir);
    }

    // The two private orders as the order entry dialog puts them into the book.
    std::vector<const CLocalOrderRec*> PrivateOrders()
    {
        book.RemoveAll();
        EXPECT_EQ(book.AddFromEntry(kFirst.EntryText(), -1), 0);
        EXPECT_EQ(book.AddFromEntry(kSecond.EntryText(), -1), 1);
        return { book.GetAt(0), book.GetAt(1) };
    }

    static CNegDealRec Deal(uint32_t number)
    {
        CNegDealRec d {};
        d.nDealNo = number;
        Put(d.szSecurity, "SEC1");
        Put(d.szBoardName, "Main board");
        Put(d.szUser, "TRADER01");
        Put(d.szTrdAcc, "ACC001");
        Put(d.szCPUser, "TRADER02");
        return d;
    }

    std::vector<CNegDealRec> Deals()
    {
        CNegDealRec a = Deal(42);
        a.nTimeout = 30;
        Put(a.szDissStatus, "I");
        a.dYield = CDouble(0.0, 3);
        Put(a.szTime, "101530");
        Put(a.szBuySell, "B");
        Put(a.szSettleDate, "00000000");
        Put(a.szStatus, "Unconf.");
        a.dPrice = CDouble(12.5, 2);
        a.dQty = CDouble(100.0, 0);
        Put(a.szReference, "R&D <1>");
        a.nWarningTimeout = 5;
        CNegDealRec b = Deal(43);
        b.dYield = CDouble(4.5, 3);
        Put(b.szTime, "110000");
        Put(b.szBuySell, "S");
        Put(b.szSettleDate, "20270104");
        Put(b.szStatus, "Matched");
        b.dPrice = CDouble(0.0, 2);
        b.dQty = CDouble(50.0, 0);
        Put(b.szDissTime, "111500");
        b.cTradeSourceLetter = 'N';
        return { a, b };
    }

    static COrderRec Order()
    {
        COrderRec o {};
        o.nOrderNo = 1001;
        o.dValue = CDouble(1250.0, 2);
        o.dYield = CDouble(0.0, 3);
        Put(o.szDate, "20261211");
        Put(o.szTime, "093000");
        Put(o.szSecurity, "SEC1");
        Put(o.szBoardName, "Main board");
        Put(o.szUser, "TRADER01");
        Put(o.szTrdAcc, "ACC001");
        Put(o.szBuySell, "S");
        Put(o.szStatus, "Open");
        Put(o.szType, "00000000000000000000000001000000");
        o.dPrice = CDouble(12.5, 2);
        o.dQty = CDouble(100.0, 0);
        o.dHidden = CDouble(0.0, 0);
        o.dBalance = CDouble(60.0, 0);
        o.dTriggerPrice = CDouble(0.0, 2);
        Put(o.szReference, "REF-1");
        o.nPrevLinkOrderNo = 1000;
        return o;
    }

    CLocalOrderTable& book = LocalOrderTable();
    fs::path dir = fs::temp_directory_path() / ("kv32_order_list_" + std::to_string(::getpid()));
};

// Every field a record of the book keeps, the ones its file leaves out too;
// the row is the book's to give.
void ExpectSameOrder(CLocalOrderRec a, CLocalOrderRec b, bool withFillMin = true)
{
    a.nRowIndex = b.nRowIndex = 0;
    std::vector<uint8_t> x, y;
    WriteLocalOrderRecord(a, x);
    WriteLocalOrderRecord(b, y);
    EXPECT_EQ(x, y);
    EXPECT_STREQ(a.szExpiryDate, b.szExpiryDate);
    EXPECT_STREQ(a.szExpiryTime, b.szExpiryTime);
    EXPECT_STREQ(a.szSettleDate, b.szSettleDate);
    EXPECT_EQ(a.nEntryMark, b.nEntryMark);
    if (withFillMin) {
        EXPECT_EQ(static_cast<double>(a.dFillMinQty), static_cast<double>(b.dFillMinQty));
        EXPECT_EQ(a.dFillMinQty.GetDecimal(), b.dFillMinQty.GetDecimal());
    }
}

TEST_F(OrderList, ExportsMatchTheGoldenFiles)
{
    std::string deals;
    for (const CNegDealRec& d : Deals())
        ASSERT_TRUE(ExportNDealsXml(d, deals));
    EXPECT_EQ(deals, Golden("deals.odl"));

    std::string orders;
    ASSERT_TRUE(ExportOrdersXml(Order(), orders));
    EXPECT_EQ(orders, Golden("orders.odl"));

    std::string tagged, text;
    for (const CLocalOrderRec* rec : PrivateOrders()) {
        ASSERT_TRUE(ExportPrivateOrdersXml(*rec, tagged));
        if (text.empty())
            WritePrivateOrderTextHeader(text);
        ASSERT_TRUE(ExportPrivateOrderLine(*rec, text));
    }
    EXPECT_EQ(tagged, Golden("private.odl"));
    EXPECT_EQ(text, Golden("private.txt"));
}

// The C library's own locale reads "12.5" as 12 under hu_HU; the files follow
// only the user's conventions.
TEST_F(OrderList, FilesDoNotDependOnTheProcessLocale)
{
    if (std::setlocale(LC_ALL, "hu_HU.UTF-8") == nullptr)
        GTEST_SKIP() << "hu_HU.UTF-8 is not installed";
    std::string deals, tagged;
    for (const CNegDealRec& d : Deals())
        EXPECT_TRUE(ExportNDealsXml(d, deals));
    for (const CLocalOrderRec* rec : PrivateOrders())
        EXPECT_TRUE(ExportPrivateOrdersXml(*rec, tagged));
    const COrderListImport back = ImportPrivateOrders(tagged, OrderListForm::Tagged);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(deals, Golden("deals.odl"));
    EXPECT_EQ(tagged, Golden("private.odl"));
    EXPECT_TRUE(back.diagnostics.empty());
    ASSERT_EQ(back.orders.size(), 2u);
    ExpectSameOrder(back.orders[0], *book.GetAt(0));
    ExpectSameOrder(back.orders[1], *book.GetAt(1));
}

TEST_F(OrderList, FilesTakeTheirFormFromTheExtensionInAnyCase)
{
    fs::create_directories(dir);
    const auto orders = PrivateOrders();
    const struct {
        const char* name;
        const char* golden;
    } cases[] = { { "a.odl", "private.odl" }, { "b.ODL", "private.odl" }, { "c.Odl", "private.odl" },
        { "d.txt", "private.txt" }, { "e.TXT", "private.txt" }, { "f", "private.txt" } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(ExportPrivateOrdersFile(dir / c.name, orders), 0u);
        EXPECT_EQ(ReadFile(dir / c.name), Golden(c.golden));
        const COrderListImport back = ImportPrivateOrdersFile(dir / c.name, {});
        EXPECT_TRUE(back.diagnostics.empty());
        ASSERT_EQ(back.orders.size(), 2u);
    }
    // Deals and orders have the tagged form only.
    const std::vector<CNegDealRec> deals = Deals();
    const std::vector<const CNegDealRec*> dealRows { &deals[0], &deals[1] };
    ASSERT_EQ(ExportNDealsFile(dir / "deals.txt", dealRows), 0u);
    EXPECT_EQ(ReadFile(dir / "deals.txt"), Golden("deals.odl"));
    const COrderRec order = Order();
    const std::vector<const COrderRec*> orderRows { &order };
    ASSERT_EQ(ExportOrdersFile(dir / "orders.odl", orderRows), 0u);
    EXPECT_EQ(ReadFile(dir / "orders.odl"), Golden("orders.odl"));
}

TEST_F(OrderList, ExportThenImportGivesEqualPrivateOrders)
{
    const auto orders = PrivateOrders();
    ASSERT_STREQ(orders[0]->szReference, "A<B & C>");
    for (const auto language : { fw::Language::English, fw::Language::Hungarian }) {
        fw::setLanguage(language);
        SCOPED_TRACE(static_cast<int>(language));
        book.RemoveAll();
        const auto fresh = PrivateOrders();
        std::string tagged, text;
        WritePrivateOrderTextHeader(text);
        for (const CLocalOrderRec* rec : fresh) {
            ASSERT_TRUE(ExportPrivateOrdersXml(*rec, tagged));
            ASSERT_TRUE(ExportPrivateOrderLine(*rec, text));
        }
        for (const auto& [form, body] :
            { std::pair { OrderListForm::Tagged, tagged }, { OrderListForm::Text, text } }) {
            const COrderListImport back = ImportPrivateOrders(body, form);
            EXPECT_TRUE(back.diagnostics.empty());
            ASSERT_EQ(back.orders.size(), fresh.size());
            for (size_t i = 0; i < fresh.size(); ++i)
                ExpectSameOrder(back.orders[i], *fresh[i], form == OrderListForm::Tagged);
        }
    }
}

TEST_F(OrderList, AFileIsReadOnlyUnderTheLanguageItWasWrittenIn)
{
    fw::setLanguage(fw::Language::Hungarian);
    std::string tagged;
    ASSERT_TRUE(ExportPrivateOrdersXml(*PrivateOrders()[0], tagged));
    EXPECT_NE(fw::cp1250ToUtf8(tagged).find("<Megbízás>\r\n\t<Hozam></Hozam>"), std::string::npos);
    EXPECT_EQ(ImportPrivateOrders(tagged, OrderListForm::Tagged).orders.size(), 1u);

    fw::setLanguage(fw::Language::English);
    const COrderListImport other = ImportPrivateOrders(tagged, OrderListForm::Tagged);
    EXPECT_TRUE(other.orders.empty());
    ASSERT_FALSE(other.diagnostics.empty());
    EXPECT_EQ(other.diagnostics[0].id, IDS_ODL_DATA_OUTSIDE_FIELD);
}

TEST_F(OrderList, PricesUseTheUsersDecimalCharacterBothWays)
{
    KvSetIntl(fw::hungarianLocale());
    std::string tagged;
    ASSERT_TRUE(ExportPrivateOrdersXml(*PrivateOrders()[0], tagged));
    EXPECT_NE(tagged.find("<Price>12,34</Price>"), std::string::npos);
    const COrderListImport back = ImportPrivateOrders(tagged, OrderListForm::Tagged);
    ASSERT_EQ(back.orders.size(), 1u);
    ExpectSameOrder(back.orders[0], *book.GetAt(0));

    CLocalOrderRec rec;
    ASSERT_EQ(ParseOrderField(rec, OrderListIndex(IDS_ODL_PRICE), "12,5"), 1);
    EXPECT_DOUBLE_EQ(rec.dPrice, 12.5);
    EXPECT_EQ(rec.dPrice.GetDecimal(), 1u);
}

TEST(OrderListTokens, TokensOfALine)
{
    const struct {
        const char* line;
        std::vector<std::pair<int, std::string>> tokens; // to the end of the line
    } cases[] = {
        { "\t<Price>12.5</Price>", { { 1, "<Price>" }, { 1, "12.5" }, { 1, "</Price>" }, { 1, "" } } },
        { "  <Order>  ", { { 1, "<Order>" }, { 1, "" } } },
        { "<Reference>a b ", { { 1, "<Reference>" }, { 0, "a b " } } },
        { "12.5", { { 0, "12.5" } } },
        { "<Price>1</Pri", { { 1, "<Price>" }, { 1, "1" }, { 0, "" } } },
        { "<Price", { { 0, "" } } },
        { "a>b<c>", { { 1, "a>b" }, { 1, "<c>" }, { 1, "" } } },
        { " \t ", { { 1, "" } } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        CImportCursor cursor;
        std::string token;
        for (const auto& [result, expected] : c.tokens) {
            EXPECT_EQ(NextImportToken(cursor, c.line, token), result);
            EXPECT_EQ(token, expected);
        }
        EXPECT_FALSE(cursor.IsSet());
    }
}

TEST(OrderListTokens, ElementNames)
{
    COrderListTags tags;
    tags.LoadTagNames();
    const struct {
        const char* token;
        int index;
        bool closing;
    } cases[] = { { "<OrderNo>", 0, false }, { "</OrderNo>", 0, true }, { "<FillMinQty>", 30, false },
        { "<WorkArea>", 28, false }, { "<Order>", -1, false }, { "<>", -1, false }, { "</>", -1, true },
        { "Price", -1, false }, { "<Price", -1, false }, { "Price>", -1, false }, { "<price>", -1, false } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.token);
        EXPECT_EQ(tags.ImportTagIndex(c.token), c.index);
        EXPECT_EQ(IsClosingTag(c.token), c.closing);
    }
    EXPECT_EQ(tags.FindTagName(""), -1);
    EXPECT_EQ(MakeOpenTag("Qty") + MakeCloseTag("Qty"), "<Qty></Qty>");
}

TEST_F(OrderList, FieldValues)
{
    const struct {
        Kv32OrderListStringId field;
        const char* value;
        int result;
        double number; // the number field's value
        unsigned decimals;
    } cases[] = {
        { IDS_ODL_PRICE, "123456.78", 1, 123456.78, 2 },
        { IDS_ODL_PRICE, "1234567.89", 0, 0, 0 },
        { IDS_ODL_PRICE, "-1.5", 1, -1.5, 1 },
        { IDS_ODL_PRICE, " 7 ", 1, 7, 0 },
        { IDS_ODL_PRICE, "", 1, 0, 0 },
        { IDS_ODL_PRICE, "1.2.3", 0, 0, 0 },
        { IDS_ODL_PRICE, "12a", 0, 0, 0 },
        { IDS_ODL_PRICE, "-", 0, 0, 0 },
        { IDS_ODL_TRIGGER_PRICE, "999999999", 1, 999999999, 0 },
        { IDS_ODL_TRIGGER_PRICE, "9999999999", 0, 0, 0 },
        { IDS_ODL_YIELD, "4.500", 1, 4.5, 3 },
        { IDS_ODL_QTY, "1234567890123456", 1, 1234567890123456.0, 0 },
        { IDS_ODL_QTY, "12345678901234567", 0, 0, 0 },
        { IDS_ODL_QTY, "9999999999999999", 0, 0, 0 }, // a double would not hold it exactly
        { IDS_ODL_QTY, "12.5", 0, 0, 0 },
        { IDS_ODL_HIDDEN, "40", 1, 40, 0 },
        { IDS_ODL_FILL_MIN_QTY, "x", 0, 0, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.field) + " " + c.value);
        CLocalOrderRec rec;
        CDouble& target = c.field == IDS_ODL_PRICE ? rec.dPrice
            : c.field == IDS_ODL_TRIGGER_PRICE     ? rec.dTriggerPrice
            : c.field == IDS_ODL_YIELD             ? rec.dYield
            : c.field == IDS_ODL_QTY               ? rec.dQty
            : c.field == IDS_ODL_HIDDEN            ? rec.dHidden
                                                   : rec.dFillMinQty;
        target = CDouble(3.0, 1);
        EXPECT_EQ(ParseOrderField(rec, OrderListIndex(c.field), c.value), c.result);
        EXPECT_DOUBLE_EQ(target, c.result ? c.number : 3.0);
        EXPECT_EQ(target.GetDecimal(), c.result ? c.decimals : 1u);
    }
}

TEST_F(OrderList, TextAndDateFields)
{
    const std::string fortyOne(41, 'r');
    const struct {
        Kv32OrderListStringId field;
        std::string value;
        int result;
    } cases[] = {
        { IDS_ODL_REFERENCE, std::string(40, 'r'), 1 },
        { IDS_ODL_REFERENCE, fortyOne, 0 },
        { IDS_ODL_REFERENCE, std::string("a\0b", 3), 0 },
        { IDS_ODL_TRD_ACC, "ACCOUNT12345", 1 },
        { IDS_ODL_TRD_ACC, "ACCOUNT123456", 0 },
        { IDS_ODL_WORK_AREA, std::string(127, 'w'), 1 },
        { IDS_ODL_WORK_AREA, std::string(128, 'w'), 0 },
        { IDS_ODL_BUY_SELL, "123456789", 0 },
        { IDS_ODL_SECURITY, std::string(21, 's'), 0 },
        { IDS_ODL_BOARD, std::string(31, 'b'), 0 },
        { IDS_ODL_TYPE, "0101", 1 },
        { IDS_ODL_TYPE, std::string(33, '0'), 0 },
        { IDS_ODL_TYPE, "01x", 0 },
        { IDS_ODL_SETTLE_DATE, "20261301", 0 },
        { IDS_ODL_SETTLE_DATE, "2026121", 0 },
        { IDS_ODL_EXPIRY_DATE, "20261231", 1 },
        { IDS_ODL_EXPIRY_TIME, "250000", 0 },
        { IDS_ODL_EXPIRY_TIME, "235959", 1 },
        { IDS_ODL_STATUS, fortyOne, 1 }, // not a field of the order
        { IDS_ODL_ORDER_NO, "x", 1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.field) + " " + c.value);
        CLocalOrderRec rec;
        Put(rec.szReference, "old");
        Put(rec.szTrdAcc, "old");
        Put(rec.szWorkArea, "old");
        Put(rec.szType, "1");
        Put(rec.szSettleDate, "20270104");
        std::vector<uint8_t> before;
        WriteLocalOrderRecord(rec, before);
        EXPECT_EQ(ParseOrderField(rec, OrderListIndex(c.field), c.value), c.result);
        if (c.result == 0) {
            std::vector<uint8_t> after;
            WriteLocalOrderRecord(rec, after);
            EXPECT_EQ(after, before);
            EXPECT_STREQ(rec.szSettleDate, "20270104");
        }
    }
}

TEST_F(OrderList, SecurityAndBoardGiveTheCodeAndDecimals)
{
    CLocalOrderRec rec;
    ASSERT_EQ(ParseOrderField(rec, OrderListIndex(IDS_ODL_YIELD), "4.5"), 1);
    ASSERT_EQ(ParseOrderField(rec, OrderListIndex(IDS_ODL_SECURITY), "SEC1"), 1);
    EXPECT_STREQ(rec.szSecurityCode, "");
    ASSERT_EQ(ParseOrderField(rec, OrderListIndex(IDS_ODL_BOARD), "Main board"), 1);
    EXPECT_STREQ(rec.szSecurityCode, "0BRD1INSTR0000001");
    EXPECT_EQ(rec.dYield.GetDecimal(), 3u);
    ASSERT_EQ(ParseOrderField(rec, OrderListIndex(IDS_ODL_PRICE), "12.5"), 1);
    EXPECT_EQ(rec.dPrice.GetDecimal(), 2u);
    ASSERT_EQ(ParseOrderField(rec, OrderListIndex(IDS_ODL_BOARD), "Second board"), 1);
    EXPECT_STREQ(rec.szSecurityCode, "");

    ASSERT_EQ(ParseOrderField(rec, OrderListIndex(IDS_ODL_TYPE), "00000000000000000000000000100000"), 1);
    ASSERT_EQ(ParseOrderField(rec, OrderListIndex(IDS_ODL_EXPIRY_DATE), "20261231"), 1);
    EXPECT_EQ(std::string(rec.szValidity), OrderTable().GetValidityText(rec.szType, "20261231"));
    EXPECT_NE(std::string(rec.szValidity), "");
    ASSERT_EQ(ParseOrderField(rec, OrderListIndex(IDS_ODL_EXPIRY_TIME), "143000"), 1);
    EXPECT_EQ(rec.dtExpiry, CDateTime(2026, 12, 31, 14, 30, 0));
    EXPECT_STREQ(rec.szExpiryTimeText, "143000");
}

struct Fault {
    const char* name;
    OrderListForm form;
    const char* text;
    std::vector<std::pair<uint32_t, int>> diagnostics; // message and line
    std::vector<std::string> workAreas; // of the orders read
};

const Fault kFaults[] = {
    { "line cannot be read", OrderListForm::Tagged,
        "<Order>\n<WorkArea>D</WorkArea>\n<Price>1</Pri\n</Order>\n<Order>\n<WorkArea>E</WorkArea>\n</"
        "Order>\n",
        { { IDS_ODL_LINE_READ_ERROR, 3 } }, { "E" } },
    { "field open at the order's end", OrderListForm::Tagged,
        "<Order>\n<WorkArea>D</WorkArea>\n<Price>1\n</Order>\n",
        { { IDS_ODL_FIELD_NOT_ENDED_AT_ORDER_END, 4 } }, { "D" } },
    { "order not ended", OrderListForm::Tagged,
        "<Order>\n<WorkArea>D</WorkArea>\n<Order>\n<WorkArea>E</WorkArea>\n</Order>\n",
        { { IDS_ODL_ORDER_NOT_ENDED, 3 } }, { "E" } },
    { "end of no order", OrderListForm::Tagged, "\n</Order>\n", { { IDS_ODL_END_OF_UNSTARTED_ORDER, 2 } },
        {} },
    { "last order not ended", OrderListForm::Tagged, "<Order>\r\n<WorkArea>D</WorkArea>\r\n",
        { { IDS_ODL_LAST_ORDER_NOT_ENDED, 2 } }, {} },
    { "field not ended", OrderListForm::Tagged, "<Order>\n<Price>1\n<WorkArea>D</WorkArea>\n</Order>\n",
        { { IDS_ODL_FIELD_NOT_ENDED, 3 } }, { "D" } },
    { "field outside an order", OrderListForm::Tagged,
        "<WorkArea>D</WorkArea>\n</Order>\n<Order>\n<WorkArea>E</WorkArea>\n</Order>\n",
        { { IDS_ODL_FIELD_OUTSIDE_ORDER, 1 } }, { "E" } },
    { "end of no field", OrderListForm::Tagged, "<Order>\n</Price>\n<WorkArea>D</WorkArea>\n</Order>\n",
        { { IDS_ODL_END_OF_UNSTARTED_FIELD, 2 } }, { "D" } },
    { "end of another field", OrderListForm::Tagged,
        "<Order>\n<Price>1</Qty>\n<WorkArea>D</WorkArea>\n</Order>\n", { { IDS_ODL_END_OF_OTHER_FIELD, 2 } },
        { "D" } },
    { "data outside a field", OrderListForm::Tagged, "<Order>\nstray\n<WorkArea>D</WorkArea>\n</Order>\n",
        { { IDS_ODL_DATA_OUTSIDE_FIELD, 2 } }, { "D" } },
    { "data given twice", OrderListForm::Tagged, "<Order>\n<WorkArea>D\nE</WorkArea>\n</Order>\n",
        { { IDS_ODL_DATA_REDEFINED, 3 } }, { "D" } },
    { "price too long", OrderListForm::Tagged,
        "<Order>\n<WorkArea>D</WorkArea>\n<Price>\n1234567.89\n</Price>\n</Order>\n",
        { { IDS_ODL_WRONG_DATA_FORMAT, 4 } }, { "D" } },
    { "quantity too long", OrderListForm::Tagged,
        "<Order>\n<WorkArea>D</WorkArea>\n<Qty>12345678901234567</Qty>\n</Order>\n",
        { { IDS_ODL_WRONG_DATA_FORMAT, 3 } }, { "D" } },
    { "no work area", OrderListForm::Tagged, "\n<Order>\n<Price>1</Price>\n</Order>\n",
        { { IDS_ODL_NO_WAI, 2 } }, {} },
    { "wrong column name", OrderListForm::Text, "Yield\tSecurity\tBoard\tAccount\t\r\n",
        { { IDS_ODL_WRONG_COLUMN_NAME, 4 } }, {} },
    { "row of three values", OrderListForm::Text,
        "Yield\tSecurity\tBoard\tTrdAcc\tBuySell\tSettleDate\tStatus\tType\tPrice\tQty\tHidden\tExpiryDate\t"
        "ExpiryTime\tTriggerPrice\tReference\tWorkArea\t\r\n1\t2\t3\t\r\n\t\t\t\t\t\t\t\t\t\t\t\t\t\t\tD\t\r"
        "\n",
        { { IDS_ODL_WRONG_FIELD_COUNT, 2 } }, { "D" } },
    { "quantity of text", OrderListForm::Text,
        "Yield\tSecurity\tBoard\tTrdAcc\tBuySell\tSettleDate\tStatus\tType\tPrice\tQty\tHidden\tExpiryDate\t"
        "ExpiryTime\tTriggerPrice\tReference\tWorkArea\n\t\t\t\t\t\t\t\t\tten\t\t\t\t\t\tD\n",
        { { IDS_ODL_WRONG_DATA_FORMAT, 2 } }, { "D" } },
    { "row without work area", OrderListForm::Text,
        "Yield\tSecurity\tBoard\tTrdAcc\tBuySell\tSettleDate\tStatus\tType\tPrice\tQty\tHidden\tExpiryDate\t"
        "ExpiryTime\tTriggerPrice\tReference\tWorkArea\t\r\n\r\n\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t \t\r\n",
        { { IDS_ODL_NO_WAI, 3 } }, {} },
};

TEST_F(OrderList, EveryFaultOfAFileIsReportedWithItsLine)
{
    for (const Fault& f : kFaults) {
        SCOPED_TRACE(f.name);
        std::vector<std::pair<uint32_t, int>> shown;
        const COrderListImport result
            = ImportPrivateOrders(f.text, f.form, [&](const COrderListDiagnostic& d) {
                  shown.emplace_back(d.id, d.line);
                  return true;
              });
        EXPECT_EQ(shown, f.diagnostics);
        std::vector<std::pair<uint32_t, int>> listed;
        for (const COrderListDiagnostic& d : result.diagnostics)
            listed.emplace_back(d.id, d.line);
        EXPECT_EQ(listed, f.diagnostics);
        std::vector<std::string> workAreas;
        for (const CLocalOrderRec& rec : result.orders) {
            workAreas.emplace_back(rec.szWorkArea);
            EXPECT_STREQ(rec.szStatus, "New");
        }
        EXPECT_EQ(workAreas, f.workAreas);
    }
}

TEST_F(OrderList, ANoToAQuestionEndsTheImport)
{
    const struct {
        const char* text;
        uint32_t question;
        int line;
    } cases[] = {
        { "<Order>\n<WorkArea>D</WorkArea>\n<Price>1</Pri\n</Order>\n<Order>\n<WorkArea>E</WorkArea>\n</"
          "Order>\n",
            IDS_ODL_LINE_READ_ERROR, 3 },
        { "<Order>\n</Order>\n<Order>\n<WorkArea>E</WorkArea>\n</Order>\n", IDS_ODL_NO_WAI, 1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const COrderListImport result = ImportPrivateOrders(
            c.text, OrderListForm::Tagged, [](const COrderListDiagnostic& d) { return !d.question; });
        EXPECT_TRUE(result.stopped);
        EXPECT_TRUE(result.orders.empty());
        ASSERT_EQ(result.diagnostics.size(), 1u);
        EXPECT_EQ(result.diagnostics[0].id, c.question);
        EXPECT_EQ(result.diagnostics[0].line, c.line);
        EXPECT_TRUE(result.diagnostics[0].question);
        EXPECT_FALSE(result.diagnostics[0].answer);
    }
}

TEST_F(OrderList, MessagesCarryTheLineAndShowAsBoxes)
{
    ui.boxAnswer = fw::IDNO;
    const COrderListImport result = ImportPrivateOrders(
        "stray\n<Order>\n</Order>\n<Order>\n", OrderListForm::Tagged, ShowImportDiagnostic);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].text, "Data found at line 1 outside the started field.\n\nData will be ignored.");
    EXPECT_EQ(ui.boxes[0].flags, fw::MB_OK | fw::MB_ICONEXCLAMATION);
    EXPECT_EQ(ui.boxes[1].text, "Order at line 2 has no WAI defined. Order will be ignored.\n\nContinue?");
    EXPECT_EQ(ui.boxes[1].flags, fw::MB_YESNO | fw::MB_ICONQUESTION);
    EXPECT_TRUE(result.stopped);

    fw::setLanguage(fw::Language::Hungarian);
    EXPECT_EQ(fw::cp1250ToUtf8(COrderListDiagnostic { IDS_ODL_WRONG_DATA_FORMAT, 7 }.Text()),
        "Hibás adatformátum a(z) 7. sorban.\n\nAz adatot figyelmen kívül hagyjuk.");
}

TEST_F(OrderList, FileFaultsLeaveTheFileAsItWas)
{
    fs::create_directories(dir);
    const auto orders = PrivateOrders();
    ASSERT_EQ(ExportPrivateOrdersFile(dir / "book.odl", orders), 0u);

    CLocalOrderRec broken = *orders[0];
    Put(broken.szReference, "two\r\nlines");
    const std::vector<const CLocalOrderRec*> bad { orders[1], &broken };
    EXPECT_EQ(ExportPrivateOrdersFile(dir / "book.odl", bad), static_cast<uint32_t>(IDS_ODL_WRITE_ERROR));
    Put(broken.szReference, "a\ttab");
    EXPECT_EQ(ExportPrivateOrdersFile(dir / "book.txt", bad), static_cast<uint32_t>(IDS_ODL_WRITE_ERROR));
    EXPECT_FALSE(fs::exists(dir / "book.txt"));
    EXPECT_EQ(ReadFile(dir / "book.odl"), Golden("private.odl"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    EXPECT_EQ(ExportPrivateOrdersFile(dir / "missing" / "x.odl", orders),
        static_cast<uint32_t>(IDS_ODL_CREATE_FILE_ERROR));
    EXPECT_EQ(ImportPrivateOrdersFile(dir / "missing.odl", {}).fileError,
        static_cast<uint32_t>(IDS_ODL_OPEN_FILE_ERROR));
}

// The tagged form is well-formed XML once a prolog naming its code page and
// one root element enclose it.
TEST_F(OrderList, AWrappedExportIsWellFormedXml)
{
    if (std::system("command -v xmllint >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "xmllint is not installed";
    fs::create_directories(dir);
    for (const auto language : { fw::Language::English, fw::Language::Hungarian }) {
        fw::setLanguage(language);
        std::string body;
        for (const CNegDealRec& d : Deals())
            ASSERT_TRUE(ExportNDealsXml(d, body));
        ASSERT_TRUE(ExportOrdersXml(Order(), body));
        for (const CLocalOrderRec* rec : PrivateOrders())
            ASSERT_TRUE(ExportPrivateOrdersXml(*rec, body));
        const fs::path file = dir / (language == fw::Language::English ? "en.xml" : "hu.xml");
        std::ofstream(file, std::ios::binary)
            << "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<OrderList>\r\n"
            << body << "</OrderList>\r\n";
        const std::string command = "xmllint --noout '" + file.string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << ReadFile(file);
    }
}

TEST(OrderListStrings, BothLanguagesAndIdsApartFromTheOtherTables)
{
    std::vector<std::uint32_t> ids;
    for (const fw::StringEntry& e : Kv32OrderListStrings()) {
        EXPECT_TRUE(e.en != nullptr && *e.en != '\0') << e.id;
        EXPECT_TRUE(e.hu != nullptr && *e.hu != '\0') << e.id;
        ids.push_back(e.id);
    }
    for (auto table :
        { Kv32Strings(), Kv32TableStrings(), Kv32NewsStrings(), Kv32TradingStrings(), Kv32ShellStrings() }) {
        for (const fw::StringEntry& e : table)
            ids.push_back(e.id);
    }
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
    // Every element name is one XML name in either language.
    for (const auto language : { fw::Language::English, fw::Language::Hungarian }) {
        fw::setLanguage(language);
        COrderListTags tags;
        tags.LoadTagNames();
        for (int i = 0; i <= OrderListIndex(IDS_ODL_FILL_MIN_QTY); ++i) {
            EXPECT_FALSE(tags.Name(i).empty()) << i;
            EXPECT_EQ(tags.Name(i).find_first_of(" <>&\t"), std::string::npos) << i;
            EXPECT_EQ(tags.FindTagName(tags.Name(i)), i);
        }
    }
    fw::setLanguage(fw::Language::English);
}

} // namespace
} // namespace kv32test
