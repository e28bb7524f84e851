#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>

#include "fw/core/locale.h"
#include "fw/core/rescheck.h"
#include "fw/core/strings.h"
#include "fw/test/fwtest.h"
#include "fw/ui/datetimefield.h"
#include "kv32/filters/dialogs/filter_dlgs.h"
#include "kv32/res/filter_dialog_ids.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/ui/num_edit_widget.h"
#include "support/kv32_fixture.h"

namespace {

using kv32test::End;

// ---- Sample tables ----

void AddBoard(const char* code, const char* name, const char* status)
{
    BoardRec b;
    std::strcpy(b.szCode, code);
    std::strcpy(b.szName, name);
    std::strcpy(b.szStatus, status);
    BoardTable().AddRec(b);
}

void AddSecurity(const char* name)
{
    auto rec = std::make_unique<SecurityRec>();
    std::memset(static_cast<void*>(rec.get()), 0, sizeof(SecurityRec));
    std::strcpy(rec->szShortName, name);
    SecurityTable().AddRec(*rec);
}

void AddTrader(const char* code, const char* firm)
{
    TraderRec rec;
    std::strcpy(rec.szCode, code);
    std::strcpy(rec.szName, code);
    std::strcpy(rec.szFirm, firm);
    TraderTable().AddRec(rec);
}

void AddFirm(const char* code, const char* name, const char* type)
{
    ParticipantRec rec;
    std::strcpy(rec.szCode, code);
    std::strcpy(rec.szName, name);
    std::strcpy(rec.szType, type);
    ParticipantTable().AddRec(rec);
}

void FreeTables()
{
    CKvTables& t = KvTables();
    t.boards.Free();
    t.securities.Free();
    t.traders.Free();
    t.participants.Free();
    t.letterCodes.Free();
    t.auditGroups.Free();
    t.auditTypes.Free();
    t.newsTypes.Free();
    t.languages.Free();
}

// Every criteria object a dialog of the tests works on.
struct Criteria {
    COrdersFilter orders;
    CAuditsFilter audits;
    CLogsFilter logs;
    CLastNFilter lastN;
    CNDealsFilter deals;
    CNewsFilter news;
    COrdCountFilter ordCount;
    CPrivateOrderFilter privateOrders;
    CTradesFilter trades;
    CFirmsFilter firms;
    CLetterFilter letters;
    CCurPosFilter curPos;
    CSecPosFilter secPos;
};

class FilterDialogs : public kv32test::Kv32Fixture {
protected:
    FilterDialogs()
        : session("BRK1T1")
    {
        session.m_sUser = "BRK1T1";
        FreeTables();
        AddBoard("MAIN", "Main Board", "A");
        AddBoard("HALT", "Halted Board", "S");
        AddBoard("ODDL", "Odd Lots", "A");
        AddSecurity("ALFA");
        AddSecurity("BETA");
        AddSecurity("GAMMA");
        AddTrader("BRK1T1", "BRK1");
        AddTrader("BRK1T2", "BRK1");
        AddTrader("BRK2T1", "BRK2");
        AddFirm("BRK1", "First Broker", "BROK");
        AddFirm("BRK2", "Second Broker", "BROK");
        AddFirm("EXCH", "The Exchange", "EXCH");
        AuditGroupRec g {};
        std::strcpy(g.szCode, "ORD");
        std::strcpy(g.szName, "Orders");
        AuditGroupTable().AddRec(g);
        AuditTypeRec t {};
        std::strcpy(t.szGroupCode, "ORD");
        std::strcpy(t.szTypeText, "Order entered");
        AuditEventTypeTable().AddRec(t);
        FlagRec flag;
        flag.cLetter = 'N';
        flag.cEnabled = 'Y';
        std::strcpy(flag.szName, "Normal");
        FlagTable().AddRec(flag);
        flag.cLetter = 'X';
        std::strcpy(flag.szName, "Cross");
        FlagTable().AddRec(flag);
        NewsTypeRec type {};
        std::strcpy(type.szCode, "GEN");
        std::strcpy(type.szName, "General");
        NewsTypeTable().AddRec(type);
        LanguageRec language {};
        std::strcpy(language.szCode, "HU");
        std::strcpy(language.szName, "Magyar");
        LanguageTable().AddRec(language);
        session.GetTrAccLocal()->m_entries = { { "ACC001", "first" }, { "ACC002", "second" } };
        ps = &session;
    }
    ~FilterDialogs() override
    {
        // Without a session the audit types keep no file of the user's.
        ps = nullptr;
        FreeTables();
    }
    CSession session;
    Criteria c;
};

// ---- The rules without windows ----

TEST(FilterRules, NoFilteringAndAllBoxesDecideEachControl)
{
    const KvFilterForm form { 159, { { 1000, 256 }, { 103, 263 } }, { 156 } };
    const uint32_t controls[] = { 159, 1000, 256, 103, 263, 123, 156, 415, fw::kIdOk, fw::kIdCancel };
    struct Case {
        bool noFiltering;
        bool allBoards;
        bool allUsers;
        std::vector<KvControlState> expected;
    };
    const Case cases[] = {
        { true, false, false,
            { { 159, true, true }, { 1000, false, true }, { 256, false, true }, { 103, false, true },
                { 263, false, true }, { 123, false, true }, { 156, false, false }, { 415, false, true },
                { 1, true, true }, { 2, true, true } } },
        { false, true, false,
            { { 159, true, true }, { 1000, false, true }, { 256, true, true }, { 103, true, true },
                { 263, true, true }, { 123, true, true }, { 156, true, true }, { 415, true, true },
                { 1, true, true }, { 2, true, true } } },
        { false, false, true,
            { { 159, true, true }, { 1000, true, true }, { 256, true, true }, { 103, false, true },
                { 263, true, true }, { 123, true, true }, { 156, true, true }, { 415, true, true },
                { 1, true, true }, { 2, true, true } } },
    };
    for (const Case& k : cases) {
        const auto states = FilterControlStates(form, controls, k.noFiltering, [&](uint32_t id) {
            return id == 256 ? k.allBoards : id == 263 ? k.allUsers : false;
        });
        EXPECT_EQ(states, k.expected) << k.noFiltering << k.allBoards << k.allUsers;
    }
}

TEST(FilterRules, BoundsShownAndStored)
{
    EXPECT_EQ(FilterBoundShown(CDateTime(), false), CDateTime(1900, 1, 1, 0, 0, 0));
    EXPECT_EQ(FilterBoundShown(CDateTime(), true), CDateTime(9999, 12, 30, 23, 59, 59));
    EXPECT_EQ(FilterBoundShown(CDateTime(2026, 3, 4, 10, 0, 0), true), CDateTime(2026, 3, 4, 10, 0, 0));
    struct Case {
        const char* typed;
        bool valid;
        int hour, minute, second;
    };
    const Case cases[] = {
        { "000000", true, 0, 0, 0 },
        { "235959", true, 23, 59, 59 },
        { "101500", true, 10, 15, 0 },
        { "", false, 0, 0, 0 },
        { "1015", false, 0, 0, 0 },
        { "10:15:", false, 0, 0, 0 },
        { "246000", false, 0, 0, 0 },
    };
    const CDateTime shown(1900, 1, 1, 0, 0, 0);
    for (const Case& k : cases) {
        const CDateTime stored = FilterTimeStored(shown, k.typed);
        EXPECT_EQ(stored.IsValid(), k.valid) << k.typed;
        if (k.valid) {
            EXPECT_EQ(stored, CDateTime(1900, 1, 1, k.hour, k.minute, k.second)) << k.typed;
        }
    }
    EXPECT_FALSE(FilterTimeStored(CDateTime(), "101500").IsValid());
    EXPECT_EQ(FilterDateStored(2026, 2, 28, false), CDateTime(2026, 2, 28, 0, 0, 0));
    EXPECT_EQ(FilterDateStored(2026, 2, 28, true), CDateTime(2026, 2, 28, 23, 59, 59));
    EXPECT_FALSE(FilterDateStored(2026, 2, 30, true).IsValid());
}

TEST(FilterRules, PositionDialogsChecksAndTheAccountRequest)
{
    EXPECT_EQ(CurPosShown(0).user, false);
    EXPECT_EQ(CurPosShown(0).account, false);
    EXPECT_EQ(CurPosShown(1).user, true);
    EXPECT_EQ(CurPosShown(1).account, false);
    EXPECT_EQ(CurPosShown(2).user, true);
    EXPECT_EQ(CurPosShown(2).account, true);

    struct Check {
        bool firm, account;
        uint32_t message, focus;
    };
    for (const Check& k : { Check { false, false, 61206, 179 }, Check { false, true, 61206, 179 },
             Check { true, false, 61207, 122 }, Check { true, true, 0, 0 } }) {
        const KvSecPosCheck got = CheckSecPosChoice(k.firm, k.account);
        EXPECT_EQ(got.messageId, k.message);
        EXPECT_EQ(got.focusId, k.focus);
    }

    EXPECT_EQ(BuildTrAccRequestKey("BRK1T1", "00000000", "BRK1"), "BRK1T1      00000000BRK1        ");
    EXPECT_EQ(BuildTrAccRequestKey("BRK1T1", "0000", "BRK1"), "") << "the continuation key is 8 characters";
    EXPECT_EQ(BuildTrAccRequestKey("BRK1T1", "00000000", "FIRMCODETOOLONG"), "") << "never cut";

    std::string record
        = "00000042" + std::string(12, ' ') + "1" + "000002" + "ACC001      A" + "ACC002      S";
    KvTrAccPage page;
    ASSERT_TRUE(DecodeTrAccPage(record, page));
    EXPECT_EQ(page.continuation, "00000042");
    EXPECT_TRUE(page.last);
    EXPECT_EQ(page.rows, (std::vector<KvTrAccRow> { { "ACC001", 'A' }, { "ACC002", 'S' } }));
    for (const std::string& bad : { record.substr(0, record.size() - 1), std::string("00000042"),
             record.substr(0, 21) + "00x002" + record.substr(27) }) {
        KvTrAccPage untouched;
        untouched.continuation = "kept";
        EXPECT_FALSE(DecodeTrAccPage(bad, untouched));
        EXPECT_EQ(untouched.continuation, "kept");
    }
}

// ---- Every dialog with the no-filtering rule, by control id ----

// A list of a dialog and the criteria members behind it, as the tests know them.
struct ListView {
    uint32_t listId;
    uint32_t allId;
    int32_t* all;
    std::vector<int>* rows; // board or security table rows
    std::vector<std::string>* texts;
};

struct RuleDialog {
    const char* name;
    uint32_t noFilteringId;
    std::vector<uint32_t> pickers;
    std::function<int32_t&(Criteria&)> noFiltering;
    std::function<std::vector<ListView>(Criteria&)> lists;
    std::function<std::unique_ptr<fw::Dialog>(Criteria&)> make;
};

template <class C> ListView Boards(C& c)
{
    return { IDC_FLT_BOARDS, IDC_FLT_ALL_BOARDS, &c.m_bAllBoards, &c.m_aBoards, nullptr };
}
template <class C> ListView Securities(C& c)
{
    return { IDC_FLT_SECURITIES, IDC_FLT_ALL_SECURITIES, &c.m_bAllSecurities, &c.m_aSecurities, nullptr };
}
template <class C> ListView Users(C& c)
{
    return { IDC_FLT_USERS, IDC_FLT_ALL_USERS, &c.m_bAllUsers, nullptr, &c.m_aUsers };
}
template <class C> ListView Accounts(C& c)
{
    return { IDC_FLT_ACCOUNTS, IDC_FLT_ALL_ACCOUNTS, &c.m_bAllAccounts, nullptr, &c.m_aAccounts };
}
template <class C> ListView Firms(C& c)
{
    return { IDC_FLT_FIRMS, IDC_FLT_ALL_FIRMS, &c.m_bAllFirms, nullptr, &c.m_aFirms };
}

const std::vector<uint32_t> kTimes = { IDC_FLT_TIME_FROM, IDC_FLT_TIME_TO };

std::vector<RuleDialog> RuleDialogs()
{
    return {
        { "orders", 159, kTimes, [](Criteria& c) -> int32_t& { return c.orders.m_bNoFiltering; },
            [](Criteria& c) {
                return std::vector<ListView> { Boards(c.orders), Securities(c.orders), Users(c.orders),
                    Accounts(c.orders) };
            },
            [](Criteria& c) { return std::make_unique<CFilterOrderDlg>(c.orders); } },
        { "audits", 159, kTimes, [](Criteria& c) -> int32_t& { return c.audits.m_bNoFiltering; },
            [](Criteria& c) {
                return std::vector<ListView> { Boards(c.audits), Securities(c.audits), Users(c.audits),
                    Firms(c.audits),
                    { IDC_FLT_TYPES, IDC_FLT_ALL_TYPES, &c.audits.m_bAllTypes, nullptr, &c.audits.m_aTypes },
                    { IDC_FLT_GROUPS, IDC_FLT_ALL_GROUPS, &c.audits.m_bAllGroups, nullptr,
                        &c.audits.m_aGroups } };
            },
            [](Criteria& c) { return std::make_unique<CFilterAuditDlg>(c.audits); } },
        { "alert logs", 159, { IDC_FLT_DATE_FROM, IDC_FLT_DATE_TO, IDC_FLT_TIME_FROM, IDC_FLT_TIME_TO },
            [](Criteria& c) -> int32_t& { return c.logs.m_bNoFiltering; },
            [](Criteria& c) {
                return std::vector<ListView> { Boards(c.logs), Securities(c.logs), Users(c.logs),
                    Firms(c.logs) };
            },
            [](Criteria& c) { return std::make_unique<CFilterLogDlg>(c.logs); } },
        { "last trades", 159, {}, [](Criteria& c) -> int32_t& { return c.lastN.m_bNoFiltering; },
            [](Criteria& c) {
                return std::vector<ListView> { Boards(c.lastN), Securities(c.lastN) };
            },
            [](Criteria& c) { return std::make_unique<CFilterLastNDlg>(c.lastN); } },
        { "negotiated deals", 159, kTimes, [](Criteria& c) -> int32_t& { return c.deals.m_bNoFiltering; },
            [](Criteria& c) {
                return std::vector<ListView> { Boards(c.deals), Securities(c.deals), Users(c.deals),
                    Accounts(c.deals) };
            },
            [](Criteria& c) { return std::make_unique<CFilterNDealDlg>(c.deals); } },
        { "news", IDC_FLT_NEWS_NO_FILTERING, {},
            [](Criteria& c) -> int32_t& { return c.news.m_bNoFiltering; },
            [](Criteria& c) {
                return std::vector<ListView> { { IDC_FLT_NEWS_TYPES, IDC_FLT_NEWS_ALL_TYPES,
                                                   &c.news.m_bAllTypes, nullptr, &c.news.m_aTypes },
                    { IDC_FLT_NEWS_LANGUAGES, IDC_FLT_NEWS_ALL_LANGUAGES, &c.news.m_bAllLanguages, nullptr,
                        &c.news.m_aLanguages } };
            },
            [](Criteria& c) { return std::make_unique<CFilterNewsDlg>(c.news); } },
        { "order counter", 159, {}, [](Criteria& c) -> int32_t& { return c.ordCount.m_bNoFiltering; },
            [](Criteria& c) {
                return std::vector<ListView> { Boards(c.ordCount), Firms(c.ordCount) };
            },
            [](Criteria& c) { return std::make_unique<CFilterOrdCountDlg>(c.ordCount); } },
        { "private orders", 159, {}, [](Criteria& c) -> int32_t& { return c.privateOrders.m_bNoFiltering; },
            [](Criteria& c) {
                return std::vector<ListView> { { IDC_FLT_WAI, IDC_FLT_ALL_WAI, &c.privateOrders.m_bAllWAI,
                                                   nullptr, &c.privateOrders.m_aWAI },
                    Boards(c.privateOrders), Securities(c.privateOrders), Accounts(c.privateOrders) };
            },
            [](Criteria& c) { return std::make_unique<CFilterPrivateOrderDlg>(c.privateOrders); } },
        { "trades", 159, {}, [](Criteria& c) -> int32_t& { return c.trades.m_bNoFiltering; },
            [](Criteria& c) {
                return std::vector<ListView> { Boards(c.trades), Securities(c.trades), Users(c.trades),
                    Accounts(c.trades) };
            },
            [](Criteria& c) { return std::make_unique<CFilterTradeDlg>(c.trades); } },
        { "firms", 159, {}, [](Criteria& c) -> int32_t& { return c.firms.m_bNoFiltering; },
            [](Criteria&) { return std::vector<ListView> {}; },
            [](Criteria& c) { return std::make_unique<CFilterFirmDlg>(c.firms); } },
    };
}

bool Contains(const std::vector<uint32_t>& ids, uint32_t id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

TEST_F(FilterDialogs, NoFilteringAndAllRulesInEveryDialog)
{
    // The private orders' work areas come from the private order book.
    KvTables().localOrders.m_workAreas = { "DESK1", "DESK2" };
    for (const RuleDialog& k : RuleDialogs()) {
        SCOPED_TRACE(k.name);
        Criteria criteria; // reset: filtering off, every list ignored
        ASSERT_NE(k.noFiltering(criteria), 0);
        auto dlg = k.make(criteria);
        const int result = fw::test::runModal(*dlg, [&](fw::Dialog& d) {
            const std::vector<uint32_t> ids = d.itemIds();
            const std::vector<ListView> lists = k.lists(criteria);
            auto isList = [&](uint32_t id) {
                return std::any_of(
                    lists.begin(), lists.end(), [&](const ListView& l) { return l.listId == id; });
            };
            // Opened with nothing filtered: only the box, OK and Cancel work; the pickers are away.
            EXPECT_EQ(d.isButtonChecked(k.noFilteringId), 1);
            for (uint32_t id : ids) {
                const bool keep = id == k.noFilteringId || id == fw::kIdOk || id == fw::kIdCancel;
                EXPECT_EQ(d.isItemEnabled(id), keep) << id;
                EXPECT_EQ(d.item(id)->isHidden(), Contains(k.pickers, id)) << id;
            }
            for (uint32_t picker : k.pickers)
                EXPECT_TRUE(Contains(ids, picker)) << picker;

            // Filtering on: everything works except the lists their All boxes ignore.
            d.userClick(k.noFilteringId);
            for (uint32_t id : ids) {
                EXPECT_EQ(d.isItemEnabled(id), !isList(id)) << id;
                EXPECT_FALSE(d.item(id)->isHidden()) << id;
            }
            for (const ListView& l : lists) {
                EXPECT_EQ(d.isButtonChecked(l.allId), 1) << l.allId;
                EXPECT_GT(d.itemCount(l.listId), 0) << l.listId;
                // All cleared: the list works; a choice made there goes when All is checked again.
                d.userClick(l.allId);
                EXPECT_TRUE(d.isItemEnabled(l.listId)) << l.listId;
                d.setSel(l.listId, 0, true);
                d.setSel(l.listId, d.itemCount(l.listId) - 1, true);
                d.userClick(l.allId);
                EXPECT_FALSE(d.isItemEnabled(l.listId)) << l.listId;
                EXPECT_EQ(d.selCount(l.listId), 0) << l.listId;
            }

            // Nothing filtered again: back to the box, OK and Cancel.
            d.userClick(k.noFilteringId);
            for (uint32_t id : ids) {
                const bool keep = id == k.noFilteringId || id == fw::kIdOk || id == fw::kIdCancel;
                EXPECT_EQ(d.isItemEnabled(id), keep) << id;
                EXPECT_EQ(d.item(id)->isHidden(), Contains(k.pickers, id)) << id;
            }
            d.userClick(k.noFilteringId);
            for (const ListView& l : lists)
                d.userClick(l.allId);
            d.userClick(fw::kIdCancel);
        });
        EXPECT_EQ(result, fw::IDCANCEL);
        // Cancel changed nothing.
        EXPECT_NE(k.noFiltering(criteria), 0);
        for (const ListView& l : k.lists(criteria))
            EXPECT_EQ(*l.all, 1) << l.allId;
    }
    KvTables().localOrders.m_workAreas.clear();
}

TEST_F(FilterDialogs, OkStoresTheSelectionOfEveryListInForce)
{
    KvTables().localOrders.m_workAreas = { "DESK1", "DESK2" };
    for (const RuleDialog& k : RuleDialogs()) {
        SCOPED_TRACE(k.name);
        Criteria criteria;
        std::vector<std::string> chosen; // per list, the text of the last item
        auto dlg = k.make(criteria);
        const int result = fw::test::runModal(*dlg, [&](fw::Dialog& d) {
            d.userClick(k.noFilteringId);
            for (const ListView& l : k.lists(criteria)) {
                d.userClick(l.allId);
                const int last = d.itemCount(l.listId) - 1;
                d.setSel(l.listId, last, true);
                chosen.push_back(d.itemString(l.listId, last));
            }
            d.userClick(fw::kIdOk);
        });
        EXPECT_EQ(result, fw::IDOK);
        EXPECT_EQ(k.noFiltering(criteria), 0);
        size_t i = 0;
        for (const ListView& l : k.lists(criteria)) {
            EXPECT_EQ(*l.all, 0) << l.listId;
            if (l.rows) {
                ASSERT_EQ(l.rows->size(), 1u) << l.listId;
                const int row = l.rows->front();
                const std::string name = l.listId == IDC_FLT_BOARDS
                    ? BoardTable().GetRec(row)->szName
                    : SecurityTable().GetRec(row)->szShortName;
                EXPECT_EQ(name, chosen[i]) << l.listId;
            } else {
                EXPECT_EQ(*l.texts, std::vector<std::string> { chosen[i] }) << l.listId;
            }
            ++i;
        }
    }
    KvTables().localOrders.m_workAreas.clear();
}

TEST_F(FilterDialogs, ListsShowActiveBoardsAndReselectWhatTheCriteriaStillName)
{
    c.orders.m_bNoFiltering = 0;
    c.orders.m_bAllBoards = 0;
    c.orders.m_aBoards = { 2, 1, 7 }; // Odd Lots; a suspended board; a board that left the table
    c.orders.m_bAllSecurities = 0;
    c.orders.m_aSecurities = { 1, 40 };
    c.orders.m_bAllUsers = 0;
    c.orders.m_aUsers = { "BRK2T1", "GONE01" };
    CFilterOrderDlg dlg(c.orders);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        ASSERT_EQ(d.itemCount(IDC_FLT_BOARDS), 2) << "only active boards are offered";
        EXPECT_EQ(d.itemString(IDC_FLT_BOARDS, 0), "Main Board");
        EXPECT_EQ(d.itemData(IDC_FLT_BOARDS, 1), 2u);
        EXPECT_EQ(d.selectedItems(IDC_FLT_BOARDS), std::vector<int> { 1 });
        EXPECT_EQ(d.selectedItems(IDC_FLT_SECURITIES), std::vector<int> { 1 });
        EXPECT_EQ(d.selectedItems(IDC_FLT_USERS), std::vector<int> { 2 });
        EXPECT_TRUE(d.isItemEnabled(IDC_FLT_BOARDS));
        EXPECT_FALSE(d.isItemEnabled(IDC_FLT_ACCOUNTS));
        EXPECT_EQ(d.itemCount(IDC_FLT_ACCOUNTS), 2);
        d.userClick(fw::kIdOk);
    });
    // OK keeps only what could be selected.
    EXPECT_EQ(c.orders.m_aBoards, std::vector<int> { 2 });
    EXPECT_EQ(c.orders.m_aSecurities, std::vector<int> { 1 });
    EXPECT_EQ(c.orders.m_aUsers, std::vector<std::string> { "BRK2T1" });
}

TEST_F(FilterDialogs, NothingFilteredKeepsTheListsAsTheyWere)
{
    c.orders.m_bNoFiltering = 1;
    c.orders.m_bAllBoards = 0;
    c.orders.m_aBoards = { 2 };
    CFilterOrderDlg dlg(c.orders);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.selCount(IDC_FLT_BOARDS), 0);
        d.userClick(IDC_FLT_BUY); // disabled controls still hold their state
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(c.orders.m_aBoards, std::vector<int> { 2 }) << "a list is rebuilt only while filtering";
}

// ---- Time pickers ----

struct PickerDialog {
    const char* name;
    std::function<std::unique_ptr<fw::Dialog>(Criteria&)> make;
    std::function<std::vector<CDateTime>(Criteria&)> bounds;
    std::vector<CDateTime> expected;
};

TEST_F(FilterDialogs, UntouchedPickersStoreTheWholeDay)
{
    const CDateTime earliest(1900, 1, 1, 0, 0, 0);
    const CDateTime latest(9999, 12, 30, 23, 59, 59);
    const PickerDialog cases[] = {
        { "orders", [](Criteria& c) { return std::make_unique<CFilterOrderDlg>(c.orders); },
            [](Criteria& c) {
                return std::vector { c.orders.m_tFromTime, c.orders.m_tToTime };
            },
            { earliest, latest } },
        { "audits", [](Criteria& c) { return std::make_unique<CFilterAuditDlg>(c.audits); },
            [](Criteria& c) {
                return std::vector { c.audits.m_tFromTime, c.audits.m_tToTime };
            },
            { earliest, latest } },
        { "negotiated deals", [](Criteria& c) { return std::make_unique<CFilterNDealDlg>(c.deals); },
            [](Criteria& c) {
                return std::vector { c.deals.m_tFromTime, c.deals.m_tToTime };
            },
            { earliest, latest } },
        { "alert logs", [](Criteria& c) { return std::make_unique<CFilterLogDlg>(c.logs); },
            [](Criteria& c) {
                return std::vector { c.logs.m_tFromDate, c.logs.m_tToDate, c.logs.m_tFromTime,
                    c.logs.m_tToTime };
            },
            { earliest, latest, earliest, latest } },
    };
    for (const PickerDialog& k : cases) {
        SCOPED_TRACE(k.name);
        Criteria criteria;
        for (const CDateTime& bound : k.bounds(criteria))
            EXPECT_FALSE(bound.IsValid());
        auto dlg = k.make(criteria);
        fw::test::runModal(*dlg, [&](fw::Dialog& d) {
            d.userClick(IDC_FLT_NO_FILTERING);
            d.userClick(fw::kIdOk);
        });
        EXPECT_EQ(k.bounds(criteria), k.expected);
    }
}

COrderRec OrderAt(int hour, int minute, int second)
{
    COrderRec rec {};
    rec.dtEntry = CDateTime(2026, 12, 10, hour, minute, second);
    std::memset(rec.szType, '0', 32);
    std::strcpy(rec.szBuySell, "B");
    std::strcpy(rec.szStatus, "Open");
    rec.nOrderNo = 7;
    return rec;
}

TEST_F(FilterDialogs, OrdersUntouchedPickersHideNothingAndTypedTimesBound)
{
    CFilterOrderDlg dlg(c.orders);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        d.userClick(IDC_FLT_NO_FILTERING);
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(c.orders.m_bNoFiltering, 0);
    for (const COrderRec& rec : { OrderAt(0, 0, 0), OrderAt(12, 0, 0), OrderAt(23, 59, 59) })
        EXPECT_TRUE(c.orders.Match(rec)) << rec.dtEntry.FormatTimeVORL();

    // A window typed into the pickers bounds the day, both ends included.
    CFilterOrderDlg typed(c.orders);
    fw::test::runModal(typed, [&](fw::Dialog& d) {
        auto* from = d.itemAs<fw::DateTimeField>(IDC_FLT_TIME_FROM);
        auto* to = d.itemAs<fw::DateTimeField>(IDC_FLT_TIME_TO);
        ASSERT_NE(from, nullptr);
        ASSERT_NE(to, nullptr);
        from->setValue(QDateTime(QDate(2000, 1, 1), QTime(10, 0, 0)));
        to->setValue(QDateTime(QDate(2000, 1, 1), QTime(12, 0, 0)));
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(c.orders.m_tFromTime.FormatTimeVORL(), "100000");
    EXPECT_EQ(c.orders.m_tToTime.FormatTimeVORL(), "120000");
    EXPECT_FALSE(c.orders.Match(OrderAt(9, 59, 59)));
    EXPECT_TRUE(c.orders.Match(OrderAt(10, 0, 0)));
    EXPECT_TRUE(c.orders.Match(OrderAt(12, 0, 0)));
    EXPECT_FALSE(c.orders.Match(OrderAt(12, 0, 1)));

    // Opening shows the stored bounds again; a picker emptied there is no bound.
    CFilterOrderDlg reopened(c.orders);
    fw::test::runModal(reopened, [&](fw::Dialog& d) {
        auto* from = d.itemAs<fw::DateTimeField>(IDC_FLT_TIME_FROM);
        ASSERT_NE(from, nullptr);
        ASSERT_TRUE(from->value().has_value());
        EXPECT_EQ(from->value()->time(), QTime(10, 0, 0));
        from->setValue(std::nullopt);
        d.userClick(fw::kIdOk);
    });
    EXPECT_FALSE(c.orders.m_tFromTime.IsValid());
    EXPECT_EQ(c.orders.m_tToTime.FormatTimeVORL(), "120000");
    EXPECT_TRUE(c.orders.Match(OrderAt(0, 0, 0)));
}

// Types into a number edit over what it shows.
void TypeNumber(fw::Dialog& d, uint32_t id, const char* text)
{
    auto* edit = d.itemAs<KvNumEditWidget>(id);
    ASSERT_NE(edit, nullptr) << id;
    edit->engine().SetSelAll();
    for (const char* p = text; *p; ++p) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QLatin1Char(*p)));
        QApplication::sendEvent(edit, &press);
    }
}

TEST_F(FilterDialogs, NumbersAreStoredAsTyped)
{
    CFilterTradeDlg dlg(c.trades);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        d.userClick(IDC_FLT_NO_FILTERING);
        TypeNumber(d, IDC_FLT_TRADES_FROM, "5");
        TypeNumber(d, IDC_FLT_NUMBER_TO, "4294967295");
        TypeNumber(d, IDC_FLT_TRADES_TO, "4294967296"); // past the largest: the last digit is refused
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(c.trades.m_nLowestTradeNo, 5u);
    EXPECT_EQ(c.trades.m_nHighestTradeNo, 429496729u);
    EXPECT_EQ(c.trades.m_nLowestOrderNo, 0u);
    EXPECT_EQ(c.trades.m_nHighestOrderNo, 4294967295u);
}

// ---- Clear ----

struct ClearDialog {
    const char* name;
    std::function<std::unique_ptr<fw::Dialog>(Criteria&)> make;
    std::function<void(Criteria&)> narrow; // filtering on, buyers hidden, one board
    std::function<bool(Criteria&)> narrowed;
    std::function<bool(Criteria&)> cleared; // reset and on
};

template <class C> void Narrow(C& c)
{
    c.m_bNoFiltering = 0;
    c.m_bShowBuy = 0;
    c.m_bAllBoards = 0;
    c.m_aBoards = { 2 };
}
template <class C> bool IsNarrowed(const C& c)
{
    return c.m_bNoFiltering == 0 && c.m_bShowBuy == 0 && c.m_bAllBoards == 0
        && c.m_aBoards == std::vector<int> { 2 };
}
template <class C> bool IsCleared(const C& c)
{
    return c.m_bNoFiltering == 0 && c.m_bShowBuy == 1 && c.m_bAllBoards == 1;
}

TEST_F(FilterDialogs, ClearResetsTheCopyAndOnlyOkHandsItOver)
{
    const ClearDialog cases[] = {
        { "orders", [](Criteria& c) { return std::make_unique<CFilterOrderDlg>(c.orders); },
            [](Criteria& c) { Narrow(c.orders); }, [](Criteria& c) { return IsNarrowed(c.orders); },
            [](Criteria& c) { return IsCleared(c.orders); } },
        { "negotiated deals", [](Criteria& c) { return std::make_unique<CFilterNDealDlg>(c.deals); },
            [](Criteria& c) { Narrow(c.deals); }, [](Criteria& c) { return IsNarrowed(c.deals); },
            [](Criteria& c) { return IsCleared(c.deals); } },
        { "private orders",
            [](Criteria& c) { return std::make_unique<CFilterPrivateOrderDlg>(c.privateOrders); },
            [](Criteria& c) { Narrow(c.privateOrders); },
            [](Criteria& c) { return IsNarrowed(c.privateOrders); },
            [](Criteria& c) { return IsCleared(c.privateOrders); } },
    };
    for (const ClearDialog& k : cases) {
        SCOPED_TRACE(k.name);
        for (const uint32_t closeWith : { fw::kIdCancel, fw::kIdOk }) {
            Criteria criteria;
            k.narrow(criteria);
            auto dlg = k.make(criteria);
            fw::test::runModal(*dlg, [&](fw::Dialog& d) {
                EXPECT_EQ(d.isButtonChecked(IDC_FLT_BUY), 0);
                EXPECT_EQ(d.selCount(IDC_FLT_BOARDS), 1);
                d.userClick(IDC_FLT_SELL);
                d.userClick(IDC_FLT_CLEAR);
                // The form shows the reset criteria, switched on.
                EXPECT_EQ(d.isButtonChecked(IDC_FLT_NO_FILTERING), 0);
                EXPECT_EQ(d.isButtonChecked(IDC_FLT_BUY), 1);
                EXPECT_EQ(d.isButtonChecked(IDC_FLT_ALL_BOARDS), 1);
                EXPECT_EQ(d.selCount(IDC_FLT_BOARDS), 0);
                EXPECT_FALSE(d.isItemEnabled(IDC_FLT_BOARDS));
                EXPECT_EQ(d.isButtonChecked(IDC_FLT_SELL), 1);
                EXPECT_TRUE(d.isItemEnabled(IDC_FLT_BUY));
                d.userClick(closeWith);
            });
            if (closeWith == fw::kIdCancel)
                EXPECT_TRUE(k.narrowed(criteria)) << "Clear then Cancel changes nothing";
            else
                EXPECT_TRUE(k.cleared(criteria));
        }
    }
}

// ---- The dialogs of their own ----

TEST_F(FilterDialogs, LastTradesTypeComesFromTheLetterCodes)
{
    c.lastN.m_strType = "Cross";
    CFilterLastNDlg dlg(c.lastN);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemCount(IDC_FLT_TYPES), 2);
        EXPECT_EQ(d.curSel(IDC_FLT_TYPES), 1);
        EXPECT_FALSE(d.isItemEnabled(IDC_FLT_TYPES)) << "nothing filtered";
        d.userClick(IDC_FLT_NO_FILTERING);
        EXPECT_TRUE(d.isItemEnabled(IDC_FLT_TYPES));
        d.userSelect(IDC_FLT_TYPES, 0);
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(c.lastN.m_strType, "Normal");
    CFilterLastNDlg none(c.lastN);
    fw::test::runModal(none, [&](fw::Dialog& d) {
        d.setCurSel(IDC_FLT_TYPES, -1);
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(c.lastN.m_strType, "");
}

TEST_F(FilterDialogs, MessagesLetterFilterChangesOnlyOnOk)
{
    struct Case {
        int start;
        uint32_t click;
        uint32_t closeWith;
        int expected;
    };
    const Case cases[] = {
        { 0, IDC_FLT_MSG_PENDING, fw::kIdOk, 2 },
        { 2, IDC_FLT_MSG_SENT, fw::kIdOk, 1 },
        { 1, IDC_FLT_MSG_ALL, fw::kIdOk, 0 },
        { 1, IDC_FLT_MSG_PENDING, fw::kIdCancel, 1 },
    };
    for (const Case& k : cases) {
        CLetterFilter filter;
        filter.m_nState = k.start;
        CFilterMsgDlg dlg(filter);
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            EXPECT_EQ(d.isButtonChecked(IDC_FLT_MSG_ALL + static_cast<uint32_t>(k.start)), 1);
            d.userClick(k.click);
            d.userClick(k.closeWith);
        });
        EXPECT_EQ(filter.m_nState, k.expected) << k.start << " " << k.click;
    }
}

TEST_F(FilterDialogs, CashPositionsShowTheCombosOfTheirKind)
{
    for (int kind : { 0, 1, 2 }) {
        CCurPosFilter filter;
        filter.m_nKind = kind;
        CFilterCurPosDlg dlg(filter);
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            EXPECT_FALSE(d.item(IDC_FLT_FIRMS)->isHidden());
            EXPECT_EQ(d.item(IDC_FLT_USERS)->isHidden(), kind == 0) << kind;
            EXPECT_EQ(d.item(IDC_FLT_USER_LABEL)->isHidden(), kind == 0) << kind;
            EXPECT_EQ(d.item(IDC_FLT_ACCOUNTS)->isHidden(), kind != 2) << kind;
            EXPECT_EQ(d.item(IDC_FLT_ACCOUNT_LABEL)->isHidden(), kind != 2) << kind;
            d.userClick(fw::kIdCancel);
        });
    }
}

TEST_F(FilterDialogs, CashPositionsUserAndFirmFollowEachOther)
{
    c.curPos.m_nKind = 2;
    c.curPos.m_strFirm = "BRK1";
    c.curPos.m_strUser = "BRK1T2";
    c.curPos.m_strAccount = "ACC001";
    const CCurPosFilter before = c.curPos;
    CFilterCurPosDlg cancelled(c.curPos);
    fw::test::runModal(cancelled, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_FLT_FIRMS), "BRK1");
        EXPECT_EQ(d.itemText(IDC_FLT_USERS), "BRK1T2");
        EXPECT_EQ(d.itemText(IDC_FLT_ACCOUNTS), "ACC001");
        d.userSelect(IDC_FLT_USERS, d.findStringExact(IDC_FLT_USERS, -1, "BRK2T1"));
        EXPECT_EQ(d.itemText(IDC_FLT_FIRMS), "BRK2") << "the user's firm is chosen with him";
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(c.curPos, before);

    CFilterCurPosDlg dlg(c.curPos);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        d.userSelect(IDC_FLT_FIRMS, d.findStringExact(IDC_FLT_FIRMS, -1, "BRK1"));
        EXPECT_EQ(d.itemText(IDC_FLT_USERS), "BRK1T2") << "the user belongs to the firm";
        d.userSelect(IDC_FLT_FIRMS, d.findStringExact(IDC_FLT_FIRMS, -1, "BRK2"));
        EXPECT_EQ(d.curSel(IDC_FLT_USERS), -1) << "a user of another firm is cleared";
        d.userSelect(IDC_FLT_ACCOUNTS, 1);
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(c.curPos.m_nKind, 2);
    EXPECT_EQ(c.curPos.m_strFirm, "BRK2");
    EXPECT_EQ(c.curPos.m_strUser, "");
    EXPECT_EQ(c.curPos.m_strAccount, "ACC002");
}

// One page of the host's trading-account list.
std::string AccountPage(const char* continuation, bool last, const std::vector<std::string>& accounts)
{
    std::string page = std::string(continuation) + std::string(12, ' ') + (last ? '1' : '0');
    char count[8];
    std::snprintf(count, sizeof count, "%06zu", accounts.size());
    page += count;
    for (const std::string& account : accounts)
        page += account + std::string(12 - account.size(), ' ') + 'A';
    return page;
}

TEST_F(FilterDialogs, SecurityPositionsNeedAFirmAndAnAccount)
{
    CFilterSecPosDlg dlg(c.secPos);
    const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemCount(IDC_FLT_FIRMS), 2) << "brokers with users only";
        EXPECT_EQ(d.curSel(IDC_FLT_FIRMS), -1);
        EXPECT_TRUE(router.Requests().empty()) << "without an own firm nothing is asked";
        d.userClick(fw::kIdOk);
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, "Firm not selected");
        EXPECT_EQ(ui.boxes[0].flags, fw::MB_ICONSTOP);
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_FLT_FIRMS));
        EXPECT_TRUE(d.isVisible());
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(result, fw::IDCANCEL);
    EXPECT_EQ(c.secPos.m_strFirm, "");
}

TEST_F(FilterDialogs, SecurityPositionsFetchTheFirmsAccountsPageByPage)
{
    // Brokers count only with a user of theirs: give the second broker none.
    KvTables().traders.Free();
    AddTrader("BRK1T1", "BRK1");
    AddFirm("BRK3", "Third Broker", "BROK");
    AddTrader("BRK3T1", "BRK3");
    session.m_sUserFirm = "BRK1";
    router.Reply({ { kTrAccRequest, AccountPage("00000005", false, { "ACC001", "ACC002" }) }, End() });
    router.Reply({ { kTrAccRequest, AccountPage("00000009", true, { "ACC003" }) }, End() });
    CFilterSecPosDlg dlg(c.secPos);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemCount(IDC_FLT_FIRMS), 2);
        EXPECT_EQ(d.itemText(IDC_FLT_FIRMS), "First Broker") << "the own firm first";
        const std::vector<kv32test::Msg> sent = router.Requests();
        ASSERT_EQ(sent.size(), 2u);
        EXPECT_EQ(sent[0].type, kTrAccRequest);
        EXPECT_EQ(sent[0].bytes, "TRADER01    00000000BRK1        ");
        EXPECT_EQ(sent[1].bytes, "TRADER01    00000005BRK1        ") << "the next page goes on from the key";
        ASSERT_EQ(d.itemCount(IDC_FLT_ACCOUNTS), 3);
        EXPECT_EQ(d.itemString(IDC_FLT_ACCOUNTS, 2), "ACC003");
        EXPECT_EQ(d.curSel(IDC_FLT_ACCOUNTS), -1);
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_FLT_ACCOUNTS));
        d.userClick(fw::kIdOk);
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, "Trading Account not selected");
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_FLT_ACCOUNTS));

        // Another firm with one account: it is chosen and OK has the focus.
        router.ClearRecord();
        router.Reply({ { kTrAccRequest, AccountPage("00000001", true, { "ACC900" }) }, End() });
        d.userSelect(IDC_FLT_FIRMS, d.findStringExact(IDC_FLT_FIRMS, -1, "Third Broker"));
        ASSERT_EQ(router.Requests().size(), 1u);
        EXPECT_EQ(router.Requests()[0].bytes, "TRADER01    00000000BRK3        ");
        EXPECT_EQ(d.itemCount(IDC_FLT_ACCOUNTS), 1);
        EXPECT_EQ(d.curSel(IDC_FLT_ACCOUNTS), 0);
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(fw::kIdOk));
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(c.secPos.m_strFirm, "BRK3");
    EXPECT_EQ(c.secPos.m_strAccount, "ACC900");
}

TEST_F(FilterDialogs, SecurityPositionsStopOnAPageThatRepeatsItsKey)
{
    session.m_sUserFirm = "BRK1";
    for (int i = 0; i < 3; ++i)
        router.Reply({ { kTrAccRequest, AccountPage("00000000", false, { "ACC001" }) }, End() });
    CFilterSecPosDlg dlg(c.secPos);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(router.Requests().size(), 1u);
        EXPECT_EQ(d.itemCount(IDC_FLT_ACCOUNTS), 1);
        d.userClick(fw::kIdCancel);
    });
}

// ---- Templates, texts and pictures ----

TEST(FilterDialogResources, TemplatesAndTextsAreComplete)
{
    Kv32RegisterFilterDialogs();
    const fw::ResourceSet set { "kv32-filter-dialogs-check", Kv32FilterDialogStrings(),
        Kv32FilterDialogTemplates() };
    const fw::ResourceReport report = fw::checkResources(std::span(&set, 1));
    EXPECT_TRUE(report.ok()) << report.text();
    EXPECT_EQ(Kv32FilterDialogTemplates().size(), 13u);
    fw::setLanguage(fw::Language::Hungarian);
    EXPECT_EQ(Kv32FilterDialogString(IDS_FIRM_NOT_SELECTED),
        fw::resourceText("Firm not selected", "Nincs kiválasztva cég"));
    fw::setLanguage(fw::Language::English);
    EXPECT_EQ(Kv32FilterDialogString(IDS_TRADING_ACCOUNT_NOT_SELECTED), "Trading Account not selected");
}

// Pictures for review: written when KV32_SHOT_DIR names a folder.
TEST_F(FilterDialogs, OrdersFilterPicturesInBothLanguages)
{
    const char* out = std::getenv("KV32_SHOT_DIR");
    if (out == nullptr)
        GTEST_SKIP() << "KV32_SHOT_DIR not set";
    c.orders.m_bNoFiltering = 0;
    c.orders.m_bAllBoards = 0;
    c.orders.m_aBoards = { 0 };
    c.orders.m_bShowWithdrawn = 0;
    c.orders.m_bShowExpired = 0;
    c.orders.m_nLowestOrderNo = 100;
    for (const auto& entry :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        const fw::Language language = entry.first;
        const char* tag = entry.second;
        fw::setLanguage(language);
        fw::setDisplayLocale(language == fw::Language::English ? fw::englishLocale() : fw::hungarianLocale());
        CFilterOrderDlg dlg(c.orders);
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            d.adjustSize();
            fw::test::processEvents();
            EXPECT_TRUE(
                d.grab().save(QString::fromUtf8(out) + QStringLiteral("/filter-orders-%1.png").arg(tag)));
            d.userClick(fw::kIdCancel);
        });
    }
    fw::setLanguage(fw::Language::English);
    fw::setDisplayLocale(fw::englishLocale());
}

// The other filter dialogs as their windows open them, for the screens page.
TEST_F(FilterDialogs, EveryOtherFilterPictureInBothLanguages)
{
    const char* out = std::getenv("KV32_SHOT_DIR");
    if (out == nullptr)
        GTEST_SKIP() << "KV32_SHOT_DIR not set";
    c.curPos.m_nKind = 2;
    const std::pair<const char*, std::function<std::unique_ptr<fw::Dialog>(Criteria&)>> dialogs[] = {
        { "audits", [](Criteria& k) { return std::make_unique<CFilterAuditDlg>(k.audits); } },
        { "alert-logs", [](Criteria& k) { return std::make_unique<CFilterLogDlg>(k.logs); } },
        { "last-trades", [](Criteria& k) { return std::make_unique<CFilterLastNDlg>(k.lastN); } },
        { "messages", [](Criteria& k) { return std::make_unique<CFilterMsgDlg>(k.letters); } },
        { "deals", [](Criteria& k) { return std::make_unique<CFilterNDealDlg>(k.deals); } },
        { "news", [](Criteria& k) { return std::make_unique<CFilterNewsDlg>(k.news); } },
        { "order-counting", [](Criteria& k) { return std::make_unique<CFilterOrdCountDlg>(k.ordCount); } },
        { "private-orders",
            [](Criteria& k) { return std::make_unique<CFilterPrivateOrderDlg>(k.privateOrders); } },
        { "trades", [](Criteria& k) { return std::make_unique<CFilterTradeDlg>(k.trades); } },
        { "firms", [](Criteria& k) { return std::make_unique<CFilterFirmDlg>(k.firms); } },
        { "cash-positions", [](Criteria& k) { return std::make_unique<CFilterCurPosDlg>(k.curPos); } },
        { "security-positions", [](Criteria& k) { return std::make_unique<CFilterSecPosDlg>(k.secPos); } },
    };
    for (const auto& [language, tag] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        fw::setDisplayLocale(language == fw::Language::English ? fw::englishLocale() : fw::hungarianLocale());
        for (const auto& [name, make] : dialogs) {
            auto dlg = make(c);
            fw::test::runModal(*dlg, [&](fw::Dialog& d) {
                d.adjustSize();
                fw::test::processEvents();
                EXPECT_TRUE(d.grab().save(QString::fromUtf8(out)
                    + QStringLiteral("/filter-%1-%2.png").arg(QString::fromUtf8(name), tag)))
                    << name;
                d.userClick(fw::kIdCancel);
            });
        }
    }
    fw::setLanguage(fw::Language::English);
    fw::setDisplayLocale(fw::englishLocale());
}

} // namespace
