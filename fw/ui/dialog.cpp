#include "fw/ui/dialog.h"

#include "fw/ui/app.h"
#include "fw/ui/dataexchange.h"
#include "fw/ui/gridview.h"
#include "fw/ui/mainframe.h"
#include "fw/ui/text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>

namespace fw {

namespace {
Dialog::ModalHook& modalHook()
{
    static Dialog::ModalHook hook;
    return hook;
}

std::string caption(const ControlDef& c)
{
    if (!c.en && !c.hu)
        return {};
    return resourceText(c.en, c.hu);
}
} // namespace

Dialog::Dialog(uint32_t templateId, QWidget* parent) : QDialog(parent), templateId_(templateId)
{
    if (const DialogTemplate* t = findDialog(templateId))
        build(*t);
}

Dialog::Dialog(const DialogTemplate& tmpl, QWidget* parent) : QDialog(parent), templateId_(tmpl.id)
{
    build(tmpl);
}

Dialog::~Dialog() = default;

void Dialog::setModalHook(ModalHook hook)
{
    modalHook() = std::move(hook);
}

void Dialog::build(const DialogTemplate& tmpl)
{
    setWindowTitle(toQt(resourceText(tmpl.titleEn, tmpl.titleHu)));
    auto* grid = new QGridLayout(this);
    QButtonGroup* group = nullptr;
    // Group boxes go first so that the controls in their cells paint above them.
    std::vector<const ControlDef*> order;
    for (const ControlDef& c : tmpl.controls)
        if (c.kind == ControlKind::GroupBox)
            order.push_back(&c);
    for (const ControlDef& c : tmpl.controls)
        if (c.kind != ControlKind::GroupBox)
            order.push_back(&c);
    for (const ControlDef* cp : order) {
        const ControlDef& c = *cp;
        QString text = toQt(caption(c));
        QWidget* w = nullptr;
        switch (c.kind) {
        case ControlKind::Label:
        case ControlKind::Picture: w = new QLabel(text, this); break;
        case ControlKind::Edit:
            if (c.style & StyleMultiline) {
                auto* e = new QPlainTextEdit(this);
                e->setPlainText(text);
                e->setReadOnly(c.style & StyleReadOnly);
                w = e;
            } else {
                auto* e = new QLineEdit(text, this);
                e->setReadOnly(c.style & StyleReadOnly);
                if (c.style & StylePassword)
                    e->setEchoMode(QLineEdit::Password);
                if (c.style & StyleRight)
                    e->setAlignment(Qt::AlignRight);
                w = e;
            }
            break;
        case ControlKind::Button:
        case ControlKind::DefaultButton: {
            auto* b = new QPushButton(text, this);
            b->setAutoDefault(false);
            b->setDefault(c.kind == ControlKind::DefaultButton);
            w = b;
            break;
        }
        case ControlKind::CheckBox: w = new QCheckBox(text, this); break;
        case ControlKind::RadioButton: {
            if (!group || (c.style & StyleGroup)) {
                group = new QButtonGroup(this);
                radioGroups_.push_back(group);
            }
            auto* r = new QRadioButton(text, this);
            group->addButton(r);
            w = r;
            break;
        }
        case ControlKind::GroupBox: w = new QGroupBox(text, this); break;
        case ControlKind::ComboList:
        case ControlKind::ComboEdit: {
            auto* cb = new QComboBox(this);
            cb->setEditable(c.kind == ControlKind::ComboEdit);
            w = cb;
            break;
        }
        case ControlKind::ListBox: {
            auto* l = new QListWidget(this);
            l->setSelectionMode(c.style & StyleMultiSelect ? QAbstractItemView::ExtendedSelection
                                                           : QAbstractItemView::SingleSelection);
            l->setSortingEnabled(c.style & StyleSorted);
            w = l;
            break;
        }
        case ControlKind::DateTime: w = new QDateTimeEdit(this); break;
        case ControlKind::Grid: {
            // A grid on a dialog: live at once, it shows rows as soon as the code sets a source.
            auto* g = new GridView(this);
            g->onInitialUpdate();
            w = g;
            break;
        }
        case ControlKind::Custom: w = new QWidget(this); break;
        }
        if (c.kind != ControlKind::RadioButton)
            group = c.kind == ControlKind::GroupBox ? group : nullptr;
        if (c.width > 0)
            w->setMinimumWidth(w->fontMetrics().averageCharWidth() * c.width);
        if (c.style & StyleDisabled)
            w->setEnabled(false);
        if (c.style & StyleNoTab)
            w->setFocusPolicy(Qt::ClickFocus);
        grid->addWidget(w, c.row, c.col, std::max(c.rowSpan, 1), std::max(c.colSpan, 1));
        if (c.style & StyleHidden)
            w->hide();
        if (c.id != kStaticId) {
            items_[c.id] = w;
            ids_[w] = c.id;
            connectNotifications(c.id, w);
        }
    }
}

void Dialog::connectNotifications(uint32_t id, QWidget* w)
{
    w->installEventFilter(this);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        connect(e, &QLineEdit::textChanged, this, [this, id] { notify(id, Notify::Change); });
    else if (auto* e = qobject_cast<QPlainTextEdit*>(w))
        connect(e, &QPlainTextEdit::textChanged, this, [this, id] { notify(id, Notify::Change); });
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        connect(b, &QAbstractButton::clicked, this, [this, id] { notify(id, Notify::Clicked); });
    else if (auto* cb = qobject_cast<QComboBox*>(w)) {
        connect(cb, &QComboBox::activated, this, [this, id] { notify(id, Notify::SelChange); });
        if (cb->lineEdit())
            connect(cb->lineEdit(), &QLineEdit::textEdited, this, [this, id] { notify(id, Notify::Change); });
    } else if (auto* l = qobject_cast<QListWidget*>(w)) {
        connect(l, &QListWidget::itemSelectionChanged, this, [this, id] { notify(id, Notify::SelChange); });
        connect(l, &QListWidget::itemDoubleClicked, this, [this, id] { notify(id, Notify::DblClk); });
    } else if (auto* d = qobject_cast<QDateTimeEdit*>(w))
        connect(d, &QDateTimeEdit::dateTimeChanged, this, [this, id] { notify(id, Notify::Change); });
}

void Dialog::registerItem(uint32_t id, QWidget* w)
{
    items_[id] = w;
    ids_[w] = id;
    connectNotifications(id, w);
}

void Dialog::notify(uint32_t id, Notify code)
{
    if (silent_)
        return;
    onNotify(id, code);
}

bool Dialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        auto it = ids_.find(watched);
        if (it != ids_.end())
            notify(it->second, event->type() == QEvent::FocusIn ? Notify::SetFocus : Notify::KillFocus);
    }
    return QDialog::eventFilter(watched, event);
}

void Dialog::onNotify(uint32_t id, Notify code)
{
    if (const auto* h = commands().findNotify(id, code)) {
        auto handler = *h;
        handler();
        return;
    }
    if (code != Notify::Clicked)
        return;
    if (id == kIdOk)
        onOK();
    else if (id == kIdCancel)
        onCancel();
    else if (qobject_cast<QPushButton*>(item(id)))
        routeCommand(id);
}

void Dialog::initialize()
{
    if (initialised_)
        return;
    initialised_ = true;
    onInitDialog();
}

int Dialog::doModal()
{
    App::ModalScope modal;
    // Like the original, a dialog without an owner belongs to the main window while it runs
    // (only while: the dialog object's lifetime stays its creator's).
    bool borrowed = false;
    if (!parentWidget() && App::instance() && App::instance()->mainFrame()) {
        setParent(App::instance()->mainFrame(), windowFlags());
        borrowed = true;
    }
    initialize();
    if (modalHook()) {
        auto hook = modalHook();
        QTimer::singleShot(0, this, [this, hook] { hook(*this); });
    }
    int result = exec();
    if (borrowed)
        setParent(nullptr, windowFlags());
    return result;
}

void Dialog::endDialog(int result)
{
    done(result);
}

bool Dialog::onInitDialog()
{
    updateData(false);
    return true;
}

void Dialog::onOK()
{
    if (updateData(true))
        endDialog(IDOK);
}

void Dialog::onCancel()
{
    endDialog(IDCANCEL);
}

// Enter and Escape come here through QDialog; they act like the OK and Cancel buttons.
void Dialog::accept()
{
    onOK();
}

void Dialog::reject()
{
    onCancel();
}

void Dialog::doDataExchange(DataExchange&) {}

bool Dialog::updateData(bool saveAndValidate)
{
    DataExchange dx(*this, saveAndValidate);
    try {
        doDataExchange(dx);
    } catch (const DataExchangeFailure& f) {
        gotoItem(f.control());
        if (auto* e = itemAs<QLineEdit>(f.control()))
            e->selectAll();
        return false;
    }
    return true;
}

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
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(q);
    else if (auto* e = qobject_cast<QPlainTextEdit*>(w))
        e->setPlainText(q);
    else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(q);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(q);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(q);
    else if (auto* cb = qobject_cast<QComboBox*>(w)) {
        if (cb->isEditable())
            cb->setEditText(q);
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
    case StdIcon::Application: which = QStyle::SP_ComputerIcon; break;
    }
    int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    label->setPixmap(style()->standardIcon(which, nullptr, this).pixmap(size, size));
}

int Dialog::addString(uint32_t id, const std::string& text)
{
    silent_ = true;
    int index = -1;
    if (auto* cb = itemAs<QComboBox>(id)) {
        cb->addItem(toQt(text));
        index = cb->count() - 1;
    } else if (auto* l = itemAs<QListWidget>(id)) {
        auto* it = new QListWidgetItem(toQt(text));
        l->addItem(it);
        index = l->row(it);
    }
    silent_ = false;
    return index;
}

void Dialog::resetContent(uint32_t id)
{
    silent_ = true;
    if (auto* cb = itemAs<QComboBox>(id))
        cb->clear();
    else if (auto* l = itemAs<QListWidget>(id))
        l->clear();
    silent_ = false;
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
    silent_ = true;
    if (auto* cb = itemAs<QComboBox>(id))
        cb->setCurrentIndex(index);
    else if (auto* l = itemAs<QListWidget>(id)) {
        l->clearSelection();
        l->setCurrentRow(index);
    }
    silent_ = false;
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
