#include "fw/ui/dialog.h"

#include "fw/ui/text.h"

#include <QComboBox>
#include <QListWidget>
#include <QScrollBar>

// The list and combo box interface of a dialog. Nothing here notifies the dialog: these are the
// dialog code's own changes, and only what the user does reports a selection.
namespace fw {

namespace {

class Silence {
public:
    explicit Silence(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~Silence() { flag_ = was_; }
    Silence(const Silence&) = delete;
    Silence& operator=(const Silence&) = delete;

private:
    bool& flag_;
    bool was_;
};

constexpr int kDataRole = Qt::UserRole + 1;
constexpr const char* kSortedProperty = "fwSorted";

// The index to insert text at so that a sorted list stays sorted (ignoring case).
template <class TextAt> int sortedPosition(int count, const QString& text, TextAt textAt)
{
    for (int i = 0; i < count; ++i)
        if (QString::compare(textAt(i), text, Qt::CaseInsensitive) > 0)
            return i;
    return count;
}

// Items after startAfter, then round from the top up to startAfter itself.
template <class Match> int findFrom(int count, int startAfter, Match match)
{
    if (count <= 0)
        return -1;
    int first = startAfter >= 0 && startAfter < count ? startAfter + 1 : 0;
    for (int n = 0; n < count; ++n) {
        int i = (first + n) % count;
        if (match(i))
            return i;
    }
    return -1;
}

} // namespace

int Dialog::addString(uint32_t id, const std::string& text)
{
    QString q = toQt(text);
    if (auto* cb = itemAs<QComboBox>(id)) {
        int at = cb->property(kSortedProperty).toBool()
                     ? sortedPosition(cb->count(), q, [cb](int i) { return cb->itemText(i); })
                     : cb->count();
        return insertString(id, at, text);
    }
    return insertString(id, -1, text);
}

int Dialog::insertString(uint32_t id, int index, const std::string& text)
{
    Silence quiet(silent_);
    QString q = toQt(text);
    if (auto* cb = itemAs<QComboBox>(id)) {
        if (index < 0 || index > cb->count())
            index = cb->count();
        // Qt chooses the first entry of a list that was empty; a choice nobody made would
        // be taken as the user's, so nothing stays chosen until the program or the user chooses.
        const bool unchosen = cb->currentIndex() < 0;
        const QString typed = cb->currentText();
        cb->insertItem(index, q);
        if (unchosen && cb->currentIndex() >= 0) {
            cb->setCurrentIndex(-1);
            if (cb->isEditable())
                cb->setEditText(typed);
        }
        return index;
    }
    if (auto* l = itemAs<QListWidget>(id)) {
        auto* it = new QListWidgetItem(q);
        if (index < 0 || index > l->count())
            index = l->count();
        l->insertItem(index, it); // the list owns the item
        return l->row(it); // a sorted list puts it in its place
    }
    return -1;
}

int Dialog::deleteString(uint32_t id, int index)
{
    Silence quiet(silent_);
    if (auto* cb = itemAs<QComboBox>(id)) {
        if (index < 0 || index >= cb->count())
            return -1;
        cb->removeItem(index);
        return cb->count();
    }
    if (auto* l = itemAs<QListWidget>(id)) {
        if (index < 0 || index >= l->count())
            return -1;
        delete l->takeItem(index);
        return l->count();
    }
    return -1;
}

void Dialog::resetContent(uint32_t id)
{
    Silence quiet(silent_);
    if (auto* cb = itemAs<QComboBox>(id))
        cb->clear();
    else if (auto* l = itemAs<QListWidget>(id))
        l->clear();
}

int Dialog::itemCount(uint32_t id) const
{
    if (auto* cb = itemAs<QComboBox>(id))
        return cb->count();
    if (auto* l = itemAs<QListWidget>(id))
        return l->count();
    return 0;
}

std::string Dialog::itemString(uint32_t id, int index) const
{
    if (auto* cb = itemAs<QComboBox>(id))
        return index >= 0 && index < cb->count() ? fromQt(cb->itemText(index)) : std::string();
    if (auto* l = itemAs<QListWidget>(id))
        return index >= 0 && index < l->count() ? fromQt(l->item(index)->text()) : std::string();
    return {};
}

bool Dialog::setItemData(uint32_t id, int index, uint64_t data)
{
    QVariant v = QVariant::fromValue<qulonglong>(data);
    if (auto* cb = itemAs<QComboBox>(id); cb && index >= 0 && index < cb->count()) {
        cb->setItemData(index, v, kDataRole);
        return true;
    }
    if (auto* l = itemAs<QListWidget>(id); l && index >= 0 && index < l->count()) {
        l->item(index)->setData(kDataRole, v);
        return true;
    }
    return false;
}

uint64_t Dialog::itemData(uint32_t id, int index) const
{
    if (auto* cb = itemAs<QComboBox>(id); cb && index >= 0 && index < cb->count())
        return cb->itemData(index, kDataRole).toULongLong();
    if (auto* l = itemAs<QListWidget>(id); l && index >= 0 && index < l->count())
        return l->item(index)->data(kDataRole).toULongLong();
    return 0;
}

int Dialog::findString(uint32_t id, int startAfter, const std::string& prefix) const
{
    QString want = toQt(prefix);
    return findFrom(itemCount(id), startAfter, [&](int i) {
        return toQt(itemString(id, i)).startsWith(want, Qt::CaseInsensitive);
    });
}

int Dialog::findStringExact(uint32_t id, int startAfter, const std::string& text) const
{
    QString want = toQt(text);
    return findFrom(itemCount(id), startAfter, [&](int i) {
        return QString::compare(toQt(itemString(id, i)), want, Qt::CaseInsensitive) == 0;
    });
}

int Dialog::selectString(uint32_t id, int startAfter, const std::string& prefix)
{
    int found = findString(id, startAfter, prefix);
    if (found >= 0)
        setCurSel(id, found);
    return found;
}

int Dialog::curSel(uint32_t id) const
{
    if (auto* cb = itemAs<QComboBox>(id))
        return cb->currentIndex();
    if (auto* l = itemAs<QListWidget>(id))
        return l->currentRow();
    return -1;
}

void Dialog::setCurSel(uint32_t id, int index)
{
    Silence quiet(silent_);
    if (auto* cb = itemAs<QComboBox>(id))
        cb->setCurrentIndex(index);
    else if (auto* l = itemAs<QListWidget>(id)) {
        l->clearSelection();
        l->setCurrentRow(index);
    }
}

bool Dialog::setSel(uint32_t id, int index, bool select)
{
    auto* l = itemAs<QListWidget>(id);
    if (!l || index < -1 || index >= l->count())
        return false;
    Silence quiet(silent_);
    // -1 stands for every item.
    int first = index < 0 ? 0 : index, last = index < 0 ? l->count() - 1 : index;
    for (int i = first; i <= last; ++i)
        l->item(i)->setSelected(select);
    return true;
}

bool Dialog::isSelected(uint32_t id, int index) const
{
    auto* l = itemAs<QListWidget>(id);
    return l && index >= 0 && index < l->count() && l->item(index)->isSelected();
}

std::vector<int> Dialog::selectedItems(uint32_t id) const
{
    std::vector<int> out;
    if (auto* l = itemAs<QListWidget>(id))
        for (int i = 0; i < l->count(); ++i)
            if (l->item(i)->isSelected())
                out.push_back(i);
    return out;
}

int Dialog::selCount(uint32_t id) const
{
    return static_cast<int>(selectedItems(id).size());
}

int Dialog::caretIndex(uint32_t id) const
{
    auto* l = itemAs<QListWidget>(id);
    return l ? l->currentRow() : -1;
}

void Dialog::setCaretIndex(uint32_t id, int index)
{
    auto* l = itemAs<QListWidget>(id);
    if (!l || index < 0 || index >= l->count())
        return;
    Silence quiet(silent_);
    // The caret moves without touching the selection, as in a multi-selection list.
    l->setCurrentRow(index, QItemSelectionModel::NoUpdate);
}

int Dialog::topIndex(uint32_t id) const
{
    auto* l = itemAs<QListWidget>(id);
    if (!l || l->count() == 0)
        return -1;
    QModelIndex top = l->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

void Dialog::setTopIndex(uint32_t id, int index)
{
    auto* l = itemAs<QListWidget>(id);
    if (l && index >= 0 && index < l->count())
        l->scrollToItem(l->item(index), QAbstractItemView::PositionAtTop);
}

void Dialog::setRedraw(uint32_t id, bool redraw)
{
    QWidget* w = item(id);
    if (!w)
        return;
    w->setUpdatesEnabled(redraw);
    if (redraw)
        w->update();
}

} // namespace fw
