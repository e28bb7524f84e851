#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <string>

#include "fw/core/rescheck.h"
#include "fw/test/fwtest.h"
#include "kv32/dialogs/order_entry_dlg.h"
#include "kv32/res/order_entry_ids.h"
#include "kv32/windows/quote_wnd.h"
#include "trading/order_entry_fixture.h"

namespace {

using kv32test::End;

class OrderEntryDialog : public kv32test::OrderEntryFixture {
protected:
    OrderEntryDialog() { AddSecurity("SEC1", kv32test::PlainMethods()); }

    // Chooses SEC1 and ACC1 and types the day buy of 100 at 12.5.
    static void Enter(fw::Dialog& d)
    {
        d.userSelect(IDC_OE_BOARD, d.findStringExact(IDC_OE_BOARD, -1, "Main board"));
        d.userSelect(IDC_OE_SECURITY, d.findStringExact(IDC_OE_SECURITY, -1, "SEC1"));
        d.userSelect(IDC_OE_ACCOUNT, 0);
        d.userType(IDC_OE_PRICE, "12.5");
        d.userType(IDC_OE_QUANTITY, "100");
    }
};

TEST(OrderEntryResources, TemplatesAndTextsAreComplete)
{
    Kv32RegisterOrderEntry();
    const fw::ResourceSet set { "kv32-order-entry-check", Kv32OrderEntryStrings(),
        Kv32OrderEntryTemplates() };
    const fw::ResourceReport report = fw::checkResources(std::span(&set, 1));
    EXPECT_TRUE(report.ok()) << report.text();
}

TEST_F(OrderEntryDialog, BuySendsTheGoldenRecordAndCloses)
{
    router.Reply({ { 193, std::string("Order 1 entered") + '\0' } });
    COrderEntryDlg dlg(1, 0);
    dlg.Form().convert = nullptr;
    const int result = fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), " Regular Order - Buy");
        EXPECT_TRUE(d.isButtonChecked(IDC_OE_BUY));
        Enter(d);
        EXPECT_TRUE(d.isButtonChecked(IDC_OE_DAY));
        EXPECT_TRUE(d.isButtonChecked(IDC_OE_FILL_ANY));
        EXPECT_TRUE(d.isButtonChecked(IDC_OE_LIMIT));
        EXPECT_FALSE(d.isItemEnabled(IDC_OE_MARKET));
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(result, fw::IDOK);
    const auto orders = Orders();
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders[0].type, 132);
    EXPECT_EQ(orders[0].bytes, GoldenDayBuy());
    EXPECT_EQ(orders[0].bytes.size(), 211u);
}

TEST_F(OrderEntryDialog, RefusalKeepsTheDialogWithTheFocusOnTheHostsField)
{
    router.Reply({ { 192, std::string("Price outside the limits") + '\0' + "5" } });
    COrderEntryDlg dlg(1, 0);
    dlg.Form().convert = nullptr;
    fw::test::runModal(dlg, [this](fw::Dialog& d) {
        Enter(d);
        d.gotoItem(IDC_OE_QUANTITY);
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_OE_PRICE));
        ASSERT_FALSE(ui.boxes.empty());
        EXPECT_EQ(ui.boxes.back().text, "Price outside the limits");
        d.onCancel();
    });
    EXPECT_EQ(Orders().size(), 1u);
}

TEST_F(OrderEntryDialog, OrderExitZeroKeepsTheDialogOpenWithItsValues)
{
    session.m_bOrderExit = 0;
    router.Reply({ { 193, std::string("Order 1 entered") + '\0' } });
    router.Reply({ { 193, std::string("Order 2 entered") + '\0' } });
    COrderEntryDlg dlg(1, 0);
    dlg.Form().convert = nullptr;
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(fw::kIdCancel), "Close");
        Enter(d);
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.itemText(IDC_OE_PRICE), "12.5");
        EXPECT_EQ(d.itemText(IDC_OE_QUANTITY), "100");
        d.userClick(fw::kIdOk);
        d.onCancel();
    });
    const auto orders = Orders();
    ASSERT_EQ(orders.size(), 2u) << "the same order again";
    EXPECT_EQ(orders[1].bytes, GoldenDayBuy());
}

TEST_F(OrderEntryDialog, FunctionKeysAndTheQuoteWindow)
{
    COrderEntryDlg dlg(1, 0);
    dlg.Form().convert = nullptr;
    fw::test::runModal(dlg, [&dlg](fw::Dialog& d) {
        Enter(d);
        const auto press = [&d](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QKeyEvent event(QEvent::KeyPress, key, modifiers);
            QApplication::sendEvent(&d, &event);
        };
        press(Qt::Key_F7);
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_OE_PRICE));
        press(Qt::Key_F3);
        EXPECT_EQ(d.itemText(IDC_OE_PRICE), "12.60");
        press(Qt::Key_F3, Qt::ShiftModifier);
        EXPECT_EQ(d.itemText(IDC_OE_PRICE), "12.50");
        press(Qt::Key_F8);
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_OE_QUANTITY));
        press(Qt::Key_F5);
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_OE_SECURITY));
        // Letters are typed, never taken for the function keys' codes.
        QKeyEvent letter(QEvent::KeyPress, Qt::Key_R, Qt::NoModifier, QStringLiteral("r"));
        QApplication::sendEvent(&d, &letter);
        EXPECT_EQ(d.itemText(IDC_OE_PRICE), "12.50");

        dlg.Form().Focus(IDC_OE_QUANTITY);
        d.userLeave(IDC_OE_SECURITY);
        ASSERT_NE(dlg.QuoteWindow(), nullptr);
        EXPECT_EQ(dlg.QuoteWindow()->Security(), dlg.Form().SecurityRow());
        d.userLeave(IDC_OE_QUANTITY);
        EXPECT_EQ(dlg.QuoteWindow(), nullptr);
        d.onCancel();
    });
}

TEST_F(OrderEntryDialog, PrimaryLayoutShowsItsUnusedChoicesDisabled)
{
    COrderEntryDlg dlg(2, 1);
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Order - Primary Distribution - Sell");
        for (uint32_t id :
            { IDC_OE_CUSTODIAN, IDC_OE_PD_FILL_OR_KILL, IDC_OE_PD_ALL_OR_NONE, IDC_OE_PD_IMMEDIATE })
            EXPECT_FALSE(d.isItemEnabled(id)) << id;
        EXPECT_EQ(d.item(IDC_OE_YIELD), nullptr);
        d.onCancel();
    });
}

} // namespace
