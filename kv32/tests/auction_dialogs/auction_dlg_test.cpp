// The auction calculation dialogs offscreen over the scripted router: the
// request keys, the range checks, the calculation loop and its bounds, the
// market change, the price and yield conversion, and what a row click and
// "MOF Order" open.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>
#include <vector>

#include "auction_dialogs/auction_fixture.h"
#include "fw/core/command.h"
#include "kv32/dialogs/auction/auction_dlg.h"
#include "kv32/dialogs/neg_deal_dlg.h"
#include "kv32/dialogs/order_entry_dlg.h"
#include "kv32/res/auction_ids.h"
#include "kv32/res/deal_dialogs_ids.h"
#include "kv32/res/order_entry_ids.h"
#include "kv32/tables/all_tables.h"

namespace {

using namespace auctiontest;
using kv32test::End;
using kv32test::Msg;

// Board MAIN, security ALFA (its summary answered), then the sizes and price.
void ChooseAlfa(fw::Dialog& d)
{
    d.userSelect(IDC_AU_BOARD, 0);
    d.userSelect(IDC_AU_SECURITY, 0);
}

void TypeRange(fw::Dialog& d, const char* minimum, const char* maximum, const char* increment, const char* price = "")
{
    d.userType(IDC_AU_MIN, minimum);
    d.userType(IDC_AU_MAX, maximum);
    d.userType(IDC_AU_INCREMENT, increment);
    d.userType(IDC_AU_PRICE, price);
}

using AuctionDialog = AuctionFixture;

TEST_F(AuctionDialog, TwoPacketsOfRowsFillTheTableAndTheKeysAreExact)
{
    router.Reply({ { 120, Summary(kAlfaCode, "AUC7", 12, 3500000, 250000) }, End() });
    router.Reply({ { 121, Row(kAlfaCode, Key(101)) }, { 121, Row(kAlfaCode, Key(102)) } });
    router.Reply({ { 121, Row(kAlfaCode, Key(103)) }, { 121, Row(kAlfaCode, Key(104)) },
        { 121, Row(kAlfaCode, Key(105), { 9800, 0, 0, 0, 0, 0, 0 }) }, EndOf(121) });
    CPrimaryAuctionDlg dlg;
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_FALSE(d.isItemEnabled(IDC_AU_MIN)) << "no security yet";
        EXPECT_TRUE(d.isItemEnabled(IDC_AU_MOF));
        ChooseAlfa(d);
        EXPECT_EQ(d.itemText(IDC_AU_ORDERS), "12");
        EXPECT_EQ(d.itemText(IDC_AU_BID_QTY), "3500000") << "no thousands separators";
        EXPECT_EQ(d.itemText(IDC_AU_MKT_QTY), "250000");
        EXPECT_TRUE(d.isItemEnabled(IDC_AU_MIN));
        EXPECT_FALSE(d.isItemEnabled(IDC_AU_YIELD)) << "ALFA is quoted by price";
        EXPECT_FALSE(d.isItemEnabled(IDC_AU_CALCULATE));
        TypeRange(d, "1000000", "5000000", "1000000", "99.5");
        EXPECT_TRUE(d.isItemEnabled(IDC_AU_CALCULATE));
        d.userClick(IDC_AU_CALCULATE);
        d.userClick(IDC_AU_CLOSE);
    });
    const CAuctionCells& cells = dlg.Form().Cells();
    ASSERT_EQ(cells.RowCount(), 6);
    for (int row = 1; row <= 5; ++row)
        EXPECT_EQ(cells.Text(row, 1), std::to_string(row) + "000000") << row;
    EXPECT_EQ(cells.Text(6, 1), "") << "the last row stays empty";
    EXPECT_EQ(cells.Text(1, 2), "99.50");
    EXPECT_EQ(cells.Text(1, 6), "1,000,000");
    EXPECT_EQ(cells.Text(1, 9), "75.00");
    EXPECT_EQ(cells.Text(1, 10), "25.00");
    EXPECT_EQ(cells.Text(5, 9), "") << "both sizes 0: no shares";
    EXPECT_EQ(cells.Text(5, 3), "0.000") << "a zero average yield shows";
    EXPECT_EQ(cells.Text(5, 5), "") << "no price reached: no zero yield reached";

    ASSERT_EQ(Sent(120), std::vector<std::string> { kUser + kAlfaCode });
    const std::vector<std::string> rows = Sent(121);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0],
        kUser + kAlfaCode + "0000000001000000" + "0000000005000000" + "0000000000000000" + "0000000001000000"
            + "000009950" + "P" + "000000AUC7");
    EXPECT_EQ(rows[1].substr(61, 16), Key(102)) << "the next request goes on from the last row";
    EXPECT_EQ(rows[0].size(), kAuctionResultKeyLength);
}

TEST_F(AuctionDialog, RangesThatCannotBeCalculatedSendNothing)
{
    struct Case {
        const char* name;
        const char* minimum;
        const char* maximum;
        const char* increment;
        const char* price;
        uint32_t focus;
    };
    const Case cases[] = {
        { "minimum 0", "0", "5000000", "1000000", "", IDC_AU_MIN },
        { "minimum above maximum", "6000000", "5000000", "1000000", "", IDC_AU_MIN },
        { "minimum equal to maximum", "5000000", "5000000", "1", "", IDC_AU_INCREMENT },
        { "increment 0", "1000000", "5000000", "0", "", IDC_AU_INCREMENT },
        { "increment above the span", "1000000", "5000000", "4000001", "", IDC_AU_INCREMENT },
        { "over 10,000 sizes", "1", "10001", "1", "", IDC_AU_INCREMENT },
        { "a limit too wide", "1", "3", "1", "12345678.90", IDC_AU_PRICE },
    };
    for (const Case& c : cases) {
        router.Reply({ { 120, Summary(kAlfaCode, "AUC7", 1, 1, 1) }, End() });
        script.answerMessageBox(fw::IDOK);
        CPrimaryAuctionDlg dlg;
        uint32_t focus = 0;
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            ChooseAlfa(d);
            TypeRange(d, c.minimum, c.maximum, c.increment, c.price);
            d.userClick(IDC_AU_CALCULATE);
            focus = d.focusId();
            d.userClick(IDC_AU_CLOSE);
        });
        EXPECT_EQ(focus, c.focus) << c.name;
        EXPECT_TRUE(Sent(121).empty()) << c.name;
        EXPECT_EQ(script.messageBoxes().back(), "Invalid value.") << c.name;
        router.ClearRecord();
    }
    // 10,000 sizes pass; an increment of 2^31 is a whole number like any other.
    EXPECT_EQ(CheckAuctionRange("1", "10000", "1").range.sizes, 10000);
    const KvAuctionRangeCheck wide = CheckAuctionRange("1", "6442450945", "2147483648");
    EXPECT_EQ(wide.messageId, 0u);
    EXPECT_EQ(wide.range.sizes, 4);
}

// A comma out of place under a decimal point is named in the refusal, for a limit and for a
// size alike; nothing is sent.
TEST_F(AuctionDialog, ASeparatorOutOfPlaceIsNamedAndNothingIsSent)
{
    struct Case {
        const char* minimum;
        const char* price;
        uint32_t focus;
    } const cases[] = {
        { "1", "98,25", IDC_AU_PRICE },
        { "1,5", "", IDC_AU_MIN },
    };
    for (const Case& c : cases) {
        router.Reply({ { 120, Summary(kAlfaCode, "AUC7", 1, 1, 1) }, End() });
        fw::test::Script script;
        script.answerMessageBox(fw::IDOK);
        CPrimaryAuctionDlg dlg;
        uint32_t focus = 0;
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            ChooseAlfa(d);
            TypeRange(d, c.minimum, "3000", "1", c.price);
            d.userClick(IDC_AU_CALCULATE);
            focus = d.focusId();
            d.userClick(IDC_AU_CLOSE);
        });
        EXPECT_EQ(focus, c.focus) << c.minimum << " " << c.price;
        EXPECT_TRUE(Sent(121).empty());
        ASSERT_FALSE(script.messageBoxes().empty());
        EXPECT_EQ(script.messageBoxes().back().rfind("The number was not taken: \",\" is not the decimal separator", 0),
            0u)
            << script.messageBoxes().back();
        router.ClearRecord();
    }
}

TEST_F(AuctionDialog, AnIncrementOfTwoToTheThirtyFirstIsSentWithItsSizes)
{
    router.Reply({ { 120, Summary(kAlfaCode, "AUC7", 1, 1, 1) }, End() });
    router.Reply({ { 121, Row(kAlfaCode, Key(1)) }, { 121, Row(kAlfaCode, Key(2)) }, EndOf(121) });
    CPrimaryAuctionDlg dlg;
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        ChooseAlfa(d);
        TypeRange(d, "1", "6442450945", "2147483648");
        d.userClick(IDC_AU_CALCULATE);
        d.userClick(IDC_AU_CLOSE);
    });
    ASSERT_EQ(Sent(121).size(), 1u);
    EXPECT_EQ(Sent(121)[0].substr(77, 16), "0000002147483648");
    EXPECT_EQ(Sent(121)[0].substr(93, 9), "000000000") << "an empty price is a zero limit";
    EXPECT_EQ(dlg.Form().Cells().Text(1, 1), "1");
    EXPECT_EQ(dlg.Form().Cells().Text(2, 1), "2147483649");
    EXPECT_EQ(dlg.Form().Cells().RowCount(), 5);
}

TEST_F(AuctionDialog, AHostThatMisbehavesCannotKeepTheLoopGoing)
{
    struct Case {
        const char* name;
        int repliesWithKeys; // 0: rows of fresh keys, 1: the same key, 2: no rows
        size_t requests;
        int rows;
    };
    const Case cases[] = {
        { "a new row for every request, never the end", 0, 5, 5 },
        { "a repeated key", 1, 2, 1 },
        { "nothing at all", 2, 1, 0 },
    };
    for (const Case& c : cases) {
        int served = 0;
        router.AnswerWith([&](const std::vector<Msg>& request) -> std::vector<Msg> {
            if (!request.empty() && request[0].type == 120)
                return { { 120, Summary(kAlfaCode, "AUC7", 1, 1, 1) }, End() };
            ++served;
            if (c.repliesWithKeys == 2)
                return { { 999, "x" } };
            return { { 121, Row(kAlfaCode, Key(c.repliesWithKeys == 1 ? 7 : served)) } };
        });
        CPrimaryAuctionDlg dlg;
        fw::test::runModal(dlg, [](fw::Dialog& d) {
            d.userSelect(IDC_AU_BOARD, 0);
            d.userSelect(IDC_AU_SECURITY, 0);
            TypeRange(d, "1000", "5000", "1000");
            d.userClick(IDC_AU_CALCULATE);
            d.userClick(IDC_AU_CLOSE);
        });
        router.AnswerWith({});
        EXPECT_EQ(Sent(121).size(), c.requests) << c.name;
        int rows = 0;
        for (int r = 1; r <= dlg.Form().Cells().RowCount(); ++r)
            rows += dlg.Form().Cells().Text(r, 1).empty() ? 0 : 1;
        EXPECT_EQ(rows, c.rows) << c.name;
        router.ClearRecord();
    }
}

TEST_F(AuctionDialog, AMarketChangeFetchesTheSummaryAgainAndKeepsTheTexts)
{
    router.Reply({ { 173, Summary(kAlfaCode, "AUC7", 1, 1, 1) }, End() });
    router.Reply({ { 174, Row(kAlfaCode, Key(1)) }, { 174, kAlfaCode + "N" } });
    router.Reply({ { 173, Summary(kAlfaCode, "AUC8", 2, 2, 2) }, End() });
    script.answerMessageBox(fw::IDOK);
    CBuyBackAuctionDlg dlg;
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Buy-back Auction");
        ChooseAlfa(d);
        TypeRange(d, "1000", "3000", "1000", "99.5");
        d.userClick(IDC_AU_CALCULATE);
        EXPECT_EQ(d.itemText(IDC_AU_MIN), "1000");
        EXPECT_EQ(d.itemText(IDC_AU_MAX), "3000");
        EXPECT_EQ(d.itemText(IDC_AU_INCREMENT), "1000");
        EXPECT_EQ(d.itemText(IDC_AU_PRICE), "99.5");
        EXPECT_EQ(d.itemText(IDC_AU_ORDERS), "2") << "the new summary";
        EXPECT_TRUE(d.isItemEnabled(IDC_AU_CALCULATE));
        d.userClick(IDC_AU_CLOSE);
    });
    EXPECT_EQ(script.messageBoxes(),
        std::vector<std::string> { "Market has been changed. Press OK to get new market information." });
    EXPECT_EQ(Sent(173).size(), 2u);
    EXPECT_EQ(Sent(174).size(), 1u);
    EXPECT_EQ(dlg.Form().AuctionId(), "AUC8");
    EXPECT_EQ(dlg.Form().Cells().Text(1, 1), "") << "the table waits for the next calculation";
}

TEST_F(AuctionDialog, TheSecurityOfTheSecuritiesWindowIsFetchedAtOnce)
{
    dealtest::FakeActiveRow window(kListSecurities, dealtest::kGovt);
    router.Reply({ { 120, Summary(kGovtCode, "G1", 3, 4, 5) }, End() });
    router.Reply({ { 94, "000009850" }, End() });
    router.Reply({ { 95, "000005500" }, End() });
    CPrimaryAuctionDlg dlg;
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_AU_BOARD), "Bond Board");
        EXPECT_EQ(d.itemText(IDC_AU_SECURITY), "GOVT");
        EXPECT_TRUE(d.isButtonChecked(IDC_AU_YIELD)) << "GOVT is quoted by yield";
        EXPECT_EQ(d.itemText(IDC_AU_PRICE_LABEL), "Yield:");
        d.userType(IDC_AU_PRICE, "5.5");
        d.userLeave(IDC_AU_PRICE);
        EXPECT_EQ(d.itemText(IDC_AU_CONVERTED), "98.50");
        d.userClick(IDC_AU_YIELD);
        EXPECT_EQ(d.itemText(IDC_AU_PRICE_LABEL), "Price:");
        EXPECT_EQ(d.itemText(IDC_AU_PRICE), "98.50") << "the converted price moves into the field";
        EXPECT_EQ(d.itemText(IDC_AU_CONVERTED), "5.500");
        d.userClick(IDC_AU_CLOSE);
    });
    EXPECT_EQ(Sent(120), std::vector<std::string> { kUser + kGovtCode });
    EXPECT_EQ(Sent(94), std::vector<std::string> { kUser + kGovtCode + std::string(8, ' ') + "000005500" });
    EXPECT_EQ(Sent(95), std::vector<std::string> { kUser + kGovtCode + std::string(8, ' ') + "000009850" });
    EXPECT_EQ(Sent(94)[0].size(), 46u);
}

TEST_F(AuctionDialog, ARowOpensTheOrderAndMofOpensTheDealOnTheAuctionsSide)
{
    for (const KvAuctionKind kind : { KvAuctionKind::Primary, KvAuctionKind::BuyBack }) {
        const KvAuctionTraits& t = AuctionTraits(kind);
        router.Reply({ { t.summaryCode, Summary(kAlfaCode, "AUC7", 1, 1, 1) }, End() });
        router.Reply({ { t.resultCode, Row(kAlfaCode, Key(1)) }, EndOf(t.resultCode) });
        router.Reply({ { 95, "000005000" }, EndOf(95) }); // the order form converts its price
        int dealSide = 0;
        script.expectDialog(IDD_NEG_DEAL, [&dealSide](fw::Dialog& d) {
            dealSide = static_cast<CNegDealDlg&>(d).Side();
            d.userClick(fw::kIdCancel);
        });
        std::string orderBoard, orderSecurity, orderPrice, orderQuantity;
        int orderSide = 0;
        script.expectDialog(IDD_ORDER_ENTRY, [&](fw::Dialog& d) {
            COrderEntryForm& form = static_cast<COrderEntryDlg&>(d).Form();
            orderSide = form.Side();
            orderBoard = d.itemText(IDC_OE_BOARD);
            orderSecurity = d.itemText(IDC_OE_SECURITY);
            orderPrice = d.itemText(IDC_OE_PRICE);
            orderQuantity = d.itemText(IDC_OE_QUANTITY);
            d.userClick(fw::kIdCancel);
        });
        std::unique_ptr<CAuctionDlg> dlg = kind == KvAuctionKind::Primary
            ? std::unique_ptr<CAuctionDlg>(new CPrimaryAuctionDlg)
            : std::unique_ptr<CAuctionDlg>(new CBuyBackAuctionDlg);
        fw::test::runModal(*dlg, [&](fw::Dialog& d) {
            auto& auction = static_cast<CAuctionDlg&>(d);
            d.userClick(IDC_AU_MOF);
            ChooseAlfa(d);
            TypeRange(d, "1000", "2000", "1000", "99");
            d.userClick(IDC_AU_CALCULATE);
            EXPECT_FALSE(auction.Grid().OnRowClicked(0, 1)) << "the title row";
            EXPECT_FALSE(auction.Grid().OnRowClicked(2, 1)) << "a row without a size";
            EXPECT_TRUE(auction.Grid().OnRowClicked(1, 3));
            d.userClick(IDC_AU_CLOSE);
        });
        EXPECT_EQ(dealSide, t.side);
        EXPECT_EQ(orderSide, t.side);
        EXPECT_EQ(orderBoard, "Main Board");
        EXPECT_EQ(orderSecurity, "ALFA");
        EXPECT_EQ(orderPrice.rfind("99", 0), 0u) << orderPrice;
        EXPECT_EQ(orderQuantity.find_first_not_of("0,."), 0u) << orderQuantity;
        router.ClearRecord();
    }
}

TEST_F(AuctionDialog, TheCommandsRunTheirDialogWhenTheRightsAllow)
{
    fw::CommandMap map;
    std::vector<KvAuctionKind> runs;
    KvBindAuctionCommands(map, [&runs](KvAuctionKind kind) { runs.push_back(kind); });
    const auto run = [&map](unsigned id) { (*map.findCommand(id))(id); };
    RightTable().Free();
    run(33169);
    run(33186);
    EXPECT_TRUE(runs.empty());
    RightTable().AddRec(RightRec { 0, 136, 0, 1 });
    run(33169);
    run(33186);
    RightTable().AddRec(RightRec { 1, 179, 0, 1 });
    run(33186);
    EXPECT_EQ(runs, (std::vector<KvAuctionKind> { KvAuctionKind::Primary, KvAuctionKind::BuyBack }));
    RightTable().Free();
}

} // namespace

namespace {

TEST_F(AuctionDialog, ANegativeLimitIsABuyBacksMistakeOnly)
{
    for (const KvAuctionKind kind : { KvAuctionKind::Primary, KvAuctionKind::BuyBack }) {
        const KvAuctionTraits& t = AuctionTraits(kind);
        router.Reply({ { t.summaryCode, Summary(kAlfaCode, "AUC7", 1, 1, 1) }, End() });
        if (kind == KvAuctionKind::Primary)
            router.Reply({ { t.resultCode, Row(kAlfaCode, Key(1)) }, EndOf(t.resultCode) });
        else
            script.answerMessageBox(fw::IDOK);
        std::unique_ptr<CAuctionDlg> dlg = kind == KvAuctionKind::Primary
            ? std::unique_ptr<CAuctionDlg>(new CPrimaryAuctionDlg)
            : std::unique_ptr<CAuctionDlg>(new CBuyBackAuctionDlg);
        fw::test::runModal(*dlg, [](fw::Dialog& d) {
            ChooseAlfa(d);
            TypeRange(d, "1000", "2000", "1000", "-1.5");
            d.userClick(IDC_AU_CALCULATE);
            d.userClick(IDC_AU_CLOSE);
        });
        const std::vector<std::string> sent = Sent(t.resultCode);
        if (kind == KvAuctionKind::Primary) {
            ASSERT_EQ(sent.size(), 1u);
            EXPECT_EQ(sent[0].substr(93, 10), "-00000150P");
        } else {
            EXPECT_TRUE(sent.empty());
            EXPECT_EQ(script.messageBoxes(), std::vector<std::string> { "Invalid value." });
        }
        router.ClearRecord();
    }
}

TEST_F(AuctionDialog, ExcelExportWritesTheTableIntoTheTemporaryFolder)
{
    const std::filesystem::path folder
        = std::filesystem::temp_directory_path() / ("auction_export_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old != nullptr ? old : "";
    ::setenv("TMPDIR", folder.c_str(), 1);
    router.Reply({ { 173, Summary(kAlfaCode, "AUC7", 1, 1, 1) }, End() });
    router.Reply({ { 174, Row(kAlfaCode, Key(1)) }, EndOf(174) });
    script.answerMessageBox(fw::IDOK);
    CBuyBackAuctionDlg dlg;
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        ChooseAlfa(d);
        TypeRange(d, "1000", "2000", "1000", "99");
        d.userClick(IDC_AU_CALCULATE);
        d.userClick(IDC_AU_EXPORT);
        d.userClick(IDC_AU_CLOSE);
    });
    if (old != nullptr)
        ::setenv("TMPDIR", saved.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
    const std::filesystem::path file = folder / "auctiondata.csv";
    std::ifstream in(file, std::ios::binary);
    std::string first, second;
    std::getline(in, first);
    std::getline(in, second);
    EXPECT_EQ(first, "Buy-back quantity,Average Price,Average Yield,Max. Price,Min. Yield,Total Value,Limit Size,"
                     "Market Size,Limit %,Market %\r");
    EXPECT_EQ(second, "1000,99.50,5.250,99.00,5.500,\"1,000,000\",750,250,75.00,25.00\r");
    EXPECT_EQ(script.messageBoxes(), std::vector<std::string> { "Created file: " + file.string() });
    std::filesystem::remove_all(folder);
}

} // namespace
