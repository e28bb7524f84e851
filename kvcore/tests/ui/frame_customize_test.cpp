// The main frame's "Toolbars" and "Commands" customisation pages on the test workstation, and
// the frame's updates held while rows are dragged out of a list window.
#include <gtest/gtest.h>

#include <QToolBar>
#include <algorithm>
#include <cstdlib>

#include "fw/ui/propertysheet.h"
#include "fw/ui/toolbars.h"
#include "kvcore/dialogs/toolbar_pages.h"
#include "kvcore/frame/toolbar_manager.h"
#include "kvcore/gridview/drag_drop_view.h"
#include "ui/workstation_fixture.h"

namespace {

constexpr uint32_t kSessionBar = 59392;
constexpr uint32_t kTradeBar = 59397;

class FrameCustomize : public kvtest::WorkstationFixture {
protected:
    fw::CommandBars& Bars() { return frame->GetToolBarManager().Bars(); }
    void LogOff()
    {
        kvtest::Fake().replies.push_back({ { kvtest::kAccepted, "" } }); // 130
        fw::App::runCommandIfEnabled(frame, ID_KV_LOGOFF);
        ASSERT_EQ(ps, nullptr);
    }
    // Runs the "Customize" sheet: script works on it, then OK or Cancel closes it.
    void Customize(std::function<void(fw::PropertySheet&)> script_, bool ok)
    {
        script.expectDialog(0, [script_, ok](fw::Dialog& d) {
            auto& sheet = dynamic_cast<fw::PropertySheet&>(d);
            script_(sheet);
            sheet.userClick(ok ? fw::kIdOk : fw::kIdCancel);
        });
        ASSERT_TRUE(fw::App::runCommandIfEnabled(frame, ID_KV_CUSTOMIZE));
    }
    static fw::PropertyPage& Page(fw::PropertySheet& sheet, uint32_t templateId)
    {
        for (int i = 0; i < sheet.pageCount(); ++i) {
            if (sheet.page(i)->templateId() == templateId) {
                sheet.setActivePage(i);
                return *sheet.page(i);
            }
        }
        throw std::runtime_error("no such page");
    }
    static int Find(fw::Dialog& d, uint32_t list, const std::string& text)
    {
        return d.findStringExact(list, -1, text);
    }
};

TEST_F(FrameCustomize, TheToolbarsPageShowsHidesAndResetsBarsOnlyWhenApplied)
{
    LogOn();
    ASSERT_NE(ps, nullptr);
    ASSERT_FALSE(Bars().bar(kTradeBar)->isHidden());
    const auto hideTrade = [&](fw::PropertySheet& sheet) {
        fw::PropertyPage& page = Page(sheet, IDD_TOOLBARS);
        ASSERT_EQ(page.itemCount(IDC_TOOLBARS_LIST), 2);
        EXPECT_EQ(page.itemString(IDC_TOOLBARS_LIST, 1), "Trade");
        page.userSelect(IDC_TOOLBARS_LIST, 1);
        EXPECT_EQ(page.isButtonChecked(IDC_TOOLBARS_VISIBLE), 1);
        page.userClick(IDC_TOOLBARS_VISIBLE);
        page.userClick(IDC_TOOLBARS_LARGE);
    };
    Customize(hideTrade, false);
    EXPECT_FALSE(Bars().bar(kTradeBar)->isHidden());
    EXPECT_EQ(frame->GetToolBarManager().Model().m_aDisplay[KvToolBarCustomize::LargeButtons], 0);
    const QSize small = Bars().bar(kTradeBar)->iconSize();
    Customize(hideTrade, true);
    EXPECT_TRUE(Bars().bar(kTradeBar)->isHidden());
    EXPECT_EQ(frame->GetToolBarManager().Model().m_aDisplay[KvToolBarCustomize::LargeButtons], 1);
    EXPECT_GT(Bars().bar(kTradeBar)->iconSize().width(), small.width());

    // "Reset" gives a bar back the buttons of its group that the user may use.
    Bars().setButtons(kSessionBar, { ID_KV_REFRESH });
    Customize(
        [&](fw::PropertySheet& sheet) {
            fw::PropertyPage& page = Page(sheet, IDD_TOOLBARS);
            page.userSelect(IDC_TOOLBARS_LIST, 0);
            page.userClick(IDC_TOOLBARS_RESET);
        },
        true);
    EXPECT_EQ(Bars().buttons(kSessionBar), (std::vector<uint32_t> { ID_KV_LOGON, ID_KV_LOGOFF, 0, ID_KV_REFRESH }));
    LogOff();
}

TEST_F(FrameCustomize, TheCommandsPageOffersOnlyCommandsTheUserMayUse)
{
    LogOn();
    ASSERT_NE(ps, nullptr);
    const std::vector<uint32_t> tradeBefore = Bars().buttons(kTradeBar);
    ASSERT_EQ(tradeBefore, (std::vector<uint32_t> { kvtest::kBuyCommand }));
    const auto script_ = [&](fw::PropertySheet& sheet) {
        fw::PropertyPage& page = Page(sheet, IDD_TOOLBAR_COMMANDS);
        EXPECT_EQ(page.windowTitle().toStdString(), "Commands");
        // The groups, each with the commands of the user's rights only.
        ASSERT_EQ(page.itemCount(IDC_TOOLBAR_GROUPS), 2);
        page.userSelect(IDC_TOOLBAR_GROUPS, 1);
        ASSERT_EQ(page.itemCount(IDC_TOOLBAR_COMMANDS), 1);
        EXPECT_EQ(page.itemData(IDC_TOOLBAR_COMMANDS, 0), kvtest::kBuyCommand);
        page.userSelect(IDC_TOOLBAR_COMMANDS, 0);
        EXPECT_EQ(page.itemText(IDC_TOOLBAR_DESCRIPTION), "Enter a buy order");
        // "Refresh" of the session group goes on the trade bar, before "Buy".
        page.userSelect(IDC_TOOLBAR_BAR, 1);
        ASSERT_EQ(page.itemCount(IDC_TOOLBAR_BUTTONS), 1);
        page.userSelect(IDC_TOOLBAR_GROUPS, 0);
        const int refresh = Find(page, IDC_TOOLBAR_COMMANDS, "Refresh");
        ASSERT_GE(refresh, 0);
        page.userSelect(IDC_TOOLBAR_COMMANDS, refresh);
        page.userSelect(IDC_TOOLBAR_BUTTONS, 0);
        page.userClick(IDC_TOOLBAR_ADD);
        // The same command twice is refused.
        page.userClick(IDC_TOOLBAR_ADD);
        ASSERT_EQ(page.itemCount(IDC_TOOLBAR_BUTTONS), 2);
        EXPECT_EQ(page.itemString(IDC_TOOLBAR_BUTTONS, 0), "Refresh");
        // "Log on" leaves the session bar.
        page.userSelect(IDC_TOOLBAR_BAR, 0);
        page.userSelect(IDC_TOOLBAR_BUTTONS, 0);
        page.userClick(IDC_TOOLBAR_REMOVE);
    };
    Customize(script_, false);
    EXPECT_EQ(Bars().buttons(kTradeBar), tradeBefore);
    Customize(script_, true);
    EXPECT_EQ(Bars().buttons(kTradeBar), (std::vector<uint32_t> { ID_KV_REFRESH, kvtest::kBuyCommand }));
    EXPECT_EQ(Bars().buttons(kSessionBar), (std::vector<uint32_t> { ID_KV_LOGOFF, 0, ID_KV_REFRESH }));
    LogOff();
}

// The edit itself: what may go on a bar and what a bar keeps when emptied.
TEST(ToolBarCustomize, BarsTakeOnlyOfferedCommandsOnce)
{
    KvToolBarCustomize edit({ { 1, "A", true, { 10, 0, 11 }, { 10, 0, 11 } }, { 2, "B", true, { 0 }, { 0 } } },
        { { "A", { 10, 0, 11 } }, { "B", { 0 } } }, { 1, 1, 0 });
    struct Step {
        bool (*act)(KvToolBarCustomize&);
        bool result;
        std::vector<uint32_t> a, b;
    } steps[] = {
        { [](KvToolBarCustomize& e) { return e.AddButton(1, 99, 0); }, false, { 10, 0, 11 }, { 0 } }, // not offered
        { [](KvToolBarCustomize& e) { return e.AddButton(1, 0, 0); }, false, { 10, 0, 11 }, { 0 } },
        { [](KvToolBarCustomize& e) { return e.AddButton(1, 11, 5); }, true, { 10, 0, 11 }, { 11 } }, // replaces the placeholder
        { [](KvToolBarCustomize& e) { return e.AddButton(0, 10, 0); }, false, { 10, 0, 11 }, { 11 } }, // already there
        { [](KvToolBarCustomize& e) { return e.AddButton(2, 10, 0); }, false, { 10, 0, 11 }, { 11 } }, // no such bar
        { [](KvToolBarCustomize& e) { return e.RemoveButton(1, 0); }, true, { 10, 0, 11 }, { 0 } }, // keeps a separator
        { [](KvToolBarCustomize& e) { return e.RemoveButton(0, 3); }, false, { 10, 0, 11 }, { 0 } },
        { [](KvToolBarCustomize& e) { return e.RemoveButton(0, 0); }, true, { 0, 11 }, { 0 } },
        { [](KvToolBarCustomize& e) { return e.Reset(0); }, true, { 10, 0, 11 }, { 0 } },
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(steps[i].act(edit), steps[i].result);
        EXPECT_EQ(edit.Bars()[0].buttons, steps[i].a);
        EXPECT_EQ(edit.Bars()[1].buttons, steps[i].b);
    }
    EXPECT_TRUE(edit.Modified());
    edit.Applied();
    EXPECT_FALSE(edit.Modified());
    EXPECT_TRUE(edit.SetVisible(1, true)); // as it was: nothing to apply
    EXPECT_FALSE(edit.Modified());
}

// While rows are dragged out of a list window no poll reaches the router; afterwards the
// frame's updates are as they were before the drag.
TEST_F(FrameCustomize, ARowDragHoldsTheFramesUpdates)
{
    LogOn();
    ASSERT_NE(ps, nullptr);
    CDragDropView view;
    for (const bool lockedBefore : { false, true }) {
        SCOPED_TRACE(lockedBefore);
        frame->LockUpdates(lockedBefore);
        kvtest::CallLog().clear();
        bool lockedDuring = false;
        const Qt::DropAction result = view.runRowDrag([&] {
            lockedDuring = frame->IsLocked();
            frame->OnTimer(CMainFrameCoreLogic::kClockTimer);
            return Qt::MoveAction;
        });
        EXPECT_EQ(result, Qt::MoveAction);
        EXPECT_TRUE(lockedDuring);
        EXPECT_EQ(std::count(kvtest::CallLog().begin(), kvtest::CallLog().end(), "OnPollEvent"), 0);
        EXPECT_EQ(frame->IsLocked(), lockedBefore);
    }
    // Unlocked, the same tick polls.
    frame->LockUpdates(false);
    frame->OnTimer(CMainFrameCoreLogic::kClockTimer);
    EXPECT_EQ(std::count(kvtest::CallLog().begin(), kvtest::CallLog().end(), "OnPollEvent"), 1);
    LogOff();
}

// Pictures of the "Toolbars" and "Commands" pages for the screens page, written when
// KV32_SHOT_DIR names a folder.
TEST_F(FrameCustomize, PicturesOfBothPagesInBothLanguages)
{
    const char* out = std::getenv("KV32_SHOT_DIR");
    if (out == nullptr)
        GTEST_SKIP() << "KV32_SHOT_DIR not set";
    LogOn();
    ASSERT_NE(ps, nullptr);
    for (const auto& [language, tag] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        Customize(
            [&](fw::PropertySheet& sheet) {
                for (const auto& [id, name] : { std::pair { IDD_TOOLBARS, "customize-toolbars" },
                         std::pair { IDD_TOOLBAR_COMMANDS, "customize-commands" } }) {
                    fw::PropertyPage& page = Page(sheet, id);
                    if (id == IDD_TOOLBARS)
                        page.userSelect(IDC_TOOLBARS_LIST, 1);
                    else
                        page.userSelect(IDC_TOOLBAR_GROUPS, 0);
                    sheet.adjustSize();
                    fw::test::processEvents();
                    EXPECT_TRUE(sheet.grab().save(QString::fromUtf8(out)
                        + QStringLiteral("/%1-%2.png").arg(QString::fromUtf8(name), tag)));
                }
            },
            false);
    }
    fw::setLanguage(fw::Language::English);
    LogOff();
}


} // namespace
