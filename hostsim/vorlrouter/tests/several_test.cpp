// Several clients and several host application processes through one router
// at once: every client gets exactly its own replies.
#include <atomic>
#include <string>
#include <thread>

#include "router_test_support.h"
#include "vorl/client.h"

namespace routertest {
namespace {

int acceptLogon(int type, const void*, int, int)
{
    return type == 193 ? 0 : -1;
}

// Sends `packets` packets of two messages tagged with the client's name and
// counts the replies that match; -1 when the client could not connect.
int runClient(const std::string& config, const std::string& name, int packets)
{
    VORLHANDLE h = nullptr;
    if (VORLCreate(&h, config.c_str(), nullptr, nullptr) != VORL_OK)
        return -1;
    VORLSetLogonMessage(h, 1, name.data(), static_cast<unsigned>(name.size()), 0, acceptLogon);
    if (VORLConnect(h) != VORL_OK) {
        VORLDisconnect(h);
        return -1;
    }
    int matched = 0;
    int sent = 0;
    for (int answered = 0; answered < packets; ++answered) {
        while (sent < packets) {
            const std::string t = name + " " + std::to_string(sent);
            int rc = VORLStartPacket(h, 7, t.data(), static_cast<int>(t.size()), 1, sent);
            if (rc == VORL_ERR_NOSLOT)
                break;
            if (rc == VORL_OK)
                rc = VORLAddMessage(h, 8, name.data(), static_cast<int>(name.size()), sent);
            if (rc != VORL_OK || VORLEndPacket(h) != VORL_OK) {
                VORLDisconnect(h);
                return matched;
            }
            ++sent;
        }
        if (VORLRecv(h, 30) != VORL_OK)
            break;
        int count = 0, type = 0, length = 0, value = -1;
        void* data = nullptr;
        VORLNumMessages(h, &count);
        if (count == 2 && VORLMessage(h, 0, &type, &data, &length, &value) == VORL_OK
            && std::string(static_cast<char*>(data), static_cast<std::size_t>(length))
                == name + " " + std::to_string(value)
            && VORLMessage(h, 1, &type, &data, &length, &value) == VORL_OK
            && std::string(static_cast<char*>(data), static_cast<std::size_t>(length)) == name)
            ++matched;
    }
    VORLDisconnect(h);
    return matched;
}

TEST_F(RouterTest, SeveralClientsAndHostApplicationsAtOnce)
{
    writeConfig("Clients=6\nWindowSize=3\n", "ConnectTime=1\nWindowSize=0\n");
    auto router = startAndWait("vorlrouter", { config_ }, "router.out", "ready on");
    auto first = startAndWait("echohost", { config_ }, "echo1.out", "serving");
    auto second = startAndWait("echohost", { config_ }, "echo2.out", "serving");
    constexpr int kClients = 4;
    constexpr int kPackets = 500;
    std::atomic<int> results[kClients];
    std::vector<std::thread> threads;
    for (int i = 0; i < kClients; ++i) {
        threads.emplace_back(
            [&, i] { results[i] = runClient(config_, "client" + std::to_string(i), kPackets); });
    }
    for (auto& t : threads)
        t.join();
    for (int i = 0; i < kClients; ++i)
        EXPECT_EQ(results[i].load(), kPackets) << "client " << i;
    EXPECT_EQ(first->stop(), 0);
    EXPECT_EQ(second->stop(), 0);
    EXPECT_EQ(router->stop(), 0);
}

} // namespace
} // namespace routertest
