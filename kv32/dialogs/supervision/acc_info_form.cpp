#include "kv32/dialogs/supervision/acc_info_form.h"

#include <cstring>

#include "kv32/tables/all_tables.h"
#include "kv32/tables/host_table.h"
#include "kv32/trading/active_row.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/router/cvorl.h"
#include "kvcore/router/record_reader.h"
#include "kvcore/values/field_writer.h"

namespace {

constexpr int kUserWidth = 12;
constexpr int kCodeWidth = 12;
constexpr size_t kInstrumentOffset = 5; // kind 1, board 4

std::string Field(const char* text, size_t width)
{
    std::string s(text, strnlen(text, width));
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

template <class Table> bool InRange(Table& table, int index)
{
    return index >= 0 && index < table.GetCount();
}

} // namespace

KvAccountSubject AccountSubjectOf(const KvActiveRow* row)
{
    KvAccountSubject s;
    if (row == nullptr)
        return s;
    const int index = row->RecordIndex();
    switch (row->TableId()) {
    case kListOrders:
        if (COrderTable& orders = KvTables().orders; InRange(orders, index)) {
            const COrderRec& o = *orders.GetRec(index);
            s = { Field(o.szTrdAcc, 12), Field(o.szTrdAcc2, 12), Field(o.szSecurityCode, 17) };
        }
        break;
    case kListTrades:
        if (CTradeTable& trades = KvTables().trades; InRange(trades, index)) {
            const CTradeRec& t = *trades.GetRec(index);
            std::string account = Field(t.szBuyTrdAcc, 12);
            if (account.empty())
                account = Field(t.szSellTrdAcc, 12);
            s = { account, Field(t.szTrdAcc2, 12), Field(t.szSecurityCode, 17) };
        }
        break;
    case kListNegDeals:
        if (CNegDealTable& deals = KvTables().deals; InRange(deals, index)) {
            const CNegDealRec& d = *deals.GetRec(index);
            s = { Field(d.szTrdAcc, 12), Field(d.szTrdAcc2, 12), Field(d.szSecurityCode, 17) };
        }
        break;
    default:
        break;
    }
    return s;
}

std::string AccountInfoKey(std::string_view user, const KvAccountSubject& subject)
{
    const std::string_view security = subject.security.size() > kInstrumentOffset
        ? std::string_view(subject.security).substr(kInstrumentOffset)
        : std::string_view();
    KvFieldWriter w;
    w.TextCut(user, kUserWidth)
        .Text(std::string(10, '0'), 10)
        .Text(subject.account, kCodeWidth)
        .Text(subject.second, kCodeWidth)
        .Text(security, kCodeWidth);
    return w.Str();
}

int CAccountInfo::Request(const KvAccountSubject& subject)
{
    m_position = {};
    std::string key = AccountInfoKey(pvorl != nullptr ? pvorl->User() : std::string(), subject);
    if (key.empty())
        return 0;
    return VORLInfoReq(kAccountInfoRequest, key.data(), static_cast<int>(key.size()), this) != 0 ? 1 : 0;
}

int CAccountInfo::Decode(CRecordReader& reader)
{
    KvAccountPosition p;
    reader.Skip(10);
    p.account = reader.Text(12);
    reader.Skip(12);
    p.depository = reader.Text(12);
    reader.Skip(12);
    p.open = reader.Decimal(11, 0);
    p.current = reader.Decimal(11, 0);
    p.plannedBuy = reader.Decimal(10, 0);
    p.plannedSell = reader.Decimal(10, 0);
    if (!reader.Ok())
        return 0;
    m_position = std::move(p);
    return 1;
}
