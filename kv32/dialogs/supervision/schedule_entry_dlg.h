// The trading event entry dialog: a transition of a board, an instrument or a
// security at a time of day with a priority. The add variant sends it; the
// modify variant shows an event of the schedule. Rules in schedule_entry_form.h.
#pragma once

#include <string>
#include <vector>

#include "kv32/dialogs/supervision/ref_price_form.h"
#include "kv32/dialogs/supervision/schedule_entry_form.h"
#include "kvcore/gridview/dialog_vorl.h"
#include "kvcore/ui/date_picker_widget.h"

struct ScheduleRec;

class CScheduleEntryDlg : public CTDialogVorl {
    Q_OBJECT
public:
    explicit CScheduleEntryDlg(QWidget* parent = nullptr);
    ~CScheduleEntryDlg() override;

    bool onInitDialog() override;
    void onOK() override;
    int StoreDataItem(tagTMSG* message) override;
    int Decode(CRecordReader& reader) override;

    // The record sent by the last OK (empty: none).
    const std::string& SentRecord() const { return m_sSent; }

protected:
    // The schedule row shown by the modify variant; -1 for the add variant.
    int m_nScheduleRow = -1;

private:
    void BoardChanged();
    void UpdateOk();
    void ShowEvent(const ScheduleRec& rec);

    KvDateTimePicker m_time;
    std::vector<CBoardSecurity> m_securities;
    std::string m_sSent;
};

// The modify variant: the event at a row of the trading schedule, shown
// read-only (nothing can be sent for a change of an event).
class CScheduleEntryEditDlg : public CScheduleEntryDlg {
    Q_OBJECT
public:
    explicit CScheduleEntryEditDlg(int scheduleRow, QWidget* parent = nullptr);
};

// The trading events window's Add (32882, also the main menu's) and Modify
// (32883, with the window's current event) commands.
int KvRunScheduleEntry(QWidget* parent = nullptr);
int KvRunScheduleEntryEdit(int scheduleRow, QWidget* parent = nullptr);
// Modify for the active list window's current event; 0 when the trading
// events window is not the active one or has no current row.
int KvRunScheduleEntryEditForActiveRow(QWidget* parent = nullptr);
