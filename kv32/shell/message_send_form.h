// The rules of the Send Message dialog without its widgets: the firm and user
// lists, the "All" boxes, drafts, the prefill of a waiting message being
// changed, and the checks and receiver codes of the send.
#pragma once

#include <string>
#include <vector>

#include "kvcore/values/cdatetime.h"

// The display radios in their order on the dialog.
enum MsgDisplayType : int { kMsgUrgent = 0, kMsgRegular = 1, kMsgNonDisplay = 2 };

// A message's text travels in 640 bytes; typing stops at 615 characters.
constexpr int kMsgTextBytes = 640;
constexpr int kMsgTypedChars = 615;

class CMsgSendForm {
public:
    // Fills the lists from the tables and, in edit mode, from the message at
    // that row of the exchange message table (only while it is still waiting).
    void Open(int editMode, int messageIndex, const CDateTime& now);

    void SetAllFirms(bool all) { m_bAllFirms = all; }
    void SetAllUsers(bool all) { m_bAllUsers = all; }
    // Refills the user list for the firm at that position and selects the first user.
    void SelectFirm(int firm);
    void SelectUser(int user) { m_nUser = user; }
    // The draft's text replaces the message text; false for no such draft.
    bool ChooseDraft(int draft);

    bool FirmListEnabled() const { return !m_bAllFirms; }
    bool AllUsersEnabled() const { return !m_bAllFirms; }
    bool UserListEnabled() const { return !m_bAllFirms && !m_bAllUsers; }
    bool SendEnabled() const { return !m_sText.empty(); }
    // The send button reads "&Update" while a waiting message is changed.
    bool Updating() const { return m_nEditMode == 1; }

    // What stops a send: the control to focus and the stop box's text.
    enum Field { kNoField, kFirmField, kUserField, kTextField };
    struct Refusal {
        Field field = kNoField;
        std::string text;
    };
    // The receivers' codes (blank for "All") and the text with CR LF line
    // breaks; a refusal when a name does not resolve or the text does not fit.
    Refusal Resolve(std::string& firmCode, std::string& userCode, std::string& wireText) const;
    // Resolves, then sends 144 (new) or 169 (change); 1 when the host accepted.
    // A refusal is shown as a stop box and nothing is sent.
    int Send(Refusal* refusal = nullptr) const;

    std::vector<std::string> m_firms;
    std::vector<std::string> m_users;
    std::vector<std::string> m_draftTitles;
    std::vector<std::string> m_draftTexts;
    int m_nFirm = -1;
    int m_nUser = -1;
    bool m_bAllFirms = true;
    bool m_bAllUsers = false;
    std::string m_sText; // as typed: line breaks may be LF alone
    int m_nDisplay = kMsgRegular;
    bool m_bInfoFeed = false;
    std::string m_sTime; // HHMMSS
    int m_nEditMode = 0;
    int m_nIndex = -1;
    std::string m_sKey;
};

// Every line break of the text as CR LF.
std::string MsgTextCrLf(const std::string& text);
// Every CR LF as the LF that a multi-line edit shows.
std::string MsgTextLf(const std::string& text);
