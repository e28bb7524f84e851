#include "kv32/lists/news_list.h"

#include <cstddef>

#include "fw/core/msgbox.h"
#include "kv32/res/msg_news_window_strings.h"
#include "kv32/tables/all_tables.h"
#include "kv32/shell/msgtypes.h"
#include "kv32/tables/host_table.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/prompts.h"

using kvcore::kGXDate;
using kvcore::kGXText;
using kvcore::kGXTime;

namespace {

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(NewsRec, field))

constexpr KvListColumn kColumnTable[] = {
    { 730, KV_AT(dateTime), kJustLeft, kGXDate },
    { 731, KV_AT(dateTime), kJustLeft, kGXTime },
    { 732, KV_AT(szUser), kJustLeft, kGXText },
    { 733, KV_AT(szType), kJustLeft, kGXText },
    { 734, KV_AT(szTitle), kJustLeft, kGXText },
    { 735, KV_AT(szIssuer), kJustLeft, kGXText },
    { 736, KV_AT(szSecurity), kJustLeft, kGXText },
    { 737, KV_AT(szLanguage), kJustLeft, kGXText },
    { 738, KV_AT(szStatus), kJustLeft, kGXText },
};

#undef KV_AT

constexpr std::uint32_t kNewsIdWidth = 8;

} // namespace

CNewsDoc::CNewsDoc()
    : CTableIndexDocT(NewsTable(), std::make_unique<CNewsCriteria>())
{
    Kv32RegisterMsgNewsWindowResources();
}

std::span<const KvListColumn> CNewsDoc::Columns() const
{
    return kColumnTable;
}

bool NewsIsWaiting(const NewsRec& head)
{
    return head.szStatus == CNewsTable::GetStatusText('P');
}

bool NewsCommandAllowed(unsigned commandId, const NewsRec* head)
{
    if (head == nullptr)
        return false;
    switch (commandId) {
    case ID_NEWS_TEXT: return true;
    case ID_NEWS_FILE: return head->szFileName[0] != '\0';
    case ID_NEWS_EDIT:
    case ID_NEWS_DELETE: return NewsIsWaiting(*head);
    default: return false;
    }
}

std::string BuildNewsRemoveText(std::int32_t newsId)
{
    if (newsId < 0)
        return std::string();
    KvFieldWriter w;
    AppendUserField(w);
    w.Unsigned(static_cast<std::uint32_t>(newsId), kNewsIdWidth);
    return w.Str();
}

int KvRemoveNews(const NewsRec& head)
{
    if (!NewsIsWaiting(head))
        return 0;
    if (AreYouShure(0u) != fw::IDYES)
        return 0;
    std::string text = BuildNewsRemoveText(head.nNewsId);
    if (text.empty())
        return 0;
    return VORLTransaction(MSGTYPE_NEWS_REMOVE, text.data(), static_cast<int>(text.size()), 1);
}
