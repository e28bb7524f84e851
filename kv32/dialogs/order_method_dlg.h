// The read-only order-method viewers: the methods of one order, and the
// methods a security permits, with a board and security to choose.
#pragma once

#include <vector>

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/tables/order_record.h"

class COrderMethodDlg : public CKvDialog {
    Q_OBJECT
public:
    COrderMethodDlg(const COrderRec& order, QWidget* parent = nullptr);
    bool onInitDialog() override;

private:
    void ShowMethods();
    COrderRec m_order;
};

class CSecOrMetDlg : public CKvDialog {
    Q_OBJECT
public:
    // securityRow: the security table's row selected in the active window (-1: none).
    explicit CSecOrMetDlg(int securityRow, QWidget* parent = nullptr);
    bool onInitDialog() override;

private:
    void BoardChanged();
    void ShowMethods();

    int m_nSecurity;
};
