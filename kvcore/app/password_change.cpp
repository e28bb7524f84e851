#include "kvcore/app/password_change.h"

#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/session_core.h"
#include "kvcore/res/ids.h"
#include "fw/core/strings.h"
#include "kvcore/router/cvorl.h"
#include "kvcore/security/password.h"
#include "kvcore/values/field_writer.h"

namespace {

constexpr int kTrPasswordChange = 131;

std::string SessionUser()
{
    return pvorl == nullptr ? std::string() : pvorl->User();
}

void Stop(unsigned id)
{
    KvMessageBoxId(id, fw::MB_ICONSTOP);
}

} // namespace

CPasswordChange::CPasswordChange(int expired)
    : m_bExpired(expired)
    , m_nLabelId(IDS_ENTER_OLD_PASSWORD)
{
}

unsigned CPasswordChange::TitleId() const
{
    return m_bExpired ? static_cast<unsigned>(IDS_PASSWORD_EXPIRED) : 0u;
}

int CPasswordChange::CheckAndCrypt(bool check, bool userGiven, const char* user)
{
    if (check) {
        // The new password is compared with the old one as typed at the first step, also
        // when a mismatching confirmation sent the user back to enter it again.
        const unsigned breach = PasswordRuleBreach(m_strPassword, m_strOld, userGiven);
        if (breach != 0) {
            Stop(breach);
            return 0;
        }
    }
    m_strPassword = PasswordDigest(m_strPassword, userGiven && user != nullptr ? std::string(user) : SessionUser());
    return 1;
}

void CPasswordChange::AskNew()
{
    m_nLabelId = IDS_ENTER_NEW_PASSWORD;
    m_nStep = StepNew;
    m_bClearField = true;
}

bool CPasswordChange::OnOK(const std::string& typed)
{
    m_bClearField = false;
    m_strPassword = typed;
    switch (m_nStep) {
    case StepOld:
        m_strOld = typed;
        CheckAndCrypt(false, false, nullptr);
        if (pvorl == nullptr || m_strPassword != pvorl->Password()) {
            Stop(IDS_INCORRECT_PASSWORD);
            return false;
        }
        AskNew();
        return false;
    case StepNew:
        if (!CheckAndCrypt(true, false, nullptr)) {
            m_bClearField = true;
            return false;
        }
        m_strPrevious = m_strPassword;
        m_nLabelId = IDS_ENTER_PASSWORD_AGAIN;
        m_nStep = StepConfirm;
        m_bClearField = true;
        return false;
    default:
        break;
    }
    // Confirmation: m_strPrevious holds the new digest.
    CheckAndCrypt(false, false, nullptr);
    if (m_strPassword != m_strPrevious) {
        Stop(IDS_PASSWORDS_DIFFER);
        AskNew();
        return false;
    }
    const std::string newDigest = m_strPrevious;
    if (pvorl == nullptr)
        return false;
    KvFieldWriter w;
    w.TextCut(SessionUser(), 12).Text(pvorl->Password(), 64).Text(newDigest, 64);
    std::string text = w.Str();
    if (!w.Ok() || !VORLTransaction(kTrPasswordChange, text.data(), static_cast<int>(text.size()), 1)) {
        AskNew();
        if (!m_bCancelEnabled) {
            m_bCancelEnabled = true;
            m_bCancelDefault = true;
            m_bOkEnabled = false;
        }
        return false;
    }
    // An automatic logon after a lost link must use the new password.
    pvorl->LogonChange(SessionUser().c_str(), newDigest.c_str());
    if (ps != nullptr)
        ps->m_sPassword = newDigest;
    return true;
}
