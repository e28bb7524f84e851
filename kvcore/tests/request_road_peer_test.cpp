// The request road over the real router library against the protocol peer:
// what travels in which packet, and which target each reply reaches.
#include "support/peer_session.h"

#if KV_HAVE_PEER

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "kvcore/app/app_core_base.h"
#include "kvcore/router/info_req.h"
#include "kvcore/router/record_reader.h"
#include "kvcore/router/vorl_target.h"

namespace {

using kvtest::kPeerWait;

constexpr uint16_t kDataType = 5;
constexpr uint16_t kAccepted = 1;
constexpr uint16_t kRefused = 2;
constexpr int kOrderCode = 77;

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

// A host table asking for its data on every collection.
class Table : public CVorlPermTarget {
public:
    Table(uint16_t id, std::string request)
        : m_request(std::move(request))
    {
        m_wID = id;
    }
    int UpdateReq() override
    {
        return VORLInfoReqAdd(100 + m_wID, m_request.c_str(), static_cast<int>(m_request.size()), this);
    }
    int Decode(CRecordReader& reader) override
    {
        texts.push_back(reader.TextNoStrip(static_cast<int>(reader.Remaining())));
        ++*received;
        return 1;
    }
    void OnPostReceive() override { ++posts; }
    std::vector<std::string> texts;
    // Read by the peer's handler on its own thread, which may outlive the table.
    std::shared_ptr<std::atomic<int>> received = std::make_shared<std::atomic<int>>(0);
    int posts = 0;

private:
    std::string m_request;
};

// The application program's receive side, built from the core's blocks.
class PeerApp : public CKvAppCoreBase {
public:
    int VORLInfoReqRecv() override { return ReceiveInfoReplies(InfoRecvWait()); }
    int VORLBlockedInfoReqEnd(CVorlTarget* target) override { return ReceiveBlockedReply(target); }
    int VORLTransactionRecv(int, char*, int, int) override
    {
        bool accepted = false;
        const int ok
            = ReceiveTransactionReply([&](const tagTMSG& m) { accepted = accepted || m.nType == kAccepted; });
        return ok && accepted;
    }
    void PostMainCommand(unsigned id) override { posted.push_back(id); }
    std::vector<unsigned> posted;
};

// The host's side: each request message is answered by its records and an
// empty message, in the order of the request; an order gets one verdict.
struct HostScript {
    std::map<std::string, std::vector<std::string>> records {}; // by request text
    uint16_t verdict = kAccepted;
    std::function<void()> onOrder {}; // runs on the peer's thread when an order arrives
};

hostsim::RequestHandler HostHandler(HostScript script)
{
    return [script = std::move(script)](const hostsim::PeerPacket& packet) {
        std::vector<hostsim::ReplyMessage> out;
        for (const hostsim::PeerMessage& m : packet.messages) {
            if (m.header.type == kOrderCode) {
                if (script.onOrder)
                    script.onOrder();
                out.push_back(hostsim::ReplyMessage::answering(m, script.verdict, "VERDICT"));
                continue;
            }
            const auto it = script.records.find(m.text());
            if (it != script.records.end()) {
                for (const std::string& r : it->second)
                    out.push_back(hostsim::ReplyMessage::answering(m, kDataType, r));
            }
            out.push_back(hostsim::ReplyMessage::answering(m, 0, ""));
        }
        return std::optional(out);
    };
}

class RequestRoadPeer : public kvtest::PeerSessionFixture {
protected:
    void SetUp() override
    {
        PeerSessionFixture::SetUp();
        if (HasFatalFailure())
            return;
        fPacket = fTrPacket = fLastRec = 0;
        aInfoReq.RemoveAll();
        ASSERT_EQ(Connect(), 0);
    }
    void TearDown() override
    {
        aInfoReq.RemoveAll();
        fPacket = fTrPacket = fLastRec = 0;
        PeerSessionFixture::TearDown();
    }
    // The request packets the host received, each as its message texts.
    std::vector<std::vector<std::string>> RequestTexts() const
    {
        std::vector<std::vector<std::string>> out;
        const hostsim::PeerRecord r = peer->record();
        for (const hostsim::PeerPacket* p : r.requests()) {
            out.emplace_back();
            for (const hostsim::PeerMessage& m : p->messages)
                out.back().push_back(m.text());
        }
        return out;
    }
    // Polls as the main frame does, waiting in the router for the reply.
    static void ReceiveAll(PeerApp& app)
    {
        KvRecvWaitScope wait(&app, 2);
        for (int round = 0; round < 5 && !aInfoReq.IsEmpty(); ++round)
            app.DoReceive();
    }
};

TEST_F(RequestRoadPeer, CollectedRequestsShareOnePacketAndRepliesGoByPosition)
{
    peer->setRequestHandler(
        HostHandler({ .records = { { "REQ1", { "R1A", "R1B" } }, { "REQ3", { "X", "R3" } } } }));
    PeerApp app;
    Table t1(1, "REQ1"), t2(2, "REQ2"), t3(3, "REQ3");
    app.DoRequest();
    EXPECT_EQ(fPacket, 0);
    ASSERT_EQ(aInfoReq.GetSize(), 3);
    ASSERT_TRUE(peer->waitForRequests(1, kPeerWait));
    EXPECT_EQ(RequestTexts(), (std::vector<std::vector<std::string>> { { "REQ1", "REQ2", "REQ3" } }));
    // Each request names its target by token, and the types are the tables' own.
    const hostsim::PeerRecord r = peer->record();
    ASSERT_EQ(r.requests().size(), 1u);
    const auto& messages = r.requests()[0]->messages;
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].header.handle, t1.GetToken());
    EXPECT_EQ(messages[2].header.handle, t3.GetToken());
    EXPECT_EQ(messages[1].header.type, 102);
    EXPECT_EQ(r.requests()[0]->header.pktClass, 1); // the session asks for the library's default

    ReceiveAll(app);
    EXPECT_TRUE(aInfoReq.IsEmpty());
    EXPECT_EQ(t1.texts, (std::vector<std::string> { "R1A", "R1B" }));
    EXPECT_EQ(t1.posts, 1);
    EXPECT_TRUE(t2.texts.empty());
    EXPECT_EQ(t2.posts, 0);
    EXPECT_EQ(t3.texts, (std::vector<std::string> { "X", "R3" }));
    EXPECT_EQ(t3.posts, 1);
    EXPECT_TRUE(boxes.empty());

    // The next poll collects again, into a packet of its own.
    app.DoRequest();
    ASSERT_TRUE(peer->waitForRequests(2, kPeerWait));
    ReceiveAll(app);
    EXPECT_EQ(t1.texts.size(), 4u);
    EXPECT_EQ(RequestTexts().size(), 2u);
}

TEST_F(RequestRoadPeer, TransactionEndsAndDrainsTheOpenInfoPacketFirst)
{
    struct Case {
        uint16_t verdict;
        int result;
    };
    for (const Case c : { Case { kAccepted, 1 }, Case { kRefused, 0 } }) {
        SCOPED_TRACE(c.verdict);
        peer->clearRecord();
        Table t1(1, "REQ1");
        // What the table had received when the order reached the host.
        auto seenAtOrder = std::make_shared<std::atomic<int>>(-1);
        peer->setRequestHandler(HostHandler({ .records = { { "REQ1", { "R1" } } },
            .verdict = c.verdict,
            .onOrder = [seenAtOrder, received = t1.received] { seenAtOrder->store(received->load()); } }));
        PeerApp app;
        ASSERT_EQ(t1.UpdateReq(), 1);
        t1.OnPostUpdateReq();
        ASSERT_EQ(fPacket, 1);
        char order[] = "ORDER";
        EXPECT_EQ(VORLTransaction(kOrderCode, order, 5, 1), c.result);
        EXPECT_EQ(seenAtOrder->load(), 1);
        EXPECT_EQ(t1.texts, (std::vector<std::string> { "R1" }));
        EXPECT_EQ(t1.posts, 1);
        EXPECT_EQ(RequestTexts(), (std::vector<std::vector<std::string>> { { "REQ1" }, { "ORDER" } }));
        const hostsim::PeerRecord r = peer->record();
        ASSERT_EQ(r.requests().size(), 2u);
        EXPECT_EQ(r.requests()[1]->messages[0].header.handle, static_cast<uint32_t>(kTransactionValue));
        EXPECT_EQ(fPacket, 0);
        EXPECT_EQ(fTrPacket, 0);
        EXPECT_TRUE(aInfoReq.IsEmpty());
        EXPECT_TRUE(boxes.empty());
    }
}

TEST_F(RequestRoadPeer, AClosedDocumentsEntriesAreSkipped)
{
    peer->setRequestHandler(
        HostHandler({ .records = { { "QC", { "C1" } }, { "QG", { "G1", "G2" } }, { "QL", { "L1" } } } }));
    PeerApp app;
    auto closing = std::make_unique<Recorder>();
    Recorder gone, live;
    const std::pair<Recorder*, const char*> requests[]
        = { { closing.get(), "QC" }, { &gone, "QG" }, { &live, "QL" } };
    for (const auto& [target, text] : requests) {
        ASSERT_EQ(VORLInfoReqAdd(40, text, 2, target), 1);
        aInfoReq.Add(INFOREQ_DOCUMENT, 40, target);
    }
    ASSERT_EQ(VORLInfoReqEnd(), 1);
    ASSERT_TRUE(peer->waitForRequests(1, kPeerWait));
    aInfoReq.ClearTarget(&gone); // the document closed while its object lives on
    closing.reset(); // this document's object is gone altogether
    ReceiveAll(app);
    EXPECT_TRUE(aInfoReq.IsEmpty());
    EXPECT_TRUE(gone.texts.empty());
    EXPECT_EQ(gone.posts, 0);
    EXPECT_EQ(live.texts, (std::vector<std::string> { "L1" }));
    EXPECT_EQ(live.posts, 1);
    EXPECT_EQ(RequestTexts(), (std::vector<std::vector<std::string>> { { "QC", "QG", "QL" } }));
}

TEST_F(RequestRoadPeer, BlockingRequestTravelsAloneAndMeetsTheReplysEnd)
{
    peer->setRequestHandler(
        HostHandler({ .records = { { "REQ1", { "Q1" } }, { "ALL", { "A", "B", "C" } } } }));
    PeerApp app;
    Table t1(1, "REQ1");
    ASSERT_EQ(t1.UpdateReq(), 1);
    t1.OnPostUpdateReq();
    Recorder whole;
    EXPECT_EQ(VORLInfoReq(50, "ALL", 3, &whole), 1);
    EXPECT_EQ(fLastRec, 1);
    EXPECT_EQ(whole.texts, (std::vector<std::string> { "A", "B", "C" }));
    EXPECT_EQ(t1.texts, (std::vector<std::string> { "Q1" })); // drained before
    EXPECT_EQ(RequestTexts(), (std::vector<std::vector<std::string>> { { "REQ1" }, { "ALL" } }));
    EXPECT_EQ(fPacket, 0);
}

TEST_F(RequestRoadPeer, FirstLoadWaitsForTheReply)
{
    peer->setRequestHandler(HostHandler({ .records = { { "REQ1", { "F1" } }, { "REQ2", { "F2" } } } }));
    PeerApp app;
    Table t1(1, "REQ1"), t2(2, "REQ2");
    EXPECT_EQ(CollectAllInfoRequestsBlocking(), 1);
    EXPECT_EQ(t1.texts, (std::vector<std::string> { "F1" }));
    EXPECT_EQ(t2.texts, (std::vector<std::string> { "F2" }));
    EXPECT_TRUE(aInfoReq.IsEmpty());
    EXPECT_EQ(RequestTexts(), (std::vector<std::vector<std::string>> { { "REQ1", "REQ2" } }));
}

TEST_F(RequestRoadPeer, ALostLinkStopsTheRoadAndAsksForLogoff)
{
    pvorl->Disconnect();
    keys["SendTries"] = "0";
    ASSERT_EQ(Connect(), 0);
    peer->setAcceptingConnections(false);
    peer->dropAtRequest(1);
    PeerApp app;
    Table t1(1, "REQ1");
    app.DoRequest();
    ReceiveAll(app);
    EXPECT_TRUE(pvorl->IsCriticalError());
    EXPECT_TRUE(t1.texts.empty());
    ASSERT_FALSE(app.posted.empty());
    EXPECT_EQ(app.posted.back(), static_cast<unsigned>(ID_KV_LOGOFF));
    // A critical session sends nothing more.
    app.DoRequest();
    EXPECT_EQ(peer->record().requestsReceived, 1u);
}

} // namespace

#endif
