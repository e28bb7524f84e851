#include "kv32/lists/messages_list.h"

#include <cstddef>

#include "fw/core/archive.h"
#include "fw/core/gridsource.h"
#include "fw/core/msgbox.h"
#include "kv32/filters/criteria_common.h"
#include "kv32/res/msg_news_window_strings.h"
#include "kv32/tables/all_tables.h"
#include "kv32/shell/message_send.h"
#include "kvcore/app/message_box.h"

using kvcore::kGXOwner;
using kvcore::kGXText;
using kvcore::kGXTime;

namespace {

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(ExchMessageRec, field))

constexpr KvListColumn kColumnTable[] = {
    { 470, KV_AT(time), kJustLeft, kGXTime },
    { 471, KV_AT(szFromUser), kJustLeft, kGXText },
    { 472, KV_AT(szFromFirm), kJustLeft, kGXText },
    { 473, KV_AT(szToUser), kJustLeft, kGXText },
    { 474, KV_AT(szToFirm), kJustLeft, kGXText },
    { 475, KV_AT(szMessage), kJustLeft, kGXText },
    { 476, KV_AT(cDataFeed), kJustLeft, kGXOwner },
    { 477, KV_AT(cStatus), kJustLeft, kGXOwner },
};

#undef KV_AT

char LetterOf(const std::uint8_t* record, int col)
{
    const auto* m = reinterpret_cast<const ExchMessageRec*>(record);
    return col == 476 ? m->cDataFeed : m->cStatus;
}

} // namespace

CMsgsDoc::CMsgsDoc()
    : CTableIndexDocT(ExchMessageTable(), std::make_unique<CMsgLetterCriteria>())
{
    Kv32RegisterMsgNewsWindowResources();
}

std::span<const KvListColumn> CMsgsDoc::Columns() const
{
    return kColumnTable;
}

void CMsgsDoc::OwnerDrawCell(const std::uint8_t* value, int, int, fw::CellStyle& style) const
{
    const char letter = static_cast<char>(*value);
    style.value = letter == '\0' ? std::string() : std::string(1, letter);
}

int CMsgsDoc::OwnerDrawSort(const std::uint8_t* a, const std::uint8_t* b, int col) const
{
    const auto x = static_cast<unsigned char>(LetterOf(a, col));
    const auto y = static_cast<unsigned char>(LetterOf(b, col));
    return x < y ? -1 : (x > y ? 1 : 0);
}

bool CMsgLetterCriteria::Match(const std::uint8_t* record)
{
    return m_filter.Matches(reinterpret_cast<const ExchMessageRec*>(record)->cStatus);
}

void CMsgLetterCriteria::Serialize(fw::Archive& ar)
{
    std::int32_t state = m_filter.m_nState;
    criteria::SerializeWord(ar, state);
    m_filter.m_nState = state;
}

bool MessageIsWaiting(const ExchMessageRec& message)
{
    return (message.cStatus == 'P' || message.cStatus == 'p') && message.nReference == -1;
}

bool MessageCommandAllowed(unsigned commandId, const ExchMessageRec* message)
{
    if (message == nullptr)
        return false;
    switch (commandId) {
    case ID_MESSAGE_VIEW: return true;
    case ID_MESSAGE_EDIT:
    case ID_MESSAGE_DELETE: return MessageIsWaiting(*message);
    default: return false;
    }
}

int KvDeleteMessage(const ExchMessageRec& message)
{
    if (!MessageIsWaiting(message)) {
        KvMessageBox(KvMsgNewsWindowString(IDS_MESSAGE_NOT_WAITING), fw::MB_ICONEXCLAMATION);
        return 0;
    }
    return SendMsgType144Request("", "", "", 'N', 0, 0, "", message.szKey, 2);
}
