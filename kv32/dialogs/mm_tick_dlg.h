// Moves the prices of standing orders by a number of price steps, up or
// down, for a firm, user, board, security, side and trading account (each
// may be "All"), in one transaction 178; the rules live in trading/tick_form.h.
#pragma once

#include "kv32/dialogs/kv_dialog.h"

class CMMkrTickDlg : public CKvDialog {
    Q_OBJECT
public:
    explicit CMMkrTickDlg(QWidget* parent = nullptr);
    ~CMMkrTickDlg() override;

    bool onInitDialog() override;
    void onOK() override;

private:
    void BoardChanged();
    void AllClicked(uint32_t box, uint32_t list);
    void AllSecuritiesClicked();
    void UpdateOk();
    int SelectedSecurity() const;

    int m_nDirection = -1;
};

// Edit > Tick Up/Down and the securities and order book windows' command open
// the dialog on the active window's security.
void KvInstallTickDialog();
