// The amendment of a negotiated deal that stands in the deals window: side,
// board and security fixed, the rest open to change (read-only once the deal
// is matched), sent as transaction 155; the rules live in
// trading/deal_answer_form.h.
#pragma once

#include <cstdint>
#include <string>

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/trading/deal_answer_form.h"
#include "kvcore/controls/num_edit.h"
#include "kvcore/ui/date_picker_widget.h"

class CNDAmendDlg : public CKvDialog {
    Q_OBJECT
public:
    // dealRow: the deal's index in the negotiated deal table.
    CNDAmendDlg(bool readOnly, int dealRow, QWidget* parent = nullptr);
    ~CNDAmendDlg() override;

    bool onInitDialog() override;
    void onOK() override;
    void doDataExchange(fw::DataExchange& dx) override;

    // F3 steps the price up (down with Shift); F6 to F8 move to the account,
    // the price and the quantity.
    void OnFunctionKey(int key, bool shift);

    void SetPriceText(const std::string& text);
    std::string PriceText() const { return m_price.Text(); }
    void SetQuantity(uint32_t quantity);
    int PriceDecimals() const { return m_price.GetDecMax(); }
    bool Valid() const { return m_bValid; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CounterFirmChanged();
    void UpdateOk();
    KvDealAmendInput TakeValues() const;

    bool m_bReadOnly;
    bool m_bValid = false;
    KvDealAmendView m_view;
    CSignDblEdit m_price;
    CIntEdit m_quantity;
    KvDateTimePicker m_settle;
    KvDateTimePicker m_dissemination;
};

// The negotiated deals window's Amend and Confirm commands open these dialogs
// on its current deal.
void KvInstallDealAnswerDialogs();
