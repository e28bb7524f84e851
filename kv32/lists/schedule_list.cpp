#include "kv32/lists/schedule_list.h"

#include <cstddef>

#include "kv32/dialogs/supervision/schedule_entry_form.h"
#include "kv32/res/schedule_strings.h"
#include "kv32/res/shell_strings.h"
#include "kv32/tables/all_tables.h"

using kvcore::kGXSigned;
using kvcore::kGXText;
using kvcore::kGXTime;

namespace {

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(ScheduleRec, field))

constexpr KvListColumn kColumnTable[] = {
    { 2050, KV_AT(time), kJustLeft, kGXTime },
    { 2051, KV_AT(nPriority), kJustRight, kGXSigned },
    { 2052, KV_AT(szTransition), kJustLeft, kGXText },
    { 2053, KV_AT(szBoardName), kJustLeft, kGXText },
    { 2054, KV_AT(szInstrumentName), kJustLeft, kGXText },
    { 2055, KV_AT(szSecurityName), kJustLeft, kGXText },
    { 2056, KV_AT(szPending), kJustLeft, kGXText },
};

#undef KV_AT

constexpr char kOprTradeEventRemove = 43;

} // namespace

CTimesDoc::CTimesDoc()
    : CTableIndexDoc(nullptr)
{
    Kv32RegisterScheduleResources();
}

std::span<const KvListColumn> CTimesDoc::Columns() const
{
    return kColumnTable;
}

int CTimesDoc::HostCount() const
{
    return ScheduleTable().GetCount();
}

const std::uint8_t* CTimesDoc::HostRecord(int i) const
{
    return reinterpret_cast<const std::uint8_t*>(ScheduleTable().GetRec(i));
}

void CTimesDoc::MakeTitle(std::string& title)
{
    title = Kv32ShellString(GetDocID());
}

std::string BuildScheduleRemoveRecord(std::string_view user, const ScheduleRec& event)
{
    CScheduleEntry e;
    e.time = event.szTime;
    e.priority = event.nPriority;
    e.transition = event.szTransition;
    e.board = event.szBoard;
    e.instrument = event.szInstrument;
    e.security = event.szSecurity;
    return BuildScheduleRecord(user, e, kOprTradeEventRemove);
}
