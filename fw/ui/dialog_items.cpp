#include "fw/ui/dialog.h"

#include "fw/ui/datetimefield.h"
#include "fw/ui/icons.h"
#include "fw/ui/text.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

// The controls of a dialog by id: texts, check states, enabling, focus and the user's actions.
namespace fw {

QWidget* Dialog::item(uint32_t id) const
{
    auto it = items_.find(id);
    return it == items_.end() ? nullptr : it->second;
}

std::vector<uint32_t> Dialog::itemIds() const
{
    std::vector<uint32_t> ids;
    for (const auto& [id, w] : items_)
        ids.push_back(id);
    return ids;
}

void Dialog::setItemText(uint32_t id, const std::string& text)
{
    QWidget* w = item(id);
    QString q = toQt(text);
    // A text set by code is shown whole even when it is longer than the template's limit: the
    // limit bounds what the user types, and cutting the text here would lose it unseen.
    auto fitLimit = [&](QLineEdit* e) {
        if (auto lim = limits_.find(id); lim != limits_.end())
            e->setMaxLength(std::max(lim->second, static_cast<int>(q.size())));
    };
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        fitLimit(e);
        settingText_ = true;
        e->setText(q);
        settingText_ = false;
        notify(id, Notify::Change);
    } else if (auto* e = qobject_cast<QPlainTextEdit*>(w)) {
        settingText_ = true;
        e->setPlainText(q);
        settingText_ = false;
        notify(id, Notify::Change);
    } else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(q);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(q);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(q);
    else if (auto* cb = qobject_cast<QComboBox*>(w)) {
        if (cb->isEditable()) {
            fitLimit(cb->lineEdit());
            cb->setEditText(q);
        }
    }
}

std::string Dialog::itemText(uint32_t id) const
{
    QWidget* w = item(id);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return fromQt(e->text());
    if (auto* e = qobject_cast<QPlainTextEdit*>(w))
        return fromQt(e->toPlainText());
    if (auto* l = qobject_cast<QLabel*>(w))
        return fromQt(l->text());
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return fromQt(b->text());
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return fromQt(g->title());
    if (auto* cb = qobject_cast<QComboBox*>(w))
        return fromQt(cb->currentText());
    if (auto* d = qobject_cast<DateTimeField*>(w))
        return fromQt(d->text());
    return {};
}

void Dialog::setItemInt(uint32_t id, long long value)
{
    setItemText(id, std::to_string(value));
}

void Dialog::checkButton(uint32_t id, int state)
{
    if (auto* c = itemAs<QCheckBox>(id)) {
        c->setTristate(state == 2 || c->isTristate());
        c->setCheckState(state == 2 ? Qt::PartiallyChecked : state ? Qt::Checked : Qt::Unchecked);
    } else if (auto* b = itemAs<QAbstractButton>(id)) {
        b->setChecked(state != 0);
    }
}

int Dialog::isButtonChecked(uint32_t id) const
{
    if (auto* c = itemAs<QCheckBox>(id))
        return c->checkState() == Qt::PartiallyChecked ? 2 : c->isChecked() ? 1 : 0;
    if (auto* b = itemAs<QAbstractButton>(id))
        return b->isChecked() ? 1 : 0;
    return 0;
}

void Dialog::enableItem(uint32_t id, bool enable)
{
    if (QWidget* w = item(id))
        w->setEnabled(enable);
}

bool Dialog::isItemEnabled(uint32_t id) const
{
    QWidget* w = item(id);
    return w && w->isEnabled();
}

void Dialog::showItem(uint32_t id, bool show)
{
    if (QWidget* w = item(id))
        w->setVisible(show);
}

void Dialog::gotoItem(uint32_t id)
{
    if (QWidget* w = item(id))
        w->setFocus(Qt::OtherFocusReason);
}

uint32_t Dialog::focusId() const
{
    for (QWidget* f = focusWidget(); f; f = f->parentWidget()) {
        auto it = ids_.find(f);
        if (it != ids_.end())
            return it->second;
        if (f == this)
            break;
    }
    return 0;
}

void Dialog::setItemWidget(uint32_t id, std::unique_ptr<QWidget> widget)
{
    QWidget* old = item(id);
    if (!old || !widget)
        return;
    QWidget* w = widget.release(); // the dialog's widget tree owns it from here
    w->setParent(this);
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        int index = grid->indexOf(old);
        int row = 0, col = 0, rs = 1, cs = 1;
        if (index >= 0)
            grid->getItemPosition(index, &row, &col, &rs, &cs);
        grid->removeWidget(old);
        grid->addWidget(w, row, col, rs, cs);
    }
    ids_.erase(old);
    // Deferred deletion waits for the event loop that was running, which for a modal dialog
    // ends only when the dialog does: until then the replaced control, out of the layout,
    // would show over the dialog's corner when the dialog is shown.
    old->hide();
    old->deleteLater();
    items_[id] = w;
    ids_[w] = id;
    w->installEventFilter(this);
}

void Dialog::setDefaultItem(uint32_t id)
{
    for (const auto& [itemId, w] : items_)
        if (auto* b = qobject_cast<QPushButton*>(w))
            b->setDefault(itemId == id);
}

uint32_t Dialog::defaultItem() const
{
    for (const auto& [itemId, w] : items_)
        if (auto* b = qobject_cast<QPushButton*>(w); b && b->isDefault())
            return itemId;
    return 0;
}

void Dialog::setItemIcon(uint32_t id, StdIcon icon)
{
    auto* label = itemAs<QLabel>(id);
    if (!label)
        return;
    QStyle::StandardPixmap which = QStyle::SP_MessageBoxInformation;
    switch (icon) {
    case StdIcon::Question: which = QStyle::SP_MessageBoxQuestion; break;
    case StdIcon::Exclamation: which = QStyle::SP_MessageBoxWarning; break;
    case StdIcon::Information: which = QStyle::SP_MessageBoxInformation; break;
    case StdIcon::Stop: which = QStyle::SP_MessageBoxCritical; break;
    case StdIcon::Application: break;
    }
    int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    // The application's own icon, never the toolkit's picture.
    QIcon picture = icon == StdIcon::Application ? applicationIcon() : style()->standardIcon(which, nullptr, this);
    label->setPixmap(picture.pixmap(size, size));
}

void Dialog::userType(uint32_t id, const std::string& text)
{
    gotoItem(id);
    if (auto* cb = itemAs<QComboBox>(id); cb && cb->lineEdit()) {
        cb->lineEdit()->setText(toQt(text));
        notify(id, Notify::Change);
        return;
    }
    setItemText(id, text);
}

void Dialog::userClick(uint32_t id)
{
    if (auto* b = itemAs<QAbstractButton>(id); b && b->isEnabled() && b->isVisible())
        b->click();
}

void Dialog::userSelect(uint32_t id, int index)
{
    QWidget* w = item(id);
    if (!w || !w->isEnabled())
        return;
    setCurSel(id, index);
    notify(id, Notify::SelChange);
}

void Dialog::userDoubleClick(uint32_t id, int index)
{
    userSelect(id, index);
    notify(id, Notify::DblClk);
}

void Dialog::userLeave(uint32_t id)
{
    notify(id, Notify::KillFocus);
}

} // namespace fw
