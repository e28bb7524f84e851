// "User Identification": the user name and password with which the workstation
// connects; OK closes the dialog only once the logon succeeded.
#pragma once

#include <string>

#include "fw/ui/dialog.h"
#include "kvcore/kvcore_api.h"

class KVCORE_API CLogonDlg : public fw::Dialog {
    Q_OBJECT
public:
    explicit CLogonDlg(QWidget* parent = nullptr);

    bool onInitDialog() override;
    void onOK() override;

    std::string m_sUser;
    std::string m_sPassword;
    int m_bResetLogPrinting = 0;

private:
    void UpdateOk();
};
