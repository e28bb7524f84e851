// The combo box windows in an offscreen dialog: completion, companion fields, Delete,
// and the context menu through the popup road.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fw/core/resources.h"
#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/dialog.h"
#include "fw/ui/mainframe.h"
#include "kvcore/ui/combos.h"

namespace {

enum : uint32_t {
    kDlg = 64902,
    kCity = 1101,
    kBoard = 1102,
    kQty = 1103,
    kName = 1104,
    kSide = 1105,
    kMenuCmd = 41001
};

constexpr fw::ControlDef kControls[] = {
    { kCity, fw::ControlKind::Custom, 0, 0 },
    { kBoard, fw::ControlKind::Custom, 1, 0 },
    { kQty, fw::ControlKind::Edit, 1, 1 },
    { kName, fw::ControlKind::Custom, 2, 0 },
    { kSide, fw::ControlKind::Custom, 3, 0 },
    { fw::kIdOk, fw::ControlKind::DefaultButton, 4, 0, "OK", "OK" },
};
constexpr fw::DialogTemplate kTemplate[] = { { kDlg, "Combos", "Kombók", kControls } };
const fw::ResourceSet kSet { "kvcore_ui_combo_tests", {}, kTemplate };

void Type(QWidget* w, const char* text)
{
    for (const char* p = text; *p; ++p) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QLatin1Char(*p)));
        QApplication::sendEvent(w, &press);
    }
}

void Press(QWidget* w, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

struct CombosDialog : fw::Dialog {
    std::vector<std::string> log;
    CombosDialog()
        : fw::Dialog(kDlg)
    {
        for (uint32_t id : { kCity, kBoard, kSide })
            commands().onNotify(
                id, fw::Notify::SelChange, [this, id] { log.push_back("sel " + std::to_string(id)); });
        commands().onCommand(kMenuCmd, [this] { log.push_back("command"); });
    }
    bool onInitDialog() override
    {
        auto fill = [](QComboBox& box, std::initializer_list<const char*> items) {
            for (const char* item : items)
                box.addItem(QString::fromLatin1(item));
            box.setCurrentIndex(-1);
        };
        auto city = std::make_unique<CExplorerCombo>();
        fill(*city, { "Budapest", "Bukarest", "Bern" });
        auto board = std::make_unique<CBGComboBox>();
        fill(*board, { "Equities", "Bonds" });
        board->SetCompanion(item(kQty));
        auto name = std::make_unique<CBGEdit>();
        name->SetCompanion(board.get());
        auto side = std::make_unique<CContextCombo>();
        fill(*side, { "Buy", "Sell" });
        side->ContextMenu().AddCommand(kMenuCmd, "Swap");
        setItemWidget(kCity, std::move(city));
        setItemWidget(kBoard, std::move(board));
        setItemWidget(kName, std::move(name));
        setItemWidget(kSide, std::move(side));
        return fw::Dialog::onInitDialog();
    }
};

struct ComboWidgetsTest : ::testing::Test {
    fw::App app;
    static void SetUpTestSuite() { fw::addResources(kSet); }
};

TEST_F(ComboWidgetsTest, CompletionCompanionsDeleteAndContextMenu)
{
    fw::MainFrame frame;
    app.setMainFrame(&frame);
    CombosDialog dlg;
    fw::test::Script script;
    script.answerPopup(kMenuCmd);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        auto& dialog = static_cast<CombosDialog&>(d);
        auto* city = d.itemAs<QComboBox>(kCity);
        ASSERT_NE(city, nullptr);
        Type(city->lineEdit(), "bukx"); // x continues no entry and is not typed
        EXPECT_EQ(city->currentIndex(), 1);
        EXPECT_EQ(city->lineEdit()->text(), QStringLiteral("Bukarest"));
        EXPECT_EQ(city->lineEdit()->selectedText(), QStringLiteral("arest"));

        // A digit in the board combo lands in the emptied quantity; a blank only moves there.
        d.setItemText(kQty, "99");
        Type(d.item(kBoard), "7");
        EXPECT_EQ(d.itemText(kQty), "7");
        Type(d.item(kBoard), "b");
        EXPECT_EQ(d.curSel(kBoard), 1);

        // Letters typed into the name edit go on to the board combo's type-ahead.
        Type(d.item(kName), "e");
        EXPECT_EQ(d.curSel(kBoard), 0);
        Type(d.item(kName), "5");
        EXPECT_EQ(d.itemText(kName), "5");

        // Delete clears the choice and is announced.
        Type(d.item(kSide), "s");
        Press(d.item(kSide), Qt::Key_Delete);
        EXPECT_EQ(d.curSel(kSide), -1);

        QContextMenuEvent right(
            QContextMenuEvent::Mouse, QPoint(2, 2), d.item(kSide)->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(d.item(kSide), &right);
        EXPECT_EQ(dialog.log,
            (std::vector<std::string> { "sel 1101", "sel 1101", "sel 1101", "sel 1102", "sel 1102",
                "sel 1105", "sel 1105", "command" }));
        d.userClick(fw::kIdOk);
    });
    ASSERT_EQ(script.popups().size(), 1u);
    EXPECT_TRUE(script.allAnswersUsed());
    app.setMainFrame(nullptr);
}

} // namespace
