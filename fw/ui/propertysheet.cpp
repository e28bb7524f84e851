#include "fw/ui/propertysheet.h"

#include "fw/ui/text.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace fw {

PropertyPage::PropertyPage(uint32_t templateId) : Dialog(templateId)
{
    // A page lives inside the sheet's tabs, not in a window of its own.
    setWindowFlags(Qt::Widget);
}

PropertyPage::~PropertyPage()
{
    if (sheet_)
        sheet_->removePage(this);
}

void PropertyPage::setModified(bool modified)
{
    modified_ = modified;
    if (sheet_)
        sheet_->pageModified();
}

void PropertyPage::onOK()
{
    if (sheet_)
        sheet_->onOK();
}

void PropertyPage::onCancel()
{
    if (sheet_)
        sheet_->onCancel();
}

void PropertyPage::keyPressEvent(QKeyEvent* event)
{
    // A page has no default button of its own: Enter goes on to the sheet's.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && sheet_) {
        event->ignore();
        return;
    }
    Dialog::keyPressEvent(event);
}

PropertySheet::PropertySheet(const std::string& caption, QWidget* parent)
    : Dialog(0u, parent), tabs_(new QTabWidget(this)), applyButton_(nullptr)
{
    setWindowTitle(toQt(caption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    struct B {
        uint32_t id;
        const char* en;
        const char* hu;
    } defs[] = { { kIdOk, "OK", "OK" }, { kIdCancel, "Cancel", "Mégse" }, { kIdApplyNow, "&Apply", "&Alkalmaz" } };
    for (const B& b : defs) {
        auto* button = new QPushButton(toQt(resourceText(b.en, b.hu)), this);
        button->setAutoDefault(false);
        button->setDefault(b.id == kIdOk);
        buttons->addWidget(button);
        registerItem(b.id, button);
        if (b.id == kIdApplyNow)
            applyButton_ = button;
    }
    layout->addLayout(buttons);
    applyButton_->setEnabled(false);
    commands().onNotify(kIdApplyNow, Notify::Clicked, [this] { apply(); });
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (switching_ || index == active_)
            return;
        // A tab click is a request: the page being left may refuse.
        int wanted = index;
        switching_ = true;
        tabs_->setCurrentIndex(active_);
        switching_ = false;
        setActivePage(wanted);
    });
}

PropertySheet::~PropertySheet()
{
    // The pages belong to the caller: take them out of the widget tree before it goes.
    for (PropertyPage* p : pages_)
        if (p) {
            p->setParent(nullptr);
            p->sheet_ = nullptr;
        }
}

void PropertySheet::addPage(PropertyPage& page)
{
    insertPage(pageCount(), page);
}

void PropertySheet::insertPage(int index, PropertyPage& page)
{
    // A page shows once: adding it again moves it.
    removePage(&page);
    index = std::clamp(index, 0, pageCount());
    page.sheet_ = this;
    pages_.insert(pages_.begin() + index, &page);
    if (active_ >= index)
        ++active_;
    switching_ = true;
    tabs_->insertTab(index, &page, page.windowTitle());
    switching_ = false;
}

void PropertySheet::removePage(PropertyPage* page)
{
    const auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end())
        return;
    const int index = static_cast<int>(it - pages_.begin());
    pages_.erase(it);
    if (active_ == index)
        active_ = -1;
    else if (active_ > index)
        --active_;
    switching_ = true;
    tabs_->removeTab(index);
    switching_ = false;
    pageModified();
}

PropertyPage* PropertySheet::page(int index) const
{
    return index >= 0 && index < pageCount() ? pages_[static_cast<size_t>(index)] : nullptr;
}

bool PropertySheet::setActivePage(int index)
{
    PropertyPage* next = page(index);
    if (!next)
        return false;
    if (PropertyPage* cur = page(active_); cur && index != active_ && !cur->onKillActive())
        return false;
    next->initialize();
    next->activated_ = true;
    if (!next->onSetActive())
        return false;
    active_ = index;
    switching_ = true;
    tabs_->setCurrentIndex(index);
    switching_ = false;
    return true;
}

bool PropertySheet::onInitDialog()
{
    if (!pages_.empty())
        setActivePage(0);
    return true;
}

bool PropertySheet::apply()
{
    PropertyPage* cur = page(active_);
    if (cur && !cur->onKillActive())
        return false;
    for (PropertyPage* p : pages_) {
        if (!p->activated_ || !p->modified_)
            continue;
        if (!p->onApply())
            return false;
        p->modified_ = false;
    }
    pageModified();
    return true;
}

void PropertySheet::onOK()
{
    if (apply())
        endDialog(IDOK);
}

void PropertySheet::onCancel()
{
    for (PropertyPage* p : pages_)
        if (p->activated_)
            p->onReset();
    endDialog(IDCANCEL);
}

bool PropertySheet::isApplyEnabled() const
{
    return applyButton_->isEnabled();
}

void PropertySheet::pageModified()
{
    bool any = false;
    for (PropertyPage* p : pages_)
        any |= p->modified_;
    applyButton_->setEnabled(any);
}

} // namespace fw
