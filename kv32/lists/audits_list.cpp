#include "kv32/lists/audits_list.h"

#include <cstddef>
#include <memory>

#include "fw/core/gridsource.h"
#include "kv32/filters/supervision_filters.h"
#include "kv32/res/audit_window_strings.h"
#include "kv32/tables/all_tables.h"

using kvcore::kGXOwner;
using kvcore::kGXText;
using kvcore::kGXTime;

namespace {

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(AuditEventRec, field))

constexpr KvListColumn kAuditColumns[] = {
    { 5580, KV_AT(time), kJustLeft, kGXTime },
    { 5581, KV_AT(szTypeText), kJustLeft, kGXText },
    { 5582, KV_AT(szGroupName), kJustLeft, kGXText },
    { 5583, KV_AT(szUser), kJustLeft, kGXText },
    { 5584, KV_AT(szFirm), kJustLeft, kGXText },
    { 5585, KV_AT(szToUser), kJustLeft, kGXText },
    { 5586, KV_AT(szToFirm), kJustLeft, kGXText },
    { 5587, KV_AT(szFromUser), kJustLeft, kGXText },
    { 5588, KV_AT(szBoardName), kJustLeft, kGXText },
    { 5589, KV_AT(szSecurity), kJustLeft, kGXText },
    { 5590, KV_AT(szText), kJustLeft, kGXText },
};

#undef KV_AT
#define KV_AT(field) static_cast<std::uint16_t>(offsetof(AuditTypeRec, field))

constexpr KvListColumn kTypeColumns[] = {
    { 5600, KV_AT(szTypeText), kJustLeft, kGXText },
    { 5601, KV_AT(szGroupName), kJustLeft, kGXText },
    { 5602, KV_AT(cDisplayMode), kJustLeft, kGXOwner },
    { 5603, KV_AT(szOverride), kJustLeft, kGXText },
};

#undef KV_AT

} // namespace

CAuditsDoc::CAuditsDoc()
    : CTableIndexDocT(AuditTable(), std::make_unique<CCriteriaOf<CAuditsFilter, AuditEventRec>>())
{
    Kv32RegisterAuditWindowResources();
}

std::span<const KvListColumn> CAuditsDoc::Columns() const
{
    return kAuditColumns;
}

CAuditTypesDoc::CAuditTypesDoc()
    : CTableIndexDocT(AuditEventTypeTable(), std::make_unique<CListAllCriteria>())
{
    Kv32RegisterAuditWindowResources();
}

std::span<const KvListColumn> CAuditTypesDoc::Columns() const
{
    return kTypeColumns;
}

void CAuditTypesDoc::OwnerDrawCell(const std::uint8_t* value, int, int, fw::CellStyle& style) const
{
    const char letter = static_cast<char>(*value);
    style.value = letter == '\0' ? std::string() : std::string(1, letter);
}

int CAuditTypesDoc::OwnerDrawSort(const std::uint8_t* a, const std::uint8_t* b, int) const
{
    const auto x = static_cast<unsigned char>(reinterpret_cast<const AuditTypeRec*>(a)->cDisplayMode);
    const auto y = static_cast<unsigned char>(reinterpret_cast<const AuditTypeRec*>(b)->cDisplayMode);
    return x < y ? -1 : (x > y ? 1 : 0);
}
