#include "kv32/shell/message_send_form.h"

#include <cstdio>
#include <strings.h>

#include "fw/core/msgbox.h"
#include "kv32/res/message_dialogs_ids.h"
#include "kv32/shell/message_send.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/session_core.h"

namespace {

constexpr char kDisplayLetters[] = { 'P', 'S', 'N' };

bool SameText(const char* a, const char* b)
{
    return strcasecmp(a, b) == 0;
}

// The "BROK" or "EXCH" participant of this name; -1 when there is none.
int MemberFirmRow(const std::string& name)
{
    return ParticipantTable().FindByName(name.c_str(), "BROK", "EXCH");
}

// The participant of this code, compared without regard to case; -1 when none.
int FirmRowOfCode(const char* code)
{
    CParticipantTable& firms = ParticipantTable();
    for (int i = 0; i < firms.GetCount(); ++i)
        if (SameText(firms.GetRec(i)->szCode, code))
            return i;
    return -1;
}

std::string TwoDigits(int v)
{
    char buf[4];
    std::snprintf(buf, sizeof buf, "%02d", v % 100);
    return buf;
}

} // namespace

std::string MsgTextCrLf(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += "\r\n";
            ++i;
        } else if (text[i] == '\n' || text[i] == '\r') {
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string MsgTextLf(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i];
    }
    return out;
}

void CMsgSendForm::Open(int editMode, int messageIndex, const CDateTime& now)
{
    m_nEditMode = 0;
    m_nIndex = messageIndex;
    m_sTime = TwoDigits(now.GetHour()) + TwoDigits(now.GetMinute()) + TwoDigits(now.GetSecond());
    m_firms = ParticipantTable().FillMemberNames();
    m_draftTitles.clear();
    m_draftTexts.clear();
    CMessageTextTable& drafts = MessageTextTable();
    for (int i = 0; i < drafts.GetCount(); ++i) {
        m_draftTitles.emplace_back(drafts.GetRec(i)->szName);
        m_draftTexts.emplace_back(drafts.GetRec(i)->szText);
    }
    int firm = m_firms.empty() ? -1 : 0;
    if (ps != nullptr) {
        const int user = TraderTable().FindByCode(ps->m_sUser.c_str());
        const int own = user < 0 ? -1 : FirmRowOfCode(TraderTable().GetRec(user)->szFirm);
        if (own >= 0)
            for (size_t i = 0; i < m_firms.size(); ++i)
                if (m_firms[i] == ParticipantTable().GetRec(own)->szName)
                    firm = static_cast<int>(i);
    }
    SelectFirm(firm);
    m_nDisplay = kMsgRegular;
    m_bAllFirms = true;
    m_bAllUsers = false;

    CExchMessageTable& messages = ExchMessageTable();
    if (editMode != 1 || messageIndex < 0 || messageIndex >= messages.GetCount())
        return;
    const ExchMessageRec& rec = *messages.GetRec(messageIndex);
    if (rec.cStatus != 'P' && rec.cStatus != 'p')
        return;
    m_nEditMode = 1;
    m_sText = MsgTextLf(rec.szReceived);
    // The receivers come from the record's codes: a blank code is an "All".
    m_bAllFirms = rec.szToFirm[0] == '\0';
    if (!m_bAllFirms) {
        const int row = FirmRowOfCode(rec.szToFirm);
        for (size_t i = 0; row >= 0 && i < m_firms.size(); ++i)
            if (m_firms[i] == ParticipantTable().GetRec(row)->szName)
                SelectFirm(static_cast<int>(i));
    }
    m_bAllUsers = rec.szToUser[0] == '\0';
    if (!m_bAllUsers) {
        const int row = TraderTable().FindByCode(rec.szToUser);
        m_nUser = -1;
        for (size_t i = 0; row >= 0 && i < m_users.size(); ++i)
            if (m_users[i] == TraderTable().GetRec(row)->szName)
                m_nUser = static_cast<int>(i);
    }
    if (rec.time.IsValid())
        m_sTime = TwoDigits(rec.time.GetHour()) + TwoDigits(rec.time.GetMinute()) + TwoDigits(rec.time.GetSecond());
    m_nDisplay = rec.cDisplayMode == 'P' ? kMsgUrgent : rec.cDisplayMode == 'N' ? kMsgNonDisplay : kMsgRegular;
    m_bInfoFeed = rec.cDataFeed == 'Y';
    m_sKey = rec.szKey;
}

void CMsgSendForm::SelectFirm(int firm)
{
    m_nFirm = firm >= 0 && firm < static_cast<int>(m_firms.size()) ? firm : -1;
    m_users.clear();
    if (m_nFirm >= 0) {
        CParticipantTable& firms = ParticipantTable();
        CTraderTable& traders = TraderTable();
        const std::string& name = m_firms[static_cast<size_t>(m_nFirm)];
        for (int t = 0; t < traders.GetCount(); ++t) {
            const int p = FirmRowOfCode(traders.GetRec(t)->szFirm);
            if (p >= 0 && SameText(firms.GetRec(p)->szName, name.c_str()))
                m_users.emplace_back(traders.GetRec(t)->szName);
        }
    }
    m_nUser = m_users.empty() ? -1 : 0;
}

bool CMsgSendForm::ChooseDraft(int draft)
{
    if (draft < 0 || draft >= static_cast<int>(m_draftTexts.size()))
        return false;
    m_sText = MsgTextLf(m_draftTexts[static_cast<size_t>(draft)]);
    return true;
}

CMsgSendForm::Refusal CMsgSendForm::Resolve(std::string& firmCode, std::string& userCode, std::string& wireText) const
{
    firmCode.clear();
    userCode.clear();
    wireText = MsgTextCrLf(m_sText);
    if (wireText.size() > static_cast<size_t>(kMsgTextBytes)) {
        char text[200];
        std::snprintf(text, sizeof text, Kv32MessageDialogString(IDS_MSG_TOO_LONG).c_str(), kMsgTextBytes);
        return { kTextField, text };
    }
    if (m_bAllFirms)
        return {};
    const std::string firmName = m_nFirm >= 0 ? m_firms[static_cast<size_t>(m_nFirm)] : std::string();
    const int firm = MemberFirmRow(firmName);
    if (firm < 0)
        return { kFirmField, Kv32MessageDialogString(IDS_MSG_UNKNOWN_FIRM) + firmName };
    firmCode = ParticipantTable().GetRec(firm)->szCode;
    if (m_bAllUsers)
        return {};
    const std::string userName = m_nUser >= 0 ? m_users[static_cast<size_t>(m_nUser)] : std::string();
    CTraderTable& traders = TraderTable();
    for (int t = 0; !userName.empty() && t < traders.GetCount(); ++t) {
        const TraderRec& rec = *traders.GetRec(t);
        if (userName == rec.szName && SameText(rec.szFirm, firmCode.c_str())) {
            userCode = rec.szCode;
            return {};
        }
    }
    firmCode.clear();
    return { kUserField, Kv32MessageDialogString(IDS_MSG_UNKNOWN_USER) + userName };
}

int CMsgSendForm::Send(Refusal* refusal) const
{
    std::string firmCode, userCode, text;
    Refusal r = Resolve(firmCode, userCode, text);
    if (refusal != nullptr)
        *refusal = r;
    if (r.field != kNoField) {
        KvMessageBox(r.text, fw::MB_ICONSTOP);
        return 0;
    }
    const char letter = kDisplayLetters[m_nDisplay >= 0 && m_nDisplay <= 2 ? m_nDisplay : kMsgRegular];
    return SendMsgType144Request(firmCode, userCode, text, letter, 0, m_bInfoFeed ? 1 : 0, m_sTime, m_sKey,
        m_nEditMode == 1 ? 1 : 0);
}
