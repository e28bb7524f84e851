#include "kv32/shell/reply_dispatch.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "kv32/res/ids.h"
#include "kv32/res/strings.h"
#include "kv32/shell/host_time.h"
#include "kv32/shell/msgtypes.h"
#include "kv32/shell/reply_partners.h"
#include "kv32/shell/ui_port.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/router/cvorl.h"
#include "kvcore/router/info_req.h"
#include "kvcore/router/vorl_target.h"
#include "kvcore/values/cdatetime.h"
#include "kvcore/values/field_codecs.h"

namespace {

using TypeSet = std::array<bool, 256>;

constexpr TypeSet MakeTypeSet(std::initializer_list<int> types)
{
    TypeSet set {};
    for (int t : types)
        set[static_cast<size_t>(t)] = true;
    return set;
}

constexpr TypeSet kBlockedDataTypes = MakeTypeSet({ 17, 18, 19, 20, 21, 22, 23, 25, 26, 39, 47, 50, 59, 60,
    61, 62, 64, 65, 66, 67, 73, 76, 77, 87, 88, 89, 91, 93, 94, 95, 115, 116, 120, 121, 173, 174 });
constexpr TypeSet kPolledDataTypes = MakeTypeSet({ 27, 30, 31, 33, 35, 36, 40, 41, 42, 43, 44, 45, 46, 47, 50,
    52, 54, 57, 58, 64, 66, 70, 72, 85, 86, 90, 118, 126 });

bool InSet(const TypeSet& set, int type)
{
    return type >= 0 && type < static_cast<int>(set.size()) && set[static_cast<size_t>(type)];
}

// A message box text needs at least two bytes; a shorter one is shown to nobody.
bool IsShowable(std::string_view text)
{
    return text.size() >= 2;
}

// A transaction reply kept apart from the receive buffer, which the next
// router call reuses while a message box runs its own loop.
struct ReplyCopy {
    int type;
    std::string bytes;
};

// The host-time record: time hhmmss at 0, date yyyymmdd at 6.
constexpr int kHostTimeLength = 14;

} // namespace

KvReplyText SplitReplyText(const tagTMSG& message)
{
    KvReplyText reply;
    if (message.pText == nullptr || message.nLength <= 0)
        return reply;
    const char* bytes = reinterpret_cast<const char*>(message.pText);
    const size_t length = static_cast<size_t>(message.nLength);
    const void* zero = std::memchr(bytes, '\0', length);
    const size_t textLength
        = zero == nullptr ? length : static_cast<size_t>(static_cast<const char*>(zero) - bytes);
    reply.text = std::string_view(bytes, textLength);
    if (textLength + 1 < length)
        reply.errorNumber = Vorl2Int(bytes + textLength + 1, static_cast<int>(length - textLength - 1));
    return reply;
}

bool IsBlockedDataType(int type)
{
    return InSet(kBlockedDataTypes, type);
}

bool IsPolledDataType(int type)
{
    return InSet(kPolledDataTypes, type);
}

void CKvReplyDispatch::CollectMultiReply(std::string_view text)
{
    CKvReplyPartners& partners = KvReplyPartners();
    if (nMultiCount < 0 || nMultiCount >= partners.MultiReplyCapacity())
        return;
    partners.StoreMultiReply(nMultiCount, text);
    ++nMultiCount;
}

int CKvReplyDispatch::TransactionRecv(CKvAppCoreBase& app, int code, char* text, int len, int showInfo)
{
    std::vector<ReplyCopy> replies;
    const int received = app.ReceiveTransactionReply([&](const tagTMSG& m) {
        if (m.nType == MSGTYPE_END_OF_REPLY)
            return;
        const size_t n = m.pText == nullptr || m.nLength <= 0 ? 0 : static_cast<size_t>(m.nLength);
        replies.push_back({ m.nType, std::string(reinterpret_cast<const char*>(m.pText), n) });
    });
    if (!received)
        return 0;

    // The forms that move the focus to the field the host names.
    const bool orderLike = code == MSGTYPE_ORDER || code == MSGTYPE_NEGDEAL || code == MSGTYPE_ORDER_AMEND
        || code == MSGTYPE_NEGDEAL_AMEND || code == MSGTYPE_NEGDEAL_CONFIRM;
    int result = 0;
    for (ReplyCopy& copy : replies) {
        tagTMSG message;
        message.nType = copy.type;
        message.nLength = static_cast<int32_t>(copy.bytes.size());
        message.pText = reinterpret_cast<unsigned char*>(copy.bytes.data());
        const KvReplyText reply = SplitReplyText(message);
        if (copy.type == MSGTYPE_REFUSED) {
            if (fErrorCheckEx)
                nErrorEx = orderLike ? reply.errorNumber : 0;
            if (fMulti)
                CollectMultiReply(reply.text);
            else if (code != MSGTYPE_PASSWORD_CHECK && IsShowable(reply.text))
                KvMessageBox(std::string(reply.text), fw::MB_ICONSTOP);
            result = 0;
        } else if (copy.type == MSGTYPE_ACCEPTED) {
            if (fErrorCheckEx)
                nErrorEx = 0;
            // The password check hands its answer back in the caller's buffer,
            // cut to the buffer and always ended.
            if (code == MSGTYPE_PASSWORD_CHECK && text != nullptr && len > 0) {
                const size_t n = std::min(reply.text.size(), static_cast<size_t>(len - 1));
                std::memcpy(text, reply.text.data(), n);
                text[n] = '\0';
            }
            if (fMulti)
                CollectMultiReply(reply.text);
            else if (code != MSGTYPE_PASSWORD_CHECK && showInfo && IsShowable(reply.text))
                KvMessageBox(std::string(reply.text), fw::MB_ICONINFORMATION);
            result = 1;
        }
    }
    return result;
}

bool CKvReplyDispatch::TakeBroadcast(tagTMSG& message)
{
    if (message.nType == MSGTYPE_BC_MESSAGE) {
        KvReplyPartners().TakeExchangeMessage(message);
        m_bMessageSeen = true;
        return true;
    }
    if (message.nType == MSGTYPE_NEWS_HEAD) {
        KvReplyPartners().TakeNewsHead(message);
        m_bNewsSeen = true;
        return true;
    }
    return false;
}

void CKvReplyDispatch::EndBroadcastBatches()
{
    if (m_bMessageSeen)
        KvReplyPartners().EndExchangeMessageBatch();
    if (m_bNewsSeen)
        KvReplyPartners().EndNewsHeadBatch();
    m_bMessageSeen = m_bNewsSeen = false;
}

void CKvReplyDispatch::TakeHostTime(const tagTMSG& message)
{
    // Only a prompt answer says what the host's clock reads now.
    if (message.nLength < kHostTimeLength || message.pText == nullptr || !KvIsHostTimeReplyPrompt())
        return;
    const char* bytes = reinterpret_cast<const char*>(message.pText);
    const std::string time(bytes, 6);
    const std::string date(bytes + 6, 8);
    CDateTime host = CDateTime::GetPcTime();
    if (!host.SetDateVORL(date.c_str()) || !host.SetTimeVORL(time.c_str()))
        return;
    CDateTime::AdjustKvTime(host);
    KvReplyPartners().SetTradingDate(date);
}

int CKvReplyDispatch::BlockedInfoReqEnd(CKvAppCoreBase& app, CVorlTarget* target)
{
    if (!app.VORLInfoReqEnd())
        return 0;
    // The target may close while it takes a message: look it up for each one.
    const uint32_t token = target == nullptr ? 0 : target->GetToken();
    int count = 0;
    bool onlyEmpty = false;
    bool refused = false;
    m_bMessageSeen = m_bNewsSeen = false;
    const int received = app.ReceiveTransactionReply([&](const tagTMSG& m) {
        ++count;
        if (refused)
            return; // the rest of a refused reply is dropped
        tagTMSG message = m;
        onlyEmpty = count == 1 && message.nType == MSGTYPE_END_OF_REPLY;
        CVorlTarget* live = token == 0 ? nullptr : CVorlTarget::FromToken(token);
        if (IsBlockedDataType(message.nType)) {
            if (message.nLength == 0)
                fLastRec = 1;
            else if (live != nullptr)
                live->StoreDataItem(&message);
        } else if (message.nType == MSGTYPE_NEWS_REQ) {
            if (live != nullptr)
                live->StoreDataItem(&message);
        } else if (message.nType == MSGTYPE_HOST_TIME) {
            TakeHostTime(message);
        } else if (message.nType == MSGTYPE_REFUSED) {
            const KvReplyText reply = SplitReplyText(message);
            if (reply.text.size() > 1)
                KvMessageBox(std::string(reply.text), fw::MB_ICONSTOP);
            refused = true;
        } else {
            TakeBroadcast(message);
        }
    });
    // A reply without any message, or with the empty message alone, ends a snapshot.
    if (received && (count == 0 || (count == 1 && onlyEmpty)))
        fLastRec = 1;
    EndBroadcastBatches();
    return received && !refused ? 1 : 0;
}

int CKvReplyDispatch::InfoReqRecv(CKvAppCoreBase& app)
{
    if (pvorl == nullptr)
        return 0;
    if (pvorl->Recv(app.InfoRecvWait()) != 0) {
        // Nothing awaits a reply in the router: none will come to empty the queue.
        if (pvorl->GetResult() == VORLST_NOTHING_PENDING)
            aInfoReq.RemoveAll();
        return 0;
    }
    // The packet answers the queue as it stands; even a packet without any
    // message ends it, so the next poll can ask again. Targets may queue new
    // requests while they take their data, so work on a copy.
    std::vector<CInfoReq> entries;
    entries.reserve(static_cast<size_t>(aInfoReq.GetSize()));
    for (int i = 0; i < aInfoReq.GetSize(); ++i)
        entries.push_back(aInfoReq.GetAt(i));
    aInfoReq.RemoveAll();

    int count = 0;
    if (pvorl->NumMessages(&count) != 0 || count == 0)
        return 0;
    const auto targetOf = [&](size_t e) { return e < entries.size() ? entries[e].GetTarget() : nullptr; };
    size_t entry = 0;
    bool dataSeen = false;
    m_bMessageSeen = m_bNewsSeen = false;
    tagTMSG message;
    for (int i = 0; i < count; ++i) {
        if (pvorl->Message(i, &message, nullptr) != 0)
            break;
        if (message.nType == MSGTYPE_END_OF_REPLY) {
            // More ends than requests: the surplus ones end nothing.
            if (dataSeen) {
                if (CVorlTarget* target = targetOf(entry))
                    target->OnPostReceive();
                dataSeen = false;
            }
            ++entry;
        } else if (IsPolledDataType(message.nType)) {
            if (CVorlTarget* target = targetOf(entry)) {
                target->StoreDataItem(&message);
                dataSeen = dataSeen || message.nLength > 1;
            }
        } else if (message.nType == MSGTYPE_REFUSED) {
            nErrorEx = SplitReplyText(message).errorNumber;
            if (nErrorEx == kLoggedOutError && !m_bLoggedOutNotice) {
                KvBeep(0);
                m_bLoggedOutNotice = true;
            }
        } else {
            TakeBroadcast(message);
        }
    }
    if (dataSeen) {
        if (CVorlTarget* target = targetOf(entry))
            target->OnPostReceive();
    }
    EndBroadcastBatches();
    return pvorl->IsError() ? 0 : 1;
}

void CKvReplyDispatch::AfterReceive()
{
    if (!KvSessionWindowReady())
        return;
    CKvReplyPartners& partners = KvReplyPartners();
    if (partners.TakeNewHeadline())
        KvPostCommand(ID_NEWS_NEW_HEADLINE);
    else if (partners.TakeUnreadMessage())
        KvPostCommand(ID_MESSAGE_OPEN_NEXT);
    else if (partners.TakePrintFailure())
        KvPostCommand(ID_PRINT_LOG_FAILED);

    if (m_bLoggedOutNotice) {
        KvMessageBox(Kv32LoadString(IDS_LOGGED_OUT), fw::MB_ICONSTOP);
        KvPostCommand(ID_SESSION_END_NO_LOGOFF);
        KvSetStatusText(std::string());
        m_bLoggedOutNotice = false;
    }
}

void CKvReplyDispatch::CollectAllRequests(CKvAppCoreBase& app)
{
    // Dialogs pumped while a request waits can reach the poll again.
    if (m_bCollecting)
        return;
    m_bCollecting = true;
    app.CollectAllDocumentsReqs();

    const auto serve = [](CVorlPermTarget* target) {
        if (target->UpdateReq())
            target->OnPostUpdateReq();
    };
    CVorlPermTarget* rotated[4] = {};
    // By index: a target may register or leave while it builds its request.
    auto& targets = CVorlPermTarget::apPermTargets;
    for (size_t i = 0; i < targets.size(); ++i) {
        CVorlPermTarget* target = targets[i];
        const auto* slot = std::find(std::begin(kRotatedTables), std::end(kRotatedTables), target->GetID());
        if (slot != std::end(kRotatedTables)) {
            CVorlPermTarget*& noted = rotated[slot - std::begin(kRotatedTables)];
            if (noted == nullptr) {
                noted = target;
                continue;
            }
        }
        serve(target);
    }
    if (m_nRotationStep < 0 || m_nRotationStep > 3)
        m_nRotationStep = 0;
    // A rotated table that is absent just gives up its turn at the head.
    for (int k = 0; k < 4; ++k) {
        CVorlPermTarget* target = rotated[(m_nRotationStep + k) % 4];
        if (target != nullptr && std::find(targets.begin(), targets.end(), target) != targets.end())
            serve(target);
    }
    m_nRotationStep = (m_nRotationStep + 1) % 4;
    m_bCollecting = false;
}
