#include "kv32/windows/users_view.h"

#include "fw/core/msgbox.h"
#include "kv32/dialogs/supervisor_dlgs.h"
#include "kv32/filters/orders_filter.h"
#include "kv32/filters/trading_filters.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/lists/users_list.h"
#include "kv32/res/party_window_strings.h"
#include "kv32/tables/neg_deal_table.h"
#include "kv32/tables/order_record.h"
#include "kv32/tables/trade_table.h"
#include "kvcore/frame/app_core.h"

namespace {

const TraderRec* AsUser(const std::uint8_t* record)
{
    return reinterpret_cast<const TraderRec*>(record);
}

template <class Filter, class Rec> bool ListOnly(CListCriteria& criteria, const std::vector<std::string>& users)
{
    auto* own = dynamic_cast<CCriteriaOf<Filter, Rec>*>(&criteria);
    if (own == nullptr)
        return false;
    Filter& f = own->Get();
    f.Reset();
    // Both switches off, or the user list would not apply.
    f.m_bNoFiltering = 0;
    f.m_bAllUsers = 0;
    f.m_aUsers.insert(f.m_aUsers.end(), users.begin(), users.end());
    return true;
}

} // namespace

bool KvListOnlyUsers(CTableIndexDoc& doc, const std::vector<std::string>& users)
{
    if (users.empty())
        return false;
    CListCriteria& c = doc.Filter();
    return ListOnly<COrdersFilter, COrderRec>(c, users) || ListOnly<CTradesFilter, CTradeRec>(c, users)
        || ListOnly<CNDealsFilter, CNegDealRec>(c, users);
}

CTradersView::CTradersView(QWidget* parent)
    : CListView(parent)
{
    Kv32RegisterPartyWindowResources();
    const auto allows = [](unsigned id) {
        return [id](const std::uint8_t* current) { return UserCommandAllowed(id, AsUser(current)); };
    };
    for (unsigned id : { ID_USER_LOGOFF, ID_USER_SUSPEND, ID_USER_UNSUSPEND, ID_USER_APPROVE_ON, ID_USER_APPROVE_OFF })
        MapCommand(id, KvCommandRule::NeedCurrentRow, allows(id), [this, id] { OnUserTransaction(id); });

    // The supervisor's dialogs take the current user.
    MapCommand(ID_USER_PASSWORD, KvCommandRule::NeedCurrentRow, nullptr, [this] {
        CUserPassDlg dlg(CurrentCode(), this);
        dlg.doModal();
    });
    MapCommand(ID_USER_NET_ADDRESS, KvCommandRule::NeedCurrentRow, nullptr, [this] {
        CNetAddressDlg dlg(CurrentCode(), this);
        dlg.doModal();
    });
    MapCommand(ID_USER_LOGON_VERIFY, KvCommandRule::NeedCurrentRow, nullptr, [this] {
        CLogonVerDlg dlg(CLogonVerDlg::kTradersTable, CurrentCode(), this);
        dlg.doModal();
    });
    MapCommand(ID_PERMISSION_ACCESS, KvCommandRule::NeedCurrentRow, nullptr, [this] {
        CAccessDlg dlg(this);
        dlg.doModal();
    });
    MapCommand(ID_PERMISSION_ROLE, KvCommandRule::NeedCurrentRow, nullptr, [this] {
        const CTableIndexDoc* doc = GetListDoc();
        const TraderRec* user = doc == nullptr ? nullptr : AsUser(doc->GetRowData(doc->GetCurrentIndex()));
        if (user == nullptr)
            return;
        CDefaultRoleDlg dlg(user->szCode, user->szRole, this);
        dlg.doModal();
    });
    // The permission and alert dialogs take the user's row of the trader table.
    const auto hostRow = [this] {
        const CTableIndexDoc* doc = GetListDoc();
        return doc == nullptr ? -1 : doc->HostIndexOfRow(doc->GetCurrentIndex());
    };
    for (unsigned id : { ID_PERMISSION_SET, ID_PERMISSION_DELETE, ID_USER_ALERT_DEFS })
        MapDialogCommand(id, KvCommandRule::NeedCurrentRow, nullptr, hostRow);

    MapCommand(ID_USER_ALERTS_VIEW, KvCommandRule::Permitted,
        [](const std::uint8_t*) { return KvHasListWindow(27); }, [this] { OpenTable(27); });
    // The cash positions window installs its opener, given the user's row
    // of the trader table (-1 without a current user).
    MapDialogCommand(ID_USER_CASH_POSITIONS, KvCommandRule::Always, nullptr, hostRow);
    for (const auto& [id, table] : { std::pair { ID_USER_ORDERS, 8u }, std::pair { ID_USER_TRADES, 9u },
             std::pair { ID_USER_DEALS, 10u } })
        MapCommand(id, KvCommandRule::Always, nullptr, [this, table = table] { OnOpenForUsers(table); });
}

CTradersView::~CTradersView() = default;

std::string CTradersView::CurrentCode() const
{
    const CTableIndexDoc* doc = GetListDoc();
    const TraderRec* user = doc == nullptr ? nullptr : AsUser(doc->GetRowData(doc->GetCurrentIndex()));
    return user == nullptr ? std::string() : std::string(user->szCode);
}

void CTradersView::OnUserTransaction(unsigned commandId)
{
    const CTableIndexDoc* doc = GetListDoc();
    if (doc == nullptr)
        return;
    KvRowAction action;
    action.build = [doc, commandId](unsigned row) -> std::optional<KvRowTransaction> {
        const TraderRec* user = AsUser(doc->GetRowData(static_cast<int>(row)));
        if (user == nullptr)
            return std::nullopt;
        return UserTransaction(commandId, *user);
    };
    SendForSelection(action);
}

void CTradersView::OnOpenForUsers(std::uint32_t tableId)
{
    std::vector<std::string> users;
    if (const CTableIndexDoc* doc = GetListDoc())
        for (unsigned row : KvSortedSelection(SelectedRows()))
            if (const TraderRec* user = AsUser(doc->GetRowData(static_cast<int>(row))))
                users.emplace_back(user->szCode);
    CKvAppCore* app = CKvAppCore::Instance();
    if (app == nullptr || !KvHasListWindow(tableId))
        return;
    auto* list = dynamic_cast<CTableIndexDoc*>(app->OpenTable(tableId, true, true, nullptr));
    if (list != nullptr && KvListOnlyUsers(*list, users))
        list->UpdateDocument(0, nullptr);
}
