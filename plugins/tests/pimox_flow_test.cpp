// pimox loaded as the router loads it: refusals at loading, the key exchange
// between a client and a server plug-in, the payload cipher and the handling
// of bad handshakes.
#include <gtest/gtest.h>
#include <openssl/asn1.h>
#include <openssl/bn.h>
#include <openssl/rsa.h>
#include <openssl/x509.h>

#include <cstring>

#include "harness.h"
#include "mox/mox.h"
#include "plinth/shmem.h"

namespace {

using plugtest::Host;
using plugtest::HostInfo;
using plugtest::Message;
using plugtest::Packet;
using plugtest::Plugin;
using plugtest::ScratchDir;

constexpr int kConnections = 4;

std::string Config(int key, int mandatory, const std::string& shmkey = "")
{
    return "[pimox]\nmandatory=" + std::to_string(mandatory)
        + "\nshmkey=" + (shmkey.empty() ? std::to_string(key) : shmkey) + "\n";
}

class PimoxTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(MOXInit(), 0); }
    void TearDown() override { MOXCleanup(); }

    void start(int mandatory = 0)
    {
        const std::string file = dir_.write("router.ini", Config(key_, mandatory));
        HostInfo si(file, "pimox", VORL_ROLE_SERVER, kConnections, 0);
        ASSERT_EQ(server_.init(si.get(), serverHost_), 0);
        HostInfo ci(file, "pimox", VORL_ROLE_CLIENT, 1, 1);
        ASSERT_EQ(client_.init(ci.get(), clientHost_), 0);
        view_ = ShmemOpen(key_);
        ASSERT_NE(view_, nullptr);
    }
    ~PimoxTest() override
    {
        if (view_ != nullptr)
            ShmemClose(view_);
    }
    const uint8_t* slot(int i) const
    {
        return static_cast<const uint8_t*>(ShmemGetPointer(view_)) + static_cast<std::size_t>(i) * 104;
    }
    int flag(int i) const
    {
        int v;
        std::memcpy(&v, slot(i), 4);
        return v;
    }
    // The client's first plug-in packet; the server's answer on `connection`.
    int clientHello(Message* hello)
    {
        clientHost_.sent.clear();
        const int rc = client_.connect(clientHost_);
        if (rc == 0 && clientHost_.sent.size() == 1)
            *hello = clientHost_.sent[0];
        return rc;
    }
    int serverReceives(std::vector<Message> messages, int connection, int round = VORL_PLUGIN_ROUND_FIRST)
    {
        serverHost_.sent.clear();
        Packet p { std::move(messages) };
        auto rec = plugtest::PluginPacket(serverHost_, p, round, connection);
        return server_.pluginPacket(rec);
    }
    int clientReceives(std::vector<Message> messages, int round = VORL_PLUGIN_ROUND_FIRST)
    {
        Packet p { std::move(messages) };
        auto rec = plugtest::PluginPacket(clientHost_, p, round);
        return client_.pluginPacket(rec);
    }
    void handshake(int connection)
    {
        Message hello;
        ASSERT_EQ(clientHello(&hello), 0);
        testing::internal::CaptureStderr();
        ASSERT_EQ(serverReceives({ hello }, connection), 0);
        ASSERT_EQ(serverHost_.sent.size(), 1u);
        ASSERT_EQ(clientReceives(serverHost_.sent), 0);
        banners_ = testing::internal::GetCapturedStderr();
    }
    std::vector<uint8_t> send(Plugin& p, Host& h, int connection, const std::vector<uint8_t>& in, int* rc)
    {
        auto pkt = plugtest::PacketRecord(h, connection);
        std::vector<uint8_t> out;
        *rc = p.send(pkt, in, out, 4096);
        return out;
    }
    std::vector<uint8_t> recv(Plugin& p, Host& h, int connection, const std::vector<uint8_t>& in, int* rc)
    {
        auto pkt = plugtest::PacketRecord(h, connection);
        std::vector<uint8_t> out;
        *rc = p.recv(pkt, in, out, 4096);
        return out;
    }

    plugtest::NamedScope named_;
    const int key_ = plugtest::NamedScope::Key(200);
    ScratchDir dir_;
    Host clientHost_, serverHost_;
    Plugin server_ { "pimox", "PIMOXInitialise" };
    Plugin client_ { "pimox", "PIMOXInitialise" };
    PlinthShmem* view_ = nullptr;
    std::string banners_;
};

TEST_F(PimoxTest, RefusesAnotherVersionAndUnknownRoles)
{
    const struct {
        int version;
        int role;
        const char* line;
        bool table;
    } cases[] = { { 258, VORL_ROLE_CLIENT, "PIMOXInitialise: Version mismatch vorl 258 plugin 259\n", true },
        { 259, 4, "PIMOXInitialise: Invalid vorlType 4\n", false } };
    for (const auto& c : cases) {
        Plugin p("pimox", "PIMOXInitialise");
        HostInfo info("none.ini", "pimox", c.role, 1, 1, c.version);
        testing::internal::CaptureStderr();
        EXPECT_EQ(p.init(info.get(), clientHost_), VORL_PLUGIN_FAIL);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.line);
        EXPECT_EQ(p.table != nullptr, c.table) << "the table is handed out before the version is checked";
    }
}

TEST_F(PimoxTest, ShmkeyFormsNameTheSameMemory)
{
    const struct {
        const char* text;
        int key;
    } cases[] = { { "1234", 1234 }, { "0x4d2", 1234 }, { "abcdef", 0x64636261 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        PlinthShmem* owner = ShmemCreate(c.key, kConnections * 104);
        ASSERT_NE(owner, nullptr);
        auto* bytes = static_cast<uint8_t*>(ShmemGetPointer(owner));
        std::memset(bytes, 0xAA, 104);
        {
            Plugin p("pimox", "PIMOXInitialise");
            HostInfo info(
                dir_.write("k.ini", Config(0, 0, c.text)), "pimox", VORL_ROLE_SERVER, kConnections, 1);
            ASSERT_EQ(p.init(info.get(), serverHost_), 0);
            PluginClientRecord gone { 0, serverHost_.object() };
            EXPECT_EQ(p.table->OnClientDisconnect(p.context, &gone), 0);
        }
        EXPECT_EQ(bytes[0], 0) << "the plug-in cleared slot 0 of this memory";
        EXPECT_EQ(bytes[52], 0);
        ShmemClose(ShmemCondemn(owner));
    }
    Plugin p("pimox", "PIMOXInitialise");
    HostInfo info(dir_.write("k.ini", Config(0, 0, "12ab")), "pimox", VORL_ROLE_SERVER, kConnections, 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(p.init(info.get(), serverHost_), VORL_PLUGIN_FAIL);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Initialise failed -1001"), std::string::npos);
}

TEST_F(PimoxTest, PublicKeyIsA512BitRsaKeyWithExponent65537)
{
    start();
    Message hello;
    ASSERT_EQ(clientHello(&hello), 0);
    EXPECT_EQ(hello.type, 513);
    const unsigned char* p = hello.data.data();
    ASN1_OCTET_STRING* octets = d2i_ASN1_OCTET_STRING(nullptr, &p, static_cast<long>(hello.data.size()));
    ASSERT_NE(octets, nullptr);
    EXPECT_EQ(p, hello.data.data() + hello.data.size());
    const unsigned char* q = ASN1_STRING_get0_data(octets);
    RSA* rsa = d2i_RSAPublicKey(nullptr, &q, ASN1_STRING_length(octets));
    ASSERT_NE(rsa, nullptr);
    const BIGNUM* n = nullptr;
    const BIGNUM* e = nullptr;
    RSA_get0_key(rsa, &n, &e, nullptr);
    EXPECT_EQ(BN_num_bits(n), 512);
    EXPECT_EQ(BN_get_word(e), 65537u);
    RSA_free(rsa);
    ASN1_OCTET_STRING_free(octets);
}

TEST_F(PimoxTest, KeyExchangeEncryptsTheLineBothWays)
{
    start();
    handshake(2);
    ASSERT_EQ(serverHost_.sent[0].type, 514);
    EXPECT_EQ(serverHost_.sent[0].data.size(), 64u);
    const std::string dashes(48, '-');
    EXPECT_EQ(banners_,
        dashes + "\nPIMOX : 0 Connected to client - line encrypted \n" + dashes + "\n" + dashes
            + "\nPIMOX : 1 Connected to server - line encrypted \n" + dashes + "\n");
    EXPECT_EQ(flag(2), 1);
    EXPECT_EQ(flag(1), 0);

    int rc = -1;
    const std::vector<uint8_t> eight { 'p', 'a', 'y', 'l', 'o', 'a', 'd', '8' };
    const std::vector<uint8_t> wire = send(client_, clientHost_, 0, eight, &rc);
    ASSERT_EQ(rc, 0);
    EXPECT_EQ(wire.size(), 16u);
    EXPECT_EQ(recv(server_, serverHost_, 2, wire, &rc), eight);
    EXPECT_EQ(rc, 0);
    const std::vector<uint8_t> reply(100, 'r');
    const std::vector<uint8_t> back = send(server_, serverHost_, 2, reply, &rc);
    EXPECT_EQ(back.size(), 104u);
    EXPECT_EQ(recv(client_, clientHost_, 0, back, &rc), reply);
    const std::vector<uint8_t> empty = send(client_, clientHost_, 0, {}, &rc);
    EXPECT_EQ(empty.size(), 8u);
    EXPECT_EQ(recv(server_, serverHost_, 2, empty, &rc), std::vector<uint8_t> {});
    EXPECT_EQ(rc, 0);
    // Another connection of the server stays clear.
    EXPECT_EQ(send(server_, serverHost_, 1, eight, &rc), eight);
    // Too small an output is "no room".
    auto pkt = plugtest::PacketRecord(clientHost_);
    std::vector<uint8_t> out;
    EXPECT_EQ(client_.send(pkt, eight, out, 15), VORL_PLUGIN_NOROOM);
}

TEST_F(PimoxTest, PaddingIsCheckedOnReceipt)
{
    start();
    handshake(0);
    MOXKEY key {};
    ASSERT_EQ(MOXKeyInitDES(slot(0) + 52, slot(0) + 60, &key), 0);
    // Blocks are enciphered one by one, so the first two blocks of a longer
    // text are a payload whose padding is whatever its last byte says.
    const struct {
        uint8_t last;
        int result;
        std::size_t length;
    } cases[] = { { 9, VORL_PLUGIN_FAIL, 0 }, { 0, VORL_PLUGIN_OK, 16 }, { 1, VORL_PLUGIN_OK, 15 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.last));
        std::vector<uint8_t> plain(16, 'x');
        plain[15] = c.last;
        uint8_t cipher[32];
        uint32_t n = 0;
        ASSERT_EQ(MOXEncrypt(&key, plain.data(), 16, cipher, sizeof cipher, &n), 0);
        int rc = -1;
        testing::internal::CaptureStderr();
        const std::vector<uint8_t> got
            = recv(client_, clientHost_, 0, std::vector<uint8_t>(cipher, cipher + 16), &rc);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(rc, c.result);
        EXPECT_EQ(got.size(), c.length);
        if (c.result != 0) {
            EXPECT_NE(err.find("PIMOXRecvFromNet : MOXDecrypt failed"), std::string::npos) << err;
        }
    }
    int rc = -1;
    const std::vector<uint8_t> after = send(client_, clientHost_, 0, { 1, 2, 3 }, &rc);
    EXPECT_EQ(rc, 0) << "a refused payload leaves the plug-in working";
    EXPECT_EQ(recv(server_, serverHost_, 0, after, &rc), (std::vector<uint8_t> { 1, 2, 3 }));
}

TEST_F(PimoxTest, FirstPacketWithoutPublicKey)
{
    for (int mandatory : { 0, 1 }) {
        SCOPED_TRACE(mandatory);
        Host sh;
        Plugin server("pimox", "PIMOXInitialise");
        const int key = plugtest::NamedScope::Key(300 + mandatory);
        HostInfo si(dir_.write("m.ini", Config(key, mandatory)), "pimox", VORL_ROLE_SERVER, kConnections, 0);
        ASSERT_EQ(server.init(si.get(), sh), 0);
        Packet p { { plugtest::text(512, "USE") } };
        auto rec = plugtest::PluginPacket(sh, p, VORL_PLUGIN_ROUND_FIRST, 1);
        testing::internal::CaptureStderr();
        const int rc = server.pluginPacket(rec);
        const std::string err = testing::internal::GetCapturedStderr();
        if (mandatory != 0) {
            EXPECT_EQ(rc, VORL_PLUGIN_FAIL);
            EXPECT_EQ(
                err, "PIMOXOnRecvPluginPkt: Did not recv public key from client - aborting connection\n");
        } else {
            EXPECT_EQ(rc, 0);
            EXPECT_NE(
                err.find("PIMOX : 0 Did not recv public key from client - line clear "), std::string::npos);
            int r = -1;
            EXPECT_EQ(send(server, sh, 1, { 7, 7 }, &r), (std::vector<uint8_t> { 7, 7 }));
            EXPECT_EQ(sh.copyCalls, 1);
        }
        // Later packets among replies do not decide anything.
        auto later = plugtest::PluginPacket(sh, p, VORL_PLUGIN_ROUND_AMONG_REPLIES, 1);
        EXPECT_EQ(server.pluginPacket(later), 0);
    }
}

TEST_F(PimoxTest, CraftedPublicKeysFailOnlyTheirConnection)
{
    start();
    handshake(1);
    Message hello;
    ASSERT_EQ(clientHello(&hello), 0);
    std::vector<uint8_t> longer = hello.data;
    longer.push_back(0);
    std::vector<uint8_t> lying = hello.data;
    lying[1] = 0x7F; // content length beyond the message
    const std::vector<uint8_t> cases[]
        = { {}, { 0x04 }, { 0x04, 0x81 }, { 0x04, 0x84, 0xFF, 0xFF, 0xFF, 0xFF },
              std::vector<uint8_t>(hello.data.begin(), hello.data.end() - 3), longer, lying };
    for (const auto& body : cases) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(serverReceives({ Message { 513, body } }, 2), VORL_PLUGIN_FAIL);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find("AwaitRsaPublicKey failed"), std::string::npos) << err;
        EXPECT_TRUE(serverHost_.sent.empty());
        EXPECT_EQ(flag(2), 0);
    }
    // Connection 1 still talks with its keys.
    int rc = -1;
    std::vector<uint8_t> msg { 'o', 'k' };
    auto fresh = plugtest::PacketRecord(serverHost_, 1);
    std::vector<uint8_t> wire;
    ASSERT_EQ(server_.send(fresh, msg, wire, 64), 0);
    EXPECT_EQ(wire.size(), 8u);
    EXPECT_EQ(flag(1), 1);
    // And an index outside the table is refused, not followed.
    testing::internal::CaptureStderr();
    EXPECT_EQ(serverReceives({ hello }, kConnections), VORL_PLUGIN_FAIL);
    send(server_, serverHost_, -1, msg, &rc);
    EXPECT_EQ(rc, VORL_PLUGIN_FAIL);
    testing::internal::GetCapturedStderr();
}

TEST_F(PimoxTest, SessionKeyMustBeSixteenBytesUnderOurKey)
{
    start();
    Message hello;
    for (uint32_t size : { 15u, 17u, 32u }) {
        SCOPED_TRACE(size);
        ASSERT_EQ(clientHello(&hello), 0);
        MOXKEY pub {};
        ASSERT_EQ(MOXKeyInitRSABuffer(hello.data.data(), hello.data.size(), &pub), 0);
        uint8_t cipher[1024];
        uint32_t n = 0;
        const uint8_t keys[32] = { 1 };
        ASSERT_EQ(MOXRSAEncrypt(&pub, keys, size, cipher, sizeof cipher, &n), 0);
        MOXKeyCleanup(&pub);
        testing::internal::CaptureStderr();
        EXPECT_EQ(
            clientReceives({ Message { 514, std::vector<uint8_t>(cipher, cipher + n) } }), VORL_PLUGIN_FAIL);
        EXPECT_NE(testing::internal::GetCapturedStderr().find(
                      "session key of " + std::to_string(size) + " bytes refused"),
            std::string::npos);
        EXPECT_EQ(flag(0), 0) << "the client's slot is its own memory; the server's slot 0 was never set";
    }

    // Without a private key (it went with the refused key) a 514 is refused.
    testing::internal::CaptureStderr();
    EXPECT_EQ(clientReceives({ Message { 514, std::vector<uint8_t>(64, 1) } }), VORL_PLUGIN_FAIL);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("AwaitDesKey: MOXKeyInitRSAFile failed -1012"),
        std::string::npos);
    // A server that sends no key leaves the client clear.
    ASSERT_EQ(clientHello(&hello), 0);
    testing::internal::CaptureStderr();
    EXPECT_EQ(clientReceives({}), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find(
                  "PIMOX : 1 Did not recv des key from server - line clear "),
        std::string::npos);
    int rc = -1;
    EXPECT_EQ(send(client_, clientHost_, 0, { 5 }, &rc), std::vector<uint8_t> { 5 });
}

TEST_F(PimoxTest, OwningBroadcastServerServesOneConnection)
{
    Plugin p("pimox", "PIMOXInitialise");
    HostInfo info(
        dir_.write("b.ini", Config(plugtest::NamedScope::Key(400), 0)), "pimox", VORL_ROLE_BCSERVER, 2, 0);
    testing::internal::CaptureStderr();
    EXPECT_EQ(p.init(info.get(), serverHost_), VORL_PLUGIN_FAIL);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Initialise: Broadcast server max connections 2 should be 1 only"), std::string::npos);
    EXPECT_NE(err.find("PIMOXInitialise: Initialise failed -1006"), std::string::npos);
}

TEST_F(PimoxTest, DisconnectForgetsTheSessionKeys)
{
    start();
    handshake(3);
    ASSERT_EQ(flag(3), 1);
    PluginClientRecord gone { 3, serverHost_.object() };
    EXPECT_EQ(server_.table->OnClientDisconnect(server_.context, &gone), 0);
    EXPECT_EQ(flag(3), 0);
    const std::vector<uint8_t> zeros(100, 0);
    EXPECT_EQ(std::memcmp(slot(3) + 4, zeros.data(), 100), 0);
}

TEST_F(PimoxTest, UnreadableMessageFailsOnlyThatPacket)
{
    start();
    handshake(1);
    serverHost_.getMsgResult = 3;
    testing::internal::CaptureStderr();
    EXPECT_EQ(serverReceives({ plugtest::text(513, "x") }, 2), VORL_PLUGIN_FAIL);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "PIMOXOnRecvPluginPkt: getMsgFromPkt failed 3\n");
    serverHost_.getMsgResult = 0;
    int rc = -1;
    const std::vector<uint8_t> wire = send(server_, serverHost_, 1, { 'k', 'e', 'p', 't' }, &rc);
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(recv(client_, clientHost_, 0, wire, &rc), (std::vector<uint8_t> { 'k', 'e', 'p', 't' }));
}

} // namespace
