#include "kv32/shell/news_form.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <strings.h>

#include "fw/core/codepage.h"
#include "fw/core/msgbox.h"
#include "kv32/res/message_dialogs_ids.h"
#include "kv32/shell/message_send_form.h"
#include "kv32/shell/msgtypes.h"
#include "kv32/shell/request_fields.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/router/kv_trace.h"
#include "kvcore/router/vorl_target.h"

namespace {

constexpr char kDisplayLetters[] = { 'P', 'S', 'N' };
constexpr int kHeaderLines = 7;
constexpr size_t kHeaderLineChars = 511;

int RowOfNewsId(int32_t newsId)
{
    CNewsTable& news = NewsTable();
    for (int i = 0; i < news.GetCount(); ++i)
        if (news.GetRec(i)->nNewsId == newsId)
            return i;
    return -1;
}

// The reply of one fetch; it names the head by the id it asked for, so a
// list window that moved on meanwhile cannot receive another item's text.
class CNewsTextTarget : public CVorlTarget {
public:
    explicit CNewsTextTarget(int32_t newsId)
        : m_nNewsId(newsId)
    {
    }
    int Decode(CRecordReader&) override { return 0; }
    int StoreDataItem(tagTMSG* message) override
    {
        if (message == nullptr || message->pText == nullptr || message->nType != MSGTYPE_NEWS_REQ)
            return 1;
        const std::string_view bytes(reinterpret_cast<const char*>(message->pText),
            message->nLength < 0 ? 0 : static_cast<size_t>(message->nLength));
        std::string text;
        if (!DecodeNewsTextReply(bytes, text)) {
            KvTrace("news text of item " + std::to_string(m_nNewsId) + " dropped: its length does not match the "
                + std::to_string(bytes.size()) + "-byte message");
            return 1;
        }
        const int row = RowOfNewsId(m_nNewsId);
        if (row >= 0)
            NewsTable().AttachBody(row, std::move(text));
        return 1;
    }

private:
    int32_t m_nNewsId;
};

bool ValidUtf8(std::string_view s)
{
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t n = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : 4;
        if (n == 4 || i + n >= s.size())
            return false;
        for (size_t k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2)
                return false;
        i += n + 1;
    }
    return true;
}

std::string SixDigitTime(const CDateTime& t)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d%02d%02d", t.GetHour() % 100, t.GetMinute() % 100, t.GetSecond() % 100);
    return buf;
}

} // namespace

std::string NewsTextRequestKey(int32_t newsId)
{
    KvFieldWriter w;
    AppendUserField(w);
    AppendPaddedField(w, 8, std::to_string(newsId), true);
    return w.Ok() ? w.Str() : std::string();
}

bool DecodeNewsTextReply(std::string_view message, std::string& text)
{
    if (message.size() < 4)
        return false;
    std::string_view length = message.substr(0, 4);
    while (!length.empty() && length.back() == ' ')
        length.remove_suffix(1);
    size_t n = 0;
    for (const char c : length) {
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + static_cast<size_t>(c - '0');
    }
    if (length.empty() || n > message.size() - 4)
        return false;
    std::string_view body = message.substr(4, n);
    // A text is carried without the end of the C string that some senders add.
    while (!body.empty() && (body.back() == ' ' || body.back() == '\0'))
        body.remove_suffix(1);
    text.assign(body);
    return true;
}

int KvFetchNewsText(int row)
{
    CNewsTable& news = NewsTable();
    if (row < 0 || row >= news.GetCount())
        return 0;
    const int32_t id = news.GetRec(row)->nNewsId;
    const std::string key = NewsTextRequestKey(id);
    if (key.empty())
        return 0;
    CNewsTextTarget target(id);
    VORLInfoReq(MSGTYPE_NEWS_REQ, key.data(), static_cast<int>(key.size()), &target);
    const int now = RowOfNewsId(id);
    return now >= 0 && news.GetRec(now)->body ? 1 : 0;
}

int KvMatchListEntry(const std::vector<std::string>& names, const std::string& name)
{
    if (name.empty())
        return -1;
    for (size_t i = 0; i < names.size(); ++i)
        if (fw::cp1250EqualNoCase(names[i], name))
            return static_cast<int>(i);
    int found = -1;
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i].size() >= name.size() && fw::cp1250EqualNoCase(std::string_view(names[i]).substr(0, name.size()), name)) {
            if (found >= 0)
                return -1;
            found = static_cast<int>(i);
        }
    }
    return found;
}

NewsHeaderResult KvReadNewsHeader(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return NewsHeaderResult::CannotOpen;
    std::vector<std::string> lines;
    std::string line;
    for (int i = 0; i < kHeaderLines && std::getline(in, line); ++i) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // Only the head of a long line is offered; the user sees it before sending.
        if (line.size() > kHeaderLineChars)
            line.resize(kHeaderLineChars);
        lines.push_back(line);
    }
    std::string joined;
    for (size_t i = 0; i < lines.size(); ++i)
        joined += (i == 0 ? "" : "\r\n") + lines[i];
    const bool ascii
        = std::all_of(joined.begin(), joined.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii && ValidUtf8(joined)) {
        fw::ToCp1250Result converted = fw::utf8ToCp1250(joined);
        if (!converted.ok())
            return NewsHeaderResult::NotSendable;
        joined = std::move(converted.text);
    }
    text = std::move(joined);
    return NewsHeaderResult::Ok;
}

CNewsForm::OpenResult CNewsForm::Open(int mode, int row, const CDateTime& now)
{
    m_nMode = 1;
    m_nRow = row;
    m_time = now;
    m_issuers = {};
    CParticipantTable& firms = ParticipantTable();
    for (int i = 0; i < firms.GetCount(); ++i)
        if (std::string_view(firms.GetRec(i)->szType) == "ISSR") {
            m_issuers.names.emplace_back(firms.GetRec(i)->szName);
            m_issuers.rows.push_back(i);
        }
    if (m_issuers.rows.empty())
        return kNoIssuers;
    m_types = {};
    CSubTable73& types = NewsTypeTable();
    for (int i = 0; i < types.GetCount(); ++i) {
        m_types.names.emplace_back(types.GetRec(i)->szName);
        m_types.rows.push_back(i);
    }
    if (m_types.rows.empty())
        return kNoTypes;
    m_languages = {};
    CTable65& languages = LanguageTable();
    for (int i = 0; i < languages.GetCount(); ++i) {
        m_languages.names.emplace_back(languages.GetRec(i)->szName);
        m_languages.rows.push_back(i);
    }
    if (m_languages.rows.empty())
        return kNoLanguages;
    m_securities = {};
    CSecurityTable& securities = SecurityTable();
    for (const int r : securities.GetDistinctList()) {
        m_securities.names.emplace_back(securities.GetRec(r)->szShortName);
        m_securities.rows.push_back(r);
    }

    CNewsTable& news = NewsTable();
    if (mode != 3 || row < 0 || row >= news.GetCount())
        return kOpened;
    m_nMode = 3;
    if (!news.GetRec(row)->body)
        KvFetchNewsText(row);
    const NewsRec& rec = *news.GetRec(row);
    m_nNewsId = rec.nNewsId;
    m_sTitle = rec.szTitle;
    m_sText = rec.body ? MsgTextLf(*rec.body) : std::string();
    m_nType = KvMatchListEntry(m_types.names, rec.szType);
    m_nLanguage = KvMatchListEntry(m_languages.names, rec.szLanguage);
    m_nIssuer = KvMatchListEntry(m_issuers.names, rec.szIssuer);
    m_nSecurity = KvMatchListEntry(m_securities.names, rec.szSecurity);
    m_bInfoFeed = rec.cFlag1 == 'Y' || rec.cFlag1 == 'y';
    m_bFlash = rec.cFlag2 == 'Y' || rec.cFlag2 == 'y';
    m_nDisplay = rec.cDisplayMode == 'P' ? kNewsUrgent : rec.cDisplayMode == 'N' ? kNewsNonDisplay : kNewsRegular;
    if (rec.dateTime.IsValid())
        m_time = rec.dateTime;
    return kOpened;
}

CNewsForm::Refusal CNewsForm::Check() const
{
    const unsigned exclamation = fw::MB_ICONEXCLAMATION;
    if (m_nIssuer < 0)
        return { kIssuerField, Kv32MessageDialogString(IDS_NEWS_ISSUER_MANDATORY), exclamation };
    if (m_nType < 0)
        return { kTypeField, Kv32MessageDialogString(IDS_NEWS_TYPE_MANDATORY), exclamation };
    if (m_nLanguage < 0)
        return { kLanguageField, Kv32MessageDialogString(IDS_NEWS_LANGUAGE_MANDATORY), exclamation };
    if (m_sTitle.empty())
        return { kTitleField, Kv32MessageDialogString(IDS_NEWS_TITLE_MANDATORY), exclamation };
    if (MsgTextCrLf(m_sText).size() > static_cast<size_t>(kNewsTextBytes)) {
        char text[200];
        std::snprintf(text, sizeof text, Kv32MessageDialogString(IDS_MSG_TOO_LONG).c_str(), kNewsTextBytes);
        return { kTextField, text, fw::MB_ICONSTOP };
    }
    return {};
}

std::string CNewsForm::BuildRecord(const std::string& fileName, int& code) const
{
    code = 0;
    if (Check().field != kNoField)
        return {};
    const std::string text = MsgTextCrLf(m_sText);
    const SecurityRec* security = m_nSecurity >= 0 && m_nSecurity < static_cast<int>(m_securities.rows.size())
        ? SecurityTable().GetRec(m_securities.rows[static_cast<size_t>(m_nSecurity)])
        : nullptr;
    KvFieldWriter w;
    AppendUserField(w);
    if (m_nMode == 3)
        AppendPaddedField(w, 8, std::to_string(m_nNewsId), true);
    AppendPaddedField(w, 4, NewsTypeTable().GetRec(m_types.rows[static_cast<size_t>(m_nType)])->szCode, false);
    AppendPaddedField(w, 2, LanguageTable().GetRec(m_languages.rows[static_cast<size_t>(m_nLanguage)])->szCode, false);
    AppendPaddedField(w, 12, ParticipantTable().GetRec(m_issuers.rows[static_cast<size_t>(m_nIssuer)])->szCode, false);
    AppendPaddedField(w, 12, security != nullptr ? std::string_view(security->szCode + 5, 12) : std::string_view(), false);
    AppendPaddedField(w, 6, SixDigitTime(m_time), false);
    AppendPaddedField(w, 40, m_sTitle, false);
    AppendPaddedField(w, 80, fileName, false);
    w.Char(m_bInfoFeed ? 'Y' : 'N');
    w.Char(m_bFlash ? 'Y' : 'N');
    w.Char(kDisplayLetters[m_nDisplay >= 0 && m_nDisplay <= 2 ? m_nDisplay : kNewsRegular]);
    AppendPaddedField(w, 4, std::to_string(text.size()), true);
    AppendPaddedField(w, kNewsTextBytes, text, false);
    if (!w.Ok())
        return {};
    code = m_nMode == 3 ? MSGTYPE_NEWS_AMEND : MSGTYPE_NEWS_SEND;
    return w.Str();
}
