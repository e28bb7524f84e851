#include "kv32/dialogs/supervision/tr_acc_dlg.h"

#include "fw/core/msgbox.h"
#include "kv32/res/supervision_b_ids.h"
#include "kv32/shell/session.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/prompts.h"
#include "kv32/shell/text_format.h"

namespace {

CTrAccLocalArray& SessionList()
{
    // Without a session the dialog edits a list nobody keeps.
    static CTrAccLocalArray none;
    CTrAccLocalArray* list = GetCurrentSessionData();
    return list != nullptr ? *list : none;
}

} // namespace

CTrAccAddDlg::CTrAccAddDlg(std::string account, std::string comment, QWidget* parent)
    : CKvDialog(Kv32AccountDialog(IDD_TRACC_ADD), parent)
    , m_sAccount(std::move(account))
    , m_sComment(std::move(comment))
{
    commands().onNotify(IDC_TRA_ACCOUNT, fw::Notify::Change, [this] { OkRule(); });
    commands().onNotify(IDC_TRA_COMMENT, fw::Notify::Change, [this] { OkRule(); });
}

bool CTrAccAddDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    setItemText(IDC_TRA_ACCOUNT, m_sAccount);
    setItemText(IDC_TRA_COMMENT, m_sComment);
    OkRule();
    return true;
}

void CTrAccAddDlg::OkRule()
{
    enableItem(fw::kIdOk, CTrAccEditForm::EntryOkEnabled(itemText(IDC_TRA_ACCOUNT), itemText(IDC_TRA_COMMENT)));
}

void CTrAccAddDlg::onOK()
{
    m_sAccount = itemText(IDC_TRA_ACCOUNT);
    m_sComment = itemText(IDC_TRA_COMMENT);
    if (!CTrAccEditForm::EntryOkEnabled(m_sAccount, m_sComment))
        return;
    CKvDialog::onOK();
}

CTrAccDlg::CTrAccDlg(QWidget* parent)
    : CTrAccDlg(SessionList(), KvTrAccFilePath(), parent)
{
}

CTrAccDlg::CTrAccDlg(CTrAccLocalArray& list, std::filesystem::path file, QWidget* parent)
    : CKvDialog(Kv32AccountDialog(IDD_TRACC), parent)
    , m_form(list)
    , m_file(std::move(file))
{
    commands().onNotify(IDC_TRA_LIST, fw::Notify::SelChange, [this] { SelectionChanged(); });
    commands().onNotify(IDC_TRA_LIST, fw::Notify::DblClk, [this] { OnChange(); });
    commands().onNotify(IDC_TRA_ADD, fw::Notify::Clicked, [this] { OnAdd(); });
    commands().onNotify(IDC_TRA_CHANGE, fw::Notify::Clicked, [this] { OnChange(); });
    commands().onNotify(IDC_TRA_DELETE, fw::Notify::Clicked, [this] { OnDelete(); });
}

bool CTrAccDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    Refill(m_form.Entries().empty() ? -1 : 0);
    return true;
}

void CTrAccDlg::Refill(int selection)
{
    resetContent(IDC_TRA_LIST);
    for (const CTrAccLocal& entry : m_form.Entries())
        addString(IDC_TRA_LIST, entry.account);
    setCurSel(IDC_TRA_LIST, selection);
    SelectionChanged();
}

void CTrAccDlg::SelectionChanged()
{
    const int index = curSel(IDC_TRA_LIST);
    const bool selected = index >= 0 && index < static_cast<int>(m_form.Entries().size());
    setItemText(IDC_TRA_COMMENT, selected ? m_form.Entries()[static_cast<size_t>(index)].text : std::string());
    enableItem(IDC_TRA_CHANGE, selected);
    enableItem(IDC_TRA_DELETE, selected);
}

void CTrAccDlg::OnAdd()
{
    CTrAccAddDlg add({}, {}, this);
    if (add.doModal() != fw::IDOK)
        return;
    int position = -1;
    switch (m_form.Add(add.Account(), add.Comment(), position)) {
    case KvTrAccEdit::Done:
        Refill(position);
        break;
    case KvTrAccEdit::ListFull:
        KvMessageBox(Kv32AccountDialogString(IDS_ACC_LIST_FULL), fw::MB_ICONEXCLAMATION);
        break;
    default:
        KvMessageBox(Kv32AccountDialogString(IDS_ACC_INVALID_VALUE), fw::MB_ICONSTOP);
        break;
    }
}

void CTrAccDlg::OnChange()
{
    const int index = curSel(IDC_TRA_LIST);
    if (index < 0 || index >= static_cast<int>(m_form.Entries().size()))
        return;
    const CTrAccLocal entry = m_form.Entries()[static_cast<size_t>(index)];
    CTrAccAddDlg change(entry.account, entry.text, this);
    if (change.doModal() != fw::IDOK)
        return;
    int position = -1;
    if (m_form.Change(index, change.Account(), change.Comment(), position) == KvTrAccEdit::Done)
        Refill(position);
    else
        KvMessageBox(Kv32AccountDialogString(IDS_ACC_INVALID_VALUE), fw::MB_ICONSTOP);
}

void CTrAccDlg::OnDelete()
{
    const int index = curSel(IDC_TRA_LIST);
    if (index < 0 || index >= static_cast<int>(m_form.Entries().size()))
        return;
    if (AreYouShure(0u) != fw::IDYES)
        return;
    int selection = -1;
    if (m_form.Delete(index, selection) == KvTrAccEdit::Done)
        Refill(selection);
}

void CTrAccDlg::onOK()
{
    if (!m_form.Save(m_file)) {
        // The dialog stays open with the list as edited, so nothing is lost.
        KvMessageBox(KvFillText(Kv32AccountDialogString(IDS_ACC_FILE_NOT_WRITTEN), { m_file.string() }),
            fw::MB_ICONSTOP);
        return;
    }
    endDialog(fw::IDOK);
}

void CTrAccDlg::onCancel()
{
    m_form.Restore();
    endDialog(fw::IDCANCEL);
}

int KvRunTrAccDialog()
{
    if (GetCurrentSessionData() == nullptr)
        return fw::IDCANCEL;
    CTrAccDlg dlg;
    return dlg.doModal();
}
