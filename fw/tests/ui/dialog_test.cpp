#include "fw/core/resources.h"
#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/dataexchange.h"
#include "fw/ui/dialog.h"
#include "fw/ui/gridview.h"
#include "fw/ui/mainframe.h"

#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

enum : uint32_t { kDlg = 64001, kName = 1001, kQty = 1002, kMarket = 1003, kSide = 1004, kCombo = 1006 };

constexpr fw::ControlDef kControls[] = {
    { fw::kStaticId, fw::ControlKind::Label, 0, 0, "Name", "Név" },
    { kName, fw::ControlKind::Edit, 0, 1 },
    { fw::kStaticId, fw::ControlKind::Label, 1, 0, "Quantity", "Mennyiség" },
    { kQty, fw::ControlKind::Edit, 1, 1 },
    { kMarket, fw::ControlKind::CheckBox, 2, 0, "Market order", "Piaci megbízás" },
    { kSide, fw::ControlKind::RadioButton, 3, 0, "Buy", "Vétel", 1, 1, fw::StyleGroup },
    { kSide + 1, fw::ControlKind::RadioButton, 3, 1, "Sell", "Eladás" },
    { kCombo, fw::ControlKind::ComboList, 4, 0, nullptr, nullptr, 1, 2 },
    { 1007, fw::ControlKind::Grid, 6, 0, nullptr, nullptr, 1, 2 },
    { fw::kIdOk, fw::ControlKind::DefaultButton, 5, 0, "OK", "OK" },
    { fw::kIdCancel, fw::ControlKind::Button, 5, 1, "Cancel", "Mégse" },
};
constexpr fw::DialogTemplate kTemplate[] = { { kDlg, "Order", "Megbízás", kControls } };
const fw::ResourceSet kSet { "fw_ui_tests", {}, kTemplate };

struct OrderDialog : fw::Dialog {
    OrderDialog() : fw::Dialog(kDlg)
    {
        commands().onNotify(kName, fw::Notify::Change, [this] { log.push_back("change"); });
        commands().onNotify(kCombo, fw::Notify::SelChange, [this] { log.push_back("sel"); });
        commands().onNotify(kName, fw::Notify::KillFocus, [this] { log.push_back("leave"); });
    }
    bool onInitDialog() override
    {
        addString(kCombo, "Equities");
        addString(kCombo, "Bonds");
        return fw::Dialog::onInitDialog();
    }
    void doDataExchange(fw::DataExchange& dx) override
    {
        dx.text(kName, name, 12);
        dx.integer(kQty, qty, 1, 1000000);
        dx.check(kMarket, market);
        dx.radio(kSide, side);
        dx.listIndex(kCombo, board);
        if (dx.saving() && name == "BLOCKED")
            dx.fail(kName);
    }
    std::string name = "OTP";
    int32_t qty = 10;
    int market = 0;
    int side = 0;
    int board = 1;
    std::vector<std::string> log;
};

struct DialogTest : ::testing::Test {
    fw::App app;
    static void SetUpTestSuite() { fw::addResources(kSet); }
};

TEST_F(DialogTest, ControlsByIdFillMembersThroughDataExchange)
{
    OrderDialog dlg;
    fw::test::Script script;
    int result = fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(kName), "OTP");
        EXPECT_EQ(d.itemText(kQty), "10");
        EXPECT_EQ(d.curSel(kCombo), 1);
        d.userType(kName, "MOL");
        d.userType(kQty, " 250 ");
        d.userClick(kMarket);
        d.userClick(kSide + 1);
        d.userSelect(kCombo, 0);
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(result, fw::IDOK);
    EXPECT_EQ(dlg.name, "MOL");
    EXPECT_EQ(dlg.qty, 250);
    EXPECT_EQ(dlg.market, 1);
    EXPECT_EQ(dlg.side, 1);
    EXPECT_EQ(dlg.board, 0);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Order"));
    EXPECT_EQ(dlg.defaultItem(), fw::kIdOk);
    dlg.setDefaultItem(fw::kIdCancel);
    EXPECT_EQ(dlg.defaultItem(), fw::kIdCancel);
}

TEST_F(DialogTest, GridControlsShowTheirSourceAtOnce)
{
    struct Two : fw::GridSource {
        int rowCount() const override { return 2; }
        int columnCount() const override { return 1; }
        bool cellStyle(int, int, fw::CellStyle& s) const override
        {
            s.value = "x";
            return true;
        }
    } src;
    OrderDialog dlg;
    auto* grid = dlg.itemAs<fw::GridView>(1007);
    ASSERT_NE(grid, nullptr);
    grid->setSource(&src);
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_TRUE(grid->initialised());
}

TEST_F(DialogTest, RunsOwnedByTheMainWindowOnlyWhileModal)
{
    fw::MainFrame frame;
    OrderDialog dlg;
    QWidget* owner = nullptr;
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        owner = d.parentWidget();
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(owner, &frame);
    EXPECT_EQ(dlg.parentWidget(), nullptr);
}

TEST_F(DialogTest, FailKeepsTheDialogOpenWithFocusOnTheControl)
{
    struct Case {
        const char* name;
        const char* qty;
        uint32_t focus;
        size_t boxes;
    } cases[] = {
        { "BLOCKED", "5", kName, 0 }, // the dialog's own check
        { "OTP", "12x", kQty, 1 }, // not a number
        { "OTP", "0", kQty, 1 }, // below the minimum
        { "A-NAME-LONGER-THAN-12", "5", kName, 1 }, // refused, never cut
    };
    for (const auto& c : cases) {
        OrderDialog dlg;
        fw::test::Script script;
        for (size_t i = 0; i < c.boxes; ++i)
            script.answerMessageBox(fw::IDOK);
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            d.userType(kName, c.name);
            d.userType(kQty, c.qty);
            d.userClick(fw::kIdOk);
            EXPECT_TRUE(d.isVisible()) << c.name << " " << c.qty;
            EXPECT_EQ(d.focusId(), c.focus) << c.name << " " << c.qty;
            d.userType(kName, "OTP");
            d.userType(kQty, "5");
            d.userClick(fw::kIdOk);
        });
        EXPECT_EQ(dlg.qty, 5);
        EXPECT_EQ(script.messageBoxes().size(), c.boxes);
    }
}

TEST_F(DialogTest, NotificationsFollowTheOriginalTiming)
{
    OrderDialog dlg;
    dlg.initialize(); // data exchange into the edit already notified a change
    EXPECT_EQ(dlg.log, (std::vector<std::string> { "change" }));
    dlg.log.clear();
    dlg.setItemText(kName, "X"); // code changing an edit notifies
    dlg.setCurSel(kCombo, 0); // code selecting in a combo does not
    dlg.userSelect(kCombo, 1); // the user selecting does
    dlg.userLeave(kName);
    EXPECT_EQ(dlg.log, (std::vector<std::string> { "change", "sel", "leave" }));
    // Disabled controls take no user action.
    dlg.enableItem(kCombo, false);
    dlg.userSelect(kCombo, 0);
    EXPECT_EQ(dlg.curSel(kCombo), 1);
}

TEST_F(DialogTest, CancelLeavesMembersAndNestedDialogsAreScripted)
{
    OrderDialog dlg;
    fw::test::Script script;
    script.expectDialog(kDlg, [](fw::Dialog& inner) { inner.userClick(fw::kIdCancel); });
    int inner = 0;
    dlg.commands().onNotify(kMarket, fw::Notify::Clicked, [&] {
        OrderDialog nested;
        inner = nested.doModal();
    });
    int result = fw::test::runModal(dlg, [](fw::Dialog& d) {
        d.userType(kName, "CHANGED");
        d.userClick(kMarket);
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(result, fw::IDCANCEL);
    EXPECT_EQ(inner, fw::IDCANCEL);
    EXPECT_EQ(dlg.name, "OTP");
    EXPECT_EQ(script.dialogsShown(), (std::vector<uint32_t> { kDlg }));
}

} // namespace
