// The market maker's order entry form: a buy and a sell order for one
// security side by side, sent as one transaction 140 for the buy side, the
// sell side or both; it remembers the last quote sent for each security. The
// rules live in trading/mm_order_form.h and trading/mm_order_record.h.
#pragma once

#include <memory>
#include <string>

#include "kv32/shell/neg_deal_form.h"
#include "kv32/trading/mm_order_form.h"
#include "kv32/trading/mm_order_record.h"
#include "kvcore/controls/num_edit.h"
#include "kvcore/gridview/dialog_vorl.h"

class CQuoteWnd;

class CMMkrOrder : public CTDialogVorl {
    Q_OBJECT
public:
    explicit CMMkrOrder(QWidget* parent = nullptr);
    ~CMMkrOrder() override;

    bool onInitDialog() override;
    void onOK() override; // "Both"
    void doDataExchange(fw::DataExchange& dx) override;
    void Send(KvMMSend send);

    int SecurityRow() const { return m_nSecurity; }
    // The value of a side's price field as typed; empty: blank.
    void SetPriceText(bool buy, const std::string& text);
    std::string PriceText(bool buy) const;
    void SetQuantity(bool buy, uint32_t quantity);
    void SetTopUp(bool buy, uint32_t quantity);
    std::string QuantityText(bool buy) const;
    std::string TopUpText(bool buy) const;
    int PriceDecimals(bool buy) const;
    // The quote window while a field of a side has the focus; null otherwise.
    const CQuoteWnd* QuoteWindow() const { return m_quote.get(); }

private:
    struct Side;
    Side& SideOf(bool buy) { return buy ? *m_buy : *m_sell; }
    const Side& SideOf(bool buy) const { return buy ? *m_buy : *m_sell; }
    void BoardChanged();
    void SecurityChanged();
    void YieldToggled(Side& side);
    void UseTopUpClicked(Side& side);
    void Convert(Side& side);
    void SelectAccount(uint32_t id);
    void ShowQuote(bool buy);
    void HideQuote();
    void ApplyLastQuote();
    std::string BoardName() const;
    KvMMSide TakeSide(const Side& side) const;

    int m_nSecurity = -1;
    KvMMSecurityRules m_rules;
    bool m_bStarting = true;
    std::unique_ptr<Side> m_buy;
    std::unique_ptr<Side> m_sell;
    std::unique_ptr<CQuoteWnd> m_quote;
};
