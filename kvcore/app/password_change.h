// The password change as the dialog runs it, without the window: old password,
// new password, confirmation, then transaction 131 with the two digests. The
// dialog mirrors the label, the field and the buttons after every OK.
#pragma once

#include <string>

#include "kvcore/kvcore_api.h"

class KVCORE_API CPasswordChange {
public:
    enum Step { StepOld = 1, StepNew = 2, StepConfirm = 3 };

    explicit CPasswordChange(int expired);

    // The check of a new password, then its digest in place of the text (for
    // `user` when userGiven, else for the router session's user). 0, after the
    // rule's message, when the text breaks a rule.
    int CheckAndCrypt(bool check, bool userGiven, const char* user);

    // OK pressed with the field holding typed. True when the change went through
    // and the dialog closes with OK.
    bool OnOK(const std::string& typed);

    int Step() const { return m_nStep; }
    unsigned LabelId() const { return m_nLabelId; }
    // 0 when the title stays the template's.
    unsigned TitleId() const;
    // The field is emptied after this OK.
    bool ClearField() const { return m_bClearField; }
    // Buttons: the dialog tells whether Cancel is enabled; a refused change with Cancel
    // disabled enables it, makes it the default and disables OK.
    void SetCancelEnabled(bool on) { m_bCancelEnabled = on; }
    bool CancelEnabled() const { return m_bCancelEnabled; }
    bool OkEnabled() const { return m_bOkEnabled; }
    bool CancelDefault() const { return m_bCancelDefault; }

    // The edit text: plain while typed, the digest after CheckAndCrypt.
    std::string m_strPassword;

private:
    void AskNew();

    int m_bExpired;
    int m_nStep = StepOld;
    std::string m_strOld; // the old password as typed
    std::string m_strPrevious; // the new password's digest, once given
    unsigned m_nLabelId;
    bool m_bClearField = false;
    bool m_bCancelEnabled = true;
    bool m_bOkEnabled = true;
    bool m_bCancelDefault = false;
};
