#include "kv32/lists/list_actions.h"

#include <algorithm>
#include <cstdio>

#include "fw/core/msgbox.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/app_core_logic.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/prompts.h"

bool KvCommandEnabled(KvCommandRule rule, unsigned commandId, const KvRowState& state)
{
    switch (rule) {
    case KvCommandRule::AlwaysOff: return false;
    case KvCommandRule::Always: return true;
    default: break;
    }
    if (!CanAccess(commandId, 0))
        return false;
    switch (rule) {
    case KvCommandRule::NeedCurrentRow: return state.current >= 0 && state.current < state.rows;
    case KvCommandRule::NeedSelection: return state.selected > 0;
    case KvCommandRule::NeedRows: return state.rows > 0;
    case KvCommandRule::Permitted: return true;
    default: return false;
    }
}

std::vector<unsigned> KvSortedSelection(std::vector<unsigned> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

std::string KvReplyIdentifier(std::uint32_t number)
{
    char text[24];
    std::snprintf(text, sizeof text, "%12lu", static_cast<unsigned long>(number));
    return text;
}

namespace {

// The multi-row mode ends on every way out of the command.
class MultiMode {
public:
    MultiMode()
    {
        fMulti = 1;
        nMultiCount = 0;
    }
    ~MultiMode() { fMulti = 0; }
    MultiMode(const MultiMode&) = delete;
    MultiMode& operator=(const MultiMode&) = delete;
};

// The host's answer, or the router's failure, is told by the reply dispatch.
bool Send(KvRowTransaction& t)
{
    return VORLTransaction(t.code, t.text.data(), static_cast<int>(t.text.size()), 1) != 0;
}

} // namespace

int KvSendForRows(const std::vector<unsigned>& selection, const KvRowAction& action, CListWindowPort& port)
{
    const std::vector<unsigned> rows = KvSortedSelection(selection);
    if (rows.empty() || !action.build)
        return 0;
    if (action.confirm && AreYouShure(action.confirmTextId) == fw::IDNO)
        return 0;
    const auto sent = [&action](unsigned row, bool accepted) {
        if (action.sent)
            action.sent(row, accepted);
    };
    std::vector<KvRowTransaction> texts;
    texts.reserve(rows.size());
    for (unsigned row : rows) {
        std::optional<KvRowTransaction> t = action.build(row);
        if (!t || t->text.empty()) {
            KvMessageBox(KvListWindowString(IDS_LIST_FIELD_REFUSED), fw::MB_ICONEXCLAMATION);
            return 0;
        }
        texts.push_back(std::move(*t));
    }
    if (texts.size() == 1) {
        sent(rows.front(), Send(texts.front()));
        return 1;
    }

    CRepliesTable& replies = RepliesTable();
    replies.Free();
    port.UpdateAllViews(CRepliesTable::kTableId);
    {
        MultiMode multi;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const int line = replies.AddReply(texts[i].identifier);
            // A transaction that got no answer leaves its own line empty and
            // does not shift the next answers onto the wrong lines.
            nMultiCount = line;
            sent(rows[i], Send(texts[i]));
        }
    }
    port.OpenTable(CRepliesTable::kTableId);
    port.UpdateAllViews(CRepliesTable::kTableId);
    return static_cast<int>(texts.size());
}
