#include "kv32/tables/order_common.h"

#include <cstdarg>
#include <cstdio>

#include "fw/core/archive.h"
#include "fw/core/document.h"
#include "kv32/res/trading_strings.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/table_updates.h"

namespace {
// The system colour "window" as a colour element's value.
constexpr uint32_t kSystemWindowColor = 0x80000005u;
} // namespace

CTextSet::CTextSet(std::initializer_list<uint32_t> ids, Loader load)
    : m_ids(ids)
    , m_load(load != nullptr ? load : &Kv32TradingString)
{
}

const std::string& CTextSet::operator[](size_t i) const
{
    if (!m_bLoaded || m_language != fw::language()) {
        m_texts.clear();
        for (const uint32_t id : m_ids)
            m_texts.push_back(m_load(id));
        m_language = fw::language();
        m_bLoaded = true;
    }
    return m_texts[i];
}

void FillWindowColors(
    std::vector<uint32_t>& colors, std::vector<uint16_t>& names, std::initializer_list<uint16_t> ids)
{
    names.assign(ids);
    colors.assign(names.size(), kSystemWindowColor);
}

void SerializeColorArray(fw::Archive& ar, std::vector<uint32_t>& colors, const std::vector<uint16_t>& names)
{
    if (ar.isStoring()) {
        ar.writeDWordArray(colors);
        return;
    }
    std::vector<uint32_t> loaded = ar.readDWordArray();
    if (loaded.size() == names.size() || names.empty())
        colors = std::move(loaded);
}

CSecurityNames LookUpSecurity(std::string_view code)
{
    CSecurityNames names;
    CSecurityTable& securities = SecurityTable();
    if (const int row = securities.FindByCode(code); row >= 0) {
        const SecurityRec& s = *securities.GetRec(row);
        names.shortName = s.szShortName;
        names.priceDec = s.nPriceDec;
        names.yieldDec = s.nYieldDec;
        names.valueDec = s.nValueDec;
    }
    if (code.size() >= 5) {
        const std::string board(code.substr(1, 4));
        if (const int row = BoardTable().FindByCode(board.c_str()); row >= 0) {
            const BoardRec& b = *BoardTable().GetRec(row);
            names.boardCode = b.szCode;
            names.boardName = b.szName;
        }
    }
    return names;
}

void CPendingRows::Announce(uint16_t tableId, int rowCount)
{
    if (m_rows.empty())
        return;
    m_hint.SetSize(rowCount);
    for (const int row : m_rows)
        m_hint.AddRow(row);
    KvUpdateAllDocuments(tableId, &m_hint);
    // Clear(), not ClearRow() per row: a cleared row stays on the hint's list until a window
    // reads the list, so with no window open the list would grow to the table's size.
    m_hint.Clear();
    m_rows.clear();
}

void CPendingRows::Clear()
{
    m_rows.clear();
    m_hint = fw::RowHint();
}

std::string PrintDate(const CDateTime& when)
{
    return when.IsValid() ? when.FormatDate() : std::string();
}

std::string PrintTime(const CDateTime& when)
{
    return when.IsValid() ? when.FormatTime() : std::string();
}

std::string PrintAmount(const CDouble& value)
{
    return value.Format(1, 1);
}

std::string FormatLine(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string line;
    if (n > 0) {
        line.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(line.data(), line.size(), format, again);
        line.resize(static_cast<size_t>(n));
    }
    va_end(again);
    return line;
}
