// The exchange behind a real vorlrouter on loopback, driven by a router
// client the way the workstation drives it: logon with the digest, the logon
// transactions, a snapshot loop to its last record, host time, and a
// transaction resent after a lost link, applied once.
#include <string>

#include "exchange_fixture.h"
#include "router_test_support.h"
#include "vorl/client.h"

namespace routertest {
namespace {

using exchange::test::User;

int acceptLogon(int type, const void*, int, int)
{
    return type == 193 ? 0 : -1;
}

struct Reply {
    int type = -1;
    std::string data;
};

// Sends one message alone in its packet and returns the reply's messages.
std::vector<Reply> roundTrip(VORLHANDLE h, int type, const std::string& text)
{
    std::vector<Reply> out;
    if (VORLSend(h, type, text.data(), static_cast<int>(text.size()), 0, 0) != VORL_OK)
        return out;
    if (VORLRecv(h, 30) != VORL_OK)
        return out;
    int count = 0;
    VORLNumMessages(h, &count);
    for (int i = 0; i < count; ++i) {
        std::string buffer(30000, '\0');
        int t = 0, length = 0, value = 0;
        if (VORLGetMessage(h, i, &t, buffer.data(), static_cast<int>(buffer.size()), &length, &value)
            != VORL_OK)
            break;
        buffer.resize(static_cast<std::size_t>(length));
        out.push_back({ t, buffer });
    }
    return out;
}

class ExchangeEndToEnd : public RouterTest {
protected:
    VORLHANDLE connect(const std::string& user, const std::string& password)
    {
        VORLHANDLE h = nullptr;
        EXPECT_EQ(VORLCreate(&h, config_.c_str(), nullptr, nullptr), VORL_OK);
        const std::string logon = exchange::test::Logon(user, password);
        EXPECT_EQ(
            VORLSetLogonMessage(h, 129, logon.data(), static_cast<unsigned>(logon.size()), 0, acceptLogon),
            VORL_OK);
        EXPECT_EQ(VORLConnect(h), VORL_OK);
        // A reconnection inside the router logs on again as a repeated logon.
        const std::string again = exchange::test::Logon(user, password, true);
        EXPECT_EQ(
            VORLSetLogonMessage(h, 129, again.data(), static_cast<unsigned>(again.size()), 0, acceptLogon),
            VORL_OK);
        return h;
    }
};

TEST_F(ExchangeEndToEnd, LogonSnapshotAndHostTimeThroughTheRouter)
{
    writeConfig("Clients=4\n", "ConnectTime=1\nConnectTries=3\nWindowSize=1\n");
    auto router = startAndWait("vorlrouter", { config_ }, "router.out", "ready on");
    auto host = startAndWait("exchange", { config_ }, "exchange.out", "serving");

    VORLHANDLE h = connect("BRK1T1", "Pass-BRK1T1");
    const std::string u = User("BRK1T1");
    auto version = roundTrip(h, 182, u + "Kv-" + "3.2.0.17" + std::string(12, ' '));
    ASSERT_EQ(version.size(), 1u);
    EXPECT_EQ(version[0].type, 193);
    auto check = roundTrip(h, 152, u);
    ASSERT_EQ(check.size(), 1u);
    EXPECT_EQ(check[0].data, std::string("NO\0", 3));

    // The trader snapshot loop: resume keys until the last-record flag.
    std::string key = "00000000";
    std::vector<std::string> users;
    for (int round = 0; round < 10; ++round) {
        const auto reply = roundTrip(h, 18, u + key);
        ASSERT_FALSE(reply.empty());
        ASSERT_EQ(reply.back().type, 0);
        if (reply.size() == 1)
            break;
        for (std::size_t i = 0; i + 1 < reply.size(); ++i)
            users.push_back(reply[i].data.substr(8, 12));
        key = reply[reply.size() - 2].data.substr(0, 8);
        if (reply[reply.size() - 2].data[157] == '1')
            break;
    }
    EXPECT_EQ(users.size(), 60u);

    const auto time = roundTrip(h, 32, u);
    ASSERT_EQ(time.size(), 2u);
    EXPECT_EQ(time[0].type, 32);
    EXPECT_EQ(time[0].data.substr(6), "20261210");
    EXPECT_EQ(roundTrip(h, 130, u).front().type, 193);
    EXPECT_EQ(VORLDisconnect(h), VORL_OK);
    EXPECT_EQ(host->stop(), 0);
    EXPECT_EQ(router->stop(), 0);
}

// What a client does after losing its link: log on again with the repeated
// mark and resend the unanswered packet under its sequence number. A second
// client handle plays it deterministically: its first packet carries the same
// sequence number as the first client's.
TEST_F(ExchangeEndToEnd, TransactionResentAfterALostLinkIsAppliedOnce)
{
    writeConfig("Clients=4\n", "ConnectTime=1\nConnectTries=3\nWindowSize=1\n");
    auto router = startAndWait("vorlrouter", { config_ }, "router.out", "ready on");
    auto host = startAndWait("exchange", { config_ }, "exchange.out", "serving");
    const std::string u = User("BRK5T1");
    const std::string change
        = u + PasswordDigest("Pass-BRK5T1", "BRK5T1") + PasswordDigest("Fresh-Pw7", "BRK5T1");
    VORLHANDLE first = connect("BRK5T1", "Pass-BRK5T1");
    auto applied = roundTrip(first, 131, change);
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0].type, 193);
    EXPECT_EQ(VORLDisconnect(first), VORL_OK);

    // The resend after a repeated logon: answered from the stored reply.
    VORLHANDLE resend = nullptr;
    ASSERT_EQ(VORLCreate(&resend, config_.c_str(), nullptr, nullptr), VORL_OK);
    const std::string again = exchange::test::Logon("BRK5T1", "Fresh-Pw7", true);
    ASSERT_EQ(
        VORLSetLogonMessage(resend, 129, again.data(), static_cast<unsigned>(again.size()), 0, acceptLogon),
        VORL_OK);
    ASSERT_EQ(VORLConnect(resend), VORL_OK);
    auto answered = roundTrip(resend, 131, change);
    ASSERT_EQ(answered.size(), 1u);
    EXPECT_EQ(answered[0].type, 193) << answered[0].data;
    // Applied again, as a new packet, it is refused: the old digest no longer matches.
    auto fresh = roundTrip(resend, 131, change);
    ASSERT_EQ(fresh.size(), 1u);
    EXPECT_EQ(fresh[0].type, 192);
    EXPECT_EQ(VORLDisconnect(resend), VORL_OK);
    EXPECT_EQ(host->stop(), 0);
    EXPECT_EQ(router->stop(), 0);
}

} // namespace
} // namespace routertest
