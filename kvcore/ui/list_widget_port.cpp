#include "kvcore/ui/list_widget_port.h"

#include <QListWidget>

#include "fw/ui/text.h"

namespace {

// The role fw::Dialog keeps item data under.
constexpr int kItemDataRole = Qt::UserRole + 1;

} // namespace

int KvListWidgetPort::Count() const
{
    return m_list.count();
}

KvListEntry KvListWidgetPort::Entry(int index) const
{
    const QListWidgetItem* item = m_list.item(index);
    if (item == nullptr)
        return {};
    return KvListEntry { fw::fromQt(item->text()), item->data(kItemDataRole).toULongLong() };
}

int KvListWidgetPort::Insert(int index, const KvListEntry& entry)
{
    auto* item = new QListWidgetItem(fw::toQt(entry.text));
    item->setData(kItemDataRole, QVariant::fromValue<qulonglong>(entry.data));
    if (index < 0 || index > m_list.count())
        index = m_list.count();
    m_list.insertItem(index, item); // the list owns the item
    return m_list.row(item);
}

void KvListWidgetPort::Delete(int index)
{
    if (index >= 0 && index < m_list.count())
        delete m_list.takeItem(index);
}

void KvListWidgetPort::Clear()
{
    m_list.clear();
}

bool KvListWidgetPort::IsSelected(int index) const
{
    const QListWidgetItem* item = m_list.item(index);
    return item != nullptr && item->isSelected();
}

void KvListWidgetPort::SetSelected(int index, bool selected)
{
    if (QListWidgetItem* item = m_list.item(index))
        item->setSelected(selected);
}

int KvListWidgetPort::Caret() const
{
    return m_list.currentRow();
}

void KvListWidgetPort::SetCaret(int index)
{
    if (index == -1) {
        m_list.setCurrentRow(-1, QItemSelectionModel::NoUpdate);
        return;
    }
    if (index < 0 || index >= m_list.count())
        return;
    m_list.setCurrentRow(index, QItemSelectionModel::NoUpdate);
    m_list.scrollToItem(m_list.item(index));
}
