// The order withdraw dialog: one order, or every order that matches a board,
// security, trading account, firm, user and side, each of which can be "All";
// its rules are in kv32/shell/order_withdraw_form.h.
#pragma once

#include <string>

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/shell/order_withdraw_form.h"
#include "kvcore/controls/num_edit.h"

// With the setting "OrderColor" on, an order dialog of one side takes the
// session's colour of that side ('B' or 'S'); any other side, or the setting
// off, gives the standard colours.
void KvPaintOrderSide(QWidget& dialog, char side);

class CWithdrawDlg : public CKvDialog {
    Q_OBJECT
public:
    // orderRow: the row of the order selected in the orders window (-1: none).
    explicit CWithdrawDlg(int orderRow, QWidget* parent = nullptr);

    bool onInitDialog() override;
    void doDataExchange(fw::DataExchange& dx) override;
    void onOK() override;

    // The criteria as the dialog shows them now.
    CWithdrawScreen Screen();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BoardChanged();
    void AllClicked(int which);
    void OrderNumberRule();
    void AccountRule();
    void FirmChanged();
    void ShowAccountName();
    void FocusField(KvWithdrawField field);
    void PaintSide();

    CIntEdit m_number;
    std::string m_sNumber;
    std::string m_sBoardName;
    std::string m_sSecurity;
    std::string m_sUserCode; // the opened order's user
    bool m_bBuy = false;
    bool m_bSell = false;
};
