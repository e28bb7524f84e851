#include "records/trading_records.h"

#include "kvcore/values/field_writer.h"

namespace exchange {

namespace {

// A date or time field: blanks when not set.
KvFieldWriter& when(KvFieldWriter& w, const std::string& value, int width)
{
    return w.Text(value, width);
}

} // namespace

std::string OrderRecord(int64_t seq, const Order& o, const std::string& accountName)
{
    KvFieldWriter w;
    w.Number(seq, 10).Char('Y').Number(o.number, 12).Char('N');
    when(w, o.entryDate, 8);
    when(w, o.entryTime, 6);
    w.Char(o.status)
        .Char(o.side)
        .Raw(o.flags)
        .Text(o.reference, 40)
        .Text(o.user, 12)
        .Text(o.firm, 12)
        .Text(o.account, 12)
        .Text(accountName, 30)
        .Text(o.securityKey, 17)
        .Number(o.price, 9)
        .Number(o.yield, 9)
        .Number(o.quantity, 16)
        .Number(o.hidden, 16)
        .Number(o.balance, 16)
        .Number(o.amount > 0 ? o.amount : o.value, 16); // an amount order shows its amount
    when(w, o.settlementDate, 8);
    w.Number(o.previousLink, 12).Number(0, 16);
    when(w, o.expiryDate, 8);
    w.Text(o.expiryTime.empty() ? "000000" : o.expiryTime, 6)
        .Number(o.trigger, 9)
        .Number(o.nextLink, 12)
        .Number(o.averagePrice, 11)
        .Number(o.minimumFill, 16);
    return w.Str();
}

std::string TradeRecord(int64_t seq, const Trade& t)
{
    KvFieldWriter w;
    w.Number(seq, 10).Char('Y').Number(t.number, 12).Char('N').Number(t.buyOrder, 12).Number(t.sellOrder, 12);
    when(w, t.time, 6);
    when(w, t.amendTime, 6);
    w.Text(t.buyReference, 40)
        .Text(t.sellReference, 40)
        .Text(t.buyUser, 12)
        .Text(t.sellUser, 12)
        .Text(t.buyFirm, 12)
        .Text(t.sellFirm, 12)
        .Text(t.buyAccount, 12)
        .Text(t.sellAccount, 12)
        .Text(t.securityKey, 17)
        .Number(t.price, 9)
        .Number(t.yield, 9)
        .Number(t.quantity, 16)
        .Number(t.value, 16);
    when(w, t.settlementDate, 8);
    w.Number(t.accrued, 16);
    when(w, t.tradeDate, 8);
    w.Char(t.status).Char(t.source);
    when(w, t.disseminationTime, 6);
    w.Char(t.dissemination);
    return w.Str();
}

std::string DealRecord(int64_t seq, const Deal& d, bool counterparty)
{
    const char status = counterparty && d.status == 'O' ? 'C' : d.status;
    const char side = counterparty ? (d.side == 'B' ? 'S' : 'B') : d.side;
    KvFieldWriter w;
    w.Number(seq, 10).Char('Y').Number(d.number, 12).Char('N').Text("", 12);
    when(w, d.time, 6);
    w.Char(status)
        .Char(side)
        .Text(d.reference, 40)
        .Text(counterparty ? d.counterUser : d.user, 12)
        .Text(counterparty ? d.counterFirm : d.firm, 12)
        .Text(counterparty ? d.user : d.counterUser, 12)
        .Text(counterparty ? d.firm : d.counterFirm, 12)
        .Text(counterparty ? "" : d.account, 12)
        .Text(d.securityKey, 17)
        .Number(d.price, 9)
        .Number(d.quantity, 16)
        .Text(d.settlementDate.empty() ? "00000000" : d.settlementDate, 8)
        .Number(d.confirmMinutes, 4)
        .Number(d.yield, 9);
    when(w, d.disseminationTime, 6);
    w.Char(d.dissemination).Char(d.source).Number(d.reminderMinutes, 4).Raw(d.flags);
    return w.Str();
}

std::string LastTradeRecord(int64_t seq, const Trade& t)
{
    KvFieldWriter w;
    w.Number(seq, 10)
        .Number(t.number, 12)
        .Text(t.securityKey, 17)
        .Number(t.price, 9)
        .Number(t.yield, 9)
        .Number(t.quantity, 16)
        .Number(t.value, 16);
    when(w, t.tradeDate, 8);
    when(w, t.time, 6);
    w.Char(t.source);
    when(w, t.settlementDate, 8);
    w.Char('Y').Text(t.buyFirm, 12).Text(t.sellFirm, 12);
    return w.Str();
}

} // namespace exchange
