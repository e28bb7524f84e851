// The set limits dialog: the warning, hard and order limits of a firm, a user
// or a trading account and the cash pool they belong to, sent as one limits
// transaction. Its rules are in set_limits_form.h.
#pragma once

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/dialogs/supervision/set_limits_form.h"

class CSetLimitsDlg : public CKvDialog {
public:
    // kind: the cash positions window's filter type (0 firm, 1 user, 2 trading account).
    CSetLimitsDlg(const CCashLimitRow& row, int kind, QWidget* parent = nullptr);

    bool onInitDialog() override;
    void onOK() override;

private:
    CCashLimitRow m_row;
    int m_nKind;
};

// The cash positions window's limits commands (33176 to 33178) for its
// current row, with the window's filter type.
int KvRunSetLimits(const CCashLimitRow& row, int kind, QWidget* parent = nullptr);
