#pragma once
// Rows dragged between the workstation's windows travel as archive bytes under a private MIME
// type (the clipboard format "Trader Bench internal"); a plain-text copy goes along for other
// programs. The bytes are handed over unread: decoding them is the receiver's job.
#include <QMimeData>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace fw {

inline constexpr const char* kRowClipboardFormatName = "Trader Bench internal";
// Payloads beyond this size are refused on both ends.
inline constexpr size_t kMaxRowPayload = 16u * 1024u * 1024u;

QString rowMimeType();

// Null when the payload is too large.
std::unique_ptr<QMimeData> makeRowMimeData(const std::vector<uint8_t>& payload, const std::string& text);
// The payload, when the data carries one of an acceptable size.
std::optional<std::vector<uint8_t>> rowPayload(const QMimeData* data);
bool hasRowPayload(const QMimeData* data);

bool copyRowsToClipboard(const std::vector<uint8_t>& payload, const std::string& text);
std::optional<std::vector<uint8_t>> rowsFromClipboard();

// Runs a drag from source; returns the action the target took (Qt::IgnoreAction when none).
Qt::DropAction startRowDrag(QWidget* source, const std::vector<uint8_t>& payload, const std::string& text,
                            Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction);

} // namespace fw
