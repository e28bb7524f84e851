#include "fw/ui/dialog.h"

#include "fw/ui/app.h"
#include "fw/ui/dataexchange.h"
#include "fw/ui/datetimefield.h"
#include "fw/ui/gridview.h"
#include "fw/ui/icons.h"
#include "fw/ui/mainframe.h"
#include "fw/ui/text.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
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

// "&&" stands for one '&'; any other '&' only marks the next letter.
QString withoutMnemonic(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        else if (text[i] == u'&')
            continue;
        out += text[i];
    }
    return out;
}
} // namespace

Dialog::Dialog(uint32_t templateId, QWidget* parent) : QDialog(parent), templateId_(templateId)
{
    if (QApplication::windowIcon().isNull())
        installApplicationIcon();
    if (const DialogTemplate* t = findDialog(templateId))
        build(*t);
}

Dialog::Dialog(const DialogTemplate& tmpl, QWidget* parent) : QDialog(parent), templateId_(tmpl.id)
{
    if (QApplication::windowIcon().isNull())
        installApplicationIcon();
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
    std::map<const ControlDef*, QWidget*> widgetOf;
    for (const ControlDef* cp : order) {
        const ControlDef& c = *cp;
        QWidget* w = makeControl(c, group);
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
        widgetOf[cp] = w;
        if (c.id != kStaticId) {
            items_[c.id] = w;
            ids_[w] = c.id;
            connectNotifications(c.id, w);
        }
    }
    linkMnemonics(tmpl, widgetOf);
}

QWidget* Dialog::makeControl(const ControlDef& c, QButtonGroup*& group)
{
    QString text = toQt(caption(c));
    switch (c.kind) {
    case ControlKind::Label:
    case ControlKind::Picture: return new QLabel(text, this);
    case ControlKind::Edit:
        if (c.style & StyleMultiline) {
            auto* e = new QPlainTextEdit(this);
            e->setPlainText(text);
            e->setReadOnly(c.style & StyleReadOnly);
            return e;
        } else {
            auto* e = new QLineEdit(text, this);
            e->setReadOnly(c.style & StyleReadOnly);
            if (c.style & StylePassword)
                e->setEchoMode(QLineEdit::Password);
            if (c.style & StyleRight)
                e->setAlignment(Qt::AlignRight);
            if (c.limit > 0) {
                e->setMaxLength(c.limit);
                limits_[c.id] = c.limit;
            }
            return e;
        }
    case ControlKind::Button:
    case ControlKind::DefaultButton: {
        auto* b = new QPushButton(text, this);
        b->setAutoDefault(false);
        b->setDefault(c.kind == ControlKind::DefaultButton);
        return b;
    }
    case ControlKind::CheckBox: return new QCheckBox(text, this);
    case ControlKind::RadioButton: {
        if (!group || (c.style & StyleGroup)) {
            group = new QButtonGroup(this);
            radioGroups_.push_back(group);
        }
        auto* r = new QRadioButton(text, this);
        group->addButton(r);
        return r;
    }
    case ControlKind::GroupBox: return new QGroupBox(text, this);
    case ControlKind::ComboList:
    case ControlKind::ComboEdit: {
        auto* cb = new QComboBox(this);
        cb->setEditable(c.kind == ControlKind::ComboEdit);
        cb->setProperty("fwSorted", bool(c.style & StyleSorted)); // addString keeps the order
        if (cb->lineEdit() && c.limit > 0) {
            cb->lineEdit()->setMaxLength(c.limit);
            limits_[c.id] = c.limit;
        }
        return cb;
    }
    case ControlKind::ListBox: {
        auto* l = new QListWidget(this);
        l->setSelectionMode(c.style & StyleMultiSelect ? QAbstractItemView::ExtendedSelection
                                                       : QAbstractItemView::SingleSelection);
        l->setSortingEnabled(c.style & StyleSorted);
        return l;
    }
    case ControlKind::DateTime: {
        auto* d = new DateTimeField(c.style & StyleTime ? DateTimeField::Kind::Time : DateTimeField::Kind::Date, this);
        d->setBlankAllowed(c.style & StyleAllowBlank);
        return d;
    }
    case ControlKind::Grid: {
        // A grid on a dialog: live at once, it shows rows as soon as the code sets a source.
        auto* g = new GridView(this);
        g->onInitialUpdate();
        return g;
    }
    case ControlKind::Custom: break;
    }
    return new QWidget(this);
}

// A label's '&' names the key that moves the focus to the control after it in the template
// (the label is the control's caption). A label with no such control shows its text without
// the marker, since a literal '&' would only be noise.
void Dialog::linkMnemonics(const DialogTemplate& tmpl, std::map<const ControlDef*, QWidget*>& widgetOf)
{
    const auto& defs = tmpl.controls;
    for (size_t i = 0; i < defs.size(); ++i) {
        if (defs[i].kind != ControlKind::Label)
            continue;
        auto* label = qobject_cast<QLabel*>(widgetOf[&defs[i]]);
        if (!label || !label->text().contains(u'&'))
            continue;
        QWidget* buddy = nullptr;
        for (size_t k = i + 1; k < defs.size() && !buddy; ++k) {
            ControlKind kind = defs[k].kind;
            if (kind == ControlKind::Label || kind == ControlKind::GroupBox || kind == ControlKind::Picture)
                continue;
            buddy = widgetOf[&defs[k]];
        }
        if (buddy)
            label->setBuddy(buddy);
        else
            label->setText(withoutMnemonic(label->text()));
    }
}

void Dialog::connectNotifications(uint32_t id, QWidget* w)
{
    w->installEventFilter(this);
    auto changed = [this, id] {
        if (!settingText_)
            notify(id, Notify::Change);
    };
    if (auto* e = qobject_cast<QLineEdit*>(w))
        connect(e, &QLineEdit::textChanged, this, changed);
    else if (auto* e = qobject_cast<QPlainTextEdit*>(w))
        connect(e, &QPlainTextEdit::textChanged, this, changed);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        connect(b, &QAbstractButton::clicked, this, [this, id] { notify(id, Notify::Clicked); });
    else if (auto* cb = qobject_cast<QComboBox*>(w)) {
        connect(cb, &QComboBox::activated, this, [this, id] { notify(id, Notify::SelChange); });
        if (cb->lineEdit())
            connect(cb->lineEdit(), &QLineEdit::textEdited, this, [this, id] { notify(id, Notify::Change); });
    } else if (auto* l = qobject_cast<QListWidget*>(w)) {
        connect(l, &QListWidget::itemSelectionChanged, this, [this, id] { notify(id, Notify::SelChange); });
        connect(l, &QListWidget::itemDoubleClicked, this, [this, id] { notify(id, Notify::DblClk); });
    } else if (auto* d = qobject_cast<DateTimeField*>(w))
        connect(d, &DateTimeField::valueChanged, this, [this, id] { notify(id, Notify::Change); });
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

bool Dialog::notifyFromControl(QWidget* control, Notify code)
{
    for (QWidget* w = control; w; w = w->parentWidget()) {
        auto* dlg = qobject_cast<Dialog*>(w->parentWidget());
        if (!dlg)
            continue;
        auto it = dlg->ids_.find(w);
        if (it == dlg->ids_.end())
            return false;
        dlg->notify(it->second, code);
        return true;
    }
    return false;
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
    // A dialog without an owner belongs to the main window while it runs, so it stays above it
    // and is centred on it (only while: the dialog object's lifetime stays its creator's).
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

} // namespace fw
