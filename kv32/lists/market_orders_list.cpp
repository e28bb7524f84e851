#include "kv32/lists/market_orders_list.h"

#include <cstddef>
#include <cstring>
#include <string>

using kvcore::kGXDouble;
using kvcore::kGXText;

namespace {

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(MarketOrderRow, field))

constexpr KvListColumn kColumnTable[] = {
    { 540, KV_AT(szBuyer), kJustLeft, kGXText },
    { 541, KV_AT(szBidInfo), kJustLeft, kGXText },
    { 542, KV_AT(dBidSize), kJustRight, kGXDouble },
    { 543, KV_AT(dBid), kJustRight, kGXDouble },
    { 544, KV_AT(dOffer), kJustRight, kGXDouble },
    { 545, KV_AT(dOfferSize), kJustRight, kGXDouble },
    { 546, KV_AT(szOfferInfo), kJustLeft, kGXText },
    { 547, KV_AT(szSeller), kJustLeft, kGXText },
};

#undef KV_AT

constexpr std::size_t kHeader = 31;
constexpr std::size_t kEntry = 38;

struct Entry {
    std::string owner;
    CDouble price, qty;
    char info = 0;
};

bool ReadEntry(std::string_view text, std::size_t pos, int priceDec, Entry& e)
{
    long long price = 0, qty = 0;
    if (text.size() < pos + kEntry || !KvReadNumber(text, pos + 12, 9, price) || !KvReadNumber(text, pos + 21, 16, qty))
        return false;
    std::string owner(text.substr(pos, 12));
    while (!owner.empty() && owner.back() == ' ')
        owner.pop_back();
    e.owner = owner;
    e.price = CDouble(static_cast<double>(price) / CDouble::Multiplier(static_cast<unsigned>(priceDec)),
        static_cast<unsigned>(priceDec));
    e.qty = CDouble(static_cast<double>(qty), 0);
    e.info = text[pos + 37];
    return true;
}

void SetText(char (&field)[13], const std::string& text)
{
    std::memcpy(field, text.data(), text.size());
    field[text.size()] = '\0';
}

} // namespace

std::vector<MarketOrderRow> DecodeMarketOrdersReply(std::string_view text, int priceDecimals)
{
    std::vector<MarketOrderRow> rows;
    long long buys = 0, sells = 0;
    if (!KvReadNumber(text, 27, 2, buys) || !KvReadNumber(text, 29, 2, sells) || buys < 0 || sells < 0)
        return rows;
    std::size_t pos = kHeader;
    Entry e;
    long long i = 0;
    for (; i < buys; ++i, pos += kEntry) {
        if (!ReadEntry(text, pos, priceDecimals, e))
            return rows; // the sells lie behind the cut entry
        MarketOrderRow row;
        row.nRow = static_cast<int32_t>(i);
        SetText(row.szBuyer, e.owner);
        row.szBidInfo[0] = e.info;
        row.dBid = e.price;
        row.dBidSize = e.qty;
        rows.push_back(row);
    }
    for (long long j = 0; j < sells; ++j, pos += kEntry) {
        if (!ReadEntry(text, pos, priceDecimals, e))
            break;
        if (static_cast<std::size_t>(j) >= rows.size()) {
            MarketOrderRow row;
            row.nRow = static_cast<int32_t>(j);
            rows.push_back(row);
        }
        MarketOrderRow& row = rows[static_cast<std::size_t>(j)];
        SetText(row.szSeller, e.owner);
        row.szOfferInfo[0] = e.info;
        row.dOffer = e.price;
        row.dOfferSize = e.qty;
    }
    return rows;
}

CMktOrdDoc::CMktOrdDoc()
    : CSecurityRequestDoc(kRequestCode)
{
}

const MarketOrderRow* CMktOrdDoc::GetOrderRow(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_records.size())
        return nullptr;
    return &m_records[static_cast<std::size_t>(row)];
}

const std::uint8_t* CMktOrdDoc::GetRowData(int row) const
{
    return reinterpret_cast<const std::uint8_t*>(GetOrderRow(row));
}

std::span<const KvListColumn> CMktOrdDoc::Columns() const
{
    return kColumnTable;
}

KvBookRow CMktOrdDoc::BookRowAt(int row) const
{
    const MarketOrderRow* r = GetOrderRow(row);
    if (r == nullptr)
        return {};
    return { r->dBid, r->dBidSize, r->dOffer, r->dOfferSize };
}

void CMktOrdDoc::DecodeReply(std::string_view text)
{
    m_records = DecodeMarketOrdersReply(text, KvDecimalsOfSecurity(m_sKey).price);
}
