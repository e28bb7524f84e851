// The trading event table over the scripted router: the 80-character event
// record as the host sends it, object names and prices per type, kind texts,
// the standing request, and one row and one log entry per event id.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/core/strings.h"
#include "kv32/tables/alert_log_port.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/router/info_req.h"
#include "support/kv32_fixture.h"
#include "support/log_recorder.h"
#include "support/security_records.h"

namespace kv32test {
namespace {

// An event record of 80 characters, field by field.
std::string EventRecord(long seq, const std::string& id, char type, const std::string& object, char kind = 'S',
    const std::string& first = "000012345", const std::string& second = "000009876",
    const std::string& time = "101530")
{
    std::string seqText = std::to_string(seq);
    seqText.insert(0, 10 - seqText.size(), '0');
    std::string r = seqText + Pad(id, 4) + time;
    r += type;
    r += Pad("SUPERVISOR", 12) + Pad("MSG00042", 8) + Pad(object, 20);
    r += kind;
    r += first + second;
    return r;
}

class TradeEvents : public Kv32Fixture {
protected:
    TradeEvents()
    {
        KvSetAlertLog(&log);
        for (CVorlPermTarget* t : CVorlPermTarget::apPermTargets)
            t->Free();
        SecuritySpec spec;
        spec.priceDec = 2;
        FeedRecord(SecurityTable(), 17, SecuritySnapshot(spec));
        FeedRecord(ParticipantTable(), 19, std::string("00000001FIRM1       First Broker") + std::string(137, ' '));
    }
    ~TradeEvents() override
    {
        for (CVorlPermTarget* t : CVorlPermTarget::apPermTargets)
            t->Free();
        KvSetAlertLog(nullptr);
    }
    void Event(const std::string& record) { FeedRecord(events, CTradeEventTable::kRequest, record); }

    RecordingLog log;
    CTradeEventTable& events = TradeEventTable();
};

TEST_F(TradeEvents, RecordFieldsAndPricesOfAPriceLimitChange)
{
    ASSERT_EQ(EventRecord(1, "7", 'H', "SEC1").size(), 80u);
    Event(EventRecord(15, "7", 'H', "SEC1", 'p'));
    ASSERT_EQ(events.GetCount(), 1);
    TradeEventRec rec;
    events.CopyRec(0, rec);
    EXPECT_EQ(rec.nIndex, 0);
    EXPECT_EQ(rec.nEventId, 7);
    EXPECT_EQ(rec.time.FormatTimeVORL(), "101530");
    EXPECT_EQ(rec.cEventType, 'H');
    EXPECT_STREQ(rec.szEventText, "Price Limit Change");
    EXPECT_STREQ(rec.szText12, "SUPERVISOR");
    EXPECT_STREQ(rec.szMessageKey, "MSG00042");
    EXPECT_STREQ(rec.szObjectCode, "SEC1");
    EXPECT_STREQ(rec.szObjectName, "SEC1");
    EXPECT_STREQ(rec.szKind, "P");
    EXPECT_DOUBLE_EQ(rec.dUpperLimit, 12.345);
    EXPECT_DOUBLE_EQ(rec.dLowerLimit, 9.876);
    EXPECT_EQ(CTradeEventTable::FindEventSecurity(rec), 0);
    EXPECT_STREQ(events.m_szSeqNum, "0000000015");
    ASSERT_EQ(log.notes.size(), 1u);
    EXPECT_EQ(log.notes[0].nKind, LOG_KIND_TRADING_EVENT);
    EXPECT_EQ(log.notes[0].text, "Price Limit Change SEC1");

    // A reference price change reads the security's own decimals.
    Event(EventRecord(16, "8", 'G', "SEC1"));
    EXPECT_DOUBLE_EQ(events.GetRec(1)->dRefPrice, 123.45);
    // A record one byte short is left out.
    Event(EventRecord(17, "9", 'A', "SEC1").substr(0, 79));
    EXPECT_EQ(events.GetCount(), 2);
}

TEST_F(TradeEvents, ObjectNamesAndEventTextsByType)
{
    const struct {
        char type;
        const char* object;
        const char* text;
        const char* name;
    } cases[] = {
        { 'A', "SEC1", "Security Suspend", "SEC1" },
        { 'B', "SEC1", "Security Unsuspend", "SEC1" },
        { 'C', "", "All Trading Suspend", "All" },
        { 'D', "", "All Trading Unsuspend", "All" },
        { 'E', "FIRM1", "Issuer Suspend", "First Broker" },
        { 'F', "FIRM1", "Issuer Unsuspend", "First Broker" },
        { 'G', "NOSUCH", "Reference Price Change", "" },
        { 'H', "NOSUCH", "Price Limit Change", "" },
        { 'E', "NOFIRM", "Issuer Suspend", "" },
        { 'Z', "SEC1", "", "" },
    };
    int id = 1;
    for (const auto& c : cases) {
        Event(EventRecord(id, std::to_string(id), c.type, c.object));
        ASSERT_EQ(events.GetCount(), id) << c.type;
        const TradeEventRec* rec = events.GetRec(id - 1);
        EXPECT_STREQ(rec->szEventText, c.text) << c.type << c.object;
        EXPECT_STREQ(rec->szObjectName, c.name) << c.type << c.object;
        EXPECT_DOUBLE_EQ(rec->dRefPrice, 0.0) << "no price without the security";
        ++id;
    }
}

TEST_F(TradeEvents, KindTexts)
{
    const struct {
        char letter;
        const char* en;
        const char* hu;
    } cases[] = { { 'F', "F", "H" }, { 'f', "F", "H" }, { 'P', "P", "F" }, { 'p', "P", "F" }, { 'R', "R", "T" },
        { 'r', "R", "T" }, { 'S', "S", "E" }, { '?', "S", "E" } };
    for (const auto& c : cases) {
        EXPECT_EQ(CTradeEventTable::KindText(c.letter), c.en) << c.letter;
        fw::setLanguage(fw::Language::Hungarian);
        EXPECT_EQ(CTradeEventTable::KindText(c.letter), c.hu) << c.letter;
        fw::setLanguage(fw::Language::English);
    }
}

TEST_F(TradeEvents, SameEventIdGivesOneRowAndOneLogEntryAlsoAfterARelogon)
{
    Event(EventRecord(1, "5", 'A', "SEC1", 'S'));
    Event(EventRecord(2, "5", 'B', "OTHER", 'R', "000000000", "000000000", "111111"));
    ASSERT_EQ(events.GetCount(), 1);
    const TradeEventRec* rec = events.GetRec(0);
    EXPECT_EQ(rec->cEventType, 'B');
    EXPECT_STREQ(rec->szObjectCode, "OTHER");
    EXPECT_STREQ(rec->szKind, "R");
    EXPECT_EQ(rec->time.FormatTimeVORL(), "111111");
    EXPECT_STREQ(rec->szEventText, "Security Suspend") << "kept from the first record";
    EXPECT_STREQ(rec->szObjectName, "SEC1") << "kept from the first record";
    EXPECT_EQ(log.notes.size(), 1u);

    // A re-logon empties the table; the host sends the event again.
    events.Free();
    EXPECT_STREQ(events.m_szSeqNum, "0000000000");
    Event(EventRecord(1, "5", 'A', "SEC1", 'S'));
    EXPECT_EQ(events.GetCount(), 1);
    EXPECT_EQ(log.notes.size(), 1u);
}

TEST_F(TradeEvents, StandingRequestContinuesAfterTheLastSequenceNumber)
{
    Event(EventRecord(42, "1", 'C', ""));
    EXPECT_EQ(events.UpdateReq(), 0) << "not before the session loads the table";
    ASSERT_EQ(events.Load(), 1);
    ASSERT_EQ(events.UpdateReq(), 1);
    ASSERT_TRUE(VORLInfoReqEnd());
    const std::vector<Msg> sent = router.Requests();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].type, CTradeEventTable::kRequest);
    EXPECT_EQ(sent[0].bytes, "TRADER01    0000000042");
}

} // namespace
} // namespace kv32test
