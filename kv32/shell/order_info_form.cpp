#include "kv32/shell/order_info_form.h"

#include <cstring>

#include "kv32/res/trading_strings.h"
#include "kv32/tables/all_tables.h"

namespace {

std::string Field(const char* text, size_t size)
{
    return std::string(text, strnlen(text, size));
}

std::string Amount(const CDouble& value)
{
    return value.Format(1, 1);
}

// The side letters of the tables' records, in the user's language.
void SetSide(COrderInfoView& v, const std::string& letter)
{
    v.buy = letter == Kv32TradingString(IDS_SIDE_BUY);
    v.sell = letter == Kv32TradingString(IDS_SIDE_SELL);
}

} // namespace

COrderInfoForm::COrderInfoForm(const CTradeRec& trade)
    : m_bDeal(trade.cDealFlag == 'Y')
{
    const uint32_t numbers[2] = { trade.nBuyOrderNo, trade.nSellOrderNo };
    for (int i = 0; i < 2; ++i)
        m_rows[i] = m_bDeal ? KvTables().deals.FindRow(numbers[i]) : KvTables().orders.FindRow(numbers[i]);
    m_nShown = m_rows[0] >= 0 ? m_rows[0] : m_rows[1];
}

const COrderRec* COrderInfoForm::ShownOrder() const
{
    return m_bDeal || m_nShown < 0 ? nullptr : KvTables().orders.GetRec(m_nShown);
}

COrderInfoView COrderInfoForm::Shown() const
{
    return m_nShown < 0 ? COrderInfoView() : ViewOf(m_nShown);
}

void COrderInfoForm::OtherSide()
{
    const int row = Shown().buy ? m_rows[1] : m_rows[0];
    if (row >= 0)
        m_nShown = row;
}

COrderInfoView COrderInfoForm::ViewOf(int row) const
{
    COrderInfoView v;
    if (m_bDeal) {
        const CNegDealRec& d = *KvTables().deals.GetRec(row);
        v.number = std::to_string(d.nDealNo);
        v.time = d.dtDeal.FormatTime();
        v.user = Field(d.szUser, sizeof d.szUser);
        v.firm = Field(d.szFirm, sizeof d.szFirm);
        v.board = Field(d.szBoardName, sizeof d.szBoardName);
        v.security = Field(d.szSecurity, sizeof d.szSecurity);
        v.account = Field(d.szTrdAcc, sizeof d.szTrdAcc);
        v.price = Amount(d.dPrice);
        v.quantity = Amount(d.dQty);
        v.reference = Field(d.szReference, sizeof d.szReference);
        SetSide(v, Field(d.szBuySell, sizeof d.szBuySell));
        return v;
    }
    const COrderRec& o = *KvTables().orders.GetRec(row);
    v.number = std::to_string(o.nOrderNo);
    v.time = o.dtEntry.FormatTime();
    v.user = Field(o.szUser, sizeof o.szUser);
    v.firm = Field(o.szFirm, sizeof o.szFirm);
    v.board = Field(o.szBoardName, sizeof o.szBoardName);
    v.security = Field(o.szSecurity, sizeof o.szSecurity);
    v.account = Field(o.szTrdAcc, sizeof o.szTrdAcc);
    v.price = Amount(o.dPrice);
    v.quantity = Amount(o.dQty);
    v.balance = Amount(o.dBalance);
    v.reference = Field(o.szReference, sizeof o.szReference);
    SetSide(v, Field(o.szBuySell, sizeof o.szBuySell));
    return v;
}
