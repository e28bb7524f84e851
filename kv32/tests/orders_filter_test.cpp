#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "filters_fixture.h"
#include "fw/core/codepage.h"
#include "kv32/filters/orders_filter.h"

namespace {

using namespace kv32test;

class OrdersCriteria : public CriteriaTables {
protected:
    // An open buy limit order of SEC1 on BRD1, entered 2026-12-11 11:00:00.
    static COrderRec Order()
    {
        COrderRec r {};
        r.nOrderNo = 7;
        Put(r.szSecurityCode, kSec1Key);
        Put(r.szBoardCode, "BRD1");
        Put(r.szUser, "U1");
        Put(r.szTrdAcc, "ACC1");
        Put(r.szBuySell, "B");
        Put(r.szStatus, "Open");
        Put(r.szType, Flags({ 1 }));
        r.dtEntry = CDateTime(2026, 12, 11, 11, 0, 0);
        return r;
    }
    // The criteria on, with nothing else changed.
    static COrdersFilter On()
    {
        COrdersFilter f;
        f.m_bNoFiltering = 0;
        return f;
    }
};

TEST_F(OrdersCriteria, ResetFollowsTheMarketMakerOverwriteMode)
{
    struct Case {
        int mode;
        int32_t noFiltering, withdrawn, expired;
    } cases[] = { { 0, 1, 1, 1 }, { 1, 1, 1, 1 }, { 2, 0, 0, 0 }, { 3, 0, 0, 0 } };
    for (const Case& c : cases) {
        iMMOverWrite = c.mode;
        COrdersFilter f;
        f.m_bShowOpen = 0;
        f.m_aUsers = { "X" };
        f.Reset();
        EXPECT_EQ(f.m_bNoFiltering, c.noFiltering) << c.mode;
        EXPECT_EQ(f.m_bShowWithdrawn, c.withdrawn) << c.mode;
        EXPECT_EQ(f.m_bShowExpired, c.expired) << c.mode;
        EXPECT_EQ(f.m_bShowOpen, 1);
        EXPECT_TRUE(f.m_aUsers.empty());
        EXPECT_EQ(f.m_bAllUsers, 1);
        EXPECT_FALSE(f.m_tFromTime.IsValid());
    }
    // Withdrawn orders are hidden at once in overwrite mode.
    iMMOverWrite = 2;
    COrdersFilter f;
    COrderRec withdrawn = Order();
    Put(withdrawn.szStatus, "Withdraw");
    EXPECT_FALSE(f.Match(withdrawn));
    EXPECT_TRUE(f.Match(Order()));
}

TEST_F(OrdersCriteria, MatchTable)
{
    using Set = std::function<void(COrdersFilter&)>;
    using Edit = std::function<void(COrderRec&)>;
    auto flags = [](std::initializer_list<int> set) {
        return [text = Flags(set)](COrderRec& r) { Put(r.szType, text); };
    };
    auto status = [](const char* text) { return [text](COrderRec& r) { Put(r.szStatus, text); }; };
    auto at = [](int h, int m, int s) {
        return [=](COrderRec& r) { r.dtEntry = CDateTime(2026, 12, 11, h, m, s); };
    };
    const int sec1 = m_sec1, sec2 = m_sec2;
    struct Case {
        const char* name;
        Set set;
        Edit edit;
        bool shown;
    } cases[] = {
        { "off shows a withdrawn order with every switch 0",
            [](COrdersFilter& f) { f.m_bNoFiltering = 1, f.m_bShowWithdrawn = 0, f.m_bAllUsers = 0; },
            status("Withdraw"), true },
        { "on, untouched", nullptr, nullptr, true },
        // Empty lists in force reject everything.
        { "empty securities", [](COrdersFilter& f) { f.m_bAllSecurities = 0; }, nullptr, false },
        { "empty boards", [](COrdersFilter& f) { f.m_bAllBoards = 0; }, nullptr, false },
        { "empty users", [](COrdersFilter& f) { f.m_bAllUsers = 0; }, nullptr, false },
        { "empty accounts", [](COrdersFilter& f) { f.m_bAllAccounts = 0; }, nullptr, false },
        { "empty list ignored while its all switch is set", [](COrdersFilter& f) { f.m_aUsers.clear(); },
            nullptr, true },
        // Securities by instrument id; the board is tested on its own.
        { "listed security",
            [=](COrdersFilter& f) {
                f.m_bAllSecurities = 0, f.m_aSecurities = { sec2, sec1 };
            },
            nullptr, true },
        { "same instrument on another board",
            [=](COrdersFilter& f) { f.m_bAllSecurities = 0, f.m_aSecurities = { sec1 }; },
            [](COrderRec& r) { Put(r.szSecurityCode, kSec1OnBrd2Key); }, true },
        { "other security", [=](COrdersFilter& f) { f.m_bAllSecurities = 0, f.m_aSecurities = { sec2 }; },
            nullptr, false },
        { "security row the table does not hold",
            [](COrdersFilter& f) {
                f.m_bAllSecurities = 0, f.m_aSecurities = { 99, -1 };
            },
            nullptr, false },
        { "listed board", [](COrdersFilter& f) { f.m_bAllBoards = 0, f.m_aBoards = { 0 }; }, nullptr, true },
        { "other board", [](COrdersFilter& f) { f.m_bAllBoards = 0, f.m_aBoards = { 1 }; }, nullptr, false },
        { "board code unknown to the table",
            [](COrdersFilter& f) {
                f.m_bAllBoards = 0, f.m_aBoards = { 0, 1 };
            },
            [](COrderRec& r) { Put(r.szBoardCode, "ZZZZ"); }, false },
        { "listed user",
            [](COrdersFilter& f) {
                f.m_bAllUsers = 0, f.m_aUsers = { "U2", "U1" };
            },
            nullptr, true },
        { "user compared case-sensitively",
            [](COrdersFilter& f) { f.m_bAllUsers = 0, f.m_aUsers = { "u1" }; }, nullptr, false },
        { "user compared whole", [](COrdersFilter& f) { f.m_bAllUsers = 0, f.m_aUsers = { "U" }; }, nullptr,
            false },
        { "listed account", [](COrdersFilter& f) { f.m_bAllAccounts = 0, f.m_aAccounts = { "ACC1" }; },
            nullptr, true },
        { "other account", [](COrdersFilter& f) { f.m_bAllAccounts = 0, f.m_aAccounts = { "ACC2" }; },
            nullptr, false },
        // Sides.
        { "buy hidden", [](COrdersFilter& f) { f.m_bShowBuy = 0; }, nullptr, false },
        { "sell shown while buy hidden", [](COrdersFilter& f) { f.m_bShowBuy = 0; },
            [](COrderRec& r) { Put(r.szBuySell, "S"); }, true },
        { "sell hidden", [](COrdersFilter& f) { f.m_bShowSell = 0; },
            [](COrderRec& r) { Put(r.szBuySell, "S"); }, false },
        { "a side that is neither passes", [](COrdersFilter& f) { f.m_bShowBuy = f.m_bShowSell = 0; },
            [](COrderRec& r) { Put(r.szBuySell, "X"); }, true },
        // Statuses.
        { "open hidden", [](COrdersFilter& f) { f.m_bShowOpen = 0; }, nullptr, false },
        { "inactive hidden", [](COrdersFilter& f) { f.m_bShowInactive = 0; }, status("Inactive"), false },
        { "matched hidden", [](COrdersFilter& f) { f.m_bShowMatched = 0; }, status("Matched"), false },
        { "amended hidden", [](COrdersFilter& f) { f.m_bShowAmended = 0; }, status("Amended"), false },
        { "withdrawn hidden", [](COrdersFilter& f) { f.m_bShowWithdrawn = 0; }, status("Withdraw"), false },
        { "unapproved hidden", [](COrdersFilter& f) { f.m_bShowUnapproved = 0; }, status("Unappr."), false },
        { "expired hidden", [](COrdersFilter& f) { f.m_bShowExpired = 0; }, status("Expired"), false },
        { "matched shown while open hidden", [](COrdersFilter& f) { f.m_bShowOpen = 0; }, status("Matched"),
            true },
        { "a status of no name passes",
            [](COrdersFilter& f) {
                f.m_bShowOpen = f.m_bShowInactive = f.m_bShowMatched = f.m_bShowAmended = 0;
                f.m_bShowWithdrawn = f.m_bShowUnapproved = f.m_bShowExpired = 0;
            },
            status("Error"), true },
        // Fill conditions: 28+15 fill or kill, 15 alone all or none, 28+17 fill and cancel, 17 fill any.
        { "fill or kill hidden", [](COrdersFilter& f) { f.m_bShowFillOrKill = 0; }, flags({ 1, 15, 28 }),
            false },
        { "fill or kill is not all or none", [](COrdersFilter& f) { f.m_bShowAllOrNone = 0; },
            flags({ 1, 15, 28 }), true },
        { "all or none hidden", [](COrdersFilter& f) { f.m_bShowAllOrNone = 0; }, flags({ 1, 15 }), false },
        { "all or none is not fill or kill", [](COrdersFilter& f) { f.m_bShowFillOrKill = 0; },
            flags({ 1, 15 }), true },
        { "fill and cancel hidden", [](COrdersFilter& f) { f.m_bShowFillAndCancel = 0; },
            flags({ 1, 17, 28 }), false },
        { "fill and cancel also carries fill any", [](COrdersFilter& f) { f.m_bShowFillAny = 0; },
            flags({ 1, 17, 28 }), false },
        { "fill any is not fill and cancel", [](COrdersFilter& f) { f.m_bShowFillAndCancel = 0; },
            flags({ 1, 17 }), true },
        { "flag 28 alone hides nothing",
            [](COrdersFilter& f) {
                f.m_bShowFillOrKill = f.m_bShowAllOrNone = f.m_bShowFillAndCancel = f.m_bShowFillAny = 0;
            },
            flags({ 1, 28 }), true },
        // Kinds, stop and validity.
        { "market hidden", [](COrdersFilter& f) { f.m_bShowMarket = 0; }, flags({ 0 }), false },
        { "limit hidden", [](COrdersFilter& f) { f.m_bShowLimit = 0; }, nullptr, false },
        { "stop hidden", [](COrdersFilter& f) { f.m_bShowStop = 0; }, flags({ 1, 12 }), false },
        { "not stop hidden", [](COrdersFilter& f) { f.m_bShowNotStop = 0; }, nullptr, false },
        { "stop shown while not stop hidden", [](COrdersFilter& f) { f.m_bShowNotStop = 0; },
            flags({ 1, 12 }), true },
        { "flag 13 hidden", [](COrdersFilter& f) { f.m_bShowFlag13 = 0; }, flags({ 1, 13 }), false },
        { "market maker hidden", [](COrdersFilter& f) { f.m_bShowMarketMaker = 0; }, flags({ 1, 5 }), false },
        { "session hidden", [](COrdersFilter& f) { f.m_bShowSession = 0; }, flags({ 1, 24 }), false },
        { "day hidden", [](COrdersFilter& f) { f.m_bShowDay = 0; }, flags({ 1, 25 }), false },
        { "good till cancelled hidden", [](COrdersFilter& f) { f.m_bShowGoodTillCancelled = 0; },
            flags({ 1, 27 }), false },
        { "good till date hidden", [](COrdersFilter& f) { f.m_bShowGoodTillDate = 0; }, flags({ 1, 26 }),
            false },
        { "good till time hidden", [](COrdersFilter& f) { f.m_bShowGoodTillTime = 0; }, flags({ 1, 23 }),
            false },
        { "good till date shown while good till time hidden",
            [](COrdersFilter& f) { f.m_bShowGoodTillTime = 0; }, flags({ 1, 26 }), true },
        // Order numbers (the order is number 7).
        { "range 5..0 shows 7", [](COrdersFilter& f) { f.m_nLowestOrderNo = 5; }, nullptr, true },
        { "range 5..0 shows 5", [](COrdersFilter& f) { f.m_nLowestOrderNo = 5; },
            [](COrderRec& r) { r.nOrderNo = 5; }, true },
        { "range 5..0 hides 4", [](COrdersFilter& f) { f.m_nLowestOrderNo = 5; },
            [](COrderRec& r) { r.nOrderNo = 4; }, false },
        { "range 5..0 shows the greatest number", [](COrdersFilter& f) { f.m_nLowestOrderNo = 5; },
            [](COrderRec& r) { r.nOrderNo = 0xFFFFFFFFu; }, true },
        { "range 0..6 hides 7", [](COrdersFilter& f) { f.m_nHighestOrderNo = 6; }, nullptr, false },
        { "range 0..7 shows 7", [](COrdersFilter& f) { f.m_nHighestOrderNo = 7; }, nullptr, true },
        { "range compared unsigned",
            [](COrdersFilter& f) { f.m_nLowestOrderNo = 0x80000000u, f.m_nHighestOrderNo = 0x80000002u; },
            [](COrderRec& r) { r.nOrderNo = 0x80000001u; }, true },
        // The time-of-day window 10:00:00 - 12:00:00, on any day.
        { "12:00:00 shown",
            [](COrdersFilter& f) {
                f.m_tFromTime = CDateTime(2000, 1, 1, 10, 0, 0),
                f.m_tToTime = CDateTime(2000, 1, 1, 12, 0, 0);
            },
            at(12, 0, 0), true },
        { "12:00:01 hidden",
            [](COrdersFilter& f) {
                f.m_tFromTime = CDateTime(2000, 1, 1, 10, 0, 0),
                f.m_tToTime = CDateTime(2000, 1, 1, 12, 0, 0);
            },
            at(12, 0, 1), false },
        { "10:00:00 shown",
            [](COrdersFilter& f) {
                f.m_tFromTime = CDateTime(2000, 1, 1, 10, 0, 0),
                f.m_tToTime = CDateTime(2000, 1, 1, 12, 0, 0);
            },
            at(10, 0, 0), true },
        { "09:59:59 hidden", [](COrdersFilter& f) { f.m_tFromTime = CDateTime(2000, 1, 1, 10, 0, 0); },
            at(9, 59, 59), false },
        { "an invalid order time passes",
            [](COrdersFilter& f) {
                f.m_tFromTime = CDateTime(2000, 1, 1, 10, 0, 0),
                f.m_tToTime = CDateTime(2000, 1, 1, 10, 0, 1);
            },
            [](COrderRec& r) { r.dtEntry = CDateTime(); }, true },
    };
    for (const Case& c : cases) {
        COrdersFilter f = On();
        if (c.set)
            c.set(f);
        COrderRec r = Order();
        if (c.edit)
            c.edit(r);
        EXPECT_EQ(f.Match(r), c.shown) << c.name;
    }
}

TEST_F(OrdersCriteria, SidesAndStatusesAreComparedInTheUsersLanguage)
{
    fw::setLanguage(fw::Language::Hungarian);
    COrdersFilter f = On();
    f.m_bShowBuy = 0;
    f.m_bShowWithdrawn = 0;
    COrderRec r = Order();
    Put(r.szBuySell, "V"); // buy
    EXPECT_FALSE(f.Match(r));
    Put(r.szBuySell, "B"); // no side in Hungarian
    EXPECT_TRUE(f.Match(r));
    Put(r.szStatus, "Visszavont");
    EXPECT_FALSE(f.Match(r));
}

TEST_F(OrdersCriteria, DescriptionTable)
{
    const int sec1 = m_sec1;
    struct Case {
        fw::Language language;
        std::function<void(COrdersFilter&)> set;
        const char* title;
    } cases[] = {
        { fw::Language::English, [](COrdersFilter& f) { f.m_bNoFiltering = 1, f.m_nLowestOrderNo = 5; },
            "Orders" },
        { fw::Language::English, nullptr, "Orders filtered" },
        { fw::Language::Hungarian, nullptr, "Orders szűrt" },
        { fw::Language::English,
            [=](COrdersFilter& f) {
                f.m_bAllSecurities = 0, f.m_aSecurities = { sec1 };
                f.m_bAllBoards = 0, f.m_aBoards = { 1 };
                f.m_bAllUsers = 0, f.m_aUsers = { "U1" };
                f.m_nLowestOrderNo = 5, f.m_nHighestOrderNo = 4000000000u;
            },
            "Orders SEC1/Second board U1 from 5 to 4000000000" },
        { fw::Language::Hungarian, [](COrdersFilter& f) { f.m_nLowestOrderNo = 5, f.m_nHighestOrderNo = 9; },
            "Orders  ettől: 5 eddig: 9" },
        // Two of a list, or a list not in force, name nothing; accounts and times never show.
        { fw::Language::English,
            [=](COrdersFilter& f) {
                f.m_bAllSecurities = 0, f.m_aSecurities = { sec1, sec1 };
                f.m_aBoards = { 0 };
                f.m_bAllAccounts = 0, f.m_aAccounts = { "ACC1" };
                f.m_tFromTime = CDateTime(2000, 1, 1, 10, 0, 0);
            },
            "Orders filtered" },
    };
    for (const Case& c : cases) {
        fw::setLanguage(c.language);
        COrdersFilter f = On();
        if (c.set)
            c.set(f);
        std::string title = "Orders";
        f.GetDescription(title);
        EXPECT_EQ(fw::cp1250ToUtf8(title), c.title);
    }
}

// The archive form, written out by hand.
std::vector<uint8_t> GoldenOrders()
{
    Bytes b;
    b.Word(0); // no filtering
    b.Word(0).DWord(1).Str(kSec1Key).DWord(0); // securities: SEC1, stored at row 0
    b.Word(0).DWord(1).Str("BRD2"); // boards
    b.Word(0).Word(2).Str("U1").Str("U22"); // users
    b.Word(1); // all accounts: no list follows
    // Show switches in the archive's order: buy, sell, open, inactive, matched,
    // amended, withdrawn, unapproved, expired, market maker, market, limit,
    // stop, not stop, flag 13, all or none, fill or kill, fill and cancel,
    // fill any, session, day, good till cancelled, good till time, good till date.
    for (uint16_t v = 1; v <= 24; ++v)
        b.Word(v);
    b.DWord(5).DWord(0x01020304); // order numbers
    b.DWord(0).Raw({ 0, 0, 0, 0, 0, 0, 0xD0, 0x3F }); // from: valid, day 0.25 (06:00)
    b.DWord(1).Raw({ 0, 0, 0, 0, 0, 0, 0, 0 }); // to: invalid
    b.Raw({ 0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11 }); // reserved
    return b.Get();
}

TEST_F(OrdersCriteria, ArchiveBytesWrittenByHand)
{
    COrdersFilter f = On();
    f.m_bAllSecurities = 0, f.m_aSecurities = { m_sec1 };
    f.m_bAllBoards = 0, f.m_aBoards = { 1 };
    f.m_bAllUsers = 0, f.m_aUsers = { "U1", "U22" };
    f.m_aAccounts = { "ACC9" }; // not stored: its all switch is set
    int32_t* switches[] = { &f.m_bShowBuy, &f.m_bShowSell, &f.m_bShowOpen, &f.m_bShowInactive,
        &f.m_bShowMatched, &f.m_bShowAmended, &f.m_bShowWithdrawn, &f.m_bShowUnapproved, &f.m_bShowExpired,
        &f.m_bShowMarketMaker, &f.m_bShowMarket, &f.m_bShowLimit, &f.m_bShowStop, &f.m_bShowNotStop,
        &f.m_bShowFlag13, &f.m_bShowAllOrNone, &f.m_bShowFillOrKill, &f.m_bShowFillAndCancel,
        &f.m_bShowFillAny, &f.m_bShowSession, &f.m_bShowDay, &f.m_bShowGoodTillCancelled,
        &f.m_bShowGoodTillTime, &f.m_bShowGoodTillDate };
    for (int i = 0; i < 24; ++i)
        *switches[i] = (i + 1) | 0x30000; // only the low 16 bits are stored
    f.m_nLowestOrderNo = 5, f.m_nHighestOrderNo = 0x01020304;
    f.m_tFromTime = CDateTime(1899, 12, 30, 6, 0, 0);
    f.m_nReserved = 0x1122334455667788;
    EXPECT_EQ(Stored(f), GoldenOrders());

    COrdersFilter loaded;
    LoadInto(loaded, GoldenOrders());
    EXPECT_EQ(loaded.m_bNoFiltering, 0);
    EXPECT_EQ(loaded.m_aSecurities, std::vector<int>({ m_sec1 }));
    EXPECT_EQ(loaded.m_aBoards, std::vector<int>({ 1 }));
    EXPECT_EQ(loaded.m_aUsers, std::vector<std::string>({ "U1", "U22" }));
    EXPECT_EQ(loaded.m_bAllAccounts, 1);
    EXPECT_TRUE(loaded.m_aAccounts.empty());
    EXPECT_EQ(loaded.m_bShowBuy, 1);
    EXPECT_EQ(loaded.m_bShowGoodTillTime, 23);
    EXPECT_EQ(loaded.m_bShowGoodTillDate, 24);
    EXPECT_EQ(loaded.m_bShowFlag13, 15);
    EXPECT_EQ(loaded.m_bShowFillAny, 19);
    EXPECT_EQ(loaded.m_nHighestOrderNo, 0x01020304u);
    EXPECT_EQ(loaded.m_tFromTime, CDateTime(1899, 12, 30, 6, 0, 0));
    EXPECT_FALSE(loaded.m_tToTime.IsValid());
    EXPECT_EQ(loaded.m_nReserved, 0x1122334455667788);
    EXPECT_EQ(Stored(loaded), GoldenOrders());
}

TEST_F(OrdersCriteria, ArchiveStopsAfterANonzeroNoFilteringWord)
{
    iMMOverWrite = 2; // Reset turns the criteria on; the stored word turns them off
    COrdersFilter reset;
    reset.m_bNoFiltering = 1;
    EXPECT_EQ(Stored(reset), Bytes().Word(1).Get());

    COrdersFilter f;
    f.m_aUsers = { "U1" };
    f.m_bShowOpen = 0;
    // 0x10002 stores as 2, and whatever follows is not read.
    LoadInto(f, Bytes().Word(2).Raw({ 0xFF, 0xFF, 0xFF }).Get());
    EXPECT_EQ(f.m_bNoFiltering, 2);
    EXPECT_TRUE(f.m_aUsers.empty());
    EXPECT_EQ(f.m_bShowOpen, 1);
    EXPECT_EQ(f.m_bShowWithdrawn, 0); // the rest as Reset leaves it
}

TEST_F(OrdersCriteria, ReloadingFindsRowsByCodeAndDropsVanishedOnes)
{
    const auto bytes = Bytes()
                           .Word(0)
                           .Word(0)
                           .DWord(3)
                           .Str(kSec1Key)
                           .DWord(7) // stale row: found again by its code
                           .Str("0BRD9INSTR0000099")
                           .DWord(1) // row 1 holds another code: gone
                           .Str(kSec2Key)
                           .DWord(1)
                           .Word(0)
                           .DWord(2)
                           .Str("BRD9") // gone
                           .Str("BRD1")
                           .Word(1)
                           .Word(1);
    Bytes all = bytes;
    for (int i = 0; i < 24; ++i)
        all.Word(1);
    all.DWord(0).DWord(0).DWord(1).Raw({ 0, 0, 0, 0, 0, 0, 0, 0 }).DWord(1).Raw({ 0, 0, 0, 0, 0, 0, 0, 0 });
    all.Raw({ 0, 0, 0, 0, 0, 0, 0, 0 });
    COrdersFilter f;
    LoadInto(f, all.Get());
    EXPECT_EQ(f.m_aSecurities, std::vector<int>({ m_sec1, m_sec2 }));
    EXPECT_EQ(f.m_aBoards, std::vector<int>({ 0 }));
}

TEST_F(OrdersCriteria, ATruncatedArchiveThrowsAndChangesNothing)
{
    const std::vector<uint8_t> golden = GoldenOrders();
    COrdersFilter f = On();
    f.m_aUsers = { "KEEP" };
    const std::vector<uint8_t> before = Stored(f);
    for (size_t n = 0; n < golden.size(); ++n) {
        const std::vector<uint8_t> cut(golden.begin(), golden.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_THROW(LoadInto(f, cut), fw::ArchiveError) << n;
        EXPECT_EQ(Stored(f), before) << n;
    }
}

} // namespace
