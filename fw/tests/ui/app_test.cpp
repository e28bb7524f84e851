#include "fw/test/fwtest.h"
#include "fw/ui/app.h"

#include <clocale>
#include <functional>
#include <string>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct Target : fw::CmdTarget {
    std::vector<uint32_t> timers;
    void onTimer(uint32_t id) override { timers.push_back(id); }
};

TEST(App, PostedCommandRunsOnlyWhenItsUpdateHandlerEnablesIt)
{
    fw::App app;
    Target t;
    bool enabled = false;
    int runs = 0;
    t.commands().onCommand(35968, [&] { ++runs; });
    t.commands().onUpdate(35968, [&](fw::CmdUI& ui) { ui.enable(enabled); });
    app.postCommand(&t, 35968);
    EXPECT_EQ(runs, 0) << "posting must not run the command at once";
    fw::test::processEvents();
    EXPECT_EQ(runs, 0);
    enabled = true;
    app.postCommand(&t, 35968);
    fw::test::processEvents();
    EXPECT_EQ(runs, 1);
    // A command nobody handles does nothing, and a target that went away gets nothing.
    app.postCommand(&t, 1);
    {
        Target gone;
        gone.commands().onCommand(2, [&] { ++runs; });
        app.postCommand(&gone, 2);
    }
    fw::test::processEvents();
    EXPECT_EQ(runs, 1);
}

TEST(App, RegisteredAndPostedMessages)
{
    fw::App app;
    uint32_t log = fw::App::registerMessage("WM_LOGNOTIFY");
    uint32_t audit = fw::App::registerMessage("WM_AUDITNOTIFY");
    EXPECT_GE(log, 0xC000u);
    EXPECT_NE(log, audit);
    EXPECT_EQ(fw::App::registerMessage("WM_LOGNOTIFY"), log);
    Target t;
    std::vector<std::pair<uint64_t, int64_t>> got;
    t.commands().onMessage(log, [&](uint64_t w, int64_t l) {
        got.emplace_back(w, l);
        return intptr_t(0);
    });
    app.postMessage(&t, log, 1, -1);
    app.postMessage(&t, log, 2, -2);
    app.postMessage(&t, audit, 3, 3); // unmapped: dropped
    fw::test::processEvents();
    EXPECT_EQ(got, (std::vector<std::pair<uint64_t, int64_t>> { { 1, -1 }, { 2, -2 } }));
}

TEST(App, ManualTimersFireInOrderAndKeepRunningUnderModalDialogs)
{
    fw::App app;
    fw::test::ManualClock clock;
    Target t;
    app.setTimer(&t, 1, 1000);
    app.setTimer(&t, 2, 300000);
    clock.advance(2500);
    EXPECT_EQ(t.timers, (std::vector<uint32_t> { 1, 1 }));
    t.timers.clear();

    fw::Dialog dlg(0u);
    int depthInside = -1;
    int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
        depthInside = app.modalDepth();
        clock.advance(297500); // to 300000: 298 ticks of timer 1, one of timer 2
        d.endDialog(fw::IDOK);
    });
    EXPECT_EQ(result, fw::IDOK);
    EXPECT_EQ(depthInside, 1);
    EXPECT_EQ(app.modalDepth(), 0);
    EXPECT_EQ(std::count(t.timers.begin(), t.timers.end(), 1u), 298);
    EXPECT_EQ(std::count(t.timers.begin(), t.timers.end(), 2u), 1);

    app.killTimer(&t, 1);
    EXPECT_FALSE(app.hasTimer(&t, 1));
    t.timers.clear();
    clock.advance(1000);
    EXPECT_TRUE(t.timers.empty());
}

struct FilteringApp : fw::App {
    int keys = 0;
    bool swallow = true;
    bool preTranslateMessage(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress)
            ++keys;
        return swallow && e->type() == QEvent::KeyPress;
    }
    int idleCalls = 0;
    bool onIdle(int count) override
    {
        ++idleCalls;
        return count < 2;
    }
};

TEST(App, InputFilterSeesKeysFirstAndCanSwallowThem)
{
    FilteringApp app;
    QLineEdit edit;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&edit, &press);
    EXPECT_EQ(app.keys, 1);
    EXPECT_TRUE(edit.text().isEmpty());
    app.swallow = false;
    QKeyEvent again(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"));
    QApplication::sendEvent(&edit, &again);
    EXPECT_EQ(edit.text(), QStringLiteral("b"));
}

TEST(App, IdleHookRunsUntilItAsksForNoMore)
{
    FilteringApp app;
    app.runIdle();
    EXPECT_EQ(app.idleCalls, 3);
}

TEST(App, IdleHookWaitsWhileAModalDialogOrANestedWaitRuns)
{
    FilteringApp app;
    fw::Dialog dlg(0u);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        app.runIdle();
        d.endDialog(fw::IDOK);
    });
    EXPECT_EQ(app.idleCalls, 0);
    {
        fw::App::WaitScope wait;
        EXPECT_TRUE(app.inNestedWait());
        app.runIdle();
    }
    EXPECT_EQ(app.idleCalls, 0);
    app.runIdle();
    EXPECT_EQ(app.idleCalls, 3);
}

// Libraries without windows show their boxes through fw::messageBox; with an application they
// reach its doMessageBox, as the windows' own boxes do.
TEST(App, LibraryMessageBoxesReachTheApplication)
{
    struct BoxApp : fw::App {
        std::vector<std::string> shown;
        int doMessageBox(const std::string& text, uint32_t type, uint32_t helpId) override
        {
            shown.push_back(text + "/" + std::to_string(type) + "/" + std::to_string(helpId));
            return fw::IDYES;
        }
    };
    {
        BoxApp app;
        fw::test::Script script; // the test hook is there too: the application still comes first
        EXPECT_EQ(fw::messageBox("Logon failed", fw::MB_YESNO, 12), fw::IDYES);
        EXPECT_EQ(app.shown, std::vector<std::string> { "Logon failed/4/12" });
        EXPECT_TRUE(script.messageBoxes().empty());
    }
    // Without an application the hook answers.
    fw::test::Script script;
    script.answerMessageBox(fw::IDNO);
    EXPECT_EQ(fw::messageBox("Logon failed", fw::MB_YESNO), fw::IDNO);
}

TEST(App, MessageBoxesGoThroughTheHook)
{
    fw::App app;
    fw::test::Script script;
    script.answerMessageBox(fw::IDNO);
    EXPECT_EQ(app.messageBox("Delete the order?", fw::MB_YESNO | fw::MB_ICONQUESTION), fw::IDNO);
    ASSERT_EQ(script.messageBoxes().size(), 1u);
    EXPECT_EQ(script.messageBoxes()[0], "Delete the order?");
    EXPECT_EQ(script.messageBoxTypes()[0], fw::MB_YESNO | fw::MB_ICONQUESTION);
    EXPECT_TRUE(script.allAnswersUsed());
}

// Without a script the box is a real modal QMessageBox: its text arrives converted
// from Windows-1250, its buttons follow the type, and the button pressed maps back.
TEST(App, UnscriptedMessageBoxIsARealModalBox)
{
    fw::App app;
    struct Case {
        uint32_t type;
        QMessageBox::StandardButton press;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton;
        QMessageBox::Icon icon;
        int result;
    } const cases[] = {
        { fw::MB_OK, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::NoIcon, fw::IDOK },
        { fw::MB_OKCANCEL | fw::MB_ICONEXCLAMATION, QMessageBox::Cancel, QMessageBox::Ok | QMessageBox::Cancel,
            QMessageBox::Ok, QMessageBox::Warning, fw::IDCANCEL },
        { fw::MB_YESNO | fw::MB_ICONQUESTION | fw::MB_DEFBUTTON2, QMessageBox::No,
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No, QMessageBox::Question, fw::IDNO },
        { fw::MB_YESNOCANCEL | fw::MB_ICONSTOP, QMessageBox::Yes,
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes, QMessageBox::Critical,
            fw::IDYES },
    };
    for (const auto& c : cases) {
        QString seenText;
        QMessageBox::StandardButtons seenButtons;
        QMessageBox::StandardButton seenDefault = QMessageBox::NoButton;
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        int depth = 0;
        int tries = 0;
        std::function<void()> answer = [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                // Bounded: the box is shown before its loop runs any timer.
                if (++tries < 50)
                    QTimer::singleShot(0, answer);
                return;
            }
            seenText = box->text();
            seenButtons = box->standardButtons();
            seenDefault = box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton;
            seenIcon = box->icon();
            depth = app.modalDepth();
            box->button(c.press)->click();
        };
        QTimer::singleShot(0, answer);
        EXPECT_EQ(app.messageBox("Hib\xe1s \xe1r: \xf5", c.type), c.result) << c.type;
        EXPECT_EQ(seenText, QString::fromUtf8("Hibás ár: ő")) << c.type;
        EXPECT_EQ(seenButtons, c.buttons) << c.type;
        EXPECT_EQ(seenDefault, c.defaultButton) << c.type;
        EXPECT_EQ(seenIcon, c.icon) << c.type;
        EXPECT_EQ(depth, 1) << c.type;
        EXPECT_EQ(app.modalDepth(), 0);
    }
}

// Qt may leave the user's number conventions in the C library; every wire number
// is read and written after start(), which puts "C" back before anything runs.
TEST(App, StartSetsTheCNumberLocaleBeforeInitInstance)
{
    const char* hungarian = nullptr;
    for (const char* name : { "hu_HU.UTF-8", "hu_HU.utf8" }) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            hungarian = name;
            break;
        }
    }
    if (hungarian == nullptr)
        GTEST_SKIP() << "hu_HU.UTF-8 is not installed";
    struct StartApp : fw::App {
        std::string seen;
        bool initInstance() override
        {
            seen = std::setlocale(LC_NUMERIC, nullptr);
            return false;
        }
    } app;
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_FALSE(app.start()) << "start() gives initInstance's answer";
    EXPECT_EQ(app.seen, "C");
    EXPECT_STREQ(std::localeconv()->decimal_point, ".");
    std::setlocale(LC_NUMERIC, "C");
}

} // namespace
