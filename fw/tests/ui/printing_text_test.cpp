// What a printed table shows on each page, read back from the PDF with pdftotext: the header
// at the top, the column titles, the rows of that page and the footer at the bottom.
#include "command_output.h"
#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/document.h"
#include "fw/ui/gridview.h"
#include "fw/ui/printing.h"

#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 150;

struct Cells : fw::GridSource {
    int rowCount() const override { return kRows + 1; }
    int columnCount() const override { return 2; }
    bool cellStyle(int row, int col, fw::CellStyle& s) const override
    {
        s.value = row == 0 ? (col == 1 ? "Security" : "Price") : "r" + std::to_string(row) + "c" + std::to_string(col);
        return true;
    }
};

// The text of one page, one string a non-empty line, blanks at the ends trimmed; nothing when
// pdftotext cannot read the page.
std::optional<std::vector<std::string>> pageLines(const std::string& pdf, int page)
{
    const std::string command = "pdftotext -q -layout -f " + std::to_string(page) + " -l " + std::to_string(page)
        + " '" + pdf + "' - 2>/dev/null";
    const std::optional<std::string> text = fwtest::commandOutput(command);
    if (!text)
        return std::nullopt;
    std::vector<std::string> lines;
    std::istringstream in(*text);
    for (std::string line; std::getline(in, line);) {
        const size_t first = line.find_first_not_of(" \f\t");
        if (first == std::string::npos)
            continue;
        lines.push_back(line.substr(first, line.find_last_not_of(" \f\t") - first + 1));
    }
    return lines;
}

// pdftotext places words by their glyphs' positions and may drop or add blanks between them:
// texts compare without blanks.
std::string withoutBlanks(std::string s)
{
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
    return s;
}

bool contains(const std::vector<std::string>& lines, const std::string& what)
{
    for (const auto& line : lines)
        if (line.find(what) != std::string::npos)
            return true;
    return false;
}

TEST(PrintedText, EveryPageCarriesItsHeaderTitlesRowsAndFooter)
{
    struct {
        const char* why;
        std::optional<std::pair<std::string, std::string>> texts; // header and footer patterns
        const char* header; // with %d for the page number
        const char* footer;
    } const cases[] = {
        // The document's title (Windows-1250 "Kötések") heads every page; the footer numbers it.
        { "defaults", std::nullopt, "K\xC3\xB6t\xC3\xA9sek", "- %d -" },
        { "own texts", std::make_pair(std::string("Trades, page &p"), std::string("R&&D \xE9s &p. oldal")),
            "Trades, page %d", "R&D \xC3\xA9s %d. oldal" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        fw::App app;
        fw::Document doc;
        doc.setTitle("K\xF6t\xE9sek");
        Cells cells;
        fw::GridView grid;
        grid.setDocument(&doc);
        grid.setSource(&cells);
        grid.onInitialUpdate();
        if (c.texts)
            grid.setPrintTexts(c.texts->first, c.texts->second);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const std::string pdf = dir.filePath("trades.pdf").toStdString();
        fw::test::Script script;
        script.answerPrint(pdf);
        const int pages = fw::printView(grid, false);
        ASSERT_GE(pages, 3) << "a table this long spreads over several pages";

        int nextRow = 1;
        for (int page = 1; page <= pages; ++page) {
            SCOPED_TRACE("page " + std::to_string(page));
            const auto lines = pageLines(pdf, page);
            ASSERT_TRUE(lines.has_value()) << "pdftotext cannot read " << pdf;
            ASSERT_GE(lines->size(), 4u);
            char header[128], footer[128];
            std::snprintf(header, sizeof header, c.header, page);
            std::snprintf(footer, sizeof footer, c.footer, page);
            EXPECT_EQ(withoutBlanks(lines->front()), withoutBlanks(header));
            EXPECT_EQ(withoutBlanks(lines->back()), withoutBlanks(footer));
            EXPECT_TRUE(contains(*lines, "Security")) << "the titles repeat on every page";
            // The rows continue where the previous page stopped.
            const std::string firstRow = "r" + std::to_string(nextRow) + "c1";
            EXPECT_TRUE(contains(*lines, firstRow)) << firstRow;
            while (nextRow <= kRows && contains(*lines, "r" + std::to_string(nextRow) + "c2"))
                ++nextRow;
        }
        EXPECT_EQ(nextRow, kRows + 1) << "every row printed, in order";
        EXPECT_FALSE(pageLines(pdf, pages + 1).has_value() && !pageLines(pdf, pages + 1)->empty())
            << "no page beyond the count";
        EXPECT_TRUE(script.allAnswersUsed());
    }
}

} // namespace
