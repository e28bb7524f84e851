#include "records/security_records.h"

#include "kvcore/values/field_writer.h"
#include "records/reference_records.h"

namespace exchange {

std::string Price9(int64_t v)
{
    return Digits(v, 9);
}

std::string Digits(int64_t v, int width)
{
    KvFieldWriter w;
    w.Number(v, width);
    return w.Str();
}

std::string SecuritySnapshotRecord(const std::string& key, const Security& s, bool last)
{
    KvFieldWriter w;
    w.Text(key, 8)
        .Raw(s.key())
        .Text(s.name, 40)
        .Text(s.remarks, 8)
        .Text(s.shortName, 20)
        .Char(s.status)
        .Text(s.session, 30)
        .Text(s.market, 4)
        .Text("", 8)
        .Text(s.sector, 4)
        .Text("", 3)
        .Unsigned(static_cast<uint64_t>(s.valueDecimals), 2)
        .Number(0, 16) // 145 IPO price
        .Number(0, 16) // 161 earnings
        .Text(s.previousDate, 8) // 177
        .Number(s.previousPrice, 9) // 185
        .Number(0, 16) // 194 volume cumulated: figures come with the change reports
        .Number(0, 16) // 210 value cumulated
        .Number(s.yield, 9) // 226
        .Number(0, 16) // 235 accrued interest
        .Char(s.distribution) // 251
        .Number(0, 7) // 252 open orders
        .Number(s.issueSize, 16) // 259
        .Number(0, 16) // 275
        .Text("", 25) // 291
        .Number(0, 16) // 316
        .Text("", 16) // 332
        .Unsigned(static_cast<uint64_t>(s.priceDecimals), 2) // 348
        .Char('0') // 350: the 1-decimal number overlapping the lot
        .Number(s.lot, 16) // 351
        .Char(s.index ? 'Y' : 'N') // 367
        .Text(s.issuer, 12) // 368: the issuer's participant code
        .Char(' ')
        .Char(' ') // 380 "E", 381 "D"
        .Text("", 10)
        .Char(' ') // 382, 392
        .Number(0, 16) // 393
        .Text("", 12) // 409
        .Text(s.isin, 12) // 421
        .Text("", 12) // 433
        .Unsigned(static_cast<uint64_t>(s.yieldDecimals), 2) // 445
        .Text("", 8)
        .Text("", 8) // 447, 455
        .Text(s.maturity, 8) // 463
        .Text("", 255)
        .Text("", 255)
        .Text("", 120) // 471 strike, 726 barrier, 981 underlying
        .Char(LastFlag(last)); // 1101
    return w.Str();
}

std::string MarketStatusRecord(const std::string& listStamp, const ReplayStatistics& stats)
{
    KvFieldWriter w;
    w.Text("", 120)
        .Text(listStamp, 10)
        .Text("", 84)
        .Number(stats.orders, 8)
        .Number(stats.trades, 8)
        .Number(stats.transactions, 8)
        .Number(stats.rejected, 8);
    if (stats.lastTime.empty())
        w.Text("", 6);
    else
        w.Text(stats.lastTime, 6);
    return w.Str();
}

std::string SecurityChangeReport(
    int64_t seq, std::size_t row, const std::string& key, const std::vector<ChangeItem>& items)
{
    KvFieldWriter w;
    w.Number(seq, 10).Unsigned(row, 6).Raw(key).Unsigned(items.size(), 2);
    for (const auto& [tag, value] : items) {
        if (value.find('#') != std::string::npos)
            return {};
        w.Char(tag).Raw(value).Char('#');
    }
    return w.Str();
}

std::vector<ChangeItem> FullFigures(const Security& s)
{
    const SecurityFigures& f = s.figures;
    std::vector<ChangeItem> items { { 'U', s.methods }, { 'B', std::string(1, s.status) } };
    const std::pair<char, int64_t> prices[] = { { 'C', f.bid }, { 'G', f.offer }, { 'N', f.last },
        { 'K', f.open }, { 'L', f.high }, { 'M', f.low }, { 'z', f.close }, { 'e', f.reference } };
    for (const auto& [tag, value] : prices) {
        if (value != kNoValue)
            items.push_back({ tag, Price9(value) });
    }
    if (f.upperLimit != kNoValue)
        items.push_back({ 't', Digits(f.upperLimit, 16) });
    if (f.lowerLimit != kNoValue)
        items.push_back({ 'u', Digits(f.lowerLimit, 16) });
    if (!f.lastTime.empty()) {
        items.push_back({ 'Q', Digits(f.lastQuantity, 16) });
        items.push_back({ 'b', Digits(f.lastValue, 16) });
        items.push_back({ 'R', f.lastTime });
    }
    const std::pair<char, int64_t> sixteen[]
        = { { 'S', f.volumeToday }, { 'T', f.valueToday }, { 'D', f.bidDepth }, { 'H', f.offerDepth } };
    for (const auto& [tag, value] : sixteen)
        items.push_back({ tag, Digits(value, 16) });
    items.push_back({ 'F', Digits(f.bidCount, 3) });
    items.push_back({ 'J', Digits(f.offerCount, 3) });
    items.push_back({ 'h', Digits(f.trades, 7) });
    items.push_back({ 'i', Digits(f.orders, 7) });
    items.push_back({ 'k', Digits(f.openOrders, 7) });
    if (s.yield != kNoValue)
        items.push_back({ 'c', Digits(s.yield, 9) });
    if (f.offMarketLast != kNoValue) {
        // Off-market figures: the last deal trade and the day's totals (the
        // traded totals are the day's, as the exchange keeps no earlier days).
        items.push_back({ 'O', Price9(f.offMarketLast) });
        items.push_back({ 'd', Digits(f.offMarketQuantity, 16) });
        for (const char tag : { '0', '2' })
            items.push_back({ tag, Digits(f.offMarketVolume, 16) });
        for (const char tag : { '1', '3' })
            items.push_back({ tag, Digits(f.offMarketValue, 16) });
        if (f.offMarketYield != kNoValue)
            items.push_back({ 'Z', Digits(f.offMarketYield, 9) });
    }
    return items;
}

} // namespace exchange
