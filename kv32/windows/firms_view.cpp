#include "kv32/windows/firms_view.h"

#include "kv32/dialogs/supervision/suspend_dlg.h"
#include "kv32/dialogs/supervisor_dlgs.h"
#include "kv32/lists/firms_list.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/lists/position_lists.h"
#include "kv32/res/party_window_strings.h"
#include "kvcore/frame/app_core.h"

namespace {

const ParticipantRec* AsFirm(const std::uint8_t* record)
{
    return reinterpret_cast<const ParticipantRec*>(record);
}

} // namespace

CFirmsView::CFirmsView(QWidget* parent)
    : CListView(parent)
{
    Kv32RegisterPartyWindowResources();
    const auto allows = [](unsigned id) {
        return [id](const std::uint8_t* current) { return FirmCommandAllowed(id, AsFirm(current)); };
    };
    for (unsigned id : { ID_FIRM_SUSPEND, ID_FIRM_UNSUSPEND })
        MapCommand(id, KvCommandRule::NeedCurrentRow, allows(id), [this, id] { OnFirmTransaction(id); });
    for (const auto& [id, kind] : { std::pair { ID_ISSUER_SUSPEND, int { kSuspendIssuer } },
             std::pair { ID_ISSUER_UNSUSPEND, int { kUnsuspendIssuer } } })
        MapCommand(id, KvCommandRule::NeedCurrentRow, allows(id), [this, kind = kind] {
            const ParticipantRec* firm = CurrentFirm();
            KvRunSuspend(kind, firm == nullptr ? std::string() : std::string(firm->szName), std::string(), this);
        });
    MapCommand(ID_FIRM_LOGON_VERIFY, KvCommandRule::NeedCurrentRow, nullptr, [this] {
        const ParticipantRec* firm = CurrentFirm();
        CLogonVerDlg dlg(CLogonVerDlg::kFirmsTable, firm == nullptr ? std::string() : std::string(firm->szCode), this);
        dlg.doModal();
    });
    const auto hostRow = [this] {
        const CTableIndexDoc* doc = GetListDoc();
        return doc == nullptr ? -1 : doc->HostIndexOfRow(doc->GetCurrentIndex());
    };
    MapDialogCommand(ID_FIRM_ALERT_DEFS, KvCommandRule::NeedCurrentRow, nullptr, hostRow);
    MapDialogCommand(ID_FIRM_TRADING_ACCOUNTS, KvCommandRule::NeedCurrentRow, nullptr, nullptr);
    MapCommand(ID_FIRM_ALERTS_VIEW, KvCommandRule::Permitted,
        [](const std::uint8_t*) { return KvHasListWindow(25); }, [this] { OpenTable(25); });
    // The cash positions window installs its opener, given the firm's row of
    // the participant table.
    MapDialogCommand(ID_FIRM_CASH_POSITIONS, KvCommandRule::NeedCurrentRow, nullptr, hostRow);
    MapCommand(ID_FIRM_SECURITY_HOLDINGS, KvCommandRule::NeedCurrentRow,
        [](const std::uint8_t*) { return KvHasListWindow(CCurPosSecsDoc::kTableId); }, [this] { OnSecurityHoldings(); });
    // The menu's permission entries are the users window's.
    for (unsigned id : { ID_PERMISSION_SET, ID_PERMISSION_DELETE })
        MapCommand(id, KvCommandRule::AlwaysOff, nullptr, [] { });
}

CFirmsView::~CFirmsView() = default;

const ParticipantRec* CFirmsView::CurrentFirm() const
{
    const CTableIndexDoc* doc = GetListDoc();
    return doc == nullptr ? nullptr : AsFirm(doc->GetRowData(doc->GetCurrentIndex()));
}

void CFirmsView::OnFirmTransaction(unsigned commandId)
{
    const CTableIndexDoc* doc = GetListDoc();
    if (doc == nullptr)
        return;
    KvRowAction action;
    action.build = [doc, commandId](unsigned row) -> std::optional<KvRowTransaction> {
        const ParticipantRec* firm = AsFirm(doc->GetRowData(static_cast<int>(row)));
        if (firm == nullptr)
            return std::nullopt;
        return FirmTransaction(commandId, *firm);
    };
    SendForSelection(action);
}

void CFirmsView::OnSecurityHoldings()
{
    const ParticipantRec* firm = CurrentFirm();
    const std::string code = firm == nullptr ? std::string() : std::string(firm->szCode);
    CKvAppCore* app = CKvAppCore::Instance();
    if (app == nullptr)
        return;
    // An open window of the firm is brought up; another firm gets a new one.
    std::string key = code;
    auto* holdings = dynamic_cast<CCurPosSecsDoc*>(app->OpenTable(CCurPosSecsDoc::kTableId, true, true, &key));
    if (holdings == nullptr)
        return;
    holdings->SetFirm(code);
    holdings->ApplyFilter(true);
}
