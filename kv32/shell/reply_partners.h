// The tables that the reply dispatch feeds besides the waiting targets: the
// replies table of multiple operations, the exchange-message and news tables
// (broadcasts 194 and 195), the order-count table (the trading date) and the
// print log. The tables install themselves as they join the program; until
// then the defaults take nothing and report nothing; the exchange-message
// and news tables are the defaults for broadcasts 194 and 195.
#pragma once

#include <string_view>

struct tagTMSG;

class CKvReplyPartners {
public:
    virtual ~CKvReplyPartners() = default;

    // Replies table: records available to a multiple operation, and one reply text.
    virtual int MultiReplyCapacity() const { return 0; }
    virtual void StoreMultiReply(int /*index*/, std::string_view /*text*/) { }

    // Broadcasts, then the end-of-batch step once per packet that carried any.
    virtual void TakeExchangeMessage(tagTMSG& /*message*/) { }
    virtual void EndExchangeMessageBatch() { }
    virtual void TakeNewsHead(tagTMSG& /*message*/) { }
    virtual void EndNewsHeadBatch() { }

    // What the receive step posts, each taken once: a new headline, one unread
    // exchange message (the count drops by one), a printing failure.
    virtual bool TakeNewHeadline() { return false; }
    virtual bool TakeUnreadMessage() { return false; }
    virtual bool TakePrintFailure() { return false; }

    // The host's trading date (eight digits) from a time reply.
    virtual void SetTradingDate(std::string_view /*yyyymmdd*/) { }
};

// Installs the partners (null: the defaults); the caller keeps them alive.
void KvSetReplyPartners(CKvReplyPartners* partners);
CKvReplyPartners& KvReplyPartners();
