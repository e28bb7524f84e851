// The server handle against a block made by the test: creation checks, a
// request's round trip, reply limits and the one-reply rule.
#include <cstring>
#include <string>

#include "server_fixture.h"

namespace vorl::test {
namespace {

TEST_F(ServerTest, CreationChecksBlockHostTypeAndConfiguration)
{
    VORLSERVERHANDLE h = nullptr;
    {
        EnvVar none("VORLCONFIG", nullptr);
        EXPECT_EQ(VORLServerCreate(&h, nullptr, nullptr, nullptr), VORL_ERR_NO_CONFIG);
    }
    EXPECT_EQ(VORLServerCreate(&h, config().c_str(), nullptr, nullptr), VORL_ERR_NO_BLOCK);
    {
        // A block whose header claims more than it holds, or no sane geometry.
        PlinthShmem* small = ShmemCreate(FakeRouter::kKey, 4096);
        ASSERT_NE(small, nullptr);
        auto* p = static_cast<uint8_t*>(ShmemGetPointer(small));
        const int32_t geometries[][4] = { { 4, 4000, 30000, 2 }, { 0, 100, 100, 1 }, { 2, 10, 100, 1 } };
        for (const auto& g : geometries) {
            for (int i = 0; i < 4; ++i)
                blk::putI32(p + blk::kHdrClients + 4 * i, g[i]);
            EXPECT_EQ(VORLServerCreate(&h, config().c_str(), nullptr, nullptr), VORL_ERR_NO_BLOCK);
        }
        ShmemClose(ShmemCondemn(small));
    }
    makeRouter();
    // A section too long to keep whole is refused rather than cut to another name.
    const std::string longSection(200, 's');
    EXPECT_EQ(VORLServerCreate(&h, config(longSection.c_str()).c_str(), nullptr, nullptr), VORL_ERR_NO_CONFIG);
    EXPECT_EQ(VORLServerCreate(&h, config("Other").c_str(), nullptr, nullptr), VORL_ERR_HOST_TYPE);
    EXPECT_EQ(VORLServerCreate(&h, config().c_str(), nullptr, "ELSE"), VORL_ERR_HOST_TYPE);
    ASSERT_EQ(VORLServerCreate(&h, config().c_str(), nullptr, nullptr), VORL_OK);
    EXPECT_EQ(VORLServerSetOption(h, 7, 1), VORL_ERR_OPTION);
    EXPECT_EQ(VORLServerSetOption(h, VORL_SERVER_OPT_MAX_SEND_BUFSIZE, -5), VORL_OK);
    EXPECT_EQ(VORLServerDisconnect(h), VORL_OK);
    int count = 0;
    EXPECT_EQ(VORLServerNumMessages(h, &count), VORL_ERR_INVALID_HANDLE);
    EXPECT_EQ(VORLServerRecv(h, 0, 0), VORL_ERR_INVALID_HANDLE);
    EXPECT_EQ(VORLServerDisconnect(nullptr), VORL_ERR_INVALID_HANDLE);
}

TEST_F(ServerTest, RequestRoundTripCopiesSequenceRoutingAndHandles)
{
    FakeRouter& r = makeRouter();
    r.connect(1);
    VORLSERVERHANDLE h = server();
    ASSERT_EQ(VORLServerConnect(h), VORL_OK);
    EXPECT_EQ(VORLServerRecv(h, 0, 0), VORL_ERR_TIMEOUT);
    ASSERT_TRUE(
        r.queue(1, 1, RequestPacket(42, 1, { { 10, "first", 77 }, { 11, "second!", 88 } }, 0x0A0B0C0D)));

    ASSERT_EQ(VORLServerRecv(h, 5, 0), VORL_OK);
    int count = 0;
    ASSERT_EQ(VORLServerNumMessages(h, &count), VORL_OK);
    EXPECT_EQ(count, 2);
    int type = 0, length = 0, value = 0;
    void* data = nullptr;
    ASSERT_EQ(VORLServerMessage(h, 1, &type, &data, &length, &value), VORL_OK);
    EXPECT_EQ(type, 11);
    EXPECT_EQ(std::string(static_cast<char*>(data), static_cast<std::size_t>(length)), "second!");
    EXPECT_EQ(value, 88);
    EXPECT_EQ(VORLServerMessage(h, 2, &type, &data, &length, &value), VORL_ERR_BAD_INDEX);
    char buf[4];
    EXPECT_EQ(VORLServerGetMessage(h, 0, &type, buf, sizeof buf, &length, &value), VORL_ERR_BUFFER_SMALL);
    EXPECT_EQ(VORLServerGetMessage(h, 0, &type, nullptr, 0, &length, &value), VORL_ERR_NO_BUFFER);
    uint32_t word = 0;
    // Messages without an address take the packet's.
    ASSERT_EQ(VORLServerMessageAddress(h, 0, &word), VORL_OK);
    EXPECT_EQ(word, 0x0A0B0C0Du);
    ASSERT_EQ(VORLServerMessageSeqnum(h, 0, &word), VORL_OK);
    EXPECT_EQ(word, 42u);
    ASSERT_EQ(VORLServerPacketAddress(h, &word), VORL_OK);
    EXPECT_EQ(word, 0x0A0B0C0Du);

    ASSERT_EQ(VORLServerStartPacket(h, 20, "one", 3), VORL_OK); // answers message 0 (cursor)
    ASSERT_EQ(VORLServerMessageType(h, 1, &type), VORL_OK);
    ASSERT_EQ(VORLServerAddMessage(h, 21, "two", 3), VORL_OK); // answers message 1
    EXPECT_EQ(r.state(1, 1), blk::kStateBuilding);
    EXPECT_EQ(EventWait(r.slotEvent(1), 0), 0);
    ASSERT_EQ(VORLServerEndPacket(h), VORL_OK);
    EXPECT_EQ(r.state(1, 1), blk::kStateReady);
    EXPECT_EQ(EventWait(r.slotEvent(1), 0), 1);

    const std::vector<uint8_t> reply = r.reply(1, 1);
    VORLPktHdr hdr {};
    wire::decode(reply.data(), hdr);
    EXPECT_EQ(hdr.kind, VORL_PKT_KIND);
    EXPECT_EQ(hdr.pktClass, 1);
    EXPECT_EQ(hdr.address, 0u);
    EXPECT_EQ(hdr.seq, 42u);
    EXPECT_EQ(hdr.count, 2);
    EXPECT_EQ(hdr.length, 16 + 2 * (20 + 3));
    struct Want {
        uint16_t type;
        const char* text;
        uint32_t handle;
    };
    const Want want[] = { { 20, "one", 77 }, { 21, "two", 88 } };
    std::size_t at = VORL_PKTHDR_SIZE;
    for (const Want& w : want) {
        VORLMsg m {};
        wire::decode(reply.data() + at, m);
        EXPECT_EQ(m.type, w.type);
        EXPECT_EQ(m.address, 0x0A0B0C0Du);
        EXPECT_EQ(m.clientSlot, VORL_CLIENT_SLOT_NONE);
        EXPECT_EQ(m.seq, 42u);
        EXPECT_EQ(m.handle, w.handle);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(reply.data() + at + 20), m.length), w.text);
        at += 20 + m.length;
    }
    // The host-order copy of the header in the reply state record.
    uint16_t length16 = 0;
    std::memcpy(&length16, r.view().replyState(1, 1) + 14, 2);
    EXPECT_EQ(length16, hdr.length);
    EXPECT_EQ(VORLServerDisconnect(h), VORL_OK);
}

TEST_F(ServerTest, OneReplyPerRequest)
{
    FakeRouter& r = makeRouter();
    r.connect(0);
    VORLSERVERHANDLE h = server();
    EXPECT_EQ(VORLServerStartPacket(h, 1, "x", 1), VORL_ERR_NOSLOT);
    EXPECT_EQ(VORLServerAddMessage(h, 1, "x", 1), VORL_ERR_PKT_NOT_STARTED);
    ASSERT_TRUE(r.queue(0, 0, RequestPacket(5, 1, { { 1, "a", 0 } })));
    ASSERT_EQ(VORLServerRecv(h, 5, 0), VORL_OK);
    // Types travel in 16 bits: a wider one is refused, not sent as another type.
    EXPECT_EQ(VORLServerStartPacket(h, 0x10001, "x", 1), VORL_ERR_PROTOCOL);
    ASSERT_EQ(VORLServerStartPacket(h, 1, "x", 1), VORL_OK);
    EXPECT_EQ(VORLServerAddMessage(h, -1, "x", 1), VORL_ERR_PROTOCOL);
    EXPECT_EQ(VORLServerStartPacket(h, 1, "x", 1), VORL_ERR_PKT_STARTED);
    ASSERT_EQ(VORLServerEndPacket(h), VORL_OK);
    EXPECT_EQ(VORLServerEndPacket(h), VORL_ERR_PKT_NOT_STARTED);
    // The reply has been handed over: a second one would answer nothing.
    EXPECT_EQ(VORLServerSend(h, 1, "y", 1), VORL_ERR_PKT_STARTED);
    VORLServerDisconnect(h);
}

// The largest reply: the client's limit, the option and the reply area.
TEST_F(ServerTest, LargestReplyIsCappedByOptionClientAndArea)
{
    struct Case {
        const char* section;
        int clientMax;
        int area;
        int expected;
    };
    const Case cases[] = {
        { "Capped", 30000, 30000, 8000 }, // MaxSendBufsize 8000
        { nullptr, 30000, 30000, 30000 },
        { nullptr, 5000, 30000, 5000 },
        { nullptr, 30000, 12000, 12000 }, // the reply area bounds what is written
        { "Capped", 30000, 6000, 6000 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.expected));
        FakeRouter& r = makeRouter({ 2, 4000, c.area, 1 });
        r.connect(0, c.clientMax);
        VORLSERVERHANDLE h = server(c.section);
        ASSERT_TRUE(r.queue(0, 0, RequestPacket(9, 1, { { 1, "q", 5 } })));
        ASSERT_EQ(VORLServerRecv(h, 5, 0), VORL_OK);
        int size = 0;
        ASSERT_EQ(VORLServerSendBufsize(h, &size), VORL_OK);
        EXPECT_EQ(size, c.expected - 16);
        const std::string chunk(1000, 'z');
        ASSERT_EQ(VORLServerStartPacket(h, 1, chunk.data(), static_cast<int>(chunk.size())), VORL_OK);
        int rc = VORL_OK;
        for (int i = 0; i < 100 && rc == VORL_OK; ++i) {
            rc = VORLServerAddMessage(h, 1, chunk.data(), static_cast<int>(chunk.size()));
        }
        EXPECT_EQ(rc, VORL_ERR_NO_ROOM);
        int room = -1;
        ASSERT_EQ(VORLServerSpaceLeft(h, &room), VORL_OK);
        EXPECT_LT(room, 1000);
        if (room > 0) {
            EXPECT_EQ(VORLServerAddMessage(h, 2, chunk.data(), room), VORL_OK);
        }
        ASSERT_EQ(VORLServerEndPacket(h), VORL_OK);
        VORLPktHdr hdr {};
        wire::decode(r.view().replyArea(0, 0), hdr);
        EXPECT_LE(hdr.length, c.expected);
        EXPECT_GT(hdr.length, c.expected - 1020);
        VORLServerDisconnect(h);
        router_.reset();
    }
}

TEST_F(ServerTest, MalformedRequestsAreNeverReadPastTheirArea)
{
    FakeRouter& r = makeRouter({ 2, 100, 1000, 1 });
    r.connect(0);
    r.connect(1);
    VORLSERVERHANDLE h = server();
    // A header that claims more than the request area holds is refused when taken.
    std::vector<uint8_t> big = RequestPacket(1, 1, { { 1, std::string(50, 'a'), 0 } });
    wire::putU16(big.data() + 14, 60000);
    ASSERT_TRUE(r.queue(0, 0, big));
    EXPECT_EQ(VORLServerRecv(h, 0, 0), VORL_ERR_TIMEOUT);
    // A message whose length runs past its packet is refused when read.
    std::vector<uint8_t> bad = RequestPacket(2, 1, { { 1, "abc", 0 }, { 2, "de", 0 } });
    wire::putU16(bad.data() + VORL_PKTHDR_SIZE + 20 + 3 + 2, 70);
    ASSERT_TRUE(r.queue(1, 0, bad));
    ASSERT_EQ(VORLServerRecv(h, 5, 0), VORL_OK);
    int type = 0;
    EXPECT_EQ(VORLServerMessageType(h, 0, &type), VORL_OK);
    EXPECT_EQ(VORLServerMessageType(h, 1, &type), VORL_ERR_PROTOCOL);
    VORLServerDisconnect(h);
}

TEST_F(ServerTest, ClientRecordsReturnToEarlierRequestsAndForwardChecksOrigin)
{
    FakeRouter& r = makeRouter();
    r.connect(0);
    r.connect(2);
    VORLSERVERHANDLE h = server();
    ASSERT_TRUE(r.queue(0, 1, RequestPacket(7, 1, { { 1, "a", 11 }, { 2, "bb", 12 } })));
    ASSERT_TRUE(r.queue(2, 0, RequestPacket(8, 1, { { 3, "c", 13 } })));
    ASSERT_EQ(VORLServerRecv(h, 5, 0), VORL_OK);
    VORLServerClient first {};
    ASSERT_EQ(VORLServerGetClient(h, 1, &first), VORL_OK);
    EXPECT_EQ(first.clientSlot, 0);
    EXPECT_EQ(first.windowSlot, 1);
    ASSERT_EQ(VORLServerRecv(h, 5, 0), VORL_OK);
    ASSERT_EQ(VORLServerSend(h, 30, "r8", 2), VORL_OK);

    VORLServerClient wrong = first;
    wrong.message = static_cast<const uint8_t*>(first.message) + 1;
    EXPECT_EQ(VORLServerSetClient(h, &wrong), VORL_ERR_MSG_ADDRESS);
    wrong.windowSlot = 5;
    EXPECT_EQ(VORLServerSetClient(h, &wrong), VORL_ERR_MSG_ADDRESS);
    ASSERT_EQ(VORLServerSetClient(h, &first), VORL_OK);
    ASSERT_EQ(VORLServerStartPacket(h, 31, "r7", 2), VORL_OK);
    EXPECT_EQ(r.state(0, 1), blk::kStateBuilding);

    // A message that names this request is taken with the current routing words.
    std::vector<uint8_t> fwd(VORL_MSG_SIZE + 3);
    VORLMsg m {};
    m.type = 40;
    m.length = 3;
    m.address = 0x0100007F;
    m.seq = 7;
    m.clientSlot = 0;
    m.windowSlot = 1;
    m.handle = 999;
    wire::encode(m, fwd.data());
    std::memcpy(fwd.data() + VORL_MSG_SIZE, "fwd", 3);
    ASSERT_EQ(VORLServerForwardMessage(h, fwd.data()), VORL_OK);
    m.seq = 8;
    wire::encode(m, fwd.data());
    EXPECT_EQ(VORLServerForwardMessage(h, fwd.data()), VORL_ERR_OTHER_REQUEST);
    ASSERT_EQ(VORLServerEndPacket(h), VORL_OK);

    const std::vector<uint8_t> reply = r.reply(0, 1);
    VORLPktHdr hdr {};
    wire::decode(reply.data(), hdr);
    ASSERT_EQ(hdr.count, 2);
    EXPECT_EQ(hdr.seq, 7u);
    VORLMsg second {};
    wire::decode(reply.data() + VORL_PKTHDR_SIZE + 22, second);
    EXPECT_EQ(second.type, 40);
    EXPECT_EQ(second.handle, 12u); // the handle of message 1, where the cursor stands
    EXPECT_EQ(second.clientSlot, VORL_CLIENT_SLOT_NONE);
    VORLServerDisconnect(h);
}

} // namespace
} // namespace vorl::test
