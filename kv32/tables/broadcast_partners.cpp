#include "kv32/tables/broadcast_partners.h"

#include <utility>

#include "kv32/shell/print_log.h"
#include "kv32/tables/all_tables.h"

int CKvBroadcastPartners::MultiReplyCapacity() const
{
    return RepliesTable().GetCount();
}

void CKvBroadcastPartners::StoreMultiReply(int index, std::string_view text)
{
    RepliesTable().SetMessage(index, text);
}

void CKvBroadcastPartners::TakeExchangeMessage(tagTMSG& message)
{
    ExchMessageTable().StoreDataItem(&message);
}

void CKvBroadcastPartners::EndExchangeMessageBatch()
{
    ExchMessageTable().OnPostReceive();
}

void CKvBroadcastPartners::TakeNewsHead(tagTMSG& message)
{
    NewsTable().StoreDataItem(&message);
}

void CKvBroadcastPartners::EndNewsHeadBatch()
{
    NewsTable().OnPostReceive();
}

bool CKvBroadcastPartners::TakeNewHeadline()
{
    return std::exchange(NewsTable().m_bPopup, false);
}

bool CKvBroadcastPartners::TakeUnreadMessage()
{
    CExchMessageTable& messages = ExchMessageTable();
    if (messages.m_nPopupCount <= 0)
        return false;
    --messages.m_nPopupCount;
    return true;
}

void CKvBroadcastPartners::SetTradingDate(std::string_view yyyymmdd)
{
    OrdCountTable().SetToday(yyyymmdd);
}

bool CKvBroadcastPartners::TakePrintFailure()
{
    return KvTakePrintLogFailure();
}
