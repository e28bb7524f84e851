// The order entry dialog: the order form's state on the screen and the
// user's actions handed to it; the form (kv32/trading/order_entry_form.h)
// holds every rule.
#pragma once

#include <memory>
#include <string>

#include "kv32/trading/order_entry_form.h"
#include "kvcore/gridview/dialog_vorl.h"

class CQuoteWnd;

class COrderEntryDlg : public CTDialogVorl {
    Q_OBJECT
public:
    // side: 1 buy, other sell; primary: nonzero selects the primary-distribution
    // layout; preset: board, security, price and quantity come from SetPreset;
    // copyMethods: the methods of the order selected in the orders window are copied.
    COrderEntryDlg(int side, int primary, QWidget* parent = nullptr, int preset = 0, int copyMethods = 0);
    ~COrderEntryDlg() override;

    void SetPreset(const std::string& board, const std::string& security, const std::string& price,
        const std::string& quantity, bool priceIsYield);
    // Private-order mode on the private order book's entry at this index.
    void SetPrivateOrder(int index);

    COrderEntryForm& Form() { return m_form; }
    CQuoteWnd* QuoteWindow() const { return m_quote.get(); }

    bool onInitDialog() override;
    void onOK() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Show();
    void After(); // the form changed: show it, move the focus, the quote window
    void FromWidgets(uint32_t id);
    void Paint();

    COrderEntryForm m_form;
    bool m_bSyncing = false;
    std::unique_ptr<CQuoteWnd> m_quote;
};
