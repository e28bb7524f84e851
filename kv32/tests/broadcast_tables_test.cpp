// The exchange-message and news tables over the scripted router: the fixed
// records as the host sends them, announcements, pop-ups over receive steps,
// repeats and the one log entry per item.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/core/msgbox.h"
#include "fw/core/strings.h"
#include "kv32/res/ids.h"
#include "kv32/tables/alert_log_port.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/router/info_req.h"
#include "support/kv32_fixture.h"
#include "support/log_recorder.h"

namespace kv32test {
namespace {

// A broadcast 194 of 709 characters, field by field.
std::string MessageRecord(const std::string& seq, char mode, char status, const std::string& text,
    const std::string& toUser = "TRADER01", const std::string& ref = "    ")
{
    std::string r = Pad(seq, 8) + Pad("EXCH", 12) + Pad("OPERATOR", 12) + Pad("FIRM1", 12) + Pad(toUser, 12);
    r += 'D';
    r += "093015";
    r += mode;
    r += status;
    r += Pad(text, 640) + Pad(ref, 4);
    return r;
}

// A broadcast 195 of 188 characters, field by field.
std::string NewsRecord(const std::string& id, char mode, const std::string& title, char status = 'S')
{
    std::string r = Pad(id, 8) + Pad("EDITOR", 12) + "ECON" + "EN" + Pad("FIRM1", 12) + Pad("INSTR0000001", 12);
    r += "20261210";
    r += "101500";
    r += Pad(title, 40) + Pad("news/2026/1210.txt", 80);
    r += 'X';
    r += 'Y';
    r += mode;
    r += status;
    return r;
}

class BroadcastTables : public Kv32Fixture {
protected:
    BroadcastTables()
    {
        KvSetReplyPartners(nullptr); // the tables themselves take the broadcasts
        KvSetAlertLog(&log);
        for (CVorlPermTarget* t : CVorlPermTarget::apPermTargets)
            t->Free();
    }
    ~BroadcastTables() override
    {
        for (CVorlPermTarget* t : CVorlPermTarget::apPermTargets)
            t->Free();
        KvSetAlertLog(nullptr);
    }
    // The broadcasts arrive in the reply to a blocking request (whose own
    // reply is empty).
    void Receive(std::vector<Msg> packet)
    {
        packet.push_back(End());
        router.Reply(packet);
        const char key[] = "TRADER01    00000000";
        ASSERT_EQ(VORLInfoReq(CSubTable73::kRequest, key, 20, &NewsTypeTable()), 1);
    }

    RecordingLog log;
    CExchMessageTable& messages = ExchMessageTable();
    CNewsTable& news = NewsTable();
};

TEST_F(BroadcastTables, MessageRecordFields)
{
    ASSERT_EQ(MessageRecord("1", 'N', 'S', "").size(), 709u);
    Receive({ { 194, MessageRecord("00000007", 'N', 'S', "Market opens\r\nat ten", "TRADER01", "  42") } });
    ASSERT_EQ(messages.GetCount(), 1);
    ExchMessageRec rec;
    messages.GetRec(0, rec);
    EXPECT_EQ(rec.nIndex, 0);
    EXPECT_STREQ(rec.szKey, "00000007");
    EXPECT_STREQ(rec.szFromFirm, "EXCH");
    EXPECT_STREQ(rec.szFromUser, "OPERATOR");
    EXPECT_STREQ(rec.szToFirm, "FIRM1");
    EXPECT_STREQ(rec.szToUser, "TRADER01");
    EXPECT_EQ(rec.cDataFeed, 'D');
    EXPECT_EQ(rec.time.GetHour(), 9);
    EXPECT_EQ(rec.time.GetMinute(), 30);
    EXPECT_EQ(rec.time.GetSecond(), 15);
    EXPECT_STREQ(rec.szReceived, "Market opens\r\nat ten");
    EXPECT_STREQ(rec.szMessage, "Market opens at ten");
    EXPECT_EQ(rec.nReference, 42);
    EXPECT_EQ(messages.GetMessageText("00000007"), "Market opens\r\nat ten");
    EXPECT_EQ(messages.GetMessageText("00000008"), "No Message was found");
    ASSERT_EQ(log.notes.size(), 1u);
    EXPECT_EQ(log.notes[0].nKind, LOG_KIND_MESSAGE);
    EXPECT_EQ(log.notes[0].text, "Market opens at ten");

    // A blank reference is none; a record one byte short is left out.
    Receive({ { 194, MessageRecord("00000008", 'N', 'S', "x") },
        { 194, MessageRecord("00000009", 'N', 'S', "y").substr(0, 708) } });
    ASSERT_EQ(messages.GetCount(), 2);
    EXPECT_EQ(messages.GetRec(1)->nReference, -1);
}

TEST_F(BroadcastTables, ThreePopUpMessagesBeepNowAndPopUpOnePerReceiveStep)
{
    Receive({ { 194, MessageRecord("1", 'P', 'S', "one") }, { 194, MessageRecord("2", 'P', 'S', "two") },
        { 194, MessageRecord("3", 'P', 'S', "three") } });
    EXPECT_EQ(ui.beeps, (std::vector<unsigned> { 0, 0, 0 }));
    EXPECT_EQ(messages.m_nLastPopup, 2);
    EXPECT_TRUE(ui.posted.empty());
    for (int step = 0; step < 4; ++step)
        app.DoReceive();
    EXPECT_EQ(ui.posted, (std::vector<unsigned> { ID_MESSAGE_OPEN_NEXT, ID_MESSAGE_OPEN_NEXT, ID_MESSAGE_OPEN_NEXT }));
}

TEST_F(BroadcastTables, StatusLineMessageBeepsOnceAtTheEndOfTheBatch)
{
    Receive({ { 194, MessageRecord("1", 'S', 's', "halt\r\nsoon") }, { 194, MessageRecord("2", 'S', 'S', "b") } });
    EXPECT_EQ(ui.statusTexts, (std::vector<std::string> { "halt soon", "b" }));
    EXPECT_EQ(ui.beeps, std::vector<unsigned> { fw::MB_ICONEXCLAMATION });
}

TEST_F(BroadcastTables, MessageNotSentForShowingIsStoredAndLoggedButNeverAnnounced)
{
    for (char mode : { 'P', 'S', 'N' }) {
        messages.Free();
        log.notes.clear();
        ui.beeps.clear();
        Receive({ { 194, MessageRecord("1", mode, 'D', "deleted") } });
        EXPECT_EQ(messages.GetCount(), 1) << mode;
        EXPECT_EQ(log.notes.size(), 1u) << mode;
        EXPECT_TRUE(ui.beeps.empty()) << mode;
        EXPECT_TRUE(ui.statusTexts.empty()) << mode;
        EXPECT_EQ(messages.m_nPopupCount, 0) << mode;
    }
    EXPECT_TRUE(ui.posted.empty());
}

TEST_F(BroadcastTables, RepeatedMessageUpdatesInPlaceWithoutASecondLogEntry)
{
    Receive({ { 194, MessageRecord("5", 'N', 'S', "first") }, { 194, MessageRecord("6", 'N', 'S', "other") } });
    Receive({ { 194, MessageRecord("5", 'N', 'S', "first, corrected", "TRADER01", "   7") } });
    ASSERT_EQ(messages.GetCount(), 2);
    EXPECT_EQ(messages.GetRec(0)->nIndex, 0);
    EXPECT_STREQ(messages.GetRec(0)->szMessage, "first, corrected");
    EXPECT_EQ(messages.GetRec(0)->nReference, 7);
    EXPECT_EQ(log.notes.size(), 2u);

    // After a new logon the same message is new to the table but logged once.
    messages.Free();
    Receive({ { 194, MessageRecord("5", 'N', 'S', "first") } });
    EXPECT_EQ(messages.GetCount(), 1);
    EXPECT_EQ(log.notes.size(), 2u);
}

TEST_F(BroadcastTables, NewsRecordFieldsAndNames)
{
    ASSERT_EQ(NewsRecord("1", 'N', "").size(), 188u);
    FeedRecord(NewsTypeTable(), 73, "00000001ECONEconomy" + std::string(23, ' ') + "1");
    FeedRecord(LanguageTable(), 65, "00000001ENEnglish" + std::string(23, ' ') + "1");
    FeedRecord(ParticipantTable(), 19, std::string("00000001FIRM1       First Broker") + std::string(137, ' '));
    Receive({ { 195, NewsRecord("00000012", 'N', "Rates unchanged", 'p') } });
    ASSERT_EQ(news.GetCount(), 1);
    NewsRec rec;
    news.CopyRec(0, rec);
    EXPECT_EQ(rec.nNewsId, 12);
    EXPECT_STREQ(rec.szUser, "EDITOR");
    EXPECT_STREQ(rec.szTypeCode, "ECON");
    EXPECT_STREQ(rec.szType, "Economy");
    EXPECT_STREQ(rec.szLanguageCode, "EN");
    EXPECT_STREQ(rec.szLanguage, "English");
    EXPECT_STREQ(rec.szIssuerCode, "FIRM1");
    EXPECT_STREQ(rec.szIssuer, "First Broker");
    EXPECT_STREQ(rec.szSecurityCode, "INSTR0000001");
    EXPECT_STREQ(rec.szSecurity, ""); // no such security held
    EXPECT_EQ(rec.dateTime.FormatDateTimeASN(), "20261210101500");
    EXPECT_STREQ(rec.szTitle, "Rates unchanged");
    EXPECT_STREQ(rec.szFileName, "news/2026/1210.txt");
    EXPECT_EQ(rec.cFlag1, 'X');
    EXPECT_EQ(rec.cFlag2, 'Y');
    EXPECT_STREQ(rec.szStatus, "P");
    EXPECT_EQ(rec.nBodyLength, 0);
    ASSERT_EQ(log.notes.size(), 1u);
    EXPECT_EQ(log.notes[0].nKind, LOG_KIND_NEWS);
    EXPECT_EQ(log.notes[0].nId, 12);
}

TEST_F(BroadcastTables, NewsAnnouncements)
{
    Receive({ { 195, NewsRecord("1", 'P', "pop") } });
    EXPECT_EQ(ui.beeps, std::vector<unsigned> { 0 });
    app.DoReceive();
    app.DoReceive();
    EXPECT_EQ(ui.posted, std::vector<unsigned> { ID_NEWS_NEW_HEADLINE });
    Receive({ { 195, NewsRecord("2", 'S', "status line") }, { 195, NewsRecord("3", 'N', "quiet") } });
    EXPECT_EQ(ui.beeps, (std::vector<unsigned> { 0, fw::MB_ICONEXCLAMATION }));
    EXPECT_EQ(ui.statusTexts, std::vector<std::string> { "status line" });
    EXPECT_EQ(ui.posted.size(), 1u);
}

TEST_F(BroadcastTables, NewsIdZeroAfterLogonIsStoredAndARepeatDropsTheBody)
{
    Receive({ { 195, NewsRecord("0", 'N', "zero") }, { 195, NewsRecord("4", 'N', "four") },
        { 195, NewsRecord("9", 'N', "nine") } });
    ASSERT_EQ(news.GetCount(), 3);
    EXPECT_EQ(news.GetRec(0)->nNewsId, 0);
    news.AttachBody(1, "the body");
    EXPECT_EQ(news.GetRec(1)->nBodyLength, 8);

    // Id 4 again, lower than the last: updated in place, body gone, no second entry.
    Receive({ { 195, NewsRecord("4", 'N', "four, again", 'R') } });
    ASSERT_EQ(news.GetCount(), 3);
    EXPECT_EQ(news.GetRec(1)->nIndex, 1);
    EXPECT_STREQ(news.GetRec(1)->szTitle, "four, again");
    EXPECT_STREQ(news.GetRec(1)->szStatus, "R");
    EXPECT_EQ(news.GetRec(1)->nBodyLength, 0);
    EXPECT_EQ(news.GetRec(1)->body, nullptr);
    EXPECT_EQ(log.notes.size(), 3u);

    // A lower id the table does not hold is a new head.
    Receive({ { 195, NewsRecord("2", 'N', "two") } });
    EXPECT_EQ(news.GetCount(), 4);

    // After a new logon the same heads come again: stored, each logged once.
    news.Free();
    Receive({ { 195, NewsRecord("0", 'N', "zero") }, { 195, NewsRecord("4", 'N', "four") } });
    EXPECT_EQ(news.GetCount(), 2);
    EXPECT_EQ(log.notes.size(), 4u);
}

TEST_F(BroadcastTables, NewsStatusTexts)
{
    const struct {
        char letter;
        const char* en;
        const char* hu;
    } cases[] = { { 'P', "P", "F" }, { 'p', "P", "F" }, { 'F', "F", "H" }, { 'f', "F", "H" }, { 'R', "R", "T" },
        { 'r', "R", "T" }, { 'S', "S", "E" }, { 'x', "S", "E" }, { ' ', "S", "E" } };
    for (const auto& c : cases) {
        EXPECT_EQ(CNewsTable::GetStatusText(c.letter), c.en) << c.letter;
        fw::setLanguage(fw::Language::Hungarian);
        EXPECT_EQ(CNewsTable::GetStatusText(c.letter), c.hu) << c.letter;
        fw::setLanguage(fw::Language::English);
    }
}

TEST_F(BroadcastTables, NewsTypeSnapshotLoop)
{
    router.Reply({ { 73, "00000001ECONEconomy" + std::string(23, ' ') + "0" }, End() });
    router.Reply({ { 73, "00000002POLIPolitics" + std::string(22, ' ') + "1" }, End() });
    EXPECT_EQ(NewsTypeTable().Load(), 1);
    ASSERT_EQ(NewsTypeTable().GetCount(), 2);
    const std::vector<Msg> sent = router.Requests();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].type, 73);
    EXPECT_EQ(sent[0].bytes, "TRADER01    00000000");
    EXPECT_EQ(sent[1].bytes, "TRADER01    00000001");
    NewsTypeRec rec;
    NewsTypeTable().GetRec(1, rec);
    EXPECT_STREQ(rec.szKey, "00000002");
    EXPECT_STREQ(rec.szCode, "POLI");
    EXPECT_STREQ(rec.szName, "Politics");
    EXPECT_EQ(NewsTypeTable().FindByCode("POLI"), 1);
}

} // namespace
} // namespace kv32test
