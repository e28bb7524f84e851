#include "fw/ui/dragdrop.h"
#include "fw/ui/gridview.h"
#include "fw/ui/text.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QTableView>

namespace fw {

void GridView::setRowDragDrop(bool dragOut, bool dropIn)
{
    dragOut_ = dragOut;
    dropIn_ = dropIn;
    for (QTableView* t : { frozen_, main_ }) {
        t->viewport()->setAcceptDrops(dropIn);
        t->viewport()->removeEventFilter(this);
        if (dragOut || dropIn)
            t->viewport()->installEventFilter(this);
    }
}

bool GridView::copySelection()
{
    std::vector<int> rows = selectedRows();
    if (rows.empty())
        return false;
    std::string text;
    for (int r : rows) {
        for (int c = 1; c <= colCount(); ++c) {
            if (c > 1)
                text += '\t';
            text += model_.style(r, c).value;
        }
        text += '\n';
    }
    std::vector<uint8_t> payload;
    std::string ignored;
    if (dragPayload(rows, payload, ignored))
        return copyRowsToClipboard(payload, text);
    if (!QApplication::clipboard())
        return false;
    QApplication::clipboard()->setText(toQt(text));
    return true;
}

bool GridView::handleDragDrop(QWidget* viewport, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* m = static_cast<QMouseEvent*>(event);
        pressed_ = dragOut_ && m->button() == Qt::LeftButton;
        pressPos_ = m->position().toPoint();
        return false;
    }
    case QEvent::MouseButtonRelease: pressed_ = false; return false;
    case QEvent::MouseMove: {
        auto* m = static_cast<QMouseEvent*>(event);
        if (!pressed_ || !(m->buttons() & Qt::LeftButton)
            || (m->position().toPoint() - pressPos_).manhattanLength() < QApplication::startDragDistance())
            return false;
        pressed_ = false;
        std::vector<int> rows = selectedRows();
        std::vector<uint8_t> payload;
        std::string text;
        if (rows.empty() || !dragPayload(rows, payload, text))
            return false;
        runRowDrag([&] { return startRowDrag(viewport, payload, text); });
        return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        if (!dropIn_) {
            event->ignore();
            return true;
        }
        return handleRowDropEvent(
            event, [this](const std::vector<uint8_t>& p) { return canAcceptRows(p); },
            [this, viewport](const std::vector<uint8_t>& p, Qt::DropAction action, QPoint at) {
                return onRowDrop(p, action, hitTest(viewport->mapTo(this, at)));
            });
    }
    default: return false;
    }
}

} // namespace fw
