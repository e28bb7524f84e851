#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fw/test/fwtest.h"
#include "kv32/dialogs/selection_dlgs.h"
#include "kv32/res/shell_dialog_ids.h"
#include "kv32/tables/all_tables.h"
#include "support/ui_recorder.h"

namespace {

TEST(GotoRules, ModesByWindow)
{
    struct Case {
        unsigned table;
        unsigned label;
        bool numeric;
        int limit;
    };
    const Case cases[] = {
        { 6, IDS_GOTO_SHORT_NAME, false, 20 }, { 21, IDS_GOTO_SHORT_NAME, false, 20 },
        { 8, IDS_GOTO_ORDER, true, 12 }, { 9, IDS_GOTO_TRADE, true, 12 }, { 30, IDS_GOTO_TRADE, true, 12 },
        { 10, IDS_GOTO_DEAL, true, 12 }, { 16, 0, false, 0 }, { 0, 0, false, 0 },
    };
    for (const Case& c : cases) {
        const KvGotoMode m = GotoModeFor(c.table);
        EXPECT_EQ(m.labelId, c.label) << c.table;
        EXPECT_EQ(m.numeric, c.numeric) << c.table;
        EXPECT_EQ(m.limit, c.limit) << c.table;
    }
}

TEST(GotoRules, TwelveDigitNumbers)
{
    struct Case {
        const char* text;
        bool ok;
    };
    const Case cases[] = {
        { "1", true }, { "32767", true }, { "32768", true }, { "000000000042", true },
        { "999999999999", true }, { "1000000000000", false }, { "", false }, { "12a", false }, { "-5", false },
        { " 12", false }, { "1.5", false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckGotoNumber(c.text), c.ok) << c.text;
}

TEST(OrderMethodRules, ChecksFollowTheMethodString)
{
    auto checked = [](std::string_view methods) {
        std::vector<uint32_t> ids;
        for (const KvMethodCheck& c : OrderMethodChecks(methods))
            if (c.checked)
                ids.push_back(c.id);
        return ids;
    };
    EXPECT_EQ(OrderMethodChecks("").size(), 21u);
    EXPECT_TRUE(checked("").empty());
    EXPECT_TRUE(checked(std::string(32, '0')).empty());
    // Every position alone.
    struct Case {
        int position;
        std::vector<uint32_t> ids;
    };
    const Case cases[] = {
        { 0, { 126 } }, { 1, { 1002 } }, { 2, { 400 } }, { 3, { 137 } }, { 4, { 132 } }, { 5, { 215 } },
        { 6, {} }, { 9, { 401 } }, { 10, { 402 } }, { 11, { 125 } }, { 12, { 208 } }, { 13, { 187 } },
        { 14, {} }, { 15, { 118 } }, { 16, { 117 } }, { 17, { 116 } }, { 23, { 231 } }, { 24, { 212 } },
        { 25, { 213 } }, { 26, { 230 } }, { 27, { 214 } }, { 28, {} }, { 31, {} },
    };
    for (const Case& c : cases) {
        std::string methods(32, '0');
        methods[static_cast<size_t>(c.position)] = '1';
        EXPECT_EQ(checked(methods), c.ids) << c.position;
    }
    // Fill or kill and fill and kill need position 28 too.
    std::string methods(32, '0');
    methods[15] = '1';
    methods[17] = '1';
    EXPECT_EQ(checked(methods), (std::vector<uint32_t> { 118, 116 }));
    methods[28] = '1';
    EXPECT_EQ(checked(methods), (std::vector<uint32_t> { 118, 116, 119, 120 }));
    methods[17] = '0';
    EXPECT_EQ(checked(methods), (std::vector<uint32_t> { 118, 119 }));
    // A string that ends before position 28 has no kill flag.
    EXPECT_EQ(checked("0000000000000001"), (std::vector<uint32_t> { 118 }));
}

class SelectionDialogs : public ::testing::Test {
protected:
    SelectionDialogs()
    {
        Clear();
    }
    ~SelectionDialogs() override { Clear(); }
    static void Clear()
    {
        MarketTable().Free();
        BoardTable().Free();
        SecurityTable().Free();
        MarketTable().m_nCurrent = -1;
        BoardTable().m_nCurrent = -1;
    }
    static void AddMarket(const char* code, const char* name)
    {
        MarketRec m {};
        std::strcpy(m.szCode, code);
        std::strcpy(m.szName, name);
        MarketTable().AddRec(m);
    }
    static void AddBoard(const char* code, const char* name, const char* methods = "")
    {
        BoardRec b;
        std::strcpy(b.szCode, code);
        std::strcpy(b.szName, name);
        std::strcpy(b.szText, methods);
        BoardTable().AddRec(b);
    }
    static void AddSecurity(const char* name, const char* market, const char* board)
    {
        auto rec = std::make_unique<SecurityRec>();
        std::memset(static_cast<void*>(rec.get()), 0, sizeof(SecurityRec));
        std::strcpy(rec->szShortName, name);
        std::strcpy(rec->szMarket, market);
        std::strcpy(rec->szCode, "0");
        CSecurityTable::SetBoardInCode(rec->szCode, board);
        SecurityTable().AddRec(*rec);
    }
    kv32test::UiRecorder ui;
};

TEST_F(SelectionDialogs, GotoOverOrdersRefusesWhatIsNoNumber)
{
    CGotoDlg dlg(8);
    const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_USER_COMBO), "&Order:");
        d.userType(IDC_GOTO_TEXT, "ABC");
        d.userClick(fw::kIdOk);
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, "Invalid number format.");
        EXPECT_EQ(ui.boxes[0].flags, fw::MB_ICONSTOP);
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_GOTO_TEXT));
        EXPECT_TRUE(d.isVisible());
        d.userType(IDC_GOTO_TEXT, "123456789012");
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(result, fw::IDOK);
    EXPECT_EQ(dlg.Text(), "123456789012");
    EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST_F(SelectionDialogs, GotoOverSecuritiesTakesAName)
{
    CGotoDlg dlg(6);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_USER_COMBO), "&Short Name:");
        d.userType(IDC_GOTO_TEXT, "ALFA");
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(dlg.Text(), "ALFA");
    EXPECT_FALSE(dlg.IsNumeric());
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(SelectionDialogs, OneMarketAndOneBoardAskNothing)
{
    AddMarket("EQ", "Equities");
    AddBoard("BRD1", "Main");
    AddSecurity("ALFA", "EQ", "BRD1");
    fw::test::Script script;
    CMktBrd11Dlg dlg;
    EXPECT_EQ(dlg.Run(), fw::IDOK);
    EXPECT_TRUE(script.dialogsShown().empty());
    EXPECT_EQ(dlg.Securities(), std::vector<int> { 0 });
    EXPECT_EQ(MarketTable().m_nCurrent, 0);
    EXPECT_EQ(BoardTable().m_nCurrent, 0);
    EXPECT_TRUE(ui.boxes.empty());

    SecurityTable().Free();
    script.answerMessageBox(fw::IDOK);
    CMktBrd11Dlg empty;
    EXPECT_EQ(empty.Run(), fw::IDOK);
    ASSERT_EQ(script.messageBoxes().size(), 1u);
    EXPECT_EQ(script.messageBoxes()[0], "No securities on selected market/board combination.");
    EXPECT_TRUE(script.dialogsShown().empty());
}

TEST_F(SelectionDialogs, AChoiceWithoutSecuritiesKeepsTheOldOne)
{
    AddMarket("EQ", "Equities");
    AddMarket("BD", "Bonds");
    AddBoard("BRD1", "Main");
    AddBoard("BRD2", "Second");
    AddSecurity("ALFA", "EQ", "BRD1");
    AddSecurity("BETA", "BD", "BRD2");
    MarketTable().m_nCurrent = 1;
    BoardTable().m_nCurrent = 1;
    CMktBrd11Dlg dlg;
    const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.curSel(IDC_MARKET_LIST), 1);
        EXPECT_EQ(d.curSel(IDC_BOARD_LIST), 1);
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_MARKET_LIST));
        d.userSelect(IDC_MARKET_LIST, 0);
        d.userClick(fw::kIdOk);
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(MarketTable().m_nCurrent, 1) << "the old choice is back";
        d.userSelect(IDC_BOARD_LIST, 0);
        d.userDoubleClick(IDC_BOARD_LIST, 0);
    });
    EXPECT_EQ(result, fw::IDOK);
    EXPECT_EQ(dlg.Securities(), std::vector<int> { 0 });
    EXPECT_EQ(MarketTable().m_nCurrent, 0);
    EXPECT_EQ(BoardTable().m_nCurrent, 0);
}

TEST_F(SelectionDialogs, OrderMethodsFollowTheChosenBoard)
{
    std::string methods(32, '0');
    methods[0] = methods[15] = methods[28] = '1';
    AddBoard("BRD1", "Main", methods.c_str());
    AddBoard("BRD2", "Empty", "");
    CBrdOrMetDlg dlg(0);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemCount(IDC_METHOD_BOARD), 2);
        EXPECT_EQ(d.isButtonChecked(126), 1);
        EXPECT_EQ(d.isButtonChecked(118), 1);
        EXPECT_EQ(d.isButtonChecked(119), 1);
        EXPECT_EQ(d.isButtonChecked(120), 0);
        EXPECT_EQ(d.isButtonChecked(1002), 0);
        d.userSelect(IDC_METHOD_BOARD, 1);
        for (const KvMethodCheck& c : OrderMethodChecks(""))
            EXPECT_EQ(d.isButtonChecked(c.id), 0) << c.id;
        d.onCancel();
    });
}

} // namespace
