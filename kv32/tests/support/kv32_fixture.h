// The program's logic over a scripted router, with a recorder in place of the
// windowed shell and recording partners in place of the broadcast, replies
// and order-count tables. Program-wide flags start cleared.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kv32/shell/kv_app_logic.h"
#include "kv32/shell/reply_partners.h"
#include "support/scripted_router.h"
#include "support/ui_recorder.h"

namespace kv32test {

class RecordingPartners : public CKvReplyPartners {
public:
    int MultiReplyCapacity() const override { return capacity; }
    void StoreMultiReply(int index, std::string_view text) override
    {
        multiReplies.emplace_back(index, std::string(text));
    }
    void TakeExchangeMessage(tagTMSG& message) override;
    void EndExchangeMessageBatch() override { ++messageBatches; }
    void TakeNewsHead(tagTMSG& message) override;
    void EndNewsHeadBatch() override { ++newsBatches; }
    bool TakeNewHeadline() override { return std::exchange(newHeadline, false); }
    bool TakeUnreadMessage() override
    {
        if (unread <= 0)
            return false;
        --unread;
        return true;
    }
    bool TakePrintFailure() override { return std::exchange(printFailure, false); }
    void SetTradingDate(std::string_view date) override { tradingDates.emplace_back(date); }

    int capacity = 0;
    std::vector<std::pair<int, std::string>> multiReplies;
    std::vector<std::string> messages, news, tradingDates;
    int messageBatches = 0, newsBatches = 0, unread = 0;
    bool newHeadline = false, printFailure = false;
};

class Kv32Fixture : public ::testing::Test {
protected:
    Kv32Fixture();
    ~Kv32Fixture() override;

    ScriptedRouter router;
    UiRecorder ui;
    RecordingPartners partners;
    CKvAppLogic app;
};

} // namespace kv32test
