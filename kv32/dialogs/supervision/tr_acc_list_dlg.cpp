#include "kv32/dialogs/supervision/tr_acc_list_dlg.h"

#include <cstring>

#include "fw/core/msgbox.h"
#include "fw/ui/commondlg.h"
#include "kv32/dialogs/supervisor_requests.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/res/supervision_b_ids.h"
#include "kv32/tables/all_tables.h"
#include "kv32/trading/active_row.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/prompts.h"

namespace {

constexpr unsigned kFirmAccountsCommand = 32893;
constexpr uint32_t kParticipantsTable = 17;

} // namespace

CTrAccListDlg::CTrAccListDlg(QWidget* parent)
    : CKvDialog(Kv32AccountDialog(IDD_TRACC_LIST), parent)
{
    const KvActiveRow* row = KvActiveListRow();
    if (row != nullptr && row->TableId() == kParticipantsTable && row->RecordIndex() >= 0
        && row->RecordIndex() < ParticipantTable().GetCount())
        m_nFirmRow = row->RecordIndex();
    commands().onNotify(IDC_STA_FIRM, fw::Notify::SelChange, [this] { FirmChanged(); });
    commands().onNotify(IDC_STA_ACCOUNT, fw::Notify::SelChange, [this] { AccountChanged(); });
}

bool CTrAccListDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    CParticipantTable& firms = ParticipantTable();
    int selected = -1;
    for (int i = 0; i < firms.GetCount(); ++i) {
        const int line = addString(IDC_STA_FIRM, firms.GetRec(i)->szName);
        setItemData(IDC_STA_FIRM, line, static_cast<uint64_t>(i));
        if (i == m_nFirmRow)
            selected = line;
    }
    setCurSel(IDC_STA_FIRM, selected);
    FirmChanged();
    return true;
}

std::string CTrAccListDlg::FirmCode() const
{
    const int line = curSel(IDC_STA_FIRM);
    if (line < 0)
        return {};
    const int row = static_cast<int>(itemData(IDC_STA_FIRM, line));
    CParticipantTable& firms = ParticipantTable();
    return row >= 0 && row < firms.GetCount() ? std::string(firms.GetRec(row)->szCode) : std::string();
}

void CTrAccListDlg::FirmChanged()
{
    const std::string previous = itemText(IDC_STA_ACCOUNT);
    const std::string firm = FirmCode();
    {
        fw::WaitCursor wait;
        if (firm.empty())
            m_accounts.Clear();
        else
            m_accounts.Request(firm);
    }
    KvShowHostAccounts(*this, m_accounts.Rows(), previous);
}

void CTrAccListDlg::AccountChanged()
{
    KvShowAccountStatus(*this, m_accounts.Rows());
}

void KvShowHostAccounts(fw::Dialog& d, const std::vector<KvHostAccount>& rows, const std::string& previous)
{
    d.resetContent(IDC_STA_ACCOUNT);
    for (const KvHostAccount& a : rows)
        d.addString(IDC_STA_ACCOUNT, a.code);
    const int again = previous.empty() ? -1 : d.findStringExact(IDC_STA_ACCOUNT, -1, previous);
    d.setCurSel(IDC_STA_ACCOUNT, again >= 0 ? again : (rows.empty() ? -1 : 0));
    d.enableItem(fw::kIdOk, !rows.empty());
    KvShowAccountStatus(d, rows);
}

void KvShowAccountStatus(fw::Dialog& d, const std::vector<KvHostAccount>& rows)
{
    const int row = FindHostAccount(rows, d.itemText(IDC_STA_ACCOUNT));
    const bool active = row >= 0 && rows[static_cast<size_t>(row)].status == 'A';
    d.checkButton(IDC_STA_UNSUSPENDED, active ? 1 : 0);
    d.checkButton(IDC_STA_SUSPENDED, active ? 0 : 1);
}

void CTrAccListDlg::onOK()
{
    if (AreYouShure(0u) != fw::IDYES)
        return;
    const std::string account = itemText(IDC_STA_ACCOUNT);
    if (account.empty())
        return;
    std::string record = BuildTrAccStatusRecord(KvRequestUser(), isButtonChecked(IDC_STA_SUSPENDED) != 0, FirmCode(),
        account, KvSessionFlagLetter(), KvDisplayLetter());
    if (!record.empty())
        VORLTransaction(kTrOperator, record.data(), static_cast<int>(record.size()), 1);
    // Read again what the host now holds; the dialog stays for the next account.
    FirmChanged();
}

int KvOpenTrAccListDlg(QWidget* parent)
{
    CTrAccListDlg dlg(parent);
    return dlg.doModal();
}

void KvInstallTrAccListDialog()
{
    KvSetCommandDialog(kFirmAccountsCommand, [](int) { return KvOpenTrAccListDlg(); });
}
