// The suspend and unsuspend dialog: all trading, one security or one issuer
// with its securities, at once or at a time of day, with the message the host
// sends out; also shows a scheduled event read-only. Its rules are in
// suspend_form.h.
#pragma once

#include <string>
#include <vector>

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/dialogs/msg_dlgs.h"
#include "kv32/dialogs/supervision/suspend_form.h"
#include "kvcore/ui/date_picker_widget.h"

class CSuspendDlg : public CKvDialog {
public:
    explicit CSuspendDlg(QWidget* parent = nullptr);

    // Set before the dialog is shown.
    int m_nMode = kSuspendModeNew;
    int m_nEventIndex = -1; // view and delete: the row of the trading event table
    int m_nKind = kSuspendAll;
    std::string m_sPresetSecurityName; // short name
    std::string m_sPresetSecurityCode; // full code
    std::string m_sPresetIssuerName;

    bool onInitDialog() override;
    void onOK() override;

    // The record sent by the last OK (empty: none).
    const std::string& SentRecord() const { return m_sSent; }

private:
    void SubjectChanged();
    void ReasonChanged();
    void AtTimeClicked();
    void UpdateOk();
    void FillReasons();
    void FillNewStates();
    int SubjectRow() const;
    std::string SubjectName() const;

    KvDateTimePicker m_time;
    KvTypingLimit m_limit;
    std::vector<CSuspendSubject> m_subjects;
    std::vector<CSuspendState> m_states;
    std::string m_sSent;
};

// The openers. The main frame: all trading (kinds 1, 2) and an issuer chosen
// in the dialog (5, 6). The securities window: kinds 3 and 4 with the
// security's short name and full code; the issuers window: kinds 5 and 6 with
// the issuer's name. The result is the dialog's.
int KvRunSuspend(int kind, const std::string& name = std::string(), const std::string& code = std::string(),
    QWidget* parent = nullptr);
// The supervisor operations window's view of a trading event (mode 2), or the
// confirmation of its deletion; 0 when the event's type is no suspension.
int KvRunSuspendEvent(int eventRow, int mode = kSuspendModeView, QWidget* parent = nullptr);
// A suspension of the active list window's current row: a security of the
// securities window, an issuer of the firms window, or the event of the
// supervisor operations window (shown). 0 when that window has no such row.
int KvRunSuspendForActiveRow(int kind, QWidget* parent = nullptr);
