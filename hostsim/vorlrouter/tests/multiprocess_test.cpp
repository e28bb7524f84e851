// Two host application processes take requests from one queue under load:
// every queued entry is taken by exactly one of them. The test plays the
// router's part on the block itself, so that it knows every entry it queued.
#include <cstring>
#include <map>

#include "router.h"
#include "router_test_support.h"
#include "vorl/codec.h"
#include "vorl/server.h"

namespace routertest {
namespace {

namespace blk = vorl::block;

std::vector<uint8_t> request(uint32_t seq)
{
    std::vector<uint8_t> p(VORL_PKTHDR_SIZE + VORL_MSG_SIZE + 4);
    VORLMsg m {};
    m.type = 9;
    m.length = 4;
    m.clientSlot = VORL_CLIENT_SLOT_NONE;
    m.seq = seq;
    m.handle = seq;
    vorl::wire::encode(m, p.data() + VORL_PKTHDR_SIZE);
    vorl::wire::putU32(p.data() + VORL_PKTHDR_SIZE + VORL_MSG_SIZE, seq);
    VORLPktHdr h {};
    h.kind = VORL_PKT_KIND;
    h.pktClass = 1;
    h.address = 0x0100007F;
    h.seq = seq;
    h.count = 1;
    h.length = static_cast<uint16_t>(p.size());
    vorl::wire::encode(h, p.data());
    return p;
}

TEST_F(RouterTest, TwoServerProcessesNeverTakeTheSameEntry)
{
    writeConfig("Clients=8\nWindowSize=4\nRequestSize=256\nReplySize=256\n");
    vorlrouter::RouterConfig cfg;
    ASSERT_EQ(vorlrouter::ReadConfig(config_, cfg), "");
    vorlrouter::SharedBlock block;
    ASSERT_EQ(block.open(cfg), "");
    const blk::View& v = block.view();
    const int n = cfg.clients;
    const int w = cfg.window;
    for (int c = 0; c < n; ++c) {
        blk::putI32(v.client(c) + blk::kCliMaxReply, 256);
        blk::storeI32(v.client(c) + blk::kCliConnected, 1);
    }
    auto a = startAndWait("echohost", { config_, "--log", path("a.log") }, "a.out", "serving");
    auto b = startAndWait("echohost", { config_, "--log", path("b.log") }, "b.out", "serving");

    constexpr uint32_t kRequests = 4000;
    std::vector<uint32_t> pending(static_cast<std::size_t>(n * w), 0); // sequence per slot, 0 free
    std::vector<int> replies(kRequests + 1, 0);
    uint32_t next = 1;
    uint32_t done = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (done < kRequests && std::chrono::steady_clock::now() < deadline) {
        bool progressed = false;
        for (int i = 0; i < n * w; ++i) {
            const int c = i / w;
            const int s = i % w;
            uint32_t& seq = pending[static_cast<std::size_t>(i)];
            if (seq != 0 && blk::loadI32(v.replyState(c, s) + blk::kRsState) == blk::kStateReady) {
                VORLPktHdr h {};
                vorl::wire::decode(v.replyArea(c, s), h);
                EXPECT_EQ(h.seq, seq);
                if (h.seq <= kRequests)
                    ++replies[h.seq];
                blk::storeI32(v.replyState(c, s) + blk::kRsState, blk::kStateNone);
                seq = 0;
                ++done;
                progressed = true;
            }
            if (seq == 0 && next <= kRequests) {
                MutexGet(block.queueMutex());
                const int32_t wi = blk::getI32(v.base() + blk::kHdrQueueWrite);
                if (blk::getI32(v.queueEntry(wi) + blk::kQueClient) == -1) {
                    const std::vector<uint8_t> p = request(next);
                    std::memcpy(v.requestArea(c, s), p.data(), p.size());
                    ASSERT_EQ(AddToMessageQueue(v.base(), v.queueEntry(0), block.queueMutex(), c, s, 1), 1);
                    seq = next++;
                    progressed = true;
                }
                MutexRelease(block.queueMutex());
                EventSetToUnblocked(block.wake());
            }
        }
        if (!progressed)
            std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    ASSERT_EQ(done, kRequests);
    EXPECT_EQ(a->stop(), 0);
    EXPECT_EQ(b->stop(), 0);

    std::map<uint32_t, int> taken;
    std::size_t takenBy[2] = { 0, 0 };
    const char* const logs[2] = { "a.log", "b.log" };
    for (int process = 0; process < 2; ++process) {
        std::istringstream in(readFile(path(logs[process])));
        uint32_t seq = 0;
        int client = 0, window = 0;
        while (in >> seq >> client >> window) {
            ++taken[seq];
            ++takenBy[process];
        }
    }
    EXPECT_EQ(taken.size(), kRequests);
    for (const auto& [seq, count] : taken)
        EXPECT_EQ(count, 1) << "request " << seq;
    for (uint32_t seq = 1; seq <= kRequests; ++seq)
        EXPECT_EQ(replies[seq], 1) << "request " << seq;
    // Under this load both processes wait on the queue; each must have taken a share.
    EXPECT_GT(takenBy[0], 0u) << "the first process took no request";
    EXPECT_GT(takenBy[1], 0u) << "the second process took no request";
    std::printf("requests taken: %zu by the first process, %zu by the second\n", takenBy[0], takenBy[1]);
}

} // namespace
} // namespace routertest
