// The automation interface on a private session bus started by the test,
// driven from outside with gdbus: the records it sends over the scripted
// router, input it refuses, and the session it reports.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>

#include <memory>
#include <string>
#include <vector>

#include "fw/core/msgbox.h"
#include "fw/test/fwtest.h"
#include "kv32/shell/app/kv_app.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/router/cvorl.h"
#include "kvcore/router/kv_trace.h"
#include "support/scoped_env.h"
#include "support/scratch_dir.h"
#include "support/scripted_router.h"
#include "support/security_records.h"

namespace {

using kv32test::Msg;

constexpr int kProcessLimitMs = 20000;

// A session bus of the test's own, ended with the test.
class PrivateBus {
public:
    PrivateBus()
    {
        if (QStandardPaths::findExecutable("dbus-daemon").isEmpty())
            return;
        m_daemon.start("dbus-daemon", { "--session", "--nofork", "--print-address=1" });
        if (!m_daemon.waitForStarted(kProcessLimitMs) || !m_daemon.waitForReadyRead(kProcessLimitMs))
            return;
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed().toStdString();
    }
    ~PrivateBus()
    {
        if (m_daemon.state() != QProcess::NotRunning) {
            m_daemon.terminate();
            if (!m_daemon.waitForFinished(kProcessLimitMs))
                m_daemon.kill();
        }
    }
    const std::string& Address() const { return m_address; }

private:
    QProcess m_daemon;
    std::string m_address;
};

// "gdbus call" to the workstation; the event loop runs while it waits, so the
// program answers. The printed result, or "" when the call failed.
std::string Call(const QString& method, const QStringList& args)
{
    QProcess gdbus;
    QStringList all { "call", "--session", "--dest", "org.vexa.Kv32", "--object-path", "/Kv32", "--method",
        "org.vexa.Kv32." + method };
    all << "--" << args;
    gdbus.start("gdbus", all);
    QElapsedTimer waited;
    waited.start();
    while (gdbus.state() != QProcess::NotRunning && waited.elapsed() < kProcessLimitMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        gdbus.waitForFinished(10);
    }
    if (gdbus.state() != QProcess::NotRunning) {
        gdbus.kill();
        gdbus.waitForFinished(kProcessLimitMs);
        return {};
    }
    if (gdbus.exitCode() != 0)
        return {};
    return QString::fromUtf8(gdbus.readAllStandardOutput()).trimmed().toStdString();
}

// The process keeps its first session bus connection: the tests of one
// process share one bus, and a process that had one cannot test having none.
bool g_busUsed = false;

class Automation : public ::testing::Test {
protected:
    static void SetUpTestSuite() { bus = new PrivateBus(); }
    static void TearDownTestSuite()
    {
        delete bus;
        bus = nullptr;
    }
    void SetUp() override
    {
        g_busUsed = true;
        if (bus->Address().empty() || QStandardPaths::findExecutable("gdbus").isEmpty())
            GTEST_SKIP() << "dbus-daemon or gdbus missing (scripts/install-deps installs them)";
        busEnv = std::make_unique<kvtest::ScopedEnv>("DBUS_SESSION_BUS_ADDRESS", bus->Address());
        userPath = std::make_unique<kvtest::ScopedEnv>("kv3userpath", dir.Path());
        fw::setMessageBoxHook([](const std::string&, uint32_t) { return fw::IDOK; });
        dir.Write("kv32.ini", "[general]\nLogoPeriod=0\n");
        app = std::make_unique<CKvApp>();
        app->m_aCommandLine = { "kv32", "/NOCHECKVERSION" };
        ASSERT_TRUE(app->start());
        appRouter = pvorl;
        router = std::make_unique<kv32test::ScriptedRouter>("TRADER01");
        SecurityTable().Free();
        BoardTable().Free();
        std::string board = kv32test::BoardRecord(1, "BRD1", "Main board", 'A', true);
        tagTMSG m;
        m.nType = 22;
        m.nLength = static_cast<int32_t>(board.size());
        m.pText = reinterpret_cast<unsigned char*>(board.data());
        BoardTable().StoreDataItem(&m);
        kv32test::SecuritySpec spec;
        SecurityTable().DecodeSnapshot(kv32test::SecuritySnapshot(spec));
    }
    void TearDown() override
    {
        ps = nullptr;
        session.reset();
        SecurityTable().Free();
        BoardTable().Free();
        router.reset();
        pvorl = appRouter;
        if (app) {
            app->finish();
            app.reset();
        }
        fw::setMessageBoxHook({});
        KvAppSettings() = CKvAppSettings();
    }
    void LogOn()
    {
        session = std::make_unique<CSession>("TRADER01");
        ps = session.get();
    }
    std::vector<Msg> Sent() const { return router->Requests(); }

    static PrivateBus* bus;
    kvtest::ScratchIniDir dir;
    fw::test::ManualClock clock;
    std::unique_ptr<kvtest::ScopedEnv> busEnv, userPath;
    std::unique_ptr<CKvApp> app;
    CVorl* appRouter = nullptr;
    std::unique_ptr<kv32test::ScriptedRouter> router;
    std::unique_ptr<CSession> session;
};

PrivateBus* Automation::bus = nullptr;

TEST_F(Automation, LoggedOnFollowsTheSession)
{
    EXPECT_EQ(Call("LoggedOn", {}), "(false,)");
    LogOn();
    EXPECT_EQ(Call("LoggedOn", {}), "(true,)");
    ps = nullptr;
    EXPECT_EQ(Call("LoggedOn", {}), "(false,)");
}

TEST_F(Automation, WithdrawOrderSendsTheWithdrawalRecord)
{
    LogOn();
    kv32test::ScriptedRouter::Reply({ { 193, std::string("Withdrawn") + '\0' } });
    EXPECT_EQ(Call("WithdrawOrder", { "42" }), "(true,)");
    const auto sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].type, 138);
    EXPECT_EQ(sent[0].bytes, "TRADER01    A 000000000042=" + std::string(78, ' '));
    EXPECT_EQ(Call("WithdrawOrder", { "1000000000000" }), "(false,)") << "13 digits do not fit";
    EXPECT_EQ(Sent().size(), 1u);
}

TEST_F(Automation, SendOrderSendsTheOrderRecordAndRefusesBadInput)
{
    LogOn();
    kv32test::ScriptedRouter::Reply({ { 193, std::string("Order accepted") + '\0' } });
    EXPECT_EQ(Call("SendOrder", { "ACC1", "100", "123.45", "0", "0", "B", "SEC1", "Main board" }), "(true,)");
    auto sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].type, 132);
    EXPECT_EQ(sent[0].bytes.size(), 211u);
    EXPECT_EQ(sent[0].bytes.substr(0, 25), "TRADER01    ACC1        B");
    EXPECT_EQ(sent[0].bytes.substr(57, 26), "0BRD1INSTR0000001000012345");

    EXPECT_EQ(Call("SendOrder", { "ACC1", "100", "1", "0", "0", "B", "NOSUCH", "Main board" }), "(false,)");
    EXPECT_EQ(Call("SendOrder", { "ACCOUNT-TOO-LONG", "100", "1", "0", "0", "B", "SEC1", "Main board" }), "(false,)");
    EXPECT_EQ(Call("SendOrder", { "ACC1", "100", "1", "0", "0", "B", "SEC1", QString(5000, 'x') }), "(false,)");
    EXPECT_EQ(Call("SendOrder", { "\u4e2d", "100", "1", "0", "0", "B", "SEC1", "Main board" }), "(false,)")
        << "a character the program cannot hold";
    EXPECT_EQ(Sent().size(), 1u) << "refused input sends nothing";
}

TEST(AutomationWithoutBus, RunsWithoutItAndSaysSoOnce)
{
    if (g_busUsed)
        GTEST_SKIP() << "this process already has its session bus";
    kvtest::ScratchIniDir dir;
    kvtest::ScopedEnv noBus("DBUS_SESSION_BUS_ADDRESS", (dir.Path() + "/no-bus-here").c_str());
    std::vector<std::string> trace;
    KvSetTraceSink([&](const std::string& line) { trace.push_back(line); });
    fw::setMessageBoxHook([](const std::string&, uint32_t) { return fw::IDOK; });
    fw::test::ManualClock clock;
    dir.Write("kv32.ini", "[general]\nLogoPeriod=0\n");
    {
        CKvApp app;
        app.m_aCommandLine = { "kv32", "/NOCHECKVERSION" };
        EXPECT_TRUE(app.start());
        app.finish();
    }
    KvSetTraceSink({});
    fw::setMessageBoxHook({});
    KvAppSettings() = CKvAppSettings();
    int busLines = 0;
    for (const std::string& line : trace)
        busLines += line.rfind("automation: no session bus", 0) == 0 ? 1 : 0;
    EXPECT_EQ(busLines, 1);
}

} // namespace
