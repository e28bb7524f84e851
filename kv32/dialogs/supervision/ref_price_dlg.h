// The reference price dialog: a security's reference price set to a typed
// value or to its upper or lower price limit, and the change announced to the
// exchange. Its rules are in ref_price_form.h.
#pragma once

#include <string>
#include <vector>

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/dialogs/supervision/ref_price_form.h"

class CRefPriceLimitDlg : public CKvDialog {
public:
    explicit CRefPriceLimitDlg(int mode = kRefPriceTyped, QWidget* parent = nullptr);

    bool onInitDialog() override;
    void onOK() override;

    int Mode() const { return m_nMode; }
    int SecurityRow() const { return m_nSecurity; }
    const std::string& PreviousValue() const { return m_sPrevious; }

private:
    void BoardChanged();
    void SecurityChanged();
    void PriceChanged();
    void PriceLeft();
    void ChooseSecurity(int row);
    // A typed value not sent yet: asks whether to send it before it is left.
    void AskToSave();
    bool Save();
    int Decimals() const;

    int m_nMode;
    int m_nBoard = -1;
    int m_nSecurity = -1;
    std::vector<CBoardSecurity> m_securities;
    std::string m_sPrevious; // the value sent last in this dialog, as shown
    bool m_bChanged = false;
};

// The main frame's commands: 33077 a typed value, 33187 the upper limit,
// 33188 the lower limit, for the securities window's current security.
int KvRunRefPrice(int mode, QWidget* parent = nullptr);
