#include "records/position_records.h"

#include "kvcore/values/field_writer.h"

namespace exchange {

std::string CashPositionRecord(int code, int64_t seq, const CashPosition& p)
{
    KvFieldWriter w;
    w.Number(seq, 10);
    if (code == 86)
        w.Text(p.account, 12);
    else if (code == 90)
        w.Text(p.user, 12);
    w.Text(p.firm, 12)
        .Text(p.currency, 3)
        .Text(p.pool, 4)
        .Number(p.open, 17)
        .Number(p.current, 17)
        .Number(p.planned, 17)
        .Number(p.limits.hard, 17)
        .Char(p.limits.hardSet)
        .Number(p.limits.warn, 17)
        .Char(p.limits.warnSet)
        .Number(p.limits.order, 16)
        .Char(p.limits.orderSet);
    return w.Str();
}

std::string SecurityPositionRecord(int64_t seq, const SecurityPosition& p)
{
    KvFieldWriter w;
    w.Number(seq, 10).Text(p.account, 12).Text(p.instrumentId, 12);
    for (const int64_t v : { p.open, p.current, p.plannedBuy, p.plannedSell, p.buyValue, p.sellValue,
             p.buyQuantity, p.sellQuantity, p.multiplier })
        w.Number(v, 16);
    return w.Str();
}

std::string AccountPositionRecord(int64_t seq, const std::string& account, const SecurityPosition* p)
{
    KvFieldWriter w;
    w.Number(seq, 10)
        .Text(account, 12)
        .Text(p != nullptr ? p->instrumentId : "", 12)
        .Text(p != nullptr ? p->depository : "", 12)
        .Char(p != nullptr ? ' ' : '#')
        .Text("", 11)
        .Number(p != nullptr ? p->open : 0, 11)
        .Number(p != nullptr ? p->current : 0, 11)
        .Number(p != nullptr ? p->plannedBuy : 0, 10)
        .Number(p != nullptr ? p->plannedSell : 0, 10);
    return w.Str();
}

std::string AccountSummaryRecord(int64_t seq, const SecurityPosition& p)
{
    KvFieldWriter w;
    w.Number(seq, 10).Text(p.instrumentId, 12);
    for (const int64_t v : { p.buyValue, p.sellValue, p.buyQuantity, p.sellQuantity, p.multiplier })
        w.Number(v, 16);
    return w.Str();
}

} // namespace exchange
