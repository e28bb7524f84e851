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
        startRowDrag(viewport, payload, text);
        return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* d = static_cast<QDragMoveEvent*>(event);
        auto payload = dropIn_ ? rowPayload(d->mimeData()) : std::nullopt;
        if (payload && canAcceptRows(*payload))
            d->acceptProposedAction();
        else
            d->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* d = static_cast<QDropEvent*>(event);
        auto payload = dropIn_ ? rowPayload(d->mimeData()) : std::nullopt;
        if (!payload || !canAcceptRows(*payload)) {
            d->ignore();
            return true;
        }
        QPoint here = viewport->mapTo(this, d->position().toPoint());
        if (onRowDrop(*payload, d->dropAction(), hitTest(here)))
            d->acceptProposedAction();
        else
            d->ignore();
        return true;
    }
    default: return false;
    }
}

} // namespace fw
