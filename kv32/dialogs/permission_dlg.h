// Sets or deletes a trading permission of one user for a board, market,
// instrument, industry, sector or security, as operator action 27 or 28 of
// transaction 142; the rules live in trading/permission_form.h.
#pragma once

#include <string>
#include <vector>

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/trading/permission_form.h"

class CPermissionDlg : public CKvDialog {
    Q_OBJECT
public:
    explicit CPermissionDlg(QWidget* parent = nullptr);
    ~CPermissionDlg() override;

    // What the users window presets before the dialog runs.
    void SetDeleteMode(bool on) { m_bDelete = on; }
    void SetFirm(const std::string& firm) { m_sFirm = firm; }
    void SetUser(const std::string& user) { m_sUser = user; }
    void SetPriority(const std::string& text) { m_sPriority = text; }

    bool onInitDialog() override;
    void onOK() override;

private:
    void ScopeChosen(int scope);

    bool m_bDelete = false;
    std::string m_sFirm;
    std::string m_sUser;
    std::string m_sPriority;
    int m_nScope = kScopeNone;
    std::vector<KvPermissionItem> m_items;
};

// Runs the dialog preset with a user's participant code, user code and the
// text of field 588 (the user record's text after its participant code).
int KvOpenPermissionDlg(const std::string& firm, const std::string& user, const std::string& priority,
    bool deleteMode);
// The same for the users table's record `userRow`; IDCANCEL when there is none.
int KvOpenPermissionDlgForUser(int userRow, bool deleteMode);
// Permissions > Set... and Delete... of the users window, whose argument is
// the users table's record at its current row.
void KvInstallPermissionDialog();
