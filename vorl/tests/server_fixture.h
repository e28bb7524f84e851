#pragma once
// A stand-in for the router process inside the test: it creates the shared
// block and the objects its header names, connects client slots, places
// request packets and reads the replies. Each test runs in a namespace of its
// own and stops that namespace's persist server at the end.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "plinth/event.h"
#include "plinth/mutex.h"
#include "plinth/persist.h"
#include "plinth/shmem.h"
#include "test_env.h"
#include "vorl/codec.h"
#include "vorl/server.h"
#include "vorl/server_block.h"

namespace vorl::test {

namespace blk = vorl::block;

struct TestMsg {
    uint16_t type = 0;
    std::string data;
    uint32_t handle = 0;
};

// A request packet in wire form as the router places it.
inline std::vector<uint8_t> RequestPacket(
    uint32_t seq, uint16_t pktClass, const std::vector<TestMsg>& msgs, uint32_t address = 0x0100007F)
{
    std::vector<uint8_t> p(VORL_PKTHDR_SIZE);
    for (const TestMsg& m : msgs) {
        VORLMsg h {};
        h.type = m.type;
        h.length = static_cast<uint16_t>(m.data.size());
        h.clientSlot = VORL_CLIENT_SLOT_NONE;
        h.seq = seq;
        h.handle = m.handle;
        const std::size_t at = p.size();
        p.resize(at + VORL_MSG_SIZE + m.data.size());
        wire::encode(h, p.data() + at);
        std::copy(m.data.begin(), m.data.end(), p.begin() + static_cast<std::ptrdiff_t>(at + VORL_MSG_SIZE));
    }
    VORLPktHdr h {};
    h.kind = VORL_PKT_KIND;
    h.pktClass = pktClass;
    h.address = address;
    h.seq = seq;
    h.count = static_cast<uint16_t>(msgs.size());
    h.length = static_cast<uint16_t>(p.size());
    wire::encode(h, p.data());
    return p;
}

class FakeRouter {
public:
    static constexpr int kKey = 7100;
    static constexpr int kWake = 7101;
    static constexpr int kQueueMutex = 7102;
    static constexpr int kClientMutex = 7103;
    static constexpr int kSlotEvents = 7200;

    FakeRouter(blk::Geometry g, const char* hostType)
    {
        base_ = static_cast<uint8_t*>(GetVORLSharedMemory(&shm_, kKey, g.n, g.a, g.b, g.w, 1));
        if (base_ == nullptr)
            return;
        view_ = blk::View(base_, g);
        wake_ = EventCreate(kWake);
        queueMutex_ = MutexCreate(kQueueMutex);
        clientMutex_ = MutexCreate(kClientMutex);
        for (int c = 0; c < g.n; ++c)
            slotEvents_.push_back(EventCreate(kSlotEvents + c));
        blk::putI32(base_ + blk::kHdrWakeEventKey, kWake);
        blk::putI32(base_ + blk::kHdrQueueMutexKey, kQueueMutex);
        blk::putI32(base_ + blk::kHdrClientMutexKey, kClientMutex);
        blk::putI32(base_ + blk::kHdrOperatorEventKey, kSlotEvents);
        view_.setHostType(hostType);
        for (std::size_t i = 0; i < g.slots(); ++i) {
            uint8_t* e = view_.queueEntry(static_cast<int>(i));
            blk::putI32(e, -1);
            blk::putI32(e + 4, -1);
            blk::putI32(e + 8, -1);
        }
        for (int c = 0; c < g.n; ++c) {
            uint8_t* e = view_.client(c);
            blk::putI32(e + blk::kCliOperator, -1);
            blk::putI32(e + blk::kCliReplyEventKey, kSlotEvents + c);
        }
        view_.setRunning(true);
    }
    ~FakeRouter()
    {
        for (PlinthEvent* e : slotEvents_)
            EventClose(EventCondemn(e));
        if (wake_ != nullptr)
            EventClose(EventCondemn(wake_));
        if (queueMutex_ != nullptr)
            MutexClose(MutexCondemn(queueMutex_));
        if (clientMutex_ != nullptr)
            MutexClose(MutexCondemn(clientMutex_));
        if (shm_ != nullptr)
            ShmemClose(ShmemCondemn(shm_));
    }
    FakeRouter(const FakeRouter&) = delete;
    FakeRouter& operator=(const FakeRouter&) = delete;

    bool ok() const
    {
        return base_ != nullptr && wake_ != nullptr && queueMutex_ != nullptr && clientMutex_ != nullptr;
    }
    const blk::View& view() const { return view_; }
    PlinthEvent* slotEvent(int c) const { return slotEvents_[static_cast<std::size_t>(c)]; }
    PlinthEvent* wake() const { return wake_; }

    void connect(int c, int maxReply = 30000)
    {
        blk::storeI32(view_.client(c) + blk::kCliConnected, 1);
        blk::putI32(view_.client(c) + blk::kCliMaxReply, maxReply);
        blk::putI32(view_.client(c) + blk::kCliMaxRequest, 30000);
    }
    // Places a request in (c, s) and queues it; false when the queue is full.
    bool queue(int c, int s, const std::vector<uint8_t>& packet, int pktClass = 1)
    {
        std::copy(packet.begin(), packet.end(), view_.requestArea(c, s));
        blk::storeI32(view_.replyState(c, s) + blk::kRsState, blk::kStateNone);
        if (AddToMessageQueue(base_, view_.queueEntry(0), queueMutex_, c, s, pktClass) == 0)
            return false;
        EventSetToUnblocked(wake_);
        return true;
    }
    int state(int c, int s) const { return blk::loadI32(view_.replyState(c, s) + blk::kRsState); }
    // The reply in (c, s) as the router would send it.
    std::vector<uint8_t> reply(int c, int s) const
    {
        const uint8_t* p = view_.replyArea(c, s);
        VORLPktHdr h {};
        wire::decode(p, h);
        const std::size_t len = std::min<std::size_t>(h.length, static_cast<std::size_t>(view_.geometry().b));
        return std::vector<uint8_t>(p, p + len);
    }

private:
    PlinthShmem* shm_ = nullptr;
    uint8_t* base_ = nullptr;
    blk::View view_;
    PlinthEvent* wake_ = nullptr;
    PlinthMutex* queueMutex_ = nullptr;
    PlinthMutex* clientMutex_ = nullptr;
    std::vector<PlinthEvent*> slotEvents_;
};

// Every test gets its own object namespace and a configuration naming the block.
class ServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static std::atomic<int> counter { 0 };
        ns_ = "t" + std::to_string(getpid()) + "_sv" + std::to_string(counter.fetch_add(1)) + "_";
        setenv("PLINTH_NAMESPACE", ns_.c_str(), 1);
        config_ = dir_.write("vorl.ini",
            "[VORLServer]\nshmkey=" + std::to_string(FakeRouter::kKey) + "\nHostType=EXCH\n[Capped]\nshmkey="
                + std::to_string(FakeRouter::kKey) + "\nHostType=EXCH\nMaxSendBufsize=8000\n[Other]\nshmkey="
                + std::to_string(FakeRouter::kKey) + "\nHostType=OTHER\n");
    }
    void TearDown() override
    {
        router_.reset();
        SysStopPersistServer();
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator("/dev/shm", ec)) {
            if (e.path().filename().string().rfind(ns_, 0) == 0)
                std::filesystem::remove(e.path(), ec);
        }
        unsetenv("PLINTH_NAMESPACE");
    }
    FakeRouter& makeRouter(blk::Geometry g = { 4, 4000, 30000, 2 })
    {
        router_ = std::make_unique<FakeRouter>(g, "EXCH");
        EXPECT_TRUE(router_->ok());
        return *router_;
    }
    std::string config(const char* section = nullptr) const
    {
        return section == nullptr ? config_ : config_ + "," + section;
    }
    VORLSERVERHANDLE server(const char* section = nullptr)
    {
        VORLSERVERHANDLE h = nullptr;
        EXPECT_EQ(VORLServerCreate(&h, config(section).c_str(), nullptr, nullptr), VORL_OK);
        return h;
    }

    ScratchDir dir_;
    std::string ns_;
    std::string config_;
    std::unique_ptr<FakeRouter> router_;
};

} // namespace vorl::test
