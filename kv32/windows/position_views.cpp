#include "kv32/windows/position_views.h"

#include "fw/core/msgbox.h"
#include "kv32/filters/dialogs/filter_dlgs.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/lists/position_lists.h"
#include "kv32/res/list_window_strings.h"
#include "kvcore/app/logon.h"

CCurPosSecsView::CCurPosSecsView(QWidget* parent)
    : CTView(parent)
{
    Kv32RegisterListWindowResources();
    // The trading accounts window is not part of the program yet.
    commands().onUpdate(ID_POSITION_TRADING_ACCOUNTS, [](fw::CmdUI& ui) { ui.enable(KvHasListWindow(15)); });
    commands().onCommand(ID_POSITION_TRADING_ACCOUNTS, [] { });
}

CCurPosSecsView::~CCurPosSecsView() = default;

CTrdAccSummView::CTrdAccSummView(QWidget* parent)
    : CTView(parent)
{
    Kv32RegisterListWindowResources();
    commands().onCommand(ID_OPTIONS_FILTER, [this] { OnFilter(); });
    commands().onUpdate(ID_OPTIONS_FILTER, [this](fw::CmdUI& ui) {
        ui.enable(dynamic_cast<CTrdAccSummDoc*>(GetDocument()) != nullptr);
    });
}

CTrdAccSummView::~CTrdAccSummView() = default;

void CTrdAccSummView::OnFilter()
{
    auto* doc = dynamic_cast<CTrdAccSummDoc*>(GetDocument());
    if (doc == nullptr)
        return;
    CFilterSecPosDlg dlg(doc->Criteria());
    if (dlg.doModal() != fw::IDOK)
        return;
    KvWaitCursor wait;
    doc->TakeFilter();
}
