// Alert conditions on the figures of firms, users and securities, as the host
// tables' change reports run them: one log entry per crossing, armed again
// by one failing test, the log texts, and the security cells' colours.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fw/core/codepage.h"
#include "fw/core/msgbox.h"
#include "kv32/filters/operator_names.h"
#include "kv32/res/news_strings.h"
#include "kv32/res/strings.h"
#include "kv32/res/table_strings.h"
#include "kv32/tables/alert_strings.h"
#include "kvcore/app/profile_settings.h"
#include "security_test_fixture.h"

namespace kv32test {
namespace {

std::string Num(long long v, size_t width)
{
    std::string s = std::to_string(v);
    return std::string(width - s.size(), '0') + s;
}

std::string Padded(const std::string& text, size_t width)
{
    std::string s = text;
    s.resize(width, ' ');
    return s;
}

// Sixteen statistics, all `value` except figure `figure`, which is `at`.
std::string Stats(long long value, int figure = -1, long long at = 0)
{
    std::string s;
    for (int k = 0; k < 16; ++k)
        s += Num(k == figure ? at : value, 16);
    return s;
}

class Alerts : public SecurityFixture {
protected:
    Alerts()
    {
        KvConnectAlertTables(KvTables());
        FreeOwn();
        fLogDisplay = 0;
        Feed(ParticipantTable(), 19, std::string("00000001FIRM1       First Broker") + std::string(137, ' '));
        Feed(TraderTable(), 18, std::string("00000001TRADER01    Anna") + std::string(26, ' ') + "FIRM1" + std::string(103, ' '));
        SecuritySpec spec;
        Feed(SecurityTable(), 17, SecuritySnapshot(spec));
    }
    ~Alerts() override
    {
        FreeOwn();
        fLogDisplay = 0;
    }
    static void FreeOwn()
    {
        CKvTables& t = KvTables();
        for (CVorlPermTarget* table : std::initializer_list<CVorlPermTarget*> {
                 &t.firmAlerts, &t.userAlerts, &t.secAlerts, &t.alertLog, &t.participants, &t.traders })
            table->Free();
    }
    // A firm definition of FIRM1 with one condition, linked.
    CAlertLimits& FirmCondition(int figure, int op, double limit, unsigned decimals = 0)
    {
        CAlertLimits def;
        std::strcpy(def.szCode, "FIRM1");
        def.anOperator[figure] = op;
        def.adLimit[figure] = CDouble(limit, decimals);
        FirmAlertTable().AddRec(def);
        FirmAlertTable().LinkAlerts();
        return *FirmAlertTable().GetRec(FirmAlertTable().GetCount() - 1);
    }
    void FirmFigures(const std::string& stats)
    {
        Feed(ParticipantTable(), 41, Num(++seq, 10) + Padded("FIRM1", 12) + "A" + "0001" + "N" + stats);
    }
    CSecAlertLimits& SecurityCondition(int figure, int op, double limit)
    {
        CSecAlertLimits def;
        std::strcpy(def.szCode, "0BRD1INSTR0000001");
        def.anOperator[figure] = op;
        def.adLimit[figure] = CDouble(limit, 2);
        SecAlertTable().AddRec(def);
        SecAlertTable().LinkAlerts();
        return *SecAlertTable().GetRec(SecAlertTable().GetCount() - 1);
    }
    void SecurityReport(const std::vector<std::pair<char, std::string>>& items)
    {
        Feed(SecurityTable(), 33, SecurityChange(++seq, 0, "0BRD1INSTR0000001", items));
    }
    SecurityRec& Security() { return *SecurityTable().GetRec(0); }
    int Logged() { return AlertLogTable().GetCount(); }

    long long seq = 0;
};

TEST_F(Alerts, LoadLinksDefinitionsAndHostEntriesBothWays)
{
    CAlertLimits& firm = FirmCondition(0, 2, 100);
    EXPECT_EQ(firm.nLink, 0);
    EXPECT_EQ(ParticipantTable().GetRec(0)->nAlertLink, 0);
    CAlertLimits unknown;
    std::strcpy(unknown.szCode, "GONE");
    FirmAlertTable().AddRec(unknown);
    FirmAlertTable().LinkAlerts();
    EXPECT_EQ(FirmAlertTable().GetRec(1)->nLink, -1) << "a code the host no longer has stays unlinked";

    CAlertLimits user;
    std::strcpy(user.szCode, "TRADER01");
    UserAlertTable().AddRec(user);
    UserAlertTable().LinkAlerts();
    EXPECT_EQ(UserAlertTable().GetRec(0)->nLink, 0);
    EXPECT_EQ(TraderTable().GetRec(0)->nAlertLink, 0);

    CSecAlertLimits& sec = SecurityCondition(0, 2, 1);
    EXPECT_EQ(sec.nLink, 0);
    EXPECT_EQ(Security().nAlertLink, 0);
    // Security codes compare whole: trailing blanks are part of the code.
    EXPECT_EQ(SecAlertTable().FindByCode("0BRD1INSTR0000001"), 0);
    EXPECT_EQ(SecAlertTable().FindByCode("0BRD1INSTR000000 "), -1);
}

TEST_F(Alerts, AFirmConditionIsLoggedOncePerCrossing)
{
    CAlertLimits& def = FirmCondition(3, 2, 100);
    // Figure 3 over successive reports and whether each one logs.
    const struct {
        long long value;
        bool logs;
    } steps[] = { { 50, false }, { 150, true }, { 200, false }, { 150, false }, { 90, false }, { 101, true },
        { 100, false }, { 100, false }, { 300, true } };
    int expected = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.value);
        FirmFigures(Stats(0, 3, step.value));
        expected += step.logs ? 1 : 0;
        EXPECT_EQ(Logged(), expected);
        EXPECT_EQ(def.anFired[3], step.value > 100 ? 1 : 0);
    }
    const CLogEntry& e = *AlertLogTable().GetRec(0);
    EXPECT_EQ(e.nKind, 0x2000);
    EXPECT_EQ(e.nFigure, 3);
    EXPECT_STREQ(e.szFirm, "FIRM1");
    EXPECT_STREQ(e.szText, "Total Buy Order Value > 100");
    EXPECT_DOUBLE_EQ(e.value, 150.0);
}

TEST_F(Alerts, OperatorsOnAFigureEqualToItsBound)
{
    const struct {
        int op;
        bool holds;
    } cases[] = { { 0, false }, { 1, true }, { 2, false }, { 3, true }, { 4, false }, { 5, true }, { 6, false },
        { -1, false } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.op);
        CAlertLimits def;
        def.anOperator[0] = c.op;
        def.adLimit[0] = CDouble(7.0, 0);
        def.anFired[0] = 1;
        EXPECT_EQ(def.TestValue(0, CDouble(7.0, 0), true), 0) << "already logged";
        EXPECT_EQ(def.anFired[0], c.holds ? 1 : 0) << "a condition that fails is armed again";
        def.anFired[0] = 0;
        EXPECT_EQ(def.TestValue(0, CDouble(7.0, 0), true), c.holds ? 1 : 0);
    }
}

TEST_F(Alerts, LogTextsOfFirmAndUserConditions)
{
    const struct {
        bool firm;
        int figure;
        int op;
        double limit;
        unsigned decimals;
        const char* text;
    } cases[] = {
        { true, 0, 3, 1234567.5, 1, "Highest Buy Order Volume >= 1,234,567.5" },
        { true, 15, 4, 0, 0, "Total Sell Trade Value < " }, // a zero bound shows no number
        { false, 8, 1, 12, 2, "Highest Buy Trade Volume = 12.00" },
        { false, 5, 5, 3, 0, "Highest Sell Order Value <= 3" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        AlertLogTable().Free();
        CAlertLimits def;
        std::strcpy(def.szCode, "CODE1");
        def.anOperator[c.figure] = c.op;
        def.adLimit[c.figure] = CDouble(c.limit, c.decimals);
        ASSERT_EQ(def.TestValue(c.figure, CDouble(c.op == 4 ? -1.0 : c.limit, 0), c.firm), 1);
        const CLogEntry& e = *AlertLogTable().GetRec(0);
        EXPECT_STREQ(e.szText, c.text);
        EXPECT_EQ(e.nKind, c.firm ? 0x2000 : 0x1000);
        EXPECT_STREQ(c.firm ? e.szFirm : e.szUser, "CODE1");
    }
}

TEST_F(Alerts, UserConditionsRunFromTheTradersReports)
{
    CAlertLimits def;
    std::strcpy(def.szCode, "TRADER01");
    def.anOperator[15] = 4;
    def.adLimit[15] = CDouble(10.0, 0);
    UserAlertTable().AddRec(def);
    UserAlertTable().LinkAlerts();
    auto report = [&](long long value) {
        Feed(TraderTable(), 40,
            Num(++seq, 10) + Padded("TRADER01", 12) + Padded("DEALER", 12) + "A" + Padded("gw1", 20)
                + Padded("ws7", 20) + "N1Y" + Stats(50, 15, value));
    };
    report(5);
    report(3);
    report(20);
    report(1);
    ASSERT_EQ(Logged(), 2);
    EXPECT_EQ(AlertLogTable().GetRec(0)->nKind, 0x1000);
    EXPECT_STREQ(AlertLogTable().GetRec(0)->szUser, "TRADER01");
    EXPECT_STREQ(AlertLogTable().GetRec(0)->szText, "Total Sell Trade Value < 10");
}

TEST_F(Alerts, ResetClearsAFigure)
{
    CAlertLimits firm;
    firm.anOperator[2] = 3;
    firm.adLimit[2] = CDouble(5.5, 1);
    firm.anChanged[2] = firm.anFired[2] = 1;
    firm.ResetField(2);
    EXPECT_EQ(firm.anOperator[2], 0);
    EXPECT_DOUBLE_EQ(firm.adLimit[2], 0.0);
    EXPECT_EQ(firm.adLimit[2].GetDecimal(), 0u);
    EXPECT_EQ(firm.anChanged[2], 0);
    EXPECT_EQ(firm.anFired[2], 0);

    CMarketFigures sec;
    sec.anOperator[0] = 2;
    sec.anFired[0] = 1;
    sec.ResetAll();
    EXPECT_EQ(sec.anChanged[0], 1) << "a figure that had a condition is marked changed";
    EXPECT_EQ(sec.anChanged[1], 0);
    EXPECT_EQ(sec.anOperator[0], 0);
    EXPECT_EQ(sec.anFired[0], 0);
}

TEST_F(Alerts, ASecurityConditionColoursItsCellAndLogsOncePerCrossing)
{
    CSecAlertLimits& def = SecurityCondition(0, 2, 100); // Bid > 100.00
    const struct {
        const char* bid;
        bool logs;
        uint32_t colour;
    } steps[] = {
        { "000009000", false, 0x000000 },
        { "000015000", true, 0x0000FF }, // red: ">"
        { "000016000", false, 0x0000FF }, // holds and logged: the colour stays
        { "000000000", false, 0x000000 }, // exactly 0 never holds
        { "000012000", true, 0x0000FF },
    };
    int expected = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.bid);
        SecurityReport({ { 'C', step.bid } });
        expected += step.logs ? 1 : 0;
        EXPECT_EQ(Logged(), expected);
        EXPECT_EQ(Security().aAlertColors[4], step.colour);
    }
    EXPECT_EQ(def.anFired[0], 1);
    const CLogEntry& e = *AlertLogTable().GetRec(0);
    EXPECT_EQ(e.nKind, 0x3000);
    EXPECT_STREQ(e.szSecurity, "0BRD1INSTR0000001");
    EXPECT_STREQ(e.szShortName, "SEC1");
    EXPECT_STREQ(e.szBoardName, "Main board");
    EXPECT_STREQ(e.szText, "Bid > 100.00");
    EXPECT_DOUBLE_EQ(e.value, 150.0);
    EXPECT_EQ(e.value.GetDecimal(), 2u);
}

TEST_F(Alerts, ColourFollowsTheOperatorAndOperatorZeroResetsIt)
{
    const struct {
        int op;
        uint32_t colour;
    } cases[] = { { 1, 0x00FFFF }, { 2, 0x0000FF }, { 3, 0xFF00FF }, { 4, 0x00FF00 }, { 5, 0xFFFF00 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.op);
        // Offer 50.00 against a limit that makes each operator hold.
        CSecAlertLimits def;
        def.nLink = 0;
        def.anOperator[1] = c.op;
        def.adLimit[1] = CDouble(c.op == 2 || c.op == 3 ? 40.0 : (c.op == 4 ? 60.0 : 50.0), 2);
        Security().dOffer = CDouble(50.0, 2);
        Security().aAlertColors[5] = 0x123456;
        EXPECT_EQ(def.TestField(1, Security()), c.op);
        EXPECT_EQ(Security().aAlertColors[5], c.colour);
        // Operator 0 resets the cell on every test, and never logs.
        const int logged = Logged();
        def.anOperator[1] = 0;
        Security().aAlertColors[5] = 0x123456;
        EXPECT_EQ(def.TestField(1, Security()), 0);
        EXPECT_EQ(Security().aAlertColors[5], 0u);
        EXPECT_EQ(Logged(), logged);
    }
    EXPECT_EQ(AlertOperatorColour(7, 0xABCDEF), 0xABCDEFu) << "an unknown operator leaves the colour";
}

TEST_F(Alerts, SecurityFigureValuesAndTheirColumns)
{
    SecurityRec& s = Security();
    s.dBid = CDouble(10, 2);
    s.dOffer = CDouble(11, 2);
    s.dLast = CDouble(110, 2);
    s.dPrevPrice = CDouble(100, 2);
    s.dHigh = CDouble(120, 2);
    s.dLow = CDouble(90, 2);
    s.dOpen = CDouble(95, 2);
    s.dQuantity = CDouble(7, 0);
    s.dValue = CDouble(770, 2);
    s.dVolumeToday = CDouble(500, 0);
    s.dPlannedIssueSize = CDouble(10000, 0);
    s.dAvgVolumeLastMonth = CDouble(250, 0);
    s.dValueToday = CDouble(55000, 2);
    s.dNumBids = CDouble(3, 0);
    s.dNumOffers = CDouble(7, 0);
    s.dNumOrders = CDouble(20, 0);
    const struct {
        int figure;
        double value;
        int column;
    } cases[] = { { 0, 10, 4 }, { 1, 11, 5 }, { 2, 10, 6 }, { 3, 120, 9 }, { 4, 90, 10 }, { 5, 5, 11 }, { 6, 7, 28 },
        { 7, 770, 29 }, { 8, 5, 14 }, { 9, 200, -1 }, { 10, 55000, 15 }, { 11, 30.0 / 95.0 * 100.0, -1 },
        { 12, 0, -1 }, { 13, 0, -1 }, { 14, 20, 26 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.figure);
        EXPECT_NEAR(CSecAlertLimits::FigureValue(c.figure, s), c.value, 1e-9);
        EXPECT_EQ(CSecAlertLimits::FigureColumn(c.figure), c.column);
    }
    // Where a divisor or an operand is 0, the figure is 0 and never fires.
    s.dPrevPrice = CDouble(0, 2);
    s.dOpen = CDouble(0, 2);
    s.dNumOrders = CDouble(0, 0);
    for (int figure : { 2, 5, 11, 14 }) {
        SCOPED_TRACE(figure);
        EXPECT_EQ(CSecAlertLimits::FigureValue(figure, s), 0.0);
        CSecAlertLimits def;
        def.anOperator[figure] = 4; // "<" a positive limit would hold for 0
        def.adLimit[figure] = CDouble(50, 2);
        EXPECT_EQ(def.TestField(figure, s), 0);
    }
    EXPECT_EQ(Logged(), 0);
}

TEST_F(Alerts, PercentageFiguresLogTheirOwnSentence)
{
    const struct {
        int figure;
        const char* text;
    } cases[] = {
        { 2, "Last price is more than 5.00% (+/-) from previous price." },
        { 5, "Open price is more than 5.00% (+/-) from previous price." },
        { 8, "Total volume is more than 5.00% (+/-) of listed quantity." },
        { 9, "Total volume is more than 5.00% (+/-) of last month avg vol." },
        { 11, "Price range is more than 5.00% (+/-) from open price." },
        { 14, "Skew is more than 5.00% (+/-) from total number of orders." },
        { 7, "Single Value >= 5.00" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.figure);
        EXPECT_EQ(CSecAlertLimits::FigureText(c.figure, 3, CDouble(5.0, 2)), c.text);
    }
    fw::setLanguage(fw::Language::Hungarian);
    EXPECT_EQ(fw::cp1250ToUtf8(CSecAlertLimits::FigureText(2, 3, CDouble(5.0, 2))),
        "Az utolsó ár több mint 5.00%-kal (+/-) eltér az előző ártól.");
    fw::setLanguage(fw::Language::English);
}

TEST_F(Alerts, AlertTextsInBothLanguagesWithIdsApartFromTheOtherTables)
{
    std::vector<std::uint32_t> ids;
    for (const fw::StringEntry& e : Kv32AlertStrings()) {
        EXPECT_TRUE(e.en != nullptr && *e.en != '\0') << e.id;
        EXPECT_TRUE(e.hu != nullptr && *e.hu != '\0') << e.id;
        ids.push_back(e.id);
    }
    for (auto table : { Kv32Strings(), Kv32TableStrings(), Kv32NewsStrings() }) {
        for (const fw::StringEntry& e : table)
            ids.push_back(e.id);
    }
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
    EXPECT_EQ(CompareOperatorName(5), "=<");
    EXPECT_EQ(AlertOperatorText(5), "<=");
    EXPECT_EQ(AlertOperatorText(0), "");
}

TEST_F(Alerts, ABoundSetBelowTheCurrentFigureLogsOnceWhenRetested)
{
    FirmFigures(Stats(0, 3, 150));
    CAlertLimits& def = FirmCondition(3, 2, 100);
    def.anChanged[3] = 1;
    CAlertLimits unlinked;
    std::strcpy(unlinked.szCode, "GONE");
    unlinked.anOperator[0] = 2;
    unlinked.anChanged[0] = 1;
    FirmAlertTable().AddRec(unlinked);
    // Each OK of the dialog in turn: the first logs the crossing, a second
    // without changes logs nothing.
    for (int expected : { 1, 1 }) {
        KvRetestChangedAlerts(FirmAlertTable());
        EXPECT_EQ(Logged(), expected);
        for (int d = 0; d < FirmAlertTable().GetCount(); ++d)
            for (int i = 0; i < CAlertLimits::kFigures; ++i)
                EXPECT_EQ(FirmAlertTable().GetRec(d)->anChanged[i], 0) << d << "/" << i;
    }
    EXPECT_DOUBLE_EQ(AlertLogTable().GetRec(0)->value, 150.0);
}

} // namespace
} // namespace kv32test
