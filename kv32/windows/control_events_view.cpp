#include "kv32/windows/control_events_view.h"

#include "kv32/dialogs/price_control_event_dlg.h"
#include "kv32/dialogs/supervision/suspend_dlg.h"
#include "kv32/lists/control_events_list.h"
#include "kv32/res/party_window_strings.h"
#include "kv32/tables/all_tables.h"

namespace {

const TradeEventRec* AsEvent(const std::uint8_t* record)
{
    return reinterpret_cast<const TradeEventRec*>(record);
}

} // namespace

CSupervisorOperationsView::CSupervisorOperationsView(QWidget* parent)
    : CListView(parent)
{
    Kv32RegisterPartyWindowResources();
    const auto allows = [](unsigned id) {
        return [id](const std::uint8_t* current) { return EventCommandAllowed(id, AsEvent(current)); };
    };
    MapCommand(ID_EVENT_VIEW, KvCommandRule::Always, allows(ID_EVENT_VIEW), [this] { OnView(); });
    MapCommand(ID_EVENT_DELETE, KvCommandRule::Always, allows(ID_EVENT_DELETE), [this] { OnDelete(); });
}

CSupervisorOperationsView::~CSupervisorOperationsView() = default;

int CSupervisorOperationsView::CurrentHostRow() const
{
    const CTableIndexDoc* doc = GetListDoc();
    return doc == nullptr ? -1 : doc->HostIndexOfRow(doc->GetCurrentIndex());
}

void CSupervisorOperationsView::OnView()
{
    const int row = CurrentHostRow();
    if (row < 0)
        return;
    if (IsPriceControlEvent(*TradeEventTable().GetRec(row)))
        KvShowPriceControlEvent(row);
    else
        KvRunSuspendEvent(row, kSuspendModeView, this);
}

void CSupervisorOperationsView::OnDelete()
{
    const CTableIndexDoc* doc = GetListDoc();
    const int current = doc == nullptr ? -1 : doc->GetCurrentIndex();
    const TradeEventRec* event = doc == nullptr ? nullptr : AsEvent(doc->GetRowData(current));
    // A price control event is changed by a new one, never deleted.
    if (event == nullptr || IsPriceControlEvent(*event))
        return;
    KvRowAction action;
    action.build = [doc](unsigned row) -> std::optional<KvRowTransaction> {
        const TradeEventRec* e = AsEvent(doc->GetRowData(static_cast<int>(row)));
        return e == nullptr ? std::nullopt : EventDeleteTransaction(*e);
    };
    KvSendForRows({ static_cast<unsigned>(current) }, action, *this);
}
