// The audit trail tables over the scripted router: the group, type and event
// records as the host sends them, the display mode an event is announced
// with, the pop-up queue and its one notification per batch, the two resume
// keys of the subscription, and the user's display modes in "audits.kv".
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fw/core/msgbox.h"
#include "kv32/tables/alert_strings.h"
#include "kv32/shell/app_startup.h"
#include "kv32/shell/audit_queue.h"
#include "kv32/shell/shell_dialogs.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/table_settings.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/app/session_core.h"
#include "kvcore/router/info_req.h"
#include "security_test_fixture.h"
#include "support/log_recorder.h"
#include "support/test_data.h"

namespace kv32test {
namespace {

std::string GroupRecord(int key, const std::string& code, const std::string& name, bool last = false)
{
    std::string k = std::to_string(key);
    return std::string(8 - k.size(), '0') + k + Pad(code, 4) + Pad(name, 40) + (last ? "1" : "0");
}

std::string TypeRecord(
    int key, const std::string& group, const std::string& type, const std::string& text, char mode, bool last = false)
{
    std::string k = std::to_string(key);
    return std::string(8 - k.size(), '0') + k + Pad(group, 4) + Pad(type, 4) + Pad(text, 40) + mode
        + (last ? "1" : "0");
}

struct EventSpec {
    int key = 1;
    char stream = 'Y';
    std::string group = "SESS";
    std::string type = "LOGN";
    char mode = ' ';
    std::string board = "BRD1";
    std::string instrument = "INSTR0000001";
    std::string text = "An event";
    int length = -1; // the announced length; -1: the text's
};

std::string EventRecord(const EventSpec& e)
{
    std::string k = std::to_string(e.key);
    std::string length = std::to_string(e.length < 0 ? static_cast<int>(e.text.size()) : e.length);
    return std::string(8 - k.size(), '0') + k + e.stream + Pad(e.group, 4) + Pad(e.type, 4) + "101500" + e.mode
        + Pad("TOUSER", 12) + Pad("TOFIRM", 12) + Pad("FROMUSER", 12) + Pad(e.board, 4) + Pad(e.instrument, 12)
        + Pad("USER", 12) + Pad("FIRM", 12) + std::string(3 - length.size(), '0') + length + e.text;
}

class AuditTables : public SecurityFixture {
protected:
    AuditTables()
    {
        FreeAudit();
        ClearAuditDisplayQueue();
        KvNotifications().auditNotify = kAuditNotify;
        folder = std::filesystem::temp_directory_path()
            / ("kv32_audits_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        KvTableSettings().settingsPath = folder;
        Feed(SecurityTable(), 17, SecuritySnapshot(SecuritySpec()));
        Feed(groups, 77, GroupRecord(1, "SESS", "Session events"));
        Feed(groups, 77, GroupRecord(2, "TRAD", "Trading events", true));
        Feed(types, 76, TypeRecord(1, "SESS", "LOGN", "User logged on", 'P'));
        Feed(types, 76, TypeRecord(2, "SESS", "LOGF", "User logged off", 'S'));
        Feed(types, 76, TypeRecord(3, "TRAD", "SUSP", "Suspension", 'N'));
        Feed(types, 76, TypeRecord(4, "XXXX", "ODD", "Odd type", '?', true));
    }
    ~AuditTables() override
    {
        FreeAudit();
        ClearAuditDisplayQueue();
        KvNotifications() = KvNotifyMessages();
        std::filesystem::remove_all(folder);
    }
    void FreeAudit()
    {
        AuditTable().Free();
        AuditEventTypeTable().Free();
        AuditGroupTable().Free();
    }
    // One poll of the subscription answered by the events.
    void Batch(const std::vector<EventSpec>& events)
    {
        std::vector<Msg> packet;
        for (const EventSpec& e : events)
            packet.push_back({ CAuditTable::kRequest, EventRecord(e) });
        packet.push_back(End());
        audits.Load();
        ASSERT_EQ(audits.UpdateReq(), 1);
        audits.OnPostUpdateReq();
        ASSERT_TRUE(VORLInfoReqEnd());
        router.Reply(packet);
        ASSERT_EQ(app.VORLInfoReqRecv(), 1);
    }
    int Queued() const
    {
        int n = 0;
        for (int32_t slot : AuditDisplayQueue())
            n += slot >= 0 ? 1 : 0;
        return n;
    }

    static constexpr unsigned kAuditNotify = 0xC0DE;
    CAuditGroupTable& groups = AuditGroupTable();
    CAuditEventTypeTable& types = AuditEventTypeTable();
    CAuditTable& audits = AuditTable();
    std::filesystem::path folder;
};

TEST_F(AuditTables, GoldenRepliesDecodeFieldByField)
{
    FreeAudit();
    Feed(groups, 77, ReadFixture("audit_group_77.rec"));
    ASSERT_EQ(groups.GetCount(), 1);
    EXPECT_EQ(groups.GetRec(0)->nIndex, 0);
    EXPECT_STREQ(groups.GetRec(0)->szCode, "SESS");
    EXPECT_STREQ(groups.GetRec(0)->szName, "Session events");
    EXPECT_STREQ(groups.m_szNextKey, "00000007");
    EXPECT_EQ(fLastRec, 0);

    Feed(types, 76, ReadFixture("audit_type_76.rec"));
    ASSERT_EQ(types.GetCount(), 1);
    const AuditTypeRec& type = *types.GetRec(0);
    EXPECT_STREQ(type.szGroupCode, "SESS");
    EXPECT_STREQ(type.szGroupName, "Session events") << "taken from the loaded group";
    EXPECT_STREQ(type.szTypeCode, "LOGN");
    EXPECT_STREQ(type.szTypeText, "User logged on");
    EXPECT_EQ(type.cDisplayMode, 'P');
    EXPECT_EQ(type.szOverride[0], '\0');
    EXPECT_STREQ(types.m_szNextKey, "00000012");
    EXPECT_EQ(fLastRec, 1);

    Feed(audits, 72, ReadFixture("audit_event_72.rec"));
    ASSERT_EQ(audits.GetCount(), 1);
    const AuditEventRec& e = *audits.GetRec(0);
    EXPECT_EQ(e.nIndex, 0);
    EXPECT_EQ(e.time.FormatTimeVORL(), "093015");
    EXPECT_STREQ(e.szGroupCode, "SESS");
    EXPECT_STREQ(e.szGroupName, "Session events");
    EXPECT_STREQ(e.szTypeCode, "LOGN");
    EXPECT_STREQ(e.szTypeText, "User logged on");
    EXPECT_STREQ(e.szToUser, "SUPER1");
    EXPECT_STREQ(e.szToFirm, "EXCH");
    EXPECT_STREQ(e.szFromUser, "TRADER02");
    EXPECT_STREQ(e.szUser, "TRADER02");
    EXPECT_STREQ(e.szFirm, "FIRM1");
    EXPECT_STREQ(e.szSecurityCode, "0BRD1INSTR0000001");
    EXPECT_STREQ(e.szBoardName, "Main board");
    EXPECT_STREQ(e.szSecurity, "SEC1");
    EXPECT_STREQ(e.szText, "TRADER02 logged on from 127.0.0.1.");
    EXPECT_STREQ(e.szDisplayMode, "S");
    EXPECT_STREQ(audits.m_szKeyY, "00000345");
    EXPECT_STREQ(audits.m_szKeyOther, "");
}

TEST_F(AuditTables, LookupsByCodesAndNames)
{
    EXPECT_EQ(groups.FindByCode("TRAD"), 1);
    EXPECT_EQ(groups.FindByCode("NONE"), -1);
    EXPECT_EQ(groups.FillList(), (std::vector<std::string> { "Session events", "Trading events" }));
    EXPECT_EQ(types.FindByKeys("SESS", "LOGF"), 1);
    EXPECT_EQ(types.FindByKeys("SESS  ", "LOGF    "), 1) << "codes are taken as 4 characters, stripped";
    EXPECT_EQ(types.FindByKeys("TRAD", "LOGF"), -1);
    EXPECT_EQ(types.FindByName("Suspension"), 2);
    EXPECT_EQ(types.FindByName("Nothing"), -1);
    EXPECT_EQ(types.FillList().size(), 4u);
    EXPECT_STREQ(types.GetRec(3)->szGroupName, "") << "an unknown group leaves the name empty";
}

TEST_F(AuditTables, EffectiveDisplayModePrecedence)
{
    struct Case {
        char event;
        bool typeKnown;
        char host;
        char override;
        char expected;
    };
    const Case cases[] = {
        { 'S', true, 'P', 'N', 'S' }, // the event's own letter first
        { 'P', false, 0, 0, 'P' },
        { 'N', true, 'P', 'P', 'N' },
        { ' ', true, 'P', 'N', 'N' }, // an override "N" silences a "P" type
        { ' ', true, 'P', 0, 'P' }, // no override: the host's letter
        { ' ', true, 'S', 'P', 'P' },
        { 'x', true, 'N', 'S', 'S' },
        { ' ', true, '?', 0, 0 }, // no letter anywhere
        { ' ', true, '?', 'x', 0 },
        { ' ', false, 0, 0, 0 }, // unknown type, no letter of its own
    };
    for (const Case& c : cases) {
        AuditTypeRec type {};
        type.cDisplayMode = c.host;
        type.szOverride[0] = c.override;
        EXPECT_EQ(EffectiveDisplayMode(c.event, c.typeKnown ? &type : nullptr), c.expected)
            << "event '" << c.event << "' host '" << c.host << "' override '" << c.override << "'";
    }
    for (char letter : std::string("SPN"))
        EXPECT_TRUE(IsDisplayModeLetter(letter));
    for (char letter : std::string(" spnX\0", 6))
        EXPECT_FALSE(IsDisplayModeLetter(letter));
}

TEST_F(AuditTables, FivePopUpEventsInOneBatchGiveOneNotificationAndOneBeep)
{
    std::vector<EventSpec> batch;
    for (int i = 0; i < 5; ++i) {
        EventSpec e;
        e.key = i + 1;
        e.text = "Pop " + std::to_string(i);
        batch.push_back(e); // the type's host letter is "P"
    }
    Batch(batch);
    EXPECT_EQ(audits.GetCount(), 5);
    EXPECT_EQ(ui.notified, std::vector<unsigned> { kAuditNotify });
    EXPECT_EQ(ui.beeps, std::vector<unsigned> { fw::MB_ICONEXCLAMATION });
    EXPECT_EQ(ui.logTexts, (std::vector<std::string> { "Pop 1", "Pop 2", "Pop 3", "Pop 4" }));
    EXPECT_TRUE(ui.statusTexts.empty()) << "shown in the highlight colours, not as plain status text";
    EXPECT_EQ(Queued(), 5);
    EXPECT_EQ(AuditDisplayQueue()[0], 0);
    EXPECT_EQ(AuditDisplayQueue()[4], 4);
    EXPECT_TRUE(AuditPopupPending());

    // Once the main frame has shown the queue, the next pop-up is announced again.
    KvShellDialogsPort().auditDisplay = [] { AuditDisplayQueue().fill(-1); };
    {
        CSessionCore session;
        ps = &session;
        KvOnAuditNotify();
        ps = nullptr;
    }
    KvShellDialogsPort() = CKvShellDialogsPort();
    EXPECT_FALSE(AuditPopupPending());
    Batch({ EventSpec {} });
    EXPECT_EQ(ui.notified.size(), 2u);
    EXPECT_EQ(ui.beeps.size(), 1u) << "a lone pop-up does not beep";
}

TEST_F(AuditTables, StatusLineEventsBeepOnceAtTheEndOfTheBatchAndOthersStaySilent)
{
    EventSpec s;
    s.type = "LOGF"; // host letter "S"
    s.text = "Logged off";
    EventSpec n;
    n.type = "SUSP"; // host letter "N"
    EventSpec unknown;
    unknown.type = "NONE";
    EventSpec own = unknown;
    own.mode = 'S';
    own.text = "Own letter";
    Batch({ s, n, unknown, own, s });
    EXPECT_EQ(audits.GetCount(), 5);
    EXPECT_TRUE(ui.notified.empty());
    EXPECT_EQ(ui.beeps.size(), 1u);
    EXPECT_EQ(ui.logTexts, (std::vector<std::string> { "Logged off", "Own letter", "Logged off" }));
    EXPECT_STREQ(audits.GetRec(2)->szTypeText, "") << "an unknown type is stored with empty names";
    EXPECT_EQ(Queued(), 0);
}

TEST_F(AuditTables, EachBatchTellsTheWindowsOnlyTheEventsItAppended)
{
    // What the windows hear: the rows each hint flags, "all" for no hint.
    struct Heard : CTableUpdateListener {
        Heard() { KvAddTableListener(this); }
        ~Heard() override { KvRemoveTableListener(this); }
        void OnTableUpdate(uint16_t id, const fw::RowHint* hint) override
        {
            if (id == CAuditTable::kTableId)
                hints.push_back(hint == nullptr ? std::vector<int> { -1 } : hint->Rows());
        }
        std::vector<std::vector<int>> hints;
    } heard;
    EventSpec e;
    e.type = "SUSP";
    Batch({ e, e, e });
    Batch({ e, e });
    ASSERT_EQ(heard.hints.size(), 2u);
    EXPECT_EQ(heard.hints[0], (std::vector<int> { 0, 1, 2 }));
    EXPECT_EQ(heard.hints[1], (std::vector<int> { 3, 4 })) << "not the first batch's events again";
    // A trail emptied at the end of a session starts its rows at 0 again.
    audits.Free();
    Batch({ e });
    ASSERT_EQ(heard.hints.size(), 3u);
    EXPECT_EQ(heard.hints[2], std::vector<int> { 0 });
}

TEST_F(AuditTables, TheHundredAndFirstPopUpIsStoredButNotQueued)
{
    std::vector<EventSpec> batch(101);
    for (int i = 0; i < 101; ++i)
        batch[static_cast<size_t>(i)].key = i + 1;
    Batch(batch);
    EXPECT_EQ(audits.GetCount(), 101);
    EXPECT_EQ(Queued(), 100);
    for (int32_t slot : AuditDisplayQueue())
        EXPECT_NE(slot, 100);
    EXPECT_EQ(ui.notified.size(), 1u);
}

TEST_F(AuditTables, QueueWrapsToTheFrontOnceTheRunOfUsedSlotsReachesTheEnd)
{
    struct Case {
        std::vector<int> used; // slots in use before the push
        int expected; // slot written, -1 dropped
    };
    std::vector<int> tail;
    for (int i = 95; i < 100; ++i)
        tail.push_back(i);
    std::vector<int> all;
    for (int i = 0; i < 100; ++i)
        all.push_back(i);
    std::vector<int> allButTen = all;
    allButTen.erase(allButTen.begin() + 10);
    const Case cases[] = {
        { {}, 0 },
        { { 0, 1, 2 }, 3 },
        { { 5, 6 }, 7 }, // leading free slots are skipped
        { { 2, 3, 7 }, 4 },
        { tail, 0 }, // the run reaches the end: back to the front
        { { 0, 98, 99 }, 1 },
        { allButTen, 10 },
        { all, -1 },
    };
    for (const Case& c : cases) {
        ClearAuditDisplayQueue();
        for (int slot : c.used)
            AuditDisplayQueue()[static_cast<size_t>(slot)] = 1000 + slot;
        EXPECT_EQ(AuditQueuePush(7), c.expected >= 0);
        if (c.expected >= 0) {
            EXPECT_EQ(AuditDisplayQueue()[static_cast<size_t>(c.expected)], 7) << c.used.size();
        }
    }
}

TEST_F(AuditTables, TextIsCutToTheRecordAndToTheMessage)
{
    struct Case {
        std::string text;
        int announced;
        size_t expected;
    };
    const Case cases[] = {
        { std::string(300, 'a'), 300, 256 }, // longer than the record holds
        { std::string(256, 'b'), 256, 256 },
        { std::string(20, 'c'), 999, 20 }, // the message ends first
        { std::string(20, 'd'), 5, 5 },
        { "", 0, 0 },
    };
    for (const Case& c : cases) {
        EventSpec e;
        e.type = "SUSP";
        e.text = c.text;
        e.length = c.announced;
        Feed(audits, 72, EventRecord(e));
        ASSERT_GT(audits.GetCount(), 0);
        EXPECT_EQ(std::string(audits.GetRec(audits.GetCount() - 1)->szText), c.text.substr(0, c.expected));
    }
    // A record that ends inside its fixed fields is dropped.
    const int before = audits.GetCount();
    Feed(audits, 72, EventRecord(EventSpec {}).substr(0, 102));
    EXPECT_EQ(audits.GetCount(), before);
}

TEST_F(AuditTables, SubscriptionResendsBothResumeKeysAndFreeStartsOver)
{
    EXPECT_EQ(audits.UpdateReq(), 0) << "no subscription before the session loads the table";
    EventSpec y;
    y.key = 345;
    y.type = "SUSP";
    EventSpec other = y;
    other.key = 17;
    other.stream = 'N';
    Batch({ y, other });
    router.ClearRecord();
    // After a reconnect the next subscription goes on from both keys.
    ASSERT_EQ(audits.UpdateReq(), 1);
    ASSERT_TRUE(VORLInfoReqEnd());
    ASSERT_EQ(RequestKeys(router, 72).size(), 1u);
    EXPECT_EQ(RequestKeys(router, 72)[0], "TRADER01    0000034500000017");
    router.Reply({ End() });
    ASSERT_EQ(app.VORLInfoReqRecv(), 1);

    audits.Free();
    EXPECT_EQ(audits.GetCount(), 0);
    EXPECT_EQ(audits.UpdateReq(), 0);
    audits.Load();
    router.ClearRecord();
    ASSERT_EQ(audits.UpdateReq(), 1);
    ASSERT_TRUE(VORLInfoReqEnd());
    EXPECT_EQ(RequestKeys(router, 72)[0], "TRADER01    0000000000000000");
}

TEST_F(AuditTables, SnapshotLoopsLoadGroupsThenTypesThenTheUsersOverrides)
{
    FreeAudit();
    std::vector<AuditOverride> saved { { "SESS", "LOGN", 'N' } };
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(WriteAuditOverrides(saved, bytes));
    std::ofstream(folder / "audits.kv", std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
        static_cast<std::streamsize>(bytes.size()));

    router.Reply({ { 77, GroupRecord(4, "SESS", "Session events") }, End() });
    router.Reply({ { 77, GroupRecord(5, "TRAD", "Trading events", true) }, End() });
    router.Reply({ { 76, TypeRecord(9, "SESS", "LOGN", "User logged on", 'P', true) }, End() });
    ASSERT_EQ(groups.Load(), 1);
    ASSERT_EQ(types.Load(), 1);
    EXPECT_EQ(RequestKeys(router, 77), (std::vector<std::string> { "TRADER01    00000000", "TRADER01    00000004" }));
    EXPECT_EQ(RequestKeys(router, 76), std::vector<std::string> { "TRADER01    00000000" });
    ASSERT_EQ(groups.GetCount(), 2);
    ASSERT_EQ(types.GetCount(), 1);
    EXPECT_STREQ(types.GetRec(0)->szGroupName, "Session events");
    EXPECT_STREQ(types.GetRec(0)->szOverride, "N") << "the user's letter is read back after the load";
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(AuditTables, OverridesFileRoundTripsAndSkipsUnknownTypes)
{
    types.GetRec(0)->szOverride[0] = 'N';
    types.GetRec(2)->szOverride[0] = 'S';
    ASSERT_EQ(types.SaveOverrides(), 1);
    std::ifstream in(folder / "audits.kv", std::ios::binary);
    const std::string file { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    std::string expected("\x04\x00", 2);
    expected += std::string("SESS\0LOGN\0N\0", 12);
    expected += std::string("SESS\0LOGF\0\0\0", 12);
    expected += std::string("TRAD\0SUSP\0S\0", 12);
    expected += std::string("XXXX\0ODD\0\0\0\0", 12);
    EXPECT_EQ(file, expected);

    // The host no longer sends two of the types: their entries are left out
    // on reading, and the next save writes only the current types.
    FreeAudit();
    Feed(groups, 77, GroupRecord(1, "SESS", "Session events", true));
    Feed(types, 76, TypeRecord(1, "SESS", "LOGF", "User logged off", 'S'));
    Feed(types, 76, TypeRecord(2, "TRAD", "SUSP", "Suspension", 'N'));
    Feed(types, 76, TypeRecord(3, "NEW", "TYPE", "A new type", 'P', true));
    ASSERT_EQ(types.LoadOverrides(), 1);
    EXPECT_STREQ(types.GetRec(0)->szOverride, "");
    EXPECT_STREQ(types.GetRec(1)->szOverride, "S");
    EXPECT_STREQ(types.GetRec(2)->szOverride, "");
    ASSERT_EQ(types.SaveOverrides(folder / "again.kv"), 1);
    std::ifstream again(folder / "again.kv", std::ios::binary);
    const std::string second { std::istreambuf_iterator<char>(again), std::istreambuf_iterator<char>() };
    ASSERT_EQ(second.size(), 2u + 3 * 12);
    EXPECT_EQ(second.substr(0, 2), std::string("\x03\x00", 2));
    EXPECT_EQ(second.substr(2 + 12, 12), std::string("TRAD\0SUSP\0S\0", 12));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(AuditTables, OverridesAreSavedWhenTheSessionEndsOnly)
{
    types.GetRec(1)->szOverride[0] = 'P';
    types.Free(); // no session: nothing is written
    EXPECT_FALSE(std::filesystem::exists(folder / "audits.kv"));

    Feed(types, 76, TypeRecord(1, "SESS", "LOGN", "User logged on", 'P', true));
    types.GetRec(0)->szOverride[0] = 'S';
    {
        CSessionCore session;
        ps = &session;
        types.Free();
        ps = nullptr;
    }
    EXPECT_EQ(types.GetCount(), 0);
    Feed(types, 76, TypeRecord(1, "SESS", "LOGN", "User logged on", 'P', true));
    ASSERT_EQ(types.LoadOverrides(), 1);
    EXPECT_STREQ(types.GetRec(0)->szOverride, "S");
}

TEST_F(AuditTables, DamagedOrMissingOverridesFiles)
{
    struct Case {
        const char* name;
        std::string bytes;
        int result;
        char override; // of type 0 afterwards
    };
    const Case cases[] = {
        { "count beyond the bytes", std::string("\x02\x00", 2) + std::string("SESS\0LOGN\0S\0", 12), 0, 0 },
        { "no count", std::string("\x01", 1), 0, 0 },
        { "no terminator in a code: its 4 characters", std::string("\x01\x00", 2) + std::string("SESSXLOGN\0S\0", 12),
            1, 'S' },
        { "letter that is no mode", std::string("\x01\x00", 2) + std::string("SESS\0LOGN\0Q\0", 12), 1, 0 },
        { "valid entry, trailing bytes", std::string("\x01\x00", 2) + std::string("SESS\0LOGN\0P\0", 12) + "xyz", 1,
            'P' },
    };
    for (const Case& c : cases) {
        types.GetRec(0)->szOverride[0] = 0;
        ui.boxes.clear();
        std::ofstream(folder / "audits.kv", std::ios::binary | std::ios::trunc) << c.bytes;
        EXPECT_EQ(types.LoadOverrides(), c.result) << c.name;
        EXPECT_EQ(types.GetRec(0)->szOverride[0], c.override) << c.name;
        if (c.result == 0) {
            ASSERT_EQ(ui.boxes.size(), 1u) << c.name;
            EXPECT_EQ(ui.boxes[0].text, Kv32AlertString(IDS_CANNOT_RESTORE_ALERTS));
            EXPECT_EQ(ui.boxes[0].flags & fw::MB_ICONMASK, fw::MB_ICONHAND);
        } else {
            EXPECT_TRUE(ui.boxes.empty()) << c.name;
        }
    }
    // A missing file leaves the overrides as they are and counts as read.
    std::filesystem::remove(folder / "audits.kv");
    types.GetRec(0)->szOverride[0] = 'N';
    EXPECT_EQ(types.LoadOverrides(), 1);
    EXPECT_EQ(types.GetRec(0)->szOverride[0], 'N');

    // A file that cannot be written shows the save error.
    ui.boxes.clear();
    EXPECT_EQ(types.SaveOverrides(folder / "no-such-folder" / "audits.kv"), 0);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, Kv32AlertString(IDS_CANNOT_SAVE_ALERTS));
}

} // namespace
} // namespace kv32test
