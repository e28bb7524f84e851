#include <gtest/gtest.h>

#include <clocale>
#include <functional>
#include <string>
#include <vector>

#include "kv32/tables/table_updates.h"
#include "security_test_fixture.h"

namespace {

using namespace kv32test;

const char* const kCode = "0BRD1INSTR0000001";

class Hints : public CTableUpdateListener {
public:
    Hints() { KvAddTableListener(this); }
    ~Hints() override { KvRemoveTableListener(this); }
    void OnTableUpdate(uint16_t id, const fw::RowHint* hint) override
    {
        if (id == CSecurityTable::kTableId) {
            std::vector<int> rows;
            for (int i = 0; hint != nullptr && i < hint->GetSize(); ++i) {
                if (hint->GetRow(i) != 0)
                    rows.push_back(i);
            }
            last.push_back(hint != nullptr ? rows : std::vector<int> { -1 });
        }
        ids.push_back(id);
    }
    std::vector<std::vector<int>> last;
    std::vector<uint16_t> ids;
};

class SecurityChanges : public SecurityFixture {
protected:
    SecurityChanges()
    {
        SecuritySpec spec;
        AddSecurity(spec);
        spec.instrument = "INSTR0000002";
        spec.distribution = 'P';
        AddSecurity(spec);
    }
    void Report(const std::vector<std::pair<char, std::string>>& items, int row = 0, const char* code = kCode)
    {
        Feed(table, 33, SecurityChange(++seq, row, code, items));
    }
    CSecurityTable& table = SecurityTable();
    const SecurityRec& Rec() { return *table.GetRec(0); }
    long long seq = 0;
};

TEST_F(SecurityChanges, EveryTagReachesItsField)
{
    struct Case {
        char tag;
        std::string value;
        std::function<double(const SecurityRec&)> field;
        double expected;
    };
    const std::vector<Case> cases = {
        { 'c', "000004125", [](auto& r) { return double(r.dYield); }, 4.125 },
        { 'm', "000000150", [](auto& r) { return double(r.dEps); }, 1.5 },
        { 'Y', "000010050", [](auto& r) { return double(r.dPrevPrice); }, 100.5 },
        { 'C', "000010100", [](auto& r) { return double(r.dBid); }, 101.0 },
        { 'G', "000010200", [](auto& r) { return double(r.dOffer); }, 102.0 },
        { 'K', "000009900", [](auto& r) { return double(r.dOpen); }, 99.0 },
        { 'L', "000010300", [](auto& r) { return double(r.dHigh); }, 103.0 },
        { 'M', "000009800", [](auto& r) { return double(r.dLow); }, 98.0 },
        { 'N', "000010150", [](auto& r) { return double(r.dLast); }, 101.5 },
        { 'Q', "0000000000000250", [](auto& r) { return double(r.dQuantity); }, 250.0 },
        { 'b', "0000000000025375", [](auto& r) { return double(r.dValue); }, 253.75 },
        { 'l', "000010125", [](auto& r) { return double(r.dWap); }, 101.25 },
        { 'j', "-00150", [](auto& r) { return double(r.dPctChangeToday); }, -1.5 },
        { 'D', "0000000000001000", [](auto& r) { return double(r.dBidDepth); }, 1000.0 },
        { 'F', "017", [](auto& r) { return double(r.dNumBids); }, 17.0 },
        { 'J', "003", [](auto& r) { return double(r.dNumOffers); }, 3.0 },
        { 'S', "0000000000123456", [](auto& r) { return double(r.dVolumeToday); }, 123456.0 },
        { 'h', "0000042", [](auto& r) { return double(r.dNumTrades); }, 42.0 },
        { 'k', "0000009", [](auto& r) { return double(r.dOpenOrders); }, 9.0 },
        { 'e', "000010000", [](auto& r) { return double(r.dRefPrice); }, 100.0 },
        { 't', "0000000000011000", [](auto& r) { return double(r.dUpperLimit); }, 110.0 },
        { 'z', "000010075", [](auto& r) { return double(r.dClose); }, 100.75 },
        { '1', "0000000000000505", [](auto& r) { return double(r.dValOffToday); }, 5.05 },
        { '4', "000001500", [](auto& r) { return double(r.dOpenYield); }, 1.5 },
        { '!', "000002250", [](auto& r) { return double(r.dWaYield); }, 2.25 },
        { '%', "000009999", [](auto& r) { return double(r.dIndicative); }, 99.99 },
    };
    for (const Case& c : cases) {
        Report({ { c.tag, c.value } });
        EXPECT_DOUBLE_EQ(c.field(Rec()), c.expected) << "tag " << c.tag;
    }

    Report({ { 'A', "NOTE" }, { 'a', "Closing auction" }, { 's', "Y" }, { 'n', "Q" }, { 'X', "20261208" },
        { 'R', "101530" }, { 'o', "20261210" }, { 'p', "093000" },
        { 'U', "00010000001101100000000011000000" } });
    EXPECT_STREQ(Rec().szRemarks, "NOTE");
    EXPECT_STREQ(Rec().szSession, "Closing auction");
    EXPECT_STREQ(Rec().szAnnouncement, "Y");
    EXPECT_EQ(Rec().cOneChar, 'Q');
    EXPECT_EQ(Rec().dtPrevDate.GetDay(), 8);
    ASSERT_TRUE(Rec().dtTime.IsValid());
    EXPECT_EQ(Rec().dtTime.GetMinute(), 15);
    EXPECT_EQ(Rec().dtSuspension.GetDay(), 10);
    EXPECT_EQ(Rec().dtSuspension.GetHour(), 9);
    EXPECT_STREQ(Rec().szMethods, "00010000001101100000000011000000");
    EXPECT_EQ(Rec().cNegDealFlag, '1');
    EXPECT_EQ(Rec().cYieldFlag, '1');
    EXPECT_EQ(Rec().cTopUpFlag, '1');
    EXPECT_EQ(Rec().cSettleDateFlag, '1');
    EXPECT_EQ(Rec().cTrdAccFlag, '1');
    EXPECT_EQ(Rec().cSessionOrderFlag, '1');
    EXPECT_EQ(Rec().cDayOrderFlag, '1');

    // A tag the table does not know is skipped to its '#'; what follows still applies.
    Report({ { '?', "whatever it carries" }, { 'N', "000020000" } });
    EXPECT_DOUBLE_EQ(Rec().dLast, 200.0);
    EXPECT_STREQ(table.m_szSeqNum, "0000000028");
}

TEST_F(SecurityChanges, StatusBidOfADistributionAndRowChecks)
{
    Report({ { 'B', "S" } });
    EXPECT_STREQ(Rec().szStatus, "Suspended");
    EXPECT_STREQ(Rec().szStateKey, "Suspended");
    EXPECT_TRUE(table.IsSuspended(Rec()));

    // A status name longer than the record's 32 characters: cut there, still recognised.
    const std::string longName = "Suspended for the auction call period";
    Feed(StatusTable(), 115, StatusRecord(9, "009", 'S', longName, ""));
    Feed(StatusTable(), 115, StatusRecord(10, "010", 'H', longName, ""));
    Report({ { 'B', "H" } });
    EXPECT_EQ(std::string(Rec().szStatus), longName.substr(0, 32));
    EXPECT_EQ(std::string(Rec().szStateKey), longName);
    EXPECT_TRUE(table.IsSuspended(Rec())) << "the first status of that name is of kind 'S'";

    const SecurityRec& distribution = *table.GetRec(1);
    Report({ { 'C', "000005000" }, { 'G', "000006000" } }, 1, "0BRD1INSTR0000002");
    EXPECT_DOUBLE_EQ(distribution.dBid, 0.0) << "a primary distribution keeps its bid";
    EXPECT_DOUBLE_EQ(distribution.dOffer, 60.0);

    // A row index that does not hold the code: found by code; an unknown code: ignored.
    Report({ { 'N', "000001000" } }, 1, kCode);
    EXPECT_DOUBLE_EQ(Rec().dLast, 10.0);
    EXPECT_DOUBLE_EQ(distribution.dLast, 0.0);
    Report({ { 'N', "000002000" } }, 999999, "0BRD9NOSUCHSECUR");
    Report({ { 'N', "000003000" } }, 999999, kCode);
    EXPECT_DOUBLE_EQ(Rec().dLast, 30.0);
    EXPECT_EQ(table.GetCount(), 2);
}

TEST_F(SecurityChanges, ReportWithoutItsTerminatorShowsTheErrorAndStops)
{
    std::string report = SecurityChange(1, 0, kCode, { { 'N', "000001000" } });
    report.pop_back();
    Feed(table, 33, report);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Invalid data in the message MSGTYPE_SEC_BOARD_CHANGE_REP");
    EXPECT_DOUBLE_EQ(Rec().dLast, 0.0);
    EXPECT_TRUE(table.PendingRows().empty()) << "no indication for a broken report";

    // An item count past the items carried: the missing '#' is the same error.
    ui.boxes.clear();
    report = SecurityChange(2, 0, kCode, { { 'N', "000001000" } });
    report.replace(33, 2, "05");
    Feed(table, 33, report);
    EXPECT_EQ(ui.boxes.size(), 1u);
    EXPECT_DOUBLE_EQ(Rec().dLast, 10.0) << "items before the break are kept";

    // A header cut short, a report that starts with '#', and reports into an empty table do nothing.
    ui.boxes.clear();
    Feed(table, 33, report.substr(0, 20));
    fLastRec = 0;
    Feed(table, 33, "#");
    EXPECT_EQ(fLastRec, 1);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(SecurityChanges, PriceColourFollowsTheChosenChangeField)
{
    struct Case {
        int priceChange;
        char tag;
        const char* value;
        int32_t colour;
    } cases[] = {
        { 0, 'P', "000000050", CSecurityTable::kPositive },
        { 0, 'P', "-00000050", CSecurityTable::kNegative },
        { 0, 'P', "000000000", -1 },
        { 0, 'V', "000000050", -1 },
        { 1, 'V', "-00000050", CSecurityTable::kNegative },
        { 1, 'P', "000000050", -1 },
    };
    KvTableSettings().nFlashDelay = 0;
    for (const Case& c : cases) {
        SecurityRec& r = *table.GetRec(0);
        r.nColor = r.nChangeColor = -1;
        r.nColorTicks = CSecurityTable::kIdleTicks;
        r.nPending = 0;
        KvTableSettings().nPriceChange = c.priceChange;
        Report({ { c.tag, c.value } });
        EXPECT_EQ(r.nChangeColor, c.colour) << c.priceChange << " " << c.tag << " " << c.value;
        EXPECT_EQ(r.nPending, c.colour == -1 ? 0 : 1) << c.priceChange << " " << c.tag << " " << c.value;
    }
}

TEST_F(SecurityChanges, IndicationTicksFlashThenHoldThePriceColour)
{
    Hints hints;
    // FlashDelay 1, ColorDelay 3: two reports in one tick list the row once.
    Report({ { 'P', "000000050" } });
    Report({ { 'N', "000010000" } });
    EXPECT_EQ(table.PendingRows(), std::vector<int> { 0 });
    EXPECT_EQ(Rec().nColor, CSecurityTable::kAnyChange);

    struct Tick {
        int32_t colour;
        std::vector<int> hint;
        bool pending;
    } ticks[] = {
        { CSecurityTable::kAnyChange, { 0 }, true },
        { CSecurityTable::kPositive, { 0 }, true },
        { CSecurityTable::kPositive, {}, true },
        { -1, { 0 }, false },
    };
    for (const Tick& t : ticks) {
        hints.last.clear();
        table.ApplyPendingChanges();
        EXPECT_EQ(Rec().nColor, t.colour);
        ASSERT_EQ(hints.last.size(), 1u);
        EXPECT_EQ(hints.last[0], t.hint);
        EXPECT_EQ(table.PendingRows().empty(), !t.pending);
    }
    EXPECT_EQ(Rec().nPending, 0);
    hints.ids.clear();
    table.ApplyPendingChanges();
    EXPECT_TRUE(hints.ids.empty()) << "an idle tick tells no window";

    // ColorDelay -1: the price colour stays until the next change.
    KvTableSettings().nColorDelay = -1;
    Report({ { 'P', "-00000050" } });
    table.ApplyPendingChanges();
    EXPECT_EQ(Rec().nColor, CSecurityTable::kAnyChange);
    table.ApplyPendingChanges();
    EXPECT_EQ(Rec().nColor, CSecurityTable::kNegative);
    EXPECT_TRUE(table.PendingRows().empty());
    for (int i = 0; i < 5; ++i)
        table.ApplyPendingChanges();
    EXPECT_EQ(Rec().nColor, CSecurityTable::kNegative);
}

TEST_F(SecurityChanges, StatusChangeFlashesEvenWithoutFlashDelayAndSuspendedRowsStaySuspendedColour)
{
    Hints hints;
    KvTableSettings().nFlashDelay = 0;
    Report({ { 'N', "000010000" } });
    EXPECT_TRUE(table.PendingRows().empty());
    Report({ { 'B', "A" } });
    EXPECT_EQ(Rec().nColor, CSecurityTable::kAnyChange);
    table.ApplyPendingChanges();
    EXPECT_EQ(Rec().nColor, -1);
    EXPECT_TRUE(table.PendingRows().empty());
    EXPECT_EQ(hints.ids, (std::vector<uint16_t> { 6, 21, 23 }));

    Report({ { 'B', "S" } });
    table.ApplyPendingChanges();
    EXPECT_EQ(Rec().nColor, CSecurityTable::kSuspended);
    EXPECT_TRUE(table.PendingRows().empty());
}

TEST_F(SecurityChanges, AlertTestsSeeTheirFigures)
{
    std::vector<std::pair<int, double>> tested;
    table.m_alertTest = [&](int32_t link, int figure, const CDouble& value) {
        EXPECT_EQ(link, 4);
        tested.emplace_back(figure, double(value));
    };
    Report({ { 'N', "000001000" } });
    EXPECT_TRUE(tested.empty()) << "a security without an alert is not tested";
    table.GetRec(0)->nAlertLink = 4;
    Report({ { 'N', "000002000" }, { 'i', "0000005" }, { 'S', "0000000000000007" } });
    EXPECT_EQ(tested, (std::vector<std::pair<int, double>> { { 2, 20.0 }, { 13, 10.0 }, { 14, 5.0 }, { 8, 7.0 }, { 9, 7.0 } }));
}

TEST_F(SecurityChanges, FiguresReadTheSameUnderAHungarianLocale)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "hu_HU.UTF-8") == nullptr)
        GTEST_SKIP() << "hu_HU.UTF-8 is not installed";
    Report({ { 'N', "000012345" }, { 'j', "-00150" }, { 'c', "000004125" } });
    SecuritySpec spec;
    spec.instrument = "INSTR0000003";
    AddSecurity(spec);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_DOUBLE_EQ(Rec().dLast, 123.45);
    EXPECT_DOUBLE_EQ(Rec().dPctChangeToday, -1.5);
    EXPECT_DOUBLE_EQ(Rec().dYield, 4.125);
    EXPECT_DOUBLE_EQ(table.GetRec(2)->dPrevPrice, 1234.56);
}

} // namespace
