#include "kv32/windows/view_openers.h"

#include "fw/core/command.h"
#include "kv32/filters/party_filters.h"
#include "kv32/lists/list_criteria.h"
#include "kv32/lists/users_list.h"
#include "kv32/tables/right_table.h"
#include "kv32/tables/trader_table.h"
#include "kv32/windows/cash_positions_view.h"
#include "kvcore/app/logon.h"
#include "kvcore/app/session_core.h"
#include "kvcore/frame/app_core.h"

namespace {

constexpr struct {
    unsigned id;
    int kind;
} kCashOpeners[] = {
    { ID_VIEW_CASH_FIRM, CCurPosFilter::kFirms },
    { ID_VIEW_CASH_ACCOUNT, CCurPosFilter::kTradingAccounts },
    { ID_VIEW_CASH_USER, CCurPosFilter::kUsers },
};

void OpenUsers()
{
    CKvAppCore* app = CKvAppCore::Instance();
    if (app == nullptr)
        return;
    auto* doc = dynamic_cast<CTradersDoc*>(app->OpenTable(CTradersDoc::kTableId, true, true, nullptr));
    if (doc == nullptr)
        return;
    constexpr int kUsersMessageType = 18, kAllUsers = 0x8;
    // A supervisor who may not see every user starts on his own firm's.
    if ((RightTable().GetValue(kUsersMessageType) & kAllUsers) == 0) {
        if (auto* criteria = dynamic_cast<CCriteriaOf<CTradersFilter, TraderRec>*>(&doc->Filter())) {
            criteria->Get().m_bNoFiltering = 0;
            criteria->Get().m_strText = OwnFirmCode();
        }
    }
    doc->ApplyFilter(true);
    doc->UpdateDocument(0, nullptr);
}

} // namespace

void KvBindViewOpeners(fw::CommandMap& map)
{
    for (const auto& opener : kCashOpeners) {
        map.onCommand(opener.id, [kind = opener.kind] {
            CCurPosFilter criteria;
            criteria.m_nKind = kind;
            KvOpenCashPositions(criteria);
        });
    }
    map.onCommand(ID_VIEW_USERS, [] { OpenUsers(); });
    for (unsigned id : { ID_VIEW_CASH_FIRM, ID_VIEW_CASH_ACCOUNT, ID_VIEW_CASH_USER, ID_VIEW_USERS })
        map.onUpdate(id, [id](fw::CmdUI& ui) { ui.enable(ps != nullptr && CanAccess(id, 0)); });
}
