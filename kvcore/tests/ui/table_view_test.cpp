// Table windows: the template's operations on all documents of a table, the table view (stored
// placement, print rights, column chooser, popup from the user's definition, title) and the
// table window frame (always on top, windows manipulation, the owner of the table's layout).
#include "fw/core/resources.h"
#include "fw/core/strings.h"
#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/placement.h"
#include "kvcore/app/session_core.h"
#include "kvcore/dialogs/title_dlg.h"
#include "kvcore/doc/doc_vorl.h"
#include "kvcore/frame/table_template.h"
#include "kvcore/gridview/child_frame.h"
#include "kvcore/gridview/dialog_vorl.h"
#include "kvcore/gridview/table_dialogs.h"
#include "kvcore/gridview/table_view.h"
#include "kvcore/res/app_ids.h"
#include "kvcore/res/grid_ids.h"
#include "kvcore/res/table_ids.h"
#include "kvcore/router/info_req.h"
#include "support/test_app.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kTable = 17;
enum : std::uint32_t { kBuy = 41001, kRefused = 41002, kDetail = 41003, kHistory = 41004 };

constexpr fw::StringEntry kStrings[] = {
    { kTable, "Deals", "Ügyletek" },
    { 41100, "Qty", "Mennyiség" },
    { 41101, "Name", "Név" },
    { 41102, "Price", "Ár" },
};
using fw::MenuEntryKind;
constexpr fw::MenuEntry kTableMenu[] = {
    { 0, MenuEntryKind::Command, kBuy, "&Buy...", "&Vétel..." },
    { 0, MenuEntryKind::Separator },
    { 0, MenuEntryKind::Command, kRefused, "&Suspend", "&Felfüggesztés" },
    { 0, MenuEntryKind::Popup, 0, "&More", "&További" },
    { 1, MenuEntryKind::Command, kDetail, "&Detail", "&Részletek" },
    { 0, MenuEntryKind::Command, kHistory, "&History", "&Előzmények" },
};
constexpr fw::MenuTemplate kMenus[] = { { kTable, kTableMenu } };
const fw::ResourceSet kSet { "table-view-test", kStrings, {}, kMenus };

struct Record {
    std::uint32_t qty = 0;
    char name[12] = {};
};

// Three columns (quantity, name, quantity again as "price") of two rows.
class DealsDoc : public CTDoc {
public:
    int GetMaxColumns() override { return 3; }
    int GetFirstColumnID() override { return 41100; }
    void SetDocDescription() override
    {
        m_type = { kvcore::kGXUnsigned, kvcore::kGXText, kvcore::kGXUnsigned };
        m_offset = { 0, 4, 0 };
        m_justify = { 2, 0, 2 };
        for (std::uint32_t qty : { 5u, 7u }) {
            auto row = std::make_unique<CTRecordRow<Record>>();
            row->record.qty = qty;
            m_aRows.push_back(std::move(row));
        }
    }
    void onCloseDocument() override
    {
        if (!isClosing() && closed != nullptr)
            closed->push_back(this);
        CTDoc::onCloseDocument();
    }
    std::vector<const CTDoc*>* closed = nullptr;
};

class TableWindows : public ::testing::Test {
protected:
    static void SetUpTestSuite() { fw::addResources(kSet); }
    void SetUp() override
    {
        session.m_settings.layouts.assign(20, KvLayoutEntry {});
        ps = &session;
        logic.refused = { kRefused, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW };
    }
    void TearDown() override
    {
        tmpl.reset();
        fw::test::processEvents();
        KvTableDialogs() = KvTableDialogHooks {};
        ps = nullptr;
    }
    void MakeTemplate(std::function<std::unique_ptr<fw::Document>()> make = nullptr)
    {
        if (!make)
            make = [this] {
                auto doc = std::make_unique<DealsDoc>();
                doc->closed = &closed;
                return doc;
            };
        tmpl = std::make_unique<CTDocTemplate>(kTable, make, [] { return std::make_unique<CTView>(); });
    }
    DealsDoc* Open()
    {
        if (!tmpl)
            MakeTemplate();
        auto* doc = dynamic_cast<DealsDoc*>(tmpl->openDocumentFile({}));
        if (doc != nullptr)
            doc->UpdateDocument(0, nullptr);
        fw::test::processEvents();
        return doc;
    }
    static CTView* ViewOf(CTDoc* doc) { return dynamic_cast<CTView*>(doc->firstView()); }
    static CTChildFrame* FrameOf(CTDoc* doc) { return dynamic_cast<CTChildFrame*>(ViewOf(doc)->parentFrame()); }
    KvLayoutEntry& Entry() { return session.m_settings.layouts[kTable]; }

    fw::App app;
    kvtest::TestApp logic;
    CSessionCore session;
    std::vector<const CTDoc*> closed;
    std::unique_ptr<CTDocTemplate> tmpl;
};

TEST_F(TableWindows, TheTemplateActsOnAllDocumentsFirstOpenedFirst)
{
    MakeTemplate();
    EXPECT_EQ(tmpl->GetFirstDoc(), nullptr);
    EXPECT_EQ(tmpl->GetLastDoc(), nullptr);
    tmpl->CloseAllDocuments(); // nothing to close
    EXPECT_EQ(tmpl->CollectAllDocumentsReqs(), 0);
    DealsDoc* a = Open();
    EXPECT_EQ(tmpl->GetFirstDoc(), a);
    EXPECT_EQ(tmpl->GetLastDoc(), a);
    EXPECT_EQ(CTDocTemplate::GetLastCreatedDocument(), a);
    DealsDoc* b = Open();
    DealsDoc* c = Open();
    EXPECT_EQ(tmpl->GetNumberOfDocuments(), 3);
    EXPECT_EQ(tmpl->GetLastDoc(), c);
    EXPECT_EQ(a->GetDocID(), kTable);
    EXPECT_EQ(a->title(), "Deals");
    const int before = ViewOf(b)->rowRepaintsSent();
    kvcore::CTHint changed;
    changed.AddRow(1);
    tmpl->UpdateAllDocuments(0, &changed);
    EXPECT_EQ(ViewOf(b)->rowRepaintsSent(), before + 1);
    tmpl->CloseAllDocuments();
    EXPECT_EQ(closed, (std::vector<const CTDoc*> { a, b, c }));
    EXPECT_EQ(tmpl->GetNumberOfDocuments(), 0);
    EXPECT_EQ(session.GetTableDoc(kTable), nullptr);
    EXPECT_EQ(Entry().open, 0);
    fw::test::processEvents();
    EXPECT_EQ(CTDocTemplate::GetLastCreatedDocument(), nullptr) << "a closed document is nobody's last";
}

// A router-target document that asks for data when told to.
class AskingDoc : public CTDocVorl {
public:
    int UpdateReq() override
    {
        ++asked;
        return wants;
    }
    int asked = 0;
    int wants = 0;
};

TEST_F(TableWindows, RequestsAreCollectedOnlyFromTargetsThatAsked)
{
    aInfoReq.RemoveAll();
    int made = 0;
    MakeTemplate([&made]() -> std::unique_ptr<fw::Document> {
        if (made++ == 1)
            return std::make_unique<DealsDoc>(); // not a router target
        return std::make_unique<AskingDoc>();
    });
    auto* silent = dynamic_cast<AskingDoc*>(tmpl->openDocumentFile({}));
    ASSERT_NE(tmpl->openDocumentFile({}), nullptr);
    auto* asking = dynamic_cast<AskingDoc*>(tmpl->openDocumentFile({}));
    ASSERT_TRUE(silent && asking);
    asking->wants = 1;
    EXPECT_EQ(tmpl->CollectAllDocumentsReqs(), 1);
    EXPECT_EQ(silent->asked, 1);
    EXPECT_EQ(asking->asked, 1);
    ASSERT_EQ(aInfoReq.GetSize(), 1);
    EXPECT_EQ(aInfoReq.GetAt(0).GetTarget(), static_cast<CVorlTarget*>(asking));
    aInfoReq.RemoveAll();
}

TEST_F(TableWindows, AStoredPlacementPutsTheWindowWhereTheUserLeftIt)
{
    session.m_settings.options.restorePositions = 1;
    Entry().placement.normalPosition = { 30, 40, 430, 340 };
    DealsDoc* doc = Open();
    EXPECT_EQ(fw::placementOf(*FrameOf(doc)).normalPosition, (fw::Rect { 30, 40, 430, 340 }));
    // Moved, then closed: the entry keeps the new place.
    FrameOf(doc)->move(50, 60);
    const fw::WindowPlacement moved = fw::placementOf(*FrameOf(doc));
    ASSERT_NE(moved.normalPosition, (fw::Rect { 30, 40, 430, 340 }));
    FrameOf(doc)->close();
    fw::test::processEvents();
    EXPECT_EQ(Entry().placement, moved);
}

TEST_F(TableWindows, PrintingFollowsThePrintRight)
{
    DealsDoc* doc = Open();
    for (std::uint32_t id : { ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW }) {
        fw::CmdUI refused(id, fw::CmdUI::Source::Menu);
        ViewOf(doc)->routeUpdate(refused);
        EXPECT_FALSE(refused.enabled()) << id;
    }
    logic.refused.clear();
    fw::CmdUI allowed(ID_FILE_PRINT, fw::CmdUI::Source::Menu);
    ViewOf(doc)->routeUpdate(allowed);
    EXPECT_TRUE(allowed.enabled());
}

TEST_F(TableWindows, ThePopupFollowsTheUsersDefinitionWithinTheUsersRights)
{
    // After pruning (Suspend is refused) the menu reads: Buy, separator, More, History.
    Entry().popup = { 3, 1, 9, 0, 2 };
    DealsDoc* doc = Open();
    const std::optional<fw::Menu> popup = ViewOf(doc)->BuildPopUpMenu(0);
    ASSERT_TRUE(popup);
    std::vector<std::string> shown;
    for (const fw::Menu& item : popup->items())
        shown.push_back(item.isSeparator() ? "-" : item.text());
    EXPECT_EQ(shown, (std::vector<std::string> { "&History", "-", "&Buy...", "&More" }));
    ASSERT_TRUE(popup->items().back().isPopup());
    EXPECT_EQ(popup->items().back().commandIds(), (std::vector<std::uint32_t> { kDetail }));
    EXPECT_EQ(popup->items()[0].id(), static_cast<std::uint32_t>(kHistory));
    // The grid's own popups are their menus' first submenu; an empty definition shows nothing;
    // a menu that does not exist shows no popup.
    const std::optional<fw::Menu> column = ViewOf(doc)->BuildPopUpMenu(IDM_COLUMN_POPUP);
    ASSERT_TRUE(column);
    EXPECT_EQ(column->commandIds().front(), static_cast<std::uint32_t>(ID_SORT_ASCENDING));
    Entry().popup.clear();
    EXPECT_EQ(ViewOf(doc)->BuildPopUpMenu(0)->itemCount(), 0u);
    EXPECT_FALSE(ViewOf(doc)->BuildPopUpMenu(4242));
    fw::setLanguage(fw::Language::Hungarian);
    Entry().popup = { 0 };
    EXPECT_EQ(ViewOf(doc)->BuildPopUpMenu(0)->items()[0].text(), "&V\xe9tel...");
    fw::setLanguage(fw::Language::English);
}

TEST_F(TableWindows, TheColumnChooserEditsTheColumnsAndTheWidthsGoBackFirst)
{
    DealsDoc* doc = Open();
    CTView* view = ViewOf(doc);
    ASSERT_EQ(view->colCount(), 3);
    view->setColWidth(2, 77);
    KvColumnChooserArgs seen;
    int answer = 2; // Cancel
    KvTableDialogs().chooseColumns = [&](KvColumnChooserArgs& args) {
        seen = args;
        if (answer == 1) {
            *args.selection = { 2, 1 };
            args.fixedCount = 1;
        }
        return answer;
    };
    view->routeCommand(ID_OPTIONS_DISPLAYORDER);
    EXPECT_EQ(seen.captionId, static_cast<std::uint32_t>(IDS_COLUMNS_CAPTION));
    ASSERT_EQ(seen.titles.size(), 3u);
    EXPECT_EQ(seen.titles[1].stringId, 41101u);
    EXPECT_EQ(seen.showFixed, 1);
    EXPECT_EQ(seen.fixedCount, 0);
    EXPECT_EQ(doc->m_width[1], 77) << "written back although the chooser was cancelled";
    EXPECT_EQ(view->colCount(), 3);

    answer = 1;
    view->routeCommand(ID_OPTIONS_DISPLAYORDER);
    EXPECT_EQ(doc->m_selected, (std::vector<std::uint16_t> { 2, 1 }));
    EXPECT_EQ(view->colCount(), 2);
    EXPECT_EQ(view->frozenCols(), 1);
    EXPECT_EQ(doc->GetFixedColumns(), 1);
    EXPECT_EQ(view->colWidth(2), 77) << "the name column keeps its width at its new place";
    EXPECT_EQ(fw::loadString(IDS_COLUMNS_CAPTION), "Columns");
}

TEST_F(TableWindows, TheDefaultTitleStoresNoCustomTitle)
{
    DealsDoc* doc = Open();
    std::string offered;
    fw::test::Script script;
    const auto typeTitle = [&](std::string typed, std::uint32_t button = fw::kIdOk) {
        script.expectDialog(IDD_WINDOW_TITLE, [&offered, typed, button](fw::Dialog& d) {
            offered = d.itemText(IDC_TITLE_TEXT);
            d.userType(IDC_TITLE_TEXT, typed);
            d.userClick(button);
        });
        ViewOf(doc)->routeCommand(ID_OPTIONS_TITLE);
    };
    typeTitle("Big deals");
    EXPECT_EQ(offered, "Deals");
    EXPECT_EQ(doc->m_sCustomTitle, "Big deals");
    EXPECT_EQ(doc->title(), "Big deals");
    EXPECT_EQ(FrameOf(doc)->windowTitle(), QStringLiteral("Big deals"));
    typeTitle("Deals");
    EXPECT_EQ(offered, "Big deals");
    EXPECT_TRUE(doc->m_sCustomTitle.empty());
    // The default shows through when it changes.
    fw::setLanguage(fw::Language::Hungarian);
    doc->UpdateDocument(0, nullptr);
    EXPECT_EQ(doc->title(), "\xdcgyletek");
    fw::setLanguage(fw::Language::English);
    // Cancel changes nothing.
    typeTitle("ignored", fw::kIdCancel);
    EXPECT_TRUE(doc->m_sCustomTitle.empty());
}

TEST_F(TableWindows, ThePopupEditorWorksOnTheTablesDefinition)
{
    DealsDoc* doc = Open();
    KvTableDialogs().editPopup = [](CTView&, std::uint32_t id, std::vector<std::uint16_t>& definition) {
        definition = { static_cast<std::uint16_t>(id), 1 };
        return 1;
    };
    ViewOf(doc)->routeCommand(ID_OPTIONS_POPUP);
    EXPECT_EQ(Entry().popup, (std::vector<std::uint16_t> { kTable, 1 }));
}

TEST_F(TableWindows, WindowsManipulationOffRefusesEveryWindowCommandInASession)
{
    DealsDoc* doc = Open();
    CTChildFrame* frame = FrameOf(doc);
    using fw::SysCommand;
    session.m_bWindowsManipulation = 0;
    for (SysCommand c : { SysCommand::Close, SysCommand::Move, SysCommand::Size, SysCommand::Minimize,
             SysCommand::Maximize, SysCommand::Restore })
        EXPECT_FALSE(frame->sysCommand(c)) << static_cast<int>(c);
    fw::test::processEvents();
    EXPECT_EQ(tmpl->GetNumberOfDocuments(), 1);
    ps = nullptr; // without a session they work
    EXPECT_TRUE(frame->sysCommand(SysCommand::Maximize));
    EXPECT_TRUE(frame->sysCommand(SysCommand::Restore));
    EXPECT_TRUE(frame->sysCommand(SysCommand::Close));
    fw::test::processEvents();
    EXPECT_EQ(tmpl->GetNumberOfDocuments(), 0);
}

TEST_F(TableWindows, AlwaysOnTopMovesBetweenFramesAndEndsWithItsFrame)
{
    DealsDoc* a = Open();
    DealsDoc* b = Open();
    fw::CmdUI ui(ID_WINDOW_ALWAYSONTOP, fw::CmdUI::Source::Menu);
    ViewOf(a)->routeUpdate(ui);
    EXPECT_TRUE(ui.enabled());
    EXPECT_EQ(ui.check(), 0);
    ViewOf(a)->routeCommand(ID_WINDOW_ALWAYSONTOP);
    EXPECT_TRUE(FrameOf(a)->IsAlwaysOnTop());
    ViewOf(b)->routeCommand(ID_WINDOW_ALWAYSONTOP);
    EXPECT_FALSE(FrameOf(a)->IsAlwaysOnTop());
    EXPECT_TRUE(FrameOf(b)->IsAlwaysOnTop());
    fw::CmdUI checked(ID_WINDOW_ALWAYSONTOP, fw::CmdUI::Source::Menu);
    ViewOf(b)->routeUpdate(checked);
    EXPECT_EQ(checked.check(), 1);
    ViewOf(b)->routeCommand(ID_WINDOW_ALWAYSONTOP);
    EXPECT_EQ(fw::ChildFrame::alwaysOnTopFrame(), nullptr);
    ViewOf(b)->routeCommand(ID_WINDOW_ALWAYSONTOP);
    FrameOf(b)->close();
    fw::test::processEvents();
    EXPECT_EQ(fw::ChildFrame::alwaysOnTopFrame(), nullptr) << "closing the frame on top leaves none on top";
    DealsDoc* c = Open();
    EXPECT_FALSE(FrameOf(c)->IsAlwaysOnTop());
}

TEST_F(TableWindows, ActivatingAWindowMakesItTheOwnerOfItsTablesLayout)
{
    DealsDoc* a = Open();
    DealsDoc* b = Open();
    ASSERT_EQ(session.GetTableDoc(kTable), b);
    FrameOf(a)->onActivate(true);
    EXPECT_EQ(session.GetTableDoc(kTable), a);
    EXPECT_EQ(CTChildFrame::GetLastActiveFrame(), FrameOf(a));
    FrameOf(a)->onActivate(false);
    EXPECT_EQ(session.GetTableDoc(kTable), a);
    FrameOf(a)->close();
    fw::test::processEvents();
    // The closed frame is nobody's last active frame (the other may have become it).
    CTChildFrame* last = CTChildFrame::GetLastActiveFrame();
    EXPECT_TRUE(last == nullptr || last == FrameOf(b));
    EXPECT_EQ(session.GetTableDoc(kTable), b);
}

TEST_F(TableWindows, AWorkspaceRecordBringsTheFrameBackAsItWas)
{
    DealsDoc* doc = Open();
    FrameOf(doc)->setGeometry(20, 30, 500, 260);
    FrameOf(doc)->setAlwaysOnTop(true);
    FrameOf(doc)->setCaption(false);
    ViewOf(doc)->setColWidth(1, 55);
    doc->m_zoom = 121;
    doc->m_sCustomTitle = "Mine";
    fw::Archive out;
    doc->Serialize(out);
    FrameOf(doc)->setAlwaysOnTop(false);

    DealsDoc* again = Open();
    fw::Archive in(out.bytes());
    again->Serialize(in);
    CTChildFrame* frame = FrameOf(again);
    EXPECT_TRUE(frame->IsAlwaysOnTop());
    EXPECT_FALSE(frame->hasCaption());
    EXPECT_EQ(fw::placementOf(*frame).normalPosition, fw::placementOf(*FrameOf(doc)).normalPosition);
    EXPECT_EQ(again->title(), "Mine");
    EXPECT_EQ(ViewOf(again)->zoom(), 121);
    EXPECT_EQ(ViewOf(again)->colWidth(1), 55);
    EXPECT_EQ(session.GetTableDoc(kTable), again);
}

// A dialog that reads nothing of its replies.
TEST_F(TableWindows, ARouterTargetDialogCountsRepliesItDoesNotRead)
{
    CTDialogVorl dialog(IDD_SECURITY);
    unsigned char text[] = "ANSWER";
    tagTMSG message;
    message.nLength = 6;
    message.pText = text;
    EXPECT_EQ(dialog.StoreDataItem(&message), 1);
    EXPECT_EQ(CVorlTarget::FromToken(dialog.GetToken()), static_cast<CVorlTarget*>(&dialog));
}

} // namespace
