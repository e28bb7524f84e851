// The trades and negotiated deals documents over their host tables: rows and
// titles follow the tables' hints as a full re-filter would, the commands'
// states and golden transaction texts, and the multi-row sending with the
// host's answers on their own lines of the replies table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "fw/core/gridsource.h"
#include "fw/core/msgbox.h"
#include "kv32/lists/list_actions.h"
#include "kv32/lists/neg_deals_list.h"
#include "kv32/lists/trades_list.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/shell/reply_partners.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/session_core.h"
#include "kvcore/router/cvorl.h"
#include "security_test_fixture.h"
#include "support/fake_router.h"
#include "support/log_recorder.h"
#include "support/trading_records.h"
#include "support/view_update_recorder.h"

namespace kv32test {
namespace {

// A window-less template of one table id, so the documents know their id.
class TableTemplate : public fw::DocTemplateBase, public KvTableTemplate {
public:
    TableTemplate(std::uint32_t id, DocumentFactory make) : fw::DocTemplateBase(id, std::move(make)), m_id(id) { }
    std::uint32_t GetDocTemplateID() const override { return m_id; }

private:
    std::uint32_t m_id;
};

// Hands a table's announcements to one document, as the application does.
class Forward : public CTableUpdateListener {
public:
    Forward(std::uint16_t id, CTDoc* doc) : m_id(id), m_doc(doc) { KvAddTableListener(this); }
    ~Forward() override { KvRemoveTableListener(this); }
    void OnTableUpdate(std::uint16_t id, const fw::RowHint* hint) override
    {
        if (id == m_id)
            m_doc->UpdateDocument(0, const_cast<fw::RowHint*>(hint));
    }

private:
    std::uint16_t m_id;
    CTDoc* m_doc;
};

// Lists the trades whose status is one of the letters' texts.
class StatusCriteria : public CListCriteria {
public:
    explicit StatusCriteria(std::vector<std::string> texts) : m_texts(std::move(texts)) { }
    void Reset() override { }
    bool Match(const std::uint8_t* record) override
    {
        const auto& trade = *reinterpret_cast<const CTradeRec*>(record);
        for (const std::string& t : m_texts)
            if (t == trade.szStatus)
                return true;
        return false;
    }
    void GetDescription(std::string& title) override { title += " (filtered)"; }
    void Serialize(fw::Archive&) override { }

private:
    std::vector<std::string> m_texts;
};

class PortRecorder : public CListWindowPort {
public:
    void OpenTable(std::uint32_t id) override { opened.push_back(id); }
    void UpdateAllViews(std::uint32_t id) override { updated.push_back(id); }
    std::vector<std::uint32_t> opened, updated;
};

std::string WithZero(const std::string& text)
{
    return text + std::string(1, '\0') + "0";
}

class ListDocs : public SecurityFixture {
protected:
    ListDocs()
    {
        FreeTrading();
        SecuritySpec spec;
        AddSecurity(spec);
        Feed(FlagTable(), 116, "00000001E Y" + Pad("Electronic", 30) + "0");
    }
    ~ListDocs() override
    {
        FreeTrading();
        KvSetReplyPartners(&partners);
    }
    static void FreeTrading()
    {
        for (CVorlPermTarget* t : { static_cast<CVorlPermTarget*>(&TradeTable()),
                 static_cast<CVorlPermTarget*>(&NegDealTable()), static_cast<CVorlPermTarget*>(&RepliesTable()),
                 static_cast<CVorlPermTarget*>(&FlagTable()) })
            t->Free();
        for (char* last : { TradeTable().m_szLastOrderNo, NegDealTable().m_szLastOrderNo })
            std::memcpy(last, "000000000000", 13);
    }
    void Trade(long long seq, long long number, char status)
    {
        TradeSpec s;
        s.seq = seq;
        s.number = number;
        s.status = status;
        Feed(TradeTable(), CTradeTable::kRequest, TradeRecord(s));
    }
    void Deal(long long seq, long long number, char status)
    {
        DealSpec s;
        s.seq = seq;
        s.number = number;
        s.status = status;
        Feed(NegDealTable(), CNegDealTable::kRequest, DealRecord(s));
    }
    template <class Doc> Doc* Open(TableTemplate& tmpl)
    {
        return dynamic_cast<Doc*>(tmpl.openDocumentFile(std::string(), false));
    }

    TableTemplate trades { 9, [] { return std::make_unique<CTradesDoc>(); } };
    TableTemplate deals { 10, [] { return std::make_unique<CNDealsDoc>(); } };
};

TEST_F(ListDocs, TradesFollowTheTableLikeAFullFilterWithTheCountInTheTitle)
{
    CTradesDoc* doc = Open<CTradesDoc>(trades);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->title(), "Trades") << "no rows, no count";
    doc->SetFilter(std::make_unique<StatusCriteria>(std::vector<std::string> { "Matched", "Unapproved" }));
    doc->UpdateDocument(0, nullptr);
    EXPECT_EQ(doc->title(), "Trades (filtered)");
    ViewUpdateRecorder grid;
    grid.setDocument(doc);
    Forward forward(9, doc);

    std::mt19937 rng(29);
    const char letters[] = "MPWUYL";
    long long seq = 1, next = 1;
    int removals = 0;
    for (int packet = 0; packet < 80; ++packet) {
        const std::vector<std::uint32_t> before = doc->m_aRows.Indices();
        std::set<int> touched;
        const int count = 1 + static_cast<int>(rng() % 4);
        for (int k = 0; k < count; ++k) {
            const bool change = next > 1 && rng() % 2 == 0;
            const long long number = change ? 1 + static_cast<long long>(rng() % static_cast<unsigned>(next - 1)) : next++;
            Trade(seq++, number, letters[rng() % 6]);
            touched.insert(TradeTable().FindRow(static_cast<std::uint32_t>(number)));
        }
        TradeTable().OnPostReceive();

        std::vector<std::uint32_t> expected;
        for (int i = 0; i < TradeTable().GetCount(); ++i) {
            const std::string status = TradeTable().GetRec(i)->szStatus;
            if (status == "Matched" || status == "Unapproved")
                expected.push_back(static_cast<std::uint32_t>(i));
        }
        ASSERT_EQ(doc->m_aRows.Indices(), expected) << "packet " << packet;
        const std::string title = "Trades (filtered)" + (expected.empty() ? std::string() : " - " + std::to_string(expected.size()));
        ASSERT_EQ(doc->title(), title);
        // Rows that went away move the rows after them: the grid repaints
        // exactly those, never everything.
        if (expected.size() < before.size())
            ++removals;
        std::set<int> repaint;
        for (std::size_t p = 0; p < expected.size(); ++p)
            if (p >= before.size() || before[p] != expected[p] || touched.count(static_cast<int>(expected[p])))
                repaint.insert(static_cast<int>(p));
        ASSERT_FALSE(grid.full) << "packet " << packet;
        ASSERT_EQ(grid.flagged, repaint) << "packet " << packet;
    }
    EXPECT_GT(removals, 0);
    EXPECT_EQ(doc->GetRowData(doc->GetRowCount()), nullptr);
    EXPECT_EQ(doc->GetRowData(-1), nullptr);
    grid.setDocument(nullptr);
}

TEST_F(ListDocs, RowsAndRecordsOfTheDocuments)
{
    Trade(1, 10, 'M');
    Trade(2, 11, 'W');
    Deal(1, 7, 'O');
    CTradesDoc* t = Open<CTradesDoc>(trades);
    CNDealsDoc* d = Open<CNDealsDoc>(deals);
    ASSERT_TRUE(t && d);
    EXPECT_EQ(t->title(), "Trades - 2");
    EXPECT_EQ(d->title(), "Negotiated Deals - 1");
    EXPECT_EQ(t->GetRowRecord(1)->nTradeNo, 11u);
    EXPECT_EQ(d->GetRowRecord(0)->nDealNo, 7u);
    EXPECT_EQ(t->CheckTable(nullptr), 0) << "every opening makes a new window";
    EXPECT_EQ(t->GetColumnTitle(1), "Trade");
    EXPECT_EQ(d->GetColumnTitle(19), "Trade Source");
    // Cells as the grid shows them, coloured by the record's state.
    fw::CellStyle cell;
    ASSERT_TRUE(t->GetStyleRowCol(2, 9, cell));
    EXPECT_EQ(cell.value, "Cancel");
    ASSERT_TRUE(d->GetStyleRowCol(1, 1, cell));
    EXPECT_EQ(cell.value, "7");
    EXPECT_EQ(t->GetColorOffset(), static_cast<int>(offsetof(CTradeRec, nStatusCode)));
    EXPECT_EQ(&t->GetColorRefArray(), &TradeTable().m_aColors);
    // A table emptied under an open window leaves no record behind its rows.
    TradeTable().Free();
    EXPECT_EQ(t->GetRowData(0), nullptr);
}

TEST_F(ListDocs, CommandsFollowTheStatusOfTheCurrentRecord)
{
    struct Case {
        char status;
        unsigned command;
        bool allowed;
    };
    const Case trades[] = {
        { 'M', ID_TRADE_REQUEST_CANCEL, true }, { 'P', ID_TRADE_REQUEST_CANCEL, false },
        { 'W', ID_TRADE_REQUEST_CANCEL, false }, { 'Y', ID_TRADE_CONFIRM_CANCEL, true },
        { 'L', ID_TRADE_CONFIRM_CANCEL, true }, { 'U', ID_TRADE_CONFIRM_CANCEL, false },
        { 'U', ID_TRADE_APPROVE_CANCEL, true }, { 'M', ID_TRADE_APPROVE_CANCEL, false },
        { 'Y', ID_TRADE_REJECT_CANCEL, true }, { 'U', ID_TRADE_REJECT_CANCEL, true },
        { 'M', ID_TRADE_REJECT_CANCEL, false }, { 'P', ID_TRADE_OPERATOR_CANCEL, true },
        { 'W', ID_TRADE_OPERATOR_CANCEL, false }, { 'W', ID_SUMMARY_ORDER, true },
    };
    long long seq = 1;
    for (const Case& c : trades) {
        Trade(seq, seq, c.status);
        EXPECT_EQ(TradeCommandAllowed(c.command, TradeTable().GetRec(static_cast<int>(seq - 1))), c.allowed)
            << c.status << " " << c.command;
        ++seq;
    }
    EXPECT_FALSE(TradeCommandAllowed(ID_TRADE_OPERATOR_CANCEL, nullptr));
    EXPECT_TRUE(TradeCommandAllowed(ID_VIEW_GOTO, nullptr));

    const Case deals[] = {
        { 'C', ID_DEAL_CONFIRM, true }, { 'O', ID_DEAL_CONFIRM, false }, { 'O', ID_LIST_AMEND, true },
        { 'M', ID_LIST_AMEND, false }, { 'O', ID_LIST_WITHDRAW, true }, { 'U', ID_LIST_WITHDRAW, true },
        { 'C', ID_LIST_WITHDRAW, true }, { 'I', ID_LIST_WITHDRAW, true }, { 'M', ID_LIST_WITHDRAW, false },
        { 'U', ID_DEAL_APPROVE, true }, { 'O', ID_DEAL_APPROVE, false }, { 'W', ID_SUMMARY_TRADING_ACCOUNT, true },
    };
    seq = 1;
    for (const Case& c : deals) {
        Deal(seq, seq, c.status);
        EXPECT_EQ(DealCommandAllowed(c.command, NegDealTable().GetRec(static_cast<int>(seq - 1))), c.allowed)
            << c.status << " " << c.command;
        ++seq;
    }
    Deal(seq, 99, 'M');
    EXPECT_TRUE(DealIsMatched(*NegDealTable().GetRec(static_cast<int>(seq - 1))));
    EXPECT_FALSE(DealIsMatched(*NegDealTable().GetRec(0)));
}

TEST_F(ListDocs, GoldenTransactionTexts)
{
    struct Case {
        std::optional<KvRowTransaction> t;
        int code;
        const char* text;
    };
    CTradeRec trade {};
    trade.nTradeNo = 4217;
    CNegDealRec deal {};
    deal.nDealNo = 88;
    const Case cases[] = {
        { TradeCancelTransaction(ID_TRADE_REQUEST_CANCEL, trade), 151, "TRADER01    000000004217" },
        { TradeCancelTransaction(ID_TRADE_CONFIRM_CANCEL, trade), 160, "TRADER01    000000004217" },
        { TradeCancelTransaction(ID_TRADE_APPROVE_CANCEL, trade), 162, "TRADER01    000000004217" },
        { TradeCancelTransaction(ID_TRADE_REJECT_CANCEL, trade), 161, "TRADER01    000000004217" },
        { TradeCancelTransaction(ID_TRADE_OPERATOR_CANCEL, trade), 142, "TRADER01    5000000004217" },
        { DealTransaction(ID_LIST_WITHDRAW, deal), 139, "TRADER01    000000000088                        " },
        { DealTransaction(ID_DEAL_APPROVE, deal), 135, "TRADER01    000000000088" },
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.t.has_value()) << c.code;
        EXPECT_EQ(c.t->code, c.code);
        EXPECT_EQ(c.t->text, c.text);
        EXPECT_EQ(c.t->identifier.size(), 12u);
    }
    EXPECT_EQ(cases[0].t->identifier, "        4217");
    EXPECT_EQ(std::string(cases[5].t->text).size(), 48u);
    EXPECT_FALSE(TradeCancelTransaction(ID_DEAL_APPROVE, trade).has_value());
    EXPECT_FALSE(DealTransaction(ID_TRADE_REQUEST_CANCEL, deal).has_value());
}

TEST_F(ListDocs, ThreeRowsSendThreeRecordsAndRepliesLandOnTheirRowsWhenOneIsDropped)
{
    KvSetReplyPartners(nullptr); // the replies table collects the answers
    for (long long n : { 31, 32, 33 })
        Trade(n, n, 'M');
    CTradesDoc* doc = Open<CTradesDoc>(trades);
    ASSERT_NE(doc, nullptr);
    KvRowAction action;
    action.build = [doc](unsigned row) {
        const CTradeRec* trade = doc->GetRowRecord(static_cast<int>(row));
        return trade == nullptr ? std::nullopt : TradeCancelTransaction(ID_TRADE_REQUEST_CANCEL, *trade);
    };
    int asked = 0;
    router.AnswerOrDropWith([&](const std::vector<Msg>&) -> std::optional<std::vector<Msg>> {
        switch (asked++) {
        case 0: return std::vector<Msg> { { 193, WithZero("first accepted") } };
        case 1:
            // The router loses the second answer: it frees the request's
            // slot and the wait ends without an answer.
            --kvtest::Fake().outstanding;
            router.FailNextRecv(VORLST_SEND_TRIES);
            return std::nullopt;
        default: return std::vector<Msg> { { 192, WithZero("third refused") } };
        }
    });
    PortRecorder port;
    // The selection as a sorted view or two views may give it: out of order and twice.
    EXPECT_EQ(KvSendForRows({ 2, 0, 1, 2 }, action, port), 3);

    std::vector<std::string> sent;
    for (const Msg& m : router.Requests())
        if (m.type == 151)
            sent.push_back(m.bytes);
    EXPECT_EQ(sent, (std::vector<std::string> { "TRADER01    000000000031", "TRADER01    000000000032",
                        "TRADER01    000000000033" }));
    CRepliesTable& replies = RepliesTable();
    ASSERT_EQ(replies.GetCount(), 3);
    const char* identifiers[] = { "          31", "          32", "          33" };
    const char* messages[] = { "first accepted", "", "third refused" };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(replies.GetRec(i)->nIndex, i);
        EXPECT_STREQ(replies.GetRec(i)->szIdentifier, identifiers[i]);
        EXPECT_STREQ(replies.GetRec(i)->szMessage, messages[i]) << i;
    }
    EXPECT_EQ(fMulti, 0);
    EXPECT_EQ(port.opened, (std::vector<std::uint32_t> { 29 }));
    EXPECT_EQ(port.updated, (std::vector<std::uint32_t> { 29, 29 }));
    router.AnswerWith(nullptr);
    ASSERT_EQ(ui.boxes.size(), 1u) << "the router's failure is told once, by the router wrapper";
    EXPECT_NE(ui.boxes[0].text.find('7'), std::string::npos) << ui.boxes[0].text;
}

TEST_F(ListDocs, OneRowSendsAloneAndAFieldThatDoesNotFitSendsNothing)
{
    KvSetReplyPartners(nullptr);
    PortRecorder port;
    KvRowAction one;
    one.build = [](unsigned) {
        CTradeRec trade {};
        trade.nTradeNo = 5;
        return TradeCancelTransaction(ID_TRADE_REQUEST_CANCEL, trade);
    };
    router.Reply({ { 193, WithZero("ok") } });
    EXPECT_EQ(KvSendForRows({ 4 }, one, port), 1);
    EXPECT_EQ(RepliesTable().GetCount(), 0) << "one row makes no replies line";
    EXPECT_TRUE(port.opened.empty());
    ASSERT_EQ(ui.boxes.size(), 1u) << "the host's answer is shown as usual";

    router.ClearRecord();
    ui.boxes.clear();
    KvRowAction refused;
    refused.build = [](unsigned row) -> std::optional<KvRowTransaction> {
        if (row == 1)
            return std::nullopt;
        return KvRowTransaction { 151, "TRADER01    000000000001", "1" };
    };
    EXPECT_EQ(KvSendForRows({ 0, 1, 2 }, refused, port), 0);
    EXPECT_TRUE(router.Requests().empty());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, KvListWindowString(IDS_LIST_FIELD_REFUSED));
    EXPECT_EQ(fMulti, 0);

    // Asked first: No ends the command.
    CSessionCore session;
    session.m_bConfirm = 1;
    ps = &session;
    ui.boxAnswer = fw::IDNO;
    KvRowAction asked = one;
    EXPECT_EQ(KvSendForRows({ 0, 1 }, asked, port), 0);
    ps = nullptr;
    EXPECT_TRUE(router.Requests().empty());
}

TEST_F(ListDocs, CommandRulesByTheRowsAtHand)
{
    struct Case {
        KvCommandRule rule;
        KvRowState state;
        bool enabled;
    };
    const Case cases[] = {
        { KvCommandRule::NeedCurrentRow, { 0, 0, 1 }, true },
        { KvCommandRule::NeedCurrentRow, { -1, 2, 3 }, false },
        { KvCommandRule::NeedCurrentRow, { 3, 1, 3 }, false },
        { KvCommandRule::NeedSelection, { -1, 1, 3 }, true },
        { KvCommandRule::NeedSelection, { 0, 0, 3 }, false },
        { KvCommandRule::NeedRows, { -1, 0, 1 }, true },
        { KvCommandRule::NeedRows, { -1, 0, 0 }, false },
        { KvCommandRule::AlwaysOff, { 0, 1, 1 }, false },
        { KvCommandRule::Always, { -1, 0, 0 }, true },
    };
    for (const Case& c : cases)
        EXPECT_EQ(KvCommandEnabled(c.rule, 35946, c.state), c.enabled) << static_cast<int>(c.rule);
    EXPECT_EQ(KvSortedSelection({ 5, 1, 5, 3, 1 }), (std::vector<unsigned> { 1, 3, 5 }));
}

TEST(ListWindowStrings, BothLanguagesAndIdsApartFromTheProgramsOtherTexts)
{
    std::vector<std::uint32_t> ids;
    for (const fw::StringEntry& e : Kv32ListWindowStrings()) {
        EXPECT_TRUE(e.en != nullptr && *e.en != '\0') << e.id;
        EXPECT_TRUE(e.hu != nullptr && *e.hu != '\0') << e.id;
        ids.push_back(e.id);
    }
    for (const fw::MenuTemplate& menu : Kv32ListWindowMenus()) {
        for (const fw::MenuEntry& e : menu.entries) {
            if (e.kind != fw::MenuEntryKind::Separator) {
                EXPECT_TRUE(e.en != nullptr && e.hu != nullptr && *e.hu != '\0') << menu.id << " " << e.id;
            }
        }
    }
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
}

} // namespace
} // namespace kv32test
