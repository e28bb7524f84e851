#include "kv32/lists/summary_list.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "fw/core/archive.h"
#include "fw/core/clock.h"
#include "kv32/lists/security_request_doc.h"
#include "kv32/res/market_window_strings.h"
#include "kv32/res/shell_strings.h"
#include "kv32/shell/request_fields.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/host_table.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/profile_settings.h"

using kvcore::kGXDouble;
using kvcore::kGXText;

namespace {

#define KV_VALUE(i) static_cast<std::uint16_t>(offsetof(SummaryRow, aValues) + (i) * sizeof(CDouble))

constexpr KvListColumn kColumnTable[] = {
    { 480, static_cast<std::uint16_t>(offsetof(SummaryRow, szName)), kJustLeft, kGXText },
    { 481, KV_VALUE(0), kJustRight, kGXDouble },
    { 482, KV_VALUE(1), kJustRight, kGXDouble },
    { 483, KV_VALUE(2), kJustRight, kGXDouble },
    { 484, KV_VALUE(3), kJustRight, kGXDouble },
    { 485, KV_VALUE(4), kJustRight, kGXDouble },
    { 486, KV_VALUE(5), kJustRight, kGXDouble },
    { 487, KV_VALUE(6), kJustRight, kGXDouble },
    { 488, KV_VALUE(7), kJustRight, kGXDouble },
};

#undef KV_VALUE

// Position and width of each figure of a reply record.
constexpr std::size_t kFigureAt[SummaryRow::kValues][2] = {
    { 20, 6 }, { 26, 6 }, { 32, 16 }, { 48, 16 }, { 64, 6 }, { 70, 6 }, { 76, 6 }, { 82, 6 },
};

std::string Stripped(std::string_view text)
{
    std::size_t n = text.size();
    while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\0'))
        --n;
    return std::string(text.substr(0, n));
}

template <std::size_t N> void SetText(char (&field)[N], std::string_view text)
{
    const std::size_t n = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), n);
    field[n] = '\0';
}

bool SameValues(const SummaryRow& a, const SummaryRow& b)
{
    for (int i = 0; i < SummaryRow::kValues; ++i)
        if (static_cast<double>(a.aValues[i]) != static_cast<double>(b.aValues[i]))
            return false;
    return true;
}

} // namespace

CSumDoc::CSumDoc()
{
    Kv32RegisterMarketWindowResources();
}

bool CSumDoc::onNewDocument()
{
    if (!CTDocVorl::onNewDocument())
        return false;
    m_nMarket = MarketTable().m_nCurrent;
    m_nBoard = BoardTable().m_nCurrent;
    ApplyFilter(true);
    m_bOpened = 1;
    return true;
}

void CSumDoc::onCloseDocument()
{
    if (m_bOpened)
        m_records.clear();
    CTDocVorl::onCloseDocument();
}

void CSumDoc::Serialize(fw::Archive& ar)
{
    CTDocVorl::Serialize(ar);
    if (ar.isStoring()) {
        ar.writeWord(static_cast<std::uint16_t>(m_nMarket));
        ar.writeWord(static_cast<std::uint16_t>(m_nBoard));
        return;
    }
    m_nMarket = ar.readWord();
    m_nBoard = ar.readWord();
    if (m_nBoard >= BoardTable().GetCount() || m_nMarket >= MarketTable().GetCount())
        m_nMarket = m_nBoard = 0;
}

const SummaryRow* CSumDoc::GetSummaryRow(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_records.size())
        return nullptr;
    return &m_records[static_cast<std::size_t>(row)];
}

const std::uint8_t* CSumDoc::GetRowData(int row) const
{
    return reinterpret_cast<const std::uint8_t*>(GetSummaryRow(row));
}

void CSumDoc::SetDocDescription()
{
    KvDescribeColumns(*this, Columns(), kFirstColumn, kColumns);
}

std::span<const KvListColumn> CSumDoc::Columns()
{
    return kColumnTable;
}

void CSumDoc::MakeTitle(std::string& title)
{
    title = Kv32ShellString(GetDocID());
    const bool market = m_nMarket >= 0 && m_nMarket < MarketTable().GetCount();
    const bool board = m_nBoard >= 0 && m_nBoard < BoardTable().GetCount();
    title += " ";
    title += market ? MarketTable().GetRec(m_nMarket)->szName : "";
    title += "/";
    title += board ? BoardTable().GetRec(m_nBoard)->szName : "";
}

int CSumDoc::ApplyFilter(bool retitle)
{
    if (retitle)
        Retitle();
    return 1;
}

int CSumDoc::CheckTable(void*)
{
    return m_nMarket == MarketTable().m_nCurrent && m_nBoard == BoardTable().m_nCurrent ? 1 : 0;
}

std::string CSumDoc::RequestKey() const
{
    KvFieldWriter w;
    AppendUserField(w);
    AppendPaddedField(w, 8, m_szNextKey, true);
    w.Char('\0');
    return w.Str();
}

int CSumDoc::UpdateReq()
{
    const std::int64_t now = fw::clock().steadyMs();
    if (m_nLastRequestMs && now - *m_nLastRequestMs < static_cast<std::int64_t>(iSumInfoCycle) * 1000)
        return 0;
    m_nLastRequestMs = now;
    m_nRowsAtRequest = GetRowCount();
    const std::string key = RequestKey();
    if (key.empty())
        return 0;
    return VORLInfoReqAdd(kRequestCode, key.data(), static_cast<int>(key.size()), this) ? 1 : 0;
}

int CSumDoc::StoreDataItem(tagTMSG* message)
{
    if (message == nullptr || message->pText == nullptr || message->nLength < 2)
        return 1;
    TakeRecord(std::string_view(reinterpret_cast<const char*>(message->pText), static_cast<std::size_t>(message->nLength)));
    return 1;
}

int CSumDoc::FindRow(const char* name) const
{
    const std::string total = KvMarketWindowString(IDS_SUMMARY_TOTAL);
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        if (total == m_records[i].szName)
            break;
        if (std::strcmp(m_records[i].szName, name) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

void CSumDoc::MakeTotal(bool overwrite)
{
    const std::string totalName = KvMarketWindowString(IDS_SUMMARY_TOTAL);
    SummaryRow total;
    total.nSeq = GetRowCount();
    SetText(total.szName, totalName);
    double sums[SummaryRow::kValues] = {};
    for (const SummaryRow& row : m_records) {
        if (totalName == row.szName)
            break;
        for (int i = 0; i < SummaryRow::kValues; ++i)
            sums[i] += static_cast<double>(row.aValues[i]);
    }
    for (int i = 0; i < SummaryRow::kValues; ++i)
        total.aValues[i] = CDouble(sums[i], 0);
    if (overwrite && !m_records.empty())
        m_records.back() = total;
    else
        m_records.push_back(total);
}

void CSumDoc::TakeRecord(std::string_view record)
{
    if (record.size() < kRecordLength)
        return;
    fLastRec = record[88] == '1' ? 1 : 0;
    m_szNextKey = "00000000";
    if (m_nMarket < 0 || m_nMarket >= MarketTable().GetCount() || m_nBoard < 0 || m_nBoard >= BoardTable().GetCount())
        return;
    if (Stripped(record.substr(16, 4)) != BoardTable().GetRec(m_nBoard)->szCode
        || Stripped(record.substr(12, 4)) != MarketTable().GetRec(m_nMarket)->szCode)
        return;
    SummaryRow row;
    row.nSeq = GetRowCount();
    for (int i = 0; i < SummaryRow::kValues; ++i) {
        long long value = 0;
        if (!KvReadNumber(record, kFigureAt[i][0], kFigureAt[i][1], value))
            return;
        row.aValues[i] = CDouble(static_cast<double>(value), 0);
    }
    // An unknown sector is named by its code, so two of them never merge.
    const std::string code = Stripped(record.substr(8, 4));
    const int sector = SectorTable().FindByCode(code.c_str());
    SetText(row.szName, sector >= 0 ? std::string(SectorTable().GetRec(sector)->szName) : code);

    const int found = FindRow(row.szName);
    if (found >= 0) {
        SummaryRow& old = m_records[static_cast<std::size_t>(found)];
        if (!SameValues(old, row)) {
            row.nSeq = old.nSeq;
            old = row;
            m_bChanged = true;
        }
    } else {
        if (m_records.empty())
            m_records.push_back(row);
        else
            m_records.back() = row;
        m_bChanged = true;
    }
    if (!m_records.empty() && m_bChanged)
        MakeTotal(found >= 0);
    if (m_bChanged || GetRowCount() != m_nRowsAtRequest) {
        m_bChanged = false;
        UpdateDocument(0, nullptr);
    }
}
