#include "kv32/dialogs/supervision/schedule_entry_dlg.h"

#include <QDateTime>

#include "fw/core/msgbox.h"
#include "fw/ui/datetimefield.h"
#include "fw/ui/text.h"
#include "kv32/dialogs/supervisor_requests.h"
#include "kv32/res/supervision_a_ids.h"
#include "kv32/tables/all_tables.h"
#include "kv32/trading/active_row.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/prompts.h"
#include "kvcore/router/vorl_target.h"
#include "kvcore/values/cdatetime.h"

namespace {

// The trading events window.
constexpr uint32_t kScheduleTable = 20;

void SetTimeOfDay(KvDateTimePicker& picker, int hour, int minute, int second)
{
    if (fw::DateTimeField* field = picker.Field())
        field->setValue(QDateTime(QDate(2000, 1, 1), QTime(hour, minute, second)));
}

} // namespace

CScheduleEntryDlg::CScheduleEntryDlg(QWidget* parent)
    : CTDialogVorl(Kv32SupervisionADialog(IDD_SCHEDULE_ENTRY), parent)
{
    commands().onNotify(IDC_SUP_BOARD, fw::Notify::SelChange, [this] { BoardChanged(); });
    commands().onNotify(IDC_SE_INSTRUMENT, fw::Notify::SelChange, [this] { setCurSel(IDC_SUP_SECURITY, -1); });
    commands().onNotify(IDC_SUP_SECURITY, fw::Notify::SelChange, [this] { setCurSel(IDC_SE_INSTRUMENT, -1); });
    commands().onNotify(IDC_SE_TRANSITION, fw::Notify::SelChange, [this] { UpdateOk(); });
}

CScheduleEntryDlg::~CScheduleEntryDlg() = default;

bool CScheduleEntryDlg::onInitDialog()
{
    CTDialogVorl::onInitDialog();
    const bool edit = m_nScheduleRow >= 0;
    setWindowTitle(fw::toQt(Kv32SupervisionAString(edit ? IDS_SE_CAPTION_MODIFY : IDS_SE_CAPTION_ADD)));
    const CDateTime now = CDateTime::GetTickCount();
    m_time.Logic().SetDateTime(now);
    m_time.AttachTimeCtrl(IDC_SE_TIME, *this);
    SetTimeOfDay(m_time, now.GetHour(), now.GetMinute(), now.GetSecond());
    enableItem(fw::kIdOk, false);
    const std::string key = TransitionRequestKey(KvRequestUser());
    VORLInfoReq(kTransitionRequest, key.c_str(), static_cast<int>(key.size()), this);
    for (const std::string& name : BoardTable().FillList())
        addString(IDC_SUP_BOARD, name);
    setCurSel(IDC_SUP_BOARD, -1);
    for (const std::string& name : InstrumentTable().FillList())
        addString(IDC_SE_INSTRUMENT, name);
    setCurSel(IDC_SE_INSTRUMENT, -1);
    if (edit) {
        CFlagTable2& schedule = KvTables().schedule;
        if (m_nScheduleRow < schedule.GetCount())
            ShowEvent(*schedule.GetRec(m_nScheduleRow));
        // No contract exists for changing an event: the variant only shows it.
        for (uint32_t id : { IDC_SE_TIME, IDC_SE_PRIORITY, IDC_SE_TRANSITION, IDC_SUP_BOARD, IDC_SE_INSTRUMENT,
                 IDC_SUP_SECURITY })
            enableItem(id, false);
        showItem(fw::kIdOk, false);
    }
    UpdateOk();
    return true;
}

void CScheduleEntryDlg::ShowEvent(const ScheduleRec& rec)
{
    if (rec.time.IsValid())
        SetTimeOfDay(m_time, rec.time.GetHour(), rec.time.GetMinute(), rec.time.GetSecond());
    setItemText(IDC_SE_PRIORITY, std::to_string(rec.nPriority));
    setCurSel(IDC_SUP_BOARD, BoardTable().FindByCode(rec.szBoard));
    BoardChanged();
    setCurSel(IDC_SE_INSTRUMENT, InstrumentTable().FindByCode(rec.szInstrument));
    for (size_t i = 0; i < m_securities.size(); ++i)
        if (std::string_view(SecurityTable().GetRec(m_securities[i].row)->szCode).substr(5) == rec.szSecurity
            && rec.szSecurity[0] != '\0')
            setCurSel(IDC_SUP_SECURITY, static_cast<int>(i));
    if (rec.szTransition[0] != '\0')
        setCurSel(IDC_SE_TRANSITION, findStringExact(IDC_SE_TRANSITION, -1, rec.szTransition));
}

int CScheduleEntryDlg::StoreDataItem(tagTMSG* message)
{
    if (message == nullptr || message->pText == nullptr || message->nType != kTransitionRequest)
        return 1;
    const size_t length = message->nLength < 0 ? 0 : static_cast<size_t>(message->nLength);
    const std::string_view text(reinterpret_cast<const char*>(message->pText), length);
    for (const std::string& name : DecodeTransitions(text))
        addString(IDC_SE_TRANSITION, name);
    if (itemCount(IDC_SE_TRANSITION) > 0 && curSel(IDC_SE_TRANSITION) < 0)
        setCurSel(IDC_SE_TRANSITION, 0);
    UpdateOk();
    return 1;
}

int CScheduleEntryDlg::Decode(CRecordReader& /*reader*/)
{
    return 0; // StoreDataItem reads the reply itself
}

void CScheduleEntryDlg::BoardChanged()
{
    const std::string previous = curSel(IDC_SUP_SECURITY) < 0 ? std::string() : itemText(IDC_SUP_SECURITY);
    m_securities = BoardSecurities(curSel(IDC_SUP_BOARD));
    resetContent(IDC_SUP_SECURITY);
    for (const CBoardSecurity& s : m_securities)
        addString(IDC_SUP_SECURITY, s.name);
    setCurSel(IDC_SUP_SECURITY, previous.empty() ? -1 : findStringExact(IDC_SUP_SECURITY, -1, previous));
}

void CScheduleEntryDlg::UpdateOk()
{
    enableItem(fw::kIdOk, m_nScheduleRow < 0 && curSel(IDC_SE_TRANSITION) >= 0);
}

void CScheduleEntryDlg::onOK()
{
    if (m_nScheduleRow >= 0) {
        CTDialogVorl::onOK();
        return;
    }
    if (curSel(IDC_SE_TRANSITION) < 0)
        return;
    if (AreYouShure(0u) != fw::IDYES)
        return;
    CScheduleEntry e;
    e.time = m_time.FormatTimeVORL();
    const std::string priority = itemText(IDC_SE_PRIORITY);
    e.priority = priority.empty() ? 0 : std::stoi(priority);
    e.transition = itemText(IDC_SE_TRANSITION);
    if (const int board = curSel(IDC_SUP_BOARD); board >= 0 && board < BoardTable().GetCount())
        e.board = BoardTable().GetRec(board)->szCode;
    if (const int instrument = curSel(IDC_SE_INSTRUMENT); instrument >= 0 && instrument < InstrumentTable().GetCount())
        e.instrument = InstrumentTable().GetRec(instrument)->szCode;
    if (const int security = curSel(IDC_SUP_SECURITY); security >= 0 && security < static_cast<int>(m_securities.size()))
        e.security = SecurityTable().GetRec(m_securities[static_cast<size_t>(security)].row)->szCode;
    if (ScheduleTimeIsPast(e.time, CDateTime::GetTickCount().FormatTimeVORL())
        && KvMessageBox(Kv32SupervisionAString(IDS_SE_EARLIER_TIME),
               fw::MB_YESNO | fw::MB_ICONQUESTION | fw::MB_DEFBUTTON2)
            != fw::IDYES)
        return;
    std::string record = BuildScheduleRecord(KvRequestUser(), e);
    if (record.empty())
        return;
    m_sSent = record;
    // A refusal keeps the dialog open with what the user entered.
    if (VORLTransaction(kTrOperator, record.data(), static_cast<int>(record.size()), 1) == 0)
        return;
    CTDialogVorl::onOK();
}

CScheduleEntryEditDlg::CScheduleEntryEditDlg(int scheduleRow, QWidget* parent)
    : CScheduleEntryDlg(parent)
{
    m_nScheduleRow = scheduleRow;
}

int KvRunScheduleEntry(QWidget* parent)
{
    CScheduleEntryDlg dlg(parent);
    return dlg.doModal();
}

int KvRunScheduleEntryEdit(int scheduleRow, QWidget* parent)
{
    if (scheduleRow < 0 || scheduleRow >= KvTables().schedule.GetCount())
        return 0;
    CScheduleEntryEditDlg dlg(scheduleRow, parent);
    return dlg.doModal();
}

int KvRunScheduleEntryEditForActiveRow(QWidget* parent)
{
    const KvActiveRow* active = KvActiveListRow();
    if (active == nullptr || active->TableId() != kScheduleTable)
        return 0;
    return KvRunScheduleEntryEdit(active->RecordIndex(), parent);
}
