#include "kv32/dialogs/permission_dlg.h"

#include "fw/core/msgbox.h"
#include "fw/ui/text.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/res/deal_dialogs_ids.h"
#include "kv32/res/market_dialogs_ids.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"

namespace {

constexpr unsigned kSetCommand = 33182;
constexpr unsigned kDeleteCommand = 33183;

constexpr struct {
    uint32_t id;
    int scope;
} kScopeButtons[] = {
    { IDC_PM_BOARD, kScopeBoard },
    { IDC_PM_MARKET, kScopeMarket },
    { IDC_PM_INSTRUMENT, kScopeInstrument },
    { IDC_PM_INDUSTRY, kScopeIndustry },
    { IDC_PM_SECTOR, kScopeSector },
    { IDC_PM_SECURITY, kScopeSecurity },
};

} // namespace

int KvOpenPermissionDlg(const std::string& firm, const std::string& user, const std::string& priority,
    bool deleteMode)
{
    CPermissionDlg dlg;
    dlg.SetFirm(firm);
    dlg.SetUser(user);
    dlg.SetPriority(priority);
    dlg.SetDeleteMode(deleteMode);
    return dlg.doModal();
}

int KvOpenPermissionDlgForUser(int userRow, bool deleteMode)
{
    CTraderTable& users = TraderTable();
    if (userRow < 0 || userRow >= users.GetCount())
        return fw::IDCANCEL;
    const TraderRec& u = *users.GetRec(userRow);
    return KvOpenPermissionDlg(u.szFirm, u.szCode, u.szRole, deleteMode);
}

void KvInstallPermissionDialog()
{
    KvSetCommandDialog(kSetCommand, [](int userRow) { return KvOpenPermissionDlgForUser(userRow, false); });
    KvSetCommandDialog(kDeleteCommand, [](int userRow) { return KvOpenPermissionDlgForUser(userRow, true); });
}

CPermissionDlg::CPermissionDlg(QWidget* parent)
    : CKvDialog(Kv32MarketDialog(IDD_PERMISSION), parent)
{
    for (const auto& b : kScopeButtons)
        commands().onNotify(b.id, fw::Notify::Clicked, [this, scope = b.scope] { ScopeChosen(scope); });
}

CPermissionDlg::~CPermissionDlg() = default;

bool CPermissionDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    if (m_bDelete) {
        const std::string deleteText = Kv32MarketDialogString(IDS_PM_DELETE);
        setWindowTitle(fw::toQt(deleteText + ' ') + windowTitle());
        setItemText(fw::kIdOk, deleteText);
    }
    for (const std::string& code : ParticipantTable().FillCodes())
        addString(IDC_PM_FIRM, code);
    for (const std::string& code : TraderTable().FillCodes())
        addString(IDC_PM_USER, code);
    setItemText(IDC_PM_FIRM, m_sFirm);
    setItemText(IDC_PM_USER, m_sUser);
    setItemText(IDC_PM_PRIORITY, m_sPriority);
    showItem(IDC_PM_INDUSTRY_CODE, false);
    return true;
}

void CPermissionDlg::ScopeChosen(int scope)
{
    m_nScope = scope;
    resetContent(IDC_PM_ITEMS);
    m_items.clear();
    const bool industry = scope == kScopeIndustry;
    showItem(IDC_PM_INDUSTRY_CODE, industry);
    showItem(IDC_PM_ITEMS, !industry);
    if (industry)
        return;
    m_items = PermissionScopeItems(scope);
    for (const KvPermissionItem& item : m_items)
        addString(IDC_PM_ITEMS, item.name);
    setCurSel(IDC_PM_ITEMS, -1);
}

void CPermissionDlg::onOK()
{
    const int at = curSel(IDC_PM_ITEMS);
    if (m_nScope != kScopeIndustry && (at < 0 || at >= static_cast<int>(m_items.size()))) {
        gotoItem(IDC_PM_ITEMS);
        return;
    }
    KvPermissionInput in;
    in.user = ps != nullptr ? ps->m_sUser : std::string();
    in.deleteMode = m_bDelete;
    in.firm = itemText(IDC_PM_FIRM);
    in.userText = itemText(IDC_PM_USER);
    in.scope = m_nScope;
    in.code = m_nScope == kScopeIndustry ? itemText(IDC_PM_INDUSTRY_CODE) : m_items[static_cast<size_t>(at)].code;
    in.negated = isButtonChecked(IDC_PM_NOT) != 0;
    in.priority = itemText(IDC_PM_PRIORITY);
    in.role = itemText(IDC_PM_ROLE);
    const KvPermissionRecord record = BuildPermissionRecord(in);
    if (record.failed != KvPermissionField::None) {
        KvMessageBox(Kv32DealDialogString(IDS_INVALID_VALUE), fw::MB_ICONSTOP);
        switch (record.failed) {
        case KvPermissionField::Firm:
            gotoItem(IDC_PM_FIRM);
            break;
        case KvPermissionField::User:
            gotoItem(IDC_PM_USER);
            break;
        case KvPermissionField::Priority:
            gotoItem(IDC_PM_PRIORITY);
            break;
        case KvPermissionField::Role:
            gotoItem(IDC_PM_ROLE);
            break;
        default:
            gotoItem(m_nScope == kScopeIndustry ? IDC_PM_INDUSTRY_CODE : IDC_PM_ITEMS);
            break;
        }
        return;
    }
    std::string text = record.text;
    if (VORLTransaction(kPermissionTransaction, text.data(), static_cast<int>(text.size()), 1))
        endDialog(fw::IDOK);
}
