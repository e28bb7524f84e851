#include "kv32/windows/ord_count_view.h"

#include "fw/core/msgbox.h"
#include "kv32/filters/dialogs/filter_dlgs.h"
#include "kv32/filters/supervision_filters.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/lists/ord_count_list.h"
#include "kv32/res/ord_count_window_strings.h"

COrdCountView::COrdCountView(QWidget* parent)
    : CListView(parent)
{
    // The limits dialog reads the counting row (its host index).
    MapDialogCommand(ID_ORDCOUNT_LIMITS, KvCommandRule::NeedCurrentRow, nullptr, [this] {
        const CTableIndexDoc* doc = GetListDoc();
        return doc == nullptr ? -1 : doc->HostIndexOfRow(doc->GetCurrentIndex());
    });
    MapCommand(ID_ORDCOUNT_ALERTS_VIEW, KvCommandRule::Always, nullptr,
        [this] { OpenTable(COAlertsDoc::kTableId); });
}

COrdCountView::~COrdCountView() = default;

COAlertsView::COAlertsView(QWidget* parent)
    : CListView(parent)
{
}

COAlertsView::~COAlertsView() = default;

void KvInstallOrdCountFilterDialog()
{
    KvSetFilterDialog(COrdCountDoc::kTableId, [](CListCriteria& criteria) {
        auto* own = dynamic_cast<CCriteriaOf<COrdCountFilter, COrdCountRec>*>(&criteria);
        if (own == nullptr)
            return static_cast<int>(fw::IDCANCEL);
        CFilterOrdCountDlg dlg(own->Get());
        return dlg.doModal();
    });
}
