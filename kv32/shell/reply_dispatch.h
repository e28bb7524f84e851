// How every reply and broadcast of the host reaches the program: the
// transaction reply with its verdict and message boxes, the reply to a
// blocking information request, the replies to the standing requests of the
// last poll by their position, the notifications after a receive, and the
// order in which the standing requests are collected. The application object
// holds one dispatcher and forwards its receive operations to it.
#pragma once

#include <string_view>

class CKvAppCoreBase;
class CVorlTarget;
struct tagTMSG;

// A refusal's or acceptance's text: the bytes up to the first zero (or the
// whole message), and the decimal number after that zero (0 when missing).
struct KvReplyText {
    std::string_view text;
    int errorNumber = 0;
};
KvReplyText SplitReplyText(const tagTMSG& message);

// Message types whose records a blocking request hands to its target (an
// empty one ends the snapshot), and those a poll hands to its request's target.
bool IsBlockedDataType(int type);
bool IsPolledDataType(int type);

class CKvReplyDispatch {
public:
    // The fixed order of the four busiest subscriptions (securities, orders,
    // trades, last trades); one of them leads each collected packet in turn.
    static constexpr int kRotatedTables[4] = { 6, 8, 9, 30 };
    // The host error number of a refusal that logged the user out.
    static constexpr int kLoggedOutError = 90;

    int TransactionRecv(CKvAppCoreBase& app, int code, char* text, int len, int showInfo);
    int BlockedInfoReqEnd(CKvAppCoreBase& app, CVorlTarget* target);
    int InfoReqRecv(CKvAppCoreBase& app);
    // The steps after the base receive step of a poll.
    void AfterReceive();
    void CollectAllRequests(CKvAppCoreBase& app);

    int RotationStep() const { return m_nRotationStep; }
    bool IsLoggedOutNoticePending() const { return m_bLoggedOutNotice; }

private:
    // Stores a transaction reply in the replies table while a multiple operation runs.
    void CollectMultiReply(std::string_view text);
    // A broadcast: fed to its table and remembered for the end-of-batch step.
    bool TakeBroadcast(tagTMSG& message);
    void EndBroadcastBatches();
    void TakeHostTime(const tagTMSG& message);

    bool m_bCollecting = false;
    int m_nRotationStep = 0;
    bool m_bLoggedOutNotice = false;
    bool m_bMessageSeen = false;
    bool m_bNewsSeen = false;
};
