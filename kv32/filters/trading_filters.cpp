#include "kv32/filters/trading_filters.h"

#include <cctype>

#include "kv32/res/criteria_strings.h"
#include "kv32/res/trading_strings.h"
#include "kv32/tables/order_common.h"

namespace {

const CTextSet& SideNames()
{
    static const CTextSet names({ IDS_SIDE_BUY, IDS_SIDE_SELL });
    return names;
}

// The deal statuses in the order the match compares them.
const CTextSet& DealStatusNames()
{
    static const CTextSet names({ IDS_STATUS_OPEN, IDS_STATUS_AMENDED, IDS_STATUS_UNAPPROVED,
        IDS_STATUS_UNCONFIRMED, IDS_STATUS_MATCHED, IDS_STATUS_WITHDRAWN });
    return names;
}

const CTextSet& TradeStatusNames()
{
    static const CTextSet names({ IDS_TRADE_MATCHED, IDS_TRADE_CANCELLED });
    return names;
}

// The trade's date with the time of day of a six-digit text; invalid for any
// other text, which then bounds nothing.
CDateTime TimeOfDayText(const CDateTime& day, const std::string& hhmmss)
{
    CDateTime result;
    if (hhmmss.size() != 6)
        return result;
    for (const char c : hhmmss) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return result;
    }
    const int hour = (hhmmss[0] - '0') * 10 + (hhmmss[1] - '0');
    const int minute = (hhmmss[2] - '0') * 10 + (hhmmss[3] - '0');
    const int second = (hhmmss[4] - '0') * 10 + (hhmmss[5] - '0');
    result.SetDateTime(day.GetYear(), day.GetMonth(), day.GetDay(), hour, minute, second);
    return result;
}

std::string NumberBounds(uint32_t lowest, uint32_t highest)
{
    std::string text;
    if (lowest != 0)
        text += criteria::BoundText(IDS_CRITERIA_FROM, std::to_string(lowest));
    if (highest != 0)
        text += criteria::BoundText(IDS_CRITERIA_TO, std::to_string(highest));
    return text;
}

} // namespace

// ---- negotiated deals

CNDealsFilter::CNDealsFilter()
{
    Reset();
}

void CNDealsFilter::Reset()
{
    m_aSecurities.clear();
    m_aBoards.clear();
    m_aAccounts.clear();
    m_aUsers.clear();
    m_bNoFiltering = 1;
    m_bAllSecurities = m_bAllBoards = m_bAllUsers = m_bAllAccounts = 1;
    m_bShowBuy = m_bShowSell = 1;
    m_bShowOpen = m_bShowAmended = m_bShowUnapproved = m_bShowUnconfirmed = m_bShowMatched = m_bShowWithdrawn
        = 1;
    m_nLowestDealNo = m_nHighestDealNo = 0;
    m_tFromTime = CDateTime();
    m_tToTime = CDateTime();
}

bool CNDealsFilter::Match(const CNegDealRec& rec) const
{
    using namespace criteria;
    if (m_bNoFiltering != 0)
        return true;
    if (m_bAllSecurities == 0 && !SecurityListed(m_aSecurities, rec.szSecurityCode))
        return false;
    if (m_bAllBoards == 0 && !BoardListed(m_aBoards, rec.szBoardCode))
        return false;
    if (m_bAllUsers == 0 && !TextListed(m_aUsers, rec.szUser))
        return false;
    if (m_bAllAccounts == 0 && !TextListed(m_aAccounts, rec.szTrdAcc))
        return false;

    if (!SideShown(rec.szBuySell, SideNames(), m_bShowBuy, m_bShowSell))
        return false;
    if (!StatusShown(rec.szStatus, DealStatusNames(),
            { m_bShowOpen, m_bShowAmended, m_bShowUnapproved, m_bShowUnconfirmed, m_bShowMatched,
                m_bShowWithdrawn }))
        return false;
    if (!InNumberRange(m_nLowestDealNo, m_nHighestDealNo, rec.nDealNo))
        return false;
    return InTimeOfDayWindow(m_tFromTime, m_tToTime, rec.dtDeal);
}

void CNDealsFilter::Serialize(fw::Archive& ar)
{
    criteria::SerializeCriteria(*this, ar);
}

void CNDealsFilter::Exchange(fw::Archive& ar)
{
    using namespace criteria;
    SerializeWord(ar, m_bNoFiltering);
    if (m_bNoFiltering != 0)
        return;
    SerializeSecurities(ar, m_bAllSecurities, m_aSecurities);
    SerializeBoards(ar, m_bAllBoards, m_aBoards);
    SerializeTexts(ar, m_bAllUsers, m_aUsers);
    SerializeTexts(ar, m_bAllAccounts, m_aAccounts);
    for (int32_t* shown : { &m_bShowBuy, &m_bShowSell, &m_bShowOpen, &m_bShowAmended, &m_bShowUnapproved,
             &m_bShowUnconfirmed, &m_bShowMatched, &m_bShowWithdrawn })
        SerializeWord(ar, *shown);
    SerializeDWord(ar, m_nLowestDealNo);
    SerializeDWord(ar, m_nHighestDealNo);
    SerializeDateTime(ar, m_tFromTime);
    SerializeDateTime(ar, m_tToTime);
}

void CNDealsFilter::GetDescription(std::string& title) const
{
    using namespace criteria;
    if (m_bNoFiltering != 0)
        return;
    std::string text = SecurityAndBoard(m_bAllSecurities, m_aSecurities, m_bAllBoards, m_aBoards);
    if (m_bAllUsers == 0 && m_aUsers.size() == 1)
        text += " " + m_aUsers[0];
    text += NumberBounds(m_nLowestDealNo, m_nHighestDealNo);
    AppendDescription(title, text);
}

// ---- trades

CTradesFilter::CTradesFilter()
{
    Reset();
}

void CTradesFilter::Reset()
{
    m_aSecurities.clear();
    m_aBoards.clear();
    m_aAccounts.clear();
    m_aUsers.clear();
    m_bNoFiltering = 1;
    m_bAllSecurities = m_bAllBoards = m_bAllUsers = m_bAllAccounts = 1;
    m_bShowMatched = m_bShowCancelled = 1;
    m_nLowestOrderNo = m_nHighestOrderNo = 0;
    m_nLowestTradeNo = m_nHighestTradeNo = 0;
}

bool CTradesFilter::Match(const CTradeRec& rec) const
{
    using namespace criteria;
    if (m_bNoFiltering != 0)
        return true;
    if (m_bAllSecurities == 0 && !SecurityListed(m_aSecurities, rec.szSecurityCode))
        return false;
    if (m_bAllBoards == 0 && !BoardListed(m_aBoards, rec.szBoardCode))
        return false;
    if (m_bAllUsers == 0 && !TextListed(m_aUsers, rec.szBuyUser) && !TextListed(m_aUsers, rec.szSellUser))
        return false;
    if (m_bAllAccounts == 0 && !TextListed(m_aAccounts, rec.szBuyTrdAcc)
        && !TextListed(m_aAccounts, rec.szSellTrdAcc))
        return false;
    if (!StatusShown(rec.szStatus, TradeStatusNames(), { m_bShowMatched, m_bShowCancelled }))
        return false;
    if (rec.dtTrade.IsValid()) {
        const CDateTime from = TimeOfDayText(rec.dtTrade, m_strFromTime);
        if (from.IsValid() && from > rec.dtTrade)
            return false;
        const CDateTime to = TimeOfDayText(rec.dtTrade, m_strToTime);
        if (to.IsValid() && to < rec.dtTrade)
            return false;
    }
    if (!InNumberRange(m_nLowestTradeNo, m_nHighestTradeNo, rec.nTradeNo))
        return false;
    return InNumberRange(m_nLowestOrderNo, m_nHighestOrderNo, rec.nBuyOrderNo)
        || InNumberRange(m_nLowestOrderNo, m_nHighestOrderNo, rec.nSellOrderNo);
}

void CTradesFilter::Serialize(fw::Archive& ar)
{
    if (ar.isStoring()) {
        Exchange(ar);
        return;
    }
    // The time texts are the window's, not the stored criteria's.
    CTradesFilter loaded;
    loaded.m_strFromTime = m_strFromTime;
    loaded.m_strToTime = m_strToTime;
    loaded.Exchange(ar);
    *this = std::move(loaded);
}

void CTradesFilter::Exchange(fw::Archive& ar)
{
    using namespace criteria;
    SerializeWord(ar, m_bNoFiltering);
    if (m_bNoFiltering != 0)
        return;
    SerializeSecurities(ar, m_bAllSecurities, m_aSecurities);
    SerializeBoards(ar, m_bAllBoards, m_aBoards);
    SerializeTexts(ar, m_bAllUsers, m_aUsers);
    SerializeTexts(ar, m_bAllAccounts, m_aAccounts);
    SerializeWord(ar, m_bShowMatched);
    SerializeWord(ar, m_bShowCancelled);
    SerializeDWord(ar, m_nLowestTradeNo);
    SerializeDWord(ar, m_nHighestTradeNo);
    SerializeDWord(ar, m_nLowestOrderNo);
    SerializeDWord(ar, m_nHighestOrderNo);
}

void CTradesFilter::GetDescription(std::string& title) const
{
    using namespace criteria;
    if (m_bNoFiltering != 0)
        return;
    std::string text = SecurityAndBoard(m_bAllSecurities, m_aSecurities, m_bAllBoards, m_aBoards);
    if (m_bAllUsers == 0 && m_aUsers.size() == 1)
        text += " " + m_aUsers[0];
    if (m_nLowestTradeNo != 0 || m_nHighestTradeNo != 0)
        text += Kv32CriteriaString(IDS_CRITERIA_TRADES) + NumberBounds(m_nLowestTradeNo, m_nHighestTradeNo);
    if (m_nLowestOrderNo != 0 || m_nHighestOrderNo != 0)
        text += Kv32CriteriaString(IDS_CRITERIA_ORDERS) + NumberBounds(m_nLowestOrderNo, m_nHighestOrderNo);
    AppendDescription(title, text);
}

// ---- last trades

CLastNFilter::CLastNFilter()
{
    Reset();
}

void CLastNFilter::Reset()
{
    m_aSecurities.clear();
    m_aBoards.clear();
    m_bNoFiltering = 1;
    m_bAllSecurities = m_bAllBoards = 1;
    m_strType.clear();
}

bool CLastNFilter::Match(const LastTradeRec& rec) const
{
    using namespace criteria;
    if (m_bNoFiltering != 0)
        return true;
    if (m_bAllSecurities == 0 && !SecurityListed(m_aSecurities, rec.szCode))
        return false;
    if (m_bAllBoards == 0 && !BoardListed(m_aBoards, BoardOfKey(rec.szCode)))
        return false;
    return m_strType.empty() || m_strType == rec.szSourceName;
}

void CLastNFilter::Serialize(fw::Archive& ar)
{
    criteria::SerializeCriteria(*this, ar);
}

void CLastNFilter::Exchange(fw::Archive& ar)
{
    using namespace criteria;
    SerializeWord(ar, m_bNoFiltering);
    if (m_bNoFiltering != 0)
        return;
    SerializeSecurities(ar, m_bAllSecurities, m_aSecurities);
    SerializeBoards(ar, m_bAllBoards, m_aBoards);
    SerializeString(ar, m_strType);
}

void CLastNFilter::GetDescription(std::string& title) const
{
    using namespace criteria;
    if (m_bNoFiltering != 0)
        return;
    std::string text = SecurityAndBoard(m_bAllSecurities, m_aSecurities, m_bAllBoards, m_aBoards);
    if (!m_strType.empty())
        text += Kv32CriteriaString(IDS_CRITERIA_BY_TYPE) + m_strType;
    AppendDescription(title, text);
}
