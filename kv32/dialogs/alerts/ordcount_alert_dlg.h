// The order counting limits dialog: one limit definition of a board and a
// firm or every firm, created, changed or deleted on OK or Delete. A view of
// KvOrdCountForm.
#pragma once

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/shell/alert_ordcount_form.h"

class COrdCountAlertDlg : public CKvDialog {
    Q_OBJECT
public:
    explicit COrdCountAlertDlg(QWidget* parent = nullptr);
    // Before the dialog is shown: the order counting row selected in its window.
    void SetCountingRow(int row) { m_nCountingRow = row; }
    bool onInitDialog() override;
    void onOK() override;

    KvOrdCountForm& Form() { return m_form; }

private:
    void Show();

    KvOrdCountForm m_form;
    int m_nCountingRow = -1;
};
