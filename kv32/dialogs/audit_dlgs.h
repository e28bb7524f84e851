// The audit dialogs: the user's own display mode of one audit event type, and
// the pop-up that shows one queued audit event. (No meta-object of their own:
// nothing connects to them by signal.)
#pragma once

#include <string>
#include <vector>

#include "kv32/dialogs/kv_dialog.h"

class CAuditModeDlg : public CKvDialog {
public:
    // typeRow: the audit type table's row selected in the Audit Types window.
    explicit CAuditModeDlg(int typeRow, QWidget* parent = nullptr);
    bool onInitDialog() override;
    void onOK() override;

private:
    void GroupChosen();
    void TypeChosen();
    int m_nTypeRow;
    bool m_bFirstFill = true;
    std::vector<int> m_typeRows; // type table rows in type combo order
};

// Takes the next event out of the pop-up queue: the first used slot that
// follows a free one, else slot 0 when it is used; the slot is freed. -1 when
// the queue holds nothing.
int TakeNextAuditPopup();
// The event the pop-up shows now; -1 for none.
int& KvAuditPopupEvent();

class CAuditRecvDlg : public CKvDialog {
public:
    explicit CAuditRecvDlg(QWidget* parent = nullptr);
    ~CAuditRecvDlg() override;
    bool onInitDialog() override;
    void onCancel() override;
    void onOK() override;
};

// The main frame's audit display runs the pop-up.
void KvInstallAuditDisplay();
