#include "kv32/dialogs/supervisor_dlgs.h"

#include <cstring>

#include "fw/core/msgbox.h"
#include "fw/ui/datetimefield.h"
#include "kv32/dialogs/supervisor_requests.h"
#include "kv32/res/shell_dialog_ids.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/password_change.h"
#include "kvcore/app/prompts.h"
#include "kvcore/router/cvorl.h"
#include "kvcore/ui/date_picker_widget.h"
#include "kvcore/values/field_writer.h"

namespace {

std::string MessageText(const tagTMSG* m)
{
    if (m == nullptr || m->pText == nullptr || m->nLength <= 0)
        return {};
    return std::string(reinterpret_cast<const char*>(m->pText), static_cast<size_t>(m->nLength));
}

int IndexOf(const std::vector<std::string>& codes, const std::string& code)
{
    for (size_t i = 0; i < codes.size(); ++i)
        if (codes[i] == code)
            return static_cast<int>(i);
    return -1;
}

} // namespace

std::vector<std::string> FillUserCombo(fw::Dialog& dialog, uint32_t comboId, const std::string& selected)
{
    std::vector<std::string> codes;
    dialog.resetContent(comboId);
    CTraderTable& traders = TraderTable();
    for (int i = 0; i < traders.GetCount(); ++i) {
        const TraderRec& rec = *traders.GetRec(i);
        dialog.addString(comboId, rec.szName[0] != '\0' ? rec.szName : rec.szCode);
        codes.emplace_back(rec.szCode);
    }
    dialog.setCurSel(comboId, IndexOf(codes, selected));
    return codes;
}

// ---- Access ----

CAccessDlg::CAccessDlg(QWidget* parent)
    : CKvDialog(Kv32ShellDialog(IDD_ACCESS), parent)
{
}

bool CAccessDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    for (unsigned id = IDS_ACCESS_NONE; id <= IDS_ACCESS_FULL; ++id)
        addString(IDC_ACCESS_LEVEL, Kv32ShellDialogString(id));
    return true;
}

void CAccessDlg::onOK()
{
    const std::string text
        = BuildAccessRequest(KvRequestUser(), itemText(IDC_GROUP), itemText(IDC_ROLE), curSel(IDC_ACCESS_LEVEL));
    if (text.empty()) {
        // No level chosen (or a field too long): nothing goes to the host.
        gotoItem(curSel(IDC_ACCESS_LEVEL) < 0 ? IDC_ACCESS_LEVEL : IDC_GROUP);
        return;
    }
    if (SendOperatorRequest(text))
        endDialog(fw::IDOK);
}

// ---- Default Role ----

CDefaultRoleDlg::CDefaultRoleDlg(std::string targetUser, std::string role, QWidget* parent)
    : CKvDialog(Kv32ShellDialog(IDD_DEFAULT_ROLE), parent)
    , m_sTarget(std::move(targetUser))
    , m_sRole(std::move(role))
{
}

bool CDefaultRoleDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    setItemText(IDC_TARGET_USER, m_sTarget);
    setItemText(IDC_ROLE, m_sRole);
    return true;
}

void CDefaultRoleDlg::onOK()
{
    const std::string role = itemText(IDC_ROLE);
    if (role != m_sRole && !m_sTarget.empty()
        && SendOperatorRequest(BuildDefaultRoleRequest(KvRequestUser(), m_sTarget, role))) {
        endDialog(fw::IDOK);
        return;
    }
    gotoItem(IDC_ROLE);
}

// ---- Logon Verify ----

CLogonVerDlg::CLogonVerDlg(unsigned activeTableId, std::string selectedCode, QWidget* parent)
    : CKvDialog(Kv32ShellDialog(IDD_LOGON_VERIFY), parent)
    , m_nTableId(activeTableId)
    , m_sSelected(std::move(selectedCode))
{
    commands().onNotify(IDC_USER_COMBO, fw::Notify::SelChange, [this] { ShowFlag(); });
}

bool CLogonVerDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    m_entries.clear();
    std::vector<std::string> codes;
    if (OverFirms()) {
        setItemText(IDC_ENTRY_LABEL, Kv32ShellDialogString(IDS_FIRM) + ":");
        CParticipantTable& firms = ParticipantTable();
        for (int i = 0; i < firms.GetCount(); ++i) {
            const ParticipantRec& rec = *firms.GetRec(i);
            addString(IDC_USER_COMBO, rec.szCode);
            m_entries.push_back({ rec.szCode, rec.nYFlag != 0 });
        }
    } else {
        setItemText(IDC_ENTRY_LABEL, Kv32ShellDialogString(IDS_USER) + ":");
        CTraderTable& traders = TraderTable();
        for (int i = 0; i < traders.GetCount(); ++i) {
            const TraderRec& rec = *traders.GetRec(i);
            addString(IDC_USER_COMBO, rec.szCode);
            m_entries.push_back({ rec.szCode, rec.nYFlag != 0 });
        }
    }
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].code == m_sSelected)
            setCurSel(IDC_USER_COMBO, static_cast<int>(i));
    ShowFlag();
    return true;
}

void CLogonVerDlg::ShowFlag()
{
    const int sel = curSel(IDC_USER_COMBO);
    const bool on = sel >= 0 && sel < static_cast<int>(m_entries.size()) && m_entries[static_cast<size_t>(sel)].verify;
    checkButton(IDC_SECURITY_ON, on ? 1 : 0);
    checkButton(IDC_SECURITY_OFF, on ? 0 : 1);
}

void CLogonVerDlg::onOK()
{
    const int sel = curSel(IDC_USER_COMBO);
    if (sel < 0 || sel >= static_cast<int>(m_entries.size()))
        return;
    if (AreYouShure(0u) != fw::IDYES)
        return;
    const bool on = isButtonChecked(IDC_SECURITY_ON) != 0;
    const std::string text = BuildLogonVerifyRequest(KvRequestUser(), on, OverFirms(), m_entries[static_cast<size_t>(sel)].code);
    // The dialog stays open either way, so that further entries can be switched.
    if (!SendOperatorRequest(text))
        ShowFlag();
}

// ---- Market Replay ----

CMarketReplayDlg::CMarketReplayDlg(QWidget* parent)
    : CKvDialog(Kv32ShellDialog(IDD_MARKET_REPLAY), parent)
{
    commands().onNotify(IDC_MODE_COUNT, fw::Notify::Clicked, [this] { ModeClicked(0); });
    commands().onNotify(IDC_MODE_INTERVAL, fw::Notify::Clicked, [this] { ModeClicked(1); });
    commands().onNotify(IDC_MODE_STOP_AT, fw::Notify::Clicked, [this] { ModeClicked(2); });
    commands().onNotify(IDC_REPLAY_COUNT, fw::Notify::Change,
        [this] { enableItem(IDC_EXECUTE, !itemText(IDC_REPLAY_COUNT).empty()); });
    commands().onNotify(IDC_EXECUTE, fw::Notify::Clicked, [this] { Execute(); });
}

CMarketReplayDlg::~CMarketReplayDlg() = default;

bool CMarketReplayDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    setItemText(IDC_REPLAY_COUNT, std::string());
    m_interval = std::make_unique<KvDateTimePicker>();
    m_stopAt = std::make_unique<KvDateTimePicker>();
    m_interval->AttachTimeCtrl(IDC_REPLAY_INTERVAL, *this);
    m_stopAt->AttachTimeCtrl(IDC_REPLAY_STOP_AT, *this);
    if (auto* field = itemAs<fw::DateTimeField>(IDC_REPLAY_INTERVAL))
        field->setValue(QDateTime(QDate(2000, 1, 1), QTime(0, 0, 0)));
    enableItem(IDC_REPLAY_INTERVAL, false);
    enableItem(IDC_REPLAY_STOP_AT, false);
    enableItem(IDC_EXECUTE, false);
    RequestStatistics();
    return true;
}

int CMarketReplayDlg::RequestStatistics()
{
    KvFieldWriter w;
    w.TextCut(pvorl == nullptr ? std::string() : pvorl->User(), 12);
    const std::string key = w.Str();
    return VORLInfoReq(kReplayStatisticsRequest, key.c_str(), static_cast<int>(key.size()), this);
}

int CMarketReplayDlg::StoreDataItem(tagTMSG* message)
{
    KvReplayStatistics stats;
    if (!DecodeReplayStatistics(MessageText(message), stats)) {
        if (message != nullptr && message->nLength > 0)
            TraceShortRecord(*message);
        return 1;
    }
    setItemText(IDC_STAT_ORDERS, stats.orders);
    setItemText(IDC_STAT_TRADES, stats.trades);
    setItemText(IDC_STAT_TRANSACTIONS, stats.transactions);
    setItemText(IDC_STAT_REJECTED, stats.rejected);
    setItemText(IDC_STAT_LAST_TIME, stats.lastTime);
    return 1;
}

int CMarketReplayDlg::Decode(CRecordReader& /*reader*/)
{
    return 0; // StoreDataItem reads the reply's fixed offsets itself
}

void CMarketReplayDlg::ModeClicked(int mode)
{
    if (mode != m_nMode)
        setItemText(IDC_REPLAY_COUNT, std::string());
    m_nMode = mode;
    enableItem(IDC_REPLAY_COUNT, mode == 0);
    enableItem(IDC_REPLAY_INTERVAL, mode == 1);
    enableItem(IDC_REPLAY_STOP_AT, mode == 2);
    enableItem(IDC_EXECUTE, mode != 0);
    gotoItem(mode == 0 ? IDC_REPLAY_COUNT : mode == 1 ? IDC_REPLAY_INTERVAL : IDC_REPLAY_STOP_AT);
}

void CMarketReplayDlg::Execute()
{
    std::string text;
    switch (m_nMode) {
    case 0:
        text = BuildReplayRequest(KvRequestUser(), KvReplayMode::Count, itemText(IDC_REPLAY_COUNT));
        break;
    case 1:
        text = BuildReplayRequest(KvRequestUser(), KvReplayMode::Interval, m_interval->FormatTimeVORL());
        break;
    case 2:
        text = BuildReplayRequest(KvRequestUser(), KvReplayMode::StopAt, m_stopAt->FormatTimeVORL());
        break;
    default:
        return;
    }
    if (SendOperatorRequest(text))
        RequestStatistics();
}

// ---- Network Address ----

CNetAddressDlg::CNetAddressDlg(std::string selectedUser, QWidget* parent)
    : CKvDialog(Kv32ShellDialog(IDD_NET_ADDRESS), parent)
    , m_sSelected(std::move(selectedUser))
{
    commands().onNotify(IDC_USER_COMBO, fw::Notify::SelChange, [this] { RequestList(); });
    commands().onNotify(IDC_ADDRESS_LIST, fw::Notify::SelChange, [this] { ListSelected(); });
    commands().onNotify(IDC_ADDRESS_FROM, fw::Notify::Change, [this] { Edited(); });
    commands().onNotify(IDC_ADDRESS_TO, fw::Notify::Change, [this] { Edited(); });
    commands().onNotify(IDC_ADDRESS_ADD, fw::Notify::Clicked, [this] { Send('A'); });
    commands().onNotify(IDC_ADDRESS_MODIFY, fw::Notify::Clicked, [this] { Send('M'); });
    commands().onNotify(IDC_ADDRESS_DELETE, fw::Notify::Clicked, [this] { Send('D'); });
}

bool CNetAddressDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    m_codes = FillUserCombo(*this, IDC_USER_COMBO, m_sSelected);
    RequestList();
    return true;
}

void CNetAddressDlg::RequestList()
{
    setItemText(IDC_ADDRESS_FROM, std::string());
    setItemText(IDC_ADDRESS_TO, std::string());
    resetContent(IDC_ADDRESS_LIST);
    enableItem(IDC_ADDRESS_ADD, false);
    ListSelected();
    const int sel = curSel(IDC_USER_COMBO);
    if (sel < 0 || sel >= static_cast<int>(m_codes.size()))
        return;
    const std::string key = NetAddressListKey(KvRequestUser(), m_codes[static_cast<size_t>(sel)]);
    if (!key.empty())
        VORLInfoReq(kNetAddressListRequest, key.c_str(), static_cast<int>(key.size()), this);
}

int CNetAddressDlg::StoreDataItem(tagTMSG* message)
{
    const std::string line = NetAddressLine(MessageText(message));
    if (!line.empty())
        addString(IDC_ADDRESS_LIST, line);
    else if (message != nullptr && message->nLength > 0)
        TraceShortRecord(*message);
    return 1;
}

int CNetAddressDlg::Decode(CRecordReader& /*reader*/)
{
    return 0; // StoreDataItem reads the record's fixed offsets itself
}

void CNetAddressDlg::ListSelected()
{
    const int sel = curSel(IDC_ADDRESS_LIST);
    if (sel < 0) {
        enableItem(IDC_ADDRESS_MODIFY, false);
        enableItem(IDC_ADDRESS_DELETE, false);
        m_sOldFrom.clear();
        m_sOldTo.clear();
        return;
    }
    const std::string line = itemString(IDC_ADDRESS_LIST, sel);
    const size_t tab = line.find('\t');
    m_sOldFrom = line.substr(0, tab);
    m_sOldTo = tab == std::string::npos ? std::string() : line.substr(tab + 1);
    setItemText(IDC_ADDRESS_FROM, m_sOldFrom);
    setItemText(IDC_ADDRESS_TO, m_sOldTo);
    enableItem(IDC_ADDRESS_ADD, false);
    enableItem(IDC_ADDRESS_MODIFY, false);
    enableItem(IDC_ADDRESS_DELETE, true);
}

void CNetAddressDlg::Edited()
{
    // Filling the edits from a chosen line is not an edit by the user.
    if (curSel(IDC_ADDRESS_LIST) >= 0 && itemText(IDC_ADDRESS_FROM) == m_sOldFrom && itemText(IDC_ADDRESS_TO) == m_sOldTo)
        return;
    enableItem(IDC_ADDRESS_ADD, true);
    if (curSel(IDC_ADDRESS_LIST) >= 0) {
        enableItem(IDC_ADDRESS_MODIFY, true);
        enableItem(IDC_ADDRESS_DELETE, false);
    }
}

void CNetAddressDlg::Send(char action)
{
    const int sel = curSel(IDC_USER_COMBO);
    if (sel < 0 || sel >= static_cast<int>(m_codes.size()))
        return;
    if (action != 'A' && curSel(IDC_ADDRESS_LIST) < 0)
        return;
    const std::string from = itemText(IDC_ADDRESS_FROM), to = itemText(IDC_ADDRESS_TO);
    std::string text;
    const std::string& target = m_codes[static_cast<size_t>(sel)];
    switch (action) {
    case 'A':
        text = BuildNetAddressRequest(KvRequestUser(), target, 'A', from, to, "", "");
        enableItem(IDC_ADDRESS_ADD, false);
        enableItem(IDC_ADDRESS_MODIFY, false);
        break;
    case 'M':
        text = BuildNetAddressRequest(KvRequestUser(), target, 'M', from, to, m_sOldFrom, m_sOldTo);
        enableItem(IDC_ADDRESS_ADD, false);
        enableItem(IDC_ADDRESS_MODIFY, false);
        break;
    default:
        text = BuildNetAddressRequest(KvRequestUser(), target, 'D', "", "", m_sOldFrom, m_sOldTo);
        enableItem(IDC_ADDRESS_DELETE, false);
        break;
    }
    if (AreYouShure(0u) != fw::IDYES)
        return;
    SendOperatorRequest(text);
    RequestList();
}

// ---- Password ----

CUserPassDlg::CUserPassDlg(std::string selectedUser, QWidget* parent)
    : CKvDialog(Kv32ShellDialog(IDD_USER_PASSWORD), parent)
    , m_sSelected(std::move(selectedUser))
{
}

bool CUserPassDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    m_codes = FillUserCombo(*this, IDC_USER_COMBO, m_sSelected);
    return true;
}

void CUserPassDlg::onOK()
{
    const int sel = curSel(IDC_USER_COMBO);
    if (sel < 0 || sel >= static_cast<int>(m_codes.size())) {
        gotoItem(IDC_USER_COMBO);
        return;
    }
    if (AreYouShure(0u) != fw::IDYES)
        return;
    const std::string& target = m_codes[static_cast<size_t>(sel)];
    CPasswordChange check(0);
    check.m_strPassword = itemText(IDC_NEW_PASSWORD);
    if (!check.CheckAndCrypt(true, true, target.c_str())) {
        setItemText(IDC_NEW_PASSWORD, std::string());
        gotoItem(IDC_NEW_PASSWORD);
        return;
    }
    SendOperatorRequest(BuildUserPasswordRequest(KvRequestUser(), target, check.m_strPassword));
    endDialog(fw::IDOK);
}
