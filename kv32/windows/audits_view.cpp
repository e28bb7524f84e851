#include "kv32/windows/audits_view.h"

#include "fw/core/msgbox.h"
#include "kv32/dialogs/audit_dlgs.h"
#include "kv32/filters/dialogs/filter_dlgs.h"
#include "kv32/lists/audits_list.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/res/audit_window_strings.h"
#include "kv32/tables/table_updates.h"

CAuditsView::CAuditsView(QWidget* parent)
    : CListView(parent)
{
}

CAuditsView::~CAuditsView() = default;

CAuditTypesView::CAuditTypesView(QWidget* parent)
    : CListView(parent)
{
    MapCommand(ID_AUDIT_OVERRIDE_MODE, KvCommandRule::Always, nullptr, [this] { OnOverrideMode(); });
}

CAuditTypesView::~CAuditTypesView() = default;

void CAuditTypesView::OnOverrideMode()
{
    const CTableIndexDoc* doc = GetListDoc();
    const int typeRow = doc == nullptr ? -1 : doc->HostIndexOfRow(doc->GetCurrentIndex());
    CAuditModeDlg dlg(typeRow, this);
    if (dlg.doModal() == fw::IDOK)
        KvUpdateAllDocuments(CAuditTypesDoc::kTableId);
}

void KvInstallAuditsFilterDialog()
{
    KvSetFilterDialog(CAuditsDoc::kTableId, [](CListCriteria& criteria) {
        auto* own = dynamic_cast<CCriteriaOf<CAuditsFilter, AuditEventRec>*>(&criteria);
        if (own == nullptr)
            return static_cast<int>(fw::IDCANCEL);
        CFilterAuditDlg dlg(own->Get());
        return dlg.doModal();
    });
}
