// What a spreadsheet link writes, read back from the workbook itself: the sheet's name and every
// cell, taken from the sheet's XML inside the .xlsx file (unzip).
#include "command_output.h"
#include "fw/ui/spreadsheet.h"

#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <regex>
#include <string>

namespace {

// One member of a zip file, or nothing when unzip cannot give it.
std::optional<std::string> zipMember(const std::string& zip, const std::string& member)
{
    return fwtest::commandOutput("unzip -p '" + zip + "' '" + member + "' 2>/dev/null");
}

std::string xmlUnescaped(const std::string& s)
{
    static const std::pair<const char*, const char*> entities[]
        = { { "&lt;", "<" }, { "&gt;", ">" }, { "&quot;", "\"" }, { "&apos;", "'" }, { "&amp;", "&" } };
    std::string out = s;
    for (const auto& [entity, text] : entities)
        for (size_t at = out.find(entity); at != std::string::npos; at = out.find(entity, at + 1))
            out.replace(at, std::string(entity).size(), text);
    return out;
}

struct Workbook {
    std::vector<std::string> sheetNames;
    std::map<std::string, std::string> cells; // "A1" -> the text, or the number as written
};

std::optional<Workbook> readWorkbook(const std::string& path)
{
    const auto book = zipMember(path, "xl/workbook.xml");
    const auto sheet = zipMember(path, "xl/worksheets/sheet1.xml");
    if (!book || !sheet)
        return std::nullopt;
    Workbook out;
    const std::regex sheetName(R"re(<sheet name="([^"]*)")re");
    for (std::sregex_iterator it(book->begin(), book->end(), sheetName), end; it != end; ++it)
        out.sheetNames.push_back(xmlUnescaped((*it)[1]));
    std::vector<std::string> strings;
    const std::string shared = zipMember(path, "xl/sharedStrings.xml").value_or("");
    const std::regex item(R"re(<si><t[^>]*>([^<]*)</t></si>)re");
    for (std::sregex_iterator it(shared.begin(), shared.end(), item), end; it != end; ++it)
        strings.push_back(xmlUnescaped((*it)[1]));
    const std::regex cell(R"re(<c r="([A-Z]+[0-9]+)"([^>]*?)(?:/>|>(.*?)</c>))re");
    const std::regex value(R"re(<v>([^<]*)</v>)re");
    for (std::sregex_iterator it(sheet->begin(), sheet->end(), cell), end; it != end; ++it) {
        const std::string body = (*it)[3];
        std::smatch v;
        if (!std::regex_search(body, v, value))
            continue; // a blank cell
        const bool isShared = std::string((*it)[2]).find("t=\"s\"") != std::string::npos;
        if (isShared) {
            const size_t index = std::stoul(v[1]);
            out.cells[(*it)[1]] = index < strings.size() ? strings[index] : "?bad string index";
        } else {
            out.cells[(*it)[1]] = v[1];
        }
    }
    return out;
}

TEST(SpreadsheetLinkContent, TheSheetHoldsTheNameTitlesAndRowsOfTheLastSync)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("link.xlsx").toStdString();
    auto link = fw::makeXlsxLink();
    ASSERT_TRUE(link->open(path, "\xC9rt\xE9kpap\xEDrok")); // Windows-1250 "Értékpapírok"
    link->setTitles({ "Security", "P&L <HUF>" });
    link->setRow(0, { { "OTP", std::nullopt }, { "", 12345.5 } });
    link->setRow(2, { { "M\xD6L", std::nullopt } }); // "MÖL"
    ASSERT_TRUE(link->sync()) << link->lastError();

    auto book = readWorkbook(path);
    ASSERT_TRUE(book.has_value()) << "the workbook cannot be read back";
    EXPECT_EQ(book->sheetNames, std::vector<std::string> { "\xC3\x89rt\xC3\xA9kpap\xC3\xADrok" });
    const std::map<std::string, std::string> first = {
        { "A1", "Security" },
        { "B1", "P&L <HUF>" },
        { "A2", "OTP" },
        { "B2", "12345.5" },
        { "A4", "M\xC3\x96L" },
    };
    // An empty text is written as an empty string or left blank; either reads as nothing.
    auto cells = book->cells;
    if (auto at = cells.find("B3"); at != cells.end() && at->second.empty())
        cells.erase(at);
    EXPECT_EQ(cells, first);

    // Every sync replaces the whole sheet: changed, added and dropped rows.
    for (size_t r = 3; r < 500; ++r)
        link->setRow(r, { { "ROW" + std::to_string(r), std::nullopt }, { "", double(r) } });
    link->setRow(0, { { "OTP", std::nullopt }, { "", -0.25 } });
    link->setRow(2, {});
    ASSERT_TRUE(link->sync()) << link->lastError();
    book = readWorkbook(path);
    ASSERT_TRUE(book.has_value());
    EXPECT_EQ(book->cells.at("B2"), "-0.25");
    EXPECT_EQ(book->cells.count("A4"), 0u) << "the emptied row is gone";
    for (size_t r = 3; r < 500; ++r) {
        const std::string row = std::to_string(r + 2);
        ASSERT_EQ(book->cells["A" + row], "ROW" + std::to_string(r)) << row;
        ASSERT_EQ(book->cells["B" + row], std::to_string(r)) << row;
    }
    EXPECT_EQ(book->cells.count("A502"), 0u);
}

} // namespace
