// The order amend dialog: one of the user's orders, opened from the orders
// window; its rules and the amendment text are COrderAmendForm's.
#pragma once

#include <memory>
#include <string>

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/shell/order_amend_form.h"
#include "kvcore/controls/num_edit.h"
#include "kvcore/ui/date_picker_widget.h"

class CQuoteWnd;

class CAmendDlg : public CKvDialog {
    Q_OBJECT
public:
    // orderRow: the order's row in the order table.
    explicit CAmendDlg(int orderRow, QWidget* parent = nullptr);
    ~CAmendDlg() override;

    bool onInitDialog() override;
    void doDataExchange(fw::DataExchange& dx) override;
    void onOK() override;

    const COrderAmendForm* Form() const { return m_form.get(); }
    // The values the dialog shows now.
    COrderAmendValues Screen();
    CQuoteWnd* QuoteWindow() const { return m_quote; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ValidityClicked(bool moveFocus);
    void ShowPriceLabel();
    void QuantityChanged();
    void FocusField(KvAmendField field);
    void ShowQuote(bool show);
    void ShowAccountName();
    void SetPicker(KvDateTimePicker& picker, const std::string& date, const std::string& time);
    KvValidity CheckedValidity() const;

    std::unique_ptr<COrderAmendForm> m_form;
    int m_nSecurity = -1;
    std::string m_sStatusBefore;
    CSignDblEdit m_price;
    CDblEdit m_trigger;
    CDblEdit m_quantity;
    CDblEdit m_hidden;
    CDblEdit m_minFill;
    std::string m_sPrice, m_sTrigger, m_sQuantity, m_sHidden, m_sMinFill;
    KvDateTimePicker m_expiryDate;
    KvDateTimePicker m_expiryTime;
    CQuoteWnd* m_quote = nullptr;
};
