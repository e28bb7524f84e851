#include "fw/ui/dragdrop.h"

#include "fw/ui/app.h"
#include "fw/ui/text.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
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

} // namespace fw
