#pragma once
// The application object: start and exit hooks, the idle hook, an application-wide input filter,
// message boxes, registered and posted messages and commands, timers and the modal depth.
#include "fw/ui/fw_ui_api.h"
#include "fw/core/clock.h"
#include "fw/core/command.h"
#include "fw/core/msgbox.h"

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QEvent;
class QTimer;

namespace fw {

class DocTemplate;
class DocumentView;
class Hint;
class MainFrame;

class FW_UI_API App : public QObject, public CmdTarget {
    Q_OBJECT
public:
    App();
    ~App() override;

    // The one application object, or null.
    static App* instance();

    // Start-up and shut-down hooks; start() sets LC_NUMERIC to "C" first (Qt may have changed it).
    virtual bool initInstance() { return true; }
    virtual int exitInstance() { return 0; }
    bool start();
    int finish();

    // Called when the event queue runs empty; count starts at 0 for each idle period. Return true
    // to be called again before the queue blocks. Never called while a modal dialog or a nested
    // wait runs.
    virtual bool onIdle(int count);
    // Runs the idle hook until it asks for no more (bounded); tests call it directly.
    void runIdle();
    // A nested wait (a blocking request that keeps the windows painted) runs while a scope lives.
    class FW_UI_API WaitScope {
    public:
        WaitScope();
        ~WaitScope();
        WaitScope(const WaitScope&) = delete;
        WaitScope& operator=(const WaitScope&) = delete;
    };
    bool inNestedWait() const { return waitDepth_ > 0; }

    // Sees every key and mouse event of the application first; true swallows the event.
    virtual bool preTranslateMessage(QObject* watched, QEvent* event);

    // Every message box of the program comes here, also those of the libraries (fw::messageBox);
    // the default asks the test hook (fw::setMessageBoxHook), if any, else shows a standard box.
    // Returns IDOK, IDCANCEL, IDYES or IDNO.
    virtual int doMessageBox(const std::string& text, uint32_t type, uint32_t helpId);
    int messageBox(const std::string& text, uint32_t type = MB_OK, uint32_t helpId = 0);

    MainFrame* mainFrame() const;
    void setMainFrame(MainFrame* frame);

    // Document templates, in registration order.
    DocTemplate& addDocTemplate(std::unique_ptr<DocTemplate> tmpl);
    const std::vector<std::unique_ptr<DocTemplate>>& docTemplates() const { return templates_; }
    void deleteAllDocTemplates();
    // Every template closes its documents, first template first.
    virtual void closeAllDocuments();
    // Every view of every document of every template (sender excepted).
    void updateAllViews(DocumentView* sender, intptr_t hint = 0, Hint* object = nullptr);

    // Message ids from 0xC000 up; the same name gives the same id for the life of the process.
    static uint32_t registerMessage(std::string_view name);
    // Queued delivery through the target's message route; dropped if the target is gone.
    void postMessage(CmdTarget* target, uint32_t message, uint64_t wparam = 0, int64_t lparam = 0);
    // Queued command: on delivery the update handlers are asked first, and a command they
    // disable does not run.
    void postCommand(CmdTarget* target, uint32_t id);
    // The same check, at once. True when the command ran.
    static bool runCommandIfEnabled(CmdTarget* target, uint32_t id);

    // Timers call target->onTimer(id) every period, also while a modal dialog runs. Setting an
    // existing (target, id) restarts it with the new period. They follow fw::clock(): with a
    // manual clock installed they fire only as it advances.
    void setTimer(CmdTarget* target, uint32_t id, int periodMs);
    void killTimer(CmdTarget* target, uint32_t id);
    bool hasTimer(CmdTarget* target, uint32_t id) const;

    // Modal state: dialogs and message boxes enter it while they run.
    int modalDepth() const { return modalDepth_; }
    bool inModalState() const { return modalDepth_ > 0; }
    void enterModal();
    void leaveModal();
    class ModalScope {
    public:
        ModalScope();
        ~ModalScope();
        ModalScope(const ModalScope&) = delete;
        ModalScope& operator=(const ModalScope&) = delete;
    };

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void commandChain(std::vector<CmdTarget*>& out) override;

private:
    struct Timer {
        std::weak_ptr<void> life;
        CmdTarget* target;
        uint32_t id;
        int period;
        int64_t due;
        std::unique_ptr<QTimer> qt;
    };
    void startRealTimer(Timer& t);
    void fire(CmdTarget* target, uint32_t id);
    // The timers' side of the clock.
    class TimerClock : public ClockListener {
    public:
        explicit TimerClock(App& app) : app_(app) {}
        void clockChanged() override;
        std::optional<int64_t> nextDue() const override;
        void fireDue(int64_t now) override;

    private:
        App& app_;
    };

    QPointer<MainFrame> mainFrame_;
    std::vector<std::unique_ptr<DocTemplate>> templates_;
    std::vector<std::unique_ptr<Timer>> timers_;
    TimerClock timerClock_ { *this };
    int modalDepth_ = 0;
    int waitDepth_ = 0;
    bool inIdle_ = false;
    bool filterInstalled_ = false;
};

} // namespace fw
