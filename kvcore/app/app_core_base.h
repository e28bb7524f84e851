// The window-free heart of the application object: the request road between
// the targets and the router session. The windowed application (CKvAppCore)
// derives from it and supplies the hooks; tests drive it directly.
#pragma once

#include <cstdint>
#include <functional>

#include "kvcore/kvcore_api.h"

class CVorlTarget;
struct tagTMSG;

// Exported state of the request road.
KVCORE_API extern int fPacket; // an information-request packet is open
KVCORE_API extern int fTrPacket; // a transaction packet is open
KVCORE_API extern int fLastRec; // the last record of the current reply has arrived

// The value every transaction message carries.
inline constexpr int kTransactionValue = 4138027;

// One round of a blocking wait: finished with the reply, finished without
// it, or nothing yet (another round may follow).
enum class KvWaitRound { Done, Failed, Again };

enum KvCoreCommandId : unsigned {
    ID_KV_LOGON = 35940,
    ID_KV_LOGOFF = 35941,
    ID_KV_FORCE_LOGOFF = 35954,
};

class KVCORE_API CKvAppCoreBase {
public:
    // The newest application object is the one the request functions reach.
    CKvAppCoreBase();
    virtual ~CKvAppCoreBase();
    CKvAppCoreBase(const CKvAppCoreBase&) = delete;
    CKvAppCoreBase& operator=(const CKvAppCoreBase&) = delete;
    static CKvAppCoreBase* Current();

    // Request operations; an override may replace any step.
    virtual int VORLTransactionAdd(int code, char* text, int len);
    virtual int VORLTransactionEnd();
    virtual int VORLTransactionRecv(int code, char* text, int len, int flag); // base: 0
    virtual int VORLInfoReq(int code, const char* text, int len, CVorlTarget* target);
    virtual int VORLInfoReqAdd(int code, const char* text, int len, CVorlTarget* target);
    virtual int VORLInfoReqEnd();
    virtual int VORLBlockedInfoReqEnd(CVorlTarget* target); // base: 0
    virtual int VORLInfoReqRecv(); // base: 0
    virtual void DoRequest();
    virtual void DoReceive();
    virtual void DoCommand(const char* command);
    virtual void CollectAllRequests();

    // Hooks of the windowed application.
    virtual bool IsModalState() const { return false; }
    virtual void PostMainCommand(unsigned /*commandId*/) { }
    // A session document exists and the main window is enabled.
    virtual bool CanForceLogoff() const { return false; }
    // Asks every open document (through the document templates) for its request.
    virtual void CollectAllDocumentsReqs() { }
    virtual void BeginLongOperation(unsigned /*textId*/) { }
    virtual void PumpLongOperation() { }
    virtual void EndLongOperation() { }
    // Repaints the windows between the rounds of a blocking wait, taking no
    // user input (the windowed application processes paint events only).
    virtual void RepaintWhileWaiting() { }

    // Runs hook (a repaint or a long operation's display) with the request road
    // closed: meanwhile the timer's poll does nothing and every request
    // function refuses with 0, so nothing re-enters a wait in progress.
    void RunOutsideTheRoad(const std::function<void()>& hook);
    // True while such a hook runs.
    bool IsRoadBusy() const { return m_nBusyDepth > 0; }
    // Repeats round (each waits in the router at most kWaitSeconds) while it
    // answers Again, at most kMaxWaitRounds times, repainting between rounds.
    // The last round's answer; Again when the bound ran out, which is traced
    // with what was awaited.
    KvWaitRound WaitBounded(const char* awaited, const std::function<KvWaitRound()>& round);

    // Building blocks for the receive overrides.
    // Fetches one reply packet and hands it out by position over aInfoReq: data
    // messages to StoreDataItem of the current entry's target, an empty message
    // ends an entry (OnPostReceive when it carried data), a skipped entry's
    // messages go nowhere. The queue is emptied once the packet is taken. Waits
    // in the router at most timeoutSeconds (0: poll). Nonzero: no router error.
    int ReceiveInfoReplies(int timeoutSeconds);
    // Ends the open information packet, waits for its reply and hands every data
    // message to the target; fLastRec = 1 when the reply's end is met.
    int ReceiveBlockedReply(CVorlTarget* target);
    // Ends an open transaction packet, waits for the reply and hands each message
    // to onMessage. Nonzero when a reply arrived without a router error.
    int ReceiveTransactionReply(const std::function<void(const tagTMSG&)>& onMessage);
    // Seconds that VORLInfoReqRecv may wait in the router now: 0 on a poll,
    // more while a drain loop or the first load waits for owed replies.
    int InfoRecvWait() const { return m_nRecvWait; }

    int IsForceLogoffRequested() const { return m_bForceLogoff; }

    // Per wait in the router, and the longest a blocking step (a transaction's
    // or a blocking request's reply, the owed replies before a new request,
    // the first load's reply) waits in all before it gives up.
    static constexpr int kWaitSeconds = 1;
    static constexpr int kMaxBlockingWaitSeconds = 10;
    static constexpr int kMaxWaitRounds = kMaxBlockingWaitSeconds / kWaitSeconds;

protected:
    // Takes in the replies still owed to queued requests (bounded; stops on a
    // critical state or when the router has nothing more to give).
    void DrainInfoReplies();
    // Waits in the router (bounded) until a reply packet arrives or the router fails.
    int WaitForReply();

    int m_bForceLogoff = 0;
    bool m_bCollecting = false;
    int m_nRecvWait = 0;

private:
    int m_nBusyDepth = 0;
    friend class KvRecvWaitScope;
    CKvAppCoreBase* m_pPrevious = nullptr;
};

// Sets InfoRecvWait for the life of the scope.
class KVCORE_API KvRecvWaitScope {
public:
    KvRecvWaitScope(CKvAppCoreBase* app, int seconds);
    ~KvRecvWaitScope();
    KvRecvWaitScope(const KvRecvWaitScope&) = delete;
    KvRecvWaitScope& operator=(const KvRecvWaitScope&) = delete;

private:
    CKvAppCoreBase* m_pApp;
    int m_nSaved;
};

// The request functions of every dialog, table and document.
KVCORE_API int VORLTransaction(int code, char* text, int len, int flag);
KVCORE_API int VORLTransactionAdd(int code, char* text, int len);
KVCORE_API int VORLTransactionEnd();
KVCORE_API int VORLTransactionRecv(int code, char* text, int len, int flag);
KVCORE_API int VORLInfoReq(int code, const char* text, int len, CVorlTarget* target);
KVCORE_API int VORLInfoReqAdd(int code, const char* text, int len, CVorlTarget* target);
KVCORE_API int VORLInfoReqEnd();
KVCORE_API int VORLBlockedInfoReqEnd(CVorlTarget* target);
KVCORE_API int VORLInfoReqRecv();

// Session-wide passes over the permanent targets.
KVCORE_API int CollectAllInfoRequestsBlocking();
KVCORE_API int StoreAllPermTargets();
KVCORE_API int ResetAllPermTargets();
