#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "filters_fixture.h"
#include "fw/core/codepage.h"
#include "kv32/filters/party_filters.h"
#include "kv32/filters/supervision_filters.h"
#include "kv32/res/criteria_strings.h"
#include "kv32/res/news_strings.h"
#include "kv32/res/shell_strings.h"
#include "kv32/res/strings.h"
#include "kv32/res/table_strings.h"
#include "kv32/res/trading_strings.h"
#include "kv32/tables/alert_log_port.h"

namespace {

using namespace kv32test;

class PartyCriteria : public CriteriaTables {
protected:
    PartyCriteria()
    {
        CVorlPermTarget* tables[] = { &TraderTable(), &RightTable() };
        for (CVorlPermTarget* t : tables)
            t->Free();
    }
    ~PartyCriteria() override
    {
        TraderTable().Free();
        RightTable().Free();
    }
    static AuditEventRec Audit()
    {
        AuditEventRec r {};
        Put(r.szSecurityCode, kSec1Key);
        Put(r.szUser, "U1");
        Put(r.szFirm, "FIRM1");
        Put(r.szTypeText, "Order entered");
        Put(r.szGroupName, "Orders");
        r.time = CDateTime(2026, 12, 11, 10, 0, 0);
        return r;
    }
    static CLogEntry Log(int32_t kind)
    {
        CLogEntry e;
        e.nKind = kind;
        Put(e.szUser, "U1");
        Put(e.szFirm, "FIRM1");
        Put(e.szSecurity, kSec1Key);
        e.time = CDateTime(2026, 12, 11, 0, 0, 0);
        return e;
    }
    static TraderRec User(const char* code, const char* firm)
    {
        TraderRec r;
        Put(r.szCode, code);
        Put(r.szFirm, firm);
        return r;
    }
    static void SetRights(int value)
    {
        RightTable().Free();
        if (value >= 0)
            RightTable().AddRec(RightRec { 0, 18, 0, value });
    }
};

TEST_F(PartyCriteria, AuditsMatchTable)
{
    const int sec1 = m_sec1, sec2 = m_sec2;
    auto window = [](CAuditsFilter& f) {
        f.m_tFromTime = CDateTime(2000, 1, 1, 10, 0, 0), f.m_tToTime = CDateTime(2000, 1, 1, 12, 0, 0);
    };
    struct Case {
        const char* name;
        std::function<void(CAuditsFilter&)> set;
        std::function<void(AuditEventRec&)> edit;
        bool shown;
    } cases[] = {
        { "off", [](CAuditsFilter& f) { f.m_bNoFiltering = 1, f.m_bAllTypes = 0; }, nullptr, true },
        { "on, untouched", nullptr, nullptr, true },
        { "empty boards", [](CAuditsFilter& f) { f.m_bAllBoards = 0; }, nullptr, false },
        { "empty securities", [](CAuditsFilter& f) { f.m_bAllSecurities = 0; }, nullptr, false },
        { "empty users", [](CAuditsFilter& f) { f.m_bAllUsers = 0; }, nullptr, false },
        { "empty firms", [](CAuditsFilter& f) { f.m_bAllFirms = 0; }, nullptr, false },
        { "empty types", [](CAuditsFilter& f) { f.m_bAllTypes = 0; }, nullptr, false },
        { "empty groups", [](CAuditsFilter& f) { f.m_bAllGroups = 0; }, nullptr, false },
        { "board of the key", [](CAuditsFilter& f) { f.m_bAllBoards = 0, f.m_aBoards = { 0 }; }, nullptr,
            true },
        { "listed security", [=](CAuditsFilter& f) { f.m_bAllSecurities = 0, f.m_aSecurities = { sec1 }; },
            nullptr, true },
        { "other security", [=](CAuditsFilter& f) { f.m_bAllSecurities = 0, f.m_aSecurities = { sec2 }; },
            nullptr, false },
        { "listed type", [](CAuditsFilter& f) { f.m_bAllTypes = 0, f.m_aTypes = { "Order entered" }; },
            nullptr, true },
        { "listed group", [](CAuditsFilter& f) { f.m_bAllGroups = 0, f.m_aGroups = { "Orders" }; }, nullptr,
            true },
        { "other firm", [](CAuditsFilter& f) { f.m_bAllFirms = 0, f.m_aFirms = { "FIRM2" }; }, nullptr,
            false },
        { "exactly at the from time", window, nullptr, true },
        { "a second before", window, [](AuditEventRec& r) { r.time = CDateTime(2026, 12, 11, 9, 59, 59); },
            false },
        { "12:00:00", window, [](AuditEventRec& r) { r.time = CDateTime(2026, 12, 11, 12, 0, 0); }, true },
        { "12:00:01", window, [](AuditEventRec& r) { r.time = CDateTime(2026, 12, 11, 12, 0, 1); }, false },
        { "invalid event time", window, [](AuditEventRec& r) { r.time = CDateTime(); }, true },
    };
    for (const Case& c : cases) {
        CAuditsFilter f;
        f.m_bNoFiltering = 0;
        if (c.set)
            c.set(f);
        AuditEventRec r = Audit();
        if (c.edit)
            c.edit(r);
        EXPECT_EQ(f.Match(r), c.shown) << c.name;
    }
}

TEST_F(PartyCriteria, LogsMatchTable)
{
    // The bounds the log dialog stores for one day when its pickers are untouched.
    auto wholeDay = [](CLogsFilter& f) {
        f.m_tFromDate = CDateTime(2026, 12, 11, 0, 0, 0), f.m_tToDate = CDateTime(2026, 12, 11, 23, 59, 59);
        f.m_tFromTime = CDateTime(2026, 12, 11, 0, 0, 0), f.m_tToTime = CDateTime(2026, 12, 11, 23, 59, 59);
    };
    auto stamped = [](int d, int h, int m, int s) {
        return [=](CLogEntry& e) { e.time = CDateTime(2026, 12, d, h, m, s); };
    };
    struct Case {
        const char* name;
        int32_t kind;
        std::function<void(CLogsFilter&)> set;
        std::function<void(CLogEntry&)> edit;
        bool shown;
    } cases[] = {
        { "off shows an unknown kind", 0x0800, [](CLogsFilter& f) { f.m_bNoFiltering = 1; }, nullptr, true },
        { "an unknown kind is hidden with every switch set", 0x0800, nullptr, nullptr, false },
        { "kind 0 is hidden", 0, nullptr, nullptr, false },
        { "user alert", LOG_KIND_USER_ALERT, nullptr, nullptr, true },
        { "user alert switch", LOG_KIND_USER_ALERT, [](CLogsFilter& f) { f.m_bShowUserAlerts = 0; }, nullptr,
            false },
        { "user alert by user", LOG_KIND_USER_ALERT, [](CLogsFilter& f) { f.m_bAllUsers = 0; }, nullptr,
            false },
        { "user alert ignores firms", LOG_KIND_USER_ALERT, [](CLogsFilter& f) { f.m_bAllFirms = 0; }, nullptr,
            true },
        { "firm alert by firm", LOG_KIND_FIRM_ALERT,
            [](CLogsFilter& f) { f.m_bAllFirms = 0, f.m_aFirms = { "FIRM1" }; }, nullptr, true },
        { "firm alert switch", LOG_KIND_FIRM_ALERT, [](CLogsFilter& f) { f.m_bShowFirmAlerts = 0; }, nullptr,
            false },
        { "security alert by board", LOG_KIND_SECURITY_ALERT,
            [](CLogsFilter& f) { f.m_bAllBoards = 0, f.m_aBoards = { 1 }; }, nullptr, false },
        { "security alert by security", LOG_KIND_SECURITY_ALERT,
            [](CLogsFilter& f) { f.m_bAllSecurities = 0; }, nullptr, false },
        { "security alert ignores users", LOG_KIND_SECURITY_ALERT, [](CLogsFilter& f) { f.m_bAllUsers = 0; },
            nullptr, true },
        { "security alert switch", LOG_KIND_SECURITY_ALERT,
            [](CLogsFilter& f) { f.m_bShowSecurityAlerts = 0; }, nullptr, false },
        { "news ignores every list", LOG_KIND_NEWS,
            [](CLogsFilter& f) { f.m_bAllUsers = f.m_bAllFirms = f.m_bAllBoards = f.m_bAllSecurities = 0; },
            nullptr, true },
        { "news switch", LOG_KIND_NEWS, [](CLogsFilter& f) { f.m_bShowNews = 0; }, nullptr, false },
        { "message by user", LOG_KIND_MESSAGE, [](CLogsFilter& f) { f.m_bAllUsers = 0; }, nullptr, false },
        { "message switch", LOG_KIND_MESSAGE, [](CLogsFilter& f) { f.m_bShowMessages = 0; }, nullptr, false },
        { "supervisor operation switch", LOG_KIND_TRADING_EVENT,
            [](CLogsFilter& f) { f.m_bShowSupervisorOperations = 0; }, nullptr, false },
        { "order counting by its board code", LOG_KIND_ORDER_COUNT,
            [](CLogsFilter& f) { f.m_bAllBoards = 0, f.m_aBoards = { 1 }; },
            [](CLogEntry& e) { e.szSecurity[0] = '\0', Put(e.szBoardName, "BRD2"); }, true },
        { "order counting by firm", LOG_KIND_ORDER_COUNT, [](CLogsFilter& f) { f.m_bAllFirms = 0; }, nullptr,
            false },
        { "order counting switch", LOG_KIND_ORDER_COUNT,
            [](CLogsFilter& f) { f.m_bShowOrderCountingAlerts = 0; }, nullptr, false },
        { "market maker alert needs every list", CLogsFilter::kMarketMakerAlertKind,
            [](CLogsFilter& f) {
                f.m_bAllFirms = 0, f.m_aFirms = { "FIRM1" }, f.m_bAllBoards = 0, f.m_aBoards = { 0 };
            },
            nullptr, true },
        { "market maker alert by user", CLogsFilter::kMarketMakerAlertKind,
            [](CLogsFilter& f) { f.m_bAllUsers = 0; }, nullptr, false },
        { "market maker alert switch", CLogsFilter::kMarketMakerAlertKind,
            [](CLogsFilter& f) { f.m_bShowMarketMakerAlerts = 0; }, nullptr, false },
        // Inclusive bounds: the day's first and last second show.
        { "00:00:00 of the from date", LOG_KIND_NEWS, wholeDay, nullptr, true },
        { "23:59:59 of the to date", LOG_KIND_NEWS, wholeDay, stamped(11, 23, 59, 59), true },
        { "the day before", LOG_KIND_NEWS, wholeDay, stamped(10, 23, 59, 59), false },
        { "the day after", LOG_KIND_NEWS, wholeDay, stamped(12, 0, 0, 0), false },
        { "time window on the entry's own day", LOG_KIND_NEWS,
            [](CLogsFilter& f) {
                f.m_tFromTime = CDateTime(2000, 1, 1, 10, 0, 0),
                f.m_tToTime = CDateTime(2000, 1, 1, 12, 0, 0);
            },
            stamped(20, 12, 0, 0), true },
        { "after the time window", LOG_KIND_NEWS,
            [](CLogsFilter& f) { f.m_tToTime = CDateTime(2000, 1, 1, 12, 0, 0); }, stamped(20, 12, 0, 1),
            false },
        { "an invalid entry time passes", LOG_KIND_NEWS,
            [](CLogsFilter& f) { f.m_tFromDate = CDateTime(2030, 1, 1, 0, 0, 0); },
            [](CLogEntry& e) { e.time = CDateTime(); }, true },
    };
    for (const Case& c : cases) {
        CLogsFilter f;
        f.m_bNoFiltering = 0;
        if (c.set)
            c.set(f);
        CLogEntry e = Log(c.kind);
        if (c.edit)
            c.edit(e);
        EXPECT_EQ(f.Match(e), c.shown) << c.name;
    }
}

TEST_F(PartyCriteria, OrderCountingFirmsNewsMatchTables)
{
    COrdCountRec counter {};
    Put(counter.szBoard, "BRD1");
    Put(counter.szFirm, "FIRM1");
    struct CountCase {
        std::function<void(COrdCountFilter&)> set;
        bool shown;
    } counts[] = {
        { nullptr, true },
        { [](COrdCountFilter& f) { f.m_bAllBoards = 0; }, false },
        { [](COrdCountFilter& f) { f.m_bAllBoards = 0, f.m_aBoards = { 0 }; }, true },
        { [](COrdCountFilter& f) { f.m_bAllBoards = 0, f.m_aBoards = { 1 }; }, false },
        { [](COrdCountFilter& f) { f.m_bAllFirms = 0, f.m_aFirms = { "FIRM1" }; }, true },
        { [](COrdCountFilter& f) { f.m_bAllFirms = 0, f.m_aFirms = { "FIRM2" }; }, false },
        { [](COrdCountFilter& f) { f.m_bNoFiltering = 1, f.m_bAllFirms = 0; }, true },
    };
    for (size_t i = 0; i < std::size(counts); ++i) {
        COrdCountFilter f;
        f.m_bNoFiltering = 0;
        if (counts[i].set)
            counts[i].set(f);
        EXPECT_EQ(f.Match(counter), counts[i].shown) << i;
    }

    struct FirmCase {
        const char* type;
        std::function<void(CFirmsFilter&)> set;
        bool shown;
    } firms[] = {
        { "BROK", nullptr, true },
        { "BROK", [](CFirmsFilter& f) { f.m_bShowBrokers = 0; }, false },
        { "EXCH", [](CFirmsFilter& f) { f.m_bShowExchanges = 0; }, false },
        { "INST", [](CFirmsFilter& f) { f.m_bShowInstitutions = 0; }, false },
        { "TULC", [](CFirmsFilter& f) { f.m_bShowInstitutions = 0; }, false },
        { "TULC", [](CFirmsFilter& f) { f.m_bShowBrokers = f.m_bShowExchanges = f.m_bShowIssuers = 0; },
            true },
        { "ISSR", [](CFirmsFilter& f) { f.m_bShowIssuers = 0; }, false },
        { "ISSR", [](CFirmsFilter& f) { f.m_bShowInstitutions = 0; }, true },
        { "OTHR", nullptr, false },
        { "OTHR", [](CFirmsFilter& f) { f.m_bNoFiltering = 1; }, true },
    };
    for (const FirmCase& c : firms) {
        CFirmsFilter f;
        f.m_bNoFiltering = 0;
        if (c.set)
            c.set(f);
        ParticipantRec p;
        Put(p.szType, c.type);
        EXPECT_EQ(f.Match(p), c.shown) << c.type;
    }

    CNewsFilter reset;
    EXPECT_EQ(reset.m_bNoFiltering, 1);
    EXPECT_EQ(reset.m_bAllTypes, 1);
    EXPECT_EQ(reset.m_bAllLanguages, 1);
    EXPECT_EQ(reset.m_bShowSent + reset.m_bShowPending + reset.m_bShowRemoved, 3);
    struct NewsCase {
        fw::Language language;
        const char* status; // as the table holds it, in the language
        std::function<void(CNewsFilter&)> set;
        bool shown;
    } news[] = {
        { fw::Language::English, "S", nullptr, true },
        { fw::Language::English, "S", [](CNewsFilter& f) { f.m_bShowSent = 0; }, false },
        { fw::Language::English, "P", [](CNewsFilter& f) { f.m_bShowPending = 0; }, false },
        { fw::Language::English, "R", [](CNewsFilter& f) { f.m_bShowRemoved = 0; }, false },
        { fw::Language::English, "F",
            [](CNewsFilter& f) { f.m_bShowSent = f.m_bShowPending = f.m_bShowRemoved = 0; }, true },
        { fw::Language::Hungarian, "E", [](CNewsFilter& f) { f.m_bShowSent = 0; }, false },
        { fw::Language::English, "S", [](CNewsFilter& f) { f.m_bAllTypes = 0; }, false },
        { fw::Language::English, "S", [](CNewsFilter& f) { f.m_bAllTypes = 0, f.m_aTypes = { "Company" }; },
            true },
        { fw::Language::English, "S",
            [](CNewsFilter& f) { f.m_bAllLanguages = 0, f.m_aLanguages = { "Hungarian" }; }, false },
        { fw::Language::English, "S", [](CNewsFilter& f) { f.m_bNoFiltering = 1, f.m_bShowSent = 0; }, true },
    };
    for (const NewsCase& c : news) {
        fw::setLanguage(c.language);
        CNewsFilter f;
        f.m_bNoFiltering = 0;
        if (c.set)
            c.set(f);
        NewsRec r;
        Put(r.szType, "Company");
        Put(r.szLanguage, "English");
        Put(r.szStatus, c.status);
        EXPECT_EQ(f.Match(r), c.shown) << c.status;
    }
}

TEST_F(PartyCriteria, UsersFollowTheRightsForMessageType18)
{
    TraderTable().AddRec(User("TRADER01", "FIRM1")); // the logged-on user
    TraderTable().AddRec(User("TRADER02", "FIRM1"));
    TraderTable().AddRec(User("TRADER03", "FIRM2"));
    struct Case {
        int rights; // -1: no record
        std::vector<bool> shown; // TRADER01, TRADER02, TRADER03
    } cases[] = {
        { -1, { true, true, true } },
        { 0x8, { true, true, true } },
        { 0x4, { true, true, false } },
        { 0x6, { true, false, false } },
        { 0x2, { true, false, false } },
        { 0x0, { true, true, true } },
    };
    CTradersFilter f; // its own members take no part
    for (const Case& c : cases) {
        SetRights(c.rights);
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ(f.Match(*TraderTable().GetRec(row)), c.shown[static_cast<size_t>(row)])
                << c.rights << " " << row;
    }
}

// Describes criteria turned on and then set up.
template <class T> std::function<void(std::string&)> On(std::function<void(T&)> set)
{
    return [set](std::string& title) {
        T f;
        f.m_bNoFiltering = 0;
        set(f);
        f.GetDescription(title);
    };
}

// Dates and times in the user's formats (the default locale record here).
TEST_F(PartyCriteria, DescriptionTable)
{
    struct Case {
        fw::Language language;
        std::function<void(std::string&)> describe;
        const char* title;
    } cases[] = {
        { fw::Language::English, On<CAuditsFilter>([](CAuditsFilter&) {}), "T filtered" },
        { fw::Language::English, On<CAuditsFilter>([](CAuditsFilter& f) { f.m_bNoFiltering = 1; }), "T" },
        { fw::Language::English, On<CAuditsFilter>([](CAuditsFilter& f) {
             f.m_tFromTime = CDateTime(2026, 12, 11, 10, 0, 0),
             f.m_tToTime = CDateTime(2026, 12, 11, 12, 0, 0);
         }),
            "T  from 10:00:00 AM to 12:00:00 PM" },
        { fw::Language::Hungarian,
            On<CAuditsFilter>([](CAuditsFilter& f) { f.m_tToTime = CDateTime(2026, 12, 11, 12, 0, 0); }),
            "T  eddig: 12:00:00 PM" },
        { fw::Language::English, On<CLogsFilter>([](CLogsFilter&) {}), "T filtered" },
        { fw::Language::English, On<CLogsFilter>([](CLogsFilter& f) {
             f.m_tFromDate = CDateTime(2026, 12, 11, 0, 0, 0);
             f.m_tToTime = CDateTime(2026, 12, 11, 8, 30, 0);
         }),
            "T  from 12/11/2026 to 8:30:00 AM" },
        { fw::Language::English,
            On<COrdCountFilter>([](COrdCountFilter& f) { f.m_bAllBoards = 0, f.m_aBoards = { 1 }; }),
            "T /BRD2" },
        { fw::Language::English, On<COrdCountFilter>([](COrdCountFilter& f) {
             f.m_bAllFirms = 0, f.m_aFirms = { "FIRM1" }, f.m_aBoards = { 1 };
         }),
            "T  FIRM1" },
        { fw::Language::Hungarian, On<COrdCountFilter>([](COrdCountFilter&) {}), "T szűrt" },
        { fw::Language::English, On<CFirmsFilter>([](CFirmsFilter&) {}),
            "T - Brokers/Exchanges/Institutions/Issuers" },
        { fw::Language::Hungarian,
            On<CFirmsFilter>([](CFirmsFilter& f) { f.m_bShowBrokers = f.m_bShowIssuers = 0; }),
            "T - Tőzsdék/Intézmények" },
        { fw::Language::English, On<CFirmsFilter>([](CFirmsFilter& f) {
             f.m_bShowBrokers = f.m_bShowExchanges = f.m_bShowInstitutions = f.m_bShowIssuers = 0;
         }),
            "T filtered" },
        { fw::Language::English, On<CNewsFilter>([](CNewsFilter&) {}), "T filtered" },
        { fw::Language::English, On<CNewsFilter>([](CNewsFilter& f) { f.m_bNoFiltering = 1; }), "T" },
        { fw::Language::English, On<CTradersFilter>([](CTradersFilter&) {}), "T" },
    };
    for (const Case& c : cases) {
        fw::setLanguage(c.language);
        std::string title = "T";
        c.describe(title);
        EXPECT_EQ(fw::cp1250ToUtf8(title), c.title);
    }
}

TEST_F(PartyCriteria, CashPositionsCriteriaReplaceTheTitleAndCompareWhole)
{
    struct Case {
        fw::Language language;
        int32_t kind;
        const char* title;
    } cases[] = {
        { fw::Language::English, CCurPosFilter::kFirms, " Firms FIRM1 U1 ACC1" },
        { fw::Language::English, CCurPosFilter::kUsers, " Users FIRM1 U1 ACC1" },
        { fw::Language::English, CCurPosFilter::kTradingAccounts, " Trading Accounts FIRM1 U1 ACC1" },
        { fw::Language::Hungarian, CCurPosFilter::kFirms, " Cégek FIRM1 U1 ACC1" },
        { fw::Language::English, 7, "  FIRM1 U1 ACC1" },
    };
    for (const Case& c : cases) {
        fw::setLanguage(c.language);
        CCurPosFilter f;
        f.m_nKind = c.kind, f.m_strFirm = "FIRM1", f.m_strUser = "U1", f.m_strAccount = "ACC1";
        std::string title = "Cash positions";
        f.GetDescription(title);
        EXPECT_EQ(fw::cp1250ToUtf8(title), c.title);
    }
    CCurPosFilter a, b;
    EXPECT_TRUE(a == b);
    b.m_strAccount = "ACC1";
    EXPECT_FALSE(a == b);
    a = b;
    EXPECT_TRUE(a == b);
    b.m_nKind = 1;
    EXPECT_FALSE(a == b);

    CSecPosFilter s;
    s.m_strFirm = "FIRM1", s.m_strAccount = "ACC1";
    s.Reset();
    EXPECT_TRUE(s.m_strFirm.empty() && s.m_strAccount.empty());
}

struct Golden {
    const char* name;
    std::function<std::vector<uint8_t>()> store; // criteria set up and stored
    std::vector<uint8_t> bytes; // the same, written by hand
};

TEST_F(PartyCriteria, ArchiveBytesWrittenByHand)
{
    const int sec2 = m_sec2;
    auto stored = [](auto& f) {
        fw::Archive ar;
        f.Serialize(ar);
        return ar.bytes();
    };
    Bytes audits;
    audits.Word(0); // no filtering
    audits.Word(0).DWord(1).Str("BRD1"); // boards
    audits.Word(0).DWord(1).Str(kSec2Key).DWord(1); // securities
    audits.Word(1).Word(1); // users, firms
    audits.Word(0).Word(1).Str("Order entered"); // types
    audits.Word(0).Word(0); // groups: empty
    audits.DWord(1).Raw({ 0, 0, 0, 0, 0, 0, 0, 0 }); // from: invalid
    audits.DWord(0).Raw({ 0, 0, 0, 0, 0, 0, 0xFC, 0x3F }); // to: day 1.75 (12-31 18:00)
    Bytes logs;
    logs.Word(0);
    for (uint16_t v = 1; v <= 8;
         ++v) // messages, news, market maker, users, firms, securities, supervisor, counting
        logs.Word(v);
    logs.Word(1).Word(1).Word(0).Word(1).Str("U1").Word(1);
    logs.DWord(0).Raw({ 0, 0, 0, 0, 0, 0, 0xD0, 0x3F }); // from date 06:00
    logs.DWord(2).Raw({ 0, 0, 0, 0, 0, 0, 0, 0 }); // to date: null
    logs.DWord(1).Raw({ 0, 0, 0, 0, 0, 0, 0, 0 });
    logs.DWord(0).Raw({ 0, 0, 0, 0, 0, 0, 0xFC, 0x3F });
    const Golden cases[] = {
        { "audits",
            [&] {
                CAuditsFilter f;
                f.m_bNoFiltering = 0;
                f.m_bAllBoards = 0, f.m_aBoards = { 0 };
                f.m_bAllSecurities = 0, f.m_aSecurities = { sec2 };
                f.m_bAllTypes = 0, f.m_aTypes = { "Order entered" };
                f.m_bAllGroups = 0;
                f.m_tToTime = CDateTime(1899, 12, 31, 18, 0, 0);
                return stored(f);
            },
            audits.Get() },
        { "audits off",
            [&] {
                CAuditsFilter f;
                f.m_aUsers = { "X" };
                return stored(f);
            },
            Bytes().Word(1).Get() },
        { "logs",
            [&] {
                CLogsFilter f;
                f.m_bNoFiltering = 0;
                int32_t* kinds[] = { &f.m_bShowMessages, &f.m_bShowNews, &f.m_bShowMarketMakerAlerts,
                    &f.m_bShowUserAlerts, &f.m_bShowFirmAlerts, &f.m_bShowSecurityAlerts,
                    &f.m_bShowSupervisorOperations, &f.m_bShowOrderCountingAlerts };
                for (int i = 0; i < 8; ++i)
                    *kinds[i] = i + 1;
                f.m_bAllUsers = 0, f.m_aUsers = { "U1" };
                f.m_tFromDate = CDateTime(1899, 12, 30, 6, 0, 0);
                f.m_tToDate.SetStatus(CDateTime::null);
                f.m_tToTime = CDateTime(1899, 12, 31, 18, 0, 0);
                return stored(f);
            },
            logs.Get() },
        { "order counting",
            [&] {
                COrdCountFilter f;
                f.m_bNoFiltering = 0, f.m_bAllFirms = 0, f.m_aFirms = { "FIRM1", "FIRM2" };
                return stored(f);
            },
            Bytes().Word(0).Word(1).Word(0).Word(2).Str("FIRM1").Str("FIRM2").Get() },
        { "firms",
            [&] {
                CFirmsFilter f;
                f.m_bNoFiltering = 0, f.m_bShowBrokers = 0, f.m_bShowExchanges = 0x10001,
                f.m_bShowIssuers = 3;
                return stored(f);
            },
            Bytes().Word(0).Word(0).Word(1).Word(1).Word(3).Get() },
        { "firms off",
            [&] {
                CFirmsFilter f;
                f.m_bShowBrokers = 0;
                return stored(f);
            },
            Bytes().Word(1).Get() },
        { "users",
            [&] {
                CTradersFilter f;
                f.m_bNoFiltering = 0, f.m_strText = "TRADER";
                return stored(f);
            },
            Bytes().Word(0).Str("TRADER").Get() },
        { "users off",
            [&] {
                CTradersFilter f;
                f.m_strText = "X";
                return stored(f);
            },
            Bytes().Word(1).Get() },
        { "cash positions",
            [&] {
                CCurPosFilter f;
                f.m_nKind = 2, f.m_strFirm = "FIRM1", f.m_strAccount = "ACC1";
                return stored(f);
            },
            Bytes().Word(2).Str("FIRM1").Str("").Str("ACC1").Get() },
    };
    for (const Golden& g : cases)
        EXPECT_EQ(g.store(), g.bytes) << g.name;

    // Loading the hand-written bytes gives the criteria back.
    CAuditsFilter a;
    LoadInto(a, audits.Get());
    EXPECT_EQ(a.m_aSecurities, std::vector<int>({ m_sec2 }));
    EXPECT_EQ(a.m_aTypes, std::vector<std::string>({ "Order entered" }));
    EXPECT_EQ(a.m_bAllGroups, 0);
    EXPECT_TRUE(a.m_aGroups.empty());
    EXPECT_EQ(a.m_tToTime, CDateTime(1899, 12, 31, 18, 0, 0));
    EXPECT_EQ(Stored(a), audits.Get());
    CLogsFilter l;
    LoadInto(l, logs.Get());
    EXPECT_EQ(l.m_bShowOrderCountingAlerts, 8);
    EXPECT_EQ(l.m_tToDate.GetStatus(), CDateTime::null);
    EXPECT_EQ(Stored(l), logs.Get());
    CFirmsFilter firms;
    LoadInto(firms, Bytes().Word(0).Word(0).Word(1).Word(1).Word(3).Get());
    EXPECT_EQ(firms.m_bShowExchanges, 1);
    EXPECT_EQ(firms.m_bShowIssuers, 3);
    CCurPosFilter cur;
    LoadInto(cur, Bytes().Word(0xFFFF).Str("F").Str("U").Str("A").Get());
    EXPECT_EQ(cur.m_nKind, 0xFFFF); // upper bits clear
    EXPECT_EQ(cur.m_strUser, "U");
    CTradersFilter users;
    LoadInto(users, Bytes().Word(0).Str("TRADER").Get());
    EXPECT_EQ(users.m_strText, "TRADER");
}

template <class T> void ExpectEveryCutThrows(T criteria)
{
    fw::Archive whole;
    criteria.Serialize(whole);
    T target;
    fw::Archive before;
    target.Serialize(before);
    for (size_t n = 0; n < whole.bytes().size(); ++n) {
        fw::Archive cut(std::vector<uint8_t>(
            whole.bytes().begin(), whole.bytes().begin() + static_cast<std::ptrdiff_t>(n)));
        EXPECT_THROW(target.Serialize(cut), fw::ArchiveError) << n;
        fw::Archive after;
        target.Serialize(after);
        EXPECT_EQ(after.bytes(), before.bytes()) << n;
    }
}

TEST_F(PartyCriteria, TruncatedArchivesThrow)
{
    CAuditsFilter audits;
    audits.m_bNoFiltering = 0, audits.m_bAllSecurities = 0, audits.m_aSecurities = { m_sec1 };
    audits.m_bAllGroups = 0, audits.m_aGroups = { "G" };
    ExpectEveryCutThrows(audits);
    CLogsFilter logs;
    logs.m_bNoFiltering = 0, logs.m_bAllBoards = 0, logs.m_aBoards = { 1 };
    ExpectEveryCutThrows(logs);
    COrdCountFilter counts;
    counts.m_bNoFiltering = 0, counts.m_bAllFirms = 0, counts.m_aFirms = { "F" };
    ExpectEveryCutThrows(counts);
    CFirmsFilter firms;
    firms.m_bNoFiltering = 0;
    ExpectEveryCutThrows(firms);
    CTradersFilter users;
    users.m_bNoFiltering = 0, users.m_strText = "T";
    ExpectEveryCutThrows(users);
    CCurPosFilter cur;
    cur.m_strFirm = "F";
    ExpectEveryCutThrows(cur);
}

TEST(CriteriaStrings, BothLanguagesAndIdsApartFromTheProgramsOtherTexts)
{
    std::vector<std::uint32_t> ids;
    for (const fw::StringEntry& e : Kv32CriteriaStrings()) {
        EXPECT_TRUE(e.en != nullptr && *e.en != '\0') << e.id;
        EXPECT_TRUE(e.hu != nullptr && *e.hu != '\0') << e.id;
        ids.push_back(e.id);
    }
    for (auto table :
        { Kv32Strings(), Kv32TableStrings(), Kv32NewsStrings(), Kv32TradingStrings(), Kv32ShellStrings() }) {
        for (const fw::StringEntry& e : table)
            ids.push_back(e.id);
    }
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
}

} // namespace
