#include "kv32/filters/dialogs/filter_dlgs.h"

#include "fw/ui/dataexchange.h"
#include "kv32/res/filter_dialog_ids.h"
#include "kv32/tables/all_tables.h"

namespace {

std::vector<std::string> ParticipantCodes()
{
    return ParticipantTable().FillCodes();
}

template <class Table> std::vector<std::string> NamesOf(Table& table)
{
    std::vector<std::string> names;
    for (int i = 0; i < table.GetCount(); ++i)
        names.emplace_back(table.GetRec(i)->szName);
    return names;
}

} // namespace

CFilterOrderDlg::CFilterOrderDlg(COrdersFilter& criteria, QWidget* parent)
    : CFilterDlgOf(Kv32FilterDialog(IDD_FILTER_ORDER), criteria, parent)
{
    COrdersFilter& c = m_copy;
    BindTradingLists();
    BindCheck(IDC_FLT_BUY, c.m_bShowBuy);
    BindCheck(IDC_FLT_SELL, c.m_bShowSell);
    BindCheck(IDC_FLT_LIMIT, c.m_bShowLimit);
    BindCheck(IDC_FLT_MARKET, c.m_bShowMarket);
    BindCheck(IDC_FLT_OPEN, c.m_bShowOpen);
    BindCheck(IDC_FLT_AMENDED, c.m_bShowAmended);
    BindCheck(IDC_FLT_UNAPPROVED, c.m_bShowUnapproved);
    BindCheck(IDC_FLT_MATCHED, c.m_bShowMatched);
    BindCheck(IDC_FLT_WITHDRAWN, c.m_bShowWithdrawn);
    BindCheck(IDC_FLT_INACTIVE, c.m_bShowInactive);
    BindCheck(IDC_FLT_EXPIRED, c.m_bShowExpired);
    BindCheck(IDC_FLT_STOP, c.m_bShowStop);
    BindCheck(IDC_FLT_NOT_STOP, c.m_bShowNotStop);
    BindCheck(IDC_FLT_FILL_OR_KILL, c.m_bShowFillOrKill);
    BindCheck(IDC_FLT_ALL_OR_NONE, c.m_bShowAllOrNone);
    BindCheck(IDC_FLT_MARKET_MAKER, c.m_bShowMarketMaker);
    BindCheck(IDC_FLT_FILL_AND_CANCEL, c.m_bShowFillAndCancel);
    BindCheck(IDC_FLT_FILL_ANY, c.m_bShowFillAny);
    BindCheck(IDC_FLT_SESSION, c.m_bShowSession);
    BindCheck(IDC_FLT_DAY, c.m_bShowDay);
    BindCheck(IDC_FLT_GOOD_TILL_CANCELLED, c.m_bShowGoodTillCancelled);
    BindCheck(IDC_FLT_GOOD_TILL_DATE, c.m_bShowGoodTillDate);
    BindCheck(IDC_FLT_GOOD_TILL_TIME, c.m_bShowGoodTillTime);
    BindNumber(IDC_FLT_NUMBER_FROM, c.m_nLowestOrderNo);
    BindNumber(IDC_FLT_NUMBER_TO, c.m_nHighestOrderNo);
    BindTime(IDC_FLT_TIME_FROM, c.m_tFromTime, false);
    BindTime(IDC_FLT_TIME_TO, c.m_tToTime, true);
}

CFilterAuditDlg::CFilterAuditDlg(CAuditsFilter& criteria, QWidget* parent)
    : CFilterDlgOf(Kv32FilterDialog(IDD_FILTER_AUDIT), criteria, parent)
{
    CAuditsFilter& c = m_copy;
    BindNoFiltering(IDC_FLT_NO_FILTERING, c.m_bNoFiltering);
    BindBoards(c.m_bAllBoards, c.m_aBoards);
    BindSecurities(c.m_bAllSecurities, c.m_aSecurities);
    BindTexts(IDC_FLT_USERS, IDC_FLT_ALL_USERS, c.m_bAllUsers, c.m_aUsers, UserCodes);
    BindTexts(IDC_FLT_FIRMS, IDC_FLT_ALL_FIRMS, c.m_bAllFirms, c.m_aFirms, ParticipantCodes);
    BindTexts(IDC_FLT_TYPES, IDC_FLT_ALL_TYPES, c.m_bAllTypes, c.m_aTypes,
        [] { return AuditEventTypeTable().FillList(); });
    BindTexts(IDC_FLT_GROUPS, IDC_FLT_ALL_GROUPS, c.m_bAllGroups, c.m_aGroups,
        [] { return AuditGroupTable().FillList(); });
    BindTime(IDC_FLT_TIME_FROM, c.m_tFromTime, false);
    BindTime(IDC_FLT_TIME_TO, c.m_tToTime, true);
}

CFilterLogDlg::CFilterLogDlg(CLogsFilter& criteria, QWidget* parent)
    : CFilterDlgOf(Kv32FilterDialog(IDD_FILTER_LOG), criteria, parent)
{
    CLogsFilter& c = m_copy;
    BindNoFiltering(IDC_FLT_NO_FILTERING, c.m_bNoFiltering);
    BindCheck(IDC_FLT_LOG_MESSAGES, c.m_bShowMessages);
    BindCheck(IDC_FLT_LOG_NEWS, c.m_bShowNews);
    BindCheck(IDC_FLT_LOG_MM_ALERTS, c.m_bShowMarketMakerAlerts);
    BindCheck(IDC_FLT_LOG_USER_ALERTS, c.m_bShowUserAlerts);
    BindCheck(IDC_FLT_LOG_FIRM_ALERTS, c.m_bShowFirmAlerts);
    BindCheck(IDC_FLT_LOG_SEC_ALERTS, c.m_bShowSecurityAlerts);
    BindCheck(IDC_FLT_LOG_SUPERVISOR, c.m_bShowSupervisorOperations);
    BindCheck(IDC_FLT_LOG_ORD_COUNT, c.m_bShowOrderCountingAlerts);
    BindBoards(c.m_bAllBoards, c.m_aBoards);
    BindSecurities(c.m_bAllSecurities, c.m_aSecurities);
    BindTexts(IDC_FLT_USERS, IDC_FLT_ALL_USERS, c.m_bAllUsers, c.m_aUsers, UserCodes);
    BindTexts(IDC_FLT_FIRMS, IDC_FLT_ALL_FIRMS, c.m_bAllFirms, c.m_aFirms, ParticipantCodes);
    BindDate(IDC_FLT_DATE_FROM, c.m_tFromDate, false);
    BindDate(IDC_FLT_DATE_TO, c.m_tToDate, true);
    BindTime(IDC_FLT_TIME_FROM, c.m_tFromTime, false);
    BindTime(IDC_FLT_TIME_TO, c.m_tToTime, true);
}

CFilterLastNDlg::CFilterLastNDlg(CLastNFilter& criteria, QWidget* parent)
    : CFilterDlgOf(Kv32FilterDialog(IDD_FILTER_LASTN), criteria, parent)
{
    CLastNFilter& c = m_copy;
    BindNoFiltering(IDC_FLT_NO_FILTERING, c.m_bNoFiltering);
    BindBoards(c.m_bAllBoards, c.m_aBoards);
    BindSecurities(c.m_bAllSecurities, c.m_aSecurities);
}

void CFilterLastNDlg::FillOwnControls()
{
    resetContent(IDC_FLT_TYPES);
    std::vector<std::string> names;
    FlagTable().FillList(names);
    for (const std::string& name : names)
        addString(IDC_FLT_TYPES, name);
    setCurSel(
        IDC_FLT_TYPES, m_copy.m_strType.empty() ? -1 : findStringExact(IDC_FLT_TYPES, -1, m_copy.m_strType));
}

void CFilterLastNDlg::StoreOwnControls()
{
    const int sel = curSel(IDC_FLT_TYPES);
    m_copy.m_strType = sel < 0 ? std::string() : itemString(IDC_FLT_TYPES, sel);
}

CFilterNDealDlg::CFilterNDealDlg(CNDealsFilter& criteria, QWidget* parent)
    : CFilterDlgOf(Kv32FilterDialog(IDD_FILTER_NDEAL), criteria, parent)
{
    CNDealsFilter& c = m_copy;
    BindTradingLists();
    BindCheck(IDC_FLT_BUY, c.m_bShowBuy);
    BindCheck(IDC_FLT_SELL, c.m_bShowSell);
    BindCheck(IDC_FLT_OPEN, c.m_bShowOpen);
    BindCheck(IDC_FLT_AMENDED, c.m_bShowAmended);
    BindCheck(IDC_FLT_UNAPPROVED, c.m_bShowUnapproved);
    BindCheck(IDC_FLT_UNCONFIRMED, c.m_bShowUnconfirmed);
    BindCheck(IDC_FLT_MATCHED, c.m_bShowMatched);
    BindCheck(IDC_FLT_WITHDRAWN, c.m_bShowWithdrawn);
    BindNumber(IDC_FLT_NUMBER_FROM, c.m_nLowestDealNo);
    BindNumber(IDC_FLT_NUMBER_TO, c.m_nHighestDealNo);
    BindTime(IDC_FLT_TIME_FROM, c.m_tFromTime, false);
    BindTime(IDC_FLT_TIME_TO, c.m_tToTime, true);
}

CFilterNewsDlg::CFilterNewsDlg(CNewsFilter& criteria, QWidget* parent)
    : CFilterDlgOf(Kv32FilterDialog(IDD_FILTER_NEWS), criteria, parent)
{
    CNewsFilter& c = m_copy;
    BindNoFiltering(IDC_FLT_NEWS_NO_FILTERING, c.m_bNoFiltering);
    BindTexts(IDC_FLT_NEWS_TYPES, IDC_FLT_NEWS_ALL_TYPES, c.m_bAllTypes, c.m_aTypes,
        [] { return NamesOf(NewsTypeTable()); });
    BindTexts(IDC_FLT_NEWS_LANGUAGES, IDC_FLT_NEWS_ALL_LANGUAGES, c.m_bAllLanguages, c.m_aLanguages,
        [] { return NamesOf(LanguageTable()); });
    BindCheck(IDC_FLT_NEWS_SENT, c.m_bShowSent);
    BindCheck(IDC_FLT_NEWS_PENDING, c.m_bShowPending);
    BindCheck(IDC_FLT_NEWS_REMOVED, c.m_bShowRemoved);
}

CFilterOrdCountDlg::CFilterOrdCountDlg(COrdCountFilter& criteria, QWidget* parent)
    : CFilterDlgOf(Kv32FilterDialog(IDD_FILTER_ORDCOUNT), criteria, parent)
{
    COrdCountFilter& c = m_copy;
    BindNoFiltering(IDC_FLT_NO_FILTERING, c.m_bNoFiltering);
    BindBoards(c.m_bAllBoards, c.m_aBoards);
    BindTexts(IDC_FLT_FIRMS, IDC_FLT_ALL_FIRMS, c.m_bAllFirms, c.m_aFirms,
        [] { return ParticipantTable().FillBrokerCodes(); });
}

CFilterPrivateOrderDlg::CFilterPrivateOrderDlg(CPrivateOrderFilter& criteria, QWidget* parent)
    : CFilterDlgOf(Kv32FilterDialog(IDD_FILTER_PRIVATE_ORDER), criteria, parent)
{
    CPrivateOrderFilter& c = m_copy;
    BindNoFiltering(IDC_FLT_NO_FILTERING, c.m_bNoFiltering);
    BindTexts(IDC_FLT_WAI, IDC_FLT_ALL_WAI, c.m_bAllWAI, c.m_aWAI,
        [] { return KvTables().localOrders.FillWorkAreas(); });
    BindBoards(c.m_bAllBoards, c.m_aBoards);
    BindSecurities(c.m_bAllSecurities, c.m_aSecurities);
    BindTexts(IDC_FLT_ACCOUNTS, IDC_FLT_ALL_ACCOUNTS, c.m_bAllAccounts, c.m_aAccounts, SessionAccounts);
    BindCheck(IDC_FLT_BUY, c.m_bShowBuy);
    BindCheck(IDC_FLT_SELL, c.m_bShowSell);
    BindCheck(IDC_FLT_LIMIT, c.m_bShowLimit);
    BindCheck(IDC_FLT_MARKET, c.m_bShowMarket);
    BindCheck(IDC_FLT_NEW, c.m_bShowNew);
    BindCheck(IDC_FLT_COPY, c.m_bShowCopy);
    BindCheck(IDC_FLT_ACCEPTED, c.m_bShowAccepted);
    BindCheck(IDC_FLT_AMENDED, c.m_bShowAmended);
    BindCheck(IDC_FLT_REJECTED, c.m_bShowRejected);
    BindCheck(IDC_FLT_STOP, c.m_bShowStop);
    BindCheck(IDC_FLT_NOT_STOP, c.m_bShowNotStop);
    BindCheck(IDC_FLT_FILL_OR_KILL, c.m_bShowFillOrKill);
    BindCheck(IDC_FLT_ALL_OR_NONE, c.m_bShowAllOrNone);
    BindCheck(IDC_FLT_MARKET_MAKER, c.m_bShowMarketMaker);
    BindCheck(IDC_FLT_FILL_AND_CANCEL, c.m_bShowFillAndCancel);
    BindCheck(IDC_FLT_SESSION, c.m_bShowSession);
    BindCheck(IDC_FLT_DAY, c.m_bShowDay);
    BindCheck(IDC_FLT_GOOD_TILL_TIME, c.m_bShowGoodTillTime);
    BindCheck(IDC_FLT_GOOD_TILL_CANCELLED, c.m_bShowGoodTillCancelled);
    BindCheck(IDC_FLT_GOOD_TILL_DATE, c.m_bShowGoodTillDate);
}

CFilterTradeDlg::CFilterTradeDlg(CTradesFilter& criteria, QWidget* parent)
    : CFilterDlgOf(Kv32FilterDialog(IDD_FILTER_TRADE), criteria, parent)
{
    CTradesFilter& c = m_copy;
    BindTradingLists();
    BindCheck(IDC_FLT_TRADE_MATCHED, c.m_bShowMatched);
    BindCheck(IDC_FLT_TRADE_CANCELLED, c.m_bShowCancelled);
    BindNumber(IDC_FLT_TRADES_FROM, c.m_nLowestTradeNo);
    BindNumber(IDC_FLT_TRADES_TO, c.m_nHighestTradeNo);
    BindNumber(IDC_FLT_NUMBER_FROM, c.m_nLowestOrderNo);
    BindNumber(IDC_FLT_NUMBER_TO, c.m_nHighestOrderNo);
}

CFilterFirmDlg::CFilterFirmDlg(CFirmsFilter& criteria, QWidget* parent)
    : CFilterDlgOf(Kv32FilterDialog(IDD_FILTER_FIRM), criteria, parent)
{
    CFirmsFilter& c = m_copy;
    BindNoFiltering(IDC_FLT_NO_FILTERING, c.m_bNoFiltering);
    BindCheck(IDC_FLT_BROKERS, c.m_bShowBrokers);
    BindCheck(IDC_FLT_EXCHANGES, c.m_bShowExchanges);
    BindCheck(IDC_FLT_INSTITUTIONS, c.m_bShowInstitutions);
    BindCheck(IDC_FLT_ISSUERS, c.m_bShowIssuers);
}

// ---- Messages ----

CFilterMsgDlg::CFilterMsgDlg(CLetterFilter& filter, QWidget* parent)
    : CKvDialog(Kv32FilterDialog(IDD_FILTER_MSG), parent)
    , m_target(filter)
    , m_nState(filter.m_nState)
{
}

void CFilterMsgDlg::doDataExchange(fw::DataExchange& dx)
{
    dx.radio(IDC_FLT_MSG_ALL, m_nState);
}

void CFilterMsgDlg::onOK()
{
    if (!updateData(true))
        return;
    m_target.m_nState = m_nState;
    endDialog(fw::IDOK);
}
