// The window-free rules of the trading account, group, account information
// and depository dialogs: golden records and keys, the user's own list, the
// ".tra" file, the paged account list and the group changes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "kv32/dialogs/supervision/acc_groups_form.h"
#include "kv32/dialogs/supervision/acc_info_form.h"
#include "kv32/dialogs/supervision/depo_accounts_form.h"
#include "kv32/dialogs/supervision/tr_acc_form.h"
#include "kv32/tables/all_tables.h"
#include "kv32/trading/active_row.h"
#include "security_test_fixture.h"
#include "support/trading_records.h"

namespace {

using namespace kv32test;

std::string Pad(const std::string& s, size_t width)
{
    std::string out = s;
    out.resize(width, ' ');
    return out;
}

const std::string kUser = "TRADER01    ";

TEST(AccountRecords, GoldenRecordsWrittenByHand)
{
    struct Case {
        const char* name;
        std::string built;
        std::string golden;
    };
    const Case cases[] = {
        { "142/38 account suspend", BuildTrAccStatusRecord("TRADER01", true, "FIRM1", "ACC1", 'Y', ' '),
            kUser + '\x26' + "FIRM1       " + "ACC1        " + "Y" + " " },
        { "142/39 account unsuspend", BuildTrAccStatusRecord("TRADER01", false, "FIRM1", "ACC1", 'N', 'P'),
            kUser + '\x27' + "FIRM1       " + "ACC1        " + "N" + "P" },
        { "142/36 depository suspend", BuildDepoStatusRecord("TRADER01", true, "DEPO1", 'Y', 'S'),
            kUser + '\x24' + "DEPO1       " + "Y" + "S" },
        { "142/37 depository unsuspend", BuildDepoStatusRecord("TRADER01", false, "DEPO1", 'Y', 'N'),
            kUser + '\x25' + "DEPO1       " + "Y" + "N" },
        { "166 add", BuildGroupRecord("TRADER01", 'A', "FIRM1", "GRP1"),
            kUser + "A" + "FIRM1       " + "GRP1        " + std::string(30, ' ') },
        { "166 delete", BuildGroupRecord("TRADER01", 'D', "FIRM1", "GRP1"),
            kUser + "D" + "FIRM1       " + "GRP1        " + std::string(30, ' ') },
        { "167 account add", BuildGroupAccountRecord("TRADER01", 'A', "FIRM1", "GRP1", "ACC7"),
            kUser + "A" + "FIRM1       " + "GRP1        " + "00000001" + "ACC7        " },
        { "168 user remove", BuildGroupUserRecord("TRADER01", 'D', "FIRM1", "GRP1", "TRADER02"),
            kUser + "D" + "FIRM1       " + "GRP1        " + "TRADER02    " },
        { "88 key", TrAccListKey("TRADER01", "00000000", "FIRM1"), kUser + "00000000" + "FIRM1       " },
        { "89 key", DepoAccountKey("TRADER01"), kUser },
    };
    const size_t lengths[] = { 39, 39, 27, 27, 67, 67, 57, 49, 32, 12 };
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(cases[i].built, cases[i].golden) << cases[i].name;
        EXPECT_EQ(cases[i].built.size(), lengths[i]) << cases[i].name;
    }
}

TEST(AccountRecords, OverlongFieldsBuildNothing)
{
    const std::string thirteen = "ABCDEFGHIJKLM";
    EXPECT_EQ(BuildTrAccStatusRecord("TRADER01", true, thirteen, "ACC1", 'Y', ' '), "");
    EXPECT_EQ(BuildDepoStatusRecord("TRADER01", true, thirteen, 'Y', ' '), "");
    EXPECT_EQ(BuildGroupRecord("TRADER01", 'A', "FIRM1", thirteen), "") << "a group name is never cut";
    EXPECT_EQ(BuildGroupUserRecord("TRADER01", 'A', "FIRM1", "G", thirteen), "");
}

// The user's own list.
struct LocalList {
    CTrAccLocalArray list;
    CTrAccEditForm form { list };
};

TEST(TrAccList, AddsInByteOrderUpToTheLimit)
{
    LocalList l;
    int at = -1;
    ASSERT_EQ(l.form.Add("a1", "lower", at), KvTrAccEdit::Done);
    ASSERT_EQ(l.form.Add("B1", "upper", at), KvTrAccEdit::Done);
    EXPECT_EQ(at, 0) << "upper-case B sorts before lower-case a";
    ASSERT_EQ(l.form.Add("B1", "twin", at), KvTrAccEdit::Done);
    EXPECT_EQ(at, 1) << "after its equal";
    EXPECT_EQ(l.list.m_entries[2].account, "a1");

    LocalList full;
    for (int i = 0; i < 999; ++i)
        full.list.m_entries.push_back({ "X" + std::to_string(1000 + i), "c" });
    EXPECT_EQ(full.form.Add("Y", "999th", at), KvTrAccEdit::Done);
    EXPECT_EQ(full.list.GetSize(), 1000);
    EXPECT_EQ(full.form.Add("Z", "1001st", at), KvTrAccEdit::ListFull);
    EXPECT_EQ(full.list.GetSize(), 1000);
}

TEST(TrAccList, EntryRules)
{
    struct Case {
        const char* account;
        const char* comment;
        KvTrAccEdit result;
    };
    const Case cases[] = {
        { "ACC", "", KvTrAccEdit::Empty },
        { "", "comment", KvTrAccEdit::Empty },
        { "ABCDEFGHIJKL", "twelve is fine", KvTrAccEdit::Done },
        { "ABCDEFGHIJKLM", "thirteen", KvTrAccEdit::TooLong },
    };
    for (const Case& c : cases) {
        LocalList l;
        int at = -1;
        EXPECT_EQ(l.form.Add(c.account, c.comment, at), c.result) << c.account;
        EXPECT_EQ(CTrAccEditForm::EntryOkEnabled(c.account, c.comment), c.result != KvTrAccEdit::Empty) << c.account;
    }
    LocalList l;
    int at = -1;
    EXPECT_EQ(l.form.Add("ACC", std::string(49, 'c'), at), KvTrAccEdit::TooLong);
}

TEST(TrAccList, ChangeMovesDeleteSelectsThePreviousCancelRestores)
{
    LocalList l;
    l.list.m_entries = { { "A1", "one" }, { "C1", "three" }, { "E1", "five" } };
    CTrAccEditForm form(l.list);
    int at = -1;
    ASSERT_EQ(form.Change(0, "D1", "one moved", at), KvTrAccEdit::Done);
    EXPECT_EQ(at, 1);
    EXPECT_EQ(l.list.m_entries, (std::vector<CTrAccLocal> { { "C1", "three" }, { "D1", "one moved" }, { "E1", "five" } }));
    int selection = -9;
    ASSERT_EQ(form.Delete(0, selection), KvTrAccEdit::Done);
    EXPECT_EQ(selection, 0) << "no previous line: the first";
    ASSERT_EQ(form.Delete(1, selection), KvTrAccEdit::Done);
    EXPECT_EQ(selection, 0);
    ASSERT_EQ(form.Delete(0, selection), KvTrAccEdit::Done);
    EXPECT_EQ(selection, -1);
    EXPECT_EQ(form.Delete(0, selection), KvTrAccEdit::NoEntry);
    form.Restore();
    EXPECT_EQ(l.list.m_entries, (std::vector<CTrAccLocal> { { "A1", "one" }, { "C1", "three" }, { "E1", "five" } }));
}

class TraFile : public ::testing::Test {
protected:
    TraFile()
    {
        dir = std::filesystem::temp_directory_path() / ("tra_file_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
    }
    ~TraFile() override { std::filesystem::remove_all(dir); }
    static std::string Read(const std::filesystem::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::filesystem::path dir;
};

// Two entries: a 16-bit count, then each code and comment with a one-byte
// length; "Számla" in Windows-1250.
const std::string kGoldenTra = std::string("\x02\x00", 2) + "\x02" + "B1" + "\x05" + "upper" + "\x02" + "a1" + "\x06"
    + "Sz\xE1mla";

TEST_F(TraFile, RoundTripsAgainstTheGoldenFile)
{
    CTrAccLocalArray list;
    CTrAccEditForm form(list);
    int at = -1;
    form.Add("a1", "Sz\xE1mla", at);
    form.Add("B1", "upper", at);
    const auto path = dir / "TRADER01.tra";
    ASSERT_TRUE(form.Save(path));
    EXPECT_EQ(Read(path), kGoldenTra);
    CTrAccLocalArray back;
    ASSERT_TRUE(back.LoadFile(path));
    EXPECT_EQ(back.m_entries, list.m_entries);
}

TEST_F(TraFile, AFailedWriteKeepsTheOldFile)
{
    const auto path = dir / "TRADER01.tra";
    {
        std::ofstream out(path, std::ios::binary);
        out << kGoldenTra;
    }
    // The temporary file cannot be made: a folder stands where it would go.
    std::filesystem::path blocker = path;
    blocker += ".tmp" + std::to_string(::getpid());
    std::filesystem::create_directories(blocker / "x");
    CTrAccLocalArray list;
    ASSERT_TRUE(list.LoadFile(path));
    CTrAccEditForm form(list);
    int at = -1;
    form.Add("NEW", "never written", at);
    EXPECT_FALSE(form.Save(path));
    EXPECT_EQ(Read(path), kGoldenTra);
}

// Replies of request 88: continuation 8, 12 unused, last flag, count 6, rows of 13.
std::string Page88(const std::string& next, char last, int count, const std::vector<std::string>& rows)
{
    char digits[8];
    std::snprintf(digits, sizeof digits, "%06d", count);
    std::string text = next + std::string(12, ' ') + last + digits;
    for (const std::string& r : rows)
        text += r;
    return text;
}

class HostAccounts : public SecurityFixture {
protected:
    std::vector<std::string> Codes(const CTrAccHostList& list) const
    {
        std::vector<std::string> out;
        for (const KvHostAccount& a : list.Rows())
            out.push_back(a.code);
        return out;
    }
};

TEST_F(HostAccounts, ThreePagesKeepEveryRowAndEachKeyCarriesTheLastContinuation)
{
    router.Reply({ { 88, Page88("00000002", '0', 2, { Pad("ACC1", 12) + "A", Pad("ACC2", 12) + "S" }) }, End() });
    router.Reply({ { 88, Page88("00000004", '0', 2, { Pad("ACC3", 12) + "A", Pad("ACC4", 12) + "A" }) }, End() });
    router.Reply({ { 88, Page88("00000005", '1', 1, { Pad("ACC5", 12) + "X" }) }, End() });
    CTrAccHostList list;
    EXPECT_EQ(list.Request("FIRM1"), 1);
    EXPECT_EQ(Codes(list), (std::vector<std::string> { "ACC1", "ACC2", "ACC3", "ACC4", "ACC5" }));
    EXPECT_EQ(list.Rows()[1].status, 'S');
    EXPECT_EQ(RequestKeys(router, 88),
        (std::vector<std::string> { kUser + "00000000FIRM1       ", kUser + "00000002FIRM1       ",
            kUser + "00000004FIRM1       " }));
}

TEST_F(HostAccounts, LoopEndsOnEmptyPagesRepeatedKeysAndClampsCounts)
{
    struct Case {
        const char* name;
        std::vector<std::vector<Msg>> replies;
        size_t requests;
        std::vector<std::string> codes;
    };
    const Case cases[] = {
        { "a page without rows",
            { { { 88, Page88("00000001", '0', 1, { Pad("A", 12) + "A" }) }, End() },
                { { 88, Page88("00000002", '0', 0, {}) }, End() } },
            2, { "A" } },
        { "a key that does not move",
            { { { 88, Page88("00000001", '0', 1, { Pad("A", 12) + "A" }) }, End() },
                { { 88, Page88("00000001", '0', 1, { Pad("B", 12) + "A" }) }, End() } },
            2, { "A", "B" } },
        { "a count beyond the message", { { { 88, Page88("00000001", '1', 40, { Pad("A", 12) + "A" }) }, End() } }, 1,
            { "A" } },
    };
    for (const Case& c : cases) {
        router.ClearRecord();
        for (const auto& packet : c.replies)
            router.Reply(packet);
        CTrAccHostList list;
        list.Request("FIRM1");
        EXPECT_EQ(RequestKeys(router, 88).size(), c.requests) << c.name;
        EXPECT_EQ(Codes(list), c.codes) << c.name;
    }
}

TEST_F(HostAccounts, DepositoryRowsAreClampedToTheMessage)
{
    router.Reply({ { 89, "000009" + Pad("DEPO1", 12) + "A" + Pad("DEPO2", 12) + "S" }, End() });
    CDepoAccountList list;
    EXPECT_EQ(list.Request(), 1);
    EXPECT_EQ(RequestKeys(router, 89), std::vector<std::string> { kUser });
    ASSERT_EQ(list.Rows().size(), 2u);
    EXPECT_EQ(list.Rows()[1], (KvHostAccount { "DEPO2", 'S' }));
}

// A list window in front with one row.
struct FrontRow : KvActiveRow {
    FrontRow(uint32_t table, int record)
        : table(table)
        , record(record)
    {
    }
    uint32_t TableId() const override { return table; }
    int RecordIndex() const override { return record; }
    int CurrentColumn() const override { return 0; }
    uint32_t table;
    int record;
};

class AccountInfo : public SecurityFixture {
protected:
    AccountInfo()
    {
        OrderSpec o;
        o.account = "OACC";
        o.code = "0BRD1ORDERSEC0001";
        Feed(OrderTable(), COrderTable::kRequest, OrderRecord(o));
        TradeSpec t;
        t.buyAccount = "";
        t.sellAccount = "SACC";
        t.code = "0BRD1TRADESEC0001";
        Feed(TradeTable(), CTradeTable::kRequest, TradeRecord(t));
        DealSpec d;
        d.account = "DACC";
        d.code = "0BRD1DEALSEC00001";
        Feed(NegDealTable(), CNegDealTable::kRequest, DealRecord(d));
    }
    ~AccountInfo() override
    {
        OrderTable().Free();
        TradeTable().Free();
        NegDealTable().Free();
    }
};

TEST_F(AccountInfo, KeyPerWindowKind)
{
    struct Case {
        uint32_t table;
        std::string key;
    };
    const std::string zeros(10, '0'), blank(12, ' ');
    const Case cases[] = {
        { kListOrders, kUser + zeros + Pad("OACC", 12) + blank + "ORDERSEC0001" },
        { kListTrades, kUser + zeros + Pad("SACC", 12) + blank + "TRADESEC0001" },
        { kListNegDeals, kUser + zeros + Pad("DACC", 12) + blank + "DEALSEC00001" },
        { kListSecurities, kUser + zeros + blank + blank + blank },
    };
    for (const Case& c : cases) {
        FrontRow row(c.table, 0);
        const std::string key = AccountInfoKey("TRADER01", AccountSubjectOf(&row));
        EXPECT_EQ(key, c.key) << c.table;
        EXPECT_EQ(key.size(), 58u);
    }
    EXPECT_EQ(AccountSubjectOf(nullptr), KvAccountSubject {});
}

TEST_F(AccountInfo, ReplyFillsThePosition)
{
    // 0:10 unused, 10:12 account, 22:12, 34:12 depository, 46:12, then 11, 11, 10, 10 digits.
    const std::string reply = std::string(10, ' ') + Pad("OACC", 12) + std::string(12, ' ') + Pad("DEP9", 12)
        + std::string(12, ' ') + "00000150000" + "-0000002500" + "0000000300" + "0000000040";
    router.Reply({ { 47, reply }, End() });
    CAccountInfo info;
    FrontRow row(kListOrders, 0);
    ASSERT_EQ(info.Request(AccountSubjectOf(&row)), 1);
    const KvAccountPosition& p = info.Position();
    EXPECT_EQ(p.account, "OACC");
    EXPECT_EQ(p.depository, "DEP9");
    EXPECT_DOUBLE_EQ(p.open, 150000.0);
    EXPECT_DOUBLE_EQ(p.current, -2500.0);
    EXPECT_DOUBLE_EQ(p.plannedBuy, 300.0);
    EXPECT_DOUBLE_EQ(p.plannedSell, 40.0);

    router.Reply({ { 47, reply.substr(0, 80) }, End() });
    ASSERT_EQ(info.Request(AccountSubjectOf(&row)), 1);
    EXPECT_EQ(info.Position().account, "") << "a short reply leaves the cleared values";
}

// The groups: members of FIRM1's group GRP1 and what Apply sends.
class Groups : public SecurityFixture {
protected:
    Groups()
    {
        TraderTable().Free();
        for (const char* user : { "TRADER01", "TRADER02", "TRADER03" })
            Feed(TraderTable(), 18, "00000001" + Pad(user, 12) + Pad("Name", 30) + Pad("FIRM1", 12) + std::string(96, ' '));
        Feed(TraderTable(), 18, "00000001" + Pad("OTHER1", 12) + Pad("Name", 30) + Pad("FIRM2", 12) + std::string(96, ' '));
    }
    ~Groups() override { TraderTable().Free(); }
    static std::string Count(int n)
    {
        char text[16];
        std::snprintf(text, sizeof text, "%08d", n);
        return text;
    }
    void QueueGroup()
    {
        router.Reply({ { 60, "00000001" + Pad("FIRM1", 12) + "1" + Count(1) + Pad("GRP1", 12) + Pad("Clients", 30) },
            End() });
    }
    void QueueMembers()
    {
        const std::string head = "00000001" + std::string(24, ' ');
        router.Reply({ { 62, head + "1" + Count(1) + Pad("TRADER01", 12) + "A" }, End() });
        router.Reply({ { 61, head + "1" + Count(1) + Pad("ACC1", 12) + Pad("One", 30) }, End() });
        router.Reply({ { 88, Page88("00000001", '1', 3, { Pad("ACC1", 12) + "A", Pad("ACC2", 12) + "A", Pad("ACC3", 12) + "A" }) },
            End() });
    }
};

TEST_F(Groups, DiffsGiveExactlyTheExpectedRecordsAndApplyStopsAtTheFirstRefusal)
{
    QueueGroup();
    CAccGroupsForm form("TRADER01");
    form.LoadGroups();
    EXPECT_EQ(RequestKeys(router, 60), std::vector<std::string> { kUser + "00000000FIRM1       " });
    ASSERT_EQ(form.Groups().size(), 1u);
    EXPECT_EQ(GroupLine(form.Groups()[0]), "GRP1 - Clients");
    QueueMembers();
    form.LoadMembers(0);
    EXPECT_EQ(RequestKeys(router, 62), std::vector<std::string> { kUser + "00000000FIRM1       GRP1        " });
    EXPECT_EQ(RequestKeys(router, 61), std::vector<std::string> { kUser + "00000000FIRM1       GRP1        " });
    EXPECT_EQ(form.Available(kGroupUsers), (std::vector<std::string> { "TRADER02", "TRADER03" }));
    EXPECT_EQ(form.Available(kGroupAccounts), (std::vector<std::string> { "ACC2", "ACC3" }));
    EXPECT_FALSE(form.Changed());

    form.Add(kGroupUsers, { "TRADER03", "OTHER1" });
    form.Remove(kGroupUsers, { "TRADER01" });
    form.Add(kGroupAccounts, { "ACC2" });
    EXPECT_TRUE(form.Changed());
    const std::string head = kUser;
    const std::vector<KvGroupTransaction> users = {
        { 168, head + "D" + "FIRM1       GRP1        " + "TRADER01    " },
        { 168, head + "A" + "FIRM1       GRP1        " + "TRADER03    " },
    };
    const std::vector<KvGroupTransaction> accounts = {
        { 167, head + "A" + "FIRM1       GRP1        " + "00000001" + "ACC2        " },
    };
    EXPECT_EQ(form.Changes(kGroupUsers), users) << "a user of another firm is never offered";
    EXPECT_EQ(form.Changes(kGroupAccounts), accounts);

    // Shown tab "Users": the accounts go first; the second send is refused.
    std::vector<KvGroupTransaction> sent;
    int answers = 0;
    EXPECT_FALSE(form.Apply(kGroupUsers, [&](KvGroupTransaction& t) {
        sent.push_back(t);
        return ++answers == 2 ? 0 : 1;
    }));
    EXPECT_EQ(sent, (std::vector<KvGroupTransaction> { accounts[0], users[0] }));

    // Moved back: nothing to send, and that counts as done.
    form.Remove(kGroupUsers, { "TRADER03" });
    form.Add(kGroupUsers, { "TRADER01" });
    form.Remove(kGroupAccounts, { "ACC2" });
    sent.clear();
    EXPECT_TRUE(form.Apply(kGroupAccounts, [&](KvGroupTransaction& t) {
        sent.push_back(t);
        return 1;
    }));
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(form.DeleteRecord(), head + "D" + "FIRM1       GRP1        " + std::string(30, ' '));
}

TEST_F(Groups, EveryPageIsKeptAndAPageWithoutRowsEndsTheLoop)
{
    QueueGroup();
    CAccGroupsForm form("TRADER01");
    form.LoadGroups();
    const std::string more = std::string(24, ' ') + '\0';
    router.Reply({ { 62, "00000002" + more + Count(1) + Pad("TRADER01", 12) + "A" }, End() });
    router.Reply({ { 62, "00000003" + more + Count(1) + Pad("TRADER02", 12) + "A" }, End() });
    router.Reply({ { 62, "00000004" + more + Count(0) }, End() });
    router.Reply({ { 61, "00000001" + std::string(24, ' ') + "1" + Count(0) }, End() });
    router.Reply({ { 88, Page88("00000001", '1', 0, {}) }, End() });
    form.LoadMembers(0);
    EXPECT_EQ(form.Current(kGroupUsers), (std::vector<std::string> { "TRADER01", "TRADER02" }));
    const std::vector<std::string> keys = RequestKeys(router, 62);
    ASSERT_EQ(keys.size(), 3u) << "no fourth request after the empty page";
    EXPECT_EQ(keys[2], kUser + "00000003FIRM1       GRP1        ");
}

} // namespace
