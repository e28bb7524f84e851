#include "kv32/filters/party_filters.h"

#include <cstring>

#include "kv32/res/criteria_strings.h"
#include "kv32/res/news_strings.h"
#include "kv32/res/shell_strings.h"
#include "kv32/tables/right_table.h"

using namespace criteria;

// ---- firms

CFirmsFilter::CFirmsFilter()
{
    Reset();
}

void CFirmsFilter::Reset()
{
    m_bNoFiltering = m_bShowBrokers = m_bShowExchanges = m_bShowInstitutions = m_bShowIssuers = 1;
}

bool CFirmsFilter::Match(const ParticipantRec& rec) const
{
    if (m_bNoFiltering != 0)
        return true;
    const std::string_view type(rec.szType);
    if (type == "BROK")
        return m_bShowBrokers != 0;
    if (type == "EXCH")
        return m_bShowExchanges != 0;
    if (type == "INST" || type == "TULC")
        return m_bShowInstitutions != 0;
    if (type == "ISSR")
        return m_bShowIssuers != 0;
    return false;
}

void CFirmsFilter::Serialize(fw::Archive& ar)
{
    SerializeCriteria(*this, ar);
}

void CFirmsFilter::Exchange(fw::Archive& ar)
{
    SerializeWord(ar, m_bNoFiltering);
    if (m_bNoFiltering != 0)
        return;
    for (int32_t* shown : { &m_bShowBrokers, &m_bShowExchanges, &m_bShowInstitutions, &m_bShowIssuers })
        SerializeWord(ar, *shown);
}

void CFirmsFilter::GetDescription(std::string& title) const
{
    if (m_bNoFiltering != 0)
        return;
    const struct {
        int32_t shown;
        uint32_t name;
    } types[] = {
        { m_bShowBrokers, IDS_FIRM_TYPE_BROKERS },
        { m_bShowExchanges, IDS_FIRM_TYPE_EXCHANGES },
        { m_bShowInstitutions, IDS_FIRM_TYPE_INSTITUTIONS },
        { m_bShowIssuers, IDS_FIRM_TYPE_ISSUERS },
    };
    std::string text;
    for (const auto& type : types) {
        if (type.shown == 0)
            continue;
        if (!text.empty())
            text += "/";
        text += Kv32CriteriaString(type.name);
    }
    if (text.empty())
        AppendDescription(title, text);
    else
        title.append(" - ").append(text);
}

// ---- news

CNewsFilter::CNewsFilter()
{
    Reset();
}

void CNewsFilter::Reset()
{
    m_aTypes.clear();
    m_aLanguages.clear();
    m_bNoFiltering = 1;
    m_bAllTypes = m_bAllLanguages = 1;
    m_bShowSent = m_bShowPending = m_bShowRemoved = 1;
}

bool CNewsFilter::Match(const NewsRec& rec) const
{
    if (m_bNoFiltering != 0)
        return true;
    if (m_bAllTypes == 0 && !TextListed(m_aTypes, rec.szType))
        return false;
    if (m_bAllLanguages == 0 && !TextListed(m_aLanguages, rec.szLanguage))
        return false;
    // The status is held as its letter in the user's language.
    static const CTextSet letters({ IDS_KIND_S, IDS_KIND_P, IDS_KIND_R }, &Kv32NewsString);
    return StatusShown(rec.szStatus, letters, { m_bShowSent, m_bShowPending, m_bShowRemoved });
}

void CNewsFilter::GetDescription(std::string& title) const
{
    if (m_bNoFiltering == 0)
        AppendDescription(title, std::string());
}

// ---- users

CTradersFilter::CTradersFilter()
{
    Reset();
}

void CTradersFilter::Reset()
{
    m_bNoFiltering = 1;
    m_strText.clear();
}

bool CTradersFilter::Match(const TraderRec& rec) const
{
    constexpr int kAllUsers = 0x8, kOwnFirm = 0x4, kOnlySelf = 0x2;
    constexpr int kUsersMessageType = 18;
    // Turned on, the text names the one firm shown (the View opener's limit).
    if (m_bNoFiltering == 0 && m_strText != rec.szFirm)
        return false;
    const int rights = RightTable().GetValue(kUsersMessageType);
    if ((rights & kAllUsers) != 0)
        return true;
    if ((rights & kOwnFirm) != 0 && OwnFirmCode() != rec.szFirm)
        return false;
    if ((rights & kOnlySelf) == 0)
        return true;
    const std::string self = LoggedOnUser();
    return !self.empty() && self == rec.szCode;
}

void CTradersFilter::Serialize(fw::Archive& ar)
{
    SerializeCriteria(*this, ar);
}

void CTradersFilter::Exchange(fw::Archive& ar)
{
    SerializeWord(ar, m_bNoFiltering);
    if (m_bNoFiltering == 0)
        SerializeString(ar, m_strText);
}

void CTradersFilter::GetDescription(std::string&) const { }

// ---- cash positions

CCurPosFilter::CCurPosFilter()
{
    Reset();
}

void CCurPosFilter::Reset()
{
    m_nKind = kFirms;
    m_strFirm.clear();
    m_strUser.clear();
    m_strAccount.clear();
}

void CCurPosFilter::Serialize(fw::Archive& ar)
{
    SerializeCriteria(*this, ar);
}

void CCurPosFilter::Exchange(fw::Archive& ar)
{
    SerializeWord(ar, m_nKind);
    SerializeString(ar, m_strFirm);
    SerializeString(ar, m_strUser);
    SerializeString(ar, m_strAccount);
}

void CCurPosFilter::GetDescription(std::string& title) const
{
    static constexpr uint32_t kKindNames[] = { 17, 16, 15 }; // "Firms", "Users", "Trading Accounts"
    std::string text(1, ' ');
    if (m_nKind >= 0 && m_nKind < static_cast<int32_t>(std::size(kKindNames)))
        text.append(Kv32ShellString(kKindNames[m_nKind]));
    for (const std::string* code : { &m_strFirm, &m_strUser, &m_strAccount })
        text.append(1, ' ').append(*code);
    title = std::move(text);
}

// ---- security positions

CSecPosFilter::CSecPosFilter()
{
    Reset();
}

void CSecPosFilter::Reset()
{
    m_strFirm.clear();
    m_strAccount.clear();
}
