// The cash positions window: its golden requests of each kind, the reply
// records of each kind filling the row of their cash pool, user and trading
// account, limits shown only when set, red negatives, the limit sort, the
// limits command of the criteria's kind alone, equal criteria bringing up the
// window already open, and a reply that only changes rows repainting those.
#include <QDir>
#include <QImage>

#include "../list_windows/list_fixture.h"
#include "kv32/lists/cash_positions_list.h"
#include "kv32/res/cash_positions_strings.h"
#include "kv32/res/supervision_a_ids.h"
#include "kv32/shell/session.h"
#include "kv32/windows/cash_positions_view.h"
#include "support/view_update_recorder.h"

namespace {

using namespace kv32test;

struct Cash {
    const char* currency = "HUF";
    const char* pool = "P1";
    long long open = 1000, current = 900, planned = 50;
    long long hard = 5000;
    char hardSet = 'Y';
    long long warn = 4000;
    char warnSet = 'Y';
    long long order = 300;
    char orderSet = 'Y';
};

// Currency, cash pool, open, current, planned, the hard limit and its mark,
// the warn limit and its mark (17 digits each), the order limit (16) and its mark.
std::string Tail(const Cash& c)
{
    char numbers[160];
    std::snprintf(numbers, sizeof numbers, "%017lld%017lld%017lld%017lld%c%017lld%c%016lld%c", c.open, c.current,
        c.planned, c.hard, c.hardSet, c.warn, c.warnSet, c.order, c.orderSet);
    return Padded(c.currency, 3) + Padded(c.pool, 4) + numbers;
}

// Type 46: sequence number, firm. Type 90: user, firm. Type 86: trading account, firm.
std::string FirmCash(const char* seq, const char* firm, const Cash& c = {})
{
    return std::string(seq) + Padded(firm, 12) + Tail(c);
}
std::string UserCash(const char* seq, const char* user, const char* firm, const Cash& c = {})
{
    return std::string(seq) + Padded(user, 12) + Padded(firm, 12) + Tail(c);
}
std::string AccountCash(const char* seq, const char* account, const char* firm, const Cash& c = {})
{
    return std::string(seq) + Padded(account, 12) + Padded(firm, 12) + Tail(c);
}

CCurPosFilter Criteria(int kind, const char* firm, const char* user = "", const char* account = "")
{
    CCurPosFilter f;
    f.m_nKind = kind;
    f.m_strFirm = firm;
    f.m_strUser = user;
    f.m_strAccount = account;
    return f;
}

std::string Cell(const CTDoc& doc, int row, int col)
{
    fw::CellStyle style;
    return doc.GetStyleRowCol(row, col, style) ? style.value : std::string("<none>");
}

class CashPositions : public ListWindows {
protected:
    void SetUp() override
    {
        ListWindows::SetUp();
        for (int type : { 150, 156, 165 })
            Grant(type, 0);
    }
    void TearDown() override
    {
        kvcore::CTGXDoc::m_iColorMethod = 0;
        ListWindows::TearDown();
    }
    std::string Requested(CRequestDoc& doc)
    {
        router->ClearRecord();
        if (doc.UpdateReq() == 0)
            return {};
        ScriptedRouter::Reply({ End() });
        VORLInfoReqEnd();
        VORLInfoReqRecv();
        const std::vector<Msg> sent = router->Requests();
        return sent.empty() ? std::string() : std::to_string(sent[0].type) + ":" + sent[0].bytes;
    }
};

TEST_F(CashPositions, GoldenRequestsOfEachKind)
{
    const struct {
        CCurPosFilter criteria;
        const char* expected;
    } cases[] = {
        { Criteria(0, "FIRM1"), "46:TRADER01    0000000000FIRM1       " },
        { Criteria(1, "FIRM1", "USER7"), "90:TRADER01    0000000000USER7       FIRM1       " },
        { Criteria(2, "FIRM1", "USER7", "ACC9"), "86:TRADER01    0000000000ACC9        FIRM1       USER7       " },
        { Criteria(3, "FIRM1"), "" },
        { Criteria(0, "FIRM123456789"), "" },
    };
    for (const auto& c : cases) {
        CCurPosDoc doc;
        doc.TakeFilter(c.criteria);
        const std::string sent = Requested(doc);
        EXPECT_EQ(sent, c.expected);
    }
    static_assert(sizeof("TRADER01    0000000000FIRM1       ") - 1 == 34);
    CCurPosDoc doc;
    doc.TakeFilter(Criteria(0, "FIRM1"));
    Feed(doc, 46, FirmCash("0000000042", "FIRM1"));
    doc.OnPostReceive();
    EXPECT_EQ(Requested(doc), "46:TRADER01    0000000042FIRM1       ") << "the last reply's sequence number";
    doc.TakeFilter(Criteria(0, "FIRM2"));
    EXPECT_EQ(doc.GetRowCount(), 0);
    EXPECT_EQ(Requested(doc), "46:TRADER01    0000000000FIRM2       ") << "new criteria ask from the start";
}

TEST_F(CashPositions, RepliesOfEachKindFillTheirRow)
{
    const struct {
        int type;
        std::string record;
        const char *account, *user, *firm;
    } cases[] = {
        { 46, FirmCash("0000000001", "FIRM1"), "", "", "FIRM1" },
        { 90, UserCash("0000000001", "USER7", "FIRM1"), "", "USER7", "FIRM1" },
        { 86, AccountCash("0000000001", "ACC9", "FIRM1"), "ACC9", "", "FIRM1" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        ASSERT_EQ(c.record.size(), c.type == 46 ? 133u : 145u);
        CCurPosDoc doc;
        Feed(doc, c.type, c.record);
        Feed(doc, c.type, c.record.substr(0, c.record.size() - 1)); // short: dropped
        doc.OnPostReceive();
        ASSERT_EQ(doc.GetRowCount(), 1);
        const KvCashPositionRow* row = doc.Row(0);
        EXPECT_STREQ(row->szAccount, c.account);
        EXPECT_STREQ(row->szUser, c.user);
        EXPECT_STREQ(row->szFirm, c.firm);
        EXPECT_STREQ(row->szCurrency, "HUF");
        EXPECT_STREQ(row->szCashPool, "P1");
        EXPECT_DOUBLE_EQ(static_cast<double>(row->dOpen), 1000);
        EXPECT_DOUBLE_EQ(static_cast<double>(row->dCurrent), 900);
        EXPECT_DOUBLE_EQ(static_cast<double>(row->dPlanned), 50);
        EXPECT_DOUBLE_EQ(static_cast<double>(row->hard.value), 5000);
        EXPECT_DOUBLE_EQ(static_cast<double>(row->warn.value), 4000);
        EXPECT_DOUBLE_EQ(static_cast<double>(row->order.value), 300);
        EXPECT_TRUE(row->hard.set && row->warn.set && row->order.set);
        EXPECT_EQ(doc.SeqNum(), "0000000001");
    }
    CCurPosDoc doc;
    Feed(doc, 47, FirmCash("0000000001", "FIRM1"));
    doc.OnPostReceive();
    EXPECT_EQ(doc.GetRowCount(), 0) << "another message type";
}

TEST_F(CashPositions, AKeyTwiceInABatchIsOneRowAndRowsSortByPoolUserAccount)
{
    CCurPosDoc doc;
    Cash p2;
    p2.pool = "P2";
    Cash again;
    again.open = 7777;
    Feed(doc, 90, UserCash("0000000001", "USER9", "FIRM1", p2));
    Feed(doc, 90, UserCash("0000000002", "USER9", "FIRM1"));
    Feed(doc, 90, UserCash("0000000003", "USER1", "FIRM1"));
    Feed(doc, 90, UserCash("0000000004", "USER9", "FIRM1", again)); // same key, same batch
    doc.OnPostReceive();
    ASSERT_EQ(doc.GetRowCount(), 3);
    EXPECT_STREQ(doc.Row(0)->szUser, "USER1");
    EXPECT_STREQ(doc.Row(1)->szUser, "USER9");
    EXPECT_DOUBLE_EQ(static_cast<double>(doc.Row(1)->dOpen), 7777);
    EXPECT_STREQ(doc.Row(2)->szCashPool, "P2");
    // A later reply updates the sorted rows by key.
    Cash later;
    later.current = -5;
    Feed(doc, 90, UserCash("0000000005", "USER1", "FIRM1", later));
    doc.OnPostReceive();
    ASSERT_EQ(doc.GetRowCount(), 3);
    EXPECT_DOUBLE_EQ(static_cast<double>(doc.Row(0)->dCurrent), -5);
}

TEST_F(CashPositions, AReplyChangingRowsInPlaceRepaintsOnlyThoseRows)
{
    CCurPosDoc doc;
    Cash p2;
    p2.pool = "P2";
    for (const char* user : { "USER1", "USER5", "USER9" })
        Feed(doc, 90, UserCash("0000000001", user, "FIRM1"));
    Feed(doc, 90, UserCash("0000000002", "USER9", "FIRM1", p2));
    doc.OnPostReceive();
    ASSERT_EQ(doc.GetRowCount(), 4); // P1 USER1, USER5, USER9; P2 USER9
    ViewUpdateRecorder grid;
    grid.setDocument(&doc);
    Cash moved;
    moved.current = -70;
    Cash newPool;
    newPool.pool = "P0";
    const struct {
        std::vector<std::string> records;
        bool full;
        std::set<int> flagged;
    } cases[] = {
        // The same key twice in a reply marks its row once.
        { { UserCash("0000000003", "USER9", "FIRM1", p2), UserCash("0000000004", "USER1", "FIRM1", moved),
              UserCash("0000000005", "USER9", "FIRM1", p2) },
            false, { 0, 3 } },
        // A new row sorts in before the others: every row shows another record.
        { { UserCash("0000000006", "USER5", "FIRM1", moved), UserCash("0000000007", "USER5", "FIRM1", newPool) },
            true, {} },
        { { UserCash("0000000008", "USER5", "FIRM1", moved) }, false, { 2 } },
    };
    for (const auto& c : cases) {
        for (std::string record : c.records)
            Feed(doc, 90, record);
        doc.OnPostReceive();
        EXPECT_EQ(grid.full, c.full) << c.records.front();
        EXPECT_EQ(grid.flagged, c.flagged) << c.records.front();
    }
    EXPECT_EQ(doc.GetRowCount(), 5);
    EXPECT_DOUBLE_EQ(static_cast<double>(doc.Row(2)->dCurrent), -70);
    // New criteria empty the rows: the next reply repaints everything.
    doc.TakeFilter(Criteria(1, "FIRM1", "USER5"));
    Feed(doc, 90, UserCash("0000000001", "USER5", "FIRM1"));
    doc.OnPostReceive();
    EXPECT_TRUE(grid.full);
    grid.setDocument(nullptr);
}

TEST_F(CashPositions, LimitCellsRedNegativesAndLimitSort)
{
    auto* doc = dynamic_cast<CCurPosDoc*>(KvOpenCashPositions(Criteria(0, "FIRM1")));
    ASSERT_NE(doc, nullptr);
    Cash unset;
    unset.pool = "P1";
    unset.warn = 123;
    unset.warnSet = 'N';
    unset.open = -2500;
    unset.hard = 0;
    Cash set;
    set.pool = "P2";
    set.warn = 1234567;
    set.current = -1;
    Feed(*doc, 46, FirmCash("0000000001", "FIRM1", unset));
    Feed(*doc, 46, FirmCash("0000000002", "FIRM1", set));
    doc->OnPostReceive();
    ASSERT_EQ(doc->GetRowCount(), 2);
    // Display columns 1..11 show ids 350..360.
    EXPECT_EQ(doc->GetColumnTitle(9), "Warn Limit");
    EXPECT_EQ(Cell(*doc, 1, 9), "") << "mark 'N': empty though the number is not 0";
    EXPECT_EQ(Cell(*doc, 2, 9), CDouble(1234567, 0).Format(1, 1)) << "grouped as the settings group";
    EXPECT_EQ(Cell(*doc, 1, 10), "0") << "a set limit shows its zero";
    EXPECT_EQ(Cell(*doc, 1, 6), CDouble(-2500, 0).Format(1, 0));

    const struct {
        int method;
        int row, col;
        bool backRed, textRed;
    } colours[] = {
        { 0, 1, 6, true, false }, // open -2500, background
        { 1, 1, 6, false, true }, // open -2500, text
        { 0, 2, 7, true, false }, // current -1
        { 0, 2, 6, false, false }, // open 1000
        { 0, 2, 9, false, false }, // a limit is never red
    };
    for (const auto& c : colours) {
        SCOPED_TRACE(testing::Message() << c.method << " " << c.row << " " << c.col);
        kvcore::CTGXDoc::m_iColorMethod = c.method;
        fw::CellStyle style;
        ASSERT_TRUE(doc->GetStyleRowCol(c.row, c.col, style));
        EXPECT_EQ(style.back == kNegativeRed, c.backRed);
        EXPECT_EQ(style.text == kNegativeRed, c.textRed);
    }
    kvcore::CTGXDoc::m_iColorMethod = 0;

    // Sorting on Warn Limit orders by value: 123 (not set) before 1,234,567.
    doc->SetSortColumn(9, kvcore::CTGXDoc::kDescending);
    doc->UpdateDocument(0, nullptr);
    EXPECT_EQ(Cell(*doc, 1, 9), CDouble(1234567, 0).Format(1, 1));
    doc->SetSortColumn(9, kvcore::CTGXDoc::kAscending);
    doc->UpdateDocument(0, nullptr);
    EXPECT_EQ(Cell(*doc, 1, 9), "");
}

TEST_F(CashPositions, OnlyTheLimitsCommandOfTheKindAndEqualCriteriaReuseTheWindow)
{
    CCurPosDoc* firmA = KvOpenCashPositions(Criteria(0, "FIRMA"));
    CCurPosDoc* firmB = KvOpenCashPositions(Criteria(0, "FIRMB"));
    ASSERT_TRUE(firmA && firmB);
    EXPECT_NE(firmA, firmB);
    EXPECT_EQ(KvOpenCashPositions(Criteria(0, "FIRMA")), firmA);
    EXPECT_EQ(firmA->title(), "Cash Position Firms FIRMA  ");
    CCurPosDoc* user = KvOpenCashPositions(Criteria(1, "FIRMA", "USER7"));
    CCurPosDoc* account = KvOpenCashPositions(Criteria(2, "FIRMA", "USER7", "ACC9"));
    ASSERT_TRUE(user && account);

    const struct {
        CCurPosDoc* doc;
        unsigned kept;
        int kind;
    } cases[] = { { firmA, ID_CASH_FIRM_LIMITS, 0 }, { user, ID_CASH_TRADER_LIMITS, 1 },
        { account, ID_CASH_ACCOUNT_LIMITS, 2 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        auto* view = dynamic_cast<CCurPosView*>(c.doc->firstView());
        ASSERT_NE(view, nullptr);
        const int type = c.kind == 0 ? 46 : c.kind == 1 ? 90 : 86;
        Cash cash;
        cash.warnSet = 'N';
        Feed(*c.doc, type, c.kind == 0 ? FirmCash("0000000001", "FIRMA", cash)
                : c.kind == 1            ? UserCash("0000000001", "USER7", "FIRMA", cash)
                                         : AccountCash("0000000001", "ACC9", "FIRMA", cash));
        c.doc->OnPostReceive();
        for (unsigned id : { ID_CASH_FIRM_LIMITS, ID_CASH_TRADER_LIMITS, ID_CASH_ACCOUNT_LIMITS }) {
            fw::CmdUI ui(id, fw::CmdUI::Source::Menu);
            view->routeUpdate(ui);
            EXPECT_EQ(ui.removed(), id != c.kept) << id;
            fw::CmdUI button(id);
            view->routeUpdate(button);
            EXPECT_FALSE(button.enabled()) << id;
            if (id == c.kept) {
                EXPECT_FALSE(ui.enabled()) << "no current row";
            }
        }
        view->setCurrentCell(1, 1);
        fw::CmdUI ui(c.kept);
        view->routeUpdate(ui);
        EXPECT_TRUE(ui.enabled());
        int opened = 0;
        fw::Dialog::setModalHook([&](fw::Dialog& d) {
            ++opened;
            EXPECT_EQ(d.itemText(IDC_SL_CASH_POOL), "P1");
            EXPECT_EQ(d.itemText(IDC_SL_WARN), "");
            EXPECT_EQ(d.itemText(IDC_SL_HARD), "5000");
            EXPECT_EQ(d.itemText(IDC_SL_ORDER), "300");
            d.endDialog(fw::IDCANCEL);
        });
        view->routeCommand(c.kept);
        fw::Dialog::setModalHook({});
        EXPECT_EQ(opened, 1);
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CashPositions, FilterOkAsksFromTheStartCancelKeepsTheRows)
{
    static_assert(offsetof(KvCashPositionRow, szUser) == 13 && offsetof(KvCashPositionRow, szFirm) == 26);
    CCurPosDoc* doc = KvOpenCashPositions(Criteria(0, "FIRM1"));
    ASSERT_NE(doc, nullptr);
    auto* view = dynamic_cast<CCurPosView*>(doc->firstView());
    ASSERT_NE(view, nullptr);
    for (const int result : { fw::IDCANCEL, fw::IDOK }) {
        SCOPED_TRACE(result);
        Feed(*doc, 46, FirmCash("0000000009", "FIRM1"));
        doc->OnPostReceive();
        fw::Dialog::setModalHook([result](fw::Dialog& d) { d.endDialog(result); });
        view->routeCommand(ID_OPTIONS_FILTER);
        fw::Dialog::setModalHook({});
        const bool ok = result == fw::IDOK;
        EXPECT_EQ(doc->GetRowCount(), ok ? 0 : 1);
        EXPECT_EQ(doc->SeqNum(), ok ? "0000000000" : "0000000009");
    }
}

TEST_F(CashPositions, PicturesInBothLanguages)
{
    const char* dirName = std::getenv("KV32_SHOT_DIR");
    for (const auto& [language, suffix] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        CCurPosDoc* doc = KvOpenCashPositions(Criteria(1, "FIRM1", "TRADER01"));
        ASSERT_NE(doc, nullptr);
        Cash a;
        a.open = 2500000;
        a.current = -125000;
        a.planned = 40000;
        a.warnSet = 'N';
        Cash b;
        b.pool = "P2";
        b.currency = "EUR";
        b.hard = 90000;
        b.order = 15000;
        Feed(*doc, 90, UserCash("0000000001", "TRADER01", "FIRM1", a));
        Feed(*doc, 90, UserCash("0000000002", "TRADER01", "FIRM1", b));
        doc->OnPostReceive();
        auto* view = dynamic_cast<kvcore::CTGXView*>(doc->firstView());
        ASSERT_NE(view, nullptr);
        view->OnGridSizeToContent();
        view->parentFrame()->resize(1200, 160);
        const QImage image = view->parentFrame()->grab().toImage();
        EXPECT_FALSE(image.isNull());
        if (dirName != nullptr)
            image.save(QDir(dirName).filePath(QStringLiteral("list-cash-positions-%1.png").arg(suffix)));
        EXPECT_EQ(doc->GetColumnTitle(1), language == fw::Language::English ? "Trading Acc" : "Keresk. sz\xE1mla");
        app->CloseAllDocuments();
    }
}

} // namespace
