#include "kv32/windows/position_views.h"

#include "fw/core/msgbox.h"
#include "kv32/filters/dialogs/filter_dlgs.h"
#include "kv32/filters/party_filters.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/lists/position_lists.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/shell/session.h"
#include "kv32/windows/cash_positions_view.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/logon.h"
#include "kvcore/app/session_core.h"
#include "fw/core/command.h"
#include "kvcore/frame/app_core.h"
#include "kvcore/frame/table_template.h"

CCurPosSecsView::CCurPosSecsView(QWidget* parent)
    : CTView(parent)
{
    Kv32RegisterListWindowResources();
    commands().onUpdate(ID_POSITION_TRADING_ACCOUNTS, [this](fw::CmdUI& ui) {
        const CTDoc* doc = GetDocument();
        ui.enable(KvHasListWindow(CTrAccDoc::kTableId) && CanAccess(ID_POSITION_TRADING_ACCOUNTS, 0) && doc != nullptr
            && doc->GetRowData(doc->GetCurrentIndex()) != nullptr);
    });
    commands().onCommand(ID_POSITION_TRADING_ACCOUNTS, [this] { OnTradingAccounts(); });
}

CCurPosSecsView::~CCurPosSecsView() = default;

void CCurPosSecsView::OnTradingAccounts()
{
    auto* doc = dynamic_cast<CCurPosSecsDoc*>(GetDocument());
    CKvAppCore* app = CKvAppCore::Instance();
    if (doc == nullptr || app == nullptr)
        return;
    const KvSecPositionRow* row = doc->Row(doc->GetCurrentIndex());
    std::string code = row != nullptr ? row->szCode : std::string();
    // The window of the current row's security comes to the front; another
    // security gets a window of its own.
    auto* account = dynamic_cast<CTrAccDoc*>(app->OpenTable(CTrAccDoc::kTableId, true, true, &code));
    if (account != nullptr && !code.empty() && account->Security() != code)
        account->SetSecurity(code);
}

CTrAccView::CTrAccView(QWidget* parent)
    : CTView(parent)
{
    Kv32RegisterListWindowResources();
    commands().onUpdate(ID_ACCOUNT_CASH_POSITIONS, [this](fw::CmdUI& ui) {
        const CTDoc* doc = GetDocument();
        ui.enable(CanAccess(ID_ACCOUNT_CASH_POSITIONS, 0) && doc != nullptr
            && doc->GetRowData(doc->GetCurrentIndex()) != nullptr);
    });
    commands().onCommand(ID_ACCOUNT_CASH_POSITIONS, [this] { OnCashPositions(); });
}

void CTrAccView::OnCashPositions()
{
    const auto* doc = dynamic_cast<const CTrAccDoc*>(GetDocument());
    const KvTradingAccountRow* row = doc == nullptr ? nullptr : doc->Row(doc->GetCurrentIndex());
    if (row == nullptr)
        return;
    // The window lists the user's own accounts, so they are the user's firm's.
    CCurPosFilter criteria;
    criteria.m_nKind = CCurPosFilter::kTradingAccounts;
    criteria.m_strAccount = row->szAccount;
    if (const CSession* session = KvSession())
        criteria.m_strFirm = session->m_sUserFirm;
    KvOpenCashPositions(criteria);
}

CTrAccView::~CTrAccView() = default;

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

void KvBindPositionCommands(fw::CommandMap& map)
{
    map.onCommand(ID_POSITION_TRADING_ACCOUNTS, [] {
        if (CKvAppCore* app = CKvAppCore::Instance())
            app->OpenTable(CTrAccDoc::kTableId, true, true, nullptr);
    });
    map.onUpdate(ID_POSITION_TRADING_ACCOUNTS,
        [](fw::CmdUI& ui) { ui.enable(ps != nullptr && CanAccess(ID_POSITION_TRADING_ACCOUNTS, 0)); });
    map.onCommand(ID_ACCOUNT_POSITIONS, [] {
        CKvAppCore* app = CKvAppCore::Instance();
        if (app == nullptr || ps == nullptr)
            return;
        CSecPosFilter criteria;
        CFilterSecPosDlg dlg(criteria);
        if (dlg.doModal() != fw::IDOK)
            return;
        if (auto* doc = dynamic_cast<CTrdAccSummDoc*>(app->OpenTable(CTrdAccSummDoc::kTableId, false, true, nullptr))) {
            doc->Criteria() = criteria;
            doc->TakeFilter();
        }
    });
    map.onUpdate(ID_ACCOUNT_POSITIONS, [](fw::CmdUI& ui) { ui.enable(ps != nullptr && CanAccess(ID_ACCOUNT_POSITIONS, 0)); });
}
