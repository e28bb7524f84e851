#include "kv32/windows/logs_view.h"

#include "fw/core/msgbox.h"
#include "kv32/filters/dialogs/filter_dlgs.h"
#include "kv32/filters/supervision_filters.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/lists/logs_list.h"

CLogsView::CLogsView(QWidget* parent)
    : CListView(parent)
{
}

CLogsView::~CLogsView() = default;

void KvInstallLogsFilterDialog()
{
    KvSetFilterDialog(CLogsDoc::kTableId, [](CListCriteria& criteria) {
        auto* own = dynamic_cast<CCriteriaOf<CLogsFilter, CLogEntry>*>(&criteria);
        if (own == nullptr)
            return static_cast<int>(fw::IDCANCEL);
        CFilterLogDlg dlg(own->Get());
        return dlg.doModal();
    });
}
