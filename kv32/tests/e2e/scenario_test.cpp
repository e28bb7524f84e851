// The scenarios of kv32/tests/e2e/scenarios played by the workstation
// (kv32_scenario) against the simulated exchange behind a real vorlrouter on
// loopback (and the news FTP site, pyftpdlib), in English and in Hungarian; a failing step names its line and
// leaves a picture; the scenario files' own mistakes are named by line before
// anything runs. Pictures go to KV32_SHOT_DIR when it is set.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "pyftpd_server.h"
#include "router_test_support.h"
#include "scenario.h"
#include "support/pdf_text.h"

extern char** environ;

namespace {

using routertest::readFile;

// One run of the player: its exit code (-1 when it had to be killed) and its log.
struct PlayerRun {
    int code = -1;
    std::string log;
    long long ms = 0;
};

// A player started in the background: its process and where its log goes.
struct StartedPlayer {
    pid_t pid = -1;
    std::string logPath;
    std::chrono::steady_clock::time_point started;
};

StartedPlayer StartPlayer(const std::vector<std::string>& args, const std::string& logPath)
{
    std::vector<std::string> text { "kv32_scenario" };
    text.insert(text.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : text)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    const std::string program = routertest::binDir() + "/kv32_scenario";
    StartedPlayer player { -1, logPath, std::chrono::steady_clock::now() };
    if (posix_spawn(&player.pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
        player.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return player;
}

// Whether the player has ended, leaving it to FinishPlayer to collect.
bool Ended(const StartedPlayer& player)
{
    siginfo_t info {};
    return player.pid <= 0
        || (waitid(P_PID, static_cast<id_t>(player.pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid != 0);
}

// Waits for the player's end; one still running after `limit` is killed.
PlayerRun FinishPlayer(const StartedPlayer& player, std::chrono::seconds limit = std::chrono::seconds(600))
{
    PlayerRun run;
    if (player.pid <= 0) {
        run.log = "kv32_scenario could not be started from " + routertest::binDir();
        return run;
    }
    int status = 0;
    const bool ended = routertest::waitUntil([&] { return waitpid(player.pid, &status, WNOHANG) == player.pid; }, limit);
    if (!ended) {
        ::kill(player.pid, SIGKILL);
        waitpid(player.pid, &status, 0);
    } else if (WIFEXITED(status))
        run.code = WEXITSTATUS(status);
    run.ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - player.started)
                 .count();
    run.log = readFile(player.logPath);
    if (!ended)
        run.log += "\n(killed after " + std::to_string(limit.count()) + " s)";
    return run;
}

PlayerRun RunPlayer(const std::vector<std::string>& args, const std::string& logPath,
    std::chrono::seconds limit = std::chrono::seconds(600))
{
    return FinishPlayer(StartPlayer(args, logPath), limit);
}

// The user's languages: the interface follows the message locale; numbers keep
// the C form in both, so that one scenario file serves both runs.
void UseLanguage(const std::string& language)
{
    if (language == "hu") {
        unsetenv("LC_ALL");
        for (const char* name : { "LANG", "LC_MESSAGES" })
            setenv(name, "hu_HU.UTF-8", 1);
        for (const char* name : { "LC_NUMERIC", "LC_MONETARY", "LC_TIME" })
            setenv(name, "C", 1);
    } else {
        for (const char* name : { "LANG", "LC_MESSAGES", "LC_NUMERIC", "LC_MONETARY", "LC_TIME" })
            unsetenv(name);
        setenv("LC_ALL", "C", 1);
    }
}

class Scenarios : public routertest::RouterTest {
protected:
    void SetUp() override
    {
        routertest::RouterTest::SetUp();
        writeConfig("Clients=8\n", "ConnectTime=1\nConnectTries=3\nWindowSize=1\n");
        router = startAndWait("vorlrouter", { config_ }, "router.out", "ready on");
        exchange = startAndWait("exchange", { config_, "--clock", "100000" }, "exchange.out", "serving");
        std::ofstream(path("kv32.ini"))
            << "[general]\nLogoPeriod=0\n[VORLClient]\nService=" << port_
            << "\nHostType=TEST\nBroadcastAddress=127.255.255.255\nConnectTime=1\n";
        setenv("VEXA_INI_DIR", dir_.c_str(), 1);
        setenv("kv3userpath", dir_.c_str(), 1);
        // Files the program puts into the temporary folder stay the test's own.
        setenv("TMPDIR", dir_.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        // The player offers no automation interface on anybody's bus.
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
        unsetenv("XDG_RUNTIME_DIR");
        const char* shots = std::getenv("KV32_SHOT_DIR");
        shotDir = shots != nullptr && *shots != '\0' ? std::string(shots) : path("shots");
    }
    void TearDown() override
    {
        if (exchange) {
            EXPECT_EQ(exchange->stop(), 0);
        }
        if (router) {
            EXPECT_EQ(router->stop(), 0);
        }
        UseLanguage("en");
        unsetenv("VEXA_INI_DIR");
        unsetenv("kv3userpath");
        unsetenv("TMPDIR");
        routertest::RouterTest::TearDown();
    }
    PlayerRun Play(
        const std::string& scenario, const std::string& language, std::vector<std::string> extra = {})
    {
        UseLanguage(language);
        std::vector<std::string> args = { "--shots", shotDir, "--coverage", path("coverage.txt") };
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back(scenario);
        PlayerRun run = RunPlayer(args, path("player-" + language + ".out"));
        std::printf("scenario %s (%s): %lld ms\n", std::filesystem::path(scenario).filename().c_str(),
            language.c_str(), run.ms);
        return run;
    }
    std::string Coverage() const { return readFile(path("coverage.txt")); }

    std::unique_ptr<routertest::Child> router;
    std::unique_ptr<routertest::Child> exchange;
    std::string shotDir;
};

// One scenario in one language, with what its coverage log must show.
struct ScenarioCase {
    const char* scenario;
    const char* language;
    std::vector<const char*> covered;
    std::vector<const char*> pictures;
};

// What Python's csv module reads from a file of the program's code page:
// each line's fields joined by '|', lines by '\n'; empty when it fails.
std::string PythonCsvRows(const std::string& file, char delimiter)
{
    const std::string command
        = std::string("python3 -c 'import csv, sys\n"
                      "with open(sys.argv[1], encoding=\"cp1250\", newline=\"\") as f:\n"
                      "    for row in csv.reader(f, delimiter=sys.argv[2]): print(\"|\".join(row))' '")
        + file + "' '" + delimiter + "' 2>&1";
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return out;
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    return pclose(pipe) == 0 ? out : "python3 failed: " + out;
}

std::string CaseName(const ::testing::TestParamInfo<ScenarioCase>& info)
{
    return std::string(info.param.scenario) + "_" + info.param.language;
}

class ScenarioPlay : public Scenarios, public ::testing::WithParamInterface<ScenarioCase> { };

TEST_P(ScenarioPlay, EveryStepPassesAgainstTheExchange)
{
    const ScenarioCase& c = GetParam();
    std::unique_ptr<fwtest::PyFtpServer> ftp;
    // The news scenarios publish an attachment on the news FTP site and fetch it into "NewsPath".
    if (std::string(c.scenario).rfind("news", 0) == 0) {
        if (!fwtest::PyFtpServer::Available())
            GTEST_SKIP() << "python3-pyftpdlib is not installed";
        ftp = std::make_unique<fwtest::PyFtpServer>("molva", "tirqa58");
        ASSERT_TRUE(ftp->Ok()) << "the FTP server did not start";
        std::filesystem::create_directory(ftp->Home() + "/ftp");
        std::ofstream(path("kv32.ini"), std::ios::app)
            << "[NEWS]\nFtpUrl=ftp://127.0.0.1:" << ftp->Port()
            << "/ftp\nFtpUser=molva\nFtpPassword=tirqa58\nFtpPassive=1\nNewsPath=" << path("news") << "\n";
        std::filesystem::create_directory(path("news"));
        std::ofstream(path("jelentes-q3.txt"), std::ios::binary)
            << "Negyed\xE9ves jelent\xE9s\r\nAz \xE1rbev\xE9tel 12%-kal n\xF5tt.\r\n";
    }
    // The coverage check reads every run's log from one folder of the build.
    const std::filesystem::path kept
        = std::filesystem::path(KV32_COVERAGE_DIR) / (std::string(c.scenario) + "-" + c.language + ".txt");
    std::filesystem::create_directories(kept.parent_path());
    std::filesystem::remove(kept);
    std::vector<std::string> extra;
    const bool printLog = std::string(c.scenario) == "print_log";
    if (printLog) {
        // The print log on, printing to PDF files.
        std::string ini = readFile(path("kv32.ini"));
        ini.replace(ini.find("[general]\n"), 10, "[general]\nPrintLog=1\n");
        std::ofstream(path("kv32.ini"), std::ios::trunc) << ini;
        extra = { "--print-pdf", path("printlog") };
    }
    const PlayerRun run = Play(std::string(KV32_SCENARIO_DIR) + "/" + c.scenario + ".txt", c.language, extra);
    const std::string coverage = Coverage();
    std::ofstream(kept) << coverage;
    ASSERT_EQ(run.code, 0) << run.log;
    for (const char* line : c.covered)
        EXPECT_NE(coverage.find(std::string(line) + "\n"), std::string::npos) << line << "\n" << coverage;
    for (const char* picture : c.pictures)
        EXPECT_TRUE(std::filesystem::exists(shotDir + "/" + picture + "-" + c.language + ".png")) << picture;
    if (ftp) {
        // The attachment reached the news site byte for byte.
        EXPECT_EQ(readFile(ftp->Home() + "/ftp/jelentes-q3.txt"), readFile(path("jelentes-q3.txt")));
    }
    if (printLog) {
        // The logoff ended the first document: the logon line first, the logoff line last.
        std::vector<std::string> lines = PdfTextLines(path("printlog-1.pdf"));
        for (std::string& line : lines)
            line.erase(0, line.find_first_not_of(' '));
        ASSERT_GE(lines.size(), 2u) << run.log;
        const bool hu = std::string(c.language) == "hu";
        const std::string logon
            = hu ? "BRK1T1 felhaszn\xC3\xA1l\xC3\xB3 bejelentkezett: " : "User BRK1T1 logged in on ";
        const std::string logoff
            = hu ? "BRK1T1 felhaszn\xC3\xA1l\xC3\xB3 kijelentkezett: " : "User BRK1T1 logged off on ";
        EXPECT_EQ(lines.front().rfind(logon, 0), 0u) << lines.front();
        EXPECT_EQ(lines.back().rfind(logoff, 0), 0u) << lines.back();
    }
    if (std::string(c.scenario) == "auction") {
        // The export splits into the title line and one line a size, ten
        // fields each, with the interface language's separator.
        const std::string rows
            = PythonCsvRows(path("auctiondata.csv"), std::string(c.language) == "hu" ? ';' : ',');
        std::vector<std::string> lines;
        for (size_t at = 0; at < rows.size();) {
            const size_t end = rows.find('\n', at);
            lines.push_back(rows.substr(at, end == std::string::npos ? std::string::npos : end - at));
            at = end == std::string::npos ? rows.size() : end + 1;
        }
        ASSERT_EQ(lines.size(), 6u) << rows;
        for (const std::string& line : lines)
            EXPECT_EQ(std::count(line.begin(), line.end(), '|'), 9) << line;
    }
}


const std::vector<const char*> kTradingCovered = { "table 8", "table 9", "table 10", "command 32994 run",
    "command 32995 run", "command 32789 run", "command 32786 run", "dialog 116 button 1",
    "dialog 116 button 2", "dialog 118 button 1", "dialog 119 button 1", "command 33076 disabled",
    "command 33100 disabled", "sent 132", "sent 137", "sent 138" };
const std::vector<const char*> kTradingPictures = { "e2e-orders-window", "e2e-trades-window",
    "e2e-neg-deals-window", "e2e-order-entry", "e2e-order-amend", "e2e-order-withdraw" };
const std::vector<const char*> kMessagesCovered
    = { "command 32802 run", "dialog 129 button 1", "dialog 130 shown", "dialog 130 button 1", "sent 144" };
const std::vector<const char*> kNewsCovered
    = { "command 32966 run", "dialog 194 button 1", "dialog 195 button 1", "sent 154" };
const std::vector<const char*> kSupervisorCovered
    = { "command 32880 run", "command 32881 run", "command 32882 run", "dialog 242 button 1",
          "dialog 148 button 1", "table 20", "sent 142" };
const std::vector<const char*> kMarketMakerCovered
    = { "table 8", "command 33091 run", "command 33161 run", "dialog 1539 button 1", "dialog 259 button 1",
          "sent 140", "sent 178" };
const std::vector<const char*> kMessageUpdateCovered = { "table 18", "command 32844 run", "command 32845 run",
    "dialog 129 button 1", "sent 144", "sent 169", "sent 170" };
const std::vector<const char*> kMessageUpdatePictures = { "e2e-message-update", "e2e-message-withdrawn" };
const std::vector<const char*> kNewsItemCovered = { "table 19", "command 572 run", "command 571 run",
    "command 573 run", "dialog 196 shown", "dialog 194 button 1", "document opened", "sent 154", "sent 69",
    "sent 171" };
const std::vector<const char*> kNewsItemPictures = { "e2e-news-item", "e2e-news-amend", "e2e-news-window" };
const std::vector<const char*> kAlertsCovered = { "table 17", "table 22", "command 33006 run", "command 33005 run",
    "command 32796 run", "dialog 412 button 358", "dialog 411 button 1", "dialog 134 shown", "dialog 213 button 1105",
    "dialog 213 button 1", "sent 132" };
const std::vector<const char*> kAlertsPictures = { "e2e-security-alert", "e2e-security-alert-fired", "e2e-firm-alert",
    "e2e-alert-log", "e2e-securities-selection", "e2e-securities-selected" };
const std::vector<const char*> kOrderCountingCovered
    = { "command 32780 run", "table 22", "command 33190 run", "dialog 277 button 1", "dialog 134 shown", "sent 132" };
const std::vector<const char*> kOrderCountingPictures = { "e2e-order-counting-window", "e2e-order-counting-limits",
    "e2e-order-counting-alert", "e2e-order-counting-log" };

const std::vector<const char*> kDealsCovered
    = { "table 10", "command 32970 run", "command 32786 run", "dialog 115 button 1", "dialog 198 button 1",
          "sent 134", "sent 155" };
const std::vector<const char*> kAuctionCovered
    = { "command 33169 run", "command 33186 run", "dialog 102 button 1010", "dialog 102 button 7031", "sent 120",
          "sent 121", "sent 173", "sent 174" };
const std::vector<const char*> kSupervisor2Covered = { "command 32796 run", "table 28", "table 16",
    "command 32862 run", "command 32863 run", "command 33077 run", "command 33187 run", "command 33182 run",
    "command 33183 run", "dialog 242 button 1", "dialog 235 button 1", "dialog 272 button 1", "sent 142", "sent 144" };
const std::vector<const char*> kSupervisor2Pictures
    = { "e2e-suspend-security", "e2e-ref-price", "e2e-ref-price-events", "e2e-permission-set" };
const std::vector<const char*> kAccountsCovered = { "table 17", "table 8", "command 32893 run", "command 32894 run",
    "command 60020 run", "command 32846 run", "dialog 138 button 1", "dialog 139 button 1", "dialog 233 button 1",
    "dialog 231 button 472", "dialog 231 button 359", "dialog 144 shown", "sent 166", "sent 167", "sent 168" };
const std::vector<const char*> kAccountsPictures = { "e2e-account-status", "e2e-depository-status", "e2e-groups",
    "e2e-account-information" };
const std::vector<const char*> kLimitsCovered
    = { "table 16", "command 33173 run", "command 33176 run", "dialog 268 button 1", "sent 156", "table 15",
          "command 33174 run", "command 33177 run", "sent 86", "sent 165" };
const std::vector<const char*> kDealsPictures = { "e2e-deal-input", "e2e-deal-amend" };

const std::vector<const char*> kFirmManagerCovered = { "table 16", "table 17", "command 33173 run",
    "command 33175 run", "command 32895 run", "command 32790 run", "command 33178 run", "dialog 268 button 1", "sent 90", "sent 46",
    "sent 45", "sent 47", "sent 150" };
const std::vector<const char*> kFirmManagerPictures
    = { "e2e-users-window", "e2e-firms-window", "e2e-user-cash-positions", "e2e-firm-cash-positions",
          "e2e-security-positions", "e2e-trading-accounts" };
const std::vector<const char*> kMarketCovered = { "command 32796 run", "double-click", "command 32977 run",
    "command 32997 run", "command 33147 run", "command 32932 run", "command 32933 run", "command 32994 run",
    "command 32862 run", "command 32912 run", "command 32884 run", "table 2", "table 3", "table 5", "table 20",
    "table 21", "table 23", "table 30", "table 38", "sent 36", "sent 70", "sent 142" };
const std::vector<const char*> kMarketPictures = { "e2e-securities", "e2e-order-book", "e2e-market-by-order",
    "e2e-summary", "e2e-boards", "e2e-markets", "e2e-instruments", "e2e-securities-on-boards", "e2e-indices",
    "e2e-last-n-trades", "e2e-ticker", "e2e-trading-events", "e2e-suspend-replies", "e2e-board-suspended" };

const std::vector<const char*> kTraderDayCovered = { "table 6", "table 6 closed", "table 11", "table 12",
    "table 8 command 32994", "table 32 command 33166", "table 30", "table 38", "table 7", "table 10 command 32786",
    "command 33076 disabled for BRK5T1", "command 33100 disabled for BRK5T1", "dialog 213 button 1106",
    "dialog 30200 button 1", "dialog 30208 button 1", "dialog 30209 button 1", "dialog 30210 button 1",
    "dialog 123 button 1", "dialog 256 button 1", "event file dialog", "event dialog 30207", "dialog 197 button 1",
    "command 33151 run", "command 33076 disabled for SUP1", "command 33100 disabled for BRK5MM", "sent 131",
    "sent 132", "sent 137", "sent 138" };
const std::vector<const char*> kManagerDayCovered = { "table 14 closed", "table 15 command 35988",
    "table 25 closed", "table 27 closed", "table 39 closed", "table 41 closed", "command 36001 run",
    "dialog 1541 button 1", "command 32841 run", "command 32856 run", "command 32901 run", "command 32902 run",
    "dialog 132 button 2", "dialog 133 button 2", "sent 147", "sent 148", "command 32903 run", "sent 133",
    "table 9 command 33084", "table 9 command 33083", "table 9 command 33079", "table 9 command 33081", "sent 151",
    "sent 160", "sent 161", "sent 162", "command 32842 run", "command 33170 run", "command 33171 run",
    "command 33172 run" };
const std::vector<const char*> kMakerDayCovered = { "table 2 closed", "table 3 command 35988", "table 5 command 35988",
    "table 20 command 35988", "table 21 closed", "command 32911 run", "command 32944 run", "command 32945 run",
    "command 32983 run", "command 32981 run" };
const std::vector<const char*> kManagerDayPictures = { "e2e-manager-account-positions" };
const std::vector<const char*> kSupervisorDayCovered = { "table 3 command 32948", "table 5 command 32950",
    "table 20 command 32883", "table 34 command 35988", "command 33097 run", "command 33098 run",
    "dialog 148 button 2", "sent 142" };
const std::vector<const char*> kSupervisorUsersCovered = { "table 16 command 32875", "table 17 command 32872",
    "command 32876 run", "command 32877 run", "command 32878 run", "command 32973 run", "command 32974 run",
    "command 33184 run", "command 33185 run", "dialog 140 button 1", "dialog 141 button 154",
    "dialog 271 button 1", "dialog 273 button 1", "dialog 30230 button 1", "sent 142" };
const std::vector<const char*> kSupervisorUsersPictures = { "e2e-user-password", "e2e-net-address",
    "e2e-logon-verify", "e2e-access-group", "e2e-default-role" };
const std::vector<const char*> kSupervisorEventsCovered = { "table 34 command 32892", "table 28 command 33094",
    "command 33163 run", "command 33188 run", "dialog 260 button 548", "dialog 152 button 1", "table 2 command 32959",
    "table 19 command 574", "table 18 command 32843", "sent 142" };
const std::vector<const char*> kSupervisorEventsPictures
    = { "e2e-market-replay", "e2e-audit-mode", "e2e-control-event-view", "e2e-board-methods" };
const std::vector<const char*> kFrameDayCovered = { "command 32975 run", "command 32976 run", "command 35980 run",
    "command 35981 run", "command 35982 run", "command 35962 run", "command 35994 run", "command 35995 run",
    "command 35996 run", "command 35997 run", "command 35998 run", "sent 142" };
const std::vector<const char*> kSupervisorDayPictures
    = { "e2e-trading-event-shown", "e2e-trading-events-changed", "e2e-audit-types" };
const std::vector<const char*> kTraderDayPictures = { "e2e-trader-securities", "e2e-trader-order-book",
    "e2e-trader-private-order-book", "e2e-trader-columns", "e2e-trader-workspace", "e2e-trader-password" };

const std::vector<const char*> kSupervisorListsCovered = { "table 16", "table 17", "table 28", "table 29",
    "table 33", "table 39", "table 29 command 35988", "table 33 command 35988", "table 39 command 35988", "command 32874 run",
    "command 32871 run", "command 33096 run", "command 36001 run", "dialog 242 button 1", "dialog 1541 button 1",
    "sent 142", "sent 126", "sent 132" };
const std::vector<const char*> kSupervisorListsPictures = { "e2e-users-suspend-replies", "e2e-users-suspended",
    "e2e-firm-suspended", "e2e-audit-events", "e2e-control-events", "e2e-account-summary", "e2e-cash-after-fill" };

INSTANTIATE_TEST_SUITE_P(Days, ScenarioPlay,
    ::testing::Values(ScenarioCase { "trading", "en", kTradingCovered, kTradingPictures },
        ScenarioCase { "trading", "hu", kTradingCovered, kTradingPictures },
        ScenarioCase { "alerts", "en", kAlertsCovered, kAlertsPictures },
        ScenarioCase { "alerts", "hu", kAlertsCovered, kAlertsPictures },
        ScenarioCase { "messages", "en", kMessagesCovered, { "e2e-message-send", "e2e-message-received" } },
        ScenarioCase { "messages", "hu", kMessagesCovered, { "e2e-message-send", "e2e-message-received" } },
        ScenarioCase { "message_update", "en", kMessageUpdateCovered, kMessageUpdatePictures },
        ScenarioCase { "message_update", "hu", kMessageUpdateCovered, kMessageUpdatePictures },
        ScenarioCase { "news", "en", kNewsCovered, { "e2e-news-send", "e2e-news-received" } },
        ScenarioCase { "news", "hu", kNewsCovered, { "e2e-news-send", "e2e-news-received" } },
        ScenarioCase { "news_item", "en", kNewsItemCovered, kNewsItemPictures },
        ScenarioCase { "news_item", "hu", kNewsItemCovered, kNewsItemPictures },
        ScenarioCase { "order_counting", "en", kOrderCountingCovered, kOrderCountingPictures },
        ScenarioCase { "order_counting", "hu", kOrderCountingCovered, kOrderCountingPictures },
        ScenarioCase { "supervisor", "en", kSupervisorCovered, { "e2e-suspend-all", "e2e-trading-event-add" } },
        ScenarioCase { "supervisor", "hu", kSupervisorCovered, { "e2e-suspend-all", "e2e-trading-event-add" } },
        ScenarioCase { "market_maker", "en", kMarketMakerCovered, { "e2e-market-maker", "e2e-tick-down" } },
        ScenarioCase { "market_maker", "hu", kMarketMakerCovered, { "e2e-market-maker", "e2e-tick-down" } },
        ScenarioCase { "deals", "en", kDealsCovered, kDealsPictures },
        ScenarioCase { "deals", "hu", kDealsCovered, kDealsPictures },
        ScenarioCase { "auction", "en", kAuctionCovered, { "e2e-primary-auction", "e2e-buyback-auction" } },
        ScenarioCase { "auction", "hu", kAuctionCovered, { "e2e-primary-auction", "e2e-buyback-auction" } },
        ScenarioCase { "firm_manager", "en", kFirmManagerCovered, kFirmManagerPictures },
        ScenarioCase { "firm_manager", "hu", kFirmManagerCovered, kFirmManagerPictures },
        ScenarioCase { "market", "en", kMarketCovered, kMarketPictures },
        ScenarioCase { "market", "hu", kMarketCovered, kMarketPictures },
        ScenarioCase { "trader_day", "en", kTraderDayCovered, kTraderDayPictures },
        ScenarioCase { "trader_day", "hu", kTraderDayCovered, kTraderDayPictures },
        ScenarioCase { "supervisor2", "en", kSupervisor2Covered, kSupervisor2Pictures },
        ScenarioCase { "supervisor2", "hu", kSupervisor2Covered, kSupervisor2Pictures },
        ScenarioCase { "accounts", "en", kAccountsCovered, kAccountsPictures },
        ScenarioCase { "accounts", "hu", kAccountsCovered, kAccountsPictures },
        ScenarioCase { "limits", "en", kLimitsCovered, { "e2e-user-limits", "e2e-account-limits" } },
        ScenarioCase { "limits", "hu", kLimitsCovered, { "e2e-user-limits", "e2e-account-limits" } },
        ScenarioCase { "print_log", "en", { "logon", "table 8" }, {} },
        ScenarioCase { "print_log", "hu", { "logon", "table 8" }, {} },
        ScenarioCase { "supervisor_lists", "en", kSupervisorListsCovered, kSupervisorListsPictures },
        ScenarioCase { "supervisor_lists", "hu", kSupervisorListsCovered, kSupervisorListsPictures },
        ScenarioCase { "manager_day", "en", kManagerDayCovered, kManagerDayPictures },
        ScenarioCase { "manager_day", "hu", kManagerDayCovered, kManagerDayPictures },
        ScenarioCase { "maker_day", "en", kMakerDayCovered, {} },
        ScenarioCase { "maker_day", "hu", kMakerDayCovered, {} },
        ScenarioCase { "supervisor_day", "en", kSupervisorDayCovered, kSupervisorDayPictures },
        ScenarioCase { "supervisor_day", "hu", kSupervisorDayCovered, kSupervisorDayPictures },
        ScenarioCase { "supervisor_users", "en", kSupervisorUsersCovered, kSupervisorUsersPictures },
        ScenarioCase { "supervisor_users", "hu", kSupervisorUsersCovered, kSupervisorUsersPictures },
        ScenarioCase { "supervisor_events", "en", kSupervisorEventsCovered, kSupervisorEventsPictures },
        ScenarioCase { "supervisor_events", "hu", kSupervisorEventsCovered, kSupervisorEventsPictures },
        ScenarioCase { "frame_day", "en", kFrameDayCovered, {} },
        ScenarioCase { "frame_day", "hu", kFrameDayCovered, {} }),
    CaseName);

// Two workstations on one exchange: the proposer's kv32 keeps running while
// the counterparty's own kv32, in a settings folder of its own, confirms the
// deal; both then see it Matched with its trade.
class DealBetweenWorkstations : public Scenarios, public ::testing::WithParamInterface<const char*> { };

TEST_P(DealBetweenWorkstations, TheCounterpartyConfirmsInASecondKv32)
{
    const std::string language = GetParam();
    UseLanguage(language);
    const std::string ini = readFile(path("kv32.ini"));
    // Each workstation's settings, logs and coverage in its own folder.
    const auto workstation = [&](const std::string& name) {
        const std::string folder = path(name);
        std::filesystem::create_directories(folder);
        std::ofstream(folder + "/kv32.ini") << ini;
        setenv("VEXA_INI_DIR", folder.c_str(), 1);
        setenv("kv3userpath", folder.c_str(), 1);
        const std::string scenario = std::string(KV32_SCENARIO_DIR) + "/" + name + ".txt";
        return StartPlayer({ "--shots", shotDir, "--coverage", folder + "/coverage.txt", scenario },
            folder + "/player-" + language + ".out");
    };
    const StartedPlayer proposer = workstation("deal_propose");
    // The counterparty starts once the proposer's deal is open and he waits for it to match.
    const auto proposerWaits
        = [&] { return readFile(proposer.logPath).find("expect-row E2EDEAL2 Matched") != std::string::npos; };
    const bool waiting
        = routertest::waitUntil([&] { return proposerWaits() || Ended(proposer); }, std::chrono::seconds(180))
        && proposerWaits();
    PlayerRun confirmer;
    if (waiting)
        confirmer = FinishPlayer(workstation("deal_confirm"));
    const PlayerRun proposed = FinishPlayer(proposer);
    std::printf("deal between workstations (%s): %lld ms, %lld ms\n", language.c_str(), proposed.ms, confirmer.ms);
    for (const char* name : { "deal_propose", "deal_confirm" }) {
        const std::filesystem::path kept
            = std::filesystem::path(KV32_COVERAGE_DIR) / (std::string(name) + "-" + language + ".txt");
        std::filesystem::create_directories(kept.parent_path());
        std::ofstream(kept, std::ios::trunc) << readFile(path(name) + "/coverage.txt");
    }
    ASSERT_TRUE(waiting) << "the proposer never came to wait for the match\n" << readFile(proposer.logPath);
    EXPECT_EQ(confirmer.code, 0) << confirmer.log;
    EXPECT_EQ(proposed.code, 0) << proposed.log;
    const std::string proposerCoverage = readFile(path("deal_propose") + "/coverage.txt");
    const std::string confirmerCoverage = readFile(path("deal_confirm") + "/coverage.txt");
    for (const char* line : { "table 10", "table 9", "command 32970 run", "dialog 115 button 1", "sent 134" })
        EXPECT_NE(proposerCoverage.find(std::string(line) + "\n"), std::string::npos) << line;
    for (const char* line : { "table 10", "table 9", "command 32971 run", "dialog 197 button 1", "sent 157" })
        EXPECT_NE(confirmerCoverage.find(std::string(line) + "\n"), std::string::npos) << line;
    EXPECT_EQ(proposerCoverage.find("sent 157\n"), std::string::npos) << "the confirmation is the other's";
    EXPECT_TRUE(std::filesystem::exists(shotDir + "/e2e-deal-confirm-" + language + ".png"));
}

INSTANTIATE_TEST_SUITE_P(Languages, DealBetweenWorkstations, ::testing::Values("en", "hu"),
    [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

TEST_F(Scenarios, AFailingStepNamesItsLineAndLeavesAPictureAndTheTrace)
{
    const std::string file = path("missing-row.txt");
    std::ofstream(file) << "allow-dialog 151 2\nallow-dialog 195 2\nallow-dialog 130 2\n"
                           "logon BRK1T1\n# the orders window\nopen 8\nexpect-row NO-SUCH-ORDER\nclose\n";
    shotDir = path("shots"); // a failure's picture never goes among the documented ones
    const PlayerRun run = Play(file, "en", { "--step-seconds", "2" });
    EXPECT_EQ(run.code, 1) << run.log;
    EXPECT_NE(
        run.log.find("scenario FAILED at missing-row.txt:7: expect-row NO-SUCH-ORDER"), std::string::npos)
        << run.log;
    EXPECT_NE(run.log.find("no such row; the rows:"), std::string::npos) << run.log;
    EXPECT_NE(run.log.find("  trace:"), std::string::npos) << run.log;
    EXPECT_TRUE(std::filesystem::exists(shotDir + "/failed-missing-row.txt-7-en.png"));
    // The steps after the failing one never ran; what ran before is in the coverage log.
    EXPECT_EQ(run.log.find("missing-row.txt:8: close"), std::string::npos) << run.log;
    EXPECT_NE(Coverage().find("table 8\n"), std::string::npos) << Coverage();
}

TEST_F(Scenarios, AFileThatDiffersFailsItsStepWithBothSizes)
{
    std::ofstream(path("fetched.txt"), std::ios::binary) << "Negyed\xE9ves jelent\xE9s\r\n";
    std::ofstream(path("sent.txt"), std::ios::binary) << "Negyed\xE9ves jelent\xE9s\n";
    const std::string file = path("file-differs.txt");
    std::ofstream(file) << "# the download\nexpect-file ${kv3userpath}/sent.txt ${kv3userpath}/sent.txt\n"
                           "expect-file ${kv3userpath}/fetched.txt ${kv3userpath}/sent.txt\nlogon BRK1T1\n";
    shotDir = path("shots");
    const PlayerRun run = Play(file, "en", { "--step-seconds", "1" });
    EXPECT_EQ(run.code, 1) << run.log;
    EXPECT_NE(run.log.find("scenario FAILED at file-differs.txt:3: expect-file"), std::string::npos) << run.log;
    EXPECT_NE(run.log.find("fetched.txt has 21 bytes that differ from the 20 expected"), std::string::npos)
        << run.log;
    EXPECT_EQ(run.log.find("file-differs.txt:4: logon"), std::string::npos) << run.log;
}

TEST(ScenarioFiles, MistakesAreNamedByTheirLine)
{
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        { "logon BRK1T1\nfly away\n", "s.txt:2: unknown step \"fly\"" },
        { "# comment\n\nopen\n", "s.txt:3: wrong number of words; the step is: open TABLE-ID" },
        { "set 104 \"2774.50\n", "s.txt:1: a quoted text is not closed" },
        { "open 8 9\n", "s.txt:1: wrong number of words" },
    };
    for (const auto& c : cases) {
        const ScenarioParse parsed = ParseScenario(c.text, "s.txt");
        EXPECT_EQ(parsed.error.rfind(c.error, 0), 0u) << c.text << " gave: " << parsed.error;
    }
    const ScenarioParse good
        = ParseScenario("  # a user\r\nset 1000 \"Fő tábla\"\r\nexpect-box \"say \"\"hi\"\"\"\n", "g.txt");
    ASSERT_EQ(good.error, "");
    ASSERT_EQ(good.steps.size(), 2u);
    EXPECT_EQ(good.steps[0].args, (std::vector<std::string> { "1000", "Fő tábla" }));
    EXPECT_EQ(good.steps[0].Where(), "g.txt:2");
    EXPECT_EQ(good.steps[1].args[0], "say \"hi\"");
}

TEST(ScenarioFiles, WordsTakeValuesFromTheEnvironment)
{
    setenv("KV32_SCENARIO_WORD", "/tmp/x", 1);
    unsetenv("KV32_SCENARIO_NOWORD");
    const struct {
        const char* word;
        const char* expanded;
        const char* missing;
    } cases[] = {
        { "${KV32_SCENARIO_WORD}/a.txt", "/tmp/x/a.txt", "" },
        { "a${KV32_SCENARIO_WORD}b${KV32_SCENARIO_WORD}", "a/tmp/xb/tmp/x", "" },
        { "no ${ variable", "no ${ variable", "" },
        { "${KV32_SCENARIO_NOWORD}/a", "", "KV32_SCENARIO_NOWORD" },
        { "${}", "", "" },
    };
    for (const auto& c : cases) {
        std::string word = c.word;
        std::string missing;
        const bool ok = ExpandEnvironment(word, missing);
        EXPECT_EQ(ok, *c.expanded != '\0') << c.word;
        if (ok) {
            EXPECT_EQ(word, c.expanded) << c.word;
        } else {
            EXPECT_EQ(missing, c.missing) << c.word;
        }
    }
    unsetenv("KV32_SCENARIO_WORD");
}

TEST(ScenarioFiles, EveryShippedScenarioReads)
{
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KV32_SCENARIO_DIR)) {
        if (entry.path().extension() != ".txt")
            continue;
        ++files;
        const ScenarioParse parsed = LoadScenario(entry.path().string());
        EXPECT_EQ(parsed.error, "") << entry.path();
        EXPECT_FALSE(parsed.steps.empty()) << entry.path();
    }
    EXPECT_GT(files, 0);
}

} // namespace
