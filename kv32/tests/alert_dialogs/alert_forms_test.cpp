// The rules of the alert definition, order counting and security selection
// dialogs, without their windows.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "alert_dialogs/alert_fixture.h"
#include "kv32/res/alert_dialog_ids.h"
#include "kv32/shell/alert_def_form.h"
#include "kv32/shell/alert_ordcount_form.h"
#include "kv32/shell/alert_select_form.h"
#include "kv32/tables/alert_strings.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/doc/ct_doc.h"

namespace alerttest {
namespace {

using Forms = AlertMarket;

// A right record for a message type: the rows of that type a user may see.
void Rights(int type, int value)
{
    char key[8];
    std::snprintf(key, sizeof key, "%03d000", type);
    char bits[20];
    std::snprintf(bits, sizeof bits, "%016d", value);
    Feed(RightTable(), 93, std::string(key) + bits + "1");
}

struct AlertCase {
    const char* name;
    KvAlertKind kind;
    int subjectRow;
    std::function<void(KvAlertForm&)> act;
    std::function<void(const KvAlertForm&)> check;
};

TEST_F(Forms, AlertDefinitions)
{
    const AlertCase cases[] = {
        { "a security without alerts offers only Create", KvAlertKind::Security, kAlfa, [](KvAlertForm&) {},
            [](const KvAlertForm& f) {
                EXPECT_EQ(f.SubjectRow(), kAlfa);
                EXPECT_EQ(f.Subjects(), (std::vector<std::string> { "ALFA", "BETA" }));
                EXPECT_FALSE(f.EditingEnabled());
                EXPECT_TRUE(f.CreateEnabled());
                EXPECT_TRUE(f.CriterionLines().empty());
            } },
        { "Create gives 15 unmarked lines and links the new record", KvAlertKind::Security, kBeta,
            [](KvAlertForm& f) { f.Create(); },
            [](const KvAlertForm& f) {
                ASSERT_EQ(f.CriterionLines().size(), 15u);
                for (const std::string& line : f.CriterionLines())
                    EXPECT_EQ(line.find('*'), std::string::npos) << line;
                EXPECT_EQ(f.AlertIndex(), 0);
                EXPECT_EQ(SecurityTable().GetRec(kBeta)->nAlertLink, 0);
                EXPECT_STREQ(SecAlertTable().GetRec(0)->szCode, SecurityTable().GetRec(kBeta)->szCode);
                EXPECT_EQ(SecAlertTable().GetRec(0)->nLink, kBeta);
                EXPECT_FALSE(f.CreateEnabled());
                EXPECT_EQ(f.Criterion(), 0);
                EXPECT_EQ(f.ValueDecimals(), 3) << "Bid takes the security's price decimals";
            } },
        { "Last 5 stores 5.00 with >= and marks the line", KvAlertKind::Security, kAlfa,
            [](KvAlertForm& f) {
                f.Create();
                f.ChooseCriterion(2);
                f.TypeValue("5");
            },
            [](const KvAlertForm& f) {
                EXPECT_TRUE(f.PercentKind());
                EXPECT_EQ(f.Explanation(), "% (+ or -) more than last traded price before today.");
                EXPECT_DOUBLE_EQ(f.Bound(2), 5.0);
                EXPECT_EQ(f.Bound(2).GetDecimal(), 2u);
                EXPECT_EQ(f.Bound(2).Format(0, 0), "5.00");
                EXPECT_EQ(f.Operator(2), 3);
                EXPECT_EQ(f.Modified(2), 1);
                EXPECT_EQ(f.CriterionLines()[2], "Last*");
            } },
        { "then 0 takes the operator and the mark away", KvAlertKind::Security, kAlfa,
            [](KvAlertForm& f) {
                f.Create();
                f.ChooseCriterion(2);
                f.TypeValue("5");
                f.TypeValue("");
            },
            [](const KvAlertForm& f) {
                EXPECT_EQ(f.Operator(2), 0);
                EXPECT_DOUBLE_EQ(f.Bound(2), 0.0);
                EXPECT_EQ(f.CriterionLines()[2], "Last");
            } },
        { "a bound typed back to an earlier value is stored", KvAlertKind::Security, kAlfa,
            [](KvAlertForm& f) {
                f.Create();
                f.ChooseCriterion(0);
                for (const char* text : { "5", "50", "5" })
                    f.TypeValue(text);
            },
            [](const KvAlertForm& f) { EXPECT_DOUBLE_EQ(f.Bound(0), 5.0); } },
        { "Single Volume takes whole numbers", KvAlertKind::Security, kAlfa,
            [](KvAlertForm& f) {
                f.Create();
                f.ChooseCriterion(6);
                f.TypeValue("1200.7");
            },
            [](const KvAlertForm& f) {
                EXPECT_EQ(f.ValueDecimals(), 0);
                EXPECT_FALSE(f.PercentKind());
                EXPECT_DOUBLE_EQ(f.Bound(6), 1201.0);
                EXPECT_EQ(f.Operator(6), 0) << "an operator criterion keeps its operator";
            } },
        { "choosing the stored operator again changes nothing", KvAlertKind::Firm, kFirm1,
            [](KvAlertForm& f) {
                f.Create();
                f.ChooseCriterion(4);
                f.ChooseOperator(1);
                FirmAlertTable().GetRec(0)->anChanged[4] = 0;
                FirmAlertTable().GetRec(0)->anFired[4] = 1;
                f.ChooseOperator(1);
            },
            [](const KvAlertForm& f) {
                EXPECT_EQ(f.Operator(4), 2);
                EXPECT_EQ(f.Modified(4), 0);
                EXPECT_EQ(f.Status(4), 1);
                EXPECT_EQ(f.CriterionLines()[4], "Highest Sell Order Volume*");
                EXPECT_EQ(f.OperatorPosition(), 1);
            } },
        { "a new operator marks the criterion and re-arms it", KvAlertKind::User, kTrader2,
            [](KvAlertForm& f) {
                f.Create();
                UserAlertTable().GetRec(0)->anFired[0] = 1;
                f.ChooseOperator(4);
            },
            [](const KvAlertForm& f) {
                EXPECT_EQ(f.Subjects()[static_cast<size_t>(f.Subject())], "TRADER02");
                EXPECT_EQ(f.Operator(0), 5);
                EXPECT_EQ(f.Modified(0), 1);
                EXPECT_EQ(f.Status(0), 0);
                EXPECT_STREQ(UserAlertTable().GetRec(0)->szCode, "TRADER02");
            } },
        { "Clear of a security criterion with an operator leaves it modified", KvAlertKind::Security, kAlfa,
            [](KvAlertForm& f) {
                f.Create();
                f.ChooseCriterion(0);
                f.ChooseOperator(2);
                f.TypeValue("12.5");
                SecAlertTable().GetRec(0)->anChanged[0] = 0;
                f.Clear();
            },
            [](const KvAlertForm& f) {
                EXPECT_EQ(f.Operator(0), 0);
                EXPECT_DOUBLE_EQ(f.Bound(0), 0.0);
                EXPECT_EQ(f.Modified(0), 1);
                EXPECT_EQ(f.ValueText(), "");
                EXPECT_EQ(f.CriterionLines()[0], "Bid");
            } },
        { "Clear of a firm criterion leaves it unmodified", KvAlertKind::Firm, kFirm2,
            [](KvAlertForm& f) {
                f.Create();
                f.ChooseOperator(2);
                f.TypeValue("100");
                f.Clear();
            },
            [](const KvAlertForm& f) {
                EXPECT_EQ(f.Operator(0), 0);
                EXPECT_EQ(f.Modified(0), 0);
                EXPECT_STREQ(FirmAlertTable().GetRec(0)->szCode, "FIRM2");
            } },
        { "Clear All on a firm resets all 16 criteria", KvAlertKind::Firm, kFirm1,
            [](KvAlertForm& f) {
                f.Create();
                for (int i = 0; i < 16; i += 3) {
                    f.ChooseCriterion(i);
                    f.ChooseOperator(i % 5);
                    f.TypeValue("7.25");
                }
                f.ClearAll();
            },
            [](const KvAlertForm& f) {
                for (int i = 0; i < 16; ++i) {
                    EXPECT_EQ(f.Operator(i), 0) << i;
                    EXPECT_DOUBLE_EQ(f.Bound(i), 0.0) << i;
                    EXPECT_EQ(f.CriterionLines()[static_cast<size_t>(i)].find('*'), std::string::npos) << i;
                }
            } },
        { "an opener row outside the list takes the first firm", KvAlertKind::Firm, 99, [](KvAlertForm&) {},
            [](const KvAlertForm& f) {
                EXPECT_EQ(f.Subject(), 0);
                EXPECT_EQ(f.SubjectRow(), kFirm1);
                EXPECT_EQ(f.Subjects(),
                    (std::vector<std::string> { "First Broker", "Second Broker", "The Exchange" }));
            } },
        { "the board's change keeps the security's name", KvAlertKind::Security, kAlfa,
            [](KvAlertForm& f) { f.ChooseBoard(1); },
            [](const KvAlertForm& f) {
                EXPECT_EQ(f.Subjects(), (std::vector<std::string> { "GAMMA", "ALFA" }));
                EXPECT_EQ(f.SubjectRow(), kAlfaTwo);
            } },
        { "a board without securities leaves no subject", KvAlertKind::Security, kAlfa,
            [](KvAlertForm& f) { f.ChooseBoard(2); },
            [](const KvAlertForm& f) {
                EXPECT_EQ(f.SubjectRow(), -1);
                EXPECT_FALSE(f.CreateEnabled());
                EXPECT_FALSE(f.EditingEnabled());
            } },
    };
    for (const AlertCase& c : cases) {
        SCOPED_TRACE(c.name);
        for (CVorlPermTarget* t : std::initializer_list<CVorlPermTarget*> {
                 &FirmAlertTable(), &UserAlertTable(), &SecAlertTable() })
            t->Free();
        for (int i = 0; i < SecurityTable().GetCount(); ++i)
            SecurityTable().GetRec(i)->nAlertLink = -1;
        for (int i = 0; i < ParticipantTable().GetCount(); ++i)
            ParticipantTable().GetRec(i)->nAlertLink = -1;
        for (int i = 0; i < TraderTable().GetCount(); ++i)
            TraderTable().GetRec(i)->nAlertLink = -1;
        KvAlertForm form(c.kind);
        ASSERT_TRUE(form.Open(c.subjectRow));
        c.act(form);
        c.check(form);
    }
}

TEST_F(Forms, TheSecurityFormNeedsASecurity)
{
    KvAlertForm form(KvAlertKind::Security);
    EXPECT_FALSE(form.Open(-1));
    EXPECT_FALSE(form.Open(SecurityTable().GetCount()));
    EXPECT_TRUE(form.Subjects().empty());
}

TEST_F(Forms, AUserBoundIsReadInTheUsersNumberFormat)
{
    KvSetIntl(fw::localeFromSystem("hu_HU.UTF-8").value_or(fw::hungarianLocale()));
    KvAlertForm form(KvAlertKind::User);
    ASSERT_TRUE(form.Open(kTrader1));
    form.Create();
    form.ChooseCriterion(3);
    form.TypeValue("1,5");
    EXPECT_DOUBLE_EQ(form.Bound(3), 1.5);
    EXPECT_EQ(form.Bound(3).GetDecimal(), 1u);
    // A text that is not a number is no bound.
    form.TypeValue("1,5,2");
    EXPECT_DOUBLE_EQ(form.Bound(3), 1.5);
}

TEST_F(Forms, AUserNotFoundDisablesTheUserForm)
{
    // Users of the own firm only, and nobody is logged on.
    Rights(18, 4);
    KvAlertForm form(KvAlertKind::User);
    ASSERT_TRUE(form.Open(kTrader1));
    EXPECT_TRUE(form.Subjects().empty());
    EXPECT_EQ(form.SubjectRow(), -1);
    EXPECT_FALSE(form.EditingEnabled());
    EXPECT_FALSE(form.CreateEnabled());
    form.Create();
    EXPECT_EQ(UserAlertTable().GetCount(), 0);
}

TEST_F(Forms, ClosingTellsTheWindowsOfTheKindsTable)
{
    for (const auto& [kind, hint] : { std::pair { KvAlertKind::User, 27 },
             std::pair { KvAlertKind::Firm, 25 }, std::pair { KvAlertKind::Security, 26 } }) {
        HintRecorder hints;
        KvAlertForm form(kind);
        form.Open(0);
        form.Close();
        EXPECT_EQ(hints.ids, (std::vector<uint16_t> { static_cast<uint16_t>(hint) }));
    }
}

struct CountCase {
    const char* name;
    int definitions; // 1: "*" of BRD1; 2: and FIRM1's own on BRD1
    const char* rowBoard; // nullptr: opened without a row
    const char* rowFirm;
    std::function<void(KvOrdCountForm&)> act;
    std::vector<int64_t> limits; // shown after act
    bool all;
    unsigned accept; // what OK answers with limits {0,0,0,5}
    int countAfter; // definitions after OK
};

TEST_F(Forms, OrderCountingLimits)
{
    const CountCase cases[] = {
        { "no row: the board's all-firms definition", 1, nullptr, nullptr, [](KvOrdCountForm&) {},
            { 1, 2, 3, 4 }, true, 0, 1 },
        { "a row whose firm has its own definition", 2, "BRD1", "FIRM1", [](KvOrdCountForm&) {},
            { 9, 0, 0, 0 }, false, 0, 2 },
        { "a row whose firm has none: the board's", 2, "BRD1", "FIRM2", [](KvOrdCountForm&) {},
            { 1, 2, 3, 4 }, true, 0, 2 },
        { "a row on a board no longer active", 1, "BRD4", "FIRM1", [](KvOrdCountForm&) {}, { 0, 0, 0, 0 },
            true, IDS_ORDCOUNT_NO_BOARD, 1 },
        { "a firm outside the list is no firm", 1, "BRD2", "NOSUCH",
            [](KvOrdCountForm& f) { f.SetAllFirms(false); }, { 0, 0, 0, 0 }, false, IDS_ORDCOUNT_NO_FIRM, 1 },
        { "a new definition for one firm", 1, nullptr, nullptr,
            [](KvOrdCountForm& f) {
                f.SetAllFirms(false);
                f.ChooseFirm(1);
            },
            { 0, 0, 0, 0 }, false, 0, 2 },
    };
    for (const CountCase& c : cases) {
        SCOPED_TRACE(c.name);
        OrdCountAlertTable().Free();
        OrdCountTable().Free();
        if (c.definitions >= 1)
            OrdCountAlertTable().AddAlert("BRD1", "", true, 1, 2, 3, 4);
        if (c.definitions >= 2)
            OrdCountAlertTable().AddAlert("BRD1", "FIRM1", false, 9, 0, 0, 0);
        KvOrdCountForm form;
        form.Open(c.rowBoard != nullptr ? CountingRow(c.rowBoard, c.rowFirm) : -1);
        c.act(form);
        EXPECT_EQ(std::vector<int64_t>(form.LimitValues().begin(), form.LimitValues().end()), c.limits);
        EXPECT_EQ(form.AllFirms(), c.all);
        EXPECT_EQ(form.FirmListEnabled(), !c.all);
        EXPECT_EQ(form.DeleteEnabled(), form.Definition() >= 0);
        for (int k = 0; k < 4; ++k)
            ASSERT_TRUE(form.SetLimit(k, "0"));
        EXPECT_EQ(form.Accept(), IDS_ORDCOUNT_NEED_LIMIT);
        ASSERT_TRUE(form.SetLimit(3, "5"));
        EXPECT_EQ(form.Accept(), c.accept);
        EXPECT_EQ(OrdCountAlertTable().GetCount(), c.countAfter);
        if (c.accept == 0) {
            const int d
                = OrdCountAlertTable().GetCount() == c.definitions ? form.Definition() : c.countAfter - 1;
            EXPECT_EQ(OrdCountAlertTable().GetRec(d)->nMMSpeed, 5u);
            EXPECT_EQ(OrdCountAlertTable().GetRec(d)->nNormalLimit, 0u);
        }
    }
}

TEST_F(Forms, OrderCountingRefusalsAndUnchangedOkChangeNothing)
{
    OrdCountAlertTable().AddAlert("BRD1", "", true, 1, 2, 3, 4);
    OrdCountAlertTable().m_bChanged = 0;
    KvOrdCountForm form;
    form.Open(-1);
    // At most nine digits, digits only: a limit always fits its field.
    EXPECT_FALSE(form.SetLimit(0, "1234567890"));
    EXPECT_FALSE(form.SetLimit(0, "12a"));
    EXPECT_TRUE(form.SetLimit(0, "999999999"));
    EXPECT_TRUE(form.SetLimit(0, "1"));
    EXPECT_EQ(form.Accept(), 0u);
    EXPECT_EQ(OrdCountAlertTable().m_bChanged, 0) << "an unchanged OK queues nothing";
    EXPECT_EQ(KvOrdCountForm::PeriodText(), std::to_string(nOrdCountPeriod));
}

TEST_F(Forms, DeletingADefinitionKeepsItOutOfTheSavedFile)
{
    OrdCountAlertTable().AddAlert("BRD1", "", true, 1, 2, 3, 4);
    OrdCountAlertTable().AddAlert("BRD2", "", true, 5, 0, 0, 0);
    KvOrdCountForm none;
    none.Open(-1);
    none.ChooseBoard(2);
    EXPECT_FALSE(none.DeleteEnabled()) << "no definition on the empty board";

    KvOrdCountForm form;
    form.Open(-1);
    ASSERT_EQ(form.Definition(), 0);
    form.Delete();
    EXPECT_EQ(OrdCountAlertTable().GetRec(0)->bDeleted, 1u);
    form.Open(-1);
    EXPECT_FALSE(form.DeleteEnabled()) << "a deleted definition cannot be deleted again";
    const std::string file = ::testing::TempDir() + "ordcount_deleted.kva";
    ASSERT_EQ(OrdCountAlertTable().Save(file.c_str()), 1);
    OrdCountAlertTable().Free();
    OrdCountAlertTable().Load(file.c_str());
    ASSERT_EQ(OrdCountAlertTable().GetCount(), 1);
    EXPECT_STREQ(OrdCountAlertTable().GetRec(0)->szBoard, "BRD2");
    std::remove(file.c_str());
}

class Selection : public AlertMarket {
protected:
    std::vector<std::string> Texts(const KvListBoxModel& list) { return list.Texts(); }
    KvListBoxModel chooser, available, chosen;
};

TEST_F(Selection, AddsMovesAndGivesBackTheChosenIndices)
{
    std::vector<uint32_t> caller { kGamma, 999 };
    KvAlertSelectForm form(chooser, available, chosen, caller, false);
    form.Init();
    EXPECT_EQ(Texts(chosen), (std::vector<std::string> { "GAMMA\tSecond board" }))
        << "an unknown index is dropped";
    EXPECT_EQ(Texts(chooser),
        (std::vector<std::string> { "Main board", "Second board", "Empty board", "Closed board" }));
    EXPECT_FALSE(form.Buttons().add);

    chooser.SetSelected(0, true);
    form.ChooserChanged();
    EXPECT_EQ(Texts(available), (std::vector<std::string> { "ALFA\tMain board", "BETA\tMain board" }));
    EXPECT_TRUE(form.Buttons().addAll);
    EXPECT_TRUE(form.Buttons().unselectChooser);
    available.SetSelected(1, true);
    form.Add();
    EXPECT_EQ(form.Selected(), (std::vector<uint32_t> { kGamma, kBeta }));
    // Adding it again changes nothing.
    form.Add();
    form.AddAll();
    EXPECT_EQ(form.Selected(), (std::vector<uint32_t> { kGamma, kBeta, kAlfa }));

    // Add inserts at the caret.
    form.SetMode(KvChooserMode::Securities);
    EXPECT_EQ(Texts(chooser), (std::vector<std::string> { "ALFA", "BETA", "GAMMA" }));
    chooser.SetSelected(0, true);
    form.ChooserChanged();
    EXPECT_EQ(Texts(available), (std::vector<std::string> { "ALFA\tMain board", "ALFA\tSecond board" }));
    available.SetSelected(1, true);
    chosen.SetCaret(1);
    form.Add();
    EXPECT_EQ(form.Selected(), (std::vector<uint32_t> { kGamma, kAlfaTwo, kBeta, kAlfa }));
    EXPECT_EQ(chosen.Caret(), 2);

    // Dragging the last line to the top reorders the result.
    KvDragList drag(chosen);
    chosen.SetSelected(3, true);
    ASSERT_TRUE(drag.BeginDrag(3));
    drag.Dropped(3, 0);
    EXPECT_EQ(form.Selected(), (std::vector<uint32_t> { kAlfa, kGamma, kAlfaTwo, kBeta }));
    EXPECT_EQ(caller, (std::vector<uint32_t> { kGamma, 999 })) << "the caller's array waits for OK";

    // Remove leaves the caret where the first removed line stood.
    for (int i = 0; i < chosen.Count(); ++i)
        chosen.SetSelected(i, i == 1 || i == 3);
    form.Remove();
    EXPECT_EQ(form.Selected(), (std::vector<uint32_t> { kAlfa, kAlfaTwo }));
    EXPECT_EQ(chosen.Caret(), 1);
    form.Accept();
    EXPECT_EQ(caller, (std::vector<uint32_t> { kAlfa, kAlfaTwo }));
    form.RemoveAll();
    EXPECT_FALSE(form.Buttons().ok);
    EXPECT_FALSE(form.Buttons().removeAll);
}

TEST_F(Selection, ABoardWithoutSecuritiesOffersNothing)
{
    std::vector<uint32_t> caller;
    KvAlertSelectForm form(chooser, available, chosen, caller, false);
    form.Init();
    chooser.SetSelected(2, true);
    form.ChooserChanged();
    EXPECT_EQ(available.Count(), 0);
    form.Add();
    form.AddAll();
    EXPECT_EQ(chosen.Count(), 0);
    const KvSelectButtons b = form.Buttons();
    EXPECT_FALSE(b.add || b.addAll || b.ok || b.remove || b.removeAll || b.unselectAvailable);
    form.UnselectChooser();
    EXPECT_FALSE(form.Buttons().unselectChooser);
}

TEST_F(Selection, ASingleChoiceTakesOneSecurity)
{
    std::vector<uint32_t> caller;
    KvAlertSelectForm form(chooser, available, chosen, caller, true);
    form.Init();
    chooser.SetSelected(0, true);
    form.ChooserChanged();
    available.SetSelected(0, true);
    available.SetSelected(1, true);
    available.SetCaret(1);
    EXPECT_TRUE(form.Buttons().add);
    EXPECT_FALSE(form.Buttons().addAll);
    form.Add();
    EXPECT_EQ(form.Selected(), (std::vector<uint32_t> { kBeta }));
    EXPECT_FALSE(form.Buttons().add) << "only while the selection is empty";
    form.AddLine(0);
    form.AddAll();
    EXPECT_EQ(form.Selected(), (std::vector<uint32_t> { kBeta }));
}

TEST_F(Selection, IndicesPastSixteenBitsComeBackWhole)
{
    constexpr int kCount = 70000;
    for (int key = SecurityTable().GetCount() + 1; SecurityTable().GetCount() < kCount; ++key) {
        char instrument[16];
        std::snprintf(instrument, sizeof instrument, "N%011d", key);
        AddSecurity(key, "BRD3", instrument, "MANY", 2);
    }
    ASSERT_EQ(SecurityTable().GetCount(), kCount);
    std::vector<uint32_t> caller { 69999, 3 };
    KvAlertSelectForm form(chooser, available, chosen, caller, false);
    form.Init();
    EXPECT_EQ(chosen.Entry(0).data, 69999u);
    form.Accept();
    EXPECT_EQ(caller, (std::vector<uint32_t> { 69999, 3 }));
}

TEST_F(Selection, TheWindowTakesTheHandedOverSelection)
{
    CTDoc window;
    EXPECT_FALSE(KvHandOverSecuritySelection(&window, { 1 })) << "no securities window takes selections yet";
    std::vector<uint32_t> taken;
    CTDoc* taker = nullptr;
    KvSetSecuritySelectionTaker([&](CTDoc& doc, const std::vector<uint32_t>& indices) {
        taker = &doc;
        taken = indices;
    });
    EXPECT_FALSE(KvHandOverSecuritySelection(nullptr, { 1 })) << "no window opened";
    EXPECT_TRUE(KvHandOverSecuritySelection(&window, { 2, 1 }));
    EXPECT_EQ(taker, &window);
    EXPECT_EQ(taken, (std::vector<uint32_t> { 2, 1 }));
    KvSetSecuritySelectionTaker(nullptr);
}

} // namespace
} // namespace alerttest
