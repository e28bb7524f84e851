#include "kv32/lists/control_events_list.h"

#include <cstddef>
#include <string_view>

#include "kv32/lists/users_list.h"
#include "kv32/res/news_strings.h"
#include "kv32/res/party_window_strings.h"
#include "kv32/res/shell_strings.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/host_table.h"
#include "kvcore/values/field_writer.h"

using kvcore::kGXDouble;
using kvcore::kGXText;
using kvcore::kGXTime;

namespace {

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(TradeEventRec, field))

constexpr KvListColumn kEventColumns[] = {
    { 760, KV_AT(time), kJustLeft, kGXTime },
    { 761, KV_AT(szEventText), kJustLeft, kGXText },
    { 762, KV_AT(szText12), kJustLeft, kGXText },
    { 763, KV_AT(szObjectName), kJustLeft, kGXText },
    { 764, KV_AT(dRefPrice), kJustRight, kGXDouble },
    { 765, KV_AT(dLowerLimit), kJustRight, kGXDouble },
    { 766, KV_AT(dUpperLimit), kJustRight, kGXDouble },
    { 767, KV_AT(szKind), kJustLeft, kGXText },
};

#undef KV_AT

constexpr KvListColumn kReplyColumns[] = {
    { 560, static_cast<std::uint16_t>(offsetof(RepliesRec, szIdentifier)), kJustLeft, kGXText },
    { 561, static_cast<std::uint16_t>(offsetof(RepliesRec, szMessage)), kJustLeft, kGXText },
};

constexpr char kOprEventDelete = 8;

} // namespace

CSupervisorOperationsDoc::CSupervisorOperationsDoc()
    // Every event of the day is listed.
    : CTableIndexDocT(KvTables().tradeEvents, nullptr)
{
    Kv32RegisterPartyWindowResources();
}

std::span<const KvListColumn> CSupervisorOperationsDoc::Columns() const
{
    return kEventColumns;
}

CRepliesDoc::CRepliesDoc()
    : CTableIndexDocT(RepliesTable(), nullptr)
{
    Kv32RegisterPartyWindowResources();
}

std::span<const KvListColumn> CRepliesDoc::Columns() const
{
    return kReplyColumns;
}

void CRepliesDoc::MakeTitle(std::string& title)
{
    title = Kv32ShellString(GetDocID());
}

bool IsPriceControlEvent(const TradeEventRec& event)
{
    return event.cEventType == 'G' || event.cEventType == 'H';
}

bool EventCommandAllowed(unsigned commandId, const TradeEventRec* event)
{
    if (event == nullptr)
        return false;
    if (commandId == ID_EVENT_DELETE)
        return std::string_view(event->szKind) == Kv32NewsString(IDS_KIND_P);
    return commandId == ID_EVENT_VIEW;
}

std::string BuildEventDeleteText(std::int32_t eventId)
{
    KvFieldWriter w;
    AppendUserField(w);
    w.Char(kOprEventDelete);
    if (eventId < 0)
        return {};
    w.Number(eventId, 4);
    return w.Str();
}

std::optional<KvRowTransaction> EventDeleteTransaction(const TradeEventRec& event)
{
    if (IsPriceControlEvent(event))
        return std::nullopt;
    KvRowTransaction t;
    t.code = kTrUserOperator;
    t.text = BuildEventDeleteText(event.nEventId);
    if (t.text.empty())
        return std::nullopt;
    t.identifier = event.szObjectName;
    return t;
}
