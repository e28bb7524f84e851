#include "kv32/windows/quote_rows.h"

#include "kv32/res/shell_dialog_ids.h"
#include "kv32/tables/security_table.h"

namespace {

constexpr unsigned kLabels[kQuoteRows] = {
    IDS_QUOTE_BID, IDS_QUOTE_BID_TIME, IDS_QUOTE_OFFER, IDS_QUOTE_OFFER_TIME, IDS_QUOTE_LAST, IDS_QUOTE_HIGH,
    IDS_QUOTE_LOW,
};

KvQuoteRows Labels()
{
    KvQuoteRows rows;
    for (int i = 0; i < kQuoteRows; ++i)
        rows[static_cast<size_t>(i)].label = Kv32ShellDialogString(kLabels[i]);
    return rows;
}

} // namespace

KvQuoteRows QuoteRowsOf(const SecurityRec& rec)
{
    KvQuoteRows rows = Labels();
    const CDouble* values[kQuoteRows] = {
        &rec.dBid, &rec.dBidDepthTotal, &rec.dOffer, &rec.dOfferDepthTotal, &rec.dLast, &rec.dHigh, &rec.dLow,
    };
    for (int i = 0; i < kQuoteRows; ++i)
        rows[static_cast<size_t>(i)].value = values[i]->Format(0, 0);
    return rows;
}

KvQuoteRows QuoteRowsOfRow(int securityRow)
{
    CSecurityTable& table = SecurityTable();
    if (securityRow < 0 || securityRow >= table.GetCount())
        return Labels();
    return QuoteRowsOf(*table.GetRec(securityRow));
}

int QuoteTimerPeriodMs(int timeSliceSeconds)
{
    return (timeSliceSeconds < 1 ? 1 : timeSliceSeconds) * 1000;
}
