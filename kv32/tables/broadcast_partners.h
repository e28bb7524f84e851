// The exchange-message and news tables as the reply dispatch's partners for
// broadcasts 194 and 195 and for the pop-ups of the receive step (the print
// log's failure among them), and the replies table for the replies of a
// multi-row command.
#pragma once

#include "kv32/shell/reply_partners.h"

class CKvBroadcastPartners : public CKvReplyPartners {
public:
    int MultiReplyCapacity() const override;
    void StoreMultiReply(int index, std::string_view text) override;
    void TakeExchangeMessage(tagTMSG& message) override;
    void EndExchangeMessageBatch() override;
    void TakeNewsHead(tagTMSG& message) override;
    void EndNewsHeadBatch() override;
    bool TakeNewHeadline() override;
    bool TakeUnreadMessage() override;
    // The order-count table counts the orders of this date.
    void SetTradingDate(std::string_view yyyymmdd) override;
    bool TakePrintFailure() override;
};
