#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fw/core/codepage.h"
#include "fw/core/msgbox.h"
#include "fw/test/fwtest.h"
#include "kv32/shell/app/kv_app.h"
#include "kv32/shell/app/main_frame.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/audit_queue.h"
#include "kvcore/app/session_core.h"
#include "kvcore/router/cvorl.h"
#include "support/scratch_dir.h"

namespace {

// A printer that records what it is asked and opens as told.
struct PrinterLog {
    bool opens = false;
    int made = 0;
    int destroyed = 0;
    std::vector<std::string> calls;
};

class RecordingPrinter : public CLinePrint {
public:
    explicit RecordingPrinter(PrinterLog& log) : m_log(log) { ++m_log.made; }
    ~RecordingPrinter() override { ++m_log.destroyed; }
    bool OpenDefaultPrinter(bool direct, int fontSize) override
    {
        m_log.calls.push_back("open " + std::to_string(direct) + " " + std::to_string(fontSize));
        return m_log.opens;
    }
    bool PrintLine(const std::string& line) override
    {
        m_log.calls.push_back(line);
        return true;
    }

private:
    PrinterLog& m_log;
};

// The application with each start-up step recorded as it runs.
class RecordedApp : public CKvApp {
public:
    std::vector<std::string> steps;

protected:
    KvStartupSteps StartupSteps() override
    {
        KvStartupSteps s = CKvApp::StartupSteps();
        s.loadProfile = Logged("profile", s.loadProfile);
        s.openPrintLog = Logged("print log", s.openPrintLog);
        s.clearAuditQueue = Logged("audit queue", s.clearAuditQueue);
        s.registerMessages = Logged("messages", s.registerMessages);
        s.baseStart = Logged("core start", s.baseStart);
        s.regionalCheck = Logged("regional check", s.regionalCheck);
        s.componentCheck = Logged("component check", s.componentCheck);
        return s;
    }

private:
    template <class F> F Logged(const char* name, F step)
    {
        return [this, name, step] {
            steps.push_back(name);
            return step();
        };
    }
};

class AppStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        fw::setMessageBoxHook([this](const std::string& text, uint32_t) {
            boxes.push_back(fw::cp1250ToUtf8(text));
            return fw::IDOK;
        });
        AuditDisplayQueue().fill(7);
    }
    void TearDown() override
    {
        if (app) {
            app->finish();
            app.reset();
        }
        fw::setMessageBoxHook({});
        KvAppSettings() = CKvAppSettings();
    }
    bool Start(const std::string& ini, std::vector<std::string> commandLine = { "kv32", "/NOCHECKVERSION" })
    {
        dir.Write("kv32.ini", ini);
        app = std::make_unique<RecordedApp>();
        app->m_aCommandLine = std::move(commandLine);
        app->m_makePrinter = [this] { return std::make_unique<RecordingPrinter>(printer); };
        return app->start();
    }

    kvtest::ScratchIniDir dir;
    fw::test::ManualClock clock;
    PrinterLog printer;
    std::vector<std::string> boxes;
    std::unique_ptr<RecordedApp> app;
};

TEST_F(AppStart, RunsItsStepsInOrderToTheLoggedOffFrame)
{
    printer.opens = true;
    ASSERT_TRUE(Start("[general]\nLogoPeriod=0\nPrintLog=1\nDirectPrint=1\nLogFontSize=10\n"));
    EXPECT_EQ(app->steps,
        (std::vector<std::string> { "profile", "print log", "audit queue", "messages", "core start",
            "regional check", "component check" }));
    EXPECT_TRUE(boxes.empty());
    // The print log is open with the profile's mode and font.
    EXPECT_EQ(printer.calls, (std::vector<std::string> { "open 1 10" }));
    EXPECT_NE(app->PrintLogPrinter(), nullptr);
    EXPECT_EQ(KvAppSettings().bPrintLog, 1);
    for (int32_t slot : AuditDisplayQueue())
        EXPECT_EQ(slot, -1);
    EXPECT_EQ(KvNotifications().logNotify, fw::App::registerMessage("WM_LOGNOTIFY"));
    EXPECT_EQ(KvNotifications().auditNotify, fw::App::registerMessage("WM_AUDITNOTIFY"));
    EXPECT_NE(KvNotifications().logNotify, KvNotifications().auditNotify);
    // No user on the command line: the logged-off frame, a router session, no host session.
    auto* frame = dynamic_cast<CMainFrame*>(app->GetMainFrame());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetCurrentIDR(), IDR_KV_LOGGED_OFF);
    EXPECT_NE(pvorl, nullptr);
    EXPECT_EQ(ps, nullptr);
    // Exit lets the printer go.
    app->finish();
    EXPECT_EQ(printer.destroyed, 1);
    EXPECT_EQ(app->PrintLogPrinter(), nullptr);
    app.reset();
}

TEST_F(AppStart, NoDefaultPrinterTurnsThePrintLogOffForTheRun)
{
    printer.opens = false;
    ASSERT_TRUE(Start("[general]\nLogoPeriod=0\nPrintLog=1\n"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("No default printer.", 0), 0u) << boxes[0];
    EXPECT_EQ(printer.made, 1);
    EXPECT_EQ(printer.destroyed, 1);
    EXPECT_EQ(app->PrintLogPrinter(), nullptr);
    // The core reads the settings again during its start-up: the print log stays off.
    EXPECT_EQ(KvAppSettings().bPrintLog, 0);
}

TEST_F(AppStart, AWrongComponentStopsTheProgramEvenWithNoCheckVersion)
{
    printer.opens = true;
    dir.Write("kv32.ini", "[general]\nLogoPeriod=0\n");
    app = std::make_unique<RecordedApp>();
    app->m_aCommandLine = { "kv32", "/NOCHECKVERSION" };
    app->m_versionOf = [](const std::string&) { return std::string("0.0.0.1"); };
    EXPECT_FALSE(app->start());
    // Every step ran, the checks after the core's start.
    EXPECT_EQ(app->steps.back(), "component check");
    EXPECT_EQ(boxes.size(), 3u);
    for (const std::string& box : boxes)
        EXPECT_NE(box.find("Wrong version of the file"), std::string::npos) << box;
    EXPECT_EQ(printer.made, 0); // PrintLog off: no printer is made
}

} // namespace
