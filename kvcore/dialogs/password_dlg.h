// The password change dialog: old password, new password, confirmation, with
// the password rules; OK closes it only once the host took the new password.
#pragma once

#include "fw/ui/dialog.h"
#include "kvcore/app/password_change.h"
#include "kvcore/kvcore_api.h"

class KVCORE_API CPasswordDlg : public fw::Dialog {
    Q_OBJECT
public:
    // expired: the host reported the password expired (the title says so).
    explicit CPasswordDlg(int expired, QWidget* parent = nullptr);

    bool onInitDialog() override;
    void onOK() override;

    // The steps without the window (also used on its own for CheckAndCrypt).
    CPasswordChange m_change;

private:
    void Mirror();
};
