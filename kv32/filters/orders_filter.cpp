#include "kv32/filters/orders_filter.h"

#include "kv32/res/criteria_strings.h"
#include "kv32/res/trading_strings.h"
#include "kv32/tables/order_common.h"
#include "kv32/tables/order_table.h"
#include "kvcore/app/profile_settings.h"

namespace {

const CTextSet& SideNames()
{
    static const CTextSet names({ IDS_SIDE_BUY, IDS_SIDE_SELL });
    return names;
}

// In the order the match compares them.
const CTextSet& StatusNames()
{
    static const CTextSet names({ IDS_STATUS_OPEN, IDS_STATUS_INACTIVE, IDS_STATUS_MATCHED,
        IDS_STATUS_AMENDED, IDS_STATUS_WITHDRAWN, IDS_STATUS_UNAPPROVED, IDS_STATUS_EXPIRED });
    return names;
}

} // namespace

COrdersFilter::COrdersFilter()
{
    Reset();
}

void COrdersFilter::Reset()
{
    const bool overwrite = iMMOverWrite >= 2;
    m_aSecurities.clear();
    m_aBoards.clear();
    m_aAccounts.clear();
    m_aUsers.clear();
    m_bNoFiltering = overwrite ? 0 : 1;
    m_bAllSecurities = m_bAllBoards = m_bAllUsers = m_bAllAccounts = 1;
    m_bShowBuy = m_bShowSell = 1;
    m_bShowOpen = m_bShowInactive = m_bShowMatched = m_bShowAmended = m_bShowUnapproved = 1;
    m_bShowWithdrawn = m_bShowExpired = overwrite ? 0 : 1;
    m_bShowMarketMaker = m_bShowMarket = m_bShowLimit = m_bShowStop = m_bShowNotStop = 1;
    m_bShowFillOrKill = m_bShowAllOrNone = m_bShowFillAndCancel = m_bShowFillAny = m_bShowFlag13 = 1;
    m_bShowSession = m_bShowDay = m_bShowGoodTillCancelled = m_bShowGoodTillDate = m_bShowGoodTillTime = 1;
    m_nLowestOrderNo = m_nHighestOrderNo = 0;
    m_bPrice = 0;
    m_dPrice = CDouble();
    m_tFromTime = CDateTime();
    m_tToTime = CDateTime();
    m_nReserved = 0;
}

namespace {
// Equal within half a unit of the finer of the two prices' decimals.
bool SamePrice(const CDouble& a, const CDouble& b)
{
    const unsigned dec = a.GetDecimal() > b.GetDecimal() ? a.GetDecimal() : b.GetDecimal();
    const double diff = static_cast<double>(a) - static_cast<double>(b);
    return (diff < 0 ? -diff : diff) < 0.5 / CDouble::Multiplier(dec);
}
} // namespace

bool COrdersFilter::Match(const COrderRec& rec) const
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
    if (m_bPrice != 0 && !SamePrice(rec.dPrice, m_dPrice))
        return false;
    if (!StatusShown(rec.szStatus, StatusNames(),
            { m_bShowOpen, m_bShowInactive, m_bShowMatched, m_bShowAmended, m_bShowWithdrawn,
                m_bShowUnapproved, m_bShowExpired }))
        return false;
    OrderFlagSwitches shown;
    shown.market = m_bShowMarket;
    shown.limit = m_bShowLimit;
    shown.stop = m_bShowStop;
    shown.notStop = m_bShowNotStop;
    shown.allOrNone = m_bShowAllOrNone;
    shown.fillOrKill = m_bShowFillOrKill;
    shown.fillAndCancel = m_bShowFillAndCancel;
    shown.fillAny = m_bShowFillAny;
    shown.flag13 = m_bShowFlag13;
    shown.marketMaker = m_bShowMarketMaker;
    shown.session = m_bShowSession;
    shown.day = m_bShowDay;
    shown.goodTillCancelled = m_bShowGoodTillCancelled;
    shown.goodTillDate = m_bShowGoodTillDate;
    shown.goodTillTime = m_bShowGoodTillTime;
    if (!FlagsShown(rec.szType, shown))
        return false;
    if (!InNumberRange(m_nLowestOrderNo, m_nHighestOrderNo, rec.nOrderNo))
        return false;
    return InTimeOfDayWindow(m_tFromTime, m_tToTime, rec.dtEntry);
}

void COrdersFilter::Serialize(fw::Archive& ar)
{
    criteria::SerializeCriteria(*this, ar);
}

void COrdersFilter::Exchange(fw::Archive& ar)
{
    using namespace criteria;
    SerializeWord(ar, m_bNoFiltering);
    if (m_bNoFiltering != 0)
        return;
    SerializeSecurities(ar, m_bAllSecurities, m_aSecurities);
    SerializeBoards(ar, m_bAllBoards, m_aBoards);
    SerializeTexts(ar, m_bAllUsers, m_aUsers);
    SerializeTexts(ar, m_bAllAccounts, m_aAccounts);
    for (int32_t* shown : { &m_bShowBuy, &m_bShowSell, &m_bShowOpen, &m_bShowInactive, &m_bShowMatched,
             &m_bShowAmended, &m_bShowWithdrawn, &m_bShowUnapproved, &m_bShowExpired, &m_bShowMarketMaker,
             &m_bShowMarket, &m_bShowLimit, &m_bShowStop, &m_bShowNotStop, &m_bShowFlag13, &m_bShowAllOrNone,
             &m_bShowFillOrKill, &m_bShowFillAndCancel, &m_bShowFillAny, &m_bShowSession, &m_bShowDay,
             &m_bShowGoodTillCancelled, &m_bShowGoodTillTime, &m_bShowGoodTillDate })
        SerializeWord(ar, *shown);
    SerializeDWord(ar, m_nLowestOrderNo);
    SerializeDWord(ar, m_nHighestOrderNo);
    SerializeDateTime(ar, m_tFromTime);
    SerializeDateTime(ar, m_tToTime);
    SerializeInt64(ar, m_nReserved);
}

void COrdersFilter::GetDescription(std::string& title) const
{
    using namespace criteria;
    if (m_bNoFiltering != 0)
        return;
    std::string text = SecurityAndBoard(m_bAllSecurities, m_aSecurities, m_bAllBoards, m_aBoards);
    if (m_bAllUsers == 0 && m_aUsers.size() == 1)
        text += " " + m_aUsers[0];
    if (m_nLowestOrderNo != 0)
        text += BoundText(IDS_CRITERIA_FROM, std::to_string(m_nLowestOrderNo));
    if (m_nHighestOrderNo != 0)
        text += BoundText(IDS_CRITERIA_TO, std::to_string(m_nHighestOrderNo));
    AppendDescription(title, text);
}
