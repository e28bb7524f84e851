// The controls' windows in an offscreen dialog: keys reach the engines, data exchange
// gives "" or 0 for blank fields, values past a bound never reach the dialog, and each
// selection made by a combo box is announced once.
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QToolButton>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/core/clock.h"
#include "fw/core/resources.h"
#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/dataexchange.h"
#include "fw/ui/datetimefield.h"
#include "fw/ui/dialog.h"
#include "kvcore/ui/big_icon_button.h"
#include "kvcore/ui/calculator_popup.h"
#include "kvcore/ui/combos.h"
#include "kvcore/ui/date_picker_widget.h"
#include "kvcore/ui/num_edit_widget.h"
#include "support/clock_support.h"
#include "support/locale_support.h"

namespace {

enum : uint32_t { kDlg = 64901, kAmount = 1001, kCount = 1002, kPrice = 1003, kBoard = 1004, kWhen = 1005 };

constexpr fw::ControlDef kControls[] = {
    { kAmount, fw::ControlKind::Edit, 0, 0 },
    { kCount, fw::ControlKind::Edit, 1, 0 },
    { kPrice, fw::ControlKind::Edit, 2, 0 },
    { kBoard, fw::ControlKind::Custom, 3, 0 },
    { kWhen, fw::ControlKind::DateTime, 4, 0 },
    { fw::kIdOk, fw::ControlKind::DefaultButton, 5, 0, "OK", "OK" },
    { fw::kIdCancel, fw::ControlKind::Button, 5, 1, "Cancel", "Mégse" },
};
constexpr fw::DialogTemplate kTemplate[] = { { kDlg, "Controls", "Vezérlők", kControls } };
const fw::ResourceSet kSet { "kvcore_ui_tests", {}, kTemplate };

struct ControlsDialog : fw::Dialog {
    CDblEdit amount;
    CIntEdit count;
    CSignDblEdit price;
    KvDateTimePicker when;
    std::string amountText = "1.5";
    double amountValue = -1;
    uint32_t countValue = 7;
    std::string priceText = "12.5";
    int countChanges = 0;
    int boardChanges = 0;

    ControlsDialog()
        : fw::Dialog(kDlg)
    {
        count.SetMax(100);
        commands().onNotify(kCount, fw::Notify::Change, [this] { ++countChanges; });
        commands().onNotify(kBoard, fw::Notify::SelChange, [this] { ++boardChanges; });
    }
    bool onInitDialog() override
    {
        auto board = std::make_unique<CTypeComboBox>();
        for (const char* name : { "Bond", "Bank", "Share" })
            board->addItem(QString::fromLatin1(name));
        board->setCurrentIndex(-1); // a list starts without a choice
        setItemWidget(kBoard, std::move(board));
        when.AttachDateCtrl(kWhen, *this);
        return fw::Dialog::onInitDialog();
    }
    void doDataExchange(fw::DataExchange& dx) override
    {
        DDX_Control(dx, kAmount, amount, true);
        DDX_Control(dx, kCount, count, false);
        DDX_Control(dx, kPrice, price, true);
        DDX_Value(dx, kAmount, amountText);
        if (dx.saving())
            DDX_Value(dx, kAmount, amountValue);
        DDX_Value(dx, kCount, countValue);
        DDX_Value(dx, kPrice, priceText);
    }
};

void Key(QWidget* w, Qt::Key key, const QString& text = {})
{
    ASSERT_NE(w, nullptr);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
}

void Type(QWidget* w, const char* text)
{
    for (const char* p = text; *p; ++p)
        Key(w, Qt::Key_unknown, QString(QLatin1Char(*p)));
}

struct ControlsDialogTest : ::testing::Test {
    fw::App app;
    static void SetUpTestSuite() { fw::addResources(kSet); }
    fw::ManualClock clock { 0, kvtest::LocalMoment(2026, 12, 10, 14, 30, 0) };
    fw::ClockScope clockScope { clock };
};

TEST_F(ControlsDialogTest, BlankFieldsAndBoundsThroughDataExchange)
{
    kvtest::IntlScope intl(kvtest::EnglishIntl());
    ControlsDialog dlg;
    fw::test::Script script;
    const int result = fw::test::runModal(dlg, [](fw::Dialog& d) {
        auto& dialog = static_cast<ControlsDialog&>(d);
        auto* amount = d.itemAs<KvNumEditWidget>(kAmount);
        auto* count = d.itemAs<KvNumEditWidget>(kCount);
        ASSERT_NE(amount, nullptr);
        ASSERT_NE(count, nullptr);
        EXPECT_EQ(dialog.amount.Text(), "1.50");
        EXPECT_EQ(dialog.price.Text(), "12.50");

        // Everything selected and Backspace: the optional amount goes blank.
        dialog.amount.SetSelAll();
        Key(amount, Qt::Key_Backspace, QStringLiteral("\b"));
        EXPECT_TRUE(dialog.amount.IsBlank());

        // 150 is past the count's maximum of 100: the last digit is rolled back.
        dialog.count.SetSelAll();
        Type(count, "150");
        EXPECT_EQ(dialog.count.Text(), "15");
        EXPECT_EQ(dialog.countChanges, 3);

        // A day before the trading time is put back to the start value.
        auto* when = d.itemAs<fw::DateTimeField>(kWhen);
        ASSERT_NE(when, nullptr);
        when->setValue(QDateTime(QDate(2026, 12, 9), QTime(12, 0)));
        EXPECT_EQ(dialog.when.FormatDateVORL(), "20261210");
        when->setValue(QDateTime(QDate(2027, 1, 4), QTime(0, 0)));
        EXPECT_EQ(dialog.when.FormatDateVORL(), "20270104");
        EXPECT_EQ(dialog.when.FormatTimeVORL(), "235959");

        // Type-ahead in the combo box: b, o select Bond once; x selects nothing.
        QWidget* board = d.item(kBoard);
        Type(board, "bo");
        EXPECT_EQ(d.curSel(kBoard), 0);
        Type(board, "x");
        EXPECT_EQ(d.curSel(kBoard), -1);
        EXPECT_EQ(dialog.boardChanges, 2);
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(result, fw::IDOK);
    EXPECT_EQ(dlg.amountText, "");
    EXPECT_EQ(dlg.amountValue, 0);
    EXPECT_EQ(dlg.countValue, 15u);
    EXPECT_EQ(dlg.priceText, "12.50");
}

TEST_F(ControlsDialogTest, DropButtonCalculatorAndEditingKeys)
{
    kvtest::IntlScope intl(kvtest::EnglishIntl());
    ControlsDialog dlg;
    fw::test::Script script;
    std::vector<std::string> log;
    dlg.commands().onNotify(kPrice, fw::Notify::Clicked, [&] { log.push_back("drop"); });
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        auto& dialog = static_cast<ControlsDialog&>(d);
        auto* price = d.itemAs<KvNumEditWidget>(kPrice);
        ASSERT_NE(price, nullptr);
        auto* drop = price->findChild<QToolButton*>();
        ASSERT_NE(drop, nullptr);
        drop->click();
        EXPECT_EQ(log, (std::vector<std::string> { "drop" })); // the dialog hears of it first
        auto* popup = price->findChild<KvCalculatorPopup*>();
        ASSERT_NE(popup, nullptr);
        Type(popup, "*2");
        Key(popup, Qt::Key_Return);
        EXPECT_EQ(dialog.price.Text(), "25.00");

        // Home, Delete and End reach the engine as the editing keys they are.
        price->setFocus();
        Key(price, Qt::Key_Home);
        Key(price, Qt::Key_Delete);
        EXPECT_EQ(dialog.price.Text(), "5.00");
        Key(price, Qt::Key_End);
        EXPECT_EQ(dialog.price.Caret(), 4);

        // Pasted text is read like typed text and ends the blank state.
        dialog.price.Clear();
        EXPECT_TRUE(dialog.price.IsBlank());
        QGuiApplication::clipboard()->setText(QStringLiteral("1,234.5"));
        QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
        QApplication::sendEvent(price, &paste);
        EXPECT_FALSE(dialog.price.IsBlank());
        EXPECT_EQ(dialog.price.Text(), "1,234.50");
        // A comma out of place under a decimal point is refused with a message, nothing taken.
        fw::test::Script boxes;
        boxes.answerMessageBox(fw::IDOK);
        QGuiApplication::clipboard()->setText(QStringLiteral("2774,50"));
        QApplication::sendEvent(price, &paste);
        EXPECT_EQ(dialog.price.Text(), "1,234.50");
        ASSERT_EQ(boxes.messageBoxes().size(), 1u);
        EXPECT_EQ(boxes.messageBoxes()[0].rfind("The number was not taken: \",\" is not the decimal separator", 0), 0u)
            << boxes.messageBoxes()[0];
        // Typed, "1,00" ends with a group short of its digits: Enter reports it instead of
        // letting the dialog take 100.
        boxes.answerMessageBox(fw::IDOK);
        dialog.price.Clear();
        Type(price, "1,00");
        Key(price, Qt::Key_Return);
        EXPECT_EQ(boxes.messageBoxes().size(), 2u);
        EXPECT_TRUE(d.isVisible());
        d.userClick(fw::kIdCancel);
    });
}

TEST_F(ControlsDialogTest, BigIconTakesTwiceTheIconSizeAndDrawsWithoutAnIcon)
{
    CBigIcon icon;
    icon.SizeToContent(65000); // no such icon: nothing drawn, nothing fails
    const QSize one = icon.systemIconSize();
    EXPECT_EQ(icon.size(), QSize(2 * one.width() + 8, 2 * one.height() + 8));
    EXPECT_FALSE(icon.grab().isNull());
    icon.SizeToContent(std::string(":/no/such/icon.png"));
    EXPECT_FALSE(icon.grab().isNull());
}

} // namespace
