#include "fw/ui/dragdrop.h"

#include "fw/ui/app.h"
#include "fw/ui/text.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QDropEvent>
#include <QWidget>

namespace fw {

QString rowMimeType()
{
    return QStringLiteral("application/x-kv32-trader-bench-internal");
}

std::unique_ptr<QMimeData> makeRowMimeData(const std::vector<uint8_t>& payload, const std::string& text)
{
    if (payload.size() > kMaxRowPayload)
        return nullptr;
    auto data = std::make_unique<QMimeData>();
    data->setData(rowMimeType(),
                  QByteArray(reinterpret_cast<const char*>(payload.data()), static_cast<qsizetype>(payload.size())));
    if (!text.empty())
        data->setText(toQt(text));
    return data;
}

bool hasRowPayload(const QMimeData* data)
{
    return data && data->hasFormat(rowMimeType());
}

std::optional<std::vector<uint8_t>> rowPayload(const QMimeData* data)
{
    if (!hasRowPayload(data))
        return std::nullopt;
    QByteArray bytes = data->data(rowMimeType());
    if (static_cast<size_t>(bytes.size()) > kMaxRowPayload)
        return std::nullopt;
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

bool copyRowsToClipboard(const std::vector<uint8_t>& payload, const std::string& text)
{
    auto data = makeRowMimeData(payload, text);
    if (!data || !QApplication::clipboard())
        return false;
    QApplication::clipboard()->setMimeData(data.release()); // the clipboard owns it from here
    return true;
}

std::optional<std::vector<uint8_t>> rowsFromClipboard()
{
    if (!QApplication::clipboard())
        return std::nullopt;
    return rowPayload(QApplication::clipboard()->mimeData());
}

Qt::DropAction startRowDrag(QWidget* source, const std::vector<uint8_t>& payload, const std::string& text,
                            Qt::DropActions actions)
{
    auto data = makeRowMimeData(payload, text);
    if (!data || !source)
        return Qt::IgnoreAction;
    App::ModalScope modal; // a drag runs its own loop, as a modal dialog would
    auto* drag = new QDrag(source); // parented to source; Qt deletes it after exec
    drag->setMimeData(data.release());
    return drag->exec(actions, Qt::CopyAction);
}

bool handleRowDropEvent(QEvent* event, const RowAcceptFn& accept, const RowDropFn& drop)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* d = static_cast<QDragMoveEvent*>(event);
        auto payload = rowPayload(d->mimeData());
        if (payload && accept && accept(*payload))
            d->acceptProposedAction();
        else
            d->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* d = static_cast<QDropEvent*>(event);
        auto payload = rowPayload(d->mimeData());
        if (payload && accept && accept(*payload) && drop && drop(*payload, d->dropAction(), d->position().toPoint()))
            d->acceptProposedAction();
        else
            d->ignore();
        return true;
    }
    default: return false;
    }
}

RowDropTarget::RowDropTarget(QWidget* target, RowAcceptFn accept, RowDropFn drop)
    : QObject(target), target_(target), accept_(std::move(accept)), drop_(std::move(drop))
{
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool RowDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == target_ && handleRowDropEvent(event, accept_, drop_))
        return true;
    return QObject::eventFilter(watched, event);
}

} // namespace fw
