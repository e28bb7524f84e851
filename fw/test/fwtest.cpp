#include "fw/test/fwtest.h"

#include "fw/core/command.h"
#include "fw/ui/app.h"
#include "fw/ui/mainframe.h"
#include "fw/ui/printing.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace fw::test {

namespace {
struct Direct {
    Dialog* dialog;
    DialogScript script;
};
std::vector<Direct> g_direct;
Script* g_script = nullptr;

void installModalHook()
{
    Dialog::setModalHook([](Dialog& d) { modalHook(d); });
}
} // namespace

void modalHook(Dialog& d)
{
    DialogScript script;
    for (auto it = g_direct.rbegin(); it != g_direct.rend(); ++it)
        if (it->dialog == &d && it->script) {
            script = std::move(it->script);
            break;
        }
    if (!script && g_script) {
        g_script->dialogsShown_.push_back(d.templateId());
        auto it = g_script->dialogScripts_.find(d.templateId());
        if (it != g_script->dialogScripts_.end()) {
            script = std::move(it->second);
            g_script->dialogScripts_.erase(it);
        }
    }
    if (!script) {
        ADD_FAILURE() << "modal dialog " << d.templateId() << " opened without a script";
        d.endDialog(IDCANCEL);
        return;
    }
    script(d);
    if (d.isVisible()) {
        ADD_FAILURE() << "script left dialog " << d.templateId() << " open";
        d.endDialog(IDCANCEL);
    }
}

int runModal(Dialog& dialog, DialogScript script)
{
    installModalHook();
    g_direct.push_back({ &dialog, std::move(script) });
    int result = dialog.doModal();
    g_direct.pop_back();
    return result;
}

Script::Script()
{
    g_script = this;
    installModalHook();
    setMessageBoxHook([this](const std::string& text, uint32_t type) {
        boxTexts_.push_back(text);
        boxTypes_.push_back(type);
        if (boxAnswers_.empty()) {
            ADD_FAILURE() << "unexpected message box: " << text;
            return (type & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
        }
        int r = boxAnswers_.front();
        boxAnswers_.pop_front();
        return r;
    });
    MainFrame::setPopupHook([this](const Menu& shown) -> uint32_t {
        popups_.push_back(shown);
        if (popupAnswers_.empty()) {
            ADD_FAILURE() << "unexpected popup menu";
            return 0;
        }
        uint32_t id = popupAnswers_.front();
        popupAnswers_.pop_front();
        return id;
    });
    setFileDialogHook([this](const FileDialogRequest& r) -> std::optional<std::string> {
        fileRequests_.push_back(r);
        if (fileAnswers_.empty()) {
            ADD_FAILURE() << "unexpected file dialog: " << r.title;
            return std::nullopt;
        }
        auto a = fileAnswers_.front();
        fileAnswers_.pop_front();
        return a;
    });
    setColorDialogHook([this](uint32_t) -> std::optional<uint32_t> {
        if (colorAnswers_.empty()) {
            ADD_FAILURE() << "unexpected colour dialog";
            return std::nullopt;
        }
        auto a = colorAnswers_.front();
        colorAnswers_.pop_front();
        return a;
    });
    setPrintHook([this](const PrintRequest& r) -> std::optional<std::string> {
        if (printAnswers_.empty()) {
            ADD_FAILURE() << "unexpected print request: " << r.title;
            return std::nullopt;
        }
        auto a = printAnswers_.front();
        printAnswers_.pop_front();
        return a;
    });
    setFontDialogHook([this](const FontChoice&) -> std::optional<FontChoice> {
        if (fontAnswers_.empty()) {
            ADD_FAILURE() << "unexpected font dialog";
            return std::nullopt;
        }
        auto a = fontAnswers_.front();
        fontAnswers_.pop_front();
        return a;
    });
}

Script::~Script()
{
    setPrintHook(nullptr);
    setMessageBoxHook(nullptr);
    MainFrame::setPopupHook(nullptr);
    setFileDialogHook(nullptr);
    setColorDialogHook(nullptr);
    setFontDialogHook(nullptr);
    if (g_script == this)
        g_script = nullptr;
}

void Script::expectDialog(uint32_t templateId, DialogScript script)
{
    dialogScripts_.emplace(templateId, std::move(script));
}

bool Script::allAnswersUsed() const
{
    return boxAnswers_.empty() && popupAnswers_.empty() && fileAnswers_.empty() && colorAnswers_.empty()
        && fontAnswers_.empty() && printAnswers_.empty() && dialogScripts_.empty();
}

void ManualClock::tick(CmdTarget& target, uint32_t timerId)
{
    target.onTimer(timerId);
}

void processEvents()
{
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        // Closed windows delete themselves later; outside an event loop that needs a push.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace fw::test
