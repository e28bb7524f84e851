// The private order book and the replies table: the book's file against a
// golden file of two records laid out by hand (count, then 486 bytes per
// order), damaged files, the store at the end of a session that keeps the
// file and empties the table, and the replies of a multi-row command.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "fw/core/archive.h"
#include "fw/core/msgbox.h"
#include "fw/core/strings.h"
#include "kv32/res/table_strings.h"
#include "kv32/shell/local_orders_port.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/broadcast_partners.h"
#include "kv32/tables/table_settings.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/app/session_core.h"
#include "support/kv32_fixture.h"

namespace kv32test {
namespace {

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

const std::vector<uint8_t>& Golden()
{
    static const std::vector<uint8_t> bytes = ReadBytes(KV32_TEST_DATA_DIR "/private_book.pob");
    return bytes;
}

// Offsets inside a record of the file.
constexpr size_t kRecordStart = 2;
constexpr size_t kWorkAreaAt = 4;
constexpr size_t kPriceAt = 290;
constexpr size_t kExpiryStatusAt = 403;

class UpdateRecorder : public CTableUpdateListener {
public:
    void OnTableUpdate(uint16_t tableId, const fw::RowHint* hint) override
    {
        std::vector<int> rows;
        for (int i = 0; hint != nullptr && i < hint->GetSize(); ++i) {
            if (hint->GetRow(i))
                rows.push_back(i);
        }
        heard.push_back({ tableId, hint != nullptr, rows });
    }
    struct Heard {
        uint16_t tableId;
        bool hinted;
        std::vector<int> rows;
    };
    std::vector<Heard> heard;
};

class LocalOrders : public Kv32Fixture {
protected:
    LocalOrders()
    {
        book.InstallPort();
        book.EndSession();
        folder = std::filesystem::temp_directory_path()
            / ("kv32_pob_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        KvTableSettings().settingsPath = folder;
        KvAddTableListener(&updates);
        ui.boxes.clear();
    }
    ~LocalOrders() override
    {
        KvRemoveTableListener(&updates);
        book.EndSession();
        KvTableSettings() = CKvTableSettings();
        fw::setLanguage(fw::Language::English);
        std::filesystem::remove_all(folder);
    }

    CLocalOrderTable& book = LocalOrderTable();
    UpdateRecorder updates;
    std::filesystem::path folder;
};

TEST_F(LocalOrders, GoldenFileReadsFieldByFieldAndWritesBackByteForByte)
{
    ASSERT_EQ(Golden().size(), 2u + 2 * 486);
    fw::Archive in(Golden());
    book.Serialize(in);
    ASSERT_EQ(book.GetSize(), 2);

    const CLocalOrderRec& a = *book.GetAt(0);
    EXPECT_EQ(a.nRowIndex, 0u);
    EXPECT_STREQ(a.szWorkArea, "DESK1");
    EXPECT_STREQ(a.szStatus, "New");
    EXPECT_STREQ(a.szSecurityCode, "0BRD1INSTR0000001");
    EXPECT_STREQ(a.szSecurity, "SEC1");
    EXPECT_STREQ(a.szBoardName, "Main board");
    EXPECT_STREQ(a.szTrdAcc, "ACC001");
    EXPECT_STREQ(a.szBuySell, "B");
    EXPECT_STREQ(a.szTypeLetters, "_____K___________________D______");
    EXPECT_DOUBLE_EQ(a.dPrice, 12.34);
    EXPECT_EQ(a.dPrice.GetDecimal(), 2u);
    EXPECT_EQ(a.dYield.GetDecimal(), 3u);
    EXPECT_DOUBLE_EQ(a.dQty, 100.0);
    EXPECT_DOUBLE_EQ(a.dHidden, 40.0);
    EXPECT_STREQ(a.szReference, "REF-1");
    EXPECT_EQ(a.dtExpiry, CDateTime(2026, 12, 31, 14, 30, 0));
    EXPECT_DOUBLE_EQ(a.dTriggerPrice, 12.5);
    EXPECT_EQ(a.dtSettle.GetStatus(), CDateTime::invalid);
    EXPECT_STREQ(a.szType, "00000100000000000000000001000000");
    EXPECT_STREQ(a.szValidity, "Day");
    EXPECT_STREQ(a.szExpiryTimeText, "143000");
    // Not in the file: made again from what is.
    EXPECT_STREQ(a.szExpiryDate, "20261231");
    EXPECT_STREQ(a.szExpiryTime, "143000");
    EXPECT_STREQ(a.szSettleDate, "");
    EXPECT_DOUBLE_EQ(a.dFillMinQty, 0.0);
    EXPECT_EQ(a.nEntryMark, 0u);

    const CLocalOrderRec& b = *book.GetAt(1);
    EXPECT_EQ(b.nRowIndex, 1u);
    EXPECT_STREQ(b.szWorkArea, "\xC1rfolyam \xF5") << "Windows-1250 bytes kept as they are";
    EXPECT_STREQ(b.szStatus, "Copy") << "the state text stays as stored";
    EXPECT_STREQ(b.szBuySell, "S");
    EXPECT_DOUBLE_EQ(b.dPrice, 1234.5);
    EXPECT_DOUBLE_EQ(b.dYield, 7.125);
    EXPECT_EQ(b.dtExpiry.GetStatus(), CDateTime::null);
    EXPECT_EQ(b.dtSettle, CDateTime(1899, 12, 29, 6, 0, 0)) << "a day before the epoch counts its time away from it";
    EXPECT_STREQ(b.szSettleDate, "18991229");
    EXPECT_STREQ(b.szValidity, "20270115");
    EXPECT_EQ(book.FillWorkAreas(), (std::vector<std::string> { "DESK1", "\xC1rfolyam \xF5" }));

    fw::Archive out;
    book.Serialize(out);
    EXPECT_EQ(out.bytes(), Golden());
}

TEST_F(LocalOrders, DamagedFilesAreKeptAsideAndLoadNothing)
{
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    auto patched = [](size_t at, const void* value, size_t n) {
        std::vector<uint8_t> b = Golden();
        std::memcpy(b.data() + at, value, n);
        return b;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const uint32_t badStatus = 7;
    const uint16_t threeOrders = 3;
    const std::vector<uint8_t> truncated(Golden().begin(), Golden().end() - 1);
    const Case cases[] = {
        { "count beyond the file", patched(0, &threeOrders, 2) },
        { "cut short", truncated },
        { "one byte", { 1 } },
        { "price not a number", patched(kRecordStart + kPriceAt, &nan, 8) },
        { "unknown date status", patched(kRecordStart + 486 + kExpiryStatusAt, &badStatus, 4) },
    };
    const std::filesystem::path file = folder / "TRADER01.pob";
    std::filesystem::path aside = file;
    aside += ".damaged";
    for (const Case& c : cases) {
        ui.boxes.clear();
        std::filesystem::remove(aside);
        WriteBytes(file, c.bytes);
        EXPECT_FALSE(book.Load("TRADER01")) << c.name;
        EXPECT_EQ(book.GetSize(), 0) << c.name;
        EXPECT_FALSE(std::filesystem::exists(file)) << c.name;
        EXPECT_EQ(ReadBytes(aside), c.bytes) << c.name << ": the damaged bytes are kept";
        ASSERT_EQ(ui.boxes.size(), 1u) << c.name;
        EXPECT_NE(ui.boxes[0].text.find(aside.string()), std::string::npos) << ui.boxes[0].text;
    }
    // A missing file loads nothing and says nothing.
    ui.boxes.clear();
    std::filesystem::remove(aside);
    EXPECT_FALSE(book.Load("TRADER01"));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(LocalOrders, TextsEndWithinTheirFieldsAndTrailingBytesAreLeft)
{
    std::vector<uint8_t> bytes = Golden();
    std::memset(bytes.data() + kRecordStart + kWorkAreaAt, 'W', 128); // no terminator
    bytes.push_back(0xAB);
    WriteBytes(folder / "TRADER01.pob", bytes);
    ASSERT_TRUE(book.Load("TRADER01"));
    EXPECT_EQ(std::string(book.GetAt(0)->szWorkArea), std::string(127, 'W'));
    EXPECT_STREQ(book.GetAt(1)->szWorkArea, "\xC1rfolyam \xF5");
}

TEST_F(LocalOrders, SessionEndStoresKeepsTheFileAndTheNextUserSeesNothing)
{
    WriteBytes(folder / "TRADER01.pob", Golden());
    {
        CSessionCore session;
        session.m_sUser = "TRADER01";
        ps = &session;
        ASSERT_TRUE(KvLocalOrdersPort().load);
        KvLocalOrdersPort().load();
        ps = nullptr;
    }
    ASSERT_EQ(book.GetSize(), 2);
    CLocalOrderRec extra;
    std::strcpy(extra.szWorkArea, "DESK2");
    std::strcpy(extra.szStatus, "New");
    EXPECT_EQ(book.Insert(extra), 2);
    EXPECT_STREQ(book.GetAt(2)->szStatus, "Copy");
    EXPECT_EQ(book.GetAt(2)->nRowIndex, 2u);

    // The main frame's timer stores the book as it stands.
    KvLocalOrdersPort().store();
    EXPECT_EQ(ReadBytes(folder / "TRADER01.pob").size(), 2u + 3 * 486);
    EXPECT_TRUE(book.m_bSaved);

    // Log off: stored, kept, emptied.
    book.GetAt(0)->dPrice = CDouble(99.0, 2);
    KvLocalOrdersPort().discard();
    EXPECT_EQ(book.GetSize(), 0);
    EXPECT_TRUE(book.FillWorkAreas().empty());
    const std::vector<uint8_t> kept = ReadBytes(folder / "TRADER01.pob");
    ASSERT_EQ(kept.size(), 2u + 3 * 486);
    fw::Archive reread(kept);
    book.Serialize(reread);
    EXPECT_DOUBLE_EQ(book.GetAt(0)->dPrice, 99.0);
    book.EndSession();

    // The next user of the same run has a book of their own.
    {
        CSessionCore session;
        session.m_sUser = "TRADER02";
        ps = &session;
        KvLocalOrdersPort().load();
        ps = nullptr;
    }
    EXPECT_EQ(book.GetSize(), 0);
    KvLocalOrdersPort().discard();
    EXPECT_EQ(ReadBytes(folder / "TRADER02.pob"), std::vector<uint8_t>({ 0, 0 }));
    EXPECT_EQ(ReadBytes(folder / "TRADER01.pob"), kept);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(LocalOrders, ABookThatCannotBeStoredIsReportedBeforeItGoes)
{
    ASSERT_FALSE(book.Load("TRADER01"));
    book.Insert(CLocalOrderRec());
    KvTableSettings().settingsPath = folder / "gone";
    std::filesystem::remove_all(folder);
    book.EndSession();
    EXPECT_EQ(book.GetSize(), 0);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_NE(ui.boxes[0].text.find("TRADER01.pob"), std::string::npos) << ui.boxes[0].text;
    EXPECT_EQ(ui.boxes[0].flags & fw::MB_ICONMASK, fw::MB_ICONEXCLAMATION);
}

TEST_F(LocalOrders, WorkAreasStatesAndAnnouncedRows)
{
    book.AddWorkArea("DESK1");
    book.AddWorkArea("");
    book.AddWorkArea("DESK2");
    book.AddWorkArea("DESK1");
    EXPECT_EQ(book.FillWorkAreas(), (std::vector<std::string> { "DESK1", "DESK2" }));

    updates.heard.clear();
    CLocalOrderRec rec;
    std::strcpy(rec.szWorkArea, "DESK3");
    book.Insert(rec);
    book.Insert(rec);
    EXPECT_EQ(book.FillWorkAreas().size(), 3u);
    ASSERT_EQ(updates.heard.size(), 2u);
    EXPECT_EQ(updates.heard[1].tableId, CLocalOrderTable::kTableId);
    EXPECT_EQ(updates.heard[1].rows, std::vector<int> { 1 });

    fw::setLanguage(fw::Language::Hungarian);
    book.Insert(rec);
    EXPECT_EQ(std::string(book.GetAt(2)->szStatus), Kv32TableString(IDS_LOCAL_STATE_COPY));
    EXPECT_NE(std::string(book.GetAt(2)->szStatus), "Copy");
    const LocalOrderState states[] = { LocalOrderState::New, LocalOrderState::Copy, LocalOrderState::Amended,
        LocalOrderState::Accepted, LocalOrderState::Rejected };
    const char* english[] = { "New", "Copy", "Amended", "Accepted", "Rejected" };
    fw::setLanguage(fw::Language::English);
    for (size_t i = 0; i < std::size(states); ++i)
        EXPECT_EQ(book.StateText(states[i]), english[i]);
}

TEST(RepliesTable, MultiRowRepliesFillTheRowsTheWindowAdded)
{
    CRepliesTable& replies = RepliesTable();
    replies.Free();
    CKvBroadcastPartners partners;
    EXPECT_EQ(partners.MultiReplyCapacity(), 0);
    for (const std::string& id : { std::string("000000000042"), std::string("PrivateOrder_1"), std::string(40, 'x') })
        replies.AddReply(id);
    ASSERT_EQ(partners.MultiReplyCapacity(), 3);
    EXPECT_EQ(replies.GetRec(2)->nIndex, 2);
    EXPECT_EQ(std::string(replies.GetRec(2)->szIdentifier), std::string(32, 'x')) << "cut to its field";

    partners.StoreMultiReply(0, "Order accepted.");
    partners.StoreMultiReply(1, std::string(300, 'm'));
    partners.StoreMultiReply(3, "no such row");
    partners.StoreMultiReply(-1, "no such row");
    EXPECT_STREQ(replies.GetRec(0)->szMessage, "Order accepted.");
    EXPECT_EQ(std::string(replies.GetRec(1)->szMessage), std::string(258, 'm'));
    EXPECT_STREQ(replies.GetRec(2)->szMessage, "");
    EXPECT_EQ(replies.GetCount(), 3);
    replies.Free();
    EXPECT_EQ(partners.MultiReplyCapacity(), 0);
}

} // namespace
} // namespace kv32test
