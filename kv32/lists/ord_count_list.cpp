#include "kv32/lists/ord_count_list.h"

#include <cstddef>
#include <memory>

#include "kv32/filters/supervision_filters.h"
#include "kv32/res/ord_count_window_strings.h"
#include "kv32/tables/all_tables.h"

using kvcore::kGXDouble;
using kvcore::kGXSigned;
using kvcore::kGXText;
using kvcore::kGXUnsigned;

namespace {

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(COrdCountRec, field))
#define KV_AT2(field, kind) static_cast<std::uint16_t>(offsetof(COrdCountRec, field) + (kind) * sizeof(COrdCountRec::field[0]))

constexpr KvListColumn kCountColumns[] = {
    { 3101, KV_AT(szBoard), kJustLeft, kGXText },
    { 3102, KV_AT(szFirm), kJustLeft, kGXText },
    { 3103, KV_AT2(anOrders, 0), kJustRight, kGXSigned },
    { 3104, KV_AT2(anOrders, 1), kJustRight, kGXSigned },
    { 3105, KV_AT2(anPeakPerSecond, 0), kJustRight, kGXSigned },
    { 3106, KV_AT2(anPeakPerSecond, 1), kJustRight, kGXSigned },
    { 3107, KV_AT2(anSecondsOverSpeed, 0), kJustRight, kGXSigned },
    { 3108, KV_AT2(anSecondsOverSpeed, 1), kJustRight, kGXSigned },
    { 3109, KV_AT2(adAverageSpeed, 0), kJustRight, kGXDouble },
    { 3110, KV_AT2(adAverageSpeed, 1), kJustRight, kGXDouble },
    { 3111, KV_AT2(anCountAlerted, 0), kJustRight, kGXSigned },
    { 3112, KV_AT2(anCountAlerted, 1), kJustRight, kGXSigned },
    { 3113, KV_AT2(anSpeedAlerts, 0), kJustRight, kGXSigned },
    { 3114, KV_AT2(anSpeedAlerts, 1), kJustRight, kGXSigned },
};

#undef KV_AT
#undef KV_AT2
#define KV_AT(field) static_cast<std::uint16_t>(offsetof(COrdCountAlertRec, field))

constexpr KvListColumn kAlertColumns[] = {
    { 2680, KV_AT(szBoard), kJustLeft, kGXText },
    { 2681, KV_AT(szFirm), kJustLeft, kGXText },
    { 2682, KV_AT(nNormalLimit), kJustRight, kGXUnsigned },
    { 2683, KV_AT(nMMLimit), kJustRight, kGXUnsigned },
    { 2684, KV_AT(nNormalSpeed), kJustRight, kGXUnsigned },
    { 2685, KV_AT(nMMSpeed), kJustRight, kGXUnsigned },
};

#undef KV_AT

} // namespace

COrdCountDoc::COrdCountDoc()
    : CTableIndexDocT(OrdCountTable(), std::make_unique<CCriteriaOf<COrdCountFilter, COrdCountRec>>())
{
    Kv32RegisterOrdCountWindowResources();
}

std::span<const KvListColumn> COrdCountDoc::Columns() const
{
    return kCountColumns;
}

int COrdCountDoc::ColorIndexOffset() const
{
    return static_cast<int>(offsetof(COrdCountRec, bAlerting));
}

COAlertsDoc::COAlertsDoc()
    : CTableIndexDocT(OrdCountAlertTable(), std::make_unique<COAlertsCriteria>())
{
    Kv32RegisterOrdCountWindowResources();
}

std::span<const KvListColumn> COAlertsDoc::Columns() const
{
    return kAlertColumns;
}
