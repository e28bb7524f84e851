#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "filters_fixture.h"
#include "fw/core/codepage.h"
#include "kv32/filters/private_order_filter.h"
#include "kv32/filters/trading_filters.h"

namespace {

using namespace kv32test;

// A from time of 06:00 (day 0.25) and an invalid to time, as stored.
Bytes& Times(Bytes& b)
{
    b.DWord(0).Raw({ 0, 0, 0, 0, 0, 0, 0xD0, 0x3F });
    return b.DWord(1).Raw({ 0, 0, 0, 0, 0, 0, 0, 0 });
}

class TradingCriteria : public CriteriaTables {
protected:
    static CNegDealRec Deal()
    {
        CNegDealRec r {};
        r.nDealNo = 7;
        Put(r.szSecurityCode, kSec1Key);
        Put(r.szBoardCode, "BRD1");
        Put(r.szUser, "U1");
        Put(r.szTrdAcc, "ACC1");
        Put(r.szBuySell, "B");
        Put(r.szStatus, "Open");
        r.dtDeal = CDateTime(2026, 12, 11, 11, 0, 0);
        return r;
    }
    static CTradeRec Trade()
    {
        CTradeRec r {};
        r.nTradeNo = 70;
        r.nBuyOrderNo = 5;
        r.nSellOrderNo = 15;
        Put(r.szSecurityCode, kSec1Key);
        Put(r.szBoardCode, "BRD1");
        Put(r.szBuyUser, "BU");
        Put(r.szSellUser, "SU");
        Put(r.szBuyTrdAcc, "BACC");
        Put(r.szSellTrdAcc, "SACC");
        Put(r.szStatus, "Matched");
        r.dtTrade = CDateTime(2026, 12, 11, 11, 0, 0);
        return r;
    }
    static LastTradeRec Last()
    {
        LastTradeRec r;
        Put(r.szCode, kSec1Key);
        Put(r.szSourceName, "Auction");
        return r;
    }
    static CLocalOrderRec Private()
    {
        CLocalOrderRec r;
        Put(r.szWorkArea, "DESK A");
        Put(r.szSecurityCode, kSec1Key);
        Put(r.szTrdAcc, "ACC1");
        Put(r.szBuySell, "B");
        Put(r.szStatus, "New");
        Put(r.szType, Flags({ 1 }));
        return r;
    }
};

TEST_F(TradingCriteria, ResetLeavesEveryCriteriaOffWithListsIgnored)
{
    CNDealsFilter deals;
    deals.m_bNoFiltering = 0, deals.m_bShowBuy = 0, deals.m_aUsers = { "U" }, deals.m_nLowestDealNo = 3;
    deals.Reset();
    EXPECT_EQ(deals.m_bNoFiltering, 1);
    EXPECT_EQ(deals.m_bShowBuy, 1);
    EXPECT_TRUE(deals.m_aUsers.empty());
    EXPECT_EQ(deals.m_nLowestDealNo, 0u);

    CTradesFilter trades;
    trades.m_strFromTime = "100000";
    trades.m_bAllBoards = 0;
    trades.Reset();
    EXPECT_EQ(trades.m_bAllBoards, 1);
    EXPECT_EQ(trades.m_strFromTime, "100000"); // the window's, not the criteria's

    CPrivateOrderFilter priv;
    priv.m_bShowFillOrKill = 0, priv.m_aWAI = { "X" };
    priv.Reset();
    EXPECT_EQ(priv.m_bShowFillOrKill, 1);
    EXPECT_TRUE(priv.m_aWAI.empty());

    CLastNFilter last;
    last.m_strType = "Auction";
    last.Reset();
    EXPECT_TRUE(last.m_strType.empty());
    EXPECT_EQ(last.m_bNoFiltering, 1);
}

TEST_F(TradingCriteria, DealsMatchTable)
{
    using Set = std::function<void(CNDealsFilter&)>;
    auto status = [](const char* text) { return [text](CNegDealRec& r) { Put(r.szStatus, text); }; };
    const int sec2 = m_sec2;
    struct Case {
        const char* name;
        Set set;
        std::function<void(CNegDealRec&)> edit;
        bool shown;
    } cases[] = {
        { "on, untouched", nullptr, nullptr, true },
        { "empty securities", [](CNDealsFilter& f) { f.m_bAllSecurities = 0; }, nullptr, false },
        { "empty boards", [](CNDealsFilter& f) { f.m_bAllBoards = 0; }, nullptr, false },
        { "empty users", [](CNDealsFilter& f) { f.m_bAllUsers = 0; }, nullptr, false },
        { "empty accounts", [](CNDealsFilter& f) { f.m_bAllAccounts = 0; }, nullptr, false },
        { "other security", [=](CNDealsFilter& f) { f.m_bAllSecurities = 0, f.m_aSecurities = { sec2 }; },
            nullptr, false },
        { "listed board", [](CNDealsFilter& f) { f.m_bAllBoards = 0, f.m_aBoards = { 0 }; }, nullptr, true },
        { "listed account", [](CNDealsFilter& f) { f.m_bAllAccounts = 0, f.m_aAccounts = { "ACC1" }; },
            nullptr, true },
        { "buy hidden", [](CNDealsFilter& f) { f.m_bShowBuy = 0; }, nullptr, false },
        { "sell hidden", [](CNDealsFilter& f) { f.m_bShowSell = 0; },
            [](CNegDealRec& r) { Put(r.szBuySell, "S"); }, false },
        { "open hidden", [](CNDealsFilter& f) { f.m_bShowOpen = 0; }, nullptr, false },
        { "amended hidden", [](CNDealsFilter& f) { f.m_bShowAmended = 0; }, status("Amended"), false },
        { "unapproved hidden", [](CNDealsFilter& f) { f.m_bShowUnapproved = 0; }, status("Unappr."), false },
        { "unconfirmed hidden", [](CNDealsFilter& f) { f.m_bShowUnconfirmed = 0; }, status("Unconf."),
            false },
        { "matched hidden", [](CNDealsFilter& f) { f.m_bShowMatched = 0; }, status("Matched"), false },
        { "withdrawn hidden", [](CNDealsFilter& f) { f.m_bShowWithdrawn = 0; }, status("Withdraw"), false },
        { "a status of no name passes", [](CNDealsFilter& f) { f.m_bShowOpen = f.m_bShowMatched = 0; },
            status("Inactive"), true },
        { "range 5..0", [](CNDealsFilter& f) { f.m_nLowestDealNo = 5; }, nullptr, true },
        { "range 8..0", [](CNDealsFilter& f) { f.m_nLowestDealNo = 8; }, nullptr, false },
        { "window ends at the deal's time",
            [](CNDealsFilter& f) {
                f.m_tFromTime = CDateTime(2000, 1, 1, 10, 0, 0),
                f.m_tToTime = CDateTime(2000, 1, 1, 11, 0, 0);
            },
            nullptr, true },
        { "window ends a second before",
            [](CNDealsFilter& f) { f.m_tToTime = CDateTime(2000, 1, 1, 10, 59, 59); }, nullptr, false },
        { "invalid deal time passes",
            [](CNDealsFilter& f) { f.m_tToTime = CDateTime(2000, 1, 1, 10, 59, 59); },
            [](CNegDealRec& r) { r.dtDeal = CDateTime(); }, true },
    };
    for (const Case& c : cases) {
        CNDealsFilter f;
        f.m_bNoFiltering = 0;
        if (c.set)
            c.set(f);
        CNegDealRec r = Deal();
        if (c.edit)
            c.edit(r);
        EXPECT_EQ(f.Match(r), c.shown) << c.name;
    }
}

TEST_F(TradingCriteria, TradesMatchTable)
{
    using Set = std::function<void(CTradesFilter&)>;
    auto at = [](int h, int m, int s) {
        return [=](CTradeRec& r) { r.dtTrade = CDateTime(2026, 12, 11, h, m, s); };
    };
    const int sec1 = m_sec1;
    struct Case {
        const char* name;
        Set set;
        std::function<void(CTradeRec&)> edit;
        bool shown;
    } cases[] = {
        { "off", [](CTradesFilter& f) { f.m_bNoFiltering = 1, f.m_bShowMatched = 0; }, nullptr, true },
        { "on, untouched", nullptr, nullptr, true },
        { "listed security", [=](CTradesFilter& f) { f.m_bAllSecurities = 0, f.m_aSecurities = { sec1 }; },
            nullptr, true },
        { "other board", [](CTradesFilter& f) { f.m_bAllBoards = 0, f.m_aBoards = { 1 }; }, nullptr, false },
        { "the buyer listed", [](CTradesFilter& f) { f.m_bAllUsers = 0, f.m_aUsers = { "BU" }; }, nullptr,
            true },
        { "the seller listed", [](CTradesFilter& f) { f.m_bAllUsers = 0, f.m_aUsers = { "SU" }; }, nullptr,
            true },
        { "neither user listed", [](CTradesFilter& f) { f.m_bAllUsers = 0, f.m_aUsers = { "XU" }; }, nullptr,
            false },
        { "the seller's account listed",
            [](CTradesFilter& f) { f.m_bAllAccounts = 0, f.m_aAccounts = { "SACC" }; }, nullptr, true },
        { "neither account listed", [](CTradesFilter& f) { f.m_bAllAccounts = 0; }, nullptr, false },
        { "matched hidden", [](CTradesFilter& f) { f.m_bShowMatched = 0; }, nullptr, false },
        { "cancelled hidden", [](CTradesFilter& f) { f.m_bShowCancelled = 0; },
            [](CTradeRec& r) { Put(r.szStatus, "Cancel"); }, false },
        { "pending shown with both hidden",
            [](CTradesFilter& f) { f.m_bShowMatched = f.m_bShowCancelled = 0; },
            [](CTradeRec& r) { Put(r.szStatus, "Pending"); }, true },
        { "12:00:00 shown", [](CTradesFilter& f) { f.m_strFromTime = "100000", f.m_strToTime = "120000"; },
            at(12, 0, 0), true },
        { "12:00:01 hidden", [](CTradesFilter& f) { f.m_strFromTime = "100000", f.m_strToTime = "120000"; },
            at(12, 0, 1), false },
        { "09:59:59 hidden", [](CTradesFilter& f) { f.m_strFromTime = "100000"; }, at(9, 59, 59), false },
        { "a short time text bounds nothing", [](CTradesFilter& f) { f.m_strFromTime = "1200"; }, at(9, 0, 0),
            true },
        { "a time text of letters bounds nothing", [](CTradesFilter& f) { f.m_strToTime = "08aa00"; },
            at(9, 0, 0), true },
        { "an impossible time bounds nothing", [](CTradesFilter& f) { f.m_strToTime = "250000"; },
            at(9, 0, 0), true },
        { "an invalid trade time passes", [](CTradesFilter& f) { f.m_strToTime = "080000"; },
            [](CTradeRec& r) { r.dtTrade = CDateTime(); }, true },
        { "trade number in range",
            [](CTradesFilter& f) { f.m_nLowestTradeNo = 70, f.m_nHighestTradeNo = 70; }, nullptr, true },
        { "trade number out of range", [](CTradesFilter& f) { f.m_nLowestTradeNo = 71; }, nullptr, false },
        { "only the sell order in range",
            [](CTradesFilter& f) { f.m_nLowestOrderNo = 10, f.m_nHighestOrderNo = 20; }, nullptr, true },
        { "only the buy order in range",
            [](CTradesFilter& f) { f.m_nLowestOrderNo = 1, f.m_nHighestOrderNo = 6; }, nullptr, true },
        { "neither order in range",
            [](CTradesFilter& f) { f.m_nLowestOrderNo = 6, f.m_nHighestOrderNo = 14; }, nullptr, false },
    };
    for (const Case& c : cases) {
        CTradesFilter f;
        f.m_bNoFiltering = 0;
        if (c.set)
            c.set(f);
        CTradeRec r = Trade();
        if (c.edit)
            c.edit(r);
        EXPECT_EQ(f.Match(r), c.shown) << c.name;
    }
}

TEST_F(TradingCriteria, LastTradesMatchTable)
{
    const int sec1 = m_sec1, sec2 = m_sec2;
    struct Case {
        const char* name;
        std::function<void(CLastNFilter&)> set;
        const char* code;
        bool shown;
    } cases[] = {
        { "on, untouched", nullptr, kSec1Key, true },
        { "empty securities", [](CLastNFilter& f) { f.m_bAllSecurities = 0; }, kSec1Key, false },
        { "listed security", [=](CLastNFilter& f) { f.m_bAllSecurities = 0, f.m_aSecurities = { sec1 }; },
            kSec1OnBrd2Key, true },
        { "other security", [=](CLastNFilter& f) { f.m_bAllSecurities = 0, f.m_aSecurities = { sec2 }; },
            kSec1Key, false },
        { "board of the key listed", [](CLastNFilter& f) { f.m_bAllBoards = 0, f.m_aBoards = { 1 }; },
            kSec1OnBrd2Key, true },
        { "board of the key not listed", [](CLastNFilter& f) { f.m_bAllBoards = 0, f.m_aBoards = { 1 }; },
            kSec1Key, false },
        { "type equal", [](CLastNFilter& f) { f.m_strType = "Auction"; }, kSec1Key, true },
        { "type compared exactly", [](CLastNFilter& f) { f.m_strType = "auction"; }, kSec1Key, false },
    };
    for (const Case& c : cases) {
        CLastNFilter f;
        f.m_bNoFiltering = 0;
        if (c.set)
            c.set(f);
        LastTradeRec r = Last();
        Put(r.szCode, c.code);
        EXPECT_EQ(f.Match(r), c.shown) << c.name;
    }
}

TEST_F(TradingCriteria, PrivateOrdersMatchTable)
{
    using Set = std::function<void(CPrivateOrderFilter&)>;
    auto flags = [](std::initializer_list<int> set) {
        return [text = Flags(set)](CLocalOrderRec& r) { Put(r.szType, text); };
    };
    auto state = [](const char* text) { return [text](CLocalOrderRec& r) { Put(r.szStatus, text); }; };
    struct Case {
        const char* name;
        Set set;
        std::function<void(CLocalOrderRec&)> edit;
        bool shown;
    } cases[] = {
        { "on, untouched", nullptr, nullptr, true },
        { "empty WAI list", [](CPrivateOrderFilter& f) { f.m_bAllWAI = 0; }, nullptr, false },
        { "listed WAI", [](CPrivateOrderFilter& f) { f.m_bAllWAI = 0, f.m_aWAI = { "DESK A" }; }, nullptr,
            true },
        { "board of the key", [](CPrivateOrderFilter& f) { f.m_bAllBoards = 0, f.m_aBoards = { 0 }; },
            nullptr, true },
        { "board of the key not listed",
            [](CPrivateOrderFilter& f) { f.m_bAllBoards = 0, f.m_aBoards = { 1 }; }, nullptr, false },
        { "empty accounts", [](CPrivateOrderFilter& f) { f.m_bAllAccounts = 0; }, nullptr, false },
        { "buy hidden", [](CPrivateOrderFilter& f) { f.m_bShowBuy = 0; }, nullptr, false },
        { "new hidden", [](CPrivateOrderFilter& f) { f.m_bShowNew = 0; }, nullptr, false },
        { "copy hidden", [](CPrivateOrderFilter& f) { f.m_bShowCopy = 0; }, state("Copy"), false },
        { "accepted hidden", [](CPrivateOrderFilter& f) { f.m_bShowAccepted = 0; }, state("Accepted"),
            false },
        { "amended hidden", [](CPrivateOrderFilter& f) { f.m_bShowAmended = 0; }, state("Amended"), false },
        { "rejected hidden", [](CPrivateOrderFilter& f) { f.m_bShowRejected = 0; }, state("Rejected"),
            false },
        { "market hidden", [](CPrivateOrderFilter& f) { f.m_bShowMarket = 0; }, flags({ 0 }), false },
        { "limit hidden", [](CPrivateOrderFilter& f) { f.m_bShowLimit = 0; }, nullptr, false },
        { "stop hidden", [](CPrivateOrderFilter& f) { f.m_bShowStop = 0; }, flags({ 1, 12 }), false },
        { "not stop hidden", [](CPrivateOrderFilter& f) { f.m_bShowNotStop = 0; }, nullptr, false },
        { "market maker hidden", [](CPrivateOrderFilter& f) { f.m_bShowMarketMaker = 0; }, flags({ 1, 5 }),
            false },
        { "flag 13 hidden", [](CPrivateOrderFilter& f) { f.m_bShowFlag13 = 0; }, flags({ 1, 13 }), false },
        { "good till time hidden", [](CPrivateOrderFilter& f) { f.m_bShowGoodTillTime = 0; },
            flags({ 1, 23 }), false },
        { "session hidden", [](CPrivateOrderFilter& f) { f.m_bShowSession = 0; }, flags({ 1, 24 }), false },
        // The fill conditions are told apart as on the orders window.
        { "fill or kill hidden", [](CPrivateOrderFilter& f) { f.m_bShowFillOrKill = 0; },
            flags({ 1, 15, 28 }), false },
        { "fill or kill is not all or none", [](CPrivateOrderFilter& f) { f.m_bShowAllOrNone = 0; },
            flags({ 1, 15, 28 }), true },
        { "all or none hidden", [](CPrivateOrderFilter& f) { f.m_bShowAllOrNone = 0; }, flags({ 1, 15 }),
            false },
        { "fill and cancel hidden", [](CPrivateOrderFilter& f) { f.m_bShowFillAndCancel = 0; },
            flags({ 1, 17, 28 }), false },
        { "fill any has no switch here", [](CPrivateOrderFilter& f) { f.m_bShowFillAndCancel = 0; },
            flags({ 1, 17 }), true },
    };
    for (const Case& c : cases) {
        CPrivateOrderFilter f;
        f.m_bNoFiltering = 0;
        if (c.set)
            c.set(f);
        CLocalOrderRec r = Private();
        if (c.edit)
            c.edit(r);
        EXPECT_EQ(f.Match(r), c.shown) << c.name;
    }
    fw::setLanguage(fw::Language::Hungarian);
    CPrivateOrderFilter f;
    f.m_bNoFiltering = 0, f.m_bShowNew = 0;
    CLocalOrderRec r = Private();
    Put(r.szStatus, fw::utf8ToCp1250("Új").text);
    EXPECT_FALSE(f.Match(r));
}

TEST_F(TradingCriteria, DescriptionTable)
{
    const int sec1 = m_sec1;
    auto deals = [](std::function<void(CNDealsFilter&)> set) {
        return [set](std::string& title) {
            CNDealsFilter f;
            f.m_bNoFiltering = 0;
            set(f);
            f.GetDescription(title);
        };
    };
    auto trades = [](std::function<void(CTradesFilter&)> set) {
        return [set](std::string& title) {
            CTradesFilter f;
            f.m_bNoFiltering = 0;
            set(f);
            f.GetDescription(title);
        };
    };
    auto last = [](std::function<void(CLastNFilter&)> set) {
        return [set](std::string& title) {
            CLastNFilter f;
            f.m_bNoFiltering = 0;
            set(f);
            f.GetDescription(title);
        };
    };
    auto priv = [](std::function<void(CPrivateOrderFilter&)> set) {
        return [set](std::string& title) {
            CPrivateOrderFilter f;
            f.m_bNoFiltering = 0;
            set(f);
            f.GetDescription(title);
        };
    };
    struct Case {
        fw::Language language;
        std::function<void(std::string&)> describe;
        const char* title;
    } cases[] = {
        { fw::Language::English, deals([](CNDealsFilter& f) { f.m_bNoFiltering = 1; }), "T" },
        { fw::Language::English, deals([](CNDealsFilter&) {}), "T filtered" },
        { fw::Language::English, deals([=](CNDealsFilter& f) {
             f.m_bAllSecurities = 0, f.m_aSecurities = { sec1 }, f.m_bAllUsers = 0, f.m_aUsers = { "U1" };
             f.m_nHighestDealNo = 9;
         }),
            "T SEC1 U1 to 9" },
        { fw::Language::English, trades([](CTradesFilter& f) { f.m_bNoFiltering = 1; }), "T" },
        { fw::Language::English, trades([](CTradesFilter& f) {
             f.m_bAllBoards = 0, f.m_aBoards = { 0 };
             f.m_nLowestTradeNo = 3;
             f.m_nLowestOrderNo = 4, f.m_nHighestOrderNo = 5;
         }),
            "T /Main board trades from 3 orders from 4 to 5" },
        { fw::Language::Hungarian, trades([](CTradesFilter& f) { f.m_nHighestTradeNo = 3; }),
            "T  kötések eddig: 3" },
        { fw::Language::English, trades([](CTradesFilter& f) { f.m_strFromTime = "100000"; }), "T filtered" },
        { fw::Language::English, last([](CLastNFilter& f) { f.m_strType = "Auction"; }), "T  by Auction" },
        { fw::Language::Hungarian, last([=](CLastNFilter& f) {
             f.m_bAllSecurities = 0, f.m_aSecurities = { sec1 },
             f.m_strType = fw::utf8ToCp1250("Aukció").text;
         }),
            "T SEC1 típus: Aukció" },
        { fw::Language::Hungarian, last([](CLastNFilter&) {}), "T szűrt" },
        { fw::Language::English,
            priv([](CPrivateOrderFilter& f) { f.m_bAllWAI = 0, f.m_aWAI = { "DESK A" }; }), "T  DESK A" },
        { fw::Language::English, priv([](CPrivateOrderFilter& f) { f.m_aWAI = { "DESK A" }; }),
            "T filtered" },
    };
    for (const Case& c : cases) {
        fw::setLanguage(c.language);
        std::string title = "T";
        c.describe(title);
        EXPECT_EQ(fw::cp1250ToUtf8(title), c.title);
    }
}

TEST_F(TradingCriteria, DealsArchiveBytesWrittenByHand)
{
    Bytes b;
    b.Word(0); // no filtering
    b.Word(0).DWord(1).Str(kSec2Key).DWord(1); // securities
    b.Word(1); // all boards
    b.Word(0).Word(1).Str("U1"); // users
    b.Word(0).Word(0); // accounts: an empty list
    for (uint16_t v = 1; v <= 8; ++v) // buy, sell, open, amended, unapproved, unconfirmed, matched, withdrawn
        b.Word(v);
    b.DWord(3).DWord(0xFFFFFFFF);
    Times(b);
    CNDealsFilter f;
    f.m_bNoFiltering = 0;
    f.m_bAllSecurities = 0, f.m_aSecurities = { m_sec2 };
    f.m_aBoards = { 0 };
    f.m_bAllUsers = 0, f.m_aUsers = { "U1" };
    f.m_bAllAccounts = 0;
    int32_t* switches[] = { &f.m_bShowBuy, &f.m_bShowSell, &f.m_bShowOpen, &f.m_bShowAmended,
        &f.m_bShowUnapproved, &f.m_bShowUnconfirmed, &f.m_bShowMatched, &f.m_bShowWithdrawn };
    for (int i = 0; i < 8; ++i)
        *switches[i] = i + 1;
    f.m_nLowestDealNo = 3, f.m_nHighestDealNo = 0xFFFFFFFF;
    f.m_tFromTime = CDateTime(1899, 12, 30, 6, 0, 0);
    EXPECT_EQ(Stored(f), b.Get());

    CNDealsFilter loaded;
    LoadInto(loaded, b.Get());
    EXPECT_EQ(loaded.m_aSecurities, std::vector<int>({ m_sec2 }));
    EXPECT_TRUE(loaded.m_aBoards.empty());
    EXPECT_EQ(loaded.m_bAllAccounts, 0);
    EXPECT_EQ(loaded.m_bShowUnconfirmed, 6);
    EXPECT_EQ(loaded.m_bShowWithdrawn, 8);
    EXPECT_EQ(loaded.m_tFromTime, CDateTime(1899, 12, 30, 6, 0, 0));
    EXPECT_EQ(Stored(loaded), b.Get());
}

TEST_F(TradingCriteria, TradesArchiveCarriesTheRangesButNotTheTimeTexts)
{
    Bytes b;
    b.Word(0).Word(1).Word(1).Word(1).Word(1); // on, every list ignored
    b.Word(0).Word(2); // show matched, show cancelled
    b.DWord(10).DWord(20); // trade numbers
    b.DWord(30).DWord(40); // order numbers
    CTradesFilter f;
    f.m_bNoFiltering = 0;
    f.m_bShowMatched = 0, f.m_bShowCancelled = 2;
    f.m_nLowestTradeNo = 10, f.m_nHighestTradeNo = 20;
    f.m_nLowestOrderNo = 30, f.m_nHighestOrderNo = 40;
    f.m_strFromTime = "100000", f.m_strToTime = "120000";
    EXPECT_EQ(Stored(f), b.Get());

    CTradesFilter loaded;
    loaded.m_strFromTime = "090000";
    LoadInto(loaded, b.Get());
    EXPECT_EQ(loaded.m_nLowestTradeNo, 10u);
    EXPECT_EQ(loaded.m_nHighestOrderNo, 40u);
    EXPECT_EQ(loaded.m_bShowMatched, 0);
    EXPECT_EQ(loaded.m_strFromTime, "090000");
    EXPECT_TRUE(loaded.m_strToTime.empty());
}

TEST_F(TradingCriteria, PrivateOrdersArchiveBytesWrittenByHand)
{
    Bytes b;
    b.Word(0); // no filtering
    b.Word(1); // all securities
    b.Word(0).DWord(1).Str("BRD1"); // boards
    b.Word(0).Word(1).Str("DESK A"); // WAI
    b.Word(1); // all accounts
    // buy, sell, new, copy, accepted, amended, rejected, market maker, market,
    // limit, stop, not stop, flag 13, all or none, fill or kill, fill and
    // cancel, session, day, good till cancelled, good till time, good till date.
    for (uint16_t v = 1; v <= 21; ++v)
        b.Word(v);
    CPrivateOrderFilter f;
    f.m_bNoFiltering = 0;
    f.m_bAllBoards = 0, f.m_aBoards = { 0 };
    f.m_bAllWAI = 0, f.m_aWAI = { "DESK A" };
    int32_t* switches[] = { &f.m_bShowBuy, &f.m_bShowSell, &f.m_bShowNew, &f.m_bShowCopy, &f.m_bShowAccepted,
        &f.m_bShowAmended, &f.m_bShowRejected, &f.m_bShowMarketMaker, &f.m_bShowMarket, &f.m_bShowLimit,
        &f.m_bShowStop, &f.m_bShowNotStop, &f.m_bShowFlag13, &f.m_bShowAllOrNone, &f.m_bShowFillOrKill,
        &f.m_bShowFillAndCancel, &f.m_bShowSession, &f.m_bShowDay, &f.m_bShowGoodTillCancelled,
        &f.m_bShowGoodTillTime, &f.m_bShowGoodTillDate };
    for (int i = 0; i < 21; ++i)
        *switches[i] = i + 1;
    EXPECT_EQ(Stored(f), b.Get());
    CPrivateOrderFilter loaded;
    LoadInto(loaded, b.Get());
    EXPECT_EQ(loaded.m_aWAI, std::vector<std::string>({ "DESK A" }));
    EXPECT_EQ(loaded.m_bShowGoodTillTime, 20);
    EXPECT_EQ(loaded.m_bShowGoodTillDate, 21);
    EXPECT_EQ(Stored(loaded), b.Get());
}

TEST_F(TradingCriteria, LastTradesArchiveBytesWrittenByHand)
{
    const auto golden = Bytes().Word(0).Word(1).Word(0).DWord(1).Str("BRD2").Str("Auction").Get();
    CLastNFilter f;
    f.m_bNoFiltering = 0;
    f.m_bAllBoards = 0, f.m_aBoards = { 1 };
    f.m_strType = "Auction";
    EXPECT_EQ(Stored(f), golden);
    CLastNFilter loaded;
    LoadInto(loaded, golden);
    EXPECT_EQ(loaded.m_aBoards, std::vector<int>({ 1 }));
    EXPECT_EQ(loaded.m_strType, "Auction");
    // A board that left the table is dropped.
    LoadInto(loaded, Bytes().Word(0).Word(1).Word(0).DWord(1).Str("GONE").Str("").Get());
    EXPECT_TRUE(loaded.m_aBoards.empty());
    EXPECT_EQ(loaded.m_bAllBoards, 0);
}

// Every prefix of a whole record throws and leaves the criteria as they were.
template <class T> void ExpectEveryCutThrows(const std::vector<uint8_t>& whole, T& criteria)
{
    fw::Archive before;
    criteria.Serialize(before);
    for (size_t n = 0; n < whole.size(); ++n) {
        fw::Archive cut(std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n)));
        EXPECT_THROW(criteria.Serialize(cut), fw::ArchiveError) << n;
        fw::Archive after;
        criteria.Serialize(after);
        EXPECT_EQ(after.bytes(), before.bytes()) << n;
    }
}

TEST_F(TradingCriteria, TruncatedArchivesThrow)
{
    {
        CNDealsFilter f;
        f.m_bNoFiltering = 0, f.m_bAllSecurities = 0, f.m_aSecurities = { m_sec1 }, f.m_bAllUsers = 0;
        const auto whole = Stored(f);
        CNDealsFilter g;
        ExpectEveryCutThrows(whole, g);
    }
    {
        CTradesFilter f;
        f.m_bNoFiltering = 0, f.m_bAllBoards = 0, f.m_aBoards = { 0, 1 };
        const auto whole = Stored(f);
        CTradesFilter g;
        ExpectEveryCutThrows(whole, g);
    }
    {
        CPrivateOrderFilter f;
        f.m_bNoFiltering = 0, f.m_bAllWAI = 0, f.m_aWAI = { "A", "B" };
        const auto whole = Stored(f);
        CPrivateOrderFilter g;
        ExpectEveryCutThrows(whole, g);
    }
    {
        CLastNFilter f;
        f.m_bNoFiltering = 0, f.m_strType = "Auction";
        const auto whole = Stored(f);
        CLastNFilter g;
        ExpectEveryCutThrows(whole, g);
    }
}

} // namespace
