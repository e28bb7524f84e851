#include "kv32/lists/ticker_list.h"

#include <cstdio>

#include "fw/core/archive.h"
#include "fw/core/strings.h"

CTickerDoc::CTickerDoc() = default;

void CTickerDoc::Serialize(fw::Archive& ar)
{
    CLastNDoc::Serialize(ar);
    if (ar.isStoring())
        ar.writeLong(m_bSmooth);
    else
        m_bSmooth = ar.readLong() != 0 ? 1 : 0;
}

void CTickerDoc::AddDefaultSelColumns()
{
    for (int id : { 577, 579, 580 })
        m_selected.push_back(static_cast<std::uint16_t>(id - kFirstColumn));
}

std::string CTickerDoc::LineTitle(int line) const
{
    if (line < 0 || line >= static_cast<int>(m_selected.size()) || m_selected[static_cast<std::size_t>(line)] >= kColumns)
        return {};
    return fw::loadString(kFirstColumn + m_selected[static_cast<std::size_t>(line)]);
}

std::string CTickerDoc::CellText(int line, int col) const
{
    const LastTradeRec* trade = GetRowRecord(col - 1);
    if (trade == nullptr || line < 0 || line >= static_cast<int>(m_selected.size()))
        return {};
    switch (kFirstColumn + m_selected[static_cast<std::size_t>(line)]) {
    case 576: return std::to_string(trade->nTradeNo);
    case 577: return trade->szShortName;
    case 578: return trade->szBoardName;
    case 579: return trade->dPrice.Format(1, 1);
    case 580: return trade->dQuantity.Format(1, 1);
    case 581: return trade->dValue.Format(1, 1);
    case 582: return trade->dtTrade.FormatDate();
    case 583: return trade->dtTrade.FormatTime();
    case 584: return trade->szSourceName;
    case 585: return trade->szParty1;
    case 586: return trade->szParty2;
    case 587: return trade->dSecondAmount.Format(1, 1);
    case 588: return trade->dtSecond.FormatDate();
    default: return {};
    }
}

void CTickerDoc::NoteLeftColumn(int col)
{
    const LastTradeRec* trade = GetRowRecord(col - 1);
    m_nLeftTradeNo = trade != nullptr ? trade->nTradeNo : 0;
}

int CTickerDoc::LeftColumn() const
{
    // From the newest backwards: the trade is near the end after a rebuild.
    for (int row = GetRowCount() - 1; row >= 0; --row) {
        const LastTradeRec* trade = GetRowRecord(row);
        if (trade != nullptr && trade->nTradeNo == m_nLeftTradeNo)
            return row + 1;
    }
    return 1;
}
