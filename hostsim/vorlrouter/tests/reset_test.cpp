// A host application resets the router through the block: the router drops
// its clients' connections, and a client connects again and carries on.
#include <string>

#include "router_test_support.h"
#include "vorl/client.h"
#include "vorl/server.h"

namespace routertest {
namespace {

int acceptLogon(int type, const void*, int, int)
{
    return type == 193 ? 0 : -1;
}

bool roundTrip(VORLHANDLE h, int value)
{
    const std::string t = "request " + std::to_string(value);
    if (VORLSend(h, 5, t.data(), static_cast<int>(t.size()), 1, value) != VORL_OK
        || VORLRecv(h, 30) != VORL_OK)
        return false;
    int type = 0, length = 0, got = -1;
    void* data = nullptr;
    return VORLMessage(h, 0, &type, &data, &length, &got) == VORL_OK && got == value
        && std::string(static_cast<char*>(data), static_cast<std::size_t>(length)) == t;
}

TEST_F(RouterTest, ResetDropsClientsThatThenReconnect)
{
    writeConfig("Clients=3\nWindowSize=2\n", "ConnectTime=1\nSendTries=5\nWindowSize=0\n");
    auto router = startAndWait("vorlrouter", { config_ }, "router.out", "ready on");
    auto echo = startAndWait("echohost", { config_ }, "echo.out", "serving");
    VORLHANDLE h = nullptr;
    ASSERT_EQ(VORLCreate(&h, config_.c_str(), nullptr, nullptr), VORL_OK);
    ASSERT_EQ(VORLSetLogonMessage(h, 1, "tester", 6, 0, acceptLogon), VORL_OK);
    ASSERT_EQ(VORLConnect(h), VORL_OK);
    ASSERT_TRUE(roundTrip(h, 1));

    VORLSERVERHANDLE admin = nullptr;
    ASSERT_EQ(VORLServerCreate(&admin, config_.c_str(), nullptr, nullptr), VORL_OK);
    ASSERT_EQ(VORLServerSetHostType(admin, "TEST"), VORL_OK);
    // The router closes the link; the next packet rebuilds it.
    for (int value = 2; value < 20; ++value)
        ASSERT_TRUE(roundTrip(h, value)) << "packet " << value;
    std::size_t connects = 0;
    const std::string log = readFile(path("router.out"));
    for (std::size_t at = log.find("connected from"); at != std::string::npos;
         at = log.find("connected from", at + 1))
        ++connects;
    // At least the reset's reconnection; a loaded machine may add one for a
    // connect that timed out, which the client also survives.
    EXPECT_GE(connects, 2u) << log;
    EXPECT_EQ(VORLDisconnect(h), VORL_OK);
    EXPECT_EQ(echo->stop(), 0);
    EXPECT_EQ(VORLServerDisconnect(admin), VORL_OK);
    EXPECT_EQ(router->stop(), 0);
}

} // namespace
} // namespace routertest
