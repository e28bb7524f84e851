#include "kv32/windows/alert_defs_view.h"

#include "kv32/dialogs/alerts/alert_openers.h"
#include "kv32/lists/alert_defs_list.h"

CAlertDefsView::CAlertDefsView(unsigned alertsCommand, QWidget* parent)
    : CListView(parent)
{
    // Without a current row the dialog opens on its first subject (the
    // security dialog says that it needs one).
    MapDialogCommand(alertsCommand, KvCommandRule::Permitted, nullptr, [this] {
        const auto* doc = dynamic_cast<const CAlertDefsDoc*>(GetTableDoc());
        return doc == nullptr ? -1 : doc->HostIndexOfRow(doc->GetCurrentIndex());
    });
}

CAlertDefsView::~CAlertDefsView() = default;

CFAlertsView::CFAlertsView(QWidget* parent)
    : CAlertDefsView(ID_FIRM_ALERTS, parent)
{
}

CSAlertsView::CSAlertsView(QWidget* parent)
    : CAlertDefsView(ID_SECURITY_ALERTS, parent)
{
}

CTAlertsView::CTAlertsView(QWidget* parent)
    : CAlertDefsView(ID_USER_ALERTS, parent)
{
}
