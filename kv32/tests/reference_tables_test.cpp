#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fw/core/strings.h"
#include "security_test_fixture.h"

namespace {

using namespace kv32test;

class ReferenceTables : public SecurityFixture {
protected:
    ~ReferenceTables() override
    {
        fw::setLanguage(fw::Language::English);
        if (!folder.empty())
            std::filesystem::remove_all(folder);
    }
    void WriteNames(const std::string& bytes)
    {
        folder = std::filesystem::temp_directory_path()
            / ("kv32_boards_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "EnBoardNames.txt", std::ios::binary) << bytes;
        KvTableSettings().settingsPath = folder;
        BoardTable().ForgetEnglishNames();
    }
    std::filesystem::path folder;
};

TEST_F(ReferenceTables, StatusRecordsByOffset)
{
    const StatusRec& active = *StatusTable().GetRec(0);
    EXPECT_STREQ(active.szCode, "001");
    EXPECT_EQ(active.cKind, 'A');
    EXPECT_STREQ(active.szName, "Active");
    EXPECT_EQ(active.nTextLen, 4);
    EXPECT_EQ(std::string(active.szText, 4), "0110");
    EXPECT_EQ(StatusTable().GetRec(1)->nTextLen, 0);
    EXPECT_EQ(StatusTable().FindByKind('A'), 0) << "the first status of a kind names it";
    EXPECT_EQ(StatusTable().FindByName("Also active   "), 2);
    EXPECT_STREQ(StatusTable().m_szNextKey, "00000003");

    // A stated length above 32 keeps 32; a length past the record keeps what is there.
    Feed(StatusTable(), 115, StatusRecord(4, "004", 'X', "Long", std::string(40, 'L')));
    ASSERT_EQ(StatusTable().GetCount(), 4);
    EXPECT_EQ(StatusTable().GetRec(3)->nTextLen, 32);
    std::string cut = StatusRecord(5, "005", 'X', "Cut", "0101");
    cut.resize(cut.size() - 2);
    Feed(StatusTable(), 115, cut);
    ASSERT_EQ(StatusTable().GetCount(), 5);
    EXPECT_EQ(StatusTable().GetRec(4)->nTextLen, 2);
    // A record shorter than its fixed part is dropped.
    Feed(StatusTable(), 115, StatusRecord(6, "006", 'X', "Short", "").substr(0, 50));
    EXPECT_EQ(StatusTable().GetCount(), 5);
}

TEST_F(ReferenceTables, SectorsAndMarketsByOffset)
{
    EXPECT_STREQ(SectorTable().GetRec(1)->szCode, "SEC2");
    EXPECT_STREQ(SectorTable().GetRec(1)->szName, "Energy");
    EXPECT_EQ(SectorTable().GetRec(1)->nIndex, 1);
    EXPECT_EQ(SectorTable().FindByCode("SEC2"), 1);

    const MarketRec& m = *MarketTable().GetRec(1);
    EXPECT_STREQ(m.szCode, "MKT2");
    EXPECT_STREQ(m.szName, "Bonds");
    EXPECT_STREQ(m.szState, "A");
    EXPECT_EQ(m.nState, -1);
    Feed(MarketTable(), 42, MarketChange(5, "MKT2", 'S'));
    EXPECT_STREQ(m.szState, "S");
    EXPECT_EQ(m.nState, 0);
    Feed(MarketTable(), 42, MarketChange(6, "MKT2", 'x'));
    EXPECT_STREQ(m.szState, "S") << "another letter changes nothing";
    Feed(MarketTable(), 42, MarketChange(7, "NONE", 'S'));
    EXPECT_EQ(MarketTable().GetCount(), 2);
    EXPECT_STREQ(MarketTable().m_szSeqNum, "0000000007");
    EXPECT_EQ(MarketTable().FillList(), (std::vector<std::string> { "Equities", "Bonds" }));
}

TEST_F(ReferenceTables, BoardsByOffsetAndTheirChanges)
{
    const BoardRec& second = *BoardTable().GetRec(1);
    EXPECT_EQ(second.nIndex, 1);
    EXPECT_STREQ(second.szCode, "BRD2");
    EXPECT_STREQ(second.szName, "Second board");
    EXPECT_STREQ(second.szStatus, "S");
    EXPECT_EQ(second.nActive, 0);
    EXPECT_EQ(BoardTable().FindByName("Second board"), 1);

    Feed(BoardTable(), 44, BoardChange(3, "BRD2", 'A', "1100"));
    EXPECT_STREQ(second.szStatus, "A");
    EXPECT_EQ(second.nActive, -1);
    EXPECT_STREQ(second.szText, "1100");
    Feed(BoardTable(), 44, BoardChange(4, "BRD2", '?', "0011"));
    EXPECT_STREQ(second.szStatus, "A");
    EXPECT_STREQ(second.szText, "0011");
    Feed(BoardTable(), 44, BoardChange(5, "NONE", 'S', ""));
    EXPECT_EQ(BoardTable().GetCount(), 2);

    fw::setLanguage(fw::Language::Hungarian);
    Feed(BoardTable(), 22, BoardRecord(3, "BRD3", "Harmadik", 'S'));
    EXPECT_STREQ(BoardTable().GetRec(2)->szStatus, "F");
    Feed(BoardTable(), 22, BoardRecord(4, "BRD4", "Negyedik", 'q'));
    EXPECT_STREQ(BoardTable().GetRec(3)->szStatus, "");
}

TEST_F(ReferenceTables, EnglishBoardNamesFromTheUsersFile)
{
    std::string file = "BRD1 Main board in English\r\nAB   Short code\nBRD1 Second match\nBRD2 Second board EN";
    WriteNames(file);
    CBoardTable& boards = BoardTable();
    EXPECT_EQ(boards.EnglishBoardName("BRD1"), "Main board in English");
    EXPECT_EQ(boards.EnglishBoardName("AB"), "Short code") << "a short code matches its padded line";
    EXPECT_EQ(boards.EnglishBoardName("BRD2"), "Second board EN");
    EXPECT_EQ(boards.EnglishBoardName("NONE"), std::nullopt);
    EXPECT_EQ(boards.EnglishBoardName(""), std::nullopt);

    // Names past the first 2,048 bytes are never seen.
    WriteNames(std::string(2040, 'x') + "\nBRD7 Too far\n");
    EXPECT_EQ(boards.EnglishBoardName("BRD7"), std::nullopt);

    // Decoding: English names replace the host's; a Hungarian workstation keeps the host's.
    WriteNames("BRD9 Ninth board\n");
    Feed(boards, 22, BoardRecord(9, "BRD9", "Kilencedik", 'A'));
    EXPECT_STREQ(boards.GetRec(boards.GetCount() - 1)->szName, "Ninth board");
    fw::setLanguage(fw::Language::Hungarian);
    std::filesystem::remove(folder / "EnBoardNames.txt");
    boards.ForgetEnglishNames();
    WriteNames("BRD8 Eighth\n");
    fw::setLanguage(fw::Language::Hungarian);
    Feed(boards, 22, BoardRecord(10, "BRD8", "Nyolcadik", 'A'));
    EXPECT_STREQ(boards.GetRec(boards.GetCount() - 1)->szName, "Nyolcadik");

    // A missing file gives none and is not looked for again.
    fw::setLanguage(fw::Language::English);
    std::filesystem::remove_all(folder);
    boards.ForgetEnglishNames();
    EXPECT_EQ(boards.EnglishBoardName("BRD8"), std::nullopt);
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "EnBoardNames.txt") << "BRD8 Eighth\n";
    EXPECT_EQ(boards.EnglishBoardName("BRD8"), std::nullopt);
}

} // namespace

#include "kv32/res/strings.h"
#include "kv32/res/table_strings.h"

namespace {

TEST(TableStrings, UniqueIdsInBothLanguagesApartFromTheProgramsOtherTexts)
{
    std::vector<std::uint32_t> ids;
    for (const fw::StringEntry& e : Kv32TableStrings()) {
        EXPECT_NE(e.en, nullptr) << e.id;
        EXPECT_NE(e.hu, nullptr) << e.id;
        ids.push_back(e.id);
    }
    for (const fw::StringEntry& e : Kv32Strings())
        ids.push_back(e.id);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
    fw::setLanguage(fw::Language::Hungarian);
    EXPECT_EQ(Kv32TableString(IDS_STATE_SUSPENDED), "F");
    fw::setLanguage(fw::Language::English);
    EXPECT_EQ(Kv32TableString(IDS_STATE_SUSPENDED), "S");
}

} // namespace
