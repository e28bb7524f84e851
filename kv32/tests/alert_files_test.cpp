// The files kept in the settings folder for alerts, the alert log, order
// counting and default selections, against golden files laid out by hand
// (little-endian, texts zero-filled in their fields):
//   firms.kva     0x2222, 2 records of 333 bytes: FIRM1 with figure 0 "> 1000"
//                 and figure 3 "<= 12.50" (fired), FIRM2 with no condition;
//   users.kva     0x1111, TRADER01 with figure 15 "= 250.0";
//   secs.kva      0x3333, 318 bytes: 0BRD1INSTR0000001 with figure 0 "> 100.50"
//                 and figure 2 ">= 5.00" (fired);
//   logs.kvl      0x4444, 2 entries of 324 bytes: a firm alert at 2026-12-10
//                 10:15:30 (tag -1) and an order-count alert at 14:02:05 (tag 2);
//   ordcount.kva  0x5555, 2 definitions of 34 bytes: BRD1/FIRM1 100, 5, 10, 2
//                 and BRD1/* 50, 0, 3, 0;
//   trader01.kvd  0xAAAA, choices 1 0 1, text ACC001, current "Morning",
//                 entries "Morning" and "Evening".
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <cstring>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "fw/core/msgbox.h"
#include "kv32/shell/session.h"
#include "kv32/tables/alert_strings.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/session_core.h"
#include "support/kv32_fixture.h"

namespace kv32test {
namespace {

namespace fs = std::filesystem;

std::vector<char> ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void WriteBytes(const fs::path& path, const std::vector<char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

fs::path Golden(const char* name)
{
    return fs::path(KV32_TEST_DATA_DIR) / name;
}

void FreeLocalTables()
{
    CKvTables& t = KvTables();
    for (CVorlPermTarget* table : std::initializer_list<CVorlPermTarget*> { &t.firmAlerts, &t.userAlerts, &t.secAlerts,
             &t.alertLog, &t.ordCountAlerts, &t.ordCount, &t.defSel, &t.participants, &t.traders, &t.securities })
        table->Free();
}

class AlertFiles : public Kv32Fixture {
protected:
    AlertFiles()
    {
        dir = fs::temp_directory_path() / ("kv32_alert_files_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        savedSettings = sSettingsPath;
        sSettingsPath = dir.string() + "/";
        KvConnectAlertTables(KvTables());
        FreeLocalTables();
    }
    ~AlertFiles() override
    {
        FreeLocalTables();
        sSettingsPath = savedSettings;
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    // One kind of file: how its table reads, writes and counts it.
    struct Kind {
        const char* golden;
        std::function<int(const char*)> load;
        std::function<int(const char*)> save;
        std::function<int()> count;
        unsigned invalidMessage;
        unsigned damagedMessage;
    };
    static std::vector<Kind> Kinds()
    {
        CKvTables& t = KvTables();
        return {
            { "firms.kva", [&t](const char* p) { return t.firmAlerts.Load(p); },
                [&t](const char* p) { return t.firmAlerts.Save(p); }, [&t] { return t.firmAlerts.GetCount(); },
                IDS_INVALID_ALERTS_FILE, IDS_CANNOT_RESTORE_ALERTS },
            { "users.kva", [&t](const char* p) { return t.userAlerts.Load(p); },
                [&t](const char* p) { return t.userAlerts.Save(p); }, [&t] { return t.userAlerts.GetCount(); },
                IDS_INVALID_ALERTS_FILE, IDS_CANNOT_RESTORE_ALERTS },
            { "secs.kva", [&t](const char* p) { return t.secAlerts.Load(p); },
                [&t](const char* p) { return t.secAlerts.Save(p); }, [&t] { return t.secAlerts.GetCount(); },
                IDS_INVALID_ALERTS_FILE, IDS_CANNOT_RESTORE_ALERTS },
            { "logs.kvl", [&t](const char* p) { return t.alertLog.Load(p); },
                [&t](const char* p) { return t.alertLog.Save(p); }, [&t] { return t.alertLog.GetCount(); },
                IDS_INVALID_LOGS_FILE, IDS_CANNOT_RESTORE_LOGS },
            { "ordcount.kva", [&t](const char* p) { return t.ordCountAlerts.Load(p); },
                [&t](const char* p) { return t.ordCountAlerts.Save(p); },
                [&t] { return t.ordCountAlerts.GetCount(); }, IDS_INVALID_ALERTS_FILE, IDS_CANNOT_RESTORE_ALERTS },
            { "trader01.kvd", [&t](const char* p) { return t.defSel.Load(p); },
                [&t](const char* p) { return t.defSel.Save(p); },
                [&t] { return static_cast<int>(t.defSel.m_entries.size()); }, IDS_INVALID_DEFAULTS_FILE,
                IDS_CANNOT_RESTORE_DEFAULTS },
        };
    }

    fs::path dir;
    std::string savedSettings;
};

TEST_F(AlertFiles, EachGoldenFileLoadsAndWritesBackTheSameBytes)
{
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.golden);
        ASSERT_EQ(kind.load(Golden(kind.golden).c_str()), 1);
        EXPECT_EQ(kind.count(), kind.golden == std::string("users.kva") || kind.golden == std::string("secs.kva") ? 1 : 2);
        const fs::path out = dir / kind.golden;
        ASSERT_EQ(kind.save(out.c_str()), 1);
        EXPECT_EQ(ReadBytes(out), ReadBytes(Golden(kind.golden)));
    }
    EXPECT_TRUE(ui.boxes.empty());
    // No temporary file is left beside the written ones.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir))
        ++files;
    EXPECT_EQ(files, 6);
}

TEST_F(AlertFiles, GoldenFirmAlertsAndLogEntriesReadFieldByField)
{
    CKvTables& t = KvTables();
    ASSERT_EQ(t.firmAlerts.Load(Golden("firms.kva").c_str()), 1);
    const CAlertLimits& firm = *t.firmAlerts.GetRec(0);
    EXPECT_STREQ(firm.szCode, "FIRM1");
    EXPECT_EQ(firm.nLink, -1) << "no such firm on the host";
    EXPECT_EQ(firm.anOperator[0], 2);
    EXPECT_DOUBLE_EQ(firm.adLimit[0], 1000.0);
    EXPECT_EQ(firm.anOperator[3], 5);
    EXPECT_DOUBLE_EQ(firm.adLimit[3], 12.5);
    EXPECT_EQ(firm.adLimit[3].GetDecimal(), 2u);
    EXPECT_EQ(firm.anFired[3], 1);
    EXPECT_EQ(firm.anChanged[3], 0);
    EXPECT_EQ(t.firmAlerts.FindByCode("FIRM2       "), 1);

    ASSERT_EQ(t.alertLog.Load(Golden("logs.kvl").c_str()), 1);
    const CLogEntry& first = *t.alertLog.GetRec(0);
    EXPECT_EQ(first.nIndex, 0);
    EXPECT_EQ(first.nKind, 0x2000);
    EXPECT_EQ(first.nFigure, 3);
    EXPECT_EQ(first.time, CDateTime(2026, 12, 10, 10, 15, 30));
    EXPECT_STREQ(first.szFirm, "FIRM1");
    EXPECT_STREQ(first.szText, "Total Buy Order Value <= 12.50");
    EXPECT_EQ(first.nTag, -1);
    const CLogEntry& second = *t.alertLog.GetRec(1);
    EXPECT_EQ(second.nIndex, 1);
    EXPECT_EQ(second.nKind, 0x7000);
    EXPECT_EQ(second.time, CDateTime(2026, 12, 10, 14, 2, 5));
    EXPECT_STREQ(second.szBoardName, "BRD1");
    EXPECT_DOUBLE_EQ(second.value, 6.0);
    EXPECT_EQ(second.nTag, 2);

    ASSERT_EQ(t.ordCountAlerts.Load(Golden("ordcount.kva").c_str()), 1);
    const COrdCountAlertRec& star = *t.ordCountAlerts.GetRec(1);
    EXPECT_EQ(star.nIndex, 1u);
    EXPECT_STREQ(star.szFirm, "*");
    EXPECT_EQ(star.nNormalSpeed, 3u);
    EXPECT_EQ(star.bModified, 0u);

    ASSERT_EQ(t.defSel.Load(Golden("trader01.kvd").c_str()), 1);
    EXPECT_EQ(t.defSel.m_anChoice[0], 1);
    EXPECT_EQ(t.defSel.m_anChoice[2], 1);
    EXPECT_EQ(t.defSel.m_sText, "ACC001");
    EXPECT_EQ(t.defSel.m_sCurrent, "Morning");
}

TEST_F(AlertFiles, AWrongMagicShowsItsMessageAndKeepsTheTable)
{
    const std::vector<Kind> kinds = Kinds();
    for (size_t i = 0; i < kinds.size(); ++i) {
        const Kind& kind = kinds[i];
        SCOPED_TRACE(kind.golden);
        ASSERT_EQ(kind.load(Golden(kind.golden).c_str()), 1);
        const int held = kind.count();
        // Another kind's file: same layout rules, another magic.
        const Kind& other = kinds[(i + 1) % kinds.size()];
        ui.boxes.clear();
        EXPECT_EQ(kind.load(Golden(other.golden).c_str()), 1);
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, Kv32AlertString(kind.invalidMessage));
        EXPECT_EQ(ui.boxes[0].flags & fw::MB_ICONMASK, fw::MB_ICONSTOP);
        EXPECT_EQ(kind.count(), held);
    }
}

TEST_F(AlertFiles, ADamagedFileShowsItsMessageAndKeepsTheTable)
{
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.golden);
        ASSERT_EQ(kind.load(Golden(kind.golden).c_str()), 1);
        const int held = kind.count();
        const std::vector<char> golden = ReadBytes(Golden(kind.golden));
        // Cut short by one byte, cut after the magic, and a count far beyond the file.
        std::vector<char> bigCount = golden;
        const size_t countAt = kind.golden == std::string("trader01.kvd") ? 2 + 6 + 13 + 41 : 2;
        bigCount[countAt] = bigCount[countAt + 1] = static_cast<char>(0xFF);
        for (const std::vector<char>& bytes : { std::vector<char>(golden.begin(), golden.end() - 1),
                 std::vector<char>(golden.begin(), golden.begin() + 2), bigCount }) {
            const fs::path damaged = dir / "damaged";
            WriteBytes(damaged, bytes);
            ui.boxes.clear();
            kind.load(damaged.c_str());
            ASSERT_EQ(ui.boxes.size(), 1u);
            EXPECT_EQ(ui.boxes[0].text, Kv32AlertString(kind.damagedMessage));
            EXPECT_EQ(kind.count(), held);
        }
    }
}

TEST_F(AlertFiles, MissingFilesChangeNothingAndCountZeroEmptiesTheTable)
{
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.golden);
        ASSERT_EQ(kind.load(Golden(kind.golden).c_str()), 1);
        const int held = kind.count();
        EXPECT_EQ(kind.load((dir / "absent").c_str()), 1);
        EXPECT_EQ(kind.count(), held);
        std::vector<char> empty = ReadBytes(Golden(kind.golden));
        const size_t header = kind.golden == std::string("trader01.kvd") ? 2 + 6 + 13 + 41 + 2 : 4;
        empty.resize(header);
        empty[header - 2] = empty[header - 1] = 0;
        WriteBytes(dir / "empty", empty);
        EXPECT_EQ(kind.load((dir / "empty").c_str()), 1);
        EXPECT_EQ(kind.count(), 0);
    }
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(AlertFiles, TextsThatFillTheirFieldsEndWithinThem)
{
    CKvTables& t = KvTables();
    std::vector<char> firms = ReadBytes(Golden("firms.kva"));
    std::fill(firms.begin() + 4, firms.begin() + 4 + 13, 'A');
    WriteBytes(dir / "full.kva", firms);
    ASSERT_EQ(t.firmAlerts.Load((dir / "full.kva").c_str()), 1);
    EXPECT_EQ(std::string(t.firmAlerts.GetRec(0)->szCode), std::string(12, 'A'));

    std::vector<char> logs = ReadBytes(Golden("logs.kvl"));
    const size_t textAt = 4 + 2 + 2 + 12 + 13 + 13 + 18 + 31 + 21;
    std::fill(logs.begin() + textAt, logs.begin() + textAt + 64, 'x');
    const size_t remarksAt = textAt + 64 + 16;
    std::fill(logs.begin() + remarksAt, logs.begin() + remarksAt + 128, 'r');
    WriteBytes(dir / "full.kvl", logs);
    ASSERT_EQ(t.alertLog.Load((dir / "full.kvl").c_str()), 1);
    EXPECT_EQ(std::string(t.alertLog.GetRec(0)->szText), std::string(63, 'x'));
    EXPECT_EQ(std::string(t.alertLog.GetRec(0)->szRemarks), std::string(127, 'r'));
}

TEST_F(AlertFiles, ImpossibleStoredNumbersAndDatesAreRefusedOrInvalid)
{
    CKvTables& t = KvTables();
    // A limit with 1000 decimals: the file is refused.
    std::vector<char> firms = ReadBytes(Golden("firms.kva"));
    const size_t decimalsAt = 4 + 13 + 2 + 8;
    firms[decimalsAt] = static_cast<char>(0xE8);
    firms[decimalsAt + 1] = 0x03;
    WriteBytes(dir / "decimals.kva", firms);
    EXPECT_EQ(t.firmAlerts.Load((dir / "decimals.kva").c_str()), 0);
    EXPECT_EQ(t.firmAlerts.GetCount(), 0);
    // A date far beyond the calendar reads as an invalid date.
    std::vector<char> logs = ReadBytes(Golden("logs.kvl"));
    const double farAway = 1e300;
    std::memcpy(logs.data() + 8, &farAway, sizeof farAway);
    WriteBytes(dir / "date.kvl", logs);
    ASSERT_EQ(t.alertLog.Load((dir / "date.kvl").c_str()), 1);
    EXPECT_FALSE(t.alertLog.GetRec(0)->time.IsValid());
}

TEST_F(AlertFiles, DeletedOrderCountDefinitionsAreNotWritten)
{
    CKvTables& t = KvTables();
    ASSERT_EQ(t.ordCountAlerts.Load(Golden("ordcount.kva").c_str()), 1);
    t.ordCountAlerts.RemoveAlert(0);
    ASSERT_EQ(t.ordCountAlerts.Save((dir / "left.kva").c_str()), 1);
    const std::vector<char> left = ReadBytes(dir / "left.kva");
    ASSERT_EQ(left.size(), 4u + 34u);
    EXPECT_EQ(left[2], 1);
    EXPECT_EQ(std::string(left.data() + 4 + 5), "*");
}

TEST_F(AlertFiles, DefaultFilesLieInTheSettingsFolder)
{
    CKvTables& t = KvTables();
    EXPECT_EQ(t.firmAlerts.DefaultPath(), dir.string() + "/firms.kva");
    EXPECT_EQ(t.userAlerts.DefaultPath(), dir.string() + "/users.kva");
    EXPECT_EQ(CSecAlertTable::DefaultPath(), dir.string() + "/secs.kva");
    EXPECT_EQ(CAlertLogTable::DefaultPath(), dir.string() + "/logs.kvl");
    EXPECT_EQ(COrdCountAlertTable::DefaultPath(), dir.string() + "/ordcount.kva");
    // The permanent-target load reads the default file.
    fs::copy_file(Golden("users.kva"), dir / "users.kva");
    EXPECT_EQ(t.userAlerts.Load(), 1);
    EXPECT_EQ(t.userAlerts.GetCount(), 1);
}

TEST_F(AlertFiles, SessionEndSavesWhatTheSessionSaysAndEmptiesTheTables)
{
    for (int save : { 0, 1 }) {
        SCOPED_TRACE(save);
        CKvTables& t = KvTables();
        {
            CSession session("TRADER01");
            sSettingsPath = dir.string() + "/"; // the session looked for its own folder
            session.m_bSaveAlerts = session.m_bSaveLogs = save;
            ps = &session;
            for (const Kind& kind : Kinds())
                ASSERT_EQ(kind.load(Golden(kind.golden).c_str()), 1);
            t.defSel.AddSelection("Noon");
            FreeLocalTables();
            ps = nullptr;
        }
        for (const char* name : { "firms.kva", "users.kva", "secs.kva", "logs.kvl", "ordcount.kva" }) {
            EXPECT_EQ(fs::exists(dir / name), save == 1) << name;
            if (save == 1) {
                EXPECT_EQ(ReadBytes(dir / name), ReadBytes(Golden(name))) << name;
            }
        }
        EXPECT_TRUE(fs::exists(dir / "TRADER01.kvd")) << "changed default selections are always kept";
        for (const Kind& kind : Kinds())
            EXPECT_EQ(kind.count(), 0) << kind.golden;
        EXPECT_TRUE(ui.boxes.empty());
        for (const auto& entry : fs::directory_iterator(dir))
            fs::remove(entry.path());
    }
}

TEST_F(AlertFiles, ADamagedFileAtSessionStartIsReportedAndTheSessionGoesOn)
{
    CSession session("TRADER01");
    sSettingsPath = dir.string() + "/";
    ps = &session;
    CKvTables& t = KvTables();
    const struct {
        const char* golden;
        const char* file;
        CVorlPermTarget* table;
    } cases[] = {
        { "firms.kva", "firms.kva", &t.firmAlerts },
        { "users.kva", "users.kva", &t.userAlerts },
        { "secs.kva", "secs.kva", &t.secAlerts },
        { "logs.kvl", "logs.kvl", &t.alertLog },
        { "ordcount.kva", "ordcount.kva", &t.ordCountAlerts },
        { "trader01.kvd", "TRADER01.kvd", &t.defSel },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        std::vector<char> bytes = ReadBytes(Golden(c.golden));
        bytes.pop_back();
        WriteBytes(dir / c.file, bytes);
        ui.boxes.clear();
        EXPECT_EQ(c.table->Load(), 1);
        EXPECT_EQ(ui.boxes.size(), 1u);
    }
    for (const Kind& kind : Kinds())
        EXPECT_EQ(kind.count(), 0) << kind.golden;
    session.m_bSaveAlerts = session.m_bSaveLogs = 0;
    FreeLocalTables();
    ps = nullptr;
}

TEST_F(AlertFiles, DefaultSelectionsFollowTheDialog)
{
    CDefSelTable& d = KvTables().defSel;
    d.AddSelection("Morning");
    d.AddSelection("Evening");
    d.AddSelection("Morning");
    ASSERT_EQ(d.m_entries.size(), 2u);
    EXPECT_EQ(d.m_bChanged, 1);
    d.m_bChanged = 0;

    // The list box now holds "Evening" and "Night" with "Night" selected; the first choice is set.
    d.UpdateFromDialog(true, "ACCOUNT-12345", true, { "Evening", "Night" }, 1, false);
    EXPECT_EQ(d.m_bChanged, 1);
    EXPECT_EQ(d.m_anChoice[0], 1);
    EXPECT_EQ(d.m_anChoice[1], 1);
    EXPECT_EQ(d.m_sText, "ACCOUNT-1234") << "the text keeps its 12 characters";
    EXPECT_EQ(d.m_sCurrent, "Night");
    std::vector<std::string> items;
    int selected = -2;
    d.FillList(items, selected);
    EXPECT_EQ(items, (std::vector<std::string> { "Evening", "Night" }));
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(d.m_entries[0].bDeleted, 1) << "Morning is no longer an item";

    // The same state again changes nothing; without the second choice nothing is selected.
    d.m_bChanged = 0;
    d.UpdateFromDialog(true, "ACCOUNT-1234", true, { "Evening", "Night" }, 1, false);
    EXPECT_EQ(d.m_bChanged, 0);
    d.UpdateFromDialog(false, "ignored", false, { "Evening", "Night" }, 1, false);
    EXPECT_EQ(d.m_sText, "ACCOUNT-1234") << "the text belongs to the first choice";
    d.FillList(items, selected);
    EXPECT_EQ(selected, -1);
    // A deleted entry comes back by name.
    d.AddSelection("Morning");
    d.FillList(items, selected);
    EXPECT_EQ(items.size(), 3u);

    // Written to the default file only when changed, to a named one always.
    CSession session("TRADER02");
    sSettingsPath = dir.string() + "/";
    ps = &session;
    d.m_bChanged = 0;
    EXPECT_EQ(d.Save(nullptr), 1);
    EXPECT_FALSE(fs::exists(dir / "TRADER02.kvd"));
    EXPECT_EQ(d.Save((dir / "named.kvd").c_str()), 1);
    EXPECT_TRUE(fs::exists(dir / "named.kvd"));
    d.m_bChanged = 1;
    EXPECT_EQ(d.Save(nullptr), 1);
    EXPECT_TRUE(fs::exists(dir / "TRADER02.kvd"));
    EXPECT_EQ(d.m_bChanged, 0);
    d.Free();
    ps = nullptr;
}

} // namespace
} // namespace kv32test
