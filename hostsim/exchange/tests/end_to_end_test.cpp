// The exchange behind a real vorlrouter on loopback, driven by the scripted
// client the way the workstation drives it: logon with the digest, the logon
// transactions, snapshot loops to their last record, the first poll of the
// standing requests, host time, an order that trades, and a transaction
// resent after a lost link, applied once.
#include <string>

#include "client/scripted_client.h"
#include "exchange_fixture.h"
#include "fw/ui/ftp.h"
#include "golden.h"
#include "router_test_support.h"

namespace routertest {
namespace {

using exchange::client::ScriptedClient;

class ExchangeEndToEnd : public RouterTest {
protected:
    void start()
    {
        writeConfig("Clients=4\n", "ConnectTime=1\nConnectTries=3\nWindowSize=1\n");
        router_ = startAndWait("vorlrouter", { config_ }, "router.out", "ready on");
        host_ = startAndWait(
            "exchange", { config_, "--clock", "100000", "--ftp", "0" }, "exchange.out", "serving");
    }
    void stop()
    {
        EXPECT_EQ(host_->stop(), 0);
        EXPECT_EQ(router_->stop(), 0);
    }
    std::unique_ptr<Child> router_, host_;
};

TEST_F(ExchangeEndToEnd, LogonSnapshotsPollsAndAnOrderThroughTheRouter)
{
    start();
    {
        ScriptedClient c(config_, "BRK1T1", "Pass-BRK1T1");
        ASSERT_TRUE(c.ok());
        EXPECT_EQ(c.transaction(182, "Kv-3.2.0.17" + std::string(12, ' ')).type, 193);
        EXPECT_EQ(c.transaction(152, "").data, std::string("NO\0", 3));
        // Snapshot loops page by their resume keys; the securities take several packets.
        EXPECT_EQ(c.snapshot(18).size(), 60u);
        const auto securities = c.snapshot(17, std::string(8, ' '));
        ASSERT_EQ(securities.size(), 200u);
        EXPECT_EQ(securities.back()[1101], '1');
        EXPECT_EQ(c.snapshot(93).back().back(), '1');
        // The first poll: every standing request in one packet, one end-of-reply message each.
        const std::string seq = "0000000000";
        const auto poll = c.send({ { 44, ScriptedClient::UserField("BRK1T1") + seq },
            { 50, ScriptedClient::UserField("BRK1T1") + seq + std::string(12, '0') },
            { 64, ScriptedClient::UserField("BRK1T1") + seq } });
        int ends = 0, orders = 0;
        for (const auto& m : poll) {
            ends += m.type == 0;
            orders += m.type == 50;
        }
        EXPECT_EQ(ends, 3);
        EXPECT_GT(orders, 0);
        const auto time = c.request(32, "");
        ASSERT_EQ(time.size(), 1u);
        EXPECT_EQ(time[0].substr(6), "20261210");
        // An order crossing a resting one of another firm trades.
        ScriptedClient seller(config_, "BRK2T1", "Pass-BRK2T1");
        const auto order = [](const std::string& account, char side) {
            return exchange::test::Golden(199,
                { { 0, account }, { 12, std::string(1, side) }, { 13, "01000000000000000000000001000000" },
                    { 45, "0MAINSHR000001   " }, { 62, "000277500" }, { 80, "0000000000000100" },
                    { 96, "0000000000000000" }, { 166, "000000000" }, { 183, "0000000000000000" } });
        };
        EXPECT_EQ(seller.transaction(132, order("BRK2A1", 'S')).type, 193);
        const auto verdict = c.transaction(132, order("BRK1A1", 'B'));
        EXPECT_EQ(verdict.type, 193) << verdict.data;
        const auto last = c.request(118, seq + std::string(12, '0') + " ");
        ASSERT_FALSE(last.empty());
        EXPECT_EQ(last.back().substr(39, 9), "000277500");
        EXPECT_EQ(c.transaction(130, "").type, 193);
    }
    stop();
}

// What a client does after losing its link: log on again with the repeated
// mark and resend the unanswered packet under its sequence number. A second
// client handle plays it deterministically: its first packet carries the same
// sequence number as the first client's.
TEST_F(ExchangeEndToEnd, TransactionResentAfterALostLinkIsAppliedOnce)
{
    start();
    const std::string change
        = PasswordDigest("Pass-BRK5T1", "BRK5T1") + PasswordDigest("Fresh-Pw7", "BRK5T1");
    {
        ScriptedClient first(config_, "BRK5T1", "Pass-BRK5T1");
        ASSERT_TRUE(first.ok());
        EXPECT_EQ(first.transaction(131, change).type, 193);
    }
    {
        ScriptedClient resend(config_, "BRK5T1", "Fresh-Pw7", true);
        ASSERT_TRUE(resend.ok());
        const auto answered = resend.transaction(131, change);
        EXPECT_EQ(answered.type, 193) << answered.data;
        // Applied again, as a new packet, it is refused: the old digest no longer matches.
        EXPECT_EQ(resend.transaction(131, change).type, 192);
    }
    stop();
}

TEST_F(ExchangeEndToEnd, NewsAttachmentComesFromTheExchangesFtpServer)
{
    start();
    const std::string out = readFile(path("exchange.out"));
    const std::size_t at = out.find("ftp://127.0.0.1:");
    ASSERT_NE(at, std::string::npos) << out;
    const int port = std::atoi(out.c_str() + at + 16);
    auto ftp = fw::makeCurlFtp();
    ftp->setTimeouts(5000, 10000);
    ftp->setServer({ "127.0.0.1", port, "molva", "tirqa58" });
    // The seed news item 2 names "jelentes.pdf"; the server holds a copy of the data set's file.
    ASSERT_TRUE(ftp->get("ftp/jelentes.pdf", path("jelentes.pdf"))) << ftp->lastError();
    EXPECT_EQ(readFile(path("jelentes.pdf")),
        readFile(std::string(EXCHANGE_SEED_DATA_DIR) + "/attachments/jelentes.pdf"));
    stop();
    EXPECT_EQ(out.find("exchange-attachments-") != std::string::npos, true);
    const std::size_t folder = out.find('/', out.find("attachments of "));
    const std::string copy = out.substr(folder, out.find(" on ftp://") - folder);
    EXPECT_FALSE(std::filesystem::exists(copy)) << "the temporary copy is removed at exit: " << copy;
}

TEST_F(ExchangeEndToEnd, TheDemoScriptRunsThroughTheRouter)
{
    start();
    // Run to its end; the exit status says whether every logon and expectation held.
    const std::string command = "timeout 120 " + binDir() + "/exchange_script " + config_ + " "
        + std::string(EXCHANGE_SEED_DATA_DIR) + "/../scripts/two_traders.txt > " + path("script.out")
        + " 2>&1";
    const int status = std::system(command.c_str());
    const std::string out = readFile(path("script.out"));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << "\n" << out;
    EXPECT_NE(out.find("exchange_script: 25 commands, 0 failed"), std::string::npos) << out;
    EXPECT_NE(out.find("transaction 132: 192 Invalid price. (error 5)"), std::string::npos) << out;
    EXPECT_NE(out.find("repeat 3 transaction: 3 done, 0 failed"), std::string::npos) << out;
    stop();
}

} // namespace
} // namespace routertest
