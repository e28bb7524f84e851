#include "kv32/dialogs/supervision/suspend_dlg.h"

#include <QDateTime>

#include "fw/core/msgbox.h"
#include "fw/ui/datetimefield.h"
#include "fw/ui/text.h"
#include "kv32/dialogs/supervisor_requests.h"
#include "kv32/res/supervision_a_ids.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kv32/trading/active_row.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/prompts.h"
#include "kvcore/values/cdatetime.h"

namespace {

constexpr uint32_t kDisplayRadios[] = { IDC_SUSP_DEFAULT, IDC_SUSP_URGENT, IDC_SUSP_REGULAR, IDC_SUSP_NON_DISPLAY };

// The participants window and the supervisor operations window.
constexpr uint32_t kFirmsTable = 17;
constexpr uint32_t kEventsTable = 28;

bool IsSecurityKind(int kind)
{
    return kind == kSuspendSecurity || kind == kUnsuspendSecurity;
}

bool IsIssuerKind(int kind)
{
    return kind == kSuspendIssuer || kind == kUnsuspendIssuer;
}

} // namespace

CSuspendDlg::CSuspendDlg(QWidget* parent)
    : CKvDialog(Kv32SupervisionADialog(IDD_SUSPEND), parent)
{
    commands().onNotify(IDC_SUSP_SUBJECT, fw::Notify::SelChange, [this] { SubjectChanged(); });
    commands().onNotify(IDC_SUSP_REASON, fw::Notify::SelChange, [this] { ReasonChanged(); });
    commands().onNotify(IDC_SUSP_MESSAGE, fw::Notify::Change, [this] { UpdateOk(); });
    commands().onNotify(IDC_SUSP_NEW_STATE, fw::Notify::SelChange, [this] { UpdateOk(); });
    commands().onNotify(IDC_SUSP_AT_TIME, fw::Notify::Clicked, [this] { AtTimeClicked(); });
}

bool CSuspendDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    const bool isNew = m_nMode == kSuspendModeNew;
    enableItem(fw::kIdOk, false);
    if (const std::string ok = SuspendOkText(m_nKind, m_nMode); !ok.empty())
        setItemText(fw::kIdOk, ok);
    if (const unsigned caption = SuspendCaptionId(m_nKind); caption != 0)
        setWindowTitle(fw::toQt(Kv32SupervisionAString(caption)));
    setItemText(IDC_SUSP_SUBJECT_LABEL, SuspendSubjectWord(m_nKind));

    const CDateTime now = CDateTime::GetTickCount();
    m_time.Logic().SetDateTime(now);
    m_time.AttachTimeCtrl(IDC_SUSP_TIME, *this);
    if (fw::DateTimeField* field = m_time.Field())
        field->setValue(QDateTime(QDate(2000, 1, 1), QTime(now.GetHour(), now.GetMinute(), now.GetSecond())));
    CTradeEventTable& events = KvTables().tradeEvents;
    const TradeEventRec* event
        = m_nEventIndex >= 0 && m_nEventIndex < events.GetCount() ? events.GetRec(m_nEventIndex) : nullptr;
    if (isNew) {
        showItem(IDC_SUSP_EVENT_TIME, false);
        enableItem(IDC_SUSP_TIME, isButtonChecked(IDC_SUSP_AT_TIME) != 0);
    } else {
        showItem(IDC_SUSP_TIME, false);
        showItem(IDC_SUSP_EVENT_TIME, true);
        enableItem(IDC_SUSP_AT_TIME, false);
        setItemText(IDC_SUSP_EVENT_TIME, event != nullptr ? event->time.FormatTime() : std::string());
    }
    m_limit.Attach(*this, IDC_SUSP_MESSAGE, kSuspendMessageWidth);
    const int display = SuspendDisplayIndex(KvDisplayType());
    for (size_t i = 0; i < std::size(kDisplayRadios); ++i)
        checkButton(kDisplayRadios[i], display == static_cast<int>(i) ? 1 : 0);

    if (!isNew) {
        enableItem(IDC_SUSP_REASON, false);
        m_limit.Trust();
        setItemText(IDC_SUSP_MESSAGE,
            ExchMessageTable().GetMessageText(event != nullptr ? event->szMessageKey : ""));
        if (auto* edit = item(IDC_SUSP_MESSAGE))
            edit->setProperty("readOnly", true);
        for (uint32_t id : kDisplayRadios)
            enableItem(id, false);
    }

    showItem(IDC_SUSP_NEW_STATE, m_nKind == kSuspendSecurity);
    showItem(IDC_SUSP_NEW_STATE_LABEL, m_nKind == kSuspendSecurity);
    enableItem(IDC_SUSP_NEW_STATE, false);
    if (IsSecurityKind(m_nKind) || IsIssuerKind(m_nKind)) {
        m_subjects = SuspendSubjects(m_nKind);
        for (size_t i = 0; i < m_subjects.size(); ++i) {
            addString(IDC_SUSP_SUBJECT, m_subjects[i].name);
            setItemData(IDC_SUSP_SUBJECT, static_cast<int>(i), static_cast<uint64_t>(i));
        }
        const std::string& preset = IsSecurityKind(m_nKind) ? m_sPresetSecurityName : m_sPresetIssuerName;
        setCurSel(IDC_SUSP_SUBJECT, preset.empty() ? -1 : findStringExact(IDC_SUSP_SUBJECT, -1, preset));
        if (SubjectRow() < 0)
            enableItem(IDC_SUSP_REASON, false);
        else if (isNew)
            FillReasons();
        if (m_nKind == kSuspendSecurity)
            FillNewStates();
    } else {
        addString(IDC_SUSP_SUBJECT, SuspendSubjectWord(m_nKind));
        setCurSel(IDC_SUSP_SUBJECT, 0);
        enableItem(IDC_SUSP_SUBJECT, false);
        if (isNew)
            FillReasons();
    }
    if (!isNew)
        enableItem(IDC_SUSP_SUBJECT, false);
    UpdateOk();
    gotoItem(isNew ? IDC_SUSP_MESSAGE : fw::kIdOk);
    return false;
}

int CSuspendDlg::SubjectRow() const
{
    const int sel = curSel(IDC_SUSP_SUBJECT);
    if (sel < 0 || m_subjects.empty())
        return -1;
    const auto index = static_cast<size_t>(itemData(IDC_SUSP_SUBJECT, sel));
    if (index >= m_subjects.size())
        return -1;
    const int row = m_subjects[index].row;
    // The preset code names the security exactly where a short name is on several boards.
    if (IsSecurityKind(m_nKind) && !m_sPresetSecurityCode.empty()) {
        const int coded = SecurityTable().FindByCode(m_sPresetSecurityCode);
        if (coded >= 0 && m_subjects[index].name == SecurityTable().GetRec(coded)->szShortName)
            return coded;
    }
    return row;
}

std::string CSuspendDlg::SubjectName() const
{
    return curSel(IDC_SUSP_SUBJECT) < 0 ? std::string() : itemText(IDC_SUSP_SUBJECT);
}

void CSuspendDlg::FillReasons()
{
    resetContent(IDC_SUSP_REASON);
    for (const std::string& reason : SuspendReasons(m_nKind, SubjectName()))
        addString(IDC_SUSP_REASON, reason);
    setCurSel(IDC_SUSP_REASON, -1);
    enableItem(IDC_SUSP_REASON, true);
    const std::string preset = SuspendPresetMessage(m_nKind, SubjectName());
    if (!preset.empty()) {
        m_limit.Trust();
        setItemText(IDC_SUSP_MESSAGE, preset);
    }
}

void CSuspendDlg::FillNewStates()
{
    resetContent(IDC_SUSP_NEW_STATE);
    m_states = SuspendNewStates(SubjectRow());
    for (const CSuspendState& state : m_states)
        addString(IDC_SUSP_NEW_STATE, state.name);
    const bool choosing = m_nMode == kSuspendModeNew;
    enableItem(IDC_SUSP_NEW_STATE, !m_states.empty() && choosing);
    // A shown event carries no state of its own: none is offered as if it did.
    setCurSel(IDC_SUSP_NEW_STATE, choosing ? SuspendPreferredState(m_states) : -1);
}

void CSuspendDlg::SubjectChanged()
{
    setItemText(IDC_SUSP_MESSAGE, std::string());
    if (IsSecurityKind(m_nKind)) {
        m_sPresetSecurityName = SubjectName();
        m_sPresetSecurityCode.clear();
    } else if (IsIssuerKind(m_nKind)) {
        m_sPresetIssuerName = SubjectName();
    }
    if (m_nMode == kSuspendModeNew)
        FillReasons();
    // Another security has another status, so other states to move to.
    if (m_nKind == kSuspendSecurity)
        FillNewStates();
    UpdateOk();
}

void CSuspendDlg::ReasonChanged()
{
    const int sel = curSel(IDC_SUSP_REASON);
    if (sel < 0)
        return;
    setItemText(IDC_SUSP_MESSAGE, itemString(IDC_SUSP_REASON, sel));
    UpdateOk();
}

void CSuspendDlg::AtTimeClicked()
{
    enableItem(IDC_SUSP_TIME, m_nMode == kSuspendModeNew && isButtonChecked(IDC_SUSP_AT_TIME) != 0);
}

void CSuspendDlg::UpdateOk()
{
    CSuspendScreen s;
    s.kind = m_nKind;
    s.mode = m_nMode;
    s.subjectFound = SubjectRow() >= 0;
    s.messageEmpty = itemText(IDC_SUSP_MESSAGE).empty();
    s.newStateEnabled = isItemEnabled(IDC_SUSP_NEW_STATE);
    s.stateChosen = curSel(IDC_SUSP_NEW_STATE) >= 0;
    enableItem(fw::kIdOk, SuspendOkEnabled(s));
}

void CSuspendDlg::onOK()
{
    if (m_nMode == kSuspendModeView) {
        CKvDialog::onOK();
        return;
    }
    if (AreYouShure(0u) != fw::IDYES)
        return;
    if (m_nMode == kSuspendModeNew) {
        CSuspendRequest r;
        r.kind = m_nKind;
        r.subjectCode = SuspendSubjectCode(m_nKind, SubjectRow());
        if (isButtonChecked(IDC_SUSP_AT_TIME) != 0)
            r.time = m_time.FormatTimeVORL();
        r.message = itemText(IDC_SUSP_MESSAGE);
        for (size_t i = 0; i < std::size(kDisplayRadios); ++i)
            if (isButtonChecked(kDisplayRadios[i]) != 0)
                r.display = SuspendDisplayLetter(static_cast<int>(i));
        const int state = curSel(IDC_SUSP_NEW_STATE);
        if (m_nKind == kSuspendSecurity && state >= 0 && state < static_cast<int>(m_states.size()))
            r.newState = m_states[static_cast<size_t>(state)].letter;
        std::string record = BuildSuspendRecord(KvRequestUser(), r);
        if (record.empty())
            return;
        m_sSent = record;
        // A refusal keeps the dialog open with what the user entered.
        if (VORLTransaction(kTrOperator, record.data(), static_cast<int>(record.size()), 1) == 0)
            return;
    }
    CKvDialog::onOK();
}

int KvRunSuspend(int kind, const std::string& name, const std::string& code, QWidget* parent)
{
    if (!SuspendKindValid(kind))
        return 0;
    CSuspendDlg dlg(parent);
    dlg.m_nKind = kind;
    if (IsSecurityKind(kind)) {
        dlg.m_sPresetSecurityName = name;
        dlg.m_sPresetSecurityCode = code;
    } else if (IsIssuerKind(kind)) {
        dlg.m_sPresetIssuerName = name;
    }
    return dlg.doModal();
}

int KvRunSuspendEvent(int eventRow, int mode, QWidget* parent)
{
    CTradeEventTable& events = KvTables().tradeEvents;
    if (eventRow < 0 || eventRow >= events.GetCount())
        return 0;
    const TradeEventRec& event = *events.GetRec(eventRow);
    const int kind = SuspendKindOfEvent(event.cEventType);
    if (kind == 0)
        return 0;
    CSuspendDlg dlg(parent);
    dlg.m_nKind = kind;
    dlg.m_nMode = mode;
    dlg.m_nEventIndex = eventRow;
    if (IsSecurityKind(kind))
        dlg.m_sPresetSecurityName = event.szObjectCode;
    else if (IsIssuerKind(kind))
        dlg.m_sPresetIssuerName = event.szObjectName;
    return dlg.doModal();
}

int KvRunSuspendForActiveRow(int kind, QWidget* parent)
{
    const KvActiveRow* active = KvActiveListRow();
    if (active == nullptr || active->RecordIndex() < 0)
        return 0;
    const int row = active->RecordIndex();
    switch (active->TableId()) {
    case kListSecurities:
        if (!IsSecurityKind(kind) || row >= SecurityTable().GetCount())
            return 0;
        return KvRunSuspend(kind, SecurityTable().GetRec(row)->szShortName, SecurityTable().GetRec(row)->szCode, parent);
    case kFirmsTable:
        if (!IsIssuerKind(kind) || row >= ParticipantTable().GetCount())
            return 0;
        return KvRunSuspend(kind, ParticipantTable().GetRec(row)->szName, std::string(), parent);
    case kEventsTable:
        return KvRunSuspendEvent(row, kSuspendModeView, parent);
    default:
        return 0;
    }
}
