#include "kv32/lists/logs_list.h"

#include <cstddef>
#include <memory>

#include "kv32/filters/supervision_filters.h"
#include "kv32/res/log_window_strings.h"
#include "kv32/tables/all_tables.h"

using kvcore::kGXDate;
using kvcore::kGXDouble;
using kvcore::kGXText;
using kvcore::kGXTime;

namespace {

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(CLogEntry, field))

constexpr KvListColumn kColumnTable[] = {
    { 5471, KV_AT(time), kJustLeft, kGXDate },
    { 5472, KV_AT(time), kJustLeft, kGXTime },
    { 5473, KV_AT(szUser), kJustLeft, kGXText },
    { 5474, KV_AT(szFirm), kJustLeft, kGXText },
    { 5475, KV_AT(szBoardName), kJustLeft, kGXText },
    { 5476, KV_AT(szShortName), kJustLeft, kGXText },
    { 5477, KV_AT(szText), kJustLeft, kGXText },
    { 5478, KV_AT(value), kJustRight, kGXDouble },
    { 5479, KV_AT(szRemarks), kJustLeft, kGXText },
};

#undef KV_AT

} // namespace

CLogsDoc::CLogsDoc()
    : CTableIndexDocT(AlertLogTable(), std::make_unique<CCriteriaOf<CLogsFilter, CLogEntry>>())
{
    Kv32RegisterLogWindowResources();
}

std::span<const KvListColumn> CLogsDoc::Columns() const
{
    return kColumnTable;
}

int CLogsDoc::RowColorIndex(const std::uint8_t* record) const
{
    const auto* entry = reinterpret_cast<const CLogEntry*>(record);
    if (entry->nTag >= 0 && entry->nTag < CAlertLogTable::kCategories)
        return entry->nTag;
    switch (entry->nKind) {
    case LOG_KIND_USER_ALERT: return 0;
    case LOG_KIND_FIRM_ALERT: return 1;
    case LOG_KIND_SECURITY_ALERT: return 2;
    case LOG_KIND_ORDER_COUNT: return 3;
    case LOG_KIND_MESSAGE: return 4;
    case LOG_KIND_NEWS: return 5;
    default: return -1;
    }
}
