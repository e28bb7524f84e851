// An application object whose receive side is built from the core's blocks, as
// the application program's is: a transaction is accepted when its reply holds a
// message of type 1, and the reply's text is written back over the request text.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "kvcore/app/app_core_logic.h"
#include "kvcore/router/vorl_target.h"

namespace kvtest {

inline constexpr int kAccepted = 1;
inline constexpr int kRefused = 2;

// The receive step of a transaction: accepted when a message of type kAccepted came; its
// text goes back over the request text (at most len bytes, ended when shorter).
inline int TransactionReply(CKvAppCoreBase& app, char* text, int len)
{
    bool accepted = false;
    std::string reply;
    const int ok = app.ReceiveTransactionReply([&](const tagTMSG& m) {
        if (m.nType == kAccepted) {
            accepted = true;
            reply.assign(reinterpret_cast<const char*>(m.pText), static_cast<size_t>(m.nLength));
        }
    });
    if (ok && accepted && text != nullptr && len > 0) {
        const size_t n = std::min(reply.size(), static_cast<size_t>(len));
        std::memcpy(text, reply.data(), n);
        if (n < static_cast<size_t>(len))
            text[n] = '\0';
    }
    return ok && accepted;
}

class TestApp : public CKvAppCoreLogic {
public:
    int VORLInfoReqRecv() override { return ReceiveInfoReplies(InfoRecvWait()); }
    int VORLBlockedInfoReqEnd(CVorlTarget* target) override { return ReceiveBlockedReply(target); }
    int VORLTransactionRecv(int code, char* text, int len, int) override
    {
        transactions.push_back(code);
        return TransactionReply(*this, text, len);
    }
    int CanAccess(unsigned id, unsigned) override
    {
        return std::find(refused.begin(), refused.end(), id) == refused.end();
    }
    bool IsModalState() const override { return modal; }
    void PostMainCommand(unsigned id) override { posted.push_back(id); }

    std::vector<unsigned> refused;
    std::vector<int> transactions;
    std::vector<unsigned> posted;
    bool modal = false;
};

} // namespace kvtest
