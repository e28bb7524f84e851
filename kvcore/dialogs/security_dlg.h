// "Security Check": the user's security code, asked before a session starts
// when the host wants it.
#pragma once

#include <string>

#include "fw/ui/dialog.h"
#include "kvcore/kvcore_api.h"

class KVCORE_API CSecurityDlg : public fw::Dialog {
    Q_OBJECT
public:
    explicit CSecurityDlg(QWidget* parent = nullptr);
    void onOK() override;

    std::string m_sCode;
};
