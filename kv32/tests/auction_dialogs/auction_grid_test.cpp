// The auction result table: the grow rule of a written row, emptying, the
// column formats, the order a clicked row offers under English and Hungarian
// number formats, and the CSV file read back by Python's csv module.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fw/core/strings.h"
#include "fw/test/fwtest.h"
#include "kv32/dialogs/auction/auction_cells.h"
#include "kv32/dialogs/auction/auction_grid.h"
#include "kv32/dialogs/auction/dialog_grid.h"
#include "kv32/res/auction_ids.h"
#include "kvcore/values/intl_info.h"

namespace {

// The figures of a row as the host sends them (sizes whole, prices with 2
// decimals, yields with 3, percentages with 2).
KvAuctionValues Row(double size, double avgPrice, double avgYield, double priceReached, double yieldReached,
    double total, double limit, double market)
{
    const double sum = limit + market;
    return { CDouble(size, 0), CDouble(avgPrice, 2), CDouble(avgYield, 3), CDouble(priceReached, 2),
        CDouble(yieldReached, 3), CDouble(total, 0), CDouble(limit, 0), CDouble(market, 0),
        sum == 0 ? AuctionNoValue(2) : CDouble(limit / sum * 100, 2),
        sum == 0 ? AuctionNoValue(2) : CDouble(market / sum * 100, 2) };
}

// Number formats and interface language for one test.
struct Conventions {
    Conventions(fw::Language language, const fw::LocaleInfo& locale)
    {
        fw::setLanguage(language);
        KvSetIntl(locale);
    }
    ~Conventions()
    {
        fw::setLanguage(fw::Language::English);
        KvSetIntl(fw::englishLocale());
    }
};

fw::LocaleInfo HungarianWithNoBreakSpace()
{
    fw::LocaleInfo hu = fw::hungarianLocale();
    hu.thousandSep = "\xA0";
    return hu;
}

TEST(AuctionCells, AWrittenRowAtTheEndAddsOneAndEmptyingKeepsTheCount)
{
    CAuctionCells cells;
    cells.Init(6, kAuctionColumns, IDS_AU_PRIMARY_TITLE);
    EXPECT_EQ(cells.Text(0, 1), "Issue Size");
    EXPECT_EQ(cells.Text(0, 2), "Average\nPrice");
    cells.ClearValues(); // nothing written: nothing to do
    EXPECT_FALSE(cells.HasData());
    for (int row = 1; row <= 5; ++row)
        ASSERT_TRUE(cells.SetRow(row, Row(row * 1e6, 99.5, 5.25, 99, 5.5, 1e6, 750, 250)));
    EXPECT_EQ(cells.RowCount(), 6);
    ASSERT_TRUE(cells.SetRow(6, Row(6e6, 99.5, 5.25, 99, 5.5, 1e6, 750, 250)));
    EXPECT_EQ(cells.RowCount(), 7) << "row 6 of 6 adds one first";
    EXPECT_FALSE(cells.SetRow(9, Row(1, 1, 1, 1, 1, 1, 1, 1))) << "a gap is refused";
    EXPECT_FALSE(cells.SetRow(0, Row(1, 1, 1, 1, 1, 1, 1, 1)));
    EXPECT_EQ(cells.RowCount(), 7);
    cells.ClearValues();
    EXPECT_EQ(cells.RowCount(), 7);
    EXPECT_FALSE(cells.HasData());
    for (int row = 1; row <= 7; ++row)
        for (int col = 1; col <= kAuctionColumns; ++col)
            EXPECT_EQ(cells.Text(row, col), "") << row << "/" << col;
    EXPECT_EQ(cells.Text(0, 1), "Issue Size") << "titles stay";
}

TEST(AuctionCells, ColumnsFormatTheirFigures)
{
    CAuctionCells cells;
    cells.Init(15, kAuctionColumns, IDS_AU_BUYBACK_TITLE);
    EXPECT_EQ(cells.Text(0, 1), "Buy-back\nquantity");
    cells.SetRow(1, Row(1000000, 1234.5, 5.25, 99, 5.5, 1234567, 750, 250));
    cells.SetRow(2, Row(2000000, 0, 0, 0, 0, 0, 0, 0));
    cells.SetRow(3, Row(3000000, 0, 0, 98.75, 0, 0, 0, 0));
    KvAuctionValues missing = Row(4000000, 0, 0, 0, 0, 0, 0, 0);
    missing[1] = AuctionNoValue(2);
    missing[2] = AuctionNoValue(3);
    cells.SetRow(4, missing);
    const std::vector<std::vector<std::string>> expected = {
        { "1000000", "1,234.50", "5.250", "99.00", "5.500", "1,234,567", "750", "250", "75.00", "25.00" },
        // Zero average yield shows; zero yield reached only beside a price reached; no sizes, no shares.
        { "2000000", "", "0.000", "", "", "", "", "", "", "" },
        { "3000000", "", "0.000", "98.75", "0.000", "", "", "", "", "" },
        { "4000000", "", "", "", "", "", "", "", "", "" },
    };
    for (int row = 1; row <= 4; ++row)
        for (int col = 1; col <= kAuctionColumns; ++col)
            EXPECT_EQ(cells.Text(row, col), expected[static_cast<size_t>(row - 1)][static_cast<size_t>(col - 1)])
                << "row " << row << " column " << col;
}

TEST(AuctionCells, AClickedRowOffersItsOrderByValue)
{
    struct Case {
        const char* name;
        double priceReached, yieldReached, avgPrice;
        bool missingReached; // both reached figures are the host's "no value"
        bool ticked;
        const char* limitEn;
        const char* limitHu;
        bool yield;
    };
    const Case cases[] = {
        { "nothing reached, yield terms", 0, 0, 99.5, true, true, "0.00", "0,00", true },
        { "nothing reached, price terms", 0, 0, 99.5, true, false, "100", "100", false },
        { "price reached zero too", 0, 0, 99.5, false, true, "0.00", "0,00", true },
        { "zero yield, zero average price", 98.5, 0, 0, false, true, "98.50", "98,50", true },
        { "zero yield, zero average price, price terms", 98.5, 0, 0, false, false, "98.50", "98,50", false },
        { "zero yield, an average price", 98.5, 0, 99.25, false, true, "98.50", "98,50", false },
        { "a yield, yield terms", 1234.5, 5.125, 99.25, false, true, "5.125", "5,125", true },
        { "a yield, price terms", 1234.5, 5.125, 99.25, false, false, "1,234.50", "1 234,50", false },
    };
    for (const bool hungarian : { false, true }) {
        Conventions conventions(hungarian ? fw::Language::Hungarian : fw::Language::English,
            hungarian ? fw::hungarianLocale() : fw::englishLocale());
        for (const Case& c : cases) {
            CAuctionCells cells;
            cells.Init(15, kAuctionColumns, IDS_AU_PRIMARY_TITLE);
            KvAuctionValues values = Row(2500000, c.avgPrice, 5, c.priceReached, c.yieldReached, 1, 1, 1);
            if (c.missingReached) {
                values[3] = AuctionNoValue(2);
                values[4] = AuctionNoValue(3);
            }
            cells.SetRow(1, values);
            const auto order = AuctionRowOrder(cells, 1, "Bond Board", "GOVT", c.ticked);
            ASSERT_TRUE(order) << c.name;
            EXPECT_EQ(order->limit, hungarian ? c.limitHu : c.limitEn) << c.name << (hungarian ? " (hu)" : " (en)");
            EXPECT_EQ(order->yield, c.yield) << c.name;
            EXPECT_EQ(order->quantity, "2500000") << c.name;
            EXPECT_EQ(order->board, "Bond Board");
            EXPECT_EQ(order->security, "GOVT");
            EXPECT_FALSE(AuctionRowOrder(cells, 0, "Bond Board", "GOVT", c.ticked)) << "the title row";
            EXPECT_FALSE(AuctionRowOrder(cells, 2, "Bond Board", "GOVT", c.ticked)) << "a row without a size";
        }
    }
}

class AuctionCsv : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() / ("auction_csv_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        path = folder / "auctiondata.csv";
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    static std::string Read(const std::filesystem::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // Python's csv reader over the file: one line per record, fields joined by '|'.
    std::string PythonRead(char delimiter) const
    {
        if (std::system("python3 -c 'import csv' >/dev/null 2>&1") != 0)
            return "no python";
        const std::string command = "PYTHONIOENCODING=utf-8 python3 -c \"import csv,sys\n"
                                    "with open(sys.argv[1], newline='', encoding='cp1250') as f:\n"
                                    "    for r in csv.reader(f, delimiter=sys.argv[2]): print(len(r), '|'.join(r))\" '"
            + path.string() + "' '" + delimiter + "'";
        std::string out;
        if (FILE* p = popen(command.c_str(), "r")) {
            char buffer[512];
            size_t n = 0;
            while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0 && out.size() < 100000)
                out.append(buffer, n);
            pclose(p);
        }
        return out;
    }

    std::filesystem::path folder;
    std::filesystem::path path;
    fw::test::Script script;
};

TEST_F(AuctionCsv, BeforeACalculationTheTitlesAndFourteenEmptyLines)
{
    CAuctionCells cells;
    cells.Init(kAuctionInitialRows, kAuctionColumns, IDS_AU_PRIMARY_TITLE);
    script.answerMessageBox(fw::IDOK);
    EXPECT_EQ(ExportAuctionCsv(cells, IDS_AU_PRIMARY_TITLE, path), IDS_AU_CREATED_FILE);
    std::string expected = "Issue Size,Average Price,Average Yield,Min. Price,Max. Yield,Total Value,Limit Size,"
                           "Market Size,Limit %,Market %\r\n";
    for (int i = 0; i < 14; ++i)
        expected += ",,,,,,,,,\r\n";
    EXPECT_EQ(Read(path), expected);
    EXPECT_EQ(script.messageBoxes(), std::vector<std::string> { "Created file: " + path.string() });
    EXPECT_FALSE(std::filesystem::exists(path.string() + ".part"));
}

TEST_F(AuctionCsv, PythonReadsTheFiguresUnderEveryConvention)
{
    struct Case {
        const char* name;
        fw::Language language;
        fw::LocaleInfo locale;
        char delimiter;
        const char* firstLine;
        const char* average;
        const char* total;
    };
    const Case cases[] = {
        { "English", fw::Language::English, fw::englishLocale(), ',', "Issue Size", "1,234.50", "1,234,567" },
        { "Hungarian", fw::Language::Hungarian, HungarianWithNoBreakSpace(), ';', "Kibocsátási méret", "1234,50",
            "1234567" },
        { "English interface, Hungarian locale", fw::Language::English, HungarianWithNoBreakSpace(), ',',
            "Issue Size", "1234,50", "1234567" },
    };
    for (const Case& c : cases) {
        Conventions conventions(c.language, c.locale);
        CAuctionCells cells;
        cells.Init(6, kAuctionColumns, IDS_AU_PRIMARY_TITLE);
        for (int row = 1; row <= 5; ++row)
            cells.SetRow(row, Row(row * 1000000.0, 1234.5, 5.25, 99, 5.5, 1234567, 750, 250));
        script.answerMessageBox(fw::IDOK);
        ASSERT_EQ(ExportAuctionCsv(cells, IDS_AU_PRIMARY_TITLE, path), IDS_AU_CREATED_FILE) << c.name;
        const std::string read = PythonRead(c.delimiter);
        if (read == "no python")
            GTEST_SKIP() << "python3 is not installed";
        std::istringstream lines(read);
        std::string line;
        std::vector<std::string> records;
        while (std::getline(lines, line))
            records.push_back(line);
        ASSERT_EQ(records.size(), 6u) << c.name << "\n" << read;
        for (const std::string& r : records)
            EXPECT_EQ(r.substr(0, 3), "10 ") << c.name << ": " << r;
        EXPECT_EQ(records[0].find(c.firstLine), 3u) << c.name;
        const std::string second = std::string("10 2000000|") + c.average + "|";
        EXPECT_EQ(records[2].substr(0, second.size()), second) << c.name;
        EXPECT_NE(records[2].find(std::string("|") + c.total + "|750|250|75"), std::string::npos)
            << c.name << ": " << records[2];
    }
}

TEST_F(AuctionCsv, FailuresSayWhyAndLeaveNoFile)
{
    CAuctionCells cells;
    cells.Init(kAuctionInitialRows, kAuctionColumns, IDS_AU_BUYBACK_TITLE);
    const std::filesystem::path missing = folder / "no such folder" / "auctiondata.csv";
    script.answerMessageBox(fw::IDOK);
    EXPECT_EQ(ExportAuctionCsv(cells, IDS_AU_BUYBACK_TITLE, missing), IDS_AU_CANNOT_CREATE);
    script.answerMessageBox(fw::IDOK);
    EXPECT_EQ(ExportAuctionCsv(cells, IDS_AU_BUYBACK_TITLE, path,
                  [](std::ostream& out, std::string_view bytes) {
                      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size() / 2));
                      out.setstate(std::ios::badbit);
                      return true;
                  }),
        IDS_AU_WRITE_ERROR);
    EXPECT_EQ(script.messageBoxes(),
        (std::vector<std::string> { "Cannot create file: " + missing.string(), "Write error." }));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(std::filesystem::is_empty(folder)) << "no temporary file is left";
}

TEST(AuctionCsvPath, LiesInTheTemporaryFolder)
{
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old != nullptr ? old : "";
    ::setenv("TMPDIR", "/var/tmp", 1);
    EXPECT_EQ(AuctionCsvPath(), std::filesystem::path("/var/tmp/auctiondata.csv"));
    if (old != nullptr)
        ::setenv("TMPDIR", saved.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
}

TEST(DialogGrid, ShowsItsCellsInPlaceOfTheTemplateControlAndReportsClicks)
{
    static constexpr fw::ControlDef kControls[] = {
        { 572, fw::ControlKind::Custom, 0, 0, nullptr, nullptr, 1, 2 },
        { fw::kIdCancel, fw::ControlKind::Button, 1, 1, "Cancel", "Mégse" },
    };
    static constexpr fw::DialogTemplate kTemplate { 60999, "Grid", "Rács", kControls };
    fw::Dialog dialog(kTemplate);
    KvGridCells cells;
    cells.Init(3, 2);
    cells.SetTitle(1, "Name");
    cells.SetText(2, 1, "ALFA");
    KvDialogGrid* grid = KvDialogGrid::Place(dialog, 572, cells);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(dialog.item(572), grid);
    EXPECT_EQ(grid->rowCount(), 3);
    std::vector<std::pair<int, int>> clicks;
    grid->onClick = [&](int row, int col) {
        clicks.emplace_back(row, col);
        return row > 0;
    };
    EXPECT_TRUE(grid->ClickCell(2, 1));
    EXPECT_FALSE(grid->ClickCell(0, 1));
    cells.SetRowCount(5);
    grid->Refresh();
    EXPECT_EQ(grid->rowCount(), 5);
    EXPECT_EQ((clicks), (std::vector<std::pair<int, int>> { { 2, 1 }, { 0, 1 } }));
}

} // namespace
