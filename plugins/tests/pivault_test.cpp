// pivault: the key string, the negotiation with message 512 and the payload
// transform, through the loaded plug-in.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "harness.h"
#include "keystring.h"

namespace {

using plugtest::Host;
using plugtest::HostInfo;
using plugtest::Packet;
using plugtest::Plugin;
using plugtest::ScratchDir;

const std::string& Key()
{
    static const std::string key = pivault::BuildKeyString(pivault::kKeyStringSize);
    return key;
}

// The byte stream a payload of `length` bytes is combined with, built from
// the rule: 83 key characters, the length text, the next 83, and so on, the
// key starting over at its end.
std::string Stream(int length)
{
    const std::string lengthText = std::to_string(length);
    std::string s;
    std::size_t p = 0;
    while (s.size() < static_cast<std::size_t>(length)) {
        s += Key()[p];
        p = (p + 1);
        if (p % 83 == 0)
            s += lengthText;
        if (p == Key().size())
            p = 0;
    }
    s.resize(static_cast<std::size_t>(length));
    return s;
}

TEST(PivaultKey, BlocksAreAtLeastEightDigitsAndNegativeOutputsTen)
{
    const struct {
        int32_t value;
        const char* text;
    } cases[] = { { 0, "00000000" }, { 5, "00000005" }, { 123456789, "123456789" }, { -1, "4294967295" },
        { -2147483647, "2147483649" } };
    for (const auto& c : cases)
        EXPECT_EQ(pivault::FormatBlock(c.value), c.text) << c.value;
}

TEST(PivaultKey, KeyStringIsTheGeneratorsBlocksBelowTheRequestedSize)
{
    const std::string& key = Key();
    ASSERT_LT(key.size(), 30000u);
    EXPECT_GE(key.size(), 30000u - 10);
    EXPECT_TRUE(std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; }));
    // The key is the concatenation of the outputs; at least one is negative and
    // so gives 10 digits.
    pivault::MrgState state = pivault::MrgStart();
    std::string rebuilt;
    bool negative = false;
    for (;;) {
        const int32_t v = pivault::MrgNext(state);
        const std::string block = pivault::FormatBlock(v);
        if (rebuilt.size() + block.size() >= 30000)
            break;
        if (v < 0) {
            negative = true;
            EXPECT_EQ(block.size(), 10u);
        }
        rebuilt += block;
    }
    EXPECT_TRUE(negative);
    EXPECT_EQ(rebuilt, key);
    EXPECT_EQ(pivault::BuildKeyString(30000), key) << "the same in every process";
}

class PivaultTest : public ::testing::Test {
protected:
    // A client and a server; the server's section says `use`.
    void start(const char* use, int serverConnections = 4)
    {
        config_ = dir_.write("router.ini",
            std::string("[pivault]\n") + (use != nullptr ? std::string("Use=") + use : "") + "\n");
        HostInfo clientInfo(config_, "pivault", VORL_ROLE_CLIENT);
        ASSERT_EQ(client_.init(clientInfo.get(), clientHost_), 0);
        HostInfo serverInfo(config_, "pivault", VORL_ROLE_SERVER, serverConnections, 0);
        ASSERT_EQ(server_.init(serverInfo.get(), serverHost_), 0);
    }
    // The client asks, the server answers, the client reads the answer.
    void negotiate(int connection)
    {
        clientHost_.sent.clear();
        serverHost_.sent.clear();
        ASSERT_EQ(client_.connect(clientHost_), 0);
        Packet ask { clientHost_.sent };
        auto rec = plugtest::PluginPacket(serverHost_, ask, VORL_PLUGIN_ROUND_FIRST, connection);
        ASSERT_EQ(server_.pluginPacket(rec), 0);
        Packet answer { serverHost_.sent };
        auto back = plugtest::PluginPacket(clientHost_, answer, VORL_PLUGIN_ROUND_FIRST);
        ASSERT_EQ(client_.pluginPacket(back), 0);
    }
    ScratchDir dir_;
    std::string config_;
    Host clientHost_, serverHost_;
    Plugin client_ { "pivault", "Initialise" };
    Plugin server_ { "pivault", "Initialise" };
};

TEST_F(PivaultTest, RefusesAnotherInterfaceVersion)
{
    HostInfo info("none.ini", "pivault", VORL_ROLE_CLIENT, 1, 1, 258);
    testing::internal::CaptureStderr();
    EXPECT_EQ(client_.init(info.get(), clientHost_), VORL_PLUGIN_FAIL);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Initialise: Version mismatch vorl 258 plugin 259\n");
    EXPECT_EQ(client_.context, nullptr);
}

TEST_F(PivaultTest, ServerGrantsOnlyWhenUseIsSet)
{
    const struct {
        const char* use;
        const char* answer;
        bool scrambled;
    } cases[] = { { nullptr, "   ", false }, { "0", "   ", false }, { "1", "USE", true } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.use != nullptr ? c.use : "(absent)");
        Host clientHost, serverHost;
        Plugin client("pivault", "Initialise");
        Plugin server("pivault", "Initialise");
        const std::string file = dir_.write("case.ini",
            std::string("[pivault]\n") + (c.use != nullptr ? std::string("Use=") + c.use : "") + "\n");
        HostInfo ci(file, "pivault", VORL_ROLE_CLIENT), si(file, "pivault", VORL_ROLE_SERVER, 2, 0);
        ASSERT_EQ(client.init(ci.get(), clientHost), 0);
        ASSERT_EQ(server.init(si.get(), serverHost), 0);
        ASSERT_EQ(client.connect(clientHost), 0);
        ASSERT_EQ(clientHost.sent.size(), 1u);
        EXPECT_EQ(clientHost.sent[0].type, 512);
        EXPECT_EQ(std::string(clientHost.sent[0].data.begin(), clientHost.sent[0].data.end()), "USE");
        Packet ask { clientHost.sent };
        auto rec = plugtest::PluginPacket(serverHost, ask, VORL_PLUGIN_ROUND_FIRST, 1);
        ASSERT_EQ(server.pluginPacket(rec), 0);
        ASSERT_EQ(serverHost.sent.size(), 1u);
        EXPECT_EQ(std::string(serverHost.sent[0].data.begin(), serverHost.sent[0].data.end()), c.answer);
        Packet answer { serverHost.sent };
        auto back = plugtest::PluginPacket(clientHost, answer, VORL_PLUGIN_ROUND_FIRST);
        ASSERT_EQ(client.pluginPacket(back), 0);

        const std::vector<uint8_t> payload(40, 'a');
        std::vector<uint8_t> out;
        auto pkt = plugtest::PacketRecord(clientHost);
        ASSERT_EQ(client.send(pkt, payload, out, 100), 0);
        EXPECT_EQ(out != payload, c.scrambled);
        EXPECT_EQ(clientHost.copyCalls, c.scrambled ? 0 : 1);
        auto spkt = plugtest::PacketRecord(serverHost, 1);
        std::vector<uint8_t> back2;
        ASSERT_EQ(server.recv(spkt, out, back2, 100), 0);
        EXPECT_EQ(back2, payload);
    }
}

TEST_F(PivaultTest, TransformFollowsTheKeyAndTheLengthText)
{
    start("1");
    negotiate(0);
    auto pkt = plugtest::PacketRecord(clientHost_);
    // Zero bytes show the stream itself.
    for (int length : { 1, 83, 84, 100, 200 }) {
        SCOPED_TRACE(length);
        std::vector<uint8_t> out;
        ASSERT_EQ(
            client_.send(pkt, std::vector<uint8_t>(static_cast<std::size_t>(length), 0), out, length), 0);
        EXPECT_EQ(std::string(out.begin(), out.end()), Stream(length));
    }
    std::vector<uint8_t> out;
    ASSERT_EQ(client_.send(pkt, std::vector<uint8_t>(100, 0), out, 100), 0);
    EXPECT_EQ(std::string(out.begin(), out.end()), Key().substr(0, 83) + "100" + Key().substr(83, 14));
    ASSERT_EQ(client_.send(pkt, std::vector<uint8_t>(83, 0), out, 83), 0);
    EXPECT_EQ(std::string(out.begin(), out.end()), Key().substr(0, 83));
}

TEST_F(PivaultTest, TransformIsItsOwnInverseAndWrapsTheKey)
{
    start("1");
    negotiate(0);
    std::mt19937 rng(7);
    auto pkt = plugtest::PacketRecord(clientHost_);
    // Longer than the key and its length texts together, so the key wraps.
    for (int length : { 0, 5, 500, 31000, 60000 }) {
        SCOPED_TRACE(length);
        std::vector<uint8_t> in(static_cast<std::size_t>(length));
        for (auto& b : in)
            b = static_cast<uint8_t>(rng());
        std::vector<uint8_t> once, twice;
        ASSERT_EQ(client_.send(pkt, in, once, length), 0);
        ASSERT_EQ(client_.recv(pkt, once, twice, length), 0);
        EXPECT_EQ(twice, in);
        if (length >= 31000) {
            std::vector<uint8_t> zeros;
            ASSERT_EQ(client_.send(pkt, std::vector<uint8_t>(in.size(), 0), zeros, length), 0);
            EXPECT_EQ(std::string(zeros.begin(), zeros.end()), Stream(length));
        }
    }
}

TEST_F(PivaultTest, NeverWritesPastTheOutput)
{
    start("1");
    negotiate(0);
    auto pkt = plugtest::PacketRecord(clientHost_);
    std::vector<uint8_t> buffer(64, 0xEE);
    int length = -1;
    const std::vector<uint8_t> in(60, 1);
    EXPECT_EQ(client_.table->SendToNet(client_.context, &pkt, in.data(), 60, buffer.data(), 59, &length),
        VORL_PLUGIN_NOROOM);
    EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](uint8_t b) { return b == 0xEE; }));
}

TEST_F(PivaultTest, GrantingServerScramblesOnlyConnectionsThatAsked)
{
    start("1", 4);
    negotiate(2);
    // Connection 3 sends a first packet without 512.
    Packet empty;
    auto rec = plugtest::PluginPacket(serverHost_, empty, VORL_PLUGIN_ROUND_FIRST, 3);
    ASSERT_EQ(server_.pluginPacket(rec), 0);
    const std::vector<uint8_t> payload(30, 'z');
    std::vector<uint8_t> out;
    auto asked = plugtest::PacketRecord(serverHost_, 2);
    ASSERT_EQ(server_.send(asked, payload, out, 64), 0);
    EXPECT_NE(out, payload);
    auto clear = plugtest::PacketRecord(serverHost_, 3);
    ASSERT_EQ(server_.send(clear, payload, out, 64), 0);
    EXPECT_EQ(out, payload);
    auto outside = plugtest::PacketRecord(serverHost_, 4);
    testing::internal::CaptureStderr();
    EXPECT_EQ(server_.send(outside, payload, out, 64), VORL_PLUGIN_FAIL);
    testing::internal::GetCapturedStderr();
}

TEST_F(PivaultTest, UnreadableMessageFailsThePacket)
{
    start(nullptr);
    Packet packet { { plugtest::text(512, "USE") } };
    serverHost_.getMsgResult = 3;
    auto rec = plugtest::PluginPacket(serverHost_, packet, VORL_PLUGIN_ROUND_FIRST);
    testing::internal::CaptureStderr();
    EXPECT_EQ(server_.pluginPacket(rec), VORL_PLUGIN_FAIL);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "OnRecvPluginPkt: getMsgFromPkt failed 3\n");
}

TEST_F(PivaultTest, InvalidUseValueIsRefused)
{
    const std::string file = dir_.write("bad.ini", "[pivault]\nUse=yes\n");
    HostInfo si(file, "pivault", VORL_ROLE_SERVER, 2, 0);
    testing::internal::CaptureStderr();
    EXPECT_EQ(server_.init(si.get(), serverHost_), VORL_PLUGIN_FAIL);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Invalid Use value"), std::string::npos);
}

TEST_F(PivaultTest, ReconnectingClientAsksAgain)
{
    start("1");
    negotiate(0);
    auto pkt = plugtest::PacketRecord(clientHost_);
    std::vector<uint8_t> out;
    ASSERT_EQ(client_.send(pkt, { 'a' }, out, 8), 0);
    EXPECT_NE(out, std::vector<uint8_t> { 'a' });
    // A new connection to a server that declines stays clear.
    ASSERT_EQ(client_.connect(clientHost_), 0);
    Packet declined { { plugtest::text(512, "   ") } };
    auto rec = plugtest::PluginPacket(clientHost_, declined, VORL_PLUGIN_ROUND_FIRST);
    ASSERT_EQ(client_.pluginPacket(rec), 0);
    ASSERT_EQ(client_.send(pkt, { 'a' }, out, 8), 0);
    EXPECT_EQ(out, std::vector<uint8_t> { 'a' });
}

} // namespace
