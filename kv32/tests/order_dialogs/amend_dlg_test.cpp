// The order amend dialog offscreen over the scripted router: what it shows of
// the order, what it sends when one value changed, and its refusals.
#include <gtest/gtest.h>

#include <QLineEdit>

#include "fw/core/msgbox.h"
#include "fw/test/fwtest.h"
#include "fw/ui/datetimefield.h"
#include "kv32/dialogs/amend_dlg.h"
#include "kv32/res/order_dialogs_ids.h"
#include "kv32/windows/quote_wnd.h"
#include "order_dialogs/order_dialogs_support.h"

namespace kv32test {
namespace {

std::string Blanks(size_t n)
{
    return std::string(n, ' ');
}

using AmendDialog = OrderDialogTest;

TEST_F(AmendDialog, ChangingOnlyTheQuantitySendsOnlyTheQuantity)
{
    AddOrder(DayOrder(4711));
    router.Reply({ { 193, Accepted("Order 4711 amended.") } });
    CAmendDlg dlg(OrderRow(4711));
    const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_ORD_BOARD), "Main board");
        EXPECT_EQ(d.itemText(IDC_AMD_SECURITY), "SEC1");
        EXPECT_EQ(d.itemText(IDC_ORD_ACCOUNT), "ACC1");
        EXPECT_EQ(d.itemText(IDC_AMD_REFERENCE), "REF1");
        EXPECT_EQ(d.itemText(IDC_AMD_PRICE_LABEL), "Price:");
        EXPECT_EQ(d.isButtonChecked(IDC_AMD_DAY), 1);
        EXPECT_FALSE(d.isItemEnabled(IDC_AMD_EXPIRY_DATE));
        EXPECT_FALSE(d.isItemEnabled(IDC_AMD_HIDDEN)) << "the order has no hidden quantity";
        EXPECT_FALSE(d.isItemEnabled(IDC_AMD_YIELD));
        TypeNumber(d, IDC_AMD_QUANTITY, "250");
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(result, fw::IDOK);
    const std::vector<std::string> sent = Sent(137);
    ASSERT_EQ(sent.size(), 1u);
    std::string flags(32, '0');
    flags[25] = '1';
    const std::string golden = "TRADER01    000000004711" + flags + Blanks(30) + "0000000000000250" + Blanks(103);
    ASSERT_EQ(golden.size(), 205u);
    EXPECT_EQ(sent[0], golden);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Order 4711 amended.");
}

TEST_F(AmendDialog, AClearedReferenceSendsAStar)
{
    AddOrder(DayOrder(4711));
    router.Reply({ { 193, Accepted("Amended") } });
    CAmendDlg dlg(OrderRow(4711));
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        d.userType(IDC_AMD_REFERENCE, "");
        d.userClick(fw::kIdOk);
    });
    const std::vector<std::string> sent = Sent(137);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].substr(118, 40), "*" + Blanks(39));
    EXPECT_EQ(sent[0].substr(86, 32), Blanks(32)) << "no quantity";
}

TEST_F(AmendDialog, NothingChangedSendsNothingAndStaysOpen)
{
    AddOrder(DayOrder(4711));
    session.m_bConfirm = 1;
    CAmendDlg dlg(OrderRow(4711));
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.isButtonChecked(IDC_ORD_CONFIRM), 1);
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible());
        d.onCancel();
    });
    EXPECT_TRUE(Sent(137).empty());
    ASSERT_EQ(ui.boxes.size(), 1u) << "no question before the refusal";
    EXPECT_EQ(ui.boxes[0].text, "Nothing has changed");
    EXPECT_EQ(ui.boxes[0].flags & fw::MB_ICONMASK, 0u) << "no icon";
}

TEST_F(AmendDialog, TheQuestionComesLastAndNoSendsNothing)
{
    AddOrder(DayOrder(4711));
    session.m_bConfirm = 1;
    ui.boxAnswer = fw::IDNO;
    CAmendDlg dlg(OrderRow(4711));
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        TypeNumber(d, IDC_AMD_QUANTITY, "300");
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible());
        d.onCancel();
    });
    EXPECT_TRUE(Sent(137).empty());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text,
        "Do you really want to amend a Buy order as follows?\nSecurity:\tMain board/SEC1\nPrice/Qty:\t12.50/300\n"
        "Account:\tACC1");
}

TEST_F(AmendDialog, ARefusalNamingAFieldMovesTheFocusThere)
{
    AddOrder(DayOrder(4711));
    struct Case {
        int field;
        uint32_t focus;
    } const cases[] = { { 7, IDC_AMD_QUANTITY }, { 5, IDC_AMD_PRICE }, { 1, IDC_ORD_ACCOUNT } };
    for (const Case& c : cases) {
        router.Reply({ { 192, Refused("Refused", c.field) } });
        CAmendDlg dlg(OrderRow(4711));
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            TypeNumber(d, IDC_AMD_QUANTITY, "999");
            d.gotoItem(IDC_AMD_REFERENCE);
            d.userClick(fw::kIdOk);
            EXPECT_TRUE(d.isVisible()) << c.field;
            EXPECT_EQ(d.focusId(), c.focus) << c.field;
            d.onCancel();
        });
    }
    EXPECT_EQ(Sent(137).size(), 3u);
}

TEST_F(AmendDialog, AQuantityBelowTheMinimumFillIsRefusedBeforeSending)
{
    OrderSpec spec = DayOrder(4711);
    spec.flags[16] = '1';
    spec.minimumFill = 50;
    AddOrder(spec);
    CAmendDlg dlg(OrderRow(4711));
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_TRUE(d.isItemEnabled(IDC_AMD_MIN_FILL));
        TypeNumber(d, IDC_AMD_QUANTITY, "40");
        d.userClick(fw::kIdOk);
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_AMD_MIN_FILL));
        d.onCancel();
    });
    EXPECT_TRUE(Sent(137).empty());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Invalid value.");
    EXPECT_EQ(ui.boxes[0].flags & fw::MB_ICONMASK, static_cast<unsigned>(fw::MB_ICONSTOP));
}

TEST_F(AmendDialog, AmountOrdersShowTheirAmountReadOnly)
{
    OrderSpec spec = DayOrder(4711);
    spec.code = "0BRD1INSTR0000003";
    spec.quantity = 0;
    spec.value = 500000;
    AddOrder(spec);
    CAmendDlg dlg(OrderRow(4711));
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_FALSE(d.isItemEnabled(IDC_AMD_PRICE));
        ASSERT_NE(dlg.Form(), nullptr);
        EXPECT_EQ(dlg.Screen().price, "5000.00");
        d.onCancel();
    });
}

TEST_F(AmendDialog, GoodTillDateEnablesItsDateAndTime)
{
    AddOrder(DayOrder(4711));
    router.Reply({ { 193, Accepted("Amended") } });
    CAmendDlg dlg(OrderRow(4711));
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        d.checkButton(IDC_AMD_DAY, 0);
        d.checkButton(IDC_AMD_UNTIL_DATE, 1);
        d.userClick(IDC_AMD_UNTIL_DATE);
        EXPECT_TRUE(d.isItemEnabled(IDC_AMD_EXPIRY_DATE));
        EXPECT_TRUE(d.isItemEnabled(IDC_AMD_EXPIRY_TIME));
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_AMD_EXPIRY_DATE));
        auto* date = d.itemAs<fw::DateTimeField>(IDC_AMD_EXPIRY_DATE);
        ASSERT_NE(date, nullptr);
        date->setValue(QDateTime(QDate(2030, 6, 28), QTime(0, 0)));
        d.checkButton(IDC_AMD_UNTIL_DATE, 0);
        d.checkButton(IDC_AMD_GTC, 1);
        d.userClick(IDC_AMD_GTC);
        EXPECT_FALSE(d.isItemEnabled(IDC_AMD_EXPIRY_DATE));
        EXPECT_EQ(dlg.Screen().expiryDate, "");
        d.checkButton(IDC_AMD_GTC, 0);
        d.checkButton(IDC_AMD_UNTIL_DATE, 1);
        d.userClick(IDC_AMD_UNTIL_DATE);
        date->setValue(QDateTime(QDate(2030, 6, 28), QTime(0, 0)));
        d.userClick(fw::kIdOk);
    });
    const std::vector<std::string> sent = Sent(137);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].substr(158, 8), "20300628");
    EXPECT_EQ(sent[0][24 + 26], '1');
    EXPECT_EQ(sent[0][24 + 25], '0');
}

TEST_F(AmendDialog, TheQuoteShowsWhileAPriceOrQuantityHasTheFocus)
{
    AddOrder(DayOrder(4711));
    CAmendDlg dlg(OrderRow(4711));
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        // The dialog opens with the focus on the quantity.
        ASSERT_NE(dlg.QuoteWindow(), nullptr);
        EXPECT_EQ(dlg.QuoteWindow()->Security(), SecurityTable().FindByName("SEC1"));
        // In its own place inside the dialog: it hides no control.
        const QRect quote(dlg.QuoteWindow()->mapTo(&d, QPoint(0, 0)), dlg.QuoteWindow()->size());
        EXPECT_EQ(quote, d.item(IDC_AMD_QUOTE_AREA)->geometry());
        EXPECT_TRUE(d.rect().contains(quote));
        for (QWidget* w : d.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (w->isVisible() && w != d.item(IDC_AMD_QUOTE_AREA)) {
                EXPECT_FALSE(quote.intersects(w->geometry())) << w->metaObject()->className();
            }
        }
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(d.item(IDC_AMD_QUANTITY), &out);
        EXPECT_EQ(dlg.QuoteWindow(), nullptr);
        QFocusEvent in(QEvent::FocusIn);
        QApplication::sendEvent(d.item(IDC_AMD_TRIGGER), &in);
        EXPECT_NE(dlg.QuoteWindow(), nullptr);
        d.onCancel();
    });
}

TEST_F(AmendDialog, WithoutAnOrderNothingCanBeSent)
{
    CAmendDlg dlg(-1);
    const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(dlg.Form(), nullptr);
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        d.userClick(IDC_AMD_GTC);
        d.onCancel();
    });
    EXPECT_EQ(result, fw::IDCANCEL);
    EXPECT_TRUE(Sent(137).empty());
}

TEST_F(AmendDialog, DamagedExpiryTextsOpenAsNoExpiry)
{
    struct Case {
        const char* date;
        const char* time;
        const char* shownDate;
    } const cases[] = { { "20301231", "      ", "20301231" }, { "2030AB31", "1530xx", "" }, { "        ", "153000", "" } };
    long long number = 4700;
    for (const Case& c : cases) {
        OrderSpec spec = DayOrder(++number);
        spec.flags = std::string(32, '0');
        spec.flags[23] = spec.flags[26] = '1';
        spec.expiryDate = c.date;
        spec.expiryTime = c.time;
        AddOrder(spec);
        CAmendDlg dlg(OrderRow(static_cast<uint32_t>(number)));
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            EXPECT_EQ(d.isButtonChecked(IDC_AMD_UNTIL_DATE), 1) << c.date;
            EXPECT_EQ(dlg.Screen().expiryDate, c.shownDate) << c.date;
            d.onCancel();
        });
    }
}

TEST_F(AmendDialog, FunctionKeysStepThePriceAndMoveTheFocus)
{
    AddOrder(DayOrder(4711));
    CAmendDlg dlg(OrderRow(4711));
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        PressKey(&d, Qt::Key_F3);
        EXPECT_EQ(dlg.Screen().price, "12.60");
        PressKey(&d, Qt::Key_F3, Qt::ShiftModifier);
        PressKey(&d, Qt::Key_F3, Qt::ShiftModifier);
        EXPECT_EQ(dlg.Screen().price, "12.40");
        PressKey(&d, Qt::Key_F6);
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_ORD_ACCOUNT));
        PressKey(&d, Qt::Key_F7);
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_AMD_PRICE));
        PressKey(&d, Qt::Key_F8);
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_AMD_QUANTITY));
        d.onCancel();
    });
}

} // namespace
} // namespace kv32test
