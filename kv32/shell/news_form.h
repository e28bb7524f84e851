// The rules of the News dialog without its widgets: the reference lists, the
// prefill of an item being changed, the checks in their order, the one
// builder of the 154 and 171 records, the head of a file as news text, and
// the fetch of an item's text (request 69) that both news dialogs use.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "kvcore/values/cdatetime.h"

enum NewsDisplayType : int { kNewsUrgent = 0, kNewsRegular = 1, kNewsNonDisplay = 2 };
constexpr int kNewsTextBytes = 5000;
constexpr int kNewsTypedChars = 640;

// The 20-character key of request 69: the user's code and the news id in 8 digits.
std::string NewsTextRequestKey(int32_t newsId);
// One reply message of request 69: the length in 4 characters (trailing
// blanks ignored), then that many characters. The text loses its trailing
// blanks. False for a length that is not digits or runs past the message.
bool DecodeNewsTextReply(std::string_view message, std::string& text);
// Fetches the text of the news head at that row and stores it on the head
// with the same news id (wherever it stands once the reply is in); 1 when
// the head holds a text afterwards.
int KvFetchNewsText(int row);

// The position of a name in a list: an exact match without regard to case,
// else the only entry that begins with it; -1 for an empty name, no match or
// several candidates.
int KvMatchListEntry(const std::vector<std::string>& names, const std::string& name);

// The first lines of a file as news text: at most 7 lines of at most 511
// characters each, joined with CR LF. A valid UTF-8 file is converted to
// Windows-1250; any other is taken as Windows-1250.
enum class NewsHeaderResult { Ok, CannotOpen, NotSendable };
NewsHeaderResult KvReadNewsHeader(const std::string& path, std::string& text);

struct NewsList {
    std::vector<std::string> names;
    std::vector<int> rows; // table rows
};

class CNewsForm {
public:
    enum OpenResult { kOpened, kNoIssuers, kNoTypes, kNoLanguages };
    // Fills the lists; in mode 3 takes the head at that row of the news table
    // (fetching its text when it has none).
    OpenResult Open(int mode, int row, const CDateTime& now);

    enum Field { kNoField, kIssuerField, kTypeField, kLanguageField, kTitleField, kTextField };
    struct Refusal {
        Field field = kNoField;
        std::string text;
        unsigned icon = 0;
    };
    // The checks of OK in their order.
    Refusal Check() const;
    // The record of 154 (new) or 171 (change) with the attachment's name;
    // empty when a field does not fit (code 0).
    std::string BuildRecord(const std::string& fileName, int& code) const;

    NewsList m_issuers, m_types, m_languages, m_securities;
    int m_nIssuer = -1, m_nType = -1, m_nLanguage = -1, m_nSecurity = -1;
    std::string m_sTitle;
    std::string m_sText; // line breaks as typed
    std::string m_sPath;
    bool m_bFlash = true;
    bool m_bInfoFeed = false;
    int m_nDisplay = kNewsRegular;
    CDateTime m_time;
    int m_nMode = 1;
    int m_nRow = -1;
    int32_t m_nNewsId = 0;
};
