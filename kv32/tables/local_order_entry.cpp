// An order handed over by the order entry dialog, kept in the private order
// book: its text read field by field at fixed offsets, with the security's
// names and decimals, the side, flag and validity texts of the orders.
#include <memory>

#include "kv32/tables/all_tables.h"
#include "kv32/tables/local_order_table.h"
#include "kv32/tables/order_common.h"
#include "kv32/tables/record_text.h"
#include "kvcore/router/record_reader.h"

int CLocalOrderTable::AddFromEntry(std::string_view text, int row)
{
    if (text.size() < kEntryLength || row < -1 || row >= GetSize())
        return -1;
    CRecordReader r(text.data(), text.size());
    auto rec = std::make_unique<CLocalOrderRec>();
    CopyText(rec->szWorkArea, r.Text(127));
    rec->nEntryMark = r.Char() == 'Y' ? 1 : 0;
    CopyText(rec->szTrdAcc, r.Text(12));
    const char side = r.Char();
    const std::string flags = r.TextNoStrip(COrderTable::kFlagCount);
    const std::string code = r.TextNoStrip(17);
    const CSecurityNames security = LookUpSecurity(code);
    rec->dPrice = r.Decimal(9, security.priceDec);
    rec->dYield = r.Decimal(9, security.yieldDec);
    rec->dQty = r.Decimal(16, 0);
    rec->dHidden = r.Decimal(16, 0);
    CopyText(rec->szReference, r.Text(40));
    const std::string expiryDate = r.Text(8);
    const std::string expiryTime = r.Text(6);
    rec->dTriggerPrice = r.Decimal(9, security.priceDec);
    const std::string settleDate = r.Text(8);
    rec->dFillMinQty = r.Decimal(16, 0);
    if (!r.Ok())
        return -1;

    CopyText(rec->szSecurityCode, code);
    CopyText(rec->szSecurity, security.shortName);
    CopyText(rec->szBoardName, security.boardName);
    COrderTable& orders = OrderTable();
    CopyText(rec->szBuySell, orders.GetSideText(side));
    CopyText(rec->szType, flags);
    COrderTable::FormatFlags(flags, rec->szTypeLetters, sizeof rec->szTypeLetters);
    CopyText(rec->szValidity, orders.GetValidityText(flags, expiryDate));
    CopyText(rec->szExpiryDate, expiryDate);
    CopyText(rec->szExpiryTime, expiryTime);
    CopyText(rec->szExpiryTimeText, expiryTime);
    CopyText(rec->szSettleDate, settleDate);
    // Each read in its full width (a text cut short by a zero byte is blank-filled).
    const auto full = [](std::string field, size_t width) {
        field.resize(width, ' ');
        return field;
    };
    if (rec->dtExpiry.SetDateVORL(full(expiryDate, 8).c_str())) {
        CDateTime withTime = rec->dtExpiry;
        if (withTime.SetTimeVORL(full(expiryTime, 6).c_str()))
            rec->dtExpiry = withTime;
    }
    rec->dtSettle.SetDateVORL(full(settleDate, 8).c_str());
    CopyText(rec->szStatus, StateText(row < 0 ? LocalOrderState::New : LocalOrderState::Amended));
    return Place(std::move(rec), row);
}
