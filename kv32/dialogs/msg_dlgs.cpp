#include "kv32/dialogs/msg_dlgs.h"

#include <QDesktopServices>
#include <utility>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QUrl>

#include "fw/core/msgbox.h"
#include "fw/ui/datetimefield.h"
#include "fw/ui/text.h"
#include "kv32/dialogs/news_dlgs.h"
#include "kv32/res/message_dialogs_ids.h"
#include "kv32/shell/news_opener.h"
#include "kv32/shell/shell_dialogs.h"
#include "kv32/shell/ui_port.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/session_core.h"

namespace {

constexpr unsigned kBeepExclamation = 0x30;
constexpr uint32_t kDisplayRadios[] = { IDC_MSG_URGENT, IDC_MSG_REGULAR, IDC_MSG_NON_DISPLAY };

std::string TimeOfDay(const CDateTime& t)
{
    return t.IsValid() ? t.FormatTime() : std::string();
}

} // namespace

bool KvSendableText(const fw::Dialog& dialog, uint32_t id, std::string& text)
{
    const auto* edit = dialog.itemAs<QPlainTextEdit>(id);
    if (edit == nullptr) {
        text = dialog.itemText(id);
        return true;
    }
    const QString typed = edit->toPlainText();
    std::string bytes = fw::fromQt(typed);
    // fromQt puts '?' for what Windows-1250 cannot hold: a text that does not
    // come back the same holds such a character.
    if (fw::toQt(bytes) != typed)
        return false;
    text = std::move(bytes);
    return true;
}

void KvTypingLimit::Attach(fw::Dialog& dialog, uint32_t id, int limit)
{
    auto* edit = dialog.itemAs<QPlainTextEdit>(id);
    if (edit == nullptr)
        return;
    m_nLimit = limit;
    m_last = edit->toPlainText();
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [this, edit] {
        const QString now = edit->toPlainText();
        if (std::exchange(m_bTrusted, false) || now.size() <= m_nLimit || now.size() <= m_last.size()) {
            m_last = now;
            return;
        }
        const QSignalBlocker quiet(edit);
        edit->setPlainText(m_last);
        edit->moveCursor(QTextCursor::End);
    });
}

// ---- Send Message ----

CMsgSendDlg::CMsgSendDlg(QWidget* parent)
    : CKvDialog(Kv32MessageDialog(IDD_SEND_MESSAGE), parent)
{
    commands().onNotify(IDC_MSG_FIRM, fw::Notify::SelChange, [this] {
        m_form.SelectFirm(curSel(IDC_MSG_FIRM));
        ShowLists();
    });
    commands().onNotify(IDC_MSG_USER, fw::Notify::SelChange, [this] { m_form.SelectUser(curSel(IDC_MSG_USER)); });
    commands().onNotify(IDC_MSG_ALL_FIRMS, fw::Notify::Clicked, [this] {
        m_form.SetAllFirms(isButtonChecked(IDC_MSG_ALL_FIRMS) != 0);
        ApplyRules();
    });
    commands().onNotify(IDC_MSG_ALL_USERS, fw::Notify::Clicked, [this] {
        m_form.SetAllUsers(isButtonChecked(IDC_MSG_ALL_USERS) != 0);
        ApplyRules();
    });
    commands().onNotify(IDC_MSG_DRAFT, fw::Notify::SelChange, [this] {
        if (m_form.ChooseDraft(curSel(IDC_MSG_DRAFT))) {
            m_limit.Trust();
            setItemText(IDC_MSG_TEXT, m_form.m_sText);
        }
    });
    commands().onNotify(IDC_MSG_TEXT, fw::Notify::Change, [this] { TextChanged(); });
}

bool CMsgSendDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    const CDateTime now = CDateTime::GetTickCount();
    m_form.Open(m_nEditMode, m_nIndex, now);
    CDateTime start = now;
    if (m_form.Updating()) {
        const ExchMessageRec& rec = *ExchMessageTable().GetRec(m_nIndex);
        if (rec.time.IsValid())
            start = rec.time;
    }
    m_time.Logic().SetDateTime(start);
    m_time.AttachTimeCtrl(IDC_MSG_TIME, *this);
    if (fw::DateTimeField* field = m_time.Field())
        field->setValue(QDateTime(QDate(2000, 1, 1), QTime(start.GetHour(), start.GetMinute(), start.GetSecond())));
    for (const std::string& title : m_form.m_draftTitles)
        addString(IDC_MSG_DRAFT, title);
    setCurSel(IDC_MSG_DRAFT, -1);
    for (const std::string& firm : m_form.m_firms)
        addString(IDC_MSG_FIRM, firm);
    ShowLists();
    for (size_t i = 0; i < std::size(kDisplayRadios); ++i)
        checkButton(kDisplayRadios[i], m_form.m_nDisplay == static_cast<int>(i) ? 1 : 0);
    m_limit.Attach(*this, IDC_MSG_TEXT, kMsgTypedChars);
    if (m_form.Updating()) {
        setItemText(fw::kIdOk, Kv32MessageDialogString(IDS_MSG_UPDATE));
        m_limit.Trust();
        setItemText(IDC_MSG_TEXT, m_form.m_sText);
        checkButton(IDC_MSG_INFO_FEED, m_form.m_bInfoFeed ? 1 : 0);
    }
    gotoItem(IDC_MSG_TEXT);
    ApplyRules();
    return false;
}

void CMsgSendDlg::ShowLists()
{
    setCurSel(IDC_MSG_FIRM, m_form.m_nFirm);
    resetContent(IDC_MSG_USER);
    for (const std::string& user : m_form.m_users)
        addString(IDC_MSG_USER, user);
    setCurSel(IDC_MSG_USER, m_form.m_nUser);
}

void CMsgSendDlg::ApplyRules()
{
    checkButton(IDC_MSG_ALL_FIRMS, m_form.m_bAllFirms ? 1 : 0);
    checkButton(IDC_MSG_ALL_USERS, m_form.m_bAllUsers ? 1 : 0);
    enableItem(IDC_MSG_FIRM, m_form.FirmListEnabled());
    enableItem(IDC_MSG_ALL_USERS, m_form.AllUsersEnabled());
    enableItem(IDC_MSG_USER, m_form.UserListEnabled());
    enableItem(fw::kIdOk, m_form.SendEnabled());
}

void CMsgSendDlg::TextChanged()
{
    // A character without a Windows-1250 form still counts as text here; the
    // send refuses it.
    if (const auto* edit = itemAs<QPlainTextEdit>(IDC_MSG_TEXT))
        m_form.m_sText = edit->toPlainText().isEmpty() ? std::string() : fw::fromQt(edit->toPlainText());
    enableItem(fw::kIdOk, m_form.SendEnabled());
}

void CMsgSendDlg::onOK()
{
    if (!KvSendableText(*this, IDC_MSG_TEXT, m_form.m_sText)) {
        KvMessageBox(Kv32MessageDialogString(IDS_TEXT_NOT_SENDABLE), fw::MB_ICONSTOP);
        gotoItem(IDC_MSG_TEXT);
        return;
    }
    if (m_form.m_sText.empty())
        return;
    for (size_t i = 0; i < std::size(kDisplayRadios); ++i)
        if (isButtonChecked(kDisplayRadios[i]))
            m_form.m_nDisplay = static_cast<int>(i);
    m_form.m_bInfoFeed = isButtonChecked(IDC_MSG_INFO_FEED) != 0;
    const std::string time = m_time.FormatTimeVORL();
    if (time.size() == 6)
        m_form.m_sTime = time;
    CMsgSendForm::Refusal refusal;
    if (m_form.Send(&refusal) == 1) {
        endDialog(fw::IDOK);
        return;
    }
    static constexpr uint32_t kFocus[] = { 0, IDC_MSG_FIRM, IDC_MSG_USER, IDC_MSG_TEXT };
    if (refusal.field != CMsgSendForm::kNoField)
        gotoItem(kFocus[refusal.field]);
}

// ---- Received Message ----

CMsgRecvDlg::CMsgRecvDlg(QWidget* parent)
    : CKvDialog(Kv32MessageDialog(IDD_RECEIVED_MESSAGE), parent)
{
}

bool CMsgRecvDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    CExchMessageTable& messages = ExchMessageTable();
    int index = m_nIndex;
    if (index < 0) {
        // The latest urgent message, while it has not been read elsewhere.
        const int latest = messages.m_nLastPopup;
        if (latest >= 0 && latest < messages.GetCount()) {
            const ExchMessageRec& rec = *messages.GetRec(latest);
            if (rec.cDisplayMode == 'P' && (rec.cStatus == 'S' || rec.cStatus == 's'))
                index = latest;
        }
    }
    if (index >= 0 && index < messages.GetCount()) {
        const ExchMessageRec& rec = *messages.GetRec(index);
        setItemText(IDC_MSG_TEXT, MsgTextLf(rec.szReceived));
        setItemText(IDC_RECV_TO_USER, rec.szToUser);
        setItemText(IDC_RECV_TO_FIRM, rec.szToFirm);
        setItemText(IDC_RECV_FROM_USER, rec.szFromUser);
        setItemText(IDC_RECV_FROM_FIRM, rec.szFromFirm);
        // The record carries the time of day only.
        setItemText(IDC_RECV_TIME, TimeOfDay(rec.time));
    }
    gotoItem(fw::kIdOk);
    return false;
}

// ---- Alert Log Message ----

CLogRecvDlg::CLogRecvDlg(QWidget* parent)
    : CKvDialog(Kv32MessageDialog(IDD_ALERT_LOG_MESSAGE), parent)
{
}

CLogRecvDlg::~CLogRecvDlg()
{
    fLogDisplay = 0;
    nCurrentLog = -1;
}

bool CLogRecvDlg::onInitDialog()
{
    KvBeep(kBeepExclamation);
    CKvDialog::onInitDialog();
    CAlertLogTable& log = AlertLogTable();
    if (nCurrentLog >= 0 && nCurrentLog < log.GetCount()) {
        const CLogEntry& entry = *log.GetRec(nCurrentLog);
        setItemText(IDC_LOG_DATE, entry.time.IsValid() ? entry.time.FormatDate() : std::string());
        setItemText(IDC_LOG_TIME, TimeOfDay(entry.time));
        setItemText(IDC_LOG_SECURITY, entry.szShortName[0] != '\0' ? entry.szShortName : entry.szSecurity);
        setItemText(IDC_LOG_BOARD, entry.szBoardName);
        setItemText(IDC_LOG_DESCRIPTION, entry.szText);
        if (entry.nKind == LOG_KIND_ORDER_COUNT) {
            setItemText(IDC_LOG_FIRM, entry.szFirm);
        } else if (ps != nullptr) {
            const int user = TraderTable().FindByCode(ps->m_sUser.c_str());
            const int firm = user < 0 ? -1 : ParticipantTable().FindByCode(TraderTable().GetRec(user)->szFirm);
            if (firm >= 0)
                setItemText(IDC_LOG_FIRM, ParticipantTable().GetRec(firm)->szName);
            setItemText(IDC_LOG_USER, ps->m_sUser);
        }
    }
    gotoItem(fw::kIdOk);
    return false;
}

void CLogRecvDlg::onOK()
{
    fLogDisplay = 0;
    nCurrentLog = -1;
    CKvDialog::onOK();
}

void CLogRecvDlg::onCancel()
{
    fLogDisplay = 0;
    nCurrentLog = -1;
    CKvDialog::onCancel();
}

// ---- The main frame's runner ----

void KvInstallMessageDialogs()
{
    // Attachments are opened as documents by the desktop, never run.
    KvDesktopOpener() = [](const std::string& path) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(fw::toQt(path)));
    };
    CKvShellDialogsPort& port = KvShellDialogsPort();
    auto previous = port.run;
    port.run = [previous](unsigned dialogId) -> int {
        switch (dialogId) {
        case IDD_SEND_MESSAGE: {
            CMsgSendDlg dlg;
            return dlg.doModal();
        }
        case IDD_RECEIVED_MESSAGE: {
            CMsgRecvDlg dlg;
            return dlg.doModal();
        }
        case IDD_ALERT_LOG_MESSAGE: {
            CLogRecvDlg dlg;
            return dlg.doModal();
        }
        case IDD_NEWS: {
            CNewsDlg dlg;
            return dlg.doModal();
        }
        case IDD_RECEIVED_NEWS: {
            CNewsRecvDlg dlg;
            return dlg.doModal();
        }
        default: return previous ? previous(dialogId) : 0;
        }
    };
}
