#include "kv32/lists/order_book_list.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "fw/core/archive.h"
#include "kv32/lists/market_texts.h"
#include "kv32/res/market_window_strings.h"
#include "kv32/tables/all_tables.h"

using kvcore::kGXDouble;
using kvcore::kGXText;

namespace {

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(OrderBookLevel, field))

constexpr KvListColumn kColumnTable[] = {
    { 2580, KV_AT(szBidInfo), kJustRight, kGXText },
    { 2581, KV_AT(dUserBidQty), kJustRight, kGXDouble },
    { 2582, KV_AT(dBidSize), kJustRight, kGXDouble },
    { 2583, KV_AT(dBidYield), kJustRight, kGXDouble },
    { 2584, KV_AT(dBid), kJustRight, kGXDouble },
    { 2585, KV_AT(dOffer), kJustRight, kGXDouble },
    { 2586, KV_AT(dOfferYield), kJustRight, kGXDouble },
    { 2587, KV_AT(dOfferSize), kJustRight, kGXDouble },
    { 2588, KV_AT(dUserOfferQty), kJustRight, kGXDouble },
    { 2589, KV_AT(szOfferInfo), kJustLeft, kGXText },
};

#undef KV_AT

// The colour of a window that has not been given one.
constexpr std::uint32_t kSystemWindowColor = 0x80000005u;
constexpr std::size_t kHeader = 38;
// Price 9, yield 9, quantity 16, user quantity 16, one unused character.
constexpr std::size_t kEntryFixed = 51;

struct Entry {
    CDouble price, yield, qty, userQty;
    std::string info;
};

// One entry at pos; pos moves past its "#". False when it is not whole.
bool ReadEntry(std::string_view text, std::size_t& pos, int priceDec, int yieldDec, Entry& e)
{
    long long price = 0, yield = 0, qty = 0, userQty = 0;
    if (!KvReadNumber(text, pos, 9, price) || !KvReadNumber(text, pos + 9, 9, yield)
        || !KvReadNumber(text, pos + 18, 16, qty) || !KvReadNumber(text, pos + 34, 16, userQty)
        || text.size() < pos + kEntryFixed)
        return false;
    const std::size_t start = pos + kEntryFixed;
    const std::size_t end = text.find('#', start);
    if (end == std::string_view::npos || end - start > OrderBookLevel::kInfoWidth)
        return false;
    e.price = CDouble(static_cast<double>(price) / CDouble::Multiplier(static_cast<unsigned>(priceDec)),
        static_cast<unsigned>(priceDec));
    e.yield = CDouble(static_cast<double>(yield) / CDouble::Multiplier(static_cast<unsigned>(yieldDec)),
        static_cast<unsigned>(yieldDec));
    e.qty = CDouble(static_cast<double>(qty), 0);
    e.userQty = CDouble(static_cast<double>(userQty), 0);
    e.info = std::string(text.substr(start, end - start));
    pos = end + 1;
    return true;
}

template <std::size_t N> void CopyInfo(char (&field)[N], const std::string& info)
{
    const std::size_t n = std::min(info.size(), N - 1);
    std::memcpy(field, info.data(), n);
    field[n] = '\0';
}

// The last character of the info text; none for an empty text.
char MarkOf(const std::string& info)
{
    return info.empty() ? '\0' : info.back();
}

} // namespace

int32_t OrderBookColorIndex(char bidMark, char offerMark)
{
    const auto either = [&](char c) { return bidMark == c || offerMark == c; };
    if (either('!'))
        return 2;
    if (either('*'))
        return 0;
    if (either('N'))
        return 1;
    return 0;
}

OrderBookReply DecodeOrderBookReply(std::string_view text, int priceDecimals, int yieldDecimals)
{
    OrderBookReply reply;
    long long bids = 0, offers = 0;
    if (!KvReadNumber(text, 27, 7, reply.otherSide) || !KvReadNumber(text, 34, 2, bids)
        || !KvReadNumber(text, 36, 2, offers) || bids < 0 || offers < 0) {
        reply.otherSide = 0;
        return reply;
    }
    std::size_t pos = kHeader;
    const auto row = [&](std::size_t i) -> OrderBookLevel& {
        while (reply.levels.size() <= i) {
            OrderBookLevel level;
            level.nRow = static_cast<int32_t>(reply.levels.size());
            reply.levels.push_back(level);
        }
        return reply.levels[i];
    };
    Entry e;
    bool whole = true;
    for (long long i = 0; i < bids && whole; ++i) {
        // The offers lie behind a broken entry: none is taken then.
        if (!(whole = ReadEntry(text, pos, priceDecimals, yieldDecimals, e)))
            break;
        OrderBookLevel& level = row(static_cast<std::size_t>(i));
        level.dBid = e.price;
        level.dBidYield = e.yield;
        level.dBidSize = e.qty;
        level.dUserBidQty = e.userQty;
        CopyInfo(level.szBidInfo, e.info);
        level.cBidMark = MarkOf(e.info);
    }
    for (long long i = 0; i < offers && whole; ++i) {
        if (!ReadEntry(text, pos, priceDecimals, yieldDecimals, e))
            break;
        OrderBookLevel& level = row(static_cast<std::size_t>(i));
        level.dOffer = e.price;
        level.dOfferYield = e.yield;
        level.dOfferSize = e.qty;
        level.dUserOfferQty = e.userQty;
        CopyInfo(level.szOfferInfo, e.info);
        level.cOfferMark = MarkOf(e.info);
    }
    for (OrderBookLevel& level : reply.levels)
        level.nColor = OrderBookColorIndex(level.cBidMark, level.cOfferMark);
    return reply;
}

COrdBkDoc::COrdBkDoc()
    : CSecurityRequestDoc(kRequestCode)
    , m_aColors(3, kSystemWindowColor)
    , m_aColorNames { IDS_BOOK_HAS_ORDERS, IDS_BOOK_NO_ORDER, IDS_BOOK_TOP_PRIORITY }
{
}

const OrderBookLevel* COrdBkDoc::GetLevel(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_records.size())
        return nullptr;
    return &m_records[static_cast<std::size_t>(row)];
}

const std::uint8_t* COrdBkDoc::GetRowData(int row) const
{
    return reinterpret_cast<const std::uint8_t*>(GetLevel(row));
}

int COrdBkDoc::GetColorOffset() const
{
    return static_cast<int>(offsetof(OrderBookLevel, nColor));
}

std::span<const KvListColumn> COrdBkDoc::Columns() const
{
    return kColumnTable;
}

KvBookRow COrdBkDoc::BookRowAt(int row) const
{
    const OrderBookLevel* level = GetLevel(row);
    if (level == nullptr)
        return {};
    return { level->dBid, level->dBidSize, level->dOffer, level->dOfferSize };
}

void COrdBkDoc::DecodeReply(std::string_view text)
{
    const KvSecurityDecimals dec = KvDecimalsOfSecurity(m_sKey);
    OrderBookReply reply = DecodeOrderBookReply(text, dec.price, dec.yield);
    m_records = std::move(reply.levels);
    m_nOtherSide = reply.otherSide;
}

void COrdBkDoc::SerializeExtra(fw::Archive& ar)
{
    if (ar.isStoring()) {
        ar.writeDWordArray(m_aColors);
        return;
    }
    std::vector<std::uint32_t> colors = ar.readDWordArray();
    // A stored list of another length belongs to nothing this window knows.
    if (colors.size() == m_aColorNames.size())
        m_aColors = std::move(colors);
}

void COrdBkDoc::AddPaneSink(const void* owner, PaneSink sink)
{
    m_sinks[owner] = std::move(sink);
    for (int pane : { kLastTradePane, kOtherSidePane })
        m_sinks[owner](pane, m_sPanes[pane]);
}

void COrdBkDoc::RemovePaneSink(const void* owner)
{
    m_sinks.erase(owner);
}

const std::string& COrdBkDoc::PaneText(int pane) const
{
    static const std::string none;
    return pane >= 0 && pane < 3 ? m_sPanes[pane] : none;
}

void COrdBkDoc::SetPane(int pane, std::string text)
{
    m_sPanes[pane] = std::move(text);
    for (auto& [owner, sink] : m_sinks)
        sink(pane, m_sPanes[pane]);
}

void COrdBkDoc::OnRequest()
{
    const int s = m_sKey.empty() ? -1 : SecurityTable().FindByCode(m_sKey);
    if (s >= 0) {
        const SecurityRec& rec = *SecurityTable().GetRec(s);
        const double price = rec.dLast;
        const double qty = rec.dQuantity;
        if (m_dShownPrice != price || m_dShownQty != qty) {
            m_dShownPrice = price;
            m_dShownQty = qty;
            SetPane(kLastTradePane, KvFormatText(KvMarketWindowString(IDS_BOOK_LAST_TRADE),
                                        { rec.dLast.Format(1, 1), rec.dQuantity.Format(0, 1) }));
        }
    }
    if (m_nShownOtherSide != m_nOtherSide) {
        m_nShownOtherSide = m_nOtherSide;
        SetPane(kOtherSidePane,
            m_nOtherSide == 0 ? std::string()
                              : KvFormatText(KvMarketWindowString(IDS_BOOK_OTHER_SIDE), { std::to_string(m_nOtherSide) }));
    }
}
