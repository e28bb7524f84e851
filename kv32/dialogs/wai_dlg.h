// Asks for the work area identifier under which the opener files orders in
// the private order book.
#pragma once

#include <string>

#include "kv32/dialogs/kv_dialog.h"

class CWAIDlg : public CKvDialog {
    Q_OBJECT
public:
    explicit CWAIDlg(QWidget* parent = nullptr);
    bool onInitDialog() override;
    void onOK() override;
    // The identifier entered, after OK.
    const std::string& Identifier() const { return m_sIdentifier; }

private:
    // The identifier shown: the text typed, else the entry chosen.
    std::string Text() const;
    void UpdateOk();
    std::string m_sIdentifier;
};
