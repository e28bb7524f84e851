#include "kv32/lists/security_request_doc.h"

#include <cstring>

#include "fw/core/archive.h"
#include "kv32/res/market_window_strings.h"
#include "kv32/res/shell_strings.h"
#include "kv32/tables/all_tables.h"
#include "kv32/trading/active_row.h"

CSecurityRequestDoc::CSecurityRequestDoc(int requestCode)
    : CRequestDoc(requestCode)
{
    Kv32RegisterMarketWindowResources();
}

CSecurityRequestDoc::~CSecurityRequestDoc() = default;

bool CSecurityRequestDoc::onNewDocument()
{
    m_sKey.clear();
    return CRequestDoc::onNewDocument();
}

void CSecurityRequestDoc::SetSecurityCode(std::string_view code)
{
    // Another security's book starts from the beginning.
    if (code != m_sKey) {
        m_sKey = std::string(code);
        Restart();
    }
    ApplyFilter(true);
}

void CSecurityRequestDoc::Serialize(fw::Archive& ar)
{
    CRequestDoc::Serialize(ar);
    if (ar.isStoring()) {
        ar.writeString(m_sKey);
    } else {
        m_sKey = ar.readString();
        if (!m_sKey.empty() && SecurityTable().FindByCode(m_sKey) < 0) {
            m_sKey.clear();
            m_bSkipStore = 1;
        }
    }
    SerializeExtra(ar);
}

std::string CSecurityRequestDoc::RequestKey()
{
    // A code longer than its field asks nothing rather than another security.
    if (m_sKey.empty() || m_sKey.size() > static_cast<std::size_t>(kKeyWidth))
        return {};
    return m_sKey + std::string(static_cast<std::size_t>(kKeyWidth) - m_sKey.size(), ' ');
}

int CSecurityRequestDoc::UpdateReq()
{
    OnRequest();
    return CRequestDoc::UpdateReq();
}

int CSecurityRequestDoc::StoreReply(tagTMSG* message)
{
    TakeReply(std::string_view(reinterpret_cast<const char*>(message->pText), static_cast<std::size_t>(message->nLength)));
    return 1;
}

void CSecurityRequestDoc::TakeReply(std::string_view text)
{
    ClearRows();
    if (text.size() >= static_cast<std::size_t>(kSeqWidth))
        SetSeqNum(text.substr(0, kSeqWidth));
    DecodeReply(text);
}

void CSecurityRequestDoc::MakeTitle(std::string& title)
{
    title = Kv32ShellString(GetDocID());
    if (m_sKey.empty())
        return;
    const int s = SecurityTable().FindByCode(m_sKey);
    const std::string name = s < 0 ? std::string() : SecurityTable().GetRec(s)->szShortName;
    std::string board;
    if (m_sKey.size() >= 5) {
        const std::string code = m_sKey.substr(1, 4);
        const int b = BoardTable().FindByCode(code.c_str());
        if (b >= 0)
            board = BoardTable().GetRec(b)->szName;
    }
    title += " " + name + "/" + board;
}

int CSecurityRequestDoc::CheckTable(void*)
{
    const KvActiveRow* active = KvActiveListRow();
    if (active == nullptr || m_sKey.empty())
        return 0;
    switch (active->TableId()) {
    case kListSecurities: {
        const int row = active->RecordIndex();
        if (row < 0 || row >= SecurityTable().GetCount())
            return 0;
        const char* code = SecurityTable().GetRec(row)->szCode;
        return m_sKey == std::string_view(code, strnlen(code, kKeyWidth)) ? 1 : 0;
    }
    case kListOrderBook:
    case kListMarketOrders: return active->BookSecurityKey() == m_sKey ? 1 : 0;
    default: return 0;
    }
}

KvSecurityDecimals KvDecimalsOfSecurity(std::string_view key)
{
    KvSecurityDecimals d;
    const int s = SecurityTable().FindByCode(key);
    if (s >= 0) {
        d.price = SecurityTable().GetRec(s)->nPriceDec;
        d.yield = SecurityTable().GetRec(s)->nYieldDec;
    }
    return d;
}

bool KvReadNumber(std::string_view text, std::size_t pos, std::size_t n, long long& value)
{
    if (pos > text.size() || text.size() - pos < n || n == 0)
        return false;
    long long v = 0;
    bool negative = false;
    bool digits = false;
    for (std::size_t i = 0; i < n; ++i) {
        const char c = text[pos + i];
        if (c == ' ' && !digits)
            continue;
        if (c == '-' && !digits && !negative) {
            negative = true;
            continue;
        }
        if (c < '0' || c > '9')
            return false;
        if (v > 99999999999999999LL)
            return false;
        v = v * 10 + (c - '0');
        digits = true;
    }
    value = negative ? -v : v;
    return true;
}
