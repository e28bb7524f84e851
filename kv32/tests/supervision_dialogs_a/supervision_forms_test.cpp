// The window-free rules of the suspend, reference price, set limits and
// trading event dialogs: golden records written from the record layouts, and
// tables over what enables OK.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/core/rescheck.h"
#include "kv32/dialogs/supervision/ref_price_form.h"
#include "kv32/dialogs/supervision/schedule_entry_form.h"
#include "kv32/dialogs/supervision/set_limits_form.h"
#include "kv32/dialogs/supervision/suspend_form.h"
#include "kv32/res/supervision_a_ids.h"
#include "supervision_dialogs_a/supervision_fixture.h"

namespace {

using namespace supervisiontest;

std::string Padded(const std::string& text, size_t width)
{
    return text + std::string(width - text.size(), ' ');
}

TEST(SupervisionResources, TemplatesAndTextsAreWholeInBothLanguages)
{
    const fw::ResourceSet set { "kv32-supervision-a", Kv32SupervisionAStrings(), Kv32SupervisionADialogTemplates() };
    const fw::ResourceReport report = fw::checkResources(std::span(&set, 1));
    EXPECT_TRUE(report.ok()) << report.text();
}

// --- suspend ---------------------------------------------------------------

TEST(SuspendRecord, EachKindSendsItsGoldenRecord)
{
    const std::string message = Padded("Trading suspended for technical reasons", 640);
    struct Case {
        int kind;
        std::string code;
        std::string time;
        char display;
        char state;
        std::string golden;
    };
    const Case cases[] = {
        { kSuspendAll, "", "070000", ' ', ' ', kUser + ',' + "070000" + message + ' ' },
        { kUnsuspendAll, "", "093000", 'P', ' ', kUser + '-' + "093000" + message + 'P' },
        { kSuspendSecurity, "ALFA00000001", "101500", 'S', 'S',
            kUser + '\x09' + "ALFA00000001" + "101500" + message + 'S' + 'S' },
        { kUnsuspendSecurity, "ALFA00000001", "070000", 'N', ' ',
            kUser + '\x0a' + "ALFA00000001" + "070000" + message + 'N' },
        { kSuspendIssuer, "ISS1", "070000", ' ', ' ', kUser + '\x0c' + "ISS1        " + "070000" + message + ' ' },
        { kUnsuspendIssuer, "ISS2", "120000", ' ', ' ', kUser + '\x0d' + "ISS2        " + "120000" + message + ' ' },
    };
    const size_t lengths[] = { 660, 660, 673, 672, 672, 672 };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        CSuspendRequest r;
        r.kind = c.kind;
        r.subjectCode = c.code;
        r.time = c.time;
        r.message = "Trading suspended for technical reasons";
        r.display = c.display;
        r.newState = c.state;
        const std::string record = BuildSuspendRecord("TRADER01", r);
        EXPECT_EQ(record, c.golden) << "kind " << c.kind;
        EXPECT_EQ(record.size(), lengths[i]) << "kind " << c.kind;
        EXPECT_EQ(record[12], SuspendOperatorCode(c.kind));
    }
}

TEST(SuspendRecord, AFullMessageFillsItsFieldAndALongerOneSendsNothing)
{
    CSuspendRequest r;
    r.kind = kSuspendAll;
    r.message = std::string(640, 'x');
    const std::string record = BuildSuspendRecord("TRADER01", r);
    ASSERT_EQ(record.size(), 660u);
    EXPECT_EQ(record.substr(19, 640), r.message);
    // Line ends and other control bytes reach the host untouched.
    r.message = "line one\r\nline two\t\x0c";
    EXPECT_EQ(BuildSuspendRecord("TRADER01", r).substr(19, r.message.size()), r.message);
    r.message = std::string(641, 'x');
    EXPECT_EQ(BuildSuspendRecord("TRADER01", r), "");
    r.message = "m";
    r.kind = kSuspendSecurity;
    r.subjectCode = "";
    EXPECT_EQ(BuildSuspendRecord("TRADER01", r), "") << "a security kind without its security";
    r.kind = 7;
    EXPECT_EQ(BuildSuspendRecord("TRADER01", r), "");
}

TEST(SuspendRules, OkFollowsKindModeSubjectMessageAndState)
{
    struct Case {
        int kind, mode;
        bool found, empty, stateEnabled, chosen;
        bool ok;
    };
    const Case cases[] = {
        { kSuspendAll, kSuspendModeNew, false, true, false, false, false },
        { kSuspendAll, kSuspendModeNew, false, false, false, false, true },
        { kUnsuspendAll, kSuspendModeNew, false, false, false, false, true },
        { kSuspendSecurity, kSuspendModeNew, true, false, true, true, true },
        { kSuspendSecurity, kSuspendModeNew, true, false, true, false, false },
        { kSuspendSecurity, kSuspendModeNew, true, false, false, false, false },
        { kSuspendSecurity, kSuspendModeNew, false, false, true, true, false },
        { kUnsuspendSecurity, kSuspendModeNew, true, false, false, false, true },
        { kUnsuspendSecurity, kSuspendModeNew, false, false, false, false, false },
        { kSuspendIssuer, kSuspendModeNew, true, false, false, false, true },
        { kSuspendIssuer, kSuspendModeNew, false, false, false, false, false },
        { kUnsuspendIssuer, kSuspendModeNew, true, true, false, false, false },
        { kSuspendSecurity, kSuspendModeView, false, false, false, false, true },
        { kUnsuspendIssuer, kSuspendModeDelete, false, false, false, false, true },
        { 0, kSuspendModeView, true, false, false, false, false },
    };
    for (const Case& c : cases) {
        CSuspendScreen s { c.kind, c.mode, c.found, c.empty, c.stateEnabled, c.chosen };
        EXPECT_EQ(SuspendOkEnabled(s), c.ok) << "kind " << c.kind << " mode " << c.mode << " found " << c.found
                                             << " empty " << c.empty << " state " << c.stateEnabled << c.chosen;
    }
}

TEST(SuspendRules, KindsModesAndDisplayLetters)
{
    EXPECT_EQ(SuspendOkText(kSuspendAll, kSuspendModeNew), "Suspend");
    EXPECT_EQ(SuspendOkText(kSuspendIssuer, kSuspendModeView), "");
    EXPECT_EQ(SuspendOkText(kUnsuspendSecurity, kSuspendModeView), "Unsuspend");
    EXPECT_EQ(SuspendOkText(kUnsuspendIssuer, kSuspendModeView), "");
    EXPECT_EQ(SuspendOkText(kSuspendSecurity, kSuspendModeDelete), "Delete");
    EXPECT_EQ(std::string("ABCDEFGH").size(), 8u);
    const int kinds[] = { 3, 4, 1, 2, 5, 6, 0, 0 };
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(SuspendKindOfEvent(static_cast<char>('A' + i)), kinds[i]) << static_cast<char>('A' + i);
    for (const auto& [letter, index] : { std::pair { ' ', 0 }, { 'P', 1 }, { 'S', 2 }, { 'N', 3 }, { 'x', 3 } })
        EXPECT_EQ(SuspendDisplayIndex(letter), index) << letter;
    EXPECT_EQ(std::string({ SuspendDisplayLetter(0), SuspendDisplayLetter(1), SuspendDisplayLetter(2),
                  SuspendDisplayLetter(3) }),
        " PSN");
}

TEST(SuspendRules, PreparedReasonsNameTheirSubject)
{
    EXPECT_EQ(SuspendReasons(kSuspendSecurity, "ALFA"),
        (std::vector<std::string> { "Security ALFA Trading suspended on Exchange decision.",
            "Security ALFA CERTI-KO suspended on issuer's request.",
            "Security ALFA has been halted owing to reference price adjustment." }));
    const std::vector<std::string> issuer = SuspendReasons(kSuspendIssuer, "Issuer One");
    ASSERT_EQ(issuer.size(), 7u);
    EXPECT_EQ(issuer.front(), "Issuer Issuer One Trading Halt (Interim Report)");
    EXPECT_EQ(issuer.back(), "Issuer Issuer One CERTI-KO suspended on issuer's request.");
    EXPECT_EQ(SuspendPresetMessage(kUnsuspendAll, ""), "All Trading has been unsuspended");
    EXPECT_EQ(SuspendPresetMessage(kUnsuspendSecurity, "ALFA"), "Security ALFA has been unsuspended");
    EXPECT_EQ(SuspendReasons(kUnsuspendIssuer, "Issuer Two"),
        std::vector<std::string> { "Issuer Issuer Two has been unsuspended" });
    EXPECT_EQ(SuspendPresetMessage(kSuspendSecurity, "ALFA"), "");
}

class SuspendStates : public SupervisionFixture { };

TEST_F(SuspendStates, NewStatesFollowTheCurrentStatusTransitionFlags)
{
    struct Case {
        int row;
        std::vector<std::string> names;
        int preferred;
    };
    const Case cases[] = {
        { kAlfa, { "Suspended", "Halted" }, 0 }, // active: to 1 and 2
        { kGovt, { "Suspended" }, 0 }, // halted: back to active or on to suspended
        { kBeta, {}, -1 }, // closed: only to active
        { 99, {}, -1 },
    };
    for (const Case& c : cases) {
        std::vector<std::string> names;
        const std::vector<CSuspendState> states = SuspendNewStates(c.row);
        for (const CSuspendState& s : states)
            names.push_back(s.name);
        EXPECT_EQ(names, c.names) << c.row;
        EXPECT_EQ(SuspendPreferredState(states), c.preferred) << c.row;
    }
    EXPECT_EQ(SuspendNewStates(kAlfa)[1].letter, 'H');
    EXPECT_EQ(SuspendSubjectCode(kSuspendSecurity, kGovt), "GOVT00000001");
    EXPECT_EQ(SuspendSubjectCode(kSuspendIssuer, 1), "ISS2");
    EXPECT_EQ(SuspendSubjectCode(kSuspendIssuer, 5), "");
}

// --- reference price -------------------------------------------------------

TEST(RefPriceRecord, TheOperatorActionCarriesTheTaggedPriceInItsBuffer)
{
    const std::string record = BuildRefPriceRecord("TRADER01", "0MAINALFA00000001", "000001250");
    EXPECT_EQ(record, kUser + '7' + "0MAINALFA00000001" + "01" + "v" + "000001250" + "##");
    EXPECT_EQ(record.size(), 44u);
    const std::string buffer = RefPriceSendBuffer(record);
    ASSERT_EQ(buffer.size(), 2048u);
    EXPECT_EQ(buffer.substr(0, 44), record);
    EXPECT_EQ(buffer.find_first_not_of(' ', 44), std::string::npos) << "a blank tail";
    EXPECT_EQ(BuildRefPriceRecord("TRADER01", "0MAINALFA000000012", "000001250"), "") << "18-byte code";
    EXPECT_EQ(BuildRefPriceRecord("TRADER01", "0MAINALFA00000001", "12.50"), "");
}

TEST_F(SuspendStates, RefPriceMessagesComeFromTheMessageRecord)
{
    int code = 0;
    const std::string news = BuildRefPriceMessage(RefPriceNewsText("0MAINALFA00000001"), code);
    EXPECT_EQ(code, 144);
    EXPECT_EQ(news,
        kUser + std::string(12, ' ') + "EXCHANGE    " + "NN" + "080000"
            + Padded("NREFPRICECHGNEWS|0MAINALFA00000001|", 640));
    EXPECT_EQ(news.size(), 684u);
    EXPECT_EQ(BuildRefPriceMessage(RefPriceChangeText("0MAINALFA00000001"), code).substr(44),
        Padded("NREFPRICECHG|0MAINALFA00000001|", 640));
}

TEST(RefPriceRules, TypedPricesConvertInTheSecurityDecimalsOrAreRefused)
{
    struct Case {
        const char* text;
        int decimals;
        const char* wire; // nullptr: refused
    };
    const Case cases[] = {
        { "12.5", 2, "000001250" },
        { "12,50", 2, "000001250" },
        { "0012", 0, "000000012" },
        { "9999999.99", 2, "999999999" },
        { "10000000", 2, nullptr }, // ten digits
        { "1.234", 2, nullptr }, // more decimals than the security
        { "-1", 2, nullptr },
        { "1 000", 2, nullptr },
        { "", 2, nullptr },
        { ".", 2, nullptr },
        { "1.2.3", 2, nullptr },
    };
    for (const Case& c : cases) {
        const auto wire = RefPriceWire(c.text, c.decimals);
        if (c.wire == nullptr)
            EXPECT_FALSE(wire.has_value()) << c.text;
        else
            EXPECT_EQ(wire.value_or("refused"), c.wire) << c.text;
    }
    EXPECT_EQ(RefPriceDisplay("000001250", 2), "12.50");
    EXPECT_EQ(RefPriceDisplay("000000005", 2), "0.05");
    EXPECT_EQ(RefPriceDisplay("000000000", 0), "0");
}

TEST(RefPriceRules, OnlyMoreThanFifteenPercentAsks)
{
    struct Case {
        const char* before;
        const char* after;
        bool asks;
    };
    const Case cases[] = {
        { "000001000", "000001150", false }, // 1.15 times
        { "000001000", "000000850", false }, // 0.85 times
        { "000001000", "000001151", true },
        { "000001000", "000000849", true },
        { "000000000", "000009999", false }, // nothing sent yet
        { "", "000009999", false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(RefPriceRemarkable(c.before, c.after), c.asks) << c.before << " -> " << c.after;
    EXPECT_EQ(RefPricePercent("000001000", "000001200"), "20.00");
    EXPECT_EQ(RefPricePercent("000001200", "000001000"), "-16.67");
}

TEST(RefPriceRules, OkNeedsANewValidPriceAndAboveZeroInTheLimitModes)
{
    struct Case {
        int mode;
        const char* text;
        const char* previous;
        bool ok;
    };
    const Case cases[] = {
        { kRefPriceTyped, "12.50", "", true },
        { kRefPriceTyped, "12.50", "12.50", false },
        { kRefPriceTyped, "0", "", true },
        { kRefPriceUpper, "0.00", "", false },
        { kRefPriceLower, "0", "", false },
        { kRefPriceUpper, "14.00", "", true },
        { kRefPriceTyped, "", "12.50", false },
        { kRefPriceUpper, "abc", "", true }, // refused by OK with its reason
    };
    for (const Case& c : cases)
        EXPECT_EQ(RefPriceOkEnabled(c.mode, c.text, c.previous, 2), c.ok) << c.mode << " " << c.text;
}

// --- set limits ------------------------------------------------------------

TEST(SetLimits, EachKindSendsItsTransactionWithTheLimitsBlock)
{
    const CCashLimitRow row { "ACC1", "BRK1T1", "BRK1", "CP01", std::nullopt, std::nullopt, 5000 };
    CLimitsScreen s;
    s.cashPool = "CP01";
    s.warn = "-1000";
    s.hard = "";
    s.order = "250000";
    const std::string block = "CP01  " + std::string("Y-") + "0000000000001000" + "Y" + "N+" + std::string(16, '0')
        + "N" + "Y" + "0000000000250000";
    ASSERT_EQ(block.size(), 61u);
    EXPECT_EQ(BuildLimitsBlock(s), block);
    struct Case {
        int kind;
        int code;
        std::string prefix;
    };
    const Case cases[] = {
        { kLimitFirm, 150, kUser + "BRK1        " },
        { kLimitUser, 156, kUser + "BRK1T1      " },
        { kLimitAccount, 165, kUser + "ACC1        " + "BRK1        " },
    };
    for (const Case& c : cases) {
        const CLimitsTransaction t = BuildLimitsTransaction(c.kind, "TRADER01", row, s);
        EXPECT_EQ(t.code, c.code) << c.kind;
        EXPECT_EQ(t.record, c.prefix + block) << c.kind;
        EXPECT_EQ(t.record.size(), c.kind == kLimitAccount ? 97u : 85u);
    }
    EXPECT_EQ(BuildLimitsTransaction(3, "TRADER01", row, s).code, 0);
}

TEST(SetLimits, TypedLimitsAreCheckedBeforeAnythingIsBuilt)
{
    struct Case {
        CLimitsScreen s;
        KvLimitsField bad;
    };
    const Case cases[] = {
        { { "CP0001", "1", "-2", "3" }, KvLimitsField::None },
        { { "CP00012", "", "", "" }, KvLimitsField::CashPool },
        { { "CP", "12a", "", "" }, KvLimitsField::Warn },
        { { "CP", "", "1,000", "" }, KvLimitsField::Hard },
        { { "CP", "", "-", "" }, KvLimitsField::Hard },
        { { "CP", "", "", "12345678901234567" }, KvLimitsField::Order },
        { { "CP", "", "", "-5" }, KvLimitsField::Order },
        { { "CP", "-1234567890123456", "", "1234567890123456" }, KvLimitsField::None },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckLimits(c.s), c.bad) << c.s.cashPool << "|" << c.s.warn << "|" << c.s.hard << "|" << c.s.order;
        EXPECT_EQ(BuildLimitsBlock(c.s).empty(), c.bad != KvLimitsField::None);
    }
}

TEST(SetLimits, UserLimitsFollowTheRightsBitTwo)
{
    struct Case {
        int kind;
        int right;
        bool onlyOrder;
    };
    const Case cases[] = {
        { kLimitUser, -1, true }, // no row: every bit set
        { kLimitUser, 2, true },
        { kLimitUser, 5, false },
        { kLimitFirm, -1, false },
        { kLimitAccount, 2, false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(LimitsOnlyOrderLimit(c.kind, c.right), c.onlyOrder) << c.kind << " " << c.right;
}

// --- trading event entry ---------------------------------------------------

TEST(ScheduleEntry, RequestRecordAndReply)
{
    EXPECT_EQ(TransitionRequestKey("TRADER01"), kUser + "0000000000");
    CScheduleEntry e { "143000", 5, "OPEN", "MAIN", "", "0MAINALFA00000001" };
    const std::string full = kUser + '*' + "143000" + "05" + "OPEN        " + "MAIN" + "    " + "ALFA00000001";
    EXPECT_EQ(BuildScheduleRecord("TRADER01", e), full);
    EXPECT_EQ(full.size(), 53u);
    CScheduleEntry bare { "070000", 0, "CLOSE", "", "EQTY", "" };
    EXPECT_EQ(BuildScheduleRecord("TRADER01", bare),
        kUser + '*' + "070000" + "00" + "CLOSE       " + "    " + "EQTY" + std::string(12, ' '));
    CScheduleEntry none { "070000", 1, "PRE", "", "", "" };
    EXPECT_EQ(BuildScheduleRecord("TRADER01", none).substr(33), std::string(20, ' '));
    for (CScheduleEntry bad : { CScheduleEntry { "250000", 1, "X", "", "", "" }, CScheduleEntry { "070000", 100, "X", "", "", "" },
             CScheduleEntry { "070000", 1, "THIRTEENCHARS", "", "", "" } })
        EXPECT_EQ(BuildScheduleRecord("TRADER01", bad), "") << bad.time << " " << bad.priority;

    const std::string reply = "0000000001" + std::string("003") + "OPEN        " + "CLOSE       " + "HALT        ";
    EXPECT_EQ(DecodeTransitions(reply), (std::vector<std::string> { "OPEN", "CLOSE", "HALT" }));
    // A count beyond the message lists what the message holds.
    EXPECT_EQ(DecodeTransitions("0000000001" + std::string("999") + "OPEN        " + "CLO"),
        std::vector<std::string> { "OPEN" });
    EXPECT_TRUE(DecodeTransitions("0000000001" + std::string("0x3") + "OPEN        ").empty());
    EXPECT_TRUE(DecodeTransitions("00000").empty());
    EXPECT_TRUE(ScheduleTimeIsPast("101459", "101500"));
    EXPECT_FALSE(ScheduleTimeIsPast("101500", "101500"));
    EXPECT_FALSE(ScheduleTimeIsPast("bad", "101500"));
}

} // namespace
