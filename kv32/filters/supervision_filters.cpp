#include "kv32/filters/supervision_filters.h"

#include "kv32/res/criteria_strings.h"
#include "kv32/tables/alert_log_port.h"
#include "kv32/tables/all_tables.h"

using namespace criteria;

// ---- audit trail

CAuditsFilter::CAuditsFilter()
{
    Reset();
}

void CAuditsFilter::Reset()
{
    m_bNoFiltering = 1;
    m_bAllBoards = m_bAllSecurities = m_bAllUsers = m_bAllFirms = m_bAllTypes = m_bAllGroups = 1;
    m_aBoards.clear();
    m_aSecurities.clear();
    m_aUsers.clear();
    m_aFirms.clear();
    m_aTypes.clear();
    m_aGroups.clear();
    m_tFromTime = CDateTime();
    m_tToTime = CDateTime();
}

bool CAuditsFilter::Match(const AuditEventRec& rec) const
{
    if (m_bNoFiltering != 0)
        return true;
    if (m_bAllBoards == 0 && !BoardListed(m_aBoards, BoardOfKey(rec.szSecurityCode)))
        return false;
    if (m_bAllSecurities == 0 && !SecurityListed(m_aSecurities, rec.szSecurityCode))
        return false;
    if (m_bAllUsers == 0 && !TextListed(m_aUsers, rec.szUser))
        return false;
    if (m_bAllFirms == 0 && !TextListed(m_aFirms, rec.szFirm))
        return false;
    if (m_bAllTypes == 0 && !TextListed(m_aTypes, rec.szTypeText))
        return false;
    if (m_bAllGroups == 0 && !TextListed(m_aGroups, rec.szGroupName))
        return false;
    return InTimeOfDayWindow(m_tFromTime, m_tToTime, rec.time);
}

void CAuditsFilter::Serialize(fw::Archive& ar)
{
    SerializeCriteria(*this, ar);
}

void CAuditsFilter::Exchange(fw::Archive& ar)
{
    SerializeWord(ar, m_bNoFiltering);
    if (m_bNoFiltering != 0)
        return;
    SerializeBoards(ar, m_bAllBoards, m_aBoards);
    SerializeSecurities(ar, m_bAllSecurities, m_aSecurities);
    SerializeTexts(ar, m_bAllUsers, m_aUsers);
    SerializeTexts(ar, m_bAllFirms, m_aFirms);
    SerializeTexts(ar, m_bAllTypes, m_aTypes);
    SerializeTexts(ar, m_bAllGroups, m_aGroups);
    SerializeDateTime(ar, m_tFromTime);
    SerializeDateTime(ar, m_tToTime);
}

void CAuditsFilter::GetDescription(std::string& title) const
{
    if (m_bNoFiltering != 0)
        return;
    std::string text;
    if (m_tFromTime.IsValid())
        text += BoundText(IDS_CRITERIA_FROM, m_tFromTime.FormatTime());
    if (m_tToTime.IsValid())
        text += BoundText(IDS_CRITERIA_TO, m_tToTime.FormatTime());
    AppendDescription(title, text);
}

// ---- alert log

CLogsFilter::CLogsFilter()
{
    Reset();
}

void CLogsFilter::Reset()
{
    m_bNoFiltering = 1;
    m_bShowMessages = m_bShowNews = m_bShowMarketMakerAlerts = m_bShowUserAlerts = m_bShowFirmAlerts = 1;
    m_bShowSecurityAlerts = m_bShowSupervisorOperations = m_bShowOrderCountingAlerts = 1;
    m_bAllBoards = m_bAllSecurities = m_bAllUsers = m_bAllFirms = 1;
    m_aBoards.clear();
    m_aSecurities.clear();
    m_aUsers.clear();
    m_aFirms.clear();
    m_tFromDate = CDateTime();
    m_tToDate = CDateTime();
    m_tFromTime = CDateTime();
    m_tToTime = CDateTime();
}

namespace {

// The board code of an entry: inside the security key when the entry names a
// security, else the board field, where order counting puts its board code.
std::string_view LogBoardCode(const CLogEntry& entry)
{
    if (entry.szSecurity[0] != '\0')
        return BoardOfKey(entry.szSecurity);
    return std::string_view(entry.szBoardName, strnlen(entry.szBoardName, 4));
}

} // namespace

bool CLogsFilter::Match(const CLogEntry& entry) const
{
    if (m_bNoFiltering != 0)
        return true;
    const bool boards = m_bAllBoards != 0 || BoardListed(m_aBoards, LogBoardCode(entry));
    const bool securities = m_bAllSecurities != 0 || SecurityListed(m_aSecurities, entry.szSecurity);
    const bool users = m_bAllUsers != 0 || TextListed(m_aUsers, entry.szUser);
    const bool firms = m_bAllFirms != 0 || TextListed(m_aFirms, entry.szFirm);
    bool shown = false;
    switch (entry.nKind) {
    case kMarketMakerAlertKind:
        shown = m_bShowMarketMakerAlerts != 0 && boards && securities && users && firms;
        break;
    case LOG_KIND_USER_ALERT:
        shown = m_bShowUserAlerts != 0 && users;
        break;
    case LOG_KIND_FIRM_ALERT:
        shown = m_bShowFirmAlerts != 0 && firms;
        break;
    case LOG_KIND_SECURITY_ALERT:
        shown = m_bShowSecurityAlerts != 0 && boards && securities;
        break;
    case LOG_KIND_NEWS:
        shown = m_bShowNews != 0;
        break;
    case LOG_KIND_MESSAGE:
        shown = m_bShowMessages != 0 && users;
        break;
    case LOG_KIND_TRADING_EVENT:
        shown = m_bShowSupervisorOperations != 0;
        break;
    case LOG_KIND_ORDER_COUNT:
        shown = m_bShowOrderCountingAlerts != 0 && boards && firms;
        break;
    default:
        break;
    }
    if (!shown)
        return false;
    const CDateTime& when = entry.time;
    if (!when.IsValid())
        return true;
    // Inclusive, so that the whole days the dialog sets show every entry of them.
    if (m_tFromDate.IsValid() && m_tFromDate > when)
        return false;
    if (m_tToDate.IsValid() && m_tToDate < when)
        return false;
    return InTimeOfDayWindow(m_tFromTime, m_tToTime, when);
}

void CLogsFilter::Serialize(fw::Archive& ar)
{
    SerializeCriteria(*this, ar);
}

void CLogsFilter::Exchange(fw::Archive& ar)
{
    SerializeWord(ar, m_bNoFiltering);
    if (m_bNoFiltering != 0)
        return;
    for (int32_t* shown :
        { &m_bShowMessages, &m_bShowNews, &m_bShowMarketMakerAlerts, &m_bShowUserAlerts, &m_bShowFirmAlerts,
            &m_bShowSecurityAlerts, &m_bShowSupervisorOperations, &m_bShowOrderCountingAlerts })
        SerializeWord(ar, *shown);
    SerializeBoards(ar, m_bAllBoards, m_aBoards);
    SerializeSecurities(ar, m_bAllSecurities, m_aSecurities);
    SerializeTexts(ar, m_bAllUsers, m_aUsers);
    SerializeTexts(ar, m_bAllFirms, m_aFirms);
    SerializeDateTime(ar, m_tFromDate);
    SerializeDateTime(ar, m_tToDate);
    SerializeDateTime(ar, m_tFromTime);
    SerializeDateTime(ar, m_tToTime);
}

void CLogsFilter::GetDescription(std::string& title) const
{
    if (m_bNoFiltering != 0)
        return;
    std::string text;
    if (m_tFromDate.IsValid())
        text += BoundText(IDS_CRITERIA_FROM, m_tFromDate.FormatDate());
    if (m_tToDate.IsValid())
        text += BoundText(IDS_CRITERIA_TO, m_tToDate.FormatDate());
    if (m_tFromTime.IsValid())
        text += BoundText(IDS_CRITERIA_FROM, m_tFromTime.FormatTime());
    if (m_tToTime.IsValid())
        text += BoundText(IDS_CRITERIA_TO, m_tToTime.FormatTime());
    AppendDescription(title, text);
}

// ---- order counting

COrdCountFilter::COrdCountFilter()
{
    Reset();
}

void COrdCountFilter::Reset()
{
    m_aBoards.clear();
    m_aFirms.clear();
    m_bNoFiltering = 1;
    m_bAllBoards = m_bAllFirms = 1;
}

bool COrdCountFilter::Match(const COrdCountRec& rec) const
{
    if (m_bNoFiltering != 0)
        return true;
    if (m_bAllBoards == 0 && !BoardListed(m_aBoards, rec.szBoard))
        return false;
    return m_bAllFirms != 0 || TextListed(m_aFirms, rec.szFirm);
}

void COrdCountFilter::Serialize(fw::Archive& ar)
{
    SerializeCriteria(*this, ar);
}

void COrdCountFilter::Exchange(fw::Archive& ar)
{
    SerializeWord(ar, m_bNoFiltering);
    if (m_bNoFiltering != 0)
        return;
    SerializeBoards(ar, m_bAllBoards, m_aBoards);
    SerializeTexts(ar, m_bAllFirms, m_aFirms);
}

void COrdCountFilter::GetDescription(std::string& title) const
{
    if (m_bNoFiltering != 0)
        return;
    std::string text;
    if (m_bAllBoards == 0 && m_aBoards.size() == 1) {
        CBoardTable& boards = BoardTable();
        const int row = m_aBoards[0];
        text += "/";
        if (row >= 0 && row < boards.GetCount())
            text += boards.GetRec(row)->szCode;
    }
    if (m_bAllFirms == 0 && m_aFirms.size() == 1)
        text += " " + m_aFirms[0];
    AppendDescription(title, text);
}
