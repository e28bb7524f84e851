#include "fw/ui/app.h"

#include "fw/core/resources.h"

#include "fw/ui/doctemplate.h"
#include "fw/ui/mainframe.h"
#include "fw/ui/text.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <clocale>
#include <mutex>

namespace fw {

namespace {
App* g_app = nullptr;
} // namespace

App::App()
{
    g_app = this;
    // Message boxes raised by the libraries (fw::messageBox) come to doMessageBox while we live.
    setMessageBoxHandler([this](const std::string& text, uint32_t type, uint32_t helpId) {
        return doMessageBox(text, type, helpId);
    });
    if (auto* d = QAbstractEventDispatcher::instance(QThread::currentThread()))
        connect(d, &QAbstractEventDispatcher::aboutToBlock, this, &App::runIdle);
    if (qApp) {
        qApp->installEventFilter(this);
        filterInstalled_ = true;
    }
}

App::~App()
{
    timers_.clear();
    templates_.clear();
    if (filterInstalled_ && qApp)
        qApp->removeEventFilter(this);
    if (g_app == this) {
        g_app = nullptr;
        setMessageBoxHandler(nullptr);
    }
}

App* App::instance()
{
    return g_app;
}

bool App::start()
{
    std::setlocale(LC_NUMERIC, "C");
    return initInstance();
}

int App::finish()
{
    return exitInstance();
}

bool App::onIdle(int count)
{
    if (count == 0 && mainFrame_)
        mainFrame_->updateCommandBars();
    return false;
}

void App::runIdle()
{
    // A modal dialog or a nested wait runs its own loop: the idle work waits for the main one.
    if (inIdle_ || inModalState() || inNestedWait())
        return;
    inIdle_ = true;
    // A hook that always wants more would otherwise starve the event queue.
    for (int count = 0; count < 64; ++count)
        if (!onIdle(count))
            break;
    inIdle_ = false;
}

bool App::preTranslateMessage(QObject*, QEvent*)
{
    return false;
}

bool App::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
        // Qt delivers one input event to the widget and again to its parents; look once.
        if (!watched->isWidgetType())
            return false;
        return preTranslateMessage(watched, event);
    default:
        return false;
    }
}

int App::messageBox(const std::string& text, uint32_t type, uint32_t helpId)
{
    return doMessageBox(text, type, helpId);
}

int App::doMessageBox(const std::string& text, uint32_t type, uint32_t)
{
    ModalScope modal;
    if (messageBoxHook())
        return messageBoxHook()(text, type);
    QMessageBox box(mainFrame_);
    box.setText(toQt(text));
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct B {
        QMessageBox::StandardButton button;
        int result;
    };
    std::vector<B> buttons;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: buttons = { { QMessageBox::Ok, IDOK }, { QMessageBox::Cancel, IDCANCEL } }; break;
    case MB_YESNOCANCEL:
        buttons = { { QMessageBox::Yes, IDYES }, { QMessageBox::No, IDNO }, { QMessageBox::Cancel, IDCANCEL } };
        break;
    case MB_YESNO: buttons = { { QMessageBox::Yes, IDYES }, { QMessageBox::No, IDNO } }; break;
    default: buttons = { { QMessageBox::Ok, IDOK } }; break;
    }
    QMessageBox::StandardButtons all;
    for (auto& b : buttons)
        all |= b.button;
    box.setStandardButtons(all);
    // The toolkit names its buttons in English only; the program speaks the user's language.
    for (auto& b : buttons) {
        const char* en = b.result == IDYES ? "&Yes" : b.result == IDNO ? "&No" : b.result == IDCANCEL ? "Cancel" : "OK";
        const char* hu = b.result == IDYES ? "&Igen" : b.result == IDNO ? "&Nem" : b.result == IDCANCEL ? "Mégse" : "OK";
        box.button(b.button)->setText(toQt(resourceText(en, hu)));
    }
    size_t def = (type & MB_DEFBUTTON2) && buttons.size() > 1 ? 1 : 0;
    box.setDefaultButton(buttons[def].button);
    int chosen = box.exec();
    for (auto& b : buttons)
        if (chosen == b.button)
            return b.result;
    return buttons.size() > 1 ? IDCANCEL : IDOK;
}

MainFrame* App::mainFrame() const
{
    return mainFrame_;
}

void App::setMainFrame(MainFrame* frame)
{
    mainFrame_ = frame;
}

DocTemplate& App::addDocTemplate(std::unique_ptr<DocTemplate> tmpl)
{
    templates_.push_back(std::move(tmpl));
    return *templates_.back();
}

void App::deleteAllDocTemplates()
{
    for (auto& t : templates_)
        t->closeAllDocuments();
    templates_.clear();
}

void App::closeAllDocuments()
{
    for (auto& t : templates_)
        t->closeAllDocuments();
}

void App::updateAllViews(DocumentView* sender, intptr_t hint, Hint* object)
{
    for (auto& t : templates_)
        t->updateAllViews(sender, hint, object);
}

uint32_t App::registerMessage(std::string_view name)
{
    static std::mutex lock;
    static std::map<std::string, uint32_t, std::less<>> ids;
    std::lock_guard<std::mutex> guard(lock);
    auto it = ids.find(name);
    if (it != ids.end())
        return it->second;
    uint32_t id = 0xC000u + static_cast<uint32_t>(ids.size());
    ids.emplace(std::string(name), id);
    return id;
}

void App::postMessage(CmdTarget* target, uint32_t message, uint64_t wparam, int64_t lparam)
{
    if (!target)
        return;
    QMetaObject::invokeMethod(
        this,
        [life = target->lifeToken(), target, message, wparam, lparam] {
            if (!life.expired())
                target->routeMessage(message, wparam, lparam);
        },
        Qt::QueuedConnection);
}

bool App::runCommandIfEnabled(CmdTarget* target, uint32_t id)
{
    CmdUI ui(id, CmdUI::Source::Other);
    target->routeUpdate(ui);
    if (!ui.enabled())
        return false;
    return target->routeCommand(id);
}

void App::postCommand(CmdTarget* target, uint32_t id)
{
    if (!target)
        return;
    QMetaObject::invokeMethod(
        this,
        [life = target->lifeToken(), target, id] {
            if (!life.expired())
                runCommandIfEnabled(target, id);
        },
        Qt::QueuedConnection);
}

void App::commandChain(std::vector<CmdTarget*>& out)
{
    out.push_back(this);
}

void App::enterModal()
{
    ++modalDepth_;
}

void App::leaveModal()
{
    if (modalDepth_ > 0)
        --modalDepth_;
}

App::ModalScope::ModalScope()
{
    if (g_app)
        g_app->enterModal();
}

App::ModalScope::~ModalScope()
{
    if (g_app)
        g_app->leaveModal();
}

App::WaitScope::WaitScope()
{
    if (g_app)
        ++g_app->waitDepth_;
}

App::WaitScope::~WaitScope()
{
    if (g_app && g_app->waitDepth_ > 0)
        --g_app->waitDepth_;
}

void App::fire(CmdTarget* target, uint32_t id)
{
    target->onTimer(id);
}

void App::startRealTimer(Timer& t)
{
    t.qt = std::make_unique<QTimer>();
    t.qt->setInterval(std::max(t.period, 1));
    // Timers are never swallowed by modal loops: QDialog::exec runs the same event dispatcher.
    connect(t.qt.get(), &QTimer::timeout, this, [this, life = t.life, target = t.target, id = t.id] {
        if (!life.expired())
            fire(target, id);
    });
    t.qt->start();
}

void App::setTimer(CmdTarget* target, uint32_t id, int periodMs)
{
    if (!target)
        return;
    killTimer(target, id);
    auto t = std::make_unique<Timer>();
    t->life = target->lifeToken();
    t->target = target;
    t->id = id;
    t->period = std::max(periodMs, 1);
    t->due = clock().steadyMs() + t->period;
    if (!clock().isManual())
        startRealTimer(*t);
    timers_.push_back(std::move(t));
}

void App::killTimer(CmdTarget* target, uint32_t id)
{
    for (auto& t : timers_)
        if (t->target == target && t->id == id && t->qt) {
            // The timer may be the one whose tick is running right now.
            t->qt->stop();
            t->qt.release()->deleteLater();
        }
    std::erase_if(timers_, [&](const auto& t) { return t->target == target && t->id == id; });
}

bool App::hasTimer(CmdTarget* target, uint32_t id) const
{
    return std::any_of(timers_.begin(), timers_.end(), [&](const auto& t) {
        return t->target == target && t->id == id && !t->life.expired();
    });
}

void App::TimerClock::clockChanged()
{
    const int64_t now = clock().steadyMs();
    for (auto& t : app_.timers_) {
        t->qt.reset();
        t->due = now + t->period;
        if (!clock().isManual())
            app_.startRealTimer(*t);
    }
}

std::optional<int64_t> App::TimerClock::nextDue() const
{
    std::optional<int64_t> next;
    for (const auto& t : app_.timers_)
        if (!t->life.expired() && (!next || t->due < *next))
            next = t->due;
    return next;
}

void App::TimerClock::fireDue(int64_t now)
{
    std::erase_if(app_.timers_, [](const auto& t) { return t->life.expired(); });
    Timer* next = nullptr;
    for (auto& t : app_.timers_)
        if (t->due <= now && (!next || t->due < next->due))
            next = t.get();
    if (!next)
        return;
    next->due += next->period;
    app_.fire(next->target, next->id);
}

} // namespace fw
