// The order withdraw dialog offscreen over the scripted router: what it opens
// with, what the "All" boxes enable, the golden withdrawal of every order, and
// the choices it refuses.
#include <gtest/gtest.h>

#include "fw/core/msgbox.h"
#include "fw/test/fwtest.h"
#include "kv32/dialogs/withdraw_dlg.h"
#include "kv32/res/order_dialogs_ids.h"
#include "order_dialogs/order_dialogs_support.h"

namespace kv32test {
namespace {

constexpr uint32_t kAllBoxes[] = { IDC_WD_ALL_BOARD, IDC_WD_ALL_SECURITY, IDC_WD_ALL_ACCOUNT, IDC_WD_ALL_FIRM,
    IDC_WD_ALL_USER };

void Check(fw::Dialog& d, uint32_t id, bool on)
{
    if ((d.isButtonChecked(id) != 0) != on)
        d.userClick(id); // a click toggles the box
}

class WithdrawDialog : public OrderDialogTest {
protected:
    WithdrawDialog()
    {
        OrderSpec sell = DayOrder(4712, 'S');
        sell.user = "TRADER02";
        AddOrder(DayOrder(4711));
        AddOrder(sell);
        CTrAccLocalArray& accounts = *session.GetTrAccLocal();
        accounts.m_entries = { { "ACC1", "First account" }, { "ACC2", "Second account" } };
    }
};

TEST_F(WithdrawDialog, OpensOnTheSelectedOrder)
{
    CWithdrawDlg dlg(OrderRow(4712));
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_ORD_BOARD), "Main board");
        EXPECT_EQ(d.itemText(IDC_WD_SECURITY), "SEC1");
        EXPECT_EQ(d.itemCount(IDC_WD_SECURITY), 2) << "SEC1 and PDS1 are on the main board";
        EXPECT_EQ(dlg.Screen().orderNo, "4712");
        EXPECT_EQ(d.isButtonChecked(IDC_ORD_BUY), 0);
        EXPECT_EQ(d.isButtonChecked(IDC_ORD_SELL), 1);
        EXPECT_EQ(d.itemText(IDC_ORD_ACCOUNT), "");
        EXPECT_EQ(d.itemText(IDC_ORD_FIRM), "");
        EXPECT_EQ(d.itemCount(IDC_ORD_FIRM), 2);
        for (uint32_t box : kAllBoxes)
            EXPECT_EQ(d.isButtonChecked(box), 0) << box;
        // Choosing the firm lists its users with the order's user chosen.
        d.userSelect(IDC_ORD_FIRM, d.findStringExact(IDC_ORD_FIRM, -1, "Broker One"));
        EXPECT_EQ(d.itemCount(IDC_ORD_USER), 2);
        EXPECT_EQ(d.itemText(IDC_ORD_USER), "Trader Two");
        // Another board: its securities, the previous choice gone.
        d.userSelect(IDC_ORD_BOARD, d.findStringExact(IDC_ORD_BOARD, -1, "Second board"));
        EXPECT_EQ(d.itemCount(IDC_WD_SECURITY), 1);
        EXPECT_EQ(d.itemText(IDC_WD_SECURITY), "");
        EXPECT_TRUE(d.isItemEnabled(fw::kIdOk));
        d.onCancel();
    });
}

TEST_F(WithdrawDialog, EveryAllAndBothSidesSendsTheGoldenRecord)
{
    router.Reply({ { 193, Accepted("2 orders withdrawn.") } });
    CWithdrawDlg dlg(OrderRow(4711));
    const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
        for (uint32_t box : kAllBoxes)
            Check(d, box, true);
        Check(d, IDC_ORD_SELL, true);
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(result, fw::IDOK);
    const std::vector<std::string> sent = Sent(138);
    ASSERT_EQ(sent.size(), 1u);
    const std::string golden = "TRADER01    A " + std::string(12, ' ') + "=" + std::string(78, ' ');
    ASSERT_EQ(golden.size(), 105u);
    EXPECT_EQ(sent[0], golden);
}

TEST_F(WithdrawDialog, OneOrderGoesOutWithItsNumberBoardAndSecurity)
{
    router.Reply({ { 193, Accepted("1 order withdrawn.") } });
    CWithdrawDlg dlg(OrderRow(4711));
    fw::test::runModal(dlg, [&](fw::Dialog& d) { d.userClick(fw::kIdOk); });
    const std::vector<std::string> sent = Sent(138);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0],
        "TRADER01    AB000000004711=" + std::string(18, ' ') + std::string(12, ' ') + "BRD1INSTR0000001"
            + std::string(32, ' '));
}

TEST_F(WithdrawDialog, AnyAllDisablesTheOrderNumber)
{
    CWithdrawDlg dlg(OrderRow(4711));
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_TRUE(d.isItemEnabled(IDC_ORD_NUMBER));
        for (uint32_t box : kAllBoxes) {
            Check(d, box, true);
            EXPECT_FALSE(d.isItemEnabled(IDC_ORD_NUMBER)) << box;
            EXPECT_FALSE(d.isItemEnabled(IDC_WD_NUMBER_LABEL)) << box;
            Check(d, box, false);
            EXPECT_TRUE(d.isItemEnabled(IDC_ORD_NUMBER)) << box;
        }
        // Each box disables its own list.
        Check(d, IDC_WD_ALL_SECURITY, true);
        EXPECT_FALSE(d.isItemEnabled(IDC_WD_SECURITY));
        EXPECT_TRUE(d.isItemEnabled(IDC_ORD_BOARD));
        d.onCancel();
    });
}

TEST_F(WithdrawDialog, ASpecificAccountTakesAwayAllFirms)
{
    CWithdrawDlg dlg(OrderRow(4711));
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        Check(d, IDC_WD_ALL_FIRM, true);
        d.userSelect(IDC_ORD_ACCOUNT, 1);
        EXPECT_EQ(d.isButtonChecked(IDC_WD_ALL_FIRM), 0);
        EXPECT_FALSE(d.isItemEnabled(IDC_WD_ALL_FIRM));
        EXPECT_TRUE(d.isItemEnabled(IDC_ORD_FIRM));
        EXPECT_EQ(ui.statusTexts.back(), "Second account");
        Check(d, IDC_WD_ALL_ACCOUNT, true);
        EXPECT_TRUE(d.isItemEnabled(IDC_WD_ALL_FIRM));
        d.onCancel();
    });
}

TEST_F(WithdrawDialog, UnresolvedChoicesAndNoSideAreRefused)
{
    struct Case {
        const char* name;
        void (*act)(fw::Dialog&);
        const char* message;
        uint32_t focus;
    } const cases[] = {
        { "no side",
            [](fw::Dialog& d) { Check(d, IDC_ORD_BUY, false); },
            "Check \"Buy\", \"Sell\" or both.", IDC_ORD_BUY },
        { "a firm gone from the table",
            [](fw::Dialog& d) {
                d.userSelect(IDC_ORD_FIRM, d.findStringExact(IDC_ORD_FIRM, -1, "Broker Two"));
                KvTables().participants.Free();
            },
            "Unknown firm: choose a firm from the list or check \"All\".", IDC_ORD_FIRM },
        { "a user gone from the table",
            [](fw::Dialog& d) {
                d.userSelect(IDC_ORD_FIRM, d.findStringExact(IDC_ORD_FIRM, -1, "Broker One"));
                d.userSelect(IDC_ORD_USER, 0);
                KvTables().traders.Free();
            },
            "Unknown user: choose a user from the list or check \"All\".", IDC_ORD_USER },
        { "no security chosen",
            [](fw::Dialog& d) { d.setCurSel(IDC_WD_SECURITY, -1); },
            "Invalid security.", IDC_WD_SECURITY },
    };
    for (const Case& c : cases) {
        ui.boxes.clear();
        AddFirm("BRK1", "Broker One");
        AddFirm("BRK2", "Broker Two");
        AddTrader("TRADER01", "Trader One", "BRK1");
        AddTrader("TRADER03", "Trader Three", "BRK2");
        CWithdrawDlg dlg(OrderRow(4711));
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            c.act(d);
            d.userClick(fw::kIdOk);
            EXPECT_TRUE(d.isVisible()) << c.name;
            EXPECT_EQ(d.focusId(), c.focus) << c.name;
            d.onCancel();
        });
        KvTables().participants.Free();
        KvTables().traders.Free();
        ASSERT_EQ(ui.boxes.size(), 1u) << c.name;
        EXPECT_EQ(ui.boxes[0].text, c.message) << c.name;
        EXPECT_EQ(ui.boxes[0].flags & fw::MB_ICONMASK, static_cast<unsigned>(fw::MB_ICONSTOP)) << c.name;
    }
    EXPECT_TRUE(Sent(138).empty());
}

TEST_F(WithdrawDialog, ConfirmationNoSendsNothingAndRefusalKeepsItOpen)
{
    session.m_bConfirm = 1;
    ui.boxAnswer = fw::IDNO;
    CWithdrawDlg dlg(OrderRow(4711));
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible());
        ui.boxAnswer = fw::IDYES;
        router.Reply({ { 192, Refused("No standing order matches.", 0) } });
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible()) << "a refusal keeps the dialog open";
        d.onCancel();
    });
    ASSERT_GE(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].text, "Do you really want to withdraw one or more orders?");
    EXPECT_EQ(Sent(138).size(), 1u);
}

TEST_F(WithdrawDialog, OneSideTakesItsColour)
{
    session.m_settings.options.orderColor = 1;
    session.m_colour1 = fw::Color::rgb(10, 20, 30);
    session.m_colour2 = fw::Color::rgb(200, 100, 50);
    const QColor standard = QApplication::palette().color(QPalette::Window);
    CWithdrawDlg dlg(OrderRow(4712));
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.palette().color(QPalette::Window), QColor(200, 100, 50)) << "the sell order's colour";
        Check(d, IDC_ORD_BUY, true);
        EXPECT_EQ(d.palette().color(QPalette::Window), standard) << "both sides";
        Check(d, IDC_ORD_SELL, false);
        EXPECT_EQ(d.palette().color(QPalette::Button), QColor(10, 20, 30));
        session.m_settings.options.orderColor = 0;
        Check(d, IDC_ORD_BUY, false);
        Check(d, IDC_ORD_BUY, true);
        EXPECT_EQ(d.palette().color(QPalette::Window), standard) << "the setting off";
        d.onCancel();
    });
}

TEST_F(WithdrawDialog, FunctionKeysMoveTheFocus)
{
    CWithdrawDlg dlg(OrderRow(4711));
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        PressKey(&d, Qt::Key_F5);
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_WD_SECURITY));
        PressKey(&d, Qt::Key_F6);
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_ORD_ACCOUNT));
        d.onCancel();
    });
}

} // namespace
} // namespace kv32test
