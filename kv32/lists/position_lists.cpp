#include "kv32/lists/position_lists.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "fw/core/archive.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/res/shell_strings.h"
#include "kv32/shell/session.h"
#include "kv32/shell/tr_acc_local.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/host_table.h"
#include "kv32/tables/record_text.h"
#include "kv32/trading/active_row.h"
#include "kvcore/router/record_reader.h"
#include "kvcore/values/field_writer.h"

using kvcore::kGXDouble;
using kvcore::kGXText;

namespace {

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(KvSecPositionRow, field))

constexpr KvListColumn kFirmColumns[] = {
    { 30440, KV_AT(szShortName), kJustLeft, kGXText },
    { 30441, KV_AT(dOpen), kJustRight, kGXDouble },
    { 30442, KV_AT(dCurrent), kJustRight, kGXDouble },
    { 30443, KV_AT(dPlannedBuy), kJustRight, kGXDouble },
    { 30444, KV_AT(dPlannedSell), kJustRight, kGXDouble },
    { 30445, KV_AT(dBuyQty), kJustRight, kGXDouble },
    { 30446, KV_AT(dSellQty), kJustRight, kGXDouble },
    { 30447, KV_AT(dNettQty), kJustRight, kGXDouble },
    { 30448, KV_AT(dBuyValue), kJustRight, kGXDouble },
    { 30449, KV_AT(dSellValue), kJustRight, kGXDouble },
    { 30450, KV_AT(dNettValue), kJustRight, kGXDouble },
    { 30451, KV_AT(dBuyWap), kJustRight, kGXDouble },
    { 30452, KV_AT(dSellWap), kJustRight, kGXDouble },
    { 30453, KV_AT(dWap), kJustRight, kGXDouble },
};

constexpr KvListColumn kAccountColumns[] = {
    { 30499, KV_AT(szShortName), kJustLeft, kGXText },
    { 30500, KV_AT(dBuyQty), kJustRight, kGXDouble },
    { 30501, KV_AT(dSellQty), kJustRight, kGXDouble },
    { 30502, KV_AT(dNettQty), kJustRight, kGXDouble },
    { 30503, KV_AT(dBuyValue), kJustRight, kGXDouble },
    { 30504, KV_AT(dSellValue), kJustRight, kGXDouble },
    { 30505, KV_AT(dNettValue), kJustRight, kGXDouble },
    { 30506, KV_AT(dBuyWap), kJustRight, kGXDouble },
    { 30507, KV_AT(dSellWap), kJustRight, kGXDouble },
    { 30508, KV_AT(dWap), kJustRight, kGXDouble },
};

#undef KV_AT

constexpr int kCodeWidth = 12;
constexpr int kNumberWidth = 16;

// |value / (quantity x multiplier)|, 0 without a quantity.
CDouble Average(double value, double quantity, double multiplier, unsigned decimals)
{
    const double divisor = quantity * multiplier;
    return CDouble(divisor == 0 ? 0.0 : std::fabs(value / divisor), decimals);
}

std::string Field(const std::string& text, int width)
{
    KvFieldWriter w;
    w.Text(text, width);
    return w.Str();
}

} // namespace

void KvSetPositionFigures(KvSecPositionRow& row, const CDouble& buyValue, const CDouble& sellValue,
    const CDouble& buyQty, const CDouble& sellQty, const CDouble& multiplier)
{
    CSecurityTable& securities = SecurityTable();
    const int s = securities.FindByInstrument(row.szCode);
    CopyText(row.szShortName, s < 0 ? std::string_view(row.szCode) : std::string_view(securities.GetRec(s)->szShortName));
    const unsigned decimals = s < 0 ? 2u : static_cast<unsigned>(std::max(securities.GetRec(s)->nPriceDec, 0) + 2);
    row.dBuyValue = buyValue;
    row.dSellValue = sellValue;
    row.dBuyQty = buyQty;
    row.dSellQty = sellQty;
    row.dMultiplier = multiplier;
    row.dNettValue = CDouble(static_cast<double>(sellValue) - static_cast<double>(buyValue), 0);
    row.dNettQty = CDouble(static_cast<double>(buyQty) - static_cast<double>(sellQty), 0);
    const double m = multiplier;
    if (m == 0)
        return; // the averages stay as they were
    row.dWap = Average(row.dNettValue, row.dNettQty, m, decimals);
    row.dBuyWap = Average(buyValue, buyQty, m, decimals);
    row.dSellWap = Average(sellValue, sellQty, m, decimals);
}

const std::uint8_t* CSecPositionsDocBase::GetRowData(int row) const
{
    return reinterpret_cast<const std::uint8_t*>(m_rows.At(row));
}

KvSecPositionRow& CSecPositionsDocBase::RowOf(const std::string& code)
{
    bool added = false;
    KvSecPositionRow& row = m_rows.FindOrAdd(code, added);
    if (added) {
        CopyText(row.szCode, code);
        row.nRow = static_cast<std::uint32_t>(m_rows.Count() - 1);
        m_bAdded = true;
    }
    return row;
}

void CSecPositionsDocBase::SortRows(bool byShortName)
{
    if (!m_bAdded)
        return;
    m_bAdded = false;
    m_rows.Sort(
        [byShortName](const KvSecPositionRow& a, const KvSecPositionRow& b) {
            return byShortName ? std::strcmp(a.szShortName, b.szShortName) < 0 : std::strcmp(a.szCode, b.szCode) < 0;
        },
        [](const KvSecPositionRow& r) { return std::string(r.szCode); });
    for (int i = 0; i < m_rows.Count(); ++i)
        m_rows.At(i)->nRow = static_cast<std::uint32_t>(i);
}

std::string CSecPositionsDocBase::FirmOrOwn(const std::string& firm)
{
    if (!firm.empty())
        return firm;
    const CSession* session = KvSession();
    return session != nullptr ? session->m_sUserFirm : std::string();
}

std::string CSecPositionsDocBase::FirmName(const std::string& firm)
{
    CParticipantTable& firms = ParticipantTable();
    const int i = firms.FindByCode(firm.c_str());
    return i < 0 ? firm : std::string(firms.GetRec(i)->szName);
}

// ---- Table 14 ----

CCurPosSecsDoc::CCurPosSecsDoc()
    : CSecPositionsDocBase(kRequest)
{
    Kv32RegisterListWindowResources();
}

std::span<const KvListColumn> CCurPosSecsDoc::Columns() const
{
    return kFirmColumns;
}

std::string CCurPosSecsDoc::RequestKey()
{
    if (m_sFirm.empty())
        m_sFirm = FirmOrOwn(m_sFirm);
    if (m_sFirm.empty())
        return {};
    return Field(m_sFirm, kCodeWidth) + std::string(kCodeWidth, ' ');
}

void CCurPosSecsDoc::DecodeRecord(CRecordReader& reader)
{
    reader.Skip(12);
    const std::string code = reader.Text(kCodeWidth);
    CDouble n[9];
    for (CDouble& value : n)
        value = reader.Decimal(kNumberWidth, 0);
    if (!reader.Ok() || code.empty())
        return;
    KvSecPositionRow& row = RowOf(code);
    row.dOpen = n[0];
    row.dCurrent = n[1];
    row.dPlannedBuy = n[2];
    row.dPlannedSell = n[3];
    KvSetPositionFigures(row, n[4], n[5], n[6], n[7], n[8]);
}

void CCurPosSecsDoc::MakeTitle(std::string& title)
{
    title = Kv32ShellString(kTableId);
    if (!m_sFirm.empty())
        title += " " + FirmName(m_sFirm);
}

void CCurPosSecsDoc::Serialize(fw::Archive& ar)
{
    CRequestDoc::Serialize(ar);
    if (ar.isStoring())
        ar.writeString(m_sFirm);
    else
        m_sFirm = ar.readString();
}

int CCurPosSecsDoc::CheckTable(void* key)
{
    if (const auto* firm = static_cast<const std::string*>(key))
        return *firm == m_sFirm ? 1 : 0;
    const KvActiveRow* active = KvActiveListRow();
    if (active == nullptr || active->TableId() != CParticipantTable::kTableId)
        return 0;
    const int row = active->RecordIndex();
    if (row < 0 || row >= ParticipantTable().GetCount())
        return 0;
    return m_sFirm == ParticipantTable().GetRec(row)->szCode ? 1 : 0;
}

void CCurPosSecsDoc::GetColorCell(const std::uint8_t* record, int col, kvcore::COLORREF& back, kvcore::COLORREF& text) const
{
    CSecPositionsDocBase::GetColorCell(record, col, back, text);
    // Columns 1 to 4: open, current, planned buy, planned sell.
    if (record == nullptr || col < 1 || col > 4 || static_cast<std::size_t>(col) >= m_offset.size())
        return;
    CDouble value;
    std::memcpy(&value, record + m_offset[static_cast<std::size_t>(col)], sizeof value);
    KvPaintNegative(value, back, text);
}

void CCurPosSecsDoc::SetFirm(const std::string& firm)
{
    m_sFirm = firm;
    Restart();
    UpdateDocument(0, nullptr);
}

// ---- Table 39 ----

CTrdAccSummDoc::CTrdAccSummDoc()
    : CSecPositionsDocBase(kRequest)
{
    Kv32RegisterListWindowResources();
}

std::span<const KvListColumn> CTrdAccSummDoc::Columns() const
{
    return kAccountColumns;
}

std::string CTrdAccSummDoc::RequestKey()
{
    m_sFirm = FirmOrOwn(m_sFirm);
    if (m_sFirm.empty())
        return {};
    const std::string text = Field(m_sFirm, kCodeWidth) + Field(m_sAccount, kCodeWidth);
    return text.size() == 2 * kCodeWidth ? text : std::string();
}

void CTrdAccSummDoc::DecodeRecord(CRecordReader& reader)
{
    const std::string code = reader.Text(kCodeWidth);
    CDouble n[5];
    for (CDouble& value : n)
        value = reader.Decimal(kNumberWidth, 0);
    if (!reader.Ok() || code.empty())
        return;
    KvSetPositionFigures(RowOf(code), n[0], n[1], n[2], n[3], n[4]);
}

void CTrdAccSummDoc::MakeTitle(std::string& title)
{
    title = Kv32ShellString(kTableId);
    if (!m_sFirm.empty())
        title += " " + m_sAccount + " - " + FirmName(m_sFirm);
}

void CTrdAccSummDoc::Serialize(fw::Archive& ar)
{
    CRequestDoc::Serialize(ar);
    if (ar.isStoring()) {
        ar.writeString(m_sFirm);
        ar.writeString(m_sAccount);
    } else {
        m_sFirm = ar.readString();
        m_sAccount = ar.readString();
    }
}

void CTrdAccSummDoc::TakeFilter()
{
    m_sFirm = m_filter.m_strFirm;
    m_sAccount = m_filter.m_strAccount;
    Restart();
    UpdateDocument(0, nullptr);
}

// ---- Table 15 ----

namespace {

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(KvTradingAccountRow, field))

constexpr KvListColumn kTradingAccountColumns[] = {
    { 320, KV_AT(szAccount), kJustLeft, kGXText },
    { 321, KV_AT(szClient), kJustLeft, kGXText },
    { 322, KV_AT(szDepository), kJustLeft, kGXText },
    { 323, KV_AT(dOpen), kJustRight, kGXDouble },
    { 324, KV_AT(dCurrent), kJustRight, kGXDouble },
    { 325, KV_AT(dPlannedBuy), kJustRight, kGXDouble },
    { 326, KV_AT(dPlannedSell), kJustRight, kGXDouble },
};

#undef KV_AT

bool SameAccount(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y)); });
}

} // namespace

CTrAccDoc::CTrAccDoc()
    : CRequestDoc(kRequest)
{
    Kv32RegisterListWindowResources();
}

std::span<const KvListColumn> CTrAccDoc::Columns() const
{
    return kTradingAccountColumns;
}

const std::uint8_t* CTrAccDoc::GetRowData(int row) const
{
    return reinterpret_cast<const std::uint8_t*>(m_rows.At(row));
}

int CTrAccDoc::UpdateReq()
{
    m_bFirstReply = true;
    m_bResort = false;
    m_nReqCount = 0;
    const CTrAccLocalArray* accounts = GetCurrentSessionData();
    if (accounts == nullptr)
        return 0;
    const std::string security
        = m_sSecurity.size() > static_cast<std::size_t>(kCodeWidth) ? m_sSecurity.substr(m_sSecurity.size() - kCodeWidth) : m_sSecurity;
    for (const CTrAccLocal& entry : accounts->m_entries) {
        std::string seq(kSeqWidth, '0');
        for (int i = 0; i < m_rows.Count(); ++i) {
            if (SameAccount(m_rows.At(i)->szAccount, entry.account)) {
                seq = m_rows.At(i)->szSeq;
                m_bFirstReply = false;
                break;
            }
        }
        KvFieldWriter w;
        AppendUserField(w);
        w.Text(seq, kSeqWidth).Text(entry.account, kCodeWidth).Text("", kCodeWidth).Text(security, kCodeWidth);
        const std::string text = w.Str();
        if (text.empty())
            continue; // an account too long for its field is not asked about
        if (VORLInfoReqAdd(kRequest, text.data(), static_cast<int>(text.size()), this) == 0)
            break;
        ++m_nReqCount;
    }
    return m_nReqCount > 0 ? 1 : 0;
}

void CTrAccDoc::DecodeRecord(CRecordReader& reader)
{
    const std::string account = reader.Text(kCodeWidth);
    reader.Skip(12);
    const std::string depository = reader.Text(kCodeWidth);
    const char mark = reader.Char();
    reader.Skip(11);
    const CDouble open = reader.Decimal(11, 0);
    const CDouble current = reader.Decimal(11, 0);
    const CDouble plannedBuy = reader.Decimal(10, 0);
    const CDouble plannedSell = reader.Decimal(10, 0);
    if (!reader.Ok() || account.empty())
        return;
    if (m_bFirstReply) {
        m_bFirstReply = false;
        m_rows.Clear();
    }
    bool added = false;
    KvTradingAccountRow& row = m_rows.FindOrAdd(account, added);
    CopyText(row.szSeq, RecordSeq());
    const bool none = mark == '#';
    row.dOpen = none ? CDouble(0, 0) : open;
    row.dCurrent = none ? CDouble(0, 0) : current;
    row.dPlannedBuy = none ? CDouble(0, 0) : plannedBuy;
    row.dPlannedSell = none ? CDouble(0, 0) : plannedSell;
    if (!added)
        return;
    CopyText(row.szAccount, account);
    CopyText(row.szDepository, depository);
    std::string client;
    if (const CTrAccLocalArray* accounts = GetCurrentSessionData(); accounts != nullptr && accounts->FindName(account, client))
        CopyText(row.szClient, client);
    m_bResort = true;
}

void CTrAccDoc::OnReplyDone()
{
    if (!m_bResort)
        return;
    m_bResort = false;
    m_rows.Sort([](const KvTradingAccountRow& a, const KvTradingAccountRow& b) { return std::strcmp(a.szAccount, b.szAccount) < 0; },
        [](const KvTradingAccountRow& r) { return std::string(r.szAccount); });
    for (int i = 0; i < m_rows.Count(); ++i)
        m_rows.At(i)->nRow = static_cast<std::uint32_t>(i);
}

void CTrAccDoc::MakeTitle(std::string& title)
{
    title = Kv32ShellString(kTableId);
    CSecurityTable& securities = SecurityTable();
    const int s = m_sSecurity.empty() ? -1 : securities.FindByInstrument(m_sSecurity.substr(m_sSecurity.size() > 12 ? m_sSecurity.size() - 12 : 0));
    if (s >= 0)
        title += " " + std::string(securities.GetRec(s)->szShortName);
}

void CTrAccDoc::Serialize(fw::Archive& ar)
{
    CRequestDoc::Serialize(ar);
    if (ar.isStoring())
        ar.writeString(m_sSecurity);
    else
        m_sSecurity = ar.readString();
}

int CTrAccDoc::CheckTable(void* key)
{
    const auto* security = static_cast<const std::string*>(key);
    return security != nullptr && *security == m_sSecurity ? 1 : 0;
}

void CTrAccDoc::SetSecurity(const std::string& code)
{
    m_sSecurity = code;
    Restart();
    UpdateDocument(0, nullptr);
}
