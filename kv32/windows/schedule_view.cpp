#include "kv32/windows/schedule_view.h"

#include "fw/core/msgbox.h"
#include "kv32/dialogs/supervision/schedule_entry_dlg.h"
#include "kv32/lists/schedule_list.h"
#include "kv32/res/schedule_strings.h"
#include "kv32/dialogs/supervisor_requests.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/app_core_logic.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/prompts.h"

CTimesView::CTimesView(QWidget* parent)
    : CListView(parent)
{
    MapCommand(
        ID_SCHEDULE_ADD, KvCommandRule::Always, [](const std::uint8_t*) { return CanAccess(ID_SCHEDULE_ADD, 0) != 0; },
        [this] { KvRunScheduleEntry(this); });
    MapCommand(ID_SCHEDULE_MODIFY, KvCommandRule::NeedCurrentRow, nullptr, [this] {
        const CTableIndexDoc* doc = GetListDoc();
        const int index = doc != nullptr ? doc->HostIndexOfRow(doc->GetCurrentIndex()) : -1;
        if (index >= 0)
            KvRunScheduleEntryEdit(index, this);
    });
    MapCommand(ID_SCHEDULE_REMOVE, KvCommandRule::NeedCurrentRow, nullptr, [this] { OnRemove(); });
}

CTimesView::~CTimesView() = default;

void CTimesView::OnRemove()
{
    const auto* doc = dynamic_cast<const CTimesDoc*>(GetListDoc());
    const ScheduleRec* event = doc != nullptr ? doc->GetRowRecord(doc->GetCurrentIndex()) : nullptr;
    if (event == nullptr)
        return;
    if (AreYouShure(0u) == fw::IDNO)
        return;
    std::string record = BuildScheduleRemoveRecord(KvRequestUser(), *event);
    if (record.empty()) {
        KvMessageBox(KvScheduleString(IDS_SCHEDULE_PRIORITY_RANGE), fw::MB_OK | fw::MB_ICONEXCLAMATION);
        return;
    }
    VORLTransaction(kTrOperator, record.data(), static_cast<int>(record.size()), 1);
}
