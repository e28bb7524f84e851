#include "kv32/lists/cash_positions_list.h"

#include <cmath>
#include <cstddef>
#include <cstring>

#include "fw/core/archive.h"
#include "fw/core/gridsource.h"
#include "kv32/dialogs/supervision/set_limits_form.h"
#include "kv32/res/cash_positions_strings.h"
#include "kv32/res/shell_strings.h"
#include "kv32/tables/host_table.h"
#include "kvcore/app/app_core_base.h"
#include "kv32/tables/record_text.h"
#include "kvcore/router/record_reader.h"
#include "kvcore/values/field_writer.h"

using kvcore::kGXOwner;
using kvcore::kGXText;

namespace {

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(KvCashPositionRow, field))

constexpr KvListColumn kColumns[] = {
    { 350, KV_AT(szAccount), kJustLeft, kGXText },
    { 351, KV_AT(szUser), kJustLeft, kGXText },
    { 352, KV_AT(szFirm), kJustLeft, kGXText },
    { 353, KV_AT(szCashPool), kJustLeft, kGXText },
    { 354, KV_AT(szCurrency), kJustLeft, kGXText },
    { 355, KV_AT(dOpen), kJustRight, kGXOwner },
    { 356, KV_AT(dCurrent), kJustRight, kGXOwner },
    { 357, KV_AT(dPlanned), kJustRight, kGXOwner },
    { 358, KV_AT(warn), kJustRight, kGXOwner },
    { 359, KV_AT(hard), kJustRight, kGXOwner },
    { 360, KV_AT(order), kJustRight, kGXOwner },
};

#undef KV_AT

constexpr int kFirstColumn = 350;
constexpr int kFirstLimitColumn = 358 - kFirstColumn; // columns from here on are limits
constexpr int kCodeWidth = 12;
constexpr int kNumberWidth = 17;
constexpr int kOrderLimitWidth = 16;

std::string RowKey(std::string_view pool, std::string_view user, std::string_view account)
{
    std::string key(pool);
    key.append(1, '\n').append(user).append(1, '\n').append(account);
    return key;
}

std::optional<long long> LimitOf(const KvLimitCell& cell)
{
    if (!cell.set)
        return std::nullopt;
    return std::llround(static_cast<double>(cell.value));
}

} // namespace

CCashLimitRow KvLimitRowOf(const KvCashPositionRow& row)
{
    CCashLimitRow limits;
    limits.account = row.szAccount;
    limits.user = row.szUser;
    limits.firm = row.szFirm;
    limits.cashPool = row.szCashPool;
    limits.hard = LimitOf(row.hard);
    limits.warn = LimitOf(row.warn);
    limits.order = LimitOf(row.order);
    return limits;
}

CCurPosDoc::CCurPosDoc()
    : CRequestDoc(kFirmRequest)
{
    Kv32RegisterCashPositionResources();
}

std::span<const KvListColumn> CCurPosDoc::Columns() const
{
    return kColumns;
}

const std::uint8_t* CCurPosDoc::GetRowData(int row) const
{
    return reinterpret_cast<const std::uint8_t*>(m_rows.At(row));
}

int CCurPosDoc::UpdateReq()
{
    KvFieldWriter w;
    AppendUserField(w);
    w.Text(SeqNum(), kSeqWidth);
    int type = 0;
    switch (m_filter.m_nKind) {
    case CCurPosFilter::kFirms:
        type = kFirmRequest;
        w.Text(m_filter.m_strFirm, kCodeWidth);
        break;
    case CCurPosFilter::kUsers:
        type = kUserRequest;
        w.Text(m_filter.m_strUser, kCodeWidth).Text(m_filter.m_strFirm, kCodeWidth);
        break;
    case CCurPosFilter::kTradingAccounts:
        type = kAccountRequest;
        w.Text(m_filter.m_strAccount, kCodeWidth).Text(m_filter.m_strFirm, kCodeWidth).Text(m_filter.m_strUser, kCodeWidth);
        break;
    default: return 0;
    }
    const std::string text = w.Str();
    if (text.empty())
        return 0; // a code too long for its field is not asked about
    return VORLInfoReqAdd(type, text.data(), static_cast<int>(text.size()), this) != 0 ? 1 : 0;
}

int CCurPosDoc::StoreDataItem(tagTMSG* message)
{
    if (message == nullptr)
        return 0;
    if (message->nType != kFirmRequest && message->nType != kUserRequest && message->nType != kAccountRequest)
        return 0;
    m_nRecordType = message->nType;
    return CRequestDoc::StoreDataItem(message);
}

void CCurPosDoc::DecodeRecord(CRecordReader& reader)
{
    std::string account, user;
    if (m_nRecordType == kAccountRequest)
        account = reader.Text(kCodeWidth);
    else if (m_nRecordType == kUserRequest)
        user = reader.Text(kCodeWidth);
    const std::string firm = reader.Text(kCodeWidth);
    const std::string currency = reader.Text(3);
    const std::string pool = reader.Text(4);
    const CDouble open = reader.Decimal(kNumberWidth, 0);
    const CDouble current = reader.Decimal(kNumberWidth, 0);
    const CDouble planned = reader.Decimal(kNumberWidth, 0);
    KvLimitCell hard, warn, order;
    hard.value = reader.Decimal(kNumberWidth, 0);
    hard.set = reader.Char() == 'Y';
    warn.value = reader.Decimal(kNumberWidth, 0);
    warn.set = reader.Char() == 'Y';
    order.value = reader.Decimal(kOrderLimitWidth, 0);
    order.set = reader.Char() == 'Y';
    if (!reader.Ok())
        return;
    bool added = false;
    KvCashPositionRow& row = m_rows.FindOrAdd(RowKey(pool, user, account), added);
    m_bAdded = m_bAdded || added;
    if (added)
        MarkAllRowsChanged();
    else
        MarkRowChanged(m_rows.IndexOf(row));
    CopyText(row.szAccount, account);
    CopyText(row.szUser, user);
    CopyText(row.szFirm, firm);
    CopyText(row.szCurrency, currency);
    CopyText(row.szCashPool, pool);
    row.dOpen = open;
    row.dCurrent = current;
    row.dPlanned = planned;
    row.hard = hard;
    row.warn = warn;
    row.order = order;
}

void CCurPosDoc::OnReplyDone()
{
    if (!m_bAdded)
        return;
    m_bAdded = false;
    m_rows.Sort(
        [](const KvCashPositionRow& a, const KvCashPositionRow& b) {
            if (const int c = std::strcmp(a.szCashPool, b.szCashPool))
                return c < 0;
            if (const int c = std::strcmp(a.szUser, b.szUser))
                return c < 0;
            return std::strcmp(a.szAccount, b.szAccount) < 0;
        },
        [](const KvCashPositionRow& r) { return RowKey(r.szCashPool, r.szUser, r.szAccount); });
}

void CCurPosDoc::OwnerDrawCell(const std::uint8_t* value, int col, int, fw::CellStyle& style) const
{
    if (col >= kFirstLimitColumn) {
        KvLimitCell cell;
        std::memcpy(&cell, value, sizeof cell);
        style.value = cell.set ? cell.value.Format(1, 1) : std::string();
        style.fit = cell.set != 0;
        return;
    }
    CDouble number;
    std::memcpy(&number, value, sizeof number);
    KvDrawNumberCell(number, true, style);
}

int CCurPosDoc::OwnerDrawSort(const std::uint8_t* a, const std::uint8_t* b, int col) const
{
    if (col < 0 || static_cast<std::size_t>(col) >= m_offset.size())
        return 0;
    const std::size_t off = m_offset[static_cast<std::size_t>(col)];
    CDouble x, y;
    std::memcpy(&x, a + off, sizeof x);
    std::memcpy(&y, b + off, sizeof y);
    const double dx = x, dy = y;
    return dx > dy ? 1 : (dx < dy ? -1 : 0);
}

void CCurPosDoc::MakeTitle(std::string& title)
{
    std::string description;
    m_filter.GetDescription(description);
    title = Kv32ShellString(kTableId) + description;
}

void CCurPosDoc::Serialize(fw::Archive& ar)
{
    CRequestDoc::Serialize(ar);
    m_filter.Serialize(ar);
}

int CCurPosDoc::CheckTable(void* key)
{
    const auto* criteria = static_cast<const CCurPosFilter*>(key);
    return criteria != nullptr && *criteria == m_filter ? 1 : 0;
}

void CCurPosDoc::TakeFilter(const CCurPosFilter& criteria)
{
    m_filter = criteria;
    Restart();
    ApplyFilter(true);
    UpdateDocument(0, nullptr);
}
