#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "fw/test/fwtest.h"
#include "kv32/dialogs/defaults_page.h"
#include "kv32/res/shell_dialog_ids.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/session_core.h"

namespace {

class DefaultsPage : public ::testing::Test {
protected:
    DefaultsPage()
    {
        Reset();
        session = std::make_unique<CSession>("NOBODY_DEFSEL_TEST");
        session->GetTrAccLocal()->m_entries.clear();
        ps = session.get();
    }
    ~DefaultsPage() override
    {
        ps = nullptr;
        Reset();
    }
    static void Reset()
    {
        CDefSelTable& t = DefSelTable();
        t.m_entries.clear();
        t.m_sText.clear();
        t.m_sCurrent.clear();
        for (uint16_t& c : t.m_anChoice)
            c = 0;
        t.m_bChanged = 0;
        t.m_sFileName.clear();
    }
    int Run(const std::function<void(fw::PropertySheet&, COptionsDefaultsPg&)>& script)
    {
        COptionsDefaultsPg page;
        CKvPropertySheet sheet("Options");
        sheet.addPage(page);
        return fw::test::runModal(sheet, [&](fw::Dialog&) { script(sheet, page); });
    }
    std::unique_ptr<CSession> session;
};

TEST_F(DefaultsPage, EmptyListsClearAndDisableTheirChecks)
{
    DefSelTable().m_anChoice[0] = 1;
    DefSelTable().m_anChoice[1] = 1;
    Run([](fw::PropertySheet& sheet, COptionsDefaultsPg& p) {
        EXPECT_EQ(p.isButtonChecked(IDC_DEFSEL_ACCOUNT_CHECK), 0);
        EXPECT_FALSE(p.isItemEnabled(IDC_DEFSEL_ACCOUNT_CHECK));
        EXPECT_EQ(p.isButtonChecked(IDC_DEFSEL_BROKER_CHECK), 0);
        EXPECT_FALSE(p.isItemEnabled(IDC_DEFSEL_BROKER_CHECK));
        EXPECT_TRUE(p.isModified()) << "a default that can no longer hold changed the page";
        sheet.userClick(fw::kIdCancel);
    });
}

TEST_F(DefaultsPage, AReferenceTypedTwiceIsListedOnce)
{
    Run([](fw::PropertySheet& sheet, COptionsDefaultsPg& p) {
        struct Step {
            const char* typed;
            int count;
        };
        const Step steps[] = { { "  BR-001 ", 1 }, { "BR-001", 1 }, { "br-001", 2 }, { "   ", 2 }, { "", 2 } };
        for (const Step& s : steps) {
            p.userType(IDC_DEFSEL_NEW_REFERENCE, s.typed);
            p.userClick(IDC_DEFSEL_ADD);
            EXPECT_EQ(p.itemCount(IDC_DEFSEL_BROKERS), s.count) << s.typed;
        }
        EXPECT_EQ(p.itemString(IDC_DEFSEL_BROKERS, 0), "BR-001");
        EXPECT_TRUE(p.isItemEnabled(IDC_DEFSEL_BROKER_CHECK));
        sheet.userClick(fw::kIdCancel);
    });
}

TEST_F(DefaultsPage, ApplyHandsTheChoicesToTheTable)
{
    session->GetTrAccLocal()->m_entries = { { "ACC1", "first" }, { "ACC2", "second" } };
    DefSelTable().m_sText = "ACC2";
    DefSelTable().m_anChoice[0] = 1;
    DefSelTable().AddSelection("REF-A");
    DefSelTable().AddSelection("REF-B");
    Run([](fw::PropertySheet& sheet, COptionsDefaultsPg& p) {
        EXPECT_EQ(p.curSel(IDC_DEFSEL_ACCOUNTS), 1);
        EXPECT_EQ(p.itemCount(IDC_DEFSEL_BROKERS), 2);
        EXPECT_FALSE(p.isModified());
        p.userClick(IDC_DEFSEL_BROKER_CHECK);
        EXPECT_EQ(p.curSel(IDC_DEFSEL_BROKERS), 0) << "checking chooses the first item";
        p.userSelect(IDC_DEFSEL_BROKERS, 0);
        p.userClick(IDC_DEFSEL_DELETE);
        EXPECT_EQ(p.itemCount(IDC_DEFSEL_BROKERS), 1);
        EXPECT_EQ(p.curSel(IDC_DEFSEL_BROKERS), 0);
        p.userClick(IDC_DEFSEL_ADD_NEW);
        sheet.userClick(fw::kIdOk);
    });
    const CDefSelTable& t = DefSelTable();
    EXPECT_EQ(t.m_anChoice[0], 1);
    EXPECT_EQ(t.m_anChoice[1], 1);
    EXPECT_EQ(t.m_anChoice[2], 1);
    EXPECT_EQ(t.m_sText, "ACC2");
    EXPECT_EQ(t.m_sCurrent, "REF-B");
    std::vector<std::string> items;
    int selected = -1;
    t.FillList(items, selected);
    EXPECT_EQ(items, std::vector<std::string> { "REF-B" });
    EXPECT_EQ(selected, 0);
}

TEST_F(DefaultsPage, AGoneAccountIsReplacedByTheFirst)
{
    session->GetTrAccLocal()->m_entries = { { "ACC1", "" } };
    DefSelTable().m_sText = "GONE";
    DefSelTable().m_anChoice[0] = 1;
    Run([](fw::PropertySheet& sheet, COptionsDefaultsPg& p) {
        EXPECT_EQ(p.curSel(IDC_DEFSEL_ACCOUNTS), 0);
        EXPECT_TRUE(p.isModified());
        sheet.userClick(fw::kIdCancel);
    });
}

} // namespace
