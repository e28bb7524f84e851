#include "kvcore/gridview/drag_drop_view.h"

#include "fw/core/resources.h"
#include "fw/core/strings.h"
#include "fw/ui/childframe.h"
#include "fw/ui/dialog.h"
#include "fw/ui/dragdrop.h"
#include "kvcore/app/main_frame_logic.h"
#include "kvcore/doc/drag_drop_doc.h"
#include "kvcore/res/app_ids.h"

#include <QMdiArea>
#include <QVBoxLayout>

namespace {

std::uint32_t DropEffect(Qt::DropAction action)
{
    return action == Qt::CopyAction ? kDropEffectCopy : kDropEffectMove;
}

void ActivateFrame(fw::View& view)
{
    fw::ChildFrame* frame = view.parentFrame();
    if (frame == nullptr)
        return;
    if (QMdiArea* area = frame->mdiArea())
        area->setActiveSubWindow(frame);
    else
        frame->activateWindow();
}

} // namespace

CDragDropView::CDragDropView(QWidget* parent) : CTView(parent) { }

CDragDropView::~CDragDropView() = default;

CDragDropDoc* CDragDropView::GetDocument() const { return dynamic_cast<CDragDropDoc*>(document()); }

void CDragDropView::onInitialUpdate()
{
    CTView::onInitialUpdate();
    setRowDragDrop(true, true);
}

Qt::DropAction CDragDropView::runRowDrag(const std::function<Qt::DropAction()>& drag)
{
    CMainFrameCoreLogic* frame = CMainFrameCoreLogic::Current();
    if (frame == nullptr)
        return drag();
    const bool wasLocked = frame->IsLocked();
    frame->LockUpdates(true);
    struct Unlock {
        CMainFrameCoreLogic* frame;
        bool wasLocked;
        ~Unlock() { frame->LockUpdates(wasLocked); }
    } unlock { frame, wasLocked };
    return drag();
}

std::string CDragDropView::RowToString(std::uint32_t row) const { return std::to_string(static_cast<int>(row)); }

std::string CDragDropView::GetCopyTextRowCol(std::uint32_t row, std::uint32_t col) const
{
    const CDragDropDoc* doc = GetDocument();
    if (doc == nullptr || col == 0xFFFFFFFFu || row > 0x7FFFFFFFu || col > 0x7FFFFFFFu)
        return {};
    const int docRow = doc->MapRowView2Doc(static_cast<int>(row));
    if (docRow == -1)
        return {};
    return "='" + fw::loadString(IDS_APP_TITLE) + "'|" + RowToString(static_cast<std::uint32_t>(docRow))
        + doc->GetColumnTitle(static_cast<int>(col)) + "'";
}

bool CDragDropView::dragPayload(const std::vector<int>& rows, std::vector<std::uint8_t>& payload, std::string& text)
{
    CDragDropDoc* doc = GetDocument();
    if (doc == nullptr)
        return false;
    std::vector<std::int32_t> viewRows(rows.begin(), rows.end());
    payload = doc->CacheGlobalData(viewRows);
    // Other programs get the cells as links, row by row.
    text.clear();
    for (int row : rows) {
        for (int col = 1; col <= colCount(); ++col) {
            if (col > 1)
                text += '\t';
            text += GetCopyTextRowCol(static_cast<std::uint32_t>(row), static_cast<std::uint32_t>(col));
        }
        text += '\n';
    }
    return true;
}

bool CDragDropView::canAcceptRows(const std::vector<std::uint8_t>& payload)
{
    CDragDropDoc* doc = GetDocument();
    return doc != nullptr && doc->QueryAcceptData(payload) != 0;
}

bool CDragDropView::onRowDrop(const std::vector<std::uint8_t>& payload, Qt::DropAction action, fw::GridCell)
{
    CDragDropDoc* doc = GetDocument();
    return doc != nullptr && doc->DropData(payload, DropEffect(action)) != 0;
}

CDDFormView::CDDFormView(std::uint32_t templateId, QWidget* parent) : fw::View(parent), m_nTemplateId(templateId) { }

CDDFormView::~CDDFormView() = default;

CDragDropDoc* CDDFormView::GetDocument() const { return dynamic_cast<CDragDropDoc*>(document()); }

void CDDFormView::onInitialUpdate()
{
    fw::View::onInitialUpdate();
    if (m_pForm == nullptr && fw::findDialog(m_nTemplateId) != nullptr) {
        // The template's controls, laid out inside the view instead of a window of their own.
        m_pForm = new fw::Dialog(m_nTemplateId, this);
        m_pForm->setWindowFlags(Qt::Widget);
        m_pForm->initialize();
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_pForm);
        m_pForm->show();
    }
    if (m_pDropTarget == nullptr) {
        m_pDropTarget = new fw::RowDropTarget(
            this,
            [this](const std::vector<std::uint8_t>& payload) { return OnDragOver(payload) != 0; },
            [this](const std::vector<std::uint8_t>& payload, Qt::DropAction action, QPoint) {
                return OnDrop(payload, action) != 0;
            });
    }
}

int CDDFormView::OnDragOver(const std::vector<std::uint8_t>& payload)
{
    ActivateFrame(*this);
    CDragDropDoc* doc = GetDocument();
    return doc != nullptr ? doc->QueryAcceptData(payload) : 0;
}

int CDDFormView::OnDrop(const std::vector<std::uint8_t>& payload, Qt::DropAction action)
{
    CDragDropDoc* doc = GetDocument();
    return doc != nullptr ? doc->DropData(payload, DropEffect(action)) : 0;
}
