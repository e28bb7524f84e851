// Rows dragged out of a table view and dropped on a table view or a form: what travels, the
// link text copied for a cell, and that drops reach the document's setters through the
// framework's drop targets.
#include "fw/core/resources.h"
#include "fw/core/strings.h"
#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/dragdrop.h"
#include "kvcore/app/session_core.h"
#include "kvcore/controls/row_payload.h"
#include "kvcore/doc/drag_drop_doc.h"
#include "kvcore/frame/table_template.h"
#include "kvcore/gridview/drag_drop_view.h"
#include "kvcore/res/app_ids.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QTableView>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kTable = 18;

constexpr fw::StringEntry kStrings[] = {
    { kTable, "Orders", "Megb\xc3\xadz\xc3\xa1sok" },
    { 41200, "Qty", "Mennyis\xc3\xa9g" },
    { 41201, "Price", "\xc3\x81r" },
};
const fw::ResourceSet kSet { "drag-drop-view-test", kStrings };

struct Record {
    std::uint32_t qty = 0;
    std::uint32_t price = 0;
};

// Six rows; every row carries a security (row * 10), even rows a board; drops are recorded.
class RowsDoc : public CDragDropDoc {
public:
    int GetMaxColumns() override { return 2; }
    int GetFirstColumnID() override { return 41200; }
    void SetDocDescription() override
    {
        m_type = { kvcore::kGXUnsigned, kvcore::kGXUnsigned };
        m_offset = { 0, 4 };
        m_justify = { 2, 2 };
        for (std::uint32_t i = 0; i < 6; ++i) {
            auto row = std::make_unique<CTRecordRow<Record>>();
            row->record.qty = i;
            m_aRows.push_back(std::move(row));
        }
    }
    int QueryAcceptKvData(const CKvClipboardFormat& list) override { return QueryAcceptKvSecData(list); }
    int GetSec(int row, std::int32_t& value) override
    {
        value = row * 10;
        return 1;
    }
    int GetBoard(int row, std::int32_t& value) override
    {
        if (row % 2 != 0)
            return 0;
        value = 7;
        return 1;
    }
    int SetSec(std::int32_t value, int mode) override
    {
        calls.push_back("sec " + std::to_string(value) + " " + std::to_string(mode));
        return 1;
    }
    int SetBoard(std::int32_t value, int mode) override
    {
        calls.push_back("board " + std::to_string(value) + " " + std::to_string(mode));
        return 1;
    }
    int SetQuantity(CDouble, int mode) override
    {
        calls.push_back("qty " + std::to_string(mode));
        return 0;
    }
    std::vector<std::string> calls;
};

// The drag source's payload and link texts, reachable from the test.
class OpenDragDropView : public CDragDropView {
public:
    using CDragDropView::dragPayload;
};

class DragDropViews : public ::testing::Test {
protected:
    static void SetUpTestSuite() { fw::addResources(kSet); }
    void SetUp() override
    {
        session.m_settings.layouts.assign(20, KvLayoutEntry {});
        ps = &session;
    }
    void TearDown() override
    {
        tmpl.reset();
        fw::test::processEvents();
        ps = nullptr;
    }
    template <typename View> RowsDoc* Open(std::function<std::unique_ptr<View>()> makeView)
    {
        tmpl = std::make_unique<CTDocTemplate>(
            kTable, [] { return std::make_unique<RowsDoc>(); }, std::move(makeView));
        auto* doc = dynamic_cast<RowsDoc*>(tmpl->openDocumentFile({}));
        if (doc != nullptr)
            doc->UpdateDocument(0, nullptr);
        fw::test::processEvents();
        return doc;
    }
    static std::vector<std::uint8_t> Payload(std::vector<CKvRowData> rows)
    {
        CKvClipboardFormat list;
        list.rows = std::move(rows);
        return WriteRowPayload(list);
    }
    static CKvRowData Row(std::int32_t sec, std::int32_t board)
    {
        CKvRowData row;
        row.m_nSec = sec;
        row.m_nBoard = board;
        return row;
    }
    // A drop of payload on target as the desktop delivers it: enter, then drop.
    static bool Drop(QWidget* target, const std::vector<std::uint8_t>& payload, Qt::DropAction action)
    {
        std::unique_ptr<QMimeData> data = fw::makeRowMimeData(payload, "rows");
        const QPoint at(10, 10);
        QDragEnterEvent enter(at, action, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(at), action, data.get(), Qt::LeftButton, Qt::NoModifier);
        drop.setDropAction(action);
        QApplication::sendEvent(target, &drop);
        return drop.isAccepted();
    }

    fw::App app;
    CSessionCore session;
    std::unique_ptr<CTDocTemplate> tmpl;
};

TEST_F(DragDropViews, DraggedRowsCarryTheirIdentitiesAndRowsWithoutADocumentRowStayBehind)
{
    RowsDoc* doc = Open<OpenDragDropView>([] { return std::make_unique<OpenDragDropView>(); });
    auto* view = dynamic_cast<OpenDragDropView*>(doc->firstView());
    ASSERT_NE(view, nullptr);
    doc->SetSortColumn(1, 0); // descending quantity: grid row r shows document row 6 - r
    std::vector<std::uint8_t> payload;
    std::string text;
    ASSERT_TRUE(view->dragPayload({ 1, 40, 6 }, payload, text));
    const auto list = ReadRowPayload(payload);
    ASSERT_TRUE(list);
    ASSERT_EQ(list->rows.size(), 2u);
    EXPECT_EQ(list->rows[0].m_nSec, 50);
    EXPECT_EQ(list->rows[0].m_nBoard, -1);
    EXPECT_EQ(list->rows[1].m_nSec, 0);
    EXPECT_EQ(list->rows[1].m_nBoard, 7);
    EXPECT_EQ(list->rows[1].m_nOrder, -1);
    const std::string app = fw::loadString(IDS_APP_TITLE);
    EXPECT_EQ(text.substr(0, text.find('\n')), "='" + app + "'|5Qty'\t='" + app + "'|5Price'");
    // No row at all still makes a (empty) payload.
    ASSERT_TRUE(view->dragPayload({ 99 }, payload, text));
    EXPECT_TRUE(ReadRowPayload(payload)->rows.empty());
}

TEST_F(DragDropViews, TheCopiedTextOfACellLinksToItsRowAndColumn)
{
    RowsDoc* doc = Open<CDragDropView>([] { return std::make_unique<CDragDropView>(); });
    auto* view = dynamic_cast<CDragDropView*>(doc->firstView());
    const std::string app = fw::loadString(IDS_APP_TITLE);
    struct Case {
        std::uint32_t row, col;
        std::string text;
    };
    const Case cases[] = {
        { 6, 2, "='" + app + "'|5Price'" },
        { 1, 1, "='" + app + "'|0Qty'" },
        { 6, 0xFFFFFFFFu, "" }, // no column
        { 7, 1, "" }, // no document row
        { 0, 1, "" }, // the title row
    };
    for (const Case& c : cases)
        EXPECT_EQ(view->GetCopyTextRowCol(c.row, c.col), c.text) << c.row << "," << c.col;
}

TEST_F(DragDropViews, ADropOnTheGridReachesTheSettersInMoveAndCopyModes)
{
    RowsDoc* doc = Open<CDragDropView>([] { return std::make_unique<CDragDropView>(); });
    auto* view = dynamic_cast<CDragDropView*>(doc->firstView());
    QWidget* target = view->scrollTable()->viewport();
    const auto two = Payload({ Row(11, -1), Row(12, 3) });
    EXPECT_TRUE(Drop(target, two, Qt::MoveAction));
    EXPECT_EQ(doc->calls, (std::vector<std::string> { "sec 11 0", "qty 0", "sec 12 1", "board 3 1", "qty 1" }));
    doc->calls.clear();
    EXPECT_TRUE(Drop(target, two, Qt::CopyAction));
    EXPECT_EQ(doc->calls, (std::vector<std::string> { "sec 11 1", "qty 1", "sec 12 1", "board 3 1", "qty 1" }));
    // Rows without a security, and bytes that are no row list, are refused.
    doc->calls.clear();
    EXPECT_FALSE(Drop(target, Payload({ Row(-1, 4) }), Qt::MoveAction));
    EXPECT_FALSE(Drop(target, { 0x02, 0x00, 0xFF }, Qt::MoveAction));
    EXPECT_TRUE(doc->calls.empty());
}

TEST_F(DragDropViews, AFormTakesTheRowsItsDocumentAccepts)
{
    RowsDoc* doc = Open<CDDFormView>([] { return std::make_unique<CDDFormView>(IDD_SECURITY); });
    auto* form = dynamic_cast<CDDFormView*>(doc->firstView());
    ASSERT_NE(form, nullptr);
    ASSERT_NE(form->Form(), nullptr) << "the template's controls are in the form";
    EXPECT_EQ(form->GetDocument(), doc);
    EXPECT_TRUE(Drop(form, Payload({ Row(21, -1) }), Qt::CopyAction));
    EXPECT_EQ(doc->calls, (std::vector<std::string> { "sec 21 1", "qty 1" }));
    EXPECT_FALSE(Drop(form, Payload({ Row(-1, -1) }), Qt::CopyAction));
    EXPECT_EQ(form->OnDragOver({}), 0);
}

} // namespace
