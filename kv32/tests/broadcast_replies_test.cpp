// Golden host records of the broadcast and event tables, laid out by hand at
// the host's offsets (kv32/tests/data): an exchange message of 709
// characters, a news head of 188 (id 0, as after a logon), a news type of 43
// and a trading event of 80, each taken into its table with the program's own
// alert log as the sink, so that a record sent again is logged once.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "kv32/tables/all_tables.h"
#include "kvcore/app/profile_settings.h"
#include "support/kv32_fixture.h"
#include "support/log_recorder.h"
#include "support/security_records.h"

namespace kv32test {
namespace {

std::string Fixture(const char* name)
{
    std::ifstream in(std::filesystem::path(KV32_TEST_DATA_DIR) / name, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

class GoldenReplies : public Kv32Fixture {
protected:
    GoldenReplies()
    {
        KvSetReplyPartners(nullptr);
        KvConnectAlertTables(KvTables());
        for (CVorlPermTarget* t : CVorlPermTarget::apPermTargets)
            t->Free();
        fLogDisplay = 0;
        SecuritySpec spec;
        FeedRecord(SecurityTable(), 17, SecuritySnapshot(spec));
        FeedRecord(ParticipantTable(), 19, std::string("00000001FIRM1       First Broker") + std::string(137, ' '));
    }
    ~GoldenReplies() override
    {
        for (CVorlPermTarget* t : CVorlPermTarget::apPermTargets)
            t->Free();
        fLogDisplay = 0;
    }
    CAlertLogTable& log = AlertLogTable();
};

TEST_F(GoldenReplies, ExchangeMessageOf709Characters)
{
    const std::string record = Fixture("exch_message_709.bin");
    ASSERT_EQ(record.size(), 709u);
    FeedRecord(ExchMessageTable(), 194, record);
    ASSERT_EQ(ExchMessageTable().GetCount(), 1);
    const ExchMessageRec& rec = *ExchMessageTable().GetRec(0);
    EXPECT_STREQ(rec.szKey, "00000012");
    EXPECT_STREQ(rec.szFromFirm, "EXCH");
    EXPECT_STREQ(rec.szToUser, "TRADER01");
    EXPECT_EQ(rec.time.FormatTimeVORL(), "101530");
    EXPECT_STREQ(rec.szMessage, "Trading halted until further notice");
    EXPECT_EQ(rec.nReference, 17);
    ASSERT_EQ(log.GetCount(), 1);
    EXPECT_EQ(log.GetRec(0)->nKind, 0x5000);
    EXPECT_STREQ(log.GetRec(0)->szUser, "TRADER01");
    EXPECT_STREQ(log.GetRec(0)->szText, "Trading halted until further notice");
    // Sent again after a logon (the table emptied): stored again, logged once.
    ExchMessageTable().Free();
    FeedRecord(ExchMessageTable(), 194, record);
    EXPECT_EQ(ExchMessageTable().GetCount(), 1);
    EXPECT_EQ(log.GetCount(), 1);
    EXPECT_TRUE(ui.notified.empty()) << "log entries of broadcasts are never shown";
}

TEST_F(GoldenReplies, NewsHeadOf188CharactersAndNewsTypeOf43)
{
    const std::string type = Fixture("news_type_43.bin");
    ASSERT_EQ(type.size(), 43u);
    FeedRecord(NewsTypeTable(), CSubTable73::kRequest, type);
    ASSERT_EQ(NewsTypeTable().GetCount(), 1);
    EXPECT_STREQ(NewsTypeTable().GetRec(0)->szCode, "ECON");
    EXPECT_STREQ(NewsTypeTable().GetRec(0)->szName, "Economy");
    EXPECT_EQ(fLastRec, 1);

    const std::string head = Fixture("news_head_188.bin");
    ASSERT_EQ(head.size(), 188u);
    FeedRecord(NewsTable(), 195, head);
    ASSERT_EQ(NewsTable().GetCount(), 1) << "news id 0 after a logon is new";
    const NewsRec& rec = *NewsTable().GetRec(0);
    EXPECT_EQ(rec.nNewsId, 0);
    EXPECT_STREQ(rec.szType, "Economy");
    EXPECT_STREQ(rec.szIssuer, "First Broker");
    EXPECT_STREQ(rec.szSecurity, "SEC1");
    EXPECT_STREQ(rec.szTitle, "Rates unchanged");
    EXPECT_STREQ(rec.szStatus, "P");
    EXPECT_EQ(rec.dateTime, CDateTime(2026, 12, 10, 10, 15, 0));
    ASSERT_EQ(log.GetCount(), 1);
    EXPECT_EQ(log.GetRec(0)->nKind, 0x4000);
    EXPECT_EQ(log.GetRec(0)->time, CDateTime(2026, 12, 10, 10, 15, 0));
    // The same head after a logon: one log entry still; another id with the same title and time is logged.
    NewsTable().Free();
    FeedRecord(NewsTable(), 195, head);
    EXPECT_EQ(log.GetCount(), 1);
    std::string other = head;
    other.replace(0, 8, "00000001");
    FeedRecord(NewsTable(), 195, other);
    EXPECT_EQ(log.GetCount(), 2);
}

TEST_F(GoldenReplies, TradingEventOf80CharactersLoggedOnceAlsoAfterARelogon)
{
    const std::string record = Fixture("trade_event_80.bin");
    ASSERT_EQ(record.size(), 80u);
    for (int logon = 0; logon < 2; ++logon) {
        TradeEventTable().Free();
        FeedRecord(TradeEventTable(), CTradeEventTable::kRequest, record);
        FeedRecord(TradeEventTable(), CTradeEventTable::kRequest, record);
        ASSERT_EQ(TradeEventTable().GetCount(), 1);
    }
    const TradeEventRec& rec = *TradeEventTable().GetRec(0);
    EXPECT_EQ(rec.nEventId, 7);
    EXPECT_EQ(rec.cEventType, 'H');
    EXPECT_STREQ(rec.szMessageKey, "MSG00042");
    EXPECT_STREQ(rec.szObjectCode, "SEC1");
    EXPECT_DOUBLE_EQ(rec.dUpperLimit, 12.345);
    EXPECT_DOUBLE_EQ(rec.dLowerLimit, 9.876);
    ASSERT_EQ(log.GetCount(), 1);
    EXPECT_EQ(log.GetRec(0)->nKind, 0x6000);
    EXPECT_STREQ(log.GetRec(0)->szUser, "SUPERVISOR");
    EXPECT_STREQ(log.GetRec(0)->szText, "Price Limit Change SEC1");
    EXPECT_EQ(log.GetRec(0)->time.FormatTimeVORL(), "101530");
}

} // namespace
} // namespace kv32test
