// The Bench Setup dialog and the About box.
#pragma once

#include <array>
#include <cstdint>

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/dialogs/setup_rules.h"

class COptionsDlg : public CKvDialog {
    Q_OBJECT
public:
    explicit COptionsDlg(QWidget* parent = nullptr);
    bool onInitDialog() override;
    void onOK() override;

    const KvSetup& Values() const { return m_setup; }

private:
    void UpdateOk();
    bool EndTimeValid() const;
    void ChooseColour(bool buy);
    KvSetup m_setup;
};

class CAboutDlg : public CKvDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    bool onInitDialog() override;
};
