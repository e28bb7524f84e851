#include "kv32/filters/private_order_filter.h"

#include "kv32/res/table_strings.h"
#include "kv32/res/trading_strings.h"
#include "kv32/tables/order_common.h"

namespace {

const CTextSet& SideNames()
{
    static const CTextSet names({ IDS_SIDE_BUY, IDS_SIDE_SELL });
    return names;
}

// The local states in the order the match compares them.
const CTextSet& StateNames()
{
    static const CTextSet names({ IDS_LOCAL_STATE_NEW, IDS_LOCAL_STATE_COPY, IDS_LOCAL_STATE_ACCEPTED,
                                    IDS_LOCAL_STATE_AMENDED, IDS_LOCAL_STATE_REJECTED },
        &Kv32TableString);
    return names;
}

} // namespace

CPrivateOrderFilter::CPrivateOrderFilter()
{
    Reset();
}

void CPrivateOrderFilter::Reset()
{
    m_aWAI.clear();
    m_aSecurities.clear();
    m_aBoards.clear();
    m_aAccounts.clear();
    m_bNoFiltering = 1;
    m_bAllWAI = m_bAllSecurities = m_bAllBoards = m_bAllAccounts = 1;
    m_bShowBuy = m_bShowSell = 1;
    m_bShowNew = m_bShowCopy = m_bShowAccepted = m_bShowAmended = m_bShowRejected = 1;
    m_bShowMarketMaker = m_bShowMarket = m_bShowLimit = m_bShowStop = m_bShowNotStop = 1;
    m_bShowFillOrKill = m_bShowAllOrNone = m_bShowFillAndCancel = m_bShowFlag13 = 1;
    m_bShowSession = m_bShowDay = m_bShowGoodTillCancelled = m_bShowGoodTillDate = m_bShowGoodTillTime = 1;
}

bool CPrivateOrderFilter::Match(const CLocalOrderRec& rec) const
{
    using namespace criteria;
    if (m_bNoFiltering != 0)
        return true;
    if (m_bAllSecurities == 0 && !SecurityListed(m_aSecurities, rec.szSecurityCode))
        return false;
    if (m_bAllBoards == 0 && !BoardListed(m_aBoards, BoardOfKey(rec.szSecurityCode)))
        return false;
    if (m_bAllWAI == 0 && !TextListed(m_aWAI, rec.szWorkArea))
        return false;
    if (m_bAllAccounts == 0 && !TextListed(m_aAccounts, rec.szTrdAcc))
        return false;

    if (!SideShown(rec.szBuySell, SideNames(), m_bShowBuy, m_bShowSell))
        return false;
    if (!StatusShown(rec.szStatus, StateNames(),
            { m_bShowNew, m_bShowCopy, m_bShowAccepted, m_bShowAmended, m_bShowRejected }))
        return false;
    // The fill conditions are told apart as on the orders window, so that the
    // dialog's fill-or-kill and fill-and-cancel boxes hide what they name.
    OrderFlagSwitches shown;
    shown.market = m_bShowMarket;
    shown.limit = m_bShowLimit;
    shown.stop = m_bShowStop;
    shown.notStop = m_bShowNotStop;
    shown.allOrNone = m_bShowAllOrNone;
    shown.fillOrKill = m_bShowFillOrKill;
    shown.fillAndCancel = m_bShowFillAndCancel;
    shown.flag13 = m_bShowFlag13;
    shown.marketMaker = m_bShowMarketMaker;
    shown.session = m_bShowSession;
    shown.day = m_bShowDay;
    shown.goodTillCancelled = m_bShowGoodTillCancelled;
    shown.goodTillDate = m_bShowGoodTillDate;
    shown.goodTillTime = m_bShowGoodTillTime;
    return FlagsShown(rec.szType, shown);
}

void CPrivateOrderFilter::Serialize(fw::Archive& ar)
{
    criteria::SerializeCriteria(*this, ar);
}

void CPrivateOrderFilter::Exchange(fw::Archive& ar)
{
    using namespace criteria;
    SerializeWord(ar, m_bNoFiltering);
    if (m_bNoFiltering != 0)
        return;
    SerializeSecurities(ar, m_bAllSecurities, m_aSecurities);
    SerializeBoards(ar, m_bAllBoards, m_aBoards);
    SerializeTexts(ar, m_bAllWAI, m_aWAI);
    SerializeTexts(ar, m_bAllAccounts, m_aAccounts);
    for (int32_t* shown : { &m_bShowBuy, &m_bShowSell, &m_bShowNew, &m_bShowCopy, &m_bShowAccepted,
             &m_bShowAmended, &m_bShowRejected, &m_bShowMarketMaker, &m_bShowMarket, &m_bShowLimit,
             &m_bShowStop, &m_bShowNotStop, &m_bShowFlag13, &m_bShowAllOrNone, &m_bShowFillOrKill,
             &m_bShowFillAndCancel, &m_bShowSession, &m_bShowDay, &m_bShowGoodTillCancelled,
             &m_bShowGoodTillTime, &m_bShowGoodTillDate })
        SerializeWord(ar, *shown);
}

void CPrivateOrderFilter::GetDescription(std::string& title) const
{
    using namespace criteria;
    if (m_bNoFiltering != 0)
        return;
    std::string text = SecurityAndBoard(m_bAllSecurities, m_aSecurities, m_bAllBoards, m_aBoards);
    if (m_bAllWAI == 0 && m_aWAI.size() == 1)
        text += " " + m_aWAI[0];
    AppendDescription(title, text);
}
