// A real router client through vorlrouter and a host application process:
// discovery, logon, a long stream of request packets, and the router killed
// and started again in the middle. Every request gets exactly one reply.
#include <string>

#include "router_test_support.h"
#include "vorl/client.h"

namespace routertest {
namespace {

int acceptLogon(int type, const void*, int, int)
{
    return type == 193 ? 0 : -1;
}

std::string text(int packet)
{
    return "request " + std::to_string(packet);
}

TEST_F(RouterTest, ClientStreamSurvivesARouterRestart)
{
    writeConfig("Clients=4\nWindowSize=4\n",
        "ConnectTime=1\nConnectTries=3\nSendTries=20\nWindowSize=0\nPacketTimeout=10\n");
    auto router = startAndWait("vorlrouter", { config_ }, "router1.out", "ready on");
    auto echo = startAndWait("echohost", { config_ }, "echo.out", "serving");

    VORLHANDLE h = nullptr;
    ASSERT_EQ(VORLCreate(&h, config_.c_str(), nullptr, nullptr), VORL_OK);
    ASSERT_EQ(VORLSetLogonMessage(h, 1, "tester", 6, 0, acceptLogon), VORL_OK);
    ASSERT_EQ(VORLConnect(h), VORL_OK);

    constexpr int kPackets = 10000;
    std::vector<int> replies(kPackets, 0);
    int sent = 0;
    int answered = 0;
    bool restarted = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(150);
    while (answered < kPackets && std::chrono::steady_clock::now() < deadline) {
        while (sent < kPackets) {
            const std::string t = text(sent);
            const int rc = VORLSend(h, 100, t.data(), static_cast<int>(t.size()), 1, sent);
            if (rc == VORL_ERR_NOSLOT)
                break;
            ASSERT_EQ(rc, VORL_OK) << "packet " << sent;
            ++sent;
        }
        ASSERT_EQ(VORLRecv(h, 30), VORL_OK) << "after " << answered << " replies";
        int count = 0, type = 0, length = 0, value = -1;
        void* data = nullptr;
        ASSERT_EQ(VORLNumMessages(h, &count), VORL_OK);
        ASSERT_EQ(count, 1);
        ASSERT_EQ(VORLMessage(h, 0, &type, &data, &length, &value), VORL_OK);
        ASSERT_TRUE(value >= 0 && value < kPackets);
        EXPECT_EQ(type, 100);
        EXPECT_EQ(std::string(static_cast<char*>(data), static_cast<std::size_t>(length)), text(value));
        ++replies[static_cast<std::size_t>(value)];
        ++answered;
        if (!restarted && answered == kPackets / 2) {
            // Requests are outstanding in the window while the router goes.
            router->kill(SIGKILL);
            router = startAndWait("vorlrouter", { config_ }, "router2.out", "ready on");
            restarted = true;
        }
    }
    ASSERT_EQ(answered, kPackets);
    for (int i = 0; i < kPackets; ++i)
        ASSERT_EQ(replies[static_cast<std::size_t>(i)], 1) << "packet " << i;
    EXPECT_EQ(VORLDisconnect(h), VORL_OK);
    EXPECT_EQ(echo->stop(), 0);
    EXPECT_EQ(router->stop(), 0);
}

} // namespace
} // namespace routertest

namespace routertest {
namespace {

// With a plug-in that transforms messages and packets on every side (client,
// router and host application), what the client reads back is what it sent.
TEST_F(RouterTest, PluginsTransformOnEverySideOfThePath)
{
    const std::string plugin = std::string(VORLROUTER_TEST_PLUGIN_DIR) + "/xor.vpx,XorInit";
    writeConfig("", "ConnectTime=1\nWindowSize=0\n");
    std::ofstream(config_, std::ios::app)
        << "[VORLRouter_plugins]\nxor=" << plugin << "\n[VORLServer_plugins]\nxor=" << plugin
        << "\n[VORLClient_plugins]\nxor=" << plugin << "\n";
    auto router = startAndWait("vorlrouter", { config_ }, "router.out", "ready on");
    auto echo = startAndWait("echohost", { config_ }, "echo.out", "serving");

    VORLHANDLE h = nullptr;
    ASSERT_EQ(VORLCreate(&h, config_.c_str(), nullptr, nullptr), VORL_OK);
    ASSERT_EQ(VORLSetLogonMessage(h, 1, "tester", 6, 0, acceptLogon), VORL_OK);
    ASSERT_EQ(VORLConnect(h), VORL_OK);
    for (int packet = 0; packet < 200; ++packet) {
        const std::string a = text(packet), b = "second " + a;
        ASSERT_EQ(VORLStartPacket(h, 100, a.data(), static_cast<int>(a.size()), 1, packet), VORL_OK);
        ASSERT_EQ(VORLAddMessage(h, 101, b.data(), static_cast<int>(b.size()), packet), VORL_OK);
        ASSERT_EQ(VORLEndPacket(h), VORL_OK);
        ASSERT_EQ(VORLRecv(h, 30), VORL_OK);
        char buffer[256];
        int type = 0, length = 0, value = -1;
        void* data = nullptr;
        EXPECT_EQ(VORLMessage(h, 0, &type, &data, &length, &value), VORL_ERR_MUST_COPY);
        for (int m = 0; m < 2; ++m) {
            ASSERT_EQ(VORLGetMessage(h, m, &type, buffer, sizeof buffer, &length, &value), VORL_OK);
            EXPECT_EQ(type, 100 + m);
            EXPECT_EQ(value, packet);
            EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(length)), m == 0 ? a : b);
        }
    }
    EXPECT_EQ(VORLDisconnect(h), VORL_OK);
    EXPECT_EQ(echo->stop(), 0);
    EXPECT_EQ(router->stop(), 0);
}

} // namespace
} // namespace routertest
