#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "fw/core/clock.h"
#include "kv32/res/ids.h"
#include "kv32/res/strings.h"
#include "kv32/shell/host_time.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/router/info_req.h"
#include "kvcore/router/vorl_target.h"
#include "kvcore/values/cdatetime.h"
#include "support/clock_support.h"
#include "support/kv32_fixture.h"

namespace {

using kv32test::End;
using kv32test::Kv32Fixture;
using kv32test::Msg;

std::string WithZero(const std::string& text, const std::string& after = std::string())
{
    return text + std::string(1, '\0') + after;
}

int StopBoxes(const kv32test::UiRecorder& ui)
{
    int n = 0;
    for (const auto& box : ui.boxes)
        n += (box.flags & fw::MB_ICONSTOP) != 0;
    return n;
}

// A permanent target that sends one standing request and records its replies.
class PollTarget : public CVorlPermTarget {
public:
    PollTarget(uint16_t id, int code, std::vector<int>* order = nullptr)
        : m_code(code)
        , m_order(order)
    {
        m_wID = id;
    }
    int UpdateReq() override
    {
        if (m_order != nullptr)
            m_order->push_back(m_wID);
        if (onUpdate)
            onUpdate();
        if (!send)
            return 0;
        const std::string key = "key" + std::to_string(m_wID);
        return VORLInfoReqAdd(m_code, key.c_str(), static_cast<int>(key.size()), this);
    }
    int StoreDataItem(tagTMSG* m) override
    {
        received.emplace_back(
            m->nType, std::string(reinterpret_cast<char*>(m->pText), static_cast<size_t>(m->nLength)));
        return 1;
    }
    int Decode(CRecordReader&) override { return 0; }
    void OnPostReceive() override { ++posts; }

    bool send = true;
    std::function<void()> onUpdate;
    std::vector<std::pair<int, std::string>> received;
    int posts = 0;

private:
    int m_code;
    std::vector<int>* m_order;
};

class TransactionReplies : public Kv32Fixture {
protected:
    int Send(int code, int flag = 1)
    {
        char text[] = "TRADER01    order text";
        return VORLTransaction(code, text, static_cast<int>(std::strlen(text)), flag);
    }
};

TEST_F(TransactionReplies, LastVerdictWinsAndTheOrderErrorNumberIsKept)
{
    fErrorCheckEx = 1;
    router.Reply({ { 193, WithZero("") }, { 192, WithZero("Refused by the host", "1234") } });
    EXPECT_EQ(Send(132), 0);
    EXPECT_EQ(nErrorEx, 1234);
    ASSERT_EQ(StopBoxes(ui), 1);
    EXPECT_EQ(ui.boxes.back().text, "Refused by the host");
    ASSERT_EQ(router.Requests().size(), 1u);
    EXPECT_EQ(router.Requests()[0].type, 132);

    router.Reply({ { 192, WithZero("No", "77") }, { 193, WithZero("Accepted") }, End() });
    EXPECT_EQ(Send(137), 1);
    EXPECT_EQ(nErrorEx, 0) << "an acceptance clears the error number";
}

TEST_F(TransactionReplies, ErrorNumberTable)
{
    struct Case {
        int code;
        int checkEx;
        std::string reply;
        int expected;
    };
    const Case cases[] = {
        { 134, 1, WithZero("x", "42"), 42 }, // negotiated deal
        { 155, 1, WithZero("x", "4"), 4 }, // deal amendment
        { 157, 1, WithZero("x", "1"), 1 }, // deal confirmation
        { 138, 1, WithZero("x", "42"), 0 }, // not an order-type transaction
        { 132, 0, WithZero("x", "42"), -5 }, // check off: untouched
        { 132, 1, "no zero and no number", 0 }, // a missing number reads 0
        { 132, 1, WithZero("x"), 0 },
        { 132, 1, WithZero("x", " 12xyz"), 12 },
    };
    for (const Case& c : cases) {
        nErrorEx = -5;
        fErrorCheckEx = c.checkEx;
        router.Reply({ { 192, c.reply } });
        EXPECT_EQ(Send(c.code), 0);
        EXPECT_EQ(nErrorEx, c.expected) << c.code << " " << c.reply;
    }
}

TEST_F(TransactionReplies, WhatTheUserSees)
{
    // A refused password check and texts under two bytes show nothing.
    router.Reply({ { 192, WithZero("Wrong password") } });
    EXPECT_EQ(Send(152), 0);
    router.Reply({ { 192, WithZero("x") } });
    EXPECT_EQ(Send(132), 0);
    EXPECT_TRUE(ui.boxes.empty());

    // An acceptance shows its text only with the show flag.
    router.Reply({ { 193, WithZero("Order accepted") } });
    EXPECT_EQ(Send(132, 0), 1);
    EXPECT_TRUE(ui.boxes.empty());
    router.Reply({ { 193, WithZero("Order accepted") } });
    EXPECT_EQ(Send(132, 1), 1);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].flags, unsigned(fw::MB_ICONINFORMATION));

    // The password check's answer comes back in the caller's buffer, ended and cut to it.
    router.Reply({ { 193, WithZero("PWCHECK-ANSWER-LONGER") } });
    char buffer[8] = "1234567";
    EXPECT_EQ(VORLTransaction(152, buffer, 8, 1), 1);
    EXPECT_STREQ(buffer, "PWCHECK");
    EXPECT_EQ(ui.boxes.size(), 1u);

    // A failed router receive gives 0 and shows nothing of the host.
    router.FailNextRecv(7);
    EXPECT_EQ(Send(132), 0);
}

TEST_F(TransactionReplies, MultipleOperationCollectsUpToTheReplyRows)
{
    fMulti = 1;
    nMultiCount = 0;
    partners.capacity = 3;
    for (int i = 0; i < 4; ++i) {
        router.Reply({ { i % 2 ? 193 : 192, WithZero("reply " + std::to_string(i)) } });
        Send(138);
    }
    EXPECT_EQ(nMultiCount, 3);
    ASSERT_EQ(partners.multiReplies.size(), 3u);
    EXPECT_EQ(partners.multiReplies[2], std::make_pair(2, std::string("reply 2")));
    EXPECT_TRUE(ui.boxes.empty()) << "the fourth reply is dropped silently";
}

class BlockedReplies : public Kv32Fixture {
protected:
    int Request(int code, PollTarget* target)
    {
        const char key[] = "TRADER01    00000000";
        return VORLInfoReq(code, key, 20, target);
    }
    PollTarget target { 0, 22 };
};

TEST_F(BlockedReplies, EndOfSnapshot)
{
    struct Case {
        std::vector<Msg> reply;
        int lastRec;
    };
    const Case cases[] = {
        { {}, 1 }, // no message at all
        { { End() }, 1 }, // the empty message alone
        { { { 22, "" } }, 1 }, // an empty data record
        { { { 22, "rec" }, End() }, 0 }, // data, then the end of this reply only
        { { { 194, "msg" }, End() }, 0 },
    };
    for (const Case& c : cases) {
        fLastRec = 0;
        router.Reply(c.reply);
        EXPECT_EQ(Request(22, &target), 1);
        EXPECT_EQ(fLastRec, c.lastRec) << c.reply.size();
    }
    ASSERT_EQ(target.received.size(), 1u);
    EXPECT_EQ(target.received[0].second, "rec");
}

TEST_F(BlockedReplies, TypesRouting)
{
    router.Reply({ { 69, "" }, { 22, "a" }, { 33, "polled type" }, { 193, WithZero("ok") }, { 93, "b" } });
    EXPECT_EQ(Request(22, &target), 1);
    ASSERT_EQ(target.received.size(), 3u);
    EXPECT_EQ(target.received[0].first, 69) << "news text reaches the target even empty";
    EXPECT_EQ(target.received[2].second, "b");
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(BlockedReplies, RefusalEndsTheRequest)
{
    router.Reply({ { 22, "a" }, { 192, WithZero("No rights") }, { 22, "after" } });
    EXPECT_EQ(Request(22, &target), 0);
    ASSERT_EQ(target.received.size(), 1u);
    ASSERT_EQ(StopBoxes(ui), 1);
    EXPECT_EQ(ui.boxes[0].text, "No rights");
}

TEST_F(BlockedReplies, BroadcastsRunTheirEndOfBatchOnce)
{
    router.Reply({ { 194, "m1" }, { 22, "a" }, { 194, "m2" }, { 195, "n1" }, End() });
    EXPECT_EQ(Request(22, &target), 1);
    EXPECT_EQ(partners.messages, (std::vector<std::string> { "m1", "m2" }));
    EXPECT_EQ(partners.messageBatches, 1);
    EXPECT_EQ(partners.news, std::vector<std::string> { "n1" });
    EXPECT_EQ(partners.newsBatches, 1);
    EXPECT_EQ(target.received.size(), 1u);
}

TEST_F(BlockedReplies, HostTimeOnlyWhenPrompt)
{
    for (int64_t elapsed : { 399, 400, 5000 }) {
        // The PC's local time 2026-12-10 12:00:00, on a steady scale that moves only by hand.
        fw::ManualClock pcClock(1000, kvtest::LocalMoment(2026, 12, 10, 12, 0, 0));
        fw::ClockScope pcClockScope(pcClock);
        CDateTime::ResetKvTime();
        partners.tradingDates.clear();
        KvMarkHostTimeRequest();
        pcClock.advance(elapsed);
        router.Reply({ { 32, "12003020261210" }, End() });
        EXPECT_EQ(Request(32, nullptr), 1);
        const bool prompt = elapsed < 400;
        EXPECT_EQ(CDateTime::GetDiffTime(), prompt ? 30 : 0) << elapsed;
        EXPECT_EQ(partners.tradingDates.size(), prompt ? 1u : 0u);
    }
    // A short or malformed time record changes nothing.
    CDateTime::ResetKvTime();
    KvMarkHostTimeRequest();
    router.Reply({ { 32, "1200302026121" } });
    Request(32, nullptr);
    router.Reply({ { 32, "12003020261340" } });
    Request(32, nullptr);
    EXPECT_EQ(CDateTime::GetDiffTime(), 0);
}

class PolledReplies : public Kv32Fixture {
protected:
    void Collect()
    {
        app.CollectAllRequests();
        ASSERT_TRUE(VORLInfoReqEnd());
    }
};

TEST_F(PolledReplies, RepliesGoByPositionAndBroadcastsDoNotCount)
{
    PollTarget first(3, 33), second(4, 50);
    Collect();
    ASSERT_EQ(router.Requests().size(), 2u);
    router.Reply({ { 33, "a1" }, { 194, "m" }, { 33, "a2" }, End(), { 195, "n" }, { 50, "b1" },
        { 22, "not polled" }, End(), End(), { 50, "stray" } });
    EXPECT_EQ(app.VORLInfoReqRecv(), 1);
    ASSERT_EQ(first.received.size(), 2u);
    EXPECT_EQ(first.received[1].second, "a2");
    EXPECT_EQ(first.posts, 1);
    ASSERT_EQ(second.received.size(), 1u);
    EXPECT_EQ(second.posts, 1);
    EXPECT_EQ(partners.messageBatches, 1);
    EXPECT_EQ(partners.newsBatches, 1);
    EXPECT_TRUE(aInfoReq.IsEmpty());
}

TEST_F(PolledReplies, AnEmptyPacketStillEndsThePendingRequests)
{
    PollTarget first(3, 33);
    Collect();
    router.Reply({});
    EXPECT_EQ(app.VORLInfoReqRecv(), 0);
    EXPECT_TRUE(aInfoReq.IsEmpty()) << "the next poll must be able to ask again";
    router.ClearRecord();
    Collect();
    EXPECT_EQ(router.Requests().size(), 1u);
}

TEST_F(PolledReplies, LoggedOutNoticeWaitsForAnEnabledWindow)
{
    PollTarget first(3, 33);
    Collect();
    router.Reply({ { 192, WithZero("Logged out", "90") }, End() });
    ui.windowEnabled = false;
    app.DoReceive();
    EXPECT_EQ(ui.beeps.size(), 1u);
    EXPECT_EQ(nErrorEx, 90);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(app.Dispatch().IsLoggedOutNoticePending());

    // A second error 90 does not beep again while the notice waits.
    Collect();
    router.Reply({ { 192, WithZero("Logged out", "90") }, End() });
    app.DoReceive();
    EXPECT_EQ(ui.beeps.size(), 1u);

    ui.windowEnabled = true;
    app.DoReceive();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, Kv32LoadString(IDS_LOGGED_OUT));
    EXPECT_EQ(ui.posted, std::vector<unsigned> { ID_SESSION_END_NO_LOGOFF });
    EXPECT_EQ(ui.statusTexts, std::vector<std::string> { "" });
    app.DoReceive();
    EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST_F(PolledReplies, ReceiveStepPostsOneCommandPerPoll)
{
    partners.newHeadline = true;
    partners.unread = 2;
    partners.printFailure = true;
    ui.session = false;
    app.DoReceive();
    EXPECT_TRUE(ui.posted.empty()) << "nothing without a session";
    ui.session = true;
    for (int i = 0; i < 5; ++i)
        app.DoReceive();
    EXPECT_EQ(ui.posted,
        (std::vector<unsigned> {
            ID_NEWS_NEW_HEADLINE, ID_MESSAGE_OPEN_NEXT, ID_MESSAGE_OPEN_NEXT, ID_PRINT_LOG_FAILED }));
}

TEST_F(PolledReplies, BusiestTablesTakeTurnsAtTheHead)
{
    // The program's own tables carry the rotated ids too; only this test's targets take part.
    struct HideProgramTables {
        std::vector<CVorlPermTarget*> saved = std::exchange(CVorlPermTarget::apPermTargets, {});
        ~HideProgramTables() { CVorlPermTarget::apPermTargets = saved; }
    } hide;
    std::vector<int> order;
    PollTarget trades(9, 54, &order), other(2, 44, &order), securities(6, 33, &order), orders(8, 50, &order),
        last(30, 118, &order);
    std::vector<int> leads;
    for (int poll = 0; poll < 5; ++poll) {
        order.clear();
        router.ClearRecord();
        Collect();
        ASSERT_EQ(order.size(), 5u);
        EXPECT_EQ(order[0], 2) << "other tables first, in registration order";
        leads.push_back(order[1]);
        const auto requests = router.Requests();
        ASSERT_EQ(requests.size(), 5u);
        EXPECT_EQ(requests[1].bytes, "key" + std::to_string(order[1]));
        aInfoReq.RemoveAll();
        kvtest::Fake().outstanding = 0;
    }
    EXPECT_EQ(leads, (std::vector<int> { 6, 8, 9, 30, 6 }));
}

TEST_F(PolledReplies, NestedCollectionIsANoOp)
{
    std::vector<int> order;
    PollTarget outer(2, 44, &order), inner(3, 45, &order);
    int nested = 0;
    outer.onUpdate = [&] {
        if (nested++ == 0)
            app.CollectAllRequests();
    };
    Collect();
    EXPECT_EQ(order, (std::vector<int> { 2, 3 }));
    EXPECT_EQ(router.Requests().size(), 2u);
    EXPECT_EQ(app.Dispatch().RotationStep(), 1);
}

} // namespace
