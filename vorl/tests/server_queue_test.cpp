// The request queue by class, the router reset and the operator, in one
// process with the block made by the test.
#include <atomic>
#include <chrono>
#include <cstring>
#include <future>
#include <string>
#include <thread>

#include "server_fixture.h"
#include "waiting_thread.h"

namespace vorl::test {
namespace {

uint32_t currentSeq(VORLSERVERHANDLE h)
{
    uint32_t seq = 0;
    EXPECT_EQ(VORLServerMessageSeqnum(h, 0, &seq), VORL_OK);
    return seq;
}

TEST_F(ServerTest, TakesByClassAndSkippedEntriesKeepTheirOrder)
{
    FakeRouter& r = makeRouter({ 8, 200, 200, 1 });
    VORLSERVERHANDLE h = server();
    // Requests 1..6 with classes 1, 1, 3, 2, 1, 3 in client slots 0..5.
    const int classes[] = { 1, 1, 3, 2, 1, 3 };
    for (int i = 0; i < 6; ++i) {
        r.connect(i);
        ASSERT_TRUE(
            r.queue(i, 0, RequestPacket(static_cast<uint32_t>(i + 1), 1, { { 1, "m", 0 } }), classes[i]));
    }
    struct Step {
        int pktClass;
        int rc;
        uint32_t seq;
    };
    const Step steps[] = {
        { 3, VORL_OK, 3 }, // past two class-1 entries
        { 5, VORL_ERR_TIMEOUT, 0 }, // no entry of exactly class 5
        { -2, VORL_OK, 1 }, // first with class at most 2
        { 2, VORL_OK, 4 },
        { 0, VORL_OK, 2 }, // the skipped entries are next, in order
        { 0, VORL_OK, 5 },
        { -2, VORL_ERR_TIMEOUT, 0 }, // only a class-3 entry is left
        { 0, VORL_OK, 6 },
        { 0, VORL_ERR_TIMEOUT, 0 },
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.pktClass);
        ASSERT_EQ(VORLServerRecv(h, 0, s.pktClass), s.rc);
        if (s.rc == VORL_OK) {
            EXPECT_EQ(currentSeq(h), s.seq);
        }
    }
    VORLServerDisconnect(h);
}

TEST_F(ServerTest, QueueRingIsFullAtClientCount)
{
    FakeRouter& r = makeRouter({ 3, 200, 200, 4 });
    r.connect(0);
    VORLSERVERHANDLE h = server();
    for (int s = 0; s < 3; ++s)
        ASSERT_TRUE(r.queue(0, s, RequestPacket(static_cast<uint32_t>(s + 1), 1, {})));
    EXPECT_FALSE(r.queue(0, 3, RequestPacket(4, 1, {})));
    // Taking one makes room again, and the ring wraps.
    for (uint32_t want = 1; want <= 5; ++want) {
        ASSERT_EQ(VORLServerRecv(h, 0, 0), VORL_OK);
        const void* packet = nullptr;
        ASSERT_EQ(VORLServerPacket(h, &packet), VORL_OK);
        VORLPktHdr hdr {};
        wire::decode(static_cast<const uint8_t*>(packet), hdr);
        EXPECT_EQ(hdr.seq, want);
        if (want + 3 <= 5) {
            ASSERT_TRUE(r.queue(0, static_cast<int>(want + 3) % 4, RequestPacket(want + 3, 1, {})));
        }
    }
    VORLServerDisconnect(h);
}

TEST_F(ServerTest, RecvStopsWhenTheRouterIsNotRunning)
{
    FakeRouter& r = makeRouter();
    VORLSERVERHANDLE h = server();
    r.view().setRunning(false);
    EXPECT_EQ(VORLServerRecv(h, 0, 0), VORL_ERR_SEND_TRIES);
    ASSERT_EQ(VORLServerConnect(h), VORL_OK);
    EXPECT_TRUE(r.view().running());
    // A stop during the wait ends it. The wake event starts unblocked; the call blocks it when it
    // finds the queue empty, then sleeps on it: only then does the router stop.
    ASSERT_EQ(EventSetToUnblocked(r.wake()), 1);
    std::atomic<pid_t> caller { 0 };
    auto waiting = std::async(std::launch::async, [h, &caller] {
        caller = CurrentThreadId();
        return VORLServerRecv(h, 30, 0);
    });
    ASSERT_TRUE(PollUntil([&] {
        return caller != 0 && EventWait(r.wake(), 0) == 0 && SleepsInFutexWait(caller);
    })) << "the call never waited";
    r.view().setRunning(false);
    ASSERT_EQ(waiting.wait_for(std::chrono::seconds(20)), std::future_status::ready);
    EXPECT_EQ(waiting.get(), VORL_ERR_SEND_TRIES);
    VORLServerDisconnect(h);
    EXPECT_FALSE(r.view().running());
}

TEST_F(ServerTest, SetHostTypeResetsTheRouter)
{
    FakeRouter& r = makeRouter({ 4, 200, 200, 2 });
    r.connect(0);
    r.connect(2);
    VORLSERVERHANDLE h = server();
    ASSERT_TRUE(r.queue(0, 0, RequestPacket(1, 1, {})));
    ASSERT_TRUE(r.queue(2, 1, RequestPacket(2, 1, {})));
    ASSERT_EQ(VORLServerSetHostType(h, "A host type longer than thirty characters"), VORL_OK);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(blk::loadI32(r.view().client(c) + blk::kCliConnected), 0);
        EXPECT_EQ(blk::getI32(r.view().client(c) + blk::kCliReset1), -1);
        EXPECT_EQ(blk::getI32(r.view().client(c) + blk::kCliReset2), -1);
    }
    EXPECT_EQ(EventWait(r.slotEvent(0), 0), 1);
    EXPECT_EQ(EventWait(r.slotEvent(2), 0), 1);
    EXPECT_EQ(EventWait(r.slotEvent(1), 0), 0);
    EXPECT_EQ(blk::getI32(r.view().base() + blk::kHdrQueueRead), 0);
    EXPECT_EQ(blk::getI32(r.view().base() + blk::kHdrQueueWrite), 0);
    EXPECT_EQ(VORLServerRecv(h, 0, 0), VORL_ERR_TIMEOUT);
    EXPECT_TRUE(r.view().running());
    char type[32];
    r.view().hostType(type);
    EXPECT_STREQ(type, "A host type longer than thirty");
    // Servers of the old host type are refused from now on.
    VORLSERVERHANDLE other = nullptr;
    EXPECT_EQ(VORLServerCreate(&other, config().c_str(), nullptr, nullptr), VORL_ERR_HOST_TYPE);
    EXPECT_EQ(VORLServerCreate(&other, config().c_str(), nullptr, "A host type longer than thirty"), VORL_OK);
    VORLServerDisconnect(other);
    VORLServerDisconnect(h);
}

TEST_F(ServerTest, OperatorRoundTripAndBusySlots)
{
    FakeRouter& r = makeRouter({ 2, 4000, 4000, 1 });
    VORLSERVERHANDLE h = server();
    auto op = std::async(std::launch::async, [this] {
        int type = 0, length = 0;
        std::string reply(VORL_OPERATOR_BUFSIZE, '\0');
        const int rc = VORLOperator(
            config().c_str(), nullptr, nullptr, 55, "status?", 7, 0, &type, reply.data(), &length);
        return std::make_tuple(rc, type, reply.substr(0, static_cast<std::size_t>(length > 0 ? length : 0)));
    });
    ASSERT_EQ(VORLServerRecv(h, 20, 0), VORL_OK);
    uint32_t address = 0;
    ASSERT_EQ(VORLServerPacketAddress(h, &address), VORL_OK);
    EXPECT_EQ(address, 0xFFFFFFFFu);
    char text[16] = {};
    int type = 0, length = 0;
    ASSERT_EQ(VORLServerGetMessage(h, 0, &type, text, sizeof text, &length, nullptr), VORL_OK);
    EXPECT_EQ(type, 55);
    EXPECT_EQ(std::string(text, static_cast<std::size_t>(length)), "status?");
    EXPECT_EQ(blk::getI32(r.view().base() + blk::kHdrOperatorCount), 1);
    ASSERT_EQ(VORLServerSend(h, 56, "all well", 8), VORL_OK);
    ASSERT_EQ(op.wait_for(std::chrono::seconds(20)), std::future_status::ready);
    const auto [rc, replyType, replyText] = op.get();
    EXPECT_EQ(rc, VORL_OK);
    EXPECT_EQ(replyType, 56);
    EXPECT_EQ(replyText, "all well");
    EXPECT_EQ(blk::getI32(r.view().base() + blk::kHdrOperatorCount), 0);
    EXPECT_EQ(blk::getI32(r.view().client(0) + blk::kCliOperator), -1);

    // Every slot busy with a client: no operator.
    r.connect(0);
    r.connect(1);
    int replyType2 = 0, replyLength = 0;
    char buffer[64];
    EXPECT_EQ(
        VORLOperator(config().c_str(), nullptr, nullptr, 1, "x", 1, 1, &replyType2, buffer, &replyLength),
        VORL_ERR_NO_CLIENT_SLOT);
    // A request larger than the request area is refused before it is queued.
    blk::storeI32(r.view().client(1) + blk::kCliConnected, 0);
    const std::string huge(5000, 'h');
    EXPECT_EQ(VORLOperator(config().c_str(), nullptr, nullptr, 1, huge.data(), static_cast<int>(huge.size()),
                  1, &replyType2, buffer, &replyLength),
        VORL_ERR_NO_ROOM);
    // Types and classes wider than 16 bits are refused before anything is queued.
    EXPECT_EQ(VORLOperator(config().c_str(), nullptr, nullptr, 0x10000, "x", 1, 1, &replyType2, buffer,
                  &replyLength),
        VORL_ERR_PROTOCOL);
    EXPECT_EQ(VORLOperator(config().c_str(), nullptr, nullptr, 1, "x", 1, 0x10001, &replyType2, buffer,
                  &replyLength),
        VORL_ERR_PROTOCOL);
    EXPECT_EQ(VORLServerRecv(h, 0, 0), VORL_ERR_TIMEOUT);
    EXPECT_EQ(VORLOperator(
                  config("Other").c_str(), nullptr, nullptr, 1, "x", 1, 1, &replyType2, buffer, &replyLength),
        VORL_ERR_HOST_TYPE);
    VORLServerDisconnect(h);
}

} // namespace
} // namespace vorl::test
