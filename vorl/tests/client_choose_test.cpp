// Server choice from discovery replies: preferred address, same network, load
// and the load-balancing threshold, and the order of repeated choices.
#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "client_net.h"

namespace {

uint32_t ip(const char* dotted)
{
    return inet_addr(dotted);
}

struct Case {
    const char* name;
    std::vector<std::pair<const char*, uint32_t>> replies; // address, load
    const char* preferred; // "" for none
    const char* current;
    int threshold;
    std::vector<const char*> choices; // successive calls until the table is empty
};

std::string text(uint32_t address)
{
    in_addr a {};
    a.s_addr = address;
    return address == 0 ? "none" : inet_ntoa(a);
}

TEST(ClientChooseServer, TableOfChoices)
{
    const Case cases[] = {
        { "lowest load wins", { { "127.0.0.2", 40 }, { "127.0.0.3", 20 } }, "", "", 0,
            { "127.0.0.3", "127.0.0.2" } },
        { "an earlier reply wins a tie", { { "127.0.0.2", 5 }, { "127.0.0.3", 5 } }, "", "", 0,
            { "127.0.0.2", "127.0.0.3" } },
        { "preferred address despite its load", { { "10.0.0.1", 10 }, { "192.168.1.9", 90 } }, "192.168.1.9",
            "", 0, { "192.168.1.9", "10.0.0.1" } },
        { "same network as the preferred address before a lower load elsewhere",
            { { "10.0.0.1", 1 }, { "192.168.1.7", 60 }, { "192.168.1.8", 50 } }, "192.168.1.9", "", 0,
            { "192.168.1.8", "192.168.1.7", "10.0.0.1" } },
        { "the preferred address itself ends the scan",
            { { "192.168.1.7", 1 }, { "192.168.1.9", 80 }, { "192.168.1.8", 0 } }, "192.168.1.9", "", 0,
            { "192.168.1.9", "192.168.1.8", "192.168.1.7" } },
        { "classful networks: class B keeps 16 bits", { { "172.16.9.9", 70 }, { "172.17.0.1", 10 } },
            "172.16.0.5", "", 0, { "172.16.9.9", "172.17.0.1" } },
        { "stays when the better load is within the threshold", { { "127.0.0.2", 50 }, { "127.0.0.3", 45 } },
            "", "127.0.0.2", 10, { "127.0.0.2", "127.0.0.3" } },
        { "moves when the better load is beyond the threshold", { { "127.0.0.2", 50 }, { "127.0.0.3", 35 } },
            "", "127.0.0.2", 10, { "127.0.0.3", "127.0.0.2" } },
        { "a current server that did not reply does not hold the choice", { { "127.0.0.3", 45 } }, "",
            "127.0.0.2", 10, { "127.0.0.3" } },
        { "the preferred address draws the client away from the current one",
            { { "10.0.0.1", 5 }, { "192.168.1.9", 90 } }, "192.168.1.9", "10.0.0.1", 50,
            { "192.168.1.9", "10.0.0.1" } },
        { "a same-network candidate does not move a client already on that network",
            { { "192.168.1.7", 50 }, { "192.168.1.8", 45 } }, "192.168.1.9", "192.168.1.7", 10,
            { "192.168.1.7", "192.168.1.8" } },
        { "empty table", {}, "", "", 0, {} },
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        std::array<vorl::ServerReply, vorl::kMaxReplies> table {};
        int count = 0;
        for (const auto& [address, load] : k.replies)
            table[static_cast<std::size_t>(count++)] = { ip(address), load };
        const uint32_t preferred = *k.preferred ? ip(k.preferred) : 0;
        const uint32_t current = *k.current ? ip(k.current) : 0;
        std::vector<std::string> got;
        for (int i = 0; i <= vorl::kMaxReplies; ++i) {
            const uint32_t a = vorl::ChooseServer(table, count, preferred, current, k.threshold);
            if (a == 0)
                break;
            got.push_back(text(a));
        }
        EXPECT_EQ(got, std::vector<std::string>(k.choices.begin(), k.choices.end()));
        EXPECT_EQ(count, 0);
    }
}

TEST(ClientChooseServer, ClassfulNetworks)
{
    EXPECT_TRUE(vorl::SameNetwork(ip("127.0.0.2"), ip("127.200.0.3")));
    EXPECT_FALSE(vorl::SameNetwork(ip("10.0.0.1"), ip("11.0.0.1")));
    EXPECT_TRUE(vorl::SameNetwork(ip("150.1.2.3"), ip("150.1.9.9")));
    EXPECT_FALSE(vorl::SameNetwork(ip("150.1.2.3"), ip("150.2.2.3")));
    EXPECT_TRUE(vorl::SameNetwork(ip("200.1.2.3"), ip("200.1.2.77")));
    EXPECT_FALSE(vorl::SameNetwork(ip("200.1.2.3"), ip("200.1.3.3")));
}

} // namespace
