#pragma once
// Rows dragged between the workstation's windows travel as archive bytes under a private MIME
// type (the clipboard format "Trader Bench internal"); a plain-text copy goes along for other
// programs. The bytes are handed over unread: decoding them is the receiver's job.
#include "fw/ui/fw_ui_api.h"
#include <QMimeData>
#include <QObject>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QEvent;
class QWidget;

namespace fw {

inline constexpr const char* kRowClipboardFormatName = "Trader Bench internal";
// Payloads beyond this size are refused on both ends.
inline constexpr size_t kMaxRowPayload = 16u * 1024u * 1024u;

FW_UI_API QString rowMimeType();

// Null when the payload is too large.
FW_UI_API std::unique_ptr<QMimeData> makeRowMimeData(const std::vector<uint8_t>& payload, const std::string& text);
// The payload, when the data carries one of an acceptable size.
FW_UI_API std::optional<std::vector<uint8_t>> rowPayload(const QMimeData* data);
FW_UI_API bool hasRowPayload(const QMimeData* data);

FW_UI_API bool copyRowsToClipboard(const std::vector<uint8_t>& payload, const std::string& text);
FW_UI_API std::optional<std::vector<uint8_t>> rowsFromClipboard();

// Runs a drag from source; returns the action the target took (Qt::IgnoreAction when none).
FW_UI_API Qt::DropAction startRowDrag(QWidget* source, const std::vector<uint8_t>& payload, const std::string& text,
                            Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction);

// What a drop target asks: may these rows come in, and taking them at a point of the widget.
using RowAcceptFn = std::function<bool(const std::vector<uint8_t>& payload)>;
using RowDropFn = std::function<bool(const std::vector<uint8_t>& payload, Qt::DropAction action, QPoint at)>;

// Handles a drag-enter, drag-move or drop event for rows (true: it was one of those); the
// event is accepted only for a row payload that accept takes and, on a drop, drop takes.
FW_UI_API bool handleRowDropEvent(QEvent* event, const RowAcceptFn& accept, const RowDropFn& drop);

// Makes any widget a drop target for rows (a view that is not a grid, a list, a frame). It
// lives as long as the widget it serves.
class FW_UI_API RowDropTarget : public QObject {
    Q_OBJECT
public:
    RowDropTarget(QWidget* target, RowAcceptFn accept, RowDropFn drop);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* target_;
    RowAcceptFn accept_;
    RowDropFn drop_;
};

} // namespace fw
