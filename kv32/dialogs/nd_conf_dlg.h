// The counterparty's confirmation of a negotiated deal that stands in the
// deals window: everything fixed but the trading account and the broker
// reference, sent as transaction 157.
#pragma once

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/trading/deal_answer_form.h"

class CNDConfDlg : public CKvDialog {
    Q_OBJECT
public:
    // dealRow: the deal's index in the negotiated deal table.
    explicit CNDConfDlg(int dealRow, QWidget* parent = nullptr);
    ~CNDConfDlg() override;

    bool onInitDialog() override;
    void onOK() override;

private:
    bool m_bValid = false;
    KvDealConfirmView m_view;
};
