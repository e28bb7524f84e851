#include "kv32/tables/last_trade_table.h"

#include <algorithm>
#include <cstring>

#include "fw/core/document.h"
#include "kv32/res/table_strings.h"
#include "kv32/shell/app_settings.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/record_text.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/app/app_core_base.h"

namespace {
constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b)
{
    return r | (g << 8) | (b << 16);
}
} // namespace

CTable118::CTable118()
{
    m_wID = kLastTradesWindow;
}

int CTable118::Load()
{
    ResetKeys();
    return 1;
}

void CTable118::ResetKeys()
{
    ResetSeqNum();
    std::memcpy(m_szKey12, "000000000000", sizeof m_szKey12);
    m_cKey1 = ' ';
    if (m_aColors.empty()) {
        m_aColors = { Rgb(0, 128, 0), Rgb(255, 0, 0), Rgb(0, 0, 0) };
        m_aColorNames = { IDS_PRICE_ABOVE_LAST, IDS_PRICE_BELOW_LAST, IDS_PRICE_EQUAL_LAST };
    }
    m_bKeysSet = true;
}

int CTable118::UpdateReq()
{
    if (!m_bKeysSet)
        return 0;
    return SendStandingRequest(kRequest, this, [this](KvFieldWriter& w) {
        AppendSeqNum(w);
        w.Text(m_szKey12, 12).Char(m_cKey1);
    });
}

void CTable118::Free()
{
    m_rows.clear();
    m_pending.clear();
    m_nDropped = 0;
    m_bKeysSet = false;
    ResetSeqNum();
}

void CTable118::Note(int row)
{
    if (std::find(m_pending.begin(), m_pending.end(), row) == m_pending.end())
        m_pending.push_back(row);
}

int CTable118::Decode(CRecordReader& reader)
{
    const std::string seq = reader.TextNoStrip(kSeqNumWidth);
    const uint32_t tradeNo = reader.ULong(12);
    const std::string code = reader.TextNoStrip(17);
    // The amounts need the security's decimals, so they are read after the look-up.
    const std::string price = reader.TextNoStrip(9);
    const std::string second = reader.TextNoStrip(9);
    const CDouble quantity = reader.Decimal(16, 0);
    const std::string value = reader.TextNoStrip(16);
    const CDateTime date = reader.Date8();
    const std::string time = reader.TextNoStrip(6);
    const char letter = reader.Char();
    const CDateTime secondDate = reader.Date8();
    const char withParties = reader.Char();
    std::string party1, party2;
    if (withParties == 'Y') {
        party1 = reader.Text(12);
        party2 = reader.Text(12);
    }
    if (!reader.Ok())
        return 0;
    TakeSeqNum(seq);

    LastTradeRec rec;
    rec.nTradeNo = tradeNo;
    CopyText(rec.szCode, code);
    int priceDec = 0, valueDec = 0, secondDec = 0;
    const int security = SecurityTable().FindByCode(code);
    if (security >= 0) {
        const SecurityRec& s = *SecurityTable().GetRec(security);
        CopyText(rec.szShortName, s.szShortName);
        priceDec = s.nPriceDec;
        valueDec = s.nValueDec;
        secondDec = s.nYieldDec;
    }
    const int board = code.size() >= 5 ? BoardTable().FindByCode(code.substr(1, 4).c_str()) : -1;
    if (board >= 0)
        CopyText(rec.szBoardName, BoardTable().GetRec(board)->szName);
    CopyText(rec.szSourceName, FlagTable().NameOf(letter));
    auto number = [](const std::string& text, int decimals) {
        CRecordReader field(text.data(), text.size());
        return field.Decimal(static_cast<int>(text.size()), decimals);
    };
    rec.dPrice = number(price, priceDec);
    rec.dSecondAmount = number(second, secondDec);
    rec.dQuantity = quantity;
    rec.dValue = number(value, valueDec);
    rec.dtTrade = date;
    if (rec.dtTrade.IsValid())
        rec.dtTrade.SetTimeVORL(time.c_str());
    rec.dtSecond = secondDate;
    CopyText(rec.szParty1, party1);
    CopyText(rec.szParty2, party2);

    // Trades come in ascending number: a newer one is appended, a known one
    // replaced, an older unknown one dropped.
    if (m_rows.empty() || tradeNo > m_rows.back().nTradeNo) {
        m_rows.push_back(rec);
        Note(GetCount() - 1);
    } else {
        const auto it = std::lower_bound(m_rows.begin(), m_rows.end(), tradeNo,
            [](const LastTradeRec& r, uint32_t n) { return r.nTradeNo < n; });
        if (it == m_rows.end() || it->nTradeNo != tradeNo)
            return 1;
        *it = rec;
        Note(static_cast<int>(it - m_rows.begin()));
    }
    TrimToLimit(KvAppSettings().nLastTrades);
    return 1;
}

void CTable118::TrimToLimit(int limit)
{
    if (limit <= 0)
        return;
    bool trimmed = false;
    while (GetCount() > limit) {
        m_rows.pop_front();
        ++m_nDropped;
        trimmed = true;
    }
    // Rows noted before the trim no longer stand where they were: the windows rebuild.
    if (trimmed)
        m_pending.clear();
}

void CTable118::OnPostReceive()
{
    m_nReportedDrops = m_nDropped;
    if (m_nDropped > 0) {
        KvUpdateAllDocuments(kLastTradesWindow);
        KvUpdateAllDocuments(kTickerWindow);
    } else if (!m_pending.empty()) {
        fw::RowHint hint(GetCount());
        for (int row : m_pending)
            hint.AddRow(row);
        KvUpdateAllDocuments(kLastTradesWindow, &hint);
        KvUpdateAllDocuments(kTickerWindow, &hint);
    }
    m_pending.clear();
    m_nDropped = 0;
}
