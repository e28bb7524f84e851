#include "kv32/windows/cash_positions_view.h"

#include "fw/core/command.h"
#include "fw/core/msgbox.h"
#include "kv32/dialogs/supervision/set_limits_dlg.h"
#include "kv32/filters/dialogs/filter_dlgs.h"
#include "kv32/lists/cash_positions_list.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/res/cash_positions_strings.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/res/party_window_strings.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/logon.h"
#include "kvcore/frame/app_core.h"

namespace {

// Each limits command belongs to one kind of criteria.
constexpr struct {
    unsigned id;
    int kind;
} kLimitCommands[] = {
    { ID_CASH_FIRM_LIMITS, CCurPosFilter::kFirms },
    { ID_CASH_TRADER_LIMITS, CCurPosFilter::kUsers },
    { ID_CASH_ACCOUNT_LIMITS, CCurPosFilter::kTradingAccounts },
};

} // namespace

CCurPosView::CCurPosView(QWidget* parent)
    : CTView(parent)
{
    Kv32RegisterCashPositionResources();
    Kv32RegisterListWindowResources();
    for (const auto& command : kLimitCommands) {
        commands().onCommand(command.id, [this] { OnSetLimits(); });
        commands().onUpdate(command.id, [this, command](fw::CmdUI& ui) {
            const auto* doc = dynamic_cast<const CCurPosDoc*>(GetDocument());
            if (doc == nullptr || doc->Criteria().m_nKind != command.kind) {
                ui.remove();
                ui.enable(false);
                return;
            }
            ui.enable(CanAccess(command.id, 0) && doc->Row(doc->GetCurrentIndex()) != nullptr);
        });
    }
    commands().onCommand(ID_OPTIONS_FILTER, [this] { OnFilter(); });
    commands().onUpdate(ID_OPTIONS_FILTER, [this](fw::CmdUI& ui) {
        ui.enable(dynamic_cast<CCurPosDoc*>(GetDocument()) != nullptr);
    });
}

CCurPosView::~CCurPosView() = default;

void CCurPosView::OnSetLimits()
{
    auto* doc = dynamic_cast<CCurPosDoc*>(GetDocument());
    if (doc == nullptr)
        return;
    const KvCashPositionRow* row = doc->Row(doc->GetCurrentIndex());
    if (row == nullptr)
        return;
    KvRunSetLimits(KvLimitRowOf(*row), doc->Criteria().m_nKind, this);
}

void CCurPosView::OnFilter()
{
    auto* doc = dynamic_cast<CCurPosDoc*>(GetDocument());
    if (doc == nullptr)
        return;
    CCurPosFilter criteria = doc->Criteria();
    CFilterCurPosDlg dlg(criteria);
    if (dlg.doModal() != fw::IDOK)
        return;
    KvWaitCursor wait;
    doc->TakeFilter(criteria);
}

CCurPosDoc* KvOpenCashPositions(const CCurPosFilter& criteria)
{
    CKvAppCore* app = CKvAppCore::Instance();
    if (app == nullptr)
        return nullptr;
    CCurPosFilter key = criteria;
    auto* doc = dynamic_cast<CCurPosDoc*>(app->OpenTable(CCurPosDoc::kTableId, true, true, &key));
    if (doc != nullptr)
        doc->TakeFilter(criteria);
    return doc;
}

void KvInstallCashPositionsOpeners()
{
    KvSetCommandDialog(ID_USER_CASH_POSITIONS, [](int userRow) {
        CCurPosFilter criteria;
        criteria.m_nKind = CCurPosFilter::kUsers;
        if (userRow >= 0 && userRow < TraderTable().GetCount()) {
            const TraderRec& user = *TraderTable().GetRec(userRow);
            criteria.m_strUser = user.szCode;
            criteria.m_strFirm = user.szFirm;
        }
        return KvOpenCashPositions(criteria) != nullptr ? static_cast<int>(fw::IDOK) : static_cast<int>(fw::IDCANCEL);
    });
    KvSetCommandDialog(ID_FIRM_CASH_POSITIONS, [](int firmRow) {
        if (firmRow < 0 || firmRow >= ParticipantTable().GetCount())
            return static_cast<int>(fw::IDCANCEL);
        CCurPosFilter criteria;
        criteria.m_nKind = CCurPosFilter::kFirms;
        criteria.m_strFirm = ParticipantTable().GetRec(firmRow)->szCode;
        return KvOpenCashPositions(criteria) != nullptr ? static_cast<int>(fw::IDOK) : static_cast<int>(fw::IDCANCEL);
    });
}
