// The program's session: its tail of the settings file, the workspace check
// word, the user settings of both profiles, the user's firm, the host-time
// request, the local trading accounts file and the local permission file.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "fw/core/archive.h"
#include "fw/core/clock.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/local_permissions.h"
#include "kv32/shell/permissions.h"
#include "kv32/shell/session.h"
#include "kv32/tables/table_settings.h"
#include "kvcore/grid/gx_doc.h"
#include "security_test_fixture.h"
#include "support/clock_support.h"
#include "support/scoped_env.h"
#include "support/scratch_dir.h"

namespace {

using namespace kv32test;

std::vector<std::uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

std::string Pad(const std::string& s, size_t width)
{
    std::string out = s.substr(0, width);
    out.resize(width, ' ');
    return out;
}

class SessionTest : public Kv32Fixture {
protected:
    SessionTest()
        : userPath("kv3userpath", scratch.Path())
    {
        CSessionCore::FindSettingsFolder();
        TraderTable().Free();
        KvTableSettings() = CKvTableSettings();
        KvAppSettings() = CKvAppSettings();
        KvDisplayType() = ' ';
    }
    ~SessionTest() override
    {
        ps = nullptr;
        TraderTable().Free();
        KvTableSettings() = CKvTableSettings();
        KvAppSettings() = CKvAppSettings();
        KvDisplayType() = ' ';
        KvClearLocalPermissions();
        kvcore::CTGXDoc::m_iColorMethod = 0;
    }
    std::unique_ptr<CSession> Open(const std::string& user = "TRADER01")
    {
        auto session = std::make_unique<CSession>(user);
        ps = session.get();
        return session;
    }

    kvtest::ScratchIniDir scratch;
    kvtest::ScopedEnv userPath;
};

TEST(SessionTail, MatchesTheGoldenFileAndReadsBack)
{
    CKvSessionTail tail;
    tail.cDisplayType = 'P';
    tail.nFlashDelay = 2;
    tail.nPriceChange = 1;
    tail.nColorDelay = -1;
    tail.nETNotify = 10;
    tail.nETBeeps = 3;
    tail.nETHour = 17;
    tail.nETMinute = 30;
    tail.bSaveAlerts = 1;
    tail.bSaveLogs = 0;
    fw::Archive out;
    WriteSessionTail(out, tail);
    const auto golden = ReadBytes(KV32_TEST_DATA_DIR "/session_tail.bin");
    ASSERT_EQ(golden.size(), 38u);
    EXPECT_EQ(out.bytes(), golden);
    fw::Archive in(golden);
    EXPECT_EQ(ReadSessionTail(in), tail);
    EXPECT_EQ(in.remaining(), 0u);
}

TEST(SessionTail, LetterTravelsSignExtendedAndOnlyItsLowByteIsRead)
{
    struct Case {
        std::uint16_t word;
        char letter;
    };
    for (const Case c : { Case { 0x0050, 'P' }, Case { 0x0020, ' ' }, Case { 0xFFD5, '\xD5' }, Case { 0x1253, 'S' } }) {
        std::vector<std::uint8_t> bytes { static_cast<std::uint8_t>(c.word & 0xFF),
            static_cast<std::uint8_t>(c.word >> 8) };
        bytes.resize(38, 0);
        fw::Archive in(bytes);
        EXPECT_EQ(ReadSessionTail(in).cDisplayType, c.letter) << std::hex << c.word;
    }
    CKvSessionTail high;
    high.cDisplayType = '\xD5';
    fw::Archive out;
    WriteSessionTail(out, high);
    EXPECT_EQ(out.bytes()[0], 0xD5);
    EXPECT_EQ(out.bytes()[1], 0xFF);
    fw::Archive shortTail(std::vector<std::uint8_t>(37, 0));
    EXPECT_THROW(ReadSessionTail(shortTail), fw::ArchiveError);
}

TEST_F(SessionTest, SettingsFileCarriesTheTailAfterTheCoreRecord)
{
    fw::ManualClock clock(0, kvtest::LocalMoment(2025, 12, 10, 16, 0, 0));
    fw::ClockScope scope(clock);
    const std::string file = scratch.Path() + "/settings.kvs";
    {
        auto s = Open();
        s->OnNewDocument();
        KvDisplayType() = 'N';
        KvTableSettings().nFlashDelay = 4;
        KvTableSettings().nColorDelay = 7;
        s->m_nETNotify = 15;
        KvSetTradingEnd(KvAppSettings(), 17, 30);
        s->m_bSaveLogs = 0;
        ASSERT_EQ(s->SaveSettings(file.c_str()), 1);
        // The tail is the last 38 bytes, in the golden layout.
        const auto bytes = ReadBytes(file);
        ASSERT_GE(bytes.size(), 38u);
        fw::Archive tail(std::vector<std::uint8_t>(bytes.end() - 38, bytes.end()));
        const CKvSessionTail read = ReadSessionTail(tail);
        EXPECT_EQ(read.cDisplayType, 'N');
        EXPECT_EQ(read.nETNotify, 15);
        EXPECT_EQ(read.nETHour, 17);
        EXPECT_EQ(read.bSaveLogs, 0);
    }
    KvDisplayType() = ' ';
    KvTableSettings() = CKvTableSettings();
    KvAppSettings() = CKvAppSettings();
    auto s = Open();
    s->OnNewDocument();
    EXPECT_EQ(s->RestoreSettings(file.c_str()), 1);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(KvDisplayType(), 'N');
    EXPECT_EQ(KvTableSettings().nFlashDelay, 4);
    EXPECT_EQ(KvTableSettings().nColorDelay, 7);
    EXPECT_EQ(s->m_nETNotify, 15);
    EXPECT_EQ(s->m_bSaveLogs, 0);
    // The trading end becomes today's trading date at the stored time.
    const CDateTime end = KvAppSettings().tradingEnd;
    ASSERT_TRUE(end.IsValid());
    const CDateTime today = CDateTime::GetTickCount();
    EXPECT_EQ(end.FormatDateVORL(), today.FormatDateVORL());
    EXPECT_EQ(end.FormatTimeVORL(), "173000");
}

TEST_F(SessionTest, SettingsFileWithoutItsTailChangesNothing)
{
    const std::string file = scratch.Path() + "/cut.kvs";
    {
        auto s = Open();
        s->OnNewDocument();
        s->m_nETNotify = 25;
        ASSERT_EQ(s->SaveSettings(file.c_str()), 1);
    }
    auto bytes = ReadBytes(file);
    bytes.resize(bytes.size() - 10);
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(bytes.data()),
        static_cast<std::streamsize>(bytes.size()));
    auto s = Open();
    s->OnNewDocument();
    EXPECT_EQ(s->RestoreSettings(file.c_str()), 0);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Can not restore settings.\n\nSave settings again.");
    EXPECT_EQ(s->m_nETNotify, 10) << "nothing of a damaged file is applied";
}

TEST_F(SessionTest, WorkspaceOfAnotherSessionVersionIsRefused)
{
    auto s = Open();
    s->OnNewDocument();
    fw::Archive out;
    ASSERT_EQ(s->PreSerializeWorkspace(out), 1);
    EXPECT_EQ(out.bytes(), (std::vector<std::uint8_t> { kKvSessionSchema & 0xFF, kKvSessionSchema >> 8 }));
    fw::Archive same(out.bytes());
    EXPECT_EQ(s->PreSerializeWorkspace(same), 1);
    fw::Archive other(std::vector<std::uint8_t> { 0x02, 0x00 });
    EXPECT_EQ(s->PreSerializeWorkspace(other), 0);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Can not restore workspace.\n\nSave workspace again.");
    // Through the file: a workspace saved by this session restores; one of another version does not.
    ui.boxes.clear();
    const std::string file = scratch.Path() + "/w.wks";
    ASSERT_EQ(s->SaveWorkspace(file.c_str()), 1);
    EXPECT_EQ(s->RestoreWorkspace(file.c_str()), 1);
    auto bytes = ReadBytes(file);
    bytes[0] ^= 0x40;
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(bytes.data()),
        static_cast<std::streamsize>(bytes.size()));
    EXPECT_EQ(s->RestoreWorkspace(file.c_str()), 0);
    EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST_F(SessionTest, UserSettingsComeFromTheApplicationAndTheDesktopProfile)
{
    auto s = Open();
    s->OnNewDocument();
    EXPECT_EQ(s->m_nETNotify, 10);
    EXPECT_EQ(s->m_nETBeeps, 3);
    EXPECT_EQ(s->m_bSaveAlerts, 1);
    EXPECT_EQ(s->m_bOrderExit, 1);
    EXPECT_EQ(s->m_bCopyWindowPos, 0);
    EXPECT_EQ(KvTableSettings().nFlashDelay, 1);
    EXPECT_EQ(KvTableSettings().nColorDelay, 3);
    EXPECT_EQ(s->GetTableSize(), 42);
    EXPECT_EQ(s->m_settings.layouts.size(), 42u);

    scratch.Write("kv32.ini",
        "[general]\nETNotify=5\nETBeeps=2\nSaveWorkspace=0\nSaveAlerts=0\nSaveLogs=0\nColorMethod=1\nOrderColor=0\n"
        "FlashDelay=9\n");
    scratch.Write("kv32desk.ini", "[general]\nFlashDelay=2\nPriceChange=1\nColorDelay=-1\nOrderExit=0\nCopyWindowPos=1\n");
    s->OnNewDocument();
    EXPECT_EQ(s->m_nETNotify, 5);
    EXPECT_EQ(s->m_nETBeeps, 2);
    EXPECT_EQ(s->m_settings.options.autosave, 0);
    EXPECT_EQ(s->m_bSaveAlerts, 0);
    EXPECT_EQ(s->m_bSaveLogs, 0);
    EXPECT_EQ(kvcore::CTGXDoc::m_iColorMethod, 1);
    EXPECT_EQ(s->m_settings.options.orderColor, 0);
    EXPECT_EQ(KvTableSettings().nFlashDelay, 2) << "the desktop profile's, not the application profile's";
    EXPECT_EQ(KvTableSettings().nPriceChange, 1);
    EXPECT_EQ(KvTableSettings().nColorDelay, -1);
    EXPECT_EQ(s->m_bOrderExit, 0);
    EXPECT_EQ(s->m_bCopyWindowPos, 1);
    EXPECT_EQ(KvTableSettings().settingsPath, sSettingsPath);
}

TEST_F(SessionTest, UserFirmFromTheTraderTable)
{
    Feed(TraderTable(), 18, "00000001" + Pad("TRADER01", 12) + Pad("Anna", 30) + Pad("FIRM1", 12) + std::string(96, ' '));
    auto s = Open("TRADER01");
    EXPECT_EQ(s->GetUserFirm(), 1);
    EXPECT_EQ(s->m_sUserFirm, "FIRM1");
    EXPECT_TRUE(ui.boxes.empty());
    auto other = Open("NOBODY");
    other->m_sUserFirm = "OLD";
    EXPECT_EQ(other->GetUserFirm(), 0);
    EXPECT_EQ(other->m_sUserFirm, "");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Cannot determine firm currently registering user belongs to.");
}

TEST_F(SessionTest, HostTimeRequestCarriesTheUserCode)
{
    router.Reply({ End() });
    auto s = Open("TRADER01");
    EXPECT_EQ(s->RequestTETime(), 1);
    const std::vector<Msg> sent = router.Requests();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].type, 32);
    EXPECT_EQ(sent[0].bytes, "TRADER01    ");
}

TEST_F(SessionTest, LocalTradingAccountsFile)
{
    // No file: no accounts, and the path is the folder and the user name glued.
    {
        auto s = Open("TRADER01");
        EXPECT_EQ(KvTrAccFilePath(), sSettingsPath + "TRADER01.tra");
        ASSERT_NE(GetCurrentSessionData(), nullptr);
        EXPECT_EQ(GetCurrentSessionData()->GetSize(), 0);
        GetCurrentSessionData()->m_entries = { { "ACC1", "first" }, { "ACC2", std::string(300, 'x') },
            { "ACC1", "again" } };
        ASSERT_TRUE(GetCurrentSessionData()->SaveFile(KvTrAccFilePath()));
    }
    ps = nullptr;
    EXPECT_EQ(GetCurrentSessionData(), nullptr);
    const auto bytes = ReadBytes(sSettingsPath + "TRADER01.tra");
    // Count 3, then "ACC1" with a one-byte prefix ...
    ASSERT_GE(bytes.size(), 7u);
    EXPECT_EQ((std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 7)),
        (std::vector<std::uint8_t> { 3, 0, 4, 'A', 'C', 'C', '1' }));
    // ... and the 300-character text behind the long prefix 0xFF + word.
    const std::vector<std::uint8_t> longPrefix { 0xFF, 0x2C, 0x01, 'x' };
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), longPrefix.begin(), longPrefix.end()), bytes.end());

    auto s = Open("TRADER01");
    CTrAccLocalArray* accounts = GetCurrentSessionData();
    ASSERT_NE(accounts, nullptr);
    ASSERT_EQ(accounts->GetSize(), 3);
    EXPECT_EQ(accounts->m_entries[1].text, std::string(300, 'x'));
    std::string text;
    EXPECT_TRUE(accounts->FindName("ACC1", text));
    EXPECT_EQ(text, "again") << "with duplicates the last one's text";
    EXPECT_FALSE(accounts->FindName("ACC", text));
}

TEST_F(SessionTest, DamagedTradingAccountsFileKeepsWhatWasRead)
{
    fw::Archive ar;
    ar.writeCount(3);
    ar.writeString("ACC1");
    ar.writeString("one");
    ar.writeString("ACC2");
    std::vector<std::uint8_t> bytes = ar.bytes();
    bytes.push_back(40); // a text that claims 40 bytes where none are left
    std::ofstream(sSettingsPath + "TRADER01.tra", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    auto s = Open("TRADER01");
    ASSERT_EQ(GetCurrentSessionData()->GetSize(), 1);
    EXPECT_EQ(GetCurrentSessionData()->m_entries[0], (CTrAccLocal { "ACC1", "one" }));
}

TEST(TrAccLocal, FillListAddsAMissingPresetAndSelectsIt)
{
    CTrAccLocalArray accounts;
    std::vector<std::string> items { "stale" };
    int selected = 5;
    EXPECT_FALSE(accounts.FillList(items, selected, "X"));
    EXPECT_TRUE(items.empty());
    EXPECT_EQ(selected, -1);
    accounts.m_entries = { { "A1", "" }, { "A2", "" } };
    EXPECT_TRUE(accounts.FillList(items, selected, ""));
    EXPECT_EQ(items, (std::vector<std::string> { "A1", "A2" }));
    EXPECT_EQ(selected, -1);
    EXPECT_TRUE(accounts.FillList(items, selected, "A2"));
    EXPECT_EQ(selected, 1);
    EXPECT_TRUE(accounts.FillList(items, selected, "B9"));
    EXPECT_EQ(items, (std::vector<std::string> { "A1", "A2", "B9" }));
    EXPECT_EQ(selected, 2);
}

TEST_F(SessionTest, LocalPermissionFileStandsInForTheRightsTable)
{
    RightTable().Free();
    {
        auto s = Open();
        EXPECT_FALSE(KvLocalPermissions().has_value());
        EXPECT_FALSE(IsCommandAllowed(32994)) << "no rights: Buy needs type 132";
    }
    scratch.Write("KvUsrPrm.ini", "[MsgTypes]\n132=0\n18=8\nabc=1\n[OprCodes]\n54=1\n");
    auto s = Open();
    ASSERT_TRUE(KvLocalPermissions().has_value());
    EXPECT_EQ(KvLocalPermissions()->msgTypes.at(18), 8);
    EXPECT_TRUE(IsCommandAllowed(32994));
    EXPECT_TRUE(IsOprCodePermitted(54));
    EXPECT_FALSE(IsOprCodePermitted(5));
    EXPECT_FALSE(IsMsgTypePermitted(140));
    EXPECT_FALSE(IsCommandAllowed(33076)) << "never allowed stays never allowed";
    s.reset();
    ps = nullptr;
    EXPECT_FALSE(KvLocalPermissions().has_value()) << "the session's end takes the file out of force";
}

} // namespace
