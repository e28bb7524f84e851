#include "kv32/dialogs/audit_dlgs.h"

#include <cstring>

#include <QButtonGroup>
#include <QRadioButton>

#include "kv32/res/shell_dialog_ids.h"
#include "kv32/shell/audit_queue.h"
#include "kv32/shell/shell_dialogs.h"
#include "kv32/shell/ui_port.h"
#include "kv32/tables/all_tables.h"

namespace {

constexpr unsigned kBeepExclamation = 0x30;

struct ModeRadio {
    uint32_t id;
    char letter;
};
constexpr ModeRadio kModes[] = {
    { IDC_AUDIT_STATUS_LINE, 'S' },
    { IDC_AUDIT_POP_UP, 'P' },
    { IDC_AUDIT_NO_DISPLAY, 'N' },
};

std::string TraderName(const char* code)
{
    CTraderTable& traders = TraderTable();
    const int row = traders.FindByCode(code);
    return row < 0 ? std::string() : std::string(traders.GetRec(row)->szName);
}

std::string FirmName(const char* code)
{
    CParticipantTable& firms = ParticipantTable();
    const int row = firms.FindByCode(code);
    return row < 0 ? std::string() : std::string(firms.GetRec(row)->szName);
}

} // namespace

// ---- Display mode ----

CAuditModeDlg::CAuditModeDlg(int typeRow, QWidget* parent)
    : CKvDialog(Kv32ShellDialog(IDD_AUDIT_MODE), parent)
    , m_nTypeRow(typeRow)
{
    commands().onNotify(IDC_GROUP, fw::Notify::SelChange, [this] { GroupChosen(); });
    commands().onNotify(IDC_AUDIT_TYPE, fw::Notify::SelChange, [this] { TypeChosen(); });
}

bool CAuditModeDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    for (const std::string& name : AuditGroupTable().FillList())
        addString(IDC_GROUP, name);
    CAuditEventTypeTable& types = AuditEventTypeTable();
    if (m_nTypeRow >= 0 && m_nTypeRow < types.GetCount())
        setCurSel(IDC_GROUP, AuditGroupTable().FindByCode(types.GetRec(m_nTypeRow)->szGroupCode));
    GroupChosen();
    return true;
}

void CAuditModeDlg::GroupChosen()
{
    CAuditGroupTable& groups = AuditGroupTable();
    CAuditEventTypeTable& types = AuditEventTypeTable();
    const int typeSel = curSel(IDC_AUDIT_TYPE);
    const int previousRow = typeSel >= 0 && typeSel < static_cast<int>(m_typeRows.size()) ? m_typeRows[static_cast<size_t>(typeSel)] : -1;
    setRedraw(IDC_AUDIT_TYPE, false);
    resetContent(IDC_AUDIT_TYPE);
    m_typeRows.clear();
    const int group = curSel(IDC_GROUP);
    int choose = -1;
    if (group >= 0 && group < groups.GetCount()) {
        const char* code = groups.GetRec(group)->szCode;
        for (int i = 0; i < types.GetCount(); ++i) {
            const AuditTypeRec& rec = *types.GetRec(i);
            if (std::strcmp(rec.szGroupCode, code) != 0)
                continue;
            const int index = addString(IDC_AUDIT_TYPE, rec.szTypeText);
            m_typeRows.push_back(i);
            if (i == (m_bFirstFill ? m_nTypeRow : previousRow))
                choose = index;
        }
    }
    setRedraw(IDC_AUDIT_TYPE, true);
    m_bFirstFill = false;
    setCurSel(IDC_AUDIT_TYPE, choose);
    TypeChosen();
}

void CAuditModeDlg::TypeChosen()
{
    const int sel = curSel(IDC_AUDIT_TYPE);
    char letter = 0;
    if (sel >= 0 && sel < static_cast<int>(m_typeRows.size()))
        letter = AuditEventTypeTable().GetRec(m_typeRows[static_cast<size_t>(sel)])->szOverride[0];
    // An exclusive group keeps its checked button against setChecked(false);
    // a type without an override must show no mode at all.
    QButtonGroup* group = nullptr;
    if (auto* radio = itemAs<QRadioButton>(kModes[0].id))
        group = radio->group();
    if (group != nullptr)
        group->setExclusive(false);
    for (const ModeRadio& m : kModes)
        checkButton(m.id, letter == m.letter ? 1 : 0);
    if (group != nullptr)
        group->setExclusive(true);
}

void CAuditModeDlg::onOK()
{
    const int sel = curSel(IDC_AUDIT_TYPE);
    if (sel >= 0 && sel < static_cast<int>(m_typeRows.size())) {
        char letter = 0;
        for (const ModeRadio& m : kModes)
            if (isButtonChecked(m.id))
                letter = m.letter;
        AuditTypeRec& rec = *AuditEventTypeTable().GetRec(m_typeRows[static_cast<size_t>(sel)]);
        rec.szOverride[0] = letter;
        rec.szOverride[1] = '\0';
    }
    endDialog(fw::IDOK);
}

// ---- Pop-up ----

int& KvAuditPopupEvent()
{
    static int current = -1;
    return current;
}

int TakeNextAuditPopup()
{
    auto& queue = AuditDisplayQueue();
    int slot = -1;
    for (int i = 1; i < kAuditQueueSize; ++i)
        if (queue[static_cast<size_t>(i)] >= 0 && queue[static_cast<size_t>(i - 1)] < 0) {
            slot = i;
            break;
        }
    if (slot < 0 && queue[0] >= 0)
        slot = 0;
    if (slot < 0)
        return -1;
    const int index = queue[static_cast<size_t>(slot)];
    queue[static_cast<size_t>(slot)] = -1;
    return index;
}

CAuditRecvDlg::CAuditRecvDlg(QWidget* parent)
    : CKvDialog(Kv32ShellDialog(IDD_AUDIT_EVENT), parent)
{
}

CAuditRecvDlg::~CAuditRecvDlg()
{
    KvAuditPopupEvent() = -1;
}

bool CAuditRecvDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    const int index = TakeNextAuditPopup();
    KvAuditPopupEvent() = index;
    CAuditTable& audits = AuditTable();
    if (index >= 0 && index < audits.GetCount()) {
        const AuditEventRec& rec = *audits.GetRec(index);
        setItemText(IDC_AUDIT_TIME, rec.time.IsValid() ? rec.time.FormatTime() : std::string());
        setItemText(IDC_GROUP, rec.szGroupName);
        setItemText(IDC_AUDIT_TYPE, rec.szTypeText);
        setItemText(IDC_TARGET_USER, TraderName(rec.szUser));
        setItemText(IDC_AUDIT_FIRM, FirmName(rec.szFirm));
        setItemText(IDC_AUDIT_TO_USER, TraderName(rec.szToUser));
        setItemText(IDC_ACCESS_LEVEL, FirmName(rec.szToFirm));
        setItemText(IDC_METHOD_BOARD, rec.szBoardName);
        setItemText(IDC_AUDIT_SECURITY, rec.szSecurity);
        setItemText(IDC_ENTRY_LABEL, rec.szText);
    }
    gotoItem(fw::kIdCancel);
    KvBeep(kBeepExclamation);
    return false;
}

void CAuditRecvDlg::onCancel()
{
    KvAuditPopupEvent() = -1;
    CKvDialog::onCancel();
}

void CAuditRecvDlg::onOK()
{
    KvAuditPopupEvent() = -1;
    CKvDialog::onOK();
}

void KvInstallAuditDisplay()
{
    KvShellDialogsPort().auditDisplay = [] {
        CAuditRecvDlg dlg;
        dlg.doModal();
    };
}
