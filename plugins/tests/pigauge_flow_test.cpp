// pigauge end to end between a client and a server plug-in: the handshake,
// the counting, the reports and the rows they become.
#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#include "harness.h"
#include "plugin_common.h"

namespace {

using plugtest::Host;
using plugtest::HostInfo;
using plugtest::Message;
using plugtest::Packet;
using plugtest::Plugin;
using plugtest::ScratchDir;

uint32_t Address(const char* dotted)
{
    in_addr a {};
    inet_pton(AF_INET, dotted, &a);
    return a.s_addr;
}

std::vector<uint32_t> Words(const Message& m)
{
    std::vector<uint32_t> w;
    for (std::size_t i = 0; i + 4 <= m.data.size(); i += 4)
        w.push_back(plugins::getBE32(m.data.data() + i));
    return w;
}

Message Stats(int type, const std::vector<int32_t>& words)
{
    Message m { type, std::vector<uint8_t>(4 * words.size()) };
    for (std::size_t i = 0; i < words.size(); ++i)
        plugins::putBE32(m.data.data() + 4 * i, static_cast<uint32_t>(words[i]));
    return m;
}

class PigaugeFlowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string text = "[pigauge]\nshmkey=" + std::to_string(plugtest::NamedScope::Key(50))
            + "\nSendInterval=3\nSummarySection=Sum\nPerformanceSections=Fast, Slow\n"
              "[Sum]\nFlushInterval=1\nFileName="
            + dir_.path()
            + "/sum.txt\n"
              "[Fast]\nFlushInterval=1\nFileName="
            + dir_.path()
            + "/fast.txt\nMsgTypes=100-199,300\n"
              "[Slow]\nFlushInterval=2\nFileName="
            + dir_.path() + "/slow.txt\nMsgTypes=400-499\n";
        const std::string file = dir_.write("router.ini", text);
        HostInfo si(file, "pigauge", VORL_ROLE_SERVER, 8, 0);
        ASSERT_EQ(server_.init(si.get(), serverHost_), 0);
        HostInfo ci(file, "pigauge", VORL_ROLE_CLIENT, 1, 1);
        ASSERT_EQ(client_.init(ci.get(), clientHost_), 0);
    }
    void handshake()
    {
        ASSERT_EQ(client_.connect(clientHost_), 0);
        ASSERT_EQ(clientHost_.sent.size(), 1u);
        EXPECT_EQ(clientHost_.sent[0].type, 257);
        EXPECT_EQ(clientHost_.sent[0].data, std::vector<uint8_t> { 0 });
        Packet ask { clientHost_.sent };
        clientHost_.sent.clear();
        deliverToServer(ask);
        Packet answer { serverHost_.sent };
        serverHost_.sent.clear();
        auto rec = plugtest::PluginPacket(clientHost_, answer, VORL_PLUGIN_ROUND_FIRST);
        ASSERT_EQ(client_.pluginPacket(rec), 0);
    }
    void deliverToServer(Packet& p, const char* from = "10.0.0.1")
    {
        auto rec = plugtest::PluginPacket(serverHost_, p, VORL_PLUGIN_ROUND_FIRST, 0, Address(from));
        ASSERT_EQ(server_.pluginPacket(rec), 0);
    }
    void added(int type, int length)
    {
        auto m = plugtest::MsgRecord(clientHost_, type, length);
        ASSERT_EQ(client_.table->OnAddMsg(client_.context, &m), 0);
    }
    void got(int type, int length, uint32_t ticks)
    {
        auto m = plugtest::MsgRecord(clientHost_, type, length, ticks);
        ASSERT_EQ(client_.table->OnGetMsg(client_.context, &m), 0);
    }
    void sentPacket(int length, int resend = 0)
    {
        auto p = plugtest::PacketRecord(clientHost_, 0, length, resend);
        ASSERT_EQ(client_.table->OnSendToNet(client_.context, &p), 0);
    }
    void receivedPacket(int length, int resend = 0)
    {
        auto p = plugtest::PacketRecord(clientHost_, 0, length, resend);
        ASSERT_EQ(client_.table->OnRecvFromNet(client_.context, &p), 0);
    }
    plugtest::NamedScope named_;
    ScratchDir dir_;
    Host clientHost_, serverHost_;
    Plugin server_ { "pigauge", "PIGAUGEInitialise" };
    Plugin client_ { "pigauge", "PIGAUGEInitialise" };
};

TEST_F(PigaugeFlowTest, ClientReportsAfterSendIntervalReceivedPackets)
{
    handshake();
    added(150, 10);
    added(999, 7); // in no set: the summary only
    got(150, 20, 30);
    got(300, 5, 10);
    sentPacket(100, 1);
    receivedPacket(50);
    receivedPacket(50, 1);
    EXPECT_TRUE(clientHost_.sent.empty());
    receivedPacket(50);
    ASSERT_EQ(clientHost_.sent.size(), 3u);
    EXPECT_EQ(clientHost_.sent[0].type, 260);
    EXPECT_EQ(clientHost_.sent[1].type, 259);
    EXPECT_EQ(clientHost_.sent[2].type, 259);
    for (const auto& m : clientHost_.sent)
        EXPECT_EQ(m.data.size(), 36u);
    std::vector<uint32_t> summary = Words(clientHost_.sent[0]);
    summary[0] = 0; // elapsed time
    EXPECT_EQ(summary, (std::vector<uint32_t> { 0, 1, 3, 2, 2, 100, 150, 1, 1 }));
    std::vector<uint32_t> fast = Words(clientHost_.sent[1]);
    fast[0] = 0;
    EXPECT_EQ(fast, (std::vector<uint32_t> { 0, 1, 2, 10, 25, 10, 30, 20, 0 }));
    std::vector<uint32_t> slow = Words(clientHost_.sent[2]);
    slow[0] = 0;
    EXPECT_EQ(slow, (std::vector<uint32_t> { 0, 0, 0, 0, 0, 0, 0, 0, 1 })) << "no messages: average 0";

    // Counting starts again from zero.
    clientHost_.sent.clear();
    receivedPacket(8);
    receivedPacket(8);
    EXPECT_TRUE(clientHost_.sent.empty());
    receivedPacket(8);
    ASSERT_EQ(clientHost_.sent.size(), 3u);
    summary = Words(clientHost_.sent[0]);
    summary[0] = 0;
    EXPECT_EQ(summary, (std::vector<uint32_t> { 0, 0, 3, 0, 0, 0, 24, 0, 0 }));
}

TEST_F(PigaugeFlowTest, NoRoomDefersTheRestOfTheReport)
{
    handshake();
    got(450, 4, 7);
    clientHost_.room = 0; // not even the summary fits: nothing is reset
    for (int i = 0; i < 3; ++i)
        receivedPacket(1);
    EXPECT_TRUE(clientHost_.sent.empty());
    clientHost_.room = 2; // the summary and the first range
    got(450, 4, 9);
    for (int i = 0; i < 3; ++i)
        receivedPacket(1);
    ASSERT_EQ(clientHost_.sent.size(), 2u);
    EXPECT_EQ(Words(clientHost_.sent[0])[2], 6u) << "both periods' packets";
    EXPECT_EQ(Words(clientHost_.sent[1])[8], 0u);
    clientHost_.sent.clear();
    clientHost_.room = 1 << 30;
    for (int i = 0; i < 3; ++i)
        receivedPacket(1);
    ASSERT_EQ(clientHost_.sent.size(), 3u);
    std::vector<uint32_t> slow = Words(clientHost_.sent[2]);
    slow[0] = 0;
    EXPECT_EQ(slow, (std::vector<uint32_t> { 0, 0, 2, 0, 8, 7, 9, 8, 1 }))
        << "the deferred range kept counting";
}

// Round trips are turned into milliseconds through 64 bits: five million ticks
// times 1000 does not fit in 32.
TEST_F(PigaugeFlowTest, LongRoundTripsDoNotWrap)
{
    handshake();
    got(450, 4, 5000000);
    got(450, 4, 7000000);
    for (int i = 0; i < 3; ++i)
        receivedPacket(1);
    ASSERT_EQ(clientHost_.sent.size(), 3u);
    std::vector<uint32_t> slow = Words(clientHost_.sent[2]);
    slow[0] = 0;
    EXPECT_EQ(slow, (std::vector<uint32_t> { 0, 0, 2, 0, 8, 5000000, 7000000, 6000000, 1 }));
}

TEST_F(PigaugeFlowTest, ServerWritesRowsAndSkipsForeignRanges)
{
    Packet rows { { Stats(260, { 1000, 5, 6, 7, 8, 900, 1000, 0, 0 }),
        Stats(259, { 20, 1, 2, 3, 4, 5, 6, 7, 0 }), Stats(259, { 1, 1, 1, 1, 1, 1, 1, 1, 7 }),
        Stats(259, { 1, 1, 1, 1, 1, 1, 1, 1, -1 }), Stats(259, { 9, 9, 9, 9, 9, 9, 9, 9, 1 }),
        Message { 260, { 1, 2, 3 } } } };
    testing::internal::CaptureStderr();
    deliverToServer(rows);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("WriteClientFileData: range index 7 outside 0..1 - row skipped"), std::string::npos)
        << err;
    EXPECT_NE(err.find("WriteClientFileData: range index -1 outside 0..1 - row skipped"), std::string::npos)
        << err;
    EXPECT_NE(err.find("WriteClientData: message length 3 should be 36 - row skipped"), std::string::npos)
        << err;
    EXPECT_EQ(dir_.read("sum.txt"),
        "10.0.0.1\t    1000\t       5\t       6\t       7\t       8\t     900\t    1000\t       0\t       "
        "0\n");
    EXPECT_EQ(dir_.read("fast.txt"),
        "10.0.0.1\t      20\t       1\t       2\t       3\t       4\t       5\t       6\t"
        "       7\n");
    // The slow file flushes every second row.
    Packet more { { Stats(259, { 8, 8, 8, 8, 8, 8, 8, 8, 1 }) } };
    deliverToServer(more, "127.0.0.2");
    EXPECT_EQ(dir_.read("slow.txt"),
        "10.0.0.1\t       9\t       9\t       9\t       9\t       9\t       9\t       9\t       9\n"
        "127.0.0.2\t       8\t       8\t       8\t       8\t       8\t       8\t       8\t       8\n");
}

TEST_F(PigaugeFlowTest, ClientRefusesABadConfigurationAndStaysOff)
{
    ASSERT_EQ(client_.connect(clientHost_), 0);
    // A 258 body: interval, the sets (first, last, range index) and the count of ranges.
    auto config = [](int32_t interval, int32_t sets, const std::vector<std::array<int32_t, 3>>& list,
                      int32_t ranges) {
        Message m { 258, std::vector<uint8_t>(612, 0) };
        plugins::putBE32(m.data.data(), static_cast<uint32_t>(interval));
        plugins::putBE32(m.data.data() + 4, static_cast<uint32_t>(sets));
        for (std::size_t i = 0; i < list.size(); ++i)
            for (std::size_t j = 0; j < 3; ++j)
                plugins::putBE32(m.data.data() + 8 + 12 * i + 4 * j, static_cast<uint32_t>(list[i][j]));
        plugins::putBE32(m.data.data() + 608, static_cast<uint32_t>(ranges));
        return m;
    };
    const struct {
        const char* name;
        Message msg;
    } cases[] = {
        { "51 sets", config(1, 51, {}, 1) }, // more sets than the block holds
        { "11 ranges", config(1, 0, {}, 11) },
        { "negative set count", config(1, -1, {}, 1) },
        { "range index past the count", config(1, 1, { { 100, 199, 1 } }, 1) },
        { "overlapping sets", config(1, 2, { { 100, 199, 0 }, { 150, 160, 0 } }, 1) },
        { "reversed set", config(1, 1, { { 199, 100, 0 } }, 1) },
        { "interval 0", config(0, 1, { { 100, 199, 0 } }, 1) },
        { "short", Message { 258, std::vector<uint8_t>(611, 0) } },
        { "long", Message { 258, std::vector<uint8_t>(613, 0) } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Packet p { { c.msg } };
        auto rec = plugtest::PluginPacket(clientHost_, p, VORL_PLUGIN_ROUND_FIRST);
        testing::internal::CaptureStderr();
        EXPECT_EQ(client_.pluginPacket(rec), 0);
        EXPECT_NE(testing::internal::GetCapturedStderr().find("configuration from server refused"),
            std::string::npos);
        for (int i = 0; i < 5; ++i)
            receivedPacket(1);
        EXPECT_TRUE(clientHost_.sent.size() == 1u) << "only the request; no counting";
    }
    Packet none;
    auto rec = plugtest::PluginPacket(clientHost_, none, VORL_PLUGIN_ROUND_FIRST);
    testing::internal::CaptureStderr();
    EXPECT_EQ(client_.pluginPacket(rec), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
        "PIGAUGEClientOnRecvPluginPkt: server is not running performance plugin\n");
}

TEST_F(PigaugeFlowTest, UnreadablePacketStopsTheStatisticsButNotTheTraffic)
{
    handshake();
    Packet rows { { Stats(260, { 1, 2, 3, 4, 5, 6, 7, 8, 9 }) } };
    serverHost_.getMsgResult = 3;
    auto rec = plugtest::PluginPacket(serverHost_, rows, VORL_PLUGIN_ROUND_AMONG_REPLIES);
    testing::internal::CaptureStderr();
    EXPECT_EQ(server_.pluginPacket(rec), VORL_PLUGIN_FAIL);
    EXPECT_EQ(
        testing::internal::GetCapturedStderr(), "PIGAUGEServerOnRecvPluginPkt: getMsgFromPkt failed 3\n");
    // Released: later packets are passed over and nothing more is written.
    serverHost_.getMsgResult = 0;
    EXPECT_EQ(server_.pluginPacket(rec), 0);
    EXPECT_EQ(dir_.read("sum.txt"), "");

    clientHost_.getMsgResult = 3;
    Packet none;
    auto back = plugtest::PluginPacket(clientHost_, none, VORL_PLUGIN_ROUND_LATER);
    none.messages.push_back(Message { 258, {} });
    back.count = 1;
    testing::internal::CaptureStderr();
    EXPECT_EQ(client_.pluginPacket(back), VORL_PLUGIN_FAIL);
    testing::internal::GetCapturedStderr();
    for (int i = 0; i < 5; ++i)
        receivedPacket(1);
    added(150, 1);
    EXPECT_TRUE(clientHost_.sent.empty());
}

} // namespace
