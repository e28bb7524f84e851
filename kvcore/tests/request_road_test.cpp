#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kvcore/app/app_core_base.h"
#include "kvcore/router/info_req.h"
#include "kvcore/router/kv_trace.h"
#include "kvcore/router/record_reader.h"
#include "kvcore/router/vorl_target.h"
#include "support/session_fixture.h"

namespace {

using kvtest::Fake;
using kvtest::FakeMessage;

// A target that records what reaches it.
class Recorder : public CVorlTarget {
public:
    int Decode(CRecordReader& reader) override
    {
        texts.push_back(reader.TextNoStrip(static_cast<int>(reader.Remaining())));
        return 1;
    }
    void OnPostReceive() override { ++posts; }
    std::vector<std::string> texts;
    int posts = 0;
};

// A host table that asks for its data on every collection.
class Table : public CVorlPermTarget {
public:
    Table(uint16_t id, std::string request)
        : m_request(std::move(request))
    {
        m_wID = id;
    }
    int UpdateReq() override
    {
        ++updates;
        return VORLInfoReqAdd(100 + m_wID, m_request.c_str(), static_cast<int>(m_request.size()), this);
    }
    int Decode(CRecordReader& reader) override
    {
        texts.push_back(reader.TextNoStrip(static_cast<int>(reader.Remaining())));
        return 1;
    }
    void OnPostReceive() override { ++posts; }
    int Load() override
    {
        order->push_back("load" + std::to_string(m_wID));
        return loadResult;
    }
    int Save() override
    {
        order->push_back("save" + std::to_string(m_wID));
        return saveResult;
    }
    void Free() override { order->push_back("free" + std::to_string(m_wID)); }

    std::vector<std::string>* order = &m_ownOrder;
    std::vector<std::string> texts;
    int posts = 0, updates = 0, loadResult = 1, saveResult = 1;

private:
    std::string m_request;
    std::vector<std::string> m_ownOrder;
};

// The application program's receive side, built from the core's blocks.
class TestApp : public CKvAppCoreBase {
public:
    int VORLInfoReqRecv() override { return ReceiveInfoReplies(InfoRecvWait()); }
    int VORLBlockedInfoReqEnd(CVorlTarget* target) override { return ReceiveBlockedReply(target); }
    int VORLTransactionRecv(int, char*, int, int) override
    {
        bool accepted = false;
        const int ok
            = ReceiveTransactionReply([&](const tagTMSG& m) { accepted = accepted || m.nType == 1; });
        return ok && accepted;
    }
    bool IsModalState() const override { return modal; }
    void PostMainCommand(unsigned id) override { posted.push_back(id); }
    bool CanForceLogoff() const override { return true; }
    void BeginLongOperation(unsigned id) override { longOps.push_back(id); }
    void PumpLongOperation() override { pumpsOutsideTheRoad.push_back(IsRoadBusy()); }
    void RepaintWhileWaiting() override
    {
        ++repaints;
        if (onRepaint)
            onRepaint();
    }

    std::function<void()> onRepaint;
    int repaints = 0;
    std::vector<bool> pumpsOutsideTheRoad;
    bool modal = false;
    std::vector<unsigned> posted;
    std::vector<unsigned> longOps;
};

class RequestRoad : public kvtest::SessionFixture {
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        fPacket = fTrPacket = fLastRec = 0;
        aInfoReq.RemoveAll();
        ConnectOk();
    }
    void TearDown() override
    {
        aInfoReq.RemoveAll();
        fPacket = fTrPacket = 0;
        SessionFixture::TearDown();
    }
};

TEST_F(RequestRoad, QueuedRequestsShareOnePacketUntilItEnds)
{
    TestApp app;
    Recorder a, b;
    aInfoReq.Add(INFOREQ_DOCUMENT, 9, &a); // left over from an earlier packet
    ASSERT_EQ(VORLInfoReqAdd(11, "AAA", 3, &a), 1);
    EXPECT_TRUE(aInfoReq.IsEmpty()); // a new packet starts a new queue
    ASSERT_EQ(VORLInfoReqAdd(12, "BB", 2, &b), 1);
    EXPECT_EQ(fPacket, 1);
    EXPECT_TRUE(Fake().sent.empty());
    ASSERT_EQ(VORLInfoReqEnd(), 1);
    EXPECT_EQ(fPacket, 0);
    ASSERT_EQ(Fake().sent.size(), 1u);
    ASSERT_EQ(Fake().sent[0].size(), 2u);
    // Each request carries its target's token, never an address.
    EXPECT_EQ(static_cast<uint32_t>(Fake().sent[0][0].value), a.GetToken());
    EXPECT_EQ(static_cast<uint32_t>(Fake().sent[0][1].value), b.GetToken());
    EXPECT_EQ(session->GetSendCount(), 5u);
}

TEST_F(RequestRoad, EndingWithNothingOpenFails)
{
    TestApp app;
    EXPECT_EQ(VORLInfoReqEnd(), 0);
    EXPECT_EQ(fPacket, 0);
    EXPECT_EQ(session->GetResult(), 5);
}

TEST_F(RequestRoad, CollectedRequestsTravelTogetherAndRepliesGoByPosition)
{
    TestApp app;
    Table t1(1, "REQ1"), t2(2, "REQ2"), t3(3, "REQ3");
    app.DoRequest();
    ASSERT_EQ(Fake().sent.size(), 1u);
    ASSERT_EQ(Fake().sent[0].size(), 3u);
    EXPECT_EQ(Fake().sent[0][2].data, "REQ3");
    ASSERT_EQ(aInfoReq.GetSize(), 3);
    EXPECT_EQ(aInfoReq.GetAt(1).nKind, INFOREQ_PERMANENT);
    EXPECT_EQ(aInfoReq.GetAt(1).nID, 2);

    // t1: two records; t2: an empty reply; t3: a one-byte flag, then a record at the packet's end.
    Fake().replies.push_back({ { 5, "R1A" }, { 5, "R1B" }, { 0, "" }, { 0, "" }, { 5, "X" }, { 5, "R3" } });
    app.DoReceive();
    EXPECT_EQ(t1.texts, (std::vector<std::string> { "R1A", "R1B" }));
    EXPECT_EQ(t1.posts, 1);
    EXPECT_TRUE(t2.texts.empty());
    EXPECT_EQ(t2.posts, 0);
    EXPECT_EQ(t3.texts, (std::vector<std::string> { "X", "R3" }));
    EXPECT_EQ(t3.posts, 1);
    EXPECT_TRUE(aInfoReq.IsEmpty()); // the next poll collects again
}

TEST_F(RequestRoad, AOneByteReplyIsNotData)
{
    TestApp app;
    Table t1(1, "REQ1");
    app.DoRequest();
    Fake().replies.push_back({ { 5, "N" }, { 0, "" } });
    app.DoReceive();
    EXPECT_EQ(t1.texts.size(), 1u);
    EXPECT_EQ(t1.posts, 0);
}

TEST_F(RequestRoad, AClosedDocumentsRepliesAreSkipped)
{
    TestApp app;
    auto closing = std::make_unique<Recorder>();
    Recorder gone, live;
    for (Recorder* r : { closing.get(), &gone, &live }) {
        ASSERT_EQ(VORLInfoReqAdd(40, "Q", 1, r), 1);
        aInfoReq.Add(INFOREQ_DOCUMENT, 40, r);
    }
    ASSERT_EQ(VORLInfoReqEnd(), 1);
    aInfoReq.ClearTarget(&gone); // the document closed, the object lives on
    closing.reset(); // the document's object is gone altogether
    Fake().replies.push_back({ { 5, "C1" }, { 0, "" }, { 5, "G1" }, { 0, "" }, { 5, "L1" }, { 0, "" } });
    EXPECT_EQ(app.VORLInfoReqRecv(), 1);
    EXPECT_TRUE(gone.texts.empty());
    EXPECT_EQ(gone.posts, 0);
    EXPECT_EQ(live.texts, (std::vector<std::string> { "L1" }));
    EXPECT_EQ(live.posts, 1);
}

TEST_F(RequestRoad, NoReplyYetKeepsTheQueue)
{
    TestApp app;
    Table t1(1, "REQ1");
    app.DoRequest();
    app.DoReceive(); // nothing has arrived
    EXPECT_EQ(aInfoReq.GetSize(), 1);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(session->IsCriticalError());
}

TEST_F(RequestRoad, AQueueNoReplyCanAnswerIsDropped)
{
    TestApp app;
    Recorder r;
    aInfoReq.Add(INFOREQ_DOCUMENT, 5, &r); // queued, but its packet never left
    EXPECT_EQ(app.VORLInfoReqRecv(), 0);
    EXPECT_TRUE(aInfoReq.IsEmpty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(RequestRoad, TransactionSendsAndDrainsTheOpenInfoPacketFirst)
{
    TestApp app;
    Table t1(1, "REQ1");
    ASSERT_EQ(t1.UpdateReq(), 1);
    t1.OnPostUpdateReq();
    EXPECT_EQ(fPacket, 1);
    // The request's reply comes only after one wait.
    Fake().recvStatuses = { 9 };
    Fake().replies.push_back({ { 5, "R1" }, { 0, "" } });
    Fake().replies.push_back({ { 1, "ACCEPTED" } });
    char text[] = "ORDER";
    EXPECT_EQ(VORLTransaction(77, text, 5, 1), 1);
    EXPECT_EQ(t1.texts, (std::vector<std::string> { "R1" }));
    EXPECT_EQ(
        Fake().calls, (std::vector<std::string> { "start", "end", "recv", "recv", "start", "end", "recv" }));
    ASSERT_EQ(Fake().sent.size(), 2u);
    EXPECT_EQ(Fake().sent[1][0].value, kTransactionValue);
    EXPECT_EQ(fTrPacket, 0);
    EXPECT_EQ(fPacket, 0);
    // The drain and the reply waited in the router rather than polling.
    for (int t : Fake().recvTimeouts)
        EXPECT_GT(t, 0);
}

TEST_F(RequestRoad, RefusedTransactionGivesZero)
{
    TestApp app;
    Fake().replies.push_back({ { 2, "REFUSED" } });
    char text[] = "ORDER";
    EXPECT_EQ(VORLTransaction(77, text, 5, 1), 0);
}

TEST_F(RequestRoad, BaseApplicationAddsButReceivesNothing)
{
    CKvAppCoreBase app;
    char text[] = "ORDER";
    EXPECT_EQ(VORLTransaction(77, text, 5, 0), 0);
    EXPECT_EQ(fTrPacket, 1); // added, then the base receive gave 0
    EXPECT_EQ(VORLTransactionEnd(), 1);
    Recorder r;
    Fake().replies.push_back({});
    ASSERT_EQ(session->Recv(0), 0);
    EXPECT_EQ(VORLInfoReq(5, "K", 1, &r), 0);
    EXPECT_EQ(fPacket, 1);
}

TEST_F(RequestRoad, BaseDrainGivesUpWhenNothingCanEmptyTheQueue)
{
    CKvAppCoreBase app;
    Recorder r;
    ASSERT_EQ(VORLInfoReqAdd(5, "K", 1, &r), 1);
    aInfoReq.Add(INFOREQ_DOCUMENT, 5, &r);
    ASSERT_EQ(VORLInfoReqEnd(), 1);
    char text[] = "T";
    // The base receive never empties the queue: the drain stops instead of spinning,
    // and the transaction finds the window still taken.
    EXPECT_EQ(VORLTransactionAdd(1, text, 1), 0);
    EXPECT_EQ(session->GetResult(), 2);
}

TEST_F(RequestRoad, BlockingRequestDeliversTheWholeReply)
{
    TestApp app;
    Recorder r;
    Fake().recvStatuses = { 9, 9 };
    Fake().replies.push_back({ { 5, "L1" }, { 5, "L2" }, { 0, "" } });
    EXPECT_EQ(VORLInfoReq(29, "KEY", 3, &r), 1);
    EXPECT_EQ(r.texts, (std::vector<std::string> { "L1", "L2" }));
    EXPECT_EQ(fLastRec, 1);
    EXPECT_EQ(r.posts, 0);
    EXPECT_EQ(fPacket, 0);
}

TEST_F(RequestRoad, CriticalSessionAsksForLogoffUnlessModal)
{
    TestApp app;
    Table t1(1, "REQ1");
    app.DoRequest();
    Fake().recvStatuses = { 7 };
    app.DoReceive();
    EXPECT_TRUE(session->IsCriticalError());
    app.DoReceive();
    app.DoRequest();
    EXPECT_EQ(app.posted, (std::vector<unsigned> { ID_KV_LOGOFF, ID_KV_LOGOFF }));
    app.modal = true;
    app.DoRequest();
    EXPECT_EQ(app.posted.size(), 2u);
    EXPECT_EQ(t1.updates, 1); // a critical session collects nothing
}

TEST_F(RequestRoad, PacketFullIsNotCritical)
{
    TestApp app;
    Fake().packetLimit = 4;
    Table t1(1, "REQ1"), t2(2, "REQ2");
    app.DoRequest();
    EXPECT_EQ(session->GetResult(), 0); // the end succeeded
    EXPECT_FALSE(session->IsCriticalError());
    EXPECT_EQ(aInfoReq.GetSize(), 1); // only the request that fitted waits
    EXPECT_TRUE(app.posted.empty());
}

TEST_F(RequestRoad, ForcedLogoffNeedsTheExactCommand)
{
    TestApp app;
    app.DoCommand("logoff");
    EXPECT_EQ(app.IsForceLogoffRequested(), 0);
    app.DoCommand(nullptr);
    app.DoCommand("LOGOFF");
    EXPECT_EQ(app.IsForceLogoffRequested(), 1);
    app.DoReceive();
    EXPECT_EQ(app.posted, (std::vector<unsigned> { ID_KV_FORCE_LOGOFF }));
    EXPECT_EQ(app.IsForceLogoffRequested(), 0);
}

TEST_F(RequestRoad, FirstLoadWaitsForItsReply)
{
    TestApp app;
    std::vector<std::string> order;
    Table t1(1, "REQ1"), t2(2, "REQ2");
    t1.order = t2.order = &order;
    Fake().recvStatuses = { 9, 9 };
    Fake().replies.push_back({ { 5, "A" }, { 0, "" }, { 5, "BB" }, { 0, "" } });
    EXPECT_EQ(CollectAllInfoRequestsBlocking(), 1);
    EXPECT_EQ(order, (std::vector<std::string> { "load1", "load2" }));
    EXPECT_EQ(t2.texts, (std::vector<std::string> { "BB" }));
    EXPECT_EQ(t2.posts, 1);
    EXPECT_EQ(app.longOps, (std::vector<unsigned> { 30024 }));
    EXPECT_EQ(app.pumpsOutsideTheRoad, (std::vector<bool> { true, true }));
    for (int t : Fake().recvTimeouts)
        EXPECT_GT(t, 0);
}

TEST_F(RequestRoad, FirstLoadStopsAtTheFirstFailedLoad)
{
    TestApp app;
    std::vector<std::string> order;
    Table t1(1, "REQ1"), t2(2, "REQ2"), t3(3, "REQ3");
    t1.order = t2.order = t3.order = &order;
    t2.loadResult = 0;
    EXPECT_EQ(CollectAllInfoRequestsBlocking(), 0);
    EXPECT_EQ(order, (std::vector<std::string> { "load1", "load2" }));
    EXPECT_TRUE(Fake().sent.empty());
}

TEST_F(RequestRoad, StoreAndResetPasses)
{
    TestApp app;
    std::vector<std::string> order;
    Table t1(1, "REQ1"), t2(2, "REQ2"), t3(3, "REQ3");
    t1.order = t2.order = t3.order = &order;
    t2.saveResult = 0;
    EXPECT_EQ(StoreAllPermTargets(), 0);
    EXPECT_EQ(order, (std::vector<std::string> { "save1", "save2" }));
    order.clear();
    app.DoRequest();
    fPacket = 1;
    EXPECT_EQ(ResetAllPermTargets(), 1);
    EXPECT_EQ(fPacket, 0);
    EXPECT_TRUE(aInfoReq.IsEmpty());
    EXPECT_EQ(order, (std::vector<std::string> { "free1", "free2", "free3" }));
}

// A router that never answers: every blocking step gives up after its bound,
// one router wait of kWaitSeconds a round, repainting between rounds.
TEST_F(RequestRoad, EveryBlockingWaitGivesUpWithinItsBound)
{
    static_assert(CKvAppCoreBase::kMaxBlockingWaitSeconds <= 30, "a blocking wait is bounded in seconds");
    struct Case {
        const char* name;
        std::function<void(TestApp&)> run;
    };
    char text[] = "ORDER";
    const Case cases[] = {
        { "blocking request",
            [](TestApp&) {
                Recorder r;
                EXPECT_EQ(VORLInfoReq(29, "KEY", 3, &r), 0);
            } },
        { "transaction", [&](TestApp&) { EXPECT_EQ(VORLTransaction(77, text, 5, 1), 0); } },
        { "owed replies before a transaction",
            [&](TestApp& app) {
                Table t1(1, "REQ1");
                app.DoRequest();
                Fake().calls.clear();
                Fake().recvTimeouts.clear();
                EXPECT_EQ(VORLTransactionAdd(77, text, 5), 0); // the drain gave up; the router is still taken
                EXPECT_EQ(aInfoReq.GetSize(), 1);
            } },
        { "first load",
            [](TestApp&) {
                Table t1(1, "REQ1");
                EXPECT_EQ(CollectAllInfoRequestsBlocking(), 1);
            } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        std::vector<std::string> trace;
        KvSetTraceSink([&](const std::string& line) { trace.push_back(line); });
        TestApp app;
        c.run(app);
        KvSetTraceSink(nullptr);
        EXPECT_EQ(std::count(Fake().calls.begin(), Fake().calls.end(), "recv"), CKvAppCoreBase::kMaxWaitRounds);
        EXPECT_EQ(Fake().recvTimeouts,
            std::vector<int>(CKvAppCoreBase::kMaxWaitRounds, CKvAppCoreBase::kWaitSeconds));
        EXPECT_EQ(app.repaints, CKvAppCoreBase::kMaxWaitRounds - 1);
        ASSERT_EQ(trace.size(), 1u);
        EXPECT_NE(trace[0].find("gave up"), std::string::npos) << trace[0];
        EXPECT_FALSE(session->IsCriticalError());
    }
}

// The reply of a request whose wait gave up comes later: it must not answer
// the request sent after it.
TEST_F(RequestRoad, ALateReplyOfAGivenUpWaitGoesToNobody)
{
    std::vector<std::string> trace;
    KvSetTraceSink([&](const std::string& line) { trace.push_back(line); });
    TestApp app;
    Recorder blocked;
    EXPECT_EQ(VORLInfoReq(29, "KEY", 3, &blocked), 0);
    Fake().window = 2;
    Table t1(1, "REQ1");
    app.DoRequest();
    ASSERT_EQ(aInfoReq.GetSize(), 1);
    Fake().replies.push_back({ { 5, "LATE" }, { 0, "" } });
    Fake().replies.push_back({ { 5, "R1" }, { 0, "" } });
    app.DoReceive(); // the late reply arrives and is dropped
    EXPECT_TRUE(t1.texts.empty());
    EXPECT_EQ(aInfoReq.GetSize(), 1);
    app.DoReceive();
    KvSetTraceSink(nullptr);
    EXPECT_EQ(t1.texts, (std::vector<std::string> { "R1" }));
    EXPECT_TRUE(blocked.texts.empty());
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_NE(trace[1].find("dropped"), std::string::npos) << trace[1];
    // Once dropped, replies flow as before.
    app.DoRequest();
    Fake().replies.push_back({ { 5, "R2" }, { 0, "" } });
    app.DoReceive();
    EXPECT_EQ(t1.texts, (std::vector<std::string> { "R1", "R2" }));
}

// The repaint hook runs while a blocking request waits; a timer poll or any
// request made from it must not touch the router or the queue.
TEST_F(RequestRoad, APollFromTheRepaintHookDoesNotReEnterTheWait)
{
    TestApp app;
    Table t1(1, "REQ1");
    Recorder r, other;
    Fake().recvStatuses = { 9, 9 }; // the reply comes in the third round
    Fake().replies.push_back({ { 5, "L1" }, { 0, "" } });
    std::vector<std::string> routerCallsInHook;
    std::vector<int> results;
    app.onRepaint = [&] {
        EXPECT_TRUE(app.IsRoadBusy());
        const size_t before = Fake().calls.size();
        app.DoRequest();
        app.DoReceive();
        char text[] = "T";
        results = { VORLInfoReq(30, "X", 1, &other), VORLInfoReqAdd(31, "Y", 1, &other), VORLInfoReqEnd(),
            VORLTransaction(1, text, 1, 0), VORLTransactionAdd(1, text, 1), VORLTransactionEnd(),
            VORLInfoReqRecv(), VORLBlockedInfoReqEnd(&other), CollectAllInfoRequestsBlocking(),
            ResetAllPermTargets() };
        routerCallsInHook.insert(routerCallsInHook.end(), Fake().calls.begin() + static_cast<long>(before),
            Fake().calls.end());
    };
    EXPECT_EQ(VORLInfoReq(29, "KEY", 3, &r), 1);
    EXPECT_EQ(app.repaints, 2);
    EXPECT_TRUE(routerCallsInHook.empty());
    EXPECT_EQ(results, std::vector<int>(10, 0));
    EXPECT_EQ(t1.updates, 0);
    EXPECT_TRUE(app.longOps.empty());
    EXPECT_EQ(r.texts, (std::vector<std::string> { "L1" }));
    EXPECT_TRUE(other.texts.empty());
    EXPECT_EQ(fLastRec, 1);
    // The road opens again once the wait is over.
    EXPECT_FALSE(app.IsRoadBusy());
    app.DoRequest();
    EXPECT_EQ(t1.updates, 1);
}

TEST_F(RequestRoad, WithoutAnApplicationEveryRequestFails)
{
    char text[] = "X";
    EXPECT_EQ(VORLTransaction(1, text, 1, 0), 0);
    EXPECT_EQ(VORLInfoReq(1, "X", 1, nullptr), 0);
    EXPECT_EQ(VORLInfoReqAdd(1, "X", 1, nullptr), 0);
    EXPECT_EQ(CollectAllInfoRequestsBlocking(), 0);
    EXPECT_TRUE(Fake().calls.empty());
}

} // namespace
