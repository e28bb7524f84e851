// The order information dialog: read-only, the orders behind one trade,
// one side at a time.
#pragma once

#include <functional>

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/shell/order_info_form.h"

// Makes "Summary Order..." (of the trades window and the main menu) open the
// dialog on the trade selected in the active trades window.
void KvInstallOrderInfoDialog();

class COrderInfoDlg : public CKvDialog {
    Q_OBJECT
public:
    // How "Order Methods" opens the order methods dialog on an order (tests
    // replace it; null puts the dialog back).
    using MethodsOpener = std::function<void(const COrderRec& order, QWidget* parent)>;
    static void SetMethodsOpener(MethodsOpener opener);

    // tradeRow: the trade's row in the trade table.
    explicit COrderInfoDlg(int tradeRow, QWidget* parent = nullptr);
    ~COrderInfoDlg() override;

    bool onInitDialog() override;
    const COrderInfoForm* Form() const { return m_form.get(); }

private:
    void ShowOrder();

    std::unique_ptr<COrderInfoForm> m_form;
};
