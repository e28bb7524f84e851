// The negotiated deal input: one side, one security on one board, a price or
// yield, a quantity and a counterparty user of a broker firm, sent as
// transaction 134; the rules live in shell/neg_deal_form.h.
#pragma once

#include <optional>
#include <string>

#include "kv32/shell/neg_deal_form.h"
#include "kvcore/controls/num_edit.h"
#include "kvcore/gridview/dialog_vorl.h"
#include "kvcore/ui/date_picker_widget.h"

class CNegDealDlg : public CTDialogVorl {
    Q_OBJECT
public:
    // side: kDealBuy or kDealSell. sourceSecurity: the security row that the
    // opening dialog names (-1: none); nullopt when no dialog opened this one.
    explicit CNegDealDlg(int side, std::optional<int> sourceSecurity = std::nullopt, QWidget* parent = nullptr);
    ~CNegDealDlg() override;

    bool onInitDialog() override;
    void onOK() override;
    void doDataExchange(fw::DataExchange& dx) override;

    // F3 steps the price up (down with Shift); F5 to F8 move to the security,
    // the account, the price and the quantity.
    void OnFunctionKey(int key, bool shift);

    int Side() const { return m_nSide; }
    int SecurityRow() const { return m_nSecurity; }
    // The price field's value as the user would type it; empty: blank.
    void SetPriceText(const std::string& text);
    std::string PriceText() const { return m_price.Text(); }
    void SetQuantity(uint32_t quantity);
    std::string QuantityText() const { return m_quantity.Text(); }
    int PriceDecimals() const { return m_price.GetDecMax(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void TradeSourceChanged();
    void BoardChanged();
    void SecurityChanged();
    void CounterFirmChanged();
    void SelectOwnCounterparty();
    void YieldToggled();
    void SideClicked(int side);
    void UpdateOk();
    void Convert();
    void ShowPriceLabels(bool yield);
    void SetPriceValue(const CDouble& value);
    void RepaintPrice();
    void ApplyColours();
    void ShowStatus(uint32_t id);
    std::string BoardName() const;
    std::string SettleDate() const;
    int FieldDecimals(bool yield) const;

    int m_nSide;
    std::optional<int> m_source;
    int m_nSecurity = -1;
    KvNegDealRules m_rules;
    bool m_bDealsAllowed = false;
    bool m_bPricePreset = false;
    unsigned m_nHint = 0;
    KvPriceYieldSwap m_swap;
    bool m_bStarting = true;
    CSignDblEdit m_price;
    CIntEdit m_quantity;
    KvDateTimePicker m_settle;
    KvDateTimePicker m_dissemination;
};
